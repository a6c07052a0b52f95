// Serves a simulated scanner on a pseudo-terminal, as if it sat at the end of a serial line.
//
// Open creates a pseudo-terminal pair; its slave side (path()) is the "serial port" a program
// opens, the master side is the scanner's end. The server keeps a descriptor of the slave side
// open itself, in raw mode, so that programs can open and close the port one after another
// without the line hanging up and without the terminal echoing what they write.
//
// Serve moves bytes between the line and a Qx770Device until `stop` becomes non-zero. Paced, it
// holds the bytes to the line's speed (921600 baud, 10 bits a byte): a request counts as arrived
// only when its bytes could have crossed the line, and each reply byte is written when it would
// have arrived (in batches of one USB packet of the bridge; the reply's last byte to the
// microsecond). Paced, the server asks for real-time priority and a fine timer where the system
// allows, so that other programs do not stretch the line's timing. Unpaced, replies go out as
// fast as the terminal takes them.
//
// POSIX only; lives with the simulator program, not in the simulator library.
#pragma once

#include <csignal>
#include <string>

#include "sim/Qx770Device.h"

namespace sim {

class PseudoTerminalServer {
 public:
  // The time one byte takes on the line: 10 bits at 921600 baud.
  static constexpr double kByteMicroseconds = 10.0 * 1e6 / 921600.0;

  PseudoTerminalServer() = default;
  ~PseudoTerminalServer();
  PseudoTerminalServer(const PseudoTerminalServer&) = delete;
  PseudoTerminalServer& operator=(const PseudoTerminalServer&) = delete;

  // Creates the pair; false with a reason in `error` when the system refuses.
  bool Open(std::string& error);
  const std::string& path() const { return path_; }

  void Serve(Qx770Device& device, bool paced, const volatile std::sig_atomic_t& stop);

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

}  // namespace sim
