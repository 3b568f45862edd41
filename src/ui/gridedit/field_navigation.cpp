#include "ui/gridedit/field_navigation.h"

#include "ui/gridedit/key_codes.h"

namespace k5 {

std::optional<int> nextFieldPlace(int keyCode, int current, int first, int last,
                                  const std::function<bool(int place)>& usable) {
    int step = 0;
    if (keyCode == kKeyEnter || keyCode == kKeyDown) step = 1;
    if (keyCode == kKeyUp) step = -1;
    if (step == 0 || first > last) return std::nullopt;
    int place = current;
    // One pass over the range at most: the field that received the key is
    // normally usable and ends the search, but a range that does not hold it
    // (or whose fields all sit on a hidden tab) must not search forever.
    for (int tries = last - first + 1; tries > 0; --tries) {
        place += step;
        if (place < first || place > last) place = step > 0 ? first : last;
        if (usable(place)) return place;
    }
    return std::nullopt;
}

int listIndexAfterArrow(int keyCode, int index, int itemCount) {
    if (keyCode == kKeyUp && index == -1 && itemCount > 0) return 0;
    return index;
}

int swallowEnterEscape(int charCode) {
    return charCode == kKeyEnter || charCode == kKeyEscape ? 0 : charCode;
}

} // namespace k5
