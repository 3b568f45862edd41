#include "ui/gridedit/grid_moves.h"

#include "ui/gridedit/key_codes.h"

namespace k5 {

GridMove gridMoveByKey(int keyCode, GridCell edit, GridCell target, int lastCol, int lastRow,
                       const KeyActions& a) {
    const bool navigation = keyCode == kKeyEnter || keyCode == kKeyLeft || keyCode == kKeyUp ||
                            keyCode == kKeyRight || keyCode == kKeyDown;
    if (!navigation) return {false, target};
    if (!edit.isCell()) return {true, {1, 1}};

    const int c = edit.col, r = edit.row, C = lastCol, R = lastRow;
    const int verticalCol = a.verticalToColumnOne ? 1 : c;
    switch (keyCode) {
    case kKeyEnter:
    case kKeyRight:
        if (c < C) return {true, {c + 1, r}};
        if (r < R) return {true, {1, r + 1}};
        return {true, {1, a.wrapDownToFirstRow ? 1 : R}};
    case kKeyLeft:
        if (c > 1) return {true, {c - 1, r}};
        if (r > 1) return {true, {a.wrapLeftToPreviousRow ? C : 1, r - 1}};
        return {true, {a.wrapLeftToPreviousRow ? C : 1, a.wrapUpToLastRow ? R : 1}};
    case kKeyUp:
        if (r > 1) return {true, {verticalCol, r - 1}};
        return {true, {verticalCol, a.wrapUpToLastRow ? R : 1}};
    default: // kKeyDown
        if (r < R) return {true, {verticalCol, r + 1}};
        return {true, {verticalCol, a.wrapDownToFirstRow ? 1 : R}};
    }
}

} // namespace k5
