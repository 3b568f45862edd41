#include "calc/record_checks.h"

#include "jobdata/common_values.h"
#include "jobdata/foundation_record.h"
#include "jobdata/job_file.h"
#include "jobdata/working_record.h"
#include "platform/record_file.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace k5;
using k5test::TempTree;

namespace {

const QString kTail = QStringLiteral("　　　"); // three ideographic spaces

// A footing every check accepts: centred column, slightly sloped top.
WorkingRecord validIsolated() {
    WorkingRecord w;
    w.foundationType = kTypeIsolated;
    w.name = QStringLiteral("F1");
    w.N[1] = 500;
    w.Lx = w.Ly = 2000;
    w.ax = w.ay = 600;
    w.centreX = w.centreY = 1;
    w.h1 = w.h2 = 1000;
    w.D1 = 600;
    w.D2 = 450;
    w.d = 70;
    w.Fc = 24;
    w.Wc = 24;
    w.Ws = 20;
    w.fe = 200;
    w.barGradeX = w.barGradeY = QStringLiteral("SD295");
    w.barSizeX = w.barSizeY = QStringLiteral("D16");
    w.edgx = w.edgy = 60;
    w.pitchx = w.pitchy = 200;
    w.nx = w.ny = 2;
    w.priority = 2;
    return w;
}

// A four-pile cap every check accepts: φ 400 of kind 0 needs e 500, s 1000.
WorkingRecord validPileCap() {
    WorkingRecord w = validIsolated();
    w.foundationType = kTypePileCap;
    w.Lx = w.Ly = 0;
    w.fe = 0;
    w.centreX = w.centreY = 1;
    w.D1 = w.D2 = 800;
    w.h1 = w.h2 = 1200;
    w.pileLayout = 5;
    w.pileKind = 0;
    w.pfai = 400;
    w.Pe = 800;
    w.Px1 = w.Py1 = 500;
    w.Px2 = w.Py2 = 1200;
    return w;
}

using Change = std::function<void(WorkingRecord&)>;

struct RuleCase {
    const char* what;
    WorkingRecord (*base)();
    Change change;
    QString message; // after the prefix
};

class RecordChecks : public ::testing::Test {
  protected:
    TempTree tree;
    AppContext& ctx = tree.ctx;
    WorkingRecord work;      // the record under check
    FoundationRecord stored; // its stored form, which the calculation-time check completes
    CommonValues common;     // what an input window fills empty fields from
    int windowType = 0;      // the foundation type of the input window

    // The register-time check as a window (data number 0) or the calculation runs it.
    bool checkRecordForRegister(int dataNo) {
        if (dataNo <= 0) {
            work.foundationType = windowType;
            fillDefaults(work, common);
        }
        return tree.prompt.report(k5::checkRecordForRegister(work, dataNo));
    }

    // Writes `records` as the job file and loads record n as the calculation
    // does: the stored record in the buffer, its fields in the working record.
    void storeJob(const QList<FoundationRecord>& records, int n) {
        QByteArray bytes;
        for (const auto& r : records)
            bytes += encodeRecord(r);
        k5test::writeBytes(ctx.folders.jobFile(), bytes);
        stored = records[n - 1];
        work = workingRecordFrom(records[n - 1]);
    }

    static FoundationRecord recordOf(const WorkingRecord& w) {
        FoundationRecord r;
        storeWorkingRecord(w, r);
        return r;
    }

    // The calculation-time check, its completed record written back as the run does.
    bool calculationCheck(int n) {
        const Outcome outcome = checkRecordForCalculation(work, stored, n);
        if (outcome) {
            EXPECT_TRUE(writeRecord(ctx.folders, n, stored));
        }
        return tree.prompt.report(outcome);
    }

    // One record alone as record 1 of the job, checked for the calculation.
    bool calculationCheckOf(const WorkingRecord& w) {
        storeJob({recordOf(w)}, 1);
        return calculationCheck(1);
    }

    FoundationRecord storedRecord(int n) {
        RecordFile file(ctx.folders.jobFile(), FoundationRecord::kLength);
        EXPECT_TRUE(file.openReadOnly());
        return decodeRecord(file.read(n));
    }
};

TEST_F(RecordChecks, MessagePrefixNamesTheRecordOrNothing) {
    EXPECT_EQ(checkMessagePrefix(3), QStringLiteral("ﾃﾞｰﾀNo 3: "));
    EXPECT_EQ(checkMessagePrefix(12), QStringLiteral("ﾃﾞｰﾀNo 12: "));
    EXPECT_EQ(checkMessagePrefix(0), QString());
}

// Each register-time rule stops a record that breaks only that rule, with
// its own message.
TEST_F(RecordChecks, EveryRegisterRuleFiresWithItsMessage) {
    const RuleCase cases[] = {
        {"name", validIsolated, [](auto& w) { w.name.clear(); },
         "基礎名（設計基礎名）が空欄となっています。"},
        {"N long", validIsolated, [](auto& w) { w.N[1] = 0; }, "長期軸力=0 となっています。"},
        {"Lx", validIsolated, [](auto& w) { w.Lx = 0; }, "Lx<=0 となっています｡"},
        {"Ly", validIsolated, [](auto& w) { w.Ly = -1; }, "Ly<=0 となっています｡"},
        {"ax", validIsolated, [](auto& w) { w.ax = 0; }, "ax<=0 となっています。"},
        {"ay", validPileCap, [](auto& w) { w.ay = 0; }, "ay<=0 となっています。"},
        {"Lx1", validIsolated, [](auto& w) { w.centreX = 0, w.Lx1 = -1; }, "Lx1<0 となっています｡"},
        {"Ly1", validIsolated, [](auto& w) { w.centreY = 0, w.Ly1 = -1; }, "Ly1<0 となっています｡"},
        {"h1 h2", validIsolated, [](auto& w) { w.h1 = 0, w.h2 = -5; }, "h1<=0かつh2<=0 となっています。"},
        {"h1<h2", validIsolated, [](auto& w) { w.h1 = 900; }, "h1<h2となっています。"},
        {"D D'", validIsolated, [](auto& w) { w.D1 = 0, w.D2 = 0; }, "D<=0かつD'<=0 となっています。"},
        {"D<D'", validIsolated, [](auto& w) { w.D1 = 250, w.D2 = 300; }, "D1<D2となっています。"},
        {"d", validIsolated, [](auto& w) { w.d = 0; }, "かぶりd<=0 となっています。"},
        {"D'<d", validIsolated, [](auto& w) { w.d = 460; }, "かぶりdが D<d または D'<d となっています。"},
        {"Fc", validIsolated, [](auto& w) { w.Fc = 0; }, "ｺﾝｸﾘｰﾄ強度Fcが0または0以下となっています。"},
        {"Wc", validIsolated, [](auto& w) { w.Wc = -2; }, "ｺﾝｸﾘｰﾄの単位重量Wcが0または0以下となっています。"},
        {"fe", validIsolated, [](auto& w) { w.fe = 0; }, "地耐力Feが0または0以下となっています。"},
        {"Pe", validPileCap, [](auto& w) { w.Pe = 0; }, "杭の支持力Peが0または0以下となっています。"},
        {"pfai", validPileCap, [](auto& w) { w.pfai = 0; }, "杭の直径φが0または0以下となっています。"},
        {"edgx", validIsolated, [](auto& w) { w.edgx = 0; }, "X方向端空き<=0 となっています。"},
        {"edgy", validIsolated, [](auto& w) { w.edgy = 0; }, "Y方向端空き<=0 となっています。"},
        {"pitchx", validIsolated, [](auto& w) { w.pitchx = -1; }, "X方向の最大鉄筋間隔<0　となっています。"},
        {"pitchy", validIsolated, [](auto& w) { w.pitchy = -1; }, "Y方向の最大鉄筋間隔<0　となっています。"},
        {"nx", validIsolated, [](auto& w) { w.nx = -1; }, "X方向の鉄筋本数<0 となっています。"},
        {"ny", validIsolated, [](auto& w) { w.ny = -1; }, "Y方向の鉄筋本数<0 となっています。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tree.prompt.clear();
        work = c.base();
        EXPECT_TRUE(checkRecordForRegister(3)) << "the base record passes";
        work = c.base();
        c.change(work);
        EXPECT_FALSE(checkRecordForRegister(3));
        ASSERT_EQ(tree.prompt.shown().size(), 1u);
        const Message& shown = tree.prompt.shown().front();
        EXPECT_EQ(shown.text, QStringLiteral("ﾃﾞｰﾀNo 3: ") + c.message + kTail);
        EXPECT_EQ(shown.icon, Icon::Warning);
        EXPECT_EQ(shown.title, QStringLiteral("KAMO-K5"));
    }
}

TEST_F(RecordChecks, RegisterCheckLetsThroughWhatItHasNoRuleFor) {
    WorkingRecord w = validIsolated();
    w.N[1] = -300; // an uplift column
    w.Ws = 0;
    w.pitchx = w.nx = 0; // only the calculation refuses both unlimited
    w.centreX = 1;
    w.Lx1 = -50; // a centred column ignores the entered offset
    work = w;
    EXPECT_TRUE(checkRecordForRegister(1));
    EXPECT_TRUE(tree.prompt.shown().empty());
}

TEST_F(RecordChecks, RegisterCheckCompletesHeightsAndThicknessesFromEachOther) {
    WorkingRecord w = validIsolated();
    w.h1 = 0;
    w.h2 = 800;
    w.D1 = 0;
    w.D2 = 250;
    w.d = 80;
    work = w;
    EXPECT_TRUE(checkRecordForRegister(2));
    EXPECT_FLOAT_EQ(work.h1, 800);
    EXPECT_FLOAT_EQ(work.D1, 250);

    // From a window the common values fill first; with a common D of 0 the
    // entered D' stands in for D.
    common = defaultCommonValues(1);
    common.D1 = 0;
    windowType = kTypeIsolated;
    w = validIsolated();
    w.D1 = 0;
    w.D2 = 250;
    work = w;
    EXPECT_TRUE(checkRecordForRegister(0));
    EXPECT_FLOAT_EQ(work.D1, 250);

    // D' is completed before the cover is compared with it.
    w = validIsolated();
    w.D1 = 300;
    w.D2 = 0;
    w.d = 280;
    work = w;
    EXPECT_TRUE(checkRecordForRegister(2));
    EXPECT_FLOAT_EQ(work.D2, 300);
}

TEST_F(RecordChecks, AnEmptyNameFailsFirstWithoutPrefixFromAWindow) {
    common = defaultCommonValues(1);
    windowType = kTypeIsolated;
    work = WorkingRecord{}; // everything missing
    EXPECT_FALSE(checkRecordForRegister(0));
    EXPECT_EQ(tree.prompt.texts(),
              QStringList{QStringLiteral("基礎名（設計基礎名）が空欄となっています。　　　")});
}

TEST_F(RecordChecks, WindowRegistrationFillsEmptyFieldsFromTheCommonValues) {
    common = defaultCommonValues(1);
    windowType = kTypePileCap;
    WorkingRecord w;
    w.name = QStringLiteral("P1");
    w.N[1] = 1000;
    w.ax = 500; // entered values stay
    w.D2 = -1;  // below zero counts as missing
    w.barSizeY = QStringLiteral("D22");
    w.priority = 4; // outside 1..3
    w.nx = 3;
    work = w;
    ASSERT_TRUE(checkRecordForRegister(0)) << tree.prompt.lastText().toStdString();
    const WorkingRecord& f = work;
    EXPECT_EQ(f.foundationType, kTypePileCap) << "the window's type";
    EXPECT_FLOAT_EQ(f.Pe, 800);
    EXPECT_FLOAT_EQ(f.pfai, 350);
    EXPECT_FLOAT_EQ(f.fe, 0) << "fe belongs to isolated footings";
    EXPECT_EQ(f.barGradeX, QStringLiteral("SD235"));
    EXPECT_EQ(f.barSizeX, QStringLiteral("D19"));
    EXPECT_EQ(f.barGradeY, QStringLiteral("SD235"));
    EXPECT_EQ(f.barSizeY, QStringLiteral("D22"));
    EXPECT_FLOAT_EQ(f.Fc, 24);
    EXPECT_FLOAT_EQ(f.Wc, 24);
    EXPECT_FLOAT_EQ(f.Ws, 20);
    EXPECT_FLOAT_EQ(f.ax, 500);
    EXPECT_FLOAT_EQ(f.ay, 600);
    EXPECT_FLOAT_EQ(f.D1, 750);
    EXPECT_FLOAT_EQ(f.D2, 350);
    EXPECT_FLOAT_EQ(f.d, 80);
    EXPECT_FLOAT_EQ(f.h1, 1000);
    EXPECT_FLOAT_EQ(f.h2, 1000);
    EXPECT_EQ(f.edgx, 80);
    EXPECT_EQ(f.edgy, 80);
    EXPECT_EQ(f.pitchx, 200);
    EXPECT_EQ(f.pitchy, 200);
    EXPECT_EQ(f.nx, 3);
    EXPECT_EQ(f.ny, 2);
    EXPECT_EQ(f.priority, 2);

    // An isolated footing takes fe, not the pile values; priority 3 stays.
    windowType = kTypeIsolated;
    w = validIsolated();
    w.fe = 0;
    w.priority = 3;
    work = w;
    ASSERT_TRUE(checkRecordForRegister(0));
    EXPECT_FLOAT_EQ(work.fe, 200);
    EXPECT_FLOAT_EQ(work.Pe, 0);
    EXPECT_EQ(work.priority, 3);
}

TEST_F(RecordChecks, TheCalculationChecksTheRecordAsLoaded) {
    common = defaultCommonValues(1);
    WorkingRecord w = validIsolated();
    w.fe = 0;
    work = w;
    windowType = kTypePileCap; // a window's type does not apply
    EXPECT_FALSE(checkRecordForRegister(4)) << "no default filling for a stored record";
    EXPECT_EQ(work.foundationType, kTypeIsolated);
    EXPECT_EQ(tree.prompt.lastText(),
              QStringLiteral("ﾃﾞｰﾀNo 4: 地耐力Feが0または0以下となっています。　　　"));
}

TEST(PileMinima, RoundUpFromATenthOfAMillimetre) {
    struct Case {
        int kind;
        double phi;
        float edge, spacing;
    } cases[] = {
        {0, 300, 375, 750},    {0, 350, 438, 875},    // 437.5 goes up
        {1, 300, 375, 750},    {1, 500, 625, 1000},   //
        {2, 333, 333, 666},    {2, 400.1f, 401, 801}, // a tenth goes up
        {2, 400.05, 400, 801}, {3, 1000, 700, 2000},  // below a tenth is dropped
        {3, 1001, 701, 2002},  {3, 600, 500, 1600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " phi " << c.phi);
        auto m = pileMinima(c.kind, c.phi);
        ASSERT_TRUE(m.has_value());
        EXPECT_FLOAT_EQ(m->edge, c.edge);
        EXPECT_FLOAT_EQ(m->spacing, c.spacing);
    }
    EXPECT_FALSE(pileMinima(4, 300).has_value());
    EXPECT_FALSE(pileMinima(-1, 300).has_value());
}

// Each calculation-time rule stops a record that breaks only that rule.
TEST_F(RecordChecks, EveryCalculationRuleFiresWithItsMessage) {
    const QString two = QStringLiteral("\n\n");
    const RuleCase cases[] = {
        {"1 h1<h2", validIsolated, [](auto& w) { w.h1 = 900; }, "h1<h2 となっています。" + kTail},
        {"2 h2<D", validIsolated, [](auto& w) { w.h1 = w.h2 = 500; }, "h2<D となっています。" + kTail},
        {"3 h2=0", validIsolated, [](auto& w) { w.h1 = w.h2 = 0; }, "h1<D' となっています。" + kTail},
        {"4 Lx<=ax", validIsolated, [](auto& w) { w.Lx = 600; }, "Lx<=ax となっています｡" + kTail},
        {"5 Ly<=ay", validIsolated, [](auto& w) { w.Ly = 500; }, "Ly<=ay となっています｡" + kTail},
        {"6 Lx1", validIsolated, [](auto& w) { w.centreX = 0, w.Lx1 = -10; },
         "Lx1<0 となっています｡" + kTail},
        {"7 Lx2", validIsolated, [](auto& w) { w.centreX = 0, w.Lx1 = 1500; },
         "Lx2<0 となっています｡" + kTail},
        {"8 Ly1", validIsolated, [](auto& w) { w.centreY = 0, w.Ly1 = -10; },
         "Ly1<0 となっています｡" + kTail},
        {"9 Ly2", validIsolated, [](auto& w) { w.centreY = 0, w.Ly1 = 1500; },
         "Ly2<0 となっています｡" + kTail},
        {"10 D<D'", validIsolated, [](auto& w) { w.D1 = 400, w.D2 = 600; }, "D<D' となっています。" + kTail},
        {"11 D D'", validIsolated, [](auto& w) { w.D1 = w.D2 = 0; },
         "D<=0 かつ D'<=0　となっています。" + kTail + two +
             "DとD'はどちらか一方または(必要に応じて)双方に入力してください。　　　　　"},
        {"12 dt footing", validIsolated, [](auto& w) { w.d = 40; }, "かぶりdtは60以上必要です(鉄筋φ=16)。"},
        {"13 dt cap", validPileCap, [](auto& w) { w.d = 60, w.barSizeX = "D13"; },
         "かぶりdtは杭の埋め込み分(100mm)も含め、170以上必要です(鉄筋φ=16)。"},
        {"14 Px1", validPileCap, [](auto& w) { w.Px1 = 450; },
         "X方向へりあき(Px1)が500より小さくなっています。" + two},
        {"15 Px2", validPileCap, [](auto& w) { w.Px2 = 999; },
         "X方向杭間隔(Px2)が1000より小さくなっています。" + two},
        {"16 Py1", validPileCap, [](auto& w) { w.Py1 = 450; },
         "Y方向へりあき(Py1)が500より小さくなっています。" + two},
        {"17 Py2", validPileCap, [](auto& w) { w.Py2 = 900; },
         "Y方向杭間隔(Py2)が1000より小さくなっています。" + two},
        {"18 slope", validIsolated, [](auto& w) { w.centreX = 0, w.Lx1 = 500; },
         "ﾌｰﾁﾝｸﾞ上面の傾斜が1/4を超えています(X方向左側)。" + kTail},
        {"19 slope", validIsolated, [](auto& w) { w.centreX = 0, w.Lx1 = 900; },
         "ﾌｰﾁﾝｸﾞ上面の傾斜が1/4を超えています(X方向右側)。" + kTail},
        {"20 slope", validIsolated, [](auto& w) { w.centreY = 0, w.Ly1 = 500; },
         "ﾌｰﾁﾝｸﾞ上面の傾斜が1/4を超えています(Y方向下側)。" + kTail},
        {"21 slope", validIsolated, [](auto& w) { w.centreY = 0, w.Ly1 = 900; },
         "ﾌｰﾁﾝｸﾞ上面の傾斜が1/4を超えています(Y方向上側)。" + kTail},
        {"22 X bars", validIsolated, [](auto& w) { w.pitchx = w.nx = 0; },
         "X方向: 鉄筋間隔=0 かつ 鉄筋本数=0 となっています。" + kTail},
        {"23 Y bars", validPileCap, [](auto& w) { w.pitchy = w.ny = 0; },
         "Y方向: 鉄筋間隔=0 かつ 鉄筋本数=0 となっています。" + kTail},
        {"zero overhang under a slope", validIsolated, [](auto& w) { w.centreX = 0, w.Lx1 = 0; },
         "ﾌｰﾁﾝｸﾞ上面が傾斜(D≠D')していますが、Lx1=0 のため傾斜を判定できません(X方向左側)。" + kTail + two +
             "Lx1を0より大きくするか、D'をDと同じ値にしてください。" + kTail},
        {"zero overhang on the upper side", validIsolated, [](auto& w) { w.centreY = 0, w.Ly1 = 1400; },
         "ﾌｰﾁﾝｸﾞ上面が傾斜(D≠D')していますが、Ly2=0 のため傾斜を判定できません(Y方向上側)。" + kTail + two +
             "Ly2を0より大きくするか、D'をDと同じ値にしてください。" + kTail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tree.prompt.clear();
        EXPECT_TRUE(calculationCheckOf(c.base()))
            << "the base record passes: " << tree.prompt.lastText().toStdString();
        WorkingRecord w = c.base();
        c.change(w);
        const QByteArray before = encodeRecord(recordOf(w));
        EXPECT_FALSE(calculationCheckOf(w));
        ASSERT_EQ(tree.prompt.shown().size(), 1u);
        EXPECT_EQ(tree.prompt.shown().front().text, QStringLiteral("ﾃﾞｰﾀNo 1: ") + c.message);
        EXPECT_EQ(tree.prompt.shown().front().icon, Icon::Warning);
        EXPECT_EQ(k5test::readBytes(ctx.folders.jobFile()), before) << "nothing is written on failure";
    }
}

TEST_F(RecordChecks, PileCapSizeFollowsTheArrangement) {
    // Px1 500, Py1 600, Px2 1200, Py2 1100 and F 1700 (what the loader derives
    // for " 5" and " 8(3×2+2)").
    struct Case {
        int code;
        float lx, ly;
    } cases[] = {
        {1, 1000, 1200}, {2, 2200, 1200},  {3, 2200, 2300},  {4, 3400, 1200},
        {5, 2200, 2300}, {6, 2700, 2700},  {7, 3400, 2300},  {8, 3400, 3400},
        {9, 4400, 2900}, {10, 4600, 2300}, {11, 3400, 3400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        WorkingRecord w = validPileCap();
        w.pileLayout = c.code;
        w.Py1 = 600;
        w.Py2 = 1100;
        w.auxSpacing = 1700;
        ASSERT_TRUE(calculationCheckOf(w)) << tree.prompt.lastText().toStdString();
        EXPECT_FLOAT_EQ(work.Lx, c.lx);
        EXPECT_FLOAT_EQ(work.Ly, c.ly);
        // A cap's column is always centred.
        EXPECT_FLOAT_EQ(work.Lx1, (c.lx - 600) / 2);
        EXPECT_FLOAT_EQ(work.Lx2, (c.lx - 600) / 2);
        EXPECT_FLOAT_EQ(work.Ly1, (c.ly - 600) / 2);
        EXPECT_FLOAT_EQ(work.Ly2, (c.ly - 600) / 2);
    }
}

TEST_F(RecordChecks, SinglePileCapFromItsEdgeDistances) {
    WorkingRecord w = validPileCap();
    w.pileLayout = 1;
    w.Px1 = w.Py1 = 400;
    w.Px2 = w.Py2 = 0;
    w.pfai = 300; // e = 375
    ASSERT_TRUE(calculationCheckOf(w)) << tree.prompt.lastText().toStdString();
    EXPECT_FLOAT_EQ(work.Lx, 800);
    EXPECT_FLOAT_EQ(work.Ly, 800);
    EXPECT_FLOAT_EQ(work.Lx1, 100);
    EXPECT_FLOAT_EQ(work.Ly2, 100);
    EXPECT_FLOAT_EQ(work.minEdge, 375);
    EXPECT_FLOAT_EQ(work.minSpacing, 750);

    w.Px1 = 350;
    EXPECT_FALSE(calculationCheckOf(w));
    EXPECT_EQ(tree.prompt.lastText(),
              QStringLiteral("ﾃﾞｰﾀNo 1: X方向へりあき(Px1)が375より小さくなっています。\n\n"));

    // With one pile only Px1 is held to the edge distance.
    tree.prompt.clear();
    w.Px1 = 400;
    w.Py1 = 350;
    EXPECT_TRUE(calculationCheckOf(w));
}

TEST_F(RecordChecks, OnlyArrangementsWithPileRowsInYCheckPy2) {
    WorkingRecord w = validPileCap();
    w.pileLayout = 7; // " 6"
    w.Py2 = 900;      // below s = 1000
    EXPECT_TRUE(calculationCheckOf(w)) << tree.prompt.lastText().toStdString();
}

TEST_F(RecordChecks, TheStoredPileKindSetsTheMinima) {
    WorkingRecord w = validPileCap();
    w.Px2 = w.Py2 = 1400;
    FoundationRecord r = recordOf(w);
    r.data1[16] = 3; // cast in place: e = Int(200.9) + 200 = 400, s = max(800, 1400)
    storeJob({r}, 1);
    work.pileKind = 0; // what a window might have left
    ASSERT_TRUE(calculationCheck(1));
    EXPECT_EQ(work.pileKind, 3);
    EXPECT_FLOAT_EQ(work.minEdge, 400);
    EXPECT_FLOAT_EQ(work.minSpacing, 1400);
}

TEST_F(RecordChecks, OffsetsOfAnIsolatedFooting) {
    WorkingRecord w = validIsolated();
    w.D2 = w.D1; // level top: no slope rule
    w.Lx = 2400;
    w.centreX = 0;
    w.Lx1 = 300;
    w.centreY = 1;
    w.Ly1 = 55; // ignored for a centred column
    ASSERT_TRUE(calculationCheckOf(w)) << tree.prompt.lastText().toStdString();
    EXPECT_FLOAT_EQ(work.Lx1, 300);
    EXPECT_FLOAT_EQ(work.Lx2, 1500);
    EXPECT_FLOAT_EQ(work.Ly1, 700);
    EXPECT_FLOAT_EQ(work.Ly2, 700);
}

TEST_F(RecordChecks, CoverToTheBarsTakesTheLargerBar) {
    WorkingRecord w = validPileCap();
    w.barSizeX = QStringLiteral("D13");
    w.barSizeY = QStringLiteral("D16");
    w.d = 70; // dt = Int(8.9) + 70 + 100 = 178
    EXPECT_TRUE(calculationCheckOf(w));

    w = validIsolated();
    w.barSizeX = QStringLiteral("D29");
    w.barSizeY = QStringLiteral("D10");
    w.d = 45; // dt = Int(15.4) + 45 = 60
    EXPECT_TRUE(calculationCheckOf(w));
    w.d = 44;
    EXPECT_FALSE(calculationCheckOf(w));
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("ﾃﾞｰﾀNo 1: かぶりdtは60以上必要です(鉄筋φ=29)。"));
}

// Every limit of the calculation-time check is itself allowed: a slope of
// exactly 1/4, dt of exactly 60 or 170, pile distances equal to e and s, h2
// equal to D.
TEST_F(RecordChecks, TheLimitsThemselvesPass) {
    WorkingRecord w = validPileCap(); // " 4": Lx = Ly = 2000, overhangs 700
    w.D1 = 800;
    w.D2 = 625;           // a drop of 175 over 700
    w.h1 = w.h2 = 800;    // h2 = D
    w.d = 62;             // dt = Int(8.9) + 62 + 100 = 170
    w.Px1 = w.Py1 = 500;  // e
    w.Px2 = w.Py2 = 1000; // s
    EXPECT_TRUE(calculationCheckOf(w)) << tree.prompt.lastText().toStdString();

    w = validIsolated(); // overhangs 700
    w.D1 = 600;
    w.D2 = 425;
    w.h1 = w.h2 = 600;
    w.d = 52; // dt = Int(8.9) + 52 = 60
    EXPECT_TRUE(calculationCheckOf(w)) << tree.prompt.lastText().toStdString();
}

TEST_F(RecordChecks, LevelTopSkipsTheSlopeRules) {
    WorkingRecord w = validIsolated();
    w.D1 = w.D2 = 600;
    w.centreX = 0;
    w.Lx1 = 0; // would be a vertical step under a sloped top
    EXPECT_TRUE(calculationCheckOf(w)) << tree.prompt.lastText().toStdString();
}

TEST_F(RecordChecks, CalculationCompletesHeightsAndThicknesses) {
    WorkingRecord w = validIsolated();
    w.h2 = 0;
    w.D1 = 0;
    w.D2 = 500;
    ASSERT_TRUE(calculationCheckOf(w)) << tree.prompt.lastText().toStdString();
    EXPECT_FLOAT_EQ(work.h2, 1000);
    EXPECT_FLOAT_EQ(work.D1, 500);
}

TEST_F(RecordChecks, SuccessWritesTheCompletedValuesIntoRecordN) {
    FoundationRecord first = recordOf(validIsolated());
    first.name = QStringLiteral("A");
    FoundationRecord third = first;
    third.name = QStringLiteral("C");

    WorkingRecord w = validPileCap();
    w.pileLayout = 3; // " 3(3角)", Py2 derived by the loader
    w.Py2 = 1039;
    w.h2 = 0;
    w.D2 = 0;
    FoundationRecord second = recordOf(w);
    second.memo = QStringLiteral("メモ");
    second.data2[30][1] = 12.5f; // a result of an earlier run
    second.data1[16] = 1;        // steel piles: e = 500, s = max(800, 750)

    storeJob({first, second, third}, 2);
    // Working values that are no part of the completed geometry stay out of
    // the stored record.
    work.name = QStringLiteral("X");
    work.N[1] = 7;
    work.M[3] = 5;
    work.H[4] = 3;
    work.Fc = 99;
    work.Pe = 11;
    work.centreX = work.centreY = 0;
    work.auxSpacing = 1234;
    work.edgx = 99;
    work.priority = 3;
    const QByteArray firstBytes = encodeRecord(first);
    const QByteArray thirdBytes = encodeRecord(third);
    ASSERT_TRUE(calculationCheck(2)) << tree.prompt.lastText().toStdString();
    EXPECT_TRUE(tree.prompt.shown().empty());

    const QByteArray file = k5test::readBytes(ctx.folders.jobFile());
    ASSERT_EQ(file.size(), 3 * FoundationRecord::kLength);
    EXPECT_EQ(file.left(FoundationRecord::kLength), firstBytes);
    EXPECT_EQ(file.right(FoundationRecord::kLength), thirdBytes);

    FoundationRecord expected = second;
    expected.data1[4] = 800;  // D1
    expected.data1[5] = 800;  // D2 from D
    expected.data1[7] = 1200; // h1
    expected.data1[8] = 1200; // h2 from h1
    expected.data1[17] = 500;
    expected.data1[18] = 800;
    expected.data2[4][1] = 2200; // 2·500 + 1200
    expected.data2[4][2] = 2039; // 2·500 + 1039
    expected.data2[6][1] = expected.data2[6][3] = 800;
    expected.data2[6][2] = expected.data2[6][4] = 719.5f;
    EXPECT_EQ(storedRecord(2).data1, expected.data1);
    EXPECT_EQ(storedRecord(2).data2, expected.data2);
    EXPECT_EQ(storedRecord(2).memo, QStringLiteral("メモ"));
    EXPECT_EQ(encodeRecord(stored), encodeRecord(expected))
        << "the buffer the calculation goes on with holds the completed values";

    // The same fields for an isolated footing: the pile distances and minima
    // the calculation's loader leaves at 0 replace whatever the record held.
    FoundationRecord footing = recordOf(validIsolated());
    footing.data2[8][1] = 400;
    footing.data1[17] = 375;
    storeJob({footing}, 1);
    work.Px1 = 0;
    work.minEdge = 0;
    ASSERT_TRUE(calculationCheck(1)) << tree.prompt.lastText().toStdString();
    EXPECT_FLOAT_EQ(storedRecord(1).data2[8][1], 0);
    EXPECT_FLOAT_EQ(storedRecord(1).data1[17], 0);
}

} // namespace
