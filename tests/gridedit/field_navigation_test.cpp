#include "ui/gridedit/field_navigation.h"
#include "ui/gridedit/key_codes.h"

#include <gtest/gtest.h>
#include <set>

using namespace k5;

namespace {

struct PlaceCase {
    const char* name;
    int key, current, first, last;
    std::set<int> unusable;
    std::optional<int> expected;
};

const PlaceCase kCases[] = {
    {"enter goes to the next place", kKeyEnter, 3, 1, 5, {}, 4},
    {"down goes to the next place", kKeyDown, 3, 1, 5, {}, 4},
    {"up goes to the previous place", kKeyUp, 3, 1, 5, {}, 2},
    {"enter in the last place wraps to the tab's first", kKeyEnter, 25, 1, 25, {}, 1},
    {"up in the first place wraps to the tab's last", kKeyUp, 26, 26, 39, {}, 39},
    {"unusable places are skipped forwards", kKeyEnter, 2, 1, 6, {3, 4}, 5},
    {"unusable places are skipped backwards", kKeyUp, 5, 1, 6, {3, 4}, 2},
    {"skipping wraps too", kKeyDown, 5, 1, 6, {6, 1}, 2},
    {"the only usable field gets the focus again", kKeyEnter, 3, 1, 5, {1, 2, 4, 5}, 3},
    {"other keys do nothing", kKeyLeft, 3, 1, 5, {}, std::nullopt},
    {"letters do nothing", 65, 3, 1, 5, {}, std::nullopt},
    // A current place outside the range enters it instead of running through other tabs.
    {"outside the range forwards", kKeyEnter, 30, 1, 25, {}, 1},
    {"outside the range backwards", kKeyUp, 30, 1, 25, {}, 25},
    {"below the range backwards", kKeyUp, 0, 26, 39, {}, 39},
    // Every field of the range unusable (a tab that is not shown): one pass, then give up.
    {"nothing usable outside the range", kKeyEnter, 30, 1, 5, {1, 2, 3, 4, 5}, std::nullopt},
    {"nothing usable inside the range", kKeyUp, 3, 1, 5, {1, 2, 3, 4, 5}, std::nullopt},
    {"empty range", kKeyEnter, 1, 5, 4, {}, std::nullopt},
};

TEST(NextFieldPlace, WrapsInsideTheRangeAndSkipsUnusableFields) {
    for (const PlaceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        int calls = 0;
        auto usable = [&](int place) {
            ++calls;
            return !c.unusable.count(place);
        };
        EXPECT_EQ(nextFieldPlace(c.key, c.current, c.first, c.last, usable), c.expected);
        EXPECT_LE(calls, std::max(0, c.last - c.first + 1));
    }
}

TEST(ListIndexAfterArrow, KeepsTheItemExceptUpOnNoItem) {
    const struct {
        int key, index, count, expected;
    } cases[] = {
        {kKeyDown, 2, 5, 2}, {kKeyUp, 2, 5, 2},      {kKeyDown, 0, 5, 0},  {kKeyUp, 0, 5, 0},
        {kKeyDown, 4, 5, 4}, {kKeyUp, 4, 5, 4},      {kKeyUp, -1, 5, 0},   {kKeyDown, -1, 5, -1},
        {kKeyUp, -1, 0, -1}, {kKeyEnter, -1, 5, -1}, {kKeyEnter, 3, 5, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(listIndexAfterArrow(c.key, c.index, c.count), c.expected)
            << c.key << " " << c.index << " " << c.count;
}

TEST(SwallowEnterEscape, CancelsOnlyEnterAndEscape) {
    EXPECT_EQ(swallowEnterEscape(13), 0);
    EXPECT_EQ(swallowEnterEscape(27), 0);
    for (int code : {0, 8, 9, 10, 32, 48, 65, 0x3042})
        EXPECT_EQ(swallowEnterEscape(code), code);
}

} // namespace
