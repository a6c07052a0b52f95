// A private X server for end-to-end tests of the window program: Xvfb on a display it picks
// itself (-displayfd, so tests running side by side never meet), real mouse input through
// xdotool, and pictures of a window read back from the server (xcb GetImage).
//
// Everything started here is a child process that dies with the test at the latest; the
// destructors stop and reap them.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QImage>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcess.h"

namespace testing_support {

// Stops a child: SIGTERM, then SIGKILL when it has not gone after `grace`.
inline void StopChild(pid_t pid,
                      std::chrono::milliseconds grace = std::chrono::milliseconds(3000)) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  const auto until = std::chrono::steady_clock::now() + grace;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > until) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// Starts a program found on PATH (or by its path) with the given environment; its output goes to
// `log` (or nowhere). Answers the child's pid, -1 on failure.
inline pid_t SpawnProgram(std::vector<std::string> argv, const std::vector<std::string>& env,
                          const std::string& log = "/dev/null", int keepFd = -1) {
  const pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    for (int fd = 3; fd < 256; ++fd)
      if (fd != keepFd) close(fd);
    auto args = ExecPointers(argv);
    std::vector<std::string> environment = env;
    auto envp = ExecPointers(environment);
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
  }
  return pid;
}

class XvfbServer {
 public:
  XvfbServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = SpawnProgram({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                         "1024x768x24", "-nolisten", "tcp", "-noreset"},
                        BaseEnvironment(), "/dev/null", fds[1]);
    close(fds[1]);
    std::string number;
    char c = 0;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, 15000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~XvfbServer() { StopChild(pid_); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // ":N", or empty when the server did not start.
  const std::string& display() const { return display_; }

  // PATH and the sanitizers' settings of the test, in the C locale.
  static std::vector<std::string> BaseEnvironment() {
    std::vector<std::string> env{"LC_ALL=C"};
    for (const char* name : {"PATH", "HOME", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
      if (const char* v = std::getenv(name)) env.push_back(std::string(name) + "=" + v);
    return env;
  }
  std::vector<std::string> Environment() const {
    auto env = BaseEnvironment();
    env.push_back("DISPLAY=" + display_);
    return env;
  }

  // Runs xdotool with the arguments to its end (at most `timeout`); answers its output, or
  // nothing when it failed.
  std::optional<std::string> XDoTool(
      std::vector<std::string> args,
      std::chrono::milliseconds timeout = std::chrono::seconds(10)) const {
    args.insert(args.begin(), "xdotool");
    char path[] = "/tmp/qx770-xdotool-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return std::nullopt;
    close(fd);
    const pid_t pid = SpawnProgram(args, Environment(), path);
    const auto until = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    bool done = false;
    while (!(done = waitpid(pid, &status, WNOHANG) == pid) &&
           std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) StopChild(pid, std::chrono::milliseconds(100));
    std::string out = ReadTextFile(path);
    unlink(path);
    if (!done || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return out;
  }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// A connection to the server for reading window pictures back.
class XPictures {
 public:
  explicit XPictures(const std::string& display)
      : connection_(xcb_connect(display.c_str(), nullptr)) {}
  ~XPictures() { xcb_disconnect(connection_); }
  XPictures(const XPictures&) = delete;
  XPictures& operator=(const XPictures&) = delete;

  bool Connected() const { return xcb_connection_has_error(connection_) == 0; }

  // The window's pixels as the server holds them; a null image on failure.
  QImage Grab(xcb_window_t window) const {
    xcb_get_geometry_reply_t* g =
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
    if (g == nullptr) return {};
    const int w = g->width;
    const int h = g->height;
    free(g);
    xcb_get_image_reply_t* image =
        xcb_get_image_reply(connection_,
                            xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                          static_cast<uint16_t>(w), static_cast<uint16_t>(h), ~0u),
                            nullptr);
    if (image == nullptr) return {};
    QImage out;
    // 24-bit depth comes as 32 bits per pixel, blue first: Qt's RGB32 on a little-endian machine.
    if (xcb_get_image_data_length(image) == w * h * 4)
      out = QImage(xcb_get_image_data(image), w, h, w * 4, QImage::Format_RGB32).copy();
    free(image);
    return out;
  }

 private:
  xcb_connection_t* connection_;
};

}  // namespace testing_support
