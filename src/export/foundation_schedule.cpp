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
#include <limits>
#include <set>

namespace k5::dxfexport {
namespace {

using report::FigureDimensions;
using report::HeightMark;

// Sizes on paper, mm at the plot scale.
constexpr double kTitleHeight = 3.5;
constexpr double kTextHeight = 2.5;
constexpr double kNumberHeight = 2.5; // the least a plotted text may be
constexpr double kChainGap = 4;       // from an outline to its first dimension chain
constexpr double kChainPitch = 7;     // between dimension chains
constexpr double kTick = 0.8;         // half the length of a dimension's end mark
constexpr double kExtensionGap = 1;   // an extension line starts this far from the object
constexpr double kOvershoot = 1.5;    // and reaches past its dimension line
constexpr double kNumberGap = 0.8;    // from a dimension line to its number
constexpr double kBlockGap = 6;       // between title, section, plan, callouts and table
constexpr double kCellMargin = 5;     // inside a cell's frame
constexpr double kRowHeight = 5;      // of the table
constexpr double kCellPadding = 1.2;  // of a table cell's text
constexpr double kLabelColumn = 14;   // the table's first column
constexpr double kBarRadius = 0.4;    // a cut bar drawn where its size is unknown

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
    Cell(const CellContent& content, double scale)
        : r_(*content.record), content_(content), type_(typeOf(r_)), dims_(report::figureDimensions(r_)),
          S_(scale), D1_(r_.data1[field::D1]), D2_(r_.data1[field::D2]), h1_(r_.data1[field::h1]),
          h2_(r_.data1[field::h2]), cover_(r_.data1[field::cover]), pile_(r_.data1[field::pfai]) {}

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

    // The name, and a foundation whose check fails marked NG beside it.
    double drawTitle(double top) {
        const double baseline = top - kTitleHeight * S_;
        const QString name = trimBlanks(r_.name);
        text(Layer::Text, {0, baseline}, kTitleHeight, name);
        if (r_.data1[field::ngFlag] == -1)
            text(Layer::Ng, {textWidth(name, kTitleHeight * S_) + kTitleHeight * S_, baseline}, kTitleHeight,
                 QStringLiteral("NG"));
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
        return pileCap() ? drawPileChains(top) : planBottom_;
    }

    // The pile centres from the cap's edges: a chain under the plan in X and
    // one left of it in Y, through every line of piles. Returns the lowest point.
    double drawPileChains(double planTop) {
        std::set<long long> xs{0, cInt(Lx())}, ys{0, cInt(Ly())};
        for (const PilePoint& p : piles()) {
            xs.insert(cInt(p.x));
            ys.insert(cInt(p.y));
        }
        const double y = planBottom_ - kChainGap * S_;
        const double x = -kChainGap * S_;
        std::vector<Segment> across, up;
        for (auto it = xs.begin(); std::next(it) != xs.end(); ++it) {
            const double from = static_cast<double>(*it), to = static_cast<double>(*std::next(it));
            across.push_back({from, to, to - from});
            extensionDown(from, planBottom_, y);
        }
        extensionDown(Lx(), planBottom_, y);
        for (auto it = ys.begin(); std::next(it) != ys.end(); ++it) {
            const double from = static_cast<double>(*it), to = static_cast<double>(*std::next(it));
            up.push_back({planBottom_ + from, planBottom_ + to, to - from});
        }
        horizontalChain(y, across);
        verticalChain(x, up);
        (void)planTop;
        return y - kOvershoot * S_;
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

    // The record whose bars the cell shows in a direction: a design group's
    // member that needs the most.
    const FoundationRecord& barRecord(report::Direction dir) const {
        const FoundationRecord* r = content_.bars[static_cast<size_t>(dir)];
        return r ? *r : r_;
    }
    QString barText(report::Direction dir) const {
        return report::rebarDecisionText(barRecord(dir), type_, dir).text;
    }
    // "（データ2）": the member of a group whose bars the cell shows.
    QString memberText(report::Direction dir) const {
        const int member = content_.barMember[static_cast<size_t>(dir)];
        return member > 0 ? QStringLiteral("（データ%1）").arg(member) : QString();
    }

    // The bars of both directions as the report writes them, and where the
    // plan cannot show every bar apart, their size and number.
    double drawCallouts(double top) {
        double y = top - kTextHeight * S_;
        text(Layer::Text, {0, y}, kTextHeight, barText(report::kDirX) + memberText(report::kDirX));
        y -= kRowHeight * S_;
        text(Layer::Text, {0, y}, kTextHeight, barText(report::kDirY) + memberText(report::kDirY));
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
            rows.append({QStringLiteral("杭"), pileText(rule)});
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

    // 「3本(3角) φ800」: the count with its unit, the arrangement's own
    // name of its shape, and the diameter.
    QString pileText(const PileArrangementRule* rule) const {
        QString caption = rule ? rule->caption.trimmed() : QString();
        qsizetype digits = 0;
        while (digits < caption.size() && caption[digits].isDigit())
            ++digits;
        if (digits > 0) caption.insert(digits, u'本');
        return caption + QStringLiteral(" φ") + formatPattern(pile_, QStringLiteral("0"));
    }

    // ---- record data ----

    // As the report's figure draws them: legible at the plot scale, and bounded.
    // A group member's decided bars are laid in the footing drawn.
    report::BarLayout bars(report::Direction dir) const {
        FoundationRecord shown = r_;
        for (int row : {row::nBars, row::pitchUsed})
            for (int column : {static_cast<int>(dir), static_cast<int>(dir) + 2})
                shown.data2[static_cast<size_t>(row)][static_cast<size_t>(column)] =
                    d2(barRecord(dir), row, column);
        return report::barPositions(shown, dir, 1.0 / S_);
    }

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
    // centred above its part; a part of no length gets no number. Numbers
    // longer than their parts are moved apart along the chain as the
    // report's figure moves them, with a leader to a part they left.
    void horizontalChain(double y, const std::vector<Segment>& parts) {
        line(Layer::Dimensions, {parts.front().from, y}, {parts.back().to, y});
        const std::vector<QString> numbers = numberTexts(parts);
        const std::vector<double> starts = numberStarts(parts, numbers);
        for (size_t i = 0; i < parts.size(); ++i) {
            tick(parts[i].from, y);
            tick(parts[i].to, y);
            if (numbers[i].isEmpty()) continue;
            const double w = textWidth(numbers[i], kNumberHeight * S_);
            const double base = y + kNumberGap * S_;
            text(Layer::Dimensions, {starts[i] + w / 2, base}, kNumberHeight, numbers[i], TextAlign::Centre);
            if (report::needsLeader({parts[i].from, parts[i].to, w}, starts[i])) {
                const double mid = (parts[i].from + parts[i].to) / 2;
                line(Layer::Dimensions, {mid, y}, {std::clamp(mid, starts[i], starts[i] + w), base});
            }
        }
    }

    // The same upright, parts from the bottom up; numbers read from the
    // right, left of the line.
    void verticalChain(double x, const std::vector<Segment>& parts) {
        line(Layer::Dimensions, {x, parts.front().from}, {x, parts.back().to});
        const std::vector<QString> numbers = numberTexts(parts);
        const std::vector<double> starts = numberStarts(parts, numbers);
        for (size_t i = 0; i < parts.size(); ++i) {
            tick(x, parts[i].from);
            tick(x, parts[i].to);
            if (numbers[i].isEmpty()) continue;
            const double w = textWidth(numbers[i], kNumberHeight * S_);
            const double base = x - kNumberGap * S_;
            text(Layer::Dimensions, {base, starts[i] + w / 2}, kNumberHeight, numbers[i], TextAlign::Centre,
                 90);
            if (report::needsLeader({parts[i].from, parts[i].to, w}, starts[i])) {
                const double mid = (parts[i].from + parts[i].to) / 2;
                line(Layer::Dimensions, {x, mid}, {base, std::clamp(mid, starts[i], starts[i] + w)});
            }
        }
    }

    // Whole millimetres, for each part with a length.
    static std::vector<QString> numberTexts(const std::vector<Segment>& parts) {
        std::vector<QString> numbers;
        for (const Segment& part : parts)
            numbers.push_back(part.to - part.from > 0 && positive(part.value)
                                  ? formatPattern(part.value, QStringLiteral("0"))
                                  : QString());
        return numbers;
    }

    std::vector<double> numberStarts(const std::vector<Segment>& parts,
                                     const std::vector<QString>& numbers) const {
        std::vector<report::ChainPart> along;
        for (size_t i = 0; i < parts.size(); ++i)
            along.push_back({parts[i].from, parts[i].to,
                             numbers[i].isEmpty() ? 0 : textWidth(numbers[i], kNumberHeight * S_)});
        const double unbounded = std::numeric_limits<double>::infinity();
        return report::chainNumberStarts(along, kNumberGap * S_, -unbounded, unbounded);
    }

    const FoundationRecord& r_;
    CellContent content_;
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

// The cells of the schedule in the report's order: each page's foundation,
// with the members of its design group where the report goes by group.
struct TakenCell {
    int record = 0;
    QList<int> members;
};

QList<TakenCell> takenCells(const report::ReportJob& job, const ScheduleOptions& options,
                            Schedule& schedule) {
    QList<TakenCell> taken;
    const int count = static_cast<int>(job.records.size());
    const int last = options.lastRecord > 0 ? options.lastRecord : count;
    // By group when the report leaves members out: a group is then one page.
    const bool byGroup = job.pageTable.size() - 1 < job.records.size();
    for (int i = 1; i < job.pageTable.size(); ++i) {
        const int n = job.pageTable[i];
        if (n < 1 || n > count) continue;
        const FoundationRecord& r = job.records[n - 1];
        QList<int> members{n};
        if (byGroup && r.groupNo >= 1) {
            members.clear();
            for (int m = 1; m <= count; ++m)
                if (job.records[m - 1].groupNo == r.groupNo) members.append(m);
        }
        // A group is taken when any of its members is asked for.
        if (std::none_of(members.begin(), members.end(),
                         [&](int m) { return m >= options.firstRecord && m <= last; }))
            continue;
        if (typeOf(r) != kTypeUnknown && hasCompleteResults(r))
            taken.append({n, members});
        else
            schedule.leftOut.append({n, trimBlanks(r.name), QStringLiteral("未計算")});
    }
    return taken;
}

// A group's cell shows in each direction the bars of the member that needs
// the most of them (the governing record on a tie, then the earliest).
CellContent groupContent(const report::ReportJob& job, const TakenCell& cell) {
    CellContent content = singleFoundation(job.records[cell.record - 1]);
    if (cell.members.size() < 2) return content;
    for (int dir : {1, 2}) {
        const auto bars = [&](int m) { return cInt(d2(job.records[m - 1], row::nBars, dir)); };
        int best = cell.record;
        for (int m : cell.members) {
            const FoundationRecord& r = job.records[m - 1];
            if (m != best && typeOf(r) != kTypeUnknown && hasCompleteResults(r) && bars(m) > bars(best))
                best = m;
        }
        content.bars[static_cast<size_t>(dir)] = &job.records[best - 1];
        content.barMember[static_cast<size_t>(dir)] = best;
    }
    return content;
}

// Sheet layout on paper, mm.
constexpr double kBindingMargin = 20; // left of the frame
constexpr double kSheetMargin = 10;   // the other three sides
constexpr double kSheetGap = 20;      // between sheets in the model
constexpr double kTitleBlockWidth = 170;
constexpr double kTitleRow = 7;
constexpr double kTitleLabel = 30;
constexpr double kTitleText = 3.5;

class SheetLayout {
  public:
    SheetLayout(const report::ReportJob& job, const ScheduleOptions& options, Drawing& drawing)
        : job_(job), options_(options), d_(drawing), S_(options.plotScale), paper_(paperSize(options.sheet)) {
    }

    // Places a cell of the given extent (model mm) on the sheets, packed in
    // rows from the top left; returns where its frame's top left corner goes.
    Point place(double width, double height) {
        if (sheets_ == 0) newSheet();
        const double areaWidth = areaRight() - areaLeft();
        if (x_ + width > areaRight() && x_ > areaLeft()) newRow();
        if (y_ - height < areaBottom() && y_ < areaTop()) newSheet();
        const Point at{x_, y_};
        x_ += width;
        rowHeight_ = std::max(rowHeight_, height);
        // A cell larger than the sheet stands alone on its own.
        if (width > areaWidth || height > areaTop() - areaBottom()) newSheet();
        return at;
    }

    // The frame and title block of every sheet, once their number is known.
    int finish() {
        for (int k = 0; k < sheets_; ++k)
            drawSheet(k);
        return sheets_;
    }

  private:
    double sheetLeft(int k) const { return k * (paper_.width + kSheetGap) * S_; }
    double areaLeft() const { return sheetLeft(sheets_ - 1) + (kBindingMargin + kSheetMargin / 2) * S_; }
    double areaRight() const { return sheetLeft(sheets_ - 1) + (paper_.width - kSheetMargin * 1.5) * S_; }
    double areaTop() const { return (paper_.height - kSheetMargin * 1.5) * S_; }
    double areaBottom() const { return (kSheetMargin + 5 * kTitleRow + kSheetMargin / 2) * S_; }

    void newSheet() {
        ++sheets_;
        x_ = areaLeft();
        y_ = areaTop();
        rowHeight_ = 0;
    }
    void newRow() {
        x_ = areaLeft();
        y_ -= rowHeight_;
        rowHeight_ = 0;
    }

    void rectangle(double left, double bottom, double right, double top) {
        d_.add(Polyline{Layer::Sheet, {{left, bottom}, {right, bottom}, {right, top}, {left, top}}, true});
    }
    void text(Point at, const QString& t) {
        const double h = kTitleText * S_;
        d_.add(Text{Layer::Sheet, at, h, t, TextAlign::Left, 0}, textWidth(t, h));
    }

    void drawSheet(int k) {
        const double left = sheetLeft(k);
        rectangle(left, 0, left + paper_.width * S_, paper_.height * S_);
        const double frameLeft = left + kBindingMargin * S_,
                     frameRight = left + (paper_.width - kSheetMargin) * S_;
        const double frameBottom = kSheetMargin * S_, frameTop = (paper_.height - kSheetMargin) * S_;
        rectangle(frameLeft, frameBottom, frameRight, frameTop);
        // The title block in the lower right corner of the frame.
        const QString rows[][2] = {
            {QStringLiteral("工事名"), job_.jobName()},
            {QStringLiteral("図面名"), QStringLiteral("基礎リスト")},
            {QStringLiteral("縮尺"), QStringLiteral("1/%1 (%2)").arg(S_).arg(sheetName(options_.sheet))},
            {QStringLiteral("日付"), options_.date},
            {QStringLiteral("図面番号"), QStringLiteral("%1/%2").arg(k + 1).arg(sheets_)},
        };
        const double blockLeft = frameRight - kTitleBlockWidth * S_;
        const double blockTop = frameBottom + 5 * kTitleRow * S_;
        rectangle(blockLeft, frameBottom, frameRight, blockTop);
        d_.add(Line{Layer::Sheet,
                    {blockLeft + kTitleLabel * S_, frameBottom},
                    {blockLeft + kTitleLabel * S_, blockTop}});
        double y = blockTop;
        for (const auto& row : rows) {
            if (y < blockTop) d_.add(Line{Layer::Sheet, {blockLeft, y}, {frameRight, y}});
            const double baseline = y - (kTitleRow + kTitleText) / 2 * S_;
            text({blockLeft + 2 * S_, baseline}, row[0]);
            text({blockLeft + (kTitleLabel + 2) * S_, baseline}, row[1]);
            y -= kTitleRow * S_;
        }
    }

    const report::ReportJob& job_;
    const ScheduleOptions& options_;
    Drawing& d_;
    double S_;
    PaperSize paper_;
    int sheets_ = 0;
    double x_ = 0, y_ = 0, rowHeight_ = 0;
};

} // namespace

QString leftOutLine(const LeftOut& leftOut) {
    return QStringLiteral("データ%1 %2: %3").arg(leftOut.record).arg(leftOut.name, leftOut.reason);
}

PaperSize paperSize(SheetSize sheet) {
    switch (sheet) {
    case SheetSize::A1:
        return {841, 594};
    case SheetSize::A2:
        return {594, 420};
    case SheetSize::A3:
        return {420, 297};
    }
    return {841, 594};
}

QString sheetName(SheetSize sheet) {
    return sheet == SheetSize::A3   ? QStringLiteral("A3")
           : sheet == SheetSize::A2 ? QStringLiteral("A2")
                                    : QStringLiteral("A1");
}

CellContent singleFoundation(const FoundationRecord& record) {
    CellContent content;
    content.record = &record;
    return content;
}

Drawing drawFoundationCell(const CellContent& content, double plotScale) {
    return Cell(content, plotScale).draw();
}

Schedule buildSchedule(const report::ReportJob& job, const ScheduleOptions& options) {
    Schedule schedule;
    const QList<TakenCell> taken = takenCells(job, options, schedule);
    if (taken.isEmpty()) return schedule;
    const double S = options.plotScale;
    const double margin = kCellMargin * S;
    SheetLayout sheets(job, options, schedule.drawing);
    for (const TakenCell& t : taken) {
        schedule.records.append(t.record);
        const FoundationRecord& r = job.records[t.record - 1];
        if (r.data1[field::ngFlag] == -1)
            schedule.failing.append({t.record, trimBlanks(r.name), QStringLiteral("NG")});
        // Each cell as large as its own foundation needs.
        const Drawing cell = drawFoundationCell(groupContent(job, t), S);
        const double width = cell.max.x - cell.min.x + 2 * margin,
                     height = cell.max.y - cell.min.y + 2 * margin;
        const Point at = sheets.place(width, height);
        schedule.drawing.add(Polyline{
            Layer::Frame,
            {{at.x, at.y - height}, {at.x + width, at.y - height}, {at.x + width, at.y}, {at.x, at.y}},
            true});
        append(schedule.drawing, cell, {at.x + margin - cell.min.x, at.y - margin - cell.max.y});
    }
    schedule.sheets = sheets.finish();
    return schedule;
}

} // namespace k5::dxfexport
