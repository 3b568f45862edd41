#include "platform/tree_lock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace k5 {

QString treeLockFile(const QString& dataFolder) {
    return dataFolder + QStringLiteral("/kamo-k5.lock");
}

QString treeBusyMessage() {
    return QStringLiteral("別の KAMO-K5 がこの工事データを使用中です");
}

TreeLock::Result TreeLock::take(const QString& dataFolder, int waitMs) {
    release();
    const QByteArray path = QFile::encodeName(treeLockFile(dataFolder));
    // Close on exec: the archiver the run starts must not keep the tree
    // locked after the run ends.
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return Result::Unavailable;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return Result::Taken;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            ::close(fd);
            return Result::Unavailable;
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
