#include "shell/startup.h"

#include "archive/archive_driver.h"
#include "jobdata/common_values.h"
#include "jobdata/control_file.h"
#include "jobdata/format_conversion.h"
#include "masters/bar_size_master.h"
#include "masters/concrete_setting.h"
#include "masters/grade_master.h"
#include "masters/key_actions.h"
#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/record_file.h"
#include "shell/app_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Folders from where the executable lies, by whole folder names: its own
// folder is PRG, the one above it (K5) holds DAT for the jobs and 保存データ
// for the archives, and the nearest folder above named KMD holds MAS, the
// masters. A parent named like "myprg" must not move the job out of the
// tree, and a KMD tree kept inside another uses its own masters.
QString deriveFolders(Folders& f, const QString& executableFolder) {
    f.programFolder = executableFolder;
    const QString prg = QDir::cleanPath(executableFolder);
    // Every path the program builds stays well inside what the system takes.
    if (QFile::encodeName(prg).size() > 3800)
        return QStringLiteral("実行ファイルのフォルダのパスが長すぎます：") + executableFolder;
    if (QFileInfo(prg).fileName().compare(QStringLiteral("PRG"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("実行ファイルのフォルダ名に「PRG」がありません：") + executableFolder;
    const QString base = QFileInfo(prg).path() + u'/';
    f.prgFolder = prg;
    f.dataFolder = base + QStringLiteral("DAT");
    f.saveFolder = base + QStringLiteral("保存データ");
    QString top = QFileInfo(prg).path();
    while (QFileInfo(top).fileName().compare(QStringLiteral("KMD"), Qt::CaseInsensitive) != 0) {
        const QString up = QFileInfo(top).path();
        if (up == top)
            return QStringLiteral("実行ファイルが「KMD」フォルダの下にありません：") + executableFolder;
        top = up;
    }
    f.top = top + u'/';
    f.masterFolder = f.top + QStringLiteral("MAS");
    f.traceFile = f.dataFolder + QStringLiteral("/runlog.rep");
    return {};
}

void linkAnalysisProgram(Folders& f, bool mayWrite) {
    const QString marker = f.prgFolder + QStringLiteral("/fmm");
    QString kind;
    if (QFileInfo::exists(marker)) kind = readFirstItem(marker).trimmed().toUpper();
    if (kind == QStringLiteral("RX2") || kind == QStringLiteral("RX3")) {
        QString folder =
            kind == QStringLiteral("RX2") ? QStringLiteral("KamoRX2") : QStringLiteral("KamoRX3");
        f.analysisKind = kind;
        f.analysisPrgFolder = f.top + folder + QStringLiteral("/Prg");
        f.analysisDataFolder = f.top + folder + QStringLiteral("/dat");
        f.analysisProgramName =
            kind == QStringLiteral("RX2") ? QStringLiteral("KAMO-RXⅡ") : QStringLiteral("KAMO-RX3");
        return;
    }
    f.analysisKind.clear();
    f.analysisPrgFolder.clear();
    f.analysisDataFolder.clear();
    f.analysisProgramName.clear();
    f.analysisVersion.clear();
    if (mayWrite) QFile::remove(marker);
}

void startTraceFile(AppContext& ctx) {
    const Folders& f = ctx.folders;
    QFile::remove(f.traceFile);
    QFile created(f.traceFile);
    if (created.open(QIODevice::WriteOnly)) created.close();
    ctx.trace(QStringLiteral("_000 Start"));
    QString list = QStringLiteral("_000A 使用ﾎﾙﾀﾞﾘｽﾄ") + kCrLf;
    for (const QString* folder : {&f.analysisPrgFolder, &f.analysisDataFolder, &f.programFolder,
                                  &f.masterFolder, &f.prgFolder, &f.dataFolder, &f.saveFolder})
        list += *folder + kCrLf;
    ctx.trace(list);
}

void readAnalysisVersion(AppContext& ctx) {
    Folders& f = ctx.folders;
    if (f.analysisProgramName.isEmpty()) return;
    const QString versionFile = f.analysisPrgFolder + QStringLiteral("/bk");
    ctx.trace(QStringLiteral("_000F RX2のﾊﾞｰｼﾞｮﾝNoを読み込むFileName=") + versionFile);
    if (QFileInfo(versionFile).isFile()) {
        f.analysisVersion = readFirstItem(versionFile);
        ctx.trace(QStringLiteral("_000G ver=") + f.analysisVersion);
    } else {
        f.analysisVersion.clear();
        ctx.trace(QStringLiteral("_000H ") + versionFile + QStringLiteral("が見つからない→Ver=???"));
    }
}

// The master folder is looked for beside the KMD folder of the current
// directory: the program is always started from its PRG folder.
bool checkFolders(AppContext& ctx, const QString& currentDirectory) {
    Folders& f = ctx.folders;
    ctx.trace(QStringLiteral("_010 Start"));
    f.programFolder = currentDirectory;
    ctx.trace(QStringLiteral("_010A 現在のｶﾚﾝﾄﾎﾙﾀﾞ=") + currentDirectory.toUpper());
    // The nearest folder named KMD holds the masters: "kmd" inside another
    // folder's name (a user folder such as /home/kmdesign) is not one, and a
    // KMD tree kept inside another uses its own.
    QString kmd = QDir::cleanPath(currentDirectory);
    while (!kmd.isEmpty() &&
           QFileInfo(kmd).fileName().compare(QStringLiteral("KMD"), Qt::CaseInsensitive) != 0) {
        const QString up = QFileInfo(kmd).path();
        kmd = up == kmd ? QString() : up;
    }
    // Without a KMD in the path the name stays relative to the current directory.
    f.masterFolder =
        kmd.isEmpty() ? currentDirectory + QStringLiteral("/KMD/MAS") : kmd + QStringLiteral("/MAS");
    if (QFileInfo(f.masterFolder).isDir()) return true;
    ctx.trace(QStringLiteral("_010B ") + f.masterFolder + QStringLiteral("は無し"));
    ctx.trace(QStringLiteral("_010C End--------------->"));
    return false;
}

// Every master and settings file the program reads. Only a missing one is
// replaced by its defaults; one that is there but cannot be read (no
// permission, a folder in its place) would be taken for missing, and the
// defaults would silently design what the user's file says otherwise.
QString unreadableMasterFile(const Folders& f) {
    const QString files[] = {f.controlFile(),
                             keyActionFilePath(f),
                             f.rebarGradeFile,
                             f.youngModulusFile,
                             barSizeFile(f, QStringLiteral("D")),
                             barSizeFile(f, QStringLiteral("R")),
                             concreteFile(f),
                             f.commonValuesFile,
                             f.fontFile};
    for (const QString& path : files) {
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) continue;
        QFile file;
        if (!openRegularFile(file, path)) return path;
    }
    return {};
}

void ensureMasterFiles(AppContext& ctx) {
    const Folders& f = ctx.folders;
    ensureControlFile(f, ctx.control);
    loadControlFile(f, ctx.control);
    ensureKeyActionFile(f, ctx.control);
    loadKeyActions(f, ctx.control);
    ensureGradeFile(f);
    ensureYoungFile(f);
    ensureBarSizeFile(f, QStringLiteral("D"));
    ensureBarSizeFile(f, QStringLiteral("R"));
    ensureConcreteFile(f);
    // Fresh common values mean a fresh installation: archives start from the save folder.
    if (ensureCommonValues(f)) ctx.control.lastSaveFolder = f.saveFolder;
}

// Removes what killed runs left: scratch entries this program made (its own
// names, with their maker recorded) that no running program holds, in the
// tree and in the folders archives are saved to. Entries of other names,
// earlier versions' fixed scratch names among them, may be the user's and
// stay. Only the holder of the tree's lock does this.
void removeLeftovers(const AppContext& ctx) {
    const Folders& f = ctx.folders;
    int removed = 0;
    for (const QString& folder : {f.dataFolder, f.masterFolder, f.saveFolder, ctx.control.lastSaveFolder})
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) removed += removeStaleScratch(folder);
    if (removed > 0) ctx.trace(QStringLiteral("_000R 前回の作業ファイルを削除 %1").arg(removed));
}

} // namespace

QString readFirstItem(const QString& path) {
    QFile file;
    if (!openRegularFile(file, path)) return {};
    QString text = fromCp932(file.readLine()).trimmed();
    if (text.startsWith(u'"')) {
        qsizetype close = text.indexOf(u'"', 1);
        return close < 0 ? text.mid(1) : text.mid(1, close - 1);
    }
    qsizetype comma = text.indexOf(u',');
    return (comma < 0 ? text : text.left(comma)).trimmed();
}

StartUpResult startUp(AppContext& ctx, const QString& executablePath, const QString& currentDirectory,
                      TreeLock* lock, TreeAccess access) {
    const bool reading = access == TreeAccess::ReadsOnly;
    Folders& f = ctx.folders;
    f = Folders{};
    QString problem = deriveFolders(f, QFileInfo(executablePath).absolutePath());
    if (!problem.isEmpty()) return {false, problem};
    // The data and save folders belong to the installation; make them when
    // missing. Without a data folder there is no job to show or change.
    if (!QDir().mkpath(f.dataFolder))
        return {false, QStringLiteral("工事データのフォルダを作れません：") + f.dataFolder, true};
    if (!reading) QDir().mkpath(f.saveFolder);
    // Before the trace file is made afresh: it belongs to the run that holds the tree.
    if (lock) {
        const TreeLock::Result taken = lock->take(f.dataFolder);
        if (taken == TreeLock::Result::Busy) return {false, treeBusyMessage(), true};
        if (taken == TreeLock::Result::Refused) return {false, lock->refusedMessage(), true};
    }
    linkAnalysisProgram(f, !reading);
    // The trace file belongs to the run that changes the tree; a reading run
    // leaves it to that run.
    if (reading)
        f.traceFile.clear();
    else
        startTraceFile(ctx);
    readAnalysisVersion(ctx);
    if (!checkFolders(ctx, currentDirectory)) {
        ctx.trace(QStringLiteral("_000N 各ﾎﾙﾀﾞの確認(False)End------------->"));
        return {false, QStringLiteral("マスターフォルダ「") + f.masterFolder +
                           QStringLiteral("」がありません。プログラムはPRGフォルダから起動してください。")};
    }
    ctx.trace(QStringLiteral("_000P 各ﾎﾙﾀﾞの確認=OK"));
    ctx.trace(QStringLiteral("_000Q 1626 2334"));
    f.setMasterPaths();
    // A job converted from the oldest format is kept as a current archive at once.
    installFormatConversion(ctx.jobHooks, [&ctx](const QString& archiveName) {
        CommandLinePrompt stderrPrompt; // when no window or command set a prompt
        ArchiveWork work{ctx.folders, ctx.control, ctx.job, ctx.archive,
                         ctx.prompt ? *ctx.prompt : stderrPrompt};
        archiveConvertedJob(work, archiveName);
    });
    ctx.jobHooks.writeBack = !reading;
    if (const QString unreadable = unreadableMasterFile(f); !unreadable.isEmpty()) {
        ctx.trace(QStringLiteral("_000S ") + unreadable + QStringLiteral("を読み込めない"));
        return {false,
                QStringLiteral("マスターファイルを読み込めません。　　　\n\n") + unreadable +
                    QStringLiteral("\n\nファイルの種類と読み取りの許可を確認してください。"),
                true};
    }
    // A reading run takes a missing master as its defaults in memory (the
    // calculation's snapshot does) and makes no file.
    if (!reading) ensureMasterFiles(ctx);
    if (lock && lock->held()) removeLeftovers(ctx);
    return {true, {}};
}

} // namespace k5
