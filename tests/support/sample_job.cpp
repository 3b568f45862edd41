#include "sample_job.h"

#include "jobdata/job_file.h"
#include "platform/file_replace.h"

namespace k5test {

k5::FoundationRecord sampleRecord(const QString& name, int type, int unitSystem) {
    k5::FoundationRecord r;
    r.jobName = QStringLiteral("試験工事");
    r.fileName = QStringLiteral("試験");
    r.name = name;
    r.data1[0] = static_cast<float>(type);
    r.data1[1] = static_cast<float>(unitSystem);
    r.data1[23] = r.data1[24] = 60;
    r.data1[30] = r.data1[31] = 200;
    r.data1[32] = r.data1[33] = 2;
    r.data1[34] = 2;
    r.data2[4][1] = 2500;
    r.data2[4][2] = 2400;
    r.data2[5][1] = 600;
    r.data2[5][2] = 550;
    return r;
}

void writeJob(k5::AppContext& ctx, const QList<k5::FoundationRecord>& records) {
    QList<QByteArray> encoded;
    for (const k5::FoundationRecord& r : records)
        encoded << k5::encodeRecord(r);
    k5::replaceFile(ctx.folders.jobFile(), encoded);
}

void writeSampleJob(k5::AppContext& ctx, int count, int unitSystem) {
    QList<k5::FoundationRecord> records;
    for (int n = 1; n <= count; ++n)
        records << sampleRecord(QStringLiteral("F%1").arg(n), k5::kTypeIsolated, unitSystem);
    writeJob(ctx, records);
}

QStringList recordNames(k5::AppContext& ctx) {
    QStringList names;
    const int count = k5::recordCountOf(ctx.folders);
    for (int n = 1; n <= count; ++n) {
        names << k5::readRecord(ctx.folders, n).value_or(k5::FoundationRecord{}).name;
    }
    return names;
}

} // namespace k5test
