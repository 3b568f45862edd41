#pragma once
#include "report/report_setup.h"
#include "report/surface.h"

#include <QString>

namespace k5::report {

// Page 1: a frame with the program's title at its top right and the job
// name in the middle; a job without a name reads "データがありません".
void drawCoverPage(Surface& surface, const PageSetup& setup, const QString& jobName);

} // namespace k5::report
