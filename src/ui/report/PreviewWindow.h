#pragma once
#include "report/page_sequence.h"
#include "report/report_pdf.h"
#include "ui/report/preview_view.h"

#include <QWidget>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollBar;

namespace k5 {

struct AppContext;
class PagePicture;

// frmPreview: the calculation report of the job on screen, page by page,
// with zoom, scrolling, the count of failed foundations, and printing of a
// range of pages.
//
// The window is reopened fresh for every report: it reads the job file when
// it is shown (and again after a print run) and never writes it.
class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    // The print dialog: offers pages `firstPage` to `lastPage` with the
    // printer's own range preselected; false when the engineer cancels.
    // Defaults to the system print dialog; tests replace it.
    using PrinterChooser =
        std::function<bool(QPrinter& printer, int firstPage, int lastPage, QWidget* parent)>;

    explicit PreviewWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    PrinterChooser& printerChooser() { return choosePrinter_; }
    // The file the whole report is saved to as a PDF; empty when the engineer
    // cancels. Defaults to the system save dialog; tests replace it.
    using PdfFileChooser = std::function<QString(QWidget* parent, const QString& proposed)>;
    PdfFileChooser& pdfFileChooser() { return choosePdfFile_; }

    int currentPage() const { return currentPage_; }
    int pageCount() const { return job_.pageCount(); }
    // Sizes in twips.
    QSize viewportSize() const { return viewport_; }
    QSize pictureSize() const { return zoom_.size(); }
    preview::ZoomMode zoomMode() const { return zoom_.mode(); }

    // The commands, as the buttons run them.
    void goToPage(preview::PageStep step);
    void fitWholePage();
    void fitWidth();
    void zoomIn();
    void zoomOut();
    void print();
    // "PDF保存...": every page of the report into one PDF file.
    void savePdf();
    void closeKeepingSize();
    // The failure summary clicked: the next page of a failing foundation,
    // from the first one, round again after the last.
    void goToNextFailure();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void load();
    void activate();
    void showCounts();
    void layoutControls();
    void sizeWindowToViewport();
    void redraw();
    void drawCurrentPage();
    void placePicture();
    void updateScrollBars();
    void updatePaging();
    bool printPages(QPrinter& printer, const QList<int>& pages);
    void addKeys();
    void scrollBy(QScrollBar* bar, int steps);
    // Progress of a long run (page k of n) with a cancel button; empty for a short one.
    report::ReportProgress progressFor(int pages, const QString& label);
    QSize largestViewport() const;
    QSize margins() const;

    AppContext& ctx_;
    PrinterChooser choosePrinter_;
    PdfFileChooser choosePdfFile_;
    report::ReportJob job_;
    preview::PictureZoom zoom_;
    QSize viewport_ = preview::kDefaultViewport;
    int currentPage_ = 0;
    bool loading_ = true;
    bool ready_ = false;
    bool shownOnce_ = false;
    QList<int> failingPages_;
    int failureClicks_ = 0;

    QFrame* viewportFrame_;
    PagePicture* picture_;
    QScrollBar* vScroll_;
    QScrollBar* hScroll_;
    QGroupBox* pageBox_;
    QPushButton* previousButton_;
    QPushButton* firstButton_;
    QPushButton* nextButton_;
    QPushButton* lastButton_;
    QLabel* pageLabel_;
    QGroupBox* errorBox_;
    QLabel* isolatedFailures_;
    QLabel* pileCapFailures_;
    QLabel* foundationCount_;
    QFrame* buttonBox_;
    QPushButton* printButton_;
    QPushButton* pdfButton_;
};

} // namespace k5
