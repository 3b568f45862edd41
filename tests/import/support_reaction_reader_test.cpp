#include "expect_single.h"
#include "import/support_reaction_reader.h"
#include "import_files.h"
#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "sample_job.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <random>

using namespace k5;
using k5test::reactionLine;

namespace {

class SupportReactionImport : public ::testing::Test {
  protected:
    k5test::LinkedTree linked;
    AppContext& ctx = linked.ctx;

    FoundationRecord record(int n) { return readRecord(ctx.folders, n).value(); }
    Outcome import() { return readSupportReactions(ctx.folders, ctx.job); }
};

// Supports A (frame 1, axis 2) and B (frame 1, axis 3) of storey 1: the X
// lines of both, then the Y lines, where frame and axis change places.
QStringList twoSupports() {
    QStringList lines;
    for (int c = 1; c <= 5; ++c)
        lines << reactionLine(1, 1, 1, 2, c, 1.5 * c, -100 - c, 10 + c, "X1", " 1F ", "Y2");
    for (int c = 1; c <= 5; ++c)
        lines << reactionLine(1, 1, 1, 3, c, 2.5 * c, -200 - c, 20 + c, "X1", "1F", "Y3");
    for (int c = 1; c <= 5; ++c)
        lines << reactionLine(2, 2, 1, 1, c, -3.25 * c, -110 - c, -30 - c, "Y2", "1F", "X1");
    for (int c = 1; c <= 5; ++c)
        lines << reactionLine(2, 3, 1, 1, c, 4 * c, -210 - c, 40 + c, "Y3", "1F", "X1");
    return lines;
}

TEST_F(SupportReactionImport, TwoSupportsSeenInXAndYBecomeTwoCompleteRecords) {
    linked.writeProject(QStringLiteral(" 試験物件 "));
    linked.writeSupports(twoSupports());
    ctx.job.unitSystem = 2; // the job in hand was CGS
    ASSERT_TRUE(import().ok);

    EXPECT_EQ(recordCountOf(ctx.folders), 2);
    EXPECT_EQ(ctx.job.recordCount, 2);
    EXPECT_TRUE(ctx.job.imported);
    EXPECT_EQ(ctx.job.unitSystem, 1);
    EXPECT_EQ(ctx.job.currentJobName, QStringLiteral("(未定)"));
    EXPECT_TRUE(k5test::scratchLeftIn(ctx.folders.dataFolder).isEmpty());

    const FoundationRecord a = record(1);
    const FoundationRecord b = record(2);
    EXPECT_EQ(a.importFlag, -1);
    EXPECT_EQ(a.formatVersion, 204);
    EXPECT_EQ(a.formatVersion2, 204);
    EXPECT_EQ(a.jobName, QStringLiteral("試験物件"));
    EXPECT_EQ(a.fileName, QStringLiteral("試験物件"));
    EXPECT_EQ(a.name, QString());
    EXPECT_EQ(a.groupNo, 0);
    EXPECT_EQ(a.provisionalName, QStringLiteral("F001(仮名)"));
    EXPECT_EQ(b.provisionalName, QStringLiteral("F002(仮名)"));
    EXPECT_EQ((std::array{a.storeyNo, a.frameNo, a.axisNo}), (std::array{1, 1, 2}));
    EXPECT_EQ((std::array{b.storeyNo, b.frameNo, b.axisNo}), (std::array{1, 1, 3}));
    EXPECT_EQ(a.storeyName, QStringLiteral("1F"));
    EXPECT_EQ(a.frameName, QStringLiteral("X1"));
    EXPECT_EQ(a.axisName, QStringLiteral("Y2"));
    for (const FoundationRecord* r : {&a, &b})
        for (int d = 1; d <= 2; ++d)
            for (int c = 1; c <= 5; ++c)
                EXPECT_EQ(r->reactFlag[d][c], 1) << d << "/" << c;

    // Items 10, 11, 12 are H, N, M; reactions are kept signed.
    EXPECT_SINGLE(a.reactH[1][3], 4.5);
    EXPECT_SINGLE(a.reactN[1][3], -103);
    EXPECT_SINGLE(a.reactM[1][3], 13);
    EXPECT_SINGLE(a.reactN[2][4], -114);
    EXPECT_SINGLE(b.reactM[2][5], 45);

    // Design loads from cases L and E, positive.
    const auto& d2 = a.data2;
    EXPECT_SINGLE(d2[row::N][1], 101);
    EXPECT_SINGLE(d2[row::N][2], 101);
    EXPECT_SINGLE(d2[row::N][3], 102);
    EXPECT_SINGLE(d2[row::N][4], 112);
    EXPECT_SINGLE(d2[row::H][1], 1.5);
    EXPECT_SINGLE(d2[row::H][2], 3.25);
    EXPECT_SINGLE(d2[row::H][3], 3);
    EXPECT_SINGLE(d2[row::H][4], 6.5);
    EXPECT_SINGLE(d2[row::M][1], 11);
    EXPECT_SINGLE(d2[row::M][2], 31);
    EXPECT_SINGLE(d2[row::M][3], 12);
    EXPECT_SINGLE(d2[row::M][4], 32);

    // An isolated footing with the SI common values, column centred.
    const CommonValues si = defaultCommonValues(1);
    EXPECT_EQ(a.data1[field::foundationType], 1);
    EXPECT_EQ(a.data1[field::unitSystem], 1);
    EXPECT_SINGLE(a.data1[field::Fc], si.Fc);
    EXPECT_SINGLE(a.data1[field::Wc], si.Wc);
    EXPECT_SINGLE(a.data1[field::fe], si.fe);
    EXPECT_SINGLE(a.data1[field::cover], si.d);
    EXPECT_SINGLE(a.data1[field::priority], si.priority);
    EXPECT_EQ(a.barGradeX, si.barGrade);
    EXPECT_EQ(a.barSizeY, si.barSize);
    for (int j = 1; j <= 4; ++j)
        EXPECT_SINGLE(d2[row::a][j], j % 2 ? si.ax : si.ay);
    EXPECT_EQ(d2[row::centre][1], 1);
    EXPECT_EQ(d2[row::centre][2], 1);
    EXPECT_EQ(a.data1[field::Pe], 0);
    EXPECT_EQ(d2[row::sumN][1], 0); // not calculated
}

// Which records the lines make: each expected record as "storey/frame/axis:
// flags", the flags "d.c" of the direction and case pairs it received.
struct OrderCase {
    const char* what;
    QStringList lines;
    QStringList records;
};

QString describe(const FoundationRecord& r) {
    QStringList flags;
    for (int d = 1; d <= 2; ++d)
        for (int c = 1; c <= 5; ++c)
            if (r.reactFlag[d][c]) flags << QStringLiteral("%1.%2").arg(d).arg(c);
    return QStringLiteral("%1/%2/%3:").arg(r.storeyNo).arg(r.frameNo).arg(r.axisNo) + flags.join(u' ');
}

TEST(SupportReactionRecords, LinesJoinOrStartRecordsByDirectionCaseAndKey) {
    const OrderCase cases[] = {
        {"a missing case 1 still starts its support",
         {reactionLine(1, 1, 1, 1, 1), reactionLine(1, 1, 1, 2, 2), reactionLine(1, 1, 1, 2, 3)},
         {"1/1/1:1.1", "1/1/2:1.2 1.3"}},
        {"a Y line without X line starts a support keyed as written",
         {reactionLine(1, 1, 1, 1, 1), reactionLine(2, 5, 1, 7, 1), reactionLine(2, 1, 1, 1, 2)},
         {"1/1/1:1.1 2.2", "1/5/7:2.1"}},
        {"a first line of case 2 keyed 0/0/0 has no support to join",
         {reactionLine(1, 0, 0, 0, 2), reactionLine(1, 0, 0, 0, 3)},
         {"0/0/0:1.2 1.3"}},
        {"case 1 always starts a support, a Y line joins the first of a key",
         {reactionLine(1, 1, 1, 1, 1), reactionLine(1, 1, 1, 1, 1), reactionLine(2, 1, 1, 1, 1)},
         {"1/1/1:1.1 2.1", "1/1/1:1.1"}},
        {"a Y line joining leaves the previous key alone",
         {reactionLine(1, 1, 1, 2, 1), reactionLine(2, 2, 1, 1, 1), reactionLine(1, 1, 1, 2, 2)},
         {"1/1/2:1.1 1.2 2.1"}},
        {"a support started by a Y line becomes the previous key",
         {reactionLine(1, 1, 1, 2, 1), reactionLine(2, 9, 1, 9, 1), reactionLine(1, 1, 1, 2, 2)},
         {"1/1/2:1.1", "1/9/9:2.1", "1/1/2:1.2"}},
        {"storeys keep supports apart",
         {reactionLine(1, 1, 1, 2, 1), reactionLine(1, 1, 2, 2, 1), reactionLine(2, 2, 2, 1, 1)},
         {"1/1/2:1.1", "2/1/2:1.1 2.1"}},
    };
    for (const OrderCase& c : cases) {
        std::vector<ReactionLine> lines;
        ASSERT_TRUE(parseSupportReactions(k5test::LinkedTree::crlf(c.lines), "f", lines).ok) << c.what;
        std::vector<FoundationRecord> records;
        ASSERT_TRUE(buildImportedRecords(lines, {}, defaultCommonValues(1), records).ok) << c.what;
        QStringList got;
        for (const FoundationRecord& r : records)
            got << describe(r);
        EXPECT_EQ(got, c.records) << c.what << ": " << got.join(u',').toStdString();
    }
}

// The rules read literally: every Y line searches the records from the first.
std::vector<FoundationRecord> byLinearSearch(const std::vector<ReactionLine>& lines) {
    std::vector<FoundationRecord> records;
    int previous[3] = {0, 0, 0};
    for (const ReactionLine& line : lines) {
        FoundationRecord* target = nullptr;
        if (line.direction == 1 && line.loadCase != 1 && !records.empty() && line.frame == previous[0] &&
            line.storey == previous[1] && line.axis == previous[2])
            target = &records.back();
        if (line.direction == 2)
            for (FoundationRecord& r : records)
                if (r.storeyNo == line.storey && r.frameNo == line.axis && r.axisNo == line.frame) {
                    target = &r;
                    break;
                }
        if (!target) {
            records.emplace_back();
            target = &records.back();
            target->storeyNo = line.storey;
            target->frameNo = line.frame;
            target->axisNo = line.axis;
            previous[0] = line.frame;
            previous[1] = line.storey;
            previous[2] = line.axis;
        }
        target->reactFlag[line.direction][line.loadCase] = 1;
        target->reactN[line.direction][line.loadCase] = line.N;
    }
    return records;
}

TEST(SupportReactionRecords, TheKeyIndexGivesTheRecordsOfTheSearchInTheirOrder) {
    // Few frames, storeys and axes, so that keys repeat and lines go missing
    // in every pattern; both directions and every case.
    std::mt19937 random(20261210);
    for (int round = 0; round < 200; ++round) {
        std::vector<ReactionLine> lines(1 + random() % 60);
        for (size_t i = 0; i < lines.size(); ++i) {
            ReactionLine& l = lines[i];
            l.lineNumber = static_cast<int>(i) + 1;
            l.direction = 1 + static_cast<int>(random() % 2);
            l.frame = static_cast<int>(random() % 3);
            l.storey = static_cast<int>(random() % 2);
            l.axis = static_cast<int>(random() % 3);
            l.loadCase = 1 + static_cast<int>(random() % 5);
            l.N = static_cast<float>(i);
        }
        std::vector<FoundationRecord> records;
        ASSERT_TRUE(buildImportedRecords(lines, {}, defaultCommonValues(1), records).ok);
        const std::vector<FoundationRecord> expected = byLinearSearch(lines);
        ASSERT_EQ(records.size(), expected.size()) << "round " << round;
        for (size_t n = 0; n < records.size(); ++n) {
            EXPECT_EQ(describe(records[n]), describe(expected[n]))
                << "round " << round << ", record " << n + 1;
            EXPECT_EQ(records[n].reactN, expected[n].reactN) << "round " << round << ", record " << n + 1;
        }
    }
}

TEST(SupportReactionRecords, DesignLoadsRoundHalvesUpOnTheStoredSingleThenTurnPositive) {
    const struct {
        float reaction;
        float load;
    } cases[] = {
        {-12.3456f, 12.346f},     {0.0004f, 0}, {-0.0004f, 0}, {0.0005f, 0.001f}, {-0.0005f, 0}, {2.5f, 2.5f},
        {-1234.5678f, 1234.568f}, {0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(designLoad(c.reaction), c.load) << c.reaction;
}

TEST(SupportReactionRecords, ProvisionalNamesCarryTheLastThreeDigitsAndFillTheirField) {
    EXPECT_EQ(provisionalName(7), QStringLiteral("F007(仮名)"));
    EXPECT_EQ(provisionalName(10), QStringLiteral("F010(仮名)"));
    EXPECT_EQ(provisionalName(1234), QStringLiteral("F234(仮名)"));
    // "F007(仮名)" fills the 10-byte field, so its terminator is cut.
    FoundationRecord r;
    r.provisionalName = provisionalName(7);
    EXPECT_EQ(encodeRecord(r).mid(2136, 10), toCp932(QStringLiteral("F007(仮名)")));
}

TEST(SupportReactionRecords, ItemsFollowTheTextRulesOfTheAnalysisOutput) {
    // Quoted names may hold commas; long names are cut at whole characters;
    // blank lines and an end byte close the file; numbers may use an exponent.
    QByteArray text = k5test::LinkedTree::crlf(
        {QStringLiteral(" 1 , 3 ,2,4, 1 ,\"X,3\",2F,\"通り芯ＡＢＣＤＥ\",\"\", 1.5E+2 ,-2D1, .5"),
         QString()});
    text += "\x1a";
    std::vector<ReactionLine> lines;
    ASSERT_TRUE(parseSupportReactions(text, "f", lines).ok);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].frame, 3);
    EXPECT_EQ(lines[0].frameName, QStringLiteral("X,3"));
    EXPECT_EQ(lines[0].storeyName, QStringLiteral("2F"));
    EXPECT_SINGLE(lines[0].H, 150);
    EXPECT_SINGLE(lines[0].N, -20);
    EXPECT_SINGLE(lines[0].M, 0.5);
    std::vector<FoundationRecord> records;
    ASSERT_TRUE(buildImportedRecords(lines, {}, defaultCommonValues(1), records).ok);
    EXPECT_EQ(encodeRecord(records[0]).mid(2126, 10), toCp932(QStringLiteral("通り芯ＡＢ")));
}

TEST(SupportReactionRecords, DesignLoadsExistOnlyWhileTheirThousandfoldIsASingle) {
    EXPECT_FALSE(designLoad(3.4e38f).has_value());
    EXPECT_FALSE(designLoad(-3.5e35f).has_value());
    ASSERT_TRUE(designLoad(3.0e35f).has_value());
    EXPECT_NEAR(*designLoad(3.0e35f) / 3.0e35, 1.0, 1e-6);
}

TEST(SupportReactionRecords, MoreSupportsThanAJobCanNumberAreRefused) {
    std::vector<ReactionLine> lines(kMaxImportedRecords + 1);
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i].lineNumber = static_cast<int>(i) + 1;
        lines[i].direction = 1;
        lines[i].loadCase = 1;
    }
    std::vector<FoundationRecord> records;
    const Outcome built = buildImportedRecords(lines, {}, defaultCommonValues(1), records, "dat/KW-FSPTK5");
    EXPECT_FALSE(built.ok);
    EXPECT_TRUE(built.message.text.contains(QStringLiteral("32767"))) << built.message.text.toStdString();
    EXPECT_TRUE(built.message.text.contains(QStringLiteral("dat/KW-FSPTK5")))
        << built.message.text.toStdString();
    lines.pop_back();
    ASSERT_TRUE(buildImportedRecords(lines, {}, defaultCommonValues(1), records).ok);
    EXPECT_EQ(records.back().provisionalName, QStringLiteral("F767(仮名)"));
}

// A bad input file leaves the job as it was, byte for byte, with a message
// that names the file and the place.
TEST_F(SupportReactionImport, ABadFileLeavesTheJobUntouchedAndSaysWhere) {
    struct Case {
        const char* what;
        QByteArray project;
        QByteArray supports;
        QStringList message; // parts the message must contain
    };
    const QByteArray goodProject = k5test::LinkedTree::crlf({"\"P-01\",1,2,\"物件\""});
    const QByteArray goodLine = k5test::LinkedTree::crlf({reactionLine(1, 1, 1, 1, 1)});
    auto support = [&](const QString& line) { return goodLine + k5test::LinkedTree::crlf({line}); };
    const Case cases[] = {
        {"unreadable real",
         goodProject,
         support("1,1,1,2,1,\"a\",\"b\",\"c\",\"\",1.5,abc,3"),
         {"KW-FSPTK5", "2行目", "11番目"}},
        {"direction 3", goodProject, support("3,1,1,2,1,\"a\",\"b\",\"c\",\"\",1,2,3"), {"2行目", "1番目"}},
        {"case 6", goodProject, support("1,1,1,2,6,\"a\",\"b\",\"c\",\"\",1,2,3"), {"2行目", "5番目"}},
        {"case 0", goodProject, support("1,1,1,2,0,\"a\",\"b\",\"c\",\"\",1,2,3"), {"5番目"}},
        {"integer out of range",
         goodProject,
         support("1,40000,1,2,1,\"a\",\"b\",\"c\",\"\",1,2,3"),
         {"2番目"}},
        {"fraction for an integer",
         goodProject,
         support("1,1.5,1,2,1,\"a\",\"b\",\"c\",\"\",1,2,3"),
         {"2番目"}},
        {"eleven items", goodProject, support("1,1,1,2,1,\"a\",\"b\",\"c\",\"\",1,2"), {"2行目", "12項目"}},
        {"unclosed quote", goodProject, support("1,1,1,2,1,\"a,b,c,d,1,2,3"), {"2行目"}},
        {"empty support file", goodProject, QByteArray(), {"KW-FSPTK5", "1行もありません"}},
        {"only a blank line and the end byte", goodProject, "\r\n\x1a", {"1行もありません"}},
        {"no P-01", k5test::LinkedTree::crlf({"\"P-00\",1,2,\"x\""}), goodLine, {"KW-FPP1.dat", "P-01"}},
        {"P-01 followed by two items",
         k5test::LinkedTree::crlf({"\"P-01\",1", "2"}),
         goodLine,
         {"KW-FPP1.dat", "1行目"}},
        {"P-01 followed by a text for an integer",
         k5test::LinkedTree::crlf({"\"P-01\",1,x,\"n\""}),
         goodLine,
         {"KW-FPP1.dat", "3番目"}},
        // A reaction a Single holds whose design load (its thousandfold) it does not.
        {"reaction too large for its design load",
         goodProject,
         support("1,1,1,2,1,\"a\",\"b\",\"c\",\"\",1,3.4E+38,3"),
         {"KW-FSPTK5", "2行目", "11番目"}},
        {"end byte inside the support file",
         goodProject,
         goodLine + "\x1a" + k5test::LinkedTree::crlf({reactionLine(1, 2, 1, 1, 1)}),
         {"KW-FSPTK5", "2行目", "0x1A"}},
        {"end byte inside the project file",
         "\x1a" + goodProject,
         goodLine,
         {"KW-FPP1.dat", "1行目", "0x1A"}},
        {"lines ended by CR alone",
         goodProject,
         goodLine + "1,1,1,2,2,\"a\",\"b\",\"c\",\"\",1,2,3\r1,1,1,2,3,\"a\",\"b\",\"c\",\"\",1,2,3\r",
         {"KW-FSPTK5", "2行目", "CR"}},
        {"end mark in a frame name",
         goodProject,
         support("1,1,1,2,1,\"A~B\",\"b\",\"c\",\"\",1,2,3"),
         {"KW-FSPTK5", "2行目", "6番目", "~"}},
        {"end mark in the job name",
         k5test::LinkedTree::crlf({"\"P-01\",1,2,\"物~件\""}),
         goodLine,
         {"KW-FPP1.dat", "4番目", "~"}},
    };
    for (const Case& c : cases) {
        k5test::LinkedTree fresh;
        AppContext& x = fresh.ctx;
        QList<FoundationRecord> old{k5test::sampleRecord("A", kTypePileCap)};
        old[0].importFlag = -1;
        k5test::writeJob(x, old);
        loadJobIdentity(x.folders, x.job);
        const JobState before = x.job;
        const QByteArray job = k5test::readBytes(x.folders.jobFile());
        k5test::writeBytes(fresh.projectPath(), c.project);
        k5test::writeBytes(fresh.supportPath(), c.supports);

        const Outcome outcome = readSupportReactions(x.folders, x.job);
        EXPECT_FALSE(outcome.ok) << c.what;
        EXPECT_EQ(k5test::readBytes(x.folders.jobFile()), job) << c.what;
        EXPECT_TRUE(x.job.imported) << c.what;
        EXPECT_EQ(x.job.recordCount, before.recordCount) << c.what;
        EXPECT_EQ(x.job.unitSystem, before.unitSystem) << c.what;
        for (const QString& part : c.message)
            EXPECT_TRUE(outcome.message.text.contains(part))
                << c.what << ": " << outcome.message.text.toStdString() << " lacks " << part.toStdString();
        EXPECT_TRUE(outcome.message.text.contains(QStringLiteral("現在のデータは変更されていません")))
            << c.what;
    }
}

TEST_F(SupportReactionImport, MissingFilesAndAMissingLinkAreReportedWithoutTouchingTheJob) {
    k5test::writeSampleJob(ctx, 2);
    const QByteArray job = k5test::readBytes(ctx.folders.jobFile());
    linked.writeSupports({reactionLine(1, 1, 1, 1, 1)});
    Outcome outcome = import();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message.icon, Icon::Information);
    EXPECT_EQ(outcome.message.text, QStringLiteral("KAMO-RXⅡが必要なﾌｧｲﾙを出力していません。\n\n"
                                                   "KAMO-RXⅡのﾊﾞｰｼﾞｮﾝを最新のものにしてください。"));

    linked.writeProject();
    ctx.folders.analysisKind.clear();
    ctx.folders.analysisProgramName.clear();
    ctx.folders.analysisDataFolder.clear();
    outcome = import();
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.message.text.contains(QStringLiteral("構造解析プログラムが設定されていない")));
    EXPECT_EQ(k5test::readBytes(ctx.folders.jobFile()), job);
}

// A folder where an input file belongs is said as such, naming it.
TEST_F(SupportReactionImport, AFolderInPlaceOfAnInputFileIsNamed) {
    k5test::writeSampleJob(ctx, 2);
    const QByteArray job = k5test::readBytes(ctx.folders.jobFile());
    linked.writeProject();
    ASSERT_TRUE(QDir().mkpath(linked.supportPath()));
    const Outcome outcome = import();
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.message.text.contains(QStringLiteral("フォルダ")))
        << outcome.message.text.toStdString();
    EXPECT_TRUE(outcome.message.text.contains(linked.supportPath())) << outcome.message.text.toStdString();
    EXPECT_EQ(k5test::readBytes(ctx.folders.jobFile()), job);
}

TEST_F(SupportReactionImport, NewRecordsTakeTheSiRecordOfTheCommonValuesFile) {
    ensureCommonValues(ctx.folders);
    CommonValues si = defaultCommonValues(1);
    si.Fc = 21;
    si.barGrade = QStringLiteral("SD345");
    saveCommonValues(ctx.folders, 1, si);
    ctx.job.unitSystem = 2;
    loadCommonValues(ctx.folders, 2, ctx.common);
    linked.writeProject();
    linked.writeSupports({reactionLine(1, 1, 1, 1, 1)});
    ASSERT_TRUE(import().ok);
    EXPECT_SINGLE(record(1).data1[field::Fc], 21);
    EXPECT_SINGLE(record(1).data1[field::Wc], 24);
    EXPECT_EQ(record(1).barGradeY, QStringLiteral("SD345"));
}

TEST_F(SupportReactionImport, EachRunTakesTheNameOfItsOwnProjectFile) {
    linked.writeSupports({reactionLine(1, 1, 1, 1, 1)});
    linked.writeProject(QStringLiteral("一回目"));
    ASSERT_TRUE(import().ok);
    k5test::writeBytes(linked.projectPath(), k5test::LinkedTree::crlf({"\"P-01\",1,2,\"\""}));
    ASSERT_TRUE(import().ok);
    EXPECT_EQ(record(1).jobName, QString());
}

} // namespace
