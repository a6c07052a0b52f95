// The operator window's flows against the recording driver: what each operator action sends to
// the scanner, what it does to the chart's series and what the operator is told.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "framework/core/ErrorReport.h"
#include "framework/core/MessageBox.h"
#include "framework/widgets/UserInput.h"
#include "scanner/recording/RecordingDriver.h"
#include "sim/Qx770Device.h"

namespace {

using scanner::RecordingDriver;
using ui_test::Measure;
using ui_test::Param;
using ui_test::Request;
using ui_test::Requests;
using Reqs = std::vector<Request>;

struct Point {
  double x, y;
  friend bool operator==(const Point&, const Point&) = default;
};

class FormSFlow : public ui_test::FormSTest {
 protected:
  // Creates the window over a recording driver; a failed open when `opens` is false.
  void Start(bool opens = true) {
    auto recording = std::make_unique<RecordingDriver>();
    driver = recording.get();
    if (!opens) driver->QueueOpenResult(scanner::kInvalidHandle);
    CreateWindow(std::move(recording));
  }

  // Queues the scanner's profile reply to the next measurement.
  void QueueProfile(std::uint8_t counter, const std::vector<sim::RawPoint>& points) {
    const auto frame =
        sim::Qx770Device::ReplyFrame(sim::Qx770Device::ProfilePayload(counter, points));
    driver->QueueBytes(std::span<const std::uint8_t>(frame));
  }

  static std::vector<Point> Points(const tee::TPointSeries& series) {
    std::vector<Point> out;
    for (int i = 0; i < series.Count(); ++i) out.push_back({series.XValue(i), series.YValue(i)});
    return out;
  }

  Reqs Sent() const { return Requests(driver->written()); }

  RecordingDriver* driver = nullptr;
};

TEST_F(FormSFlow, StartUpSendsTheIntensityAndThenParameterZeroAndNothingElse) {
  Start();
  EXPECT_TRUE(scanner::ScannerIsOpen());
  EXPECT_EQ(Sent(), (Reqs{Param(5, 25), Param(0, 1)}));
  // Showing the window and handling what is waiting sends nothing more.
  form->Show();
  app->ProcessMessages();
  EXPECT_EQ(Sent(), (Reqs{Param(5, 25), Param(0, 1)}));
  EXPECT_TRUE(form->CheckBox1->Checked());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FormSFlow, ChoosingAnItemSendsItsIntensityOnce) {
  Start();
  driver->ClearLog();
  fw::PickItem(*form->ComboBoxIn, 20);
  EXPECT_EQ(form->ComboBoxIn->Text(), "30");
  EXPECT_EQ(Sent(), (Reqs{Param(5, 30)}));
}

TEST_F(FormSFlow, EachKeystrokeSendsTheTextSoFar) {
  Start();
  driver->ClearLog();
  fw::SelectAllText(*form->ComboBoxIn);
  fw::TypeText(*form->ComboBoxIn, "15");
  EXPECT_EQ(Sent(), (Reqs{Param(5, 1), Param(5, 15)}));
}

TEST_F(FormSFlow, SwitchingTheLaserSendsItsStateAndEmptiesTheRedSeries) {
  Start();
  QueueProfile(1, {{100, 200}, {300, -400}});
  fw::ClickButton(*form->Button1);
  ASSERT_EQ(form->SeriesOsc->Count(), 2);
  driver->ClearLog();

  fw::ClickButton(*form->CheckBox1);
  EXPECT_FALSE(form->CheckBox1->Checked());
  EXPECT_EQ(Sent(), (Reqs{Param(1, 0)}));
  EXPECT_EQ(form->SeriesOsc->Count(), 0);

  QueueProfile(2, {{100, 200}});
  fw::ClickButton(*form->Button1);
  ASSERT_EQ(form->SeriesOsc->Count(), 1);
  driver->ClearLog();
  fw::ClickButton(*form->CheckBox1);
  EXPECT_TRUE(form->CheckBox1->Checked());
  EXPECT_EQ(Sent(), (Reqs{Param(1, 1)}));
  EXPECT_EQ(form->SeriesOsc->Count(), 0);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FormSFlow, TextThatIsNoIntegerShowsTheConversionErrorAndSendsNothing) {
  Start();
  driver->ClearLog();
  fw::SelectAllText(*form->ComboBoxIn);
  fw::TypeText(*form->ComboBoxIn, "x");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "'x' is not a valid integer value");
  EXPECT_EQ(form->ComboBoxIn->Text(), "x");
  EXPECT_TRUE(driver->calls().empty());
  // The window goes on: the next valid text is sent.
  fw::SelectAllText(*form->ComboBoxIn);
  fw::TypeText(*form->ComboBoxIn, "7");
  EXPECT_EQ(Sent(), (Reqs{Param(5, 7)}));
}

// The intensity goes out only from 0 to 127: a data byte carries seven bits on the wire, and the
// low eight bits of a larger number are not what the operator typed.
TEST_F(FormSFlow, IntensityOutsideZeroTo127IsRefusedWithAMessageAndNotSent) {
  Start();
  struct Case {
    const char* text;
    bool sent;
    int value;
  };
  const Case cases[] = {{"0", true, 0},     {"127", true, 127},  {"$7F", true, 127},
                        {" +42", true, 42}, {"128", false, 128}, {"300", false, 300},
                        {"-1", false, -1},  {"256", false, 256}, {"2147483647", false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    driver->ClearLog();
    boxes.clear();
    form->ComboBoxIn->SetText(c.text);
    fw::InvokeHandler([&] { form->ComboBoxInChange(form->ComboBoxIn); });
    if (c.sent) {
      EXPECT_EQ(Sent(), (Reqs{Param(5, c.value)}));
      EXPECT_TRUE(boxes.empty());
    } else {
      EXPECT_TRUE(driver->calls().empty());
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].text.find("between 0 and 127"), std::string::npos) << boxes[0].text;
      EXPECT_EQ(boxes[0].caption, "");
      EXPECT_EQ(boxes[0].flags, fw::MB_ICONWARNING);
    }
  }
  // Typed by the operator: "3" and "30" go out, "300" is refused.
  driver->ClearLog();
  boxes.clear();
  fw::SelectAllText(*form->ComboBoxIn);
  fw::TypeText(*form->ComboBoxIn, "300");
  EXPECT_EQ(Sent(), (Reqs{Param(5, 3), Param(5, 30)}));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "The laser intensity must be between 0 and 127; 300 is not sent to the scanner.");
}

TEST_F(FormSFlow, AfterAFailedOpenTheControlsSayNotOpenAndNothingReachesTheDriver) {
  Start(/*opens=*/false);
  EXPECT_FALSE(scanner::ScannerIsOpen());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Error.");
  EXPECT_TRUE(driver->written().empty());
  driver->ClearLog();
  boxes.clear();

  const fw::MessageBoxRequest notOpen{"Error.\nUSB not open.", "", 48};
  auto expectNotOpen = [&](std::size_t count) {
    ASSERT_EQ(boxes.size(), count);
    for (const auto& b : boxes) {
      EXPECT_EQ(b.text, notOpen.text);
      EXPECT_EQ(b.caption, notOpen.caption);
      EXPECT_EQ(b.flags, notOpen.flags);
    }
  };
  fw::ClickButton(*form->CheckBox1);
  EXPECT_FALSE(form->CheckBox1->Checked());  // the box keeps its new state
  fw::ClickButton(*form->CheckBox1);
  expectNotOpen(2);
  fw::PickItem(*form->ComboBoxIn, 0);
  fw::SelectAllText(*form->ComboBoxIn);
  fw::TypeText(*form->ComboBoxIn, "12");
  expectNotOpen(5);
  fw::ClickButton(*form->Button1);
  fw::ClickButton(*form->Button1);
  expectNotOpen(5);  // Measure does nothing, not even a message

  form->Show();
  EXPECT_TRUE(fw::CloseWindow(*form));
  EXPECT_TRUE(driver->calls().empty()) << ::testing::PrintToString(driver->Log());
}

TEST_F(FormSFlow, ClosingTheWindowClosesTheChannel) {
  Start();
  driver->ClearLog();
  form->Show();
  EXPECT_TRUE(fw::CloseWindow(*form));
  EXPECT_FALSE(scanner::ScannerIsOpen());
  EXPECT_EQ(driver->Count(RecordingDriver::Op::kCloseHandle), 1u);
  EXPECT_TRUE(driver->written().empty());
}

TEST_F(FormSFlow, MeasuringAgainReplacesTheProfileAndTheGreenSeriesStaysEmpty) {
  Start();
  driver->ClearLog();
  // Y = A * 75000 / 4096 and X = B * 30000 / 4096, truncated; the series keeps X ascending.
  QueueProfile(1, {{4096, 2048}, {2048, -4096 + 1}, {1024, 0}});
  fw::ClickButton(*form->Button1);
  EXPECT_EQ(Points(*form->SeriesOsc),
            (std::vector<Point>{{-29992, 37500}, {0, 18750}, {15000, 75000}}));
  EXPECT_EQ(form->SeriesOsc->XLabel(1), "0");
  EXPECT_EQ(form->SeriesOsc->ValueColor(0), fw::clRed);
  EXPECT_EQ(form->Series1->Count(), 0);

  QueueProfile(2, {{409, 409}});
  fw::ClickButton(*form->Button1);
  EXPECT_EQ(Points(*form->SeriesOsc), (std::vector<Point>{{2995, 7489}}));
  EXPECT_EQ(form->Series1->Count(), 0);
  EXPECT_EQ(Sent(), (Reqs{Measure(), Measure()}));

  // No reply: the chart keeps the profile and the operator is told nothing.
  fw::ClickButton(*form->Button1);
  EXPECT_EQ(Points(*form->SeriesOsc), (std::vector<Point>{{2995, 7489}}));
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
