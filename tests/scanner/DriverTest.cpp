// Driver backends other than the serial bridge, and the process-wide driver selection.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "framework/core/MessageBox.h"
#include "scanner/Channel.h"
#include "scanner/D2xxDriver.h"
#include "scanner/DriverSelection.h"
#include "scanner/FrameCodec.h"
#include "scanner/InProcessDriver.h"
#include "scanner/recording/RecordingDriver.h"
#include "scanner/serial/SerialBridgeDriver.h"
#include "scanner/serial/SerialBridgeFallback.h"

namespace scanner {
namespace {

// A stand-in for the vendor library: its entry points record what they were passed. The native
// handle is a pointer above 4 GiB, as a 64-bit library hands out.
struct FakeD2xx {
  static inline std::vector<std::string> calls;
  static inline void* const kNative = reinterpret_cast<void*>(std::uintptr_t{0x7F1234560000});
  static inline void* next_open = kNative;
  static inline Dcb state{};
  static inline CommTimeouts timeouts{};

  static std::string H(void* h) { return h == kNative ? "native" : "other"; }

  static void* CreateFile(const char* name, unsigned long access, unsigned long share, void* sa,
                          unsigned long creation, unsigned long flags, void* tmpl) {
    calls.push_back("CreateFile " + std::string(name) + " " + std::to_string(access) + " " +
                    std::to_string(share) + " " + std::to_string(sa != nullptr) + " " +
                    std::to_string(creation) + " " + std::to_string(flags) + " " +
                    std::to_string(tmpl != nullptr));
    return next_open;
  }
  static int CloseHandle(void* h) {
    calls.push_back("CloseHandle " + H(h));
    return 1;
  }
  static int ReadFile(void* h, void* buffer, unsigned long size, unsigned long* count, void*) {
    calls.push_back("ReadFile " + H(h) + " " + std::to_string(size));
    *static_cast<std::uint8_t*>(buffer) = 0x5C;
    // Writes a 32-bit count, as a library with a 32-bit DWORD does.
    const std::uint32_t one = 1;
    std::memcpy(count, &one, sizeof one);
    return 1;
  }
  static int WriteFile(void* h, void* buffer, unsigned long size, unsigned long* count, void*) {
    calls.push_back("WriteFile " + H(h) + " " + std::to_string(size) + " " +
                    std::to_string(*static_cast<std::uint8_t*>(buffer)));
    *count = size;
    return 1;
  }
  static int Escape(void* h, unsigned long f) {
    calls.push_back("Escape " + H(h) + " " + std::to_string(f));
    return 1;
  }
  static int GetState(void* h, Dcb* d) {
    calls.push_back("GetState " + H(h));
    *d = state;
    return 1;
  }
  static int Purge(void* h, unsigned long f) {
    calls.push_back("Purge " + H(h) + " " + std::to_string(f));
    return 1;
  }
  static int Mask(void* h, unsigned long m) {
    calls.push_back("Mask " + H(h) + " " + std::to_string(m));
    return 1;
  }
  static int SetState(void* h, Dcb* d) {
    calls.push_back("SetState " + H(h) + " " + std::to_string(d->baud_rate));
    state = *d;
    return 1;
  }
  static int Timeouts(void* h, CommTimeouts* t) {
    calls.push_back("Timeouts " + H(h));
    timeouts = *t;
    return 1;
  }
  static int Setup(void* h, unsigned long in, unsigned long out) {
    calls.push_back("Setup " + H(h) + " " + std::to_string(in) + " " + std::to_string(out));
    return 1;
  }
};

class FakeLibrary : public D2xxLibrary {
 public:
  explicit FakeLibrary(std::string missing = "") : missing_(std::move(missing)) {}
  void* Resolve(const char* name, int ordinal) const override {
    const std::map<std::string, std::pair<int, void*>> table = {
        {"FT_W32_CreateFile", {42, reinterpret_cast<void*>(&FakeD2xx::CreateFile)}},
        {"FT_W32_CloseHandle", {43, reinterpret_cast<void*>(&FakeD2xx::CloseHandle)}},
        {"FT_W32_ReadFile", {44, reinterpret_cast<void*>(&FakeD2xx::ReadFile)}},
        {"FT_W32_WriteFile", {45, reinterpret_cast<void*>(&FakeD2xx::WriteFile)}},
        {"FT_W32_EscapeCommFunction", {49, reinterpret_cast<void*>(&FakeD2xx::Escape)}},
        {"FT_W32_GetCommState", {51, reinterpret_cast<void*>(&FakeD2xx::GetState)}},
        {"FT_W32_PurgeComm", {54, reinterpret_cast<void*>(&FakeD2xx::Purge)}},
        {"FT_W32_SetCommMask", {56, reinterpret_cast<void*>(&FakeD2xx::Mask)}},
        {"FT_W32_SetCommState", {57, reinterpret_cast<void*>(&FakeD2xx::SetState)}},
        {"FT_W32_SetCommTimeouts", {58, reinterpret_cast<void*>(&FakeD2xx::Timeouts)}},
        {"FT_W32_SetupComm", {59, reinterpret_cast<void*>(&FakeD2xx::Setup)}},
    };
    auto it = table.find(name);
    if (it == table.end() || name == missing_) return nullptr;
    // Names and ordinals must agree: the Windows loader goes by ordinal.
    return it->second.first == ordinal ? it->second.second : nullptr;
  }

 private:
  std::string missing_;
};

class D2xxDriverTest : public ::testing::Test {
 protected:
  D2xxDriverTest() {
    FakeD2xx::calls.clear();
    FakeD2xx::next_open = FakeD2xx::kNative;
    FakeD2xx::state = DefaultDcb();
    ScannerHandle = 0;
  }
  ~D2xxDriverTest() override { ScannerHandle = 0; }
};

TEST_F(D2xxDriverTest, ChannelRunsThroughTheLibraryEntryPoints) {
  auto driver = D2xxDriver::Load(std::make_unique<FakeLibrary>());
  ASSERT_TRUE(driver);
  ScopedDriver scope(std::move(driver));

  ASSERT_TRUE(OpenScanner());
  // The 64-bit library handle is replaced by a small 32-bit handle of the driver's own.
  EXPECT_EQ(ScannerHandle, 1u);
  SendCommand(5);
  std::uint8_t byte = 0;
  EXPECT_TRUE(ReadScannerByte(byte));
  EXPECT_EQ(byte, 0x5C);
  CloseScanner();

  const std::vector<std::string> expected = {
      "CreateFile D2XX Recovery PID for XP 3221225472 0 0 3 130 0",
      "Setup native 32 32",
      "Purge native 15",
      "Mask native 5",
      "Timeouts native",
      "GetState native",
      "SetState native 921600",
      "Purge native 3",
      "WriteFile native 1 32",
      "WriteFile native 1 128",
      "WriteFile native 1 128",
      "WriteFile native 1 133",
      "WriteFile native 1 192",
      "WriteFile native 1 135",
      "WriteFile native 1 128",
      "ReadFile native 1",
      "Escape native 8",
      "CloseHandle native",
  };
  EXPECT_EQ(FakeD2xx::calls, expected);
  EXPECT_EQ(FakeD2xx::timeouts, (CommTimeouts{50, 50, 1000, 50, 1}));
}

TEST_F(D2xxDriverTest, FailedOpenAndUnknownHandles) {
  auto driver = D2xxDriver::Load(std::make_unique<FakeLibrary>());
  ASSERT_TRUE(driver);
  for (std::uintptr_t failure : {~std::uintptr_t{0}, std::uintptr_t{0}}) {
    FakeD2xx::next_open = reinterpret_cast<void*>(failure);
    EXPECT_EQ(driver->CreateFile("x", 0, 0, nullptr, 3, 2, nullptr), kInvalidHandle);
  }
  FakeD2xx::calls.clear();
  std::uint8_t byte = 0;
  std::uint32_t count = 9;
  EXPECT_FALSE(driver->ReadFile(1, &byte, 1, &count, nullptr));
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(driver->CloseHandle(1));
  EXPECT_FALSE(driver->EscapeCommFunction(kInvalidHandle, kSetBreak));
  // Nothing reached the library with a handle it never gave.
  EXPECT_TRUE(FakeD2xx::calls.empty());
}

TEST_F(D2xxDriverTest, IncompleteOrAbsentLibraryIsNotUsed) {
  EXPECT_FALSE(D2xxDriver::Load(std::make_unique<FakeLibrary>("FT_W32_SetupComm")));
  EXPECT_FALSE(D2xxDriver::Load(nullptr));
  EXPECT_FALSE(OpenD2xxLibrary("/nonexistent/libftd2xx.so"));
}

// A small in-process device that echoes what is written, for the bookkeeping of the base class.
class EchoDevice : public InProcessDriver {
 public:
  std::vector<std::uint32_t> purges;
  std::vector<bool> breaks;

 protected:
  void OnWrite(std::span<const std::uint8_t> bytes) override {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  }
  std::size_t OnRead(std::span<std::uint8_t> out) override {
    std::size_t n = 0;
    while (n < out.size() && !pending_.empty()) {
      out[n++] = pending_.front();
      pending_.pop_front();
    }
    return n;
  }
  void OnPurge(std::uint32_t flags) override { purges.push_back(flags); }
  void OnBreak(bool on) override { breaks.push_back(on); }

 private:
  std::deque<std::uint8_t> pending_;
};

TEST(InProcessDriverTest, ChannelOpensConfiguresAndTalksToTheDevice) {
  ScannerHandle = 0;
  auto owned = std::make_unique<EchoDevice>();
  EchoDevice* device = owned.get();
  ScopedDriver scope(std::move(owned));

  ASSERT_TRUE(OpenScanner());
  EXPECT_TRUE(device->is_open());
  EXPECT_EQ(device->handle(), ScannerHandle);
  EXPECT_EQ(device->settings().baud_rate, 921600u);
  EXPECT_EQ(device->settings().xon_char, 0x11);  // kept from what the device reported
  EXPECT_EQ(device->timeouts(), (CommTimeouts{50, 50, 1000, 50, 1}));
  EXPECT_EQ(device->event_mask(), 5u);

  // The device echoes the request; read back as a reply it is a 0-length frame whose "checksum"
  // bytes are the code and the checksum's first two groups, so it does not check out.
  SendCommand(5);
  std::uint16_t length = 1;
  ReplyBytes buffer{};
  EXPECT_FALSE(ReceiveReply(length, buffer));
  EXPECT_EQ(length, 0);
  std::uint8_t byte = 0;
  EXPECT_TRUE(ReadScannerByte(byte));  // the last checksum byte is still there
  EXPECT_EQ(byte, 0x80);
  EXPECT_FALSE(ReadScannerByte(byte));  // nothing left: a time-out at once

  // One open handle at a time; a closed handle is refused.
  const FtHandle first = ScannerHandle;
  EXPECT_EQ(device->CreateFile("x", 0, 0, nullptr, 3, 2, nullptr), kInvalidHandle);
  CloseScanner();
  EXPECT_EQ(device->breaks, std::vector<bool>{true});
  EXPECT_EQ(device->purges, (std::vector<std::uint32_t>{15, 3}));
  EXPECT_FALSE(device->is_open());
  EXPECT_FALSE(device->PurgeComm(first, 3));
  const FtHandle second = device->CreateFile("x", 0, 0, nullptr, 3, 2, nullptr);
  EXPECT_NE(second, first);
  EXPECT_FALSE(device->break_on());
}

TEST(DriverSelectionTest, ScopedDriverInstallsAndRestores) {
  auto outer = std::make_unique<RecordingDriver>();
  FtdiDriver* outer_ptr = outer.get();
  ScopedDriver outer_scope(std::move(outer));
  EXPECT_EQ(&Driver(), outer_ptr);
  {
    auto inner = std::make_unique<RecordingDriver>();
    FtdiDriver* inner_ptr = inner.get();
    ScopedDriver inner_scope(std::move(inner));
    EXPECT_EQ(&Driver(), inner_ptr);
  }
  EXPECT_EQ(&Driver(), outer_ptr);
}

// Without the vendor library the default is the serial bridge; without a bridge attached, the
// open fails and the operator is told once.
TEST(DriverSelectionTest, DefaultWithoutTheVendorLibraryIsTheSerialBridge) {
  if (OpenD2xxLibrary(DefaultD2xxLibraryFile())) GTEST_SKIP() << "the D2XX library is installed";
  if (FindSerialPortByDescription(kScannerDescription)) GTEST_SKIP() << "a scanner is attached";
  UseSerialBridgeFallback();
  ScopedDriver none(nullptr);
  EXPECT_NE(dynamic_cast<SerialBridgeDriver*>(&Driver()), nullptr);

  int boxes = 0;
  fw::ScopedMessageBoxPresenter presenter([&](const fw::MessageBoxRequest&) { return ++boxes; });
  ScannerHandle = 0;
  EXPECT_FALSE(OpenScanner());
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(ScannerHandle, 0u);
}

}  // namespace
}  // namespace scanner
