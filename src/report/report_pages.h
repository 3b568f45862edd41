#pragma once
#include "report/foundation_page.h"
#include "report/page_sequence.h"
#include "report/report_setup.h"
#include "report/surface.h"

// The one entry point of the report: the preview, the printer and the PDF
// writer draw every page through drawPage.
//
//   ReportJob job = loadReportJob(jobFile);          // once, when the preview opens
//   Preview: PageSetup s = previewSetup(font, PainterSurface::widthInTwips(picture));
//            QPainter p(&picture); PainterSurface surface = PainterSurface::forPicture(p);
//   Paper:   PageSetup s = printSetup(font);          // A4, origin at the printable area
//            QPainter p(&printer); PainterSurface surface = PainterSurface::forPaper(p);
//   drawPage(surface, {s, job, page, traceTo(traceFile), panelAndFigure});
namespace k5::report {

struct PageContext {
    const PageSetup& setup;                      // preview or print: geometry, face and sizes
    const ReportJob& job;                        // records, page table and figure scale
    int page = 1;                                // 1 is the cover
    TraceWriter trace;                           // trace entries of the footing-area check; may be empty
    SidePanelDrawer drawMaterialsPanelAndFigure; // may be empty
};

// Draws the cover, or the page of the record the page table names with the
// page type of its foundation. A page whose record has no known type, or
// that lies outside the report, is left blank.
void drawPage(Surface& surface, const PageContext& context);

// A trace writer that appends each entry to the trace file.
TraceWriter traceTo(const QString& traceFile);

} // namespace k5::report
