#include "platform/file_replace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

// Ten letters or digits: a name no earlier scratch file of the folder has
// by chance, and none a planted file can be guessed into in advance.
QString randomSuffix() {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 10; ++i)
        suffix += QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(62)]);
    return suffix;
}

// An advisory lock on an open file or folder, held until `fd` is closed.
int lockedDuplicate(int fd) {
    const int dup = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (dup >= 0) flock(dup, LOCK_EX | LOCK_NB);
    return dup;
}

bool isScratchName(const QString& name) {
    for (const char* prefix : {kScratchFilePrefix, kSaveFolderPrefix, kOpenFolderPrefix})
        if (name.startsWith(QLatin1String(prefix))) return true;
    return false;
}

// True when some running program holds the lock of the entry at `path`.
bool inUse(const QByteArray& path, bool folder) {
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

} // namespace

ScratchFile::ScratchFile(const QString& target) : target_(target) {
    const QString folder = QFileInfo(target).absolutePath();
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = folder + u'/' + QLatin1String(kScratchFilePrefix) + randomSuffix();
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
    : dir_(parent + u'/' + QLatin1String(prefix) + QStringLiteral("XXXXXX")) {
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
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (!isScratchName(name)) continue;
        const QString path = folder + u'/' + name;
        const QByteArray encoded = QFile::encodeName(path);
        struct stat st {};
        if (::lstat(encoded.constData(), &st) != 0) continue;
        const bool isFolder = S_ISDIR(st.st_mode);
        if (inUse(encoded, isFolder)) continue;
        const bool gone = isFolder ? QDir(path).removeRecursively() : ::unlink(encoded.constData()) == 0;
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
