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

// Column boundaries of the isolated footing page in preview.
constexpr double X0 = 16, X1 = 20, X2 = 33, X5 = 68, X6 = 84, X7 = 100, X8 = 116, X9 = 132;

PageSetup setupOf(ReportMode mode) {
    PageSetup setup;
    setup.mode = mode;
    setup.geometry = PageGeometry::of(mode);
    setup.face = QStringLiteral("ＭＳ Ｐ明朝");
    setup.sizes = {12, 8, 6};
    return setup;
}

// A 2000 × 2000 footing under 500 kN, fe 200 kN/m², 1000 mm deep, nothing else.
const FoundationRecord& axialFooting() {
    static const FoundationRecord record = [] {
        FootingInput in;
        in.fe = 200;
        return calculated({storedFooting(in, QStringLiteral("F1"))}).value(0);
    }();
    return record;
}

class IsolatedPage : public ::testing::Test {
  protected:
    void draw(const FoundationRecord& record, int page = 2, ReportMode mode = ReportMode::Preview) {
        setup = setupOf(mode);
        drawIsolatedFootingPage(
            surface,
            FoundationPage{setup, record, page, 0.02f, [this](const QString& entry) { trace << entry; }, {}});
    }
    RecordingSurface surface;
    PageSetup setup;
    QStringList trace;
};

TEST_F(IsolatedPage, AFootingUnderAxialLoadShowsItsLongTermValues) {
    draw(axialFooting());
    EXPECT_EQ(surface.clears, 1);

    const RecordedText* title = textOnRow(surface, 1, QStringLiteral("■F1（独立基礎）"));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->color, kBlack);
    EXPECT_EQ(title->size, 8);
    EXPECT_EQ(title->face, QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_DOUBLE_EQ(title->x, (X5 + X9 - 8 * RecordingSurface::emOf(8)) / 2);

    EXPECT_EQ(stringsOnRow(surface, 4), (QStringList{"N 軸方向力", "kN", "500.0"}));
    const RecordedText* n = textOnRow(surface, 4, QStringLiteral("500.0"));
    EXPECT_DOUBLE_EQ(n->x, (X5 + X7 - 5 * RecordingSurface::emOf(8) / 2) / 2); // over both long-term columns
    EXPECT_EQ(stringsOnRow(surface, 8),
              (QStringList{"面", "①基礎本体自重", "（2.125m", "3", "）", "51.0kN"}));
    EXPECT_DOUBLE_EQ(textOnRow(surface, 8, QStringLiteral("（2.125m"))->x, X5 + 1);
    EXPECT_DOUBLE_EQ(textOnRow(surface, 8, QStringLiteral("51.0kN"))->x, X7 + 1);
    EXPECT_EQ(stringsOnRow(surface, 9),
              (QStringList{"積", "設計値", "②埋戻土重量", "（1.875m", "3", "）", "30.0kN"}));
    EXPECT_EQ(stringsOnRow(surface, 10), (QStringList{"の", "ΣN=N'+①+②", "kN", "581.0"}));
    // Eccentricities are kN·m over kN: metres.
    EXPECT_EQ(stringsOnRow(surface, 14), (QStringList{"e=ΣM/ΣN+ε", "m"}));
    EXPECT_EQ(stringsOnRow(surface, 21), (QStringList{"e'=ΣM/N'+ε", "m"}));
    // Xn in metres and Xn' in millimetres, one row apart: each says which.
    EXPECT_EQ(stringsOnRow(surface, 18), (QStringList{"Xn", "m"}));
    EXPECT_EQ(stringsOnRow(surface, 24), (QStringList{"ブ", "Xn'", "mm"}));
    EXPECT_EQ(stringsOnRow(surface, 16), (QStringList{"偏心判定 ?", "1/6以下"}));
    EXPECT_EQ(stringsOnRow(surface, 17), QStringList{"α"}); // 1.0: the factor does not apply
    EXPECT_EQ(stringsOnRow(surface, 19), (QStringList{"必要底面積(A'=αN/fe)", "2.905m", "2", "以上(X)"}));
    EXPECT_EQ(stringsOnRow(surface, 20), (QStringList{"判定(A'＜A?)", "A=4.000m", "2", "　OK"}));
    EXPECT_EQ(stringsOnRow(surface, 25), (QStringList{"筋", "σmax", "kN/m", "2", "125.0"}));
    EXPECT_EQ(stringsOnRow(surface, 26), (QStringList{"の", "Q", "kN", "187.5"}));
    EXPECT_EQ(stringsOnRow(surface, 31), (QStringList{"配筋決定", "X方向 D19-4本以上", "Y方向 D19-4本以上"}));
    EXPECT_EQ(stringsOnRow(surface, 32),
              (QStringList{"atの確認", "cm", "2", "Σat=11.4　OK", "Σat=11.4　OK"}));
    EXPECT_EQ(stringsOnRow(surface, 35), (QStringList{"検討", "判定(Q/Lj<fs)？", "OK"}));
    EXPECT_EQ(stringsOnRow(surface, 36).mid(0, 2), (QStringList{"b0, A0", "b0=3.4m　　　A0=0.83m"}));
    EXPECT_EQ(stringsOnRow(surface, 37).mid(0, 3), (QStringList{"ﾊﾟﾝﾁﾝｸﾞの", "Q", "P"}));

    // Values stand in the long-term X column only, or centred over both long-term columns;
    // rows 8, 9, 19, 20, 28, 31 to 33 and 36 carry texts that are not case values.
    for (int row = 4; row <= 39; ++row) {
        if (row == 8 || row == 9 || row == 19 || row == 20 || row == 28 || row == 36 ||
            (row >= 31 && row <= 33))
            continue;
        EXPECT_EQ(stringsBetween(surface, row, X6, 200), QStringList{}) << row;
    }
    // The short-term texts of the required area and of punching are left out.
    EXPECT_EQ(stringsBetween(surface, 19, X5, 200).size(), 3);
    EXPECT_EQ(stringsBetween(surface, 38, X5, 200).size(), 1);
    EXPECT_EQ(stringsBetween(surface, 39, X5, 200), QStringList{"OK"});

    for (const RecordedText& t : surface.texts)
        EXPECT_EQ(t.color, kBlack) << t.text.toStdString();
}

TEST_F(IsolatedPage, GridLinesAndRulesOfTheTable) {
    draw(axialFooting());
    QList<RecordingSurface::Line> horizontal, vertical;
    for (const auto& l : surface.lines)
        (l.y1 == l.y2 ? horizontal : vertical).append(l);
    ASSERT_EQ(horizontal.size(), 40);
    std::map<double, std::pair<double, int>> startAndWidthByY;
    for (const auto& l : horizontal) {
        EXPECT_EQ(l.x2, X9);
        startAndWidthByY[l.y1] = {l.x1, l.width};
    }
    const auto lineAt = [&](int k) { return startAndWidthByY.at(k * 5 + 17); };
    EXPECT_EQ(lineAt(0), std::make_pair(X0, 2));
    EXPECT_EQ(lineAt(2), std::make_pair(X5, 1));
    EXPECT_EQ(lineAt(3), std::make_pair(X0, 2));
    EXPECT_EQ(lineAt(5), std::make_pair(X2, 1));
    EXPECT_EQ(lineAt(6), std::make_pair(X1, 1));
    EXPECT_EQ(lineAt(19), std::make_pair(X0, 1));
    EXPECT_EQ(lineAt(39), std::make_pair(X0, 2));

    // Rules on X(7) rows 2–7, 10–19, 21–27, 29–35, 37–39; the heavy outer ones through all 39 rows.
    QList<std::pair<double, double>> onX7;
    int heavy = 0;
    for (const auto& l : vertical) {
        if (l.x1 == X7) onX7.append({l.y1, l.y2});
        if (l.width == 2) {
            ++heavy;
            EXPECT_EQ(std::make_pair(l.y1, l.y2), std::make_pair(17.0, 212.0));
        }
    }
    EXPECT_EQ(onX7,
              (QList<std::pair<double, double>>{{22, 52}, {62, 112}, {117, 152}, {157, 192}, {197, 212}}));
    EXPECT_EQ(heavy, 3);
}

TEST_F(IsolatedPage, FailedChecksAreRedAndTheTextAfterThemBlack) {
    FoundationRecord r = axialFooting();
    r.data2[row::N][kShortX] = 100; // a short-term X case
    r.data2[row::shearNG][kShortX] = -1;
    r.data2[row::areaNG][kShortY] = -1; // a case that is not printed still fails the footing area
    r.data2[row::punchNG][kShortY] = -1;
    r.data2[row::rebarNG][kDirY + row::bondNGOffset] = -1;
    r.data1[field::ngFlag] = -1;
    draw(r);

    EXPECT_EQ(textOnRow(surface, 1, QStringLiteral("■F1（独立基礎）"))->color, kRed);
    EXPECT_EQ(textOnRow(surface, 20, QStringLiteral("A=4.000m"))->color, kRed);
    EXPECT_EQ(textOnRow(surface, 20, QStringLiteral("　NG"))->color, kRed);
    const QList<RecordedText> shear = textsOnRow(surface, 35);
    ASSERT_EQ(shear.size(), 4);
    EXPECT_EQ(shear[2].text, QStringLiteral("OK"));
    EXPECT_EQ(shear[2].color, kBlack);
    EXPECT_EQ(shear[3].text, QStringLiteral("NG"));
    EXPECT_EQ(shear[3].color, kRed);
    EXPECT_DOUBLE_EQ(shear[3].x, (X7 + X8 - RecordingSurface::emOf(8)) / 2);
    EXPECT_EQ(textOnRow(surface, 33, QStringLiteral("Σψ=24.0　NG"))->color, kRed);
    EXPECT_EQ(textOnRow(surface, 33, QStringLiteral("Σψ=24.0　OK"))->color, kBlack);
    const QList<RecordedText> punching = textsOnRow(surface, 39);
    EXPECT_EQ(punching.last().text, QStringLiteral("NG"));
    EXPECT_EQ(punching.last().color, kRed);
    EXPECT_EQ(punching.at(punching.size() - 2).color, kBlack);
    QStringList red;
    for (const RecordedText& t : surface.texts)
        if (t.color != kBlack) red << t.text;
    EXPECT_EQ(red, (QStringList{"■F1（独立基礎）", "A=4.000m", "2", "　NG", "Σψ=24.0　NG", "NG", "NG"}));
    EXPECT_EQ(trace, (QStringList{"C 1 1 0", "C 1 2 0", "C 1 3 0", "C 1 4 -1"}));
}

TEST_F(IsolatedPage, ShortTermRequiredAreaNamesTheGoverningDirection) {
    FoundationRecord r = axialFooting();
    r.data2[row::N][kShortY] = 50;
    r.data2[row::Areq] = {0, 2.5f, 2.5f, 3.1f, 3.25f};
    draw(r);
    EXPECT_EQ(stringsBetween(surface, 19, X5, X7),
              (QStringList{"2.500m", "2", "以上(X)"})); // a tie goes to X
    EXPECT_EQ(stringsBetween(surface, 19, X7, X9), (QStringList{"3.250m", "2", "以上(Y)"}));
}

TEST_F(IsolatedPage, ImportedFootingShowsWhereItStandsInTheFrame) {
    FoundationRecord r = axialFooting();
    r.importFlag = -1;
    r.storeyName = QStringLiteral("3");
    r.frameName = QStringLiteral("X1 ");
    r.axisName = QStringLiteral("Y2");
    draw(r);
    const RecordedText* location = textOnRow(surface, 3, QStringLiteral("（3層 X1ﾌﾚｰﾑ Y2軸）"));
    ASSERT_TRUE(location);
    // Four full-width and eleven half-width characters, centred over columns 1 to 5.
    EXPECT_DOUBLE_EQ(location->x, (X0 + X5 - 9.5 * RecordingSurface::emOf(8)) / 2);
}

TEST_F(IsolatedPage, PageNumberCountsFoundationPagesNearTheFootOfTheSheet) {
    draw(axialFooting(), 31, ReportMode::Preview);
    const RecordedText* preview = surface.find(QStringLiteral("- 30 -"));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->y, 283);
    EXPECT_DOUBLE_EQ(preview->x, (16 + 196 - 3 * RecordingSurface::emOf(8)) / 2);

    surface = RecordingSurface();
    draw(axialFooting(), 2, ReportMode::Print);
    EXPECT_EQ(surface.clears, 0); // a printed sheet starts empty
    const RecordedText* print = surface.find(QStringLiteral("- 1 -"));
    ASSERT_TRUE(print);
    EXPECT_EQ(print->y, 273);
    EXPECT_EQ(textOnRow(surface, 1, QStringLiteral("基礎名")), nullptr); // rows start at 13 on paper
    EXPECT_TRUE(surface.textsNear(13).size() > 0);
}

TEST_F(IsolatedPage, CgsFootingIsLabelledInTonnes) {
    FoundationRecord r = axialFooting();
    r.data1[field::unitSystem] = 2;
    draw(r);
    EXPECT_EQ(stringsOnRow(surface, 4), (QStringList{"N 軸方向力", "t", "500.0"}));
    EXPECT_EQ(stringsOnRow(surface, 5), (QStringList{"基", "入力値", "M ﾓｰﾒﾝﾄ", "t･m"}));
    EXPECT_EQ(stringsOnRow(surface, 34).mid(2, 2), (QStringList{"kg/cm", "2"}));
    EXPECT_EQ(stringsOnRow(surface, 8).last(), QStringLiteral("51.0t"));
}

} // namespace
