#include "tools/MeasureOptions.h"

#include <charconv>
#include <string_view>

#include "framework/core/CommandLine.h"

namespace tools {

const char kMeasureUsage[] =
    "Usage: qx770 measure [--port PATH | --serial NUMBER | --simulate |\n"
    "                      --replay FILE [--replay-speed S]] [--intensity N] [--laser on|off]\n"
    "                     [--count N] [--csv FILE|-] [--record FILE]\n"
    "\n"
    "Opens the scanner the way the QX770-DEMO window does, sends the same start-up parameters\n"
    "(the laser intensity, then parameter 0 = 1), optionally switches the laser, takes N\n"
    "profiles and reports them.\n"
    "\n"
    "Options:\n"
    "  --port PATH       the scanner's serial port, e.g. /dev/ttyUSB0 or the pseudo-terminal\n"
    "                    printed by qx770-scanner-sim; without --port, --serial and --simulate\n"
    "                    the scanner's USB bridge is found by its description \"D2XX Recovery\n"
    "                    PID for XP\", through the FTDI D2XX library when installed, else through\n"
    "                    the system's serial ports\n"
    "  --serial NUMBER   the scanner's bridge with this USB serial number (see 'qx770 devices'),\n"
    "                    for a machine with more than one\n"
    "  --simulate        use the built-in scanner simulator instead of hardware\n"
    "  --replay FILE     answer the measurements from a recording made with --record: each\n"
    "                    reply exactly as it was read then (refused ones are refused again)\n"
    "  --replay-speed S  0 (default): every reply at once; 1: at the recorded pace; any\n"
    "                    other number from 0 up: that many times as fast\n"
    "  --intensity N     the laser intensity sent at start, 0 to 127 (default 25)\n"
    "  --laser on|off    switch the laser on or off before measuring (default: leave it)\n"
    "  --count N         how many profiles to take, one after another (default 1)\n"
    "  --csv FILE|-      write the profiles as CSV to FILE, or to standard output for '-':\n"
    "                    a header line \"profile,index,X,Y\", then one line per plotted point:\n"
    "                    the profile's number (1 for the first), the point's index within the\n"
    "                    profile (0 for the leftmost; points in ascending X order, as the chart\n"
    "                    holds them) and its chart coordinates X and Y; points the scanner\n"
    "                    marked missing are left out\n"
    "  --record FILE     record every exchange with the scanner into FILE (time, request,\n"
    "                    reply bytes as read, accepted or not), for --replay and 'qx770 replay'\n"
    "  --help            show this text\n"
    "\n"
    "Standard output carries a one-line summary of each profile, also when --csv FILE\n"
    "writes the profiles to a file; with --csv - it carries the CSV instead of the summaries.\n"
    "Messages go to standard error. Exit status: 0 when every profile was taken, 1 when the\n"
    "scanner could not be opened (the message says why) or a measurement failed (no reply, a\n"
    "reply cut short or with a wrong checksum, the scanner disconnected), 2 for a bad command\n"
    "line.\n";

namespace {

bool ParseInteger(std::string_view text, long& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end;
}

}  // namespace

std::variant<MeasureOptions, UsageError> ParseMeasureOptions(std::span<const std::string> args) {
  MeasureOptions o;
  fw::TCommandLine line(args);
  sim::ScannerSourceReader source(o.source, o.port);
  while (line.Next()) {
    std::optional<std::string> error;
    const std::string& name = line.Name();
    if (line.IsHelp()) {
      error = line.NoValueError();
      o.help = true;
    } else if (source.Read(line, error)) {
    } else if (sim::ReadReplayOption(line, o.replay, error)) {
    } else if (name == "--record") {
      const auto v = line.Value();
      if (!v || v->empty()) return UsageError{"--record needs a file name, e.g. run.qxrec"};
      o.record = *v;
    } else if (name == "--intensity") {
      const auto v = line.Value();
      if (!v) return UsageError{line.NeedsValue()};
      long n = 0;
      if (!ParseInteger(*v, n) || n < 0 || n > 127) {
        return UsageError{"--intensity must be a whole number from 0 to 127, not '" + *v +
                          "' (the wire carries 7 bits of each data byte)"};
      }
      o.intensity = static_cast<int>(n);
    } else if (name == "--laser") {
      const auto v = line.Value();
      if (!v) return UsageError{line.NeedsValue()};
      if (*v == "on") {
        o.laser = true;
      } else if (*v == "off") {
        o.laser = false;
      } else {
        return UsageError{"--laser must be 'on' or 'off', not '" + *v + "'"};
      }
    } else if (name == "--count") {
      const auto v = line.Value();
      if (!v) return UsageError{line.NeedsValue()};
      long n = 0;
      if (!ParseInteger(*v, n) || n < 1) {
        return UsageError{"--count must be a whole number from 1 up, not '" + *v + "'"};
      }
      o.count = n;
    } else if (name == "--csv") {
      const auto v = line.Value();
      if (!v) return UsageError{line.NeedsValue()};
      if (v->empty()) return UsageError{"--csv needs a file name, or '-' for standard output"};
      o.csv = *v;
    } else {
      return UsageError{line.Unknown()};
    }
    if (error) return UsageError{*error};
  }
  if (auto conflict = source.Conflict()) return UsageError{*conflict};
  if (auto conflict =
          sim::ReplayConflict(o.replay, o.source != MeasureOptions::Source::kDescription))
    return UsageError{*conflict};
  return o;
}

}  // namespace tools
