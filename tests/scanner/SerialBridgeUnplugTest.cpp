// A serial bridge whose device goes away in the middle of a reply: the far end of a
// pseudo-terminal closes as an unplugged USB bridge would. The read ends at once instead of
// waiting out the time-outs, and the driver reports the disconnection once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/serial/SerialBridgeDriver.h"

namespace scanner {
namespace {

// The application the serial bridge needs, and a pseudo-terminal standing for the scanner's
// port: its master side (-1 when none could be opened); ptsname gives the port.
int OpenPseudoTerminal() {
  static int argc = 1;
  static char name[] = "test_scanner";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return -1;
  return master;
}

TEST(SerialBridgeUnplug, AReadEndsAtOnceAndTheDisconnectionIsReportedOnce) {
  const int master = OpenPseudoTerminal();
  ASSERT_GE(master, 0);
  const std::string path = ptsname(master);

  std::vector<std::string> reported;
  SetSerialBridgeDisconnectHandler([&](const std::string& p) { reported.push_back(p); });
  auto owned = std::make_unique<SerialBridgeDriver>(path);
  SerialBridgeDriver* bridge = owned.get();
  ScopedDriver scope(std::move(owned));
  ScannerHandle = 0;
  ASSERT_TRUE(OpenScanner());
  EXPECT_FALSE(bridge->disconnected());

  // Half a reply arrives, then the device goes.
  const std::uint8_t part[] = {0x20, 0x00, 0x10};
  ASSERT_EQ(write(master, part, sizeof part), static_cast<ssize_t>(sizeof part));
  std::uint8_t byte = 0;
  for (std::uint8_t expected : part) {
    ASSERT_TRUE(ReadScannerByte(byte));
    EXPECT_EQ(byte, expected);
  }
  std::thread unplug([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    close(master);
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ReadScannerByte(byte));
  const double waited =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  unplug.join();
  // Far less than the 1050 ms a silent scanner would cost.
  EXPECT_LT(waited, 0.9);
  EXPECT_TRUE(bridge->disconnected());
  EXPECT_FALSE(ReadScannerByte(byte));
  WriteScannerByte(0x20);
  EXPECT_EQ(reported, std::vector<std::string>{path});

  CloseScanner();
  SetSerialBridgeDisconnectHandler(nullptr);
}

// A write goes straight to the system's driver when nothing is queued: a device that has gone
// refuses it there, and the write fails with nothing written and the disconnection reported.
TEST(SerialBridgeUnplug, AWriteToAPortThatHasGoneFailsAndIsReported) {
  const int master = OpenPseudoTerminal();
  ASSERT_GE(master, 0);
  const std::string path = ptsname(master);
  std::vector<std::string> reported;
  SetSerialBridgeDisconnectHandler([&](const std::string& p) { reported.push_back(p); });
  SerialBridgeDriver bridge(path);
  const FtHandle handle =
      bridge.CreateFile(kScannerDescription, kGenericRead | kGenericWrite, 0, nullptr,
                        kOpenExisting, kFileAttributeNormal | kOpenByDescription, nullptr);
  ASSERT_NE(handle, kInvalidHandle);

  // While the device is there, each byte is written at once and arrives.
  const std::uint8_t request[] = {0x20, 0x81, 0x80, 0x85};
  for (std::uint8_t byte : request) {
    std::uint32_t count = 0;
    EXPECT_TRUE(bridge.WriteFile(handle, &byte, 1, &count, nullptr));
    EXPECT_EQ(count, 1u);
  }
  std::uint8_t got[sizeof request] = {};
  std::size_t have = 0;
  for (int tries = 0; tries < 100 && have < sizeof got; ++tries) {
    const ssize_t n = read(master, got + have, sizeof got - have);
    if (n > 0) have += static_cast<std::size_t>(n);
  }
  ASSERT_EQ(have, sizeof got);
  EXPECT_TRUE(std::equal(std::begin(request), std::end(request), got));

  close(master);
  const std::uint8_t byte = 0x20;
  std::uint32_t count = 7;
  EXPECT_FALSE(bridge.WriteFile(handle, &byte, 1, &count, nullptr));
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(bridge.disconnected());
  EXPECT_FALSE(bridge.WriteFile(handle, &byte, 1, &count, nullptr));
  EXPECT_EQ(reported, std::vector<std::string>{path});
  bridge.CloseHandle(handle);
  SetSerialBridgeDisconnectHandler(nullptr);
}

}  // namespace
}  // namespace scanner
