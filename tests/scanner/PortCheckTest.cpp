// Why a path cannot serve as the scanner's port, against real files, folders, devices and
// pseudo-terminals: one opened as a user without permission (a child process that drops to
// nobody) and one held exclusively by another process.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>
#include <string>

#include "scanner/Channel.h"
#include "scanner/serial/PortCheck.h"
#include "scanner/serial/SerialBridgeDriver.h"
#include "support/PortSupport.h"

namespace scanner {
namespace {

namespace fs = std::filesystem;
using testing_support::ExclusiveHolder;

// A pseudo-terminal pair; the slave side plays the serial port.
class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) path_ = ptsname(master_);
  }
  ~Pty() {
    if (master_ >= 0) close(master_);
  }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;
  const std::string& path() const { return path_; }

 private:
  int master_ = -1;
  std::string path_;
};

// CheckPort run by the user nobody in a child process; the problem comes back as exit status.
int CheckAsNobody(const std::string& path) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(100);
    _exit(static_cast<int>(CheckPort(path).problem));
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class PortCheckTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_scanner";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
  }
  PortCheckTest() {
    dir_ = fs::temp_directory_path() / ("qx770-portcheck-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  ~PortCheckTest() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  fs::path dir_;
};

TEST_F(PortCheckTest, CausesAreToldApart) {
  const fs::path file = dir_ / "profile.csv";
  std::ofstream(file) << "not a port\n";
  Pty pty;
  ASSERT_FALSE(pty.path().empty());
  const struct {
    std::string path;
    PortProblem problem;
    std::string sentence;
  } cases[] = {
      {file.string(), PortProblem::kNotSerial,
       file.string() + " is not a serial device (a plain file)"},
      {dir_.string(), PortProblem::kNotSerial,
       dir_.string() + " is not a serial device (a folder)"},
      {"/dev/null", PortProblem::kNotSerial,
       "/dev/null is not a serial device (a device that is not a serial port)"},
      {(dir_ / "ttyUSB9").string(), PortProblem::kNoDevice,
       "there is no device " + (dir_ / "ttyUSB9").string()},
      {(file / "below-a-file").string(), PortProblem::kNoDevice,
       "there is no device " + (file / "below-a-file").string()},
      {pty.path(), PortProblem::kNone, pty.path() + " could not be opened"},
  };
  for (const auto& c : cases) {
    const PortCheck check = CheckPort(c.path);
    EXPECT_EQ(check.problem, c.problem) << c.path;
    EXPECT_EQ(DescribePortProblem(c.path, check), c.sentence) << c.path;
  }
}

TEST_F(PortCheckTest, APseudoTerminalOfAnotherUserIsPermissionDenied) {
  Pty pty;
  ASSERT_FALSE(pty.path().empty());
  if (geteuid() != 0) {
    // Run by an ordinary user the terminal is their own; ask about one they cannot open instead.
    const PortCheck check = CheckPort("/dev/tty0");
    if (check.problem != PortProblem::kPermissionDenied) GTEST_SKIP() << "needs root or /dev/tty0";
    return;
  }
  EXPECT_EQ(CheckAsNobody(pty.path()), static_cast<int>(PortProblem::kPermissionDenied));
  const std::string sentence =
      DescribePortProblem(pty.path(), PortCheck{PortProblem::kPermissionDenied, {}});
  EXPECT_NE(sentence.find("permission denied on " + pty.path()), std::string::npos);
  EXPECT_NE(sentence.find("dialout"), std::string::npos);
  EXPECT_NE(sentence.find("udev rule"), std::string::npos);
}

TEST_F(PortCheckTest, ATerminalHeldExclusivelyIsInUseAndTheBridgeRefusesIt) {
  Pty pty;
  ASSERT_FALSE(pty.path().empty());
  SerialBridgeDriver bridge(pty.path());
  auto open = [&] {
    return bridge.CreateFile(kScannerDescription, kGenericRead | kGenericWrite, 0, nullptr,
                             kOpenExisting, kFileAttributeNormal | kOpenByDescription, nullptr);
  };
  {
    ExclusiveHolder holder(pty.path());
    ASSERT_TRUE(holder.held());
    const PortCheck check = CheckPort(pty.path());
    EXPECT_EQ(check.problem, PortProblem::kInUse);
    EXPECT_EQ(DescribePortProblem(pty.path(), check), pty.path() + " is in use by another program");
    // Refused even to root, whom the kernel would let through.
    EXPECT_EQ(open(), kInvalidHandle);
  }
  // Once the other program has gone the port opens, and closing it frees it for the next one.
  const FtHandle handle = open();
  ASSERT_NE(handle, kInvalidHandle);
  EXPECT_TRUE(bridge.CloseHandle(handle));
  EXPECT_EQ(CheckPort(pty.path()).problem, PortProblem::kNone);
  const FtHandle again = open();
  EXPECT_NE(again, kInvalidHandle);
  bridge.CloseHandle(again);
}

TEST_F(PortCheckTest, LowLatencyIsSkippedWhereThePortHasNoSuchSetting) {
  Pty pty;
  ASSERT_FALSE(pty.path().empty());
  const int fd = open(pty.path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  termios before{};
  tcgetattr(fd, &before);
  EXPECT_FALSE(RequestLowLatency(fd));
  termios after{};
  tcgetattr(fd, &after);
  EXPECT_EQ(before.c_cflag, after.c_cflag);
  EXPECT_EQ(before.c_lflag, after.c_lflag);
  close(fd);
  EXPECT_FALSE(RequestLowLatency(-1));
}

}  // namespace
}  // namespace scanner
