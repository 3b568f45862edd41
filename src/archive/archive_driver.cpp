#include "archive/archive_driver.h"

#include "archive/archiver.h"
#include "jobdata/control_file.h"
#include "jobdata/format_conversion.h"
#include "jobdata/foundation_record.h"
#include "jobdata/job_file.h"
#include "jobdata/job_identity_file.h"
#include "jobdata/job_state.h"
#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/record_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

const QString kNl = QStringLiteral("\n");
const QString kOpenStopped = QStringLiteral("データ読込を中止しました｡ ");
const QString kSaveStopped = QStringLiteral("データ保存を中止しました｡ ");
const QString kJobKept = QStringLiteral("現在のデータはそのまま残っています。");

// Every way out of an archive command leaves the program's folder as the
// current directory, where the program always works from.
class ProgramFolderRestorer {
  public:
    explicit ProgramFolderRestorer(const Folders& folders) : folder_(folders.prgFolder) {}
    ~ProgramFolderRestorer() {
        if (QFileInfo(folder_).isDir()) QDir::setCurrent(folder_);
    }
    ProgramFolderRestorer(const ProgramFolderRestorer&) = delete;
    ProgramFolderRestorer& operator=(const ProgramFolderRestorer&) = delete;

  private:
    QString folder_;
};

// The window stays disabled for exactly as long as the scope.
class BusyScope {
  public:
    explicit BusyScope(const std::function<void(bool)>& setBusy) : setBusy_(setBusy) {
        if (setBusy_) setBusy_(true);
    }
    ~BusyScope() {
        if (setBusy_) setBusy_(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    const std::function<void(bool)>& setBusy_;
};

bool sameFileName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

bool canEnter(const QString& folder) {
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isAbsolute() && info.isDir() && info.isExecutable();
}

// A drive letter or backslashes: a folder of the Windows machine the
// control file came from, which names nothing here.
bool isWindowsPath(const QString& folder) {
    return folder.contains(u'\\') || (folder.size() >= 2 && folder[1] == u':' && folder[0].isLetter());
}

// The file of `folder` whose name is `name` in any case of letters.
QString findNoCase(const QString& folder, const QString& name) {
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (sameFileName(entry, name)) return folder + u'/' + entry;
    return {};
}

QString memberIn(const QStringList& members, const QString& name) {
    for (const QString& m : members)
        if (sameFileName(m, name)) return m;
    return {};
}

QByteArray readAll(const QString& path, bool* ok = nullptr) {
    const std::optional<QByteArray> content = readRegularFile(path);
    if (ok) *ok = content.has_value();
    return content.value_or(QByteArray());
}

// The text cut between characters to `width` bytes of CP932.
QString fitBytes(const QString& text, int width) {
    return decodePlainField(encodeField(text, width, Terminator::None));
}

Outcome openFailure(const QString& problem) {
    return Outcome::error(problem + kNl + kJobKept + kNl + kNl + kOpenStopped);
}

Outcome saveFailure(const QString& problem) {
    return Outcome::error(problem + kNl + kNl + kSaveStopped);
}

// Writes the job file into a new archive beside `archivePath`, extracts it
// again and compares, and only then renames it over `archivePath`. Returns
// what went wrong, empty on success.
QString writeArchive(const Folders& folders, const QString& jobFile, const QString& archivePath) {
    const QFileInfo target(archivePath);
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir()) return QStringLiteral("保存先のフォルダがありません：") + folder;
    if (!isReplaceableTarget(archivePath))
        return QStringLiteral("同じ名前のフォルダなどがあるため保存できません：") + archivePath;
    bool read = false;
    const QByteArray job = readAll(jobFile, &read);
    if (!read) return QStringLiteral("工事データを読めません：") + jobFile;

    // A scratch folder in the destination folder keeps the final rename on
    // one file system.
    ScratchFolder scratch(folder, kSaveFolderPrefix);
    if (!scratch.isValid())
        return QStringLiteral("保存先のフォルダに書き込めません：") + folder + QStringLiteral("（") +
               scratch.errorString() + QStringLiteral("）");
    const QString packed = scratch.filePath(target.fileName());
    const ArchiverRun pack = runArchiver(folders, {QStringLiteral("u"), packed, jobFile}, scratch.path());
    if (!pack.ok) return QStringLiteral("保存データを作れませんでした。") + kNl + pack.problem;

    const QString check = scratch.filePath(QStringLiteral("check"));
    QDir().mkpath(check);
    const ArchiverRun unpack =
        runArchiver(folders, {QStringLiteral("e"), packed, QFileInfo(jobFile).fileName()}, check);
    const QString unpacked = findNoCase(check, QFileInfo(jobFile).fileName());
    if (!unpack.ok || unpacked.isEmpty() || readAll(unpacked) != job)
        return QStringLiteral("作った保存データを読み戻すと工事データと一致しませんでした。") +
               (unpack.ok ? QString() : kNl + unpack.problem);
    // A read-only archive is not replaced, as a write in place would not be.
    if (!commitScratch(packed, archivePath))
        return QStringLiteral("保存データを置き換えられませんでした：") + archivePath;
    return {};
}

// Rewrites the file name field of every record of `jobFile`.
bool setJobFileName(const QString& jobFile, const QString& fileName) {
    QList<QByteArray> records;
    {
        RecordFile file(jobFile, FoundationRecord::kLength);
        if (!file.openReadOnly()) return false;
        for (int n = 1; n <= file.count(); ++n)
            records << file.read(n);
    }
    const QByteArray field = encodeField(fileName, record_offset::textWidthJob, Terminator::Tilde);
    for (QByteArray& r : records)
        r.replace(record_offset::fileName, field.size(), field);
    return replaceFile(jobFile, records);
}

QString convertedArchiveFolder(const ArchiveWork& work) {
    return work.session.openedFolder.isEmpty() ? work.folders.saveFolder : work.session.openedFolder;
}

// The converted job in `jobFile` takes a name no archive of the target
// folder has; false when none is free or the records cannot be rewritten.
bool takeFreeName(const ArchiveWork& work, const QString& jobFile, QString& name) {
    const QString free = freeArchiveName(convertedArchiveFolder(work), name);
    if (free.isEmpty()) return false;
    if (free != name && !setJobFileName(jobFile, free)) return false;
    name = free;
    return true;
}

// Saves the converted job of the data folder as `name` + ".lzh"; the
// message says under which name and in which folder (a new archive appears
// there, and the user must know which one is now the job), or why it failed.
Message saveConverted(const ArchiveWork& work, const QString& wanted, const QString& name) {
    const QString folder = convertedArchiveFolder(work);
    const QString path = folder + u'/' + name + kArchiveSuffix;
    const QString problem = writeArchive(work.folders, work.folders.jobFile(), path);
    if (!problem.isEmpty())
        return {QStringLiteral("古い形式のデータを変換しましたが、保存データ") + path +
                    QStringLiteral("を作れませんでした。") + kNl + problem,
                kProgramTitle, Icon::Warning};
    if (name != wanted)
        return {QStringLiteral("保存データ") + wanted + kArchiveSuffix +
                QStringLiteral("がすでにあるため、変換したデータは") + name + kArchiveSuffix +
                QStringLiteral("として保存しました。") + kNl + folder};
    return {QStringLiteral("古い形式のデータを変換し、") + name + kArchiveSuffix +
            QStringLiteral("として保存しました。") + kNl + folder};
}

// The job unpacked into `scratch` loads as the job of the data folder
// would: a known format (an older one is upgraded there), a whole number of
// records. Refused with the load's message otherwise.
Outcome checkLoadable(const Folders& scratch) {
    JobLoadHooks upgradeOnly;
    upgradeOnly.upgradeJobFormat = [](const Folders& f, JobState& job, QByteArray*) {
        return checkFormat(f, job);
    };
    JobState job;
    Outcome loaded = loadJob(scratch, job, upgradeOnly);
    if (!loaded && loaded.message.text.isEmpty())
        loaded.message.text = QStringLiteral("基礎データのファイルを読み込めません。");
    return loaded;
}

// A message of the load about the unpacked file, naming the archive instead
// of the scratch folder it was unpacked into.
QString inArchive(const QString& message, const QString& unpackedFile, const QString& archivePath) {
    QString text = message;
    text.replace(unpackedFile, archivePath + QStringLiteral(" (") + QFileInfo(unpackedFile).fileName() +
                                   QStringLiteral(")"));
    return text;
}

} // namespace

QString openQuestion() {
    return QStringLiteral("現在のデータに上書きして読み込まれます。　　　　　\nいいですか？\n\n"
                          "（中止する場合は[ｷｬﾝｾﾙ]）");
}

QString openCancelledMessage() {
    return QStringLiteral("データ読込を中止しました｡ 　　　");
}

QString openUnexpectedMessage() {
    return QStringLiteral("データ読込で予期せぬエラーが発生しました。　　　\n") + kOpenStopped;
}

QString saveCancelledMessage() {
    return kSaveStopped;
}

QString saveUnexpectedMessage() {
    return QStringLiteral("予期せぬエラーが発生しました。\n") + kSaveStopped;
}

QString nothingToSaveMessage() {
    return QStringLiteral("保存する有効なデータファイルがありません。\nデータの保存を中止します。");
}

QString overwriteQuestion() {
    return QStringLiteral(
        "ファイルはすでに存在しています。\n上書き保存しますか？（中止する場合は[ｷｬﾝｾﾙ]）　　　");
}

QString savedMessage() {
    return QStringLiteral("データを保存しました。　　　");
}

bool hasArchiveSuffix(const QString& fileName) {
    return fileName.endsWith(kArchiveSuffix, Qt::CaseInsensitive);
}

QString withArchiveSuffix(const QString& path) {
    return hasArchiveSuffix(QFileInfo(path).fileName()) ? path : path + kArchiveSuffix;
}

bool isCurrentArchiveName(const QString& fileName) {
    return fileName.startsWith(kCurrentArchivePrefix, Qt::CaseSensitive);
}

QString proposedSaveName(const JobState& job) {
    const QString name = safeJobFileName(job.currentFileName);
    return isCurrentArchiveName(name) ? name : kCurrentArchivePrefix + name;
}

QString archiveStartFolder(const Folders& folders, const ControlSettings& control) {
    const QString last = control.lastSaveFolder;
    if (!isWindowsPath(last) && canEnter(last)) return QDir::cleanPath(last);
    return canEnter(folders.saveFolder) ? folders.saveFolder : QString();
}

QString freeArchiveName(const QString& folder, const QString& name) {
    const QStringList taken = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    auto isFree = [&](const QString& candidate) {
        for (const QString& entry : taken)
            if (sameFileName(entry, candidate + kArchiveSuffix)) return false;
        return true;
    };
    if (isFree(name)) return name;
    for (int n = 2; n < 1000; ++n) {
        const QString number = QStringLiteral("(%1)").arg(n);
        const QString candidate =
            fitBytes(name, record_offset::textWidthJob - static_cast<int>(toCp932(number).size())) + number;
        if (isFree(candidate)) return candidate;
    }
    return {};
}

Outcome openArchiveCommand(ArchiveWork& work, const ChooseArchive& chooseFile) {
    ProgramFolderRestorer restore(work.folders);
    QString folder = archiveStartFolder(work.folders, work.control);
    if (folder.isEmpty()) return {false, {openUnexpectedMessage()}};
    // The open starts from the save folder from now on when the last folder is gone.
    work.control.lastSaveFolder = folder;
    work.session.openedFolder.clear();
    QString name;
    for (;;) {
        const QString chosen = chooseFile(folder, name);
        if (chosen.isEmpty()) return {false, {openCancelledMessage()}};
        const QFileInfo info(chosen);
        if (hasArchiveSuffix(info.fileName().trimmed())) return openArchiveFile(work, chosen, true);
        folder = info.absolutePath();
        name = info.fileName();
    }
}

Outcome openArchiveFile(ArchiveWork& work, const QString& archivePath, bool confirm) {
    ProgramFolderRestorer restore(work.folders);
    const Folders& f = work.folders;
    const QFileInfo info(archivePath);
    const QString path = info.absoluteFilePath();
    const QString name = info.fileName();
    if (!hasArchiveSuffix(name))
        return {false,
                {QStringLiteral("保存データ（") + kArchiveFilterCaption +
                 QStringLiteral("）を指定してください：") + path + kNl + kOpenStopped}};
    if (!info.isFile())
        return {false, {QStringLiteral("保存データが見つかりません：") + path + kNl + kOpenStopped}};
    work.session.openedFolder = info.absolutePath();
    if (confirm && !work.prompt.askOkCancel(openQuestion())) return {false, {}};

    BusyScope busy(work.setBusy);
    f.trace(QStringLiteral("_300 保存データを開く ") + path);
    // The archive's name tells which job file it carries; when that one is
    // missing but the other is there (an archive saved under a name without
    // the prefix), the one it has is taken.
    const bool current = isCurrentArchiveName(name);
    const QStringList members = archiveMembers(path);
    QString member = memberIn(members, current ? kCurrentMember : kOldMember);
    if (member.isEmpty()) member = memberIn(members, current ? kOldMember : kCurrentMember);
    if (member.isEmpty())
        return openFailure(QStringLiteral("保存データ") + name + QStringLiteral("に工事データ（") +
                           (current ? kCurrentMember : kOldMember) +
                           QStringLiteral("）がないか、保存データが壊れています。"));
    const bool oldJob = sameFileName(member, kOldMember);

    // Unpacked into a scratch folder first: the current job is replaced only
    // by a job file that came out whole.
    ScratchFolder scratch(f.dataFolder, kOpenFolderPrefix);
    if (!scratch.isValid())
        return openFailure(QStringLiteral("作業フォルダを作れません：") + f.dataFolder +
                           QStringLiteral("（") + scratch.errorString() + QStringLiteral("）"));
    const ArchiverRun run = runArchiver(f, {QStringLiteral("e"), path, member}, scratch.path());
    const QString extracted = findNoCase(scratch.path(), member);
    if (!run.ok || extracted.isEmpty())
        return openFailure(QStringLiteral("保存データ") + name + QStringLiteral("から工事データ（") + member +
                           QStringLiteral("）を取り出せませんでした。") +
                           (run.ok ? QString() : kNl + run.problem));

    // Archives made on Windows may spell the member in any case; the data
    // folder knows the job files by their exact names.
    Folders unpacked = f;
    unpacked.dataFolder = scratch.path();
    const QString exact = oldJob ? unpacked.oldJobFile() : unpacked.jobFile();
    if (extracted != exact && !renameOver(extracted, exact))
        return openFailure(QStringLiteral("取り出した工事データの名前を変えられません：") + extracted);

    QString convertedName;
    QString wantedName;
    if (oldJob) {
        JobState converted;
        const Outcome conversion = convertOldJob(unpacked, converted, {}, info.completeBaseName());
        if (!conversion)
            return openFailure(conversion.message.text.isEmpty()
                                   ? QStringLiteral("保存データ") + name +
                                         QStringLiteral("の古い形式の工事データにはデータがありません。")
                                   : inArchive(conversion.message.text, unpacked.oldJobFile(), path));
        wantedName = convertedName = converted.currentFileName;
        if (!takeFreeName(work, unpacked.jobFile(), convertedName))
            return openFailure(QStringLiteral("変換したデータの保存データ名を決められませんでした：") +
                               convertedArchiveFolder(work));
    }

    // The job that comes in must be one the program can load: the same
    // format and length checks as every load (with the upgrade of an older
    // format), before the current job is touched.
    if (const Outcome loadable = checkLoadable(unpacked); !loadable)
        return openFailure(inArchive(loadable.message.text, unpacked.jobFile(), path));

    // The two job files are replaced as a pair: a leftover old job file would
    // come back through the conversion once the new job file is gone. The old
    // one is set aside in the scratch folder and put back if the swap fails.
    const QString setAside = scratch.filePath(QStringLiteral("previous-") + kOldMember);
    const bool hadOldFile = QFileInfo::exists(f.oldJobFile());
    if (hadOldFile && !renameOver(f.oldJobFile(), setAside))
        return openFailure(QStringLiteral("古い形式の工事データを置き換えられません：") + f.oldJobFile());
    if (!renameOver(unpacked.jobFile(), f.jobFile())) {
        if (hadOldFile) renameOver(setAside, f.oldJobFile());
        return openFailure(QStringLiteral("工事データを置き換えられません：") + f.jobFile());
    }
    f.trace(QStringLiteral("_300A ") + member + QStringLiteral(" → ") + f.jobFile());
    forgetJobIdentityFile(f);

    work.job.currentRecord = 0;
    loadJobIdentity(f, work.job);
    if (!oldJob) return Outcome::success();
    work.job.currentFileName = convertedName;
    const Message said = saveConverted(work, wantedName, convertedName);
    return {true, said};
}

Outcome saveArchiveCommand(ArchiveWork& work, const ChooseArchive& chooseFile) {
    ProgramFolderRestorer restore(work.folders);
    if (!QFileInfo(work.folders.jobFile()).isFile()) return {false, {nothingToSaveMessage()}};
    QString folder = archiveStartFolder(work.folders, work.control);
    if (folder.isEmpty()) return {false, {saveUnexpectedMessage()}};
    QString name = proposedSaveName(work.job);
    for (;;) {
        const QString chosen = chooseFile(folder, name);
        if (chosen.isEmpty()) return {false, {saveCancelledMessage()}};
        // ".lzh" first, so the question is about the file that would be replaced.
        const QString path = withArchiveSuffix(QFileInfo(chosen).absoluteFilePath());
        if (QFileInfo::exists(path)) {
            const Answer answer =
                work.prompt.askYesNoCancel(overwriteQuestion(), Icon::None, kSaveDialogTitle);
            if (answer == Answer::No) {
                folder = QFileInfo(path).absolutePath();
                name = QFileInfo(path).fileName();
                continue;
            }
            if (answer != Answer::Yes) return {false, {saveCancelledMessage()}};
        }
        return saveArchiveFile(work, path);
    }
}

Outcome saveArchiveFile(ArchiveWork& work, const QString& archivePath) {
    ProgramFolderRestorer restore(work.folders);
    const Folders& f = work.folders;
    if (!QFileInfo(f.jobFile()).isFile()) return {false, {nothingToSaveMessage()}};
    // A folder alone ("DIR/") or the suffix alone names no archive: it would
    // be saved as a hidden ".lzh".
    const QString bare = archivePath.endsWith(u'/') ? QString() : QFileInfo(archivePath).fileName();
    if (bare.isEmpty() || QString::compare(bare, kArchiveSuffix, Qt::CaseInsensitive) == 0)
        return saveFailure(QStringLiteral("保存データのファイル名がありません：") + archivePath);
    const QString path = withArchiveSuffix(QFileInfo(archivePath).absoluteFilePath());
    BusyScope busy(work.setBusy);
    f.trace(QStringLiteral("_310 保存データに保存 ") + path);
    const QString problem = writeArchive(f, f.jobFile(), path);
    if (!problem.isEmpty()) return saveFailure(problem);
    work.control.lastSaveFolder = QFileInfo(path).absolutePath();
    if (!saveControlFile(f, work.control))
        return Outcome::success(savedMessage() + kNl + kNl +
                                QStringLiteral("（保存先のフォルダを記録できませんでした：") +
                                f.controlFile() + QStringLiteral("）"));
    return Outcome::success(savedMessage());
}

void archiveConvertedJob(ArchiveWork& work, const QString& archiveName) {
    ProgramFolderRestorer restore(work.folders);
    BusyScope busy(work.setBusy);
    const QString wanted =
        hasArchiveSuffix(archiveName) ? archiveName.chopped(kArchiveSuffix.size()) : archiveName;
    QString name = wanted;
    if (!takeFreeName(work, work.folders.jobFile(), name)) {
        work.prompt.warn(
            QStringLiteral("古い形式のデータを変換しましたが、保存データ名を決められませんでした：") +
            convertedArchiveFolder(work));
        return;
    }
    work.job.currentFileName = name;
    const Message said = saveConverted(work, wanted, name);
    if (!said.text.isEmpty()) work.prompt.show(said);
}

} // namespace k5
