#pragma once
#include "platform/prompt.h"

#include <QString>
#include <functional>

// Saving the job as an LZH archive and opening one again. The archiver
// program does the packing; this side makes sure that no step of it can cost
// the user a job: the current job files are replaced only by a job that came
// out of the archive whole, and an existing archive only by one that was
// written completely and reads back.
namespace k5 {

struct ControlSettings;
struct Folders;
struct JobState;

// Archive and member names. Current archives carry the job file
// "K5dat02.k5d" and begin with "v02_" (exactly so); any other archive is
// taken for one of the oldest format, with the job file "K5dat.k5d".
inline const QString kCurrentArchivePrefix = QStringLiteral("v02_");
inline const QString kArchiveSuffix = QStringLiteral(".lzh");
inline const QString kCurrentMember = QStringLiteral("K5dat02.k5d");
inline const QString kOldMember = QStringLiteral("K5dat.k5d");

// Dialog titles and the archive filter's caption.
inline const QString kOpenDialogTitle = QStringLiteral("保存データを読み込む");
inline const QString kSaveDialogTitle = QStringLiteral("［保存］");
inline const QString kArchiveFilterCaption = QStringLiteral("圧縮ﾌｧｲﾙ(*.lzh)");

// The fixed texts of the two commands.
QString openQuestion();
QString openCancelledMessage();
QString openUnexpectedMessage();
QString saveCancelledMessage();
QString saveUnexpectedMessage();
QString nothingToSaveMessage();
QString overwriteQuestion();
QString savedMessage();

// ".lzh" in any case ends an archive's name.
bool hasArchiveSuffix(const QString& fileName);
// The path with ".lzh" added unless its name already ends in it.
QString withArchiveSuffix(const QString& path);
bool isCurrentArchiveName(const QString& fileName);
// The name the save dialog proposes: the job's file name, "v02_" in front
// unless it begins with it.
QString proposedSaveName(const JobState& job);

// The folder archives are looked for first: lastSaveFolder when it is a
// folder that can be entered; otherwise the save folder (blank, "~", a
// folder of another machine or one gone since). Empty when neither can be
// entered.
QString archiveStartFolder(const Folders& folders, const ControlSettings& control);

// A name not taken by an archive in `folder` (in any case of letters):
// `name` itself, else name + "(2)", "(3)"... cut so that it still fits the
// 52 bytes of the record's file name field. Empty when none is free.
QString freeArchiveName(const QString& folder, const QString& name);

// Lives for the run.
struct ArchiveSession {
    QString openedFolder; // folder of the archive opened last; converted jobs are saved there
};

// What the archive commands work on and with.
struct ArchiveWork {
    const Folders& folders;
    ControlSettings& control;
    JobState& job;
    ArchiveSession& session;
    Prompt& prompt;
    // The window is disabled (true) while the archiver runs, enabled after.
    std::function<void(bool busy)> setBusy = {};
};

// A file dialog: the path chosen, starting in `folder` and proposing `name`;
// empty when cancelled.
using ChooseArchive = std::function<QString(const QString& folder, const QString& name)>;

// "データを開く...": the dialog (shown again until an archive is chosen),
// the question, then openArchiveFile. Succeeds when the job was replaced;
// cancelling fails, with its message or none.
Outcome openArchiveCommand(ArchiveWork& work, const ChooseArchive& chooseFile);
// Opens `archivePath` into the data folder, asking first when `confirm`.
// An old archive's job is converted and saved again as a current archive.
Outcome openArchiveFile(ArchiveWork& work, const QString& archivePath, bool confirm);

// "名前を付けてデータを保存...": the dialog, the overwrite question, then
// saveArchiveFile.
Outcome saveArchiveCommand(ArchiveWork& work, const ChooseArchive& chooseFile);
// Saves the job as `archivePath` (".lzh" added when missing), replacing an
// existing file only once the new archive is complete; on success the
// archive's folder becomes lastSaveFolder and the control file is saved.
Outcome saveArchiveFile(ArchiveWork& work, const QString& archivePath);

// After the job in the data folder was converted from the oldest format:
// saves it as `archiveName` in the folder of the archive opened last (or the
// save folder), under a free name when that one is taken; the job's file
// name in `job` and in every record follow. Says so when the name changed or
// the save failed.
void archiveConvertedJob(ArchiveWork& work, const QString& archiveName);

} // namespace k5
