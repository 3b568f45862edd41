#include "export/schedule_drawing.h"

#include <algorithm>
#include <cmath>

namespace k5::dxfexport {

const char* layerName(Layer layer) {
    switch (layer) {
    case Layer::Outline:
        return "OUTLINE";
    case Layer::Column:
        return "COLUMN";
    case Layer::Piles:
        return "PILES";
    case Layer::Bars:
        return "BARS";
    case Layer::Dimensions:
        return "DIMENSIONS";
    case Layer::Text:
        return "TEXT";
    case Layer::Frame:
        return "FRAME";
    case Layer::Ng:
        return "NG";
    case Layer::Sheet:
        return "SHEET";
    }
    return "0";
}

void Drawing::extend(Point p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    if (empty_) {
        min = max = p;
        empty_ = false;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y)};
}

void Drawing::add(Polyline p) {
    for (const Point& q : p.points)
        extend(q);
    polylines.push_back(std::move(p));
}

void Drawing::add(Circle c) {
    extend({c.centre.x - c.radius, c.centre.y - c.radius});
    extend({c.centre.x + c.radius, c.centre.y + c.radius});
    circles.push_back(c);
}

void Drawing::add(Line l) {
    extend(l.from);
    extend(l.to);
    lines.push_back(l);
}

void Drawing::add(Text t, double width) {
    extend(t.at);
    const double rad = t.angle * M_PI / 180;
    const double start = t.align == TextAlign::Left ? 0 : t.align == TextAlign::Centre ? -width / 2 : -width;
    const double c = std::cos(rad), s = std::sin(rad);
    for (double along : {start, start + width})
        for (double up : {0.0, t.height})
            extend({t.at.x + along * c - up * s, t.at.y + along * s + up * c});
    texts.push_back(std::move(t));
}

} // namespace k5::dxfexport
