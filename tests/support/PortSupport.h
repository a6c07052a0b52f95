// Serial ports in trouble, for tests: another program holding a terminal exclusively, and the
// scanner's plug pulled. For the latter qx770-scanner-sim runs with its log (--verbose) read by
// the test, so that it can be killed at a known point, mid-reply, while the program under test
// runs in the background. Killing the simulator closes its end of the pseudo-terminal, which the
// program sees as an unplugged USB bridge.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace testing_support {

// Another program holding the terminal open exclusively, as a serial-port program does; when the
// object goes it gives the terminal up as such a program does on closing (exclusive use off).
class ExclusiveHolder {
 public:
  explicit ExclusiveHolder(const std::string& path) {
    int ready[2];
    if (pipe(ready) != 0 || pipe(release_) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      close(release_[1]);
      const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
      const char ok = (fd >= 0 && ioctl(fd, TIOCEXCL) == 0) ? 'y' : 'n';
      (void)!write(ready[1], &ok, 1);
      char c = 0;
      (void)!read(release_[0], &c, 1);  // until the test lets go
      ioctl(fd, TIOCNXCL);
      close(fd);
      _exit(0);
    }
    close(ready[1]);
    close(release_[0]);
    char c = 0;
    held_ = read(ready[0], &c, 1) == 1 && c == 'y';
    close(ready[0]);
  }
  ~ExclusiveHolder() {
    if (pid_ > 0) {
      close(release_[1]);
      waitpid(pid_, nullptr, 0);
    }
  }
  ExclusiveHolder(const ExclusiveHolder&) = delete;
  ExclusiveHolder& operator=(const ExclusiveHolder&) = delete;
  bool held() const { return held_; }

 private:
  pid_t pid_ = -1;
  int release_[2] = {-1, -1};
  bool held_ = false;
};

// A program started in the background, its output going to files under `dir`. Without `env` it
// inherits the test's environment.
class BackgroundProgram {
 public:
  BackgroundProgram(std::vector<std::string> argv, const std::filesystem::path& dir,
                    std::optional<std::vector<std::string>> env = std::nullopt)
      : out_(dir / "background-stdout.txt"), err_(dir / "background-stderr.txt") {
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      const int o = open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int e = open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(o, STDOUT_FILENO);
      dup2(e, STDERR_FILENO);
      auto args = ExecPointers(argv);
      if (env) {
        auto envp = ExecPointers(*env);
        execve(args[0], args.data(), envp.data());
      } else {
        execv(args[0], args.data());
      }
      _exit(127);
    }
  }
  ~BackgroundProgram() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  // Waits for the end; the exit status (128 + signal when killed) and the output.
  ProgramRun Wait() {
    ProgramRun r;
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = ReadTextFile(out_);
    r.err = ReadTextFile(err_);
    return r;
  }

 private:
  pid_t pid_ = -1;
  std::filesystem::path out_;
  std::filesystem::path err_;
};

// qx770-scanner-sim with "--verbose" and its log on a pipe the test reads.
class LoggingSimulator {
 public:
  explicit LoggingSimulator(std::vector<std::string> args) {
    args.insert(args.begin(), {BinDir() + "/qx770-scanner-sim", "--verbose"});
    int out[2];
    int log[2];
    if (pipe(out) != 0 || pipe(log) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      dup2(out[1], STDOUT_FILENO);
      dup2(log[1], STDERR_FILENO);
      close(out[0]);
      close(out[1]);
      close(log[0]);
      close(log[1]);
      auto argv = ExecPointers(args);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    close(log[1]);
    log_ = log[0];
    char c = 0;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
    close(out[0]);
  }
  ~LoggingSimulator() {
    Kill();
    if (log_ >= 0) close(log_);
  }
  LoggingSimulator(const LoggingSimulator&) = delete;
  LoggingSimulator& operator=(const LoggingSimulator&) = delete;

  const std::string& path() const { return path_; }

  // Reads the log until a line contains `text`; false when none did within `timeout_ms`.
  bool WaitForLog(const std::string& text, int timeout_ms = 20000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (log_text_.find(text) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            end - std::chrono::steady_clock::now())
                            .count();
      pollfd p{log_, POLLIN, 0};
      if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) return false;
      char chunk[512];
      const ssize_t n = read(log_, chunk, sizeof chunk);
      if (n <= 0) return false;
      log_text_.append(chunk, static_cast<std::size_t>(n));
    }
    return true;
  }

  // Kills the simulator at once, as pulling the plug would.
  void Kill() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

 private:
  pid_t pid_ = -1;
  int log_ = -1;
  std::string path_;
  std::string log_text_;
};

}  // namespace testing_support
