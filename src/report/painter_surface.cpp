#include "report/painter_surface.h"

#include <QPaintDevice>
#include <algorithm>

namespace k5::report {
namespace {

constexpr double kMmPerInch = 25.4;
// Bounds on what is kept: the faces and sizes of a report are a handful
// (shrunk texts add sizes of their own), and most texts recur on every page
// while the numbers change from page to page.
constexpr size_t kMaxFonts = 64;
constexpr qsizetype kMaxTextsPerFont = 4096;

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

double TextMeasures::OfFont::advance(const QString& text) {
    if (const auto known = advances.constFind(text); known != advances.cend()) return *known;
    if (advances.size() >= kMaxTextsPerFont) advances.clear();
    const double width = metrics.horizontalAdvance(text);
    advances.insert(text, width);
    return width;
}

TextMeasures::OfFont& TextMeasures::of(const QFont& font) {
    if (const auto known = fonts_.find(font); known != fonts_.end()) return known->second;
    if (fonts_.size() >= kMaxFonts) fonts_.clear();
    return fonts_.try_emplace(font, font, device_).first->second;
}

PainterSurface::PainterSurface(QPainter& painter, double pixelsPerMmX, double pixelsPerMmY,
                               TextMeasures* measures)
    : painter_(painter), scaleX_(pixelsPerMmX), scaleY_(pixelsPerMmY), font_(painter.font()),
      measures_(measures) {
    // Report text must measure the same wherever it is drawn: no hinting
    // that would snap widths to whole pixels of a small preview.
    font_.setHintingPreference(QFont::PreferNoHinting);
    if (!measures_ || measures_->device() != painter.device()) {
        ownMeasures_ = std::make_shared<TextMeasures>(painter.device());
        measures_ = ownMeasures_.get();
    }
}

PainterSurface PainterSurface::forPicture(QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return PainterSurface(painter, device->width() / kPageWidthMm, device->height() / kPageHeightMm);
}

PainterSurface PainterSurface::forPaper(QPainter& painter, TextMeasures* measures) {
    const QPaintDevice* device = painter.device();
    return PainterSurface(painter, device->logicalDpiX() / kMmPerInch, device->logicalDpiY() / kMmPerInch,
                          measures);
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
    fontChanged();
}

void PainterSurface::setFontSize(double points) {
    if (!(points > 0)) return;
    // The table engine sets the size of every piece it writes, mostly the size already set.
    if (points == font_.pointSizeF() && (font_.resolveMask() & QFont::SizeResolved)) return;
    font_.setPointSizeF(points);
    fontChanged();
}

void PainterSurface::fontChanged() {
    current_ = nullptr;
    painterHasFont_ = false;
}

TextMeasures::OfFont& PainterSurface::measures() const {
    if (!current_) current_ = &measures_->of(font_);
    return *current_;
}

void PainterSurface::writeText(const QString& text) {
    TextMeasures::OfFont& measured = measures();
    if (!painterHasFont_) {
        painter_.setFont(font_);
        painterHasFont_ = true;
    }
    painter_.setPen(textColor_);
    const QPointF topLeft = toDevice(position_.x(), position_.y());
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + measured.metrics.ascent()), text);
    position_.rx() += measured.advance(text) / scaleX_;
}

double PainterSurface::textWidth(const QString& text) const {
    return measures().advance(text) / scaleX_;
}

double PainterSurface::textHeight(const QString&) const {
    return measures().metrics.height() / scaleY_;
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
