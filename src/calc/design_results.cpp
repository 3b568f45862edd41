#include "calc/design_results.h"

#include "calc/calc_kernel.h"
#include "calc/pile_cap_design.h"
#include "calc/pile_table.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace k5 {
namespace {

constexpr double kNoCapacity = std::numeric_limits<double>::infinity();

float d2(const FoundationRecord& r, int i, int j) {
    return r.data2[static_cast<size_t>(i)][static_cast<size_t>(j)];
}

bool flagged(const FoundationRecord& r, int i, int j) {
    return d2(r, i, j) != 0;
}

// demand ÷ capacity; a demand against no capacity has no bound.
double ratioOf(double demand, double capacity) {
    if (capacity > 0) return demand / capacity;
    return demand > 0 ? kNoCapacity : 0;
}

void take(CheckRatio& check, double ratio) {
    check.ratio = check.applies ? std::max(check.ratio, ratio) : ratio;
    check.applies = true;
}

// A case counts where the report prints it or where one of its judgements
// failed, so a failing case always shows the ratio that failed it.
struct CaseSet {
    std::array<bool, 5> printed{};
    bool counts(const FoundationRecord& r, int c, std::initializer_list<int> ngRows) const {
        if (printed[static_cast<size_t>(c)]) return true;
        return std::any_of(ngRows.begin(), ngRows.end(), [&](int i) { return flagged(r, i, c); });
    }
};

// The footing's area against every case's requirement (every case is judged,
// printed or not).
void footingBearing(const FoundationRecord& r, CheckRatio& check) {
    for (int c = 1; c <= 4; ++c) {
        const double Areq = d2(r, row::Areq, c);
        if (Areq > 0) take(check, ratioOf(Areq, r.data1[field::area]));
        check.ng = check.ng || d2(r, row::areaNG, c) == -1;
    }
}

void footingPunching(const FoundationRecord& r, const CaseSet& cases, CheckRatio& check) {
    for (int c = 1; c <= 4; ++c) {
        check.ng = check.ng || d2(r, row::punchNG, c) == -1;
        if (!cases.counts(r, c, {row::punchNG})) continue;
        const double QPD = d2(r, row::QPD, c), QPA = d2(r, row::QPA, c);
        if (QPD != 0 || QPA != 0) take(check, ratioOf(QPD, QPA));
    }
}

// Whether line position p of case column c holds piles.
bool lineHasPiles(const PileTable& t, int piles, int c, int p) {
    if (piles == 1) return p == 3;
    const int dir = caseDirection(c);
    return t.count(dir, p, 1) > 0 || t.count(dir, p, 2) > 0;
}

void pileLoads(const FoundationRecord& r, const CaseSet& cases, CheckRatio& bearing, CheckRatio& pullOut) {
    const int piles = static_cast<int>(cInt(r.data1[field::pileCount]));
    if (piles < 1) return;
    const PileTable t = pileTable(r);
    for (int c = 1; c <= 4; ++c) {
        const double Pe = d2(r, row::allowBearing, c);
        // ΣN shared equally: what holds a pile down before the moment lifts it.
        const double R0 = d2(r, row::sumN, c) / piles;
        for (int p = 1; p <= 3; ++p) {
            const int at = row::Rmax1 + row::pileLineStride * (p - 1);
            const double Rmax = d2(r, at, c), Rmin = d2(r, at + 2, c);
            const bool maxNg = d2(r, at + 1, c) == -1, minNg = d2(r, at + 3, c) == -1;
            bearing.ng = bearing.ng || maxNg || (minNg && Rmin >= 0);
            pullOut.ng = pullOut.ng || (minNg && Rmin < 0);
            if (!lineHasPiles(t, piles, c, p) || (Rmax == 0 && Rmin == 0)) continue;
            if (!cases.counts(r, c, {at + 1, at + 3})) continue;
            take(bearing, ratioOf(Rmax, Pe));
            if (R0 > 0)
                take(pullOut, (R0 - Rmin) / R0);
            else
                take(pullOut, Rmin < 0 ? kNoCapacity : 0);
        }
    }
}

void pilePunching(const FoundationRecord& r, CheckRatio& check) {
    // The pile most loaded in the X cases is judged in column 1, the one in
    // the Y cases in column 3.
    for (const auto& [punchRow, column] : {std::pair{row::punchX, 1}, std::pair{row::punchY, 3}}) {
        check.ng = check.ng || flagged(r, row::punchNG, column);
        const double reaction = d2(r, punchRow, row::punchReaction);
        if (reaction != 0) take(check, ratioOf(reaction, d2(r, row::QPA, column)));
    }
}

// at and ψ of both directions: the long-term column is judged, the
// short-term one counts where printed.
void bars(const FoundationRecord& r, const CaseSet& cases, CheckRatio& bending, CheckRatio& bond) {
    for (int dir = 1; dir <= 2; ++dir) {
        bending.ng = bending.ng || flagged(r, row::rebarNG, dir);
        bond.ng = bond.ng || flagged(r, row::rebarNG, dir + row::bondNGOffset);
        for (int c : {dir, dir + 2}) {
            if (c != dir && !cases.printed[static_cast<size_t>(c)]) continue;
            if (d2(r, row::Nd, c) == 0) continue;
            take(bending, ratioOf(d2(r, row::atReq, c), d2(r, row::sumAt, dir)));
            take(bond, ratioOf(d2(r, row::psiReq, c), d2(r, row::sumPsi, dir)));
        }
    }
}

void shear(const FoundationRecord& r, const CaseSet& cases, CheckRatio& check) {
    for (int c = 1; c <= 4; ++c) {
        check.ng = check.ng || flagged(r, row::shearNG, c);
        if (d2(r, row::Nd, c) == 0 || !cases.counts(r, c, {row::shearNG})) continue;
        take(check, ratioOf(d2(r, row::tau, c), d2(r, row::fs, c)));
    }
}

CheckRatio& at(DesignResult& result, DesignCheck c) {
    return result.checks[static_cast<size_t>(c)];
}

} // namespace

QString designCheckCaption(DesignCheck check) {
    switch (check) {
    case DesignCheck::Bearing:
        return QStringLiteral("支持力");
    case DesignCheck::PullOut:
        return QStringLiteral("引抜き");
    case DesignCheck::Bending:
        return QStringLiteral("曲げ");
    case DesignCheck::Bond:
        return QStringLiteral("付着");
    case DesignCheck::Shear:
        return QStringLiteral("せん断");
    case DesignCheck::Punching:
        return QStringLiteral("パンチング");
    }
    return {};
}

double DesignResult::maxRatio() const {
    double largest = 0;
    for (const CheckRatio& c : checks)
        if (c.applies) largest = std::max(largest, c.ratio);
    return largest;
}

bool DesignResult::hasRatios() const {
    return std::any_of(checks.begin(), checks.end(), [](const CheckRatio& c) { return c.applies; });
}

QString DesignResult::verdictText() const {
    switch (verdict) {
    case Verdict::Ok:
        return QStringLiteral("OK");
    case Verdict::Ng:
        return QStringLiteral("NG");
    case Verdict::NotCalculated:
        return QStringLiteral("未計算");
    case Verdict::Stopped:
        return stopMessage;
    }
    return {};
}

bool hasCompleteResults(const FoundationRecord& r) {
    // A decided count is a whole number of bars the calculation can store
    // (it refuses more than an Integer holds); anything else, a negative or
    // astronomically large count or one that is no number, is no result.
    const auto decidedCount = [&](int direction) {
        const double n = d2(r, row::nBars, direction);
        return n >= 1 && n <= std::numeric_limits<std::int16_t>::max();
    };
    const double sumN = d2(r, row::sumN, 1);
    return std::isfinite(sumN) && sumN != 0 && decidedCount(1) && decidedCount(2);
}

DesignResult storedDesignResult(const FoundationRecord& r) {
    DesignResult result;
    if (!hasCompleteResults(r)) return result;
    CaseSet cases;
    cases.printed = caseFlags(r).computed;
    const bool pileCap = cInt(r.data1[field::foundationType]) == kTypePileCap;
    if (pileCap) {
        pileLoads(r, cases, at(result, DesignCheck::Bearing), at(result, DesignCheck::PullOut));
        pilePunching(r, at(result, DesignCheck::Punching));
    } else {
        footingBearing(r, at(result, DesignCheck::Bearing));
        footingPunching(r, cases, at(result, DesignCheck::Punching));
    }
    bars(r, cases, at(result, DesignCheck::Bending), at(result, DesignCheck::Bond));
    shear(r, cases, at(result, DesignCheck::Shear));
    result.verdict = r.data1[field::ngFlag] == -1 ? Verdict::Ng : Verdict::Ok;
    return result;
}

DesignResult stoppedDesignResult(const QString& message) {
    DesignResult result;
    result.verdict = Verdict::Stopped;
    result.stopMessage = message;
    return result;
}

QString decidedBarsText(const FoundationRecord& r, int direction) {
    const QString size = trimBlanks(direction == 1 ? r.barSizeX : r.barSizeY);
    const QString n = QString::number(cInt(r.data2[row::nBars][static_cast<size_t>(direction)]));
    const float pitch = r.data1[direction == 1 ? field::pitchx : field::pitchy];
    switch (cInt(r.data1[field::priority])) {
    case 1: // bar count first: the count is a minimum
        return size + u'-' + n + QStringLiteral("本以上");
    case 2: // spacing first
        return n + u'-' + size + QStringLiteral("(@") + formatPositional(pitch) + u')';
    case 3: // as calculated
        return n + u'-' + size;
    default:
        return size;
    }
}

double ratioShown(double ratio) {
    // Rounded up, so that a ratio above 1 never reads 1.00. A ratio worked
    // out from stored Singles carries their rounding (a few units in the
    // seventh digit): within 1e-5 of a hundredth it is that hundredth.
    return std::ceil(ratio * 100 - 1e-3) / 100;
}

QString ratioText(double ratio) {
    if (std::isinf(ratio)) return QStringLiteral("∞");
    return formatPattern(ratioShown(ratio), QStringLiteral("0.00"));
}

} // namespace k5
