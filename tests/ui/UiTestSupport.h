// Support for the operator window's tests: the requests read back from the bytes the window
// wrote, and a fixture that creates TFormS from its compiled-in description over a given driver.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "framework/WidgetTestSupport.h"
#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "ui/TrabexMain.h"

namespace ui_test {

// One request frame as the scanner would read it: the code and the data bytes.
struct Request {
  int code = 0;
  std::vector<int> data;
  friend bool operator==(const Request&, const Request&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Request& r) {
    os << "code " << r.code << " {";
    for (std::size_t i = 0; i < r.data.size(); ++i) os << (i ? ", " : "") << r.data[i];
    return os << "}";
  }
};

inline Request Param(int parameter, int value) {
  return Request{3, {parameter, value}};
}
inline Request Measure() {
  return Request{5, {}};
}

// Splits the written bytes into request frames (start byte, 14-bit count in two 7-bit groups,
// code, data, three checksum bytes). A byte stream that is not a sequence of whole frames fails
// the test.
inline std::vector<Request> Requests(const std::vector<std::uint8_t>& bytes) {
  std::vector<Request> out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    EXPECT_EQ(bytes[i], 0x20) << "no start byte at " << i;
    if (bytes.size() - i < 7) {
      ADD_FAILURE() << "frame cut short at " << i;
      break;
    }
    const std::size_t count = (bytes[i + 1] & 0x7F) | ((bytes[i + 2] & 0x7F) << 7);
    Request r;
    r.code = bytes[i + 3] & 0x7F;
    if (bytes.size() - i < 7 + count) {
      ADD_FAILURE() << "frame data cut short at " << i;
      break;
    }
    for (std::size_t k = 0; k < count; ++k) r.data.push_back(bytes[i + 4 + k] & 0x7F);
    out.push_back(r);
    i += 7 + count;
  }
  return out;
}

// An application with recorded message boxes, `driver` installed as the scanner driver, and the
// main window created from its description (which opens the channel through the driver).
class FormSTest : public testing_support::WidgetTest {
 protected:
  void CreateWindow(std::unique_ptr<scanner::FtdiDriver> driver) {
    app->SetTitle(ui::kApplicationTitle);
    scopedDriver_ = std::make_unique<scanner::ScopedDriver>(std::move(driver));
    ui::RegisterFormSClasses();
    form = app->CreateForm<ui::TFormS>(ui::FormSDescription());
  }

  ~FormSTest() override {
    // The channel is process-wide: leave it closed for the next test, through the driver it was
    // opened with.
    if (scanner::ScannerIsOpen()) scanner::CloseScanner();
    scopedDriver_.reset();
  }

  ui::TFormS* form = nullptr;

 private:
  std::unique_ptr<scanner::ScopedDriver> scopedDriver_;
};

}  // namespace ui_test
