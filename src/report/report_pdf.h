#pragma once
#include "platform/prompt.h"
#include "report/report_pages.h"

#include <QList>
#include <QString>
#include <functional>

namespace k5 {
struct ReportFont;
}

namespace k5::report {

// Told before each page is drawn (done pages of total); answering false
// stops the work, which then ends as cancelled.
using ReportProgress = std::function<bool(int done, int total)>;

// The outcome of a cancelled report: not done, with nothing to show.
bool wasCancelled(const Outcome& outcome);

// Pages first..last (1 is the cover) of the report as one PDF document on A4
// paper, drawn exactly as they print. The document is written under a
// scratch name beside `pdfPath` and renamed over it only once every byte of
// it is on disk: a full disk, a file-size limit or a cancel leaves the
// earlier file as it was and no scratch file, and is reported. A page range
// outside the report is refused with a message.
Outcome writeReportPdf(const QString& pdfPath, const ReportJob& job, const ReportFont& font, int first,
                       int last, const TraceWriter& trace = {}, const SidePanelDrawer& panel = {},
                       const ReportProgress& progress = {});

// The same for any pages of the report, in the order given.
Outcome writeReportPdfPages(const QString& pdfPath, const ReportJob& job, const ReportFont& font,
                            const QList<int>& pages, const TraceWriter& trace = {},
                            const ReportProgress& progress = {});

} // namespace k5::report
