#pragma once
#include <QString>

namespace k5 {

// Appends one entry to the trace file: the message in double quotes followed
// by CR LF, in CP932. The file is opened and closed for every entry so that
// it is complete even when the program stops abruptly. An empty path or an
// unwritable file writes nothing: the trace never influences behaviour.
void writeTrace(const QString& traceFile, const QString& message);

} // namespace k5
