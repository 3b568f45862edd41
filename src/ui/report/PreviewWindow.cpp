#include "ui/report/PreviewWindow.h"

#include "calc/calculation.h"
#include "masters/font_set.h"
#include "report/painter_surface.h"
#include "report/report_pages.h"
#include "report/report_pdf.h"
#include "shell/app_context.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

namespace k5 {

using preview::pixels;
using preview::twips;

// The page picture: the sheet as last drawn, moved inside the viewport for
// scrolling.
class PagePicture : public QWidget {
  public:
    explicit PagePicture(QWidget* parent) : QWidget(parent) {}
    void setImage(QImage image) {
        image_ = std::move(image);
        update();
    }
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (!image_.isNull()) painter.drawImage(0, 0, image_);
    }

  private:
    QImage image_;
};

namespace {

const QString kNoData = QStringLiteral("印刷するデータがありません    ");
const QString kPrintFailed = QStringLiteral("印刷を開始できませんでした。　　　");
// Runs longer than this many pages show their progress and can be cancelled.
constexpr int kPagesWithoutProgress = 30;

// Twips around the viewport inside the window, whole pixels each so that
// the window and its viewport convert into one another without drift.
constexpr int kViewportLeft = 120;
constexpr int kViewportTop = 120;
constexpr int kScrollGap = 15;
constexpr int kBoxGap = 120;
constexpr int kErrorBoxGap = 240;
constexpr int kErrorBoxHeight = 1215;
constexpr int kRightEdge = 480 - kBoxGap;
constexpr int kBottomEdge = 120;
// The boxes at the right, in pixels.
constexpr int kBoxWidth = 150;

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

// The paging buttons come in pairs under one name, told apart by their index
// (0 one page, 1 to the end).
QPushButton* pagingButton(QWidget* parent, const char* name, int index, const QString& caption) {
    QPushButton* b = button(parent, QString::fromLatin1(name), caption);
    b->setProperty("index", index);
    b->setFixedWidth(30);
    return b;
}

void colourCount(QLabel* label, int failed) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, failed >= 1 ? QColor(255, 0, 0) : QColor(Qt::black));
    label->setPalette(palette);
}

bool defaultPrinterChooser(QPrinter& printer, int firstPage, int lastPage, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    // No selection to print; copies and collation are left to the printer.
    // Printing to a file writes the whole range as one PDF document.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setMinMax(firstPage, lastPage);
    return dialog.exec() == QDialog::Accepted;
}

QString defaultPdfFileChooser(QWidget* parent, const QString& proposed) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("計算書をPDFに保存"), proposed,
                                        QStringLiteral("PDF (*.pdf)"));
}

} // namespace

PreviewWindow::PreviewWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), choosePrinter_(defaultPrinterChooser),
      choosePdfFile_(defaultPdfFileChooser) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("計算結果の表示・印刷"));
    setMinimumSize(pixels(preview::kMinimumWidth), pixels(preview::kMinimumHeight));

    viewportFrame_ = new QFrame(this);
    viewportFrame_->setObjectName(QStringLiteral("PictureFrame"));
    viewportFrame_->setFocusPolicy(Qt::ClickFocus);
    viewportFrame_->setBackgroundRole(QPalette::Dark);
    viewportFrame_->setAutoFillBackground(true);
    viewportFrame_->installEventFilter(this);
    picture_ = new PagePicture(viewportFrame_);
    picture_->setObjectName(QStringLiteral("PictureDraw"));

    vScroll_ = new QScrollBar(Qt::Vertical, this);
    vScroll_->setObjectName(QStringLiteral("VScroll1"));
    hScroll_ = new QScrollBar(Qt::Horizontal, this);
    hScroll_->setObjectName(QStringLiteral("HScroll1"));
    for (QScrollBar* bar : {vScroll_, hScroll_}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            placePicture();
            // Keys go back to the page, not to the bar just used.
            viewportFrame_->setFocus();
        });
    }

    pageBox_ = new QGroupBox(QStringLiteral("ﾍﾟｰｼﾞ"), this);
    pageBox_->setObjectName(QStringLiteral("framPage"));
    firstButton_ = pagingButton(pageBox_, "cmdPrv", 1, QStringLiteral("|<"));
    previousButton_ = pagingButton(pageBox_, "cmdPrv", 0, QStringLiteral("<"));
    nextButton_ = pagingButton(pageBox_, "cmdNext", 0, QStringLiteral(">"));
    lastButton_ = pagingButton(pageBox_, "cmdNext", 1, QStringLiteral(">|"));
    pageLabel_ = new QLabel(pageBox_);
    pageLabel_->setObjectName(QStringLiteral("Lbl_page"));
    pageLabel_->setAlignment(Qt::AlignCenter);
    auto* pagingRow = new QHBoxLayout;
    pagingRow->setSpacing(2);
    for (QPushButton* b : {firstButton_, previousButton_, nextButton_, lastButton_})
        pagingRow->addWidget(b);
    auto* pageLayout = new QVBoxLayout(pageBox_);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->addLayout(pagingRow);
    pageLayout->addWidget(pageLabel_);
    connect(firstButton_, &QPushButton::clicked, this, [this] { goToPage(preview::PageStep::First); });
    connect(previousButton_, &QPushButton::clicked, this, [this] { goToPage(preview::PageStep::Previous); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { goToPage(preview::PageStep::Next); });
    connect(lastButton_, &QPushButton::clicked, this, [this] { goToPage(preview::PageStep::Last); });

    errorBox_ = new QGroupBox(QStringLiteral("ｴﾗｰﾚﾎﾟｰﾄ"), this);
    errorBox_->setObjectName(QStringLiteral("frameErrSuu"));
    auto* counts = new QGridLayout(errorBox_);
    counts->setContentsMargins(6, 2, 6, 2);
    counts->setVerticalSpacing(0);
    auto countRow = [&](int row, const QString& caption, const char* name) {
        counts->addWidget(new QLabel(caption, errorBox_), row, 0);
        auto* value = new QLabel(errorBox_);
        value->setObjectName(QString::fromLatin1(name));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        counts->addWidget(value, row, 1);
        return value;
    };
    isolatedFailures_ = countRow(0, QStringLiteral("独立ﾌｰﾁﾝｸﾞ基礎"), "lblErrN1");
    pileCapFailures_ = countRow(1, QStringLiteral("杭基礎"), "lblErrN2");
    foundationCount_ = countRow(2, QStringLiteral("基礎設計数"), "lblTotalKisoN");

    buttonBox_ = new QFrame(this);
    buttonBox_->setObjectName(QStringLiteral("frameBtn1"));
    auto* wholePage = button(buttonBox_, QStringLiteral("cmd全体合わせ"), QStringLiteral("全体合わせ"));
    auto* width = button(buttonBox_, QStringLiteral("cmd幅合わせ"), QStringLiteral("幅合わせ"));
    auto* larger = button(buttonBox_, QStringLiteral("cmd大きく"), QStringLiteral("大きく"));
    auto* smaller = button(buttonBox_, QStringLiteral("cmd小さく"), QStringLiteral("小さく"));
    // The zoom the window opened with is "幅合わせ"; this button has nothing of its own to do.
    auto* standard = button(buttonBox_, QStringLiteral("cmd標準サイズ"), QStringLiteral("元の表示ｻｲｽﾞ"));
    standard->setEnabled(false);
    printButton_ = button(buttonBox_, QStringLiteral("Cmd_Printer"), QStringLiteral("印刷..."));
    pdfButton_ = button(buttonBox_, QStringLiteral("Cmd_Pdf"), QStringLiteral("PDF保存..."));
    auto* end = button(buttonBox_, QStringLiteral("Cmd_End"), QStringLiteral("閉じる"));
    auto* buttons = new QVBoxLayout(buttonBox_);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(4);
    for (QPushButton* b : {wholePage, width, larger, smaller, standard})
        buttons->addWidget(b);
    buttons->addSpacing(12);
    buttons->addWidget(printButton_);
    buttons->addWidget(pdfButton_);
    buttons->addWidget(end);
    connect(wholePage, &QPushButton::clicked, this, &PreviewWindow::fitWholePage);
    connect(width, &QPushButton::clicked, this, &PreviewWindow::fitWidth);
    connect(larger, &QPushButton::clicked, this, &PreviewWindow::zoomIn);
    connect(smaller, &QPushButton::clicked, this, &PreviewWindow::zoomOut);
    connect(printButton_, &QPushButton::clicked, this, &PreviewWindow::print);
    connect(pdfButton_, &QPushButton::clicked, this, &PreviewWindow::savePdf);
    connect(end, &QPushButton::clicked, this, &PreviewWindow::closeKeepingSize);
    for (QLabel* count : {isolatedFailures_, pileCapFailures_, foundationCount_}) {
        count->installEventFilter(this);
        count->setCursor(Qt::PointingHandCursor);
    }
    errorBox_->installEventFilter(this);

    addKeys();
    load();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::load() {
    errorBox_->setFixedSize(kBoxWidth, pixels(kErrorBoxHeight));
    loadFontSet(ctx_.folders, ctx_.reportFont);
    ctx_.counts = countNgFoundations(ctx_.folders);
    updatePaging();
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous() || shownOnce_) return;
    shownOnce_ = true;
    activate();
}

// Every showing starts afresh: the saved window size, the job as it is on
// disk now, the cover at the width of the viewport.
void PreviewWindow::activate() {
    loading_ = true;
    viewport_ = preview::readViewportSize(ctx_.folders.programFolder + u'/' + preview::kSizeFileName,
                                          largestViewport());
    zoom_.reset(viewport_);

    pageBox_->setFlat(true);
    buttonBox_->setFrameShape(QFrame::NoFrame);
    layoutControls();
    sizeWindowToViewport();

    pageLabel_->clear();
    currentPage_ = 0;
    ready_ = true;
    job_ = {};
    const Outcome loaded = report::loadCheckedReportJob(ctx_.folders, ctx_.job, ctx_.jobHooks, job_);
    if (!loaded || job_.pageCount() == 0) {
        redraw();
        updatePaging();
        loading_ = false;
        if (loaded)
            ctx_.ask().inform(kNoData);
        else
            ctx_.ask().report(loaded);
        return;
    }
    showCounts();
    failingPages_ = report::failingPages(job_);
    failureClicks_ = 0;
    currentPage_ = 1;
    // Page 1 from its top: also after a print run, which reopens the preview.
    vScroll_->setValue(0);
    hScroll_->setValue(0);
    redraw();
    updatePaging();
    loading_ = false;
}

void PreviewWindow::showCounts() {
    const CalcCounters& c = ctx_.counts;
    isolatedFailures_->setText(preview::failureText(c.isolatedNg, c.isolated));
    pileCapFailures_->setText(preview::failureText(c.pileCapsNg, c.pileCaps));
    foundationCount_->setText(QString::number(job_.records.size()));
    colourCount(isolatedFailures_, c.isolatedNg);
    colourCount(pileCapFailures_, c.pileCapsNg);
    colourCount(foundationCount_, c.isolatedNg + c.pileCapsNg);
}

// Twips the window needs beside and below the viewport: the scroll bars, the
// boxes at the right and the edges.
QSize PreviewWindow::margins() const {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {kViewportLeft + kScrollGap + twips(bar) + kBoxGap + twips(kBoxWidth) + kRightEdge,
            kViewportTop + kScrollGap + twips(bar) + kBottomEdge};
}

// The room the screen leaves for the viewport, but never less than the
// default size (an offscreen or very small screen still gets a usable page).
QSize PreviewWindow::largestViewport() const {
    const QScreen* s = screen();
    if (!s) return preview::kDefaultViewport;
    const QSize room =
        QSize(twips(s->availableSize().width()), twips(s->availableSize().height())) - margins();
    return room.expandedTo(preview::kDefaultViewport);
}

void PreviewWindow::layoutControls() {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QRect view(pixels(kViewportLeft), pixels(kViewportTop), pixels(viewport_.width()),
                     pixels(viewport_.height()));
    viewportFrame_->setGeometry(view);
    vScroll_->setGeometry(pixels(kViewportLeft + viewport_.width() + kScrollGap), view.top(), bar,
                          view.height());
    hScroll_->setGeometry(view.left(), pixels(kViewportTop + viewport_.height() + kScrollGap), view.width(),
                          bar);

    const int boxLeft = vScroll_->geometry().right() + 1 + pixels(kBoxGap);
    pageBox_->setGeometry(boxLeft, view.top(), kBoxWidth, pageBox_->sizeHint().height());
    errorBox_->move(boxLeft, pageBox_->geometry().bottom() + 1 + pixels(kErrorBoxGap));
    const int buttonsHeight = buttonBox_->sizeHint().height();
    buttonBox_->setGeometry(boxLeft, view.bottom() + 1 - buttonsHeight, kBoxWidth, buttonsHeight);
}

void PreviewWindow::sizeWindowToViewport() {
    const QSize window = viewport_ + margins();
    resize(pixels(window.width()), pixels(window.height()));
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (loading_) return;
    viewport_ = QSize(twips(width()), twips(height())) - margins();
    layoutControls();
    zoom_.followViewport(viewport_);
    redraw();
}

void PreviewWindow::redraw() {
    picture_->resize(pixels(zoom_.size().width()), pixels(zoom_.size().height()));
    // A sheet as wide as the viewport or wider starts at its left edge.
    if (picture_->width() >= viewportFrame_->width()) hScroll_->setValue(0);
    drawCurrentPage();
    updateScrollBars();
    placePicture();
}

void PreviewWindow::drawCurrentPage() {
    QImage image(picture_->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (ready_ && currentPage_ >= 1 && currentPage_ <= pageCount()) {
        QPainter painter(&image);
        const report::PageSetup setup =
            report::previewSetup(ctx_.reportFont, report::PainterSurface::widthInTwips(image));
        report::PainterSurface surface = report::PainterSurface::forPicture(painter);
        report::drawPage(surface, {setup, job_, currentPage_, report::traceTo(ctx_.folders.traceFile), {}});
        pageLabel_->setText(preview::pageLabel(currentPage_, pageCount()));
    }
    picture_->setImage(std::move(image));
}

// A sheet narrower than the viewport stands in its middle; otherwise the
// scroll bars say which part of it is in view.
void PreviewWindow::placePicture() {
    const int x = picture_->width() < viewportFrame_->width()
                      ? (viewportFrame_->width() - picture_->width()) / 2
                      : -pixels(hScroll_->value());
    picture_->move(x, -pixels(vScroll_->value()));
}

void PreviewWindow::updateScrollBars() {
    auto set = [](QScrollBar* bar, const preview::ScrollRange& range) {
        bar->setMaximum(range.maximum);
        bar->setEnabled(range.enabled());
        if (range.enabled()) {
            bar->setPageStep(range.largeStep);
            bar->setSingleStep(range.smallStep);
        }
    };
    set(vScroll_, preview::scrollRange(zoom_.size().height(), viewport_.height()));
    set(hScroll_, preview::scrollRange(zoom_.size().width(), viewport_.width()));
}

void PreviewWindow::updatePaging() {
    const bool pages = ready_ && pageCount() > 0;
    firstButton_->setEnabled(pages && currentPage_ > 1);
    previousButton_->setEnabled(pages && currentPage_ > 1);
    nextButton_->setEnabled(pages && currentPage_ < pageCount());
    lastButton_->setEnabled(pages && currentPage_ < pageCount());
    printButton_->setEnabled(pages);
    pdfButton_->setEnabled(pages);
}

void PreviewWindow::addKeys() {
    const auto key = [this](const QKeySequence& sequence, auto action) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    key(Qt::Key_PageDown, [this] { goToPage(preview::PageStep::Next); });
    key(Qt::Key_PageUp, [this] { goToPage(preview::PageStep::Previous); });
    key(Qt::Key_Home, [this] { goToPage(preview::PageStep::First); });
    key(Qt::Key_End, [this] { goToPage(preview::PageStep::Last); });
    key(Qt::Key_Escape, [this] { closeKeepingSize(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { print(); });
    for (Qt::Key plus : {Qt::Key_Plus, Qt::Key_Equal})
        key(plus, [this] { zoomIn(); });
    key(Qt::Key_Minus, [this] { zoomOut(); });
    key(Qt::Key_Down, [this] { scrollBy(vScroll_, 1); });
    key(Qt::Key_Up, [this] { scrollBy(vScroll_, -1); });
    key(Qt::Key_Right, [this] { scrollBy(hScroll_, 1); });
    key(Qt::Key_Left, [this] { scrollBy(hScroll_, -1); });
}

void PreviewWindow::scrollBy(QScrollBar* bar, int steps) {
    if (bar->isEnabled()) bar->setValue(bar->value() + steps * std::max(bar->singleStep(), 1));
}

void PreviewWindow::goToNextFailure() {
    if (!ready_ || failingPages_.isEmpty()) return;
    const int page = failingPages_[failureClicks_ % failingPages_.size()];
    ++failureClicks_;
    if (page == currentPage_) return;
    currentPage_ = page;
    vScroll_->setValue(0);
    redraw();
    updatePaging();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool summary = watched == errorBox_ || watched == isolatedFailures_ ||
                         watched == pileCapFailures_ || watched == foundationCount_;
    if (summary && event->type() == QEvent::MouseButtonPress) {
        goToNextFailure();
        return true;
    }
    // The wheel over the page scrolls it up and down.
    if (watched == viewportFrame_ && event->type() == QEvent::Wheel && vScroll_->isEnabled()) {
        const int steps = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        vScroll_->setValue(vScroll_->value() - steps * std::max(vScroll_->singleStep(), 1));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::goToPage(preview::PageStep step) {
    if (!ready_ || pageCount() == 0) return;
    const int page = preview::steppedPage(currentPage_, pageCount(), step);
    if (page == currentPage_) return;
    currentPage_ = page;
    redraw();
    updatePaging();
}

void PreviewWindow::fitWholePage() {
    if (zoom_.fitWholePage(viewport_)) redraw();
}

void PreviewWindow::fitWidth() {
    if (zoom_.fitWidth(viewport_)) redraw();
}

void PreviewWindow::zoomIn() {
    if (zoom_.zoomIn()) redraw();
}

void PreviewWindow::zoomOut() {
    if (zoom_.zoomOut()) redraw();
}

void PreviewWindow::closeKeepingSize() {
    // Only a size: a folder that cannot be written costs the next window its
    // size, not the report.
    preview::writeViewportSize(ctx_.folders.programFolder + u'/' + preview::kSizeFileName, viewport_);
    close();
}

void PreviewWindow::print() {
    if (!ready_ || pageCount() == 0) {
        ctx_.ask().inform(kNoData);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(kProgramTitle);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(currentPage_, currentPage_);
    if (!choosePrinter_(printer, 1, pageCount(), this)) return;

    const QPageRanges entered =
        printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    const QList<int> pages = preview::pagesToPrint(entered, pageCount());
    if (pages.isEmpty()) return;

    hide();
    printPages(printer, pages);
    show();
    activate();
}

void PreviewWindow::savePdf() {
    if (!ready_ || pageCount() == 0) {
        ctx_.ask().inform(kNoData);
        return;
    }
    const QString proposed = ctx_.folders.dataFolder + QStringLiteral("/") +
                             (job_.jobName().isEmpty() ? QStringLiteral("計算書") : job_.jobName()) +
                             QStringLiteral(".pdf");
    QString path = choosePdfFile_(this, proposed);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    const Outcome written = report::writeReportPdf(
        path, job_, ctx_.reportFont, 1, pageCount(), report::traceTo(ctx_.folders.traceFile), {},
        progressFor(pageCount(), QStringLiteral("計算書をPDFに保存しています...")));
    if (report::wasCancelled(written)) return;
    if (ctx_.ask().report(written))
        ctx_.ask().inform(QStringLiteral("計算書をPDFに保存しました。　　　\n\n") + path);
}

report::ReportProgress PreviewWindow::progressFor(int pages, const QString& label) {
    if (pages <= kPagesWithoutProgress) return {};
    auto dialog = std::make_shared<QProgressDialog>(label, QStringLiteral("キャンセル"), 0, pages, this);
    dialog->setWindowTitle(kProgramTitle);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(true);
    return [dialog](int done, int total) {
        dialog->setMaximum(total);
        dialog->setValue(done);
        dialog->setLabelText(QStringLiteral("%1 / %2 ページ").arg(done).arg(total));
        return !dialog->wasCanceled();
    };
}

bool PreviewWindow::printPages(QPrinter& printer, const QList<int>& pages) {
    const report::TraceWriter trace = report::traceTo(ctx_.folders.traceFile);
    const report::ReportProgress progress =
        progressFor(static_cast<int>(pages.size()), QStringLiteral("印刷しています..."));
    if (!printer.outputFileName().isEmpty()) {
        // A file gets the report's own checked PDF writer: complete or not at all.
        const Outcome written = report::writeReportPdfPages(printer.outputFileName(), job_, ctx_.reportFont,
                                                            pages, trace, progress);
        return report::wasCancelled(written) || ctx_.ask().report(written);
    }
    const report::PageSetup setup = report::printSetup(ctx_.reportFont);
    int done = 0;
    for (const QList<int>& jobPages : preview::printJobs(pages, false)) {
        printer.setDocName(kProgramTitle + QStringLiteral(" %1/%2").arg(jobPages.first()).arg(pageCount()));
        QPainter painter;
        if (!painter.begin(&printer)) {
            const QString target = printer.printerName();
            ctx_.ask().error(kPrintFailed + (target.isEmpty() ? QString() : QStringLiteral("\n\n") + target));
            return false;
        }
        report::TextMeasures measures(painter.device());
        for (int i = 0; i < jobPages.size(); ++i) {
            if (progress && !progress(done, static_cast<int>(pages.size()))) {
                printer.abort();
                return false;
            }
            if (i > 0) printer.newPage();
            report::PainterSurface surface = report::PainterSurface::forPaper(painter, &measures);
            report::drawPage(surface, {setup, job_, jobPages[i], trace, {}});
            ++done;
        }
        if (!painter.end()) {
            ctx_.ask().error(kPrintFailed + QStringLiteral("\n\n") + printer.printerName());
            return false;
        }
    }
    if (progress) progress(done, static_cast<int>(pages.size()));
    return true;
}

} // namespace k5
