// The channel against the recording double: what OpenScanner, CloseScanner and the transfers ask
// of the driver, in which order and with which arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/MessageBox.h"
#include "scanner/Channel.h"
#include "support/RecordingChannel.h"

namespace scanner {
namespace {

using Op = RecordingDriver::Op;

const std::string kCreate =
    "CreateFile(\"D2XX Recovery PID for XP\", 0xC0000000, 0, null, 3, 0x82, null)";

std::vector<std::string> ConfigureCalls(FtHandle h) {
  const std::string n = std::to_string(h);
  return {"SetupComm(" + n + ", 32, 32)", "PurgeComm(" + n + ", 15)",
          "SetCommMask(" + n + ", 5)",    "SetCommTimeouts(" + n + ", {50, 50, 1000, 50, 1})",
          "GetCommState(" + n + ", dcb)", "SetCommState(" + n + ", dcb)"};
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class ChannelTest : public ::testing::Test {
 protected:
  scanner_test::RecordingChannel channel_{0};
  RecordingDriver* driver_ = channel_.driver();
  std::vector<fw::MessageBoxRequest> boxes_;
  fw::ScopedMessageBoxPresenter presenter_{[this](const fw::MessageBoxRequest& r) {
    boxes_.push_back(r);
    return 1;
  }};
};

TEST_F(ChannelTest, OpenCallsTheDriverInOrderWithItsArguments) {
  driver_->QueueOpenResult(0x1234);
  EXPECT_TRUE(OpenScanner());
  EXPECT_EQ(driver_->Log(), Concat({kCreate}, ConfigureCalls(0x1234)));
  EXPECT_EQ(ScannerHandle, 0x1234u);
  EXPECT_TRUE(ScannerIsOpen());
  EXPECT_EQ(ScannerTimeouts, (CommTimeouts{50, 50, 1000, 50, 1}));
  EXPECT_TRUE(boxes_.empty());
}

// The record handed back keeps every field the program does not set exactly as the driver
// reported it; the set fields get the scanner's line settings.
TEST_F(ChannelTest, OpenOverwritesOnlyTheLineSettings) {
  Dcb all_ones;
  all_ones.length = 99;
  all_ones.baud_rate = 300;
  all_ones.flags = 0xFFFFFFFFu;
  all_ones.reserved = 0xABCD;
  all_ones.xon_limit = 1234;
  all_ones.xoff_limit = 4321;
  all_ones.byte_size = 7;
  all_ones.parity = kEvenParity;
  all_ones.stop_bits = kTwoStopBits;
  all_ones.xon_char = 'a';
  all_ones.xoff_char = 'b';
  all_ones.error_char = 'c';
  all_ones.eof_char = 'd';
  all_ones.event_char = 'e';
  all_ones.reserved1 = 0x5A5A;
  const Dcb zeros{};

  for (const Dcb& reported : {all_ones, zeros}) {
    driver_->ClearAll();
    driver_->comm_state = reported;
    ScannerHandle = 0;
    ASSERT_TRUE(OpenScanner());

    Dcb expected = reported;
    expected.length = 28;
    expected.baud_rate = 921600;
    expected.flags = (reported.flags & 0xFFFF8000u) | 1u;
    expected.byte_size = 8;
    expected.parity = 0;
    expected.stop_bits = 0;
    const auto& calls = driver_->calls();
    ASSERT_EQ(calls.back().op, Op::kSetCommState);
    EXPECT_EQ(calls.back().settings, expected);
    EXPECT_EQ(ScannerSettings, expected);
    EXPECT_EQ(dcb::DtrControl(expected), 0u);
    EXPECT_EQ(dcb::RtsControl(expected), 0u);
  }
}

TEST_F(ChannelTest, FailedOpenTellsTheOperatorOnceAndStaysClosed) {
  driver_->QueueOpenResult(kInvalidHandle);
  EXPECT_FALSE(OpenScanner());
  EXPECT_EQ(ScannerHandle, 0u);
  EXPECT_FALSE(ScannerIsOpen());
  EXPECT_EQ(driver_->Log(), std::vector<std::string>{kCreate});
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Error.");
  EXPECT_EQ(boxes_[0].caption, "");
  EXPECT_EQ(boxes_[0].flags, 48u);
}

TEST_F(ChannelTest, CloseOnAClosedChannelCallsNothing) {
  for (FtHandle closed : {FtHandle{0}, kInvalidHandle}) {
    ScannerHandle = closed;
    EXPECT_FALSE(ScannerIsOpen());
    CloseScanner();
    EXPECT_EQ(ScannerHandle, 0u);
  }
  EXPECT_TRUE(driver_->calls().empty());
}

TEST_F(ChannelTest, CloseSetsBreakThenClosesTheHandle) {
  driver_->QueueOpenResult(7);
  ASSERT_TRUE(OpenScanner());
  driver_->ClearLog();
  CloseScanner();
  EXPECT_EQ(driver_->Log(),
            (std::vector<std::string>{"EscapeCommFunction(7, 8)", "CloseHandle(7)"}));
  EXPECT_EQ(ScannerHandle, 0u);
}

TEST_F(ChannelTest, SecondOpenSetsBreakAndClosesTheOldHandleFirst) {
  driver_->QueueOpenResult(7);
  driver_->QueueOpenResult(9);
  ASSERT_TRUE(OpenScanner());
  driver_->ClearLog();
  ASSERT_TRUE(OpenScanner());
  EXPECT_EQ(driver_->Log(),
            Concat({"EscapeCommFunction(7, 8)", "CloseHandle(7)", kCreate}, ConfigureCalls(9)));
  EXPECT_EQ(ScannerHandle, 9u);
}

TEST_F(ChannelTest, SecondOpenThatFailsLeavesTheChannelClosed) {
  driver_->QueueOpenResult(7);
  driver_->QueueOpenResult(kInvalidHandle);
  ASSERT_TRUE(OpenScanner());
  driver_->ClearLog();
  EXPECT_FALSE(OpenScanner());
  EXPECT_EQ(driver_->Log(),
            (std::vector<std::string>{"EscapeCommFunction(7, 8)", "CloseHandle(7)", kCreate}));
  EXPECT_EQ(ScannerHandle, 0u);
  EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(ChannelTest, OpenWithAnInvalidHandleLeftOverTouchesNoOldHandle) {
  ScannerHandle = kInvalidHandle;
  ASSERT_TRUE(OpenScanner());
  EXPECT_EQ(driver_->Log().front(), kCreate);
}

TEST_F(ChannelTest, ConfigurationResultsAreIgnored) {
  for (Op op : {Op::kSetupComm, Op::kPurgeComm, Op::kSetCommMask, Op::kSetCommTimeouts,
                Op::kGetCommState, Op::kSetCommState}) {
    driver_->SetResult(op, false);
  }
  driver_->QueueOpenResult(3);
  EXPECT_TRUE(OpenScanner());
  EXPECT_EQ(driver_->Log(), Concat({kCreate}, ConfigureCalls(3)));
  EXPECT_EQ(ScannerHandle, 3u);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ChannelTest, TransfersUseTheCurrentHandleOneByteEach) {
  ScannerHandle = 5;
  PurgeScanner(3);
  WriteScannerByte(0x41);
  driver_->QueueBytes({0x99});
  std::uint8_t byte = 0;
  EXPECT_TRUE(ReadScannerByte(byte));
  EXPECT_EQ(byte, 0x99);
  EXPECT_EQ(driver_->Log(),
            (std::vector<std::string>{"PurgeComm(5, 3)", "WriteFile(5, {41}, 1, count, null)",
                                      "ReadFile(5, buf, 1, count, null)"}));
}

// Only the read count tells whether a byte came; the boolean result plays no part.
TEST_F(ChannelTest, ReadGoesByTheCountOnly) {
  ScannerHandle = 5;
  driver_->SetResult(Op::kReadFile, false);
  driver_->QueueBytes({0x12});
  std::uint8_t byte = 0;
  EXPECT_TRUE(ReadScannerByte(byte));
  EXPECT_EQ(byte, 0x12);

  driver_->SetResult(Op::kReadFile, true);
  driver_->QueueTimeout();
  byte = 0x77;
  EXPECT_FALSE(ReadScannerByte(byte));
  EXPECT_EQ(byte, 0x77);
}

}  // namespace
}  // namespace scanner
