#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

class QFile;

// Every file the program replaces (jobs, masters, settings, archives,
// reports) is replaced the same way: the new content goes to a scratch file
// beside the old one, and only a complete scratch file is renamed over it.
// rename(2) swaps the two in one step, so at every moment either the old
// file or the new one is whole on disk; a failed write leaves the old file
// byte for byte and no scratch file behind.
namespace k5 {

// The scratch file beside `path` that a replacement writes first.
QString scratchPathFor(const QString& path);

// Writes `chunks` one after another into the scratch file and renames it
// over `path`. False, with `path` untouched, when any step fails.
bool replaceFile(const QString& path, const QList<QByteArray>& chunks);

// Writes `records` as records 1, 2, ... of fixed length while every byte of
// the old file beyond them keeps its content (a file shorter than them is
// extended with zeros), through replaceFile.
bool replaceLeadingRecords(const QString& path, int recordLength, const QList<QByteArray>& records);

// Writes every byte of `data` to `file`; false when any is not written.
bool writeBytes(QFile& file, const char* data, qint64 size);
bool writeBytes(QFile& file, const QByteArray& bytes);

// Flushes what `file` buffered and closes it; false when the last bytes did
// not reach the disk.
bool closeWritten(QFile& file);

// rename(2): `to` is replaced by `from` in one step (QFile::rename refuses
// an existing target).
bool renameOver(const QString& from, const QString& to);

// Renames a complete scratch file over `path`, which keeps its permissions.
// A file the user made read-only is not replaced (false), as a write in
// place would not have been either.
bool commitScratch(const QString& scratch, const QString& path);

// A seam for tests: every writeBytes and renameOver counts as one step, and
// the chosen step fails as a full disk or a failing rename would. Tests use
// it to prove that a fault at any point of an operation leaves its file
// either as it was or completely new, and that the user is told.
namespace write_faults {
// The k-th step from now fails (1: the next one); 0 lets every step succeed.
void failStep(int k);
// Steps counted since the last failStep.
int steps();
} // namespace write_faults

} // namespace k5
