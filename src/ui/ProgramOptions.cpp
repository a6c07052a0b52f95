#include "ui/ProgramOptions.h"

namespace ui {

const char kDemoUsage[] =
    "Usage: qx770-demo [--simulate | --port PATH] [--measure] [--screenshot FILE]\n"
    "       qx770-demo --help\n"
    "\n"
    "The operator window QX770-DEMO for the QX770 laser profile scanner: switch the laser,\n"
    "choose its intensity (0 to 127) and press Measure to plot one profile.\n"
    "\n"
    "Without options the scanner's USB bridge is opened by its description \"D2XX Recovery\n"
    "PID for XP\" (through the FTDI D2XX library when installed, else through the system's\n"
    "serial ports) and the window runs until it is closed.\n"
    "\n"
    "Options:\n"
    "  --simulate         use the built-in scanner simulator instead of hardware\n"
    "  --port PATH        the scanner's serial port, e.g. /dev/ttyUSB0 or the pseudo-terminal\n"
    "                     printed by qx770-scanner-sim\n"
    "  --measure          press Measure once as soon as the window is up\n"
    "  --screenshot FILE  save the window as a PNG picture once it is up (after the\n"
    "                     measurement with --measure), then close it and end; works without\n"
    "                     a display (the window is then drawn off-screen)\n"
    "  --help             show this text\n"
    "\n"
    "Exit status: 0 after the window was closed (or the screenshot written), 1 when the\n"
    "program cannot start (no display without --screenshot, a broken window description,\n"
    "a screenshot that cannot be written), 2 for a bad command line.\n";

std::variant<DemoOptions, DemoUsageError> ParseDemoOptions(std::span<const std::string> args) {
  DemoOptions o;
  bool port_given = false;
  bool simulate_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inline_value;
    if (name.rfind("--", 0) == 0) {
      if (const auto eq = name.find('='); eq != std::string::npos) {
        inline_value = name.substr(eq + 1);
        name.resize(eq);
      }
    }
    auto value = [&]() -> std::optional<std::string> {
      if (inline_value) return inline_value;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    auto takes_no_value = [&] { return DemoUsageError{name + " takes no value"}; };

    if (name == "--help" || name == "-h") {
      if (inline_value) return takes_no_value();
      o.help = true;
    } else if (name == "--simulate") {
      if (inline_value) return takes_no_value();
      simulate_given = true;
      o.source = DemoOptions::Source::kSimulator;
    } else if (name == "--measure") {
      if (inline_value) return takes_no_value();
      o.measure = true;
    } else if (name == "--port") {
      const auto v = value();
      if (!v || v->empty()) return DemoUsageError{"--port needs a device path, e.g. /dev/ttyUSB0"};
      port_given = true;
      o.source = DemoOptions::Source::kPort;
      o.port = *v;
    } else if (name == "--screenshot") {
      const auto v = value();
      if (!v || v->empty())
        return DemoUsageError{"--screenshot needs a file name, e.g. window.png"};
      o.screenshot = *v;
    } else {
      return DemoUsageError{"unknown option '" + args[i] + "'"};
    }
  }
  if (port_given && simulate_given)
    return DemoUsageError{"--port and --simulate cannot be used together"};
  return o;
}

}  // namespace ui
