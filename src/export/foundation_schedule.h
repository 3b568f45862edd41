#pragma once
#include "export/schedule_drawing.h"
#include "jobdata/foundation_record.h"
#include "report/page_sequence.h"

#include <QList>
#include <QString>

#include <array>

// The foundation schedule of the drawings: for every calculated foundation
// of the job (one per design group where the report goes by group) a cell
// with its plan and section at 1:1 in millimetres, the dimensions the
// report's figure gives, the bars as the report writes them, its name as
// the title and a small table (Fc, bars, piles and Pe, 判定). Each cell is
// as large as its own foundation needs; the cells are packed in rows onto
// sheets of the chosen paper, each sheet with its frame and title block.
namespace k5::dxfexport {

// Landscape sheets: A1 841 × 594, A2 594 × 420, A3 420 × 297 mm.
enum class SheetSize { A1, A2, A3 };
struct PaperSize {
    double width = 0, height = 0; // mm
};
PaperSize paperSize(SheetSize sheet);
// "A1", "A2", "A3".
QString sheetName(SheetSize sheet);

struct ScheduleOptions {
    int firstRecord = 1; // record numbers of the job to take, inclusive
    int lastRecord = 0;  // 0: to the last record
    // The plot scale the drawing is meant for (1:plotScale): texts, gaps and
    // dimension marks are sized in millimetres of paper at that scale.
    double plotScale = 50;
    SheetSize sheet = SheetSize::A1;
    QString date; // the title block's date as written, e.g. "2026.12.11"
};

// A foundation that has no cell, and why: "未計算" or the message that stops
// the calculation at it; or a foundation drawn with the mark NG.
struct LeftOut {
    int record = 0;
    QString name;
    QString reason;
};
// The line that tells the user about it: "データ3 F3: 未計算".
QString leftOutLine(const LeftOut& leftOut);

struct Schedule {
    Drawing drawing;
    QList<int> records; // the record of each cell, in order
    QList<LeftOut> leftOut;
    QList<LeftOut> failing; // cells drawn with the mark NG, reason "NG"
    int sheets = 0;
};

// The records the schedule takes, in the order the report takes them: those
// holding complete results (hasCompleteResults). The others are left out as
// "未計算"; the export names those the calculation stops at by its message.
// A design group is taken when any of its members lies in the range.
Schedule buildSchedule(const report::ReportJob& job, const ScheduleOptions& options);

// What one cell shows: a foundation, or a design group drawn by its
// governing record with the bars of the member that needs the most of them
// in each direction (barMember[1] for X, [2] for Y; 0 for a single
// foundation, which shows its own bars).
struct CellContent {
    const FoundationRecord* record = nullptr;
    std::array<const FoundationRecord*, 3> bars{};
    std::array<int, 3> barMember{};
};
CellContent singleFoundation(const FoundationRecord& record);

// One foundation's cell with its content's top left corner at the origin.
Drawing drawFoundationCell(const CellContent& content, double plotScale);

} // namespace k5::dxfexport
