#pragma once
#include "report/recording_surface.h"

#include <QStringList>

// Reading a recorded page by its 5 mm rows.
namespace k5test {

using RecordedText = k5::report::RecordingSurface::Text;

inline double rowTop(int row, double tableTop = 18) {
    return (row - 1) * 5 + tableTop;
}

// Texts written on the row (raised and lowered parts included), in the order written.
inline QList<RecordedText> textsOnRow(const k5::report::RecordingSurface& s, int row, double tableTop = 18) {
    return s.textsNear(rowTop(row, tableTop), 1.0);
}

inline QStringList stringsOnRow(const k5::report::RecordingSurface& s, int row, double tableTop = 18) {
    QStringList strings;
    for (const RecordedText& t : textsOnRow(s, row, tableTop))
        strings << t.text;
    return strings;
}

// Texts of the row whose left end lies between two column boundaries.
inline QStringList stringsBetween(const k5::report::RecordingSurface& s, int row, double left, double right) {
    QStringList strings;
    for (const RecordedText& t : textsOnRow(s, row))
        if (t.x >= left && t.x < right) strings << t.text;
    return strings;
}

inline const RecordedText* textOnRow(const k5::report::RecordingSurface& s, int row, const QString& text) {
    for (const RecordedText& t : s.texts)
        if (t.text == text && std::abs(t.y - rowTop(row)) <= 1.0) return &t;
    return nullptr;
}

} // namespace k5test
