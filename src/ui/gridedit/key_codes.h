#pragma once

namespace k5 {

// The key codes the navigation rules are written in (the classic virtual-key
// numbers), so the rules stay plain functions that tests can drive with
// numbers. `legacyKeyCode` maps a Qt key to them.
enum KeyCode : int {
    kKeyNone = 0,
    kKeyEnter = 13,
    kKeyEscape = 27,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
};

// The code of a Qt::Key (Return and the keypad Enter both give kKeyEnter);
// kKeyNone for every key the navigation does not know.
int legacyKeyCode(int qtKey);

} // namespace k5
