#pragma once
#include "jobdata/foundation_record.h"
#include "platform/prompt.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace k5 {

struct Folders;
struct JobLoadHooks;
struct JobState;

// Called for each record as the job is loaded (list row n shows record n).
using RecordVisitor = std::function<void(int n, const FoundationRecord& record)>;

int recordCountOf(const Folders& folders);
// Record n of the job file (zeros and blanks past its end); none when the job
// file cannot be opened.
std::optional<FoundationRecord> readRecord(const Folders& folders, int n);
// Writes `record` as record n, extending the file as needed. The job file is
// replaced whole, so a failed write leaves it as it was.
bool writeRecord(const Folders& folders, int n, const FoundationRecord& record);
// Writes each (n, record) of `changes` in one replacement of the job file:
// all of them or, on failure, none.
bool writeRecords(const Folders& folders, const QList<std::pair<int, FoundationRecord>>& changes);

// Job identity from record 1 (names, unit system, import flag, count); a job
// file without records takes the identity kept beside it, if any.
void loadJobIdentity(const Folders& folders, JobState& job);
// Makes the job file ready to be read, as every load does: the oldest job
// file converted when no current one exists, older formats upgraded. A
// missing job file with nothing to convert is no failure (the job is empty).
Outcome readyJobFile(const Folders& folders, JobState& job, const JobLoadHooks& hooks);
// The job's names and unit system, which record 1 carries.
void takeJobIdentity(const FoundationRecord& first, JobState& job);
// Loads the whole job: format hooks, defaults repaired and written back, one
// visit per record. The file is read in one piece. A job file that cannot be read or whose format is not
// known is refused (nothing visited, the file untouched); one whose length is
// not a whole number of records is reported as damaged after its whole
// records were visited.
Outcome loadJob(const Folders& folders, JobState& job, const JobLoadHooks& hooks,
                const RecordVisitor& visit = {});
// Writes the job's name, file name and unit system into every record; a job
// without records keeps them beside the job file instead.
bool rewriteJobIdentity(const Folders& folders, const JobState& job);
// Removes records first..last; the job file is replaced only once the
// remaining records are completely written. Removing every record keeps the
// job's identity (from record 1) beside the job file first.
bool deleteRecords(const Folders& folders, JobState& job, int first, int last);
bool deleteAllRecords(const Folders& folders, JobState& job);
// Replaces the job by an empty one with the names and unit system of `job`:
// its identity is kept first, then the job file emptied; when that fails the
// identity kept before is put back, so the old job stays as it was.
bool replaceWithEmptyJob(const Folders& folders, const JobState& job);
// Exchanges neighbouring records p and q; the visitor refills both rows.
bool swapRecords(const Folders& folders, int p, int q, const RecordVisitor& visit = {});

// The rebar layout defaults a record must have; true when something changed.
bool repairRecordDefaults(QByteArray& record);

} // namespace k5
