#include "calc/sizing.h"

#include "calc/calc_masters.h"
#include "calc/calculation.h"
#include "calc/record_checks.h"
#include "calc/record_evaluation.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "jobdata/working_record.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace k5 {
namespace {

float d2(const FoundationRecord& r, int i, int j) {
    return r.data2[static_cast<size_t>(i)][static_cast<size_t>(j)];
}

bool isPileCap(const FoundationRecord& r) {
    return cInt(r.data1[field::foundationType]) == kTypePileCap;
}

// The results of the last calculation, which a changed size makes stale.
void clearDesignResults(FoundationRecord& r) {
    for (int i : field::resultFields)
        r.data1[static_cast<size_t>(i)] = 0;
    for (int i = row::firstResult; i <= row::lastResult; ++i)
        r.data2[static_cast<size_t>(i)].fill(0);
    r.data2[row::rebarNG].fill(0);
}

bool ng(const TrialResult& t, DesignCheck c) {
    return t.result.check(c).ng;
}

// Checks that a deeper slab helps: the lever arm and the sections grow.
bool depthGoverned(const TrialResult& t) {
    if (t.refused) return false;
    return ng(t, DesignCheck::Shear) || ng(t, DesignCheck::Punching) || ng(t, DesignCheck::Bond) ||
           ng(t, DesignCheck::Bending);
}

// Pile loads judged against Pe (and no pile pulled out).
bool pileLoadsPass(const TrialResult& t) {
    return !t.refused && !ng(t, DesignCheck::Bearing) && !ng(t, DesignCheck::PullOut);
}

// A footing whose bearing passes but whose punching fails only loads the
// punching section more as its plan grows (the load outside the section
// grows with the area; the section stays).
bool largerPlansFailPunching(const TrialResult& t) {
    return !t.refused && !ng(t, DesignCheck::Bearing) && ng(t, DesignCheck::Punching);
}

// The one trial runner: every record of the group with the size applied,
// through the calculation's own evaluation.
class Trials {
  public:
    Trials(const CalcMasters& masters, const QList<FoundationRecord>& records)
        : masters_(masters), records_(records) {}

    TrialResult run(const FoundationSize& size) {
        ++count_;
        TrialResult worst;
        bool first = true;
        for (int i = 0; i < records_.size(); ++i) {
            FoundationRecord r = records_[i];
            applySize(size, r);
            const Evaluation e = evaluateRecord(masters_, r, 0);
            TrialResult t;
            t.member = i;
            if (!e.designed()) {
                t.refused = true;
                t.message = e.outcome.message.text;
                return t;
            }
            t.result = storedDesignResult(e.record);
            if (first || governs(t, worst)) worst = t;
            first = false;
        }
        return worst;
    }

    // The record as an input window would register it: its empty fields
    // filled from the common values, then the register-time check.
    Outcome registrable(const FoundationSize& size) const {
        for (FoundationRecord r : records_) {
            applySize(size, r);
            WorkingRecord w;
            loadRecordForCalculation(r, w);
            fillDefaults(w, masters_.common(cInt(r.data1[field::unitSystem]) == 2 ? 2 : 1));
            if (Outcome checked = checkRecordForRegister(w, 0); !checked) return checked;
        }
        return Outcome::success();
    }

    int count() const { return count_; }
    QList<const FoundationRecord*> all() const {
        QList<const FoundationRecord*> out;
        for (const FoundationRecord& r : records_)
            out.append(&r);
        return out;
    }
    const FoundationRecord& first() const { return records_.first(); }

  private:
    // A failing record governs a passing one; among equals the larger ratio.
    static bool governs(const TrialResult& a, const TrialResult& b) {
        if (a.passes() != b.passes()) return !a.passes();
        return a.result.maxRatio() > b.result.maxRatio();
    }

    const CalcMasters& masters_;
    const QList<FoundationRecord>& records_;
    int count_ = 0;
};

// Depths from the entered one upwards in steps, as far as the embedment
// allows (the slab may not reach above h2, nor h2 above h1); the slope of a
// sloped top is kept.
std::vector<FoundationSize> depthSteps(const FoundationRecord& r, FoundationSize size, int step) {
    const float D1 = r.data1[field::D1], D2 = r.data1[field::D2];
    const double D = D1 > 0 ? D1 : D2;
    const double slope = D - (D2 > 0 ? D2 : D);
    const float h1 = r.data1[field::h1], h2 = r.data1[field::h2];
    const double limit = std::min<double>(h2 > 0 ? h2 : h1, h1 > 0 ? h1 : h2);
    std::vector<FoundationSize> out{size};
    for (double next = D + step; next <= limit && step > 0; next += step) {
        size.D1 = static_cast<float>(next);
        size.D2 = static_cast<float>(next - slope);
        out.push_back(size);
    }
    return out;
}

double gridUp(double value, int step) {
    return std::ceil(value / step - 1e-9) * step;
}

// The smallest plan area on the grid: a first passing square bounds the
// area, then every plan below that bound is tried, each width from its
// smallest height upwards until one passes.
class FootingSearch {
  public:
    FootingSearch(Trials& trials, const SizingLimits& limits) : trials_(trials), limits_(limits) {
        const FoundationRecord& r = trials.first();
        const double ax = d2(r, row::a, 1), ay = d2(r, row::a, 2);
        const double edgx = std::max<float>(r.data1[field::edgx], 0);
        const double edgy = std::max<float>(r.data1[field::edgy], 0);
        // Each free outstand at least the bars' end clearance; an off-centre
        // column keeps its distance from the edge it is measured from.
        double lx = ax + 2 * edgx, ly = ay + 2 * edgy;
        if (cInt(d2(r, row::centre, 1)) != 1) lx = std::max(lx, d2(r, row::L1, 1) + ax + edgx);
        if (cInt(d2(r, row::centre, 2)) != 1) ly = std::max(ly, d2(r, row::L1, 2) + ay + edgy);
        lxMin_ = gridUp(lx, limits.step);
        lyMin_ = gridUp(ly, limits.step);
        bearingArea_ = bearingLowerBound(trials);
        symmetric_ = symmetric(trials);
        // The side on which an off-centre column would stand in the middle:
        // beyond it the column's offset from the centre grows with the side.
        if (cInt(d2(r, row::centre, 1)) != 1) centredLx_ = gridUp(2 * d2(r, row::L1, 1) + ax, limits.step);
        if (cInt(d2(r, row::centre, 2)) != 1) centredLy_ = gridUp(2 * d2(r, row::L1, 2) + ay, limits.step);
    }

    double lxMin() const { return lxMin_; }
    double lyMin() const { return lyMin_; }

    // The plan at one depth; `failure` receives the trial of the largest
    // plan tried when none passes.
    std::optional<FoundationSize> plan(FoundationSize depth, TrialResult& failure) {
        std::optional<FoundationSize> best = firstSquare(depth, failure);
        // An off-centre column: the plan on which it stands in the middle in
        // that direction, the other side growing.
        for (int side = 0; side < 2 && !symmetric_; ++side) {
            if ((side == 0 ? centredLx_ : centredLy_) <= 0) continue;
            const double fixed = side == 0 ? std::max(centredLx_, lxMin_) : std::max(centredLy_, lyMin_);
            TrialResult t;
            const std::optional<FoundationSize> other = firstAlong(depth, side, fixed, t);
            if (other && (!best || double(other->Lx) * other->Ly < double(best->Lx) * best->Ly)) best = other;
            if (!best) failure = t;
        }
        if (!best) return std::nullopt;
        // Loads and column the same in both directions: the square, or one
        // step off it where the square is not the smallest.
        if (!symmetric_) scanBelow(*best);
        // Each neighbour one step smaller is tried (and must fail): that is
        // the proof of the answer, and a passing neighbour replaces it.
        for (;;) {
            smallerLx_.reset();
            smallerLy_.reset();
            FoundationSize x = *best, y = *best;
            x.Lx -= limits_.step;
            y.Ly -= limits_.step;
            if (x.Lx >= lxMin_) {
                const TrialResult t = trials_.run(x);
                if (t.passes()) {
                    best = x;
                    continue;
                }
                smallerLx_ = t;
            }
            if (y.Ly >= lyMin_) {
                const TrialResult t = trials_.run(y);
                if (t.passes()) {
                    best = y;
                    continue;
                }
                smallerLy_ = t;
            }
            return best;
        }
    }

    const std::optional<TrialResult>& smallerLx() const { return smallerLx_; }
    const std::optional<TrialResult>& smallerLy() const { return smallerLy_; }

  private:
    // No plan bears the column load with less area than N′/fe of its most
    // demanding case: ΣN adds weights to N′, and α is at least 1.
    static double bearingLowerBound(const Trials& trials) {
        const FoundationRecord& r = trials.first();
        const double fe = r.data1[field::fe];
        if (fe <= 0) return 0;
        const double N = d2(r, row::N, 1);
        const double NX = N + d2(r, row::N, 3), NY = N + d2(r, row::N, 4);
        const double m2 = std::max({N / fe, NX / (2 * fe), NY / (2 * fe), 0.0});
        return m2 * 1e6;
    }

    // Loads, column and its position alike in X and Y, in every record.
    static bool symmetric(const Trials& trials) {
        for (const FoundationRecord* r : trials.all()) {
            const auto same = [&](int i, int jx, int jy) { return d2(*r, i, jx) == d2(*r, i, jy); };
            const bool loads = same(row::N, 3, 4) && same(row::M, 1, 2) && same(row::M, 3, 4) &&
                               same(row::H, 1, 2) && same(row::H, 3, 4);
            const bool column = same(row::a, 1, 2) && same(row::centre, 1, 2) && same(row::L1, 1, 2) &&
                                r->data1[field::edgx] == r->data1[field::edgy];
            if (!loads || !column) return false;
        }
        return true;
    }

    // The first passing plan with one side fixed and the other growing.
    std::optional<FoundationSize> firstAlong(FoundationSize size, int side, double fixed,
                                             TrialResult& failure) {
        const double from = side == 0 ? lyMin_ : lxMin_;
        const double grown = std::max(from, gridUp(bearingArea_ / fixed, limits_.step));
        for (double L = grown; L <= limits_.maxLength; L += limits_.step) {
            size.Lx = static_cast<float>(side == 0 ? fixed : L);
            size.Ly = static_cast<float>(side == 0 ? L : fixed);
            failure = trials_.run(size);
            if (failure.passes()) return size;
            if (failure.refused || largerPlansFailPunching(failure)) return std::nullopt;
        }
        return std::nullopt;
    }

    std::optional<FoundationSize> firstSquare(FoundationSize size, TrialResult& failure) {
        // A load no plan within the limits bears is still tried once, at
        // the largest plan, to say what fails there.
        const double largestSquare = std::floor(limits_.maxLength / double(limits_.step)) * limits_.step;
        const double from = std::min(
            std::max({lxMin_, lyMin_, gridUp(std::sqrt(bearingArea_), limits_.step)}), largestSquare);
        std::optional<TrialResult> atLargest;
        for (double L = from; L <= largestSquare; L += limits_.step) {
            size.Lx = size.Ly = static_cast<float>(L);
            failure = trials_.run(size);
            if (failure.passes()) return size;
            if (largerPlansFailPunching(failure)) return std::nullopt;
            // A refusal that the largest plan shares has nothing to do with
            // the plan: no need to try the sizes in between.
            if (failure.refused && L == from) {
                FoundationSize largest = size;
                largest.Lx = largest.Ly = static_cast<float>(largestSquare);
                const TrialResult t = trials_.run(largest);
                if (t.passes() || !t.refused || t.message != failure.message) continue;
                failure = t;
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    // Smaller area, or the same area nearer a square.
    static bool better(double lx, double ly, const FoundationSize& best) {
        const double area = lx * ly, bestArea = double(best.Lx) * best.Ly;
        if (area != bestArea) return area < bestArea;
        return std::abs(lx - ly) < std::abs(double(best.Lx) - best.Ly);
    }

    void scanBelow(FoundationSize& best) {
        const int step = limits_.step;
        for (double lx = lxMin_; lx * lyMin_ <= double(best.Lx) * best.Ly; lx += step) {
            const double from = std::max(lyMin_, gridUp(bearingArea_ / lx, step));
            for (double ly = from; ly <= limits_.maxLength && better(lx, ly, best); ly += step) {
                FoundationSize s = best;
                s.Lx = static_cast<float>(lx);
                s.Ly = static_cast<float>(ly);
                const TrialResult t = trials_.run(s);
                if (t.passes()) {
                    best = s;
                    break;
                }
                if (largerPlansFailPunching(t)) break;
            }
        }
    }

    Trials& trials_;
    SizingLimits limits_;
    double lxMin_ = 0, lyMin_ = 0;
    double bearingArea_ = 0; // mm²
    bool symmetric_ = false;
    double centredLx_ = 0, centredLy_ = 0;
    std::optional<TrialResult> smallerLx_, smallerLy_;
};

SizeProposal proposeFooting(Trials& trials, const SizingLimits& limits, SizeProposal p) {
    FootingSearch search(trials, limits);
    TrialResult failure;
    for (const FoundationSize& depth : depthSteps(trials.first(), p.current, limits.step)) {
        if (std::optional<FoundationSize> plan = search.plan(depth, failure)) {
            p.found = true;
            p.proposed = *plan;
            p.atProposal = trials.run(*plan);
            p.smallerLx = search.smallerLx() ? search.smallerLx()->describe() : QString();
            p.smallerLy = search.smallerLy() ? search.smallerLy()->describe() : QString();
            return p;
        }
        // Only a check that a deeper slab helps is worth another depth.
        if (!depthGoverned(failure)) break;
    }
    p.reason = failure.describe();
    return p;
}

// A cap just large enough around the column: the edge distance grows from
// its minimum when the arrangement's cap would not contain the column.
double edgeForColumn(double minimum, double column, double rest, int step) {
    if (2 * minimum + rest > column) return minimum;
    return gridUp((column - rest) / 2 + 1, step);
}

std::optional<FoundationSize> capLayout(const FoundationRecord& r, const PileArrangementRule& rule,
                                        const PileMinima& minima, FoundationSize size, int step) {
    const double e = minima.edge, s = minima.spacing;
    const double Px2 = rule.hasPx2 ? s : 0;
    const double Py2 = rule.rowSpacing == RowSpacing::Entered ? s
                       : rule.rowSpacing == RowSpacing::EquilateralFromPx2
                           ? intFloor(Px2 * std::sqrt(3.0) / 2)
                           : 0;
    const double F = rule.rowSpacing == RowSpacing::DiagonalFromPx2 ? intFloor(Px2 * std::sqrt(2.0)) : 0;
    double restX = 0, restY = 0;
    if (!pileCapSize(rule.code, 0, 0, Px2, Py2, F, restX, restY)) return std::nullopt;
    size.pileLayout = rule.code;
    size.Px1 = static_cast<float>(edgeForColumn(e, d2(r, row::a, 1), restX, step));
    size.Py1 = static_cast<float>(edgeForColumn(e, d2(r, row::a, 2), restY, step));
    if (rule.lyFromPx1) size.Py1 = size.Px1 = std::max(size.Px1, size.Py1);
    size.Px2 = static_cast<float>(Px2);
    size.Py2 = rule.hasPy2() ? static_cast<float>(Py2) : 0;
    double Lx = 0, Ly = 0;
    pileCapSize(rule.code, size.Px1, size.Py1, Px2, Py2, F, Lx, Ly);
    size.Lx = static_cast<float>(Lx);
    size.Ly = static_cast<float>(Ly);
    return size;
}

SizeProposal proposePileCap(Trials& trials, const SizingLimits& limits, SizeProposal p) {
    const FoundationRecord& r = trials.first();
    const std::optional<PileMinima> minima =
        pileMinima(static_cast<int>(cInt(r.data1[field::pileKind])), r.data1[field::pfai]);
    if (!minima || r.data1[field::pfai] <= 0) {
        p.reason = trials.run(p.current).describe();
        return p;
    }
    std::vector<const PileArrangementRule*> order;
    for (const PileArrangementRule& rule : pileArrangementRules())
        order.push_back(&rule);
    std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->count < b->count; });

    QString lastTried;
    TrialResult failure;
    for (const PileArrangementRule* rule : order) {
        const std::optional<FoundationSize> layout = capLayout(r, *rule, *minima, p.current, limits.step);
        if (!layout) continue;
        for (const FoundationSize& size : depthSteps(r, *layout, limits.step)) {
            failure = trials.run(size);
            if (failure.passes()) {
                p.found = true;
                p.proposed = size;
                p.atProposal = failure;
                p.fewerPiles = lastTried;
                return p;
            }
            // More depth only adds weight to the piles.
            if (!failure.refused && !pileLoadsPass(failure)) break;
            if (!depthGoverned(failure)) break;
        }
        lastTried = rule->caption.trimmed() + QStringLiteral("本: ") + failure.describe();
    }
    p.reason = failure.describe();
    return p;
}

} // namespace

QString TrialResult::describe() const {
    if (refused) return message.section(u'\n', 0, 0).trimmed();
    const CheckRatio& c = result.check(governing());
    QString text = designCheckCaption(governing()) + u' ' + ratioText(c.ratio);
    if (c.ng) text += QStringLiteral(" NG");
    return text;
}

DesignCheck TrialResult::governing() const {
    DesignCheck best = DesignCheck::Bearing;
    double bestRatio = -1;
    bool bestNg = false;
    for (int i = 0; i < kDesignCheckCount; ++i) {
        const auto c = static_cast<DesignCheck>(i);
        const CheckRatio& check = result.check(c);
        if (!check.applies && !check.ng) continue;
        // A failing check governs a passing one.
        if ((check.ng && !bestNg) || (check.ng == bestNg && check.ratio > bestRatio)) {
            best = c;
            bestRatio = check.ratio;
            bestNg = check.ng;
        }
    }
    return best;
}

FoundationSize storedSize(const FoundationRecord& r) {
    FoundationSize s;
    s.Lx = d2(r, row::L, 1);
    s.Ly = d2(r, row::L, 2);
    s.D1 = r.data1[field::D1];
    s.D2 = r.data1[field::D2];
    if (isPileCap(r)) {
        s.pileLayout = static_cast<int>(cInt(r.data1[field::pileLayout]));
        s.Px1 = d2(r, row::P, 1);
        s.Py1 = d2(r, row::P, 2);
        s.Px2 = d2(r, row::P, 3);
        s.Py2 = d2(r, row::P, 4);
    }
    return s;
}

void applySize(const FoundationSize& s, FoundationRecord& r) {
    r.data2[row::L][1] = s.Lx;
    r.data2[row::L][2] = s.Ly;
    r.data1[field::D1] = s.D1;
    r.data1[field::D2] = s.D2;
    if (isPileCap(r)) {
        r.data1[field::pileLayout] = static_cast<float>(s.pileLayout);
        const PileArrangementRule* rule = pileArrangementRule(s.pileLayout);
        r.data1[field::pileCount] = static_cast<float>(rule ? rule->count : 0);
        r.data1[field::pileVariant] = static_cast<float>(rule ? rule->variant : 0);
        r.data2[row::P][1] = s.Px1;
        r.data2[row::P][2] = s.Py1;
        r.data2[row::P][3] = s.Px2;
        r.data2[row::P][4] = s.Py2;
    }
    clearDesignResults(r);
}

SizeProposal proposeSize(const CalcMasters& masters, const QList<FoundationRecord>& records,
                         const SizingLimits& limits) {
    SizeProposal p;
    if (records.isEmpty()) return p;
    p.current = storedSize(records.first());
    Trials trials(masters, records);
    const long long type = cInt(records.first().data1[field::foundationType]);
    if (type == kTypeIsolated)
        p = proposeFooting(trials, limits, p);
    else if (type == kTypePileCap)
        p = proposePileCap(trials, limits, p);
    else
        p.reason = QStringLiteral("基礎の種類が独立基礎でも杭基礎でもありません。");
    if (p.found) {
        if (Outcome registrable = trials.registrable(p.proposed); !registrable) {
            p.found = false;
            p.reason = registrable.message.text.section(u'\n', 0, 0).trimmed();
        }
    }
    p.trials = trials.count();
    return p;
}

QString sizeText(float value) {
    return formatGeneral(value);
}

} // namespace k5
