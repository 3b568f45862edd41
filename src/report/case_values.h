#pragma once
#include "jobdata/foundation_record.h"
#include "report/page_grid.h"

#include <QString>
#include <array>
#include <functional>

// The four load-case values of a foundation page and the check texts both
// foundation types share.
namespace k5::report {

// Load-case columns of the record's per-case rows.
enum LoadCase { kLongX = 1, kLongY = 2, kShortX = 3, kShortY = 4 };
// Directions of the bar rows (the same columns hold X and Y).
enum Direction { kDirX = 1, kDirY = 2 };

// Which of the four cases a page prints: long-term X always; the others only
// when the foundation carries a load in them, so a footing under axial load
// alone shows one column of values.
struct CaseFlags {
    std::array<bool, 5> printed{}; // index 1..4
    bool operator[](int loadCase) const { return printed.at(static_cast<size_t>(loadCase)); }
    bool anyShortTerm() const { return printed[kShortX] || printed[kShortY]; }
};
CaseFlags caseFlags(const FoundationRecord& record);

// Where the case values of a page type stand.
int unitColumn(FoundationType type);
int caseColumn(FoundationType type, int loadCase);

// How a row spreads its values over the case columns: 1111 each case in its
// own column; 1011 long-term X centred over both long-term columns, the
// short-term cases in their own; 1010 long-term X over the long-term and
// short-term X over the short-term columns; 1000 long-term X over all four.
enum class CaseLayout { L1111, L1011, L1010, L1000 };

// Unit codes: 1 force, 2 length (m), 3 moment, 4 pressure, 5 unit weight, 6 stress.
QString unitText(int code, int unitSystem);
int unitSystemOf(const FoundationRecord& record);

// One row of case values of data2 row `data2Row`, with the unit of
// `unitCode` (0: none) in the unit column. A value that the design left at
// its "nothing here" value stays blank.
void drawCaseRow(const PageGrid& grid, const FoundationRecord& record, FoundationType type, int row,
                 int data2Row, int unitCode, CaseLayout layout, const CaseFlags& flags);

// A check text with the columns it is centred over; `ng` texts are written in red.
struct CheckText {
    QString text;
    int firstColumn = 0;
    int lastColumn = 0;
    bool ng = false;
};
CheckText rebarDecisionText(const FoundationRecord& record, FoundationType type, Direction dir);
CheckText atCheckText(const FoundationRecord& record, FoundationType type, Direction dir);
CheckText psiCheckText(const FoundationRecord& record, FoundationType type, Direction dir);

inline const QColor kNgColor = QColor(255, 0, 0);

// Writes a text in red when it reports a failure, then returns to black.
void writeJudged(const PageGrid& grid, bool ng, const std::function<void()>& write);
// "NG" in red or "OK", centred over columns c1..c2.
void drawJudgement(const PageGrid& grid, int row, int c1, int c2, bool ng);
// A check text centred over its columns with every marker applied.
void drawCheckText(const PageGrid& grid, int row, const CheckText& check);

} // namespace k5::report
