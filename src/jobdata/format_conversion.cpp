#include "jobdata/format_conversion.h"

#include "jobdata/foundation_record.h"
#include "jobdata/job_file.h"
#include "jobdata/job_identity_file.h"
#include "jobdata/job_state.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/record_file.h"

#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

constexpr int kNewLength = FoundationRecord::kLength;

// Offsets of the current layout that the older layouts fill.
namespace at {
constexpr int identity = 4; // job name: the start of the block every format shares
constexpr int name = 108;
constexpr int rebars = 122; // four rebar texts of 8 bytes, then the memo
constexpr int data1 = 274;
constexpr int data2 = 478;
constexpr int storeyNo = 2100;   // storey, frame and axis numbers
constexpr int storeyName = 2106; // storey, frame and axis names
constexpr int reactFlag = 2146;  // flags, then axial, horizontal and moment reactions
} // namespace at

constexpr int kData2Rows = 81;
constexpr int kData2RowsOld = 61; // 00 format
constexpr int kData1Old = 36;     // 00 format

// An empty record of the current format: version 204 at both ends, every
// number 0 and every text blank. The conversions copy the old bytes over it.
QByteArray emptyCurrentRecord() {
    return encodeRecord(FoundationRecord{});
}

void copyBytes(QByteArray& to, int toOffset, const QByteArray& from, int fromOffset, int size) {
    to.replace(toOffset, size, from.mid(fromOffset, size));
}

// Format 201 is the current block from the job name to the last data2 value,
// without anything around it: the texts, data1 and data2 move as one piece.
QByteArray upgradeRecord201(const QByteArray& old) {
    QByteArray r = emptyCurrentRecord();
    copyBytes(r, at::identity, old, 0, old_format::kLength201);
    return r;
}

// Format 203 has the version in front of the same block and the imported
// support's numbers, names and reactions behind it (no group number and no
// provisional name yet; its last Integer is not carried over).
QByteArray upgradeRecord203(const QByteArray& old) {
    QByteArray r = emptyCurrentRecord();
    copyBytes(r, at::identity, old, 2, old_format::kLength201);
    copyBytes(r, at::storeyNo, old, 2096, 3 * 2);
    copyBytes(r, at::storeyName, old, 2102, 3 * 10);
    copyBytes(r, at::reactFlag, old, 2132, 10 * 2 + 3 * 10 * 4);
    return r;
}

// The stored file name of the converted job: "v02_" + the old file name. The
// same name becomes the name of the converted job's archive, so it is made
// a safe file name first.
QByteArray convertedFileNameField(const QByteArray& oldRecord, const QString& blankNameStandsFor) {
    QString oldName = decodeField(oldRecord.mid(52, 52));
    // Blanks, or the end mark alone: the job was never given a file name.
    if (QString(oldName).remove(u'~').trimmed().isEmpty()) oldName = blankNameStandsFor;
    return encodeField(safeJobFileName(QStringLiteral("v02_") + oldName), 52, Terminator::Tilde);
}

QByteArray convertRecord00(const QByteArray& old, const QByteArray& fileNameField) {
    QByteArray r = emptyCurrentRecord();
    copyBytes(r, at::identity, old, 0, 52);
    r.replace(at::identity + 52, 52, fileNameField);
    r.replace(at::name, 14, old.mid(104, 6).leftJustified(14, ' '));
    copyBytes(r, at::rebars, old, 110, 4 * 8 + 120);
    copyBytes(r, at::data1, old, 262, 4 * kData1Old);
    for (int j = 0; j < 5; ++j)
        copyBytes(r, at::data2 + 4 * kData2Rows * j, old, 406 + 4 * kData2RowsOld * j, 4 * kData2RowsOld);
    return r;
}

QList<QByteArray> readRecords(const QString& path, int length) {
    QList<QByteArray> records;
    RecordFile file(path, length);
    if (!file.openReadOnly()) return records;
    int count = file.count();
    for (int n = 1; n <= count; ++n)
        records.append(file.read(n));
    return records;
}

using RecordUpgrade = QByteArray (*)(const QByteArray&);

// Every whole record of `content` (records of `oldLength` bytes) in the
// current format.
QList<QByteArray> upgradedRecords(const QByteArray& content, int oldLength, RecordUpgrade upgrade) {
    QList<QByteArray> records;
    const qsizetype count = content.size() / oldLength;
    records.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        records.append(upgrade(content.mid(i * oldLength, oldLength)));
    return records;
}

bool upgradeJobFile(const Folders& folders, int oldLength, RecordUpgrade upgrade) {
    const QString path = folders.jobFile();
    const std::optional<QByteArray> content = readRegularFile(path);
    return content && replaceFile(path, upgradedRecords(*content, oldLength, upgrade));
}

QString versionText(int version) {
    return QStringLiteral(" ") + QString::number(version);
}

} // namespace

QString safeJobFileName(const QString& name) {
    QString safe;
    safe.reserve(name.size());
    for (QChar c : name)
        safe += (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f) ? QChar(u'_') : c;
    // A name of dots alone, or with ".." inside, could climb out of a folder
    // once joined to a path.
    while (safe.contains(QStringLiteral("..")))
        safe.replace(QStringLiteral(".."), QStringLiteral("_."));
    // The field holds the name and its terminator; a name that fills the
    // field keeps no terminator, so it may use all 52 bytes.
    return decodePlainField(encodeField(safe, 52, Terminator::None));
}

namespace {

// A 201 file has no version field: its records start with the job name, a
// blank-padded text. A whole number of 201 records whose first record holds
// text there is taken for one; anything else is not a job this program wrote.
bool looksLikeFormat201(const QByteArray& head, qint64 size) {
    if (size == 0 || size % old_format::kLength201 != 0 || head.size() < 52) return false;
    for (int i = 0; i < 52; ++i)
        if (static_cast<unsigned char>(head[i]) < 0x20) return false;
    return true;
}

// Keeps the job file as it was before an upgrade rewrites it, under a name
// no earlier backup has taken.
QString keepBeforeUpgrade(const QString& path, int version) {
    const QString base = path + QStringLiteral(".v") + QString::number(version);
    QString backup = base;
    for (int n = 2; QFile::exists(backup); ++n)
        backup = base + QStringLiteral("(") + QString::number(n) + QStringLiteral(")");
    const std::optional<QByteArray> content = readRegularFile(path);
    if (!content) return {};
    return replaceFile(backup, {*content}) ? backup : QString();
}

QString unreadableMessage(const QString& path) {
    return QStringLiteral("基礎データのファイルを読み込めません。　　　\n\n") + path;
}

} // namespace

Outcome checkFormat(const Folders& folders, JobState& job, QByteArray* inMemory) {
    const QString path = folders.jobFile();
    folders.trace(QStringLiteral("_102 Start"));
    QFile file;
    if (!openRegularFile(file, path)) {
        folders.trace(QStringLiteral("_102E ") + path + QStringLiteral("を読み込めない"));
        return Outcome::error(unreadableMessage(path));
    }
    const qint64 size = file.size();
    // In memory the whole file is needed; on disk the head tells the format.
    const QByteArray content = inMemory ? file.readAll() : file.read(old_format::kLength201);
    file.close();
    if (inMemory && content.size() != size) return Outcome::error(unreadableMessage(path));
    const QByteArray head = content.left(old_format::kLength201);
    if (inMemory) *inMemory = content;
    if (size == 0) return Outcome::success(); // an empty job has no format to upgrade
    const int version = head.size() >= 2 ? RecordReader(head).int16(0) : 0;
    folders.trace(QStringLiteral("_102A FileName=") + path + QStringLiteral("NowVersion=") +
                  versionText(version));
    if (version == FoundationRecord::kCurrentFormat) return Outcome::success();
    // A 201 record starts with the job name, whose first two bytes stand in
    // for the version. They never read as 203 or 204: the high byte of both
    // is 0, which a blank-padded Shift-JIS text does not hold.
    const bool is203 = version == 203;
    if (!is203 && !looksLikeFormat201(head, size)) {
        folders.trace(QStringLiteral("_102F 形式不明のため変換しない"));
        return Outcome::error(QStringLiteral("基礎データのファイルの形式を判別できません（バージョン ") +
                              QString::number(version) +
                              QStringLiteral("）。　　　\n\nファイルは変更していません。\n\n") + path);
    }
    if (inMemory) {
        // A reading run sees the job in the current format; the file and its
        // backup are left to the next run that holds the tree.
        *inMemory = upgradedRecords(content, is203 ? old_format::kLength203 : old_format::kLength201,
                                    is203 ? upgradeRecord203 : upgradeRecord201)
                        .join();
        job.imported = false;
        return Outcome::success();
    }
    const QString backup = keepBeforeUpgrade(path, is203 ? 203 : 201);
    if (backup.isEmpty()) {
        folders.trace(QStringLiteral("_102G ") + path + QStringLiteral("の控えを作れない"));
        return Outcome::error(
            QStringLiteral("基礎データのファイルを新しい形式に変換する前の控えを作成できません。"
                           "　　　\n\nファイルは変更していません。\n\n") +
            path);
    }
    folders.trace(QStringLiteral("_102G 変換前のファイルを") + backup + QStringLiteral("に保存"));
    bool upgraded = false;
    if (is203) {
        folders.trace(QStringLiteral("_102B upgrade203To204"));
        folders.trace(QStringLiteral("_103 Start"));
        upgraded = upgradeJobFile(folders, old_format::kLength203, upgradeRecord203);
        if (!upgraded) folders.trace(QStringLiteral("_103E ") + path + QStringLiteral("を書き換えられない"));
        folders.trace(QStringLiteral("_103 End----------------->"));
    } else {
        folders.trace(QStringLiteral("_102C upgrade201To204"));
        folders.trace(QStringLiteral("_104 Start"));
        upgraded = upgradeJobFile(folders, old_format::kLength201, upgradeRecord201);
        if (!upgraded) folders.trace(QStringLiteral("_104E ") + path + QStringLiteral("を書き換えられない"));
        folders.trace(QStringLiteral("_104 End---------------------->"));
    }
    // The identity may have been read before the upgrade, when the place of
    // the import flag held text; no older format marks an imported job.
    if (upgraded) job.imported = false;
    folders.trace(QStringLiteral("_102D End----------------->"));
    if (!upgraded)
        return Outcome::error(
            QStringLiteral("基礎データのファイルを新しい形式に書き換えられません。　　　\n\n") + path);
    return Outcome::success();
}

Outcome convertOldJob(const Folders& folders, JobState& job, const ConvertedJobArchiver& saveArchive,
                      const QString& blankNameStandsFor, QByteArray* inMemory) {
    const QString oldPath = folders.oldJobFile();
    const QFileInfo oldFile(oldPath);
    if (oldFile.isFile() && oldFile.size() % old_format::kLength00 != 0)
        return Outcome::error(
            QStringLiteral("古い形式の基礎データのファイルが壊れています（長さが基礎データの"
                           "大きさの倍数ではありません）。　　　\n\nファイルは変更していません。"
                           "\n\n") +
            oldPath);
    QList<QByteArray> old = readRecords(oldPath, old_format::kLength00);
    if (old.isEmpty()) return {false, {}};
    // Every record gets the file name computed from record 1.
    const QByteArray fileNameField = convertedFileNameField(old.first(), blankNameStandsFor);
    QList<QByteArray> converted;
    converted.reserve(old.size());
    for (const QByteArray& record : old)
        converted.append(convertRecord00(record, fileNameField));
    if (inMemory) {
        // Seen converted; the old file stays for the run that holds the tree.
        *inMemory = converted.join();
        job.currentFileName = decodeField(fileNameField);
        job.imported = false;
        return Outcome::success();
    }
    // The new job file is written whole, then the old one removed: a failed
    // write keeps the old job as it was.
    if (!replaceFile(folders.jobFile(), converted))
        return Outcome::error(QStringLiteral("古い形式の基礎データを新しい形式に変換できません。　　　\n\n") +
                              oldPath + QStringLiteral("\n\nファイルは変更していません。"));
    QFile::remove(oldPath);
    forgetJobIdentityFile(folders);
    job.currentFileName = decodeField(fileNameField);
    job.imported = false;
    if (saveArchive) saveArchive(job.currentFileName + QStringLiteral(".lzh"));
    return Outcome::success();
}

void installFormatConversion(JobLoadHooks& hooks, ConvertedJobArchiver saveArchive) {
    hooks.convertOldJobFile = [saveArchive](const Folders& folders, JobState& job, QByteArray* inMemory) {
        return convertOldJob(folders, job, saveArchive, {}, inMemory);
    };
    hooks.upgradeJobFormat = [](const Folders& folders, JobState& job, QByteArray* inMemory) {
        return checkFormat(folders, job, inMemory);
    };
}

} // namespace k5
