#pragma once
#include <QString>

namespace k5 {

// One program changes a KMD tree at a time. Every command that changes the
// job or the masters (and the whole run of the windows) holds an advisory
// lock (flock) on a lock file in the tree's data folder; reading commands
// take none and write nothing in the tree. The lock file must be a plain
// file: a link, folder or unreadable file in its place would let two
// writers in at once, so it refuses the start instead. The kernel
// drops the lock when the process ends however it ends, so a killed run
// never leaves the tree locked.
class TreeLock {
  public:
    enum class Result {
        Taken,  // this run holds the lock
        Busy,   // another program held it for the whole wait
        Refused // the lock file is a link, a folder or another non-file, or cannot be opened or made:
                // the run cannot know that it is alone, so it does not start (refusedMessage says why)
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
    // Why the last take was refused, naming the lock file.
    const QString& refusedMessage() const { return refused_; }

    static constexpr int kWaitMs = 3000;

  private:
    int fd_ = -1;
    QString refused_;
};

// The lock file of the tree whose data folder is `dataFolder`.
QString treeLockFile(const QString& dataFolder);

// What a second program is told when the tree stays locked.
QString treeBusyMessage();

} // namespace k5
