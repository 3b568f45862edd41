#include "report/figure_rules.h"

#include "calc/design_warnings.h"
#include "jobdata/record_layout.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace k5::report {
namespace {

// A stored count can be anything a damaged file holds; a count beyond this
// is no drawing anyone could read.
constexpr double kMostBarsCounted = 1e12;

float d2(const FoundationRecord& r, int row, int column) {
    return r.data2[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

} // namespace

BarRun designedBars(const FoundationRecord& record, int direction) {
    BarRun run;
    const double count = static_cast<double>(cInt(d2(record, row::nBars, direction)));
    // X bars are laid across the Y width and spaced along it.
    const double width = d2(record, row::L, direction == 1 ? 2 : 1);
    const double clearance = record.data1[direction == 1 ? field::edgx : field::edgy];
    const double extent = width - 2 * clearance;
    if (!(count >= 1) || !std::isfinite(extent) || extent < 0) return run;
    run.total = static_cast<long long>(std::min(count, kMostBarsCounted));
    if (run.total == 1) {
        run.first = width / 2;
        return run;
    }
    run.pitch = designedBarPitch(record, direction);
    run.first = clearance + (extent - static_cast<double>(run.total - 1) * run.pitch) / 2;
    return run;
}

BarLayout legibleBars(const BarRun& run, double paperPerMm) {
    BarLayout layout;
    layout.total = run.total;
    if (layout.total <= 0) return layout;
    const double gaps = static_cast<double>(layout.total - 1);
    double drawn = 1;
    if (layout.total > 1) {
        // Every k-th bar, k the fewest bars that make the legible spacing on paper.
        const double pitchOnPaper = run.pitch * paperPerMm;
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
        layout.shown.push_back(run.at(index));
    }
    return layout;
}

BarLayout barPositions(const FoundationRecord& record, int direction, double paperPerMm) {
    return legibleBars(designedBars(record, direction), paperPerMm);
}

QString barCountNote(const QString& barSize, long long total) {
    return barSize + QStringLiteral(" × ") + QString::number(total);
}

std::vector<double> chainNumberStarts(const std::vector<ChainPart>& parts, double gap, double lowest,
                                      double highest) {
    const double none = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> starts(parts.size(), none);
    std::vector<size_t> numbered;
    for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i].numberLength > 0) {
            numbered.push_back(i);
            starts[i] = (parts[i].from + parts[i].to - parts[i].numberLength) / 2;
        }
    // Pushed forward past the one before, back before the one after and the
    // upper bound, then forward again: the lower bound has the last word.
    const auto forward = [&] {
        double free = lowest;
        for (size_t i : numbered) {
            starts[i] = std::max(starts[i], free);
            free = starts[i] + parts[i].numberLength + gap;
        }
    };
    forward();
    double limit = highest;
    for (auto it = numbered.rbegin(); it != numbered.rend(); ++it) {
        starts[*it] = std::min(starts[*it], limit - parts[*it].numberLength);
        limit = starts[*it] - gap;
    }
    forward();
    return starts;
}

bool needsLeader(const ChainPart& part, double start) {
    constexpr double kSlack = 0.05;
    return start < part.from - kSlack || start + part.numberLength > part.to + kSlack;
}

} // namespace k5::report
