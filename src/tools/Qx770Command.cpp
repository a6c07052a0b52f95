#include "tools/Qx770Command.h"

#include <string_view>
#include <variant>

#include "scanner/serial/SerialBridgeFallback.h"
#include "tools/DevicesCommand.h"
#include "tools/MeasureCommand.h"
#include "tools/MeasureOptions.h"

namespace tools {
namespace {

constexpr char kUsage[] =
    "Usage: qx770 measure [--port PATH | --serial NUMBER | --simulate] [--intensity N]"
    " [--laser on|off] [--count N] [--csv FILE|-]\n"
    "  or:  qx770 devices [--sysfs-root DIR] [--dev-root DIR] [--vendor-library FILE]\n"
    "  or:  qx770 --help | qx770 measure --help | qx770 devices --help\n"
    "\n"
    "Talks to a QX770 laser profile scanner without the window. 'qx770 measure' takes\n"
    "profiles; 'qx770 devices' lists the scanner bridges attached and says what stands in the\n"
    "way of using one.\n";

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
    return UsageFailure("no command given; the commands are 'measure' and 'devices'", err);
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage << "\nqx770 measure:" << WithoutUsageLine(kMeasureUsage)
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
