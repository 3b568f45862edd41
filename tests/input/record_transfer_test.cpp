#include "input/record_transfer.h"

#include "jobdata/common_values.h"
#include "jobdata/foundation_record.h"
#include "jobdata/job_file.h"
#include "platform/numbers.h"
#include "sample_job.h"
#include "shell/app_context.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

using namespace k5;
using k5test::TempTree;

namespace {

// A footing form the register-time check accepts.
RecordForm isolatedForm(const QString& name) {
    RecordForm f;
    f.name = name;
    f.memo = QStringLiteral("メモ");
    f.N = {QString(), QStringLiteral("500"), QString(), QStringLiteral("50"), QStringLiteral("60")};
    f.M = {QString(), QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("40")};
    f.H = {QString(), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    f.ax = f.ay = QStringLiteral("600");
    f.Lx = QStringLiteral("2000");
    f.Ly = QStringLiteral("2200");
    f.centreX = f.centreY = true;
    f.Lx1 = f.Ly1 = QStringLiteral("0");
    f.h1 = f.h2 = QStringLiteral("1000");
    f.D1 = QStringLiteral("600");
    f.D2 = QStringLiteral("450");
    f.d = QStringLiteral("70");
    f.fe = QStringLiteral("200");
    f.Fc = QStringLiteral("24");
    f.Wc = QStringLiteral("24");
    f.Ws = QStringLiteral("20");
    f.barGradeX = f.barGradeY = QStringLiteral("SD295");
    f.barSizeX = f.barSizeY = QStringLiteral("D16");
    f.edgx = f.edgy = QStringLiteral("60");
    f.pitchx = f.pitchy = QStringLiteral("200");
    f.nx = f.ny = QStringLiteral("0");
    f.priorityIndex = 0;
    return f;
}

// A record as a calculation leaves it: results in data1 and data2, NG flag.
FoundationRecord calculatedRecord(const QString& name) {
    FoundationRecord r = k5test::sampleRecord(name, kTypeIsolated);
    r.data1[20] = -1;   // NG flag
    r.data1[25] = 123;  // a result
    r.data1[40] = 7;    // beyond the input area: kept
    r.data2[20][1] = 9; // a result row
    r.data2[6][3] = 300;
    r.data2[70][2] = 5; // kept
    return r;
}

class RecordTransfer : public ::testing::Test {
  protected:
    RecordTransfer() : ctx(tree.ctx) {
        ensureCommonValues(ctx.folders);
        ctx.job.unitSystem = 1;
        ctx.job.currentJobName = QStringLiteral("試験工事");
        ctx.job.currentFileName = QStringLiteral("試験");
    }
    FoundationRecord stored(int n) { return readRecord(ctx.folders, n).value_or(FoundationRecord{}); }
    // The transfer operations on this test's edit, their messages shown as a window shows them.
    RecordForm newRecordForm() { return k5::newRecordForm(edit); }
    bool loadRecordForm(RecordForm& f) { return k5::loadRecordForm(edit, f); }
    QString readRecordForm(const RecordForm& f) { return k5::readRecordForm(edit, f); }
    bool recordAsIs(const RecordForm& f) { return tree.prompt.report(k5::recordAsIs(edit, f)); }
    bool registerRecord(const RecordForm& f) { return tree.prompt.report(k5::registerRecord(edit, f)); }
    bool duplicateRecord(RecordForm& f) { return tree.prompt.report(k5::duplicateRecord(edit, f)); }
    QByteArray storedBytes(int n) { return encodeRecord(stored(n)); }

    TempTree tree;
    AppContext& ctx;
    RecordEdit edit{ctx.folders, ctx.job, {EditMode::NewRecord, 1, kTypeIsolated}, {}};
};

TEST_F(RecordTransfer, UnitCaptionsFollowTheUnitSystemAndType) {
    EXPECT_EQ(unitCaptions(1, kTypeIsolated),
              (QStringList{"（SI単位）", "kN", "kN･m", "kN", "kN/m2", "N/mm2", "kN/m3", "kN/m3"}));
    EXPECT_EQ(unitCaptions(2, kTypeIsolated),
              (QStringList{"（CGS単位）", "t", "t･m", "t", "t/m2", "kg/cm2", "t/m3", "t/m3"}));
    EXPECT_EQ(unitCaptions(1, kTypePileCap)[4], QStringLiteral("kN/本"));
    EXPECT_EQ(unitCaptions(2, kTypePileCap)[4], QStringLiteral("t/本"));
    EXPECT_TRUE(unitCaptions(1, kTypePileCap)[3].isEmpty());
}

TEST_F(RecordTransfer, NewFormTakesTheCommonValuesAndLeavesTheWorkingRecord) {
    edit.work.name = QStringLiteral("前回");
    RecordForm f = newRecordForm();
    const CommonValues c = defaultCommonValues(1);
    EXPECT_EQ(f.ax, formatGeneral(c.ax));
    EXPECT_EQ(f.h2, formatGeneral(c.h2));
    EXPECT_EQ(f.fe, formatGeneral(c.fe));
    EXPECT_EQ(f.N[1], QStringLiteral("0"));
    EXPECT_EQ(f.H[4], QStringLiteral("0"));
    EXPECT_EQ(f.Lx, QStringLiteral("0"));
    EXPECT_TRUE(f.centreX && f.centreY);
    EXPECT_EQ(f.barGradeX, c.barGrade);
    EXPECT_EQ(f.barSizeY, c.barSize);
    EXPECT_EQ(f.priorityIndex, c.priority - 1);
    EXPECT_EQ(edit.work.name, QStringLiteral("前回"));
}

TEST_F(RecordTransfer, LoadingShowsTheStoredRecordOrFailsWithoutIt) {
    edit.request.record = 1;
    RecordForm f;
    EXPECT_FALSE(loadRecordForm(f)); // no job file

    FoundationRecord r = calculatedRecord(QStringLiteral("基礎A"));
    r.data1[1] = 2;
    r.barGradeX = QStringLiteral("SR235");
    r.data2[7][1] = 0;
    r.data2[7][2] = 1;
    r.data2[6][1] = 150;
    r.data1[32] = 3;
    k5test::writeJob(ctx, {r});
    edit.request.record = 2;
    EXPECT_FALSE(loadRecordForm(f));

    edit.request.record = 1;
    ASSERT_TRUE(loadRecordForm(f));
    EXPECT_EQ(f.name, QStringLiteral("基礎A"));
    EXPECT_EQ(f.barGradeX, QStringLiteral("SR235"));
    EXPECT_EQ(f.Lx, QStringLiteral("2500"));
    EXPECT_EQ(f.ax, QStringLiteral("600"));
    EXPECT_EQ(f.Lx1, QStringLiteral("150"));
    EXPECT_FALSE(f.centreX);
    EXPECT_TRUE(f.centreY);
    EXPECT_EQ(f.nx, QStringLiteral("3"));
    EXPECT_EQ(f.priorityIndex, 1);
    EXPECT_EQ(ctx.job.unitSystem, 2);
    EXPECT_EQ(edit.request.foundationType, kTypeIsolated);
    EXPECT_EQ(ctx.job.currentJobName, QStringLiteral("試験工事"));
}

TEST_F(RecordTransfer, ANewRecordIsAppendedCleanWhateverWasReadBefore) {
    FoundationRecord imported = calculatedRecord(QStringLiteral("F1"));
    imported.importFlag = -1;
    imported.groupNo = 4;
    imported.formatVersion = 203;
    imported.storeyName = QStringLiteral("2F");
    k5test::writeJob(ctx, {imported});

    edit.request.mode = EditMode::NewRecord;
    ASSERT_TRUE(recordAsIs(isolatedForm(QStringLiteral("新規"))));
    ASSERT_EQ(recordCountOf(ctx.folders), 2);
    FoundationRecord r = stored(2);
    EXPECT_EQ(r.name, QStringLiteral("新規"));
    EXPECT_EQ(r.formatVersion, 204);
    EXPECT_EQ(r.formatVersion2, 204);
    EXPECT_EQ(r.importFlag, 0);
    EXPECT_EQ(r.groupNo, 0);
    EXPECT_TRUE(r.storeyName.isEmpty());
    EXPECT_EQ(r.data1[40], 0.0f);
    EXPECT_EQ(r.data1[0], 1.0f);
    EXPECT_EQ(r.data1[1], 1.0f);
    EXPECT_EQ(r.data2[1][1], 500.0f);
    EXPECT_EQ(r.data2[1][3], 50.0f);
    EXPECT_EQ(r.data2[2][4], 40.0f);
    EXPECT_EQ(r.data2[3][2], 2.0f);
    EXPECT_EQ(r.data2[4][2], 2200.0f);
    EXPECT_EQ(r.data2[7][1], 1.0f);
    EXPECT_EQ(r.memo, QStringLiteral("メモ"));
    EXPECT_EQ(r.jobName, QStringLiteral("試験工事"));
    EXPECT_EQ(ctx.job.recordCount, 2);
}

TEST_F(RecordTransfer, SavingACorrectionClearsTheResultsAndKeepsTheRest) {
    k5test::writeJob(ctx, {calculatedRecord(QStringLiteral("F1")), calculatedRecord(QStringLiteral("F2"))});
    QByteArray untouched = storedBytes(1);
    edit.request.mode = EditMode::Correction;
    edit.request.record = 2;
    ASSERT_TRUE(recordAsIs(isolatedForm(QStringLiteral("F2改"))));
    FoundationRecord r = stored(2);
    EXPECT_EQ(r.name, QStringLiteral("F2改"));
    EXPECT_EQ(r.data1[20], 0.0f);
    EXPECT_EQ(r.data1[25], 0.0f);
    EXPECT_EQ(r.data2[20][1], 0.0f);
    EXPECT_EQ(r.data2[6][3], 0.0f);
    EXPECT_EQ(r.data1[40], 7.0f);
    EXPECT_EQ(r.data2[70][2], 5.0f);
    EXPECT_EQ(storedBytes(1), untouched);
    EXPECT_EQ(recordCountOf(ctx.folders), 2);
}

TEST_F(RecordTransfer, ACorrectionInAnImportedJobIsHandedOnToItsGroup) {
    QList<FoundationRecord> job;
    for (int n = 1; n <= 8; ++n) {
        FoundationRecord r = calculatedRecord(QStringLiteral("S%1").arg(n));
        r.importFlag = -1;
        r.groupNo = (n == 2 || n == 5 || n == 7) ? 3 : (n == 8 ? 0 : 1);
        r.data2[1][1] = 100.0f * n; // own loads
        r.storeyName = QStringLiteral("%1F").arg(n);
        job << r;
    }
    job[7].groupNo = 0;
    k5test::writeJob(ctx, job);
    QList<QByteArray> before;
    for (int n = 1; n <= 8; ++n)
        before << storedBytes(n);

    ctx.job.imported = true;
    edit.request.mode = EditMode::Correction;
    edit.request.record = 5;
    RecordForm f = isolatedForm(QStringLiteral("新しい名前"));
    f.Lx = QStringLiteral("3100");
    ASSERT_TRUE(recordAsIs(f));

    for (int n : {2, 5, 7}) {
        FoundationRecord r = stored(n);
        SCOPED_TRACE(n);
        EXPECT_EQ(r.name, QStringLiteral("S%1").arg(n)); // an imported name stays
        EXPECT_EQ(r.data2[1][1], 100.0f * n);            // and so do the loads
        EXPECT_EQ(r.storeyName, QStringLiteral("%1F").arg(n));
        EXPECT_EQ(r.data2[4][1], 3100.0f);
        EXPECT_EQ(r.memo, QStringLiteral("メモ"));
        EXPECT_EQ(r.data1[25], 0.0f);
        EXPECT_EQ(r.groupNo, 3);
    }
    for (int n : {1, 3, 4, 6, 8})
        EXPECT_EQ(storedBytes(n), before[n - 1]) << n;

    // A support in no group is corrected alone.
    edit.request.record = 8;
    ASSERT_TRUE(recordAsIs(f));
    EXPECT_EQ(storedBytes(1), before[0]);
}

TEST_F(RecordTransfer, ARecordAppendedToAnImportedJobKeepsItsOwnNameAndLoads) {
    FoundationRecord imported = calculatedRecord(QStringLiteral("S1"));
    imported.importFlag = -1;
    imported.groupNo = 2;
    k5test::writeJob(ctx, {imported});
    ctx.job.imported = true;
    edit.request.mode = EditMode::NewRecord;
    ASSERT_TRUE(recordAsIs(isolatedForm(QStringLiteral("追加"))));
    FoundationRecord r = stored(2);
    EXPECT_EQ(r.name, QStringLiteral("追加"));
    EXPECT_EQ(r.data2[1][1], 500.0f);
    EXPECT_EQ(r.importFlag, 0);
    EXPECT_EQ(r.groupNo, 0);
    EXPECT_EQ(encodeRecord(stored(1)), encodeRecord(imported));
}

TEST_F(RecordTransfer, FieldTextsBecomeNumbersByTheLeadingNumberRule) {
    struct Case {
        const char* text;
        int integer;
    };
    const Case cases[] = {{"2.5", 2}, {"3.5", 4}, {" 12abc", 12}, {"1,500", 1500}, {"", 0}, {"-4.5", -4}};
    for (const Case& c : cases) {
        RecordForm f = isolatedForm(QStringLiteral("F"));
        f.nx = QString::fromUtf8(c.text);
        f.Lx = QString::fromUtf8(c.text);
        ASSERT_TRUE(readRecordForm(f).isEmpty()) << c.text;
        EXPECT_EQ(edit.work.nx, c.integer) << c.text;
        EXPECT_EQ(edit.work.Lx, static_cast<float>(parseLeadingNumber(f.Lx))) << c.text;
    }
}

// A number pasted from a spreadsheet ("1,500") is the number it writes; a
// comma that groups no digits is refused with the field named, never read
// as the digits before it.
TEST_F(RecordTransfer, CommasBetweenDigitGroupsAreReadAndOthersRefused) {
    struct Case {
        const char* text;
        float value; // 0: refused
    };
    const Case cases[] = {{"1,500", 1500}, {"12,345.6", 12345.6f}, {"１，５００", 1500}, {"2,000,000", 2e6f},
                          {"1,5", 0},      {"1500,", 0},           {"12,34", 0},         {"1234,567", 0}};
    edit.request.foundationType = kTypePileCap;
    for (const Case& c : cases) {
        RecordForm f = isolatedForm(QStringLiteral("P"));
        f.Px1 = QString::fromUtf8(c.text);
        f.N[1] = f.Px1;
        QString input;
        const QString problem = k5::readRecordForm(edit, f, &input);
        if (c.value != 0) {
            EXPECT_TRUE(problem.isEmpty()) << c.text << problem.toStdString();
            EXPECT_EQ(edit.work.N[1], c.value) << c.text;
            EXPECT_EQ(edit.work.Px1, c.value) << c.text;
        } else {
            // The first field read with it is named: the long-term axial force.
            EXPECT_TRUE(problem.startsWith(QStringLiteral("<軸力 N X長期>の入力値「") + f.N[1] +
                                           QStringLiteral("」を数値として読めません")))
                << problem.toStdString();
            EXPECT_EQ(input, QStringLiteral("N1"));
        }
    }
    // Saved as is, the refusal leaves the job untouched.
    RecordForm f = isolatedForm(QStringLiteral("P"));
    f.nx = QStringLiteral("1,2");
    EXPECT_FALSE(recordAsIs(f));
    EXPECT_EQ(recordCountOf(ctx.folders), 0);
}

TEST_F(RecordTransfer, ValuesARecordCannotHoldAreRefusedAndNothingIsSaved) {
    k5test::writeSampleJob(ctx, 1);
    QByteArray before = storedBytes(1);
    edit.request.mode = EditMode::Correction;
    edit.request.record = 1;
    for (const char* text : {"40000", "-32769"}) {
        RecordForm f = isolatedForm(QStringLiteral("F"));
        f.pitchy = QString::fromUtf8(text);
        tree.prompt.clear();
        EXPECT_FALSE(recordAsIs(f)) << text;
        EXPECT_EQ(tree.prompt.texts(),
                  QStringList{"<＠ Y方向>には、-32768 から 32767 までの整数を入力してください。　　　"});
    }
    RecordForm big = isolatedForm(QStringLiteral("F"));
    big.Lx = QStringLiteral("1E+39");
    EXPECT_FALSE(registerRecord(big));
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("<Lx>の入力値が大きすぎる　　　"));
    EXPECT_EQ(storedBytes(1), before);
}

TEST_F(RecordTransfer, RegisteringChecksFirstAndSavesOnlyWhatPasses) {
    k5test::writeSampleJob(ctx, 1);
    QByteArray before = storedBytes(1);
    edit.request.mode = EditMode::Correction;
    edit.request.record = 1;
    RecordForm f = isolatedForm(QStringLiteral("F1"));
    f.Lx = QStringLiteral("0");
    EXPECT_FALSE(registerRecord(f));
    EXPECT_EQ(tree.prompt.texts(), QStringList{"Lx<=0 となっています｡　　　"});
    EXPECT_EQ(storedBytes(1), before);

    // Empty fields are filled from the common values before the check.
    f = isolatedForm(QStringLiteral("F1"));
    f.Fc.clear();
    EXPECT_TRUE(registerRecord(f)) << tree.prompt.lastText().toStdString();
    EXPECT_EQ(stored(1).data1[3], defaultCommonValues(1).Fc);
}

TEST_F(RecordTransfer, PileCapReadsOnlyTheDistancesOfItsArrangement) {
    edit.request.foundationType = kTypePileCap;
    RecordForm f = isolatedForm(QStringLiteral("P"));
    f.Px1 = QStringLiteral("400");
    f.Py1 = QStringLiteral("450");
    f.Px2 = QStringLiteral("1200");
    f.Py2 = QStringLiteral("999");
    f.pileLayoutIndex = 2; // " 3(3角)"
    ASSERT_TRUE(readRecordForm(f).isEmpty());
    EXPECT_EQ(edit.work.pileLayout, 3);
    EXPECT_EQ(edit.work.Px2, 1200.0f);
    EXPECT_EQ(edit.work.Py2, 0.0f);
    f.pileLayoutIndex = 0;
    ASSERT_TRUE(readRecordForm(f).isEmpty());
    EXPECT_EQ(edit.work.Px2, 0.0f);
    f.pileLayoutIndex = 4;
    ASSERT_TRUE(readRecordForm(f).isEmpty());
    EXPECT_EQ(edit.work.Py2, 999.0f);

    // A stored layout of 0 shows the first arrangement.
    FoundationRecord r = k5test::sampleRecord(QStringLiteral("P"), kTypePileCap);
    r.data1[9] = 0;
    k5test::writeJob(ctx, {r});
    edit.request.record = 1;
    ASSERT_TRUE(loadRecordForm(f));
    EXPECT_EQ(f.pileLayoutIndex, 0);
}

TEST_F(RecordTransfer, APileCapSaveKeepsEachRecordsOwnSize) {
    // The working record holds the size of another foundation, calculated last.
    edit.work.Lx = 9999;
    edit.work.Ly = 8888;
    edit.request.foundationType = kTypePileCap;
    RecordForm f = isolatedForm(QStringLiteral("P"));
    f.pileLayoutIndex = 4;
    ASSERT_TRUE(recordAsIs(f));
    EXPECT_EQ(stored(1).data2[4][1], 0.0f); // a new cap has no size yet
    EXPECT_EQ(stored(1).data2[4][2], 0.0f);

    QList<FoundationRecord> job;
    for (int n = 1; n <= 3; ++n) {
        FoundationRecord r = k5test::sampleRecord(QStringLiteral("S%1").arg(n), kTypePileCap);
        r.importFlag = -1;
        r.groupNo = 4;
        r.data2[4][1] = 1000.0f * n;
        r.data2[4][2] = 1100.0f * n;
        job << r;
    }
    k5test::writeJob(ctx, job);
    ctx.job.imported = true;
    edit.request.mode = EditMode::Correction;
    edit.request.record = 2;
    ASSERT_TRUE(recordAsIs(f));
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(stored(n).data2[4][1], 1000.0f * n) << n;
        EXPECT_EQ(stored(n).data2[4][2], 1100.0f * n) << n;
    }
}

TEST_F(RecordTransfer, StoredChoicesOutOfRangeLoadAsTheFirstWithANote) {
    const struct {
        int layout, kind, priority;
        int layoutIndex, kindShown, priorityIndex;
        int notes;
    } cases[] = {
        {5, 2, 3, 4, 2, 2, 0},  {0, 0, 1, 0, 0, 0, 0},    {12, 0, 1, 0, 0, 0, 1},
        {-3, 4, 0, 0, 0, 0, 3}, {11, -1, 4, 10, 0, 0, 2},
    };
    for (const auto& c : cases) {
        FoundationRecord r = k5test::sampleRecord(QStringLiteral("P"), kTypePileCap);
        r.data1[9] = static_cast<float>(c.layout);
        r.data1[16] = static_cast<float>(c.kind);
        r.data1[34] = static_cast<float>(c.priority);
        k5test::writeJob(ctx, {r});
        edit.request = {EditMode::Correction, 1, kTypePileCap};
        RecordForm f;
        ASSERT_TRUE(loadRecordForm(f));
        SCOPED_TRACE(c.layout);
        EXPECT_EQ(f.pileLayoutIndex, c.layoutIndex);
        EXPECT_EQ(f.pileKind, c.kindShown);
        EXPECT_EQ(f.priorityIndex, c.priorityIndex);
        EXPECT_EQ(f.notes.size(), c.notes) << f.notes.join(u'|').toStdString();
    }
}

TEST_F(RecordTransfer, DuplicateNameFollowsTheTextRule) {
    EXPECT_EQ(duplicateName(QStringLiteral("基礎A")), QStringLiteral("基礎Aの複製"));
    EXPECT_EQ(duplicateName(QStringLiteral(" 基礎A ")), QStringLiteral("基礎Aの複製"));
    EXPECT_EQ(duplicateName(QStringLiteral("F1~xx")), QStringLiteral("F1の複製"));
    EXPECT_EQ(duplicateName(QStringLiteral("~F1 ")), QStringLiteral("~F1の複製"));
    // Cut between characters to the 14 bytes of a stored name.
    EXPECT_EQ(duplicateName(QStringLiteral("基礎ABCDEF")), QStringLiteral("基礎ABCDEFの複"));
    EXPECT_EQ(duplicateName(QStringLiteral("基礎ABCDE")), QStringLiteral("基礎ABCDEの複"));
}

TEST_F(RecordTransfer, DuplicatingAppendsACopyThatLaterSavesOverwrite) {
    k5test::writeSampleJob(ctx, 10);
    edit.request.mode = EditMode::NewRecord;
    RecordForm f = isolatedForm(QStringLiteral("F3"));
    EXPECT_FALSE(duplicateRecord(f)); // only a correction can be duplicated
    EXPECT_EQ(recordCountOf(ctx.folders), 10);

    edit.request.mode = EditMode::Correction;
    edit.request.record = 3;
    f.Lx = QStringLiteral("2800");
    ASSERT_TRUE(duplicateRecord(f));
    EXPECT_EQ(recordCountOf(ctx.folders), 11);
    EXPECT_EQ(f.name, QStringLiteral("F3の複製"));
    EXPECT_EQ(edit.work.name, QStringLiteral("F3の複製"));
    EXPECT_TRUE(edit.request.isCorrection());
    EXPECT_EQ(edit.request.record, 11);
    EXPECT_EQ(ctx.job.currentRecord, 11);
    EXPECT_EQ(stored(3).name, QStringLiteral("F3"));
    EXPECT_EQ(stored(3).data2[4][1], 2800.0f);
    EXPECT_EQ(stored(11).name, QStringLiteral("F3の複製"));
    EXPECT_EQ(stored(11).data2[4][1], 2800.0f);
    const QString crlf2 = QStringLiteral("\r\n\r\n");
    EXPECT_EQ(tree.prompt.lastText(),
              "F3の複製を作成しました。" + crlf2 +
                  "複製されたデータの名称は、仮に「F3の複製」としています。　　　" + crlf2 +
                  "複製されたデータは、新しい基礎データとして現内容で記録済みとなっています。　　　" + crlf2 +
                  "なお、現入力画面に表示されているデータは、複製されたデータとなっています。");
    EXPECT_EQ(tree.prompt.shown().back().icon, Icon::Information);

    f.memo = QStringLiteral("複製後");
    ASSERT_TRUE(registerRecord(f));
    EXPECT_EQ(recordCountOf(ctx.folders), 11);
    EXPECT_EQ(stored(11).memo, QStringLiteral("複製後"));
    EXPECT_EQ(stored(3).memo, QStringLiteral("メモ"));
}

} // namespace
