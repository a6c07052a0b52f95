// What the program qx770-demo adds to the operator window from its command line: the keys (F5,
// F6, Ctrl+S), continuous measurement (--live, --count), the shown profile as CSV (--csv), and the
// scanner driver for --replay and --record.
//
// Off-screen (no one can answer a file dialog) Ctrl+S saves the profile to the --csv file and the
// chart beside it with the extension .png; without --csv it says on standard error that nothing
// was saved.
#pragma once

#include <QEventLoop>
#include <memory>
#include <ostream>
#include <string>

#include "scanner/FtdiDriver.h"
#include "sim/ExchangeRecorder.h"
#include "ui/ContinuousMeasurement.h"
#include "ui/OperatorKeys.h"
#include "ui/ProgramOptions.h"
#include "ui/TrabexMain.h"

namespace ui {

struct DemoDriver {
  std::unique_ptr<scanner::FtdiDriver> driver;  // nullptr: the channel's default
  const sim::ExchangeRecorder* recorder = nullptr;
  std::string error;  // the sentence when the driver cannot be made
};

// The simulator, the serial bridge, the replay of a recording or (nullptr) the default; wrapped
// in an ExchangeRecorder with --record.
DemoDriver MakeDemoDriver(const DemoOptions& options);

class LiveWindow {
 public:
  LiveWindow(TFormS& form, const DemoOptions& options, std::ostream& err);
  ~LiveWindow();

  ContinuousMeasurement& live() { return *live_; }
  OperatorKeys& keys() { return *keys_; }

  // --live: starts continuous measurement with the --count limit.
  void StartLive();
  // --live with --count: starts it and handles messages until it has stopped.
  void RunLive();
  // Writes the --csv file (once); false, after a sentence on `err`, when it cannot be written.
  bool WriteCsv();
  // The exit status once the window is done: `status`, or 1 (after a sentence) when the --csv
  // file cannot be written or, with --screenshot, the live run did not take its measurements.
  int Finish(int status);

 private:
  TFormS* form_;
  const DemoOptions* options_;
  std::ostream* err_;
  std::unique_ptr<ContinuousMeasurement> live_;
  std::unique_ptr<OperatorKeys> keys_;
  QEventLoop* waiting_ = nullptr;
  bool live_started_ = false;
  bool csv_written_ = false;
  bool csv_good_ = false;
};

}  // namespace ui
