// Makes sure a Qt application object exists for chart tests that draw or measure text.
//
// The recording canvas measures text with the real fonts, which needs a QGuiApplication; the chart
// in a window needs widgets, so the application made here is a QApplication. The first test that
// needs one creates it and later tests reuse it (one made elsewhere is left alone). The
// one made here is deleted by the test program's global tear-down, before static destruction, so
// that Qt's clean-up routines run while Qt's own globals still exist.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace testing_support {

class GuiAppEnvironment : public ::testing::Environment {
 public:
  static QGuiApplication*& App() {
    static QGuiApplication* app = nullptr;
    return app;
  }
  void TearDown() override {
    delete App();
    App() = nullptr;
  }
};

inline ::testing::Environment* const kGuiAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiAppEnvironment);

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "test_chart";
  static char* argv[] = {name, nullptr};
  GuiAppEnvironment::App() = new QApplication(argc, argv);
}

}  // namespace testing_support
