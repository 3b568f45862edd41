#pragma once
#include <QString>

namespace k5 {

struct ControlSettings;
struct Folders;

// The grid key behaviour. The values live in ControlSettings::keyAction[1..4]
// (one place for the run); the control file stores all four, the key-action
// file the first three, and the key-action file wins at start-up and each
// time a grid window becomes active.
enum KeyActionSetting : int {
    kWrapLeftToPreviousRow = 1,            // ← in column 1 goes to the last column of the previous row
    kWrapUpToLastRow = 2,          // ↑ on row 1 (and ← in the first cell) goes to the last row
    kWrapDownToFirstRow = 3,          // ↓ on the last row (and →/Enter in the last cell) goes to row 1
    kVerticalToColumnOne = 4, // ↑ and ↓ also go to column 1
};

// The four switches as the move rules read them: a setting is on only when it is 1.
struct KeyActions {
    bool wrapLeftToPreviousRow = false;
    bool wrapUpToLastRow = false;
    bool wrapDownToFirstRow = false;
    bool verticalToColumnOne = false;
};
KeyActions keyActionsOf(const ControlSettings& control);

// "keyact.k5d" in the master folder. The file has always been opened by the
// path ../../MAS/keyact.k5d relative to the current directory, which is the
// program's PRG folder; start-up already derived the master folder from that
// same current directory, so resolving it there names the same file without
// depending on the current directory later in the run.
QString keyActionFilePath(const Folders& folders);

// Creates the file with three zeros (and sets the three settings to 0) when
// it is missing or empty.
void ensureKeyActionFile(const Folders& folders, ControlSettings& control);
// Reads the three settings from the file (recreating a missing or empty file).
void loadKeyActions(const Folders& folders, ControlSettings& control);
// Writes the three settings to the file, " 0" or " 1" per line, CR LF ended;
// the file is replaced only once the new content is complete.
bool saveKeyActions(const Folders& folders, const ControlSettings& control);

} // namespace k5
