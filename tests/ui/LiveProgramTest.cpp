// The program qx770-demo with continuous measurement, recording and replay: the options, and
// runs inside the test process over the simulator and over recordings.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "scanner/Channel.h"
#include "sim/RecordingFile.h"
#include "support/GuiTestApp.h"
#include "ui/Program.h"
#include "ui/ProgramOptions.h"
#include "ui/TrabexMain.h"

namespace {

namespace fs = std::filesystem;
using ui::DemoOptions;

std::variant<DemoOptions, ui::DemoUsageError> Parse(std::vector<std::string> args) {
  return ui::ParseDemoOptions(args);
}

TEST(LiveOptions, ReadAndCheckedTogether) {
  const auto o = std::get<DemoOptions>(
      Parse({"--replay", "r.qxrec", "--replay-speed=1.5", "--live", "--count", "+20", "--csv",
             "p.csv", "--record=w.qxrec", "--screenshot", "w.png"}));
  EXPECT_EQ(o.replay.file, "r.qxrec");
  EXPECT_DOUBLE_EQ(o.replay.speed, 1.5);
  EXPECT_TRUE(o.live);
  EXPECT_EQ(o.count, 20);
  EXPECT_EQ(o.csv, "p.csv");
  EXPECT_EQ(o.record, "w.qxrec");
  const auto plain = std::get<DemoOptions>(Parse({"--simulate"}));
  EXPECT_FALSE(plain.live);
  EXPECT_FALSE(plain.count || plain.csv || plain.record || plain.replay.file);

  const std::pair<std::vector<std::string>, std::string> bad[] = {
      {{"--live", "--count"}, "--count needs a value"},
      {{"--live", "--count", "0"}, "--count must be a whole number from 1 up, not '0'"},
      {{"--live", "--count", "2x"}, "--count must be a whole number from 1 up, not '2x'"},
      {{"--count", "5"}, "--count needs --live (it limits continuous measurement)"},
      {{"--live", "--screenshot", "w.png"},
       "--live with --screenshot needs --count N: the picture is taken after the last "
       "measurement"},
      {{"--live=1"}, "--live takes no value"},
      {{"--csv="}, "--csv needs a file name, e.g. profile.csv"},
      {{"--record"}, "--record needs a file name, e.g. run.qxrec"},
      {{"--replay"}, "--replay needs a recording file, e.g. run.qxrec"},
      {{"--replay", "r", "--simulate"},
       "--replay cannot be used together with --simulate, --port or --serial"},
      {{"--replay-speed", "1"}, "--replay-speed needs --replay FILE"},
      {{"--replay", "r", "--replay-speed", "-1"},
       "--replay-speed must be a number from 0 up (0: as fast as possible, 1: as recorded), not "
       "'-1'"},
      {{"--replay", "r", "--replay-speed", "nan"},
       "--replay-speed must be a number from 0 up (0: as fast as possible, 1: as recorded), not "
       "'nan'"},
  };
  for (const auto& [args, message] : bad) {
    const auto result = Parse(args);
    ASSERT_TRUE(std::holds_alternative<ui::DemoUsageError>(result)) << message;
    EXPECT_EQ(std::get<ui::DemoUsageError>(result).message, message);
  }
}

struct RunResult {
  int status;
  std::string out, err;
};

RunResult RunInProcess(std::vector<std::string> args) {
  testing_support::EnsureGuiApplication();
  args.insert(args.begin(), "qx770-demo");
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int argc = static_cast<int>(args.size());
  std::ostringstream out, err;
  const int status = ui::RunDemo(argc, argv.data(), out, err);
  return {status, out.str(), err.str()};
}

fs::path TempFile(const std::string& name) {
  return fs::temp_directory_path() / ("qx770-live-test-" + std::to_string(getpid()) + "-" + name);
}

std::string ReadFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST(LiveProgram, ALiveRunRecordedAndReplayedShowsTheSameProfile) {
  const fs::path rec = TempFile("run.qxrec"), csv = TempFile("live.csv"),
                 again = TempFile("again.csv"), png = TempFile("live.png");
  const RunResult live =
      RunInProcess({"--simulate", "--live", "--count", "12", "--screenshot", png.string(), "--csv",
                    csv.string(), "--record", rec.string()});
  ASSERT_EQ(live.status, 0) << live.err;
  EXPECT_FALSE(scanner::ScannerIsOpen());
  std::vector<sim::Exchange> recording;
  ASSERT_EQ(sim::LoadRecording(rec.string(), recording), std::nullopt);
  // The start-up parameters, then the twelve measurements.
  ASSERT_EQ(recording.size(), 14u);
  EXPECT_FALSE(recording[1].IsMeasure());
  EXPECT_TRUE(recording[13].IsMeasure());
  EXPECT_EQ(recording[13].verdict, sim::Verdict::kAccepted);
  const std::string shown = ReadFile(csv);
  EXPECT_EQ(shown.rfind("profile,index,X,Y\n1,0,", 0), 0u) << shown.substr(0, 40);
  QImage picture;
  ASSERT_TRUE(picture.load(QString::fromStdString(png.string()), "PNG"));

  const RunResult replay = RunInProcess({"--replay", rec.string(), "--live", "--count", "12",
                                         "--screenshot", png.string(), "--csv", again.string()});
  ASSERT_EQ(replay.status, 0) << replay.err;
  EXPECT_EQ(ReadFile(again), shown);

  // Beyond the recording the replayed scanner is silent: three failures stop the run early.
  const RunResult beyond = RunInProcess({"--replay", rec.string(), "--live", "--count", "20",
                                         "--screenshot", png.string(), "--csv", again.string()});
  EXPECT_EQ(beyond.status, 1);
  EXPECT_NE(beyond.err.find("continuous measurement stopped after 15 of 20 measurements: the "
                            "scanner gave no valid reply 3 times in a row"),
            std::string::npos)
      << beyond.err;
  EXPECT_EQ(ReadFile(again), shown) << "the failed measurements kept the last profile";
  for (const auto& p : {rec, csv, again, png}) fs::remove(p);
}

TEST(LiveProgram, FilesThatCannotBeReadOrWrittenAreNamed) {
  const fs::path png = TempFile("x.png"), damaged = TempFile("damaged.qxrec");
  std::ofstream(damaged, std::ios::binary) << "QX770REC\x01";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--replay", damaged.string(), "--screenshot", png.string()},
       "qx770-demo: cannot replay " + damaged.string() +
           ": the recording is truncated at byte offset 9: the file header needs 12 bytes\n"},
      {{"--simulate", "--record", "/nonexistent-dir/r.qxrec", "--screenshot", png.string()},
       "qx770-demo: cannot write the recording /nonexistent-dir/r.qxrec\n"},
      {{"--simulate", "--csv", "/nonexistent-dir/p.csv", "--screenshot", png.string()},
       "qx770-demo: cannot write the profile to /nonexistent-dir/p.csv\n"},
  };
  for (const auto& [args, message] : cases) {
    const RunResult r = RunInProcess(args);
    EXPECT_EQ(r.status, 1) << message;
    EXPECT_EQ(r.err, message);
  }
  fs::remove(png);
  fs::remove(damaged);
}

}  // namespace
