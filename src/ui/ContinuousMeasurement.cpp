#include "ui/ContinuousMeasurement.h"

#include <QEvent>
#include <QWidget>

#include "framework/core/ErrorReport.h"
#include "framework/core/MessageBox.h"
#include "framework/widgets/WidgetPeer.h"
#include "scanner/Channel.h"
#include "scanner/ScannerCommands.h"

namespace ui {

ContinuousMeasurement::ContinuousMeasurement(TFormS& form) : form_(&form) {
  step_.setSingleShot(true);
  step_.setInterval(0);
  connect(&step_, &QTimer::timeout, this, [this] { fw::InvokeHandler([this] { Step(); }); });
  paint_wait_.setSingleShot(true);
  paint_wait_.setInterval(kPaintWaitMs);
  connect(&paint_wait_, &QTimer::timeout, this, [this] {
    if (!awaiting_paint_) return;
    awaiting_paint_ = false;
    step_.start();
  });
}

ContinuousMeasurement::~ContinuousMeasurement() {
  if (watched_) watched_->removeEventFilter(this);
}

QWidget* ContinuousMeasurement::ChartWidget() const {
  fw::TWidgetPeer* peer = fw::TWidgetPeer::Of(*form_->ChartOscilloscope);
  return peer ? peer->ClientWidget() : nullptr;
}

bool ContinuousMeasurement::Start() {
  if (running_) return true;
  if (!scanner::ScannerIsOpen()) return false;
  QWidget* chart = ChartWidget();
  if (chart != watched_) {
    if (watched_) watched_->removeEventFilter(this);
    watched_ = chart;
    if (watched_) watched_->installEventFilter(this);
  }
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
  awaiting_paint_ = false;
  step_.stop();
  paint_wait_.stop();
}

void ContinuousMeasurement::Toggle() {
  if (running_) {
    Stop();
  } else {
    Start();
  }
}

void ContinuousMeasurement::Next(bool wait_for_paint) {
  const QWidget* chart = watched_;
  if (wait_for_paint && chart != nullptr && chart->isVisible() && !chart->window()->isMinimized()) {
    awaiting_paint_ = true;
    paint_wait_.start();
  } else {
    step_.start();
  }
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
    // A failed measurement changed nothing on the chart, so no paint is coming.
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

bool ContinuousMeasurement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == watched_ && event->type() == QEvent::Paint && awaiting_paint_) {
    // The timer fires once this paint has been done.
    awaiting_paint_ = false;
    paint_wait_.stop();
    step_.start();
  }
  return false;
}

}  // namespace ui
