#include "jobdata/control_file.h"

#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "platform/record_file.h"
#include "shell/app_context.h"

#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

bool hasRecord(const QString& path) {
    QFileInfo info(path);
    return info.isFile() && cInt(static_cast<double>(info.size()) / kControlRecordLength) >= 1;
}

void recreate(AppContext& ctx) {
    QFile::remove(ctx.folders.controlFile());
    ctx.control.keyAction = {};
    ctx.control.cancelConfirm = 0;
    saveControlFile(ctx);
}

} // namespace

void ensureControlFile(AppContext& ctx) {
    if (!hasRecord(ctx.folders.controlFile())) recreate(ctx);
}

void loadControlFile(AppContext& ctx) {
    if (!hasRecord(ctx.folders.controlFile())) {
        recreate(ctx);
        return;
    }
    RecordFile file(ctx.folders.controlFile(), kControlRecordLength);
    if (!file.openReadOnly()) return;
    RecordReader r(file.read(1));
    ctx.control.lastSaveFolder = decodeField(r.bytes(0, 100));
    for (int i = 1; i <= 4; ++i)
        ctx.control.keyAction[i] = r.int16(100 + 2 * (i - 1));
    ctx.control.cancelConfirm = r.int16(108);
}

void saveControlFile(AppContext& ctx) {
    RecordFile file(ctx.folders.controlFile(), kControlRecordLength);
    if (!file.open()) return;
    RecordWriter w(kControlRecordLength);
    w.putBytes(0, encodeField(ctx.control.lastSaveFolder, 100, Terminator::Tilde));
    for (int i = 1; i <= 4; ++i)
        w.putInt16(100 + 2 * (i - 1), ctx.control.keyAction[i]);
    w.putInt16(108, ctx.control.cancelConfirm);
    file.write(1, w.bytes());
}

} // namespace k5
