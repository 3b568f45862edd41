#pragma once
#include <QList>
#include <QPageRanges>
#include <QSize>
#include <QString>

// What the preview window decides without widgets: the size of its viewport
// and of the page picture in twips, zooming, the scroll ranges, paging and
// which pages a print run sends in which jobs.
namespace k5::preview {

// 1440 twips to the inch; 15 of them are one pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;
constexpr int pixels(double twips) {
    return static_cast<int>(twips / kTwipsPerPixel + (twips < 0 ? -0.5 : 0.5));
}
constexpr int twips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// The viewport onto the page and the window around it, in twips.
constexpr QSize kDefaultViewport{11400, 9720};
constexpr int kMinimumWidth = 7290;
constexpr int kMinimumHeight = 7125;

// The last viewport size, kept in the program folder between runs.
inline const QString kSizeFileName = QStringLiteral("cntDlg.dat");

// "width,height" from the size file. A missing file, a size below the
// minimum, or a line that holds no numbers gives the default size; a size
// larger than `largest` (the room the screen leaves) is cut down to it, so a
// damaged file cannot ask for a page picture of gigapixels.
QSize readViewportSize(const QString& sizeFile, QSize largest);
// Writes "width,height"; false when the file cannot be written.
bool writeViewportSize(const QString& sizeFile, QSize viewport);

// How the page picture follows the viewport.
enum class ZoomMode { Free = 0, FitWidth = 1, WholePage = 2 };

// The page picture: an A4 sheet whose size in twips the zoom commands set.
class PictureZoom {
  public:
    ZoomMode mode() const { return mode_; }
    QSize size() const { return size_; }

    // Width of the viewport, height in the proportion of the sheet. False
    // when the picture already fits the width (nothing to redraw).
    bool fitWidth(QSize viewport);
    // Height of the viewport, width in the proportion of the sheet.
    bool fitWholePage(QSize viewport);
    // One step of 850 twips, up to a sheet of 12750 twips wide or more.
    bool zoomIn();
    // One step of 850 twips, down to 4250 twips wide or less.
    bool zoomOut();
    // After the viewport changed size: a fitting picture follows it, a
    // picture sized by hand keeps its size.
    void followViewport(QSize viewport);

    void reset(QSize viewport) {
        mode_ = ZoomMode::Free;
        fitWidth(viewport);
    }

  private:
    void setWidth(int width);
    void setHeight(int height);

    ZoomMode mode_ = ZoomMode::Free;
    QSize size_;
};

// A scroll bar over one extent of the picture.
struct ScrollRange {
    int maximum = 0; // twips the picture reaches beyond the viewport
    int largeStep = 0;
    int smallStep = 0;
    bool enabled() const { return maximum > 0; }
};
ScrollRange scrollRange(int pictureExtent, int viewportExtent);

// The page the paging buttons go to.
enum class PageStep { First, Previous, Next, Last };
int steppedPage(int current, int pageCount, PageStep step);

// "n/total" for the page label.
QString pageLabel(int current, int pageCount);
// "failed/count" for the error report.
QString failureText(int failed, int count);

// The pages a print run draws, each once and in order: every page of the
// report when no range was entered, else the pages of the ranges that lie in
// the report.
QList<int> pagesToPrint(const QPageRanges& entered, int pageCount);
// A printer receives every page as a job of its own; a file holds all pages
// as one document (a job per page would leave only the last one in it).
QList<QList<int>> printJobs(const QList<int>& pages, bool toFile);

} // namespace k5::preview
