// Integer parsing, number-pattern formatting and message formatting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "framework/core/Color.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/NumberFormat.h"

TEST(StrToInt, AcceptsTheRuntimeSyntax) {
  struct Row {
    const char* text;
    std::int32_t value;
  } rows[] = {{"0", 0},
              {"25", 25},
              {"  -42", -42},
              {"\t+7", 7},
              {"$1F", 31},
              {"x1f", 31},
              {"X10", 16},
              {"0x10", 16},
              {"0XfF", 255},
              {"-$10", -16},
              {"007", 7},
              {"2147483647", 2147483647},
              {"-2147483648", INT32_MIN},
              {"$7FFFFFFF", INT32_MAX},
              {"-$80000000", INT32_MIN}};
  for (const auto& row : rows) EXPECT_EQ(fw::StrToInt(row.text), row.value) << row.text;
}

TEST(StrToInt, RefusesEverythingElseWithTheWholeText) {
  const char* bad[] = {"",           " ",           "-",         "+",
                       "$",          "0x",          "12a",       "12 ",
                       "1.5",        "1e3",         "--1",       "+-1",
                       "2147483648", "-2147483649", "$80000000", "99999999999999999999",
                       "٣",          "1,000",       "$G"};
  for (const char* text : bad) {
    EXPECT_FALSE(fw::TryStrToInt(text)) << text;
    try {
      fw::StrToInt(text);
      ADD_FAILURE() << text;
    } catch (const fw::EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
  EXPECT_EQ(fw::StrToIntDef("abc", -1), -1);
}

TEST(FormatFloat, PatternsOfTheRuntimeTable) {
  struct Row {
    const char* pattern;
    double value;
    const char* text;
  } rows[] = {
      {"0", 1234, "1234"},
      {"0", -1234, "-1234"},
      {"0", 0.5, "1"},
      {"0", 0, "0"},
      {"0.00", 1234, "1234.00"},
      {"0.00", 0.5, "0.50"},
      {"0.00", 0, "0.00"},
      {"#.##", 1234, "1234"},
      {"#.##", -1234, "-1234"},
      {"#.##", 0.5, ".5"},
      {"#.##", 0, ""},
      {"#,##0.00", 1234, "1,234.00"},
      {"#,##0.00", -1234, "-1,234.00"},
      {"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"},
      {"#,##0.00;(#,##0.00)", 0.5, "0.50"},
      {"#,##0.00;;Zero", 0, "Zero"},
      {"#,##0.00;;Zero", -1234, "-1,234.00"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(fw::FormatFloat(row.pattern, row.value), row.text) << row.pattern << " " << row.value;
}

TEST(FormatFloat, ValueAndPercentFormatsOfTheChart) {
  struct Row {
    const char* pattern;
    double value;
    const char* text;
  } rows[] = {
      {"#,##0.###", 1234.5, "1,234.5"},
      {"#,##0.###", 2.00049, "2"},
      {"#,##0.###", 2.0005, "2.001"},
      {"#,##0.###", 0.9995, "1"},
      {"#,##0.###", 999.9996, "1,000"},
      {"#,##0.###", -26000, "-26,000"},
      {"#,##0.###", 75000, "75,000"},
      {"#,##0.###", 100, "100"},
      {"#,##0.###", 1234567.891, "1,234,567.891"},
      {"#,##0.###", 0, "0"},
      {"#,##0.###", -0.0001, "0"},
      {"#,##0.###", 0.0005, "0.001"},
      {"#,##0.###", 1e20, "100,000,000,000,000,000,000"},
      {"#,##0.###", 0.1 + 0.2, "0.3"},
      {"##0.## %", 12.345, "12.35 %"},
      {"##0.## %", 100, "100 %"},
      {"##0.## %", 0, "0 %"},
      {"##0.## %", 33.333333, "33.33 %"},
      {"##0.## %", 1234.5, "1234.5 %"},
      {"\"x=\"0.0' m'", 2.25, "x=2.3 m"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(fw::FormatFloat(row.pattern, row.value), row.text) << row.pattern << " " << row.value;
  EXPECT_EQ(fw::FormatFloat("#,##0.###", std::nan("")), "NAN");
  EXPECT_EQ(fw::FormatFloat("#,##0.###", -INFINITY), "-INF");
}

// Many values with a handful of patterns, in changing order: more patterns than the formatter
// keeps parsed, so each one is parsed again and again, and no pattern's parse serves another.
TEST(FormatFloat, PatternsInAnyOrderKeepTheirOwnMeaning) {
  struct Row {
    const char* pattern;
    double value;
    const char* text;
  };
  std::vector<Row> rows = {
      {"#,##0.###", 2.0005, "2.001"},
      {"#,##0.###", -26000, "-26,000"},
      {"##0.## %", 12.345, "12.35 %"},
      {"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"},
      {"#,##0.00;;Zero", 0, "Zero"},
      {"#,##0.00;;Zero", -1234, "-1,234.00"},
      {"#.##", 0.5, ".5"},
      {"0", 0.5, "1"},
      {"0.00", 1234, "1234.00"},
      {"\"x=\"0.0' m'", 2.25, "x=2.3 m"},
      {"0.###", 5e-324, "0"},
      {"0", 1.5e15, "1500000000000000"},
      {"#,##0.###", 123456789.0125, "123,456,789.013"},
  };
  std::mt19937 random(3);
  for (int round = 0; round < 20; ++round) {
    for (const Row& row : rows)
      ASSERT_EQ(fw::FormatFloat(row.pattern, row.value), row.text)
          << "round " << round << ": " << row.pattern << " " << row.value;
    std::shuffle(rows.begin(), rows.end(), random);
  }
}

TEST(FormatFloat, UsesTheLocaleSeparators) {
  fw::TFormatSettings german;
  german.ThousandSeparator = ".";
  german.DecimalSeparator = ",";
  EXPECT_EQ(fw::FormatFloat("#,##0.###", 1234567.5, german), "1.234.567,5");
  EXPECT_EQ(fw::FormatFloat("##0.## %", 12.5, german), "12,5 %");
  // The process-wide default is English.
  EXPECT_EQ(fw::FormatFloat("#,##0.###", 1234.5), "1,234.5");
}

TEST(Format, FillsPlaceholdersInOrder) {
  EXPECT_EQ(fw::Format("List index out of bounds (%d)", {-1}), "List index out of bounds (-1)");
  EXPECT_EQ(fw::Format("3D effect percent must be between %d and %d", {1, 100}),
            "3D effect percent must be between 1 and 100");
  EXPECT_EQ(fw::Format("No valid DataSource: %s", {"Series1"}), "No valid DataSource: Series1");
  EXPECT_EQ(fw::Format("%s of %s", {"50 %", "1,234"}), "50 % of 1,234");
  EXPECT_EQ(fw::Format("100%% %.2f", {2.0 / 3}), "100% 0.67");
  EXPECT_EQ(fw::Format("missing %s", {}), "missing %s");
}

TEST(Color, NamesAndNumbers) {
  EXPECT_EQ(fw::ColorToString(fw::clRed), "clRed");
  EXPECT_EQ(fw::ColorToString(fw::clBtnFace), "clBtnFace");
  EXPECT_EQ(fw::ColorToString(0x80FFFF), "$0080FFFF");
  EXPECT_EQ(fw::StringToColor("CLWHITE"), fw::clWhite);
  EXPECT_EQ(fw::StringToColor("$FF00000F"), fw::clBtnFace);
  EXPECT_EQ(fw::StringToColor("255"), fw::clRed);
  EXPECT_FALSE(fw::StringToColor("clPink"));
  EXPECT_EQ(fw::GetBValue(fw::clBlue), 255);
  EXPECT_EQ(fw::RGB(255, 0, 0), fw::clRed);
}
