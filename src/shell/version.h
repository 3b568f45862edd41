#pragma once
#include <QString>

namespace k5 {

inline constexpr const char* kVersion = "3.00";
inline constexpr const char* kRevision = "17110401";

// "KAMO-K5(基礎の設計) ver3.00": the main window's title.
inline QString programTitle() {
    return QStringLiteral("KAMO-K5") + QStringLiteral("(基礎の設計) ver") + QString::fromLatin1(kVersion);
}

} // namespace k5
