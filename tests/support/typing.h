#pragma once
#include "jobdata/foundation_record.h"
#include "jobdata/record_layout.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <span>

namespace k5test {

// Types `keys` into `window` as a fast typist does, without any pause: each
// key goes through the window to whichever field has the focus at that moment,
// as the keys of a real keyboard do. "\n" is Enter, "\t" Tab; other characters
// are ASCII keys.
inline void typeAtFullSpeed(QWidget* window, const QString& keys) {
    QWindow* handle = window->windowHandle();
    for (QChar c : keys) {
        if (c == u'\n')
            QTest::keyClick(handle, Qt::Key_Return);
        else if (c == u'\t')
            QTest::keyClick(handle, Qt::Key_Tab);
        else
            QTest::keyClick(handle, c.toLatin1());
    }
}

// Ctrl+Tab: the next tab of a tab widget holding the focus.
inline void nextTab(QWidget* window) {
    QTest::keyClick(window->windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
}

// A value typed into one field of an input window, and where the record keeps it.
struct TypedValue {
    const char* field; // objectName; empty for a field passed with Enter alone
    const char* text;
    float stored = 0; // 0: not compared
    int data1 = -1;   // the data1 index, or else the data2 row and column
    int row = 0, column = 0;
    float storedIn(const k5::FoundationRecord& r) const {
        return data1 >= 0 ? r.data1[static_cast<size_t>(data1)]
                          : r.data2[static_cast<size_t>(row)][static_cast<size_t>(column)];
    }
};

// The keys that type each value, each followed by Enter.
inline QString keysOf(std::span<const TypedValue> values) {
    QString keys;
    for (const TypedValue& v : values)
        keys += QString::fromUtf8(v.text) + u'\n';
    return keys;
}

// The first field whose stored value is not the one typed; empty when all are.
inline QString wronglyStored(const k5::FoundationRecord& r, std::span<const TypedValue> values) {
    for (const TypedValue& v : values)
        if (v.stored != 0 && v.storedIn(r) != v.stored) return QString::fromUtf8(v.field);
    return {};
}

// The loads in the Enter order both input windows share, each a value of its own.
inline constexpr TypedValue kTypedLoads[] = {
    {"Text長軸力", "1501", 1501, -1, k5::row::N, 1},    {"Text短X軸力", "1502", 1502, -1, k5::row::N, 3},
    {"Text短Y軸力", "1503", 1503, -1, k5::row::N, 4},   {"Text長Xモーメント", "11", 11, -1, k5::row::M, 1},
    {"Text長Yモーメント", "12", 12, -1, k5::row::M, 2}, {"Text短Xモーメント", "13", 13, -1, k5::row::M, 3},
    {"Text短Yモーメント", "14", 14, -1, k5::row::M, 4}, {"Text長X水平力", "21", 21, -1, k5::row::H, 1},
    {"Text長Y水平力", "22", 22, -1, k5::row::H, 2},     {"Text短X水平力", "23", 23, -1, k5::row::H, 3},
    {"Text短Y水平力", "24", 24, -1, k5::row::H, 4},
};

// The detail tab after its bearing value: the materials, the rebar lists
// (passed with Enter) and the bar rules.
inline constexpr TypedValue kTypedDetails[] = {
    {"Text_Fc", "27", 27, k5::field::Fc},
    {"Text_Wc", "23", 23, k5::field::Wc},
    {"Text_Ws", "19", 19, k5::field::Ws},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"Text_edgx", "71", 71, k5::field::edgx},
    {"Text_nx", "12", 12, k5::field::nx},
    {"Text_pitchx", "201", 201, k5::field::pitchx},
    {"Text_edgy", "72", 72, k5::field::edgy},
    {"Text_ny", "13", 13, k5::field::ny},
    {"Text_pitchy", "202", 202, k5::field::pitchy},
};

} // namespace k5test
