#include "calc/calc_masters.h"
#include "calc/calculation.h"
#include "calc/design_results.h"
#include "calc/record_evaluation.h"
#include "calc/results_list.h"
#include "calc_fixtures.h"
#include "masters/concrete_setting.h"
#include "platform/record_file.h"
#include "qt_printers.h"
#include "sample_job.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace k5;
using namespace k5test;

namespace {

FootingInput footing(float N, float fe, float D = 500) {
    FootingInput in;
    in.N = N;
    in.fe = fe;
    in.D = in.D2 = D;
    return in;
}

class DesignResults : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureRebarMasters(tree.ctx);
        ensureConcreteFile(tree.ctx.folders);
    }

    // Calculates `records` as a job and answers its results list.
    QList<ResultRow> calculate(const QList<FoundationRecord>& records) {
        writeJob(tree.ctx, records);
        CalcCounters counts;
        calculateJob(tree.ctx.folders, counts);
        return readResults(tree.ctx.folders);
    }

    FoundationRecord stored(int n) {
        RecordFile file(tree.ctx.folders.jobFile(), FoundationRecord::kLength);
        EXPECT_TRUE(file.openReadOnly());
        return decodeRecord(file.read(n));
    }

    TempTree tree;
};

// The judgement is the record's own NG flag; an OK row shows no ratio above
// 1, and an NG row shows the check that failed with a ratio of at least 1.
void expectConsistent(const ResultRow& row, const FoundationRecord& record) {
    SCOPED_TRACE(row.name.toStdString());
    const bool ng = record.data1[field::ngFlag] == -1;
    ASSERT_EQ(row.result.verdict, ng ? Verdict::Ng : Verdict::Ok);
    bool anyFailed = false;
    for (const CheckRatio& check : row.result.checks) {
        if (!ng) {
            EXPECT_FALSE(check.ng);
            if (check.applies) {
                EXPECT_LE(ratioText(check.ratio).toDouble(), 1.0);
            }
        }
        if (check.ng) {
            anyFailed = true;
            EXPECT_TRUE(check.applies);
            EXPECT_GE(check.ratio, 1.0);
        }
    }
    EXPECT_EQ(anyFailed, ng);
}

TEST_F(DesignResults, RatiosOfCalculatedFoundationsFollowTheirStoredJudgements) {
    PileCapInput cap;
    PileCapInput capWeak = cap;
    capWeak.Pe = 200; // 1000 kN on four piles of 200 kN
    PileCapInput capLifted = cap;
    capLifted.M[1] = 900; // the moment lifts a pile line
    capLifted.Pe = 2000;
    PileCapInput capThin = cap;
    capThin.D = capThin.D2 = 300;
    capThin.Pe = 5000;
    capThin.N = 8000;
    struct Case {
        FoundationRecord record;
        std::optional<DesignCheck> failing; // the check expected to fail
    };
    const QList<Case> cases{
        {savedFooting(footing(500, 200), QStringLiteral("F-OK")), std::nullopt},
        {savedFooting(footing(500, 100), QStringLiteral("F-地耐力")), DesignCheck::Bearing},
        {savedFooting(footing(4000, 2000, 300), QStringLiteral("F-せん断")), DesignCheck::Shear},
        {savedFooting(footing(2500, 1000, 600), QStringLiteral("F-パンチ")), DesignCheck::Punching},
        {savedPileCap(cap, QStringLiteral("P-OK")), std::nullopt},
        {savedPileCap(capWeak, QStringLiteral("P-支持力")), DesignCheck::Bearing},
        {savedPileCap(capLifted, QStringLiteral("P-引抜き")), DesignCheck::PullOut},
        {savedPileCap(capThin, QStringLiteral("P-せん断")), DesignCheck::Shear},
    };
    QList<FoundationRecord> records;
    for (const Case& c : cases)
        records << c.record;
    const QList<ResultRow> rows = calculate(records);
    ASSERT_EQ(rows.size(), cases.size());
    for (int i = 0; i < cases.size(); ++i) {
        const FoundationRecord r = stored(i + 1);
        expectConsistent(rows[i], r);
        const std::optional<DesignCheck> failing = cases[i].failing;
        if (failing) {
            EXPECT_TRUE(rows[i].result.check(*failing).ng) << rows[i].name.toStdString();
        }
    }

    // The ratios are the stored values the judgements compared.
    const FoundationRecord weak = stored(2);
    EXPECT_DOUBLE_EQ(rows[1].result.check(DesignCheck::Bearing).ratio,
                     double(weak.data2[row::Areq][1]) / weak.data1[field::area]);
    const FoundationRecord lifted = stored(7);
    const double R0 = double(lifted.data2[row::sumN][1]) / 4;
    EXPECT_DOUBLE_EQ(rows[6].result.check(DesignCheck::PullOut).ratio,
                     (R0 - lifted.data2[row::Rmin1][1]) / R0);
    EXPECT_FALSE(rows[0].result.check(DesignCheck::PullOut).applies); // footings have no piles
    EXPECT_EQ(rows[0].barsX, QStringLiteral("D19-4本以上"));
    EXPECT_EQ(rows[4].piles, QStringLiteral("4"));
    EXPECT_EQ(resultCells(rows[1])[kResultVerdict], QStringLiteral("NG"));
    EXPECT_EQ(resultCells(rows[1])[kResultMax], QStringLiteral("1.46")); // just above 1.45, rounded up
}

// A job calculated elsewhere may carry judgements our own design never
// reaches (the bars are always chosen to suffice): the list reads them as
// stored, and a cleared record or one that stops the calculation says so.
TEST_F(DesignResults, StoredBarJudgementsClearedAndStoppedRecords) {
    FoundationRecord stops = savedFooting(footing(500, 200), QStringLiteral("F-停止"));
    stops.data2[row::N][1] = 0;
    const QList<FoundationRecord> job{savedFooting(footing(500, 200), QStringLiteral("F-曲げ")),
                                      savedFooting(footing(500, 200), QStringLiteral("F-付着")), stops,
                                      savedFooting(footing(500, 200), QStringLiteral("F-未計算"))};
    calculate(job);
    QList<FoundationRecord> records{stored(1), stored(2), stored(3), stored(4)};
    records[0].data2[row::sumAt][1] = records[0].data2[row::atReq][1] / 2;
    records[0].data2[row::rebarNG][1] = -1;
    records[0].data1[field::ngFlag] = -1;
    records[1].data2[row::sumPsi][2] = records[1].data2[row::psiReq][2] / 4;
    records[1].data2[row::rebarNG][2 + row::bondNGOffset] = -1;
    records[1].data1[field::ngFlag] = -1;
    writeJob(tree.ctx, records);
    const QByteArray before = readBytes(tree.ctx.folders.jobFile());

    const QList<ResultRow> rows = readResults(tree.ctx.folders);
    ASSERT_EQ(rows.size(), 4);
    expectConsistent(rows[0], records[0]);
    expectConsistent(rows[1], records[1]);
    EXPECT_TRUE(rows[0].result.check(DesignCheck::Bending).ng);
    EXPECT_DOUBLE_EQ(rows[0].result.check(DesignCheck::Bending).ratio, 2.0);
    EXPECT_TRUE(rows[1].result.check(DesignCheck::Bond).ng);
    EXPECT_DOUBLE_EQ(rows[1].result.check(DesignCheck::Bond).ratio, 4.0);

    EXPECT_EQ(rows[2].result.verdict, Verdict::Stopped);
    EXPECT_EQ(rows[2].result.verdictText(), QStringLiteral("ﾃﾞｰﾀNo 3: 長期軸力=0 となっています。"));
    EXPECT_FALSE(rows[2].result.hasRatios());
    EXPECT_EQ(rows[3].result.verdictText(), QStringLiteral("未計算"));
    EXPECT_TRUE(resultCells(rows[3])[kResultMax].isEmpty());
    EXPECT_EQ(readBytes(tree.ctx.folders.jobFile()), before); // the list writes nothing
}

// The live result and a sizing search evaluate a record in memory through
// the calculation's own path: the same results as a run, and the job file
// untouched.
TEST_F(DesignResults, InMemoryEvaluationMatchesTheRun) {
    const FoundationRecord input = savedPileCap(PileCapInput{}, QStringLiteral("P1"));
    const QList<ResultRow> rows = calculate({input});
    const QByteArray before = readBytes(tree.ctx.folders.jobFile());
    const CalcMasters masters = CalcMasters::load(tree.ctx.folders);
    const Evaluation e = evaluateRecord(masters, input, 1);
    ASSERT_TRUE(e.designed()) << e.outcome.message.text.toStdString();
    EXPECT_EQ(encodeRecord(e.record), encodeRecord(stored(1)));
    EXPECT_EQ(readBytes(tree.ctx.folders.jobFile()), before);

    FoundationRecord deep = input;
    deep.data1[field::D1] = deep.data1[field::D2] = 1200; // deeper than h2
    const Evaluation refused = evaluateRecord(masters, deep);
    EXPECT_FALSE(refused.designed());
    EXPECT_EQ(refused.outcome.message.text, QStringLiteral("h2<D となっています。　　　"));
}

} // namespace

// The lists and panels show a ratio with two decimals rounded up, so a
// ratio that passes never reads above 1.00 and one that fails never reads
// 1.00; the rounding of stored Singles does not push a hundredth up.
TEST(RatioText, TwoDecimalsRoundedUp) {
    const std::pair<double, const char*> cases[] = {
        {0.9993, "1.00"}, {1.0, "1.00"},       {1.0004, "1.01"}, {1.0000001, "1.00"},
        {0.29f, "0.29"},  {0.2901, "0.30"},    {0.5, "0.50"},    {0.0, "0.00"},
        {1.45f, "1.45"},  {2.0 / 3.0, "0.67"}, {INFINITY, "∞"},
    };
    for (const auto& [ratio, text] : cases)
        EXPECT_EQ(ratioText(ratio), QString::fromUtf8(text)) << ratio;
}

// 注記 names what no check judges: loads an arrangement's pile check never
// sees. The judgement stays as the calculation found it.
TEST_F(DesignResults, NotesNameLoadsTheArrangementLeavesUnchecked) {
    PileCapInput row;
    row.layout = 2; // " 2": a single row in X
    row.M[2] = 50;  // a long-term moment in Y
    PileCapInput single;
    single.layout = 1; // " 1"
    single.H[3] = 20;
    PileCapInput four; // " 4" checks every load
    four.M[2] = 50;
    const QList<ResultRow> rows =
        calculate({savedPileCap(row, QStringLiteral("P-2")), savedPileCap(single, QStringLiteral("P-1")),
                   savedPileCap(four, QStringLiteral("P-4"))});
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(resultCells(rows[0])[kResultNotes], QStringLiteral("Y方向の荷重は杭の検定に含まれていません"));
    EXPECT_EQ(resultCells(rows[1])[kResultNotes],
              QStringLiteral("曲げモーメントとせん断力は杭の検定に含まれていません"));
    EXPECT_TRUE(resultCells(rows[2])[kResultNotes].isEmpty());
    for (const ResultRow& r : rows)
        EXPECT_FALSE(resultCellFails(r, kResultNotes)) << r.name.toStdString();
    EXPECT_EQ(resultHeaders()[kResultNotes], QStringLiteral("注記"));
    EXPECT_TRUE(resultsCsv(rows, CsvEncoding::Utf8Bom).contains("Y方向の荷重は杭の検定に含まれていません"));
}

// 判定 sorts by how bad a foundation stands: NG, then one the calculation
// stops at, not calculated, OK; the largest ratio first within each.
TEST(ResultsList, VerdictSortsTheWorstHighest) {
    const auto row = [](Verdict verdict, double ratio) {
        ResultRow r;
        r.result.verdict = verdict;
        r.result.checks[0].applies = ratio > 0;
        r.result.checks[0].ratio = ratio;
        return r;
    };
    const ResultRow ordered[] = {row(Verdict::Ok, 0.5),          row(Verdict::Ok, 0.9),
                                 row(Verdict::NotCalculated, 0), row(Verdict::Stopped, 0),
                                 row(Verdict::Ng, 1.2),          row(Verdict::Ng, 3.5)};
    for (size_t i = 1; i < std::size(ordered); ++i)
        EXPECT_LT(*resultSortValue(ordered[i - 1], kResultVerdict),
                  *resultSortValue(ordered[i], kResultVerdict))
            << i;
    EXPECT_TRUE(resultColumnSortsWorstFirst(kResultVerdict));
    EXPECT_TRUE(resultColumnSortsWorstFirst(kResultMax));
    EXPECT_TRUE(resultColumnSortsWorstFirst(kResultFirstCheck));
    EXPECT_FALSE(resultColumnSortsWorstFirst(kResultName));
    EXPECT_FALSE(resultColumnSortsWorstFirst(kResultNotes));
}
