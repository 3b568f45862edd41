#pragma once
#include <QString>

namespace k5 {

struct AppContext;

// The question every cancel button of an input or settings window asks when
// the setting cancelConfirm is 1: Yes discards the window's changes, No keeps
// it open. Returns whether the window may close (at once when the setting is off).
bool confirmCancel(AppContext& ctx);

// The cancel-confirmation setting as stored in the control file: the file is
// read again (other settings may have been written since), and the key-action
// file is read after it so its three values keep winning, as at start-up.
int loadCancelConfirm(AppContext& ctx);
// Stores the setting (1 ask, 0 do not) in the control file; the file keeps its
// other settings as they were. A file that cannot be written is reported and
// stays as it was.
bool saveCancelConfirm(AppContext& ctx, int value);

// The message when a job's file name cannot name an archive file, empty when
// it can. The file name becomes the name of the job's archive, so it may not
// hold a path separator, a character file systems refuse (: * ? " < > |) or
// a control character.
QString fileNameProblem(const QString& fileName);

} // namespace k5
