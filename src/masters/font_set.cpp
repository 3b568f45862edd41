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

// One pass of the load: the records and the set flagged in use, if any.
QList<FontSetRecord> readFontSets(const Folders& folders, ReportFont& font) {
    const QString& path = folders.fontFile;
    if (roundedRecordCount(path, kFontSetRecordLength) <= 0) writeDefaultFontSets(folders);
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

// Every size cell must be empty or a number that fits the file's Integer.
bool checkSizeCells(Prompt& prompt, const FontSetRows& rows) {
    for (qsizetype i = 0; i < rows.size(); ++i)
        for (int column = 1; column <= 3; ++column) {
            QString text = cell(rows[i], column);
            if (trimBlanks(text).isEmpty()) continue;
            std::optional<double> value = strictNumber(text);
            int row = static_cast<int>(i + 1);
            if (!value) {
                prompt.warn(notNumberInRowMessage(row, kSizeTitles[column - 1], text));
                return false;
            }
            if (!fitsInt16(*value)) {
                prompt.warn(outOfRangeInRowMessage(row, kSizeTitles[column - 1], text));
                return false;
            }
        }
    return true;
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
    if (font.fontSetInUse == 0) {
        // The master folder cannot be written: report with the first default set.
        QStringList first = QString::fromUtf8(kDefaultFontSets[0]).split(u',');
        font = {1, first[0], first[1].toInt(), first[2].toInt(), first[3].toInt()};
    }
    reportFont = font;
    return records;
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
    if (!checkSizeCells(prompt, rows)) return false;
    QList<QByteArray> records;
    for (const QStringList& row : rows) {
        int sizes[3];
        bool complete = !trimBlanks(cell(row, 0)).isEmpty();
        for (int k = 0; k < 3 && complete; ++k) {
            double value = parseLeadingNumber(cell(row, k + 1));
            complete = value > 0;
            sizes[k] = static_cast<int>(cInt(value));
        }
        if (!complete) break;
        int n = static_cast<int>(records.size()) + 1;
        records.append(encodeFontSet(cell(row, 0), sizes[0], sizes[1], sizes[2], n == inUseRow ? 1 : 0));
    }
    if (records.isEmpty()) return true;
    return replaceLeadingRecordsOrWarn(prompt, folders.fontFile, kFontSetRecordLength, records);
}

} // namespace k5
