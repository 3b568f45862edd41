#include "export/foundation_schedule.h"

#include "calc/design_results.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "report/case_values.h"
#include "report/figure_dimensions.h"
#include "report/figure_rules.h"
#include "report/foundation_figure.h"
#include "report/materials_panel.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace k5::dxfexport {
namespace {

using report::FigureDimensions;
using report::HeightMark;

// Sizes on paper, mm at the plot scale.
constexpr double kTitleHeight = 3.5;
constexpr double kTextHeight = 2.5;
constexpr double kNumberHeight = 2.0;
constexpr double kChainGap = 4;      // from an outline to its first dimension chain
constexpr double kChainPitch = 7;    // between dimension chains
constexpr double kTick = 0.8;        // half the length of a dimension's end mark
constexpr double kExtensionGap = 1;  // an extension line starts this far from the object
constexpr double kOvershoot = 1.5;   // and reaches past its dimension line
constexpr double kNumberGap = 0.8;   // from a dimension line to its number
constexpr double kBlockGap = 6;      // between title, section, plan, callouts and table
constexpr double kCellMargin = 10;   // inside a cell's frame
constexpr double kRowHeight = 5;     // of the table
constexpr double kCellPadding = 1.2; // of a table cell's text
constexpr double kLabelColumn = 14;  // the table's first column
constexpr double kBarRadius = 0.4;   // a cut bar drawn where its size is unknown

// Length of pile shown under a cap, in pile diameters, as the report shows it.
constexpr double kPileStub = 2.0 / 3.0;

float d2(const FoundationRecord& r, int row, int column) {
    return r.data2[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

bool positive(double v) {
    return std::isfinite(v) && v > 0;
}

FoundationType typeOf(const FoundationRecord& r) {
    const long long type = cInt(r.data1[field::foundationType]);
    return type == kTypeIsolated || type == kTypePileCap ? static_cast<FoundationType>(type) : kTypeUnknown;
}

// Width of a text in a CAD font of the given height (the height of its
// capitals): a full-width character takes about 1.4 heights, the others
// about half that.
double textWidth(const QString& text, double height) {
    double w = 0;
    for (const QChar c : text)
        w += (c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F)) ? 0.75 : 1.4;
    return w * height;
}

// Report units carry "~" where they are set raised ("N/mm2~"); a drawing
// text is plain.
QString plainUnit(int code, int unitSystem) {
    return report::unitText(code, unitSystem).remove(u'~');
}

// The diameter of a deformed bar from its size name ("D19" is 19 mm), 0 when it has none.
double barDiameter(const QString& size) {
    QString digits;
    for (const QChar c : trimBlanks(size))
        if (c.isDigit())
            digits += c;
        else if (!digits.isEmpty())
            break;
    return digits.toDouble();
}

class Cell {
  public:
    Cell(const FoundationRecord& r, double scale)
        : r_(r), type_(typeOf(r)), dims_(report::figureDimensions(r)), S_(scale), D1_(r.data1[field::D1]),
          D2_(r.data1[field::D2]), h1_(r.data1[field::h1]), h2_(r.data1[field::h2]),
          cover_(r.data1[field::cover]), pile_(r.data1[field::pfai]) {}

    Drawing draw() {
        double y = 0;
        y = drawTitle(y);
        y = drawSection(y - kBlockGap * S_);
        y = drawXDimensions(y);
        y = drawPlan(y - kBlockGap * S_);
        y = drawCallouts(y - kBlockGap * S_);
        drawTable(y - kBlockGap * S_ / 2);
        return std::move(d_);
    }

  private:
    bool pileCap() const { return type_ == kTypePileCap; }
    double Lx() const { return dims_.Lx; }
    double Ly() const { return dims_.Ly; }
    double Lx1() const { return dims_.xParts[0]; }
    double ax() const { return dims_.xParts[1]; }
    double Ly1() const { return dims_.yParts[2]; }
    double ay() const { return dims_.yParts[1]; }

    void line(Layer layer, Point a, Point b) { d_.add(Line{layer, a, b}); }
    void text(Layer layer, Point at, double paperHeight, const QString& t, TextAlign align = TextAlign::Left,
              double angle = 0) {
        const double h = paperHeight * S_;
        d_.add(Text{layer, at, h, t, align, angle}, textWidth(t, h));
    }
    void rectangle(Layer layer, double left, double bottom, double width, double height) {
        d_.add(Polyline{layer,
                        {{left, bottom},
                         {left + width, bottom},
                         {left + width, bottom + height},
                         {left, bottom + height}},
                        true});
    }

    // ---- title ----

    double drawTitle(double top) {
        const double baseline = top - kTitleHeight * S_;
        text(Layer::Text, {0, baseline}, kTitleHeight, trimBlanks(r_.name));
        return baseline;
    }

    // ---- section in X ----

    // The section's top is the top of the column stub or of the footing,
    // whichever is higher; returns the lowest point drawn under it.
    double drawSection(double top) {
        bottom_ = top - std::max({h1_, D1_, D2_, 0.0});
        const double colLeft = Lx1(), colRight = Lx1() + ax();
        const double atColumn = bottom_ + D1_, atEdge = bottom_ + D2_;

        // The footing, level or sloping down from the column faces to its edges.
        std::vector<Point> outline{{0, bottom_}, {Lx(), bottom_}, {Lx(), atEdge}};
        if (cInt(D1_) != cInt(D2_)) {
            outline.push_back({colRight, atColumn});
            outline.push_back({colLeft, atColumn});
        }
        outline.push_back({0, atEdge});
        d_.add(Polyline{Layer::Outline, outline, true});
        // The column stub from the top of the foundation down to the footing.
        const double stubTop = bottom_ + h1_;
        if (stubTop > atColumn) rectangle(Layer::Column, colLeft, atColumn, ax(), stubTop - atColumn);

        drawGroundLevel();
        drawSectionBars();
        double lowest = bottom_;
        if (pileCap()) lowest = drawPilesInSection();
        drawHeightDimensions(colRight);
        return lowest;
    }

    void drawGroundLevel() {
        const double y = bottom_ + h2_;
        line(Layer::Dimensions, {-kChainGap * S_ / 2, y}, {Lx() + kChainGap * S_ / 2, y});
        text(Layer::Dimensions, {-kChainGap * S_ / 2, y + kNumberGap * S_}, kNumberHeight,
             QStringLiteral("GL"), TextAlign::Right);
    }

    // The Y bars cut by the section lie on the X bars, at the cover above the bottom.
    void drawSectionBars() {
        const double y = bottom_ + cover_;
        const double barX = barDiameter(r_.barSizeX), barY = barDiameter(r_.barSizeY);
        if (Lx() > 2 * cover_) line(Layer::Bars, {cover_, y - barX / 2}, {Lx() - cover_, y - barX / 2});
        const double radius = barY > 0 ? barY / 2 : kBarRadius * S_;
        for (double x : bars(report::kDirY).shown)
            d_.add(Circle{Layer::Bars, {x, y + radius}, radius});
    }

    // Pile heads as seen from the front, one for each pile line in X: the
    // embedded head inside the cap and a length of pile under it.
    double drawPilesInSection() {
        if (!positive(pile_)) return bottom_;
        const double half = pile_ / 2;
        const double head = bottom_ + report::kPileEmbedmentMm;
        const double foot = bottom_ - kPileStub * pile_;
        std::set<long long> seen;
        for (const PilePoint& p : piles()) {
            if (!seen.insert(cInt(p.x)).second) continue;
            d_.add(Polyline{Layer::Piles,
                            {{p.x - half, foot}, {p.x - half, head}, {p.x + half, head}, {p.x + half, foot}},
                            false});
        }
        return foot;
    }

    // D2 (where the top slopes), D1, h2 (where the top is below ground
    // level) and h1, each a chain of its own right of the section.
    void drawHeightDimensions(double colRight) {
        double x = Lx() + kChainGap * S_;
        for (const report::HeightChain& chain : dims_.heights) {
            const double top = bottom_ + chain.value;
            const double from =
                chain.mark == HeightMark::ColumnFace || chain.mark == HeightMark::StubTop ? colRight : Lx();
            extensionAcross(from, top, x);
            extensionAcross(Lx(), bottom_, x);
            verticalChain(x, {{bottom_, top, chain.value}});
            x += kChainPitch * S_;
        }
    }

    // ---- X dimensions between section and plan ----

    double drawXDimensions(double top) {
        const double first = top - kChainPitch * S_;
        const double second = first - kChainPitch * S_;
        const double colLeft = Lx1(), colRight = Lx1() + ax();
        for (double x : {0.0, colLeft, colRight, Lx()})
            extensionDown(x, top, x == 0.0 || x == Lx() ? second : first);
        horizontalChain(first, {{0, colLeft, dims_.xParts[0]},
                                {colLeft, colRight, dims_.xParts[1]},
                                {colRight, Lx(), dims_.xParts[2]}});
        horizontalChain(second, {{0, Lx(), Lx()}});
        return second;
    }

    // ---- plan ----

    // The plan seen from above, its lower edge at the bottom; returns its bottom.
    double drawPlan(double top) {
        planBottom_ = top - Ly();
        rectangle(Layer::Outline, 0, planBottom_, Lx(), Ly());
        rectangle(Layer::Column, Lx1(), planBottom_ + Ly1(), ax(), ay());
        drawPlanBars();
        if (pileCap() && positive(pile_))
            for (const PilePoint& p : piles())
                d_.add(Circle{Layer::Piles, {p.x, planBottom_ + p.y}, pile_ / 2});

        const double x = Lx() + kChainGap * S_;
        const double colBottom = planBottom_ + Ly1(), colTop = colBottom + ay();
        // The column's lines start at the outline: across the plan they
        // would run through the bars.
        for (double y : {top, colTop, colBottom, planBottom_})
            extensionAcross(Lx(), y, y == top || y == planBottom_ ? x + kChainPitch * S_ : x);
        verticalChain(x, {{planBottom_, colBottom, dims_.yParts[2]},
                          {colBottom, colTop, dims_.yParts[1]},
                          {colTop, top, dims_.yParts[0]}});
        verticalChain(x + kChainPitch * S_, {{planBottom_, top, Ly()}});
        return planBottom_;
    }

    // X bars run along X and are spread over Ly; Y bars the other way. Their
    // ends keep the cover from the footing's sides.
    void drawPlanBars() {
        const double c = cover_;
        if (Lx() > 2 * c)
            for (double y : bars(report::kDirX).shown)
                line(Layer::Bars, {c, planBottom_ + y}, {Lx() - c, planBottom_ + y});
        if (Ly() > 2 * c)
            for (double x : bars(report::kDirY).shown)
                line(Layer::Bars, {x, planBottom_ + c}, {x, planBottom_ + Ly() - c});
    }

    // ---- bars and table ----

    QString barText(report::Direction dir) const { return report::rebarDecisionText(r_, type_, dir).text; }

    // The bars of both directions as the report writes them, and where the
    // plan cannot show every bar apart, their size and number.
    double drawCallouts(double top) {
        double y = top - kTextHeight * S_;
        text(Layer::Text, {0, y}, kTextHeight, barText(report::kDirX));
        y -= kRowHeight * S_;
        text(Layer::Text, {0, y}, kTextHeight, barText(report::kDirY));
        QStringList notes;
        for (report::Direction dir : {report::kDirX, report::kDirY}) {
            const report::BarLayout layout = bars(dir);
            if (layout.thinned())
                notes << (dir == report::kDirX ? QStringLiteral("X方向 ") : QStringLiteral("Y方向 ")) +
                             report::barCountNote(
                                 trimBlanks(dir == report::kDirX ? r_.barSizeX : r_.barSizeY), layout.total);
        }
        if (!notes.isEmpty()) {
            y -= kRowHeight * S_;
            text(Layer::Text, {0, y}, kTextHeight, notes.join(QStringLiteral("　")));
        }
        return y;
    }

    void drawTable(double top) {
        const int units = report::unitSystemOf(r_);
        const auto grade = [](const QString& g, const QString& s) {
            return trimBlanks(g) + u' ' + trimBlanks(s);
        };
        QList<std::pair<QString, QString>> rows{
            {QStringLiteral("Fc"), formatGeneral(r_.data1[field::Fc]) + u' ' + plainUnit(6, units)},
            {QStringLiteral("X方向"),
             barText(report::kDirX).mid(4) + QStringLiteral("  ") + grade(r_.barGradeX, r_.barSizeX)},
            {QStringLiteral("Y方向"),
             barText(report::kDirY).mid(4) + QStringLiteral("  ") + grade(r_.barGradeY, r_.barSizeY)},
        };
        if (pileCap()) {
            const PileArrangementRule* rule =
                pileArrangementRule(static_cast<int>(cInt(r_.data1[field::pileLayout])));
            const QString caption = rule ? rule->caption.trimmed() + QStringLiteral("本") : QString();
            rows.append({QStringLiteral("杭"), caption + QStringLiteral("  φ") + formatGeneral(pile_)});
            rows.append(
                {QStringLiteral("Pe"), QStringLiteral("長期 ") +
                                           formatPattern(d2(r_, row::allowBearing, report::kLongX), "###0") +
                                           QStringLiteral("  短期 ") +
                                           formatPattern(d2(r_, row::allowBearing, report::kShortX), "###0") +
                                           u' ' + plainUnit(1, units)});
        }
        const bool ng = r_.data1[field::ngFlag] == -1;
        rows.append({QStringLiteral("判定"), ng ? QStringLiteral("NG") : QStringLiteral("OK")});

        double valueWidth = 0;
        for (const auto& row : rows)
            valueWidth = std::max(valueWidth, textWidth(row.second, kTextHeight * S_));
        const double split = kLabelColumn * S_;
        const double right = split + valueWidth + 2 * kCellPadding * S_;
        const double bottom = top - rows.size() * kRowHeight * S_;
        rectangle(Layer::Frame, 0, bottom, right, top - bottom);
        line(Layer::Frame, {split, top}, {split, bottom});
        double y = top;
        for (const auto& row : rows) {
            if (y < top) line(Layer::Frame, {0, y}, {right, y});
            const double baseline = y - (kRowHeight + kTextHeight) / 2 * S_;
            text(Layer::Text, {kCellPadding * S_, baseline}, kTextHeight, row.first);
            text(Layer::Text, {split + kCellPadding * S_, baseline}, kTextHeight, row.second);
            y -= kRowHeight * S_;
        }
    }

    // ---- record data ----

    // As the report's figure draws them: legible at the plot scale, and bounded.
    report::BarLayout bars(report::Direction dir) const { return report::barPositions(r_, dir, 1.0 / S_); }

    std::vector<PilePoint> piles() const {
        return pilePositions(static_cast<int>(cInt(r_.data1[field::pileLayout])), d2(r_, row::P, row::xValue),
                             d2(r_, row::P, row::yValue), d2(r_, row::P, row::secondX),
                             d2(r_, row::P, row::secondY), r_.data1[field::auxSpacing]);
    }

    // ---- dimensions ----

    struct Segment {
        double from, to;
        double value;
    };

    // An extension line from an object's point across to a vertical chain at `toX`.
    void extensionAcross(double fromX, double y, double toX) {
        if (toX - fromX > kExtensionGap * S_)
            line(Layer::Dimensions, {fromX + kExtensionGap * S_, y}, {toX + kOvershoot * S_, y});
    }
    // The same down to a horizontal chain at `toY`.
    void extensionDown(double x, double fromY, double toY) {
        line(Layer::Dimensions, {x, fromY - kExtensionGap * S_}, {x, toY - kOvershoot * S_});
    }

    void tick(double x, double y) {
        line(Layer::Dimensions, {x - kTick * S_, y - kTick * S_}, {x + kTick * S_, y + kTick * S_});
    }

    // A dimension line with slanted end marks and each length's number
    // centred above its part; a part of no length gets no number, and a
    // number wider than its part is pushed right of the one before it.
    void horizontalChain(double y, const std::vector<Segment>& parts) {
        line(Layer::Dimensions, {parts.front().from, y}, {parts.back().to, y});
        double free = -1e300;
        for (const Segment& part : parts) {
            tick(part.from, y);
            tick(part.to, y);
            if (!(part.to - part.from > 0) || !positive(part.value)) continue;
            const QString number = formatGeneral(part.value);
            const double w = textWidth(number, kNumberHeight * S_);
            const double centre = std::max((part.from + part.to) / 2, free + w / 2);
            text(Layer::Dimensions, {centre, y + kNumberGap * S_}, kNumberHeight, number, TextAlign::Centre);
            free = centre + w / 2 + kNumberGap * S_;
        }
    }

    // The same upright, parts from the bottom up; numbers read from the
    // right, left of the line.
    void verticalChain(double x, const std::vector<Segment>& parts) {
        line(Layer::Dimensions, {x, parts.front().from}, {x, parts.back().to});
        double free = -1e300;
        for (const Segment& part : parts) {
            tick(x, part.from);
            tick(x, part.to);
            if (!(part.to - part.from > 0) || !positive(part.value)) continue;
            const QString number = formatGeneral(part.value);
            const double w = textWidth(number, kNumberHeight * S_);
            const double centre = std::max((part.from + part.to) / 2, free + w / 2);
            text(Layer::Dimensions, {x - kNumberGap * S_, centre}, kNumberHeight, number, TextAlign::Centre,
                 90);
            free = centre + w / 2 + kNumberGap * S_;
        }
    }

    const FoundationRecord& r_;
    FoundationType type_;
    FigureDimensions dims_;
    double S_;
    double D1_, D2_, h1_, h2_, cover_, pile_;
    double bottom_ = 0;     // footing bottom in the section
    double planBottom_ = 0; // lower edge of the plan
    Drawing d_;
};

void append(Drawing& sheet, const Drawing& cell, Point offset) {
    const auto at = [&](Point p) { return Point{p.x + offset.x, p.y + offset.y}; };
    for (Polyline p : cell.polylines) {
        for (Point& q : p.points)
            q = at(q);
        sheet.add(std::move(p));
    }
    for (Circle c : cell.circles) {
        c.centre = at(c.centre);
        sheet.add(c);
    }
    for (Line l : cell.lines) {
        l.from = at(l.from);
        l.to = at(l.to);
        sheet.add(l);
    }
    for (Text t : cell.texts) {
        t.at = at(t.at);
        const double width = textWidth(t.text, t.height);
        sheet.add(std::move(t), width);
    }
}

QList<int> takenRecords(const report::ReportJob& job, const ScheduleOptions& options, Schedule& schedule) {
    QList<int> taken;
    const int last = options.lastRecord > 0 ? options.lastRecord : static_cast<int>(job.records.size());
    for (int i = 1; i < job.pageTable.size(); ++i) {
        const int n = job.pageTable[i];
        if (n < options.firstRecord || n > last || n > job.records.size()) continue;
        const FoundationRecord& r = job.records[n - 1];
        if (typeOf(r) != kTypeUnknown && hasCompleteResults(r))
            taken.append(n);
        else
            schedule.leftOut.append({n, trimBlanks(r.name), QStringLiteral("未計算")});
    }
    return taken;
}

} // namespace

QString leftOutLine(const LeftOut& leftOut) {
    return QStringLiteral("データ%1 %2: %3").arg(leftOut.record).arg(leftOut.name, leftOut.reason);
}

Drawing drawFoundationCell(const FoundationRecord& record, double plotScale) {
    return Cell(record, plotScale).draw();
}

Schedule buildSchedule(const report::ReportJob& job, const ScheduleOptions& options) {
    Schedule schedule;
    schedule.records = takenRecords(job, options, schedule);
    const double S = options.plotScale;
    std::vector<Drawing> cells;
    cells.reserve(static_cast<size_t>(schedule.records.size()));
    double width = 0, height = 0;
    for (int n : schedule.records) {
        cells.push_back(drawFoundationCell(job.records[n - 1], S));
        width = std::max(width, cells.back().max.x - cells.back().min.x);
        height = std::max(height, cells.back().max.y - cells.back().min.y);
    }
    if (cells.empty()) return schedule;

    // Every cell gets the size of the largest, so that rows and columns line up.
    const double margin = kCellMargin * S;
    const double cellWidth = width + 2 * margin, cellHeight = height + 2 * margin;
    Drawing& sheet = schedule.drawing;
    const QString heading =
        QStringLiteral("基礎リスト　") + job.jobName() + QStringLiteral("　S=1/") + formatGeneral(S);
    const double headingHeight = kTitleHeight * 1.5 * S;
    sheet.add(Text{Layer::Text, {0, kBlockGap * S}, headingHeight, heading, TextAlign::Left, 0},
              textWidth(heading, headingHeight));
    const int perRow = std::max(1, options.cellsPerRow);
    for (size_t i = 0; i < cells.size(); ++i) {
        const double left = static_cast<double>(i % static_cast<size_t>(perRow)) * cellWidth;
        const double top = -static_cast<double>(i / static_cast<size_t>(perRow)) * cellHeight;
        sheet.add(Polyline{Layer::Frame,
                           {{left, top - cellHeight},
                            {left + cellWidth, top - cellHeight},
                            {left + cellWidth, top},
                            {left, top}},
                           true});
        // The cell's content is placed by its own extent: a footing whose
        // section text reaches left of its outline still keeps the margin.
        append(sheet, cells[i], {left + margin - cells[i].min.x, top - margin - cells[i].max.y});
    }
    return schedule;
}

} // namespace k5::dxfexport
