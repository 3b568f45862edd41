#include "archive_fixture.h"

#include "jobdata/control_file.h"
#include "jobdata/job_file.h"
#include "jobdata/job_identity_file.h"
#include "platform/file_replace.h"
#include "shell/startup.h"

#include <unistd.h>

using namespace k5;
using k5test::readBytes;
using k5test::writeBytes;
using k5test::writeSampleJob;

namespace {

using ArchiveDriver = k5test::ArchiveFixture;

// Every record's stored file name.
QStringList fileNames(const Folders& folders) {
    QStringList names;
    for (int n = 1; n <= recordCountOf(folders); ++n)
        names << readRecord(folders, n)->fileName;
    return names;
}

// A chooser that answers from a list and records what it was offered.
struct Dialog {
    QStringList answers;
    QStringList offered; // "folder|name" per showing
    ChooseArchive chooser() {
        return [this](const QString& folder, const QString& name) {
            offered << folder + u'|' + name;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        };
    }
};

TEST_F(ArchiveDriver, SavedJobOpensAgainByteForByteAndReplacesBothJobFiles) {
    const QByteArray job = sampleJobBytes(3);
    ArchiveWork w = work();
    std::vector<bool> busy;
    w.setBusy = [&](bool b) { busy.push_back(b); };
    const Outcome saved = saveArchiveFile(w, save("v02_試験.lzh"));
    ASSERT_TRUE(saved.ok) << qPrintable(saved.message.text);
    EXPECT_EQ(saved.message.text, QStringLiteral("データを保存しました。　　　"));
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(member(save("v02_試験.lzh"), "K5dat02.k5d"), job);
    EXPECT_EQ(archiveMembers(save("v02_試験.lzh")), QStringList{"K5dat02.k5d"});
    // The folder is remembered, also in the control file.
    EXPECT_EQ(ctx.control.lastSaveFolder, ctx.folders.saveFolder);
    ControlSettings reread;
    loadControlFile(ctx.folders, reread);
    EXPECT_EQ(reread.lastSaveFolder, ctx.folders.saveFolder);
    // Nothing of the scratch work stays behind.
    EXPECT_EQ(QDir(ctx.folders.saveFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"v02_試験.lzh"});

    // Another job, with a leftover old job file: both give way to the archive's job.
    writeSampleJob(ctx, 5);
    writeBytes(oldJobFile(), k5test::oldRecord("old", "A", 1000));
    ctx.job.currentRecord = 4;
    const Outcome opened = openArchiveFile(w, save("v02_試験.lzh"), true);
    ASSERT_TRUE(opened.ok) << qPrintable(opened.message.text);
    EXPECT_EQ(
        prompt.texts(),
        QStringList{
            "現在のデータに上書きして読み込まれます。　　　　　\nいいですか？\n\n（中止する場合は[ｷｬﾝｾﾙ]）"});
    EXPECT_EQ(readBytes(jobFile()), job);
    EXPECT_FALSE(QFileInfo::exists(oldJobFile()));
    EXPECT_EQ(ctx.job.currentRecord, 0);
    EXPECT_EQ(ctx.job.recordCount, 3);
    EXPECT_EQ(ctx.archive.openedFolder, ctx.folders.saveFolder);
    EXPECT_EQ(QDir(ctx.folders.dataFolder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{})
        << "scratch folders removed";
}

// The archive carries only the job file: the names kept for the empty job
// that was open never label the opened one.
TEST_F(ArchiveDriver, AnOpenedJobDropsTheIdentityKeptForTheEmptyJobBefore) {
    makeArchive(save("v02_空.lzh"), {{"K5dat02.k5d", {}}});
    JobState named;
    named.currentJobName = named.currentFileName = QStringLiteral("空の工事");
    named.unitSystem = 2;
    ASSERT_TRUE(replaceWithEmptyJob(ctx.folders, named));
    ArchiveWork w = work();
    ASSERT_TRUE(openArchiveFile(w, save("v02_空.lzh"), false).ok);
    EXPECT_FALSE(QFileInfo::exists(jobIdentityPath(ctx.folders)));
    EXPECT_EQ(ctx.job.currentJobName, kUndecided);
    EXPECT_EQ(ctx.job.unitSystem, 1);
}

TEST_F(ArchiveDriver, MembersAreFoundInAnyCaseAndWrittenUnderTheirExactNames) {
    const QByteArray job = sampleJobBytes(2);
    makeArchive(save("v02_win.LZH"), {{"K5DAT02.K5D", job}});
    QFile::remove(jobFile());
    ArchiveWork w = work();
    ASSERT_TRUE(openArchiveFile(w, save("v02_win.LZH"), false).ok);
    EXPECT_EQ(readBytes(jobFile()), job);
    EXPECT_FALSE(QFileInfo::exists(ctx.folders.dataFolder + "/K5DAT02.K5D"));
    EXPECT_TRUE(prompt.texts().isEmpty()) << "no question without confirm";
}

// An archive saved under a name without "v02_" holds the current job file;
// the name alone would send the open after "K5dat.k5d" and lose it.
TEST_F(ArchiveDriver, ArchiveIsRecognisedByItsMemberWhenTheNameSaysOtherwise) {
    const QByteArray job = sampleJobBytes(2);
    ArchiveWork w = work();
    ASSERT_TRUE(saveArchiveFile(w, save("mine.lzh")).ok);
    writeSampleJob(ctx, 4);
    const Outcome opened = openArchiveFile(w, save("mine.lzh"), false);
    ASSERT_TRUE(opened.ok) << qPrintable(opened.message.text);
    EXPECT_EQ(readBytes(jobFile()), job);
    EXPECT_EQ(QDir(ctx.folders.saveFolder).entryList(QDir::Files), QStringList{"mine.lzh"})
        << "nothing converted";
}

// The old archive's job is converted, takes "v02_" + its file name in every
// record, and is saved as that archive beside the one opened.
TEST_F(ArchiveDriver, OldArchiveIsConvertedAndSavedAsCurrentArchiveBesideIt) {
    struct Case {
        QString archive;  // name of the old archive
        QString fileName; // file name in its records
        QString expected; // name of the converted job and its archive
    };
    const QList<Case> cases{
        {"A.lzh", "A", "v02_A"},
        {"V02_B.lzh", "C", "v02_C"}, // "V02_" is not the current prefix
        {"evil.lzh", "../up/x", "v02__._up_x"},
        {"long.lzh", QString(30, QChar(u'長')), "v02_" + QString(24, QChar(u'長'))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.archive));
        const QString path = elsewhere.filePath(c.archive);
        makeArchive(path, {{"K5dat.k5d", k5test::oldRecord(c.fileName, "F1", 2500) +
                                             k5test::oldRecord(c.fileName, "F2", 3000)}});
        writeSampleJob(ctx, 1);
        prompt.clear();
        ArchiveWork w = work();
        const Outcome opened = openArchiveFile(w, path, false);
        ASSERT_TRUE(opened.ok) << qPrintable(opened.message.text);
        // The user is told which archive now holds the job, and where.
        EXPECT_EQ(opened.message.text, QStringLiteral("古い形式のデータを変換し、") + c.expected +
                                           QStringLiteral(".lzhとして保存しました。\n") + elsewhere.path());
        EXPECT_EQ(fileNames(ctx.folders), QStringList(2, c.expected));
        EXPECT_EQ(ctx.job.currentFileName, c.expected);
        EXPECT_EQ(readRecord(ctx.folders, 2)->name, "F2");
        EXPECT_FALSE(QFileInfo::exists(oldJobFile()));
        const QString converted = elsewhere.filePath(c.expected + ".lzh");
        ASSERT_TRUE(QFileInfo::exists(converted));
        EXPECT_EQ(member(converted, "K5dat02.k5d"), readBytes(jobFile()));
    }
    // Nothing was written outside the opened archive's folder.
    EXPECT_FALSE(QFileInfo::exists(elsewhere.path() + "/../up"));
}

TEST_F(ArchiveDriver, ConvertingNeverOverwritesAnExistingCurrentArchive) {
    const QString path = elsewhere.filePath("A.lzh");
    makeArchive(path, {{"K5dat.k5d", k5test::oldRecord("A", "F1", 2500)}});
    writeBytes(elsewhere.filePath("v02_A.lzh"), "the user's archive");
    writeBytes(elsewhere.filePath("V02_A(2).LZH"), "another one");
    ArchiveWork w = work();
    const Outcome opened = openArchiveFile(w, path, false);
    ASSERT_TRUE(opened.ok);
    EXPECT_EQ(readBytes(elsewhere.filePath("v02_A.lzh")), "the user's archive");
    EXPECT_EQ(readBytes(elsewhere.filePath("V02_A(2).LZH")), "another one");
    EXPECT_EQ(ctx.job.currentFileName, "v02_A(3)");
    EXPECT_EQ(fileNames(ctx.folders), QStringList{"v02_A(3)"});
    EXPECT_EQ(member(elsewhere.filePath("v02_A(3).lzh"), "K5dat02.k5d"), readBytes(jobFile()));
    EXPECT_TRUE(opened.message.text.contains("v02_A.lzh")) << qPrintable(opened.message.text);
    EXPECT_TRUE(opened.message.text.contains("v02_A(3).lzh")) << qPrintable(opened.message.text);
}

TEST_F(ArchiveDriver, FreeNamesStillFitTheRecordField) {
    const QString full = "v02_" + QString(24, QChar(u'長')); // 52 bytes
    writeBytes(elsewhere.filePath(full + ".lzh"), "x");
    EXPECT_EQ(freeArchiveName(elsewhere.path(), "v02_A"), "v02_A");
    EXPECT_EQ(freeArchiveName(elsewhere.path(), full), "v02_" + QString(22, QChar(u'長')) + "(2)");
}

// Whatever goes wrong on the way, the current job files stay as they were.
TEST_F(ArchiveDriver, FailedOpenKeepsTheCurrentJob) {
    const QByteArray job = sampleJobBytes(2);
    const QByteArray leftover = k5test::oldRecord("old", "A", 1000);
    writeBytes(oldJobFile(), leftover);
    ArchiveWork w = work();
    ASSERT_TRUE(saveArchiveFile(w, save("v02_good.lzh")).ok);
    const QByteArray good = readBytes(save("v02_good.lzh"));

    QByteArray flipped = good;
    flipped[flipped.size() - 10] = static_cast<char>(flipped[flipped.size() - 10] ^ 0x55);
    writeBytes(save("v02_flipped.lzh"), flipped);
    writeBytes(save("v02_cut.lzh"), good.left(good.size() / 2));
    writeBytes(save("v02_text.lzh"), "not an archive at all");
    makeArchive(save("v02_other.lzh"), {{"readme.txt", "no job in here"}});
    makeArchive(save("empty.lzh"), {{"K5dat.k5d", QByteArray()}}); // an old job without records

    for (const QString& name :
         QStringList{"v02_flipped.lzh", "v02_cut.lzh", "v02_text.lzh", "v02_other.lzh", "empty.lzh"}) {
        SCOPED_TRACE(qPrintable(name));
        const Outcome opened = openArchiveFile(w, save(name), false);
        EXPECT_FALSE(opened.ok);
        EXPECT_TRUE(opened.message.text.endsWith("データ読込を中止しました｡ "))
            << qPrintable(opened.message.text);
        EXPECT_EQ(readBytes(jobFile()), job);
        EXPECT_EQ(readBytes(oldJobFile()), leftover);
    }
    // The same when the archiver fails or cannot be started at all.
    for (const QByteArray& script : {QByteArray("echo broken >&2; exit 3"), QByteArray("kill -9 $$")}) {
        fakeArchiver(script);
        EXPECT_FALSE(openArchiveFile(w, save("v02_good.lzh"), false).ok);
        EXPECT_EQ(readBytes(jobFile()), job);
    }
    QFile::remove(archiverPath(ctx.folders));
    const Outcome missing = openArchiveFile(w, save("v02_good.lzh"), false);
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.message.text.contains(archiverPath(ctx.folders))) << qPrintable(missing.message.text);
    EXPECT_EQ(readBytes(jobFile()), job);
    EXPECT_EQ(readBytes(oldJobFile()), leftover);
    EXPECT_EQ(QDir(ctx.folders.dataFolder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{})
        << "scratch folders removed";
}

TEST_F(ArchiveDriver, CancelAtTheQuestionKeepsBothJobFiles) {
    const QByteArray job = sampleJobBytes(2);
    writeBytes(oldJobFile(), "old");
    ArchiveWork w = work();
    ASSERT_TRUE(saveArchiveFile(w, save("v02_a.lzh")).ok);
    writeSampleJob(ctx, 3);
    const QByteArray current = readBytes(jobFile());
    prompt.clear();
    prompt.script({Answer::Cancel});
    const Outcome opened = openArchiveFile(w, save("v02_a.lzh"), true);
    EXPECT_FALSE(opened.ok);
    EXPECT_TRUE(opened.message.text.isEmpty());
    EXPECT_EQ(readBytes(jobFile()), current);
    EXPECT_EQ(readBytes(oldJobFile()), "old");
}

// A failing archiver, one that writes rubbish, or one that is missing: the
// user's archive stays as it was and the failure is said as such.
TEST_F(ArchiveDriver, FailedSaveKeepsTheOldArchiveAndSaysSo) {
    sampleJobBytes(2);
    writeBytes(save("v02_a.lzh"), "the archive saved last week");
    ctx.control.lastSaveFolder = elsewhere.path();
    const QList<QByteArray> archivers{
        "exit 1",
        "echo rubbish > \"$2\"; exit 0", // "succeeds" without a readable archive
        "kill -9 $$",
    };
    ArchiveWork w = work();
    for (const QByteArray& script : archivers) {
        SCOPED_TRACE(script.constData());
        fakeArchiver(script);
        const Outcome saved = saveArchiveFile(w, save("v02_a.lzh"));
        EXPECT_FALSE(saved.ok);
        EXPECT_TRUE(saved.message.text.endsWith("データ保存を中止しました｡ "))
            << qPrintable(saved.message.text);
        EXPECT_FALSE(saved.message.text.contains("データを保存しました"));
        EXPECT_EQ(readBytes(save("v02_a.lzh")), "the archive saved last week");
        EXPECT_EQ(ctx.control.lastSaveFolder, elsewhere.path());
    }
    QFile::remove(archiverPath(ctx.folders));
    EXPECT_FALSE(saveArchiveFile(w, save("v02_a.lzh")).ok);
    EXPECT_EQ(readBytes(save("v02_a.lzh")), "the archive saved last week");
    EXPECT_EQ(QDir(ctx.folders.saveFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"v02_a.lzh"});
}

TEST_F(ArchiveDriver, ProposedSaveNames) {
    const QList<std::pair<QString, QString>> cases{
        {"A", "v02_A"}, {"v02_A", "v02_A"}, {"V02_A", "v02_V02_A"}, {"a/b", "v02_a_b"}, {"", "v02_"},
    };
    for (const auto& [fileName, proposed] : cases) {
        JobState job;
        job.currentFileName = fileName;
        EXPECT_EQ(proposedSaveName(job), proposed) << qPrintable(fileName);
    }
}

TEST_F(ArchiveDriver, SaveDialogOverwriteQuestionAndCancel) {
    sampleJobBytes(1);
    ctx.job.currentFileName = "A";
    writeBytes(save("v02_A.lzh"), "old");
    ArchiveWork w = work();

    // A name typed without ".lzh" is the existing archive: the question comes
    // first. No shows the dialog again with the name; Cancel ends the save.
    Dialog dialog{{save("v02_A"), save("v02_A.lzh")}, {}};
    prompt.script({Answer::No, Answer::Cancel});
    Outcome saved = saveArchiveCommand(w, dialog.chooser());
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.message.text, "データ保存を中止しました｡ ");
    EXPECT_EQ(dialog.offered,
              (QStringList{ctx.folders.saveFolder + "|v02_A", ctx.folders.saveFolder + "|v02_A.lzh"}));
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].title, "［保存］");
    EXPECT_EQ(prompt.shown()[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(prompt.shown()[0].icon, Icon::None);
    EXPECT_EQ(prompt.shown()[0].text,
              "ファイルはすでに存在しています。\n上書き保存しますか？（中止する場合は[ｷｬﾝｾﾙ]）　　　");
    EXPECT_EQ(readBytes(save("v02_A.lzh")), "old");

    // Yes replaces it.
    prompt.clear();
    dialog = {{save("v02_A")}, {}};
    prompt.script({Answer::Yes});
    saved = saveArchiveCommand(w, dialog.chooser());
    EXPECT_TRUE(saved.ok);
    EXPECT_EQ(member(save("v02_A.lzh"), "K5dat02.k5d"), readBytes(jobFile()));

    // Cancelling the dialog.
    dialog = {{}, {}};
    saved = saveArchiveCommand(w, dialog.chooser());
    EXPECT_EQ(saved.message.text, "データ保存を中止しました｡ ");

    // No job file: nothing to save, no dialog.
    QFile::remove(jobFile());
    dialog = {{save("x.lzh")}, {}};
    saved = saveArchiveCommand(w, dialog.chooser());
    EXPECT_EQ(saved.message.text, "保存する有効なデータファイルがありません。\nデータの保存を中止します。");
    EXPECT_TRUE(dialog.offered.isEmpty());
}

TEST_F(ArchiveDriver, StartFolderFallsBackToTheSaveFolder) {
    const QList<std::pair<QString, QString>> cases{
        {"", ctx.folders.saveFolder},
        {"~", ctx.folders.saveFolder},
        {"C:\\KMD\\K5\\保存データ", ctx.folders.saveFolder},
        {elsewhere.path() + "/gone", ctx.folders.saveFolder},
        {"relative/folder", ctx.folders.saveFolder},
        {elsewhere.path(), elsewhere.path()},
    };
    for (const auto& [last, start] : cases) {
        ctx.control.lastSaveFolder = last;
        EXPECT_EQ(archiveStartFolder(ctx.folders, ctx.control), start) << qPrintable(last);
    }
}

// Neither the last folder nor the save folder: the open ends once with its
// message instead of trying again and again.
TEST_F(ArchiveDriver, OpenWithoutAnyFolderToStartInEndsWithItsMessage) {
    ctx.control.lastSaveFolder = elsewhere.path() + "/gone";
    QDir(ctx.folders.saveFolder).removeRecursively();
    Dialog dialog;
    ArchiveWork w = work();
    const Outcome opened = openArchiveCommand(w, dialog.chooser());
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.message.text,
              "データ読込で予期せぬエラーが発生しました。　　　\nデータ読込を中止しました｡ ");
    EXPECT_TRUE(dialog.offered.isEmpty());
    const Outcome saved = [&] {
        sampleJobBytes(1);
        return saveArchiveCommand(w, dialog.chooser());
    }();
    EXPECT_EQ(saved.message.text, "予期せぬエラーが発生しました。\nデータ保存を中止しました｡ ");
}

TEST_F(ArchiveDriver, OpenDialogCancelAndNamesThatAreNoArchive) {
    const QByteArray job = sampleJobBytes(1);
    ArchiveWork w = work();
    ASSERT_TRUE(saveArchiveFile(w, save("v02_a.lzh")).ok);
    ctx.control.lastSaveFolder = "~";
    ctx.archive.openedFolder = "/somewhere";
    QDir::setCurrent(ctx.folders.saveFolder);

    Dialog dialog{{save("notes.txt")}, {}};
    const Outcome cancelled = openArchiveCommand(w, dialog.chooser());
    EXPECT_FALSE(cancelled.ok);
    EXPECT_EQ(cancelled.message.text, "データ読込を中止しました｡ 　　　");
    EXPECT_EQ(dialog.offered,
              (QStringList{ctx.folders.saveFolder + "|", ctx.folders.saveFolder + "|notes.txt"}));
    EXPECT_TRUE(ctx.archive.openedFolder.isEmpty());
    EXPECT_EQ(ctx.control.lastSaveFolder, ctx.folders.saveFolder);
    // Cancel leaves the program's folder as the current directory.
    EXPECT_EQ(QDir::currentPath(), QDir(ctx.folders.prgFolder).canonicalPath());
    EXPECT_EQ(readBytes(jobFile()), job);
}

TEST_F(ArchiveDriver, LastSaveFolderTooLongForTheControlFileIsLeftBlank) {
    const QString fits = "/" + QString(98, QChar(u'a'));    // 99 bytes and "~"
    const QString tooLong = "/" + QString(99, QChar(u'a')); // no room for "~"
    const QString wide = "/" + QString(49, QChar(u'保'));   // 99 bytes in CP932
    const QList<std::pair<QString, QString>> cases{
        {fits, fits},   {tooLong, ""},    {wide, wide}, {wide + "a", ""},
        {"/tmp/😀", ""}, {"/tmp/a~b", ""}, {"", ""},
    };
    for (const auto& [folder, stored] : cases) {
        ControlSettings settings;
        settings.lastSaveFolder = folder;
        saveControlFile(ctx.folders, settings);
        ControlSettings reread;
        loadControlFile(ctx.folders, reread);
        EXPECT_EQ(reread.lastSaveFolder, stored) << qPrintable(folder);
    }
}

// A job file converted when the job is loaded (the oldest job file left in
// the data folder) is kept as an archive in the save folder at once.
TEST_F(ArchiveDriver, JobConvertedOnLoadingIsArchivedInTheSaveFolder) {
    const QString prg = ctx.folders.prgFolder;
    ASSERT_TRUE(startUp(ctx, prg + "/kamo-k5", prg).ok);
    writeBytes(save("v02_A.lzh"), "taken");
    writeBytes(oldJobFile(), k5test::oldRecord("A", "F1", 2500));
    loadJob(ctx.folders, ctx.job, ctx.jobHooks);
    EXPECT_EQ(ctx.job.currentFileName, "v02_A(2)");
    EXPECT_EQ(fileNames(ctx.folders), QStringList{"v02_A(2)"});
    // (Loading repairs the records' defaults after the archive was made.)
    const QByteArray archived = member(save("v02_A(2).lzh"), "K5dat02.k5d");
    ASSERT_EQ(archived.size(), FoundationRecord::kLength);
    EXPECT_EQ(decodeRecord(archived).fileName, "v02_A(2)");
    EXPECT_EQ(readBytes(save("v02_A.lzh")), "taken");
}

} // namespace

// An archive whose job the program could not load is refused before the
// swap, with the load's message naming the archive, and the current job
// stays byte for byte.
TEST_F(ArchiveDriver, ArchiveOpeningToAJobThatCannotBeLoadedIsRefused) {
    const QByteArray job = sampleJobBytes(2);
    const QByteArray record = job.left(FoundationRecord::kLength);
    QByteArray version999 = record;
    version999[0] = static_cast<char>(999 & 0xff);
    version999[1] = static_cast<char>(999 >> 8);
    const QByteArray oldRecord = k5test::oldRecord("old", "F1", 2500);
    const struct {
        const char* archive;
        const char* member;
        QByteArray bytes;
        const char* said;
    } cases[] = {
        {"v02_text.lzh", "K5dat02.k5d", "this is a text file, not a job\r\n", "形式を判別できません"},
        {"v02_half.lzh", "K5dat02.k5d", record + record.left(record.size() / 2), "倍数ではありません"},
        {"v02_999.lzh", "K5dat02.k5d", version999, "形式を判別できません（バージョン 999）"},
        {"old_cut.lzh", "K5dat.k5d", oldRecord + oldRecord.left(800), "倍数ではありません"},
    };
    ArchiveWork w = work();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archive);
        makeArchive(save(c.archive), {{c.member, c.bytes}});
        const Outcome opened = openArchiveFile(w, save(c.archive), false);
        EXPECT_FALSE(opened.ok);
        EXPECT_TRUE(opened.message.text.contains(QString::fromUtf8(c.said)))
            << qPrintable(opened.message.text);
        EXPECT_TRUE(opened.message.text.contains(save(c.archive))) << qPrintable(opened.message.text);
        EXPECT_FALSE(opened.message.text.contains(kOpenFolderPrefix)) << qPrintable(opened.message.text);
        EXPECT_EQ(readBytes(jobFile()), job);
        EXPECT_FALSE(QFileInfo::exists(oldJobFile()));
        EXPECT_TRUE(k5test::scratchLeftIn(ctx.folders.dataFolder).isEmpty());
    }
}

// An old job whose records hold no file name is named after the archive it
// came from, not "v02_".
TEST_F(ArchiveDriver, OldJobWithoutFileNameTakesTheArchiveName) {
    makeArchive(elsewhere.filePath("旧データ.lzh"), {{"K5dat.k5d", k5test::oldRecord("", "F1", 2500)}});
    ArchiveWork w = work();
    const Outcome opened = openArchiveFile(w, elsewhere.filePath("旧データ.lzh"), false);
    ASSERT_TRUE(opened.ok) << qPrintable(opened.message.text);
    EXPECT_EQ(ctx.job.currentFileName, "v02_旧データ");
    EXPECT_TRUE(QFileInfo::exists(elsewhere.filePath("v02_旧データ.lzh")));
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath("v02_.lzh")));
}

// A save names an archive file, and replaces only one the user may change.
TEST_F(ArchiveDriver, SaveRefusesNoNameAndAReadOnlyArchive) {
    sampleJobBytes(1);
    ArchiveWork w = work();
    for (const QString& noName : {elsewhere.path() + u'/', elsewhere.filePath(".lzh")}) {
        const Outcome saved = saveArchiveFile(w, noName);
        EXPECT_FALSE(saved.ok) << qPrintable(noName);
        EXPECT_TRUE(saved.message.text.contains("ファイル名がありません")) << qPrintable(saved.message.text);
    }
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{});
    if (geteuid() == 0) return; // root writes read-only files
    writeBytes(elsewhere.filePath("v02_ro.lzh"), "kept");
    QFile::setPermissions(elsewhere.filePath("v02_ro.lzh"), QFile::ReadOwner);
    EXPECT_FALSE(saveArchiveFile(w, elsewhere.filePath("v02_ro.lzh")).ok);
    EXPECT_EQ(readBytes(elsewhere.filePath("v02_ro.lzh")), "kept");
}
