#include "shell/GuiMain.h"
#include "shell/command_line.h"

#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    // The executable's own path decides every folder, as in the installed tree.
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString currentDirectory = QDir::currentPath();
    if (argc > 1) {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
        QGuiApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        return k5::runCommandLine(arguments, executable, currentDirectory);
    }
    return k5::runGui(argc, argv, executable, currentDirectory);
}
