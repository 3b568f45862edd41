#include "report/recording_surface.h"

#include <cmath>

namespace k5::report {
namespace {

bool isHalfWidth(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F); // ASCII and half-width katakana
}

} // namespace

void RecordingSurface::clear() {
    ++clears;
    texts.clear();
    lines.clear();
    boxes.clear();
    circles.clear();
}

void RecordingSurface::setFontFace(const QString& face) {
    if (!face.isEmpty()) face_ = face;
}

void RecordingSurface::writeText(const QString& text) {
    texts.append({text, x_, y_, size_, face_, textColor_, ++drawn_});
    x_ += textWidth(text);
}

double RecordingSurface::textWidth(const QString& text) const {
    double ems = 0;
    for (QChar c : text)
        ems += isHalfWidth(c) ? 0.5 : 1.0;
    return ems * emOf(size_);
}

double RecordingSurface::textHeight(const QString&) const {
    return emOf(size_);
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    lines.append({x1, y1, x2, y2, penWidth_, penStyle_, color, ++drawn_});
}

void RecordingSurface::drawBox(double x1, double y1, double x2, double y2, const QColor& color) {
    boxes.append({x1, y1, x2, y2, penWidth_, color, fillStyle_, fillColor_, ++drawn_});
}

void RecordingSurface::drawCircle(double cx, double cy, double radius, const QColor& color) {
    circles.append({cx, cy, radius, penWidth_, color, fillStyle_, fillColor_, ++drawn_});
}

QList<RecordingSurface::Text> RecordingSurface::textsNear(double y, double tolerance) const {
    QList<Text> found;
    for (const Text& t : texts)
        if (std::fabs(t.y - y) <= tolerance) found.append(t);
    return found;
}

const RecordingSurface::Text* RecordingSurface::find(const QString& text) const {
    for (const Text& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}

} // namespace k5::report
