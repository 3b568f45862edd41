#pragma once
#include <QString>

#include <array>

namespace k5 {

struct Folders;

// Program settings kept in the control file of the master folder.
struct ControlSettings {
    QString lastSaveFolder;         // folder of the last archive opened or saved
    std::array<int, 5> keyAction{}; // key-action settings 1..4 (index 0 unused)
    int cancelConfirm = 0;          // 1: input windows ask before cancelling
};

constexpr int kControlRecordLength = 110;
constexpr int kLastFolderWidth = 100; // lastSaveFolder with its "~", in CP932

// The folder as the control file keeps it: itself when it fits its field
// whole with the terminator, otherwise blank.
QString storableFolder(const QString& folder);

// Recreates the control file (settings 0, the current last folder) unless it
// holds at least one record.
void ensureControlFile(const Folders& folders, ControlSettings& control);
void loadControlFile(const Folders& folders, ControlSettings& control);
// False when the file could not be written (it stays as it was).
bool saveControlFile(const Folders& folders, const ControlSettings& control);

} // namespace k5
