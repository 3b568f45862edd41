#include "jobdata/pile_arrangement.h"

#include <gtest/gtest.h>

using namespace k5;

// One row per arrangement: the cap size from Px1 = 500, Py1 = 400, Px2 = 1500,
// Py2 = 1300, F = 2121, and the inputs it takes.
TEST(PileArrangement, EveryCodeHasItsSizeCountAndInputs) {
    struct Case {
        int code;
        const char* caption;
        int count, variant;
        double Lx, Ly;
        bool yMoments, px2, py2;
    };
    const Case cases[] = {
        {1, " 1", 1, 0, 1000, 800, false, false, false},
        {2, " 2", 2, 0, 2500, 800, false, true, false},
        {3, " 3(3角)", 3, 1, 2500, 2100, true, true, false},
        {4, " 3(直3)", 3, 2, 4000, 800, false, true, false},
        {5, " 4", 4, 0, 2500, 2100, true, true, true},
        {6, " 5", 5, 0, 3121, 3121, true, true, false},
        {7, " 6", 6, 0, 4000, 2100, true, true, true},
        {8, " 7", 7, 0, 4000, 3400, true, true, false},
        {9, " 8(3×2+2)", 8, 1, 5242, 2921, true, true, false},
        {10, " 8(直4×2)", 8, 2, 5500, 2100, true, true, true},
        {11, " 9", 9, 0, 4000, 3400, true, true, true},
    };
    ASSERT_EQ(pileArrangementRules().size(), std::size(cases));
    for (const Case& c : cases) {
        const PileArrangementRule* r = pileArrangementRule(c.code);
        ASSERT_NE(r, nullptr) << c.code;
        EXPECT_EQ(r->caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(r->count, c.count) << c.code;
        EXPECT_EQ(r->variant, c.variant) << c.code;
        EXPECT_EQ(pileArrangementByCount(c.count, c.variant), r) << c.code;
        EXPECT_EQ(r->hasYMoments, c.yMoments) << c.code;
        EXPECT_EQ(r->hasPx2, c.px2) << c.code;
        EXPECT_EQ(r->hasPy2(), c.py2) << c.code;
        double Lx = 0, Ly = 0;
        ASSERT_TRUE(pileCapSize(c.code, 500, 400, 1500, 1300, 2121, Lx, Ly));
        EXPECT_EQ(Lx, c.Lx) << c.code;
        EXPECT_EQ(Ly, c.Ly) << c.code;
        // Every pile stands inside the cap, at least an edge distance from its sides.
        const auto piles = pilePositions(c.code, 500, 400, 1500, c.py2 ? 1300 : 0, 2121);
        ASSERT_EQ(static_cast<int>(piles.size()), c.count) << c.code;
        for (const PilePoint& p : piles) {
            EXPECT_GE(p.x, 500) << c.code;
            EXPECT_LE(p.x, Lx - 500) << c.code;
            EXPECT_GE(p.y, 400) << c.code;
        }
    }
}

TEST(PileArrangement, UnknownCodesAndCountsHaveNone) {
    double Lx = -1, Ly = -1;
    for (int code : {0, 12, -3}) {
        EXPECT_EQ(pileArrangementRule(code), nullptr);
        EXPECT_FALSE(pileCapSize(code, 1, 1, 1, 1, 1, Lx, Ly));
        EXPECT_TRUE(pilePositions(code, 1, 1, 1, 1, 1).empty());
    }
    EXPECT_EQ(Lx, -1);
    EXPECT_EQ(pileArrangementByCount(3, 0), nullptr); // two arrangements of three: the variant decides
    EXPECT_EQ(pileArrangementByCount(10, 0), nullptr);
    EXPECT_EQ(pileArrangementByCount(4, 7), pileArrangementRule(5)); // one arrangement of four
}
