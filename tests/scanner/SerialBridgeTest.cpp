// The serial bridge over a real pseudo-terminal pair: the slave side plays the bridge's serial
// port, the test holds the master side and plays the scanner.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <string>
#include <vector>

#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/FrameCodec.h"
#include "scanner/serial/SerialBridgeDriver.h"
#include "support/ScannerFrames.h"

namespace scanner {
namespace {

using Bytes = std::vector<std::uint8_t>;

class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
      slave_path_ = ptsname(master_);
    }
  }
  ~PseudoTerminal() {
    if (master_ >= 0) close(master_);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool ok() const { return !slave_path_.empty(); }
  const std::string& slave_path() const { return slave_path_; }
  int master() const { return master_; }

  void Write(const Bytes& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
  }

  // Reads until `count` bytes came or nothing came for `quiet_ms`.
  Bytes Read(std::size_t count, int quiet_ms = 2000) const {
    Bytes got;
    while (got.size() < count) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, quiet_ms) <= 0) break;
      std::uint8_t chunk[256];
      const ssize_t n = read(master_, chunk, sizeof chunk);
      if (n <= 0) break;
      got.insert(got.end(), chunk, chunk + n);
    }
    return got;
  }

  termios Settings() const {
    termios t{};
    tcgetattr(master_, &t);  // on Linux the master reports the slave's settings
    return t;
  }

 private:
  int master_ = -1;
  std::string slave_path_;
};

class SerialBridgeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The serial port wants an event dispatcher on its thread, though nothing runs it here.
    static int argc = 1;
    static char name[] = "test_scanner";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
  }

  SerialBridgeTest() { ScannerHandle = 0; }
  ~SerialBridgeTest() override { ScannerHandle = 0; }

  void UseBridgeOnPty() {
    ASSERT_TRUE(pty_.ok());
    auto owned = std::make_unique<SerialBridgeDriver>(pty_.slave_path());
    bridge_ = owned.get();
    scope_ = std::make_unique<ScopedDriver>(std::move(owned));
  }

  PseudoTerminal pty_;
  SerialBridgeDriver* bridge_ = nullptr;
  std::unique_ptr<ScopedDriver> scope_;
};

TEST_F(SerialBridgeTest, BytesTravelInOrderBothWays) {
  UseBridgeOnPty();
  ASSERT_TRUE(OpenScanner());
  ASSERT_TRUE(ScannerIsOpen());

  SendCommand(5);
  EXPECT_EQ(pty_.Read(7), (Bytes{0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x80}));
  const std::uint8_t data[] = {5, 25};
  SendCommand(3, data);
  EXPECT_EQ(pty_.Read(9), (Bytes{0x20, 0x82, 0x80, 0x83, 0x85, 0x99, 0xB2, 0xB4, 0x82}));

  // Every byte value, one read call each, in order.
  Bytes all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
  pty_.Write(all);
  for (int i = 0; i < 256; ++i) {
    std::uint8_t byte = 0;
    ASSERT_TRUE(ReadScannerByte(byte)) << i;
    ASSERT_EQ(byte, i);
  }

  // A full 440-point reply frame.
  Bytes payload(3 + 4 * 440);
  for (std::size_t i = 0; i < payload.size(); ++i)
    payload[i] = static_cast<std::uint8_t>(i * 37 % 128);
  const Bytes frame = scanner_test::ReplyFrame(payload);
  ASSERT_EQ(frame.size(), 1769u);
  pty_.Write(frame);
  ReplyBytes buffer{};
  std::uint16_t length = 0;
  EXPECT_TRUE(ReceiveReply(length, buffer));
  EXPECT_EQ(length, payload.size());
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), buffer.begin()));

  CloseScanner();
  EXPECT_EQ(ScannerHandle, 0u);
}

// The one test that waits for a real time-out: 50 ms per byte + 1000 ms.
TEST_F(SerialBridgeTest, ReadWithoutDataGivesUpAfterTheTimeouts) {
  UseBridgeOnPty();
  ASSERT_TRUE(OpenScanner());
  std::uint8_t byte = 0x5A;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ReadScannerByte(byte));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  EXPECT_EQ(byte, 0x5A);
  EXPECT_GE(ms, 1050);
  EXPECT_LT(ms, 3000);
  CloseScanner();
}

TEST_F(SerialBridgeTest, SettingsRecordReachesTheLine) {
  UseBridgeOnPty();
  ASSERT_TRUE(OpenScanner());
  termios t = pty_.Settings();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B921600));
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);

  Dcb reported{};
  ASSERT_TRUE(bridge_->GetCommState(ScannerHandle, &reported));
  EXPECT_EQ(reported, ScannerSettings);

  Dcb other = ScannerSettings;
  other.baud_rate = 115200;
  other.stop_bits = kTwoStopBits;
  other.flags |= dcb::kOutX | dcb::kInX;
  other.xon_limit = 77;
  EXPECT_TRUE(bridge_->SetCommState(ScannerHandle, &other));
  t = pty_.Settings();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B115200));
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_NE(t.c_iflag & IXON, 0u);
  ASSERT_TRUE(bridge_->GetCommState(ScannerHandle, &reported));
  EXPECT_EQ(reported, other);

  // A pseudo-terminal always carries 8 data bits without parity: the driver says the settings
  // did not take, and reports what the line really does.
  Dcb seven_even = other;
  seven_even.byte_size = 7;
  seven_even.parity = kEvenParity;
  EXPECT_FALSE(bridge_->SetCommState(ScannerHandle, &seven_even));
  ASSERT_TRUE(bridge_->GetCommState(ScannerHandle, &reported));
  EXPECT_EQ(reported.byte_size, 8);
  EXPECT_EQ(reported.parity, kNoParity);
  CloseScanner();
}

// Abort flags leave received bytes alone; the clear-input flag drops them.
TEST_F(SerialBridgeTest, PurgeClearsOnlyWhatItNames) {
  UseBridgeOnPty();
  ASSERT_TRUE(OpenScanner());
  CommTimeouts quick{0, 0, 100, 0, 0};
  ASSERT_TRUE(bridge_->SetCommTimeouts(ScannerHandle, &quick));

  pty_.Write({'x', 'y'});
  std::uint8_t byte = 0;
  ASSERT_TRUE(ReadScannerByte(byte));
  EXPECT_EQ(byte, 'x');
  PurgeScanner(kPurgeTxAbort | kPurgeRxAbort);
  ASSERT_TRUE(ReadScannerByte(byte));
  EXPECT_EQ(byte, 'y');

  pty_.Write({'p', 'q'});
  usleep(100 * 1000);  // let the terminal layer move the bytes to the slave side
  PurgeScanner(kPurgeRxClear);
  EXPECT_FALSE(ReadScannerByte(byte));
  CloseScanner();
}

TEST_F(SerialBridgeTest, UnknownHandlesAndMissingPortsFail) {
  SerialBridgeDriver bridge;
  EXPECT_EQ(
      bridge.CreateFile("No scanner has this description", kGenericRead | kGenericWrite, 0, nullptr,
                        kOpenExisting, kFileAttributeNormal | kOpenByDescription, nullptr),
      kInvalidHandle);
  EXPECT_FALSE(FindSerialPortByDescription("No scanner has this description"));
  std::uint8_t byte = 0;
  std::uint32_t count = 7;
  EXPECT_FALSE(bridge.ReadFile(1, &byte, 1, &count, nullptr));
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(bridge.WriteFile(1, &byte, 1, &count, nullptr));
  EXPECT_FALSE(bridge.CloseHandle(1));
  EXPECT_FALSE(bridge.PurgeComm(1, 15));

  SerialBridgeDriver on_missing_path("/dev/no-such-serial-port");
  EXPECT_EQ(
      on_missing_path.CreateFile(kScannerDescription, kGenericRead | kGenericWrite, 0, nullptr,
                                 kOpenExisting, kFileAttributeNormal | kOpenByDescription, nullptr),
      kInvalidHandle);
}

}  // namespace
}  // namespace scanner
