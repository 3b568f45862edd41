#include "jobdata/control_file.h"
#include "ui/gridedit/grid_moves.h"
#include "ui/gridedit/key_codes.h"

#include <gtest/gtest.h>

using namespace k5;

namespace {

struct MoveCase {
    const char* name;
    int key;
    GridCell from;
    KeyActions actions;
    GridCell expected;
};

constexpr KeyActions kOff{};
constexpr KeyActions kWrapLeftToPreviousRow{true, false, false, false};
constexpr KeyActions kWrapLeftToPreviousRowModori{true, true, false, false};
constexpr KeyActions kModori{false, true, false, false};
constexpr KeyActions kSusumi{false, false, true, false};
constexpr KeyActions kVertical{false, false, false, true};
constexpr KeyActions kAll{true, true, true, true};

// A 7 x 7 table, cells written (column, row).
const MoveCase kCases[] = {
    {"right inside the row", kKeyRight, {3, 4}, kOff, {4, 4}},
    {"enter inside the row", kKeyEnter, {3, 4}, kOff, {4, 4}},
    {"right at row end goes to next row start", kKeyRight, {7, 4}, kOff, {1, 5}},
    {"right in last cell stays on last row", kKeyRight, {7, 7}, kOff, {1, 7}},
    {"enter in last cell wraps with wrapDownToFirstRow", kKeyEnter, {7, 7}, kSusumi, {1, 1}},
    {"left inside the row", kKeyLeft, {4, 4}, kOff, {3, 4}},
    {"left at row start goes to previous row start", kKeyLeft, {1, 4}, kOff, {1, 3}},
    {"left at row start goes to previous row end with wrapLeftToPreviousRow", kKeyLeft, {1, 4}, kWrapLeftToPreviousRow, {7, 3}},
    {"left in first cell stays", kKeyLeft, {1, 1}, kOff, {1, 1}},
    {"left in first cell, wrapUpToLastRow alone keeps column 1", kKeyLeft, {1, 1}, kModori, {1, 7}},
    {"left in first cell with wrapLeftToPreviousRow only", kKeyLeft, {1, 1}, kWrapLeftToPreviousRow, {7, 1}},
    {"left in first cell with wrapLeftToPreviousRow and wrapUpToLastRow", kKeyLeft, {1, 1}, kWrapLeftToPreviousRowModori, {7, 7}},
    {"up inside", kKeyUp, {5, 4}, kOff, {5, 3}},
    {"up on row 1 stays", kKeyUp, {5, 1}, kOff, {5, 1}},
    {"up on row 1 wraps with wrapUpToLastRow", kKeyUp, {5, 1}, kModori, {5, 7}},
    {"up to column 1", kKeyUp, {5, 4}, kVertical, {1, 3}},
    {"down inside", kKeyDown, {5, 2}, kOff, {5, 3}},
    {"down to column 1", kKeyDown, {5, 2}, kVertical, {1, 3}},
    {"down on last row stays", kKeyDown, {3, 7}, kOff, {3, 7}},
    {"down on last row wraps with wrapDownToFirstRow", kKeyDown, {3, 7}, kSusumi, {3, 1}},
    {"down on last row, every switch on", kKeyDown, {3, 7}, kAll, {1, 1}},
    {"no cell edited starts at (1, 1)", kKeyDown, {-1, -1}, kOff, {1, 1}},
    {"no column edited starts at (1, 1)", kKeyLeft, {-1, 5}, kAll, {1, 1}},
};

TEST(GridMoveByKey, FollowsTheKeyTable) {
    for (const MoveCase& c : kCases) {
        SCOPED_TRACE(c.name);
        GridMove move = gridMoveByKey(c.key, c.from, c.from, 7, 7, c.actions);
        EXPECT_TRUE(move.keyHandled);
        EXPECT_EQ(move.target.col, c.expected.col);
        EXPECT_EQ(move.target.row, c.expected.row);
    }
}

TEST(GridMoveByKey, OtherKeysLeaveTheTargetAlone) {
    for (int key : {0, 9, 27, 36, 41, 65}) {
        GridMove move = gridMoveByKey(key, {3, 3}, {4, 5}, 7, 7, kAll);
        EXPECT_FALSE(move.keyHandled) << key;
        EXPECT_EQ(move.target, (GridCell{4, 5})) << key;
    }
}

TEST(GridMoveByKey, NonSquareTableUsesItsOwnEnds) {
    // 3 columns, 14 rows (the deformed-bar size table).
    EXPECT_EQ(gridMoveByKey(kKeyEnter, {3, 14}, {3, 14}, 3, 14, kSusumi).target, (GridCell{1, 1}));
    EXPECT_EQ(gridMoveByKey(kKeyLeft, {1, 1}, {1, 1}, 3, 14, kWrapLeftToPreviousRowModori).target, (GridCell{3, 14}));
    EXPECT_EQ(gridMoveByKey(kKeyUp, {2, 1}, {2, 1}, 3, 14, kModori).target, (GridCell{2, 14}));
}

TEST(KeySwitches, OnlyTheValueOneCountsAsOn) {
    ControlSettings control;
    control.keyAction = {0, 1, 2, -1, 1};
    KeyActions a = keyActionsOf(control);
    EXPECT_TRUE(a.wrapLeftToPreviousRow);
    EXPECT_FALSE(a.wrapUpToLastRow);
    EXPECT_FALSE(a.wrapDownToFirstRow);
    EXPECT_TRUE(a.verticalToColumnOne);
}

TEST(LegacyKeyCode, MapsTheNavigationKeys) {
    EXPECT_EQ(legacyKeyCode(Qt::Key_Return), kKeyEnter);
    EXPECT_EQ(legacyKeyCode(Qt::Key_Enter), kKeyEnter);
    EXPECT_EQ(legacyKeyCode(Qt::Key_Escape), kKeyEscape);
    EXPECT_EQ(legacyKeyCode(Qt::Key_Left), kKeyLeft);
    EXPECT_EQ(legacyKeyCode(Qt::Key_Up), kKeyUp);
    EXPECT_EQ(legacyKeyCode(Qt::Key_Right), kKeyRight);
    EXPECT_EQ(legacyKeyCode(Qt::Key_Down), kKeyDown);
    EXPECT_EQ(legacyKeyCode(Qt::Key_A), kKeyNone);
    EXPECT_EQ(legacyKeyCode(Qt::Key_Tab), kKeyNone);
}

} // namespace
