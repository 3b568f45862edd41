#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The report font set master: up to ten face-and-size sets, one of them in
// use, from which the calculation report takes its face and three sizes.
namespace k5 {

struct Folders;
class Prompt;

// The report font: the set in use, as last loaded.
struct ReportFont {
    int fontSetInUse = 0;   // record number of the set in use; 0 before one is found
    QString reportFaceName; // without surrounding blanks
    int largeSize = 0;      // titles, points
    int bodySize = 0;       // body text, points
    int smallSize = 0;      // subscripts, points
};

// One record of the font set file.
struct FontSetRecord {
    QString faceName; // 20 bytes as stored, padding blanks included
    int titleSize = 0;
    int bodySize = 0;
    int smallSize = 0;
    int inUse = 0; // 1 for the set in use
};

constexpr int kFontSetRecordLength = 28;
constexpr int kFontSetGridRows = 10;

// The faces offered in the face column's side list, in this order.
QStringList fontFaceChoices();

// Sets reportFont from the file's flagged record (a later flagged record
// overrides an earlier one) and returns the records read. A missing or
// too short file, or one without a flagged record, is replaced by the
// default sets first.
QList<FontSetRecord> loadFontSet(const Folders& folders, ReportFont& reportFont);
// The font set in use as the file stands, the first default set when the
// file has none; writes nothing (for runs that only read the tree).
ReportFont readReportFont(const Folders& folders);
// Replaces the file by the eight default sets (record 1 in use).
bool writeDefaultFontSets(const Folders& folders);

// Grid rows as typed: face, ﾀｲﾄﾙ文字, 一般文字, 添字.
using FontSetRows = QList<QStringList>;
// Writes rows 1, 2, ... up to the first empty row, each size rounded to an
// Integer, the in-use flag on row `inUseRow`. Records after the last one
// written keep their content. A row that cannot be stored refuses the save
// with a warning that names it (a face or size missing, a size that is not a
// number or not a font size of 4 to 72 points, a row after an empty one, a
// set in use that is empty); the file is then unchanged.
bool saveFontSets(const Folders& folders, Prompt& prompt, const FontSetRows& rows, int inUseRow);

} // namespace k5
