#pragma once
#include <QGuiApplication>
#include <gtest/gtest.h>

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

// Made before any test runs. A program whose other fixtures make a core
// application in a global environment includes this header first, so that
// the application is a GUI one and the report can draw text.
class GuiApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { ensureGuiApplication(); }
};
inline ::testing::Environment* const kGuiApplication =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

} // namespace k5test
