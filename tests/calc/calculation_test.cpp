#include "calc/calc_messages.h"
#include "calc/calculation.h"
#include "calc/grade_stress.h"
#include "calc_fixtures.h"
#include "expect_single.h"
#include "jobdata/job_file.h"
#include "jobdata/job_state.h"
#include "masters/bar_size_master.h"
#include "masters/concrete_setting.h"
#include "masters/grade_master.h"
#include "platform/file_replace.h"
#include "platform/record_file.h"
#include "qt_printers.h"
#include "shell/run_calculation.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <limits>

using namespace k5;
using namespace k5test;

namespace {

class Calculation : public ::testing::Test {
  protected:
    void SetUp() override {
        k5test::ensureRebarMasters(ctx);
        ensureConcreteFile(ctx.folders);
    }

    void writeJob(const QList<FoundationRecord>& records) {
        QByteArray bytes;
        for (const FoundationRecord& r : records)
            bytes += encodeRecord(r);
        writeBytes(ctx.folders.jobFile(), bytes);
    }

    FoundationRecord stored(int n) {
        RecordFile file(ctx.folders.jobFile(), FoundationRecord::kLength);
        EXPECT_TRUE(file.openReadOnly());
        return decodeRecord(file.read(n));
    }

    TempTree tree;
    AppContext& ctx = tree.ctx;
};

TEST_F(Calculation, SiJobOfBothTypes) {
    FootingInput footing;
    footing.fe = 200;
    footing.Wc = 24;
    footing.Ws = 16;
    PileCapInput triangle;
    triangle.layout = 3;
    triangle.Px2 = 1000;
    triangle.Wc = 24;
    triangle.Ws = 16;
    PileCapInput five = triangle;
    five.layout = 6;
    writeJob({savedFooting(footing, QStringLiteral("F1")), savedPileCap(triangle, QStringLiteral("P3")),
              savedPileCap(five, QStringLiteral("P5"))});

    ASSERT_TRUE(runCalculation(ctx)) << tree.prompt.lastText().toStdString();
    ASSERT_EQ(tree.prompt.shown().size(), 1u);
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("計算を終了しました。　　　"));
    EXPECT_EQ(tree.prompt.shown().back().icon, Icon::Information);

    const FoundationRecord f = stored(1);
    EXPECT_TRUE(allFinite(f));
    EXPECT_SINGLE(f.data2[row::L1][1], 750); // completed by the check
    EXPECT_SINGLE(f.data2[row::L1][3], 750);
    // 2.125 m³ of concrete (slab and stub), 1.875 m³ of backfill.
    EXPECT_SINGLE(f.data1[field::Vc], 2.125);
    EXPECT_SINGLE(f.data1[field::Vs], 1.875);
    EXPECT_SINGLE(f.data1[field::W1], 51);
    EXPECT_SINGLE(f.data1[field::W2], 30);
    EXPECT_SINGLE(f.data2[row::sumN][1], 581);
    EXPECT_SINGLE(f.data2[row::Areq][1], 2.905);
    EXPECT_SINGLE(f.data2[row::Q][1], 187.5);
    EXPECT_SINGLE(f.data2[row::Mface][1], 70.3125);
    EXPECT_SINGLE(f.data2[row::ft][1], 196); // SD295 up to D25, SI
    EXPECT_SINGLE(f.data2[row::ft][3], 295);
    EXPECT_SINGLE(f.data2[row::atBar][1], 2.85);
    EXPECT_SINGLE(f.data2[row::psiBar][2], 6);
    EXPECT_SINGLE(f.data2[row::fa][1], 2.1); // edition 2, Fc 21
    EXPECT_EQ(f.data2[row::nBars][1], 4);
    EXPECT_SINGLE(f.data1[field::b0stored], 33.502);
    EXPECT_EQ(f.data1[field::ngFlag], 0);

    const FoundationRecord p = stored(2);
    EXPECT_TRUE(allFinite(p));
    EXPECT_EQ(p.data2[row::P][4], 866); // Int(1000·√3/2), written back
    EXPECT_EQ(p.data2[row::centre][1], 1);
    EXPECT_EQ(p.data2[row::centre][2], 1);
    EXPECT_EQ(p.data2[row::L][1], 1800);
    EXPECT_EQ(p.data2[row::L][2], 1666);
    EXPECT_EQ(p.data1[field::pileCount], 3);
    EXPECT_EQ(p.data1[field::pileVariant], 1);
    EXPECT_GT(p.data2[row::Rmax1][1], 0);
    EXPECT_GT(p.data2[row::nBars][2], 0); // Y bars designed under axial load

    const FoundationRecord q = stored(3);
    EXPECT_EQ(q.data1[field::auxSpacing], 1414); // F = Int(1000·√2)
    EXPECT_EQ(q.data2[row::L][1], 800 + 1414);

    ctx.counts = countNgFoundations(ctx.folders);
    EXPECT_EQ(ctx.counts.isolated, 1);
    EXPECT_EQ(ctx.counts.pileCaps, 2);
    EXPECT_EQ(ctx.counts.isolatedNg, 0);
}

TEST_F(Calculation, CgsJob) {
    FootingInput footing;
    footing.unit = 2;
    footing.Fc = 210;
    footing.fe = 20;
    footing.Wc = 2.4f;
    footing.Ws = 1.6f;
    footing.N = 200;
    PileCapInput cap;
    cap.unit = 2;
    cap.Fc = 210;
    cap.Pe = 50;
    cap.N = 100;
    writeJob({savedFooting(footing, QStringLiteral("F1")), savedPileCap(cap, QStringLiteral("P4"))});
    ASSERT_TRUE(runCalculation(ctx)) << tree.prompt.lastText().toStdString();

    const FoundationRecord f = stored(1);
    EXPECT_SINGLE(f.data2[row::ft][1], 2000);
    EXPECT_SINGLE(f.data2[row::fs][1], 7);
    EXPECT_SINGLE(f.data2[row::fa][3], 31.5);
    EXPECT_SINGLE(f.data1[field::W1], 2.4 * 2.125);
    // Punching in tonnes: b0·1.5·j·fs / 10⁵.
    EXPECT_SINGLE(f.data2[row::QPA][1], 3350.2 * 1.5 * 376.25 * 7 / 100000);
    EXPECT_EQ(f.data2[row::punchNG][1], -1);
    EXPECT_EQ(f.data1[field::ngFlag], -1);

    const FoundationRecord p = stored(2);
    EXPECT_SINGLE(p.data2[row::QPA][1], (730 + 300) * 3.14159 * 1.5 * 638.75 * 7 / 100000);

    ctx.counts = countNgFoundations(ctx.folders);
    EXPECT_EQ(ctx.counts.isolatedNg, 1);
}

// A finished run says how many foundations failed a check and where to see
// them; the 計算結果一覧 offer stays beside it.
TEST_F(Calculation, TheFinishMessageCountsTheNgFoundations) {
    FootingInput ok, weak;
    ok.fe = 200;
    weak.fe = 100;
    writeJob({savedFooting(weak, QStringLiteral("F1")), savedFooting(ok, QStringLiteral("F2")),
              savedFooting(weak, QStringLiteral("F3"))});
    bool listWanted = true;
    EXPECT_TRUE(runCalculation(ctx, listWanted));
    EXPECT_FALSE(listWanted); // the scripted prompt answers OK
    EXPECT_EQ(tree.prompt.lastText(),
              QStringLiteral("計算を終了しました。　　　\n\nNG：2 基礎（計算結果一覧で確認できます）"));

    writeJob({savedFooting(ok, QStringLiteral("F2"))});
    tree.prompt.clear();
    EXPECT_TRUE(runCalculation(ctx, listWanted));
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("計算を終了しました。　　　"));
}

TEST_F(Calculation, AFailingCheckStopsTheRunAtItsRecord) {
    FoundationRecord bad = savedFooting({}, QStringLiteral("F2"));
    bad.data2[row::N][1] = 0;
    FoundationRecord third = savedFooting({}, QStringLiteral("F3"));
    writeJob({savedFooting({}, QStringLiteral("F1")), bad, third});
    const QByteArray before = readBytes(ctx.folders.jobFile()).mid(2 * FoundationRecord::kLength);

    EXPECT_FALSE(runCalculation(ctx));
    ASSERT_EQ(tree.prompt.shown().size(), 1u);
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("ﾃﾞｰﾀNo 2: 長期軸力=0 となっています。　　　"));
    EXPECT_NE(stored(1).data2[row::sumN][1], 0);
    EXPECT_EQ(stored(2).data2[row::sumN][1], 0);
    EXPECT_EQ(readBytes(ctx.folders.jobFile()).mid(2 * FoundationRecord::kLength), before);
}

// The results reach the job file only as a whole new job: when it cannot be
// written, the old job stays exactly as it was and the run says so.
TEST_F(Calculation, AJobThatCannotBeWrittenStaysWholeAndTheRunFails) {
    writeJob({savedFooting({}, QStringLiteral("F1")), savedFooting({}, QStringLiteral("F2"))});
    const QByteArray before = readBytes(ctx.folders.jobFile());
    // A link planted under the name earlier versions wrote through first.
    const QString elsewhere = ctx.folders.saveFolder + QStringLiteral("/elsewhere");
    k5test::writeBytes(elsewhere, "kept");
    ASSERT_TRUE(QFile::link(elsewhere, ctx.folders.jobFile() + QStringLiteral("_dum")));

    write_faults::failStep(1); // the disk is full
    EXPECT_FALSE(runCalculation(ctx));
    write_faults::failStep(0);
    EXPECT_EQ(tree.prompt.lastText(), calc_message::writeFailed());
    EXPECT_EQ(tree.prompt.shown().back().icon, Icon::Error);
    EXPECT_EQ(readBytes(ctx.folders.jobFile()), before);

    ASSERT_TRUE(runCalculation(ctx));
    EXPECT_NE(stored(2).data2[row::sumN][1], 0);
    EXPECT_EQ(k5test::readBytes(elsewhere), QByteArray("kept"));
    EXPECT_EQ(k5test::scratchLeftIn(ctx.folders.dataFolder), QStringList{QStringLiteral("K5dat02.k5d_dum")});
}

TEST_F(Calculation, ARecordThatCannotBeDesignedStopsWithoutNonsense) {
    FootingInput tipping;
    tipping.M[1] = 600; // e/L = 0.6
    writeJob({savedFooting({}, QStringLiteral("F1")), savedFooting(tipping, QStringLiteral("F2"))});
    EXPECT_FALSE(runCalculation(ctx));
    ASSERT_EQ(tree.prompt.shown().size(), 1u);
    EXPECT_TRUE(tree.prompt.lastText().startsWith(QStringLiteral("ﾃﾞｰﾀNo 2: ")));
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("ﾃﾞｰﾀNo 2: ") + calc_message::eccentricityTooLarge(1));
    EXPECT_EQ(tree.prompt.shown().back().icon, Icon::Warning);
    EXPECT_TRUE(allFinite(stored(2)));
}

TEST_F(Calculation, ARebarRuleBeyondAnIntegerStopsTheRun) {
    FoundationRecord r = savedFooting({}, QStringLiteral("F1"));
    r.data1[field::pitchy] = 40000;
    writeJob({r});
    EXPECT_FALSE(runCalculation(ctx));
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("ﾃﾞｰﾀNo 1: ") + calc_message::barRuleOutOfRange());
}

TEST_F(Calculation, MasterProblemsStopTheRun) {
    struct Case {
        QString grade, size;
        int edition;
        QString message;
    };
    const QString two = QStringLiteral("ﾃﾞｰﾀNo 1: ");
    const Case cases[] = {
        {QStringLiteral("SD999"), QStringLiteral("D19"), 2,
         QStringLiteral("指定された鉄筋（SD999）が見つかりません　　　\n\n処理を中断します\n\n")},
        {QStringLiteral("SD295"), QStringLiteral("D20"), 2,
         two + calc_message::barSizeMissing(1, QStringLiteral("D20"))},
        {QStringLiteral("SD295"), QStringLiteral("D19"), 5, two + calc_message::concreteEditionInvalid(5)},
    };
    for (const Case& c : cases) {
        FoundationRecord r = savedFooting({}, QStringLiteral("F1"));
        r.barGradeX = c.grade;
        r.barSizeX = c.size;
        writeJob({r});
        ctx.concrete.concreteEdition = c.edition;
        ASSERT_TRUE(saveConcreteSetting(ctx.folders, ctx.concrete));
        tree.prompt.clear();
        EXPECT_FALSE(runCalculation(ctx)) << c.message.toStdString();
        EXPECT_EQ(tree.prompt.lastText(), c.message);
        EXPECT_TRUE(allFinite(stored(1)));
    }
}

// A damaged stored record is refused by name before it is designed: never a
// finished run on nonsense, never a non-finite value written.
TEST_F(Calculation, DamagedStoredValuesRefuseTheRecordByName) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        std::function<void(FoundationRecord&)> damage;
        QString message; // after the prefix
    };
    const Case cases[] = {
        {"NaN priority", [&](FoundationRecord& r) { r.data1[field::priority] = nan; },
         calc_message::storedValueNotNumber(QStringLiteral("鉄筋本数の決定方法"))},
        {"infinite M",
         [](FoundationRecord& r) { r.data2[row::M][3] = std::numeric_limits<float>::infinity(); },
         calc_message::storedValueNotNumber(QStringLiteral("M(短期X)"))},
        {"priority 7", [](FoundationRecord& r) { r.data1[field::priority] = 7; },
         calc_message::storedValueOutOfRange(QStringLiteral("鉄筋本数の決定方法"), QStringLiteral("1～3"))},
        {"unit 0", [](FoundationRecord& r) { r.data1[field::unitSystem] = 0; },
         calc_message::storedValueOutOfRange(QStringLiteral("単位系"), QStringLiteral("1 または 2"))},
        {"centre 5", [](FoundationRecord& r) { r.data2[row::centre][2] = 5; },
         calc_message::storedValueOutOfRange(QStringLiteral("Y方向の中心"), QStringLiteral("0 または 1"))},
        {"huge Px1 of a pile cap",
         [](FoundationRecord& r) {
             r = savedPileCap({}, QStringLiteral("F2"));
             r.data2[row::P][1] = 3.4e38f; // finite, but the cap 2·Px1 + Px2 is not
         },
         calc_message::completedValueTooLarge(QStringLiteral("Lx"))},
    };
    for (const Case& c : cases) {
        FoundationRecord bad = savedFooting({}, QStringLiteral("F2"));
        c.damage(bad);
        writeJob({savedFooting({}, QStringLiteral("F1")), bad});
        const QByteArray before = readBytes(ctx.folders.jobFile()).mid(FoundationRecord::kLength);
        tree.prompt.clear();
        EXPECT_FALSE(runCalculation(ctx)) << c.what;
        EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("ﾃﾞｰﾀNo 2: ") + c.message) << c.what;
        EXPECT_EQ(readBytes(ctx.folders.jobFile()).mid(FoundationRecord::kLength), before)
            << c.what << ": the refused record is left as it was";
    }
}

// Master values no design can use stop the run, naming the file and row.
TEST_F(Calculation, UnusableMasterValuesStopTheRun) {
    const QList<GradeRecord> grades = readGradeRecords(ctx.folders);
    int row = 0;
    ASSERT_TRUE(lookupGradeStress(grades, QStringLiteral("SD295"), QStringLiteral("D19"), true, &row));
    // A flipped sign in the SI long-term stress of that row (a Single at byte 38).
    QByteArray file = readBytes(ctx.folders.rebarGradeFile);
    const qsizetype at = static_cast<qsizetype>(row - 1) * kGradeRecordLength + 38;
    file[at + 3] = static_cast<char>(file[at + 3] ^ 0x80);
    writeBytes(ctx.folders.rebarGradeFile, file);
    writeJob({savedFooting({}, QStringLiteral("F1"))});
    EXPECT_FALSE(runCalculation(ctx));
    EXPECT_EQ(tree.prompt.lastText(),
              calc_message::gradeStressUnusable(ctx.folders.rebarGradeFile, row, QStringLiteral("SD295")));
    EXPECT_EQ(tree.prompt.shown().back().icon, Icon::Error);

    // A Young's modulus of 0 or below in the same master stops the run too,
    // before any record is designed.
    ensureGradeFile(ctx.folders);
    writeDefaultGrades(ctx.folders);
    for (const QByteArray& young : {QByteArray("205000 -2100\r\n"), QByteArray("0 2100\r\n")}) {
        writeBytes(ctx.folders.youngModulusFile, young);
        const QByteArray job = readBytes(ctx.folders.jobFile());
        EXPECT_FALSE(runCalculation(ctx)) << young.constData();
        EXPECT_EQ(tree.prompt.lastText(), calc_message::youngModulusUnusable(ctx.folders.youngModulusFile));
        EXPECT_EQ(readBytes(ctx.folders.jobFile()), job);
    }
}

// A job file cut inside a record is damaged: the run designs no half record
// of zeros and does not grow the file.
TEST_F(Calculation, AJobCutInsideARecordIsRefusedAsDamaged) {
    writeJob({savedFooting({}, QStringLiteral("F1"))});
    const QByteArray cut =
        readBytes(ctx.folders.jobFile()) + QByteArray(FoundationRecord::kLength / 2 + 10, '\0');
    writeBytes(ctx.folders.jobFile(), cut);
    EXPECT_FALSE(runCalculation(ctx));
    EXPECT_EQ(tree.prompt.lastText(), calc_message::jobFileDamaged(ctx.folders.jobFile()));
    EXPECT_EQ(readBytes(ctx.folders.jobFile()), cut);
}

// The command line loads and calculates in one read of the job file: the
// job it leaves is the one a load followed by a run leaves, byte for byte,
// the defaults repaired in the records before, at and after a stop.
TEST_F(Calculation, LoadingInTheRunsReadLeavesTheJobALoadAndARunLeave) {
    const auto unrepaired = [](FoundationRecord r) {
        r.data1[field::priority] = 0;
        r.data1[field::pitchx] = 0;
        return r;
    };
    FoundationRecord stop = unrepaired(savedFooting({}, QStringLiteral("F3")));
    stop.data2[row::N][1] = 0;
    for (bool stops : {false, true}) {
        SCOPED_TRACE(stops ? "a run that stops" : "a complete run");
        const QList<FoundationRecord> job{unrepaired(savedFooting({}, QStringLiteral("F1"))),
                                          savedPileCap({}, QStringLiteral("P2")),
                                          stops ? stop : unrepaired(savedFooting({}, QStringLiteral("F3"))),
                                          unrepaired(savedPileCap({}, QStringLiteral("P4")))};
        writeJob(job);
        ASSERT_TRUE(loadJob(ctx.folders, ctx.job, ctx.jobHooks));
        EXPECT_EQ(runCalculation(ctx), !stops);
        const QByteArray loadedThenRun = readBytes(ctx.folders.jobFile());
        const QString message = tree.prompt.lastText();

        writeJob(job);
        ctx.job = JobState{};
        EXPECT_EQ(loadAndRunCalculation(ctx), !stops);
        EXPECT_EQ(tree.prompt.lastText(), message);
        EXPECT_EQ(readBytes(ctx.folders.jobFile()), loadedThenRun);
        EXPECT_EQ(stored(4).data1[field::priority], 2);
        EXPECT_EQ(ctx.job.currentJobName, QStringLiteral("試験工事"));
        EXPECT_EQ(ctx.job.recordCount, 4);
        EXPECT_FALSE(QFileInfo::exists(ctx.folders.jobFile() + QStringLiteral("_dum")));
    }
}

TEST_F(Calculation, NothingToCalculate) {
    FoundationRecord unknown = savedFooting({}, QStringLiteral("X"));
    unknown.data1[field::foundationType] = 0;
    writeJob({unknown});
    EXPECT_FALSE(runCalculation(ctx));
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("計算対象となる有効なデータがありません　　　　"));
    EXPECT_EQ(tree.prompt.shown().back().icon, Icon::Warning);
}

TEST(GradeStress, SizeClassesAndLookup) {
    EXPECT_EQ(gradeSizeClass(QStringLiteral("D25")), 1);
    EXPECT_EQ(gradeSizeClass(QStringLiteral("D29")), 2);
    EXPECT_EQ(gradeSizeClass(QStringLiteral("R16")), 0);
    EXPECT_FALSE(gradeSizeClass(QStringLiteral("D5")));
    EXPECT_FALSE(gradeSizeClass(QStringLiteral("D52")));
    EXPECT_FALSE(gradeSizeClass(QStringLiteral("S19")));
    EXPECT_FALSE(gradeSizeClass(QString()));

    TempTree tree;
    ensureGradeFile(tree.ctx.folders);
    const QList<GradeRecord> grades = readGradeRecords(tree.ctx.folders);
    const auto si = lookupGradeStress(grades, QStringLiteral("SD345"), QStringLiteral("D29"), true);
    ASSERT_TRUE(si);
    EXPECT_EQ(si->longTerm, 195);
    EXPECT_EQ(si->shortTerm, 345);
    const auto cgs = lookupGradeStress(grades, QStringLiteral("SR235"), QStringLiteral("R9"), false);
    ASSERT_TRUE(cgs);
    EXPECT_EQ(cgs->longTerm, 1600);
    EXPECT_FALSE(lookupGradeStress(grades, QStringLiteral("SR235"), QStringLiteral("D19"), true));
}

} // namespace
