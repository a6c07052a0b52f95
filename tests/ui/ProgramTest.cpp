// The program qx770-demo: its options, and the program run in-process over the simulator (the
// screenshot, a broken window description).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "scanner/Channel.h"
#include "support/GuiTestApp.h"
#include "ui/Program.h"
#include "ui/ProgramOptions.h"
#include "ui/TrabexMain.h"

namespace {

namespace fs = std::filesystem;
using ui::DemoOptions;

std::variant<DemoOptions, ui::DemoUsageError> Parse(std::vector<std::string> args) {
  return ui::ParseDemoOptions(args);
}

TEST(DemoOptions, EveryOptionIsAnAddition) {
  const auto none = std::get<DemoOptions>(Parse({}));
  EXPECT_EQ(none.source, DemoOptions::Source::kDescription);
  EXPECT_FALSE(none.measure);
  EXPECT_FALSE(none.screenshot.has_value());
  EXPECT_FALSE(none.help);

  const auto all =
      std::get<DemoOptions>(Parse({"--simulate", "--measure", "--screenshot", "w.png"}));
  EXPECT_EQ(all.source, DemoOptions::Source::kSimulator);
  EXPECT_TRUE(all.measure);
  EXPECT_EQ(all.screenshot, "w.png");

  const auto port = std::get<DemoOptions>(Parse({"--port=/dev/pts/3", "--screenshot=a b.png"}));
  EXPECT_EQ(port.source, DemoOptions::Source::kPort);
  EXPECT_EQ(port.port, "/dev/pts/3");
  EXPECT_EQ(port.screenshot, "a b.png");
  const auto serial = std::get<DemoOptions>(Parse({"--serial=FT5XQ770", "--measure"}));
  EXPECT_EQ(serial.source, DemoOptions::Source::kSerialNumber);
  EXPECT_EQ(serial.port, "FT5XQ770");
  EXPECT_TRUE(std::get<DemoOptions>(Parse({"--help"})).help);
}

TEST(DemoOptions, BadCommandLinesSayWhatIsWrong) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--port"}, "--port needs a device path, e.g. /dev/ttyUSB0"},
      {{"--port="}, "--port needs a device path, e.g. /dev/ttyUSB0"},
      {{"--screenshot"}, "--screenshot needs a file name, e.g. window.png"},
      {{"--simulate", "--port", "/dev/x"}, "--port and --simulate cannot be used together"},
      {{"--port", "--measure"}, "--port needs a device path, e.g. /dev/ttyUSB0"},
      {{"--serial", "FT1", "--port=/dev/x"}, "--serial and --port cannot be used together"},
      {{"--screenshot", "--measure"}, "--screenshot needs a file name, e.g. window.png"},
      {{"--simulate=yes"}, "--simulate takes no value"},
      {{"--measure=1"}, "--measure takes no value"},
      {{"--fast"}, "unknown option '--fast'"},
      {{"extra"}, "unknown option 'extra'"},
  };
  for (const auto& [args, message] : cases) {
    const auto result = Parse(args);
    ASSERT_TRUE(std::holds_alternative<ui::DemoUsageError>(result)) << message;
    EXPECT_EQ(std::get<ui::DemoUsageError>(result).message, message);
  }
}

// The program run inside the test process (over the tests' off-screen Qt application).
struct RunResult {
  int status;
  std::string out, err;
};

RunResult RunInProcess(std::vector<std::string> args,
                       std::string_view description = ui::FormSDescription()) {
  testing_support::EnsureGuiApplication();
  args.insert(args.begin(), "qx770-demo");
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int argc = static_cast<int>(args.size());
  std::ostringstream out, err;
  const int status = ui::RunDemo(argc, argv.data(), description, out, err);
  return {status, out.str(), err.str()};
}

fs::path TempFile(const std::string& name) {
  return fs::temp_directory_path() / ("qx770-demo-test-" + std::to_string(getpid()) + "-" + name);
}

int RedPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == 0xFF0000) ++n;
  return n;
}

TEST(DemoProgram, ScreenshotAfterStartUpAndAfterAMeasurement) {
  const fs::path plain = TempFile("plain.png");
  const fs::path measured = TempFile("measured");  // no extension: still a PNG
  const RunResult a = RunInProcess({"--simulate", "--screenshot", plain.string()});
  ASSERT_EQ(a.status, 0) << a.err;
  EXPECT_NE(a.out.find(plain.string()), std::string::npos) << a.out;
  const RunResult b = RunInProcess({"--simulate", "--measure", "--screenshot", measured.string()});
  ASSERT_EQ(b.status, 0) << b.err;
  EXPECT_FALSE(scanner::ScannerIsOpen());  // the window was closed, and the channel with it

  QImage first, second;
  ASSERT_TRUE(first.load(QString::fromStdString(plain.string()), "PNG"));
  ASSERT_TRUE(second.load(QString::fromStdString(measured.string()), "PNG"));
  EXPECT_EQ(first.size(), QSize(692, 410));
  EXPECT_EQ(second.size(), QSize(692, 410));
  EXPECT_EQ(RedPixels(first), 0);
  EXPECT_GT(RedPixels(second), 400);
  fs::remove(plain);
  fs::remove(measured);
}

TEST(DemoProgram, AScreenshotThatCannotBeWrittenFails) {
  const RunResult r = RunInProcess({"--simulate", "--screenshot", "/nonexistent-dir/w.png"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot write the screenshot to /nonexistent-dir/w.png"), std::string::npos)
      << r.err;
}

TEST(DemoProgram, ABrokenDescriptionStopsStartUpWithAMessageNamingIt) {
  const std::string good(ui::FormSDescription());
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
  };
  const std::pair<std::string, std::string> cases[] = {
      {replaced("\"class\": \"TButton\"", "\"class\": \"TBottun\""), "TBottun"},
      {replaced("\"Caption\": \"Measure\"", "\"Capton\": \"Measure\""), "Capton"},
      {replaced("\"OnClick\": \"Button1Click\"", "\"OnClick\": \"Button2Click\""), "Button2Click"},
      {replaced("\"Style\": \"psCircle\"", "\"Style\": \"psOval\""), "psOval"},
      {replaced("\"name\": \"Button1\"", "\"name\": \"Button2\""), "Button1"},
      {good.substr(0, good.size() / 2), "line"},
  };
  for (const auto& [text, named] : cases) {
    SCOPED_TRACE(named);
    const RunResult r =
        RunInProcess({"--simulate", "--screenshot", TempFile("broken.png").string()}, text);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("qx770-demo: Window description: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(fs::exists(TempFile("broken.png")));
    EXPECT_FALSE(scanner::ScannerIsOpen());
  }
}

}  // namespace
