#include "jobdata/pile_arrangement.h"

namespace k5 {
namespace {

using R = RowSpacing;

std::vector<PileArrangementRule> makeRules() {
    std::vector<PileArrangementRule> t;
    auto add = [&t](int code, const char* caption, int count, int variant) -> PileArrangementRule& {
        PileArrangementRule r;
        r.code = code;
        r.caption = QString::fromUtf8(caption);
        r.count = count;
        r.variant = variant;
        t.push_back(r);
        return t.back();
    };
    {
        auto& r = add(1, " 1", 1, 0); // one pile carries no moment
        r.hasMoments = r.hasYMoments = r.hasPx2 = false;
        r.reference = {0, 0};
        r.piles = {{0, 0}};
    }
    {
        auto& r = add(2, " 2", 2, 0); // one row in X: no bending in Y to resist
        r.hasYMoments = false;
        r.lxPx2 = 1;
        r.reference = {0.5, 0};
        r.piles = {{0, 0}, {1, 0}};
    }
    {
        auto& r = add(3, " 3(3角)", 3, 1);
        r.rowSpacing = R::EquilateralFromPx2;
        r.lxPx2 = 1, r.lyPy2 = 1;
        r.reference = {0.5, 0.5};
        r.piles = {{0, 0}, {1, 0}, {0.5, 1}};
    }
    {
        auto& r = add(4, " 3(直3)", 3, 2);
        r.hasYMoments = false;
        r.lxPx2 = 2;
        r.reference = {1, 0};
        r.piles = {{0, 0}, {1, 0}, {2, 0}};
    }
    {
        auto& r = add(5, " 4", 4, 0);
        r.rowSpacing = R::Entered;
        r.checksRowSpacing = true;
        r.lxPx2 = 1, r.lyPy2 = 1;
        r.reference = {0.5, 0.5};
        r.piles = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    }
    {
        auto& r = add(6, " 5", 5, 0); // four corners and the centre of a square of side F
        r.rowSpacing = R::DiagonalFromPx2;
        r.lxF = 1, r.lyF = 1, r.lyFromPx1 = true;
        r.reference = {1, 1};
        r.piles = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0.5, 0.5}};
        r.pilesInF = true;
    }
    {
        auto& r = add(7, " 6", 6, 0);
        r.rowSpacing = R::Entered;
        r.lxPx2 = 2, r.lyPy2 = 1;
        r.reference = {1, 0.5};
        r.piles = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}};
    }
    {
        auto& r = add(8, " 7", 7, 0); // a hexagon around a centre pile
        r.rowSpacing = R::EquilateralFromPx2;
        r.lxPx2 = 2, r.lyPy2 = 2;
        r.reference = {1, 1};
        r.piles = {{0.5, 0}, {1.5, 0}, {0, 1}, {1, 1}, {2, 1}, {0.5, 2}, {1.5, 2}};
    }
    {
        auto& r = add(9, " 8(3×2+2)", 8, 1); // two rows of three, two between, spaced F
        r.rowSpacing = R::DiagonalFromPx2;
        r.lxF = 2, r.lyF = 1;
        r.reference = {2, 1};
        r.piles = {{0, 0}, {1, 0}, {2, 0}, {0.5, 0.5}, {1.5, 0.5}, {0, 1}, {1, 1}, {2, 1}};
        r.pilesInF = true;
    }
    {
        auto& r = add(10, " 8(直4×2)", 8, 2);
        r.rowSpacing = R::Entered;
        r.checksRowSpacing = true;
        r.lxPx2 = 3, r.lyPy2 = 1;
        r.reference = {2, 0.5};
        r.piles = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}};
    }
    {
        auto& r = add(11, " 9", 9, 0);
        r.rowSpacing = R::Entered;
        r.checksRowSpacing = true;
        r.lxPx2 = 2, r.lyPy2 = 2;
        r.reference = {1, 1};
        r.piles = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    }
    return t;
}

} // namespace

const std::vector<PileArrangementRule>& pileArrangementRules() {
    static const std::vector<PileArrangementRule> rules = makeRules();
    return rules;
}

const PileArrangementRule* pileArrangementRule(int code) {
    if (code < 1 || code > kPileArrangementCount) return nullptr;
    return &pileArrangementRules()[static_cast<size_t>(code - 1)];
}

const PileArrangementRule* pileArrangementByCount(int count, int variant) {
    const PileArrangementRule* found = nullptr;
    int matches = 0;
    for (const PileArrangementRule& r : pileArrangementRules()) {
        if (r.count != count) continue;
        ++matches;
        if (r.variant == variant) found = &r;
        if (!found) found = &r;
    }
    if (matches > 1 && found && found->variant != variant) return nullptr;
    return found;
}

bool pileCapSize(int code, double Px1, double Py1, double Px2, double Py2, double F, double& Lx, double& Ly) {
    const PileArrangementRule* r = pileArrangementRule(code);
    if (!r) return false;
    // Only the terms an arrangement has are added, so a spacing it does not
    // use cannot reach its size.
    Lx = 2 * Px1;
    if (r->lxPx2 != 0) Lx += r->lxPx2 * Px2;
    if (r->lxF != 0) Lx += r->lxF * F;
    Ly = 2 * (r->lyFromPx1 ? Px1 : Py1);
    if (r->lyPy2 != 0) Ly += r->lyPy2 * Py2;
    if (r->lyF != 0) Ly += r->lyF * F;
    return true;
}

std::vector<PilePoint> pilePositions(int code, double Px1, double Py1, double Px2, double Py2, double F) {
    std::vector<PilePoint> points;
    const PileArrangementRule* r = pileArrangementRule(code);
    if (!r) return points;
    const double sx = r->pilesInF ? F : Px2;
    const double sy = r->pilesInF ? F : Py2;
    for (const auto& p : r->piles)
        points.push_back({Px1 + p.x * sx, Py1 + p.y * sy});
    return points;
}

} // namespace k5
