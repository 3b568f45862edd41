#include "masters/bar_size_master.h"

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
#include <array>

namespace k5 {
namespace {

struct DefaultBarSize {
    const char* name;
    float area;
    float perimeter;
};

constexpr std::array<DefaultBarSize, 14> kDeformedDefaults{{
    {"D6", 0.32f, 2.0f},
    {"D8", 0.5f, 2.5f},
    {"D10", 0.713f, 3.0f},
    {"D13", 1.27f, 4.0f},
    {"D16", 1.98f, 5.0f},
    {"D19", 2.85f, 6.0f},
    {"D22", 3.88f, 7.0f},
    {"D25", 5.07f, 8.0f},
    {"D29", 6.41f, 9.0f},
    {"D32", 7.92f, 10.0f},
    {"D35", 9.58f, 11.0f},
    {"D38", 11.4f, 12.0f},
    {"D41", 13.4f, 13.0f},
    {"D51", 20.3f, 16.0f},
}};

constexpr std::array<DefaultBarSize, 12> kRoundDefaults{{
    {"R4", 0.13f, 1.26f},
    {"R6", 0.28f, 1.88f},
    {"R8", 0.5f, 2.51f},
    {"R9", 0.64f, 2.83f},
    {"R12", 1.13f, 3.77f},
    {"R13", 1.33f, 4.08f},
    {"R16", 2.01f, 5.03f},
    {"R19", 2.84f, 5.97f},
    {"R22", 3.80f, 6.91f},
    {"R25", 4.91f, 7.85f},
    {"R28", 6.16f, 8.80f},
    {"R32", 8.04f, 10.05f},
}};

const QString kColumnTitles[] = {QStringLiteral("呼称"), QStringLiteral("at(cm2)"), QStringLiteral("ψ(cm)")};

bool isDeformed(const QString& kind) {
    return kind == QStringLiteral("D");
}

QByteArray encodeBarSize(const QString& name, float area, float perimeter) {
    RecordWriter w(kBarSizeRecordLength);
    w.putBytes(0, encodeField(name, 4, Terminator::None));
    w.putSingle(4, area);
    w.putSingle(8, perimeter);
    return w.bytes();
}

BarSizeRecord decodeBarSize(const QByteArray& bytes) {
    RecordReader r(bytes);
    return {fromCp932(r.bytes(0, 4)), r.single(4), r.single(8)};
}

int recordCount(const QString& path) {
    return roundedRecordCount(path, kBarSizeRecordLength);
}

QString cell(const QStringList& row, int column) {
    return column < row.size() ? row[column] : QString();
}

} // namespace

QString barSizeFile(const Folders& folders, const QString& kind) {
    return folders.masterFile(isDeformed(kind) ? QStringLiteral("m_sDBar.k5d")
                                               : QStringLiteral("m_sRBar.k5d"));
}

int barSizeRowCount(const QString& kind) {
    return isDeformed(kind) ? 14 : 12;
}

void ensureBarSizeFile(const Folders& folders, const QString& kind) {
    if (recordCount(barSizeFile(folders, kind)) > 0) return;
    writeDefaultBarSizes(folders, kind);
}

static QList<QByteArray> defaultBarSizeBytes(const QString& kind) {
    QList<QByteArray> records;
    auto add = [&records](const auto& table) {
        for (const DefaultBarSize& d : table)
            records.append(encodeBarSize(QString::fromLatin1(d.name).toUpper(), d.area, d.perimeter));
    };
    if (isDeformed(kind))
        add(kDeformedDefaults);
    else
        add(kRoundDefaults);
    return records;
}

bool writeDefaultBarSizes(const Folders& folders, const QString& kind) {
    return replaceFile(barSizeFile(folders, kind), defaultBarSizeBytes(kind));
}

QList<BarSizeRecord> readBarSizes(const Folders& folders, const QString& kind) {
    const QString path = barSizeFile(folders, kind);
    // A missing file stands for the defaults start-up would write (a run
    // that only reads the tree writes none).
    const bool missing = !QFileInfo::exists(path) && !QFileInfo(path).isSymLink();
    QList<BarSizeRecord> records;
    for (const QByteArray& bytes :
         missing ? defaultBarSizeBytes(kind) : readRecords(path, kBarSizeRecordLength, recordCount(path)))
        records.append(decodeBarSize(bytes));
    return records;
}

QString barSizeKindOf(const QString& sizeText) {
    return sizeText.startsWith(u'D') ? QStringLiteral("D") : QStringLiteral("R");
}

BarSizeData lookupBarSize(const QList<BarSizeRecord>& records, const QString& sizeText) {
    // An empty text is contained in every name; it names no size.
    if (sizeText.isEmpty()) return {kBarSizeNotFound, kBarSizeNotFound};
    for (const BarSizeRecord& record : records)
        if (trimBlanks(record.sizeName).contains(sizeText)) return {record.area, record.perimeter};
    return {kBarSizeNotFound, kBarSizeNotFound};
}

BarSizeData findBarSize(const Folders& folders, const QString& sizeText) {
    if (sizeText.isEmpty()) return {kBarSizeNotFound, kBarSizeNotFound};
    return lookupBarSize(readBarSizes(folders, barSizeKindOf(sizeText)), sizeText);
}

QStringList listBarSizes(const Folders& folders, const QString& kind) {
    QStringList items;
    for (const BarSizeRecord& record : readBarSizes(folders, kind)) {
        // Bars thinner than 9 mm are not used as main reinforcement of a footing.
        if (parseLeadingNumber(trimBlanks(record.sizeName).mid(1)) < 9) continue;
        items.append(record.sizeName);
    }
    return items;
}

int findListIndex(const QStringList& items, const QString& text) {
    if (items.isEmpty()) return -1;
    const QString wanted = trimBlanks(text);
    for (qsizetype i = 0; i < items.size(); ++i)
        if (trimBlanks(items[i]) == wanted) return static_cast<int>(i);
    return 0;
}

bool saveBarSizeRows(const Folders& folders, Prompt& prompt, const QString& kind, const BarSizeRows& rows) {
    for (qsizetype i = 0; i < rows.size(); ++i)
        for (int column : {1, 2}) {
            QString text = cell(rows[i], column);
            if (!trimBlanks(text).isEmpty() && !strictNumber(text)) {
                prompt.warn(notNumberInRowMessage(static_cast<int>(i + 1), kColumnTitles[column], text));
                return false;
            }
        }
    QList<QByteArray> records;
    for (const QStringList& row : rows) {
        double area = parseLeadingNumber(cell(row, 1));
        double perimeter = parseLeadingNumber(cell(row, 2));
        if (trimBlanks(cell(row, 0)).isEmpty() || area == 0 || perimeter == 0) break;
        // The name is kept as typed: only the default table is upper-cased.
        records.append(encodeBarSize(cell(row, 0), static_cast<float>(area), static_cast<float>(perimeter)));
    }
    if (records.isEmpty()) return true;
    return replaceLeadingRecordsOrWarn(prompt, barSizeFile(folders, kind), kBarSizeRecordLength, records);
}

} // namespace k5
