// Makes sure a Qt GUI application object exists for chart tests that draw or measure text.
//
// The recording canvas measures text with the real fonts, which needs a QGuiApplication; the first
// test that needs one creates it and later tests reuse it.
#pragma once

#include <QCoreApplication>
#include <QGuiApplication>

namespace testing_support {

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "test_chart";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

}  // namespace testing_support
