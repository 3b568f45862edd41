#include "jobdata/job_identity_file.h"

#include "jobdata/foundation_record.h"
#include "jobdata/job_state.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/record_file.h"

#include <QFile>

namespace k5 {
namespace {

// The fields in the order and widths of the job record, so that a name kept
// here reads back exactly as it will once record 1 carries it.
constexpr int kVersionAt = 0;
constexpr int kJobNameAt = 2;
constexpr int kFileNameAt = kJobNameAt + record_offset::textWidthJob;
constexpr int kUnitAt = kFileNameAt + record_offset::textWidthJob;
constexpr int kLength = kUnitAt + 2;
constexpr int kFormat = FoundationRecord::kCurrentFormat;

} // namespace

QString jobIdentityPath(const Folders& folders) {
    return folders.dataFolder + QStringLiteral("/K5dat02.k5i");
}

std::optional<JobIdentity> readJobIdentityFile(const Folders& folders) {
    // A FIFO or device in the side file's place is refused, never waited on.
    QFile file;
    if (!openRegularFile(file, jobIdentityPath(folders)) || file.size() != kLength) return std::nullopt;
    const RecordReader r(file.read(kLength));
    const int unit = r.int16(kUnitAt);
    if (r.int16(kVersionAt) != kFormat || (unit != 1 && unit != 2)) return std::nullopt;
    return JobIdentity{trimBlanks(decodeField(r.bytes(kJobNameAt, record_offset::textWidthJob))),
                       trimBlanks(decodeField(r.bytes(kFileNameAt, record_offset::textWidthJob))), unit};
}

bool writeJobIdentityFile(const Folders& folders, const JobIdentity& identity) {
    RecordWriter w(kLength);
    w.putInt16(kVersionAt, kFormat);
    w.putBytes(kJobNameAt, encodeField(identity.jobName, record_offset::textWidthJob, Terminator::Tilde));
    w.putBytes(kFileNameAt, encodeField(identity.fileName, record_offset::textWidthJob, Terminator::Tilde));
    w.putInt16(kUnitAt, identity.unitSystem == 1 ? 1 : 2);
    return replaceFile(jobIdentityPath(folders), {w.bytes()});
}

void forgetJobIdentityFile(const Folders& folders) {
    QFile::remove(jobIdentityPath(folders));
}

JobIdentity identityOf(const JobState& job) {
    return {job.currentJobName, job.currentFileName, job.unitSystem};
}

void applyIdentity(const JobIdentity& identity, JobState& job) {
    job.currentJobName = identity.jobName;
    job.currentFileName = identity.fileName;
    job.unitSystem = identity.unitSystem;
}

} // namespace k5
