#include "report/figure_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace k5::report {
namespace {

// A stored length can be anything a damaged file holds; a count beyond this
// is no drawing anyone could read.
constexpr double kMostBarsCounted = 1e12;

bool spacingDecides(double spacing) {
    // A spacing under a millimetre is none a bar can keep: the count decides then.
    return std::isfinite(spacing) && spacing >= 1;
}

} // namespace

long long barCount(double width, double clearance, int count, double spacing) {
    const double extent = width - 2 * clearance;
    if (!std::isfinite(extent) || extent < 0) return 0;
    if (spacingDecides(spacing))
        return static_cast<long long>(std::min(std::floor(extent / spacing), kMostBarsCounted)) + 1;
    return std::max(count, 0);
}

double barPosition(double width, double clearance, long long total, double spacing, long long index) {
    if (spacingDecides(spacing)) return clearance + static_cast<double>(index) * spacing;
    if (total == 1) return width / 2;
    return clearance + (width - 2 * clearance) * static_cast<double>(index) / static_cast<double>(total - 1);
}

BarLayout legibleBars(double width, double clearance, int count, double spacing, double paperPerMm) {
    BarLayout layout;
    layout.total = barCount(width, clearance, count, spacing);
    if (layout.total == 0) return layout;
    const double gaps = static_cast<double>(layout.total - 1);
    double drawn = 1;
    if (layout.total > 1) {
        // Every k-th bar, k the fewest bars that make the legible spacing on paper.
        const double first = barPosition(width, clearance, layout.total, spacing, 0);
        const double last = barPosition(width, clearance, layout.total, spacing, layout.total - 1);
        const double pitchOnPaper = (last - first) / gaps * paperPerMm;
        const double k =
            pitchOnPaper > 0 ? std::max(1.0, std::ceil(kLegibleBarSpacingMm / pitchOnPaper)) : gaps;
        drawn = std::floor(gaps / std::min(k, gaps)) + 1;
        // Both outer bars, however small the figure.
        drawn = std::clamp(drawn, 2.0, static_cast<double>(kMostBarLinesDrawn));
        drawn = std::min(drawn, gaps + 1);
    }
    const long long lines = static_cast<long long>(drawn);
    layout.shown.reserve(static_cast<size_t>(lines));
    for (long long j = 0; j < lines; ++j) {
        // Evenly through the bars, the first and the last always among them:
        // neighbours drawn are at least k bars apart.
        const long long index =
            lines == 1 ? 0 : std::llround(static_cast<double>(j) * gaps / static_cast<double>(lines - 1));
        layout.shown.push_back(barPosition(width, clearance, layout.total, spacing, index));
    }
    return layout;
}

QString barCountNote(const QString& barSize, long long total) {
    return barSize + QStringLiteral(" × ") + QString::number(total);
}

std::vector<double> chainNumberStarts(const std::vector<ChainPart>& parts, double clearance,
                                      double roomBefore) {
    const double none = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> starts(parts.size(), none);
    if (parts.empty()) return starts;
    const double chainEnd = parts.back().to;
    double outside = chainEnd + clearance; // where the next number moved past the end starts
    double free = parts.front().from + clearance;
    for (size_t i = 0; i < parts.size(); ++i) {
        const ChainPart& part = parts[i];
        if (!(part.numberLength > 0)) continue;
        const double centred = (part.from + part.to - part.numberLength) / 2;
        const bool fits = centred >= std::max(part.from + clearance, free) &&
                          centred + part.numberLength <= part.to - clearance;
        if (fits) {
            starts[i] = centred;
            free = centred + part.numberLength + clearance;
        } else if (i == 0 && part.numberLength + 2 * clearance <= roomBefore) {
            starts[i] = part.from - clearance - part.numberLength;
        } else {
            starts[i] = outside;
            outside += part.numberLength + clearance;
        }
    }
    return starts;
}

} // namespace k5::report
