#include "platform/file_replace.h"
#include "platform/tree_lock.h"
#include "temp_tree.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

// At start-up, what killed runs left is removed; what a running program
// holds (its lock on the file or folder) is not. Names without a pid are an
// earlier version's, judged by the lock alone.
TEST_F(ScratchCase, StaleScratchIsRemovedButLiveScratchIsKept) {
    ScratchFile live(target);
    ScratchFolder liveFolder(folder, kOpenFolderPrefix);
    ASSERT_TRUE(live.isOpen());
    ASSERT_TRUE(liveFolder.isValid());
    const QString locked = folder + QStringLiteral("/.k5tmp-LockedAbc1");
    k5test::writeBytes(locked, "an earlier version's, still writing");
    QFile lockedFile(locked);
    ASSERT_TRUE(lockedFile.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(lockedFile.handle(), LOCK_EX | LOCK_NB), 0);

    k5test::writeBytes(folder + QStringLiteral("/.k5tmp-killedRun1"), "half a job");
    const QString killedOpen = folder + QStringLiteral("/.k5open-AbC123");
    ASSERT_TRUE(QDir().mkpath(killedOpen + QStringLiteral("/inner")));
    k5test::writeBytes(killedOpen + QStringLiteral("/inner/K5dat02.k5d"), "extracted");
    k5test::writeBytes(folder + QStringLiteral("/.k5other"), "not ours");
    ASSERT_TRUE(QFile::link(elsewhere, folder + QStringLiteral("/.k5save-LinkAb")));

    EXPECT_EQ(removeStaleScratch(folder), 3);
    EXPECT_TRUE(QFileInfo::exists(live.path()));
    EXPECT_TRUE(QFileInfo(liveFolder.path()).isDir());
    EXPECT_TRUE(QFileInfo::exists(locked));
    EXPECT_FALSE(QFileInfo::exists(killedOpen));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/.k5other")));
    EXPECT_EQ(k5test::readBytes(elsewhere), QByteArray("precious")); // the link went, not its file
    EXPECT_EQ(k5test::readBytes(target), QByteArray("old job"));
}

// A run killed while writing a report or a drawing into a folder of the
// user's left its scratch file there: the next file written into that
// folder removes it. What a live writer holds, and any entry that is not a
// scratch of the program's naming and kind, stays.
TEST_F(ScratchCase, TheNextWriteRemovesWhatAGoneWriterLeft) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const QString dead = QString::number(child);
    const QString live = QString::number(::getppid()); // alive, and its file carries no lock
    const QString in = folder + u'/';

    const QStringList removed = {
        QStringLiteral(".k5tmp-%1-AbCdEfGh12").arg(dead), QStringLiteral(".k5save-%1-AbC123").arg(dead),
        QStringLiteral(".k5tmp-%1-LinkAbcdef").arg(dead), // a link: removed as a link
    };
    const QStringList kept = {
        QStringLiteral(".k5tmp-%1-AbCdEfGh12").arg(live),     QStringLiteral(".k5tmp-notes.txt"),
        QStringLiteral(".k5tmp-%1-AbCdEfGh12.pdf").arg(dead), QStringLiteral(".k5tmp-%1-short").arg(dead),
        QStringLiteral(".k5tmp-+%1-AbCdEfGh12").arg(dead),
        QStringLiteral(".k5tmp-%1-Folder1234").arg(dead), // a folder under a file's name
        QStringLiteral(".k5save-%1-NotDir").arg(dead),    // a file under a folder's name
        QStringLiteral(".k5tmp-%1-FifoAbcdef").arg(dead), // never opened: it would block
    };
    k5test::writeBytes(in + removed[0], "half a report");
    ASSERT_TRUE(QDir().mkpath(in + removed[1] + QStringLiteral("/inner")));
    ASSERT_TRUE(QFile::link(elsewhere, in + removed[2]));
    for (const QString& name : kept.mid(0, 5))
        k5test::writeBytes(in + name, "user's");
    ASSERT_TRUE(QDir().mkdir(in + kept[5]));
    k5test::writeBytes(in + kept[6], "user's");
    ASSERT_EQ(::mkfifo(QFile::encodeName(in + kept[7]).constData(), 0600), 0);

    ASSERT_TRUE(replaceFile(in + QStringLiteral("report.pdf"), {"new report"}));
    for (const QString& name : removed)
        EXPECT_FALSE(QFileInfo(in + name).exists() || QFileInfo(in + name).isSymLink()) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFileInfo(in + name).exists()) << name.toStdString();
    EXPECT_EQ(k5test::readBytes(elsewhere), QByteArray("precious"));
    EXPECT_EQ(k5test::readBytes(in + kept[0]), QByteArray("user's"));

    // A scratch of this run names this process, and a write beside it keeps it.
    ScratchFile mine(in + QStringLiteral("drawing.dxf"));
    ASSERT_TRUE(mine.isOpen());
    EXPECT_TRUE(QFileInfo(mine.path()).fileName().startsWith(QStringLiteral(".k5tmp-%1-").arg(::getpid())));
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
    EXPECT_EQ(TreeLock().take(dat + QStringLiteral("/missing"), 0), TreeLock::Result::Unavailable);
    EXPECT_EQ(treeBusyMessage(), QStringLiteral("別の KAMO-K5 がこの工事データを使用中です"));
}
