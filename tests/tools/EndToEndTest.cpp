// The built programs together: `qx770 measure --port` against `qx770-scanner-sim` over a real
// pseudo-terminal, with good replies and with injected faults.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::ReadTextFile;
using testing_support::SimulatorProcess;
using Result = testing_support::ProgramRun;

// Runs qx770 with the arguments and collects its exit status and output.
Result RunQx770(std::vector<std::string> args, const fs::path& dir) {
  args.insert(args.begin(), BinDir() + "/qx770");
  return testing_support::RunProgram(std::move(args), dir);
}

class EndToEndTest : public ::testing::Test {
 protected:
  EndToEndTest() {
    dir_ = fs::temp_directory_path() /
           ("qx770-e2e-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  ~EndToEndTest() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void SetUp() override {
    ASSERT_FALSE(BinDir().empty()) << "QX_TEST_BIN_DIR is not set";
    ASSERT_TRUE(fs::exists(BinDir() + "/qx770"));
    ASSERT_TRUE(fs::exists(BinDir() + "/qx770-scanner-sim"));
  }

  fs::path dir_;
};

TEST_F(EndToEndTest, MeasuresOverAPseudoTerminalIntoCsv) {
  SimulatorProcess sim({"--seed", "4"});
  ASSERT_EQ(sim.path().rfind("/dev/", 0), 0u) << sim.path();
  const fs::path csv = dir_ / "profiles.csv";
  const Result r = RunQx770({"measure", "--port", sim.path(), "--count", "4", "--csv", csv}, dir_);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("profile 4: "), std::string::npos) << r.out;

  std::istringstream lines(ReadTextFile(csv));
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "profile,index,X,Y");
  int per_profile[5] = {};
  long last_x = -100000;
  int last_profile = 0;
  while (std::getline(lines, line)) {
    int p = 0;
    long index = 0, x = 0, y = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%d,%ld,%ld,%ld", &p, &index, &x, &y), 4) << line;
    ASSERT_GE(p, 1);
    ASSERT_LE(p, 4);
    if (p != last_profile) last_x = -100000;
    EXPECT_EQ(index, per_profile[p]++);
    EXPECT_GE(x, last_x);
    EXPECT_GT(x, -26000);
    EXPECT_LT(x, 26000);
    EXPECT_GT(y, 0);
    EXPECT_LT(y, 75000);
    last_x = x;
    last_profile = p;
  }
  for (int p = 1; p <= 4; ++p) {
    EXPECT_GT(per_profile[p], 400) << p;
    EXPECT_LT(per_profile[p], 440) << p;
  }

  // The same port serves a second run; with the laser off the profile is empty.
  const Result off =
      RunQx770({"measure", "--port", sim.path(), "--laser", "off", "--csv", "-"}, dir_);
  ASSERT_EQ(off.status, 0) << off.err;
  EXPECT_EQ(off.out, "profile,index,X,Y\n");
}

TEST_F(EndToEndTest, InjectedFaultsEndWithAClearMessage) {
  const struct {
    const char* fault;
    const char* message;
  } cases[] = {
      {"checksum", "qx770: measurement 2 of 3 failed: the scanner's reply had a wrong checksum"},
      {"short",
       "qx770: measurement 2 of 3 failed: the scanner's reply was cut short: 884 bytes "
       "came, then nothing for 1050 ms"},
      {"silence", "qx770: measurement 2 of 3 failed: no reply from the scanner within 1050 ms"},
  };
  for (const auto& c : cases) {
    SimulatorProcess sim({"--fault", c.fault, "--fault-every", "2"});
    const fs::path csv = dir_ / "profiles.csv";
    const Result r =
        RunQx770({"measure", "--port", sim.path(), "--count", "3", "--csv", csv}, dir_);
    EXPECT_EQ(r.status, 1) << c.fault;
    EXPECT_EQ(r.err, std::string(c.message) + "\n") << c.fault;
    // The first profile was written before the failure.
    const std::string written = ReadTextFile(csv);
    EXPECT_NE(written.find("\n1,0,"), std::string::npos) << c.fault;
    EXPECT_EQ(written.find("\n2,"), std::string::npos) << c.fault;
  }
}

TEST_F(EndToEndTest, MissingDeviceAndBadArguments) {
  const Result missing = RunQx770({"measure", "--port", "/dev/qx770-not-there"}, dir_);
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "qx770: cannot open the scanner: there is no device /dev/qx770-not-there\n");
  EXPECT_EQ(missing.out, "");

  const Result bad = RunQx770({"measure", "--simulate", "--intensity", "200"}, dir_);
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("--intensity must be a whole number from 0 to 127, not '200'"),
            std::string::npos);

  const Result help = RunQx770({"measure", "--help"}, dir_);
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--csv FILE|-"), std::string::npos);
}

}  // namespace
