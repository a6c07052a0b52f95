// Running the built programs from tests: each in a child process that dies with the test at the
// latest, with its exit status and output collected, and qx770-scanner-sim serving a
// pseudo-terminal whose path it prints on its first line.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

// Where the build put the programs (set for every test by the test runner); empty when unset.
inline std::string BinDir() {
  const char* dir = std::getenv("QX_TEST_BIN_DIR");
  return dir != nullptr ? dir : "";
}

inline std::string ReadTextFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A NULL-terminated pointer array over the strings, as exec takes it.
inline std::vector<char*> ExecPointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (std::string& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

struct ProgramRun {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
  double seconds = 0;
};

// Runs the program (argv[0] is its path) to its end, its output captured in files under `dir`.
// Without `env` the child inherits the test's environment.
inline ProgramRun RunProgram(std::vector<std::string> argv, const std::filesystem::path& dir,
                             std::optional<std::vector<std::string>> env = std::nullopt) {
  const std::filesystem::path out = dir / "stdout.txt";
  const std::filesystem::path err = dir / "stderr.txt";
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
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
  ProgramRun r;
  int status = 0;
  waitpid(pid, &status, 0);
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  r.out = ReadTextFile(out);
  r.err = ReadTextFile(err);
  return r;
}

// qx770-scanner-sim running as a child process; `path()` is the pseudo-terminal it serves.
class SimulatorProcess {
 public:
  explicit SimulatorProcess(std::vector<std::string> args = {}) {
    args.insert(args.begin(), BinDir() + "/qx770-scanner-sim");
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      auto argv = ExecPointers(args);
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
  SimulatorProcess(const SimulatorProcess&) = delete;
  SimulatorProcess& operator=(const SimulatorProcess&) = delete;

  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

}  // namespace testing_support
