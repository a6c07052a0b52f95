#include "tools/Qx770Command.h"

#include <string_view>
#include <variant>

#include "scanner/serial/SerialBridgeFallback.h"
#include "tools/DevicesCommand.h"
#include "tools/MeasureCommand.h"
#include "tools/MeasureOptions.h"
#include "tools/ReplayCommand.h"

namespace tools {
namespace {

constexpr char kUsage[] =
    "Usage: qx770 measure [--port PATH | --serial NUMBER | --simulate |\n"
    "                      --replay FILE [--replay-speed S]] [--intensity N] [--laser on|off]\n"
    "                     [--count N] [--csv FILE|-] [--record FILE]\n"
    "  or:  qx770 replay FILE [--csv OUT|-]\n"
    "  or:  qx770 devices [--sysfs-root DIR] [--dev-root DIR] [--vendor-library FILE]\n"
    "  or:  qx770 --help | qx770 measure --help | qx770 replay --help | qx770 devices --help\n"
    "\n"
    "Talks to a QX770 laser profile scanner without the window. 'qx770 measure' takes\n"
    "profiles (and records the exchanges with --record); 'qx770 replay' turns a recording\n"
    "into profiles; 'qx770 devices' lists the scanner bridges attached and says what stands in\n"
    "the way of using one.\n";

// A command's help without its usage line, for the program's own help.
std::string_view WithoutUsageLine(std::string_view help) {
  const auto end = help.find('\n');
  return end == std::string_view::npos ? help : help.substr(end + 1);
}

int UsageFailure(const std::string& message, std::ostream& err) {
  err << "qx770: " << message << "\n"
      << "Try 'qx770 --help' for more information.\n";
  return 2;
}

}  // namespace

int RunQx770(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  // Without the vendor's library the scanner is found among the system's serial ports.
  scanner::UseSerialBridgeFallback();
  if (args.empty())
    return UsageFailure("no command given; the commands are 'measure', 'replay' and 'devices'",
                        err);
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage << "\nqx770 measure:" << WithoutUsageLine(kMeasureUsage)
        << "\nqx770 replay:" << WithoutUsageLine(kReplayUsage)
        << "\nqx770 devices:" << WithoutUsageLine(kDevicesUsage);
    return 0;
  }
  if (command == "devices") {
    const auto parsed = ParseDevicesOptions(args.subspan(1));
    if (const auto* error = std::get_if<DevicesUsageError>(&parsed))
      return UsageFailure(error->message, err);
    const auto& options = std::get<DevicesOptions>(parsed);
    if (options.help) {
      out << kDevicesUsage;
      return 0;
    }
    return RunDevices(options, out);
  }
  if (command == "replay") {
    const auto parsed = ParseReplayOptions(args.subspan(1));
    if (const auto* error = std::get_if<ReplayUsageError>(&parsed)) {
      return UsageFailure(error->message, err);
    }
    const auto& options = std::get<ReplayOptions>(parsed);
    if (options.help) {
      out << kReplayUsage;
      return 0;
    }
    return RunReplay(options, out, err);
  }
  if (command != "measure") return UsageFailure("unknown command '" + command + "'", err);

  const auto parsed = ParseMeasureOptions(args.subspan(1));
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    return UsageFailure(error->message, err);
  }
  const auto& options = std::get<MeasureOptions>(parsed);
  if (options.help) {
    out << kMeasureUsage;
    return 0;
  }
  return RunMeasure(options, out, err);
}

}  // namespace tools
