// The built programs together: `qx770 measure --port` against `qx770-scanner-sim` over a real
// pseudo-terminal, with good replies and with injected faults.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string BinDir() {
  const char* dir = std::getenv("QX_TEST_BIN_DIR");
  return dir != nullptr ? dir : "";
}

std::vector<char*> Argv(std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The simulator running as a child process; it dies with the test process at the latest.
class SimulatorProcess {
 public:
  explicit SimulatorProcess(std::vector<std::string> args) {
    args.insert(args.begin(), BinDir() + "/qx770-scanner-sim");
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      auto argv = Argv(args);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    // The first line is the device path.
    std::string line;
    char c = 0;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    path_ = line;
  }
  ~SimulatorProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

struct Result {
  int status = -1;
  std::string out;
  std::string err;
  double seconds = 0;
};

// Runs qx770 with the arguments and collects its exit status and output.
Result RunQx770(std::vector<std::string> args, const fs::path& dir) {
  args.insert(args.begin(), BinDir() + "/qx770");
  const fs::path out = dir / "stdout.txt";
  const fs::path err = dir / "stderr.txt";
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(o, STDOUT_FILENO);
    dup2(e, STDERR_FILENO);
    auto argv = Argv(args);
    execv(argv[0], argv.data());
    _exit(127);
  }
  Result r;
  int status = 0;
  waitpid(pid, &status, 0);
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  r.out = ReadFile(out);
  r.err = ReadFile(err);
  return r;
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

  std::istringstream lines(ReadFile(csv));
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
    const std::string written = ReadFile(csv);
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
