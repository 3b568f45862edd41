#include "masters/grade_master.h"

#include "masters/master_file.h"
#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/prompt.h"
#include "platform/record_file.h"

#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

// Material, grade, size class, CGS long and short, SI long and short, remark.
const char* const kDefaultGrades[] = {
    "丸鋼,SR235,-,1600,2400,155,235,,",
    "丸鋼,SR295,-,2000,3000,155,295,,",
    "異形鉄筋,SD235,D25以下,1600,2400,156,235,,",
    "異形鉄筋,SD235,D29以上,1600,2400,156,235,,",
    "高張力異形鉄筋,SD295,D25以下,2000,3000,196,295,,",
    "高張力異形鉄筋,SD295,D29以上,2000,3000,195,295,,",
    "高張力異形鉄筋,SD345,D25以下,2000,3500,215,345,,",
    "高張力異形鉄筋,SD345,D29以上,2000,3500,195,345,,",
    "高張力異形鉄筋,SD390,D25以下,2000,4000,215,390,,",
    "高張力異形鉄筋,SD390,D29以上,2000,4000,195,390,,",
};

const QString kColumnTitles[] = {QStringLiteral("材料"),      QStringLiteral("呼称"),
                                 QStringLiteral("径"),        QStringLiteral("長期(CGS)"),
                                 QStringLiteral("短期(CGS)"), QStringLiteral("長期(SI)"),
                                 QStringLiteral("短期(SI)"),  QStringLiteral("備考")};
constexpr int kFirstStressColumn = 3;
constexpr int kLastStressColumn = 6;

QString cell(const QStringList& row, int column) {
    return column < row.size() ? row[column] : QString();
}

// Encodes the eight fields of one grade in the grid's column order.
QByteArray encodeGrade(const QStringList& fields) {
    RecordWriter w(kGradeRecordLength);
    w.putBytes(0, encodeField(cell(fields, 0), 20, Terminator::None));
    w.putBytes(20, encodeField(cell(fields, 1), 8, Terminator::None));
    w.putInt16(28, sizeClassFromText(cell(fields, 2)));
    for (int i = 0; i < 4; ++i)
        w.putSingle(30 + 4 * i, static_cast<float>(parseLeadingNumber(cell(fields, kFirstStressColumn + i))));
    w.putBytes(46, encodeField(trimBlanks(cell(fields, 7)), 20, Terminator::Tilde));
    return w.bytes();
}

GradeRecord decodeGrade(const QByteArray& bytes) {
    RecordReader r(bytes);
    GradeRecord g;
    g.material = fromCp932(r.bytes(0, 20));
    g.gradeName = fromCp932(r.bytes(20, 8));
    g.sizeClass = r.int16(28);
    g.cgsLong = r.single(30);
    g.cgsShort = r.single(34);
    g.siLong = r.single(38);
    g.siShort = r.single(42);
    g.remark = decodeField(r.bytes(46, 20));
    return g;
}

bool checkStressCells(Prompt& prompt, const GradeRows& rows) {
    for (qsizetype i = 0; i < rows.size(); ++i)
        for (int column = kFirstStressColumn; column <= kLastStressColumn; ++column) {
            QString text = cell(rows[i], column);
            if (!trimBlanks(text).isEmpty() && !strictNumber(text)) {
                prompt.warn(notNumberInRowMessage(static_cast<int>(i + 1), kColumnTitles[column], text));
                return false;
            }
        }
    return true;
}

bool isCompleteRow(const QStringList& row) {
    if (trimBlanks(cell(row, 0)).isEmpty() || trimBlanks(cell(row, 1)).isEmpty()) return false;
    for (int column = kFirstStressColumn; column <= kLastStressColumn; ++column)
        if (parseLeadingNumber(cell(row, column)) == 0) return false;
    return true;
}

bool writeGradeRows(const Folders& folders, Prompt& prompt, const GradeRows& rows) {
    QList<QByteArray> records;
    for (const QStringList& row : rows) {
        if (!isCompleteRow(row)) break;
        records.append(encodeGrade(row));
    }
    if (records.isEmpty()) return true;
    return replaceLeadingRecordsOrWarn(prompt, folders.rebarGradeFile, kGradeRecordLength, records);
}

QString youngFile(const Folders& folders) {
    return folders.youngModulusFile;
}

bool hasContent(const QString& path) {
    QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

} // namespace

int sizeClassFromText(const QString& text) {
    if (text.contains(QStringLiteral("D25以下"))) return kSizeClassUpToD25;
    if (text.contains(QStringLiteral("D29以上"))) return kSizeClassFromD29;
    if (text.contains(u'-')) return kSizeClassAny;
    return kSizeClassUnrecognised;
}

QString sizeClassText(int sizeClass) {
    if (sizeClass == kSizeClassUpToD25) return QStringLiteral("D25以下");
    if (sizeClass == kSizeClassFromD29) return QStringLiteral("D29以上");
    return QStringLiteral("-");
}

void ensureGradeFile(const Folders& folders) {
    QFileInfo info(folders.rebarGradeFile);
    if (!info.isFile() || info.size() % kGradeRecordLength != 0 || info.size() < kGradeRecordLength)
        writeDefaultGrades(folders);
}

static QList<QByteArray> defaultGradeBytes() {
    QList<QByteArray> records;
    for (const char* line : kDefaultGrades)
        records.append(encodeGrade(QString::fromUtf8(line).split(u',')));
    return records;
}

bool writeDefaultGrades(const Folders& folders) {
    return replaceFile(folders.rebarGradeFile, defaultGradeBytes());
}

QList<GradeRecord> readGradeRecords(const Folders& folders) {
    const QString& path = folders.rebarGradeFile;
    // A missing file stands for the defaults start-up would write (a run
    // that only reads the tree writes none).
    const bool missing = !QFileInfo::exists(path) && !QFileInfo(path).isSymLink();
    QList<GradeRecord> grades;
    for (const QByteArray& bytes :
         missing ? defaultGradeBytes()
                 : readRecords(path, kGradeRecordLength, roundedRecordCount(path, kGradeRecordLength)))
        grades.append(decodeGrade(bytes));
    return grades;
}

QStringList listBarGrades(const Folders& folders) {
    if (!QFileInfo::exists(folders.rebarGradeFile)) ensureGradeFile(folders);
    QStringList items;
    // Each grade has one record of class 0 (round bars) or class 1 (thin
    // deformed bars); its class 2 record repeats the name.
    for (const GradeRecord& g : readGradeRecords(folders))
        if (g.sizeClass == kSizeClassAny || g.sizeClass == kSizeClassUpToD25) items.append(g.gradeName);
    return items;
}

bool saveGradeRows(const Folders& folders, Prompt& prompt, const GradeRows& rows) {
    return checkStressCells(prompt, rows) && writeGradeRows(folders, prompt, rows);
}

void ensureYoungFile(const Folders& folders) {
    if (!hasContent(youngFile(folders))) saveYoung(folders, YoungModulus{});
}

std::optional<YoungModulus> readYoung(const Folders& folders) {
    QList<double> numbers =
        hasContent(youngFile(folders)) ? readNumberItems(youngFile(folders)) : QList<double>{};
    if (numbers.size() < 2) return std::nullopt;
    return YoungModulus{static_cast<float>(numbers[0]), static_cast<float>(numbers[1])};
}

YoungModulus loadYoung(const Folders& folders) {
    if (std::optional<YoungModulus> young = readYoung(folders)) return *young;
    // Missing, empty or cut short: the defaults take the file's place.
    YoungModulus defaults;
    saveYoung(folders, defaults);
    return defaults;
}

bool saveYoung(const Folders& folders, const YoungModulus& young) {
    return replaceFile(youngFile(folders),
                       QList<QByteArray>{numberLine({formatGeneral(young.si), formatGeneral(young.cgs)})});
}

std::optional<YoungModulus> readYoungFields(Prompt& prompt, const QString& siText, const QString& cgsText) {
    std::optional<double> si = strictNumber(siText);
    if (!si) {
        prompt.warn(notNumberInFieldMessage(QStringLiteral("ヤング係数（SI単位）"), siText));
        return std::nullopt;
    }
    std::optional<double> cgs = strictNumber(cgsText);
    if (!cgs) {
        prompt.warn(notNumberInFieldMessage(QStringLiteral("ヤング係数（CGS単位）"), cgsText));
        return std::nullopt;
    }
    return YoungModulus{static_cast<float>(*si), static_cast<float>(*cgs)};
}

bool saveGradeMaster(const Folders& folders, Prompt& prompt, const GradeRows& rows,
                     const QString& youngSiText, const QString& youngCgsText) {
    if (!checkStressCells(prompt, rows)) return false;
    std::optional<YoungModulus> young = readYoungFields(prompt, youngSiText, youngCgsText);
    if (!young) return false;
    if (!writeGradeRows(folders, prompt, rows)) return false;
    if (saveYoung(folders, *young)) return true;
    prompt.error(writeFailedMessage(youngFile(folders)));
    return false;
}

} // namespace k5
