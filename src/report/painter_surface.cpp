#include "report/painter_surface.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>

namespace k5::report {
namespace {

constexpr double kMmPerInch = 25.4;

Qt::PenStyle qtPenStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, double pixelsPerMmX, double pixelsPerMmY)
    : painter_(painter), scaleX_(pixelsPerMmX), scaleY_(pixelsPerMmY), font_(painter.font()) {
    // Report text must measure the same wherever it is drawn: no hinting
    // that would snap widths to whole pixels of a small preview.
    font_.setHintingPreference(QFont::PreferNoHinting);
}

PainterSurface PainterSurface::forPicture(QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return PainterSurface(painter, device->width() / kPageWidthMm, device->height() / kPageHeightMm);
}

PainterSurface PainterSurface::forPaper(QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return PainterSurface(painter, device->logicalDpiX() / kMmPerInch, device->logicalDpiY() / kMmPerInch);
}

double PainterSurface::widthInTwips(const QPaintDevice& device) {
    return device.width() * 1440.0 / device.logicalDpiX();
}

QString PainterSurface::familyFor(const QString& face) {
    if (face == QStringLiteral("ＭＳ 明朝")) return QStringLiteral("IPAMincho");
    if (face == QStringLiteral("ＭＳ Ｐ明朝")) return QStringLiteral("IPAPMincho");
    if (face == QStringLiteral("ＭＳ ゴシック")) return QStringLiteral("IPAGothic");
    if (face == QStringLiteral("ＭＳ Ｐゴシック")) return QStringLiteral("IPAPGothic");
    return face;
}

void PainterSurface::clear() {
    const QPaintDevice* device = painter_.device();
    painter_.fillRect(QRectF(0, 0, device->width(), device->height()), Qt::white);
}

void PainterSurface::setFontFace(const QString& face) {
    if (face.isEmpty()) return;
    font_.setFamily(familyFor(face));
}

void PainterSurface::setFontSize(double points) {
    if (points > 0) font_.setPointSizeF(points);
}

void PainterSurface::writeText(const QString& text) {
    const QFontMetricsF metrics(font_, painter_.device());
    painter_.setFont(font_);
    painter_.setPen(textColor_);
    const QPointF topLeft = toDevice(position_.x(), position_.y());
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    position_.rx() += metrics.horizontalAdvance(text) / scaleX_;
}

double PainterSurface::textWidth(const QString& text) const {
    return QFontMetricsF(font_, painter_.device()).horizontalAdvance(text) / scaleX_;
}

double PainterSurface::textHeight(const QString&) const {
    return QFontMetricsF(font_, painter_.device()).height() / scaleY_;
}

QPen PainterSurface::outlinePen(const QColor& color) const {
    QPen pen(color);
    pen.setWidthF(std::max(1, penWidth_));
    pen.setStyle(qtPenStyle(penStyle_));
    return pen;
}

QBrush PainterSurface::fillBrush() const {
    return fillStyle_ == FillStyle::Solid ? QBrush(fillColor_) : QBrush(Qt::NoBrush);
}

void PainterSurface::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    painter_.setPen(outlinePen(color));
    painter_.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void PainterSurface::drawBox(double x1, double y1, double x2, double y2, const QColor& color) {
    painter_.setPen(outlinePen(color));
    painter_.setBrush(fillBrush());
    painter_.drawRect(QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized());
    painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::drawCircle(double cx, double cy, double radius, const QColor& color) {
    painter_.setPen(outlinePen(color));
    painter_.setBrush(fillBrush());
    painter_.drawEllipse(toDevice(cx, cy), radius * scaleX_, radius * scaleY_);
    painter_.setBrush(Qt::NoBrush);
}

} // namespace k5::report
