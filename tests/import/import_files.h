#pragma once
#include "platform/cp932.h"
#include "shell/app_context.h"
#include "temp_tree.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace k5test {

// A KMD tree linked to the generation II analysis program, with helpers that
// write its two output files as it does: CP932 text with CR LF line ends.
struct LinkedTree {
    TempTree tree;
    k5::AppContext& ctx = tree.ctx;

    LinkedTree() {
        k5::Folders& f = ctx.folders;
        f.analysisKind = QStringLiteral("RX2");
        f.analysisProgramName = QStringLiteral("KAMO-RXⅡ");
        f.analysisPrgFolder = f.top + QStringLiteral("KamoRX2/Prg");
        f.analysisDataFolder = f.top + QStringLiteral("KamoRX2/dat");
        QDir().mkpath(f.analysisDataFolder);
    }
    QString projectPath() const { return ctx.folders.analysisDataFolder + QStringLiteral("/KW-FPP1.dat"); }
    QString supportPath() const { return ctx.folders.analysisDataFolder + QStringLiteral("/KW-FSPTK5"); }

    static QByteArray crlf(const QStringList& lines) {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += k5::toCp932(line) + "\r\n";
        return bytes;
    }
    void writeProject(const QString& jobName = QStringLiteral("試験物件")) {
        writeBytes(projectPath(),
                   crlf({QStringLiteral("\"P-00\",1"), QStringLiteral("\"P-01\",3,12,\"") + jobName + u'"'}));
    }
    void writeSupports(const QStringList& lines) { writeBytes(supportPath(), crlf(lines)); }
};

// A line of the support-reaction file.
inline QString reactionLine(int direction, int frame, int storey, int axis, int loadCase, double H = 0,
                            double N = 0, double M = 0, const QString& frameName = QStringLiteral("X1"),
                            const QString& storeyName = QStringLiteral("1F"),
                            const QString& axisName = QStringLiteral("Y1")) {
    return QStringLiteral("%1,%2,%3,%4,%5,\"%6\",\"%7\",\"%8\",\"\",%9,%10,%11")
        .arg(direction)
        .arg(frame)
        .arg(storey)
        .arg(axis)
        .arg(loadCase)
        .arg(frameName, storeyName, axisName)
        .arg(QString::number(H, 'g', 10), QString::number(N, 'g', 10), QString::number(M, 'g', 10));
}

} // namespace k5test
