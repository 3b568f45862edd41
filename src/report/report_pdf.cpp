#include "report/report_pdf.h"

#include "masters/font_set.h"
#include "platform/file_replace.h"
#include "report/painter_surface.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace k5::report {

Outcome writeReportPdf(const QString& pdfPath, const ReportJob& job, const ReportFont& font, int first,
                       int last, const TraceWriter& trace, const SidePanelDrawer& panel) {
    if (job.pageCount() == 0) return Outcome::error(QStringLiteral("印刷するデータがありません    "));
    if (first < 1 || last < first || last > job.pageCount())
        return Outcome::error(QStringLiteral("ページの指定が正しくありません（1～") +
                              QString::number(job.pageCount()) + QStringLiteral("）。"));
    const QString cannotWrite = QStringLiteral("計算書のファイルを作成できませんでした。\n\n") + pdfPath;
    if (!isReplaceableTarget(pdfPath))
        return Outcome::error(QStringLiteral("出力先がファイルではないため、計算書を書き込めません。\n\n") +
                              pdfPath);
    ScratchFile scratch(pdfPath);
    if (!scratch.isOpen()) return Outcome::error(cannotWrite);
    const PageSetup setup = printSetup(font);
    {
        QPdfWriter writer(&scratch.file());
        writer.setCreator(kProgramTitle);
        writer.setTitle(job.jobName());
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer)) return Outcome::error(cannotWrite);
        for (int page = first; page <= last; ++page) {
            if (page > first) writer.newPage();
            PainterSurface surface = PainterSurface::forPaper(painter);
            drawPage(surface, {setup, job, page, trace, panel});
        }
        painter.end();
    }
    if (!scratch.commit()) return Outcome::error(cannotWrite);
    return Outcome::success();
}

} // namespace k5::report
