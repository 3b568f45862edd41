#pragma once
#include <QString>

#include <vector>

// The eleven pile arrangements of a pile cap, each with everything that
// depends on it: its list caption, pile count and variant, which loads and
// spacings the engineer enters, what the calculation derives, how the cap's
// plan size follows, and where the piles stand. Every part of the program
// (input window, checks, calculation, report figure, import) reads this one
// table.
namespace k5 {

// How the second spacing of an arrangement comes about.
enum class RowSpacing {
    None,               // one row of piles (Py2 stored as 0)
    Entered,            // Py2 typed in
    EquilateralFromPx2, // rows of an equilateral triangle: Py2 = Int(Px2·√3/2)
    DiagonalFromPx2,    // piles on the diagonals of a square: side F = Int(Px2·√2)
};

struct PileArrangementRule {
    int code = 0;            // stored in data1(pileLayout), 1..11
    QString caption;         // list text, with its leading blank
    int count = 0;           // piles
    int variant = 0;         // tells apart arrangements of the same count (3 and 8)
    bool hasMoments = true;  // M and H are entered at all (one pile takes none)
    bool hasYMoments = true; // M and H in Y are entered (a single row in X takes none)
    bool hasPx2 = true;      // the spacing Px2 is entered
    RowSpacing rowSpacing = RowSpacing::None;
    bool checksRowSpacing = false; // Py2 is held to the minimum pile spacing
    // Plan size from the edge distances and spacings:
    //   Lx = 2·Px1 + lxPx2·Px2 + lxF·F
    //   Ly = 2·(Py1, or Px1 when lyFromPx1) + lyPy2·Py2 + lyF·F
    double lxPx2 = 0, lxF = 0;
    double lyPy2 = 0, lyF = 0;
    bool lyFromPx1 = false;
    // Pile positions from the cap's lower left pile (at Px1, Py1), in units of
    // Px2 (x), Py2 (y) or F (the f-flagged arrangements).
    struct Pile {
        double x, y;
    };
    std::vector<Pile> piles;
    bool pilesInF = false;
    // The arrangement's reference point from the lower left pile, in the same
    // units: where the design measures the column's offset from the piles.
    Pile reference{0, 0};

    bool hasPy2() const { return rowSpacing == RowSpacing::Entered; }
};

constexpr int kPileArrangementCount = 11;

// The arrangement of a code; nullptr for any code outside 1..11.
const PileArrangementRule* pileArrangementRule(int code);
// The arrangement stored as a pile count and variant (the variant tells
// apart only arrangements that share their count); nullptr for none.
const PileArrangementRule* pileArrangementByCount(int count, int variant);
// All eleven, in list order.
const std::vector<PileArrangementRule>& pileArrangementRules();

// Cap size of an arrangement; false (nothing set) for an unknown code.
bool pileCapSize(int code, double Px1, double Py1, double Px2, double Py2, double F, double& Lx, double& Ly);

// Centre of every pile, mm from the cap's left and lower edges.
struct PilePoint {
    double x = 0, y = 0;
};
std::vector<PilePoint> pilePositions(int code, double Px1, double Py1, double Px2, double Py2, double F);

} // namespace k5
