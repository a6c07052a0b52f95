// The scanner channel over the recording double: a RecordingDriver installed as the channel's
// driver, and a channel handle as if OpenScanner had succeeded (0: the channel is closed). The
// driver before it comes back when this goes, and the handle returns to 0.
//
// The one place the scanner test kit names the recording double.
#pragma once

#include <memory>

#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/recording/RecordingDriver.h"

namespace scanner_test {

class RecordingChannel {
 public:
  explicit RecordingChannel(scanner::FtHandle handle) {
    auto owned = std::make_unique<scanner::RecordingDriver>();
    driver_ = owned.get();
    scope_ = std::make_unique<scanner::ScopedDriver>(std::move(owned));
    scanner::ScannerHandle = handle;
  }
  ~RecordingChannel() { scanner::ScannerHandle = 0; }
  RecordingChannel(const RecordingChannel&) = delete;
  RecordingChannel& operator=(const RecordingChannel&) = delete;

  scanner::RecordingDriver* driver() const { return driver_; }

 private:
  scanner::RecordingDriver* driver_ = nullptr;
  std::unique_ptr<scanner::ScopedDriver> scope_;
};

}  // namespace scanner_test
