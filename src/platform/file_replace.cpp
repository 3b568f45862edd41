#include "platform/file_replace.h"
#include "platform/record_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
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

// Scratch names: "<prefix><pid>-<start>-<random><check>": the writer's pid
// and the time its process started (clock ticks after boot, as the kernel
// keeps it), six random letters or digits and four more that check the rest
// with a digest of the program's own. The pid and start time tell a later
// run whether the writer is still at work (a pid alone may have been taken
// by another process since); the check makes the name one that only this
// program gives, so a user's file that merely looks like it (".k5tmp-notes12345",
// a folder ".k5save-backup", the names of earlier versions) is never taken
// for a scratch and removed.
constexpr int kRandomLength = 6;
constexpr int kCheckLength = 4;
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

QString randomPart() {
    QString part;
    for (int i = 0; i < kRandomLength; ++i)
        part += QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(62)]);
    return part;
}

// Four letters or digits from a digest (FNV-1a) of the rest of the name and
// the program's own key.
QString checkPart(QStringView named) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (char c : QByteArray("KAMO-K5 scratch entry/") + named.toUtf8()) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    QString check;
    for (int i = 0; i < kCheckLength; ++i, hash /= 62)
        check += QLatin1Char(kAlphabet[hash % 62]);
    return check;
}

// An advisory lock on an open file or folder, held until `fd` is closed.
int lockedDuplicate(int fd) {
    const int dup = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (dup >= 0) flock(dup, LOCK_EX | LOCK_NB);
    return dup;
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isAsciiDigits(QStringView text) {
    return !text.isEmpty() && text.size() <= 18 && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

// A name this program gives its scratch files and folders, read back: which
// kind of entry it must be and who made it. None for any other name.
struct ScratchName {
    bool folder = false;
    ScratchOwner owner;
};

std::optional<ScratchName> readScratchName(const QString& name) {
    for (const char* prefix : {kScratchFilePrefix, kSaveFolderPrefix, kOpenFolderPrefix}) {
        if (!name.startsWith(QLatin1String(prefix))) continue;
        const QStringList parts = name.mid(static_cast<qsizetype>(std::strlen(prefix))).split(u'-');
        if (parts.size() != 3 || !isAsciiDigits(parts[0]) || !isAsciiDigits(parts[1])) return std::nullopt;
        const ScratchOwner owner{parts[0].toLong(), parts[1].toLongLong()};
        const QString random = parts[2].left(kRandomLength);
        if (owner.pid < 1 || parts[2].size() != kRandomLength + kCheckLength ||
            scratchEntryName(prefix, owner, random) != name)
            return std::nullopt;
        return ScratchName{prefix != kScratchFilePrefix, owner};
    }
    return std::nullopt;
}

// True while the process that made an entry still runs: its pid is there and
// started when the name says. A process that cannot be looked at counts as
// running.
bool ownerRunning(const ScratchOwner& owner) {
    if (::kill(static_cast<pid_t>(owner.pid), 0) != 0 && errno == ESRCH) return false;
    const std::optional<qint64> started = processStartTime(owner.pid);
    return !started || *started == owner.started;
}

// True when some running program holds the lock of the entry at `path`.
bool inUse(const QByteArray& path, bool folder) {
    const int fd =
        ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0) return true; // what cannot be looked at is left alone
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

// What a run that is gone left under a scratch name: the entry's kind
// (a folder is removed with what it holds), or none when it must stay.
// Stale means of the program's kind for the name (a regular file or a
// folder, never a link: the program makes neither kind through one), its
// maker no longer running and the entry's lock free.
enum class Stale { No, File, Folder };

Stale staleness(const QByteArray& path, const ScratchName& name) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) return Stale::No;
    if (!(name.folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode))) return Stale::No;
    if (st.st_uid != ::geteuid()) return Stale::No; // another user's run, never ours
    if (ownerRunning(name.owner) || inUse(path, name.folder)) return Stale::No;
    return name.folder ? Stale::Folder : Stale::File;
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

std::optional<qint64> processStartTime(long pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks: fields are counted
    // after its closing one (state is field 3, the start time field 22).
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0) return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    bool ok = false;
    const qint64 started = fields.value(19).toLongLong(&ok);
    return ok ? std::optional<qint64>(started) : std::nullopt;
}

ScratchOwner thisRunAsOwner() {
    static const ScratchOwner self{static_cast<long>(::getpid()), processStartTime(::getpid()).value_or(0)};
    return self;
}

QString scratchEntryName(const char* prefix, const ScratchOwner& owner, const QString& random) {
    const QString named = QLatin1String(prefix) + QString::number(owner.pid) + u'-' +
                          QString::number(owner.started) + u'-' + random;
    return named + checkPart(named);
}

ScratchFile::ScratchFile(const QString& target) : target_(target) {
    const QString folder = QFileInfo(target).absolutePath();
    // A run killed while writing here (a report, a drawing) left its scratch
    // file, which no start-up visits when the folder is the user's own.
    removeStaleScratch(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = folder + u'/' + scratchEntryName(kScratchFilePrefix, thisRunAsOwner(), randomPart());
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

ScratchFolder::ScratchFolder(const QString& parent, const char* prefix) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = parent + u'/' + scratchEntryName(prefix, thisRunAsOwner(), randomPart());
        if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0) {
            if (errno == EEXIST) continue;
            error_ = QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        path_ = path;
        const int fd =
            ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            lockFd_ = lockedDuplicate(fd);
            ::close(fd);
        }
        return;
    }
    error_ = QStringLiteral("no free scratch name");
}

ScratchFolder::~ScratchFolder() {
    if (!path_.isEmpty()) QDir(path_).removeRecursively();
    if (lockFd_ >= 0) ::close(lockFd_);
}

QString ScratchFolder::filePath(const QString& name) const {
    return path_ + u'/' + name;
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
        case Stale::File:
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
    if (QFileInfo::exists(path)) {
        // Only a regular file is read (and replaced); a FIFO is never waited on.
        const std::optional<QByteArray> old = readRegularFile(path);
        if (!old) return false;
        content = *old;
    }
    const qsizetype covered = static_cast<qsizetype>(records.size()) * recordLength;
    if (content.size() < covered) content.resize(covered, '\0');
    for (qsizetype i = 0; i < records.size(); ++i)
        content.replace(i * recordLength, recordLength, records[i]);
    return replaceFile(path, {content});
}

} // namespace k5
