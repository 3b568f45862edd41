#include "report/surface.h"

#include <algorithm>

namespace k5::report {

double shrinkToFit(double width, double room, double size, double smallest) {
    if (!(width > room) || !(room > 0) || !(size > 0)) return 1;
    // Outline text scales with its size; the small margin absorbs the
    // rounding of glyph advances at the smaller size.
    const double fitting = room / width * 0.995;
    return std::max(fitting, std::min(1.0, smallest / size));
}

} // namespace k5::report
