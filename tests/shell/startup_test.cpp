#include "jobdata/foundation_record.h"
#include "platform/cp932.h"
#include "shell/job_list.h"
#include "shell/startup.h"
#include "temp_tree.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace k5;

namespace {

struct Started {
    k5test::TempTree tree;
    QString prg() const { return tree.kmd() + QStringLiteral("/K5/PRG"); }
    StartUpResult start(const QString& cwd = {}) {
        return startUp(tree.ctx, prg() + QStringLiteral("/kamo-k5"), cwd.isEmpty() ? prg() : cwd);
    }
    QString trace() const { return fromCp932(k5test::readBytes(tree.ctx.folders.traceFile)); }
};

} // namespace

TEST(StartUp, FreshTreeGetsTraceControlAndCommonFiles) {
    Started s;
    ASSERT_TRUE(s.start().ok);
    const Folders& f = s.tree.ctx.folders;
    EXPECT_EQ(f.dataFolder, s.tree.kmd() + QStringLiteral("/K5/DAT"));
    EXPECT_EQ(f.saveFolder, s.tree.kmd() + QStringLiteral("/K5/保存データ"));
    EXPECT_EQ(f.masterFolder, s.tree.kmd() + QStringLiteral("/MAS"));
    EXPECT_EQ(k5test::fileSize(f.controlFile()), 110);
    EXPECT_EQ(k5test::fileSize(f.commonValuesFile), 232);
    QString trace = s.trace();
    EXPECT_TRUE(trace.startsWith(QStringLiteral("\"_000 Start\"\r\n\"_000A 使用ﾎﾙﾀﾞﾘｽﾄ\r\n\r\n\r\n")))
        << trace.toStdString();
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_000P 各ﾎﾙﾀﾞの確認=OK\"\r\n\"_000Q 1626 2334\"\r\n")));

    k5test::writeBytes(f.traceFile, "old entries");
    ASSERT_TRUE(s.start().ok);
    EXPECT_TRUE(s.trace().startsWith(QStringLiteral("\"_000 Start\"")));
}

TEST(StartUp, AnalysisMarkerChoosesTheLinkOrIsDeleted) {
    struct Case {
        QByteArray marker;
        QString kind;
    };
    for (const Case& c : {Case{"  rx3 \r\n", "RX3"}, Case{"\"RX2\",1\r\n", "RX2"}, Case{"RX9\r\n", ""}}) {
        Started s;
        const QString marker = s.prg() + QStringLiteral("/fmm");
        k5test::writeBytes(marker, c.marker);
        ASSERT_TRUE(s.start().ok);
        EXPECT_EQ(s.tree.ctx.folders.analysisKind, c.kind);
        EXPECT_EQ(QFile::exists(marker), !c.kind.isEmpty());
        if (c.kind == QStringLiteral("RX3")) {
            EXPECT_EQ(s.tree.ctx.folders.analysisProgramName, QStringLiteral("KAMO-RX3"));
            EXPECT_TRUE(s.trace().contains(QStringLiteral("が見つからない→Ver=???")));
        }
    }
}

// The tree is found by whole folder names: a folder above named like "Prg1"
// or "myprg" does not move the job folder out of the program's own tree.
TEST(StartUp, TheProgramsOwnFolderDecidesTheBaseAndTheCurrentDirectoryTheMasters) {
    k5test::TempTree tree;
    const QString prg = tree.kmd() + QStringLiteral("/myprg/K5/PRG");
    QDir().mkpath(prg);
    ASSERT_TRUE(startUp(tree.ctx, prg + QStringLiteral("/kamo-k5"), prg).ok);
    EXPECT_EQ(tree.ctx.folders.prgFolder, prg);
    EXPECT_EQ(tree.ctx.folders.dataFolder, tree.kmd() + QStringLiteral("/myprg/K5/DAT"));
    EXPECT_EQ(tree.ctx.folders.masterFolder, tree.kmd() + QStringLiteral("/MAS"));

    // A folder that is not named PRG is not the program's folder.
    k5test::TempTree loose;
    const QString notPrg = loose.kmd() + QStringLiteral("/K5/myprg");
    QDir().mkpath(notPrg);
    const StartUpResult refused = startUp(loose.ctx, notPrg + QStringLiteral("/kamo-k5"), notPrg);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.reason.contains(QStringLiteral("「PRG」")));

    // Started from outside any KMD tree: the master folder is not found.
    k5test::TempTree other;
    StartUpResult result = startUp(other.ctx, prg + QStringLiteral("/kamo-k5"), QDir::tempPath());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.reason.contains(QStringLiteral("マスターフォルダ")));
    QString trace = fromCp932(k5test::readBytes(other.ctx.folders.traceFile));
    EXPECT_TRUE(trace.contains(QStringLiteral("_000N 各ﾎﾙﾀﾞの確認(False)End------------->")))
        << trace.toStdString();
}

TEST(JobList, RowsFollowTheLayoutOfTheJob) {
    FoundationRecord r;
    r.name = QStringLiteral("F1");
    r.memo = QStringLiteral("memo");
    r.data1[0] = 2;
    r.data1[30] = 200;
    r.data1[32] = 2.5f;
    r.data2[5][1] = 600;
    r.data2[4][2] = 2500;
    r.provisionalName = QStringLiteral("F001(仮名)");
    EXPECT_EQ(listRow(r, 3, false), QStringList({"3", "F1", "杭基礎", "600", "0", "0", "2500", "2.5", "0",
                                                 "200", "0", "memo", ""}));
    EXPECT_EQ(listRow(r, 1, true).mid(1, 7), QStringList({"F1", "F001(仮名)", "", "", "", "杭基礎", "0"}));
    for (bool imported : {false, true}) {
        ListLayout layout = listLayout(imported);
        EXPECT_EQ(layout.headers.size(), static_cast<qsizetype>(layout.widthsTwips.size()));
        EXPECT_EQ(layout.headers.size(), listRow(r, 1, imported).size());
        EXPECT_EQ(layout.headers[layout.typeColumn],
                  imported ? QStringLiteral("ﾀｲﾌﾟ") : QStringLiteral("TYP"));
    }
}

TEST(StartUp, AKmdTreeInsideAnotherUsesItsOwnMasters) {
    k5test::TempTree tree;
    const QString inner = tree.kmd() + QStringLiteral("/projects/KMD");
    QDir().mkpath(inner + QStringLiteral("/MAS"));
    QDir().mkpath(inner + QStringLiteral("/K5/PRG"));
    const QString prg = inner + QStringLiteral("/K5/PRG");
    ASSERT_TRUE(startUp(tree.ctx, prg + QStringLiteral("/kamo-k5"), prg).ok);
    EXPECT_EQ(tree.ctx.folders.masterFolder, inner + QStringLiteral("/MAS"));
    EXPECT_EQ(tree.ctx.folders.dataFolder, inner + QStringLiteral("/K5/DAT"));
}

TEST(StartUp, AFolderNamedKmdWinsOverKmdInsideAnotherName) {
    k5test::TempTree tree;
    const QString inner = tree.kmd() + QStringLiteral("/../kmdesign/KMD");
    QDir().mkpath(inner + QStringLiteral("/MAS"));
    QDir().mkpath(inner + QStringLiteral("/K5/PRG"));
    const QString prg = QDir::cleanPath(inner + QStringLiteral("/K5/PRG"));
    ASSERT_TRUE(startUp(tree.ctx, prg + QStringLiteral("/kamo-k5"), prg).ok);
    EXPECT_EQ(tree.ctx.folders.masterFolder, QDir::cleanPath(inner + QStringLiteral("/MAS")));
}
