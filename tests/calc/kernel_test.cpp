#include "calc/calc_kernel.h"
#include "calc/calc_messages.h"
#include "calc/prepare_common.h"
#include "calc_fixtures.h"
#include "expect_single.h"

#include <gtest/gtest.h>

using namespace k5;
using namespace k5test;

namespace {

TEST(EquivalentDepth, SlopedTopUsesTheMeanDepthRoundedHalfToEven) {
    FootingInput in;
    in.D = 600;
    in.D2 = 300;
    in.Lx1 = in.Ly1 = 750;
    Prepared p(isolatedRecord(in));
    ASSERT_TRUE(p.ok);
    double j = 0;
    ASSERT_TRUE(equivalentDepth(p.design, &j));
    // Dx = Dy = 487.5, rounded to 488 (even); d' = 418, j = 365.75.
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(p.d2(row::dPrime, c), 418);
        EXPECT_EQ(p.d2(row::lever, c), 365.75);
    }
    EXPECT_EQ(j, 365.75);
}

TEST(EquivalentDepth, LevelTopAndHalfToEvenOnTheOddSide) {
    FootingInput level;
    Prepared a(isolatedRecord(level));
    ASSERT_TRUE(equivalentDepth(a.design));
    EXPECT_EQ(a.d2(row::dPrime, 3), 430);
    EXPECT_EQ(a.d2(row::lever, 3), 376.25);

    // Dx = (600·2000 − 100·1000/2)/2000 = 575 exactly; Dy with Ly = 4000,
    // ay = 1000: (600·4000 − 100·3000/2)/4000 = 562.5, rounds to 562.
    FootingInput sloped;
    sloped.D = 600;
    sloped.D2 = 500;
    sloped.Lx = 2000;
    sloped.ax = 1000;
    sloped.Lx1 = 500;
    sloped.Ly = 4000;
    sloped.ay = 1000;
    sloped.Ly1 = 1500;
    sloped.d = 70.5;
    Prepared b(isolatedRecord(sloped));
    ASSERT_TRUE(equivalentDepth(b.design));
    EXPECT_EQ(b.d2(row::dPrime, 1), 491); // Int(562 − 70.5)
}

TEST(EquivalentDepth, NoEffectiveDepthIsRefused) {
    FootingInput in;
    in.D = in.D2 = 100;
    in.d = 100;
    Prepared p(isolatedRecord(in));
    EXPECT_FALSE(equivalentDepth(p.design));
    EXPECT_EQ(p.design.fault(), calc_message::depthNotPositive());
}

TEST(SectionRequirements, BothUnitSystems) {
    FootingInput in;
    Prepared si(isolatedRecord(in));
    FoundationRecord& r = si.record;
    r.data2[row::Q][1] = 187.5f;
    r.data2[row::Mface][1] = 70.3125f;
    r.data2[row::lever][1] = 376.25f;
    r.data2[row::fa][1] = 2.1f;
    r.data2[row::ft][1] = 196;
    ASSERT_TRUE(sectionRequirements(si.design, 1));
    EXPECT_SINGLE(si.d2(row::psiReq, 1), 187.5 * 1000 / 2.1f / 376.25 / 10);
    EXPECT_SINGLE(si.d2(row::atReq, 1), 70.3125 * 1e6 / 196 / 376.25 / 100);

    in.unit = 2;
    Prepared cgs(isolatedRecord(in));
    FoundationRecord& c = cgs.record;
    c.data2[row::Q][2] = 20;
    c.data2[row::Mface][2] = 8;
    c.data2[row::lever][2] = 400;
    c.data2[row::fa][2] = 21;
    c.data2[row::ft][2] = 2000;
    ASSERT_TRUE(sectionRequirements(cgs.design, 2));
    EXPECT_SINGLE(cgs.d2(row::psiReq, 2), 20.0 * 1000 / 21 / 40);
    EXPECT_SINGLE(cgs.d2(row::atReq, 2), 8.0 * 1e5 / 2000 / 40);
}

TEST(SectionRequirements, ZeroAllowableStressesAreRefused) {
    Prepared p(isolatedRecord({}));
    p.record.data2[row::lever][1] = 376.25f;
    p.record.data2[row::fa][1] = 0;
    EXPECT_FALSE(sectionRequirements(p.design, 1));
    EXPECT_EQ(p.design.fault(), calc_message::bondStressZero());
    EXPECT_TRUE(allFinite(p.record));
}

TEST(ShearCheck, StressEqualToTheAllowableIsNg) {
    Prepared p(isolatedRecord({}));
    FoundationRecord& r = p.record;
    // X case: the section is Ly wide. τ = 400·1000/2000/400 = 0.5.
    r.data2[row::L][2] = 2000;
    r.data2[row::Q][1] = 400;
    r.data2[row::lever][1] = 400;
    r.data2[row::fs][1] = 0.5f;
    ASSERT_TRUE(shearCheck(p.design, 1));
    EXPECT_SINGLE(p.d2(row::tau, 1), 0.5);
    EXPECT_EQ(p.d2(row::shearNG, 1), -1);
    EXPECT_EQ(p.d1(field::ngFlag), -1);

    r.data2[row::fs][1] = 0.51f;
    r.data1[field::ngFlag] = 0;
    ASSERT_TRUE(shearCheck(p.design, 1));
    EXPECT_EQ(p.d2(row::shearNG, 1), 0);
    EXPECT_EQ(p.d1(field::ngFlag), 0);
}

struct BarCase {
    const char* what;
    int priority;
    float atReqLong, atReqShort, psiReqLong; // X direction requirement
    int given;                               // maximum count (priority 3)
    float nBars, pitchUsed, nCalc;
    float areaNG, perimeterNG;
};

class DecideBars : public ::testing::TestWithParam<BarCase> {};

TEST_P(DecideBars, CountByPriority) {
    const BarCase& c = GetParam();
    FootingInput in;
    in.priority = c.priority;
    FoundationRecord rec = isolatedRecord(in);
    rec.data1[field::nx] = static_cast<float>(c.given);
    Prepared p(rec);
    ASSERT_TRUE(p.ok);
    FoundationRecord& r = p.record;
    // One D19: 2.85 cm², 6 cm. Y needs nothing.
    r.data2[row::atReq][1] = c.atReqLong;
    r.data2[row::atReq][3] = c.atReqShort;
    r.data2[row::psiReq][1] = c.psiReqLong;
    ASSERT_TRUE(decideBars(p.design)) << c.what;
    for (int col : {1, 3}) {
        EXPECT_EQ(p.d2(row::nCalc, col), c.nCalc) << c.what;
        EXPECT_EQ(p.d2(row::nBars, col), c.nBars) << c.what;
        EXPECT_EQ(p.d2(row::pitchUsed, col), c.pitchUsed) << c.what;
        EXPECT_SINGLE(p.d2(row::sumAt, col), c.nBars * 2.85);
        EXPECT_SINGLE(p.d2(row::sumPsi, col), c.nBars * 6);
    }
    EXPECT_EQ(p.d2(row::rebarNG, 1), c.areaNG) << c.what;
    EXPECT_EQ(p.d2(row::rebarNG, 3), c.perimeterNG) << c.what;
    EXPECT_EQ(p.d2(row::nBars, 2), c.priority == 2 ? 10 : (c.priority == 1 ? 2 : (c.priority == 3 ? 2 : 0)));
}

// B = Ly = 2000, end clearance 60, maximum spacing 200: CInt(10.4) = 10 bars.
INSTANTIATE_TEST_SUITE_P(
    Table, DecideBars,
    ::testing::Values(BarCase{"result: the larger of both terms", 1, 5.0f, 9.0f, 10, 0, 4, 0, 4, 0, 0},
                      BarCase{"result: at least two", 1, 0.5f, 0, 1, 0, 2, 0, 2, 0, 0},
                      BarCase{"exact multiple k gives k + 1", 1, 5.7f, 0, 12, 0, 3, 0, 3, 0, 0},
                      BarCase{"perimeter governs", 1, 1, 0, 30, 0, 6, 0, 6, 0, 0},
                      BarCase{"spacing gives more bars", 2, 5.0f, 0, 0, 0, 10, 200, 2, 0, 0},
                      BarCase{"calculation gives more than spacing", 2, 33, 0, 0, 0, 12, 0, 12, 0, 0},
                      BarCase{"given count stands", 3, 8, 0, 0, 6, 6, 0, 3, 0, 0},
                      BarCase{"calculation beyond given count", 3, 18, 0, 0, 6, 7, 0, 7, 0, 0},
                      BarCase{"no priority: no bars, NG", 4, 1, 0, 1, 0, 0, 0, 2, -1, -1}));

TEST(DecideBarsRefusals, ZeroSpacingUnderSpacingPriorityAndTooManyBars) {
    FootingInput in;
    in.priority = 2;
    FoundationRecord rec = isolatedRecord(in);
    rec.data1[field::pitchy] = 0;
    Prepared p(rec);
    EXPECT_FALSE(decideBars(p.design));
    EXPECT_EQ(p.design.fault(), calc_message::pitchZero(2));
    EXPECT_TRUE(allFinite(p.record));

    Prepared q(isolatedRecord({}));
    q.record.data2[row::atReq][1] = 1e6f;
    EXPECT_FALSE(decideBars(q.design));
    EXPECT_EQ(q.design.fault(), calc_message::tooManyBars(1));
}

TEST(PileArrangement, CountAndVariantOfEveryCode) {
    const int expected[12][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {3, 2}, {4, 0},
                                 {5, 0}, {6, 0}, {7, 0}, {8, 1}, {8, 2}, {9, 0}};
    for (int code = 0; code <= 11; ++code) {
        EXPECT_EQ(pileArrangement(code).count, expected[code][0]) << code;
        EXPECT_EQ(pileArrangement(code).variant, expected[code][1]) << code;
    }
    EXPECT_EQ(pileArrangement(12).count, 0);
}

struct ConcreteCase {
    const char* what;
    int unit, edition;
    float Fc;
    const char *gradeX, *gradeY;
    double fc[2], fs[2], fa[2]; // long, short
};

class ConcreteAllowables : public ::testing::TestWithParam<ConcreteCase> {};

TEST_P(ConcreteAllowables, ByEditionAndUnitSystem) {
    const ConcreteCase& c = GetParam();
    FootingInput in;
    in.unit = c.unit;
    in.Fc = c.Fc;
    FoundationRecord rec = isolatedRecord(in);
    rec.barGradeX = QString::fromUtf8(c.gradeX);
    rec.barGradeY = QString::fromUtf8(c.gradeY);
    DesignRecord r(rec);
    ConcreteRule rule;
    rule.edition = c.edition;
    ASSERT_TRUE(concreteAllowables(r, rule)) << c.what;
    for (int col = 1; col <= 4; ++col) {
        const int term = col <= 2 ? 0 : 1;
        EXPECT_SINGLE(rec.data2[row::fc][col], c.fc[term]) << c.what;
        EXPECT_SINGLE(rec.data2[row::fs][col], c.fs[term]) << c.what;
        EXPECT_SINGLE(rec.data2[row::fa][col], c.fa[term]) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConcreteAllowables,
    ::testing::Values(
        ConcreteCase{"SI edition 1", 1, 1, 21, "SD295", "SD295", {7, 14}, {0.7, 1.05}, {0.95, 1.425}},
        ConcreteCase{"SI edition 1, Fc/100 + 0.5 smaller",
                     1,
                     1,
                     30,
                     "SD295",
                     "SD295",
                     {10, 20},
                     {0.8, 1.2},
                     {1.1, 1.65}},
        ConcreteCase{
            "SI edition 2 at 22.5", 1, 2, 22.5, "SD295", "SD295", {7.5, 15}, {0.75, 1.5}, {2.25, 4.5}},
        ConcreteCase{
            "SI edition 2 above 22.5", 1, 2, 24, "SD295", "SD295", {8, 16}, {0.8, 1.6}, {2.31, 4.62}},
        ConcreteCase{"SI edition 3", 1, 3, 36, "SR235", "SD295", {12, 24}, {1.2, 2.4}, {0.7, 1.4}},
        ConcreteCase{"CGS deformed bars", 2, 9, 210, "SD295", "SD295", {70, 140}, {7, 10.5}, {21, 31.5}},
        ConcreteCase{
            "CGS, the Y grade decides", 2, 2, 210, "SR235", "SD295", {70, 140}, {7, 10.5}, {21, 31.5}},
        ConcreteCase{"CGS, round Y bars", 2, 2, 210, "SD295", "SR235", {70, 140}, {7, 10.5}, {12.6, 18.9}},
        ConcreteCase{
            "CGS, Fc/100 + 5 smaller", 2, 2, 300, "SD345", "XX", {100, 200}, {8, 12}, {25.5, 38.25}}));

TEST(ConcreteAllowablesRefusal, AnSiEditionOutsideOneToThreeStops) {
    FoundationRecord rec = isolatedRecord({});
    DesignRecord r(rec);
    ConcreteRule rule;
    rule.edition = 4;
    EXPECT_FALSE(concreteAllowables(r, rule));
    EXPECT_EQ(r.fault(), calc_message::concreteEditionInvalid(4));
}

TEST(DesignRecord, ANonFiniteResultIsRefusedAndNeverStoredOrWritten) {
    FoundationRecord rec;
    int writes = 0;
    DesignRecord r(rec, {}, [&](const FoundationRecord&) { return ++writes, true; });
    rec.data2[row::Q][1] = 5;
    EXPECT_EQ(r.set2(row::Q, 1, 1.0 / 0.0), 5);
    EXPECT_EQ(r.set2(row::Q, 2, 1e39), 0);
    EXPECT_TRUE(r.refused());
    EXPECT_EQ(r.fault(), calc_message::notFinite());
    EXPECT_FALSE(r.write());
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(allFinite(rec));
}

} // namespace
