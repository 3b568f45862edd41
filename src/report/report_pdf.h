#pragma once
#include "platform/prompt.h"
#include "report/report_pages.h"

#include <QString>

namespace k5 {
struct ReportFont;
}

namespace k5::report {

// Pages first..last (1 is the cover) of the report as one PDF document on A4
// paper, drawn exactly as they print. The document is written under a
// scratch name beside `pdfPath` and renamed over it once complete, so an
// existing file is never left half written. A page range outside the report
// is refused with a message.
Outcome writeReportPdf(const QString& pdfPath, const ReportJob& job, const ReportFont& font, int first,
                       int last, const TraceWriter& trace = {}, const SidePanelDrawer& panel = {});

} // namespace k5::report
