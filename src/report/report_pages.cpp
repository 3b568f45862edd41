#include "report/report_pages.h"

#include "jobdata/record_layout.h"
#include "platform/numbers.h"
#include "platform/trace.h"
#include "report/cover_page.h"
#include "report/materials_panel.h"

namespace k5::report {

void drawPage(Surface& surface, const PageContext& context) {
    if (context.page == 1) {
        drawCoverPage(surface, context.setup, context.job.jobName());
        return;
    }
    const FoundationRecord* record = context.job.recordOnPage(context.page);
    const long long type = record ? cInt(record->data1[field::foundationType]) : 0;
    if (type != kTypeIsolated && type != kTypePileCap) {
        if (context.setup.isPreview()) surface.clear();
        return;
    }
    const SidePanelDrawer sidePanel = context.drawMaterialsPanelAndFigure
                                          ? context.drawMaterialsPanelAndFigure
                                          : drawMaterialsPanelAndFigure;
    const FoundationPage page{context.setup,           *record,       context.page,
                              context.job.figureScale, context.trace, sidePanel};
    if (type == kTypeIsolated)
        drawIsolatedFootingPage(surface, page);
    else
        drawPileCapPage(surface, page);
}

TraceWriter traceTo(const QString& traceFile) {
    return [traceFile](const QString& entry) { writeTrace(traceFile, entry); };
}

} // namespace k5::report
