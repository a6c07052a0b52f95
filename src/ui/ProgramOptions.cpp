#include "ui/ProgramOptions.h"

#include "framework/core/CommandLine.h"
#include "ui/LiveOptions.h"

namespace ui {

const char kDemoUsage[] =
    "Usage: qx770-demo [--simulate | --port PATH | --serial NUMBER |\n"
    "                   --replay FILE [--replay-speed S]] [--measure] [--live [--count N]]\n"
    "                  [--screenshot FILE] [--csv FILE] [--record FILE]\n"
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
    "  --replay FILE      answer the measurements from a recording made with --record\n"
    "  --replay-speed S   0 (default): every reply at once; 1: at the recorded pace; any\n"
    "                     other number from 0 up: that many times as fast\n"
    "  --measure          press Measure once as soon as the window is up\n"
    "  --live             start continuous measurement (F6) as soon as the window is up\n"
    "  --count N          with --live: stop after N measurements (with --screenshot the\n"
    "                     picture is taken after the last)\n"
    "  --screenshot FILE  save the window as a PNG picture once it is up (after the\n"
    "                     measurement with --measure), then close it and end; works without\n"
    "                     a display (the window is then drawn off-screen)\n"
    "  --csv FILE         write the profile shown last as CSV (\"profile,index,X,Y\", the\n"
    "                     columns of qx770 measure --csv) when the window closes, or at the\n"
    "                     screenshot; off-screen, Ctrl+S saves there (and the chart beside it\n"
    "                     as .png)\n"
    "  --record FILE      record every exchange with the scanner into FILE, for --replay and\n"
    "                     'qx770 replay'\n"
    "  --help             show this text\n"
    "\n"
    "Keys: F5 measures once (as Measure does), F6 starts and stops continuous measurement,\n"
    "Ctrl+S saves the chart as PNG and the shown profile as CSV.\n"
    "\n"
    "When the scanner cannot be opened the window shows \"Error.\" and the cause is written\n"
    "to standard error; so is a scanner that is unplugged while it is measuring.\n"
    "\n"
    "Exit status: 0 after the window was closed (or the screenshot written), 1 when the\n"
    "program cannot start (no display without --screenshot, a broken window description, a\n"
    "recording that cannot be read or written), when a screenshot or --csv file cannot be\n"
    "written, with --measure --screenshot when the scanner could not be opened or the\n"
    "measurement failed (the picture is still written), or when continuous measurement for a\n"
    "screenshot stopped before its --count (three failed measurements in a row); 2 for a bad\n"
    "command line.\n";

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
    } else if (ReadLiveOption(line, o, error)) {
    } else {
      return DemoUsageError{line.Unknown()};
    }
    if (error) return DemoUsageError{*error};
  }
  if (auto conflict = source.Conflict()) return DemoUsageError{*conflict};
  if (auto conflict = LiveConflict(o)) return DemoUsageError{*conflict};
  return o;
}

}  // namespace ui
