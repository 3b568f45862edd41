#include "report/report_pdf.h"

#include "masters/font_set.h"
#include "platform/file_replace.h"
#include "report/painter_surface.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace k5::report {
namespace {

const QString kNotWritten = QStringLiteral("計算書のファイルを作成できませんでした。");
const QString kCheckDisk = QStringLiteral("ディスクの空きと書き込みの許可を確認してください。");

// The PDF writer's output on its way to the scratch file. The writer does
// not look at the result of its writes, so this device does: every byte
// goes through the checked write, in large pieces, and the first failure is
// remembered. The document counts only when nothing failed and the file
// holds exactly the bytes written.
class CheckedOutput : public QIODevice {
  public:
    explicit CheckedOutput(QFile& file) : file_(file) { open(QIODevice::WriteOnly); }

    bool failed() const { return failed_; }
    qint64 written() const { return written_; }

    // Writes what is still buffered and flushes the file; it stays open.
    bool finish() {
        flushBuffer();
        close();
        return !failed_ && file_.flush();
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failed_) return -1;
        buffer_.append(data, size);
        if (buffer_.size() >= kChunk) flushBuffer();
        return failed_ ? -1 : size;
    }

  private:
    static constexpr qsizetype kChunk = 1 << 20;

    void flushBuffer() {
        if (buffer_.isEmpty() || failed_) return;
        if (writeBytes(file_, buffer_))
            written_ += buffer_.size();
        else
            failed_ = true;
        buffer_.clear();
    }

    QFile& file_;
    QByteArray buffer_;
    qint64 written_ = 0;
    bool failed_ = false;
};

Outcome notWritten(const QString& pdfPath) {
    return Outcome::error(kNotWritten + QStringLiteral("\n\n") + pdfPath + QStringLiteral("\n\n") +
                          kCheckDisk);
}

// Draws the pages into the document; false when the work was cancelled.
bool drawPages(QPdfWriter& writer, QPainter& painter, const ReportJob& job, const ReportFont& font,
               const QList<int>& pages, const TraceWriter& trace, const SidePanelDrawer& panel,
               const ReportProgress& progress) {
    const PageSetup setup = printSetup(font);
    TextMeasures measures(painter.device());
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (progress && !progress(static_cast<int>(i), static_cast<int>(pages.size()))) return false;
        if (i > 0) writer.newPage();
        PainterSurface surface = PainterSurface::forPaper(painter, &measures);
        drawPage(surface, {setup, job, pages[i], trace, panel});
    }
    if (progress) progress(static_cast<int>(pages.size()), static_cast<int>(pages.size()));
    return true;
}

Outcome writePages(const QString& pdfPath, const ReportJob& job, const ReportFont& font,
                   const QList<int>& pages, const TraceWriter& trace, const SidePanelDrawer& panel,
                   const ReportProgress& progress) {
    if (job.pageCount() == 0 || pages.isEmpty())
        return Outcome::error(QStringLiteral("印刷するデータがありません    "));
    if (!isReplaceableTarget(pdfPath))
        return Outcome::error(QStringLiteral("出力先がファイルではないため、計算書を書き込めません。\n\n") +
                              pdfPath);
    ScratchFile scratch(pdfPath);
    if (!scratch.isOpen()) return notWritten(pdfPath);

    bool complete = false;
    bool cancelled = false;
    {
        CheckedOutput output(scratch.file());
        QPdfWriter writer(&output);
        writer.setCreator(kProgramTitle);
        writer.setTitle(job.jobName());
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (painter.begin(&writer)) {
            cancelled = !drawPages(writer, painter, job, font, pages, trace, panel, progress);
            const bool ended = painter.end();
            complete = ended && !cancelled && output.finish() &&
                       QFileInfo(scratch.path()).size() == output.written();
        }
    }
    // An incomplete scratch file is removed when `scratch` goes.
    if (complete && scratch.commit()) return Outcome::success();
    // Cancelled: not done, and nothing to tell the engineer who asked for it.
    if (cancelled) return Outcome{false, {}};
    return notWritten(pdfPath);
}

} // namespace

bool wasCancelled(const Outcome& outcome) {
    return !outcome.ok && outcome.message.text.isEmpty();
}

Outcome writeReportPdf(const QString& pdfPath, const ReportJob& job, const ReportFont& font, int first,
                       int last, const TraceWriter& trace, const SidePanelDrawer& panel,
                       const ReportProgress& progress) {
    if (job.pageCount() == 0) return Outcome::error(QStringLiteral("印刷するデータがありません    "));
    if (first < 1 || last < first || last > job.pageCount())
        return Outcome::error(QStringLiteral("ページの指定が正しくありません（1～") +
                              QString::number(job.pageCount()) + QStringLiteral("）。"));
    QList<int> pages;
    for (int page = first; page <= last; ++page)
        pages.append(page);
    return writePages(pdfPath, job, font, pages, trace, panel, progress);
}

Outcome writeReportPdfPages(const QString& pdfPath, const ReportJob& job, const ReportFont& font,
                            const QList<int>& pages, const TraceWriter& trace,
                            const ReportProgress& progress) {
    return writePages(pdfPath, job, font, pages, trace, {}, progress);
}

} // namespace k5::report
