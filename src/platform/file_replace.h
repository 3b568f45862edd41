#pragma once
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <optional>

// Every file the program replaces (jobs, masters, settings, archives,
// reports) is replaced the same way: the new content goes to a scratch file
// beside the old one, and only a complete scratch file is renamed over it.
// rename(2) swaps the two in one step, so at every moment either the old
// file or the new one is whole on disk; a failed write leaves the old file
// byte for byte and no scratch file behind.
namespace k5 {

// Scratch files and folders are named with these prefixes, their maker
// (pid and process start time), a random part and a check of the whole
// name that only this program computes ("<prefix><pid>-<start>-<random><check>"),
// and nothing else is: what a killed run left behind is recognised by its
// name, its maker being gone and its lock being free. A name of any other
// form (earlier versions', or a user's that looks alike) is never removed.
inline constexpr char kScratchFilePrefix[] = ".k5tmp-";
inline constexpr char kSaveFolderPrefix[] = ".k5save-";
inline constexpr char kOpenFolderPrefix[] = ".k5open-";

// Who made a scratch entry: the process id and the time that process
// started (clock ticks after boot), so a pid taken by a later process is
// not mistaken for the maker.
struct ScratchOwner {
    long pid = 0;
    qint64 started = 0;
};
ScratchOwner thisRunAsOwner();
// The start time of process `pid`; none when there is no such process.
std::optional<qint64> processStartTime(long pid);
// The scratch name `owner` gives an entry with this random part.
QString scratchEntryName(const char* prefix, const ScratchOwner& owner, const QString& random);

// The new content of `target`, written first to a file of its own beside it.
// The file is created new under a name no file had (O_CREAT | O_EXCL |
// O_NOFOLLOW): an existing file or a link planted under a scratch name is
// never written through or destroyed. Whatever way the scope is left, a
// scratch file that did not become the target is removed. While it exists
// it holds an advisory lock, which tells the clean-up that a running program
// still owns it. Before it is made, what killed runs left in the folder is
// removed (removeStaleScratch): a report or drawing written into a folder of
// the user's, which no start-up visits, clears what an earlier one left.
class ScratchFile {
  public:
    explicit ScratchFile(const QString& target);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // False when the file could not be created (errorString says why).
    bool isOpen() const { return file_.isOpen(); }
    QFile& file() { return file_; }
    const QString& path() const { return path_; }
    QString errorString() const { return error_; }

    // Closes the complete file and renames it over the target
    // (commitScratch). False, with the scratch file removed and the target
    // untouched, when the last bytes did not reach the disk or the target
    // cannot be replaced.
    bool commit();
    // The caller has renamed the file itself: it is no longer removed.
    void keep() { committed_ = true; }

  private:
    QString target_;
    QString path_;
    QString error_;
    QFile file_;
    int lockFd_ = -1;
    bool committed_ = false;
};

// A scratch folder `<parent>/<scratch name>`, made new (mkdir of a name no
// entry has) and removed with all it holds when the scope is left; locked
// like a scratch file.
class ScratchFolder {
  public:
    ScratchFolder(const QString& parent, const char* prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool isValid() const { return !path_.isEmpty(); }
    QString path() const { return path_; }
    QString filePath(const QString& name) const;
    QString errorString() const { return error_; }

  private:
    QString path_;
    QString error_;
    int lockFd_ = -1;
};

// Removes from `folder` the scratch files and folders no running program
// holds: what a killed run of this user left. An entry stays unless its name
// is of the program's own naming with a valid check, its kind is the name's
// (a regular file for a scratch file, a folder for a scratch folder; a link
// never), the process that made it is gone and its lock is free. Returns how
// many were removed.
int removeStaleScratch(const QString& folder);

// True when `path` names nothing or a regular file (through links): a
// folder, device, FIFO or socket the user named is never replaced.
bool isReplaceableTarget(const QString& path);

// Writes `chunks` one after another into a scratch file and renames it
// over `path`. False, with `path` untouched, when any step fails.
bool replaceFile(const QString& path, const QList<QByteArray>& chunks);

// Writes `records` as records 1, 2, ... of fixed length while every byte of
// the old file beyond them keeps its content (a file shorter than them is
// extended with zeros), through replaceFile.
bool replaceLeadingRecords(const QString& path, int recordLength, const QList<QByteArray>& records);

// Writes every byte of `data` to `file`; false when any is not written.
bool writeBytes(QFile& file, const char* data, qint64 size);
bool writeBytes(QFile& file, const QByteArray& bytes);

// Flushes what `file` buffered and closes it; false when the last bytes did
// not reach the disk.
bool closeWritten(QFile& file);

// rename(2): `to` is replaced by `from` in one step (QFile::rename refuses
// an existing target).
bool renameOver(const QString& from, const QString& to);

// Renames a complete scratch file over `path`, which keeps its permissions.
// A file the user made read-only is not replaced (false), as a write in
// place would not have been either, nor is anything but a regular file.
bool commitScratch(const QString& scratch, const QString& path);

// A seam for tests: every writeBytes and renameOver counts as one step, and
// the chosen step fails as a full disk or a failing rename would. Tests use
// it to prove that a fault at any point of an operation leaves its file
// either as it was or completely new, and that the user is told.
namespace write_faults {
// The k-th step from now fails (1: the next one); 0 lets every step succeed.
void failStep(int k);
// Steps counted since the last failStep.
int steps();
} // namespace write_faults

} // namespace k5
