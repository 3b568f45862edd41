#include "import/import_review.h"
#include "import_job.h"
#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "platform/cp932.h"

#include <gtest/gtest.h>

using namespace k5;

namespace {

class ImportReview : public ::testing::Test {
  protected:
    k5test::TempTree tree;
    AppContext& ctx = tree.ctx;
    int highest = 0;

    void SetUp() override {
        k5test::writeImportedJob(ctx, 7);
        highest = highestGroup(ctx.folders);
    }
    FoundationRecord record(int n) { return readRecord(ctx.folders, n).value(); }
    // "name/group/type" of every record.
    QStringList groups() {
        QStringList out;
        for (int n = 1; n <= recordCountOf(ctx.folders); ++n) {
            const FoundationRecord r = record(n);
            out << QStringLiteral("%1/%2/%3").arg(r.name).arg(r.groupNo).arg(r.data1[field::foundationType]);
        }
        return out;
    }
    GroupingResult group(int first, int last, const QString& name, int type) {
        return applyGroupName(ctx.folders, first, last, {name, type}, highest);
    }
};

TEST_F(ImportReview, GroupingJoiningAndReleasingRows) {
    ASSERT_EQ(highest, 2);
    EXPECT_EQ(groups(), QStringList({"A/1/1", "B/2/1", "/0/1", "/0/1", "/0/1", "/0/1", "/0/1"}));

    // Rows 3 to 5 under a new name open group 3.
    ASSERT_TRUE(group(3, 5, "FG3", kTypePileCap).outcome.ok);
    EXPECT_EQ(highest, 3);
    EXPECT_EQ(groups(), QStringList({"A/1/1", "B/2/1", "FG3/3/2", "FG3/3/2", "FG3/3/2", "/0/1", "/0/1"}));

    // The same name with the other type is refused, to be asked again.
    const QByteArray before = k5test::readBytes(ctx.folders.jobFile());
    const GroupingResult mismatch = group(6, 7, "FG3", kTypeIsolated);
    EXPECT_FALSE(mismatch.outcome.ok);
    EXPECT_TRUE(mismatch.askAgain);
    EXPECT_EQ(mismatch.outcome.message.icon, Icon::Error);
    EXPECT_EQ(
        mismatch.outcome.message.text,
        QStringLiteral("「FG3」と同名の基礎は有りますが、その基礎ﾀｲﾌﾟは「杭基礎」で、\n\n"
                       "指定された基礎ﾀｲﾌﾟ「直接基礎」とは異なります。\n\n"
                       "このままでの登録はできませんので、基礎名か基礎ﾀｲﾌﾟを変更してください。　　　\n\n"));
    EXPECT_EQ(k5test::readBytes(ctx.folders.jobFile()), before);

    // With the same type the rows join group 3.
    ASSERT_TRUE(group(6, 7, "FG3", kTypePileCap).outcome.ok);
    EXPECT_EQ(highest, 3);
    EXPECT_EQ(groups(),
              QStringList({"A/1/1", "B/2/1", "FG3/3/2", "FG3/3/2", "FG3/3/2", "FG3/3/2", "FG3/3/2"}));

    // Rows 4 and 5 leave it; the others keep group and name.
    ASSERT_TRUE(ungroupRecords(ctx.folders, 4, 5).ok);
    EXPECT_EQ(groups(), QStringList({"A/1/1", "B/2/1", "FG3/3/2", "/0/2", "/0/2", "FG3/3/2", "FG3/3/2"}));

    // An empty name with a type: ungrouped records of that type.
    ASSERT_TRUE(group(1, 1, "", kTypePileCap).outcome.ok);
    // Cancelled: nothing at all.
    const QByteArray kept = k5test::readBytes(ctx.folders.jobFile());
    ASSERT_TRUE(group(2, 7, "", 0).outcome.ok);
    EXPECT_EQ(k5test::readBytes(ctx.folders.jobFile()), kept);
    EXPECT_EQ(groups(), QStringList({"/0/2", "B/2/1", "FG3/3/2", "/0/2", "/0/2", "FG3/3/2", "FG3/3/2"}));
    // A name whose first holder has no group opens a new one.
    ASSERT_TRUE(ungroupRecords(ctx.folders, 2, 2).ok);
    ASSERT_TRUE(group(4, 4, "A", kTypePileCap).outcome.ok);
    EXPECT_EQ(record(4).groupNo, 4);
    EXPECT_TRUE(k5test::scratchLeftIn(ctx.folders.dataFolder).isEmpty());
}

TEST_F(ImportReview, AnotherTypeClearsTheResultsOfTheLastCalculation) {
    // Records 3 to 6 carry results of a footing calculation.
    QList<FoundationRecord> records;
    for (int n = 1; n <= 7; ++n) {
        FoundationRecord r = record(n);
        if (n >= 3 && n <= 6) {
            r.data2[row::sumN][1] = 850;
            r.data2[row::rebarNG][1] = -1;
            r.data1[field::ngFlag] = -1;
            r.data1[field::area] = 6.25f;
        }
        records << r;
    }
    k5test::writeJob(ctx, records);

    ASSERT_TRUE(group(3, 3, "P", kTypePileCap).outcome.ok);  // grouped, new type
    ASSERT_TRUE(group(4, 4, "", kTypePileCap).outcome.ok);   // ungrouped, new type
    ASSERT_TRUE(group(5, 5, "Q", kTypeIsolated).outcome.ok); // same type
    ASSERT_TRUE(ungroupRecords(ctx.folders, 6, 6).ok);       // type kept
    for (int n : {3, 4}) {
        const FoundationRecord r = record(n);
        EXPECT_EQ(r.data2[row::sumN][1], 0) << n;
        EXPECT_EQ(r.data2[row::rebarNG][1], 0) << n;
        EXPECT_EQ(r.data1[field::ngFlag], 0) << n;
        EXPECT_EQ(r.data1[field::area], 0) << n;
        // Inputs and loads stay.
        EXPECT_EQ(r.data2[row::a][1], 600) << n;
        EXPECT_EQ(r.data2[row::N][1], records[n - 1].data2[row::N][1]) << n;
        EXPECT_EQ(r.data1[field::Fc], records[n - 1].data1[field::Fc]) << n;
    }
    for (int n : {5, 6})
        EXPECT_EQ(record(n).data2[row::sumN][1], 850) << n;
}

TEST_F(ImportReview, ANameThatFillsTheFieldStillFindsItsGroup) {
    // 13 bytes and the terminator fill the 14-byte field.
    const QString name = QStringLiteral("基礎ＡＢＣＤ-");
    ASSERT_EQ(cp932Length(name), 13);
    ASSERT_TRUE(group(3, 3, name, kTypeIsolated).outcome.ok);
    EXPECT_EQ(record(3).name, name);
    ASSERT_TRUE(group(4, 5, name, kTypeIsolated).outcome.ok);
    EXPECT_EQ(groups().mid(2, 3), QStringList(3, name + "/3/1"));
    EXPECT_EQ(highest, 3);
}

TEST(DesignNames, AreFittedToTheFieldAndRefusedWhenTheyWouldNotReadBack) {
    EXPECT_EQ(fitDesignName("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKLM");
    EXPECT_EQ(fitDesignName(QStringLiteral("ＡＢＣＤＥＦＧ")), QStringLiteral("ＡＢＣＤＥＦ"));
    EXPECT_EQ(fitDesignName(QStringLiteral("ABｶﾅ基礎ＸＹＺ")), QStringLiteral("ABｶﾅ基礎ＸＹ"));
    EXPECT_EQ(fitDesignName(QStringLiteral("F-1")), QStringLiteral("F-1"));

    EXPECT_TRUE(designNameProblem(QStringLiteral("F-1①")).isEmpty());
    EXPECT_TRUE(designNameProblem(QStringLiteral("ABCDEFGHIJKLM")).isEmpty());
    EXPECT_TRUE(designNameProblem(QStringLiteral("F~1")).contains(u'~'));
    EXPECT_TRUE(designNameProblem(QStringLiteral("Café")).contains(QStringLiteral("「é」")));
    EXPECT_TRUE(designNameProblem(QStringLiteral("𠮷野")).contains(QStringLiteral("「𠮷」")));
    EXPECT_FALSE(designNameProblem(QStringLiteral("ABCDEFGHIJKLMN")).isEmpty());
}

TEST(ReviewGrids, RowsShowTheSupportAndItsFiveLoadCases) {
    FoundationRecord r;
    r.storeyNo = 1;
    r.frameNo = 2;
    r.axisNo = 3;
    r.storeyName = QStringLiteral("1F");
    r.frameName = QStringLiteral("X2");
    r.axisName = QStringLiteral("Y3");
    r.provisionalName = QStringLiteral("F007(仮名)");
    r.name = QStringLiteral("FA");
    r.groupNo = 4;
    r.data1[field::foundationType] = kTypePileCap;
    r.reactN[1][1] = -123.25f;
    r.reactH[2][2] = 0.1f;
    r.reactM[1][5] = 12345678;
    const FoundationRecord stored = decodeRecord(encodeRecord(r));
    EXPECT_EQ(supportListRow(stored, 7), QStringList({"7", "1", "2", "103", "1F", "X2", "Y3", "F007(仮名)",
                                                      "FA", "4", QStringLiteral("杭基礎")}));
    const std::vector<QStringList> rows = breakdownRows(stored);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], QStringList({"", "F007(仮名)", "FA", QStringLiteral("杭基礎"), "L", "-123.25", "0",
                                    "0", "0", "0", "0"}));
    EXPECT_EQ(rows[1].mid(1, 4), QStringList({"", "", "", "E"}));
    EXPECT_EQ(rows[1][9], "0.1");
    EXPECT_EQ(rows[4][4], "W2");
    EXPECT_EQ(rows[4][7], "1.234568E+07");
    EXPECT_EQ(supportListHeaders().size(), 11);
    EXPECT_EQ(breakdownHeaders().size(), 11);
}

} // namespace
