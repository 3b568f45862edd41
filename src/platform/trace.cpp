#include "platform/trace.h"

#include "platform/cp932.h"

#include <QFile>

namespace k5 {

void writeTrace(const QString& traceFile, const QString& message) {
    if (traceFile.isEmpty()) return;
    QFile file(traceFile);
    if (!file.open(QIODevice::Append)) return;
    QByteArray entry = "\"" + toCp932(message) + "\"\r\n";
    file.write(entry);
}

} // namespace k5
