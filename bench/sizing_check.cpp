// An independent check of the sizing search over the generated jobs of
// sizing_jobs.h: every proposal is tried again through the calculation's own
// evaluation, then compared with a brute-force search on the 50 mm grid that
// shares nothing with the search but `evaluateRecord` and
// `storedDesignResult`:
// - a footing plan within the aspect limit, more than 3 % smaller, passing at
//   the proposal's depth and bars;
// - one step smaller in Lx or in Ly passing;
// - for a pile cap, an arrangement of fewer piles (whose check sees every
//   load) passing at some spacing up to 2 m beyond the minimum, at the
//   proposal's depth, with its cap on the grid.
// Prints one line per miss and a count; exits 1 when anything is missed.
// Usage: check_sizing [foundations (default 1000)]
#include "calc/calc_masters.h"
#include "calc/design_results.h"
#include "calc/design_warnings.h"
#include "calc/record_checks.h"
#include "calc/record_evaluation.h"
#include "calc/sizing.h"
#include "jobdata/pile_arrangement.h"
#include "sizing_jobs.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

using namespace k5;

constexpr double kGrid = 50;

bool accepted(const CalcMasters& masters, FoundationRecord r, const FoundationSize& s) {
    applySize(s, r);
    const Evaluation e = evaluateRecord(masters, r, 0);
    if (!e.designed() || storedDesignResult(e.record).verdict != Verdict::Ok) return false;
    for (int direction = 1; direction <= 2; ++direction) {
        const QString size = (direction == 1 ? e.record.barSizeX : e.record.barSizeY).trimmed();
        const double pitch = designedBarPitch(e.record, direction);
        if (pitch > 0 && pitch < minimumBarPitch(nominalBarDiameter(size))) return false;
    }
    return true;
}

double aspectOf(double a, double b) {
    return std::max(a / b, b / a);
}

int checkFooting(const CalcMasters& masters, int n, const FoundationRecord& r, const SizeProposal& p) {
    int misses = 0;
    const FoundationSize& s = p.proposed;
    const double stored = r.data2[row::L][1] > 0 && r.data2[row::L][2] > 0
                              ? aspectOf(r.data2[row::L][1], r.data2[row::L][2])
                              : 1.0;
    const double aspect = std::max(2.0, stored);
    if (!accepted(masters, r, s) || aspectOf(s.Lx, s.Ly) > aspect + 1e-6) {
        std::printf("%d footing: proposal %g x %g D %g/%g fails or leaves the aspect limit\n", n, s.Lx, s.Ly,
                    s.D1, s.D2);
        ++misses;
    }
    // The stated lower limit: each free outstand at least the bars' edge
    // clearance, an off-centre column at its distance from the edge.
    double lowX = r.data2[row::a][1] + 2 * r.data1[field::edgx];
    double lowY = r.data2[row::a][2] + 2 * r.data1[field::edgy];
    if (r.data2[row::centre][1] != 1)
        lowX = std::max<double>(lowX, r.data2[row::L1][1] + r.data2[row::a][1] + r.data1[field::edgx]);
    if (r.data2[row::centre][2] != 1)
        lowY = std::max<double>(lowY, r.data2[row::L1][2] + r.data2[row::a][2] + r.data1[field::edgy]);
    for (int side = 0; side < 2; ++side) {
        FoundationSize smaller = s;
        (side == 0 ? smaller.Lx : smaller.Ly) -= kGrid;
        if (aspectOf(smaller.Lx, smaller.Ly) > aspect + 1e-6) continue;
        const bool belowLimit = side == 0 ? smaller.Lx < lowX : smaller.Ly < lowY;
        if (accepted(masters, r, smaller) && !belowLimit) {
            std::printf("%d footing: one step smaller %g x %g passes beside %g x %g\n", n, smaller.Lx,
                        smaller.Ly, s.Lx, s.Ly);
            ++misses;
        }
    }
    const double bound = double(s.Lx) * s.Ly * 0.97;
    const auto up = [](double v) { return std::ceil(v / kGrid - 1e-9) * kGrid; };
    for (double lx = up(lowX); lx * std::max(up(lowY), up(lx / aspect)) < bound; lx += kGrid) {
        for (double ly = std::max(up(lowY), up(lx / aspect)); ly <= aspect * lx + 1e-6 && lx * ly < bound;
             ly += kGrid) {
            FoundationSize t = s;
            t.Lx = static_cast<float>(lx);
            t.Ly = static_cast<float>(ly);
            if (accepted(masters, r, t)) {
                std::printf("%d footing: %g x %g passes, %.1f %% smaller than %g x %g D %g/%g %s/%s\n", n, lx,
                            ly, 100 * (1 - lx * ly / (double(s.Lx) * s.Ly)), s.Lx, s.Ly, s.D1, s.D2,
                            qPrintable(s.barSizeX), qPrintable(s.barSizeY));
                return misses + 1;
            }
        }
    }
    return misses;
}

// The smallest edge distance from `least` (in half millimetres) that puts
// the side 2·e + rest on the grid and around the column.
double gridEdge(double least, double rest, double column) {
    for (double e = least;; e += 0.5)
        if (std::fmod(2 * e + rest, kGrid) == 0 && 2 * e + rest > column) return e;
}

std::optional<FoundationSize> capAt(const FoundationRecord& r, const PileArrangementRule& rule, double edge,
                                    double sx, double sy, FoundationSize s) {
    const double px2 = rule.hasPx2 ? sx : 0;
    const double py2 = rule.rowSpacing == RowSpacing::Entered ? sy
                       : rule.rowSpacing == RowSpacing::EquilateralFromPx2
                           ? std::floor(px2 * std::sqrt(3.0) / 2)
                           : 0;
    const double F = rule.rowSpacing == RowSpacing::DiagonalFromPx2 ? std::floor(px2 * std::sqrt(2.0)) : 0;
    double restX = 0, restY = 0;
    if (!pileCapSize(rule.code, 0, 0, px2, py2, F, restX, restY)) return std::nullopt;
    double ex = gridEdge(edge, restX, r.data2[row::a][1]);
    double ey = gridEdge(edge, restY, r.data2[row::a][2]);
    if (rule.lyFromPx1) {
        ex = ey = std::max(ex, ey);
        while (std::fmod(2 * ex + restX, kGrid) != 0 || std::fmod(2 * ex + restY, kGrid) != 0)
            ex = ey = ex + 0.5;
    }
    double Lx = 0, Ly = 0;
    pileCapSize(rule.code, ex, ey, px2, py2, F, Lx, Ly);
    s.pileLayout = rule.code;
    s.Px1 = static_cast<float>(ex);
    s.Py1 = static_cast<float>(ey);
    s.Px2 = static_cast<float>(px2);
    s.Py2 = rule.hasPy2() ? static_cast<float>(py2) : 0;
    s.Lx = static_cast<float>(Lx);
    s.Ly = static_cast<float>(Ly);
    return s;
}

int checkPileCap(const CalcMasters& masters, int n, const FoundationRecord& r, const SizeProposal& p) {
    const FoundationSize& s = p.proposed;
    if (!accepted(masters, r, s)) {
        std::printf("%d pile cap: proposal fails\n", n);
        return 1;
    }
    const PileArrangementRule* proposed = pileArrangementRule(s.pileLayout);
    const std::optional<PileMinima> minima =
        pileMinima(static_cast<int>(r.data1[field::pileKind]), r.data1[field::pfai]);
    if (!proposed || !minima) return 0;
    if (leavesLoadsUnchecked(*proposed, r)) {
        std::printf("%d pile cap: %s leaves loads unchecked\n", n, qPrintable(proposed->caption));
        return 1;
    }
    for (const PileArrangementRule& rule : pileArrangementRules()) {
        if (rule.count >= proposed->count || leavesLoadsUnchecked(rule, r)) continue;
        const double reach = rule.hasPx2 ? 2000 : 0;
        const double reachY = rule.hasPy2() ? 2000 : 0;
        for (double sx = minima->spacing; sx <= minima->spacing + reach; sx += kGrid) {
            for (double sy = minima->spacing; sy <= minima->spacing + reachY; sy += kGrid) {
                const std::optional<FoundationSize> t = capAt(r, rule, minima->edge, sx, sy, s);
                if (t && t->Lx <= 20000 && t->Ly <= 20000 && accepted(masters, r, *t)) {
                    std::printf("%d pile cap: %s at Px2 %g Py2 %g (%g x %g) passes beside %s at Px2 %g Py2 "
                                "%g D %g\n",
                                n, qPrintable(rule.caption), t->Px2, t->Py2, t->Lx, t->Ly,
                                qPrintable(proposed->caption), s.Px2, s.Py2, s.D1);
                    return 1;
                }
            }
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const int records = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (argc > 2) {
        benchjob::Job tree(0);
        const CalcMasters masters = CalcMasters::load(tree.ctx.folders);
        const FoundationRecord r = sizingjobs::generatedJob(records)[std::atoi(argv[2]) - 1];
        const SizeProposal p = proposeSize(masters, {r});
        std::printf("prop %g x %g D %g/%g trials %d\n", p.proposed.Lx, p.proposed.Ly, p.proposed.D1,
                    p.proposed.D2, p.trials);
        std::printf("N %g fe %g M %g %g %g %g H %g %g %g %g Ns %g %g a %g %g c %g %g L1 %g %g D %g %g h %g "
                    "bars %s %s L %g\n",
                    r.data2[row::N][1], r.data1[field::fe], r.data2[row::M][1], r.data2[row::M][2],
                    r.data2[row::M][3], r.data2[row::M][4], r.data2[row::H][1], r.data2[row::H][2],
                    r.data2[row::H][3], r.data2[row::H][4], r.data2[row::N][3], r.data2[row::N][4],
                    r.data2[row::a][1], r.data2[row::a][2], r.data2[row::centre][1], r.data2[row::centre][2],
                    r.data2[row::L1][1], r.data2[row::L1][2], r.data1[field::D1], r.data1[field::D2],
                    r.data1[field::h1], qPrintable(r.barSizeX), qPrintable(r.barSizeY), r.data2[row::L][1]);
        for (double lx = 1000; lx <= 4000; lx += 50) {
            for (double ly = 1000; ly <= 6000; ly += 50) {
                FoundationSize t = p.proposed;
                t.Lx = lx;
                t.Ly = ly;
                if (accepted(masters, r, t)) {
                    std::printf("lx %g ly %g area %.3f\n", lx, ly, lx * ly / 1e6);
                    break;
                }
            }
        }
        return 0;
    }
    benchjob::Job tree(0);
    const CalcMasters masters = CalcMasters::load(tree.ctx.folders);
    const QList<FoundationRecord> job = sizingjobs::generatedJob(records);
    int footings = 0, caps = 0, footingMisses = 0, capMisses = 0;
    for (int i = 0; i < job.size(); ++i) {
        const FoundationRecord& r = job[i];
        const SizeProposal p = proposeSize(masters, {r});
        if (!p.found) continue;
        if (static_cast<int>(r.data1[field::foundationType]) == kTypePileCap) {
            ++caps;
            capMisses += checkPileCap(masters, i + 1, r, p) > 0;
        } else {
            ++footings;
            footingMisses += checkFooting(masters, i + 1, r, p) > 0;
        }
    }
    std::printf("footings: %d of %d proposals missed; pile caps: %d of %d\n", footingMisses, footings,
                capMisses, caps);
    return footingMisses + capMisses > 0 ? 1 : 0;
}
