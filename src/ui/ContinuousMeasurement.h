// Continuous measurement in the operator window (F6): Measure again as soon as the previous
// profile has been painted.
//
// Every measurement runs on the window's thread from the event loop (a zero-time timer), so
// input and painting go on between exchanges; each exchange blocks the thread for its duration,
// as every exchange does. After a measurement that replaced the profile, the next one waits for
// the chart's next paint (when the chart is not on screen, or no paint comes within
// kPaintWaitMs, it goes on without). A failed measurement keeps the previous profile and the
// run goes on; after kFailuresToStop failed measurements in a row it stops and tells the
// operator once (kStoppedMessage, warning icon). With a limit it stops after that many
// measurements. On a closed channel Start does nothing, as Measure does nothing.
//
//   ui::ContinuousMeasurement live(*form);
//   live.OnStopped = [] { ... };   // stopped by itself: limit reached or failures
//   live.Start();                  // F6 calls Toggle
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

#include "ui/TrabexMain.h"

namespace ui {

inline constexpr char kStoppedMessage[] =
    "Continuous measurement stopped: the scanner gave no valid reply three times in a row.";
inline constexpr int kFailuresToStop = 3;
inline constexpr int kPaintWaitMs = 250;

class ContinuousMeasurement : public QObject {
 public:
  explicit ContinuousMeasurement(TFormS& form);
  ~ContinuousMeasurement() override;

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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Step();
  void Next(bool wait_for_paint);
  void Finish(bool by_failures);
  QWidget* ChartWidget() const;

  TFormS* form_;
  QTimer step_;        // zero-time: the next measurement from the event loop
  QTimer paint_wait_;  // the paint that did not come
  QPointer<QWidget> watched_;
  bool running_ = false;
  bool awaiting_paint_ = false;
  std::optional<long> limit_;
  long measured_ = 0;
  long failed_ = 0;
  int failures_in_row_ = 0;
  bool stopped_by_failures_ = false;
};

}  // namespace ui
