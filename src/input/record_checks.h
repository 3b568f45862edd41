#pragma once
#include <QString>

#include <optional>

namespace k5 {

struct AppContext;
struct CommonValues;
struct WorkingRecord;
class RecordFile;

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

// Register-time check of ctx.work. With dataNo 0 (an input window) the
// foundation type is the window's (ctx.job.currentFoundationType) and empty
// fields are first filled from ctx.common; with dataNo > 0 (the calculation)
// the working record is checked as loaded. Completes h1/h2 and D/D' from each
// other. On failure one warning was shown (prefixed with the data number).
bool checkRecordForRegister(AppContext& ctx, int dataNo);

// Calculation-time check of ctx.work for record dataNo of the open job file.
// ctx.job.currentRecordBuffer must hold that record as loaded (its pile kind
// is the one used). Completes the geometry (pile cap size from the
// arrangement, column offsets, pile minima), checks it, and on success writes
// the completed values into the buffer and the buffer as record dataNo of
// jobFile. On failure one message was shown and nothing was written.
bool checkRecordForCalculation(AppContext& ctx, int dataNo, RecordFile& jobFile);

} // namespace k5
