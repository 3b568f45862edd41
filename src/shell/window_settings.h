#pragma once
#include <optional>

namespace k5 {

struct Folders;

// The size the user last gave the main window, kept between runs in a small
// settings file of the program's own beside the masters ("k5window.txt",
// lines "key=value"); the control file keeps its fixed format.
struct WindowSize {
    int width = 0;
    int height = 0;
};
std::optional<WindowSize> readMainWindowSize(const Folders& folders);
// Replaces the settings file (a failure leaves the old one; the size is a
// convenience, so the caller need not tell the user).
bool saveMainWindowSize(const Folders& folders, WindowSize size);

} // namespace k5
