// A fixture for tests of windows: an application object over the tests' Qt application (off
// screen), with every message box recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/core/MessageBox.h"
#include "framework/widgets/Application.h"
#include "support/GuiTestApp.h"

namespace testing_support {

class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest() {
    EnsureGuiApplication();
    app = std::make_unique<fw::TApplication>(argc_, argv_);
    recorder_ =
        std::make_unique<fw::ScopedMessageBoxPresenter>([this](const fw::MessageBoxRequest& r) {
          boxes.push_back(r);
          return 1;
        });
  }

  ~WidgetTest() override {
    recorder_.reset();
    app.reset();
  }

  std::unique_ptr<fw::TApplication> app;
  std::vector<fw::MessageBoxRequest> boxes;

 private:
  static inline int argc_ = 1;
  static inline char name_[] = "test_framework";
  static inline char* argv_[] = {name_, nullptr};
  std::unique_ptr<fw::ScopedMessageBoxPresenter> recorder_;
};

}  // namespace testing_support
