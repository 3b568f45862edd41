#pragma once
#include <QString>

namespace k5 {

// One program changes a KMD tree at a time. Every command that changes the
// job or the masters (and the whole run of the windows) holds an advisory
// lock (flock) on a lock file in the tree's data folder; reading commands
// need none, since every file is replaced by an atomic rename. The kernel
// drops the lock when the process ends however it ends, so a killed run
// never leaves the tree locked.
class TreeLock {
  public:
    enum class Result {
        Taken,      // this run holds the lock
        Busy,       // another program held it for the whole wait
        Unavailable // no lock file can be made (a read-only tree): nothing can be changed anyway
    };

    TreeLock() = default;
    ~TreeLock() { release(); }
    TreeLock(const TreeLock&) = delete;
    TreeLock& operator=(const TreeLock&) = delete;

    // Takes the lock of the tree whose data folder is `dataFolder`, trying
    // again while another program holds it, for up to `waitMs`.
    Result take(const QString& dataFolder, int waitMs = kWaitMs);
    bool held() const { return fd_ >= 0; }
    void release();

    static constexpr int kWaitMs = 3000;

  private:
    int fd_ = -1;
};

// The lock file of the tree whose data folder is `dataFolder`.
QString treeLockFile(const QString& dataFolder);

// What a second program is told when the tree stays locked.
QString treeBusyMessage();

} // namespace k5
