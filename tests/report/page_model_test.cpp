#include "jobdata/record_layout.h"
#include "qt_printers.h"
#include "report/case_values.h"
#include "report/cover_page.h"
#include "report/page_grid.h"
#include "report/page_sequence.h"
#include "report/recording_surface.h"
#include "report/report_setup.h"

#include <gtest/gtest.h>

using namespace k5;
using namespace k5::report;
using Text = RecordingSurface::Text;

namespace {

PageSetup testSetup(ReportMode mode = ReportMode::Preview) {
    PageSetup setup;
    setup.mode = mode;
    setup.geometry = PageGeometry::of(mode);
    setup.face = QStringLiteral("ＭＳ 明朝");
    setup.sizes = {16, 10, 6};
    return setup;
}

double em(double points) {
    return RecordingSurface::emOf(points);
}

TEST(ReportSetup, FontSizesScaleWithThePreviewAndRoundHalvesToEven) {
    EXPECT_EQ(scaledFontSize(10, 0.95f), 10); // 9.5
    EXPECT_EQ(scaledFontSize(9, 0.95f), 9);   // 8.55
    EXPECT_EQ(scaledFontSize(11, 0.5f), 6);   // 5.5
    EXPECT_EQ(scaledFontSize(13, 0.5f), 6);   // 6.5

    ReportFont font{1, QStringLiteral("ＭＳＰゴシック"), 14, 10, 7};
    // A picture 11400 twips wide: factor 11400 × 0.7 / 8500 = 0.9388.
    const PageSetup preview = previewSetup(font, 11400);
    EXPECT_EQ(preview.sizes.large, 13);
    EXPECT_EQ(preview.sizes.body, 9);
    EXPECT_EQ(preview.sizes.small, 7);
    EXPECT_EQ(preview.face, QStringLiteral("ＭＳ Ｐゴシック"));
    const PageSetup print = printSetup(font);
    EXPECT_EQ(print.sizes.large, 14);
    EXPECT_EQ(print.sizes.body, 10);
    EXPECT_EQ(print.mode, ReportMode::Print);
}

TEST(ReportSetup, StoredFaceNamesMapToTheFacesOnTheSurface) {
    EXPECT_EQ(surfaceFaceFor(QStringLiteral("ＭＳ明朝")), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(surfaceFaceFor(QStringLiteral("ＭＳＰ明朝")), QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(surfaceFaceFor(QStringLiteral("ＭＳゴシック")), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(surfaceFaceFor(QStringLiteral("ＭＳＰゴシック")), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(surfaceFaceFor(QStringLiteral("Arial")), QString()); // the surface keeps its face
}

TEST(ReportSetup, PageGeometryOfPreviewAndPrint) {
    const PageGeometry p = PageGeometry::of(ReportMode::Preview);
    EXPECT_EQ((std::vector<int>{p.frameLeft, p.frameTop, p.headerY, p.textLeft, p.textRight, p.textWidth,
                                p.frameHeight, p.frameBottom}),
              (std::vector<int>{20, 18, 18, 16, 198, 182, 259, 277}));
    const PageGeometry q = PageGeometry::of(ReportMode::Print);
    EXPECT_EQ((std::vector<int>{q.frameLeft, q.frameTop, q.headerY, q.textLeft, q.textRight, q.textWidth,
                                q.frameHeight, q.frameBottom}),
              (std::vector<int>{17, 13, 13, 13, 194, 181, 269, 282}));
    EXPECT_EQ(isolatedColumns(p)[9], 132);
    EXPECT_EQ(isolatedColumns(p)[13], 196);
    EXPECT_EQ(pileColumns(p)[8], 132);
    EXPECT_EQ(pileColumns(p)[4], 68);
}

class CellTest : public ::testing::Test {
  protected:
    RecordingSurface surface;
    PageSetup setup = testSetup();
    PageGrid grid{surface, setup, isolatedColumns(setup.geometry), 18};
};

TEST_F(CellTest, AlignmentWithinTheColumns) {
    grid.drawCell(1, 2, 2, Align::Left, QStringLiteral("Xn"));
    grid.drawCell(2, 6, 6, Align::Right, QStringLiteral("12.5"));
    grid.drawCell(3, 6, 9, Align::Centre, QStringLiteral("基礎"));
    grid.drawCell(4, 6, 6, Align::Right, QStringLiteral("1234567890.123")); // wider than its column

    ASSERT_EQ(surface.texts.size(), 4);
    EXPECT_DOUBLE_EQ(surface.texts[0].x, 16 + 4 + 1);
    EXPECT_DOUBLE_EQ(surface.texts[0].y, 18);
    EXPECT_DOUBLE_EQ(surface.texts[1].x, 84 - 2 * em(10) - 1);
    EXPECT_DOUBLE_EQ(surface.texts[1].y, 23);
    EXPECT_DOUBLE_EQ(surface.texts[2].x, (68 + 132 - 2 * em(10)) / 2);
    // Wider than its column at the body size: drawn smaller, inside the column, never cut.
    const Text& wide = surface.texts[3];
    EXPECT_GE(wide.x, 68 + 0.3);
    EXPECT_NEAR(wide.x + RecordingSurface::emOf(wide.size) * 7, 84 - 1, 1e-9);
    EXPECT_LT(wide.size, 10);
    EXPECT_GE(wide.size, kSmallestTextPoints);
    for (const Text& t : surface.texts) {
        if (&t != &wide) {
            EXPECT_EQ(t.size, 10);
        }
        EXPECT_EQ(t.color, QColor(Qt::black));
    }
    EXPECT_EQ(surface.fontSize(), 10);
}

// The room a text has: from its start to its column's (or span's) right
// edge when left-aligned, its own column when right-aligned, the span when
// centred; smaller than that it keeps its size, larger it shrinks, but never
// below the smallest size.
TEST_F(CellTest, ATextTooWideForItsRoomShrinksDownToTheSmallestSize) {
    const struct {
        int c1, c2;
        Align align;
        const char* text;
        double size; // 0: shrunk to fit
    } cases[] = {
        {2, 2, Align::Left, "Xn", 10},
        {2, 4, Align::Left, "e=ΣM/ΣN+ε", 10}, // the span's 36 mm hold it
        {2, 2, Align::Left, "e=ΣM/ΣN+ε", 0},
        {6, 9, Align::Centre, "A=6.250m2~　OK", 10},
        {6, 6, Align::Centre, "A=6.250m2　OK", 0},
        {6, 6, Align::Right, "12345678901234567890123456789", kSmallestTextPoints},
    };
    for (const auto& c : cases) {
        surface.clear();
        grid.drawCell(1, c.c1, c.c2, c.align, QString::fromUtf8(c.text));
        SCOPED_TRACE(c.text);
        double left = 1e9;
        for (const Text& t : surface.texts)
            left = std::min(left, t.x);
        const double size = surface.texts.first().size;
        if (c.size > 0) {
            EXPECT_DOUBLE_EQ(size, c.size);
        } else {
            EXPECT_LT(size, 10);
            EXPECT_GT(size, kSmallestTextPoints);
            RecordingSurface ruler;
            double end = 0;
            for (const Text& t : surface.texts) {
                ruler.setFontSize(t.size);
                end = std::max(end, t.x + ruler.textWidth(t.text));
            }
            const ColumnTable& x = grid.columns();
            EXPECT_GE(left, x[c.c1 - 1]);
            EXPECT_LE(end, x[c.c2] + 1e-9);
        }
    }
}

TEST_F(CellTest, DrawCellRaisesOnlyAFinalMarkedCharacter) {
    grid.drawCell(1, 5, 5, Align::Centre, QStringLiteral("m2~"));
    ASSERT_EQ(surface.texts.size(), 2);
    EXPECT_EQ(surface.texts[0].text, QStringLiteral("m"));
    EXPECT_EQ(surface.texts[1].text, QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(surface.texts[0].x, (56 + 68 - em(10)) / 2); // measured as "m2"
    EXPECT_DOUBLE_EQ(surface.texts[1].x, surface.texts[0].x + em(10) / 2);
    EXPECT_DOUBLE_EQ(surface.texts[1].y, 18 - 0.5);
    EXPECT_EQ(surface.texts[1].size, 6);
    EXPECT_EQ(surface.fontSize(), 10); // back to body size

    surface.clear();
    grid.drawCell(1, 5, 5, Align::Left, QStringLiteral("a~b"));
    ASSERT_EQ(surface.texts.size(), 1);
    EXPECT_EQ(surface.texts[0].text, QStringLiteral("a~b"));
}

TEST_F(CellTest, DrawCellSupRaisesAtTheFirstMarkAndContinuesOnTheRow) {
    grid.drawCellSup(1, 6, 9, Align::Left, QStringLiteral("A=4.000m2~　NG"));
    ASSERT_EQ(surface.texts.size(), 3);
    EXPECT_EQ(surface.texts[0].text, QStringLiteral("A=4.000m"));
    EXPECT_EQ(surface.texts[1].text, QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(surface.texts[1].y, 17.5);
    EXPECT_EQ(surface.texts[2].text, QStringLiteral("　NG"));
    EXPECT_DOUBLE_EQ(surface.texts[2].y, 18);
    EXPECT_EQ(surface.texts[2].size, 10);
    EXPECT_DOUBLE_EQ(surface.texts[2].x, surface.texts[1].x + em(6) / 2);
}

TEST_F(CellTest, DrawCellMarkupRaisesAndLowersEveryMarkedCharacter) {
    grid.drawCellMarkup(3, 3, 5, Align::Centre, QStringLiteral("QP`D`<QP`A`　判定"));
    QStringList written;
    for (const Text& t : surface.texts)
        written << t.text;
    EXPECT_EQ(written, (QStringList{"Q", "P", "D", "<Q", "P", "A", "　判定"}));
    const double rowY = 28;
    for (int i : {1, 2, 4, 5}) {
        EXPECT_DOUBLE_EQ(surface.texts[i].y, rowY + 0.9) << i;
        EXPECT_DOUBLE_EQ(surface.texts[i].size, 6 * 0.9) << i;
    }
    for (int i : {0, 3, 6}) {
        EXPECT_DOUBLE_EQ(surface.texts[i].y, rowY) << i;
        EXPECT_EQ(surface.texts[i].size, 10) << i;
    }
    // Centred on the whole text, markers included.
    const double measured = (11 * 0.5 + 3) * em(10);
    EXPECT_DOUBLE_EQ(surface.texts[0].x, (33 + 68 - measured) / 2);

    surface.clear();
    grid.drawCellMarkup(1, 5, 5, Align::Left, QStringLiteral("L`ft=196 kN/m2~"));
    written.clear();
    for (const Text& t : surface.texts)
        written << t.text;
    EXPECT_EQ(written, (QStringList{"L", "ft=196 kN/m", "2"}));
    EXPECT_DOUBLE_EQ(surface.texts[0].y, 18 + 0.9);
    EXPECT_DOUBLE_EQ(surface.texts[2].y, 18 - 0.5);
}

TEST_F(CellTest, GridLinesAndColumnRulesSitOneMillimetreAboveTheirRows) {
    grid.drawGridLine(0, 0, 9);
    grid.drawGridLine(39, 2, 9);
    grid.drawColumnRule(5, 4, 7); // left boundary of column 5: X(4)
    ASSERT_EQ(surface.lines.size(), 3);
    const auto& l = surface.lines;
    EXPECT_EQ((std::vector<double>{l[0].x1, l[0].y1, l[0].x2, l[0].y2}),
              (std::vector<double>{16, 17, 132, 17}));
    EXPECT_EQ((std::vector<double>{l[1].x1, l[1].y1, l[1].x2, l[1].y2}),
              (std::vector<double>{33, 212, 132, 212}));
    EXPECT_EQ((std::vector<double>{l[2].x1, l[2].y1, l[2].x2, l[2].y2}),
              (std::vector<double>{56, 32, 56, 52}));
    EXPECT_EQ(l[2].color, QColor(Qt::black));
}

FoundationRecord loadedRecord(int unitSystem = 1) {
    FoundationRecord r;
    r.data1[field::foundationType] = kTypeIsolated;
    r.data1[field::unitSystem] = static_cast<float>(unitSystem);
    r.data2[row::N][kLongX] = 500;
    return r;
}

TEST(CaseFlags, LongTermYAndShortTermCasesArePrintedOnlyUnderTheirOwnLoads) {
    FoundationRecord r = loadedRecord();
    CaseFlags f = caseFlags(r);
    EXPECT_TRUE(f[kLongX]);
    EXPECT_FALSE(f[kLongY]);
    EXPECT_FALSE(f.anyShortTerm());

    r.data2[row::N][kLongY] = 500; // an axial load alone does not make a Y case
    r.data2[row::H][kLongY] = 10;
    r.data2[row::M][kShortY] = -5;
    f = caseFlags(r);
    EXPECT_TRUE(f[kLongY]);
    EXPECT_FALSE(f[kShortX]);
    EXPECT_TRUE(f[kShortY]);
    EXPECT_TRUE(f.anyShortTerm());
}

class CaseRowTest : public CellTest {
  protected:
    QStringList textsOnRow(int row) const {
        QStringList found;
        for (const Text& t : surface.textsNear(grid.rowTop(row), 0.01))
            found << t.text;
        return found;
    }
};

TEST_F(CaseRowTest, LayoutsSpreadTheCaseValuesOverTheCaseColumns) {
    FoundationRecord r = loadedRecord();
    for (int c = 1; c <= 4; ++c)
        r.data2[row::Q][c] = 10.0f * c;
    CaseFlags all;
    all.printed = {false, true, true, true, true};

    struct Case {
        CaseLayout layout;
        std::vector<std::pair<QString, double>> textAndLeft; // x of each text
    };
    const double w = 4 * em(10) / 2; // "10.0" and its kin: four half-width characters
    const std::vector<Case> cases = {
        {CaseLayout::L1111,
         {{"10.0", 84 - w - 1}, {"20.0", 100 - w - 1}, {"30.0", 116 - w - 1}, {"40.0", 132 - w - 1}}},
        {CaseLayout::L1011, {{"10.0", (68 + 100 - w) / 2}, {"30.0", 116 - w - 1}, {"40.0", 132 - w - 1}}},
        {CaseLayout::L1010, {{"10.0", (68 + 100 - w) / 2}, {"30.0", (100 + 132 - w) / 2}}},
        {CaseLayout::L1000, {{"10.0", (68 + 132 - w) / 2}}},
    };
    for (const Case& c : cases) {
        surface.clear();
        drawCaseRow(grid, r, kTypeIsolated, 26, row::Q, 1, c.layout, all);
        const auto written = surface.textsNear(grid.rowTop(26), 0.01);
        ASSERT_EQ(written.size(), static_cast<qsizetype>(c.textAndLeft.size() + 1)) << int(c.layout);
        EXPECT_EQ(written[0].text, QStringLiteral("kN")); // the unit, centred in column 5
        EXPECT_DOUBLE_EQ(written[0].x, (56 + 68 - em(10)) / 2);
        for (size_t i = 0; i < c.textAndLeft.size(); ++i) {
            EXPECT_EQ(written[static_cast<qsizetype>(i) + 1].text, c.textAndLeft[i].first) << int(c.layout);
            EXPECT_DOUBLE_EQ(written[static_cast<qsizetype>(i) + 1].x, c.textAndLeft[i].second)
                << int(c.layout);
        }
    }
}

TEST_F(CaseRowTest, BlankCellsForCasesNotPrintedAndValuesThatDoNotApply) {
    FoundationRecord r = loadedRecord();
    r.data2[row::Q] = {0, 187.5f, 187.5f, 0, 0};
    r.data2[row::alpha] = {0, 0, 1.0f, 1.2f, 1.0f};
    r.data2[row::e] = {0, 0.12345f, 0, 0, 0};
    CaseFlags flags;
    flags.printed = {false, true, false, true, true};

    drawCaseRow(grid, r, kTypeIsolated, 26, row::Q, 0, CaseLayout::L1111, flags);
    EXPECT_EQ(textsOnRow(26), QStringList{"187.5"}); // case 2 is not printed, case 3 and 4 are 0
    // α: 0 is a value, 1.0 means the factor does not apply.
    drawCaseRow(grid, r, kTypeIsolated, 17, row::alpha, 0, CaseLayout::L1111, flags);
    EXPECT_EQ(textsOnRow(17), (QStringList{"0.0", "1.2"}));
    drawCaseRow(grid, r, kTypeIsolated, 14, row::e, 0, CaseLayout::L1111, flags);
    EXPECT_EQ(textsOnRow(14), QStringList{"0.123"});
    // On a pile cap the same rows are pile loads: 0 stays blank, 1.0 is printed.
    PageGrid pileGrid{surface, setup, pileColumns(setup.geometry), 18};
    drawCaseRow(pileGrid, r, kTypePileCap, 30, row::alpha, 0, CaseLayout::L1111, flags);
    EXPECT_EQ(textsOnRow(30), (QStringList{"1.2", "1.0"}));
}

TEST(UnitText, UnitsOfBothUnitSystems) {
    const QStringList si{"", "kN", "m", "kN･m", "kN/m2~", "kN/m3~", "N/mm2~", ""};
    const QStringList cgs{"", "t", "m", "t･m", "t/m2~", "t/m3~", "kg/cm2~", ""};
    for (int code = 0; code <= 7; ++code) {
        EXPECT_EQ(unitText(code, 1), si[code]) << code;
        EXPECT_EQ(unitText(code, 2), cgs[code]) << code;
        EXPECT_EQ(unitText(code, 0), cgs[code]) << code; // any unit system but SI is CGS
    }
}

TEST(CheckTexts, RebarDecisionByItsPriority) {
    FoundationRecord r = loadedRecord();
    r.barSizeX = QStringLiteral("D13 ");
    r.barSizeY = QStringLiteral("D16");
    r.data2[row::nBars][kDirX] = 12;
    r.data2[row::nBars][kDirY] = 9.6f;
    r.data1[field::pitchx] = 200;
    r.data1[field::pitchy] = 187.5f;
    const QStringList expectedX{"X方向 D13", "X方向 D13-12本以上", "X方向 12-D13(@200)", "X方向 12-D13",
                                "X方向 D13"};
    const QStringList expectedY{"Y方向 D16", "Y方向 D16-10本以上", "Y方向 10-D16(@187.5)", "Y方向 10-D16",
                                "Y方向 D16"};
    for (int priority = 0; priority <= 4; ++priority) {
        r.data1[field::priority] = static_cast<float>(priority);
        EXPECT_EQ(rebarDecisionText(r, kTypeIsolated, kDirX).text, expectedX[priority]);
        EXPECT_EQ(rebarDecisionText(r, kTypeIsolated, kDirY).text, expectedY[priority]);
    }
    const CheckText isolatedY = rebarDecisionText(r, kTypeIsolated, kDirY);
    EXPECT_EQ(std::make_pair(isolatedY.firstColumn, isolatedY.lastColumn), std::make_pair(8, 9));
    const CheckText pileX = rebarDecisionText(r, kTypePileCap, kDirX);
    EXPECT_EQ(std::make_pair(pileX.firstColumn, pileX.lastColumn), std::make_pair(5, 6));
}

TEST(CheckTexts, SteelAreaAndBondChecksAreRedWhenTheyFail) {
    FoundationRecord r = loadedRecord();
    r.data2[row::sumAt] = {0, 11.4f, 8.55f, 0, 0};
    r.data2[row::sumPsi] = {0, 24, 18, 0, 0};
    r.data2[row::rebarNG] = {0, 0, -1, -1, 0}; // Y steel area and X bond fail

    EXPECT_EQ(atCheckText(r, kTypeIsolated, kDirX).text, QStringLiteral("Σat=11.4　OK"));
    EXPECT_FALSE(atCheckText(r, kTypeIsolated, kDirX).ng);
    EXPECT_EQ(atCheckText(r, kTypeIsolated, kDirY).text, QStringLiteral("Σat=8.6　NG"));
    EXPECT_TRUE(atCheckText(r, kTypeIsolated, kDirY).ng);
    EXPECT_EQ(psiCheckText(r, kTypePileCap, kDirX).text, QStringLiteral("Σψ=24.0　NG"));
    EXPECT_TRUE(psiCheckText(r, kTypePileCap, kDirX).ng);
    EXPECT_FALSE(psiCheckText(r, kTypePileCap, kDirY).ng);

    RecordingSurface surface;
    const PageSetup setup = testSetup();
    const PageGrid grid{surface, setup, isolatedColumns(setup.geometry), 18};
    drawCheckText(grid, 32, atCheckText(r, kTypeIsolated, kDirY));
    drawCheckText(grid, 32, atCheckText(r, kTypeIsolated, kDirX));
    ASSERT_EQ(surface.texts.size(), 2);
    EXPECT_EQ(surface.texts[0].color, QColor(255, 0, 0));
    EXPECT_EQ(surface.texts[1].color, QColor(Qt::black));
}

FoundationRecord groupRecord(int type, int group, float ratio, float ngFlag = 0) {
    FoundationRecord r;
    r.importFlag = -1;
    r.groupNo = group;
    r.data1[field::foundationType] = static_cast<float>(type);
    r.data1[field::ngFlag] = ngFlag;
    const int ratioRow = type == kTypeIsolated ? row::sigmaMax : row::Rp1;
    r.data2[static_cast<size_t>(ratioRow)][kShortY] = ratio;
    return r;
}

TEST(PageTable, OnePagePerRecordAfterTheCover) {
    EXPECT_TRUE(buildPageTable({}).isEmpty()); // no record, no report
    QList<FoundationRecord> thirty(30, loadedRecord());
    const PageTable pages = buildPageTable(thirty);
    ASSERT_EQ(pages.size(), 31);
    EXPECT_EQ(pages[0], 0);
    EXPECT_EQ(pages[1], 1);
    EXPECT_EQ(pages[30], 30);
}

TEST(PageTable, AnImportedJobIsReportedByItsGoverningFoundationPerGroup) {
    const QList<FoundationRecord> records = {
        groupRecord(kTypeIsolated, 2, 150), // 1
        groupRecord(kTypeIsolated, 1, 120), // 2
        groupRecord(kTypePileCap, 2, 180),  // 3: governs group 2
        groupRecord(kTypeIsolated, 1, 130), // 4: governs group 1 (tie with 6, earlier)
        groupRecord(kTypeIsolated, 3, 0),   // 5: group 3 has no ratio above 0: its first record stands for it
        groupRecord(kTypeIsolated, 1, 130), // 6
        groupRecord(kTypeIsolated, 0, 0),   // 7: in no group: a page of its own
        groupRecord(kTypeIsolated, 5, 90),  // 8: group 4 is empty
        groupRecord(kTypePileCap, 0, 70),   // 9: in no group
    };
    EXPECT_EQ(buildPageTable(records), (PageTable{0, 4, 3, 5, 8, 7, 9}));

    // A failed foundation anywhere: every record is shown so that it can be found.
    QList<FoundationRecord> failing = records;
    failing[4].data1[field::ngFlag] = -1;
    EXPECT_EQ(buildPageTable(failing).size(), 10);
    // The import flag of record 1 decides.
    QList<FoundationRecord> typed = records;
    typed[0].importFlag = 0;
    EXPECT_EQ(buildPageTable(typed).size(), 10);
}

// Single-pile caps have no reaction ratio: a group of them must not vanish from the report.
TEST(PageTable, AGroupWithoutARatioIsReportedByItsFirstRecord) {
    EXPECT_EQ(buildPageTable({groupRecord(kTypeIsolated, 1, 0), groupRecord(kTypePileCap, 1, -3)}),
              (PageTable{0, 1}));
}

FoundationRecord sized(float Lx, float h1, float h2, float D1, float D2) {
    FoundationRecord r;
    r.data2[row::L][kLongX] = Lx;
    r.data1[field::h1] = h1;
    r.data1[field::h2] = h2;
    r.data1[field::D1] = D1;
    r.data1[field::D2] = D2;
    return r;
}

TEST(FigureScale, TheLongestFootingFillsTheFigureAreaLessTheStepDimensions) {
    // 198 − 5 − 132 − 1 − 10 = 50 mm of paper.
    EXPECT_FLOAT_EQ(
        computeFigureScale({sized(2000, 500, 500, 500, 500), sized(2500.4f, 1000, 1000, 800, 800)}),
        50.0f / 2500);
    EXPECT_FLOAT_EQ(computeFigureScale({sized(2500, 500, 500, 500, 500), sized(2000, 1000, 900, 800, 600)}),
                    40.0f / 2500);
    EXPECT_FLOAT_EQ(computeFigureScale({sized(2500, 500, 500.2f, 500, 500)}), 50.0f / 2500); // same Integer
    EXPECT_EQ(computeFigureScale({}), 0);
    EXPECT_EQ(computeFigureScale({sized(0, 500, 500, 500, 500)}), 0);
}

TEST(CoverPage, FrameTitleAndJobNameInPreviewAndPrint) {
    struct Case {
        ReportMode mode;
        std::vector<double> frame;
        double lineWidth;
    };
    for (const Case& c :
         {Case{ReportMode::Preview, {20, 18, 182, 279}, 1}, Case{ReportMode::Print, {17, 13, 181, 269}, 3}}) {
        RecordingSurface surface;
        const PageSetup setup = testSetup(c.mode);
        drawCoverPage(surface, setup, QStringLiteral("東京ビル新築工事"));
        EXPECT_EQ(surface.clears, c.mode == ReportMode::Preview ? 1 : 0);
        ASSERT_EQ(surface.boxes.size(), 1);
        const auto& b = surface.boxes[0];
        EXPECT_EQ((std::vector<double>{b.x1, b.y1, b.x2, b.y2}), c.frame);
        EXPECT_EQ(b.width, c.lineWidth);
        EXPECT_EQ(b.fillStyle, FillStyle::Transparent);

        ASSERT_EQ(surface.texts.size(), 2);
        const Text& title = surface.texts[0];
        EXPECT_EQ(title.text, QStringLiteral("KAMO-K5(基礎の計算)"));
        EXPECT_EQ(title.size, 10);
        EXPECT_EQ(title.y, setup.geometry.headerY + 1);
        const double titleWidth = std::nearbyint((7 * 0.5 + 1 + 5) * em(10));
        EXPECT_DOUBLE_EQ(title.x, setup.geometry.textWidth - titleWidth - 1);
        const Text& job = surface.texts[1];
        EXPECT_EQ(job.text, QStringLiteral("工事名：東京ビル新築工事"));
        EXPECT_EQ(job.size, 16);
        EXPECT_EQ(job.y, setup.geometry.headerY + 110);
        const double jobWidth = std::nearbyint(12 * em(16));
        EXPECT_DOUBLE_EQ(job.x, (setup.geometry.textWidth - jobWidth) / 2 + setup.geometry.textLeft);
        EXPECT_EQ(job.face, QStringLiteral("ＭＳ 明朝"));
        EXPECT_EQ(surface.fontSize(), 10);
    }
}

TEST(CoverPage, AJobWithoutANameSaysThereIsNoData) {
    for (const QString& name : {QString(), QStringLiteral("  "), QStringLiteral("(未定)")}) {
        RecordingSurface surface;
        drawCoverPage(surface, testSetup(), name);
        EXPECT_EQ(surface.texts.value(1).text, QStringLiteral("工事名：データがありません"));
    }
}

} // namespace
