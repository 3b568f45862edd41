#pragma once

namespace k5 {

struct AppContext;

// The calculation run ("計算開始") over every record of the job file, in file
// order: load, register-time and calculation-time checks, common
// preparation, the design of the record's type, results written into the
// record. The first failing step shows its message and ends the run (false);
// a complete run shows "計算を終了しました。　　　" and answers true.
bool runCalculation(AppContext& ctx);

// ctx.counts: isolated footings and pile caps of the job file.
void countFoundations(AppContext& ctx);
// ctx.counts: the same and, per type, the records whose NG flag is set.
void countNgFoundations(AppContext& ctx);

struct LoadedRecord {
    bool changed = false;        // the stored record was changed and must be written back
    bool barRulesInRange = true; // end clearances, spacings and counts fit an Integer
};
// Loads ctx.job.currentRecordBuffer into the cleared working record the way
// the calculation does: the spacings the triangular and diagonal pile
// arrangements derive from Px2, pile caps always centred.
LoadedRecord loadRecordForCalculation(AppContext& ctx);

} // namespace k5
