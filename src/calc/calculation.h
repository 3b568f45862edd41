#pragma once
#include "calc/calc_counters.h"
#include "platform/prompt.h"

namespace k5 {

struct FoundationRecord;
struct Folders;
struct JobLoadHooks;
struct JobState;
struct WorkingRecord;

// The calculation run ("計算開始") over every record of the job file, in file
// order: load, register-time and calculation-time checks, common
// preparation, the design of the record's type, results written into the
// record. The job file is read once; the results reach it as a whole job,
// written to a scratch file and renamed over it when the run ends or stops,
// so a full disk or a crash leaves the old job whole. A stop keeps the
// records before the failing one complete and the failing one as its last
// step left it. The first failing step's message ends the run; a complete
// run answers "計算を終了しました。　　　". `counts` receives the number of
// foundations of each type.
Outcome calculateJob(const Folders& folders, CalcCounters& counts);

// The same run on a job that was not loaded first (the command line): the
// job file is made ready as a load makes it, the job's identity is taken
// from record 1, and the rebar layout defaults a load repairs are repaired
// in the one read of the file the run makes; they reach the job file with
// the results, also when the run stops.
Outcome loadAndCalculateJob(const Folders& folders, JobState& job, const JobLoadHooks& hooks,
                            CalcCounters& counts);

// Isolated footings and pile caps of the job file.
CalcCounters countFoundations(const Folders& folders);
// The same and, per type, the records whose NG flag is set.
CalcCounters countNgFoundations(const Folders& folders);

struct LoadedRecord {
    bool changed = false;        // the stored record was changed and must be written back
    bool barRulesInRange = true; // end clearances, spacings and counts fit an Integer
};
// Loads `record` into a cleared working record the way the calculation
// does: the spacings the triangular and diagonal pile arrangements derive
// from Px2 (stored back into `record` where the calculation keeps them),
// pile caps always centred.
LoadedRecord loadRecordForCalculation(FoundationRecord& record, WorkingRecord& work);

} // namespace k5
