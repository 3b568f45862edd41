#pragma once
#include <QString>

#include <optional>

// The identity of a job without foundations. The job file has no header: a
// job's name, file name and unit system live in its records, and record 1
// supplies them. A job registered in the job window but still without a
// foundation would lose them at the next start (and a CGS user would type
// tonnes into an SI job), so they are kept in a small file of their own
// beside the job file. That file only speaks for a job file that exists and
// holds no record; as soon as the job has a record, record 1 is the identity.
namespace k5 {

struct Folders;
struct JobState;

struct JobIdentity {
    QString jobName;
    QString fileName;
    int unitSystem = 1; // 1 SI, 2 CGS
};

// "K5dat02.k5i" beside the job file: one record of 108 bytes (format 204,
// job name and file name as in the record, unit system), no header.
QString jobIdentityPath(const Folders& folders);

// The identity kept for an empty job; none when the file is missing, has
// another length or format, or names no known unit system.
std::optional<JobIdentity> readJobIdentityFile(const Folders& folders);
// Keeps `identity` beside the job file (replacing the file whole).
bool writeJobIdentityFile(const Folders& folders, const JobIdentity& identity);
// A job that came from elsewhere (an archive, the analysis program, the old
// format) brings its own identity: what was kept for the previous one goes.
void forgetJobIdentityFile(const Folders& folders);

// The names and unit system of the job state.
JobIdentity identityOf(const JobState& job);
// The job state takes the names and unit system.
void applyIdentity(const JobIdentity& identity, JobState& job);

} // namespace k5
