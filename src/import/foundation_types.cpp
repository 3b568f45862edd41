#include "import/foundation_types.h"

#include "calc/design_warnings.h"
#include "calc/record_evaluation.h"
#include "import/import_review.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <unordered_map>

namespace k5 {
namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();

// A grouping saves concrete only by more than the rounding of its sums (a
// cubic centimetre): equal sizes summed in another order must not count as
// a saving, or types of one size would be made.
bool cheaper(double a, double b) {
    return a < b - 1e-6;
}

int typeOf(const FoundationRecord& r) {
    return static_cast<int>(cInt(r.data1[field::foundationType]));
}

// A support of the search: its record and the size it needs on its own.
struct Support {
    int record = 0; // number in the job
    SizeProposal own;
    double volume = 0; // m³ at its own size
    double area = 0;   // mm² at its own size
};

// One member tried at one size, as the calculation judges it.
struct MemberTrial {
    TrialResult trial;
    QString beyond; // a limit of the search the size breaks for this member
    double volume = 0;
    bool accepted() const { return trial.passes() && beyond.isEmpty(); }
};

// The limits the sizing search holds a size to beyond the calculation's
// judgement: bars far enough apart to be placed, ratios within the target,
// and no pile arrangement whose check leaves this member's loads out.
QString beyondCalculation(const FoundationRecord& designed, const FoundationSize& size,
                          const SizingLimits& limits, const DesignResult& result) {
    for (int direction = 1; direction <= 2; ++direction)
        if (shortBarPitch(designed, direction, limits.minPitch)) return QStringLiteral("鉄筋間隔");
    for (int i = 0; i < kDesignCheckCount && limits.target < 1; ++i) {
        const auto c = static_cast<DesignCheck>(i);
        // The bar count is chosen so that bending and bond keep their limit.
        if (c == DesignCheck::Bending || c == DesignCheck::Bond) continue;
        const CheckRatio& check = result.check(c);
        if (check.applies && check.ratio > limits.target + 1e-9) return designCheckCaption(c);
    }
    if (typeOf(designed) == kTypePileCap)
        if (const PileArrangementRule* rule = pileArrangementRule(size.pileLayout);
            rule && leavesLoadsUnchecked(*rule, designed))
            return QStringLiteral("杭配置");
    return {};
}

MemberTrial tryMember(const CalcMasters& masters, FoundationRecord record, const FoundationSize& size,
                      const SizingLimits& limits) {
    applySize(size, record);
    const Evaluation e = evaluateRecord(masters, record, 0);
    MemberTrial t;
    if (!e.designed()) {
        t.trial.refused = true;
        t.trial.message = e.outcome.message.text;
        return t;
    }
    t.trial.result = storedDesignResult(e.record);
    t.beyond = beyondCalculation(e.record, size, limits, t.trial.result);
    t.volume = foundationConcreteVolume(e.record);
    return t;
}

// A failing trial governs a passing one; among equals the larger ratio.
bool governs(const MemberTrial& a, const MemberTrial& b) {
    if (a.accepted() != b.accepted()) return !a.accepted();
    return a.trial.result.maxRatio() > b.trial.result.maxRatio();
}

// The sizing of supports first..last-1 (in the order of their own sizes) as
// one design group.
struct RangeSize {
    bool found = false;
    SizeProposal proposal;
    int governor = 0; // index of the governing support
    double cost = 0;  // m³ of all members at the group's size
};

// The search for one foundation type. A group's size is what the sizing
// search finds for the group as one; it is found here from a few of its
// members that decide it: the search is run for the largest support, every
// member is tried at the answer, and the worst one that fails joins the
// deciding members, until all pass. Every size, and every member tried at
// it, is kept, so the ranges the grouping compares share their work.
class TypeSearch {
  public:
    TypeSearch(const CalcMasters& masters, const QList<FoundationRecord>& job,
               const std::vector<Support>& supports, const SizingLimits& limits)
        : masters_(masters), job_(job), supports_(supports), limits_(limits) {
        for (int i = 0; i < static_cast<int>(supports.size()); ++i)
            proposals_[{i}] = supports[static_cast<size_t>(i)].own;
    }

    int count() const { return static_cast<int>(supports_.size()); }

    const RangeSize& range(int first, int last) {
        const auto key = std::make_pair(first, last);
        auto known = ranges_.find(key);
        if (known != ranges_.end()) return known->second;
        return ranges_.emplace(key, sizeRange(first, last)).first->second;
    }

    double cost(int first, int last) {
        const RangeSize& r = range(first, last);
        return r.found ? r.cost : kInfinite;
    }

    // A type's size: the search over all its members as one design group, in
    // file order, as a proposal for the group is made (the estimate above
    // only chooses the grouping). Should the search over the whole group
    // find nothing, the estimate stands: every member passes at it too.
    const RangeSize& exact(int first, int last) {
        const auto key = std::make_pair(first, last);
        auto known = exact_.find(key);
        if (known != exact_.end()) return known->second;
        std::vector<int> members;
        for (int m = first; m < last; ++m)
            members.push_back(m);
        std::sort(members.begin(), members.end(), [this](int a, int b) {
            return supports_[static_cast<size_t>(a)].record < supports_[static_cast<size_t>(b)].record;
        });
        RangeSize sized = sizedBy(members, first, last);
        if (!sized.found) sized = range(first, last);
        return exact_.emplace(key, sized).first->second;
    }

    double exactCost(const std::vector<int>& bounds) {
        double total = 0;
        for (size_t k = 1; k < bounds.size(); ++k) {
            const RangeSize& r = exact(bounds[k - 1], bounds[k]);
            total += r.found ? r.cost : kInfinite;
        }
        return total;
    }

    double cost(const std::vector<int>& bounds) {
        double total = 0;
        for (size_t k = 1; k < bounds.size(); ++k)
            total += cost(bounds[k - 1], bounds[k]);
        return total;
    }

    // The bounds (0, …, count) of the cheapest grouping into at most `types`
    // contiguous ranges with bounds among `candidates`, then moved one by one
    // while that saves concrete.
    std::vector<int> best(int types, const std::vector<int>& candidates) {
        std::vector<int> bounds = cheapestOnCandidates(types, candidates);
        if (bounds.empty()) return bounds;
        refine(bounds, spacing(candidates));
        return bounds;
    }

  private:
    RangeSize sizeRange(int first, int last) {
        // The largest support starts the design; the others follow as they
        // turn out to decide it.
        std::vector<int> deciding{last - 1};
        constexpr int kRounds = 8;
        for (int round = 0; round < kRounds; ++round) {
            const SizeProposal& p = proposal(deciding);
            if (!p.found) return {};
            const int size = sizeId(p.proposed);
            RangeSize out;
            int worstFailing = -1;
            for (int m = first; m < last; ++m) {
                const MemberTrial& t = member(size, m);
                out.cost += t.volume;
                if (m == first || governs(t, member(size, out.governor))) out.governor = m;
                if (!t.accepted() && (worstFailing < 0 || governs(t, member(size, worstFailing))))
                    worstFailing = m;
            }
            if (worstFailing < 0) {
                out.found = true;
                out.proposal = p;
                out.proposal.atProposal = member(size, out.governor).trial;
                return out;
            }
            deciding.push_back(worstFailing);
        }
        return wholeRange(first, last, deciding);
    }

    // The search over every member, when a few did not decide the size.
    RangeSize wholeRange(int first, int last, const std::vector<int>& deciding) {
        std::vector<int> all = deciding;
        for (int m = first; m < last; ++m)
            if (std::find(deciding.begin(), deciding.end(), m) == deciding.end()) all.push_back(m);
        return sizedBy(all, first, last);
    }

    // The size the search finds for `members` (the first one's design to
    // start from), with every member of first..last tried at it.
    RangeSize sizedBy(const std::vector<int>& members, int first, int last) {
        const SizeProposal& p = proposal(members);
        RangeSize out;
        if (!p.found) return out;
        const int size = sizeId(p.proposed);
        for (int m = first; m < last; ++m) {
            const MemberTrial& t = member(size, m);
            if (!t.accepted()) return {};
            out.cost += t.volume;
            if (m == first || governs(t, member(size, out.governor))) out.governor = m;
        }
        out.found = true;
        out.proposal = p;
        out.proposal.atProposal = member(size, out.governor).trial;
        return out;
    }

    const SizeProposal& proposal(const std::vector<int>& members) {
        auto known = proposals_.find(members);
        if (known != proposals_.end()) return known->second;
        QList<FoundationRecord> records;
        for (int m : members)
            records.append(recordOf(m));
        return proposals_.emplace(members, proposeSize(masters_, records, limits_)).first->second;
    }

    const MemberTrial& member(int size, int m) {
        const long long key = static_cast<long long>(size) * count() + m;
        auto known = trials_.find(key);
        if (known != trials_.end()) return known->second;
        return trials_
            .emplace(key, tryMember(masters_, recordOf(m), sizes_[static_cast<size_t>(size)], limits_))
            .first->second;
    }

    int sizeId(const FoundationSize& s) {
        const auto key = std::make_tuple(s.Lx, s.Ly, s.D1, s.D2, s.pileLayout, s.Px1, s.Py1, s.Px2, s.Py2,
                                         s.barSizeX, s.barSizeY);
        auto known = sizeIds_.find(key);
        if (known != sizeIds_.end()) return known->second;
        sizes_.push_back(s);
        return sizeIds_.emplace(key, static_cast<int>(sizes_.size()) - 1).first->second;
    }

    const FoundationRecord& recordOf(int m) const {
        return job_[supports_[static_cast<size_t>(m)].record - 1];
    }

    std::vector<int> cheapestOnCandidates(int types, const std::vector<int>& c) {
        const size_t n = c.size();
        // cheapest[k][j]: groups of supports 0..c[j]-1 in k ranges.
        std::vector<std::vector<double>> cheapest(static_cast<size_t>(types) + 1,
                                                  std::vector<double>(n, kInfinite));
        std::vector<std::vector<size_t>> from(static_cast<size_t>(types) + 1, std::vector<size_t>(n, 0));
        cheapest[0][0] = 0;
        for (size_t k = 1; k <= static_cast<size_t>(types); ++k)
            for (size_t j = 1; j < n; ++j)
                for (size_t i = 0; i < j; ++i) {
                    if (cheapest[k - 1][i] == kInfinite) continue;
                    const double total = cheapest[k - 1][i] + cost(c[i], c[j]);
                    if (total < cheapest[k][j]) {
                        cheapest[k][j] = total;
                        from[k][j] = i;
                    }
                }
        size_t bestK = 0;
        for (size_t k = 1; k <= static_cast<size_t>(types); ++k)
            if (cheapest[k][n - 1] != kInfinite &&
                (bestK == 0 || cheaper(cheapest[k][n - 1], cheapest[bestK][n - 1])))
                bestK = k;
        if (bestK == 0) return {};
        std::vector<int> bounds{c[n - 1]};
        for (size_t k = bestK, j = n - 1; k > 0; --k) {
            j = from[k][j];
            bounds.push_back(c[j]);
        }
        std::reverse(bounds.begin(), bounds.end());
        return bounds;
    }

    static int spacing(const std::vector<int>& c) {
        int widest = 1;
        for (size_t k = 1; k < c.size(); ++k)
            widest = std::max(widest, c[k] - c[k - 1]);
        return widest;
    }

    // Each inner bound is moved by halving steps while the two ranges beside
    // it need less concrete together.
    void refine(std::vector<int>& bounds, int widest) {
        for (int pass = 0; pass < 2; ++pass) {
            bool moved = false;
            for (size_t t = 1; t + 1 < bounds.size(); ++t)
                for (int step = std::max(1, widest / 2); step >= 1; step /= 2)
                    for (int direction : {-1, 1}) {
                        const int to = bounds[t] + direction * step;
                        if (to <= bounds[t - 1] || to >= bounds[t + 1]) continue;
                        const double now = cost(bounds[t - 1], bounds[t]) + cost(bounds[t], bounds[t + 1]);
                        const double then = cost(bounds[t - 1], to) + cost(to, bounds[t + 1]);
                        if (cheaper(then, now)) {
                            bounds[t] = to;
                            moved = true;
                        }
                    }
            if (!moved) break;
        }
    }

    const CalcMasters& masters_;
    const QList<FoundationRecord>& job_;
    const std::vector<Support>& supports_;
    SizingLimits limits_;
    std::map<std::vector<int>, SizeProposal> proposals_;
    std::map<std::tuple<float, float, float, float, int, float, float, float, float, QString, QString>, int>
        sizeIds_;
    std::vector<FoundationSize> sizes_;
    std::unordered_map<long long, MemberTrial> trials_;
    std::map<std::pair<int, int>, RangeSize> ranges_;
    std::map<std::pair<int, int>, RangeSize> exact_;
};

// Bounds splitting `count` supports into `parts` ranges of equal count
// (the first ones one shorter when it does not divide).
std::vector<int> equalBounds(int count, int parts) {
    std::vector<int> bounds;
    for (int k = 0; k <= parts; ++k)
        bounds.push_back(static_cast<int>(static_cast<long long>(count) * k / parts));
    return bounds;
}

// Where the grouping may cut: quantiles of the sorted supports, fine enough
// to find uneven groups, and the equal-count bounds the result must beat.
std::vector<int> candidateBounds(int count, int types, const std::vector<int>& earlier) {
    constexpr int kQuantiles = 32;
    std::vector<int> c = equalBounds(count, std::min(count, std::max(kQuantiles, 4 * types)));
    for (int b : equalBounds(count, std::min(count, types)))
        c.push_back(b);
    c.insert(c.end(), earlier.begin(), earlier.end());
    std::sort(c.begin(), c.end());
    c.erase(std::unique(c.begin(), c.end()), c.end());
    return c;
}

struct Progress {
    const TypesProgress& report;
    int done = 0;
    int total = 0;
    bool cancelled = false;
    bool step() {
        ++done;
        if (report && !report(done, total)) cancelled = true;
        return !cancelled;
    }
};

// The bounds of the best grouping into at most `types` ranges. Each number
// of types up to the given one starts from the grouping before it, so more
// types never cost more concrete.
std::vector<int> groupBounds(TypeSearch& search, int types, Progress& progress) {
    std::vector<int> best;
    for (int n = 1; n <= types; ++n) {
        const std::vector<int> candidates = candidateBounds(search.count(), n, best);
        std::vector<int> bounds = search.best(n, candidates);
        // More types only where they save concrete.
        if (!bounds.empty() && (best.empty() || cheaper(search.cost(bounds), search.cost(best))))
            best = bounds;
        const std::vector<int> equal = equalBounds(search.count(), std::min(n, search.count()));
        if (best.empty() || cheaper(search.cost(equal), search.cost(best))) best = equal;
        if (!progress.step()) return {};
    }
    return best;
}

QString typeName(const TypeOptions& options, int foundationType, int number) {
    if (!options.prefix.isEmpty()) return options.prefix + QString::number(number);
    return (foundationType == kTypePileCap ? QStringLiteral("P") : QStringLiteral("F")) +
           QString::number(number);
}

std::vector<Support> ownSizes(const CalcMasters& masters, const QList<FoundationRecord>& job,
                              const QList<int>& records, const SizingLimits& limits, TypesPlan& plan,
                              Progress& progress) {
    std::vector<Support> supports;
    for (int n : records) {
        const FoundationRecord& r = job[n - 1];
        Support s;
        s.record = n;
        s.own = proposeSize(masters, {r}, limits);
        if (!progress.step()) return {};
        if (!s.own.found) {
            plan.unsized.append({n, s.own.reason});
            continue;
        }
        const MemberTrial t = tryMember(masters, r, s.own.proposed, limits);
        s.volume = t.volume;
        s.area = static_cast<double>(s.own.proposed.Lx) * s.own.proposed.Ly;
        supports.push_back(s);
    }
    // From the smallest; equal sizes in file order.
    std::stable_sort(supports.begin(), supports.end(), [](const Support& a, const Support& b) {
        if (a.volume != b.volume) return a.volume < b.volume;
        return a.area < b.area;
    });
    return supports;
}

// The records as the search tries them: a support without a design name
// (as the import leaves it) is refused by the calculation for that alone, so
// it is sized under a stand-in name; the name its type gets is written later.
QList<FoundationRecord> namedForSizing(QList<FoundationRecord> job) {
    for (FoundationRecord& r : job)
        if (r.name.trimmed().isEmpty()) r.name = QStringLiteral("F");
    return job;
}

} // namespace

double foundationConcreteVolume(const FoundationRecord& r) {
    const double Lx = r.data2[row::L][1], Ly = r.data2[row::L][2];
    const double D = r.data1[field::D1];
    const double slopeEnd = r.data1[field::D2] > 0 ? r.data1[field::D2] : D;
    return Lx * Ly * (D + slopeEnd) / 2 / 1e9;
}

TypesPlan chooseFoundationTypes(const CalcMasters& masters, const QList<FoundationRecord>& stored,
                                const TypeOptions& options, const TypesProgress& progress) {
    TypesPlan plan;
    const QList<FoundationRecord> job = namedForSizing(stored);
    QList<int> byType[2];
    for (int n = 1; n <= job.size(); ++n) {
        const FoundationRecord& r = job[n - 1];
        const int type = typeOf(r);
        if ((type == kTypeIsolated || type == kTypePileCap) && (options.all || r.groupNo == 0))
            byType[type - 1].append(n);
    }
    const int types = std::max(1, options.maxTypes);
    Progress steps{progress};
    steps.total = static_cast<int>(byType[0].size() + byType[1].size()) + 2 * (types + 1);

    QList<FoundationTypeGroup> chosen[2];
    for (int t = 0; t < 2; ++t) {
        const std::vector<Support> supports = ownSizes(masters, job, byType[t], options.limits, plan, steps);
        if (steps.cancelled) break;
        if (supports.empty()) {
            steps.done += types + 1;
            continue;
        }
        TypeSearch search(masters, job, supports, options.limits);
        std::vector<int> bounds = groupBounds(search, std::min(types, search.count()), steps);
        if (steps.cancelled) break;
        // The grouping is chosen on estimates; the sizes are the search's
        // own, and the equal-count split sized alike stands if it is less.
        const std::vector<int> equal = equalBounds(search.count(), std::min(types, search.count()));
        if (!bounds.empty() && bounds != equal && cheaper(search.exactCost(equal), search.exactCost(bounds)))
            bounds = equal;
        if (!steps.step()) break;
        for (size_t k = 1; k < bounds.size(); ++k) {
            const RangeSize& range = search.exact(bounds[k - 1], bounds[k]);
            FoundationTypeGroup group;
            group.foundationType = t + 1;
            for (int m = bounds[k - 1]; m < bounds[k]; ++m) {
                group.members.append(supports[static_cast<size_t>(m)].record);
                plan.ownVolume += supports[static_cast<size_t>(m)].volume;
            }
            std::sort(group.members.begin(), group.members.end());
            group.governor = supports[static_cast<size_t>(range.governor)].record;
            group.proposal = range.proposal;
            group.memberVolume = range.cost / static_cast<double>(group.members.size());
            plan.volume += range.cost;
            chosen[t].append(group);
        }
        steps.done += types - std::min(types, search.count());
    }
    if (steps.cancelled) {
        plan.cancelled = true;
        plan.unsized.clear();
        plan.volume = plan.ownVolume = 0;
        return plan;
    }

    // Names and groups as the review window gives them, beside what is kept.
    QSet<int> grouped;
    for (const QList<FoundationTypeGroup>& kind : chosen)
        for (const FoundationTypeGroup& g : kind)
            for (int n : g.members)
                grouped.insert(n);
    QSet<QString> keptNames;
    int highest = 0;
    for (int n = 1; n <= job.size(); ++n)
        if (!grouped.contains(n)) {
            keptNames.insert(stored[n - 1].name);
            highest = std::max(highest, job[n - 1].groupNo);
        }
    int number = 0;
    for (int t = 0; t < 2; ++t) {
        std::stable_sort(chosen[t].begin(), chosen[t].end(),
                         [](const FoundationTypeGroup& a, const FoundationTypeGroup& b) {
                             return a.memberVolume < b.memberVolume;
                         });
        if (options.prefix.isEmpty()) number = 0;
        for (FoundationTypeGroup& g : chosen[t]) {
            do
                g.name = typeName(options, g.foundationType, ++number);
            while (keptNames.contains(g.name));
            g.groupNo = ++highest;
            plan.types.append(g);
        }
    }
    return plan;
}

QList<std::pair<int, FoundationRecord>> recordsOfTypes(const QList<FoundationRecord>& job,
                                                       const TypesPlan& plan) {
    QList<std::pair<int, FoundationRecord>> changes;
    for (const FoundationTypeGroup& type : plan.types)
        for (int n : type.members) {
            FoundationRecord r = job[n - 1];
            applySize(type.proposal.proposed, r);
            r.name = type.name;
            r.groupNo = type.groupNo;
            changes.append({n, r});
        }
    std::sort(changes.begin(), changes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return changes;
}

QString typeOptionsProblem(const TypeOptions& options) {
    if (options.maxTypes < 1 || options.maxTypes > 99)
        return QStringLiteral("種類の数は1から99までで指定してください。");
    if (options.prefix.isEmpty()) return {};
    if (options.prefix.trimmed() != options.prefix) return QStringLiteral("基礎名の頭に空白は使えません。");
    return designNameProblem(options.prefix + QString::number(2 * options.maxTypes));
}

QStringList typeTableHeaders() {
    return {QStringLiteral("基礎名"),   QStringLiteral("ﾀｲﾌﾟ"), QStringLiteral("基礎数"),
            QStringLiteral("支配基礎"), QStringLiteral("寸法"), QStringLiteral("最大比"),
            QStringLiteral("決定検定")};
}

namespace {

QString sizeCell(const FoundationTypeGroup& type) {
    const FoundationSize& s = type.proposal.proposed;
    QString depth = QStringLiteral("D") + sizeText(s.D1);
    if (s.D2 > 0 && s.D2 != s.D1) depth += u'/' + sizeText(s.D2);
    QString plan;
    if (type.foundationType == kTypePileCap) {
        const PileArrangementRule* rule = pileArrangementRule(s.pileLayout);
        plan = (rule ? rule->caption.trimmed() : QString::number(s.pileLayout)) + QStringLiteral("本 ");
    }
    if (s.Lx > 0 && s.Ly > 0) plan += sizeText(s.Lx) + u'×' + sizeText(s.Ly) + u'×';
    return plan + depth;
}

} // namespace

QStringList typeTableRow(const FoundationTypeGroup& type) {
    const TrialResult& at = type.proposal.atProposal;
    return {type.name, foundationTypeCaption(type.foundationType), QString::number(type.members.size()),
            QStringLiteral("No.") + QString::number(type.governor), sizeCell(type),
            ratioText(at.result.maxRatio()),
            // What fails one step smaller, as the sizing search found it.
            type.proposal.governing.isEmpty() ? designCheckCaption(at.governing()) : type.proposal.governing};
}

QString typeVolumeLine(const TypesPlan& plan) {
    if (plan.types.isEmpty()) return QStringLiteral("ｸﾞﾙｰﾌﾟ化する基礎がありません。");
    // Rounded first, so that no difference shows as "-0.00".
    const double extra = std::round(plan.extraVolume() * 100) / 100;
    const double percent = std::round(plan.extraPercent() * 10) / 10;
    return QStringLiteral("コンクリート量 %1 m³（基礎ごとに寸法を決めた場合 %2 m³、差 %3 m³・%4 %）")
        .arg(plan.volume, 0, 'f', 2)
        .arg(plan.ownVolume, 0, 'f', 2)
        .arg((extra >= 0 ? QStringLiteral("+") : QString()) + QString::number(extra + 0.0, 'f', 2))
        .arg((percent >= 0 ? QStringLiteral("+") : QString()) + QString::number(percent + 0.0, 'f', 1));
}

} // namespace k5
