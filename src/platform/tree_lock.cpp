#include "platform/tree_lock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k5 {

QString treeLockFile(const QString& dataFolder) {
    return dataFolder + QStringLiteral("/kamo-k5.lock");
}

QString treeBusyMessage() {
    return QStringLiteral("別の KAMO-K5 がこの工事データを使用中です");
}

namespace {

// Opens the lock file without following a link or blocking on a FIFO,
// creating it when missing; -1 with errno set when that fails.
int openLockFile(const QByteArray& path) {
    const int flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(path.constData(), O_RDWR | flags, 0666);
    // A lock file another user made may be read-only to us; a lock on a
    // read-only descriptor excludes as well.
    if (fd < 0 && errno == EACCES) fd = ::open(path.constData(), O_RDONLY | flags, 0666);
    return fd;
}

QString refusal(const QString& path, const QString& why) {
    return QStringLiteral("工事データのロックファイルを使用できません（") + why +
           QStringLiteral("）。　　　\n\n") + path +
           QStringLiteral("\n\n同時に動く KAMO-K5 がデータを壊さないよう、このファイルを削除するか通常の"
                          "ファイルに戻してから起動してください。");
}

// Why the lock file at `path` cannot serve, from the failed open's errno or
// the opened entry's kind.
QString whyUnusable(const QByteArray& path, int openError) {
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) return QStringLiteral("リンクになっています");
        if (S_ISDIR(st.st_mode)) return QStringLiteral("フォルダになっています");
        if (!S_ISREG(st.st_mode)) return QStringLiteral("通常のファイルではありません");
    }
    if (openError == EACCES || openError == EPERM || openError == EROFS)
        return QStringLiteral("読み書きの許可がありません");
    return QString::fromLocal8Bit(std::strerror(openError));
}

} // namespace

TreeLock::Result TreeLock::take(const QString& dataFolder, int waitMs) {
    release();
    refused_.clear();
    const QString lockFile = treeLockFile(dataFolder);
    const QByteArray path = QFile::encodeName(lockFile);
    // Close on exec: the archiver the run starts must not keep the tree
    // locked after the run ends.
    const int fd = openLockFile(path);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno;
        if (fd >= 0) ::close(fd);
        refused_ = refusal(lockFile, whyUnusable(path, error));
        return Result::Refused;
    }
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return Result::Taken;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int error = errno;
            ::close(fd);
            refused_ = refusal(lockFile, QString::fromLocal8Bit(std::strerror(error)));
            return Result::Refused;
        }
        if (waited.elapsed() >= waitMs) break;
        QThread::msleep(50);
    }
    ::close(fd);
    return Result::Busy;
}

void TreeLock::release() {
    if (fd_ < 0) return;
    ::close(fd_); // closing the only descriptor drops the lock
    fd_ = -1;
}

} // namespace k5
