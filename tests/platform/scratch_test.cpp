#include "platform/file_replace.h"
#include "platform/tree_lock.h"
#include "temp_tree.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace k5;

namespace {

// A folder of its own for each test, with a file elsewhere that a followed
// link would destroy.
struct ScratchCase : ::testing::Test {
    k5test::TempTree tree;
    QString folder = tree.ctx.folders.dataFolder;
    QString elsewhere = tree.ctx.folders.saveFolder + QStringLiteral("/precious.txt");
    QString target = folder + QStringLiteral("/K5dat02.k5d");

    void SetUp() override {
        k5test::writeBytes(elsewhere, "precious");
        k5test::writeBytes(target, "old job");
    }
};

bool isFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

} // namespace

// The names earlier versions wrote through are not trusted: a link planted
// there is neither followed nor removed, a user's file there is kept, and
// the new content arrives whole.
TEST_F(ScratchCase, PlantedLinksAndFilesAtOldScratchNamesAreLeftAlone) {
    ASSERT_TRUE(QFile::link(elsewhere, target + QStringLiteral("_dum")));
    k5test::writeBytes(target + QStringLiteral(".part"), "user's own file");

    ASSERT_TRUE(replaceFile(target, {"new ", "job"}));
    EXPECT_EQ(k5test::readBytes(target), QByteArray("new job"));
    EXPECT_EQ(k5test::readBytes(elsewhere), QByteArray("precious"));
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("_dum")).isSymLink());
    EXPECT_EQ(k5test::readBytes(target + QStringLiteral(".part")), QByteArray("user's own file"));
    EXPECT_EQ(k5test::scratchLeftIn(folder), QStringList{QStringLiteral("K5dat02.k5d_dum")});
}

// A scratch file is new, private to this run and a regular file, and it is
// gone on every way out that did not make it the target.
TEST_F(ScratchCase, ScratchFileIsNewAndRemovedUnlessCommitted) {
    QString path;
    {
        ScratchFile scratch(target);
        ASSERT_TRUE(scratch.isOpen()) << scratch.errorString().toStdString();
        path = scratch.path();
        EXPECT_TRUE(QFileInfo(path).fileName().startsWith(QLatin1String(kScratchFilePrefix)));
        EXPECT_FALSE(QFileInfo(path).isSymLink());
        ScratchFile other(target);
        EXPECT_NE(other.path(), path);
        ASSERT_TRUE(writeBytes(scratch.file(), QByteArray("half")));
    } // left without commit
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(k5test::readBytes(target), QByteArray("old job"));

    write_faults::failStep(1);
    EXPECT_FALSE(replaceFile(target, {"new"}));
    write_faults::failStep(0);
    EXPECT_EQ(k5test::readBytes(target), QByteArray("old job"));
    EXPECT_TRUE(k5test::scratchLeftIn(folder).isEmpty());
}

// What the user named is replaced only when it is a regular file (or a link
// to one): a FIFO, a folder or a device stays what it is, and nothing is
// left beside it.
TEST_F(ScratchCase, TargetsThatAreNoRegularFileAreRefused) {
    const QString fifo = folder + QStringLiteral("/pipe.pdf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString dir = folder + QStringLiteral("/dir.pdf");
    ASSERT_TRUE(QDir().mkdir(dir));
    const QString linkToFile = folder + QStringLiteral("/link.k5d");
    ASSERT_TRUE(QFile::link(target, linkToFile));

    for (const QString& refused : {fifo, dir, QStringLiteral("/dev/null")}) {
        EXPECT_FALSE(isReplaceableTarget(refused)) << refused.toStdString();
        EXPECT_FALSE(replaceFile(refused, {"x"})) << refused.toStdString();
    }
    EXPECT_TRUE(isFifo(fifo));
    EXPECT_TRUE(QFileInfo(dir).isDir());
    EXPECT_TRUE(isReplaceableTarget(linkToFile));
    EXPECT_TRUE(isReplaceableTarget(folder + QStringLiteral("/not-there.pdf")));
    EXPECT_TRUE(k5test::scratchLeftIn(folder).isEmpty());
}

// A process that has ended: its pid names no process any more.
ScratchOwner goneOwner() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return {static_cast<long>(child), 4242};
}

// At start-up, what killed runs left is removed; what a running program
// holds (its lock on the file or folder) is not.
TEST_F(ScratchCase, StaleScratchIsRemovedButLiveScratchIsKept) {
    ScratchFile live(target);
    ScratchFolder liveFolder(folder, kOpenFolderPrefix);
    ASSERT_TRUE(live.isOpen());
    ASSERT_TRUE(liveFolder.isValid());
    const ScratchOwner gone = goneOwner();
    // Gone, but another program (a copy of the one that made it) still holds its lock.
    const QString locked =
        folder + u'/' + scratchEntryName(kScratchFilePrefix, gone, QStringLiteral("Locked"));
    k5test::writeBytes(locked, "still being written");
    QFile lockedFile(locked);
    ASSERT_TRUE(lockedFile.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(lockedFile.handle(), LOCK_EX | LOCK_NB), 0);

    k5test::writeBytes(folder + u'/' + scratchEntryName(kScratchFilePrefix, gone, QStringLiteral("Killed")),
                       "half a job");
    const QString killedOpen =
        folder + u'/' + scratchEntryName(kOpenFolderPrefix, gone, QStringLiteral("AbC123"));
    ASSERT_TRUE(QDir().mkpath(killedOpen + QStringLiteral("/inner")));
    k5test::writeBytes(killedOpen + QStringLiteral("/inner/K5dat02.k5d"), "extracted");
    k5test::writeBytes(folder + QStringLiteral("/.k5other"), "not ours");

    EXPECT_EQ(removeStaleScratch(folder), 2);
    EXPECT_TRUE(QFileInfo::exists(live.path()));
    EXPECT_TRUE(QFileInfo(liveFolder.path()).isDir());
    EXPECT_TRUE(QFileInfo::exists(locked));
    EXPECT_FALSE(QFileInfo::exists(killedOpen));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/.k5other")));
    EXPECT_EQ(k5test::readBytes(target), QByteArray("old job"));
}

// Only an entry the program can prove it made goes: its own name with the
// check only it computes, of the name's kind, made by a process that is
// gone (or whose pid another process has taken since). A user's files and
// folders that look alike, the names of earlier versions, links, FIFOs and
// names whose check fails stay, with everything they hold.
TEST_F(ScratchCase, TheCleanUpRemovesOnlyWhatItProvesItsOwn) {
    const ScratchOwner gone = goneOwner();
    // A pid that runs, but a process started at another time than the maker.
    const ScratchOwner reused{static_cast<long>(::getppid()), thisRunAsOwner().started + 1};
    const ScratchOwner running{static_cast<long>(::getppid()), processStartTime(::getppid()).value_or(0)};
    const QString in = folder + u'/';
    const QString goneFile = scratchEntryName(kScratchFilePrefix, gone, QStringLiteral("AbCdEf"));
    const QString goneSave = scratchEntryName(kSaveFolderPrefix, gone, QStringLiteral("AbC123"));
    const QString reusedFile = scratchEntryName(kScratchFilePrefix, reused, QStringLiteral("Reused"));
    QString forged = scratchEntryName(kScratchFilePrefix, gone, QStringLiteral("Forged"));
    forged[forged.size() - 1] = forged.back() == u'A' ? u'B' : u'A';

    const QStringList removedFiles = {goneFile, reusedFile};
    const QStringList keptFiles = {
        scratchEntryName(kScratchFilePrefix, running, QStringLiteral("Runner")),
        forged,
        QStringLiteral(".k5tmp-notes12345"),                  // an earlier version's form
        QStringLiteral(".k5tmp-%1-AbCdEfGh12").arg(gone.pid), // the form before the start time
        scratchEntryName(kScratchFilePrefix, gone, QStringLiteral("Pdf123")) + ".pdf", // more than the name
        scratchEntryName(kSaveFolderPrefix, gone, QStringLiteral("NotDir")), // a file under a folder's name
        QStringLiteral("K5dat02.k5d_dum"), // an earlier program's fixed name
    };
    const QStringList keptFolders = {
        QStringLiteral(".k5save-backup"), QStringLiteral(".k5open-photos"),
        QStringLiteral(".k5save-%1-AbC123").arg(gone.pid),
        scratchEntryName(kScratchFilePrefix, gone, QStringLiteral("Folder")), // a folder under a file's name
    };
    const QString link = scratchEntryName(kScratchFilePrefix, gone, QStringLiteral("LinkAb"));
    const QString fifo = scratchEntryName(kScratchFilePrefix, gone, QStringLiteral("FifoAb"));

    for (const QString& name : removedFiles + keptFiles)
        k5test::writeBytes(in + name, "user's");
    ASSERT_TRUE(QDir().mkpath(in + goneSave + QStringLiteral("/inner")));
    for (const QString& name : keptFolders) {
        ASSERT_TRUE(QDir().mkpath(in + name));
        k5test::writeBytes(in + name + QStringLiteral("/thesis.txt"), "a year's work");
    }
    ASSERT_TRUE(QFile::link(elsewhere, in + link));
    ASSERT_EQ(::mkfifo(QFile::encodeName(in + fifo).constData(), 0600), 0);

    ASSERT_TRUE(replaceFile(in + QStringLiteral("report.pdf"), {"new report"}));
    for (const QString& name : removedFiles + QStringList{goneSave})
        EXPECT_FALSE(QFileInfo::exists(in + name)) << name.toStdString();
    for (const QString& name : keptFiles)
        EXPECT_EQ(k5test::readBytes(in + name), QByteArray("user's")) << name.toStdString();
    for (const QString& name : keptFolders)
        EXPECT_EQ(k5test::readBytes(in + name + QStringLiteral("/thesis.txt")), QByteArray("a year's work"))
            << name.toStdString();
    EXPECT_TRUE(QFileInfo(in + link).isSymLink());
    EXPECT_TRUE(isFifo(in + fifo));
    EXPECT_EQ(k5test::readBytes(elsewhere), QByteArray("precious"));

    // A scratch of this run names this process, and a write beside it keeps it.
    ScratchFile mine(in + QStringLiteral("drawing.dxf"));
    ASSERT_TRUE(mine.isOpen());
    EXPECT_TRUE(
        QFileInfo(mine.path())
            .fileName()
            .startsWith(QStringLiteral(".k5tmp-%1-%2-").arg(::getpid()).arg(thisRunAsOwner().started)));
    ASSERT_TRUE(replaceFile(in + QStringLiteral("other.pdf"), {"x"}));
    EXPECT_TRUE(QFileInfo::exists(mine.path()));
}

// The tree's lock: a second holder waits for the given time and is then
// refused; once the first lets go, it takes it. A tree whose data folder
// cannot hold a lock file cannot be changed either, and says so apart.
TEST(TreeLock, OneHolderAtATime) {
    k5test::TempTree tree;
    const QString dat = tree.ctx.folders.dataFolder;
    TreeLock first;
    ASSERT_EQ(first.take(dat, 0), TreeLock::Result::Taken);
    TreeLock second;
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(second.take(dat, 300), TreeLock::Result::Busy);
    EXPECT_GE(waited.elapsed(), 300);
    EXPECT_FALSE(second.held());
    first.release();
    EXPECT_EQ(second.take(dat, 0), TreeLock::Result::Taken);
    EXPECT_TRUE(QFileInfo(treeLockFile(dat)).isFile());
    TreeLock nowhere;
    EXPECT_EQ(nowhere.take(dat + QStringLiteral("/missing"), 0), TreeLock::Result::Refused);
    EXPECT_TRUE(nowhere.refusedMessage().contains(dat + QStringLiteral("/missing/kamo-k5.lock")));
    EXPECT_EQ(treeBusyMessage(), QStringLiteral("別の KAMO-K5 がこの工事データを使用中です"));
}

// A lock file that is not a plain file would let a second writer in beside
// the first: a link (even to a good lock file), a folder, a FIFO or a file
// that cannot be opened is refused, named, and left as it was.
TEST(TreeLock, ALockFileThatIsNoPlainFileIsRefused) {
    struct Case {
        const char* what;
        std::function<void(const QString& lock, const QString& elsewhere)> plant;
        const char* why;
    };
    const Case cases[] = {
        {"link", [](const QString& lock, const QString& elsewhere) { QFile::link(elsewhere, lock); },
         "リンクになっています"},
        {"dangling link",
         [](const QString& lock, const QString& elsewhere) { QFile::link(elsewhere + "-gone", lock); },
         "リンクになっています"},
        {"folder", [](const QString& lock, const QString&) { QDir().mkpath(lock); },
         "フォルダになっています"},
        {"fifo",
         [](const QString& lock, const QString&) { ::mkfifo(QFile::encodeName(lock).constData(), 0600); },
         "通常のファイルではありません"},
    };
    for (const Case& c : cases) {
        k5test::TempTree tree;
        const QString dat = tree.ctx.folders.dataFolder;
        const QString elsewhere = tree.ctx.folders.top + QStringLiteral("elsewhere.lock");
        k5test::writeBytes(elsewhere, "x");
        c.plant(treeLockFile(dat), elsewhere);
        TreeLock lock;
        QElapsedTimer waited;
        waited.start();
        EXPECT_EQ(lock.take(dat, 3000), TreeLock::Result::Refused) << c.what;
        EXPECT_LT(waited.elapsed(), 1000) << c.what << ": refused at once, not after the wait";
        EXPECT_FALSE(lock.held()) << c.what;
        EXPECT_TRUE(lock.refusedMessage().contains(treeLockFile(dat))) << c.what;
        EXPECT_TRUE(lock.refusedMessage().contains(QString::fromUtf8(c.why))) << c.what;
        EXPECT_EQ(k5test::readBytes(elsewhere), QByteArray("x")) << c.what;
    }
    if (::geteuid() != 0) {
        k5test::TempTree tree;
        const QString dat = tree.ctx.folders.dataFolder;
        k5test::writeBytes(treeLockFile(dat), "");
        QFile::setPermissions(treeLockFile(dat), QFileDevice::Permissions{});
        TreeLock lock;
        EXPECT_EQ(lock.take(dat, 0), TreeLock::Result::Refused);
        EXPECT_TRUE(lock.refusedMessage().contains(QStringLiteral("読み書きの許可がありません")));
    }
}
