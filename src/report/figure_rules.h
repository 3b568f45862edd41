#pragma once
#include "jobdata/foundation_record.h"

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

// The decided bars of one direction as they lie in the footing: `total`
// bars, the first `first` mm from the edge of the width they are spread
// over, each the next `pitch` further on.
struct BarRun {
    long long total = 0;
    double first = 0;
    double pitch = 0;
    double at(long long index) const { return first + static_cast<double>(index) * pitch; }
};

// The bars of one direction across the width they are spread over: how many
// the record decides and which of them a drawing shows.
struct BarLayout {
    long long total = 0;       // bars the record decides
    std::vector<double> shown; // centres of the bars drawn, mm from the width's edge
    bool thinned() const { return total > static_cast<long long>(shown.size()); }
};

// The decided count of `direction` (1: X bars, spread across Ly; 2: Y bars,
// across Lx) between the edge clearances at the designed pitch
// (designedBarPitch), centred between them; one bar lies in the middle.
// Nothing when no bar is decided or the clearances leave no width.
BarRun designedBars(const FoundationRecord& record, int direction);

// The bars a drawing at `paperPerMm` shows: every bar while they stand at
// least kLegibleBarSpacingMm apart on paper, otherwise an even selection that
// keeps both outer bars and that spacing (never more than kMostBarLinesDrawn).
BarLayout legibleBars(const BarRun& run, double paperPerMm);

// The bars of the record's direction as a drawing at `paperPerMm` shows
// them: the report's figure and the schedule for CAD draw these.
BarLayout barPositions(const FoundationRecord& record, int direction, double paperPerMm);

// "D19 × 297": the size and number of bars, written beside a figure whose
// bars are not all drawn.
QString barCountNote(const QString& barSize, long long total);

// One part of a dimension chain: its ends along the chain, in paper mm
// (from < to), and the length on paper of its number; 0 for a part without one.
struct ChainPart {
    double from = 0, to = 0;
    double numberLength = 0;
};

// Where each part's number starts along the chain. The numbers stand beside
// the chain, clear of its end marks, each centred on its part; where
// neighbours would overlap they are moved apart along the chain just enough
// to keep `gap` between them, within [lowest, highest]. NaN for a part
// without a number.
std::vector<double> chainNumberStarts(const std::vector<ChainPart>& parts, double gap, double lowest,
                                      double highest);

// True when a number starting at `start` does not lie over its own part:
// it then needs a leader to the part it belongs to.
bool needsLeader(const ChainPart& part, double start);

} // namespace k5::report
