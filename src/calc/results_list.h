#pragma once
#include "calc/design_results.h"
#include "platform/prompt.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The results list: one row per foundation of the job in file order with its
// size, piles, decided bars, the governing ratio of each check and the
// judgement, all from the stored results. Read only: the job is read once
// and never written. A record without complete results is run through the
// calculation's checks in memory to tell "未計算" from the message that
// would stop the calculation there.
namespace k5 {

struct Folders;

struct ResultRow {
    int number = 0; // the record's number in the job (1, 2, ...)
    int foundationType = 0;
    QString name, type;
    float Lx = 0, Ly = 0, D1 = 0; // mm
    QString piles;                // the arrangement's caption (pile caps)
    QString barsX, barsY;         // as the report writes them (empty when not calculated)
    DesignResult result;
    // What the design may hide though no check fails on it (designWarnings):
    // entered loads the pile check never sees, bars closer than can be built.
    QStringList warnings;
};

QList<ResultRow> readResults(const Folders& folders);
// The rows of records already loaded (the job as its load left it in memory).
QList<ResultRow> readResults(const Folders& folders, const QList<FoundationRecord>& records);

// Columns of the list, command line and CSV alike.
enum ResultColumn : int {
    kResultNo,
    kResultName,
    kResultType,
    kResultLx,
    kResultLy,
    kResultD1,
    kResultPiles,
    kResultBarsX,
    kResultBarsY,
    kResultFirstCheck, // one column per DesignCheck, in its order
    kResultMax = kResultFirstCheck + kDesignCheckCount,
    kResultVerdict,
    kResultNotes, // 注記: the warnings, not a judgement
    kResultColumnCount
};
QStringList resultHeaders();
// The cells of a row as shown: ratios with two decimals rounded up, empty
// where a check does not apply or the record has no results; the warnings
// joined in 注記.
QStringList resultCells(const ResultRow& row);
// The number a column sorts by (ratios, sizes and numbers; 判定 from the
// worst: NG, then a foundation the calculation stops at, not calculated, OK,
// each by its largest ratio); none for a text column.
std::optional<double> resultSortValue(const ResultRow& row, int column);
// Whether the first click on a column's heading sorts the largest first:
// the ratios and 判定, so the worst foundations come to the top.
bool resultColumnSortsWorstFirst(int column);
// A cell that reports a failure: a ratio above 1 or of a failed check, an NG
// or a stop in 判定.
bool resultCellFails(const ResultRow& row, int column);

// Header and rows, tab-separated, one line each (LF).
QString resultsTabText(const QList<ResultRow>& rows);

enum class CsvEncoding { Utf8Bom, Cp932 };
// The CSV bytes: fields quoted where they hold a comma, a quote or a line
// break, lines ended by CRLF, UTF-8 with a byte-order mark or CP932.
QByteArray resultsCsv(const QList<ResultRow>& rows, CsvEncoding encoding);
// Writes the CSV to `path`, replacing the file only when the new content is
// complete; the message names the file when it could not be written.
Outcome writeResultsCsv(const QString& path, const QList<ResultRow>& rows, CsvEncoding encoding);

} // namespace k5
