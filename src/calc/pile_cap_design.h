#pragma once
#include "calc/calc_kernel.h"
#include "calc/pile_table.h"

#include <array>

namespace k5 {

// Which load cases of a pile cap carry loads worth showing: case 1 always,
// case 2 with a long-term Y moment or horizontal force, cases 3 and 4 with
// any short-term load of their direction.
struct CaseFlags {
    std::array<bool, 5> computed{}; // index 1..4
};
CaseFlags caseFlags(const FoundationRecord& record);

// Pile loads, reactions, face forces, steel and shear of case column j.
bool pileCase(DesignRecord& r, const PileTable& table, int j);
// Punching shear around the pile with the largest reaction.
bool punchingPiles(DesignRecord& r, const PileTable& table);

// Designs a pile cap record that the common preparation has prepared. The
// record is written after the pile table, after each designed case and at
// the end. `table` (optional) receives the pile table used.
bool designPileCap(DesignRecord& r, PileTable* table = nullptr);

} // namespace k5
