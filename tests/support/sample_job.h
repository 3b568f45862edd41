#pragma once
#include "jobdata/foundation_record.h"
#include "shell/app_context.h"

#include <QString>
#include <QStringList>

namespace k5test {

// A record as the input windows would store it: identity, name and type,
// the column and footing sizes the list shows.
k5::FoundationRecord sampleRecord(const QString& name, int type, int unitSystem = 1);

// Writes `records` as the job file of `ctx` (replacing it).
void writeJob(k5::AppContext& ctx, const QList<k5::FoundationRecord>& records);
// A job of `count` records named "F1", "F2", ..., isolated footings.
void writeSampleJob(k5::AppContext& ctx, int count, int unitSystem = 1);
// The names of the job file's records in file order.
QStringList recordNames(k5::AppContext& ctx);

} // namespace k5test
