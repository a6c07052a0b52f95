#include <gtest/gtest.h>

#include <vector>

#include "framework/core/MessageBox.h"

namespace {

TEST(MessageBox, ScopedPresenterSeesEveryBoxAndIsRestored) {
  std::vector<fw::MessageBoxRequest> outer;
  fw::ScopedMessageBoxPresenter keepOuter([&](const fw::MessageBoxRequest& r) {
    outer.push_back(r);
    return 1;
  });
  {
    std::vector<fw::MessageBoxRequest> inner;
    fw::ScopedMessageBoxPresenter keepInner([&](const fw::MessageBoxRequest& r) {
      inner.push_back(r);
      return 7;
    });
    EXPECT_EQ(fw::ApplicationMessageBox("Error.", "", fw::MB_ICONWARNING), 7);
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_EQ(inner[0].text, "Error.");
    EXPECT_EQ(inner[0].caption, "");
    EXPECT_EQ(inner[0].flags, 48u);
  }
  EXPECT_EQ(fw::ApplicationMessageBox("second", "", 0), 1);
  ASSERT_EQ(outer.size(), 1u);
  EXPECT_EQ(outer[0].text, "second");
}

}  // namespace
