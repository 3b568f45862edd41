#pragma once
#include <QString>

#include <optional>

namespace k5 {

struct Folders;

// What the program keeps of its windows between runs, in a small settings
// file of its own beside the masters ("k5window.txt", UTF-8 lines
// "key=value"); the control file keeps its fixed format. Each value is a
// convenience: a failure to write leaves the old file, and the caller need
// not tell the user.

// The size the user last gave the main window.
struct WindowSize {
    int width = 0;
    int height = 0;
};
std::optional<WindowSize> readMainWindowSize(const Folders& folders);
bool saveMainWindowSize(const Folders& folders, WindowSize size);

// The folder an output (the results list's CSV, the DXF schedule) was last
// saved to; empty when none is kept.
QString readLastSaveFolder(const Folders& folders);
bool saveLastSaveFolder(const Folders& folders, const QString& folder);

} // namespace k5
