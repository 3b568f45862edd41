#pragma once
#include "jobdata/foundation_record.h"

#include <QString>
#include <QStringList>

#include <optional>

// What a design may hide although no check of the calculation fails on it:
// loads the engineer entered that the pile check of the chosen arrangement
// never sees, and bars laid closer than concrete can be placed between them.
// These are warnings, not judgements: the record stays OK or NG as the
// calculation found it.
namespace k5 {

struct PileArrangementRule;

// The smallest centre-to-centre bar pitch that can be built (mm): the
// larger of `floor` and φ + max(25, 1.5·φ), so that coarse aggregate passes
// between the bars and a vibrator can reach below them.
inline constexpr double kDefaultMinimumBarPitch = 100;
double minimumBarPitch(double diameter, double floor = kDefaultMinimumBarPitch);

// The nominal diameter of a bar size name ("D19" → 19, "R13" → 13); 0 when
// the name carries no number.
double nominalBarDiameter(const QString& sizeName);

// The centre-to-centre pitch of the decided bars of direction 1 (X bars,
// spaced across Ly) or 2 (Y bars, across Lx): the count spread evenly
// between the edge clearances, never wider than the spacing that decided
// the count (the bars then stand at that spacing, centred between the
// clearances). 0 when the record holds no decided count of at least two bars.
double designedBarPitch(const FoundationRecord& record, int direction);

// Decided bars of direction 1 or 2 that stand closer than
// minimumBarPitch(φ, floor): their pitch and that least one; none when the
// direction has no decided bars or they can be placed.
struct ShortBarPitch {
    double pitch = 0;
    double least = 0;
};
std::optional<ShortBarPitch> shortBarPitch(const FoundationRecord& record, int direction,
                                           double floor = kDefaultMinimumBarPitch);

// True when `rule` would leave non-zero loads of the record unchecked: one
// pile takes no moment or shear, and a single row of piles in X never checks
// the Y cases (their moments and shears, and the short-term axial load in Y).
bool leavesLoadsUnchecked(const PileArrangementRule& rule, const FoundationRecord& record);

// The warnings of a record as it stands: unchecked loads of a pile cap's
// arrangement, and decided bars closer than minimumBarPitch(φ, pitchFloor).
// Texts as the live result and the results list show them.
QStringList designWarnings(const FoundationRecord& record, double pitchFloor = kDefaultMinimumBarPitch);

} // namespace k5
