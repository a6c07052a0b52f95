// Why a serial device path cannot serve as the scanner's port, found out by trying it.
//
// CheckPort looks at a path the way the serial bridge would use it: it must exist, be a
// character device this user may open for reading and writing, be a terminal (a serial port or a
// pseudo-terminal), and not be held open exclusively by another program. It opens the device
// without waiting for a carrier and closes it again at once; nothing is written. POSIX only.
//
// The low-level helpers are shared with the serial bridge: whether a terminal is held
// exclusively (another program opened it as a serial port, which asks the kernel for exclusive
// use), and the request for low latency, which on FTDI ports makes the kernel driver use a 1 ms
// latency timer in place of 16 ms.
#pragma once

#include <string>

namespace scanner {

enum class PortProblem {
  kNone,              // the path can be opened as a serial port
  kNoDevice,          // nothing at that path, or a device node without its device
  kPermissionDenied,  // this user may not open it for reading and writing
  kInUse,             // another program holds it
  kNotSerial,         // a plain file, a folder, or a device that is no terminal
  kOther,             // any other refusal of the system
};

struct PortCheck {
  PortProblem problem = PortProblem::kNone;
  // For kNotSerial what the path is instead ("a plain file", "a folder", "a device that is not a
  // serial port"); for kOther the system's reason.
  std::string detail;
};

PortCheck CheckPort(const std::string& path);

// The clause for a problem: "there is no device PATH", "permission denied on PATH (...)",
// "PATH is in use by another program", "PATH is not a serial device (a plain file)", ...
// For kNone: "PATH could not be opened".
std::string DescribePortProblem(const std::string& path, const PortCheck& check);

// Whether the open terminal `fd` is in exclusive use (a second open would be refused to anyone
// without administrator rights). False for anything that cannot tell.
bool HeldExclusively(int fd);

// Whether the terminal at `path` is in exclusive use; false when it cannot be opened to ask.
bool PathHeldExclusively(const std::string& path);

// Asks the kernel's serial driver of `fd` for low latency; false, changing nothing, on a port
// that has no such setting (a pseudo-terminal).
bool RequestLowLatency(int fd);

// Whether the open terminal `fd` has hung up: its device went away (a USB bridge unplugged, the
// far end of a pseudo-terminal closed).
bool HungUp(int fd);

}  // namespace scanner
