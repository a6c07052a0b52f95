// The built qx770 saying why it could not reach the scanner: each cause of a failed open, and a
// scanner unplugged in the middle of its reply (the simulator killed mid-reply). Also the
// simulator program reading "--name=value" like the other two.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
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

class OpenFailureEndToEnd : public ::testing::Test {
 protected:
  OpenFailureEndToEnd() {
    dir_ = fs::temp_directory_path() /
           ("qx770-open-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  ~OpenFailureEndToEnd() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void SetUp() override { ASSERT_FALSE(BinDir().empty()) << "QX_TEST_BIN_DIR is not set"; }

  ProgramRun Qx770(std::vector<std::string> args) const {
    args.insert(args.begin(), BinDir() + "/qx770");
    return testing_support::RunProgram(std::move(args), dir_);
  }

  fs::path dir_;
};

TEST_F(OpenFailureEndToEnd, EachCauseIsNamed) {
  const fs::path file = dir_ / "profiles.csv";
  std::ofstream(file) << "profile,index,X,Y\n";
  const struct {
    std::string port;
    std::string cause;
  } cases[] = {
      {file.string(), file.string() + " is not a serial device (a plain file)"},
      {dir_.string(), dir_.string() + " is not a serial device (a folder)"},
      {"/dev/null", "/dev/null is not a serial device (a device that is not a serial port)"},
      {(dir_ / "ttyUSB7").string(), "there is no device " + (dir_ / "ttyUSB7").string()},
  };
  for (const auto& c : cases) {
    const ProgramRun r = Qx770({"measure", "--port", c.port});
    EXPECT_EQ(r.status, 1) << c.port;
    EXPECT_EQ(r.err, "qx770: cannot open the scanner: " + c.cause + "\n");
    EXPECT_EQ(r.out, "");
  }

  // A serial number no bridge has; through the system's serial ports unless the vendor's
  // library is installed, which then has its own sentence.
  if (void* library = dlopen("libftd2xx.so", RTLD_NOW)) {
    dlclose(library);
    GTEST_SKIP() << "the D2XX library is installed";
  }
  const ProgramRun r = Qx770({"measure", "--serial", "QX-NO-SUCH-BRIDGE"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "qx770: cannot open the scanner: no USB bridge with serial number QX-NO-SUCH-BRIDGE is "
            "attached ('qx770 devices' lists the bridges)\n");
}

TEST_F(OpenFailureEndToEnd, APortHeldByAnotherProgramIsInUse) {
  testing_support::SimulatorProcess sim;
  ASSERT_EQ(sim.path().rfind("/dev/", 0), 0u) << sim.path();
  {
    // Another program holds the port as serial-port programs do: open, and exclusive.
    testing_support::ExclusiveHolder holder(sim.path());
    ASSERT_TRUE(holder.held());
    const ProgramRun r = Qx770({"measure", "--port", sim.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "qx770: cannot open the scanner: " + sim.path() + " is in use by another program\n");
  }
  // Free again, the same port serves.
  const ProgramRun after = Qx770({"measure", "--port", sim.path()});
  EXPECT_EQ(after.status, 0) << after.err;
}

TEST_F(OpenFailureEndToEnd, AScannerUnpluggedMidReplyIsDisconnectedNotATimeOut) {
  // The reply is cut off halfway; the simulator is killed while qx770 waits for the rest.
  testing_support::LoggingSimulator sim({"--fault", "short"});
  ASSERT_EQ(sim.path().rfind("/dev/", 0), 0u) << sim.path();
  testing_support::BackgroundProgram qx770(
      {BinDir() + "/qx770", "measure", "--port", sim.path(), "--count", "2"}, dir_);
  ASSERT_TRUE(sim.WaitForLog("measurement 1:"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  sim.Kill();
  const ProgramRun r = qx770.Wait();
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qx770: measurement 1 of 2 failed: the scanner was disconnected\n");
}

TEST_F(OpenFailureEndToEnd, TheSimulatorReadsOptionsLikeTheOtherPrograms) {
  const auto sim = [&](std::vector<std::string> args) {
    args.insert(args.begin(), BinDir() + "/qx770-scanner-sim");
    return testing_support::RunProgram(std::move(args), dir_);
  };
  const ProgramRun bad_seed = sim({"--seed=many"});
  EXPECT_EQ(bad_seed.status, 2);
  EXPECT_NE(bad_seed.err.find("qx770-scanner-sim: --seed needs a whole number from 0 up"),
            std::string::npos);
  const ProgramRun flag_value = sim({"--paced=yes"});
  EXPECT_EQ(flag_value.status, 2);
  EXPECT_NE(flag_value.err.find("--paced takes no value"), std::string::npos);
  const ProgramRun option_as_value = sim({"--fault", "--paced"});
  EXPECT_EQ(option_as_value.status, 2);
  EXPECT_NE(option_as_value.err.find("--fault needs one of: silence, checksum, short"),
            std::string::npos);

  // "--name=value" is taken: the fault hits as asked.
  testing_support::SimulatorProcess served({"--fault=silence", "--fault-every=1", "--seed=3"});
  ASSERT_EQ(served.path().rfind("/dev/", 0), 0u) << served.path();
  const ProgramRun r = Qx770({"measure", "--port", served.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qx770: measurement 1 of 1 failed: no reply from the scanner within 1050 ms\n");
}

}  // namespace
