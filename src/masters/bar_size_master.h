#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The rebar size master: area and perimeter of one bar for every size name,
// one file for deformed bars (kind "D") and one for round bars (kind "R").
namespace k5 {

struct Folders;
class Prompt;

// Area (cm²) and perimeter (cm) of one bar; both −9999 when the size is unknown.
struct BarSizeData {
    float area;
    float perimeter;
};

// One record of a bar size file as stored.
struct BarSizeRecord {
    QString sizeName; // the 4 stored characters, blank padding included ("D6  ")
    float area = 0;
    float perimeter = 0;
};

constexpr int kBarSizeRecordLength = 12;
constexpr float kBarSizeNotFound = -9999.0f;

// "D" selects the deformed-bar file m_sDBar.k5d, any other kind the round-bar file m_sRBar.k5d.
QString barSizeFile(const Folders& folders, const QString& kind);
// Grid rows of the size window: 14 for deformed bars, 12 for round bars.
int barSizeRowCount(const QString& kind);

// Recreates the kind's file with its defaults unless it holds a record.
void ensureBarSizeFile(const Folders& folders, const QString& kind);
// Replaces the kind's file by its default table.
bool writeDefaultBarSizes(const Folders& folders, const QString& kind);

// The first record, in file order, whose trimmed name contains `sizeText`
// ("D19"); the file is chosen by the text's first letter ("D" deformed, any
// other round). {−9999, −9999} when none does.
BarSizeData findBarSize(const Folders& folders, const QString& sizeText);
// The file kind a size text is looked up in: "D" for a text starting with
// "D", "R" otherwise.
QString barSizeKindOf(const QString& sizeText);
// The same lookup in records already read from the kind's file.
BarSizeData lookupBarSize(const QList<BarSizeRecord>& records, const QString& sizeText);

// Every record of the kind's file, in file order.
QList<BarSizeRecord> readBarSizes(const Folders& folders, const QString& kind);

// The size names (as stored, 4 characters) of the kind from 9 mm up, for the
// bar size lists of the input windows.
QStringList listBarSizes(const Folders& folders, const QString& kind);

// Index of the first item equal to `text`, blanks at both ends ignored; 0
// when none is equal (the list then shows its first item); −1 for no items.
int findListIndex(const QStringList& items, const QString& text);

// Grid rows as typed: each row holds the cells of columns 呼称, at(cm2), ψ(cm).
using BarSizeRows = QList<QStringList>;

// Writes the rows to the kind's file as records 1, 2, ... up to the first
// incomplete row (empty name, or an area or perimeter of 0 or empty);
// records after the last one written keep their content. A numeric cell
// that holds something other than a number refuses the whole save with a
// warning; false then, and the file is unchanged.
bool saveBarSizeRows(const Folders& folders, Prompt& prompt, const QString& kind, const BarSizeRows& rows);

} // namespace k5
