#pragma once
#include <QString>
#include <QStringList>

namespace k5 {

struct Folders;

// The archiver program installed beside the main program.
QString archiverPath(const Folders& folders);

// How one run of the archiver ended.
struct ArchiverRun {
    bool ok = false; // started, ended normally with exit code 0
    QString problem; // what went wrong, for a message (empty when ok)
};

// Runs the archiver with `arguments` (each one argument, blanks and all) in
// `workingFolder` and waits for it with the event loop running, so windows
// keep painting. A program that cannot be started, crashes, exits nonzero or
// outlasts `timeoutMs` is a failed run.
ArchiverRun runArchiver(const Folders& folders, const QStringList& arguments, const QString& workingFolder,
                        int timeoutMs = 5 * 60 * 1000);

// The bare names of the files an archive holds, as stored (CP932 decoded);
// empty when the file is no archive that can be read.
QStringList archiveMembers(const QString& archivePath);

} // namespace k5
