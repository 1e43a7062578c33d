// Reading and writing the numbers of the main window, under the C locale and
// under a Russian locale whose decimal separator is ",".
#include "number_format.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <limits>
#include <locale>
#include <stdexcept>
#include <string>

#include "fp_faults.h"

namespace steamcalc {
namespace {

// Runs each test under the named locale, set for C and C++ alike (as Qt sets
// the C locale from the environment). Skips a locale the system lacks; the
// Russian instances run as a ctest test of their own (tests/CMakeLists.txt),
// reported as skipped then.
class UnderLocale : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    try {
      std::locale::global(std::locale(GetParam()));
    } catch (const std::runtime_error&) {
      GTEST_SKIP() << "locale " << GetParam()
                   << " is not installed (scripts/install-deps makes it)";
    }
  }
  void TearDown() override { std::locale::global(std::locale::classic()); }
};

INSTANTIATE_TEST_SUITE_P(Locales, UnderLocale, ::testing::Values("C", "ru_RU.UTF-8"),
                         [](const auto& info) {
                           return std::string(info.param[0] == 'C' ? "C" : "Russian");
                         });

struct FixedCase {
  double value;
  int width;
  int decimals;
  const char* text;
};

TEST_P(UnderLocale, FormatFixedPadsAndRounds) {
  const FixedCase cases[] = {
      {300, 7, 2, " 300.00"},
      {6.5, 7, 4, " 6.5000"},
      {0, 7, 2, "   0.00"},
      {-12.345, 7, 2, " -12.35"},  // -12.345 is stored just below, rounds away
      {-0.0092, 7, 4, "-0.0092"},
      {-1.0e6, 7, 2, "-1000000.00"},  // longer than the width: not cut
      {12.3456789, 7, 5, "12.34568"},
      {100, 7, 5, "100.00000"},
      {0.1745061, 7, 5, "0.17451"},
      {2925.6428, 7, 2, "2925.64"},
      {0.125, 7, 2, "   0.12"},     // an exact tie rounds to even
      {-0.00001, 7, 4, " 0.0000"},  // rounds to zero: no sign
      {-0.0, 7, 2, "   0.00"},
      {1e20, 1, 0, "100000000000000000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.width, c.decimals), c.text)
        << c.value << " width " << c.width << " decimals " << c.decimals;
  }
}

TEST_P(UnderLocale, FormatAdaptiveSwitchesAboveOne) {
  EXPECT_EQ(FormatAdaptive(25.5), " 25.5000");
  EXPECT_EQ(FormatAdaptive(0.0012), "0.0012000");
  EXPECT_EQ(FormatAdaptive(1), "1.0000000");
  EXPECT_EQ(FormatAdaptive(1.0000001), "  1.0000");
  EXPECT_EQ(FormatAdaptive(39.4913866), " 39.4914");
  EXPECT_EQ(FormatAdaptive(-1.0e6), "-1000000.0000000");
}

TEST(FormatFixed, NonFiniteValuesAreNamed) {
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 7, 2), "    NAN");
  EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 7, 2), "   -INF");
}

TEST(DotToComma, ReplacesEveryPointAndNothingElse) {
  EXPECT_EQ(DotToComma("1.2.3"), "1,2,3");
  EXPECT_EQ(DotToComma(" 5,5 e.x "), " 5,5 e,x ");
  EXPECT_EQ(DotToComma(""), "");
}

struct ReadCase {
  const char* typed;
  double value;
};

TEST_P(UnderLocale, ReadsNumbersWithEitherDecimalMark) {
  const ReadCase cases[] = {
      {"5.5", 5.5},     {"5,5", 5.5},    {" 300 ", 300},         {"\t-1.5e3", -1500},
      {"+2", 2},        {"1E-3", 0.001}, {"1e+2", 100},          {".5", 0.5},
      {"5.", 5},        {"-0", 0},       {"0012.50", 12.5},      {"22.064", 22.064},
      {"1e308", 1e308}, {"0e999999", 0}, {"4.9e-324", 4.9e-324},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrToFloat(DotToComma(c.typed)), c.value) << "'" << c.typed << "'";
  }
}

TEST_P(UnderLocale, RejectsEverythingElseWithTheTextAfterDotToComma) {
  const char* const cases[] = {
      "",
      " ",
      "abc",
      "1.2.3",
      "inf",
      "nan",
      "Infinity",
      "0x10",
      "1 000",
      "1e",
      "1e+",
      "+",
      "-",
      ".",
      "--1",
      "+-1",
      "5 5",
      "5e 3",
      "e3",
      "1e400",
      "-1e400",
      "1e-400",
      "5,5,",
      "1'000",
      "\xC2\xA0"
      "5",         // no-break space
      "\xD9\xA1",  // Arabic-Indic digit one
  };
  for (const char* typed : cases) {
    const std::string text = DotToComma(typed);
    try {
      StrToFloat(text);
      ADD_FAILURE() << "accepted '" << typed << "'";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.what(), "'" + text + "' is not a valid floating point value.");
    }
  }
}

TEST(StrToFloat, LeavesTheFloatingPointFlagsAlone) {
  ClearFpFlags();
  EXPECT_THROW(StrToFloat("1e400"), ConversionError);
  EXPECT_THROW(StrToFloat("1e-400"), ConversionError);
  StrToFloat("4,9e-324");
  StrToFloat("0,1");
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);

  std::feraiseexcept(FE_DIVBYZERO);
  StrToFloat("2,5");
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_DIVBYZERO);
  ClearFpFlags();
}

}  // namespace
}  // namespace steamcalc
