// Opening the bridge by its USB serial number: the channel's calls reach the driver unchanged,
// except that its open by description becomes an open by that serial number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/MessageBox.h"
#include "scanner/BySerialNumberDriver.h"
#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/recording/RecordingDriver.h"

namespace scanner {
namespace {

TEST(BySerialNumberDriver, TheChannelsSequenceIsKeptWithTheOpenBySerialNumber) {
  auto recording = std::make_unique<RecordingDriver>();
  RecordingDriver* inner = recording.get();
  inner->QueueOpenResult(7);
  ScopedDriver scope(std::make_unique<BySerialNumberDriver>(std::move(recording), "FT5XQ770"));
  ScannerHandle = 0;
  ASSERT_TRUE(OpenScanner());
  WriteScannerByte(0x20);
  std::uint8_t byte = 0;
  EXPECT_FALSE(ReadScannerByte(byte));
  PurgeScanner(kPurgeTxAbort | kPurgeRxAbort);
  CloseScanner();
  // Access, sharing, creation mode and the normal-attributes flag stay; 0x01 replaces 0x02.
  EXPECT_EQ(inner->Log(), (std::vector<std::string>{
                              "CreateFile(\"FT5XQ770\", 0xC0000000, 0, null, 3, 0x81, null)",
                              "SetupComm(7, 32, 32)",
                              "PurgeComm(7, 15)",
                              "SetCommMask(7, 5)",
                              "SetCommTimeouts(7, {50, 50, 1000, 50, 1})",
                              "GetCommState(7, dcb)",
                              "SetCommState(7, dcb)",
                              "WriteFile(7, {20}, 1, count, null)",
                              "ReadFile(7, buf, 1, count, null)",
                              "PurgeComm(7, 3)",
                              "EscapeCommFunction(7, 8)",
                              "CloseHandle(7)",
                          }));
}

TEST(BySerialNumberDriver, ABridgeThatIsNotThereFailsTheOpenAsBefore) {
  auto recording = std::make_unique<RecordingDriver>();
  recording->QueueOpenResult(kInvalidHandle);
  ScopedDriver scope(std::make_unique<BySerialNumberDriver>(std::move(recording), "FT0"));
  int boxes = 0;
  fw::ScopedMessageBoxPresenter presenter([&](const fw::MessageBoxRequest& r) {
    EXPECT_EQ(r.text, kOpenFailedMessage);
    return ++boxes;
  });
  ScannerHandle = 0;
  EXPECT_FALSE(OpenScanner());
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(ScannerHandle, 0u);
}

}  // namespace
}  // namespace scanner
