#include "calc/calc_messages.h"
#include "calc/pile_cap_design.h"
#include "calc/pile_table.h"
#include "calc_fixtures.h"
#include "expect_single.h"

#include <gtest/gtest.h>

#include <vector>

using namespace k5;
using namespace k5test;

namespace {

struct Line {
    int dir, p, s, count;
    double mm; // coordinate from the column centre
};

struct TableCase {
    int layout;
    std::vector<Line> lines; // every line with piles, centre lines on side 1 only
    double refX, refY;
};

class PileTables : public ::testing::TestWithParam<TableCase> {};

// Px1 = Py1 = 400, Px2 = 1500, Py2 = 1200 (" 3(3角)", " 7": 1299; " 5",
// " 8(3×2+2)": F = 2121), column 600 centred on the cap.
TEST_P(PileTables, LinesOfEveryArrangement) {
    const TableCase& c = GetParam();
    PileCapInput in;
    in.layout = c.layout;
    in.Py2 = 1200;
    Prepared prep(pileCapRecord(in));
    ASSERT_TRUE(prep.ok);
    const PileTable t = pileTable(prep.record);
    int expected[3][4][3] = {};
    for (const Line& l : c.lines) {
        expected[l.dir][l.p][l.s] = l.count;
        EXPECT_SINGLE(t.distance(l.dir, l.p, l.s), l.mm / 1000)
            << "layout " << c.layout << " line " << l.dir << l.p << l.s;
        if (l.p == 3) {
            expected[l.dir][3][2] = l.count;
            EXPECT_EQ(t.distance(l.dir, 3, 2), t.distance(l.dir, 3, 1));
        }
    }
    int piles[3] = {0, 0, 0};
    for (int dir = 1; dir <= 2; ++dir)
        for (int p = 1; p <= 3; ++p)
            for (int s = 1; s <= 2; ++s) {
                EXPECT_EQ(t.count(dir, p, s), expected[dir][p][s])
                    << "layout " << c.layout << " " << dir << p << s;
                if (p < 3 || s == 1) piles[dir] += t.count(dir, p, s);
            }
    const int count = pileArrangement(c.layout).count;
    EXPECT_EQ(piles[1], count);
    EXPECT_EQ(piles[2], count);
    EXPECT_SINGLE(t.refX, c.refX);
    EXPECT_SINGLE(t.refY, c.refY);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PileTables,
    ::testing::Values(
        TableCase{1, {{1, 3, 1, 1, 0}, {2, 3, 1, 1, 0}}, 0, 0},
        TableCase{2, {{1, 1, 1, 1, -750}, {1, 1, 2, 1, 750}, {2, 3, 1, 2, 0}}, 0, 0},
        TableCase{3,
                  {{1, 1, 1, 1, -750},
                   {1, 1, 2, 1, 750},
                   {1, 3, 1, 1, 0},
                   {2, 1, 1, 2, -649.5},
                   {2, 1, 2, 1, 649.5}},
                  0,
                  0},
        TableCase{4, {{1, 1, 1, 1, -1500}, {1, 1, 2, 1, 1500}, {1, 3, 1, 1, 0}, {2, 3, 1, 3, 0}}, 0, 0},
        TableCase{5, {{1, 1, 1, 2, -750}, {1, 1, 2, 2, 750}, {2, 1, 1, 2, -600}, {2, 1, 2, 2, 600}}, 0, 0},
        TableCase{6,
                  {{1, 1, 1, 2, -1060.5},
                   {1, 1, 2, 2, 1060.5},
                   {1, 3, 1, 1, 0},
                   {2, 1, 1, 2, -1060.5},
                   {2, 1, 2, 2, 1060.5},
                   {2, 3, 1, 1, 0}},
                  1060.5,
                  1060.5},
        TableCase{
            7,
            {{1, 1, 1, 2, -1500}, {1, 1, 2, 2, 1500}, {1, 3, 1, 2, 0}, {2, 1, 1, 3, -600}, {2, 1, 2, 3, 600}},
            0,
            0},
        TableCase{8,
                  {{1, 1, 1, 1, -1500},
                   {1, 1, 2, 1, 1500},
                   {1, 2, 1, 2, -750},
                   {1, 2, 2, 2, 750},
                   {1, 3, 1, 1, 0},
                   {2, 1, 1, 2, -1299},
                   {2, 1, 2, 2, 1299},
                   {2, 3, 1, 3, 0}},
                  0,
                  0},
        TableCase{9,
                  {{1, 1, 1, 2, -2121},
                   {1, 1, 2, 2, 2121},
                   {1, 2, 1, 1, -1060.5},
                   {1, 2, 2, 1, 1060.5},
                   {1, 3, 1, 2, 0},
                   {2, 1, 1, 3, -1060.5},
                   {2, 1, 2, 3, 1060.5},
                   {2, 3, 1, 2, 0}},
                  2121,
                  1060.5},
        TableCase{10,
                  {{1, 1, 1, 2, -2250},
                   {1, 1, 2, 2, 2250},
                   {1, 2, 1, 2, -750},
                   {1, 2, 2, 2, 750},
                   {2, 1, 1, 4, -600},
                   {2, 1, 2, 4, 600}},
                  750,
                  0},
        TableCase{11,
                  {{1, 1, 1, 3, -1500},
                   {1, 1, 2, 3, 1500},
                   {1, 3, 1, 3, 0},
                   {2, 1, 1, 3, -1200},
                   {2, 1, 2, 3, 1200},
                   {2, 3, 1, 3, 0}},
                  0,
                  0}));

TEST(PileTable, NoArrangementGivesAnEmptyTable) {
    FoundationRecord r = pileCapRecord({});
    r.data1[field::pileCount] = 3;
    r.data1[field::pileVariant] = 0;
    const PileTable t = pileTable(r);
    for (int dir = 1; dir <= 2; ++dir)
        for (int p = 1; p <= 3; ++p)
            for (int s = 1; s <= 2; ++s)
                EXPECT_EQ(t.count(dir, p, s), 0);
}

TEST(PileCapDesign, FourPilesUnderMoment) {
    PileCapInput in; // " 4", Px1 400, Px2 1500, column 600, φ 300, D 800
    in.N = 1000;
    in.M[1] = 450;
    Prepared p(pileCapRecord(in));
    ASSERT_TRUE(p.ok);
    PileTable t;
    ASSERT_TRUE(designPileCap(p.design, &t)) << p.design.fault().toStdString();
    // Σx² = 4·0.75² = 2.25 m², g = 200: ±150 on each line.
    EXPECT_SINGLE(p.d2(row::Rmax1, 1), 400);
    EXPECT_SINGLE(p.d2(row::Rmax1 + 2, 1), 100);
    EXPECT_EQ(p.d2(row::Rmax1 + 1, 1), 0);
    for (int i = 29; i <= 36; ++i)
        EXPECT_EQ(p.d2(i, 1), 0) << "row " << i;
    EXPECT_SINGLE(p.d2(row::Rp1, 1), 400);
    EXPECT_EQ(p.d2(row::Rp1 + 1, 1), 0);
    // Both lines pass the face (750 − 150 > 0): Q = 2·400, M = (0.75 − 0.3)·800.
    EXPECT_SINGLE(p.d2(row::Q, 1), 800);
    EXPECT_SINGLE(p.d2(row::Mface, 1), 360);
    // The Y case under axial load alone is designed: 250 a pile.
    EXPECT_SINGLE(p.d2(row::Rmax1, 2), 250);
    EXPECT_SINGLE(p.d2(row::Q, 2), 500);
    EXPECT_SINGLE(p.d2(row::Mface, 2), 225); // Y lines at ±0.75 m as well
    EXPECT_GT(p.d2(row::atReq, 2), 0);
    EXPECT_GT(p.d2(row::nBars, 2), 0);
    // Punching around the most loaded pile: d' = 730, j = 638.75, fs = 0.7.
    EXPECT_SINGLE(p.d2(row::punchX, 1), 400);
    EXPECT_EQ(p.d2(row::punchX, 2), 1);
    EXPECT_EQ(p.d2(row::punchX, 3), 1);
    EXPECT_EQ(p.d2(row::punchX, 4), 1);
    EXPECT_SINGLE(p.d2(row::punchY, 1), 250);
    const double b0 = (730 + 300) * 3.14159;
    EXPECT_SINGLE(p.d2(row::QPA, 1), b0 * 1.5 * 638.75 * 0.7 / 1000);
    EXPECT_SINGLE(p.d2(row::QPA, 2), p.d2(row::QPA, 1));
    EXPECT_SINGLE(p.d2(row::QPA, 3), b0 * 1.5 * 638.75 * 1.4 / 1000);
    EXPECT_EQ(p.d2(row::punchNG, 1), 0);
    EXPECT_SINGLE(p.d2(row::ref, 1), 0);
    // Preparation, pile table, cases 1 and 2, end.
    EXPECT_EQ(p.writes, 1 + 1 + 2 + 1);
}

TEST(PileCapDesign, LoadEqualToPeIsNgAndZeroMinimumIsOk) {
    PileCapInput in;
    in.N = 600;
    in.M[1] = 450; // R0 = 150, Δ = 150
    in.Pe = 300;
    Prepared p(pileCapRecord(in));
    ASSERT_TRUE(designPileCap(p.design));
    EXPECT_SINGLE(p.d2(row::Rmax1, 1), 300);
    EXPECT_EQ(p.d2(row::Rmax1 + 1, 1), -1);
    EXPECT_EQ(p.d2(row::Rmax1 + 2, 1), 0);
    EXPECT_EQ(p.d2(row::Rmax1 + 3, 1), 0);
    EXPECT_EQ(p.d1(field::ngFlag), -1);
}

TEST(PileCapDesign, SinglePileCarriesEverything) {
    PileCapInput in;
    in.layout = 1;
    in.Wc = 24;
    in.N = 700;
    Prepared p(pileCapRecord(in));
    ASSERT_TRUE(designPileCap(p.design));
    const double sumN = p.d2(row::sumN, 1);
    EXPECT_GT(sumN, 700);
    EXPECT_SINGLE(p.d2(row::Rmax1 + 8, 1), sumN);
    EXPECT_SINGLE(p.d2(row::Rmax1 + 10, 1), sumN);
    EXPECT_SINGLE(p.d2(row::Rp1 + 2, 1), 700);
    EXPECT_EQ(p.d2(row::Rmax1, 1), 0);
    EXPECT_EQ(p.d2(row::Rp1, 1), 0);
    // φ 300 within the column 600: no pile beyond the face.
    EXPECT_EQ(p.d2(row::Q, 1), 0);
    EXPECT_EQ(p.d2(row::Mface, 1), 0);
}

TEST(PileCapDesign, ShortTermCasesFollowTheirLoadsAndKeepTheirColumnOtherwise) {
    PileCapInput in;
    in.NshortY = 200;
    FoundationRecord r = pileCapRecord(in);
    r.data2[row::Q][3] = 77; // from an earlier calculation
    Prepared p(r);
    ASSERT_TRUE(designPileCap(p.design));
    EXPECT_EQ(p.d2(row::Q, 3), 77);
    EXPECT_SINGLE(p.d2(row::Rmax1, 4), 300); // (1000 + 200) / 4
    const CaseFlags shown = caseFlags(p.record);
    EXPECT_TRUE(shown.computed[1]);
    EXPECT_FALSE(shown.computed[2]); // the report's flags stay as they were
    EXPECT_FALSE(shown.computed[3]);
    EXPECT_TRUE(shown.computed[4]);
}

TEST(PileCapDesign, ASkippedCaseClearsOnlyItsDesignResults) {
    PileCapInput in;
    in.NshortX = -1000; // N' of case 3 is 0
    in.M[3] = 10;
    FoundationRecord r = pileCapRecord(in);
    r.data2[row::Rmax1][3] = 5;
    r.data2[row::areaNG][3] = -1;
    Prepared p(r);
    ASSERT_TRUE(designPileCap(p.design));
    EXPECT_EQ(p.d2(row::N, 3), -1000);
    EXPECT_EQ(p.d2(row::M, 3), 10);
    EXPECT_EQ(p.d2(row::P, 3), 1500); // Px2 stays
    EXPECT_SINGLE(p.d2(row::fs, 3), 1.4);
    EXPECT_EQ(p.d2(row::Rmax1, 3), 0);
    EXPECT_EQ(p.d2(row::areaNG, 3), 0);
    EXPECT_EQ(p.d2(row::Nd, 3), 0);
    // The short-term punching capacity is still computed with the kept fs.
    EXPECT_GT(p.d2(row::QPA, 3), 0);
}

TEST(PileCapDesign, OuterAndInnerLinesBothCountAtTheFace) {
    PileCapInput in;
    in.layout = 10; // " 8(直4×2)": lines at ±2.25 m and ±0.75 m, two piles each
    in.N = 1600;
    Prepared p(pileCapRecord(in));
    ASSERT_TRUE(designPileCap(p.design));
    EXPECT_SINGLE(p.d2(row::Rp1, 1), 200);
    EXPECT_SINGLE(p.d2(row::Rp1 + 1, 1), 200);
    EXPECT_SINGLE(p.d2(row::Q, 1), 800);
    // (2.25 − 0.3)·400 + (0.75 − 0.3)·(400 + 400)
    EXPECT_SINGLE(p.d2(row::Mface, 1), 1140);
}

TEST(PileCapDesign, ALinePositionWithoutPilesAddsNothingAtTheFace) {
    PileCapInput in;
    in.layout = 2; // X lines at ±0.75 m, no centre pile
    in.pfai = 700; // wider than the column: an empty line at x = 0 would "pass" the face
    in.Px1 = 900;
    in.N = 1000;
    Prepared p(pileCapRecord(in));
    ASSERT_TRUE(designPileCap(p.design));
    EXPECT_SINGLE(p.d2(row::Q, 1), 500);
    EXPECT_SINGLE(p.d2(row::Mface, 1), (0.75 - 0.3) * 500);
}

TEST(PileCapDesign, NoPositiveReactionMeansNoPunchingCheck) {
    PileCapInput in;
    in.N = -100;
    FoundationRecord r = pileCapRecord(in);
    r.data2[row::QPA][1] = 9;
    Prepared p(r);
    ASSERT_TRUE(designPileCap(p.design));
    EXPECT_EQ(p.d2(row::punchX, 1), 0);
    EXPECT_EQ(p.d2(row::punchY, 1), 0);
    EXPECT_EQ(p.d2(row::QPA, 1), 9);
}

TEST(PileCapDesign, CgsPunchingCapacityIsInTonnes) {
    PileCapInput in;
    in.unit = 2;
    in.Fc = 210;
    in.Pe = 50;
    in.N = 100;
    Prepared p(pileCapRecord(in));
    ASSERT_TRUE(designPileCap(p.design));
    const double b0 = (730 + 300) * 3.14159;
    EXPECT_SINGLE(p.d2(row::QPA, 1), b0 * 1.5 * 638.75 * 7 / 100000);
}

TEST(PileCapDesign, NoPileArrangementIsRefused) {
    PileCapInput in;
    in.layout = 0;
    Prepared p(pileCapRecord(in));
    ASSERT_TRUE(p.ok);
    EXPECT_FALSE(designPileCap(p.design));
    EXPECT_EQ(p.design.fault(), calc_message::pileLayoutInvalid());
    EXPECT_TRUE(allFinite(p.record));
}

} // namespace
