#include "tools/ReplayCommand.h"

#include <fstream>
#include <memory>
#include <vector>

#include "framework/core/CommandLine.h"
#include "framework/core/MessageBox.h"
#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/ProfileCsv.h"
#include "scanner/ScannerCommands.h"
#include "sim/RecordingFile.h"
#include "sim/ReplayDriver.h"

namespace tools {

const char kReplayUsage[] =
    "Usage: qx770 replay FILE [--csv OUT|-]\n"
    "\n"
    "Turns a recording made with 'qx770 measure --record FILE' or 'qx770-demo --record FILE'\n"
    "into profiles: each recorded reply goes through the same decoding as when it was read,\n"
    "so an accepted reply gives the same points and a refused one is refused again.\n"
    "\n"
    "Options:\n"
    "  --csv OUT|-       write the profiles as CSV to OUT, or to standard output for '-', with\n"
    "                    the columns of 'qx770 measure --csv' (\"profile,index,X,Y\"); profiles\n"
    "                    are numbered by their measurement in the recording, so a refused reply\n"
    "                    leaves a gap\n"
    "  --help            show this text\n"
    "\n"
    "Without --csv a one-line summary of each measurement is printed. Exit status: 0 when every\n"
    "reply got the verdict it got when recorded, 1 when the recording cannot be read or is\n"
    "damaged or a reply is judged differently now, 2 for a bad command line.\n";

std::variant<ReplayOptions, ReplayUsageError> ParseReplayOptions(
    std::span<const std::string> args) {
  ReplayOptions o;
  bool have_file = false;
  fw::TCommandLine line(args);
  while (line.Next()) {
    const std::string& name = line.Name();
    if (line.IsHelp()) {
      if (auto e = line.NoValueError()) return ReplayUsageError{*e};
      o.help = true;
    } else if (name == "--csv") {
      const auto v = line.Value();
      if (!v) return ReplayUsageError{line.NeedsValue()};
      if (v->empty()) {
        return ReplayUsageError{"--csv needs a file name, or '-' for standard output"};
      }
      o.csv = *v;
    } else if (!line.Argument().starts_with("-") && !have_file) {
      o.file = line.Argument();
      have_file = true;
    } else if (!line.Argument().starts_with("-")) {
      return ReplayUsageError{"only one recording can be replayed, not also '" + line.Argument() +
                              "'"};
    } else {
      return ReplayUsageError{line.Unknown()};
    }
  }
  if (!have_file && !o.help) return ReplayUsageError{"replay needs a recording file"};
  return o;
}

namespace {

// Installs the replay driver and leaves the channel closed and the previous driver back.
class ReplaySession {
 public:
  explicit ReplaySession(std::unique_ptr<scanner::FtdiDriver> driver)
      : driver_(std::move(driver)) {}
  ~ReplaySession() { scanner::CloseScanner(); }
  ReplaySession(const ReplaySession&) = delete;
  ReplaySession& operator=(const ReplaySession&) = delete;

 private:
  scanner::ScopedDriver driver_;
};

const char* VerdictText(bool accepted) {
  return accepted ? "accepted" : "refused";
}

}  // namespace

int RunReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err) {
  std::vector<sim::Exchange> exchanges;
  if (auto failure = sim::LoadRecording(options.file, exchanges)) {
    err << "qx770: cannot replay " << options.file << ": " << failure->message << "\n";
    return 1;
  }
  std::ofstream file;
  std::ostream* csv = nullptr;
  if (options.csv) {
    if (*options.csv == "-") {
      csv = &out;
    } else {
      file.open(*options.csv, std::ios::out | std::ios::trunc);
      if (!file) {
        err << "qx770: cannot write the CSV file " << *options.csv << "\n";
        return 1;
      }
      csv = &file;
    }
  }

  auto owned = std::make_unique<sim::ReplayDriver>(std::move(exchanges));
  const sim::ReplayDriver& replay = *owned;
  ReplaySession session(std::move(owned));
  {
    fw::ScopedMessageBoxPresenter quiet([](const fw::MessageBoxRequest&) { return 1; });
    if (!scanner::OpenScanner()) {
      err << "qx770: cannot open the replayed scanner\n";
      return 1;
    }
  }

  if (csv != nullptr) scanner::WriteProfileCsvHeader(*csv);
  int status = 0;
  std::size_t accepted = 0;
  const std::size_t total = replay.measures().size();
  for (std::size_t k = 0; k < total; ++k) {
    const long n = static_cast<long>(k) + 1;
    const bool recorded = replay.measures()[k].verdict == sim::Verdict::kAccepted;
    scanner::ProfileCollector profile;
    const bool now = scanner::MeasureProfile(profile) == scanner::MeasureResult::kPlotted;
    if (now != recorded) {
      err << "qx770: measurement " << n << ": the reply was " << VerdictText(recorded)
          << " when recorded but is " << VerdictText(now) << " now\n";
      status = 1;
    }
    if (now) {
      ++accepted;
      if (csv != nullptr) scanner::WriteProfileCsv(*csv, n, profile.points());
      if (csv != &out) scanner::WriteProfileSummary(out, n, profile.points(), scanner::PointCount);
    } else if (csv != &out) {
      out << "profile " << n << ": refused (no valid reply)\n";
    }
  }
  err << "qx770: " << total << " measurements replayed from " << options.file << ", " << accepted
      << " accepted, " << total - accepted << " refused\n";
  if (csv != nullptr) {
    csv->flush();
    if (!*csv) {
      err << "qx770: writing the CSV output failed\n";
      return 1;
    }
  }
  return status;
}

}  // namespace tools
