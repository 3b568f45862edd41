#include "platform/file_replace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k5 {
namespace {

std::atomic<int> stepsTaken{0};
std::atomic<int> failingStep{0};

// Counts one step; true when it is the one chosen to fail.
bool stepFails() {
    const int step = ++stepsTaken;
    return step == failingStep.load();
}

} // namespace

namespace write_faults {

void failStep(int k) {
    stepsTaken = 0;
    failingStep = k;
}

int steps() {
    return stepsTaken;
}

} // namespace write_faults

namespace {

// Scratch names: "<prefix><pid>-<random>", the random part of letters and
// digits (ten for a file, six for a folder, as mkdtemp makes them). The pid
// of the writer tells a later run whether the writer may still be at work;
// names without one were written by earlier versions.
constexpr int kFileRandomLength = 10;
constexpr int kFolderRandomLength = 6;

// Ten letters or digits: a name no earlier scratch file of the folder has
// by chance, and none a planted file can be guessed into in advance.
QString randomSuffix() {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < kFileRandomLength; ++i)
        suffix += QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(62)]);
    return suffix;
}

QString namePrefixOfThisRun(const char* prefix) {
    return QLatin1String(prefix) + QString::number(::getpid()) + u'-';
}

// An advisory lock on an open file or folder, held until `fd` is closed.
int lockedDuplicate(int fd) {
    const int dup = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (dup >= 0) flock(dup, LOCK_EX | LOCK_NB);
    return dup;
}

// A name this program gives its scratch files and folders, read back: which
// kind of entry it must be and the writer's pid (0 for an earlier version's
// name, which carries none).
struct ScratchName {
    bool folder = false;
    long pid = 0;
};

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isAsciiDigits(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

bool isRandomPart(QStringView text, int length) {
    return text.size() == length && std::all_of(text.begin(), text.end(), [](QChar c) {
               return isAsciiDigit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
           });
}

std::optional<ScratchName> readScratchName(const QString& name) {
    for (const char* prefix : {kScratchFilePrefix, kSaveFolderPrefix, kOpenFolderPrefix}) {
        if (!name.startsWith(QLatin1String(prefix))) continue;
        const bool folder = prefix != kScratchFilePrefix;
        const int randomLength = folder ? kFolderRandomLength : kFileRandomLength;
        const QStringView rest = QStringView(name).mid(static_cast<qsizetype>(std::strlen(prefix)));
        if (isRandomPart(rest, randomLength)) return ScratchName{folder, 0};
        const qsizetype dash = rest.indexOf(u'-');
        const QStringView pid = rest.left(dash);
        if (dash < 1 || dash > 9 || !isAsciiDigits(pid) || !isRandomPart(rest.mid(dash + 1), randomLength))
            return std::nullopt;
        const long number = pid.toLong();
        if (number < 1) return std::nullopt;
        return ScratchName{folder, number};
    }
    return std::nullopt;
}

// True while the process `pid` exists (one of another user included).
bool processExists(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

// True when some running program holds the lock of the entry at `path`.
bool inUse(const QByteArray& path, bool folder) {
    const int fd =
        ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

// What a run that is gone left under a scratch name: the entry's kind
// (a folder is removed with what it holds), or none when it must stay.
// Stale means of the program's kind for the name, the writer's process no
// longer there and the entry's lock free. A link under such a name is no
// scratch of ours either way; it is removed as a link, never followed.
enum class Stale { No, Entry, Folder };

Stale staleness(const QByteArray& path, const ScratchName& name) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) return Stale::No;
    const bool link = S_ISLNK(st.st_mode);
    if (!link && !(name.folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode))) return Stale::No;
    if (name.pid != 0 && processExists(name.pid)) return Stale::No;
    if (link) return Stale::Entry;
    if (inUse(path, name.folder)) return Stale::No;
    return name.folder ? Stale::Folder : Stale::Entry;
}

QStringList entryNames(const QString& folder) {
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] == '.') names << QFile::decodeName(entry->d_name);
    ::closedir(dir);
    return names;
}

} // namespace

ScratchFile::ScratchFile(const QString& target) : target_(target) {
    const QString folder = QFileInfo(target).absolutePath();
    // A run killed while writing here (a report, a drawing) left its scratch
    // file, which no start-up visits when the folder is the user's own.
    removeStaleScratch(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = folder + u'/' + namePrefixOfThisRun(kScratchFilePrefix) + randomSuffix();
        const int fd = ::open(QFile::encodeName(path_).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            error_ = QString::fromLocal8Bit(std::strerror(errno));
            break;
        }
        lockFd_ = lockedDuplicate(fd);
        if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            ::unlink(QFile::encodeName(path_).constData());
            error_ = file_.errorString();
            break;
        }
        return;
    }
    if (error_.isEmpty()) error_ = QStringLiteral("no free scratch name");
    path_.clear();
}

ScratchFile::~ScratchFile() {
    if (file_.isOpen()) file_.close();
    if (!committed_ && !path_.isEmpty()) ::unlink(QFile::encodeName(path_).constData());
    if (lockFd_ >= 0) ::close(lockFd_);
}

bool ScratchFile::commit() {
    if (!isOpen()) return false;
    if (!closeWritten(file_)) return false;
    committed_ = commitScratch(path_, target_);
    return committed_;
}

ScratchFolder::ScratchFolder(const QString& parent, const char* prefix)
    : dir_(parent + u'/' + namePrefixOfThisRun(prefix) + QString(kFolderRandomLength, u'X')) {
    if (!dir_.isValid()) return;
    const int fd =
        ::open(QFile::encodeName(dir_.path()).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    lockFd_ = lockedDuplicate(fd);
    ::close(fd);
}

ScratchFolder::~ScratchFolder() {
    dir_.remove();
    if (lockFd_ >= 0) ::close(lockFd_);
}

int removeStaleScratch(const QString& folder) {
    int removed = 0;
    for (const QString& name : entryNames(folder)) {
        const std::optional<ScratchName> scratch = readScratchName(name);
        if (!scratch) continue;
        const QString path = folder + u'/' + name;
        const QByteArray encoded = QFile::encodeName(path);
        bool gone = false;
        switch (staleness(encoded, *scratch)) {
        case Stale::No:
            continue;
        case Stale::Entry:
            gone = ::unlink(encoded.constData()) == 0;
            break;
        case Stale::Folder:
            gone = QDir(path).removeRecursively();
            break;
        }
        if (gone) ++removed;
    }
    return removed;
}

bool isReplaceableTarget(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

bool writeBytes(QFile& file, const char* data, qint64 size) {
    if (stepFails()) return false;
    return file.write(data, size) == size;
}

bool writeBytes(QFile& file, const QByteArray& bytes) {
    return writeBytes(file, bytes.constData(), bytes.size());
}

bool closeWritten(QFile& file) {
    const bool flushed = file.flush();
    file.close();
    return flushed && file.error() == QFileDevice::NoError;
}

bool renameOver(const QString& from, const QString& to) {
    if (stepFails()) return false;
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool commitScratch(const QString& scratch, const QString& path) {
    const QFileInfo old(path);
    if (old.exists()) {
        if (!old.isFile() || !old.isWritable()) return false;
        QFile::setPermissions(scratch, old.permissions());
    }
    return renameOver(scratch, path);
}

bool replaceFile(const QString& path, const QList<QByteArray>& chunks) {
    if (!isReplaceableTarget(path)) return false;
    ScratchFile scratch(path);
    if (!scratch.isOpen()) return false;
    for (const QByteArray& chunk : chunks)
        if (!writeBytes(scratch.file(), chunk)) return false;
    return scratch.commit();
}

bool replaceLeadingRecords(const QString& path, int recordLength, const QList<QByteArray>& records) {
    QByteArray content;
    QFile old(path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) return false;
        content = old.readAll();
        old.close();
    }
    const qsizetype covered = static_cast<qsizetype>(records.size()) * recordLength;
    if (content.size() < covered) content.resize(covered, '\0');
    for (qsizetype i = 0; i < records.size(); ++i)
        content.replace(i * recordLength, recordLength, records[i]);
    return replaceFile(path, {content});
}

} // namespace k5
