#include "report/foundation_figure.h"

#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "report/case_values.h"
#include "report/figure_rules.h"
#include "report/materials_panel.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace k5::report {
namespace {

constexpr double kBarRadius = 0.4;         // a bar cut by the section, on paper
constexpr double kTick = 0.6;              // half the length of a dimension's end mark
constexpr double kChainPitch = 5;          // room for one dimension chain at the side
constexpr double kChainGap = 1.5;          // from an outline to its first chain
constexpr double kNumberGap = 0.4;         // from a dimension line to its number
constexpr double kCentreLineOvershoot = 1; // centre lines reach past the outlines
constexpr double kDimensionFontRatio = 0.65;
constexpr double kWidestNumber = 3.6; // a four-digit length within its 5 mm chain

// Under the section: the X dimensions, shared by section and plan. The plan
// starts this far below the section, or below the piles shown under a cap.
constexpr double kIsolatedPlanGap = 15;
constexpr double kPileCapPlanGap = 10;
// Length of pile shown under a cap, in pile diameters.
constexpr double kPileStub = 2.0 / 3.0;

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
// Under the plan: the line that gives the bars' size and number when not every bar is drawn.
constexpr double kNoteGap = 0.5;

// The dimension chains right of the section: D1 and h1, D2 on a sloped
// top, h2 when the foundation top is not at ground level. The plan has two.
int chainsRightOfFigure(const FoundationRecord& r) {
    const int section = 2 + (cInt(r.data1[field::D1]) != cInt(r.data1[field::D2]) ? 1 : 0) +
                        (cInt(r.data1[field::h1]) != cInt(r.data1[field::h2]) ? 1 : 0);
    return std::max(section, 2);
}

// The report's common scale is set by the longest footing in X. A footing
// far longer in Y than that, or one with more chains at its side, would run
// past the foot of the sheet or its right margin; that one figure is drawn
// smaller, at the largest scale that fits it in both directions.
double fittedScale(const SidePanelRequest& request, double left, double top, double noteHeight) {
    const FoundationRecord& r = request.record;
    const bool pileCap = request.type == kTypePileCap;
    const double pile = pileCap && positive(r.data1[field::pfai]) ? kPileStub * r.data1[field::pfai] : 0;
    const double heightMm = r.data1[field::h1] + pile + d2(r, row::L, row::yValue);
    const double height = request.setup.geometry.frameBottom - kFootRoom - top -
                          (pileCap ? kPileCapPlanGap : kIsolatedPlanGap) - kCentreLineOvershoot - noteHeight;
    const double chains = kChainGap + (chainsRightOfFigure(r) - 1) * kChainPitch + kNumberGap + kWidestNumber;
    const double width = request.setup.geometry.textRight - left - chains;
    double scale = request.figureScale;
    if (positive(heightMm) && positive(height)) scale = std::min(scale, height / heightMm);
    const double widthMm = d2(r, row::L, row::xValue);
    if (positive(widthMm) && positive(width)) scale = std::min(scale, width / widthMm);
    return scale;
}

class Figure {
  public:
    Figure(const SidePanelRequest& request, double left, double top)
        : s_(request.surface), r_(request.record), pileCap_(request.type == kTypePileCap), g_(request.record),
          x0_(left), y0_(top), thick_(request.setup.isPreview() ? 2 : 4),
          thin_(request.setup.isPreview() ? 1 : 2), leftGap_(sidePanelGap(request.setup)),
          body_(request.setup.sizes.body > 0 ? request.setup.sizes.body : request.surface.fontSize()) {
        dimSize_ = dimensionFontSize(s_, body_);
        noteHeight_ = s_.textHeight(QStringLiteral("D")) + kNoteGap;
        scale_ = fittedScale(request, left, top, noteHeight_);
        barsX_ = bars(kDirX);
        barsY_ = bars(kDirY);
        bottom_ = sy(g_.h1);
        const double stub = pileCap_ && positive(g_.pile) ? kPileStub * g_.pile * scale_ : 0;
        planTop_ = bottom_ + stub + (pileCap_ ? kPileCapPlanGap : kIsolatedPlanGap);
        bandTop_ = bottom_ + stub;
    }

    void draw() {
        s_.setTextColor(Qt::black);
        s_.setFillStyle(FillStyle::Transparent);
        drawSection();
        drawXDimensions();
        drawPlan();
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

    // ---- section ----

    void drawSection() {
        const double colLeft = sx(g_.Lx1), colRight = sx(g_.Lx1 + g_.ax);
        const double topAtColumn = bottom_ - g_.D1 * scale_;
        const double topAtEdge = bottom_ - g_.D2 * scale_;

        pen(thick_);
        // The footing: level, or sloping down from the column faces to its edges.
        s_.line(x0_, bottom_, right(), bottom_);
        s_.line(x0_, bottom_, x0_, topAtEdge);
        s_.line(right(), bottom_, right(), topAtEdge);
        s_.line(x0_, topAtEdge, colLeft, topAtColumn);
        s_.line(colRight, topAtColumn, right(), topAtEdge);
        // The column stub from the top of the foundation down to the footing.
        if (topAtColumn > y0_) {
            s_.line(colLeft, y0_, colRight, y0_);
            s_.line(colLeft, y0_, colLeft, topAtColumn);
            s_.line(colRight, y0_, colRight, topAtColumn);
        }

        pen(1, PenStyle::DashDot);
        const double axis = (colLeft + colRight) / 2;
        s_.line(axis, y0_ - kCentreLineOvershoot, axis, bottom_ + kCentreLineOvershoot);

        drawGroundLevel(colLeft, colRight);
        drawSectionBars();
        if (pileCap_) {
            drawPunchingCone(colLeft, colRight, topAtColumn);
            drawPilesInSection();
        }
        drawDepthDimensions(colRight, topAtColumn);
    }

    void drawGroundLevel(double colLeft, double colRight) {
        const double y = bottom_ - g_.h2 * scale_;
        pen(thin_);
        s_.line(x0_, y, right(), y);
        s_.setFontSize(dimSize_);
        const QString label = QStringLiteral("GL");
        const double w = s_.textWidth(label);
        // Beside the column on the footing's left, else on its right, else in
        // the gap left of the footing; a cap too small for it has none.
        double x;
        if (colLeft - x0_ >= w + 0.6)
            x = x0_ + 0.3;
        else if (right() - colRight >= w + 0.6)
            x = right() - w - 0.3;
        else if (leftGap_ >= w + 0.8)
            x = x0_ - w - 0.3;
        else
            return;
        // Above the line, unless the foundation top is at ground level and the
        // panel's last row is just above: then in the soil under it.
        const double above = y - s_.textHeight(label) - 0.1;
        s_.setPosition(x, above >= y0_ ? above : y + 0.1);
        s_.writeText(label);
    }

    // The Y bars cut by the section lie on the X bars, at the cover above the bottom.
    void drawSectionBars() {
        const double y = bottom_ - g_.cover * scale_;
        pen(thin_);
        if (g_.Lx > 2 * g_.cover) s_.line(sx(g_.cover), y + kBarRadius, sx(g_.Lx - g_.cover), y + kBarRadius);
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
        s_.line(colLeft, topAtColumn, colLeft - leftReach, topAtColumn + leftReach);
        s_.line(colRight, topAtColumn, colRight + rightReach, topAtColumn + rightReach);
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
            s_.line(x - half, head, x + half, head);
            s_.line(x - half, head, x - half, bottom_);
            s_.line(x + half, head, x + half, bottom_);
            pen(thick_);
            s_.line(x - half, bottom_, x - half, foot);
            s_.line(x + half, bottom_, x + half, foot);
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
            verticalChain(x, {{bottom_ - g_.D2 * scale_, bottom_, g_.D2}});
            x += kChainPitch;
        }
        extension(colRight, topAtColumn, x);
        verticalChain(x, {{topAtColumn, bottom_, g_.D1}});
        x += kChainPitch;
        if (belowGround) {
            extension(right(), groundLevel, x);
            verticalChain(x, {{groundLevel, bottom_, g_.h2}});
            x += kChainPitch;
        }
        extension(sx(g_.Lx1 + g_.ax), y0_, x);
        verticalChain(x, {{y0_, bottom_, g_.h1}});
    }

    // ---- X dimensions between section and plan ----

    // Column position, column and far outstand, then the whole length: they
    // serve the section above and the plan below, which share their X.
    void drawXDimensions() {
        const double band = planTop_ - bandTop_;
        const double colLeft = sx(g_.Lx1), colRight = sx(g_.Lx1 + g_.ax);
        horizontalChain(bandTop_ + band * 0.45,
                        {{x0_, colLeft, g_.Lx1}, {colLeft, colRight, g_.ax}, {colRight, right(), g_.Lx2}});
        horizontalChain(bandTop_ + band * 0.85, {{x0_, right(), g_.Lx}});
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
        s_.line(cx, planTop_ - kCentreLineOvershoot, cx, planBottom + kCentreLineOvershoot);
        s_.line(x0_ - kCentreLineOvershoot, cy, right() + kCentreLineOvershoot, cy);

        if (pileCap_) drawPilesInPlan();

        const double x = right() + kChainGap;
        verticalChain(
            x, {{planTop_, colTop, g_.Ly2}, {colTop, colBottom, g_.ay}, {colBottom, planBottom, g_.Ly1}});
        verticalChain(x + kChainPitch, {{planTop_, planBottom, g_.Ly}});
        drawBarCountNote(planBottom + kCentreLineOvershoot + kNoteGap);
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
        s_.setPosition(x0_, y);
        s_.writeText(notes.join(QStringLiteral("　")));
    }

    // X bars run along X and are spread over Ly; Y bars the other way. Their
    // ends keep the cover from the footing's sides.
    void drawPlanBars() {
        pen(thin_);
        const double c = g_.cover;
        if (g_.Lx > 2 * c)
            for (double y : barsX_.shown)
                s_.line(sx(c), py(y), sx(g_.Lx - c), py(y));
        if (g_.Ly > 2 * c)
            for (double x : barsY_.shown)
                s_.line(sx(x), py(c), sx(x), py(g_.Ly - c));
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
        if (toX > fromX) s_.line(fromX, y, toX, y);
    }

    // A dimension line with slanted end marks and each length's number
    // above its part; a part of no length gets no number. A number its part
    // cannot hold clear of the end marks goes outside the chain.
    void horizontalChain(double y, const std::vector<Segment>& parts) {
        pen(thin_);
        s_.line(parts.front().from, y, parts.back().to, y);
        s_.setFontSize(dimSize_);
        const std::vector<QString> texts = numberTexts(parts);
        std::vector<ChainPart> along;
        for (size_t i = 0; i < parts.size(); ++i)
            along.push_back({parts[i].from, parts[i].to, texts[i].isEmpty() ? 0 : s_.textWidth(texts[i])});
        const std::vector<double> starts =
            chainNumberStarts(along, kTick + kNumberGap, leftGap_ - kNumberGap);
        for (size_t i = 0; i < parts.size(); ++i) {
            tick(parts[i].from, y);
            tick(parts[i].to, y);
            if (texts[i].isEmpty()) continue;
            s_.setPosition(starts[i], y - s_.textHeight(texts[i]) - 0.1);
            s_.writeText(texts[i]);
        }
    }

    // The same upright: parts from top to bottom, numbers right of the line
    // and centred on their part, or below the chain when the part is too short.
    void verticalChain(double x, const std::vector<Segment>& parts) {
        pen(thin_);
        s_.line(x, parts.front().from, x, parts.back().to);
        s_.setFontSize(dimSize_);
        const std::vector<QString> texts = numberTexts(parts);
        std::vector<ChainPart> along;
        for (size_t i = 0; i < parts.size(); ++i)
            along.push_back({parts[i].from, parts[i].to, texts[i].isEmpty() ? 0 : s_.textHeight(texts[i])});
        const std::vector<double> starts = chainNumberStarts(along, kTick, 0);
        for (size_t i = 0; i < parts.size(); ++i) {
            tick(x, parts[i].from);
            tick(x, parts[i].to);
            if (texts[i].isEmpty()) continue;
            s_.setPosition(x + kNumberGap, starts[i]);
            s_.writeText(texts[i]);
        }
    }

    // The number of each part that has a length on paper and in the record.
    static std::vector<QString> numberTexts(const std::vector<Segment>& parts) {
        std::vector<QString> texts;
        for (const Segment& part : parts)
            texts.push_back(part.to - part.from > 0 && positive(part.value) ? formatPositional(part.value)
                                                                            : QString());
        return texts;
    }

    void tick(double x, double y) { s_.line(x - kTick, y + kTick, x + kTick, y - kTick); }

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
    double noteHeight_ = 0;
    BarLayout barsX_, barsY_;
    double bottom_ = 0;  // footing bottom in the section
    double bandTop_ = 0; // top of the band of X dimensions
    double planTop_ = 0;
};

} // namespace

double dimensionFontSize(Surface& surface, double bodySize) {
    double size = bodySize * kDimensionFontRatio;
    surface.setFontSize(size);
    const double widest = surface.textWidth(QStringLiteral("0000"));
    if (widest > kWidestNumber) size *= kWidestNumber / widest;
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
