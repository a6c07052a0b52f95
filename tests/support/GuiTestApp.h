// Makes sure a Qt application object exists for tests that draw or measure text.
//
// Every suite of a test program shares one process, so the first test that needs Qt creates the
// application (a QApplication: the programs that use this link the widgets) and later ones reuse
// it; an application someone else made is left alone. The one made here is deleted when the test
// program's global tear-down runs, before static destruction: Qt's clean-up routines must run
// while Qt's own globals still exist.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

namespace testing_support {

class GuiAppEnvironment : public ::testing::Environment {
 public:
  static QApplication*& App() {
    static QApplication* app = nullptr;
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
  static char name[] = "qx770-tests";
  static char* argv[] = {name, nullptr};
  GuiAppEnvironment::App() = new QApplication(argc, argv);
}

}  // namespace testing_support
