#pragma once
#include <QStringList>

namespace k5 {

// Runs one command of the command line (arguments without the program name).
// Returns the exit code: 0 success, 1 refused or failed, 2 wrong usage.
int runCommandLine(const QStringList& arguments, const QString& executablePath,
                   const QString& currentDirectory);

QString usageText();

} // namespace k5
