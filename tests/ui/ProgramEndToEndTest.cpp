// The built qx770-demo in a child process: without a display, with its help and a bad command
// line, and with --port against qx770-scanner-sim over a real pseudo-terminal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::SimulatorProcess;
using RunResult = testing_support::ProgramRun;

class DemoEndToEnd : public ::testing::Test {
 protected:
  DemoEndToEnd() {
    dir = fs::temp_directory_path() /
          ("qx770-demo-e2e-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  ~DemoEndToEnd() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  // The environment of a desktop session without a display: no DISPLAY, no Qt platform chosen.
  static std::vector<std::string> NoDisplay() {
    std::vector<std::string> env{"LC_ALL=C", "HOME=" + fs::temp_directory_path().string()};
    for (const char* name : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
      if (const char* v = std::getenv(name)) env.push_back(std::string(name) + "=" + v);
    return env;
  }

  RunResult Run(std::vector<std::string> args, std::vector<std::string> env = NoDisplay()) const {
    args.insert(args.begin(), BinDir() + "/qx770-demo");
    return testing_support::RunProgram(std::move(args), dir, std::move(env));
  }

  static int RedPixels(const fs::path& png) {
    QImage image;
    if (!image.load(QString::fromStdString(png.string()), "PNG")) return -1;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) == 0xFF0000) ++n;
    return n;
  }

  fs::path dir;
};

TEST_F(DemoEndToEnd, WithoutADisplayItNeedsAScreenshotAndThenDrawsOffScreen) {
  const RunResult refused = Run({"--simulate"});
  EXPECT_EQ(refused.status, 1) << refused.err;
  EXPECT_NE(refused.err.find("qx770-demo: no display to show the window on"), std::string::npos)
      << refused.err;

  const fs::path shot = dir / "window.png";
  const RunResult drawn = Run({"--simulate", "--measure", "--screenshot", shot.string()});
  EXPECT_EQ(drawn.status, 0) << drawn.err;
  EXPECT_NE(drawn.out.find("screenshot of the window written to " + shot.string()),
            std::string::npos)
      << drawn.out;
  EXPECT_GT(RedPixels(shot), 400);
}

TEST_F(DemoEndToEnd, HelpAndBadCommandLines) {
  const RunResult help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: qx770-demo"), std::string::npos);
  const RunResult bad = Run({"--bogus"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("qx770-demo: unknown option '--bogus'"), std::string::npos) << bad.err;
}

TEST_F(DemoEndToEnd, PortOptionMeasuresOverASerialDevice) {
  SimulatorProcess sim;
  ASSERT_EQ(sim.path().rfind("/dev/", 0), 0u) << sim.path();
  const fs::path shot = dir / "port.png";
  const RunResult r = Run({"--port", sim.path(), "--measure", "--screenshot", shot.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("Error."), std::string::npos) << r.err;
  EXPECT_GT(RedPixels(shot), 400);
}

// Without the scanner the window still opens: "Error." once, and Measure plots nothing; the
// cause goes to stderr, and the run that was asked to measure fails after writing the picture.
TEST_F(DemoEndToEnd, AMissingDeviceIsReportedAndTheWindowOpensAnyway) {
  const fs::path shot = dir / "missing.png";
  const std::string device = (dir / "no-such-device").string();
  const RunResult r = Run({"--port", device, "--measure", "--screenshot", shot.string()});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("Error.\nqx770-demo: cannot open the scanner: there is no device " + device +
                       "\n"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("qx770-demo: nothing was measured, as the scanner could not be opened\n"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("Error.", r.err.find("Error.") + 1), std::string::npos) << r.err;
  EXPECT_EQ(RedPixels(shot), 0);
}

}  // namespace
