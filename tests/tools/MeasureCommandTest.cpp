// `qx770 measure` run in-process against the built-in simulator, and the top-level command line.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "scanner/Channel.h"
#include "scanner/ScannerCommands.h"
#include "tools/Qx770Command.h"

namespace tools {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Qx770(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = RunQx770(args, out, err);
  return {status, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(MeasureCommandTest, WritesProfilesAsCsvInAscendingX) {
  const Outcome run = Qx770({"measure", "--simulate", "--count", "3", "--csv", "-"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const auto lines = Lines(run.out);
  ASSERT_GT(lines.size(), 3u * 400);
  EXPECT_EQ(lines[0], "profile,index,X,Y");
  int profile = 0;
  long index = -1;
  long last_x = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    int p = 0;
    long idx = 0, x = 0, y = 0;
    char tail = 0;
    ASSERT_EQ(std::sscanf(lines[i].c_str(), "%d,%ld,%ld,%ld%c", &p, &idx, &x, &y, &tail), 4)
        << lines[i];
    if (p != profile) {
      EXPECT_EQ(p, profile + 1);
      EXPECT_EQ(idx, 0);
      profile = p;
    } else {
      EXPECT_EQ(idx, index + 1);
      EXPECT_GE(x, last_x);
    }
    index = idx;
    last_x = x;
    EXPECT_GT(y, 0);
    EXPECT_LT(y, 75000);
  }
  EXPECT_EQ(profile, 3);
  // The channel is closed again afterwards.
  EXPECT_FALSE(scanner::ScannerIsOpen());
}

TEST(MeasureCommandTest, SendsTheStartUpParametersAndSwitchesTheLaser) {
  const Outcome on = Qx770({"measure", "--simulate", "--intensity", "17"});
  ASSERT_EQ(on.status, 0) << on.err;
  EXPECT_EQ(scanner::CommandData[0], scanner::kParamZero);  // the last write is parameter 0 = 1
  EXPECT_EQ(scanner::CommandData[1], 1);
  EXPECT_NE(on.out.find("profile 1: 4"), std::string::npos) << on.out;

  const Outcome off = Qx770({"measure", "--simulate", "--laser", "off", "--csv", "-"});
  ASSERT_EQ(off.status, 0) << off.err;
  EXPECT_EQ(off.out, "profile,index,X,Y\n");  // every point missing
  EXPECT_EQ(scanner::CommandData[0], scanner::kParamLaser);
  EXPECT_EQ(scanner::CommandData[1], 0);
}

TEST(MeasureCommandTest, HelpAndUsageErrors) {
  const Outcome help = Qx770({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option :
       {"--port", "--simulate", "--intensity", "--laser", "--count", "--csv"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(Qx770({"measure", "--help"}).status, 0);

  const Outcome none = Qx770({});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("qx770: no command"), std::string::npos);
  const Outcome bad = Qx770({"measure", "--simulate", "--intensity", "128"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("--intensity must be a whole number from 0 to 127"), std::string::npos);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(Qx770({"calibrate"}).status, 2);
}

TEST(MeasureCommandTest, UnwritableCsvFileIsReported) {
  const Outcome run = Qx770({"measure", "--simulate", "--csv", "/nonexistent-dir/out.csv"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write the CSV file /nonexistent-dir/out.csv"), std::string::npos);
}

}  // namespace
}  // namespace tools
