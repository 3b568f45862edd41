#include "calc/design_warnings.h"

#include "calc/design_results.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>

namespace k5 {
namespace {

float d2(const FoundationRecord& r, int i, int j) {
    return r.data2[static_cast<size_t>(i)][static_cast<size_t>(j)];
}

bool nonZero(float value) {
    return value != 0 && !std::isnan(value);
}

bool momentsOrShears(const FoundationRecord& r, std::initializer_list<int> columns) {
    return std::any_of(columns.begin(), columns.end(),
                       [&](int j) { return nonZero(d2(r, row::M, j)) || nonZero(d2(r, row::H, j)); });
}

QString formatPitch(double pitch) {
    return formatPattern(pitch, QStringLiteral("0"));
}

} // namespace

double minimumBarPitch(double diameter, double floor) {
    return std::max(floor, diameter + std::max(25.0, 1.5 * diameter));
}

double nominalBarDiameter(const QString& sizeName) {
    // The first run of digits, with a decimal part if one follows ("D19" → 19).
    // Read by hand: the sizing search asks this on every trial.
    qsizetype i = 0;
    while (i < sizeName.size() && !sizeName[i].isDigit())
        ++i;
    double value = 0;
    for (; i < sizeName.size() && sizeName[i].isDigit(); ++i)
        value = value * 10 + sizeName[i].digitValue();
    if (i + 1 < sizeName.size() && sizeName[i] == u'.' && sizeName[i + 1].isDigit()) {
        double scale = 0.1;
        for (++i; i < sizeName.size() && sizeName[i].isDigit(); ++i, scale /= 10)
            value += scale * sizeName[i].digitValue();
    }
    return value;
}

double designedBarPitch(const FoundationRecord& r, int direction) {
    const double n = cInt(d2(r, row::nBars, direction));
    if (!(n >= 2)) return 0;
    // X bars are laid across the Y width and spaced along it.
    const double width = direction == 1 ? d2(r, row::L, 2) : d2(r, row::L, 1);
    const double edge = r.data1[direction == 1 ? field::edgx : field::edgy];
    double pitch = (width - 2 * edge) / (n - 1);
    // Where the chosen spacing decided the count, the count was rounded to
    // the nearest whole bar: spread evenly the bars would stand farther apart
    // than the spacing the text promises ("@200"), so they keep that spacing.
    const double chosen = d2(r, row::pitchUsed, direction);
    if (std::isfinite(chosen) && chosen >= 1 && pitch > chosen) pitch = chosen;
    return std::isfinite(pitch) && pitch > 0 ? pitch : 0;
}

std::optional<ShortBarPitch> shortBarPitch(const FoundationRecord& r, int direction, double floor) {
    const QString size = trimBlanks(direction == 1 ? r.barSizeX : r.barSizeY);
    const double pitch = designedBarPitch(r, direction);
    const double least = minimumBarPitch(nominalBarDiameter(size), floor);
    if (pitch > 0 && pitch < least) return ShortBarPitch{pitch, least};
    return std::nullopt;
}

bool leavesLoadsUnchecked(const PileArrangementRule& rule, const FoundationRecord& r) {
    if (!rule.hasMoments) return momentsOrShears(r, {1, 2, 3, 4});
    if (!rule.hasYMoments) return momentsOrShears(r, {2, 4}) || nonZero(d2(r, row::N, column::shortY));
    return false;
}

QStringList designWarnings(const FoundationRecord& r, double pitchFloor) {
    QStringList warnings;
    if (cInt(r.data1[field::foundationType]) == kTypePileCap) {
        const PileArrangementRule* rule =
            pileArrangementRule(static_cast<int>(cInt(r.data1[field::pileLayout])));
        if (rule && leavesLoadsUnchecked(*rule, r)) {
            warnings << (rule->hasMoments
                             ? QStringLiteral("Y方向の荷重は杭の検定に含まれていません")
                             : QStringLiteral("曲げモーメントとせん断力は杭の検定に含まれていません"));
        }
    }
    if (!hasCompleteResults(r)) return warnings;
    for (int direction = 1; direction <= 2; ++direction) {
        if (const std::optional<ShortBarPitch> s = shortBarPitch(r, direction, pitchFloor))
            warnings << QStringLiteral("%1方向の鉄筋間隔%2mmが%3mmより小さくなっています")
                            .arg(QChar(direction == 1 ? u'X' : u'Y'))
                            .arg(formatPitch(s->pitch), formatPitch(s->least));
    }
    return warnings;
}

} // namespace k5
