// TTemporaryChange: the value holds for the scope, and the old one comes back on every way out.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/core/TemporaryChange.h"

namespace {

TEST(TemporaryChangeTest, PutsTheOldValueBackOnEveryWayOut) {
  bool flag = false;
  {
    const fw::TTemporaryChange change(flag, true);
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(flag);

  std::string text = "old";
  EXPECT_THROW(
      {
        const fw::TTemporaryChange change(text, std::string("new"));
        EXPECT_EQ(text, "new");
        throw std::runtime_error("fails");
      },
      std::runtime_error);
  EXPECT_EQ(text, "old");

  // Nested changes unwind in order: each restores what it found, not a fixed value.
  int depth = 0;
  {
    const fw::TTemporaryChange outer(depth, 1);
    {
      const fw::TTemporaryChange inner(depth, 2);
      EXPECT_EQ(depth, 2);
    }
    EXPECT_EQ(depth, 1);
  }
  EXPECT_EQ(depth, 0);
}

}  // namespace
