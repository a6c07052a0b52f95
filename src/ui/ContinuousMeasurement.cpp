#include "ui/ContinuousMeasurement.h"

#include "framework/core/ErrorReport.h"
#include "framework/core/MessageBox.h"
#include "scanner/Channel.h"
#include "scanner/ScannerCommands.h"

namespace ui {

ContinuousMeasurement::ContinuousMeasurement(TFormS& form) : form_(&form) {
  step_.setSingleShot(true);
  step_.setInterval(0);
  connect(&step_, &QTimer::timeout, this, [this] { fw::InvokeHandler([this] { Step(); }); });
}

bool ContinuousMeasurement::Start() {
  if (running_) return true;
  if (!scanner::ScannerIsOpen()) return false;
  running_ = true;
  measured_ = 0;
  failed_ = 0;
  failures_in_row_ = 0;
  stopped_by_failures_ = false;
  Next(false);
  return true;
}

void ContinuousMeasurement::Stop() {
  running_ = false;
  step_.stop();
}

void ContinuousMeasurement::Toggle() {
  if (running_) {
    Stop();
  } else {
    Start();
  }
}

void ContinuousMeasurement::Next(bool plotted) {
  // A failed measurement changed nothing on the chart: there is nothing to paint.
  if (plotted) form_->ChartOscilloscope->Update();
  step_.start();
}

void ContinuousMeasurement::Step() {
  if (!running_) return;
  // The channel closes only with the window; a run then simply ends.
  if (!scanner::ScannerIsOpen()) {
    Stop();
    return;
  }
  const bool plotted =
      scanner::MeasureProfile(form_->SeriesOsc) == scanner::MeasureResult::kPlotted;
  ++measured_;
  if (plotted) {
    failures_in_row_ = 0;
  } else {
    ++failed_;
    ++failures_in_row_;
  }
  if (failures_in_row_ >= kFailuresToStop) {
    Finish(true);
  } else if (limit_ && measured_ >= *limit_) {
    Finish(false);
  } else {
    Next(plotted);
  }
}

void ContinuousMeasurement::Finish(bool by_failures) {
  Stop();
  stopped_by_failures_ = by_failures;
  // Stopped before the box: its own message loop must not measure on.
  if (by_failures) fw::ApplicationMessageBox(kStoppedMessage, "", fw::MB_ICONWARNING);
  if (OnStopped) OnStopped();
}

}  // namespace ui
