#include "app/command_line.h"
#include "ui/shell/GuiMain.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Qt wants a private runtime folder; batch runs (cron, CI) often have none.
void ensureRuntimeFolder() {
    if (!qgetenv("XDG_RUNTIME_DIR").isEmpty()) return;
    QByteArray folder = QDir::tempPath().toLocal8Bit() + "/runtime-" + QByteArray::number(getuid());
    mkdir(folder.constData(), 0700);
    qputenv("XDG_RUNTIME_DIR", folder);
}

} // namespace

int main(int argc, char* argv[]) {
    // The executable's own path decides every folder, as in the installed tree.
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString currentDirectory = QDir::currentPath();
    ensureRuntimeFolder();
    // A write past the file-size limit fails and is reported like a full
    // disk, instead of killing the program with its scratch file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc == 3 && std::strcmp(argv[1], "--window") == 0)
        return k5::runGui(1, argv, executable, currentDirectory, QString::fromLocal8Bit(argv[2]));
    if (argc > 1) {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        return k5::runCommandLine(arguments, executable, currentDirectory);
    }
    return k5::runGui(argc, argv, executable, currentDirectory);
}
