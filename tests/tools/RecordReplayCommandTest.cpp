// `qx770 measure --record`, `--replay` and `qx770 replay`: a run over a real pseudo-terminal
// against the simulator with faults, recorded and replayed, gives the same profiles and the same
// failures; damaged recordings are refused with the offset; the command lines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/Qx770Device.h"
#include "sim/RecordingFile.h"
#include "support/ChildProcess.h"
#include "tools/Qx770Command.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::ReadTextFile;
using testing_support::SimulatorProcess;
using Result = testing_support::ProgramRun;

Result RunQx770(std::vector<std::string> args, const fs::path& dir) {
  args.insert(args.begin(), BinDir() + "/qx770");
  return testing_support::RunProgram(std::move(args), dir);
}

struct Outcome {
  int status;
  std::string out, err;
};

Outcome InProcess(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = tools::RunQx770(args, out, err);
  return {status, out.str(), err.str()};
}

class RecordReplayCommandTest : public ::testing::Test {
 protected:
  RecordReplayCommandTest() {
    dir_ = fs::temp_directory_path() /
           ("qx770-rec-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  ~RecordReplayCommandTest() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(RecordReplayCommandTest, ARecordedRunOverTheLineReplaysToTheSameProfilesAndFailure) {
  ASSERT_TRUE(fs::exists(BinDir() + "/qx770-scanner-sim"));
  SimulatorProcess sim({"--fault", "short", "--fault-every", "4"});
  const Result live = RunQx770({"measure", "--port", sim.path(), "--count", "5", "--csv",
                                Path("live.csv"), "--record", Path("run.qxrec")},
                               dir_);
  ASSERT_EQ(live.status, 1);
  const std::string failure = "qx770: measurement 4 of 5 failed: the scanner's reply was cut short";
  EXPECT_EQ(live.err.rfind(failure, 0), 0u) << live.err;

  std::vector<sim::Exchange> recording;
  ASSERT_EQ(sim::LoadRecording(Path("run.qxrec"), recording), std::nullopt);
  ASSERT_EQ(recording.size(), 6u);  // two parameter writes, four measurements
  EXPECT_EQ(recording[5].verdict, sim::Verdict::kRefused);
  EXPECT_GT(recording[5].duration_us, 1'000'000u) << "the cut-short reply waited for its time-out";

  // Replayed through `measure`: the same profiles, the same failure at the same measurement.
  const Outcome replayed = InProcess(
      {"measure", "--replay", Path("run.qxrec"), "--count", "5", "--csv", Path("replayed.csv")});
  EXPECT_EQ(replayed.status, 1);
  EXPECT_EQ(replayed.err.rfind(failure, 0), 0u) << replayed.err;
  EXPECT_EQ(ReadTextFile(Path("replayed.csv")), ReadTextFile(Path("live.csv")));

  // Turned into CSV: the same profiles; the refused fourth measurement leaves a gap.
  const Outcome csv = InProcess({"replay", Path("run.qxrec"), "--csv", Path("replay.csv")});
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.err, "qx770: 4 measurements replayed from " + Path("run.qxrec") +
                         ", 3 accepted, 1 refused\n");
  EXPECT_EQ(ReadTextFile(Path("replay.csv")), ReadTextFile(Path("live.csv")));
  const Outcome summary = InProcess({"replay", Path("run.qxrec")});
  EXPECT_NE(summary.out.find("profile 4: refused (no valid reply)\n"), std::string::npos)
      << summary.out;

  // At the recorded pace the replay takes about as long as the run (the time-out included).
  const auto start = std::chrono::steady_clock::now();
  InProcess({"measure", "--replay", Path("run.qxrec"), "--replay-speed", "1", "--count", "4"});
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(RecordReplayCommandTest, AReplyJudgedDifferentlyNowIsReported) {
  // A recording that claims a cut-short reply was accepted.
  sim::Exchange e;
  e.request = {0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x80};
  e.reply = sim::Qx770Device::ReplyFrame(sim::Qx770Device::ProfilePayload(1, {{100, 200}}));
  e.verdict = sim::Verdict::kAccepted;
  sim::Exchange cut = e;
  cut.reply.resize(5);
  cut.time_us = 10;
  {
    auto writer = sim::RecordingWriter::Create(Path("odd.qxrec"));
    ASSERT_NE(writer, nullptr);
    writer->Write(e);
    writer->Write(cut);
  }
  const Outcome r = InProcess({"replay", Path("odd.qxrec"), "--csv", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("qx770: measurement 2: the reply was accepted when recorded but is "
                       "refused now\n"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.out, "profile,index,X,Y\n1,0,1464,1831\n");
}

TEST_F(RecordReplayCommandTest, DamagedRecordingsAndBadCommandLines) {
  ASSERT_EQ(
      InProcess({"measure", "--simulate", "--count", "2", "--record", Path("r.qxrec")}).status, 0);
  std::string bytes = ReadTextFile(Path("r.qxrec"));
  bytes.resize(bytes.size() - 3);
  std::ofstream(Path("cut.qxrec"), std::ios::binary) << bytes;
  const std::string cut_at = std::to_string(bytes.size());
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"replay", Path("cut.qxrec")},
        std::vector<std::string>{"measure", "--replay", Path("cut.qxrec")}}) {
    const Outcome r = InProcess(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.err.rfind("qx770: cannot replay " + Path("cut.qxrec") +
                              ": the recording is truncated at byte offset " + cut_at + ":",
                          0),
              0u)
        << r.err;
  }
  const Outcome missing = InProcess({"replay", Path("none.qxrec")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "qx770: cannot replay " + Path("none.qxrec") + ": the recording " +
                             Path("none.qxrec") + " cannot be read\n");
  const Outcome unwritable =
      InProcess({"measure", "--simulate", "--record", "/nonexistent-dir/r.qxrec"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "qx770: cannot write the recording /nonexistent-dir/r.qxrec\n");

  const std::pair<std::vector<std::string>, std::string> usage[] = {
      {{"replay"}, "replay needs a recording file"},
      {{"replay", "a", "b"}, "only one recording can be replayed, not also 'b'"},
      {{"replay", "a", "--count", "2"}, "unknown option '--count'"},
      {{"replay", "a", "--csv="}, "--csv needs a file name, or '-' for standard output"},
      {{"measure", "--replay", "a", "--port", "/dev/x"},
       "--replay cannot be used together with --simulate, --port or --serial"},
      {{"measure", "--replay-speed", "0"}, "--replay-speed needs --replay FILE"},
      {{"measure", "--record"}, "--record needs a file name, e.g. run.qxrec"},
  };
  for (const auto& [args, message] : usage) {
    const Outcome r = InProcess(args);
    EXPECT_EQ(r.status, 2) << message;
    EXPECT_EQ(r.err, "qx770: " + message + "\nTry 'qx770 --help' for more information.\n");
  }
  const Outcome help = InProcess({"--help"});
  for (const char* option : {"--record", "--replay", "--replay-speed", "qx770 replay FILE"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(InProcess({"replay", "--help"}).status, 0);
}

}  // namespace
