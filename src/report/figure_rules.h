#pragma once
#include <QString>

#include <vector>

// Rules that keep a to-scale foundation drawing readable whatever the
// record holds: how many bars are drawn, and where a dimension number goes
// when its part of the chain is too short for it. They know nothing of the
// page or the device, so every drawing of a foundation can follow them.
namespace k5::report {

// Bar lines closer than this on paper run together into a black area.
inline constexpr double kLegibleBarSpacingMm = 1.0;
// However wide a footing and fine its pitch, no more bar lines than this are
// drawn in one direction (the work of a figure is bounded by it).
inline constexpr int kMostBarLinesDrawn = 200;

// The bars of one direction across the width they are spread over: how many
// the record decides and which of them a drawing shows.
struct BarLayout {
    long long total = 0;       // bars the record decides
    std::vector<double> shown; // centres of the bars drawn, mm from the width's edge
    bool thinned() const { return total > static_cast<long long>(shown.size()); }
};

// The number of bars across `width`: at `spacing` (from 1 mm) between the
// clearances, otherwise `count`. Nothing is allocated for it.
long long barCount(double width, double clearance, int count, double spacing);

// The position of bar `index` (0-based) of `total`: from the clearance at the
// spacing, or the width between the clearances shared evenly (one bar in the middle).
double barPosition(double width, double clearance, long long total, double spacing, long long index);

// The bars a drawing at `paperPerMm` shows: every bar while they stand at
// least kLegibleBarSpacingMm apart on paper, otherwise an even selection that
// keeps both outer bars and that spacing (never more than kMostBarLinesDrawn).
BarLayout legibleBars(double width, double clearance, int count, double spacing, double paperPerMm);

// "D19 × 297": the size and number of bars, written beside a figure whose
// bars are not all drawn.
QString barCountNote(const QString& barSize, long long total);

// One part of a dimension chain: its ends along the chain, in paper mm
// (from < to), and the length on paper of its number; 0 for a part without one.
struct ChainPart {
    double from = 0, to = 0;
    double numberLength = 0;
};

// Where each part's number starts along the chain. A number that fits its part
// clear of the end marks (`clearance` either side) is centred on it; one that
// does not is moved outside the chain: before its start when it is the first
// part and `roomBefore` holds it, otherwise after the chain's end, one after
// the other. Numbers never overlap each other or an end mark. NaN for a part
// without a number.
std::vector<double> chainNumberStarts(const std::vector<ChainPart>& parts, double clearance,
                                      double roomBefore);

} // namespace k5::report
