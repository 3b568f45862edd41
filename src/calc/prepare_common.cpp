#include "calc/prepare_common.h"

#include "calc/calc_messages.h"

#include <algorithm>
#include <cmath>

namespace k5 {
namespace {

constexpr double kMissingSize = -9999;

void setTerm(DesignRecord& r, int i, double longTerm, double shortTerm) {
    r.set2(i, 1, longTerm);
    r.set2(i, 2, longTerm);
    r.set2(i, 3, shortTerm);
    r.set2(i, 4, shortTerm);
}

// Bond stress of CGS jobs by bar kind: round bars (SR) and deformed bars (SD)
// have their own limits; any other grade leaves fa as it was.
void cgsBond(DesignRecord& r, const QString& grade, double Fc, double factorS) {
    double fa = 0;
    if (grade.contains(QStringLiteral("SR")))
        fa = std::min(6 * Fc / 100, 13.5);
    else if (grade.contains(QStringLiteral("SD")))
        fa = std::min(Fc / 10, Fc / 25 + 13.5);
    else
        return;
    setTerm(r, row::fa, fa, factorS * fa);
}

bool setSteel(DesignRecord& r, int direction, const SteelData& steel) {
    if (steel.area == kMissingSize && steel.perimeter == kMissingSize)
        return r.refuse(calc_message::barSizeMissing(direction, steel.size));
    if (!(steel.area > 0 && steel.perimeter > 0))
        return r.refuse(calc_message::barSizeInvalid(direction, steel.size));
    const int c = direction, s = direction + 2;
    r.set2(row::ft, c, steel.ftLong);
    r.set2(row::ft, s, steel.ftShort);
    for (int col : {c, s}) {
        r.set2(row::atBar, col, steel.area);
        r.set2(row::psiBar, col, steel.perimeter);
    }
    return true;
}

} // namespace

bool concreteAllowables(DesignRecord& r, const ConcreteRule& rule) {
    const double Fc = r.d1(field::Fc);
    const FoundationRecord& rec = r.record();
    if (!r.si()) {
        const double fc = Fc / 3;
        setTerm(r, row::fc, fc, rule.factorC * fc);
        const double fs = std::min(Fc / 30, Fc / 100 + 5);
        setTerm(r, row::fs, fs, rule.factorS * fs);
        // Both grades set fa in turn: the Y grade's value stands.
        cgsBond(r, rec.barGradeX, Fc, rule.factorS);
        cgsBond(r, rec.barGradeY, Fc, rule.factorS);
        return !r.refused();
    }
    const double fc = Fc / 3;
    setTerm(r, row::fc, fc, 2 * fc);
    switch (rule.edition) {
    case 1: {
        const double fs = std::min(Fc / 30, Fc / 100 + 0.5);
        setTerm(r, row::fs, fs, 1.5 * fs);
        const double fa = Fc / 60 + 0.6;
        setTerm(r, row::fa, fa, 1.5 * fa);
        break;
    }
    case 2: {
        const double fs = Fc / 30;
        setTerm(r, row::fs, fs, 2 * fs);
        const double fa = Fc <= 22.5 ? Fc / 10 : Fc / 25 + 1.35;
        setTerm(r, row::fa, fa, 2 * fa);
        break;
    }
    case 3: {
        const double fs = Fc / 30;
        setTerm(r, row::fs, fs, 2 * fs);
        setTerm(r, row::fa, 0.7, 1.4);
        break;
    }
    default:
        return r.refuse(calc_message::concreteEditionInvalid(rule.edition));
    }
    return !r.refused();
}

bool prepareCommon(DesignRecord& r, const WorkingRecord& w, const SteelData& x, const SteelData& y,
                   const ConcreteRule& concrete) {
    const bool pileCap = w.isPileCap();

    // Design loads per case: short-term rows hold increments on the long-term loads.
    const double Nlong = w.N[1];
    r.set2(row::N, 2, Nlong);
    const double Nd[5] = {0, Nlong, Nlong, Nlong + w.N[3], Nlong + w.N[4]};
    const double Md[5] = {0, w.M[1], w.M[2], double(w.M[1]) + w.M[3], double(w.M[2]) + w.M[4]};
    const double Hd[5] = {0, w.H[1], w.H[2], double(w.H[1]) + w.H[3], double(w.H[2]) + w.H[4]};
    // The horizontal force acts h1 above the footing bottom.
    const double h1 = r.d1(field::h1);
    for (int j = 1; j <= 4; ++j) {
        r.set2(row::Nd, j, Nd[j]);
        const double M = r.set2(row::Md, j, Md[j]);
        const double H = r.set2(row::Hd, j, Hd[j]);
        const double MH = r.set2(row::MH, j, H * h1 / 1000);
        r.set2(row::sumM, j, M + MH);
    }
    const double bearing = pileCap ? w.Pe : w.fe;
    setTerm(r, row::allowBearing, bearing, 2 * bearing);

    if (!setSteel(r, 1, x) || !setSteel(r, 2, y)) return false;
    if (!concreteAllowables(r, concrete)) return false;

    if (pileCap) {
        const PileArrangement arrangement = pileArrangement(w.pileLayout);
        r.set1(field::pileCount, arrangement.count);
        r.set1(field::pileVariant, arrangement.variant);
    }

    const double Lx = r.d2(row::L, 1), Ly = r.d2(row::L, 2);
    const double ax = r.d2(row::a, 1), ay = r.d2(row::a, 2);
    const double Lx1 = r.d2(row::L1, 1), Ly1 = r.d2(row::L1, 2);
    r.set2(row::L, 3, Lx);
    r.set2(row::L, 4, Ly);
    r.set2(row::a, 3, ax);
    r.set2(row::a, 4, ay);
    r.set2(row::L1, 3, Lx - Lx1 - ax);
    r.set2(row::L1, 4, Ly - Ly1 - ay);
    if (w.isIsolated()) {
        // ε: how far the column centre sits from the footing centre.
        const double epsX = std::fabs(Lx / 2 - (ax / 2 + Lx1));
        const double epsY = std::fabs(Ly / 2 - (ay / 2 + Ly1));
        for (int j : {1, 3})
            r.set2(row::eps, j, epsX);
        for (int j : {2, 4})
            r.set2(row::eps, j, epsY);
        r.set1(field::area, Ly * Lx / 1000 / 1000);
    }

    const double D = r.d1(field::D1), D2 = r.d1(field::D2), cover = r.d1(field::cover);
    for (int j = 1; j <= 4; ++j) {
        const double dPrime = r.set2(row::dPrime, j, D - cover);
        r.set2(row::lever, j, dPrime * 7 / 8);
    }

    // Self weight and backfill; the sloped top counts as half its height
    // over the whole plan.
    const double A = Ly * Lx, a = ay * ax;
    const double Vc = r.set1(field::Vc, (A * (D - D2) / 2 + A * D2 + a * (h1 - D)) / 1e9);
    const double Vs = r.set1(field::Vs, ((A - a) * (h1 - D) + A * (D - D2) / 2) / 1e9);
    const double W1 = r.set1(field::W1, r.d1(field::Wc) * Vc);
    const double W2 = r.set1(field::W2, r.d1(field::Ws) * Vs);
    for (int j = 1; j <= 4; ++j)
        r.set2(row::sumN, j, W1 + r.d2(row::Nd, j) + W2);

    r.set1(field::ngFlag, 0);
    return r.write();
}

} // namespace k5
