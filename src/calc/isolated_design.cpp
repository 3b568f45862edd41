#include "calc/isolated_design.h"

#include "calc/calc_messages.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace k5 {
namespace {

// The boundary between trapezoidal and triangular contact pressure, held as a
// Single so that a ratio stored as exactly 1/6 counts as triangular.
constexpr double kOneSixth = static_cast<double>(1.0f / 6.0f);
constexpr double kPi = 3.14;

// Contact pressure of one case: the ratio of eccentricity to length decides
// between a trapezoid (α from alphaFactor) and a triangle over the length Xn.
struct Pressure {
    double alpha = 0;
    double Xn = 0; // mm
    bool triangular = false;
};

Pressure pressureOf(double P, double ratio, double L, double f) {
    if (ratio >= kOneSixth) return {2 / (3 * (0.5 - ratio)), 3 * L * (0.5 - ratio), true};
    return {alphaFactor(P, ratio, f), 0, false};
}

bool designCase(DesignRecord& r, int j) {
    const double Nd = r.d2(row::Nd, j);
    if (Nd == 0) {
        clearSkippedCase(r, j);
        return true;
    }
    const double fe = r.d2(row::allowBearing, j);
    const double L = r.d2(row::L, j), A = r.d1(field::area);
    const double sumM = r.d2(row::sumM, j), eps = r.d2(row::eps, j);

    // Bearing: the whole load with self weight and backfill.
    const double sumN = r.set2(row::sumN, j, Nd + r.d1(field::W1) + r.d1(field::W2));
    if (sumN <= 0) return r.refuse(sumN == 0 ? calc_message::sumNZero(j) : calc_message::sumNUplift(j));
    const double e = r.set2(row::e, j, std::fabs(sumM / sumN) + eps / 1000);
    const double eRatio = r.set2(row::eRatio, j, e / (L / 1000));
    // From e/L = 1/2 on the resultant lies at or beyond the edge: no pressure
    // distribution can carry it (α and Xn lose their denominator).
    if (eRatio >= 0.5) return r.refuse(calc_message::eccentricityTooLarge(j));
    const Pressure whole = pressureOf(sumN, eRatio, L, fe);
    r.set2(row::eccFlag, j, whole.triangular ? -1 : 0);
    const double alpha = r.set2(row::alpha, j, whole.alpha);
    r.set2(row::Xn, j, whole.Xn / 1000);
    r.set2(row::Areq, j, sumN * alpha / fe);
    if (j == 4) {
        // The short-term base area is the larger of both directions; column
        // 3 was judged before with its own value.
        const double larger = std::max(r.d2(row::Areq, 3), r.d2(row::Areq, 4));
        r.set2(row::Areq, 3, larger);
        r.set2(row::Areq, 4, larger);
    }
    r.judge(row::areaNG, j, r.d2(row::Areq, j) >= A);
    r.set2(row::LperA, j, L / r.d2(row::a, j));

    // Slab design: the net pressure of the column load alone.
    const double e2 = r.set2(row::e2, j, std::fabs(sumM / Nd) + eps / 1000);
    const double e2Ratio = r.set2(row::e2Ratio, j, e2 / (L / 1000));
    if (e2Ratio >= 0.5) return r.refuse(calc_message::columnEccentricityTooLarge(j));
    const Pressure net = pressureOf(Nd, e2Ratio, L, fe);
    const double alpha2 = r.set2(row::alpha2, j, net.alpha);
    const double Xn2 = r.set2(row::Xn2, j, net.Xn);
    r.set2(row::sigmaMax, j, Nd * alpha2 / A);

    // The longer outstand of the case direction is the cantilever.
    const double ell = caseDirection(j) == 1 ? std::max(r.d2(row::L1, 1), r.d2(row::L1, 3))
                                             : std::max(r.d2(row::L1, 2), r.d2(row::L1, 4));
    if (!net.triangular) {
        const double Q = r.set2(row::Q, j, ell * Nd / L);
        r.set2(row::Mface, j, ell * Q / 2 / 1000);
    } else {
        r.set2(row::Q, j, (1 - ell / (4 * Xn2)) * (alpha2 / 2 * Nd) * (ell / L));
        r.set2(row::Mface, j, (ell * ell / L) * (alpha2 / 8 * Nd) * (1 - ell / (6 * L)) / 1000);
    }
    return sectionRequirements(r, j) && shearCheck(r, j) && r.write();
}

} // namespace

double alphaFactor(double P, double x, double f) {
    const double a = 1 + 6 * x, b = 1 - 6 * x;
    return a * P / f >= b * P / f ? a : b;
}

PunchingSection punchingSection(double r, double ax, double ay, double Lx1, double Lx2, double Ly1,
                                double Ly2) {
    // Per side, the part of the section inside the footing; a side whose
    // outstand is not longer than r is cut off by the footing edge.
    const double l1 = std::min(r, Lx1), l2 = std::min(r, Lx2), l3 = std::min(r, Ly1), l4 = std::min(r, Ly2);
    const int cut = (Lx1 <= r ? 1 : 0) | (Lx2 <= r ? 2 : 0) | (Ly1 <= r ? 4 : 0) | (Ly2 <= r ? 8 : 0);
    const double P = 2 * r * kPi; // all four rounded corners
    const double Qc = kPi * r * r;
    PunchingSection s;
    s.cutSides = std::popcount(static_cast<unsigned>(cut));
    switch (cut) {
    case 0:
        s.b0 = 2 * (ax + ay) + P;
        s.A0 = (ax + l1 + l2) * (ay + l3 + l4) - 4 * r * r + Qc;
        break;
    // One side cut: two rounded corners remain.
    case 1:
        s.b0 = 2 * ax + ay + 2 * l1 + P / 2;
        s.A0 = (ax + l1 + r) * (2 * r + ay) - 2 * r * r + Qc / 2;
        break;
    case 2:
        s.b0 = 2 * ax + ay + 2 * l2 + P / 2;
        s.A0 = (ax + r + l2) * (2 * r + ay) - 2 * r * r + Qc / 2;
        break;
    case 4:
        s.b0 = 2 * ay + ax + 2 * l3 + P / 2;
        s.A0 = (ay + l3 + r) * (2 * r + ax) - 2 * r * r + Qc / 2;
        break;
    case 8:
        s.b0 = 2 * ay + ax + 2 * l4 + P / 2;
        s.A0 = (ay + r + l4) * (2 * r + ax) - 2 * r * r + Qc / 2;
        break;
    // Two neighbouring sides cut: one rounded corner remains.
    case 1 | 4:
        s.b0 = ax + ay + l1 + l3 + P / 4;
        s.A0 = (ay + l3 + r) * (ax + l1 + r) - r * r + Qc / 4;
        break;
    case 2 | 4:
        s.b0 = ax + ay + l3 + l2 + P / 4;
        s.A0 = (ay + l3 + r) * (ax + r + l2) - r * r + Qc / 4;
        break;
    case 2 | 8:
        s.b0 = ax + ay + l2 + l4 + P / 4;
        s.A0 = (ax + r + l2) * (ay + r + l4) - r * r + Qc / 4;
        break;
    case 1 | 8:
        s.b0 = ax + ay + l1 + l4 + P / 4;
        s.A0 = (ay + r + l4) * (ax + l1 + r) - r * r + Qc / 4;
        break;
    // Two opposite sides cut: two straight lines across the footing.
    case 1 | 2:
        s.b0 = 2 * (l1 + l2) + 2 * ax;
        s.A0 = (ax + l1 + l2) * (2 * r + ay);
        break;
    case 4 | 8:
        s.b0 = 2 * (l3 + l4) + 2 * ay;
        s.A0 = (ay + l3 + l4) * (2 * r + ax);
        break;
    // Three sides cut: one straight line remains.
    case 1 | 2 | 4:
        s.b0 = ax + l1 + l2;
        s.A0 = (ay + l3 + r) * (ax + l1 + l2);
        break;
    case 2 | 4 | 8:
        s.b0 = ay + l3 + l4;
        s.A0 = (ax + r + l2) * (ay + l3 + l4);
        break;
    case 1 | 2 | 8:
        s.b0 = ax + l1 + l2;
        s.A0 = (ay + r + l4) * (ax + l1 + l2);
        break;
    case 1 | 4 | 8:
        s.b0 = ay + l3 + l4;
        s.A0 = (ax + l1 + r) * (ay + l3 + l4);
        break;
    default: // all four: the footing lies within the section
        break;
    }
    return s;
}

bool punchingCheck(DesignRecord& r) {
    const double dPrime = r.d2(row::dPrime, 1), lever = r.d2(row::lever, 1);
    const PunchingSection s = punchingSection(dPrime / 2, r.d2(row::a, 1), r.d2(row::a, 2), r.d2(row::L1, 1),
                                              r.d2(row::L1, 3), r.d2(row::L1, 2), r.d2(row::L1, 4));
    r.set1(field::b0stored, s.b0 / 100);
    r.set1(field::A0stored, s.A0 / 10000);
    for (int j = 1; j <= 4; ++j)
        r.clearRows(row::QPD, row::punchNG, j);
    if (!(s.b0 > 0 && s.A0 > 0)) return !r.refused();
    const double Af = r.d2(row::L, 2) * r.d2(row::L, 1);
    // b0·j·fs is mm²·N/mm² = N (SI, to kN) or mm²·kg/cm² = kg/100 (CGS, to t).
    const double divisor = r.si() ? 1000 : 100000;
    for (int j = 1; j <= 4; ++j) {
        const double Nd = r.d2(row::Nd, j);
        if (Nd == 0) continue;
        const double QPD = r.set2(row::QPD, j, (Af - s.A0) * Nd / Af);
        const double QPA = r.set2(row::QPA, j, s.b0 * 1.5 * lever * r.d2(row::fs, j) / divisor);
        r.judge(row::punchNG, j, QPD > QPA);
    }
    return !r.refused();
}

bool designIsolated(DesignRecord& r) {
    if (!equivalentDepth(r)) return false;
    for (int j = 1; j <= 4; ++j)
        if (!designCase(r, j)) return false;
    return decideBars(r) && punchingCheck(r) && r.write();
}

} // namespace k5
