#pragma once
#include <QString>

namespace k5 {

struct AppContext;

struct StartUpResult {
    bool ok = false;
    QString reason; // why the program cannot run (empty when ok)
};

// The program's start: folders from the executable's location, the analysis
// program link, a fresh trace file, the master folder check against the
// current directory, then every master and setting file made sure of.
StartUpResult startUp(AppContext& ctx, const QString& executablePath, const QString& currentDirectory);

// The first item of a small text file written by a list write ("RX3", "1.23",...);
// empty when the file cannot be read.
QString readFirstItem(const QString& path);

} // namespace k5
