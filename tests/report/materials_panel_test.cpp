#include "calculated_records.h"
#include "jobdata/record_layout.h"
#include "page_texts.h"
#include "report/case_values.h"
#include "report/materials_panel.h"
#include "report/recording_surface.h"
#include "report/report_pages.h"

#include <gtest/gtest.h>

using namespace k5;
using namespace k5::report;
using namespace k5test;

namespace {

constexpr double kBody = 8;
double em() {
    return RecordingSurface::emOf(kBody);
}

// A foundation with every panel value set to something recognisable.
FoundationRecord panelRecord(FoundationType type, int unitSystem = 1) {
    FoundationRecord r;
    r.data1[field::foundationType] = static_cast<float>(type);
    r.data1[field::unitSystem] = static_cast<float>(unitSystem);
    r.barGradeX = QStringLiteral("SD295 ");
    r.barSizeX = QStringLiteral("D13");
    r.barGradeY = QStringLiteral("SD345");
    r.barSizeY = QStringLiteral(" D16");
    r.data2[row::atBar][kDirX] = 1.267f;
    r.data2[row::atBar][kDirY] = 1.986f;
    r.data2[row::psiBar][kDirX] = 4;
    r.data2[row::psiBar][kDirY] = 5;
    r.data2[row::ft][kDirX] = 195;
    r.data2[row::ft][kShortX] = 295;
    r.data2[row::ft][kDirY] = 215;
    r.data2[row::ft][kShortY] = 345;
    r.data1[field::Fc] = 21;
    r.data2[row::fc][kLongX] = 7;
    r.data2[row::fc][kShortX] = 14;
    r.data2[row::fs][kLongX] = 0.7f;
    r.data2[row::fs][kShortX] = 1.1f;
    r.data2[row::fa][kLongX] = 1.4f;
    r.data2[row::fa][kShortX] = 2.1f;
    r.data1[field::Wc] = unitSystem == 1 ? 24 : 2.4f;
    r.data1[field::Ws] = unitSystem == 1 ? 16 : 1.6f;
    r.data2[row::allowBearing][kLongX] = type == kTypePileCap ? 500 : 200;
    r.data2[row::allowBearing][kShortX] = type == kTypePileCap ? 1000 : 400;
    r.data1[field::cover] = 70;
    r.data1[field::pfai] = 300;
    r.data1[field::pileKind] = 3;
    return r;
}

class MaterialsPanel : public ::testing::Test {
  protected:
    void SetUp() override { setup.sizes = {12, static_cast<int>(kBody), 6}; }
    void print() {
        setup.mode = ReportMode::Print;
        setup.geometry = PageGeometry::of(ReportMode::Print);
    }
    int draw(const FoundationRecord& r) {
        const FoundationType type = static_cast<FoundationType>(r.data1[field::foundationType]);
        const ColumnTable columns =
            type == kTypePileCap ? pileColumns(setup.geometry) : isolatedColumns(setup.geometry);
        const PageGrid grid(surface, setup, columns, setup.geometry.headerY);
        return drawMaterialsPanel({surface, setup, grid, r, type, 0.02f});
    }
    QStringList row(int r) const { return stringsOnRow(surface, r, setup.geometry.headerY); }
    const RecordedText* first(const QString& text) const { return surface.find(text); }

    RecordingSurface surface;
    PageSetup setup;
};

TEST_F(MaterialsPanel, AnIsolatedFootingListsBarsConcreteBackfillGroundAndCover) {
    EXPECT_EQ(draw(panelRecord(kTypeIsolated)), 13);
    const QStringList stress{"(N/mm", "2", ")"};
    EXPECT_EQ(row(1), QStringList{"■鉄筋"});
    EXPECT_EQ(row(2), (QStringList{"X方向", "SD295-D13", "at=1.27", "ψ=4.00"}));
    EXPECT_EQ(row(3), (QStringList{"L", "ft=195", "S", "ft=295"} + stress));
    EXPECT_EQ(row(4), (QStringList{"Y方向", "SD345-D16", "at=1.99", "ψ=5.00"}));
    EXPECT_EQ(row(5), (QStringList{"L", "ft=215", "S", "ft=345"} + stress));
    EXPECT_EQ(row(6), (QStringList{"■ｺﾝｸﾘｰﾄ", "Fc=21"} + stress));
    EXPECT_EQ(row(7), (QStringList{"L", "fc=7", "S", "fc=14"} + stress));
    EXPECT_EQ(row(8), (QStringList{"L", "fs=0.7", "S", "fs=1.1"} + stress));
    EXPECT_EQ(row(9), (QStringList{"L", "fa=1.4", "S", "fa=2.1"} + stress));
    EXPECT_EQ(row(10), (QStringList{"単位重量", "Wc=24", "(kN/m", "3", ")"}));
    EXPECT_EQ(row(11), (QStringList{"■埋戻土", "単位重量", "Ws=16", "(kN/m", "3", ")"}));
    EXPECT_EQ(row(12), (QStringList{"■地耐力", "L", "fe=200", "S", "fe=400", "(kN/m", "2", ")"}));
    EXPECT_EQ(row(13), QStringList{"■dt = 70mm"});
    EXPECT_TRUE(row(14).isEmpty());
}

TEST_F(MaterialsPanel, APileCapAddsThePilesAndTheirEmbedment) {
    EXPECT_EQ(draw(panelRecord(kTypePileCap)), 16);
    EXPECT_EQ(row(11).first(), QStringLiteral("■埋戻土"));
    EXPECT_EQ(row(12), (QStringList{"■杭径", "300 mm"}));
    EXPECT_EQ(row(13), (QStringList{"■杭の種類", "場所打ちｺﾝｸﾘｰﾄ杭"}));
    // A pile's capacity is the force one pile carries, not a pressure.
    EXPECT_EQ(row(14), (QStringList{"■杭支持力", "L", "Pe=500", "S", "Pe=1000", "(kN/本)"}));
    EXPECT_EQ(row(15), QStringList{"■dt = 70mm"});
    EXPECT_EQ(row(16), QStringList{"■杭の埋め込み深さ = 100mm"});
}

// Panel columns of 10, 18, 12, 12 and 14 mm from 5 mm (preview) or 2 mm
// (paper) right of the value table, which ends at the same place on both pages.
TEST_F(MaterialsPanel, ColumnsStartRightOfTheValueTableOnBothPagesAndStayOnTheSheet) {
    struct Case {
        ReportMode mode;
        FoundationType type;
        double left;
    };
    for (const Case& c :
         {Case{ReportMode::Preview, kTypeIsolated, 137}, Case{ReportMode::Preview, kTypePileCap, 137},
          Case{ReportMode::Print, kTypeIsolated, 131}, Case{ReportMode::Print, kTypePileCap, 131}}) {
        surface = RecordingSurface();
        setup.mode = c.mode;
        setup.geometry = PageGeometry::of(c.mode);
        draw(panelRecord(c.type));
        SCOPED_TRACE(c.left);
        EXPECT_DOUBLE_EQ(first(QStringLiteral("■鉄筋"))->x, c.left + 1);
        EXPECT_DOUBLE_EQ(first(QStringLiteral("SD295-D13"))->x, c.left + 10 + 1);
        EXPECT_DOUBLE_EQ(first(QStringLiteral("at=1.27"))->x, c.left + 28 + 1);
        EXPECT_DOUBLE_EQ(first(QStringLiteral("ψ=4.00"))->x, c.left + 40 + 1);
        EXPECT_DOUBLE_EQ(first(QStringLiteral("(N/mm"))->x, c.left + 52 + 1);
        // Right-aligned in its column.
        EXPECT_DOUBLE_EQ(first(QStringLiteral("単位重量"))->x, c.left + 28 - 4 * em() - 1);
        RecordingSurface ruler;
        for (const RecordedText& t : surface.texts) {
            ruler.setFontSize(t.size);
            EXPECT_LT(t.x + ruler.textWidth(t.text), kPageWidthMm) << t.text.toStdString();
        }
    }
}

TEST_F(MaterialsPanel, MarkedTextsAreLoweredAndRaised) {
    draw(panelRecord(kTypeIsolated));
    const double top = rowTop(3);
    const QList<RecordedText> near = surface.textsNear(top);
    const RecordedText* lowered = nullptr;
    for (const RecordedText& t : near)
        if (t.text == QStringLiteral("L")) lowered = &t;
    ASSERT_TRUE(lowered);
    EXPECT_DOUBLE_EQ(lowered->y, top + 0.9);
    const QList<RecordedText>& unit = near;
    EXPECT_DOUBLE_EQ(unit.at(unit.size() - 2).y, top - 0.5); // the "2" of mm²
}

TEST_F(MaterialsPanel, EachPileKindHasItsCaptionAndAnUnknownKindNone) {
    const struct {
        float code;
        QString text;
    } cases[] = {{0, QStringLiteral("既成ｺﾝｸﾘｰﾄ杭・閉端杭")},
                 {1, QStringLiteral("鋼杭・H形鋼・開端杭")},
                 {2, QStringLiteral("埋め込み杭")},
                 {3, QStringLiteral("場所打ちｺﾝｸﾘｰﾄ杭")},
                 {5, QString()},
                 {-1, QString()}};
    for (const auto& c : cases) {
        surface = RecordingSurface();
        FoundationRecord r = panelRecord(kTypePileCap);
        r.data1[field::pileKind] = c.code;
        draw(r);
        const QStringList expected =
            c.text.isEmpty() ? QStringList{"■杭の種類"} : QStringList{"■杭の種類", c.text};
        EXPECT_EQ(row(13), expected) << c.code;
    }
}

TEST_F(MaterialsPanel, TheCoverIsWrittenAsANumberOnItsOwn) {
    const struct {
        float cover;
        const char* text;
    } cases[] = {{100, "■dt = 100mm"}, {70.5f, "■dt = 70.5mm"}, {0, "■dt = 0mm"}, {-5, "■dt =-5mm"}};
    for (const auto& c : cases) {
        surface = RecordingSurface();
        FoundationRecord r = panelRecord(kTypeIsolated);
        r.data1[field::cover] = c.cover;
        draw(r);
        EXPECT_EQ(row(13), QStringList{QString::fromUtf8(c.text)}) << c.cover;
    }
}

// A CGS job states its stresses in kg/cm², its unit weights in t/m³ (with
// their decimal) and its ground and pile capacities in t/m² and t per pile.
TEST_F(MaterialsPanel, ACgsJobShowsItsOwnUnits) {
    draw(panelRecord(kTypeIsolated, 2));
    EXPECT_EQ(row(3).mid(4), (QStringList{"(kg/cm", "2", ")"}));
    EXPECT_EQ(row(10), (QStringList{"単位重量", "Wc=2.4", "(t/m", "3", ")"}));
    EXPECT_EQ(row(11), (QStringList{"■埋戻土", "単位重量", "Ws=1.6", "(t/m", "3", ")"}));
    EXPECT_EQ(row(12).mid(5), (QStringList{"(t/m", "2", ")"}));

    surface = RecordingSurface();
    draw(panelRecord(kTypePileCap, 2));
    EXPECT_EQ(row(14).last(), QStringLiteral("(t/本)"));
}

// Every foundation page carries the panel unless the page is given another drawer.
TEST(MaterialsPanelOnPages, IsDrawnByDefaultAndAGivenDrawerReplacesIt) {
    FootingInput footing;
    const ReportJob job = makeReportJob(calculated(
        {storedFooting(footing, QStringLiteral("F1")), storedPileCap(PileCapInput(), QStringLiteral("P1"))}));
    PageSetup setup;
    setup.sizes = {12, 8, 6};
    for (int page : {2, 3}) {
        RecordingSurface surface;
        drawPage(surface, PageContext{setup, job, page, {}, {}});
        EXPECT_TRUE(surface.find(QStringLiteral("■鉄筋"))) << page;
        EXPECT_EQ(surface.find(QStringLiteral("■杭の埋め込み深さ = 100mm")) != nullptr, page == 3);

        RecordingSurface other;
        int calls = 0;
        drawPage(other, PageContext{setup, job, page, {}, [&](const SidePanelRequest&) { ++calls; }});
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(other.find(QStringLiteral("■鉄筋")));
    }
}

} // namespace
