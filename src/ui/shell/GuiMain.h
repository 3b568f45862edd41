#pragma once
#include <QString>

namespace k5 {

// The GUI entry: start-up, then the main window until it closes. With a
// window name, that window is opened instead of the main window; with an
// archive, the main window opens it at once through its open command.
int runGui(int argc, char* argv[], const QString& executablePath, const QString& currentDirectory,
           const QString& windowName = {}, const QString& archiveToOpen = {});

} // namespace k5
