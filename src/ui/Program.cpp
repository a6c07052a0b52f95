#include "ui/Program.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "framework/core/ErrorReport.h"
#include "framework/widgets/Application.h"
#include "framework/widgets/FormImage.h"
#include "framework/widgets/UserInput.h"
#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/serial/SerialBridgeDriver.h"
#include "scanner/serial/SerialBridgeFallback.h"
#include "sim/ScannerOpenFailure.h"
#include "sim/ScannerSource.h"
#include "ui/LiveWindow.h"
#include "ui/ProgramOptions.h"
#include "ui/TrabexMain.h"

namespace ui {
namespace {

constexpr char kProgram[] = "qx770-demo";

bool OffScreenPlatform(std::string_view name) {
  return name.starts_with("offscreen") || name.starts_with("minimal");
}

// Shows the window, measures once when asked, saves its picture and closes it.
int TakeScreenshot(fw::TApplication& app, TFormS& form, LiveWindow& extras,
                   const DemoOptions& options, std::ostream& out, std::ostream& err) {
  form.Show();
  app.ProcessMessages();
  if (options.measure) {
    fw::ClickButton(*form.Button1);
    app.ProcessMessages();
  }
  if (options.live) {
    extras.RunLive();
    app.ProcessMessages();
  }
  // Whether the measurement asked for took a profile; judged before the close ends the channel.
  const bool opened = scanner::ScannerIsOpen();
  const auto measured = form.LastMeasureResult();
  const QImage picture = fw::RenderControl(form);
  const std::string& path = *options.screenshot;
  const bool saved = !picture.isNull() && picture.save(QString::fromStdString(path), "PNG");
  extras.WriteCsv();
  form.Close();
  if (!saved) {
    err << kProgram << ": cannot write the screenshot to " << path << "\n";
    return 1;
  }
  std::error_code ec;
  const std::filesystem::path where = std::filesystem::absolute(path, ec);
  out << kProgram << ": screenshot of the window written to " << (ec ? path : where.string())
      << "\n";
  if (options.measure && !opened) {
    err << kProgram << ": nothing was measured, as the scanner could not be opened\n";
    return 1;
  }
  if (options.measure && measured != scanner::MeasureResult::kPlotted) {
    err << kProgram << ": the measurement failed: no valid reply came from the scanner\n";
    return 1;
  }
  return 0;
}

// While it lives, a scanner unplugged during an exchange is reported on `err`; the window itself
// goes on as it does for any missing reply.
class DisconnectReport {
 public:
  explicit DisconnectReport(std::ostream& err) {
    scanner::SetSerialBridgeDisconnectHandler(
        [&err](const std::string&) { err << kProgram << ": the scanner was disconnected\n"; });
  }
  ~DisconnectReport() { scanner::SetSerialBridgeDisconnectHandler(nullptr); }
  DisconnectReport(const DisconnectReport&) = delete;
  DisconnectReport& operator=(const DisconnectReport&) = delete;
};

int Run(int& argc, char** argv, std::string_view description, const DemoOptions& options,
        std::ostream& out, std::ostream& err) {
  fw::TApplication app(argc, argv);
  app.SetTitle(kApplicationTitle);
  // The serial bridge wants the Qt application, so the driver comes after it; it goes before
  // the application, once the window has closed the channel.
  std::unique_ptr<scanner::ScopedDriver> driver;
  DemoDriver chosen = MakeDemoDriver(options);
  if (!chosen.error.empty()) {
    err << kProgram << ": " << chosen.error << "\n";
    return 1;
  }
  if (chosen.driver) driver = std::make_unique<scanner::ScopedDriver>(std::move(chosen.driver));
  DisconnectReport disconnects(err);

  RegisterFormSClasses();
  TFormS* form = nullptr;
  try {
    form = app.CreateForm<TFormS>(description);
  } catch (const std::exception& e) {
    err << kProgram << ": " << e.what() << "\n";
    if (!OffScreenPlatform(QGuiApplication::platformName().toStdString()))
      app.ShowException(e.what());
    return 1;
  }
  // The window has shown "Error." if its start-up could not open the channel; this says why.
  if (!scanner::ScannerIsOpen())
    err << kProgram << ": " << sim::ExplainOpenFailure(options.source, options.port) << "\n";

  int status = 0;
  LiveWindow extras(*form, options, err);
  if (options.screenshot) {
    status = TakeScreenshot(app, *form, extras, options, out, err);
  } else {
    if (options.measure) {
      QTimer::singleShot(0, QCoreApplication::instance(), [form] {
        fw::InvokeHandler([form] { fw::ClickButton(*form->Button1); });
      });
    }
    if (options.live) {
      QTimer::singleShot(0, QCoreApplication::instance(),
                         [&extras] { fw::InvokeHandler([&extras] { extras.StartLive(); }); });
    }
    app.Run();
  }
  status = extras.Finish(status);
  // Every way out of the loop passes FormClose; this only guards against leaving an open channel
  // on a driver that is about to go.
  if (scanner::ScannerIsOpen()) scanner::CloseScanner();
  if (chosen.recorder != nullptr && !chosen.recorder->writer().good()) {
    err << kProgram << ": writing the recording " << *options.record << " failed\n";
    status = 1;
  }
  return status;
}

}  // namespace

bool DisplayAvailable() {
  if (QCoreApplication::instance())
    return !OffScreenPlatform(QGuiApplication::platformName().toStdString());
  if (const char* platform = std::getenv("QT_QPA_PLATFORM"); platform && *platform)
    return !OffScreenPlatform(platform);
#if defined(__unix__) && !defined(__APPLE__)
  auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

int RunDemo(int& argc, char** argv, std::ostream& out, std::ostream& err) {
  return RunDemo(argc, argv, FormSDescription(), out, err);
}

int RunDemo(int& argc, char** argv, std::string_view description, std::ostream& out,
            std::ostream& err) {
  // Without the vendor's library the scanner is found among the system's serial ports.
  scanner::UseSerialBridgeFallback();
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const auto parsed = ParseDemoOptions(args);
  if (const auto* error = std::get_if<DemoUsageError>(&parsed)) {
    err << kProgram << ": " << error->message << "\n"
        << "Try '" << kProgram << " --help' for more information.\n";
    return 2;
  }
  const DemoOptions& options = std::get<DemoOptions>(parsed);
  if (options.help) {
    out << kDemoUsage;
    return 0;
  }
  if (!DisplayAvailable()) {
    if (!options.screenshot) {
      err << kProgram << ": no display to show the window on; run it on a desktop, or give "
          << "--screenshot FILE to draw the window off-screen into a picture\n";
      return 1;
    }
    if (!QCoreApplication::instance()) qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  try {
    return Run(argc, argv, description, options, out, err);
  } catch (const std::exception& e) {
    err << kProgram << ": " << e.what() << "\n";
    return 1;
  }
}

}  // namespace ui
