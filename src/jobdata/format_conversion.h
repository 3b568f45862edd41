#pragma once
#include "platform/prompt.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace k5 {

struct Folders;
struct JobState;
struct JobLoadHooks;

// Record lengths of the job files written by earlier versions of the program.
// "K5dat.k5d" (the 00 format) keeps shorter records under its own name; the
// formats 201 and 203 share the current job file name "K5dat02.k5d".
namespace old_format {
constexpr int kLength00 = 1626;
constexpr int kLength201 = 2094;
constexpr int kLength203 = 2274;
} // namespace old_format

// Makes the job file hold the current record format: record 1's version tells
// 204 (left alone) or 203; a file without a version field is of the 201
// format when it holds a whole number of 201 records and text where they
// keep the job name. An upgrade first keeps the file as it was beside it
// (`<job>.v203` or `.v201`, traced) and replaces the job file only once the
// whole new file is written. A job file that cannot be read, or whose format
// is none of these, is refused with a message naming it and left untouched.
// Given `inMemory`, no file is written: the job's bytes in the current format
// are put there (upgraded, or as the file holds them).
Outcome checkFormat(const Folders& folders, JobState& job, QByteArray* inMemory = nullptr);

// A job's file name made fit to name an archive file: no folder separators
// or control characters (each becomes "_"), no "..", and cut between
// characters to the 52 bytes of the record's file name field.
QString safeJobFileName(const QString& name);

// Saves the converted job as an archive named `archiveName` (file name only).
using ConvertedJobArchiver = std::function<void(const QString& archiveName)>;

// Converts the oldest job file "K5dat.k5d" into the current job file, deletes
// the old file and hands the job to `saveArchive` as "v02_" + its file name +
// ".lzh" (a blank stored file name is taken as `blankNameStandsFor`, the name
// of the archive the job came from). Fails without a message (nothing
// changed) when the old file is missing or holds no record, and with one
// when its last record is cut short (no record is dropped without a word) or
// the new file cannot be written (the old file stays). Given `inMemory`, the
// converted records are put there and no file is written, removed or archived.
Outcome convertOldJob(const Folders& folders, JobState& job, const ConvertedJobArchiver& saveArchive = {},
                      const QString& blankNameStandsFor = {}, QByteArray* inMemory = nullptr);

// Lets loading a job convert and upgrade older job files.
void installFormatConversion(JobLoadHooks& hooks, ConvertedJobArchiver saveArchive = {});

} // namespace k5
