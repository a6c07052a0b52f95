#include "scanner/serial/PortCheck.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace scanner {
namespace {

PortCheck Problem(PortProblem problem, std::string detail = {}) {
  return PortCheck{problem, std::move(detail)};
}

PortCheck FromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
      return Problem(PortProblem::kNoDevice);
    case EACCES:
    case EPERM:
      return Problem(PortProblem::kPermissionDenied);
    case EBUSY:
      return Problem(PortProblem::kInUse);
    case EISDIR:
      return Problem(PortProblem::kNotSerial, "a folder");
    default:
      return Problem(PortProblem::kOther, std::strerror(error));
  }
}

}  // namespace

PortCheck CheckPort(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return FromErrno(errno);
  if (S_ISDIR(st.st_mode)) return Problem(PortProblem::kNotSerial, "a folder");
  if (S_ISREG(st.st_mode)) return Problem(PortProblem::kNotSerial, "a plain file");
  if (!S_ISCHR(st.st_mode)) return Problem(PortProblem::kNotSerial, "not a device");

  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return FromErrno(errno);
  PortCheck result;
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) {
    result = Problem(PortProblem::kNotSerial, "a device that is not a serial port");
  } else if (HeldExclusively(fd)) {
    result = Problem(PortProblem::kInUse);
  }
  close(fd);
  return result;
}

std::string DescribePortProblem(const std::string& path, const PortCheck& check) {
  switch (check.problem) {
    case PortProblem::kNoDevice:
      return "there is no device " + path;
    case PortProblem::kPermissionDenied:
      return "permission denied on " + path +
             " (add yourself to the dialout group and log in again, or install the udev rule "
             "of qx770-demo)";
    case PortProblem::kInUse:
      return path + " is in use by another program";
    case PortProblem::kNotSerial:
      return path + " is not a serial device (" + check.detail + ")";
    case PortProblem::kOther:
      return path + " could not be opened (" + check.detail + ")";
    case PortProblem::kNone:
      break;
  }
  return path + " could not be opened";
}

bool HeldExclusively(int fd) {
#if defined(TIOCGEXCL)
  int exclusive = 0;
  return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
#else
  (void)fd;
  return false;
#endif
}

bool PathHeldExclusively(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = HeldExclusively(fd);
  close(fd);
  return held;
}

bool RequestLowLatency(int fd) {
#if defined(__linux__) && defined(ASYNC_LOW_LATENCY)
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return false;
  if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return true;
  serial.flags |= ASYNC_LOW_LATENCY;
  return ioctl(fd, TIOCSSERIAL, &serial) == 0;
#else
  (void)fd;
  return false;
#endif
}

bool HungUp(int fd) {
  if (fd < 0) return false;
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace scanner
