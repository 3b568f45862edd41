#include "ui/report/preview_view.h"

#include "platform/file_replace.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace k5::preview {
namespace {

// A4 portrait: 210 mm by 297 mm.
int heightForWidth(int width) {
    return static_cast<int>(std::lround(width * 297.0 / 210.0));
}
int widthForHeight(int height) {
    return static_cast<int>(std::lround(height * 210.0 / 297.0));
}

constexpr int kZoomStep = 850;
constexpr int kLargestZoomedWidth = 12750;
constexpr int kSmallestZoomedWidth = 4250;

} // namespace

QSize readViewportSize(const QString& sizeFile, QSize largest) {
    QFile file;
    if (!openRegularFile(file, sizeFile)) return kDefaultViewport;
    const QString line = QString::fromLatin1(file.readLine());
    const int comma = line.indexOf(u',');
    if (comma < 0) return kDefaultViewport;
    const double width = parseLeadingNumber(line.left(comma));
    const double height = parseLeadingNumber(line.mid(comma + 1));
    if (!(width >= kMinimumWidth) || !(height >= kMinimumHeight)) return kDefaultViewport;
    const double w = std::min(width, static_cast<double>(std::max(largest.width(), kMinimumWidth)));
    const double h = std::min(height, static_cast<double>(std::max(largest.height(), kMinimumHeight)));
    return {static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h))};
}

bool writeViewportSize(const QString& sizeFile, QSize viewport) {
    return replaceFile(sizeFile, {QByteArray::number(viewport.width()) + ',' +
                                  QByteArray::number(viewport.height()) + '\n'});
}

void PictureZoom::setWidth(int width) {
    size_ = {width, heightForWidth(width)};
}

void PictureZoom::setHeight(int height) {
    size_ = {widthForHeight(height), height};
}

bool PictureZoom::fitWidth(QSize viewport) {
    if (mode_ == ZoomMode::FitWidth) return false;
    mode_ = ZoomMode::FitWidth;
    setWidth(viewport.width());
    return true;
}

bool PictureZoom::fitWholePage(QSize viewport) {
    if (mode_ == ZoomMode::WholePage) return false;
    mode_ = ZoomMode::WholePage;
    setHeight(viewport.height());
    return true;
}

bool PictureZoom::zoomIn() {
    mode_ = ZoomMode::Free;
    if (size_.width() >= kLargestZoomedWidth) return false;
    setWidth(size_.width() + kZoomStep);
    return true;
}

bool PictureZoom::zoomOut() {
    mode_ = ZoomMode::Free;
    if (size_.width() <= kSmallestZoomedWidth) return false;
    setWidth(size_.width() - kZoomStep);
    return true;
}

void PictureZoom::followViewport(QSize viewport) {
    if (mode_ == ZoomMode::FitWidth)
        setWidth(viewport.width());
    else if (mode_ == ZoomMode::WholePage)
        setHeight(viewport.height());
}

ScrollRange scrollRange(int pictureExtent, int viewportExtent) {
    ScrollRange range;
    range.maximum = std::max(0, pictureExtent - viewportExtent);
    if (range.enabled()) {
        range.largeStep = range.maximum;
        range.smallStep = static_cast<int>(cInt(range.largeStep / 5.0));
    }
    return range;
}

int steppedPage(int current, int pageCount, PageStep step) {
    if (pageCount < 1) return current;
    switch (step) {
    case PageStep::First:
        return 1;
    case PageStep::Previous:
        return current > 1 ? current - 1 : current;
    case PageStep::Next:
        return current < pageCount ? current + 1 : current;
    case PageStep::Last:
        return pageCount;
    }
    return current;
}

QString pageLabel(int current, int pageCount) {
    return QString::number(current) + u'/' + QString::number(pageCount);
}

QString failureText(int failed, int count) {
    return QString::number(failed) + u'/' + QString::number(count);
}

QList<int> pagesToPrint(const QPageRanges& entered, int pageCount) {
    QList<int> pages;
    if (entered.isEmpty()) {
        for (int page = 1; page <= pageCount; ++page)
            pages << page;
        return pages;
    }
    for (const QPageRanges::Range& range : entered.toRangeList()) {
        for (int page = std::max(range.from, 1); page <= std::min(range.to, pageCount); ++page) {
            if (!pages.contains(page)) pages << page;
        }
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

QList<QList<int>> printJobs(const QList<int>& pages, bool toFile) {
    if (pages.isEmpty()) return {};
    if (toFile) return {pages};
    QList<QList<int>> jobs;
    for (int page : pages)
        jobs << QList<int>{page};
    return jobs;
}

} // namespace k5::preview
