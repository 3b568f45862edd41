#pragma once
#include <QGuiApplication>

namespace k5test {

// Fonts and painting need an application object; one lives for the whole
// test program (QT_QPA_PLATFORM=offscreen needs no display).
inline void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_report";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace k5test
