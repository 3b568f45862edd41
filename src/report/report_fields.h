#pragma once
#include "calc/record_fields.h"

// Record indexes the report reads that the calculation's names do not cover
// yet. They belong with the others in the one layout table.
namespace k5::row {

// Pile caps: for line position p the maximum pile load is at
// Rmax1 + pileLineStride·(p − 1), followed by its NG flag, the minimum load
// and the minimum's NG flag.
constexpr int RmaxNG1 = 26;
constexpr int Rmin1 = 27;
constexpr int RminNG1 = 28;
constexpr int pileLineStride = 4;

// Columns of the punchX / punchY rows, which describe one pile rather than
// one load case: its reaction (0 when no pile governs), its line position
// (1 outer, 2 inner, 3 centre) and its direction (1 X, 2 Y).
constexpr int punchReaction = 1;
constexpr int punchLine = 2;
constexpr int punchDirection = 3;

// rebarNG holds the steel-area judgement of a direction in column 1 (X) or
// 2 (Y) and the bond-perimeter judgement two columns further on.
constexpr int bondNGOffset = 2;

} // namespace k5::row
