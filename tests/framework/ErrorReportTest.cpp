// The event boundary and the default error report.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "framework/core/Conversions.h"
#include "framework/core/ErrorReport.h"
#include "framework/core/Exceptions.h"
#include "framework/core/MessageBox.h"

namespace {

struct Recorded {
  std::vector<fw::MessageBoxRequest> boxes;
  fw::ScopedMessageBoxPresenter presenter{[this](const fw::MessageBoxRequest& r) {
    boxes.push_back(r);
    return 1;
  }};
};

TEST(ErrorReport, HandlerErrorsAreShownWithTheirTextAndGoNoFurther) {
  struct Case {
    std::function<void()> handler;
    std::string text;
  };
  const std::vector<Case> cases = {
      {[] { fw::StrToInt("abc"); }, "'abc' is not a valid integer value"},
      {[] { throw std::runtime_error("disk on fire"); }, "disk on fire"},
      {[] { throw 42; }, "An unexpected error occurred."},
  };
  for (const Case& c : cases) {
    Recorded rec;
    EXPECT_FALSE(fw::InvokeHandler(c.handler));
    ASSERT_EQ(rec.boxes.size(), 1u) << c.text;
    EXPECT_EQ(rec.boxes[0].text, c.text);
    EXPECT_EQ(rec.boxes[0].caption, "");
    EXPECT_EQ(rec.boxes[0].flags, fw::MB_OK | fw::MB_ICONERROR);
  }
}

TEST(ErrorReport, AHandlerThatEndsNormallyReportsNothing) {
  Recorded rec;
  int runs = 0;
  EXPECT_TRUE(fw::InvokeHandler([&] { ++runs; }));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(rec.boxes.empty());
}

TEST(ErrorReport, AnInstalledReporterTakesOverAndAFailingOneIsContained) {
  Recorded rec;
  std::vector<std::string> seen;
  auto previous =
      fw::SetExceptionReporter([&](std::exception_ptr e) { seen.push_back(fw::ExceptionText(e)); });
  fw::InvokeHandler([] { throw fw::EListError("List index out of bounds (3)"); });
  EXPECT_EQ(seen, (std::vector<std::string>{"List index out of bounds (3)"}));
  EXPECT_TRUE(rec.boxes.empty());

  fw::SetExceptionReporter([](std::exception_ptr) { throw std::runtime_error("reporter broke"); });
  EXPECT_FALSE(fw::InvokeHandler([] { throw std::runtime_error("first"); }));  // must not escape

  fw::SetExceptionReporter(std::move(previous));
  fw::InvokeHandler([] { throw std::runtime_error("back to default"); });
  ASSERT_EQ(rec.boxes.size(), 1u);
  EXPECT_EQ(rec.boxes[0].text, "back to default");
}

}  // namespace
