#pragma once
#include "export/schedule_export.h"
#include "platform/prompt.h"

#include <QString>

namespace k5 {

struct AppContext;

// "DXF出力...": the file name the dialog proposes, the job's file name in
// the save folder.
QString proposedDxfPath(const AppContext& ctx);

// The foundation schedule of the job in DAT, written as `request` says. The
// job is loaded and checked first as `list`, `calc` and the report load it:
// a job they refuse is refused with the same message and nothing is written.
dxfexport::ExportResult exportJobSchedule(AppContext& ctx, const dxfexport::ExportRequest& request);

// "DXF出力...": writes the foundation schedule of the job to `path` (R12,
// Shift-JIS) on the sheets and at the scale of `options`, and says what
// happened: how many foundations were drawn on how many sheets, which are
// marked NG, and which were left out and why, or why nothing was written.
Outcome exportScheduleCommand(AppContext& ctx, const QString& path,
                              const dxfexport::ScheduleOptions& options = {});

} // namespace k5
