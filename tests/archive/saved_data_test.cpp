#include "archive/saved_data.h"
#include "temp_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace k5;
using k5test::readBytes;
using k5test::writeBytes;

namespace {

struct SavedData : ::testing::Test {
    QTemporaryDir root;
    QString from = root.filePath("from");
    QString to = root.filePath("to");
    void SetUp() override {
        QDir().mkpath(from);
        QDir().mkpath(to);
        writeBytes(from + "/v02_a.lzh", "archive a");
        writeBytes(from + "/B.LZH", "archive B");
        writeBytes(from + "/notes.txt", "not an archive");
        QDir().mkpath(from + "/folder.lzh"); // a folder is no archive
    }
    QStringList entries(const QString& folder) const {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
};

TEST_F(SavedData, ArchivesAreLzhFilesInAnyCase) {
    EXPECT_EQ(archivesIn(from), (QStringList{"B.LZH", "v02_a.lzh"}));
    EXPECT_EQ(archivesIn(root.filePath("gone")), QStringList{});
}

TEST_F(SavedData, MoveReplacesTheDestinationFileAndDeletesTheSourceAfterwards) {
    writeBytes(to + "/v02_a.lzh", "older copy");
    const FileBatch moved = copyArchives(from, to, {"v02_a.lzh", "B.LZH"}, true);
    EXPECT_TRUE(moved.allDone()) << qPrintable(moved.failed.join(u'\n'));
    EXPECT_EQ(readBytes(to + "/v02_a.lzh"), "archive a");
    EXPECT_EQ(readBytes(to + "/B.LZH"), "archive B");
    EXPECT_EQ(entries(from), (QStringList{"folder.lzh", "notes.txt"}));
    EXPECT_EQ(entries(to), (QStringList{"B.LZH", "v02_a.lzh"})) << "no scratch file left";
}

TEST_F(SavedData, CopyKeepsTheSources) {
    const FileBatch copied = copyArchives(from, to, {"B.LZH"}, false);
    EXPECT_EQ(copied.done, QStringList{"B.LZH"});
    EXPECT_EQ(readBytes(from + "/B.LZH"), "archive B");
    EXPECT_EQ(readBytes(to + "/B.LZH"), "archive B");
}

// Onto its own folder (also by another spelling of the path), a move would
// copy each file onto itself and then delete it.
TEST_F(SavedData, MoveOntoItsOwnFolderIsRefusedAndLosesNothing) {
    ASSERT_TRUE(QFile::link(from, root.filePath("link")));
    for (const QString& same : {from, from + "/", from + "/../from", root.filePath("link")}) {
        SCOPED_TRACE(qPrintable(same));
        EXPECT_TRUE(isSameFolder(from, same));
        const FileBatch moved = copyArchives(from, same, {"v02_a.lzh"}, true);
        EXPECT_TRUE(moved.done.isEmpty());
        EXPECT_EQ(moved.failed.size(), 1);
        EXPECT_EQ(readBytes(from + "/v02_a.lzh"), "archive a");
    }
    EXPECT_FALSE(isSameFolder(from, to));
}

// A destination that cannot be written (here a file where the folder should
// be, which stops root too): nothing is deleted at the source, and the
// failure names the file.
TEST_F(SavedData, FailedCopyKeepsTheSourceAndSaysWhichFile) {
    const QString notAFolder = root.filePath("to.lzh");
    writeBytes(notAFolder, "a file");
    const FileBatch moved = copyArchives(from, notAFolder, {"v02_a.lzh", "missing.lzh"}, true);
    EXPECT_TRUE(moved.done.isEmpty());
    ASSERT_EQ(moved.failed.size(), 2);
    EXPECT_TRUE(moved.failed[0].startsWith("v02_a.lzh（")) << qPrintable(moved.failed[0]);
    EXPECT_TRUE(moved.failed[1].startsWith("missing.lzh（")) << qPrintable(moved.failed[1]);
    EXPECT_EQ(readBytes(from + "/v02_a.lzh"), "archive a");
    EXPECT_EQ(readBytes(notAFolder), "a file");
}

TEST_F(SavedData, DeleteSaysWhatCouldNotBeDeleted) {
    const FileBatch deleted = deleteArchives(from, {"v02_a.lzh", "gone.lzh"});
    EXPECT_EQ(deleted.done, QStringList{"v02_a.lzh"});
    ASSERT_EQ(deleted.failed.size(), 1);
    EXPECT_TRUE(deleted.failed[0].startsWith("gone.lzh（"));
    EXPECT_FALSE(QFileInfo::exists(from + "/v02_a.lzh"));
    QDir().mkpath(from + "/folder.lzh/inside");
    const FileBatch refused = deleteArchives(from, {"folder.lzh"});
    EXPECT_EQ(refused.failed.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(from + "/folder.lzh/inside"));
}

TEST_F(SavedData, FolderNamesAreTrimmedAndCheckedBeforeCreating) {
    EXPECT_EQ(createSubfolder(to, "  2026年 "), QString());
    EXPECT_TRUE(QFileInfo(to + "/2026年").isDir());
    for (const QString& refused : QStringList{"   ", "..", ".", "a/b", "/tmp", "2026年"}) {
        SCOPED_TRACE(qPrintable(refused));
        EXPECT_FALSE(createSubfolder(to, refused).isEmpty());
    }
    EXPECT_EQ(entries(to), QStringList{"2026年"});
    EXPECT_FALSE(QFileInfo::exists(root.filePath("tmp")));
}

} // namespace
