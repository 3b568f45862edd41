#include "platform/folders.h"

#include "platform/trace.h"

namespace k5 {

void Folders::setMasterPaths() {
    commonValuesFile = masterFile(QStringLiteral("m_comUse.k5d"));
    rebarGradeFile = masterFile(QStringLiteral("m_sbar1.k5d"));
    youngModulusFile = masterFile(QStringLiteral("m_Yce.k5d"));
    fontFile = masterFile(QStringLiteral("m_font.k5d"));
}

Folders Folders::forTree(const QString& kmdTop) {
    Folders f;
    QString top = kmdTop.endsWith(u'/') ? kmdTop : kmdTop + u'/';
    QString base = top + QStringLiteral("K5/");
    f.top = top;
    f.programFolder = base + QStringLiteral("PRG");
    f.prgFolder = base + QStringLiteral("PRG");
    f.dataFolder = base + QStringLiteral("DAT");
    f.saveFolder = base + QStringLiteral("保存データ");
    f.masterFolder = top + QStringLiteral("MAS");
    f.traceFile = f.dataFolder + QStringLiteral("/runlog.rep");
    f.setMasterPaths();
    return f;
}

void Folders::trace(const QString& message) const {
    writeTrace(traceFile, message);
}

} // namespace k5
