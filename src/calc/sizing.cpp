#include "calc/sizing.h"

#include "calc/calc_masters.h"
#include "calc/calc_messages.h"
#include "calc/design_warnings.h"
#include "calc/record_checks.h"
#include "calc/record_evaluation.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

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

double gridUp(double value, double step) {
    return std::ceil(value / step - 1e-9) * step;
}

double gridDown(double value, double step) {
    return std::floor(value / step + 1e-9) * step;
}

bool failsCheck(const TrialResult& t, DesignCheck c) {
    return !t.refused && t.result.check(c).ng;
}

// Bending and bond are met by the bar count the calculation chooses; a
// reserve on them would be more bars, which the rebar rule decides, not the
// size. Every other ratio is held to the target.
bool heldToTarget(DesignCheck c) {
    return c != DesignCheck::Bending && c != DesignCheck::Bond;
}

bool overTarget(const TrialResult& t, DesignCheck c, double target) {
    const CheckRatio& check = t.result.check(c);
    return !t.refused && (check.ng || (target < 1 && check.applies && check.ratio > target + 1e-9));
}

// Checks that a deeper slab helps: the lever arm and the sections grow.
bool depthHelps(const TrialResult& t, double target) {
    if (t.refused) return t.message.contains(calc_message::depthNotPositive().section(u'\n', 0, 0).trimmed());
    return !t.pitchShort.isEmpty() || overTarget(t, DesignCheck::Shear, target) ||
           overTarget(t, DesignCheck::Punching, target);
}

// Pile loads or the footing's contact pressure within their allowables.
bool bearingHolds(const TrialResult& t, double target) {
    return !t.refused && !overTarget(t, DesignCheck::Bearing, target) &&
           !overTarget(t, DesignCheck::PullOut, target);
}

// The one trial runner: every record of the group with the size applied,
// through the calculation's own evaluation, then what the calculation does
// not judge: the bars' pitch and the target ratio. A size tried twice (a
// proof neighbour, a depth tried again) is answered from memory.
class Trials {
  public:
    Trials(const CalcMasters& masters, const QList<FoundationRecord>& records, const SizingLimits& limits)
        : masters_(masters), records_(records), limits_(limits) {}

    TrialResult run(const FoundationSize& size) {
        const Key key{size.Lx,  size.Ly,  size.D1,  size.D2,       size.pileLayout, size.Px1,
                      size.Py1, size.Px2, size.Py2, size.barSizeX, size.barSizeY};
        if (auto known = memory_.find(key); known != memory_.end()) return known->second;
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
                worst = t;
                break;
            }
            t.result = storedDesignResult(e.record);
            judgeBeyondCalculation(e.record, t);
            if (first || governs(t, worst)) worst = t;
            first = false;
        }
        memory_.emplace(key, worst);
        return worst;
    }

    int count() const { return count_; }
    const QList<FoundationRecord>& records() const { return records_; }
    const FoundationRecord& first() const { return records_.first(); }
    const SizingLimits& limits() const { return limits_; }
    const CalcMasters& masters() const { return masters_; }

  private:
    using Key = std::tuple<float, float, float, float, int, float, float, float, float, QString, QString>;

    void judgeBeyondCalculation(const FoundationRecord& designed, TrialResult& t) const {
        for (int direction = 1; direction <= 2 && t.pitchShort.isEmpty(); ++direction) {
            if (const std::optional<ShortBarPitch> s = shortBarPitch(designed, direction, limits_.minPitch)) {
                t.pitchDirection = direction;
                t.pitchShort = QStringLiteral("%1方向の鉄筋間隔 %2mm < %3mm")
                                   .arg(QChar(direction == 1 ? u'X' : u'Y'))
                                   .arg(std::floor(s->pitch))
                                   .arg(s->least);
            }
        }
        for (int i = 0; i < kDesignCheckCount && limits_.target < 1; ++i) {
            const auto c = static_cast<DesignCheck>(i);
            if (heldToTarget(c) && overTarget(t, c, limits_.target)) t.aboveTarget = true;
        }
    }

    // A record that is not accepted governs an accepted one; among equals
    // the larger ratio.
    static bool governs(const TrialResult& a, const TrialResult& b) {
        if (a.accepted() != b.accepted()) return !a.accepted();
        return a.result.maxRatio() > b.result.maxRatio();
    }

    const CalcMasters& masters_;
    const QList<FoundationRecord>& records_;
    SizingLimits limits_;
    std::map<Key, TrialResult> memory_;
    int count_ = 0;
};

// The next larger bar of the same kind in the bar size master ("D19" →
// "D22"), as an engineer would take it when the bars stand too close;
// empty when there is none.
QString nextBarSize(const CalcMasters& masters, const QString& size) {
    const double phi = nominalBarDiameter(size);
    const QString kind = barSizeKindOf(size);
    QString best;
    double bestPhi = 0;
    for (const BarSizeRecord& bar : masters.barSizes(kind)) {
        const QString name = trimBlanks(bar.sizeName);
        const double candidate = nominalBarDiameter(name);
        if (barSizeKindOf(name) != kind || bar.area <= 0 || candidate <= phi) continue;
        if (best.isEmpty() || candidate < bestPhi) {
            best = name;
            bestPhi = candidate;
        }
    }
    return best;
}

// Takes the next larger bar in the direction whose pitch is short; false
// (nothing changed) when there is none.
bool takeLargerBar(const CalcMasters& masters, const TrialResult& failure, FoundationSize& size,
                   QStringList& notes) {
    if (failure.pitchDirection == 0) return false;
    QString& bar = failure.pitchDirection == 1 ? size.barSizeX : size.barSizeY;
    const QString larger = nextBarSize(masters, bar);
    if (larger.isEmpty()) return false;
    notes << QStringLiteral("%1方向の鉄筋を%2から%3に変更（%4）")
                 .arg(QChar(failure.pitchDirection == 1 ? u'X' : u'Y'))
                 .arg(bar, larger, failure.pitchShort);
    bar = larger;
    return true;
}

// The deepest slab the embedment allows (the slab may not reach above h2,
// nor h2 above h1), within the engineering limit of any length.
double depthLimit(const FoundationRecord& r, const SizingLimits& limits) {
    const double h1 = r.data1[field::h1], h2 = r.data1[field::h2];
    double limit = limits.maxLength;
    if (h2 > 0) limit = std::min(limit, h2);
    if (h1 > 0) limit = std::min(limit, h1);
    return limit;
}

// Depths on the depth grid between two bounds, generated one at a time.
double nextDepthUp(double depth, double limit, int step) {
    if (depth >= limit) return depth;
    return std::min(limit, gridDown(depth, step) + step);
}

// What a depth search ends with: the accepted size, or the trial that
// fails at the last size tried and whether the depth limit stopped it.
struct DepthOutcome {
    std::optional<FoundationSize> size;
    TrialResult failure;
    bool atLimit = false;
};

// ---------------------------------------------------------------------------
// Footings

struct Plan {
    double lx = 0, ly = 0;
    double area() const { return lx * ly; }
    double skew() const { return std::abs(lx - ly); }
    bool operator==(const Plan& o) const { return lx == o.lx && ly == o.ly; }
};

class FootingSearch {
  public:
    FootingSearch(Trials& trials, FoundationSize start) : trials_(trials), limits_(trials.limits()) {
        const FoundationRecord& r = trials.first();
        step_ = limits_.step;
        const double ax = d2(r, row::a, 1), ay = d2(r, row::a, 2);
        const double edgx = std::max<float>(r.data1[field::edgx], 0);
        const double edgy = std::max<float>(r.data1[field::edgy], 0);
        centredX_ = cInt(d2(r, row::centre, 1)) == 1;
        centredY_ = cInt(d2(r, row::centre, 2)) == 1;
        L1x_ = d2(r, row::L1, 1);
        L1y_ = d2(r, row::L1, 2);
        ax_ = ax;
        ay_ = ay;
        // Each free outstand at least the bars' end clearance; an off-centre
        // column keeps its distance from the edge it is measured from.
        double lx = ax + 2 * edgx, ly = ay + 2 * edgy;
        if (!centredX_) lx = std::max(lx, L1x_ + ax + edgx);
        if (!centredY_) ly = std::max(ly, L1y_ + ay + edgy);
        lxMin_ = gridUp(std::max(lx, 1.0), step_);
        lyMin_ = gridUp(std::max(ly, 1.0), step_);
        largest_ = gridDown(limits_.maxLength, step_);
        const double storedAspect =
            start.Lx > 0 && start.Ly > 0 ? std::max(start.Lx / start.Ly, start.Ly / start.Lx) : 1.0;
        aspect_ = std::max(limits_.maxAspect, storedAspect);
        bearingArea_ = bearingLowerBound(r);
        symmetric_ = symmetric(trials.records());
        concentric_ = concentric(trials.records()) && centredX_ && centredY_;
        eccentricX_ = withMoments(trials.records(), 1);
        eccentricY_ = withMoments(trials.records(), 2);
        const float D1 = start.D1 > 0 ? start.D1 : start.D2;
        const float D2 = start.D2 > 0 ? start.D2 : D1;
        drop_ = std::max(0.0, double(D1) - D2);
        base_ = start;
    }

    double aspect() const { return aspect_; }
    bool planFits(const Plan& p) const {
        return p.lx >= lxMin_ && p.ly >= lyMin_ && p.lx <= largest_ && p.ly <= largest_ &&
               p.lx <= aspect_ * p.ly + 1e-6 && p.ly <= aspect_ * p.lx + 1e-6;
    }

    // The size of a plan at a depth: the entered slope of the top is kept
    // where the 1/4 rule allows it and flattened (D′ raised towards D) where
    // the outstands are too short for it.
    FoundationSize at(const Plan& p, double D) const {
        FoundationSize s = base_;
        s.Lx = static_cast<float>(p.lx);
        s.Ly = static_cast<float>(p.ly);
        s.D1 = static_cast<float>(D);
        const double outX = centredX_ ? (p.lx - ax_) / 2 : std::min<double>(L1x_, p.lx - ax_ - L1x_);
        const double outY = centredY_ ? (p.ly - ay_) / 2 : std::min<double>(L1y_, p.ly - ay_ - L1y_);
        const double allowed = std::max(0.0, gridDown(std::min(outX, outY) / 4, 10));
        s.D2 = static_cast<float>(D - std::min(drop_, allowed));
        return s;
    }

    TrialResult tryPlan(const Plan& p, double D) { return trials_.run(at(p, D)); }

    // The smallest accepted plan along a ray of shape Lx : Ly = rho, from
    // the bearing bound upwards.
    std::optional<Plan> alongRay(double rho, double D, TrialResult& failure, bool bearingOnly = false) {
        const auto planAt = [&](double scale) {
            return Plan{std::max(lxMin_, gridUp(scale * std::sqrt(rho), step_)),
                        std::max(lyMin_, gridUp(scale / std::sqrt(rho), step_))};
        };
        const double from = std::sqrt(std::max(bearingArea_, 1.0));
        const double to = largest_ * std::min(std::sqrt(rho), 1 / std::sqrt(rho)) + step_;
        return smallestAlong(planAt, from, std::max(from, to), 0.5, D, failure, bearingOnly);
    }

    // The smallest accepted plan with Lx (side 0) or Ly (side 1) fixed, the
    // other side growing within the aspect limit.
    std::optional<Plan> alongSide(int side, double fixed, double D, TrialResult& failure) {
        const double lowest = std::max(side == 0 ? lyMin_ : lxMin_, gridUp(fixed / aspect_, step_));
        const double highest = std::min(largest_, gridDown(fixed * aspect_, step_));
        if (lowest > highest) {
            aspectReached_ = true;
            return std::nullopt;
        }
        const auto planAt = [&](double other) {
            const double grown = std::max(lowest, gridUp(other, step_));
            return side == 0 ? Plan{fixed, grown} : Plan{grown, fixed};
        };
        const double from = std::max(lowest, bearingArea_ / fixed);
        const bool lengthFirst = largest_ <= gridDown(fixed * aspect_, step_);
        std::optional<Plan> p = smallestAlong(planAt, from, highest, 1.0, D, failure, false);
        if (!p && !lengthFirst && limitReached_) {
            limitReached_ = false;
            aspectReached_ = true;
        }
        return p;
    }

    // The first accepted plan of a family growing with t from `from` to
    // `to`: a failing bearing jumps by its ratio (to the power that relates
    // t to the area), any other failure by doubling steps; then the last gap
    // is halved.
    template <typename PlanAt>
    std::optional<Plan> smallestAlong(PlanAt planAt, double from, double to, double power, double D,
                                      TrialResult& failure, bool bearingOnly) {
        const auto good = [&](const TrialResult& t) {
            return bearingOnly ? bearingHolds(t, limits_.target) : t.accepted();
        };
        double low = 0, t = std::min(from, to);
        Plan plan = planAt(t);
        double jump = step_;
        bool tried = false;
        for (;;) {
            if (t > to || !planFitsSides(plan)) {
                limitReached_ = true;
                // Say what fails at the largest plan of the family.
                if (!tried) failure = tryPlan(clampPlan(planAt(to)), D);
                return std::nullopt;
            }
            const TrialResult trial = tryPlan(plan, D);
            if (good(trial)) break;
            failure = trial;
            if (trial.refused && !tried) {
                // A refusal that the largest plan shares has nothing to do with the plan.
                const TrialResult big = tryPlan(clampPlan(planAt(to)), D);
                if (big.refused && big.message == trial.message) return std::nullopt;
            }
            tried = true;
            // Larger plans load the punching section more while bearing holds.
            if (!bearingOnly && failsCheck(trial, DesignCheck::Punching) &&
                bearingHolds(trial, limits_.target))
                return std::nullopt;
            low = t;
            double next = t + jump;
            const CheckRatio& bearing = trial.result.check(DesignCheck::Bearing);
            if (!trial.refused && overTarget(trial, DesignCheck::Bearing, limits_.target) &&
                bearing.ratio > 0 && std::isfinite(bearing.ratio))
                next = std::max(next, t * std::pow(bearing.ratio / limits_.target, power));
            else
                jump *= 2;
            Plan grown = planAt(next);
            while (grown == plan && next <= to)
                grown = planAt(next += step_);
            t = next;
            plan = grown;
        }
        // Halve the gap between the last failing t and the passing one.
        double high = t;
        while (high - low > 1) {
            const double mid = (low + high) / 2;
            const Plan p = planAt(mid);
            if (p == plan || p == planAt(low)) break;
            const TrialResult trial = tryPlan(p, D);
            if (good(trial)) {
                high = mid;
                plan = p;
            } else {
                failure = trial;
                low = mid;
            }
        }
        return plan;
    }

    bool planFitsSides(const Plan& p) const { return p.lx <= largest_ && p.ly <= largest_; }
    Plan clampPlan(Plan p) const { return {std::min(p.lx, largest_), std::min(p.ly, largest_)}; }

    // An off-centre column: the widths across its offset, coarsely and then
    // around the best, each with the smallest other side.
    std::optional<Plan> scanSides(int side, double D, TrialResult& failure) {
        const double lowest = side == 0 ? lxMin_ : lyMin_;
        std::optional<Plan> best;
        // While nothing passes: the bearing ratio of the largest plan of each
        // width. Wider plans that only move the column further off the
        // centre stop helping; a few widths without progress end the scan.
        double leastRatio = std::numeric_limits<double>::infinity();
        int withoutProgress = 0;
        const auto consider = [&](double fixed) {
            TrialResult t;
            const std::optional<Plan> p = alongSide(side, fixed, D, t);
            if (p && (!best || p->area() < best->area())) best = p;
            if (!p && !best) {
                failure = t;
                const double ratio = t.refused ? leastRatio : t.result.check(DesignCheck::Bearing).ratio;
                withoutProgress = ratio < leastRatio * 0.99 ? 0 : withoutProgress + 1;
                leastRatio = std::min(leastRatio, ratio);
            }
        };
        const double coarse = 4 * step_;
        for (double fixed = lowest; fixed <= largest_ && withoutProgress < 3; fixed += coarse) {
            // No wider plan within the aspect limit can be smaller.
            if (best && fixed * std::max(lowest, fixed / aspect_) > best->area()) break;
            consider(fixed);
        }
        if (!best) return std::nullopt;
        const double around = side == 0 ? best->lx : best->ly;
        for (double fixed = around - coarse + step_; fixed < around + coarse; fixed += step_)
            if (fixed >= lowest && fixed != around) consider(fixed);
        return best;
    }

    // The smallest plan within the aspect limit at one depth; where plans
    // within 2 % of that area exist, the one closest to square. One step
    // smaller in Lx and in Ly then fails or leaves the limits.
    std::optional<Plan> bestPlan(double D, TrialResult& failure) {
        limitReached_ = aspectReached_ = false;
        std::optional<Plan> square = alongRay(1, D, failure);
        struct Candidate {
            double rho;
            Plan plan;
        };
        std::vector<Candidate> found;
        if (square) found.push_back({1, *square});
        // Alike in both directions, or no plan can be 2 % smaller than the
        // square (the bearing bound says so): the square is the answer.
        const bool probe = !symmetric_ && !concentric_ && (!square || square->area() > 1.02 * bearingArea_);
        if (probe) {
            std::vector<double> shapes;
            // A plan longer in the direction of the moments lowers their
            // eccentricity ratio; the other direction only adds to it.
            if (eccentricX_ || !eccentricY_) shapes.insert(shapes.end(), {aspect_, std::sqrt(aspect_)});
            if (eccentricY_ || !eccentricX_)
                shapes.insert(shapes.end(), {1 / aspect_, 1 / std::sqrt(aspect_)});
            for (double rho : shapes) {
                TrialResult t;
                if (std::optional<Plan> p = alongRay(rho, D, t)) {
                    found.push_back({rho, *p});
                } else if (found.empty()) {
                    failure = t;
                }
            }
        }
        for (int side = 0; side < 2; ++side) {
            if (side == 0 ? centredX_ : centredY_) continue;
            TrialResult t;
            if (std::optional<Plan> p = scanSides(side, D, t)) {
                found.push_back({p->lx / p->ly, *p});
            } else if (found.empty()) {
                failure = t;
            }
        }
        if (found.empty()) return std::nullopt;
        const auto smallest = std::min_element(
            found.begin(), found.end(), [](auto& a, auto& b) { return a.plan.area() < b.plan.area(); });
        const double bound = smallest->plan.area() * 1.02;
        Candidate chosen = *smallest;
        for (const Candidate& c : found)
            if (c.plan.area() <= bound && c.plan.skew() < chosen.plan.skew()) chosen = c;
        // A squarer shape between the square and the chosen one that stays
        // within 2 %: halve the shape's logarithm a few times.
        if (probe && chosen.rho != 1 && (!square || square->area() > bound)) {
            double inner = 0, outer = std::log(chosen.rho);
            for (int i = 0; i < 3; ++i) {
                const double mid = (inner + outer) / 2;
                TrialResult t;
                const std::optional<Plan> p = alongRay(std::exp(mid), D, t);
                if (p && p->area() <= bound) {
                    outer = mid;
                    if (p->skew() < chosen.plan.skew()) chosen = {std::exp(mid), *p};
                } else {
                    inner = mid;
                }
            }
        }
        return probe ? slide(descend(chosen.plan, D), D) : descend(chosen.plan, D);
    }

    // Between the shapes tried the smallest plan may lie off every ray: one
    // step longer and one step narrower at a time (less area at the same
    // perimeter) while that passes, then the smallest, or the squarest
    // within 2 % of it.
    Plan slide(Plan start, double D) {
        std::vector<Plan> seen{start};
        for (int towards : {1, -1}) {
            Plan p = start;
            // A failing plan between two passing ones is stepped over, twice
            // at most. Where the passing plans climb faster than the
            // perimeter (a jagged edge), the plan one step longer in the
            // growing side carries on.
            for (int i = 0, misses = 0; i < 40 && misses < 3; ++i) {
                Plan q{p.lx + towards * step_, p.ly - towards * step_};
                if (q.area() >= p.area() || !planFits(q)) break;
                p = q;
                if (!tryPlan(q, D).accepted()) {
                    const Plan longer = towards > 0 ? Plan{q.lx + step_, q.ly} : Plan{q.lx, q.ly + step_};
                    if (!planFits(longer) || !tryPlan(longer, D).accepted()) {
                        ++misses;
                        continue;
                    }
                    q = longer;
                }
                misses = 0;
                p = descend(q, D);
                seen.push_back(p);
            }
        }
        const double least = std::min_element(seen.begin(), seen.end(), [](auto& a, auto& b) {
                                 return a.area() < b.area();
                             })->area();
        Plan chosen = start;
        for (const Plan& p : seen)
            if (p.area() <= least * 1.02 && (chosen.area() > least * 1.02 || p.skew() < chosen.skew()))
                chosen = p;
        return chosen == start ? start : descend(chosen, D);
    }

    // One step smaller in Lx or Ly while that still passes, the squarer
    // first; the failures of the last neighbours are the proof.
    Plan descend(Plan best, double D) {
        for (;;) {
            smallerLx_.reset();
            smallerLy_.reset();
            const Plan x{best.lx - step_, best.ly}, y{best.lx, best.ly - step_};
            std::vector<std::pair<Plan, bool>> order{{x, true}, {y, false}};
            if (y.skew() < x.skew()) std::swap(order[0], order[1]);
            bool moved = false;
            for (const auto& [p, isX] : order) {
                (isX ? limitLx_ : limitLy_) = limitLeft(p, isX);
                if (!planFits(p)) continue;
                const TrialResult t = tryPlan(p, D);
                if (t.accepted()) {
                    best = p;
                    moved = true;
                    break;
                }
                (isX ? smallerLx_ : smallerLy_) = t;
            }
            // At the aspect limit a single step leaves it: both sides a step
            // smaller keep the shape.
            if (const Plan both{best.lx - step_, best.ly - step_};
                !moved && planFits(both) && tryPlan(both, D).accepted()) {
                best = both;
                moved = true;
            }
            if (!moved) return best;
        }
    }

    // Which limit a plan one step smaller leaves, as the proof says it:
    // below the least side (each free outstand at least the bars' edge
    // clearance, so the bars reach past the column face; an off-centre
    // column at its distance from the edge) or beyond the aspect limit.
    // Empty within the limits.
    QString limitLeft(const Plan& p, bool isX) const {
        const double side = isX ? p.lx : p.ly, least = isX ? lxMin_ : lyMin_;
        if (side < least) return QStringLiteral("下限%1mm（柱幅とへりあき）未満").arg(formatGeneral(least));
        if (p.lx > aspect_ * p.ly + 1e-6 || p.ly > aspect_ * p.lx + 1e-6)
            return QStringLiteral("縦横比の上限%1を超える").arg(formatGeneral(aspect_));
        return {};
    }
    // The proof of a side: what fails one step smaller, or the limit it leaves.
    QString smallerText(bool isX) const {
        const std::optional<TrialResult>& t = isX ? smallerLx_ : smallerLy_;
        return t ? t->describe() : (isX ? limitLx_ : limitLy_);
    }
    const std::optional<TrialResult>& smallerLx() const { return smallerLx_; }
    const std::optional<TrialResult>& smallerLy() const { return smallerLy_; }
    bool limitReached() const { return limitReached_; }
    bool aspectReached() const { return aspectReached_; }
    void setBars(const FoundationSize& s) {
        base_.barSizeX = s.barSizeX;
        base_.barSizeY = s.barSizeY;
    }
    const FoundationSize& base() const { return base_; }
    double largest() const { return largest_; }

  private:
    // No plan bears the column load with less area than N′/fe of its most
    // demanding case: ΣN adds weights to N′, and α is at least 1.
    static double bearingLowerBound(const FoundationRecord& r) {
        const double fe = r.data1[field::fe];
        if (!(fe > 0)) return 0;
        const double N = d2(r, row::N, 1);
        const double NX = N + d2(r, row::N, 3), NY = N + d2(r, row::N, 4);
        const double m2 = std::max({N / fe, NX / (2 * fe), NY / (2 * fe), 0.0});
        return std::isfinite(m2) ? std::min(m2 * 1e6, 1e12) : 0;
    }

    // No moment or shear in any record: the contact pressure is uniform on
    // any plan of a centred column, so the area alone counts and the square
    // is as small as any shape.
    static bool concentric(const QList<FoundationRecord>& records) {
        return !withMoments(records, 1) && !withMoments(records, 2);
    }

    // A moment or shear of direction 1 (X: columns 1, 3) or 2 (Y: 2, 4) in any record.
    static bool withMoments(const QList<FoundationRecord>& records, int direction) {
        for (const FoundationRecord& r : records)
            for (int j : {direction, direction + 2})
                if (d2(r, row::M, j) != 0 || d2(r, row::H, j) != 0) return true;
        return false;
    }

    // Loads, column and its position alike in X and Y, in every record.
    static bool symmetric(const QList<FoundationRecord>& records) {
        for (const FoundationRecord& r : records) {
            const auto same = [&](int i, int jx, int jy) { return d2(r, i, jx) == d2(r, i, jy); };
            const bool loads = same(row::N, 3, 4) && same(row::M, 1, 2) && same(row::M, 3, 4) &&
                               same(row::H, 1, 2) && same(row::H, 3, 4);
            const bool column = same(row::a, 1, 2) && same(row::centre, 1, 2) && same(row::L1, 1, 2) &&
                                r.data1[field::edgx] == r.data1[field::edgy] &&
                                trimBlanks(r.barSizeX) == trimBlanks(r.barSizeY);
            if (!loads || !column) return false;
        }
        return true;
    }

    Trials& trials_;
    SizingLimits limits_;
    double step_ = 50;
    double lxMin_ = 0, lyMin_ = 0, largest_ = 0;
    double ax_ = 0, ay_ = 0, L1x_ = 0, L1y_ = 0;
    bool centredX_ = true, centredY_ = true;
    double aspect_ = 2;
    double bearingArea_ = 0; // mm²
    double drop_ = 0;        // entered D − D′
    bool symmetric_ = false;
    bool concentric_ = false;
    bool eccentricX_ = false, eccentricY_ = false;
    bool limitReached_ = false;
    bool aspectReached_ = false;
    FoundationSize base_;
    std::optional<TrialResult> smallerLx_, smallerLy_;
    QString limitLx_, limitLy_;
};

QString limitText(const SizingLimits& limits) {
    return QStringLiteral("寸法の上限%1mmまでに条件を満たす寸法がありません").arg(limits.maxLength);
}

QString depthLimitText(double limit) {
    return QStringLiteral("Dの上限%1mm（h1・h2と寸法の上限）までに条件を満たす寸法がありません")
        .arg(formatGeneral(limit));
}

// The thinnest depth on the grid, down from `D`, at which `accepted` still
// holds: halving the gap between the thinnest that fails and the one that
// passes (a thinner slab only loses lever arm and section).
template <typename Accepts>
double thinnestDepth(double D, double lowest, int step, Accepts accepted,
                     std::optional<TrialResult>& thinner) {
    double pass = D, fail = gridUp(lowest, step) - step;
    if (fail >= pass) return pass;
    while (pass - fail > step) {
        const double mid = gridDown((pass + fail) / 2, step);
        const double probe = mid <= fail ? fail + step : mid;
        if (probe >= pass) break;
        TrialResult t;
        if (accepted(probe, t)) {
            pass = probe;
        } else {
            fail = probe;
            thinner = t;
        }
    }
    if (pass - step > 0 && pass - step == fail && !thinner) {
        TrialResult t;
        if (!accepted(fail, t)) thinner = t;
    }
    return pass;
}

SizeProposal proposeFooting(Trials& trials, SizeProposal p) {
    const SizingLimits& limits = trials.limits();
    const FoundationRecord& r = trials.first();
    FootingSearch search(trials, p.current);
    const double limit = depthLimit(r, limits);
    const double entered = p.current.D1 > 0 ? p.current.D1 : p.current.D2;
    const double cover = std::max<float>(r.data1[field::cover], 0);
    double D = std::clamp(entered > 0 ? entered : gridUp(cover + limits.depthStep, limits.depthStep),
                          std::min<double>(limits.depthStep, limit), limit);
    QStringList notes;
    FoundationSize bars = search.base();

    // First the depth: the plan that bearing alone needs, on a square,
    // and the depth (and bars) with which every other check passes on it.
    TrialResult failure;
    std::optional<Plan> plan;
    double deepestFailed = 0;
    for (int guard = 0; guard < 400; ++guard) {
        std::optional<Plan> bearing = search.alongRay(1, D, failure, true);
        if (!bearing) break;
        const TrialResult t = search.tryPlan(*bearing, D);
        if (t.accepted()) {
            plan = bearing;
            break;
        }
        failure = t;
        if (!t.pitchShort.isEmpty() && takeLargerBar(trials.masters(), t, bars, notes)) {
            search.setBars(bars);
            continue;
        }
        if (!depthHelps(t, limits.target) || D >= limit) break;
        deepestFailed = D;
        // Deeper by doubling steps; the gap is closed below.
        const double gap =
            std::max<double>(limits.depthStep, gridDown((D - entered) * 1.0, limits.depthStep));
        D = std::min(limit, nextDepthUp(D + gap - limits.depthStep, limit, limits.depthStep));
    }
    if (plan && deepestFailed > 0 && D - deepestFailed > limits.depthStep) {
        // Close the gap of the doubling steps: the thinnest depth between.
        std::optional<TrialResult> unused;
        const Plan fixed = *plan;
        D = thinnestDepth(
            D, deepestFailed + limits.depthStep, limits.depthStep,
            [&](double depth, TrialResult& t) {
                t = search.tryPlan(fixed, depth);
                return t.accepted();
            },
            unused);
    }
    // No depth within the limits makes the compact plan pass: a larger plan
    // at the deepest slab allowed may still.
    std::optional<Plan> best = search.bestPlan(D, failure);
    if (!best && D < limit && depthHelps(failure, limits.target)) {
        D = limit;
        best = search.bestPlan(D, failure);
    }
    if (!best) {
        QString why = failure.describe();
        if (search.aspectReached())
            why = QStringLiteral("縦横比の上限%1までに条件を満たす寸法がありません（")
                      .arg(formatGeneral(search.aspect())) +
                  why + QStringLiteral("）");
        else if (search.limitReached())
            why = limitText(limits) + QStringLiteral("（") + why + QStringLiteral("）");
        else if (D >= limit && depthHelps(failure, limits.target))
            why = depthLimitText(limit) + QStringLiteral("（") + why + QStringLiteral("）");
        p.reason = why;
        p.notes = notes;
        return p;
    }
    // The thinnest slab with which the chosen plan still passes.
    std::optional<TrialResult> thinner;
    const Plan chosen = *best;
    D = thinnestDepth(
        D, cover + 1, limits.depthStep,
        [&](double depth, TrialResult& t) {
            t = search.tryPlan(chosen, depth);
            return t.accepted();
        },
        thinner);
    best = search.descend(*best, D);
    p.found = true;
    p.proposed = search.at(*best, D);
    p.atProposal = trials.run(p.proposed);
    p.smallerLx = search.smallerText(true);
    p.smallerLy = search.smallerText(false);
    p.thinner = thinner ? thinner->describe() : QString();
    for (const auto& neighbour : {search.smallerLx(), search.smallerLy()})
        if (neighbour && p.governing.isEmpty()) p.governing = neighbour->failingCaption();
    if (p.governing.isEmpty() && thinner) p.governing = thinner->failingCaption();
    if (p.governing.isEmpty()) p.governing = QStringLiteral("最小寸法・縦横比");
    p.notes = notes;
    return p;
}

// ---------------------------------------------------------------------------
// Pile caps

// The smallest edge distance from `minimum` with which the cap contains the
// column and both sides fall on the grid.
double capEdge(double minimum, double column, double rest, double step) {
    double e = minimum;
    if (2 * e + rest <= column) e = (column - rest) / 2 + 1;
    const double side = gridUp(2 * e + rest, step);
    return (side - rest) / 2;
}

std::optional<FoundationSize> capLayout(const FoundationRecord& r, const PileArrangementRule& rule,
                                        const PileMinima& minima, double Px2, double Py2Entered,
                                        FoundationSize size, double step) {
    const double Px2Used = rule.hasPx2 ? Px2 : 0;
    const double Py2 = rule.rowSpacing == RowSpacing::Entered ? Py2Entered
                       : rule.rowSpacing == RowSpacing::EquilateralFromPx2
                           ? intFloor(Px2Used * std::sqrt(3.0) / 2)
                           : 0;
    const double F = rule.rowSpacing == RowSpacing::DiagonalFromPx2 ? intFloor(Px2Used * std::sqrt(2.0)) : 0;
    double restX = 0, restY = 0;
    if (!pileCapSize(rule.code, 0, 0, Px2Used, Py2, F, restX, restY)) return std::nullopt;
    size.pileLayout = rule.code;
    double Px1 = capEdge(minima.edge, d2(r, row::a, 1), restX, step);
    double Py1 = capEdge(minima.edge, d2(r, row::a, 2), restY, step);
    if (rule.lyFromPx1) {
        // One edge distance for both sides: the smallest that puts both on the grid.
        double e = std::max(Px1, Py1);
        for (int i = 0; i < 200; ++i, e += 0.5) {
            if (std::fmod(2 * e + restX, step) == 0 && std::fmod(2 * e + restY, step) == 0) break;
        }
        Px1 = Py1 = e;
    }
    size.Px1 = static_cast<float>(Px1);
    size.Py1 = static_cast<float>(Py1);
    size.Px2 = static_cast<float>(Px2Used);
    size.Py2 = rule.hasPy2() ? static_cast<float>(Py2) : 0;
    double Lx = 0, Ly = 0;
    pileCapSize(rule.code, Px1, Py1, Px2Used, Py2, F, Lx, Ly);
    size.Lx = static_cast<float>(Lx);
    size.Ly = static_cast<float>(Ly);
    return size;
}

class CapSearch {
  public:
    CapSearch(Trials& trials, const PileArrangementRule& rule, const PileMinima& minima, FoundationSize base)
        : trials_(trials), rule_(rule), minima_(minima), base_(std::move(base)) {}

    std::optional<FoundationSize> layout(double sx, double sy, double D) const {
        FoundationSize s = base_;
        s.D1 = s.D2 = static_cast<float>(D);
        std::optional<FoundationSize> out =
            capLayout(trials_.first(), rule_, minima_, sx, sy, s, trials_.limits().step);
        if (out && (out->Lx > trials_.limits().maxLength || out->Ly > trials_.limits().maxLength))
            return std::nullopt;
        return out;
    }

    // The tightest spacings with which the piles carry their loads at depth
    // D: the minima, else wider in steps (both spacings, then the one that
    // alone suffices), up to the cap limit.
    // With `whole`, every check must pass, not only the piles: a wider cap
    // also widens the sections that carry the shear.
    std::optional<FoundationSize> spacing(double D, TrialResult& failure, bool whole = false) {
        const double s0 = minima_.spacing, step = trials_.limits().step;
        const bool two = rule_.hasPx2 && rule_.rowSpacing == RowSpacing::Entered;
        const auto at = [&](double kx, double ky) { return layout(s0 + kx * step, s0 + ky * step, D); };
        const auto holds = [&](const std::optional<FoundationSize>& s) {
            if (!s) return false;
            failure = trials_.run(*s);
            return whole ? failure.accepted() : bearingHolds(failure, trials_.limits().target);
        };
        if (holds(at(0, 0))) return at(0, 0);
        if (!rule_.hasPx2 || failure.refused) return std::nullopt;
        if (whole && two) return window(D, failure);
        // Doubling steps while the piles are overloaded, then the last gap halved.
        // For the whole design (the shear of a wider cap against the
        // weight of it on the piles) the passing spacings may be a window:
        // even steps of 200 mm up to 4 m beyond the minimum, then halved.
        double low = 0, k = whole ? 4 : 1;
        for (;; k = whole ? k + 4 : 2 * k) {
            const std::optional<FoundationSize> s = at(k, two ? k : 0);
            if (!s || (whole && k * step > 4000)) return std::nullopt;
            if (holds(s)) break;
            if (failure.refused) return std::nullopt;
            low = k;
        }
        double high = k;
        while (high - low > 1) {
            const double mid = std::floor((low + high) / 2);
            if (holds(at(mid, two ? mid : 0)))
                high = mid;
            else
                low = mid;
        }
        std::optional<FoundationSize> best = at(high, two ? high : 0);
        if (two) {
            // Where the loads are one-sided, one spacing at its minimum may do.
            for (const auto& alone : {at(high, 0), at(0, high)}) {
                if (alone && double(alone->Lx) * alone->Ly < double(best->Lx) * best->Ly && holds(alone))
                    best = alone;
            }
        }
        failure = trials_.run(*best);
        return best;
    }

  private:
    // Two spacings for the whole design: the loads across each row call for
    // a spacing of their own, and the passing pairs may be a window between
    // the shear of a narrow cap and the weight of a wide one. Pairs in
    // 200 mm steps up to 2 m beyond the minima, the smallest cap first; the
    // first that passes is then tightened one step at a time.
    std::optional<FoundationSize> window(double D, TrialResult& failure) {
        const double s0 = minima_.spacing, step = trials_.limits().step;
        const int stride = std::max(1, static_cast<int>(std::lround(200 / step)));
        const int reach = static_cast<int>(2000 / step);
        std::vector<std::tuple<double, int, int>> pairs;
        for (int kx = 0; kx <= reach; kx += stride)
            for (int ky = 0; ky <= reach; ky += stride)
                if (const auto s = layout(s0 + kx * step, s0 + ky * step, D))
                    pairs.emplace_back(double(s->Lx) * s->Ly, kx, ky);
        std::sort(pairs.begin(), pairs.end());
        for (const auto& [area, kx0, ky0] : pairs) {
            TrialResult t = trials_.run(*layout(s0 + kx0 * step, s0 + ky0 * step, D));
            if (!t.accepted()) {
                failure = t;
                continue;
            }
            int kx = kx0, ky = ky0;
            for (bool moved = true; moved;) {
                moved = false;
                for (auto [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
                    if (kx - dx < 0 || ky - dy < 0) continue;
                    if (trials_.run(*layout(s0 + (kx - dx) * step, s0 + (ky - dy) * step, D)).accepted()) {
                        kx -= dx;
                        ky -= dy;
                        moved = true;
                    }
                }
            }
            const std::optional<FoundationSize> best = layout(s0 + kx * step, s0 + ky * step, D);
            failure = trials_.run(*best);
            return best;
        }
        return std::nullopt;
    }

    Trials& trials_;
    const PileArrangementRule& rule_;
    PileMinima minima_;
    FoundationSize base_;
};

QString arrangementCaption(const PileArrangementRule& rule) {
    return rule.caption.trimmed() + QStringLiteral("本");
}

SizeProposal proposePileCap(Trials& trials, SizeProposal p) {
    const SizingLimits& limits = trials.limits();
    const FoundationRecord& r = trials.first();
    const std::optional<PileMinima> minima =
        pileMinima(static_cast<int>(cInt(r.data1[field::pileKind])), r.data1[field::pfai]);
    if (!minima || !(r.data1[field::pfai] > 0)) {
        p.reason = trials.run(p.current).describe();
        return p;
    }
    std::vector<const PileArrangementRule*> order;
    for (const PileArrangementRule& rule : pileArrangementRules())
        order.push_back(&rule);
    std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->count < b->count; });

    const double limit = depthLimit(r, limits);
    const double entered = p.current.D1 > 0 ? p.current.D1 : p.current.D2;
    const double D0 = std::clamp(entered > 0 ? entered : limits.depthStep * 20.0,
                                 std::min<double>(limits.depthStep, limit), limit);
    FoundationSize bars = p.current;
    QString lastTried, lastCause;
    const auto leavesOut = [&](const PileArrangementRule& rule) {
        return std::any_of(trials.records().begin(), trials.records().end(),
                           [&](const FoundationRecord& m) { return leavesLoadsUnchecked(rule, m); });
    };
    TrialResult failure;
    bool depthStopped = false;
    for (const PileArrangementRule* rule : order) {
        // An arrangement whose check would leave entered loads out is not
        // one to propose: the next one that sees them is.
        if (leavesOut(*rule)) {
            // A failure of an arrangement tried says more than one passed over.
            if (lastTried.isEmpty() || lastCause == QStringLiteral("検定されない荷重")) {
                lastCause = QStringLiteral("検定されない荷重");
                lastTried =
                    arrangementCaption(*rule) + QStringLiteral(": ") +
                    (rule->hasMoments ? QStringLiteral("Y方向の荷重が杭の検定に含まれません")
                                      : QStringLiteral("モーメントとせん断力が杭の検定に含まれません"));
            }
            p.notes << arrangementCaption(*rule) +
                           (rule->hasMoments
                                ? QStringLiteral("はY方向の荷重が杭の検定に含まれないため除外")
                                : QStringLiteral("はモーメントとせん断力が杭の検定に含まれないため除外"));
            continue;
        }
        double D = D0, deepestFailed = 0;
        std::optional<FoundationSize> found;
        for (int guard = 0; guard < 400; ++guard) {
            CapSearch search(trials, *rule, *minima, bars);
            std::optional<FoundationSize> size = search.spacing(D, failure);
            if (!size) break;
            failure = trials.run(*size);
            if (failure.accepted()) {
                found = size;
                break;
            }
            if (!failure.pitchShort.isEmpty() && takeLargerBar(trials.masters(), failure, bars, p.notes))
                continue;
            if (!depthHelps(failure, limits.target)) break;
            if (D >= limit) {
                depthStopped = true;
                break;
            }
            deepestFailed = D;
            const double gap = std::max<double>(limits.depthStep, gridDown(D - D0, limits.depthStep));
            D = std::min(limit, nextDepthUp(D + gap - limits.depthStep, limit, limits.depthStep));
        }
        if (!found && D >= limit && depthHelps(failure, limits.target) && rule->hasPx2) {
            // The deepest slab allowed is not enough at the tightest spacing:
            // a wider one widens the cap and its shear sections.
            // The deepest slab weighs most on the piles: a middle depth too.
            CapSearch search(trials, *rule, *minima, bars);
            for (double depth : {D, gridUp((D0 + D) / 2, limits.depthStep)}) {
                TrialResult wide;
                if (std::optional<FoundationSize> size = search.spacing(std::min(depth, limit), wide, true);
                    size && wide.accepted()) {
                    found = size;
                    deepestFailed = 0;
                    break;
                }
                if (depth == D)
                    failure = wide.refused || wide.result.verdict != Verdict::NotCalculated ? wide : failure;
            }
        }
        if (!found) {
            lastTried = arrangementCaption(*rule) + QStringLiteral(": ") + failure.describe();
            lastCause = failure.failingCaption();
            continue;
        }
        // The thinnest slab with which this arrangement still passes.
        std::optional<TrialResult> thinner;
        const double lowest = deepestFailed > 0 ? deepestFailed + limits.depthStep
                                                : std::max<double>(r.data1[field::cover], 0) + 1;
        FoundationSize size = *found;
        const auto thinnest = [&](FoundationSize& s, double least) {
            thinner.reset();
            const double depth = thinnestDepth(
                s.D1, least, limits.depthStep,
                [&](double d, TrialResult& t) {
                    FoundationSize trial = s;
                    trial.D1 = trial.D2 = static_cast<float>(d);
                    t = trials.run(trial);
                    return t.accepted();
                },
                thinner);
            s.D1 = s.D2 = static_cast<float>(depth);
        };
        thinnest(size, lowest);
        // Neither the pile loads nor the shear fall steadily with depth (a
        // thicker slab weighs on the piles): an arrangement of fewer piles
        // passed over at another depth may pass at this one. Until none
        // does, the fewest piles are not yet found.
        for (bool fewer = true; fewer;) {
            fewer = false;
            for (const PileArrangementRule* other : order) {
                if (other->count >= pileArrangementRule(size.pileLayout)->count) break;
                if (leavesOut(*other)) continue;
                CapSearch search(trials, *other, *minima, bars);
                TrialResult t;
                std::optional<FoundationSize> s = search.spacing(size.D1, t);
                if (s && !t.accepted() && other->hasPx2) s = search.spacing(size.D1, t, true);
                if (!s || !t.accepted()) {
                    lastTried = arrangementCaption(*other) + QStringLiteral(": ") + t.describe();
                    lastCause = t.failingCaption();
                    continue;
                }
                size = *s;
                thinnest(size, std::max<double>(r.data1[field::cover], 0) + 1);
                fewer = true;
                break;
            }
        }
        p.found = true;
        p.proposed = size;
        p.atProposal = trials.run(size);
        p.fewerPiles = lastTried;
        p.thinner = thinner ? thinner->describe() : QString();
        p.governing = lastTried.isEmpty()
                          ? (thinner ? thinner->failingCaption() : QStringLiteral("最少杭本数"))
                          : QStringLiteral("杭本数（") + lastCause + QStringLiteral("）");
        return p;
    }
    p.reason = depthStopped
                   ? depthLimitText(limit) + QStringLiteral("（") + failure.describe() + QStringLiteral("）")
                   : failure.describe();
    return p;
}

} // namespace

QString TrialResult::describe() const {
    if (refused) return message.section(u'\n', 0, 0).trimmed();
    if (passes() && !pitchShort.isEmpty()) return pitchShort;
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
        if (!heldToTarget(c) && !check.ng) continue;
        // A failing check governs a passing one.
        if ((check.ng && !bestNg) || (check.ng == bestNg && check.ratio > bestRatio)) {
            best = c;
            bestRatio = check.ratio;
            bestNg = check.ng;
        }
    }
    return best;
}

QString TrialResult::failingCaption() const {
    if (refused) return message.section(u'\n', 0, 0).trimmed();
    if (passes() && !pitchShort.isEmpty()) return QStringLiteral("鉄筋間隔");
    return designCheckCaption(governing());
}

FoundationSize storedSize(const FoundationRecord& r) {
    FoundationSize s;
    s.Lx = d2(r, row::L, 1);
    s.Ly = d2(r, row::L, 2);
    s.D1 = r.data1[field::D1];
    s.D2 = r.data1[field::D2];
    s.barSizeX = trimBlanks(r.barSizeX);
    s.barSizeY = trimBlanks(r.barSizeY);
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
    if (!s.barSizeX.isEmpty()) r.barSizeX = s.barSizeX;
    if (!s.barSizeY.isEmpty()) r.barSizeY = s.barSizeY;
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
                         const SizingLimits& given) {
    SizeProposal p;
    if (records.isEmpty()) return p;
    SizingLimits limits = given;
    limits.step = std::clamp(limits.step, kMinimumSizingStep, kMaximumSizingStep);
    limits.depthStep = std::clamp(limits.depthStep, kMinimumSizingStep, kMaximumSizingStep);
    limits.maxLength = std::clamp(limits.maxLength, limits.step, 20000);
    if (!(limits.maxAspect >= 1)) limits.maxAspect = 1;
    if (!(limits.target > 0) || limits.target > 1) limits.target = 1;
    if (!(limits.minPitch >= 0)) limits.minPitch = kDefaultMinimumBarPitch;
    p.current = storedSize(records.first());
    Trials trials(masters, records, limits);
    const long long type = cInt(records.first().data1[field::foundationType]);
    if (type == kTypeIsolated)
        p = proposeFooting(trials, p);
    else if (type == kTypePileCap)
        p = proposePileCap(trials, p);
    else
        p.reason = QStringLiteral("基礎の種類が独立基礎でも杭基礎でもありません。");
    p.trials = trials.count();
    return p;
}

QString sizeText(float value) {
    return formatGeneral(value);
}

} // namespace k5
