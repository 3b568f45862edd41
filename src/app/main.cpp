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

// The program's place, from which every folder derives. A link to the
// program in a PRG folder stands for the program there: an installed
// program serves each user's own KMD tree through a link in that tree's PRG
// folder (the system reports the executable behind the link, which lies
// outside every tree). Otherwise the executable itself, links resolved.
QString programPath(const char* startedAs) {
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString started = startedAs ? QFile::decodeName(startedAs) : QString();
    const QFileInfo link(started);
    const QString folder = QFileInfo(link.absolutePath()).canonicalFilePath();
    const bool linkInPrg =
        started.contains(u'/') && link.isSymLink() && link.canonicalFilePath() == executable &&
        QFileInfo(folder).fileName().compare(QStringLiteral("PRG"), Qt::CaseInsensitive) == 0;
    return linkInPrg ? folder + u'/' + link.fileName() : executable;
}

// `kamo-k5 ARCHIVE.lzh`, as a file manager starts the program on a saved archive.
bool namesArchive(const char* argument) {
    const QString text = QFile::decodeName(argument);
    return !text.startsWith(u'-') && text.endsWith(QStringLiteral(".lzh"), Qt::CaseInsensitive);
}

} // namespace

int main(int argc, char* argv[]) {
    const QString executable = programPath(argc > 0 ? argv[0] : nullptr);
    const QString currentDirectory = QDir::currentPath();
    ensureRuntimeFolder();
    // A write past the file-size limit fails and is reported like a full
    // disk, instead of killing the program with its scratch file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc == 3 && std::strcmp(argv[1], "--window") == 0)
        return k5::runGui(1, argv, executable, currentDirectory, QString::fromLocal8Bit(argv[2]));
    if (argc == 2 && namesArchive(argv[1])) {
        const QString archive =
            QFileInfo(QDir(currentDirectory), QFile::decodeName(argv[1])).absoluteFilePath();
        return k5::runGui(1, argv, executable, currentDirectory, {}, archive);
    }
    if (argc > 1) {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        return k5::runCommandLine(arguments, executable, currentDirectory);
    }
    return k5::runGui(argc, argv, executable, currentDirectory);
}
