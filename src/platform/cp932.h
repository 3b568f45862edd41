#pragma once
#include <QByteArray>
#include <QString>

// Text on disk is in the Windows Japanese code page (CP932): the job files,
// masters and archives come from Windows machines and must stay readable there.
namespace k5 {

// Characters CP932 cannot hold become "?".
QByteArray toCp932(const QString& text);
// Bytes that are not valid CP932 become "?"; NUL bytes become blanks.
QString fromCp932(const QByteArray& bytes);

} // namespace k5
