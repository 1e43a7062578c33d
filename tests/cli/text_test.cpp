// Reading numbers and splitting input lines of the if97 command.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "fields.h"
#include "numbers.h"

namespace if97cli {
namespace {

TEST(ParseNumber, TakesAPointOrACommaAsTheDecimalMark) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"5", 5},           {"5.5", 5.5}, {"5,5", 5.5}, {"-0,5", -0.5},
      {"+5", 5},          {".5", 0.5},  {",5", 0.5},  {"1e3", 1000},
      {"1,5E-3", 1.5e-3}, {"-0", -0.0}, {"0.1", 0.1}, {"22.064", 22.064},
  };
  for (const auto& c : cases) {
    const std::optional<double> value = ParseNumber(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
}

TEST(ParseNumber, RefusesAnythingButOneFiniteNumber) {
  for (const char* text :
       {"",     " ",   "abc", "5x",   "5 ",   " 5",       "5.5.5", "5,5,5",  "1.000,5",
        "5,5.", "nan", "NaN", "inf",  "-inf", "infinity", "1e999", "-1e999", "+-5",
        "++5",  "-",   "+",   "0x10", "e5",   "5e",       "1e+",   "5;3"}) {
    EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
  }
  EXPECT_FALSE(ParseNumber(std::string_view("5\0"
                                            "1",
                                            3))
                   .has_value());
}

TEST(AppendNumber, ReadsBackToTheSameDoubleWithEitherDecimalMark) {
  std::mt19937_64 random(12);
  for (int i = 0; i < 20000; ++i) {
    double value;
    const std::uint64_t bits = random();
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    for (const bool comma : {false, true}) {
      std::string text;
      AppendNumber(text, value, comma);
      EXPECT_EQ(text.find(comma ? '.' : ','), std::string::npos) << text;
      const std::optional<double> back = ParseNumber(text);
      ASSERT_TRUE(back.has_value()) << text;
      EXPECT_EQ(std::memcmp(&*back, &value, sizeof value), 0) << text;
    }
  }
}

TEST(AppendNumber, WritesTheShortestText) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{300, "300"}, {0.1, "0.1"}, {-12.5, "-12.5"}, {1e-5, "1e-05"}, {2925.64, "2925.64"}};
  for (const auto& c : cases) {
    std::string text;
    AppendNumber(text, c.value, false);
    EXPECT_EQ(text, c.text);
  }
}

TEST(Quoted, ShowsAtMostFortyBytesAndNoControlCharacters) {
  EXPECT_EQ(Quoted("abc"), "'abc'");
  EXPECT_EQ(Quoted("a\x1b[2Jb\x7f\tc"), "'a?[2Jb??c'");
  EXPECT_EQ(Quoted("пар"), "'пар'");
  EXPECT_EQ(Quoted(std::string(41, 'x')), "'" + std::string(40, 'x') + "...'");
}

struct SplitCase {
  const char* line;
  int expected;
  int count;
  const char* first;
  const char* second;
};

TEST(SplitFields, SeparatorsAndDecimalCommas) {
  const SplitCase cases[] = {
      // Semicolons and tabs separate; commas are decimal marks.
      {"5,5;300", 2, 2, "5,5", "300"},
      {"5,5\t300,25", 2, 2, "5,5", "300,25"},
      {" 5 ; 300 ", 2, 2, "5", "300"},
      {"5;", 2, 2, "5", ""},
      {"5;300;", 2, 3, "5", "300"},
      {"0,5;", 1, 2, "0,5", ""},
      // Commas and blanks separate.
      {"5,300", 2, 2, "5", "300"},
      {"5, 300", 2, 2, "5", "300"},
      {"5 ,300", 2, 2, "5", "300"},
      {"5   300\r", 2, 2, "5", "300"},
      {"5,", 2, 2, "5", ""},
      {",300", 2, 2, "", "300"},
      {"5,,300", 2, 3, "5", ""},
      // Otherwise blanks alone separate and commas are decimal marks.
      {"5,5 300", 2, 2, "5,5", "300"},
      {"5,5 300,5", 2, 2, "5,5", "300,5"},
      {"0,5", 1, 1, "0,5", ""},
      {"0.5", 1, 1, "0.5", ""},
      // Neither gives the count: the comma reading is reported.
      {"5,5,300", 2, 3, "5", "5"},
      {"5", 2, 1, "5", ""},
      {"1 2 3", 2, 3, "1", "2"},
      {"", 2, 1, "", ""},
  };
  for (const SplitCase& c : cases) {
    const Fields fields = SplitFields(c.line, c.expected);
    EXPECT_EQ(fields.count, c.count) << c.line;
    EXPECT_EQ(fields.text[0], c.first) << c.line;
    if (fields.count > 1) {
      EXPECT_EQ(fields.text[1], c.second) << c.line;
    }
  }
}

}  // namespace
}  // namespace if97cli
