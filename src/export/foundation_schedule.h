#pragma once
#include "export/schedule_drawing.h"
#include "jobdata/foundation_record.h"
#include "report/page_sequence.h"

#include <QList>
#include <QString>

// The foundation schedule of the drawings: for every calculated foundation
// of the job (one per design group where the report goes by group) a cell
// with its plan and section at 1:1 in millimetres, the dimensions the
// report's figure gives, the bars as the report writes them, its name as
// the title and a small table (Fc, bars, piles and Pe, 判定). The cells stand
// on a grid, a few to a row, all of one size so that they line up.
namespace k5::dxfexport {

struct ScheduleOptions {
    int firstRecord = 1; // record numbers of the job to take, inclusive
    int lastRecord = 0;  // 0: to the last record
    // The plot scale the drawing is meant for (1:plotScale): texts, gaps and
    // dimension marks are sized in millimetres of paper at that scale.
    double plotScale = 50;
    int cellsPerRow = 4;
};

// A foundation that has no cell, and why: "未計算" or the message that stops
// the calculation at it.
struct LeftOut {
    int record = 0;
    QString name;
    QString reason;
};
// The line that tells the user about it.
QString leftOutLine(const LeftOut& leftOut);

struct Schedule {
    Drawing drawing;
    QList<int> records; // the record of each cell, in order
    QList<LeftOut> leftOut;
};

// The records the schedule takes, in the order the report takes them: those
// holding complete results (hasCompleteResults). The others are left out as
// "未計算"; the export names those the calculation stops at by its message.
Schedule buildSchedule(const report::ReportJob& job, const ScheduleOptions& options);

// One foundation's cell with its content's top left corner at the origin.
Drawing drawFoundationCell(const FoundationRecord& record, double plotScale);

} // namespace k5::dxfexport
