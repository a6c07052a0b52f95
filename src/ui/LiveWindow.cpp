#include "ui/LiveWindow.h"

#include <filesystem>

#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "sim/ReplayOptions.h"
#include "ui/Program.h"

namespace ui {
namespace {

constexpr char kProgram[] = "qx770-demo";

SaveChooser OffScreenChooser(const DemoOptions& options, std::ostream& err) {
  return [&options, &err]() -> std::optional<SaveNames> {
    if (!options.csv) {
      err << kProgram << ": Ctrl+S saved nothing: no file dialog can be answered off-screen; "
          << "give --csv FILE to save the profile there and the chart beside it\n";
      return std::nullopt;
    }
    std::filesystem::path picture(*options.csv);
    picture.replace_extension(".png");
    err << kProgram << ": Ctrl+S: chart saved to " << picture.string() << ", profile to "
        << *options.csv << "\n";
    return SaveNames{picture.string(), *options.csv};
  };
}

}  // namespace

DemoDriver MakeDemoDriver(const DemoOptions& options) {
  DemoDriver made;
  if (options.replay.file) {
    made.driver = sim::MakeReplayDriver(options.replay, made.error);
    if (!made.driver) return made;
  } else {
    made.driver = sim::MakeScannerDriver(options.source, options.port);
  }
  if (options.record) {
    auto writer = sim::RecordingWriter::Create(*options.record);
    if (!writer) {
      made.driver.reset();
      made.error = "cannot write the recording " + *options.record;
      return made;
    }
    if (!made.driver) made.driver = scanner::MakeDefaultDriver();
    auto recorder =
        std::make_unique<sim::ExchangeRecorder>(std::move(made.driver), std::move(writer));
    made.recorder = recorder.get();
    made.driver = std::move(recorder);
  }
  return made;
}

LiveWindow::LiveWindow(TFormS& form, const DemoOptions& options, std::ostream& err)
    : form_(&form),
      options_(&options),
      err_(&err),
      live_(std::make_unique<ContinuousMeasurement>(form)) {
  keys_ = std::make_unique<OperatorKeys>(
      form, *live_, DisplayAvailable() ? FileDialogChooser(form) : OffScreenChooser(options, err));
  live_->OnStopped = [this] {
    if (waiting_ != nullptr) waiting_->quit();
  };
}

LiveWindow::~LiveWindow() = default;

void LiveWindow::StartLive() {
  live_->SetLimit(options_->count);
  live_started_ = live_->Start();
}

void LiveWindow::RunLive() {
  StartLive();
  if (!live_->running()) return;
  QEventLoop loop;
  waiting_ = &loop;
  loop.exec();
  waiting_ = nullptr;
}

bool LiveWindow::WriteCsv() {
  if (!options_->csv) return true;
  if (csv_written_) return csv_good_;
  csv_written_ = true;
  csv_good_ = WriteShownProfile(*form_, *options_->csv);
  if (!csv_good_) *err_ << kProgram << ": cannot write the profile to " << *options_->csv << "\n";
  return csv_good_;
}

int LiveWindow::Finish(int status) {
  if (!WriteCsv()) status = 1;
  // A picture after N measurements was asked for: fewer is a failure.
  if (options_->live && options_->count && options_->screenshot) {
    const long wanted = *options_->count;
    if (!live_started_) {
      *err_ << kProgram << ": continuous measurement did not start: the scanner channel is "
            << "not open\n";
      status = 1;
    } else if (live_->stopped_by_failures()) {
      *err_ << kProgram << ": continuous measurement stopped after " << live_->measured() << " of "
            << wanted << " measurements: the scanner gave no valid reply " << kFailuresToStop
            << " times in a row\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace ui
