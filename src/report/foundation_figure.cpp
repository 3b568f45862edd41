#include "report/foundation_figure.h"

#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "report/case_values.h"
#include "report/figure_rules.h"
#include "report/materials_panel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <set>

namespace k5::report {
namespace {

constexpr double kBarRadius = 0.4;         // a bar cut by the section, on paper
constexpr double kTick = 0.6;              // half the length of a dimension's end mark
constexpr double kChainPitch = 5;          // the least room for one dimension chain at the side
constexpr double kChainGap = 1.5;          // from an outline to its first chain
constexpr double kNumberGap = 0.4;         // from an end mark to its number, and between numbers
constexpr double kCentreLineOvershoot = 1; // centre lines reach past the outlines
constexpr double kDimensionFontRatio = 0.65;
// Dimension numbers smaller than this are not legible on a print.
constexpr double kLeastDimensionPoints = 5;
// Between a label and any line near it.
constexpr double kClear = 0.3;

// Length of pile shown under a cap, in pile diameters.
constexpr double kPileStub = 2.0 / 3.0;
// The plan starts this far below the section, or below the piles shown
// under a cap, unless the dimension numbers between them need more.
constexpr double kIsolatedPlanGap = 15;
constexpr double kPileCapPlanGap = 10;

float d2(const FoundationRecord& r, int row, int column) {
    return r.data2[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

bool positive(double v) {
    return std::isfinite(v) && v > 0;
}

// One length of a dimension chain: its ends on paper and the length it stands for.
struct Segment {
    double from, to;
    double value;
};

// The lengths of the record, mm.
struct Geometry {
    double Lx, Ly, ax, ay, Lx1, Ly1, Lx2, Ly2;
    double D1, D2, cover, h1, h2, pile;

    explicit Geometry(const FoundationRecord& r)
        : Lx(d2(r, row::L, row::xValue)), Ly(d2(r, row::L, row::yValue)), ax(d2(r, row::a, row::xValue)),
          ay(d2(r, row::a, row::yValue)), Lx1(d2(r, row::L1, row::xValue)), Ly1(d2(r, row::L1, row::yValue)),
          Lx2(d2(r, row::L1, row::secondX)), Ly2(d2(r, row::L1, row::secondY)), D1(r.data1[field::D1]),
          D2(r.data1[field::D2]), cover(r.data1[field::cover]), h1(r.data1[field::h1]),
          h2(r.data1[field::h2]), pile(r.data1[field::pfai]) {}
};

// Room kept above the foot of the sheet for the page number.
constexpr double kFootRoom = 10;

// The dimension chains right of the section: D1 and h1, D2 on a sloped
// top, h2 when the foundation top is not at ground level. The plan has two.
int chainsRightOfFigure(const FoundationRecord& r) {
    const int section = 2 + (cInt(r.data1[field::D1]) != cInt(r.data1[field::D2]) ? 1 : 0) +
                        (cInt(r.data1[field::h1]) != cInt(r.data1[field::h2]) ? 1 : 0);
    return std::max(section, 2);
}

// The room the figure takes besides its lengths: the band of X dimensions
// between section and plan, the chains at its right and the note under it.
struct Margins {
    double band = 0;
    double chainPitch = kChainPitch;
    double widestNumber = 0;
    double note = 0;
};

// The report's common scale is set by the longest footing in X. A footing
// far longer in Y than that, or one with more chains at its side, would run
// past the foot of the sheet or its right margin; that one figure is drawn
// smaller, at the largest scale that fits it in both directions.
double fittedScale(const SidePanelRequest& request, double left, double top, const Margins& m) {
    const FoundationRecord& r = request.record;
    const bool pileCap = request.type == kTypePileCap;
    const double pile = pileCap && positive(r.data1[field::pfai]) ? kPileStub * r.data1[field::pfai] : 0;
    const double heightMm = r.data1[field::h1] + pile + d2(r, row::L, row::yValue);
    const double height =
        request.setup.geometry.frameBottom - kFootRoom - top - m.band - kCentreLineOvershoot - m.note;
    const double chains =
        kChainGap + (chainsRightOfFigure(r) - 1) * m.chainPitch + kNumberGap + m.widestNumber;
    const double width = request.setup.geometry.textRight - left - chains;
    double scale = request.figureScale;
    if (positive(heightMm) && positive(height)) scale = std::min(scale, height / heightMm);
    const double widthMm = d2(r, row::L, row::xValue);
    if (positive(widthMm) && positive(width)) scale = std::min(scale, width / widthMm);
    return scale;
}

// A label's box on paper.
struct Box {
    double left, top, right, bottom;
};

// True when the segment from (x1, y1) to (x2, y2) passes through the box.
bool crosses(const Box& b, double x1, double y1, double x2, double y2) {
    // Clipped to the box one coordinate after the other (Liang–Barsky).
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x1 - b.left, b.right - x1, y1 - b.top, b.bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

class Figure {
  public:
    Figure(const SidePanelRequest& request, double left, double top)
        : s_(request.surface), r_(request.record), pileCap_(request.type == kTypePileCap), g_(request.record),
          x0_(left), y0_(top), thick_(request.setup.isPreview() ? 2 : 4),
          thin_(request.setup.isPreview() ? 1 : 2), leftGap_(sidePanelGap(request.setup)),
          body_(request.setup.sizes.body > 0 ? request.setup.sizes.body : request.surface.fontSize()),
          textRight_(request.setup.geometry.textRight) {
        dimSize_ = dimensionFontSize(s_, body_);
        numberHeight_ = s_.textHeight(QStringLiteral("0"));
        margins_.widestNumber = widestSideNumber();
        // A chain at the side holds its end marks and its numbers clear of the next chain.
        margins_.chainPitch = std::max(kChainPitch, kNumberGap + margins_.widestNumber + kTick + kClear);
        // Under the section: the centre line's overshoot, the numbers of the
        // first chain above it, then the second chain with its numbers, then the plan.
        firstChain_ = kCentreLineOvershoot + kClear + numberHeight_ + kNumberGap + kTick;
        secondChain_ = firstChain_ + 2 * kTick + kNumberGap + numberHeight_ + kClear;
        margins_.band = std::max(pileCap_ ? kPileCapPlanGap : kIsolatedPlanGap,
                                 secondChain_ + kTick + kCentreLineOvershoot + kClear);
        // The note of thinned bars: one line where both directions fit on it.
        const QString bothNotes = QStringLiteral("X方向 ") + barCountNote(trimBlanks(r_.barSizeX), 99999) +
                                  QStringLiteral("　Y方向 ") + barCountNote(trimBlanks(r_.barSizeY), 99999);
        noteLines_ = s_.textWidth(bothNotes) <= textRight_ - x0_ ? 1 : 2;
        margins_.note = noteLines_ * (numberHeight_ + kNumberGap);
        scale_ = fittedScale(request, left, top, margins_);
        barsX_ = bars(kDirX);
        barsY_ = bars(kDirY);
        bottom_ = sy(g_.h1);
        const double stub = pileCap_ && positive(g_.pile) ? kPileStub * g_.pile * scale_ : 0;
        bandTop_ = bottom_ + stub;
        planTop_ = bandTop_ + margins_.band;
        lowest_ = planTop_;
    }

    void draw() {
        s_.setTextColor(Qt::black);
        s_.setFillStyle(FillStyle::Transparent);
        drawSection();
        drawXDimensions();
        drawPlan();
        drawGroundLevelLabel();
        s_.setPenStyle(PenStyle::Solid);
        s_.setPenWidth(1);
        s_.setFillStyle(FillStyle::Transparent);
        s_.setFontSize(body_);
    }

  private:
    // Paper X of a length from the footing's left edge.
    double sx(double mm) const { return x0_ + mm * scale_; }
    // Paper Y in the section of a depth below the top of the column stub.
    double sy(double mm) const { return y0_ + mm * scale_; }
    // Paper Y in the plan of a length from the footing's lower edge: the plan
    // is seen from above, its lower edge at the bottom.
    double py(double mm) const { return planTop_ + (g_.Ly - mm) * scale_; }
    double right() const { return sx(g_.Lx); }

    void pen(int width, PenStyle style = PenStyle::Solid) {
        s_.setPenWidth(width);
        s_.setPenStyle(style);
    }

    // Every line of the figure is kept, so that a label can be put where none passes.
    void stroke(double x1, double y1, double x2, double y2) {
        s_.line(x1, y1, x2, y2);
        lines_.push_back({x1, y1, x2, y2});
    }

    // ---- section ----

    void drawSection() {
        const double colLeft = sx(g_.Lx1), colRight = sx(g_.Lx1 + g_.ax);
        const double topAtColumn = bottom_ - g_.D1 * scale_;
        const double topAtEdge = bottom_ - g_.D2 * scale_;

        pen(thick_);
        // The footing: level, or sloping down from the column faces to its edges.
        stroke(x0_, bottom_, right(), bottom_);
        stroke(x0_, bottom_, x0_, topAtEdge);
        stroke(right(), bottom_, right(), topAtEdge);
        stroke(x0_, topAtEdge, colLeft, topAtColumn);
        stroke(colRight, topAtColumn, right(), topAtEdge);
        // The column stub from the top of the foundation down to the footing.
        if (topAtColumn > y0_) {
            stroke(colLeft, y0_, colRight, y0_);
            stroke(colLeft, y0_, colLeft, topAtColumn);
            stroke(colRight, y0_, colRight, topAtColumn);
        }

        pen(1, PenStyle::DashDot);
        const double axis = (colLeft + colRight) / 2;
        stroke(axis, y0_ - kCentreLineOvershoot, axis, bottom_ + kCentreLineOvershoot);

        groundLevelY_ = bottom_ - g_.h2 * scale_;
        pen(thin_);
        stroke(x0_, groundLevelY_, right(), groundLevelY_);
        drawSectionBars();
        if (pileCap_) {
            drawPunchingCone(colLeft, colRight, topAtColumn);
            drawPilesInSection();
        }
        drawDepthDimensions(colRight, topAtColumn);
    }

    // "GL" beside its line wherever nothing crosses it: above the line left
    // or right of the column, under it, or outside the footing. The row of
    // the panel above the figure is no place for it.
    void drawGroundLevelLabel() {
        s_.setFontSize(dimSize_);
        const QString label = QStringLiteral("GL");
        const double w = s_.textWidth(label), h = s_.textHeight(label);
        const double y = groundLevelY_;
        const double colRight = sx(g_.Lx1 + g_.ax);
        const double above = y - h - kClear, below = y + kClear;
        const std::pair<double, double> candidates[] = {
            {x0_ + kClear, above},         {colRight + kClear, above}, {right() - w - kClear, above},
            {x0_ + kClear, below},         {colRight + kClear, below}, {right() - w - kClear, below},
            {x0_ - w - kClear, y - h / 2}, {x0_ - w - kClear, above},  {x0_ - w - kClear, below},
        };
        std::vector<std::pair<double, double>> places(std::begin(candidates), std::end(candidates));
        // Between the chains at the section's side, on the line's extension.
        for (double x : sideChains_) {
            places.push_back({x + kNumberGap, above});
            places.push_back({x + kNumberGap, below});
            places.push_back({x + kNumberGap, y - h / 2});
        }
        if (!sideChains_.empty())
            for (double top : {y - h / 2, below})
                places.push_back({sideChains_.back() + kNumberGap + margins_.widestNumber + kClear, top});
        for (const auto& [x, top] : places) {
            const Box box{x - kClear / 2, top - kClear / 2, x + w + kClear / 2, top + h + kClear / 2};
            if (isFree(box)) {
                writeLabel(x, top, label);
                return;
            }
        }
        // Nowhere free: left of the footing, clear of it, whatever stands there.
        writeLabel(std::max(x0_ - w - kClear, sidePanelLeftEdge()), y - h / 2, label);
    }

    void writeLabel(double x, double top, const QString& text) {
        s_.setPosition(x, top);
        s_.writeText(text);
        labels_.push_back({x, top, x + s_.textWidth(text), top + s_.textHeight(text)});
    }

    // The left edge of the room the figure has beside the value table.
    double sidePanelLeftEdge() const { return x0_ - leftGap_; }

    // A box no drawn line passes through, inside the figure's room and below the panel.
    bool isFree(const Box& box) const {
        if (box.top < y0_ || box.left < sidePanelLeftEdge() + kClear || box.right > textRight_) return false;
        for (const Box& l : labels_)
            if (box.left < l.right && l.left < box.right && box.top < l.bottom && l.top < box.bottom)
                return false;
        return std::none_of(lines_.begin(), lines_.end(), [&](const std::array<double, 4>& l) {
            return crosses(box, l[0], l[1], l[2], l[3]);
        });
    }

    // The Y bars cut by the section lie on the X bars, at the cover above the bottom.
    void drawSectionBars() {
        const double y = bottom_ - g_.cover * scale_;
        pen(thin_);
        if (g_.Lx > 2 * g_.cover) stroke(sx(g_.cover), y + kBarRadius, sx(g_.Lx - g_.cover), y + kBarRadius);
        lines_.push_back({x0_, y - kBarRadius, right(), y - kBarRadius}); // the tops of the cut bars
        s_.setFillStyle(FillStyle::Solid);
        s_.setFillColor(Qt::black);
        for (double x : barsY_.shown)
            s_.circle(sx(x), y, kBarRadius);
        s_.setFillStyle(FillStyle::Transparent);
    }

    // The lines at 45° from the column faces: a pile whose head lies inside
    // them passes its load to the column within the cap, one outside them
    // is checked for punching through the cap.
    void drawPunchingCone(double colLeft, double colRight, double topAtColumn) {
        pen(1, PenStyle::Dot);
        const double depth = bottom_ - topAtColumn;
        const double leftReach = std::min(depth, colLeft - x0_);
        const double rightReach = std::min(depth, right() - colRight);
        stroke(colLeft, topAtColumn, colLeft - leftReach, topAtColumn + leftReach);
        stroke(colRight, topAtColumn, colRight + rightReach, topAtColumn + rightReach);
    }

    // The heads of the piles as seen from the front: one for each pile line in X.
    void drawPilesInSection() {
        if (!positive(g_.pile)) return;
        const double half = g_.pile * scale_ / 2;
        const double head = bottom_ - kPileEmbedmentMm * scale_;
        const double foot = bottom_ + kPileStub * g_.pile * scale_;
        std::set<long long> seen;
        for (const PilePoint& p : piles()) {
            if (!seen.insert(cInt(p.x)).second) continue;
            const double x = sx(p.x);
            pen(thin_, PenStyle::Dot); // the embedded head, hidden in the cap
            stroke(x - half, head, x + half, head);
            stroke(x - half, head, x - half, bottom_);
            stroke(x + half, head, x + half, bottom_);
            pen(thick_);
            stroke(x - half, bottom_, x - half, foot);
            stroke(x + half, bottom_, x + half, foot);
        }
    }

    // D1, D2 (when the top slopes), h2 (when the foundation top is not at
    // ground level) and h1, each in its own chain right of the section.
    void drawDepthDimensions(double colRight, double topAtColumn) {
        double x = right() + kChainGap;
        const double groundLevel = bottom_ - g_.h2 * scale_;
        const bool sloped = cInt(g_.D1) != cInt(g_.D2);
        const bool belowGround = cInt(g_.h1) != cInt(g_.h2);
        if (sloped) {
            sideChains_.push_back(x);
            verticalChain(x, {{bottom_ - g_.D2 * scale_, bottom_, g_.D2}});
            x += margins_.chainPitch;
        }
        extension(colRight, topAtColumn, x);
        sideChains_.push_back(x);
        verticalChain(x, {{topAtColumn, bottom_, g_.D1}});
        x += margins_.chainPitch;
        if (belowGround) {
            extension(right(), groundLevel, x);
            sideChains_.push_back(x);
            verticalChain(x, {{groundLevel, bottom_, g_.h2}});
            x += margins_.chainPitch;
        }
        extension(sx(g_.Lx1 + g_.ax), y0_, x);
        sideChains_.push_back(x);
        verticalChain(x, {{y0_, bottom_, g_.h1}});
    }

    // ---- X dimensions between section and plan ----

    // Column position, column and far outstand, then the whole length: they
    // serve the section above and the plan below, which share their X.
    void drawXDimensions() {
        const double colLeft = sx(g_.Lx1), colRight = sx(g_.Lx1 + g_.ax);
        horizontalChain(bandTop_ + firstChain_,
                        {{x0_, colLeft, g_.Lx1}, {colLeft, colRight, g_.ax}, {colRight, right(), g_.Lx2}});
        horizontalChain(bandTop_ + secondChain_, {{x0_, right(), g_.Lx}});
    }

    // ---- plan ----

    void drawPlan() {
        const double planBottom = py(0);
        const double colLeft = sx(g_.Lx1), colRight = sx(g_.Lx1 + g_.ax);
        const double colBottom = py(g_.Ly1), colTop = py(g_.Ly1 + g_.ay);

        drawPlanBars();
        pen(thick_);
        s_.box(x0_, planTop_, right(), planBottom);
        // The column stands on the bars: seen from above it hides them.
        s_.setFillStyle(FillStyle::Solid);
        s_.setFillColor(Qt::white);
        s_.box(colLeft, colTop, colRight, colBottom);
        s_.setFillStyle(FillStyle::Transparent);

        pen(1, PenStyle::DashDot);
        const double cx = (colLeft + colRight) / 2, cy = (colTop + colBottom) / 2;
        stroke(cx, planTop_ - kCentreLineOvershoot, cx, planBottom + kCentreLineOvershoot);
        stroke(x0_ - kCentreLineOvershoot, cy, right() + kCentreLineOvershoot, cy);

        if (pileCap_) drawPilesInPlan();

        const double x = right() + kChainGap;
        verticalChain(
            x, {{planTop_, colTop, g_.Ly2}, {colTop, colBottom, g_.ay}, {colBottom, planBottom, g_.Ly1}});
        verticalChain(x + margins_.chainPitch, {{planTop_, planBottom, g_.Ly}});
        drawBarCountNote(std::max(planBottom + kCentreLineOvershoot, lowest_) + kNumberGap);
    }

    // Where the bars are not all drawn, their size and number under the plan.
    void drawBarCountNote(double y) {
        QStringList notes;
        if (barsX_.thinned())
            notes << QStringLiteral("X方向 ") + barCountNote(trimBlanks(r_.barSizeX), barsX_.total);
        if (barsY_.thinned())
            notes << QStringLiteral("Y方向 ") + barCountNote(trimBlanks(r_.barSizeY), barsY_.total);
        if (notes.isEmpty()) return;
        s_.setFontSize(dimSize_);
        const QString line = notes.join(QStringLiteral("　"));
        // One line where it fits beside the value table, one per direction otherwise.
        if (noteLines_ == 1) notes = QStringList{line};
        for (const QString& note : notes) {
            writeLabel(x0_, y, note);
            y += numberHeight_ + kNumberGap;
        }
    }

    // X bars run along X and are spread over Ly; Y bars the other way. Their
    // ends keep the cover from the footing's sides.
    void drawPlanBars() {
        pen(thin_);
        const double c = g_.cover;
        if (g_.Lx > 2 * c)
            for (double y : barsX_.shown)
                stroke(sx(c), py(y), sx(g_.Lx - c), py(y));
        if (g_.Ly > 2 * c)
            for (double x : barsY_.shown)
                stroke(sx(x), py(c), sx(x), py(g_.Ly - c));
    }

    void drawPilesInPlan() {
        if (!positive(g_.pile)) return;
        pen(thick_);
        for (const PilePoint& p : piles())
            s_.circle(sx(p.x), py(p.y), g_.pile * scale_ / 2);
    }

    // ---- record data ----

    // The bars drawn: all of them while they stay apart on paper, an even
    // selection of them (and a note of their number) where they would not.
    BarLayout bars(Direction dir) const { return barPositions(r_, dir, scale_); }

    std::vector<PilePoint> piles() const {
        return pilePositions(static_cast<int>(cInt(r_.data1[field::pileLayout])), d2(r_, row::P, row::xValue),
                             d2(r_, row::P, row::yValue), d2(r_, row::P, row::secondX),
                             d2(r_, row::P, row::secondY), r_.data1[field::auxSpacing]);
    }

    // ---- dimensions ----

    void extension(double fromX, double y, double toX) {
        pen(1);
        if (toX > fromX) stroke(fromX, y, toX, y);
    }

    // A dimension line with slanted end marks and each length's number above
    // it, clear of the marks and centred on its part; a part of no length
    // gets no number. Numbers too long for their parts are moved apart along
    // the chain, and one that no longer stands over its part is joined to it
    // by a short leader.
    void horizontalChain(double y, const std::vector<Segment>& parts) {
        pen(thin_);
        stroke(parts.front().from, y, parts.back().to, y);
        s_.setFontSize(dimSize_);
        const std::vector<QString> texts = numberTexts(parts);
        std::vector<ChainPart> along;
        for (size_t i = 0; i < parts.size(); ++i)
            along.push_back({parts[i].from, parts[i].to, texts[i].isEmpty() ? 0 : s_.textWidth(texts[i])});
        const std::vector<double> starts =
            chainNumberStarts(along, kNumberGap, sidePanelLeftEdge() + kClear, textRight_ - kClear);
        const double top = y - kTick - kNumberGap - numberHeight_;
        for (size_t i = 0; i < parts.size(); ++i) {
            tick(parts[i].from, y);
            tick(parts[i].to, y);
        }
        for (size_t i = 0; i < parts.size(); ++i) {
            if (texts[i].isEmpty()) continue;
            if (needsLeader(along[i], starts[i])) {
                const double mid = (parts[i].from + parts[i].to) / 2;
                const double end =
                    std::clamp(mid, starts[i] + kNumberGap, starts[i] + along[i].numberLength - kNumberGap);
                pen(1);
                stroke(mid, y, end, top + numberHeight_ + 0.1);
            }
            writeLabel(starts[i], top, texts[i]);
        }
    }

    // The same upright: parts from top to bottom, numbers right of the line
    // clear of its end marks, centred on their parts or moved along the chain
    // with a leader. Nothing below the chains is written over them.
    void verticalChain(double x, const std::vector<Segment>& parts) {
        pen(thin_);
        stroke(x, parts.front().from, x, parts.back().to);
        s_.setFontSize(dimSize_);
        const std::vector<QString> texts = numberTexts(parts);
        std::vector<ChainPart> along;
        for (size_t i = 0; i < parts.size(); ++i)
            along.push_back({parts[i].from, parts[i].to, texts[i].isEmpty() ? 0 : numberHeight_});
        const double highest = std::numeric_limits<double>::infinity();
        const std::vector<double> starts = chainNumberStarts(along, kNumberGap, y0_ + kClear, highest);
        const double left = x + kNumberGap;
        for (size_t i = 0; i < parts.size(); ++i) {
            tick(x, parts[i].from);
            tick(x, parts[i].to);
        }
        for (size_t i = 0; i < parts.size(); ++i) {
            if (texts[i].isEmpty()) continue;
            if (needsLeader(along[i], starts[i])) {
                const double mid = (parts[i].from + parts[i].to) / 2;
                const double end = std::clamp(mid, starts[i] + 0.2, starts[i] + numberHeight_ - 0.2);
                pen(1);
                stroke(x, mid, left - 0.1, end);
            }
            writeLabel(left, starts[i], texts[i]);
            lowest_ = std::max(lowest_, starts[i] + numberHeight_);
        }
    }

    // The widest number of the chains at the figure's side.
    double widestSideNumber() const {
        double widest = 0;
        for (double v : {g_.D1, g_.D2, g_.h1, g_.h2, g_.Ly, g_.Ly1, g_.Ly2, g_.ay})
            if (positive(v)) widest = std::max(widest, s_.textWidth(formatPositional(v)));
        return widest;
    }

    // The number of each part that has a length on paper and in the record.
    static std::vector<QString> numberTexts(const std::vector<Segment>& parts) {
        std::vector<QString> texts;
        for (const Segment& part : parts)
            texts.push_back(part.to - part.from > 0 && positive(part.value) ? formatPositional(part.value)
                                                                            : QString());
        return texts;
    }

    void tick(double x, double y) { stroke(x - kTick, y + kTick, x + kTick, y - kTick); }

    Surface& s_;
    const FoundationRecord& r_;
    bool pileCap_;
    Geometry g_;
    double scale_ = 0;
    double x0_, y0_;
    int thick_, thin_;
    double leftGap_; // between the value table and the footing's left edge
    double body_;
    double dimSize_ = 0;
    double numberHeight_ = 0;
    int noteLines_ = 1;
    Margins margins_;
    double firstChain_ = 0, secondChain_ = 0; // below the band's top
    double groundLevelY_ = 0;
    double lowest_ = 0; // the lowest text drawn beside the plan
    double textRight_;
    std::vector<std::array<double, 4>> lines_;
    std::vector<Box> labels_;
    std::vector<double> sideChains_; // the chains right of the section
    BarLayout barsX_, barsY_;
    double bottom_ = 0;  // footing bottom in the section
    double bandTop_ = 0; // top of the band of X dimensions
    double planTop_ = 0;
};

} // namespace

double dimensionFontSize(Surface& surface, double bodySize) {
    const double size = std::max(kLeastDimensionPoints, bodySize * kDimensionFontRatio);
    surface.setFontSize(size);
    return size;
}

void drawFoundationFigure(const SidePanelRequest& request, double left, double top) {
    const FoundationRecord& r = request.record;
    if (!positive(request.figureScale) || !positive(d2(r, row::L, row::xValue)) ||
        !positive(d2(r, row::L, row::yValue)))
        return;
    Figure(request, left, top).draw();
}

} // namespace k5::report
