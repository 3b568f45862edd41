#pragma once
#include "platform/tree_lock.h"

#include <QString>

namespace k5 {

struct AppContext;

struct StartUpResult {
    bool ok = false;
    QString reason; // why the program cannot run (empty when ok)
    bool tellUser =
        false; // the windows show the reason too (an installation without its folders ends quietly)
};

// The program's start: folders from the executable's location, the analysis
// program link, a fresh trace file, the master folder check against the
// current directory, then every master and setting file made sure of. A run
// that changes the job or the masters (the windows, calc, open, save,
// import) passes the `lock` it holds for as long as it runs: it is taken
// first, waiting a few seconds for another program to finish, and then what
// killed runs left behind is removed; while another program holds the lock
// the run does not start, nor while the lock file is unusable (a link, a
// folder, no permission). Reading runs (list, results, report, export,
// propose without --apply) pass none and start with `TreeAccess::ReadsOnly`:
// they write no file of the tree (no trace file, no master made, no leftover
// removed), and what their loads change (older formats, repaired defaults)
// stays in memory.
enum class TreeAccess { Changes, ReadsOnly };
StartUpResult startUp(AppContext& ctx, const QString& executablePath, const QString& currentDirectory,
                      TreeLock* lock = nullptr, TreeAccess access = TreeAccess::Changes);

// The first item of a small text file written by a list write ("RX3", "1.23",...);
// empty when the file cannot be read.
QString readFirstItem(const QString& path);

} // namespace k5
