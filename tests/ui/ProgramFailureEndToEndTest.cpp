// The built qx770-demo when the scanner is not there or fails: the cause of a failed open on
// stderr beside the window's "Error.", the exit status of a screenshot run that was asked to
// measure, and a scanner unplugged while it is measuring.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcess.h"
#include "support/PortSupport.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::ProgramRun;

class DemoFailureEndToEnd : public ::testing::Test {
 protected:
  DemoFailureEndToEnd() {
    dir_ = fs::temp_directory_path() /
           ("qx770-demo-fail-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_ / "run");
    fs::permissions(dir_ / "run", fs::perms::owner_all);
  }
  ~DemoFailureEndToEnd() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void SetUp() override { ASSERT_FALSE(BinDir().empty()) << "QX_TEST_BIN_DIR is not set"; }

  std::vector<std::string> Demo(std::vector<std::string> args) const {
    args.insert(args.begin(), BinDir() + "/qx770-demo");
    return args;
  }
  // Off-screen, with a runtime folder of its own so that Qt has nothing to say on stderr.
  std::vector<std::string> Environment() const {
    std::vector<std::string> env{"LC_ALL=C", "QT_QPA_PLATFORM=offscreen",
                                 "XDG_RUNTIME_DIR=" + (dir_ / "run").string(),
                                 "HOME=" + dir_.string()};
    for (const char* name : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
      if (const char* v = std::getenv(name)) env.push_back(std::string(name) + "=" + v);
    return env;
  }
  ProgramRun Run(std::vector<std::string> args) const {
    return testing_support::RunProgram(Demo(std::move(args)), dir_, Environment());
  }

  fs::path dir_;
};

TEST_F(DemoFailureEndToEnd, TheCauseOfAFailedOpenFollowsTheWindowsError) {
  const fs::path file = dir_ / "notes.txt";
  std::ofstream(file) << "not a port\n";
  const fs::path shot = dir_ / "window.png";
  // Asked only for the picture, the run succeeds: the window was drawn.
  const ProgramRun r = Run({"--port", file.string(), "--screenshot", shot.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "Error.\nqx770-demo: cannot open the scanner: " + file.string() +
                       " is not a serial device (a plain file)\n");
  EXPECT_TRUE(fs::exists(shot));
}

TEST_F(DemoFailureEndToEnd, AFailedMeasurementFailsTheScreenshotRunButWritesThePicture) {
  testing_support::SimulatorProcess sim({"--fault", "silence"});
  ASSERT_EQ(sim.path().rfind("/dev/", 0), 0u) << sim.path();
  const fs::path shot = dir_ / "silent.png";
  const ProgramRun r = Run({"--port", sim.path(), "--measure", "--screenshot", shot.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qx770-demo: the measurement failed: no valid reply came from the scanner\n");
  EXPECT_TRUE(fs::exists(shot));
  EXPECT_NE(r.out.find("screenshot of the window written to"), std::string::npos) << r.out;
}

TEST_F(DemoFailureEndToEnd, AScannerUnpluggedWhileMeasuringIsReported) {
  testing_support::LoggingSimulator sim({"--fault", "short"});
  ASSERT_EQ(sim.path().rfind("/dev/", 0), 0u) << sim.path();
  const fs::path shot = dir_ / "unplugged.png";
  testing_support::BackgroundProgram demo(
      Demo({"--port", sim.path(), "--measure", "--screenshot", shot.string()}), dir_,
      Environment());
  ASSERT_TRUE(sim.WaitForLog("measurement 1:"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  sim.Kill();
  const ProgramRun r = demo.Wait();
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "qx770-demo: the scanner was disconnected\n"
            "qx770-demo: the measurement failed: no valid reply came from the scanner\n");
  EXPECT_TRUE(fs::exists(shot));
}

}  // namespace
