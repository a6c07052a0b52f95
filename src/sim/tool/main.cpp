// qx770-scanner-sim: a simulated QX770 scanner on a pseudo-terminal.
//
// Prints the terminal's device path on the first line of standard output, then serves the
// scanner's wire protocol there until interrupted or terminated.
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/CommandLine.h"
#include "sim/Qx770Device.h"
#include "sim/tool/PseudoTerminalServer.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
  g_stop = 1;
}

constexpr char kUsage[] =
    "Usage: qx770-scanner-sim [options]\n"
    "\n"
    "Serves a simulated QX770 laser profile scanner on a new pseudo-terminal. The first line\n"
    "printed is the terminal's device path; open it as the scanner's serial port, e.g.\n"
    "  qx770 measure --port /dev/pts/7\n"
    "The scanner starts with its laser on at intensity 25, answers parameter writes (command 3)\n"
    "and measure requests (command 5), and ignores requests whose checksum is wrong. It runs\n"
    "until interrupted (Ctrl-C) or terminated.\n"
    "\n"
    "Options:\n"
    "  --seed N          the surface's noise and drop-outs for seed N (default 1); the same\n"
    "                    seed gives the same sequence of profiles\n"
    "  --paced           send and receive at the real line speed, 921600 baud with 10 bits a\n"
    "                    byte (a 440-point reply then takes 19.2 ms); runs at real-time\n"
    "                    priority where the system allows, to keep that timing\n"
    "  --fault KIND      answer measurements wrongly: silence (no reply at all), checksum (a\n"
    "                    reply whose checksum is wrong), short (a reply cut off halfway)\n"
    "  --fault-every N   the fault hits only every N-th measurement (default 1: every one)\n"
    "  --verbose         log every command taken and every request ignored on standard error\n"
    "  --help            show this text\n";

bool ParseCount(std::string_view text, std::uint64_t& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

int Fail(const std::string& message) {
  std::cerr << "qx770-scanner-sim: " << message << "\n"
            << "Try 'qx770-scanner-sim --help' for the options.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  sim::DeviceOptions options;
  bool paced = false;
  bool verbose = false;
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  fw::TCommandLine line(args);
  while (line.Next()) {
    std::optional<std::string> error;
    const std::string& name = line.Name();
    if (line.IsHelp()) {
      if ((error = line.NoValueError())) return Fail(*error);
      std::cout << kUsage;
      return 0;
    } else if (name == "--paced") {
      error = line.NoValueError();
      paced = true;
    } else if (name == "--verbose") {
      error = line.NoValueError();
      verbose = true;
    } else if (name == "--seed") {
      const auto v = line.Value();
      if (!v || !ParseCount(*v, options.seed)) error = "--seed needs a whole number from 0 up";
    } else if (name == "--fault") {
      const auto v = line.Value();
      if (!v || !sim::ParseFault(*v, options.fault))
        error = "--fault needs one of: silence, checksum, short";
    } else if (name == "--fault-every") {
      const auto v = line.Value();
      if (!v || !ParseCount(*v, options.fault_every) || options.fault_every == 0)
        error = "--fault-every needs a whole number from 1 up";
    } else {
      error = line.Unknown();
    }
    if (error) return Fail(*error);
  }

  sim::PseudoTerminalServer server;
  std::string error;
  if (!server.Open(error)) {
    std::cerr << "qx770-scanner-sim: " << error << "\n";
    return 1;
  }
  sim::Qx770Device device(options);
  if (verbose) {
    device.set_logger(
        [](const std::string& line) { std::cerr << "qx770-scanner-sim: " << line << "\n"; });
  }

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);

  std::cout << server.path() << std::endl;
  server.Serve(device, paced, g_stop);
  if (verbose) {
    const auto plural = [](std::uint64_t n, const char* one, const char* many) {
      return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::cerr << "qx770-scanner-sim: "
              << plural(device.measurements(), "measurement", "measurements") << ", "
              << plural(device.ignored_frames(), "request", "requests") << " ignored\n";
  }
  return 0;
}
