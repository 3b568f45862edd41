#include "calculated_records.h"
#include "jobdata/record_layout.h"
#include "page_texts.h"
#include "qt_printers.h"
#include "report/case_values.h"
#include "report/foundation_page.h"
#include "report/recording_surface.h"

#include <gtest/gtest.h>

using namespace k5;
using namespace k5::report;
using namespace k5test;

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(Qt::black);

// Column boundaries of the pile cap page in preview.
constexpr double X3 = 56, X4 = 68, X5 = 84, X6 = 100, X7 = 116, X8 = 132;

// A four-pile cap (piles of 300 at 400 from the edges, 1500 apart) under
// 1000 kN with long-term moments in X and Y.
const FoundationRecord& fourPileCap() {
    static const FoundationRecord record = [] {
        PileCapInput in;
        in.M[1] = 50;
        in.M[2] = 30;
        in.H[2] = 20;
        return calculated({storedPileCap(in, QStringLiteral("P1"))}).value(0);
    }();
    return record;
}

class PileCapPage : public ::testing::Test {
  protected:
    void SetUp() override {
        setup.face = QStringLiteral("ＭＳ ゴシック");
        setup.sizes = {12, 8, 6};
    }
    void draw(const FoundationRecord& record) {
        drawPileCapPage(surface, FoundationPage{setup, record, 2, 0.02f, {}, {}});
    }
    QList<RecordedText> redTexts() const {
        QList<RecordedText> red;
        for (const RecordedText& t : surface.texts)
            if (t.color != kBlack) red << t;
        return red;
    }
    RecordingSurface surface;
    PageSetup setup;
};

TEST_F(PileCapPage, ACalculatedCapShowsItsLoadsPileLoadsAndChecks) {
    const FoundationRecord& r = fourPileCap();
    draw(r);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_TRUE(textOnRow(surface, 1, QStringLiteral("■P1（杭基礎）")));
    EXPECT_EQ(stringsOnRow(surface, 4), (QStringList{"入", "N 軸方向力", "kN", "1000.0"}));
    EXPECT_EQ(stringsOnRow(surface, 5), (QStringList{"力", "M ﾓｰﾒﾝﾄ", "kN･m", "50.0", "30.0"}));
    EXPECT_EQ(stringsOnRow(surface, 8).mid(0, 5), (QStringList{"設", "①基礎本体自重", "kN", "4.304m", "3"}));
    EXPECT_DOUBLE_EQ(textOnRow(surface, 8, QStringLiteral("4.304m"))->x, X4 + 1);
    // No short-term case: the long-term capacity alone.
    EXPECT_EQ(stringsOnRow(surface, 14), (QStringList{"支持力Pe", "kN", "500"}));
    EXPECT_DOUBLE_EQ(textOnRow(surface, 14, QStringLiteral("500"))->x,
                     (X4 + X6 - 1.5 * RecordingSurface::emOf(8)) / 2);

    const QString rmax = formatPattern(r.data2[row::Rmax1][kLongX], QStringLiteral("###0.0"));
    EXPECT_EQ(stringsOnRow(surface, 15).mid(0, 4), (QStringList{"R1", "max", "kN", rmax}));
    EXPECT_DOUBLE_EQ(textOnRow(surface, 15, rmax)->x, X5 - rmax.size() * RecordingSurface::emOf(8) / 2 - 1);
    EXPECT_EQ(stringsOnRow(surface, 21), (QStringList{"max判定？", "OK", "OK"}));
    EXPECT_EQ(stringsOnRow(surface, 28), (QStringList{"ブ", "j=(7/8)d' (d'=D1-d)", "mm", "638.8"}));
    EXPECT_DOUBLE_EQ(textOnRow(surface, 28, QStringLiteral("638.8"))->x,
                     (X4 + X8 - 2.5 * RecordingSurface::emOf(8)) / 2);
    EXPECT_EQ(stringsOnRow(surface, 34), (QStringList{"せん断の", "Q/Lj", "N/mm", "2", "0.363", "0.354"}));
    EXPECT_EQ(stringsOnRow(surface, 36).mid(0, 4),
              (QStringList{"ﾊﾟﾝﾁﾝｸﾞ", "杭位置,R'", "kN", "R1'=266.6667(X)"}));
    // The piles most loaded in the X and in the Y cases, each with its own check.
    // The reactions they were checked with: line 1 carries 266.7 kN in the X cases, 260 kN in the Y cases.
    EXPECT_EQ(stringsOnRow(surface, 36).mid(3), (QStringList{"R1'=266.6667(X)", "R1'=260(X)"}));
    EXPECT_EQ(stringsOnRow(surface, 37).mid(6),
              (QStringList{formatPattern(r.data2[row::QPA][kLongX], QStringLiteral("###0.0")),
                           formatPattern(r.data2[row::QPA][kShortX], QStringLiteral("###0.0"))}));
    EXPECT_EQ(stringsOnRow(surface, 38), (QStringList{"R'≦Q", "P", "A", " 判定？", "OK", "OK"}));
    EXPECT_TRUE(redTexts().isEmpty());
}

TEST_F(PileCapPage, PilesWithinTheSpreadFromTheColumnFaceNeedNoPunchingCheck) {
    FoundationRecord r = fourPileCap();
    r.data2[row::punchX][row::punchReaction] = 0;
    r.data2[row::punchY][row::punchReaction] = 0;
    draw(r);
    const RecordedText* first =
        textOnRow(surface, 36, QStringLiteral("杭は柱表面より45°範囲内に収まっている"));
    ASSERT_TRUE(first);
    EXPECT_DOUBLE_EQ(first->x, X4 + 1);
    EXPECT_TRUE(textOnRow(surface, 37, QStringLiteral("ので省略する")));
    EXPECT_EQ(stringsBetween(surface, 37, X4, 200), QStringList{"ので省略する"});
    EXPECT_EQ(stringsBetween(surface, 38, X4, 200), QStringList{});
}

TEST_F(PileCapPage, GoverningPilesAreNamedWithTheReactionTheyWereCheckedWith) {
    FoundationRecord r = fourPileCap();
    r.data2[row::punchX] = {0, 152.5f, 3, 2, 1}; // line 3, found in Y
    r.data2[row::punchY] = {0, 0, 0, 0, 0};      // no pile governs the Y cases
    r.data2[row::Rp1 + 2][kLongX] = 99;          // the line's long-term X reaction is not the one checked
    draw(r);
    const RecordedText* pile = textOnRow(surface, 36, QStringLiteral("R3'=152.5(Y)"));
    ASSERT_TRUE(pile);
    EXPECT_DOUBLE_EQ(pile->x, (X4 + X6 - 12 * RecordingSurface::emOf(8) / 2) / 2);
    EXPECT_EQ(stringsBetween(surface, 36, X6, 200), QStringList{});
}

TEST_F(PileCapPage, EachCheckedPileHasItsOwnAllowableForceAndJudgement) {
    FoundationRecord r = fourPileCap(); // long-term loads only
    r.data2[row::punchX][row::punchReaction] = 0;
    r.data2[row::QPA] = {0, 0, 0, 2100, 2100};
    r.data2[row::punchNG] = {0, 0, 0, -1, -1};
    draw(r);
    for (int row = 36; row <= 38; ++row)
        EXPECT_EQ(stringsBetween(surface, row, X4, X6), QStringList{}) << row;
    EXPECT_EQ(stringsBetween(surface, 36, X6, X8), QStringList{"R1'=260(X)"});
    EXPECT_EQ(stringsBetween(surface, 37, X6, X8), QStringList{"2100.0"});
    const QList<RecordedText> red = redTexts();
    ASSERT_EQ(red.size(), 1);
    EXPECT_EQ(red[0].text, QStringLiteral("NG"));
    EXPECT_DOUBLE_EQ(red[0].y, rowTop(38));
    EXPECT_DOUBLE_EQ(red[0].x, (X6 + X8 - RecordingSurface::emOf(8)) / 2);
}

TEST_F(PileCapPage, FailedPileLoadsAndPunchingAreRedInTheirCases) {
    FoundationRecord r = fourPileCap();
    r.data2[row::N][kShortX] = 200;
    r.data2[row::RmaxNG1][kShortX] = -1;
    r.data2[row::RminNG1 + row::pileLineStride][kLongY] = -1; // R2 min, long-term Y
    r.data2[row::punchNG][kShortX] = -1;
    r.data2[row::shearNG][kLongX] = -1;
    draw(r);

    const QList<RecordedText> max = textsOnRow(surface, 21);
    ASSERT_EQ(max.size(), 4);
    EXPECT_EQ((QStringList{max[1].text, max[2].text, max[3].text}), (QStringList{"OK", "OK", "NG"}));
    EXPECT_DOUBLE_EQ(max[3].x, (X6 + X7 - RecordingSurface::emOf(8)) / 2);
    const QList<RecordedText> red = redTexts();
    ASSERT_EQ(red.size(), 4);
    EXPECT_DOUBLE_EQ(red[0].y, rowTop(21)); // R1 max in short-term X
    EXPECT_DOUBLE_EQ(red[0].x, max[3].x);
    EXPECT_DOUBLE_EQ(red[1].y, rowTop(22)); // R2 min in long-term Y
    EXPECT_DOUBLE_EQ(red[1].x, (X5 + X6 - RecordingSurface::emOf(8)) / 2);
    EXPECT_DOUBLE_EQ(red[2].y, rowTop(35)); // shear in long-term X
    EXPECT_DOUBLE_EQ(red[3].y, rowTop(38)); // short-term punching, over both short-term columns
    EXPECT_DOUBLE_EQ(red[3].x, (X6 + X8 - RecordingSurface::emOf(8)) / 2);
    // With a short-term case the short-term capacity (2·Pe) appears.
    EXPECT_EQ(stringsOnRow(surface, 14), (QStringList{"支持力Pe", "kN", "500", "1000"}));
}

TEST_F(PileCapPage, AVolumeOfZeroIsShownWithoutItsWeight) {
    FoundationRecord r = fourPileCap();
    r.data1[field::Vs] = 0;
    draw(r);
    EXPECT_EQ(stringsOnRow(surface, 9), (QStringList{"計", "②埋戻土重量", "kN", "0.000m", "3"}));
}

TEST_F(PileCapPage, CgsCapIsLabelledInTonnes) {
    FoundationRecord r = fourPileCap();
    r.data1[field::unitSystem] = 2;
    draw(r);
    EXPECT_EQ(textOnRow(surface, 4, QStringLiteral("kN")), nullptr);
    EXPECT_DOUBLE_EQ(textOnRow(surface, 4, QStringLiteral("t"))->x,
                     (X3 + X4 - RecordingSurface::emOf(8) / 2) / 2);
    EXPECT_TRUE(textOnRow(surface, 5, QStringLiteral("t･m")));
    EXPECT_TRUE(textOnRow(surface, 36, QStringLiteral("t")));
    EXPECT_TRUE(textOnRow(surface, 34, QStringLiteral("kg/cm")));
    EXPECT_TRUE(textOnRow(surface, 28, QStringLiteral("mm"))); // lengths stay in millimetres
}

TEST_F(PileCapPage, TheMaterialsPanelAndFigureAreDrawnLastWithThePageGrid) {
    const FoundationRecord& r = fourPileCap();
    int calls = 0;
    qsizetype textsBefore = -1;
    const FoundationPage page{setup, r, 2, 0.025f, {}, [&](const SidePanelRequest& request) {
                                  ++calls;
                                  textsBefore = surface.texts.size();
                                  EXPECT_EQ(&request.record, &r);
                                  EXPECT_EQ(request.type, kTypePileCap);
                                  EXPECT_EQ(request.figureScale, 0.025f);
                                  EXPECT_EQ(request.grid.columns()[9], 148);
                                  EXPECT_EQ(request.grid.tableTop(), 18);
                                  EXPECT_EQ(&request.surface, &surface);
                              }};
    drawPileCapPage(surface, page);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(textsBefore, surface.texts.size());
}

} // namespace
