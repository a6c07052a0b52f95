#include "ui/ProgramOptions.h"

#include "framework/core/CommandLine.h"

namespace ui {

const char kDemoUsage[] =
    "Usage: qx770-demo [--simulate | --port PATH | --serial NUMBER] [--measure]"
    " [--screenshot FILE]\n"
    "  or:  qx770-demo --help\n"
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
    "  --serial NUMBER    the scanner's bridge with this USB serial number ('qx770 devices'\n"
    "                     lists them), for a machine with more than one\n"
    "  --measure          press Measure once as soon as the window is up\n"
    "  --screenshot FILE  save the window as a PNG picture once it is up (after the\n"
    "                     measurement with --measure), then close it and end; works without\n"
    "                     a display (the window is then drawn off-screen)\n"
    "  --help             show this text\n"
    "\n"
    "When the scanner cannot be opened the window shows \"Error.\" and the cause is written\n"
    "to standard error; so is a scanner that is unplugged while it is measuring.\n"
    "\n"
    "Exit status: 0 after the window was closed (or the screenshot written), 1 when the\n"
    "program cannot start (no display without --screenshot, a broken window description,\n"
    "a screenshot that cannot be written) or, with --measure --screenshot, when the scanner\n"
    "could not be opened or the measurement failed (the picture is still written), 2 for a\n"
    "bad command line.\n";

std::variant<DemoOptions, DemoUsageError> ParseDemoOptions(std::span<const std::string> args) {
  DemoOptions o;
  fw::TCommandLine line(args);
  // A "--port" at the end of the line is refused like an empty one.
  sim::ScannerSourceReader source(o.source, o.port,
                                  "--port needs a device path, e.g. /dev/ttyUSB0");
  while (line.Next()) {
    std::optional<std::string> error;
    if (line.IsHelp()) {
      error = line.NoValueError();
      o.help = true;
    } else if (source.Read(line, error)) {
    } else if (line.Name() == "--measure") {
      error = line.NoValueError();
      o.measure = true;
    } else if (line.Name() == "--screenshot") {
      const auto v = line.Value();
      if (!v || v->empty())
        return DemoUsageError{"--screenshot needs a file name, e.g. window.png"};
      o.screenshot = *v;
    } else {
      return DemoUsageError{line.Unknown()};
    }
    if (error) return DemoUsageError{*error};
  }
  if (auto conflict = source.Conflict()) return DemoUsageError{*conflict};
  return o;
}

}  // namespace ui
