#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// File and field helpers shared by the master files (bar sizes, grades,
// Young's modulus, concrete setting, font sets).
namespace k5 {

struct Folders;
class Prompt;

// Record count of a master file as the masters have always counted it: the
// length divided by the record length, rounded to the nearest whole number
// (halves to even). A trailing partial record that rounds up reads padded
// with zeros. 0 when the file is missing.
int roundedRecordCount(const QString& path, int recordLength);

// Records 1..count, each `recordLength` bytes (zeros past the end of the file).
QList<QByteArray> readRecords(const QString& path, int recordLength, int count);

// replaceLeadingRecords, with a warning naming the file when it cannot be written.
bool replaceLeadingRecordsOrWarn(Prompt& prompt, const QString& path, int recordLength,
                                 const QList<QByteArray>& records);

// The numbers of a small settings text file: items separated by blanks,
// commas or line breaks, each read by the leading-number rule.
QList<double> readNumberItems(const QString& path);

// One line of numbers separated by blanks and ended by CR LF.
QByteArray numberLine(const QList<QString>& items);

// The value of a field the user typed into a numeric column: empty
// (std::nullopt) unless the text, blanks aside, is one decimal number
// ("12", "-0.5", "1.5E3", "1,500").
std::optional<double> strictNumber(const QString& text);

// "3行目の「at(cm2)」が数値ではありません" with the text and the note that
// nothing was saved: shown when a numeric grid cell holds something else.
QString notNumberInRowMessage(int row, const QString& column, const QString& text);
// The same for a single field (Young's modulus, multipliers).
QString notNumberInFieldMessage(const QString& field, const QString& text);
// The file could not be written (disk full, no permission).
QString writeFailedMessage(const QString& path);
// A size that does not fit the file's 16-bit Integer.
QString outOfRangeInRowMessage(int row, const QString& column, const QString& text);

} // namespace k5
