#pragma once
#include "platform/prompt.h"

#include <QString>

#include <optional>

namespace k5 {

struct CommonValues;
struct FoundationRecord;
struct WorkingRecord;

// Start of every check message: "ﾃﾞｰﾀNo 3: " for data number 3, empty for 0
// (a registration from an input window).
QString checkMessagePrefix(int dataNo);

// Fills the fields of the working record that the user left empty (texts) or
// at zero or below (numbers) from the common design values. `foundationType`
// of the working record selects fe (isolated footing) or Pe and φ (pile cap).
void fillDefaults(WorkingRecord& work, const CommonValues& common);

// Minimum pile edge distance e and pile spacing s (mm) of a pile kind 0..3 and
// a pile diameter, each rounded up to whole millimetres with Int(x + 0.9).
// No value for an unknown kind.
struct PileMinima {
    float edge = 0;
    float spacing = 0;
};
std::optional<PileMinima> pileMinima(int pileKind, double diameter);

// Register-time check of the working record as it stands (an input window
// sets its foundation type and fills its empty fields from the common values
// first). Completes h1/h2 and D/D' from each other. A failure carries the
// first broken rule's warning, prefixed with the data number (none for 0).
Outcome checkRecordForRegister(WorkingRecord& work, int dataNo);

// The stored inputs of record dataNo as the calculation finds them, before
// anything else: every input a number, and the codes within what they can
// mean (unit system 1 or 2, rebar rule 1 to 3, centre flags 0 or 1, a soil
// weight not below 0). A damaged record is refused here, naming the field,
// instead of being designed into a result that looks sound.
Outcome checkStoredValues(const FoundationRecord& stored, int dataNo);

// Calculation-time check of the working record loaded from `stored`, record
// dataNo of the job (the stored pile kind is the one used). Completes the
// geometry (pile cap size from the arrangement, column offsets, pile minima)
// and checks it; on success the completed values are stored into `stored`,
// which the caller writes back. On failure `stored` is unchanged.
Outcome checkRecordForCalculation(WorkingRecord& work, FoundationRecord& stored, int dataNo);

} // namespace k5
