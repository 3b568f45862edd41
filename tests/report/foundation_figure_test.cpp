#include "calc/design_warnings.h"
#include "calculated_records.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "report/case_values.h"
#include "report/figure_rules.h"
#include "report/foundation_figure.h"
#include "report/materials_panel.h"
#include "report/recording_surface.h"

#include <QRectF>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace k5;
using namespace k5::report;
using namespace k5test;

namespace {

constexpr double kEps = 1e-6;
constexpr double kBarRadius = 0.4;

struct Footing {
    float Lx = 2000, Ly = 2000, ax = 500, ay = 500, Lx1 = 750, Ly1 = 750;
    float D1 = 500, D2 = 500, cover = 70, h1 = 1000, h2 = 1000;
};

// An isolated footing as the calculation leaves its geometry.
FoundationRecord footing(const Footing& f) {
    FoundationRecord r;
    r.data1[field::foundationType] = kTypeIsolated;
    r.data1[field::unitSystem] = 1;
    r.data2[row::L][row::xValue] = f.Lx;
    r.data2[row::L][row::yValue] = f.Ly;
    r.data2[row::a][row::xValue] = f.ax;
    r.data2[row::a][row::yValue] = f.ay;
    r.data2[row::L1][row::xValue] = f.Lx1;
    r.data2[row::L1][row::yValue] = f.Ly1;
    r.data2[row::L1][row::secondX] = f.Lx - f.Lx1 - f.ax;
    r.data2[row::L1][row::secondY] = f.Ly - f.Ly1 - f.ay;
    r.data1[field::D1] = f.D1;
    r.data1[field::D2] = f.D2;
    r.data1[field::cover] = f.cover;
    r.data1[field::h1] = f.h1;
    r.data1[field::h2] = f.h2;
    r.data1[field::edgx] = r.data1[field::edgy] = 60;
    r.data2[row::nBars][kDirX] = 5;
    r.data2[row::nBars][kDirY] = 4;
    return r;
}

// The eleven pile arrangements, one cap each, as the calculation leaves them.
const QList<FoundationRecord>& capsOfEveryArrangement() {
    static const QList<FoundationRecord> records = [] {
        QList<FoundationRecord> inputs;
        for (int code = 1; code <= kPileArrangementCount; ++code) {
            PileCapInput in;
            in.layout = code;
            inputs << storedPileCap(in, QStringLiteral("P%1").arg(code));
        }
        return calculated(inputs);
    }();
    return records;
}

class FoundationFigure : public ::testing::Test {
  protected:
    void SetUp() override { setup.sizes = {12, 8, 6}; }
    void print() {
        setup.mode = ReportMode::Print;
        setup.geometry = PageGeometry::of(ReportMode::Print);
    }
    ColumnTable columnsFor(FoundationType type) const {
        return type == kTypePileCap ? pileColumns(setup.geometry) : isolatedColumns(setup.geometry);
    }
    // The figure alone, where the page puts it.
    void draw(const FoundationRecord& r, float scale) {
        const FoundationType type = static_cast<FoundationType>(r.data1[field::foundationType]);
        const PageGrid grid(surface, setup, columnsFor(type), setup.geometry.headerY);
        const SidePanelRequest request{surface, setup, grid, r, type, scale};
        left = sidePanelLeft(request);
        top = materialsPanelLastRow(type) * 5.0 + setup.geometry.headerY;
        drawFoundationFigure(request, left, top);
    }
    QList<RecordingSurface::Circle> piles() const {
        QList<RecordingSurface::Circle> found;
        for (const auto& c : surface.circles)
            if (std::abs(c.radius - kBarRadius) > kEps) found << c;
        return found;
    }
    QList<RecordingSurface::Circle> barsCut() const {
        QList<RecordingSurface::Circle> found;
        for (const auto& c : surface.circles)
            if (std::abs(c.radius - kBarRadius) <= kEps) found << c;
        return found;
    }
    // The texts of the dimension numbers, which are smaller than the body text.
    QStringList dimensionTexts() const {
        QStringList found;
        for (const auto& t : surface.texts)
            if (t.size < setup.sizes.body && t.text != QStringLiteral("GL")) found << t.text;
        return found;
    }

    RecordingSurface surface;
    PageSetup setup;
    double left = 0, top = 0;
};

// X bars across Ly as the calculation decided them: `count` bars, and the
// spacing that decided the count (0 when the count came from the steel or
// was given).
FoundationRecord decidedXBars(float Ly, float clearance, float count, float spacing) {
    Footing f;
    f.Ly = Ly;
    f.Ly1 = (Ly - f.ay) / 2;
    FoundationRecord r = footing(f);
    r.data1[field::edgx] = clearance;
    r.data2[row::nBars][kDirX] = r.data2[row::nBars][kDirX + 2] = count;
    r.data2[row::pitchUsed][kDirX] = r.data2[row::pitchUsed][kDirX + 2] = spacing;
    return r;
}

// The drawing shows the count the text beside it states, spread evenly
// between the clearances, never wider apart than the spacing the text gives.
// Where the spacing decided the count, the count is the extent over the
// spacing rounded to the nearest bar: a fraction under one half leaves the
// bars at the spacing, centred; one over one half brings them closer.
TEST(DesignedBars, EveryDecidedBarIsDrawnAtThePitchItGives) {
    const struct {
        const char* what;
        float Ly, clearance, count, spacing;
        double first, pitch;
    } cases[] = {
        // 3660 / 200 = 18.3: CInt(19.3) = 19 bars at 200, 30 mm more at both edges
        {"19-D35(@200), fraction below one half", 3800, 70, 19, 200, 100, 200},
        // 3700 / 200 = 18.5: CInt(19.5) = 20 bars, 194.7 mm apart
        {"20 bars @200, fraction at one half", 3840, 70, 20, 200, 70, 3700.0 / 19},
        // 520 / 100 = 5.2: CInt(6.2) = 6 bars at 100
        {"6-D25(@100), fraction below one half", 640, 60, 6, 100, 70, 100},
        // 580 / 100 = 5.8: CInt(6.8) = 7 bars, 96.7 mm apart
        {"7 bars @100, fraction above one half", 700, 60, 7, 100, 60, 580.0 / 6},
        // the steel needs more bars than the spacing gives: count priority
        {"steel decides", 2000, 60, 25, 0, 60, 1880.0 / 24},
        {"count given", 2000, 60, 5, 0, 60, 470},
        {"two bars", 2000, 60, 2, 0, 60, 1880},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const FoundationRecord r = decidedXBars(c.Ly, c.clearance, c.count, c.spacing);
        const BarLayout layout = barPositions(r, kDirX, 1.0);
        ASSERT_EQ(layout.total, static_cast<long long>(c.count));
        ASSERT_EQ(layout.shown.size(), static_cast<size_t>(c.count));
        EXPECT_NEAR(layout.shown.front(), c.first, kEps);
        EXPECT_NEAR(c.Ly - layout.shown.back(), c.first, kEps); // centred: both edges alike
        for (size_t i = 1; i < layout.shown.size(); ++i)
            EXPECT_NEAR(layout.shown[i] - layout.shown[i - 1], c.pitch, kEps);
        if (c.spacing > 0) {
            EXPECT_LE(c.pitch, c.spacing);
        }
        EXPECT_NEAR(designedBarPitch(r, kDirX), c.pitch, kEps); // the warnings judge the same pitch
    }
}

TEST(DesignedBars, NothingOrOneBarIsNoDivisionByZero) {
    const struct {
        float count, clearance;
        std::vector<double> shown;
    } cases[] = {
        {1, 60, {1000}}, // one bar: the middle
        {0, 60, {}},     // no bars decided
        {-3, 60, {}},
        {4, 1100, {}}, // clearances wider than the footing
    };
    for (const auto& c : cases) {
        const BarLayout layout = barPositions(decidedXBars(2000, c.clearance, c.count, 0), kDirX, 1.0);
        EXPECT_EQ(layout.shown, c.shown) << c.count;
    }
}

// Bars closer than a millimetre on paper are drawn as an even selection
// that keeps the outer bars; the work stays bounded whatever the record holds.
TEST(DesignedBars, CloseBarsAreThinnedEvenlyAndTheWorkIsBounded) {
    const struct {
        float Ly, count, spacing;
        double scale;
        size_t shown;
    } cases[] = {
        {2000, 400, 0, 0.02, 37},    // 0.094 mm apart: every 11th bar or so
        {2000, 20, 0, 0.02, 20},     // 1.98 mm apart: all of them
        {12000, 2377, 5, 0.02, 200}, // never more than 200 lines
        {1e7f, 9999881, 1, 0.0005, 200},
        {1e7f, 2e9f, 0, 1e-9, 2}, // a figure too small for any spacing: the outer bars
        {3e38f, 1e30f, 1, 1e-30, 2},
    };
    for (const auto& c : cases) {
        const FoundationRecord r = decidedXBars(c.Ly, 60, c.count, c.spacing);
        const BarRun run = designedBars(r, kDirX);
        const BarLayout layout = barPositions(r, kDirX, c.scale);
        SCOPED_TRACE(c.count);
        EXPECT_EQ(layout.total, run.total);
        EXPECT_GT(run.total, 0);
        ASSERT_EQ(layout.shown.size(), c.shown);
        EXPECT_EQ(layout.thinned(), c.shown < static_cast<size_t>(run.total));
        EXPECT_NEAR(layout.shown.front(), run.first, 1e-6 * c.Ly);
        EXPECT_NEAR(layout.shown.back(), run.at(run.total - 1), 1e-6 * c.Ly);
        for (size_t i = 1; i < layout.shown.size(); ++i)
            EXPECT_GE((layout.shown[i] - layout.shown[i - 1]) * c.scale,
                      kLegibleBarSpacingMm * (c.shown > 2 ? 0.99 : 0));
    }
    EXPECT_EQ(barCountNote(QStringLiteral("D19"), 297), QStringLiteral("D19 × 297"));
}

// Numbers stand centred on their parts; where neighbours would overlap they
// move apart along the chain just enough, within its bounds, and one that no
// longer stands over its own part gets a leader.
TEST(ChainNumbers, NumbersTooLongForTheirPartsMoveApartWithALeader) {
    const double nan = std::nan("");
    const struct {
        std::vector<ChainPart> parts;
        double lowest, highest;
        std::vector<double> starts;
        std::vector<bool> leaders;
    } cases[] = {
        {{{0, 20, 4}, {20, 30, 4}, {30, 50, 4}}, -10, 100, {8, 23, 38}, {false, false, false}},
        // "5400 5400 1200": the short middle part pushes its neighbour on
        {{{0, 20, 4}, {20, 22, 4}, {22, 40, 4}}, -10, 100, {8, 19, 29}, {false, true, false}},
        {{{0, 3, 4}, {3, 30, 4}, {30, 50, 0}}, -10, 100, {-0.5, 14.5, nan}, {true, false, false}},
        // against the lower bound: pushed on, the next after it
        {{{0, 3, 4}, {3, 5, 4}, {5, 50, 4}}, 0, 100, {0, 5, 25.5}, {true, true, false}},
        // against the upper bound: held back, the one before it too
        {{{0, 40, 4}, {40, 47, 4}, {47, 49, 4}}, 0, 50, {18, 41, 46}, {false, false, true}},
    };
    for (const auto& c : cases) {
        const std::vector<double> at = chainNumberStarts(c.parts, 1, c.lowest, c.highest);
        ASSERT_EQ(at.size(), c.starts.size());
        for (size_t i = 0; i < at.size(); ++i) {
            if (std::isnan(c.starts[i])) {
                EXPECT_TRUE(std::isnan(at[i])) << i;
                continue;
            }
            EXPECT_DOUBLE_EQ(at[i], c.starts[i]) << i;
            EXPECT_EQ(needsLeader(c.parts[i], at[i]), c.leaders[i]) << i;
            EXPECT_GE(at[i], c.lowest);
            EXPECT_LE(at[i] + c.parts[i].numberLength, c.highest);
        }
        // No number overlaps another.
        for (size_t i = 0; i < at.size(); ++i)
            for (size_t j = i + 1; j < at.size(); ++j) {
                if (std::isnan(at[i]) || std::isnan(at[j])) continue;
                EXPECT_GE(at[j], at[i] + c.parts[i].numberLength + 1 - 1e-9) << i << " " << j;
            }
    }
}

TEST_F(FoundationFigure, SectionAndPlanStandAtTheirOrigins) {
    draw(footing({}), 0.02f);
    EXPECT_DOUBLE_EQ(left, 137);
    EXPECT_DOUBLE_EQ(top, 13 * 5 + 18);
    ASSERT_FALSE(surface.boxes.isEmpty());
    const auto plan = surface.boxes.first();
    const double planTop = top + 1000 * 0.02 + 15;
    EXPECT_NEAR(plan.x1, 137, kEps);
    EXPECT_NEAR(plan.y1, planTop, kEps);
    EXPECT_NEAR(plan.x2, 137 + 40, 1e-4);
    EXPECT_NEAR(plan.y2, planTop + 40, 1e-4);
    EXPECT_EQ(plan.width, 2);
    // The footing's bottom in the section, h1 below the stub's top.
    bool bottom = false;
    for (const auto& l : surface.lines)
        bottom = bottom || (std::abs(l.y1 - (top + 20)) < kEps && std::abs(l.y2 - (top + 20)) < kEps &&
                            std::abs(l.x1 - 137) < kEps && std::abs(l.x2 - 177) < kEps);
    EXPECT_TRUE(bottom);

    surface = RecordingSurface();
    const FoundationRecord& cap = capsOfEveryArrangement().at(4); // " 4"
    draw(cap, 0.02f);
    EXPECT_DOUBLE_EQ(top, 16 * 5 + 18);
    const double capTop = top + cap.data1[field::h1] * 0.02 + 2.0 / 3.0 * 300 * 0.02 + 10;
    EXPECT_NEAR(surface.boxes.first().y1, capTop, 1e-4);
}

// Lx1 is measured from the left edge and Ly1 from the lower edge: the plan
// is drawn as seen from above, its lower edge at the bottom.
TEST_F(FoundationFigure, AnEccentricColumnStandsAtItsOffsetsFromTheLeftAndLowerEdges) {
    Footing f;
    f.Lx1 = 300;
    f.Ly1 = 300;
    draw(footing(f), 0.02f);
    ASSERT_GE(surface.boxes.size(), 2);
    const auto plan = surface.boxes.at(0);
    const auto column = surface.boxes.at(1);
    EXPECT_NEAR(column.x1, 137 + 6, kEps);
    EXPECT_NEAR(column.x2, 137 + 6 + 10, kEps);
    EXPECT_NEAR(column.y2, plan.y2 - 6, kEps);
    EXPECT_NEAR(column.y1, plan.y2 - 6 - 10, kEps);
}

TEST_F(FoundationFigure, TheSectionCutsTheYBarsAtTheCover) {
    FoundationRecord r = footing({});
    draw(r, 0.02f);
    ASSERT_EQ(barsCut().size(), 4);
    const double bottom = top + 20;
    for (const auto& c : barsCut()) {
        EXPECT_NEAR(c.cy, bottom - 70 * 0.02, kEps);
        EXPECT_EQ(c.fillStyle, FillStyle::Solid);
        EXPECT_EQ(c.fillColor, QColor(Qt::black));
    }
    EXPECT_NEAR(barsCut().first().cx, 137 + 60 * 0.02, kEps);
    EXPECT_NEAR(barsCut().last().cx, 137 + 1940 * 0.02, kEps);

    // Bars laid at the spacing rule: 1880 / 200 = 9.4 gives CInt(10.4) = 10
    // bars, every one of them cut, at 200 and centred between the clearances.
    surface = RecordingSurface();
    r.data2[row::nBars][kDirY] = 10;
    r.data2[row::pitchUsed][kDirY] = 200;
    draw(r, 0.02f);
    ASSERT_EQ(barsCut().size(), 10);
    EXPECT_NEAR(barsCut().first().cx, 137 + 100 * 0.02, kEps);
    EXPECT_NEAR(barsCut().last().cx, 137 + 1900 * 0.02, kEps);
}

// Only the depths that differ get a chain of their own: D' beside D when the
// top slopes, h2 beside h1 when the foundation top is not at ground level.
TEST_F(FoundationFigure, DimensionsNameEveryLengthOnce) {
    const struct {
        float D2, h2;
        QStringList depths;
    } cases[] = {
        {550, 1200, {"550", "1200"}},
        {350, 1200, {"350", "550", "1200"}},
        {550, 1000, {"550", "1000", "1200"}},
        {350, 1000, {"350", "550", "1000", "1200"}},
    };
    for (const auto& c : cases) {
        surface = RecordingSurface();
        Footing f;
        f.Lx = 2400, f.ax = 600, f.Lx1 = 900;
        f.Ly = 2200, f.ay = 500, f.Ly1 = 800;
        f.D1 = 550, f.D2 = c.D2, f.h1 = 1200, f.h2 = c.h2;
        draw(footing(f), 0.015f);
        const QStringList lengths{"900", "600", "900", "2400", "900", "500", "800", "2200"};
        QStringList expected = lengths + c.depths;
        QStringList drawn = dimensionTexts();
        expected.sort();
        drawn.sort();
        EXPECT_EQ(drawn, expected) << c.D2 << " " << c.h2;
    }
}

// Even the single pile's small cap, whose outstands are narrower than their numbers.
TEST_F(FoundationFigure, DimensionNumbersNeverOverlap) {
    const QList<FoundationRecord>& caps = capsOfEveryArrangement();
    const float scale = computeFigureScale(caps);
    for (const FoundationRecord& cap : caps) {
        surface = RecordingSurface();
        draw(cap, scale);
        SCOPED_TRACE(cap.data1[field::pileLayout]);
        RecordingSurface ruler;
        QList<QRectF> numbers;
        for (const auto& t : surface.texts) {
            if (t.size >= setup.sizes.body) continue;
            ruler.setFontSize(t.size);
            numbers << QRectF(t.x, t.y, ruler.textWidth(t.text), ruler.textHeight(t.text));
        }
        ASSERT_GE(numbers.size(), 8);
        for (qsizetype i = 0; i < numbers.size(); ++i)
            for (qsizetype j = i + 1; j < numbers.size(); ++j)
                EXPECT_FALSE(numbers[i].intersects(numbers[j])) << i << " " << j;
    }
}

// A segment passes through a box shrunk by a quarter millimetre all round
// (a line may touch a word's box, not run through it).
bool runsThrough(const RecordingSurface::Line& l, QRectF box) {
    box.adjust(0.25, 0.25, -0.25, -0.25);
    if (box.isEmpty()) return false;
    constexpr int kSteps = 400;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        if (box.contains(QPointF(l.x1 + (l.x2 - l.x1) * t, l.y1 + (l.y2 - l.y1) * t))) return true;
    }
    return false;
}

// No line of the figure runs through its numbers, its notes or "GL", and
// every number is at least 5 pt, whatever the footing: 12 m, long in one
// direction, small with its top just below ground level, stepped, and a cap
// of every arrangement, on the preview and on paper.
TEST_F(FoundationFigure, NoLineRunsThroughATextOfTheFigure) {
    QList<FoundationRecord> inputs;
    inputs << storedFooting({.Lx = 12000,
                             .Ly = 12000,
                             .ax = 900,
                             .ay = 900,
                             .Lx1 = 5550,
                             .Ly1 = 5550,
                             .D = 900,
                             .D2 = 900,
                             .fe = 300,
                             .N = 30000},
                            QStringLiteral("F12m"));
    inputs << storedFooting({.Lx = 2400,
                             .Ly = 12000,
                             .ax = 600,
                             .ay = 600,
                             .Lx1 = 900,
                             .Ly1 = 5700,
                             .D = 900,
                             .D2 = 700,
                             .fe = 300,
                             .N = 6000},
                            QStringLiteral("F12y"));
    FoundationRecord small = storedFooting({.Lx = 700,
                                            .Ly = 700,
                                            .ax = 500,
                                            .ay = 500,
                                            .Lx1 = 100,
                                            .Ly1 = 100,
                                            .D = 480,
                                            .D2 = 480,
                                            .fe = 300,
                                            .N = 100},
                                           QStringLiteral("F小"));
    small.data1[field::h2] = 520;
    inputs << small;
    QList<FoundationRecord> records = calculated(inputs);
    records << capsOfEveryArrangement();
    const float scale = computeFigureScale(records);
    for (ReportMode mode : {ReportMode::Preview, ReportMode::Print}) {
        setup.mode = mode;
        setup.geometry = PageGeometry::of(mode);
        for (const FoundationRecord& r : records) {
            surface = RecordingSurface();
            draw(r, scale);
            SCOPED_TRACE(trimBlanks(r.name).toStdString());
            RecordingSurface ruler;
            int labels = 0;
            for (const auto& t : surface.texts) {
                if (t.size >= setup.sizes.body && t.text != QStringLiteral("GL")) continue;
                ++labels;
                EXPECT_GE(t.size, 5.0) << t.text.toStdString();
                ruler.setFontSize(t.size);
                const QRectF box(t.x, t.y, ruler.textWidth(t.text), ruler.textHeight(t.text));
                for (const auto& l : surface.lines)
                    EXPECT_FALSE(runsThrough(l, box))
                        << t.text.toStdString() << " / " << l.x1 << "," << l.y1 << " " << l.x2 << "," << l.y2;
            }
            EXPECT_GE(labels, 9);
            EXPECT_TRUE(surface.find(QStringLiteral("GL"))); // always printed
        }
    }
}

TEST_F(FoundationFigure, PilesStandAtTheirPositionsInEveryArrangement) {
    const QList<FoundationRecord>& caps = capsOfEveryArrangement();
    ASSERT_EQ(caps.size(), kPileArrangementCount);
    const float scale = computeFigureScale(caps);
    for (const FoundationRecord& cap : caps) {
        surface = RecordingSurface();
        draw(cap, scale);
        const int code = static_cast<int>(cap.data1[field::pileLayout]);
        SCOPED_TRACE(code);
        const QList<RecordingSurface::Circle> circles = piles();
        ASSERT_EQ(circles.size(), pileArrangementRule(code)->count);
        const auto plan = surface.boxes.first();
        const double axis = (plan.x1 + plan.x2) / 2; // the column is centred on a cap
        for (const auto& c : circles) {
            // At the common scale, or a little under it where the side
            // chains need room for their legible numbers.
            EXPECT_LE(c.radius, 150 * scale + 1e-4);
            EXPECT_GE(c.radius, 150 * scale * 0.97);
            // Inside the cap, at least the pile's radius from every edge.
            EXPECT_GE(c.cx - c.radius, plan.x1 - kEps);
            EXPECT_LE(c.cx + c.radius, plan.x2 + kEps);
            EXPECT_GE(c.cy - c.radius, plan.y1 - kEps);
            EXPECT_LE(c.cy + c.radius, plan.y2 + kEps);
            // Every arrangement is symmetric about the column's axis in X.
            const bool mirrored = std::any_of(circles.begin(), circles.end(), [&](const auto& o) {
                return std::abs(o.cx - (2 * axis - c.cx)) < 1e-3 && std::abs(o.cy - c.cy) < 1e-3;
            });
            EXPECT_TRUE(mirrored) << c.cx << " " << c.cy;
            for (const auto& o : circles) {
                if (&o == &c) continue;
                EXPECT_GE(std::hypot(o.cx - c.cx, o.cy - c.cy), 2 * c.radius);
            }
        }
    }
}

TEST_F(FoundationFigure, FourPilesAndATriangleAtTheirMillimetres) {
    const QList<FoundationRecord>& caps = capsOfEveryArrangement();
    const float s = 0.02f;
    struct Expected {
        int code;
        std::vector<std::pair<double, double>> fromLeftAndLower;
    };
    // Edges 400, spacing 1500; the triangle's rows are 1299 (1500·√3/2) apart, its third pile above.
    for (const Expected& e : {Expected{5, {{400, 400}, {1900, 400}, {400, 1900}, {1900, 1900}}},
                              Expected{3, {{400, 400}, {1900, 400}, {1150, 1699}}}}) {
        surface = RecordingSurface();
        const FoundationRecord& cap = caps.at(e.code - 1);
        draw(cap, s);
        const auto plan = surface.boxes.first();
        const QList<RecordingSurface::Circle> circles = piles();
        ASSERT_EQ(circles.size(), static_cast<qsizetype>(e.fromLeftAndLower.size())) << e.code;
        for (size_t i = 0; i < e.fromLeftAndLower.size(); ++i) {
            EXPECT_NEAR(circles[static_cast<qsizetype>(i)].cx, plan.x1 + e.fromLeftAndLower[i].first * s,
                        1e-4);
            EXPECT_NEAR(circles[static_cast<qsizetype>(i)].cy, plan.y2 - e.fromLeftAndLower[i].second * s,
                        1e-4);
        }
    }
}

// The lines at 45° from the column faces down through the cap.
TEST_F(FoundationFigure, APileCapShowsThe45DegreeLinesFromTheColumnFaces) {
    const FoundationRecord& cap = capsOfEveryArrangement().at(4);
    draw(cap, 0.02f);
    QList<RecordingSurface::Line> slanted;
    for (const auto& l : surface.lines)
        if (l.style == PenStyle::Dot && std::abs(l.x2 - l.x1) > kEps && std::abs(l.y2 - l.y1) > kEps)
            slanted << l;
    ASSERT_EQ(slanted.size(), 2);
    const double bottom = top + cap.data1[field::h1] * 0.02;
    for (const auto& l : slanted) {
        EXPECT_NEAR(std::abs(l.x2 - l.x1), std::abs(l.y2 - l.y1), 1e-4);
        EXPECT_NEAR(l.y2, bottom, 1e-4);
    }
}

// At the common scale the widest footing of the job, with both the sloped top
// and the foundation top above ground, keeps to the right of the value table
// and inside the right text limit, on the preview and on paper.
TEST_F(FoundationFigure, TheWidestFootingStaysInsideItsAreaAtTheCommonScale) {
    Footing wide;
    wide.Lx = 3600, wide.Ly = 3000, wide.ax = 600, wide.ay = 600, wide.Lx1 = 1500, wide.Ly1 = 1200;
    wide.D1 = 800, wide.D2 = 400, wide.h1 = 1500, wide.h2 = 1100;
    QList<FoundationRecord> records{footing(wide), capsOfEveryArrangement().at(9)};
    const float scale = computeFigureScale(records);
    for (ReportMode mode : {ReportMode::Preview, ReportMode::Print}) {
        setup.mode = mode;
        setup.geometry = PageGeometry::of(mode);
        for (const FoundationRecord& r : records) {
            surface = RecordingSurface();
            draw(r, scale);
            const int tableRight = isolatedColumns(setup.geometry)[9];
            const double rightLimit = setup.geometry.textRight;
            const double bottomLimit = setup.geometry.frameBottom;
            auto inside = [&](double x, double y) {
                return x > tableRight && x <= rightLimit && y > top - 1.5 && y < bottomLimit;
            };
            SCOPED_TRACE(static_cast<int>(mode));
            for (const auto& l : surface.lines)
                EXPECT_TRUE(inside(l.x1, l.y1) && inside(l.x2, l.y2))
                    << l.x1 << "," << l.y1 << " " << l.x2 << "," << l.y2;
            for (const auto& b : surface.boxes)
                EXPECT_TRUE(inside(b.x1, b.y1) && inside(b.x2, b.y2));
            for (const auto& c : surface.circles)
                EXPECT_TRUE(inside(c.cx - c.radius, c.cy - c.radius) &&
                            inside(c.cx + c.radius, c.cy + c.radius));
            RecordingSurface ruler;
            for (const auto& t : surface.texts) {
                ruler.setFontSize(t.size);
                EXPECT_TRUE(inside(t.x, t.y) &&
                            inside(t.x + ruler.textWidth(t.text), t.y + ruler.textHeight(t.text)))
                    << t.text.toStdString() << " " << t.x << "," << t.y;
            }
        }
    }
}

// A footing far longer in Y than the job's longest in X is drawn smaller, so
// that its section and whole plan (with the chains and notes) stay on the
// sheet; a footing that fits keeps the common scale.
TEST_F(FoundationFigure, AFootingLongInYFitsItsAreaInBothDirections) {
    for (float Ly : {5000.0f, 12000.0f}) {
        Footing narrow;
        narrow.Lx = 1500, narrow.Ly = Ly, narrow.Lx1 = 500, narrow.Ly1 = Ly / 2 - 250;
        narrow.D2 = 300, narrow.h2 = 800; // every chain at the side
        const FoundationRecord r = footing(narrow);
        const float scale = computeFigureScale({r});
        for (ReportMode mode : {ReportMode::Preview, ReportMode::Print}) {
            setup.mode = mode;
            setup.geometry = PageGeometry::of(mode);
            surface = RecordingSurface();
            draw(r, scale);
            SCOPED_TRACE(Ly);
            const auto plan = surface.boxes.first();
            EXPECT_LE(plan.x2 - plan.x1, 1500 * scale + 1e-4);
            if (Ly > 5000) {
                EXPECT_LT(plan.x2 - plan.x1, 1500 * scale); // drawn smaller than the common scale
            }
            EXPECT_NEAR((plan.y2 - plan.y1) / (plan.x2 - plan.x1), Ly / 1500.0, 1e-3);
            const double bottomLimit = setup.geometry.frameBottom - 10;
            for (const auto& l : surface.lines)
                EXPECT_TRUE(std::max(l.y1, l.y2) <= bottomLimit &&
                            std::max(l.x1, l.x2) <= setup.geometry.textRight);
            RecordingSurface ruler;
            for (const auto& t : surface.texts) {
                ruler.setFontSize(t.size);
                EXPECT_LE(t.y + ruler.textHeight(t.text), bottomLimit) << t.text.toStdString();
                EXPECT_LE(t.x + ruler.textWidth(t.text), setup.geometry.textRight) << t.text.toStdString();
            }
        }
    }
    surface = RecordingSurface();
    setup.mode = ReportMode::Preview;
    setup.geometry = PageGeometry::of(ReportMode::Preview);
    draw(footing({}), 0.02f);
    EXPECT_NEAR(surface.boxes.first().x2 - surface.boxes.first().x1, 2000 * 0.02, 1e-4);
}

// Hundreds of decided bars: the plan shows a legible selection of them with
// their size and number written under it, and the column, the outline and
// the piles are drawn over the bars.
TEST_F(FoundationFigure, ManyBarsStayLegibleUnderTheColumnAndThePiles) {
    FoundationRecord cap = capsOfEveryArrangement().at(4);
    cap.barSizeX = QStringLiteral("D19");
    cap.barSizeY = QStringLiteral("D22");
    for (int dir : {kDirX, kDirY}) {
        cap.data2[row::nBars][dir] = 400;
        cap.data2[row::pitchUsed][dir] = 0;
    }
    draw(cap, 0.02f);
    ASSERT_GE(surface.boxes.size(), 2);
    const auto outline = surface.boxes.at(0);
    const auto column = surface.boxes.at(1);
    QList<RecordingSurface::Line> bars;
    for (const auto& l : surface.lines) {
        const bool inPlan = std::min(l.y1, l.y2) > outline.y1 && std::max(l.y1, l.y2) < outline.y2 &&
                            std::min(l.x1, l.x2) > outline.x1 && std::max(l.x1, l.x2) < outline.x2;
        if (inPlan && l.style == PenStyle::Solid) bars << l;
    }
    // A line a millimetre or more apart in each direction, both outer bars included.
    const double planWidth = outline.x2 - outline.x1, planHeight = outline.y2 - outline.y1;
    EXPECT_GE(bars.size(), 20);
    EXPECT_LE(bars.size(), static_cast<qsizetype>(planWidth + planHeight) + 2);
    for (const auto& bar : bars) {
        EXPECT_LT(bar.order, column.order);
        EXPECT_LT(bar.order, outline.order);
        for (const auto& pile : piles())
            EXPECT_LT(bar.order, pile.order);
    }
    EXPECT_EQ(column.fillStyle, FillStyle::Solid);
    EXPECT_EQ(column.fillColor, QColor(Qt::white));
    ASSERT_EQ(piles().size(), pileArrangementRule(5)->count);
    EXPECT_TRUE(surface.find(QStringLiteral("X方向 D19 × 400　Y方向 D22 × 400")))
        << dimensionTexts().join(u'|').toStdString();
}

TEST_F(FoundationFigure, NothingIsDrawnWithoutAScaleOrAFootingSize) {
    const struct {
        float scale, Lx, Ly;
    } cases[] = {
        {0, 2000, 2000}, {-0.02f, 2000, 2000}, {NAN, 2000, 2000}, {0.02f, 0, 2000}, {0.02f, 2000, 0}};
    for (const auto& c : cases) {
        surface = RecordingSurface();
        Footing f;
        f.Lx = c.Lx, f.Ly = c.Ly;
        draw(footing(f), c.scale);
        EXPECT_TRUE(surface.lines.isEmpty() && surface.boxes.isEmpty() && surface.texts.isEmpty());
    }
}

TEST_F(FoundationFigure, DrawingLeavesTheSurfaceAtBodyTextAndPlainLines) {
    draw(capsOfEveryArrangement().at(4), 0.02f);
    EXPECT_EQ(surface.fontSize(), 8);
    surface.line(0, 0, 1, 1);
    EXPECT_EQ(surface.lines.last().style, PenStyle::Solid);
    surface.circle(0, 0, 1);
    EXPECT_EQ(surface.circles.last().fillStyle, FillStyle::Transparent);
}

} // namespace
