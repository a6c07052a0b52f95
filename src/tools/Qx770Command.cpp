#include "tools/Qx770Command.h"

#include <variant>

#include "scanner/serial/SerialBridgeFallback.h"
#include "tools/MeasureCommand.h"
#include "tools/MeasureOptions.h"

namespace tools {
namespace {

constexpr char kUsage[] =
    "Usage: qx770 measure [--port PATH | --simulate] [--intensity N] [--laser on|off]\n"
    "                     [--count N] [--csv FILE|-]\n"
    "       qx770 --help | qx770 measure --help\n"
    "\n"
    "Talks to a QX770 laser profile scanner without the window. 'qx770 measure' takes\n"
    "profiles; 'qx770 measure --help' explains its options.\n";

int UsageFailure(const std::string& message, std::ostream& err) {
  err << "qx770: " << message << "\n"
      << "Try 'qx770 --help' for more information.\n";
  return 2;
}

}  // namespace

int RunQx770(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  // Without the vendor's library the scanner is found among the system's serial ports.
  scanner::UseSerialBridgeFallback();
  if (args.empty()) return UsageFailure("no command given; the command is 'measure'", err);
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage << "\n" << kMeasureUsage;
    return 0;
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
