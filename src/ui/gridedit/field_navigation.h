#pragma once
#include <functional>
#include <optional>

namespace k5 {

// Keyboard movement between the input fields of a form. The fields of a form
// form a focus list (places 1..n); each tab of the form owns a range of
// places. Enter and ↓ go to the next usable place, ↑ to the previous one,
// wrapping inside the range so the focus never leaves the tab.

// The place the focus goes to from `current` for the key, inside first..last,
// skipping places for which `usable` is false (hidden or disabled fields).
// nullopt for a key other than Enter, ↓ and ↑, for an empty range, and when
// one full pass over the range finds no usable place. A current place outside
// the range enters it at its first place (forwards) or its last (backwards).
std::optional<int> nextFieldPlace(int keyCode, int current, int first, int last,
                                  const std::function<bool(int place)>& usable);

// The chosen item of a list field after ↑ or ↓ was pressed in it: the arrows
// move between fields, not between items, so the item stays; the one exception,
// kept from the original behaviour, is that ↑ in a list without a chosen item
// (-1) chooses the first one. Other keys leave the index as it is.
int listIndexAfterArrow(int keyCode, int index, int itemCount);

// The character a field receives: Enter (13) and Esc (27) become 0 (nothing),
// so they neither reach the field nor beep; every other code passes.
int swallowEnterEscape(int charCode);

} // namespace k5
