#pragma once
#include "export/dxf_file.h"
#include "export/foundation_schedule.h"
#include "platform/prompt.h"
#include "report/page_sequence.h"

#include <QList>
#include <QString>

// "DXF出力": the foundation schedule of the job as one DXF file. A reading
// command: the job is read once and never written.
namespace k5 {
struct Folders;
} // namespace k5

namespace k5::dxfexport {

struct ExportRequest {
    QString path;
    ScheduleOptions options;
    DxfVersion version = DxfVersion::R12;
};

struct ExportResult {
    Outcome outcome;
    int foundations = 0;    // cells written
    QList<LeftOut> leftOut; // foundations without a cell, in the order the report takes them
    QList<LeftOut> failing; // foundations drawn with the mark NG ("データ3 F3: NG")
    int sheets = 0;
};

// Writes the schedule of the job to `request.path`, replacing the file only
// once the new drawing is complete. A job with no foundation to draw is
// refused and leaves the file as it was. The job is the one of `folders`,
// loaded and checked as every command loads it (report::loadCheckedReportJob).
// A foundation left out is named with the message that stops the
// calculation at it, or "未計算" when its results were merely cleared since
// the last calculation: the results list's judgement.
ExportResult exportScheduleDxf(const Folders& folders, const report::ReportJob& job,
                               const ExportRequest& request);

} // namespace k5::dxfexport
