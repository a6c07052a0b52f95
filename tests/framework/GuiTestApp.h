// Makes sure a Qt application object exists for tests that draw or measure text.
//
// Every suite in this folder shares one process, so the first test that needs Qt creates the
// application (a QApplication, since the suite links the widgets) and later ones reuse it.
#pragma once

#include <QApplication>
#include <QCoreApplication>

namespace testing_support {

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "test_framework";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
}

}  // namespace testing_support
