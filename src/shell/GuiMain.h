#pragma once
#include <QString>

namespace k5 {

// The GUI entry: start-up, then the main window until it closes.
int runGui(int argc, char* argv[], const QString& executablePath, const QString& currentDirectory);

} // namespace k5
