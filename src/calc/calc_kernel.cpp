#include "calc/calc_kernel.h"

#include "calc/calc_messages.h"
#include "jobdata/pile_arrangement.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace k5 {
namespace {

bool isSingle(double value) {
    return std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

// The most bars a direction may hold: the stored count was a 16-bit Integer.
constexpr double kMaxBars = 32767;

} // namespace

DesignRecord::DesignRecord(FoundationRecord& record, BarRules bars, Writer writer)
    : record_(record), bars_(bars), writer_(std::move(writer)) {}

double DesignRecord::set1(int i, double value) {
    if (!isSingle(value)) {
        refuse(calc_message::notFinite());
        return d1(i);
    }
    record_.data1[static_cast<size_t>(i)] = static_cast<float>(value);
    return d1(i);
}

double DesignRecord::set2(int i, int j, double value) {
    if (!isSingle(value)) {
        refuse(calc_message::notFinite());
        return d2(i, j);
    }
    record_.data2[static_cast<size_t>(i)][static_cast<size_t>(j)] = static_cast<float>(value);
    return d2(i, j);
}

void DesignRecord::clearRows(int first, int last, int j) {
    for (int i = first; i <= last; ++i)
        record_.data2[static_cast<size_t>(i)][static_cast<size_t>(j)] = 0;
}

void DesignRecord::judge(int i, int j, bool ng) {
    set2(i, j, ng ? -1 : 0);
    if (ng) markNg();
}

bool DesignRecord::si() const {
    return cInt(d1(field::unitSystem)) == 1;
}

bool DesignRecord::refuse(const QString& what) {
    if (fault_.isEmpty()) fault_ = what;
    return false;
}

bool DesignRecord::write() {
    if (refused()) return false;
    if (writer_ && !writer_(record_)) return refuse(calc_message::writeFailed());
    return true;
}

bool equivalentDepth(DesignRecord& r, double* lever) {
    const double D = r.d1(field::D1), D2 = r.d1(field::D2), cover = r.d1(field::cover);
    const double Lx = r.d2(row::L, 1), Ly = r.d2(row::L, 2);
    const double ax = r.d2(row::a, 1), ay = r.d2(row::a, 2);
    double Dx = D, Dy = D;
    if (D != D2) {
        // A sloped top: the mean depth over the length in each direction.
        Dx = (D * Lx - (D - D2) * (Lx - ax) / 2) / Lx;
        Dy = (D * Ly - (D - D2) * (Ly - ay) / 2) / Ly;
    }
    const double thinner = std::min(Dx, Dy);
    if (std::isnan(thinner)) return r.refuse(calc_message::notFinite());
    if (!fitsInt16(thinner)) return r.refuse(calc_message::depthTooLarge());
    const double dPrime = intFloor(static_cast<double>(cInt(thinner)) - cover);
    if (dPrime <= 0) return r.refuse(calc_message::depthNotPositive());
    const double j = dPrime * 7 * 0.125;
    for (int c = 1; c <= 4; ++c) {
        r.set2(row::dPrime, c, dPrime);
        r.set2(row::lever, c, j);
    }
    if (lever) *lever = j;
    return !r.refused();
}

bool sectionRequirements(DesignRecord& r, int j) {
    const double Q = r.d2(row::Q, j), M = r.d2(row::Mface, j);
    const double jl = r.d2(row::lever, j), ft = r.d2(row::ft, j), fa = r.d2(row::fa, j);
    if (jl == 0) return r.refuse(calc_message::depthNotPositive());
    if (fa == 0) return r.refuse(calc_message::bondStressZero());
    if (ft == 0) return r.refuse(calc_message::tensileStressZero());
    if (r.si()) {
        r.set2(row::psiReq, j, Q * 1000 / fa / jl / 10);
        r.set2(row::atReq, j, M * 1000 * 1000 / ft / jl / 100);
    } else {
        r.set2(row::psiReq, j, Q * 1000 / fa / (jl / 10));
        r.set2(row::atReq, j, M * 1000 * 100 / ft / (jl / 10));
    }
    return !r.refused();
}

bool shearCheck(DesignRecord& r, int j) {
    // The section is cut across the case direction: X cases are as wide as Ly.
    const double B = caseDirection(j) == 1 ? r.d2(row::L, 2) : r.d2(row::L, 1);
    const double Q = r.d2(row::Q, j), jl = r.d2(row::lever, j);
    if (jl == 0) return r.refuse(calc_message::depthNotPositive());
    double tau = Q * 1000 / B / jl;
    if (!r.si()) tau *= 100;
    tau = r.set2(row::tau, j, tau);
    r.judge(row::shearNG, j, tau >= r.d2(row::fs, j));
    return !r.refused();
}

namespace {

bool decideDirection(DesignRecord& r, int p) {
    const int c = p, s = p + 2;
    const BarRules& rules = r.bars();
    r.set2(row::nBars, c, 0);
    r.set2(row::nBars, s, 0);
    const double at1 = r.d2(row::atBar, c), psi1 = r.d2(row::psiBar, c);
    if (at1 <= 0 || psi1 <= 0) {
        const FoundationRecord& rec = r.record();
        return r.refuse(calc_message::barSizeInvalid(p, p == 1 ? rec.barSizeX : rec.barSizeY));
    }
    const double nAt = intFloor(std::max(r.d2(row::atReq, c), r.d2(row::atReq, s)) / at1) + 1;
    const double nPsi = intFloor(std::max(r.d2(row::psiReq, c), r.d2(row::psiReq, s)) / psi1) + 1;
    const double nCalc = std::max({nAt, nPsi, 2.0});
    if (!(nCalc <= kMaxBars)) return r.refuse(calc_message::tooManyBars(p));
    r.set2(row::nCalc, c, nCalc);
    r.set2(row::nCalc, s, nCalc);

    double n = 0, pitchUsed = 0;
    switch (rules.priority) {
    case 1:
        n = nCalc;
        break;
    case 2: {
        const double pitch = static_cast<double>(rules.pitch[static_cast<size_t>(p)]);
        if (pitch == 0) return r.refuse(calc_message::pitchZero(p));
        // X bars are laid across the Y width and spaced along it.
        const double B = p == 1 ? r.d2(row::L, 2) : r.d2(row::L, 1);
        const double edge = static_cast<double>(rules.edge[static_cast<size_t>(p)]);
        const double span = (B - 2 * edge) / pitch + 1;
        if (!fitsInt16(span)) return r.refuse(calc_message::tooManyBars(p));
        const double nPitch = static_cast<double>(cInt(span));
        if (nCalc <= nPitch) {
            n = nPitch;
            pitchUsed = pitch;
        } else {
            n = nCalc;
        }
        break;
    }
    case 3: {
        const double given = static_cast<double>(rules.count[static_cast<size_t>(p)]);
        n = nCalc <= given ? given : nCalc;
        break;
    }
    default:
        break;
    }
    for (int col : {c, s}) {
        r.set2(row::nBars, col, n);
        r.set2(row::pitchUsed, col, pitchUsed);
        r.set2(row::sumAt, col, n * at1);
        r.set2(row::sumPsi, col, n * psi1);
    }
    // Row 64 holds the area judgement in the long-term column and the
    // perimeter judgement in the short-term column of the direction.
    r.judge(row::rebarNG, c, r.d2(row::atReq, c) > r.d2(row::sumAt, c));
    r.judge(row::rebarNG, s, r.d2(row::psiReq, c) > r.d2(row::sumPsi, c));
    return !r.refused();
}

} // namespace

bool decideBars(DesignRecord& r) {
    return decideDirection(r, 1) && decideDirection(r, 2);
}

void clearSkippedCase(DesignRecord& r, int j) {
    r.clearRows(row::areaNG, row::areaNG, j);
    r.clearRows(25, 60, j);
}

PileArrangement pileArrangement(int code) {
    const PileArrangementRule* rule = pileArrangementRule(code);
    if (!rule) return {};
    return {rule->count, rule->variant};
}

} // namespace k5
