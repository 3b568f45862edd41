#include "masters/font_set.h"

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

// Face, title, body and subscript size, in-use flag.
const char* const kDefaultFontSets[] = {
    "ＭＳＰ明朝,12,8,6,1,",  "ＭＳ明朝,12,8,6,0,",  "ＭＳＰゴシック,12,8,6,0,",  "ＭＳゴシック,12,8,6,0,",
    "ＭＳＰ明朝,14,10,8,0,", "ＭＳ明朝,14,10,8,0,", "ＭＳＰゴシック,14,10,8,0,", "ＭＳゴシック,14,10,8,0,",
};

const QString kSizeTitles[] = {QStringLiteral("ﾀｲﾄﾙ文字"), QStringLiteral("一般文字"),
                               QStringLiteral("添字")};

QString cell(const QStringList& row, int column) {
    return column < row.size() ? row[column] : QString();
}

QByteArray encodeFontSet(const QString& face, int title, int body, int small, int inUse) {
    RecordWriter w(kFontSetRecordLength);
    w.putBytes(0, encodeField(face, 20, Terminator::None));
    w.putInt16(20, title);
    w.putInt16(22, body);
    w.putInt16(24, small);
    w.putInt16(26, inUse);
    return w.bytes();
}

FontSetRecord decodeFontSet(const QByteArray& bytes) {
    RecordReader r(bytes);
    return {fromCp932(r.bytes(0, 20)), r.int16(20), r.int16(22), r.int16(24), r.int16(26)};
}

// The records of the file as it is and the set flagged in use, if any.
QList<FontSetRecord> readFontSetFile(const QString& path, ReportFont& font) {
    QList<FontSetRecord> records;
    for (const QByteArray& bytes :
         readRecords(path, kFontSetRecordLength, roundedRecordCount(path, kFontSetRecordLength))) {
        records.append(decodeFontSet(bytes));
        const FontSetRecord& r = records.back();
        if (r.inUse != 1) continue;
        font = {static_cast<int>(records.size()), trimBlanks(r.faceName), r.titleSize, r.bodySize,
                r.smallSize};
    }
    return records;
}

// One pass of the load: the defaults written first when the file is missing.
QList<FontSetRecord> readFontSets(const Folders& folders, ReportFont& font) {
    if (roundedRecordCount(folders.fontFile, kFontSetRecordLength) <= 0) writeDefaultFontSets(folders);
    return readFontSetFile(folders.fontFile, font);
}

ReportFont firstDefaultFont() {
    const QStringList first = QString::fromUtf8(kDefaultFontSets[0]).split(u',');
    return {1, first[0], first[1].toInt(), first[2].toInt(), first[3].toInt()};
}

// Font sizes the report can be set in, points.
constexpr int kSmallestFontSize = 4;
constexpr int kLargestFontSize = 72;

const QString kNotSaved = QStringLiteral("登録は行いませんでした。");

bool isEmptyRow(const QStringList& row) {
    for (int column = 0; column <= 3; ++column)
        if (!trimBlanks(cell(row, column)).isEmpty()) return false;
    return true;
}

// Why a size cell of a row cannot be stored; empty when it can.
QString sizeProblem(int row, int column, const QString& text) {
    const QString where = QString::number(row) + QStringLiteral("行目の「") + kSizeTitles[column - 1];
    const QString range =
        QStringLiteral("%1～%2の範囲で入力してください。").arg(kSmallestFontSize).arg(kLargestFontSize);
    if (trimBlanks(text).isEmpty()) return where + QStringLiteral("」が空欄です。\n") + range + kNotSaved;
    const std::optional<double> value = strictNumber(text);
    if (!value) return notNumberInRowMessage(row, kSizeTitles[column - 1], text);
    if (!fitsInt16(*value) || cInt(*value) < kSmallestFontSize || cInt(*value) > kLargestFontSize)
        return where + QStringLiteral("」が範囲外です：「") + text + QStringLiteral("」\n") + range +
               kNotSaved;
    return {};
}

// The rows are stored from the first one down to the first empty row. A row
// that cannot be stored is named instead of being dropped: a face or a size
// missing, a size that is not a font size, a row after an empty one, and a
// set in use that would not be stored (the next start would then fall back
// to the default sets and lose the rows).
QString rowsProblem(const FontSetRows& rows, int inUseRow) {
    int firstEmpty = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i + 1);
        if (isEmptyRow(rows[i])) {
            if (firstEmpty == 0) firstEmpty = row;
            continue;
        }
        if (firstEmpty != 0)
            return QStringLiteral("%1行目が空欄のため、%2行目は登録できません。\n空欄の行を詰めてください。")
                       .arg(firstEmpty)
                       .arg(row) +
                   kNotSaved;
        if (trimBlanks(cell(rows[i], 0)).isEmpty())
            return QString::number(row) +
                   QStringLiteral("行目の「フォント」が空欄です。\nフォントを指定してください。") + kNotSaved;
        for (int column = 1; column <= 3; ++column)
            if (QString problem = sizeProblem(row, column, cell(rows[i], column)); !problem.isEmpty())
                return problem;
    }
    const int stored = firstEmpty == 0 ? static_cast<int>(rows.size()) : firstEmpty - 1;
    if (inUseRow < 1 || inUseRow > stored)
        return QStringLiteral("使用するフォントセット（%1行目）が空欄です。\n").arg(inUseRow) +
               QStringLiteral(
                   "フォントとサイズを入力するか、別の行を「このﾌｫﾝﾄｾｯﾄを使う」で指定してください。") +
               kNotSaved;
    return {};
}

} // namespace

QStringList fontFaceChoices() {
    return {QStringLiteral("ＭＳ明朝"), QStringLiteral("ＭＳＰ明朝"), QStringLiteral("ＭＳゴシック"),
            QStringLiteral("ＭＳＰゴシック")};
}

QList<FontSetRecord> loadFontSet(const Folders& folders, ReportFont& reportFont) {
    ReportFont font;
    QList<FontSetRecord> records = readFontSets(folders, font);
    if (font.fontSetInUse == 0) {
        // No set is in use: the whole file gives way to the defaults, whose
        // first set is flagged.
        writeDefaultFontSets(folders);
        records = readFontSets(folders, font);
    }
    // The master folder cannot be written: report with the first default set.
    if (font.fontSetInUse == 0) font = firstDefaultFont();
    reportFont = font;
    return records;
}

ReportFont readReportFont(const Folders& folders) {
    ReportFont font;
    readFontSetFile(folders.fontFile, font);
    return font.fontSetInUse == 0 ? firstDefaultFont() : font;
}

bool writeDefaultFontSets(const Folders& folders) {
    QList<QByteArray> records;
    for (const char* line : kDefaultFontSets) {
        QStringList f = QString::fromUtf8(line).split(u',');
        records.append(encodeFontSet(f[0], f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt()));
    }
    return replaceFile(folders.fontFile, records);
}

bool saveFontSets(const Folders& folders, Prompt& prompt, const FontSetRows& rows, int inUseRow) {
    if (const QString problem = rowsProblem(rows, inUseRow); !problem.isEmpty()) {
        prompt.warn(problem);
        return false;
    }
    QList<QByteArray> records;
    for (const QStringList& row : rows) {
        if (isEmptyRow(row)) break;
        int sizes[3];
        for (int k = 0; k < 3; ++k)
            sizes[k] = static_cast<int>(cInt(parseLeadingNumber(cell(row, k + 1))));
        int n = static_cast<int>(records.size()) + 1;
        records.append(encodeFontSet(cell(row, 0), sizes[0], sizes[1], sizes[2], n == inUseRow ? 1 : 0));
    }
    if (records.isEmpty()) return true;
    return replaceLeadingRecordsOrWarn(prompt, folders.fontFile, kFontSetRecordLength, records);
}

} // namespace k5
