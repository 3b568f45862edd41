#include "masters/master_file.h"

#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/prompt.h"
#include "platform/record_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace k5 {

int roundedRecordCount(const QString& path, int recordLength) {
    QFileInfo info(path);
    if (!info.isFile()) return 0;
    return static_cast<int>(cInt(static_cast<double>(info.size()) / recordLength));
}

QList<QByteArray> readRecords(const QString& path, int recordLength, int count) {
    QList<QByteArray> records;
    RecordFile file(path, recordLength);
    if (count <= 0 || !file.openReadOnly()) return records;
    records.reserve(count);
    for (int n = 1; n <= count; ++n)
        records.append(file.read(n));
    return records;
}

bool replaceLeadingRecordsOrWarn(Prompt& prompt, const QString& path, int recordLength,
                                 const QList<QByteArray>& records) {
    if (replaceLeadingRecords(path, recordLength, records)) return true;
    prompt.error(writeFailedMessage(path));
    return false;
}

QList<double> readNumberItems(const QString& path) {
    QList<double> numbers;
    QFile file;
    if (!openRegularFile(file, path)) return numbers;
    static const QRegularExpression separators(QStringLiteral("[ \\t,\\r\\n]+"));
    for (const QString& item : fromCp932(file.readAll()).split(separators, Qt::SkipEmptyParts))
        numbers.append(parseLeadingNumber(item));
    return numbers;
}

QByteArray numberLine(const QList<QString>& items) {
    return toCp932(items.join(u' ')) + "\r\n";
}

std::optional<double> strictNumber(const QString& text) {
    // Masters hold decimal numbers only (no "&H" forms), read by the one
    // number rule of the input fields: digit groups ("1,500") as the number
    // they write, any other comma or trailing text refused.
    if (asciiNumberText(text).contains(u'&')) return std::nullopt;
    return parseWholeNumber(text);
}

QString notNumberInRowMessage(int row, const QString& column, const QString& text) {
    return QString::number(row) + QStringLiteral("行目の「") + column +
           QStringLiteral("」が数値ではありません：「") + text +
           QStringLiteral("」\n数値を入力してください。登録は行いませんでした。");
}

QString notNumberInFieldMessage(const QString& field, const QString& text) {
    return QStringLiteral("「") + field + QStringLiteral("」が数値ではありません：「") + text +
           QStringLiteral("」\n数値を入力してください。登録は行いませんでした。");
}

QString writeFailedMessage(const QString& path) {
    return QStringLiteral("ファイルに書き込めませんでした：") + path +
           QStringLiteral("\n登録は行いませんでした。");
}

QString outOfRangeInRowMessage(int row, const QString& column, const QString& text) {
    return QString::number(row) + QStringLiteral("行目の「") + column + QStringLiteral("」が範囲外です：「") +
           text + QStringLiteral("」\n-32768～32767の範囲で入力してください。登録は行いませんでした。");
}

} // namespace k5
