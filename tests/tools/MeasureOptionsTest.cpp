// Reading the options of `qx770 measure`, and what the command line refuses.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "tools/MeasureOptions.h"

namespace tools {
namespace {

std::variant<MeasureOptions, UsageError> Parse(std::vector<std::string> args) {
  return ParseMeasureOptions(args);
}

TEST(MeasureOptionsTest, DefaultsAndEveryOption) {
  const auto defaults = std::get<MeasureOptions>(Parse({}));
  EXPECT_EQ(defaults.source, MeasureOptions::Source::kDescription);
  EXPECT_EQ(defaults.intensity, 25);
  EXPECT_FALSE(defaults.laser.has_value());
  EXPECT_EQ(defaults.count, 1);
  EXPECT_FALSE(defaults.csv.has_value());

  const auto o = std::get<MeasureOptions>(Parse({"--port", "/dev/ttyUSB3", "--intensity", "127",
                                                 "--laser", "off", "--count", "12", "--csv", "-"}));
  EXPECT_EQ(o.source, MeasureOptions::Source::kPort);
  EXPECT_EQ(o.port, "/dev/ttyUSB3");
  EXPECT_EQ(o.intensity, 127);
  EXPECT_EQ(o.laser, false);
  EXPECT_EQ(o.count, 12);
  EXPECT_EQ(o.csv, "-");

  const auto eq = std::get<MeasureOptions>(
      Parse({"--simulate", "--intensity=0", "--laser=on", "--csv=out.csv"}));
  EXPECT_EQ(eq.source, MeasureOptions::Source::kSimulator);
  EXPECT_EQ(eq.intensity, 0);
  EXPECT_EQ(eq.laser, true);
  EXPECT_EQ(eq.csv, "out.csv");

  const auto serial = std::get<MeasureOptions>(Parse({"--serial", "FT5XQ770", "--csv", "-"}));
  EXPECT_EQ(serial.source, MeasureOptions::Source::kSerialNumber);
  EXPECT_EQ(serial.port, "FT5XQ770");
  EXPECT_EQ(serial.csv, "-");

  EXPECT_TRUE(std::get<MeasureOptions>(Parse({"--help"})).help);
}

TEST(MeasureOptionsTest, RefusedCommandLines) {
  const struct {
    std::vector<std::string> args;
    const char* message_part;
  } cases[] = {
      {{"--intensity", "128"}, "from 0 to 127, not '128'"},
      {{"--intensity", "-1"}, "from 0 to 127"},
      {{"--intensity", "300"}, "from 0 to 127"},
      {{"--intensity", "2x"}, "from 0 to 127"},
      {{"--intensity", ""}, "from 0 to 127"},
      {{"--intensity"}, "--intensity needs a value"},
      {{"--count", "0"}, "--count must be a whole number from 1 up"},
      {{"--count", "many"}, "--count"},
      {{"--laser", "maybe"}, "--laser must be 'on' or 'off'"},
      {{"--port", "/dev/x", "--simulate"}, "cannot be used together"},
      {{"--serial", "FT1", "--port", "/dev/x"}, "--serial and --port cannot be used together"},
      {{"--simulate", "--serial=FT1"}, "--serial and --simulate cannot be used together"},
      {{"--serial="}, "--serial needs the bridge's USB serial number"},
      {{"--port", "--count", "6"},
       "--port needs a value, but the next argument '--count' is an option"},
      {{"--csv", "--help"}, "--csv needs a value, but the next argument '--help' is an option"},
      {{"--simulate=yes"}, "--simulate takes no value"},
      {{"--csv="}, "--csv needs a file name"},
      {{"--speed", "3"}, "unknown option '--speed'"},
      {{"extra"}, "unknown option 'extra'"},
  };
  for (const auto& c : cases) {
    const auto result = Parse(c.args);
    ASSERT_TRUE(std::holds_alternative<UsageError>(result)) << c.args[0];
    EXPECT_NE(std::get<UsageError>(result).message.find(c.message_part), std::string::npos)
        << std::get<UsageError>(result).message;
  }
}

}  // namespace
}  // namespace tools
