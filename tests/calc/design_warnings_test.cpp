#include "calc/design_warnings.h"
#include "calc_fixtures.h"
#include "jobdata/pile_arrangement.h"

#include <gtest/gtest.h>

using namespace k5;
using namespace k5test;

namespace {

struct LoadCase {
    const char* what;
    int layout;
    int row;
    int column;
    bool unchecked;
};

// Which entered loads each kind of arrangement leaves outside the pile check.
TEST(DesignWarnings, LoadsAnArrangementNeverChecks) {
    const LoadCase cases[] = {
        {"one pile, moment in X", 1, row::M, 1, true},
        {"one pile, short-term shear in Y", 1, row::H, 4, true},
        {"one pile, short-term axial load in Y", 1, row::N, 4, false},
        {"two piles, long-term moment in Y", 2, row::M, 2, true},
        {"two piles, short-term axial load in Y", 2, row::N, 4, true},
        {"two piles, short-term axial load in X", 2, row::N, 3, false},
        {"two piles, moment in X", 2, row::M, 3, false},
        {"three in a row, shear in Y", 4, row::H, 2, true},
        {"four piles, everything in Y", 5, row::M, 4, false},
    };
    for (const LoadCase& c : cases) {
        PileCapInput in;
        in.layout = c.layout;
        FoundationRecord r = pileCapRecord(in);
        const PileArrangementRule& rule = *pileArrangementRule(c.layout);
        EXPECT_FALSE(leavesLoadsUnchecked(rule, r)) << c.what << ": long-term N alone";
        r.data2[static_cast<size_t>(c.row)][static_cast<size_t>(c.column)] = 120;
        EXPECT_EQ(leavesLoadsUnchecked(rule, r), c.unchecked) << c.what;
        EXPECT_EQ(designWarnings(r).size(), c.unchecked ? 1 : 0) << c.what;
    }
}

TEST(DesignWarnings, TheBuildableBarPitch) {
    EXPECT_EQ(minimumBarPitch(13), 100);   // 13 + 25 = 38: the floor governs
    EXPECT_EQ(minimumBarPitch(41), 102.5); // 41 + 61.5
    EXPECT_EQ(minimumBarPitch(19, 150), 150);
    EXPECT_EQ(nominalBarDiameter(QStringLiteral("D19 ")), 19);
    EXPECT_EQ(nominalBarDiameter(QStringLiteral("R9")), 9);
    EXPECT_EQ(nominalBarDiameter(QStringLiteral("~")), 0);
}

// 122-D13 across 2000 mm stand 15 mm apart: warned, and 11 bars at 188 mm are not.
TEST(DesignWarnings, BarsCloserThanConcreteCanPass) {
    FootingInput in;
    FoundationRecord r = isolatedRecord(in);
    r.barSizeX = r.barSizeY = QStringLiteral("D13");
    r.data2[row::sumN][1] = 600;
    r.data2[row::nBars][1] = r.data2[row::nBars][2] = 122;
    EXPECT_NEAR(designedBarPitch(r, 1), (2000 - 120) / 121.0, 1e-9);
    const QStringList warned = designWarnings(r);
    ASSERT_EQ(warned.size(), 2);
    EXPECT_EQ(warned[0], QStringLiteral("X方向の鉄筋間隔16mmが100mmより小さくなっています"));
    r.data2[row::nBars][1] = r.data2[row::nBars][2] = 11;
    EXPECT_TRUE(designWarnings(r).isEmpty());
    r.data2[row::nBars][1] = 0; // no decided bars: nothing to judge
    EXPECT_EQ(designedBarPitch(r, 1), 0);
}

} // namespace
