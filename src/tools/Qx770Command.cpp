#include "tools/Qx770Command.h"

#include <variant>

#include "tools/MeasureCommand.h"
#include "tools/MeasureOptions.h"
#include "tools/ReplayCommand.h"

namespace tools {
namespace {

constexpr char kUsage[] =
    "Usage: qx770 measure [--port PATH | --simulate | --replay FILE [--replay-speed S]]\n"
    "                     [--intensity N] [--laser on|off] [--count N] [--csv FILE|-]\n"
    "                     [--record FILE]\n"
    "       qx770 replay FILE [--csv OUT|-]\n"
    "       qx770 --help | qx770 measure --help | qx770 replay --help\n"
    "\n"
    "Talks to a QX770 laser profile scanner without the window. 'qx770 measure' takes\n"
    "profiles (and records the exchanges with --record); 'qx770 replay' turns a recording\n"
    "into profiles. '--help' after a command explains its options.\n";

int UsageFailure(const std::string& message, std::ostream& err) {
  err << "qx770: " << message << "\n"
      << "Try 'qx770 --help' for more information.\n";
  return 2;
}

}  // namespace

int RunQx770(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.empty())
    return UsageFailure("no command given; the commands are 'measure' and 'replay'", err);
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage << "\n" << kMeasureUsage << "\n" << kReplayUsage;
    return 0;
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
