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
// outside every tree). The link's folder is taken by the path it was
// started through, so a tree reached through a link of its own (~/KMD
// pointing at a folder of another name) keeps its KMD name. Otherwise the
// executable itself, links resolved.
QString programPath(const char* startedAs) {
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString started = startedAs ? QFile::decodeName(startedAs) : QString();
    const QFileInfo link(started);
    const QString folder = QDir::cleanPath(link.absolutePath());
    const bool linkInPrg =
        started.contains(u'/') && link.isSymLink() && link.canonicalFilePath() == executable &&
        QFileInfo(folder).fileName().compare(QStringLiteral("PRG"), Qt::CaseInsensitive) == 0;
    return linkInPrg ? folder + u'/' + link.fileName() : executable;
}

// The current directory by the path it was entered through, as the shell
// keeps it in PWD (when that still names this very folder), so the master
// folder is found beside the KMD folder the user started from even when a
// link led there; otherwise the folder's own path.
QString currentDirectoryAsEntered() {
    const QByteArray entered = qgetenv("PWD");
    struct stat there {
    }, here{};
    if (entered.startsWith('/') && ::stat(entered.constData(), &there) == 0 && ::stat(".", &here) == 0 &&
        there.st_dev == here.st_dev && there.st_ino == here.st_ino)
        return QDir::cleanPath(QFile::decodeName(entered));
    return QDir::currentPath();
}

// `kamo-k5 ARCHIVE.lzh`, as a file manager starts the program on a saved archive.
bool namesArchive(const char* argument) {
    const QString text = QFile::decodeName(argument);
    return !text.startsWith(u'-') && text.endsWith(QStringLiteral(".lzh"), Qt::CaseInsensitive);
}

} // namespace

int main(int argc, char* argv[]) {
    const QString executable = programPath(argc > 0 ? argv[0] : nullptr);
    const QString currentDirectory = currentDirectoryAsEntered();
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
