#include "calc/pile_table.h"

#include "jobdata/record_layout.h"
#include "platform/numbers.h"

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

PileTable pileTable(const FoundationRecord& rec) {
    PileTable t;
    const auto d2 = [&](int i, int j) { return static_cast<double>(rec.data2[i][j]); };
    const int count = static_cast<int>(cInt(rec.data1[field::pileCount]));
    const int variant = static_cast<int>(cInt(rec.data1[field::pileVariant]));
    const double Px1 = d2(row::P, 1), Py1 = d2(row::P, 2);
    double Px2 = d2(row::P, 3), Py2 = d2(row::P, 4);
    const double F = rec.data1[field::auxSpacing];
    // The column centre measured from the left and the lower edge of the cap.
    const double xc = d2(row::a, 1) / 2 + d2(row::L1, 1);
    const double yc = d2(row::a, 2) / 2 + d2(row::L1, 2);
    TableBuilder b(t, xc, yc);
    constexpr int X = 1, Y = 2;
    double refX = 0, refY = 0;

    if (count == 1) {
        b.line(X, Centre, 1, Px1);
        b.line(Y, Centre, 1, Py1);
        refX = Px1;
        refY = Py1;
    } else if (count == 2) {
        b.line(X, Outer1, 1, Px1);
        b.line(X, Outer2, 1, Px1 + Px2);
        b.line(Y, Centre, 2, Py1);
        refX = Px1 + Px2 / 2;
        refY = Py1;
    } else if (count == 3 && variant == 1) { // triangle
        b.line(X, Outer1, 1, Px1);
        b.line(X, Outer2, 1, Px1 + Px2);
        b.line(X, Centre, 1, Px1 + Px2 / 2);
        b.line(Y, Outer1, 2, Py1);
        b.line(Y, Outer2, 1, Py1 + Py2);
        refX = Px1 + Px2 / 2;
        refY = Py1 + Py2 / 2;
    } else if (count == 3 && variant == 2) { // three in a row
        b.line(X, Outer1, 1, Px1);
        b.line(X, Outer2, 1, Px1 + 2 * Px2);
        b.line(X, Centre, 1, Px1 + Px2);
        b.line(Y, Centre, 3, Py1);
        refX = Px1 + Px2;
        refY = Py1;
    } else if (count == 4) {
        b.line(X, Outer1, 2, Px1);
        b.line(X, Outer2, 2, Px1 + Px2);
        b.line(Y, Outer1, 2, Py1);
        b.line(Y, Outer2, 2, Py1 + Py2);
        refX = Px1 + Px2 / 2;
        refY = Py1 + Py2 / 2;
    } else if (count == 5) { // four corners and the centre, spaced F
        Px2 = Py2 = F;
        b.line(X, Outer1, 2, Px1);
        b.line(X, Outer2, 2, Px1 + Px2);
        b.line(X, Centre, 1, Px1 + Px2 / 2);
        b.line(Y, Outer1, 2, Py1);
        b.line(Y, Outer2, 2, Py1 + Py2);
        b.line(Y, Centre, 1, Py1 + Py2 / 2);
        refX = Px1 + F;
        refY = Py1 + F;
    } else if (count == 6) {
        b.line(X, Outer1, 2, Px1);
        b.line(X, Outer2, 2, Px1 + 2 * Px2);
        b.line(X, Centre, 2, Px1 + Px2);
        b.line(Y, Outer1, 3, Py1);
        b.line(Y, Outer2, 3, Py1 + Py2);
        refX = Px1 + Px2;
        refY = Py1 + Py2 / 2;
    } else if (count == 7) { // hexagon around a centre pile
        b.line(X, Outer1, 1, Px1);
        b.line(X, Outer2, 1, Px1 + 2 * Px2);
        b.line(X, Inner1, 2, Px1 + 0.5 * Px2);
        b.line(X, Inner2, 2, Px1 + 1.5 * Px2);
        b.line(X, Centre, 1, Px1 + Px2);
        b.line(Y, Outer1, 2, Py1);
        b.line(Y, Outer2, 2, Py1 + 2 * Py2);
        b.line(Y, Centre, 3, Py1 + Py2);
        refX = Px1 + Px2;
        refY = Py1 + Py2;
    } else if (count == 8 && variant == 1) { // 3 x 2 with two between, spaced F
        Px2 = Py2 = F;
        b.line(X, Outer1, 2, Px1);
        b.line(X, Outer2, 2, Px1 + 2 * F);
        b.line(X, Inner1, 1, Px1 + 0.5 * F);
        b.line(X, Inner2, 1, Px1 + 1.5 * F);
        b.line(X, Centre, 2, Px1 + F);
        b.line(Y, Outer1, 3, Py1);
        b.line(Y, Outer2, 3, Py1 + F);
        b.line(Y, Centre, 2, Py1 + F / 2);
        refX = Px1 + 2 * F;
        refY = Py1 + F;
    } else if (count == 8 && variant == 2) { // two rows of four
        b.line(X, Outer1, 2, Px1);
        b.line(X, Outer2, 2, Px1 + 3 * Px2);
        b.line(X, Inner1, 2, Px1 + Px2);
        b.line(X, Inner2, 2, Px1 + 2 * Px2);
        b.line(Y, Outer1, 4, Py1);
        b.line(Y, Outer2, 4, Py1 + Py2);
        refX = Px1 + 2 * Px2;
        refY = Py1 + Py2 / 2;
    } else if (count == 9) {
        b.line(X, Outer1, 3, Px1);
        b.line(X, Outer2, 3, Px1 + 2 * Px2);
        b.line(X, Centre, 3, Px1 + Px2);
        b.line(Y, Outer1, 3, Py1);
        b.line(Y, Outer2, 3, Py1 + 2 * Py2);
        b.line(Y, Centre, 3, Py1 + Py2);
        refX = Px1 + Px2;
        refY = Py1 + Py2;
    } else {
        return t;
    }
    t.refX = refX - xc;
    t.refY = refY - yc;
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
