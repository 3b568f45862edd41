#pragma once
#include "jobdata/foundation_record.h"

#include <array>

namespace k5 {

// Where the piles of a cap stand, seen from the column centre: for each
// direction (1 X, 2 Y), line position (1 outer, 2 inner, 3 centre) and side
// (1 negative, 2 positive) the number of piles on that line and the line's
// signed coordinate in metres. The centre line is also entered on side 2.
struct PileTable {
    std::array<std::array<std::array<int, 3>, 4>, 3> num{};
    std::array<std::array<std::array<float, 3>, 4>, 3> dist{};
    double refX = 0; // reference offsets of the arrangement, mm
    double refY = 0;

    int count(int dir, int p, int s) const { return num[dir][p][s]; }
    double distance(int dir, int p, int s) const { return dist[dir][p][s]; }
};

// The table of a pile cap record from its pile count and variant, pile edge
// distances and spacings (the auxiliary spacing F for " 5" and " 8(3×2+2)"),
// column size and column offsets. A count and variant of no arrangement
// give an empty table.
PileTable pileTable(const FoundationRecord& record);

} // namespace k5
