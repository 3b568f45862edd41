#include "calc/pile_table.h"

#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/numbers.h"

#include <map>
#include <utility>
#include <vector>

namespace k5 {
namespace {

enum Line { Outer1, Outer2, Inner1, Inner2, Centre };

class TableBuilder {
  public:
    TableBuilder(PileTable& table, double xc, double yc) : table_(table), origin_{0, xc, yc} {}

    // `count` piles on a line of direction `dir` at `position` mm from the
    // cap's left (X) or lower (Y) edge.
    void line(int dir, Line which, int count, double position) {
        static constexpr int kPos[] = {1, 1, 2, 2, 3};
        static constexpr int kSide[] = {1, 2, 1, 2, 1};
        const int p = kPos[which], s = kSide[which];
        table_.num[dir][p][s] = count;
        table_.dist[dir][p][s] = static_cast<float>(position - origin_[dir]);
    }

  private:
    PileTable& table_;
    double origin_[3];
};

} // namespace

namespace {

// Where a line lies: edge distance plus `units` spacings (the edge distance
// alone for none, so that an unused spacing never reaches it).
double along(double edge, double units, double spacing) {
    return units == 0 ? edge : edge + units * spacing;
}

// The lines of one direction from the piles' coordinates in spacings: the
// outermost two, the centre line of an odd number of lines, and the inner
// lines between them, each with the piles standing on it.
void addLines(TableBuilder& b, int dir, const std::vector<double>& coordinates, double edge, double spacing) {
    std::map<double, int> piles; // coordinate in spacings -> piles on that line
    for (double c : coordinates)
        ++piles[c];
    std::vector<std::pair<double, int>> lines(piles.begin(), piles.end());
    const size_t n = lines.size();
    if (n == 1) {
        b.line(dir, Centre, lines[0].second, along(edge, lines[0].first, spacing));
        return;
    }
    b.line(dir, Outer1, lines.front().second, along(edge, lines.front().first, spacing));
    b.line(dir, Outer2, lines.back().second, along(edge, lines.back().first, spacing));
    const size_t middle = n / 2;
    for (size_t i = 1; i + 1 < n; ++i) {
        const Line which = (n % 2 == 1 && i == middle) ? Centre : (i < middle ? Inner1 : Inner2);
        b.line(dir, which, lines[i].second, along(edge, lines[i].first, spacing));
    }
}

} // namespace

PileTable pileTable(const FoundationRecord& rec) {
    PileTable t;
    const auto d2 = [&](int i, int j) { return static_cast<double>(rec.data2[i][j]); };
    const int count = static_cast<int>(cInt(rec.data1[field::pileCount]));
    const int variant = static_cast<int>(cInt(rec.data1[field::pileVariant]));
    const PileArrangementRule* arrangement = pileArrangementByCount(count, variant);
    if (!arrangement) return t;

    const double Px1 = d2(row::P, 1), Py1 = d2(row::P, 2);
    const double F = rec.data1[field::auxSpacing];
    // Arrangements on the diagonals of a square are spaced by its side F.
    const double sx = arrangement->pilesInF ? F : d2(row::P, 3);
    const double sy = arrangement->pilesInF ? F : d2(row::P, 4);
    // The column centre measured from the left and the lower edge of the cap.
    const double xc = d2(row::a, 1) / 2 + d2(row::L1, 1);
    const double yc = d2(row::a, 2) / 2 + d2(row::L1, 2);
    TableBuilder b(t, xc, yc);
    std::vector<double> xs, ys;
    for (const auto& pile : arrangement->piles) {
        xs.push_back(pile.x);
        ys.push_back(pile.y);
    }
    addLines(b, 1, xs, Px1, sx);
    addLines(b, 2, ys, Py1, sy);
    t.refX = along(Px1, arrangement->reference.x, sx) - xc;
    t.refY = along(Py1, arrangement->reference.y, sy) - yc;
    for (int dir = 1; dir <= 2; ++dir) {
        t.num[dir][3][2] = t.num[dir][3][1];
        t.dist[dir][3][2] = t.dist[dir][3][1];
        for (int p = 1; p <= 3; ++p)
            for (int s = 1; s <= 2; ++s)
                t.dist[dir][p][s] = static_cast<float>(t.dist[dir][p][s] / 1000.0);
    }
    return t;
}

} // namespace k5
