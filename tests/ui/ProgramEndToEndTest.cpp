// The built qx770-demo in a child process: without a display, with its help and a bad command
// line, and with --port against qx770-scanner-sim over a real pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
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
  return dir ? dir : ".";
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (auto& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

struct RunResult {
  int status;
  std::string out, err;
};

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
    const fs::path out = dir / "stdout.txt", err = dir / "stderr.txt";
    const pid_t pid = fork();
    if (pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(o, STDOUT_FILENO);
      dup2(e, STDERR_FILENO);
      auto argv = Pointers(args);
      auto envp = Pointers(env);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    auto slurp = [](const fs::path& p) {
      std::ifstream in(p);
      std::ostringstream s;
      s << in.rdbuf();
      return s.str();
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), slurp(out),
            slurp(err)};
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

// qx770-scanner-sim in a child process; its first output line is the pseudo-terminal's path.
class SimulatorProcess {
 public:
  SimulatorProcess() {
    std::vector<std::string> args{BinDir() + "/qx770-scanner-sim"};
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      auto argv = Pointers(args);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    char c = 0;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
    close(out[0]);
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

TEST_F(DemoEndToEnd, PortOptionMeasuresOverASerialDevice) {
  SimulatorProcess sim;
  ASSERT_EQ(sim.path().rfind("/dev/", 0), 0u) << sim.path();
  const fs::path shot = dir / "port.png";
  const RunResult r = Run({"--port", sim.path(), "--measure", "--screenshot", shot.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("Error."), std::string::npos) << r.err;
  EXPECT_GT(RedPixels(shot), 400);
}

// Without the scanner the window still opens: "Error." once, and Measure plots nothing.
TEST_F(DemoEndToEnd, AMissingDeviceIsReportedAndTheWindowOpensAnyway) {
  const fs::path shot = dir / "missing.png";
  const RunResult r = Run(
      {"--port", (dir / "no-such-device").string(), "--measure", "--screenshot", shot.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("Error."), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("Error.", r.err.find("Error.") + 1), std::string::npos) << r.err;
  EXPECT_EQ(RedPixels(shot), 0);
}

}  // namespace
