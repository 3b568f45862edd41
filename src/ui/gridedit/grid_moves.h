#pragma once
#include "masters/key_actions.h"

namespace k5 {

// A cell of an editing grid: column and row counted from 1 (the heading row
// and column are 0); -1 in either means "no cell".
struct GridCell {
    int col = -1;
    int row = -1;
    bool isCell() const { return col != -1 && row != -1; }
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

struct GridMove {
    bool keyHandled = false; // the key was Enter, ←, ↑, → or ↓
    GridCell target;         // where editing continues (unchanged when not handled)
};

// Where a navigation key leads from the edited cell in a grid of lastCol x
// lastRow editable cells. Enter and → run along the row and on to the next
// row; ← runs back; ↑ and ↓ change the row. The key actions decide what
// happens at the ends: wrap to the other end or stay. A handled key always
// leads to a commit and a new edit, even when the target is the same cell.
// With no cell being edited, a handled key starts at (1, 1). An unhandled key
// leaves `target` as it was.
GridMove gridMoveByKey(int keyCode, GridCell edit, GridCell target, int lastCol, int lastRow,
                       const KeyActions& actions);

} // namespace k5
