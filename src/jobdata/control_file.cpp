#include "jobdata/control_file.h"

#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

bool hasRecord(const QString& path) {
    QFileInfo info(path);
    return info.isFile() && cInt(static_cast<double>(info.size()) / kControlRecordLength) >= 1;
}

void recreate(const Folders& folders, ControlSettings& control) {
    control.keyAction = {};
    control.cancelConfirm = 0;
    saveControlFile(folders, control);
}

} // namespace

void ensureControlFile(const Folders& folders, ControlSettings& control) {
    if (!hasRecord(folders.controlFile())) recreate(folders, control);
}

void loadControlFile(const Folders& folders, ControlSettings& control) {
    if (!hasRecord(folders.controlFile())) {
        recreate(folders, control);
        return;
    }
    RecordFile file(folders.controlFile(), kControlRecordLength);
    if (!file.openReadOnly()) return;
    RecordReader r(file.read(1));
    control.lastSaveFolder = decodeField(r.bytes(0, kLastFolderWidth));
    for (int i = 1; i <= 4; ++i)
        control.keyAction[i] = r.int16(100 + 2 * (i - 1));
    control.cancelConfirm = r.int16(108);
}

QString storableFolder(const QString& folder) {
    // A folder cut short, or with characters the code page cannot hold, would
    // name another folder or none: such a path is not kept, and the next
    // archive command starts from the save folder.
    if (toCp932(folder).size() >= kLastFolderWidth) return {};
    const QByteArray field = encodeField(folder, kLastFolderWidth, Terminator::Tilde);
    return decodeField(field) == folder ? folder : QString();
}

bool saveControlFile(const Folders& folders, const ControlSettings& control) {
    RecordWriter w(kControlRecordLength);
    w.putBytes(0, encodeField(storableFolder(control.lastSaveFolder), kLastFolderWidth, Terminator::Tilde));
    for (int i = 1; i <= 4; ++i)
        w.putInt16(100 + 2 * (i - 1), control.keyAction[i]);
    w.putInt16(108, control.cancelConfirm);
    return replaceLeadingRecords(folders.controlFile(), kControlRecordLength, {w.bytes()});
}

} // namespace k5
