#include "calc/pile_cap_design.h"

#include "calc/calc_messages.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>

namespace k5 {
namespace {

constexpr double kPi = 3.14159;

// Pile loads of line position p: the column centre shares ΣN equally, the
// moment adds or takes |x|·g.
void pileLoads(DesignRecord& r, const PileTable& t, int j, int dir, int piles, double R0, double g) {
    const double Pe = r.d2(row::allowBearing, j);
    for (int p = 1; p <= 3; ++p) {
        double plus[3] = {0, 0, 0}, minus[3] = {0, 0, 0};
        bool loaded = false;
        for (int s = 1; s <= 2; ++s) {
            if (piles == 1) {
                // A single pile stands on the centre line and takes everything.
                if (p == 3) plus[s] = minus[s] = R0;
                loaded = loaded || p == 3;
            } else if (t.count(dir, p, s) > 0) {
                const double delta = std::fabs(t.distance(dir, p, s)) * g;
                plus[s] = R0 + delta;
                minus[s] = R0 - delta;
                loaded = true;
            }
        }
        if (!loaded) continue;
        const int base = row::Rmax1 + 4 * (p - 1);
        const double rmax = r.set2(base, j, std::max(plus[1], plus[2]));
        r.judge(base + 1, j, rmax >= Pe);
        const double rmin = r.set2(base + 2, j, std::min(minus[1], minus[2]));
        r.judge(base + 3, j, rmin < 0 || rmin >= Pe);
    }
}

} // namespace

CaseFlags caseFlags(const FoundationRecord& rec) {
    const auto any = [&](int j) {
        return rec.data2[row::N][j] != 0 || rec.data2[row::M][j] != 0 || rec.data2[row::H][j] != 0;
    };
    CaseFlags f;
    f.computed[1] = true;
    f.computed[2] = rec.data2[row::M][2] != 0 || rec.data2[row::H][2] != 0;
    f.computed[3] = any(3);
    f.computed[4] = any(4);
    return f;
}

bool pileCase(DesignRecord& r, const PileTable& t, int j) {
    const int dir = caseDirection(j);
    const int piles = static_cast<int>(cInt(r.d1(field::pileCount)));
    if (piles < 1) return r.refuse(calc_message::pileLayoutInvalid());
    const double R0 = r.d2(row::sumN, j) / piles;
    const double R0col = r.d2(row::Nd, j) / piles;

    // Moment per unit of Σx² (the centre line counted once).
    double g = 0;
    bool loads = true;
    if (piles != 1) {
        double sumX2 = 0;
        for (int p = 1; p <= 3; ++p)
            sumX2 += t.count(dir, p, 1) * std::pow(t.distance(dir, p, 1), 2);
        for (int p = 1; p <= 2; ++p)
            sumX2 += t.count(dir, p, 2) * std::pow(t.distance(dir, p, 2), 2);
        if (sumX2 == 0)
            loads = false;
        else
            g = r.d2(row::Md, j) / sumX2;
    }
    if (loads) pileLoads(r, t, j, dir, piles, R0, g);

    // Reactions from the column load alone, with the signed distance.
    double Rp[4] = {0, 0, 0, 0};
    for (int p = 1; p <= 3; ++p) {
        double side[3] = {0, 0, 0};
        for (int s = 1; s <= 2; ++s)
            if (t.count(dir, p, s) > 0) side[s] = R0col + g * t.distance(dir, p, s);
        Rp[p] = r.set2(row::Rp1 + p - 1, j, std::max(side[1], side[2]));
    }

    // Shear and moment at the column face: every line whose piles reach
    // beyond the face adds its reactions; the moment takes each line's lever
    // arm times the shear gathered so far. Positions without piles add nothing.
    const double a = r.d2(row::a, j), phi = r.d1(field::pfai);
    double Q[3] = {0, 0, 0}, M[3] = {0, 0, 0};
    for (int s = 1; s <= 2; ++s) {
        for (int p = 1; p <= 3; ++p) {
            if (p == 3 && s == 2) continue;
            const int count = t.count(dir, p, s);
            if (count == 0) continue;
            const double x = std::fabs(t.distance(dir, p, s));
            if (x * 1000 + (phi - a) / 2 > 0) {
                Q[s] += count * Rp[p];
                M[s] += (x - a / 2 / 1000) * Q[s];
            }
        }
    }
    r.set2(row::Q, j, std::max(Q[1], Q[2]));
    r.set2(row::Mface, j, std::max(M[1], M[2]));
    return sectionRequirements(r, j) && shearCheck(r, j);
}

bool punchingPiles(DesignRecord& r, const PileTable& t) {
    double RX = 0, RY = 0;
    int atX[3] = {0, 0, 0}, atY[3] = {0, 0, 0}; // p, direction, side
    for (int p = 3; p >= 1; --p) {
        for (int i = 1; i <= 2; ++i) {
            for (int s = 1; s <= 2; ++s) {
                if (t.count(i, p, s) <= 0) continue;
                const int rowRp = row::Rp1 + p - 1;
                const double vX = std::max(r.d2(rowRp, 1), r.d2(rowRp, 3));
                const double vY = std::max(r.d2(rowRp, 2), r.d2(rowRp, 4));
                if (vX > RX) {
                    RX = vX;
                    atX[0] = p, atX[1] = i, atX[2] = s;
                }
                if (vY > RY) {
                    RY = vY;
                    atY[0] = p, atY[1] = i, atY[2] = s;
                }
            }
        }
    }
    r.set2(row::punchX, 1, RX);
    r.set2(row::punchY, 1, RY);
    for (int k = 0; k < 3; ++k) {
        r.set2(row::punchX, k + 2, atX[k]);
        r.set2(row::punchY, k + 2, atY[k]);
    }
    if (RX == 0 && RY == 0) return !r.refused();

    // The critical perimeter at d'/2 around the pile.
    const double dPrime = r.d2(row::dPrime, 1), lever = r.d2(row::lever, 1);
    const double b0 = (dPrime + r.d1(field::pfai)) * kPi;
    // b0·j·fs is mm²·N/mm² = N (SI, to kN) or mm²·kg/cm² = kg/100 (CGS, to t).
    const double divisor = r.si() ? 1000 : 100000;
    if (RX != 0) {
        const double QPA = r.set2(row::QPA, 1, b0 * 1.5 * lever * r.d2(row::fs, 1) / divisor);
        r.judge(row::punchNG, 1, RX > QPA);
    }
    r.set2(row::QPA, 2, r.d2(row::QPA, 1));
    r.set2(row::punchNG, 2, r.d2(row::punchNG, 1));
    if (RY != 0) {
        const double QPA = r.set2(row::QPA, 3, b0 * 1.5 * lever * r.d2(row::fs, 3) / divisor);
        r.judge(row::punchNG, 3, RY > QPA);
    }
    r.set2(row::QPA, 4, r.d2(row::QPA, 3));
    r.set2(row::punchNG, 4, r.d2(row::punchNG, 3));
    return !r.refused();
}

bool designPileCap(DesignRecord& r, PileTable* tableOut) {
    if (cInt(r.d1(field::pileCount)) < 1) return r.refuse(calc_message::pileLayoutInvalid());
    CaseFlags flags = caseFlags(r.record());
    // The long-term Y case always designs the Y bars, also under axial load
    // alone; the short-term cases still follow their loads.
    flags.computed[2] = true;

    const PileTable t = pileTable(r.record());
    if (tableOut) *tableOut = t;
    for (int c = 1; c <= 4; ++c) {
        r.set2(row::ref, c, (c == 1 || c == 3) ? t.refX : t.refY);
    }
    if (!r.write() || !equivalentDepth(r)) return false;

    for (int j = 1; j <= 4; ++j) {
        if (!flags.computed[j]) continue;
        if (r.d2(row::Nd, j) == 0) {
            clearSkippedCase(r, j);
            continue;
        }
        r.clearRows(25, 36, j);
        r.clearRows(61, 63, j);
        if (!pileCase(r, t, j) || !r.write()) return false;
    }
    return decideBars(r) && punchingPiles(r, t) && r.write();
}

} // namespace k5
