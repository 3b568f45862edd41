#include "calc/calc_messages.h"
#include "calc/isolated_design.h"
#include "calc_fixtures.h"
#include "expect_single.h"

#include <gtest/gtest.h>

using namespace k5;
using namespace k5test;

namespace {

TEST(IsolatedDesign, CentredFootingUnderAxialLoad) {
    FootingInput in; // 2000 × 2000, column 500, outstands 750, D = 500, d = 70
    in.fe = 200;
    Prepared p(isolatedRecord(in));
    ASSERT_TRUE(p.ok);
    ASSERT_TRUE(designIsolated(p.design)) << p.design.fault().toStdString();
    EXPECT_EQ(p.writes, 1 + 4 + 1); // preparation, each case, end

    for (int j = 1; j <= 4; ++j) {
        EXPECT_EQ(p.d2(row::e, j), 0);
        EXPECT_EQ(p.d2(row::eccFlag, j), 0);
        EXPECT_EQ(p.d2(row::alpha, j), 1);
        EXPECT_EQ(p.d2(row::Xn, j), 0);
        EXPECT_SINGLE(p.d2(row::LperA, j), 4);
        EXPECT_SINGLE(p.d2(row::sigmaMax, j), 125);
        EXPECT_SINGLE(p.d2(row::Q, j), 187.5);
        EXPECT_SINGLE(p.d2(row::Mface, j), 70.3125);
        EXPECT_EQ(p.d2(row::dPrime, j), 430);
        EXPECT_EQ(p.d2(row::lever, j), 376.25);
        EXPECT_SINGLE(p.d2(row::tau, j), 187.5 * 1000 / 2000 / 376.25);
        EXPECT_EQ(p.d2(row::shearNG, j), 0);
    }
    EXPECT_SINGLE(p.d2(row::Areq, 1), 2.5);  // ΣN·α/fe = 500/200
    EXPECT_SINGLE(p.d2(row::Areq, 3), 1.25); // short-term fe is doubled
    EXPECT_EQ(p.d2(row::areaNG, 1), 0);
    // fa = 2.1 / 4.2 and ft = 196 / 295 (edition 2, Fc 21, SD295 D19).
    EXPECT_SINGLE(p.d2(row::psiReq, 1), 187.5 * 1000 / 2.1 / 376.25 / 10);
    EXPECT_SINGLE(p.d2(row::atReq, 1), 70.3125e6 / 196 / 376.25 / 100);
    EXPECT_SINGLE(p.d2(row::atReq, 3), 70.3125e6 / 295 / 376.25 / 100);
    EXPECT_EQ(p.d2(row::nBars, 1), 4); // Int(9.53/2.85) + 1 and Int(23.7/6) + 1
    EXPECT_EQ(p.d2(row::nBars, 3), 4);
    EXPECT_EQ(p.d2(row::rebarNG, 1), 0);
    EXPECT_EQ(p.d2(row::rebarNG, 3), 0);

    // Punching, r = 215, all outstands longer.
    EXPECT_SINGLE(p.d1(field::b0stored), 33.502);
    EXPECT_SINGLE(p.d1(field::A0stored), 82.51465);
    EXPECT_SINGLE(p.d2(row::QPD, 1), (4e6 - 825146.5) * 500 / 4e6);
    EXPECT_SINGLE(p.d2(row::QPA, 1), 3350.2 * 1.5 * 376.25 * 0.7 / 1000);
    EXPECT_SINGLE(p.d2(row::QPA, 4), 3350.2 * 1.5 * 376.25 * 1.4 / 1000);
    EXPECT_EQ(p.d2(row::punchNG, 1), 0);
    EXPECT_EQ(p.d1(field::ngFlag), 0);
}

TEST(IsolatedDesign, RatioOfExactlyOneSixthIsTriangular) {
    FootingInput in;
    in.Lx = 3000;
    in.ax = 600;
    in.Lx1 = 1200;
    in.N = 600;
    in.M[1] = 300; // e = 0.5 m over L = 3 m
    in.fe = 1000;
    Prepared p(isolatedRecord(in));
    ASSERT_TRUE(designIsolated(p.design));
    EXPECT_EQ(p.d2(row::eccFlag, 1), -1);
    EXPECT_SINGLE(p.d2(row::alpha, 1), 2);
    EXPECT_SINGLE(p.d2(row::Xn, 1), 3); // m
    EXPECT_SINGLE(p.d2(row::alpha2, 1), 2);
    EXPECT_SINGLE(p.d2(row::Xn2, 1), 3000); // mm
    EXPECT_SINGLE(p.d2(row::sigmaMax, 1), 600 * 2 / 6.0);
    // Q = (1 − ℓ/4Xn')·(α'/2·N')·(ℓ/L), M = (ℓ²/L)·(α'/8·N')·(1 − ℓ/6L)/1000
    EXPECT_SINGLE(p.d2(row::Q, 1), 0.9 * 600 * 0.4);
    EXPECT_SINGLE(p.d2(row::Mface, 1), 480 * 150 * (1 - 1200.0 / 18000) / 1000);
    // The Y case has no moment: trapezoid, α = 1.
    EXPECT_EQ(p.d2(row::eccFlag, 2), 0);
    EXPECT_EQ(p.d2(row::alpha, 2), 1);
}

TEST(IsolatedDesign, OffCentreColumnUsesEpsilonAndTheLongerOutstand) {
    FootingInput in;
    in.Lx = 2000;
    in.ax = 400;
    in.Lx1 = 300; // Lx2 = 1300
    in.N = 300;
    in.fe = 1000;
    Prepared p(isolatedRecord(in));
    ASSERT_TRUE(designIsolated(p.design));
    EXPECT_SINGLE(p.d2(row::L1, 3), 1300);
    EXPECT_SINGLE(p.d2(row::eps, 1), 500);
    EXPECT_SINGLE(p.d2(row::eps, 3), 500);
    EXPECT_SINGLE(p.d2(row::eps, 2), 0);
    EXPECT_SINGLE(p.d2(row::e, 1), 0.5);
    EXPECT_SINGLE(p.d2(row::eRatio, 1), 0.25);
    // e'/L = 0.25: α' = 8/3, Xn' = 1500 mm, ℓ = 1300.
    EXPECT_SINGLE(p.d2(row::alpha2, 1), 8.0 / 3);
    EXPECT_SINGLE(p.d2(row::Xn2, 1), 1500);
    EXPECT_SINGLE(p.d2(row::Q, 1), (1 - 1300.0 / 6000) * (8.0 / 3 / 2 * 300) * 0.65);
}

TEST(IsolatedDesign, AreaEqualToTheFootingIsNgAndShortTermTakesTheLargerArea) {
    FootingInput in;
    in.Ly = 2250; // A = 4.5 m²
    in.Ly1 = 875;
    in.fe = 100;
    in.N = 450;       // A' = 4.5 long-term: equal is NG
    in.NshortX = 350; // 800 / 200 = 4.0
    in.NshortY = 550; // 1000 / 200 = 5.0
    Prepared p(isolatedRecord(in));
    ASSERT_TRUE(designIsolated(p.design));
    EXPECT_SINGLE(p.d2(row::Areq, 1), 4.5);
    EXPECT_EQ(p.d2(row::areaNG, 1), -1);
    EXPECT_SINGLE(p.d2(row::Areq, 3), 5.0);
    EXPECT_SINGLE(p.d2(row::Areq, 4), 5.0);
    EXPECT_EQ(p.d2(row::areaNG, 3), 0); // judged with its own 4.0
    EXPECT_EQ(p.d2(row::areaNG, 4), -1);
    EXPECT_EQ(p.d1(field::ngFlag), -1);
}

TEST(IsolatedDesign, ASkippedCaseKeepsItsLoadsGeometryAndAllowables) {
    FootingInput in;
    in.Wc = 24;
    in.N = 500;
    in.NshortX = -500; // N' of case 3 is 0
    in.NshortY = 100;
    Prepared p(isolatedRecord(in));
    p.record.data2[row::areaNG][3] = -1; // from an earlier calculation
    p.record.data2[row::Q][3] = 99;
    ASSERT_TRUE(designIsolated(p.design));
    EXPECT_EQ(p.d2(row::N, 3), -500);
    EXPECT_EQ(p.d2(row::L, 3), 2000);
    EXPECT_EQ(p.d2(row::L1, 3), 750);
    EXPECT_SINGLE(p.d2(row::fs, 3), 1.4);
    EXPECT_SINGLE(p.d2(row::sumN, 3), 48); // W1 = 24·2 m³
    EXPECT_EQ(p.d2(row::areaNG, 3), 0);
    // Cleared design results; afterwards case 4 shares its larger A' with
    // column 3 and the bar decision fills the direction's short-term rows.
    EXPECT_EQ(p.d2(row::Areq, 3), p.d2(row::Areq, 4));
    for (int i = 25; i <= 60; ++i) {
        if (i != row::Areq && i != row::nCalc && i != row::nBars && i != row::pitchUsed && i != row::sumAt &&
            i != row::sumPsi) {
            EXPECT_EQ(p.d2(i, 3), 0) << "row " << i;
        }
    }
    EXPECT_EQ(p.d2(row::QPA, 3), 0);
    EXPECT_GT(p.d2(row::QPA, 4), 0);
    EXPECT_EQ(p.writes, 1 + 3 + 1);
}

struct PunchCase {
    const char* what;
    double Lx1, Lx2, Ly1, Ly2;
    double b0, A0;
    int cut;
};

class Punching : public ::testing::TestWithParam<PunchCase> {};

// r = 200 (P = 1256, Qc = 125600), column 500 × 400; 1000 is an uncut outstand.
TEST_P(Punching, SectionByCutSides) {
    const PunchCase& c = GetParam();
    const PunchingSection s = punchingSection(200, 500, 400, c.Lx1, c.Lx2, c.Ly1, c.Ly2);
    EXPECT_NEAR(s.b0, c.b0, 1e-6) << c.what;
    EXPECT_NEAR(s.A0, c.A0, 1e-6) << c.what;
    EXPECT_EQ(s.cutSides, c.cut) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Punching,
    ::testing::Values(PunchCase{"none", 1000, 1000, 1000, 1000, 3056, 685600, 0},
                      PunchCase{"left only: two corners remain", 100, 1000, 1000, 1000, 2228, 622800, 1},
                      PunchCase{"an outstand of exactly r is cut", 200, 1000, 1000, 1000, 2428, 702800, 1},
                      PunchCase{"right only", 1000, 150, 1000, 1000, 2328, 662800, 1},
                      PunchCase{"lower only", 1000, 1000, 120, 1000, 2168, 630800, 1},
                      PunchCase{"upper only", 1000, 1000, 1000, 180, 2288, 684800, 1},
                      PunchCase{"left and lower", 100, 1000, 120, 1000, 1434, 567400, 2},
                      PunchCase{"right and lower", 1000, 150, 120, 1000, 1484, 603400, 2},
                      PunchCase{"right and upper", 1000, 150, 1000, 180, 1544, 654400, 2},
                      PunchCase{"left and upper", 100, 1000, 1000, 180, 1494, 615400, 2},
                      PunchCase{"left and right", 100, 150, 1000, 1000, 1500, 600000, 2},
                      PunchCase{"lower and upper", 1000, 1000, 120, 180, 1400, 630000, 2},
                      PunchCase{"all but upper", 100, 150, 120, 1000, 750, 540000, 3},
                      PunchCase{"all but left", 1000, 150, 120, 180, 700, 595000, 3},
                      PunchCase{"all but lower", 100, 150, 1000, 180, 750, 585000, 3},
                      PunchCase{"all but right", 100, 1000, 120, 180, 700, 560000, 3},
                      PunchCase{"all four", 100, 150, 120, 180, 0, 0, 4}));

TEST(IsolatedPunching, CgsCapacityIsInTonnes) {
    FootingInput in;
    in.unit = 2;
    in.Fc = 210;
    in.fe = 20;
    in.N = 200;
    Prepared p(isolatedRecord(in));
    ASSERT_TRUE(designIsolated(p.design));
    // fs = 7 kg/cm²: b0·1.5·j·fs is kg·100, 10⁵ of it a tonne.
    EXPECT_SINGLE(p.d2(row::QPA, 1), 3350.2 * 1.5 * 376.25 * 7 / 100000);
    EXPECT_SINGLE(p.d2(row::QPD, 1), (4e6 - 825146.5) * 200 / 4e6);
    EXPECT_EQ(p.d2(row::punchNG, 1), -1); // 158.7 t against 132.4 t
}

TEST(IsolatedPunching, DemandEqualToCapacityIsOk) {
    FootingInput in;
    in.N = 1000;
    in.fe = 1000;
    Prepared p(isolatedRecord(in));
    ASSERT_TRUE(designIsolated(p.design));
    // Set fs so that the capacity of case 1 is its demand, then check again.
    const double demand = p.d2(row::QPD, 1);
    p.record.data2[row::fs][1] = static_cast<float>(demand * 1000 / (3350.2 * 1.5 * 376.25));
    p.record.data1[field::ngFlag] = 0;
    ASSERT_TRUE(punchingCheck(p.design));
    ASSERT_EQ(p.d2(row::QPA, 1), p.d2(row::QPD, 1));
    EXPECT_EQ(p.d2(row::punchNG, 1), 0);
    EXPECT_EQ(p.d1(field::ngFlag), 0);
}

TEST(IsolatedPunching, NoSectionWhenEveryOutstandIsCut) {
    FootingInput in;
    in.Lx = in.Ly = 800;
    in.Lx1 = in.Ly1 = 150;
    in.fe = 1000;
    Prepared p(isolatedRecord(in));
    p.record.data2[row::QPA][1] = 5;
    ASSERT_TRUE(designIsolated(p.design));
    EXPECT_EQ(p.d1(field::b0stored), 0);
    for (int j = 1; j <= 4; ++j)
        EXPECT_EQ(p.d2(row::QPA, j), 0);
}

struct RefusalCase {
    const char* what;
    float N, Mx, Wc;
    QString fault;
};

class IsolatedRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(IsolatedRefusal, StopsWithoutStoringNonsense) {
    const RefusalCase& c = GetParam();
    FootingInput in; // h1 = D: 2 m³ of concrete, no backfill
    in.N = c.N;
    in.M[1] = c.Mx;
    in.Wc = c.Wc;
    Prepared p(isolatedRecord(in));
    ASSERT_TRUE(p.ok);
    const int writes = p.writes;
    EXPECT_FALSE(designIsolated(p.design)) << c.what;
    EXPECT_EQ(p.design.fault(), c.fault) << c.what;
    EXPECT_EQ(p.writes, writes) << c.what; // case 1 failed before its write
    EXPECT_TRUE(allFinite(p.record)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, IsolatedRefusal,
    ::testing::Values(RefusalCase{"ΣN = 0 with N' ≠ 0", -48, 0, 24, calc_message::sumNZero(1)},
                      RefusalCase{"e/L exactly 1/2", 500, 500, 0, calc_message::eccentricityTooLarge(1)},
                      RefusalCase{"e/L beyond 1/2", 500, 600, 0, calc_message::eccentricityTooLarge(1)},
                      RefusalCase{"e'/L beyond 1/2 only", 48, 57.6f, 24,
                                  calc_message::columnEccentricityTooLarge(1)}));

TEST(AlphaFactor, TakesTheLargerPressure) {
    EXPECT_DOUBLE_EQ(alphaFactor(100, 0.1, 50), 1.6);
    EXPECT_DOUBLE_EQ(alphaFactor(-100, 0.1, 50), 1 - 0.6); // a negative load flips the choice
}

} // namespace
