// Continuous measurement in the operator window (F6): Measure again as soon as the previous
// profile has been painted.
//
// Every measurement runs on the window's thread from the event loop (a zero-time timer), so
// input and painting go on between exchanges; each exchange blocks the thread for its duration,
// as every exchange does. After a measurement that replaced the profile, the chart paints what
// its repaint request asked for at once (as the next paint message would; a chart that is not on
// screen paints nothing), and only then is the next measurement posted: the profile is shown
// without a round through the event loop for the paint alone. A failed measurement keeps the
// previous profile and the run goes on; after kFailuresToStop failed measurements in a row it
// stops and tells the operator once (kStoppedMessage, warning icon). With a limit it stops after
// that many measurements. On a closed channel Start does nothing, as Measure does nothing.
//
//   ui::ContinuousMeasurement live(*form);
//   live.OnStopped = [] { ... };   // stopped by itself: limit reached or failures
//   live.Start();                  // F6 calls Toggle
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

#include "ui/TrabexMain.h"

namespace ui {

inline constexpr char kStoppedMessage[] =
    "Continuous measurement stopped: the scanner gave no valid reply three times in a row.";
inline constexpr int kFailuresToStop = 3;

class ContinuousMeasurement : public QObject {
 public:
  explicit ContinuousMeasurement(TFormS& form);

  // Starts when the channel is open and it is not running; answers whether it runs.
  bool Start();
  void Stop();
  void Toggle();
  bool running() const { return running_; }

  // Stop after this many measurements of a run (none: run until stopped).
  void SetLimit(std::optional<long> count) { limit_ = count; }
  // Measurements of the current (or last) run, and how many of them failed.
  long measured() const { return measured_; }
  long failed() const { return failed_; }
  // Whether the last run ended on kFailuresToStop failures in a row.
  bool stopped_by_failures() const { return stopped_by_failures_; }

  // Called when a run ends by itself (limit reached, or failures), after the message.
  std::function<void()> OnStopped;

 private:
  void Step();
  // Paints a replaced profile, then posts the next measurement.
  void Next(bool plotted);
  void Finish(bool by_failures);

  TFormS* form_;
  QTimer step_;  // zero-time: the next measurement from the event loop
  bool running_ = false;
  std::optional<long> limit_;
  long measured_ = 0;
  long failed_ = 0;
  int failures_in_row_ = 0;
  bool stopped_by_failures_ = false;
};

}  // namespace ui
