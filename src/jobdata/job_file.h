#pragma once
#include "jobdata/foundation_record.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace k5 {

struct AppContext;

// Called for each record as the job is loaded (list row n shows record n).
using RecordVisitor = std::function<void(int n, const FoundationRecord& record)>;

int recordCountOf(const AppContext& ctx);
// Reads record n into ctx.job.currentRecordBuffer (zeros and blanks past the end).
bool readRecord(AppContext& ctx, int n);
// Writes ctx.job.currentRecordBuffer as record n, extending the file as needed.
bool writeRecord(AppContext& ctx, int n);

// Job identity from record 1 (names, unit system, import flag, count).
void loadJobIdentity(AppContext& ctx);
// Loads the whole job: format hooks, defaults repaired and written back, one
// visit per record.
void loadJob(AppContext& ctx, const RecordVisitor& visit = {});
// Writes the current job name, file name and unit system into every record.
bool rewriteJobIdentity(AppContext& ctx);
// Removes records first..last; the job file is replaced only once the
// remaining records are completely written.
bool deleteRecords(AppContext& ctx, int first, int last);
bool deleteAllRecords(AppContext& ctx);
// Exchanges neighbouring records p and q; the visitor refills both rows.
bool swapRecords(AppContext& ctx, int p, int q, const RecordVisitor& visit = {});

// The rebar layout defaults a record must have; true when something changed.
bool repairRecordDefaults(QByteArray& record);

// Writes `records` to a scratch file beside `path` and renames it over `path`,
// so the old file stays whole until the new one is complete.
bool replaceFileWithRecords(const QString& path, const QList<QByteArray>& records);

} // namespace k5
