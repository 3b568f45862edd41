#pragma once
#include "export/schedule_export.h"
#include "platform/prompt.h"

#include <QString>

namespace k5 {

struct AppContext;

// "DXF出力...": the file name the dialog proposes, the job's file name in
// the save folder.
QString proposedDxfPath(const AppContext& ctx);

// Writes the foundation schedule of the job to `path` (R12, Shift-JIS) and
// says what happened: how many foundations were drawn and which were left
// out and why, or why nothing was written.
Outcome exportScheduleCommand(const AppContext& ctx, const QString& path);

} // namespace k5
