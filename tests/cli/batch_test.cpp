// Many states from an input stream: one row out per line in, in order, and
// the columns holding what their header names.
#include "batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <if97/if97.h>
#include <if97/if97_state.h>
#include "numbers.h"
#include "table.h"

namespace if97cli {
namespace {

struct BatchOutput {
  int status = -1;
  std::vector<std::string> rows;  // the output lines, header first
  std::vector<std::string> errors;
};

const InputPair& PairNamed(std::string_view name) {
  return *std::find_if(std::begin(kPairs), std::end(kPairs),
                       [&](const InputPair& p) { return p.command == name; });
}

// Feeds `input` in pieces of at most `chunk` bytes, so that lines straddle reads.
BatchOutput RunOn(std::string_view pair, std::string_view input, std::size_t chunk = 1 << 20,
                  bool decimal_comma = false) {
  BatchOutput run;
  std::string out;
  const Table table(PairNamed(pair), decimal_comma);
  run.status = RunBatch(
      table,
      [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min({size, chunk, input.size()});
        std::memcpy(buffer, input.data(), n);
        input.remove_prefix(n);
        return static_cast<std::ptrdiff_t>(n);
      },
      [&](std::string_view text) {
        out += text;
        return true;
      },
      [&](std::string_view message) { run.errors.emplace_back(message); });
  EXPECT_TRUE(out.empty() || out.back() == '\n');
  for (std::size_t start = 0; start < out.size();) {
    const std::size_t end = out.find('\n', start);
    run.rows.push_back(out.substr(start, end - start));
    start = end + 1;
  }
  return run;
}

std::vector<std::string> Split(const std::string& row, char separator) {
  std::vector<std::string> fields(1);
  for (const char c : row) {
    if (c == separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// The fields of a row by the names of the header.
std::map<std::string, std::string> Named(const BatchOutput& run, std::size_t row,
                                         char separator = ',') {
  const std::vector<std::string> names = Split(run.rows.at(0), separator);
  const std::vector<std::string> values = Split(run.rows.at(row), separator);
  EXPECT_EQ(names.size(), values.size());
  std::map<std::string, std::string> named;
  for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) named[names[i]] = values[i];
  return named;
}

double Number(const std::string& text) { return ParseNumber(text).value_or(-12345); }

TEST(Batch, ColumnsHoldWhatTheirHeaderNames) {
  const BatchOutput pt = RunOn("pt", "5 300\n");
  ASSERT_EQ(pt.rows.size(), 2u);
  auto row = Named(pt, 1);
  EXPECT_EQ(Number(row["p"]), 5);
  EXPECT_EQ(Number(row["t"]), 300);
  EXPECT_EQ(Number(row["h"]), if97::h_pt(5, 300));
  EXPECT_EQ(Number(row["s"]), if97::s_pt(5, 300));
  EXPECT_EQ(Number(row["v"]), if97::v_pt(5, 300));
  const if97::State state = if97::state_pt(5, 300).state;
  for (const auto& [name, value] :
       {std::pair{"u", state.u}, {"cp", state.cp}, {"cv", state.cv}, {"w", state.w}}) {
    EXPECT_EQ(Number(row[name]), value) << name;
  }
  EXPECT_EQ(row["region"], "2");
  EXPECT_EQ(row["phase"], "steam");
  EXPECT_EQ(row["x"], "");

  row = Named(RunOn("px", "1 0.25\n"), 1);
  EXPECT_EQ(Number(row["h"]), if97::H_PX(1, 0.25));
  EXPECT_EQ(Number(row["x"]), 0.25);
  EXPECT_EQ(row["region"], "4");
  EXPECT_EQ(row["phase"], "saturated");
  EXPECT_EQ(row["cp"] + row["cv"] + row["w"], "");  // no heat capacity for wet steam

  row = Named(RunOn("sat-t", "100\n"), 1);
  EXPECT_EQ(Number(row["p"]), if97::PS_T(100));
  EXPECT_EQ(Number(row["h_water"]), if97::HSW_T(100));
  EXPECT_EQ(Number(row["v_steam"]), if97::VSP_T(100));
  EXPECT_EQ(row["region_water"], "1");
  EXPECT_EQ(row["region_steam"], "2");
}

TEST(Batch, BadRowsGiveEmptyRowsInPlaceAndMessagesWithTheirLineNumbers) {
  const BatchOutput run = RunOn("pt",
                                "p,t\n"
                                "5,300\n"
                                "abc,300\n"
                                "\n"
                                "1 2 3\n"
                                "101,300\n"  // above the pressure range
                                "1,200\n");
  ASSERT_EQ(run.rows.size(), 7u);
  EXPECT_EQ(run.status, kExitStateFailed);
  const std::string empty = ",,,,,,,,,,,";
  EXPECT_EQ(run.rows[0], "p,t,h,s,v,u,cp,cv,w,region,phase,x");
  EXPECT_NE(run.rows[1], empty);
  EXPECT_EQ(run.rows[2], empty);
  EXPECT_EQ(run.rows[3], empty);  // a blank line: an empty row, no message
  EXPECT_EQ(run.rows[4], empty);
  EXPECT_EQ(run.rows[5], empty);
  EXPECT_EQ(Number(Named(run, 6)["h"]), if97::h_pt(1, 200));
  ASSERT_EQ(run.errors.size(), 3u);
  EXPECT_EQ(run.errors[0], "line 3: 'abc' is not a number");
  EXPECT_EQ(run.errors[1], "line 5: expected p and t, found 3 values");
  EXPECT_TRUE(run.errors[2].starts_with("line 6: out of range")) << run.errors[2];
}

TEST(Batch, KeepsTheOrderOfManyRowsReadInAnyPieces) {
  std::string input;
  std::string expected;
  for (int i = 0; i < 400; ++i) {
    const double p = 0.01 + 0.2 * (i % 50);
    const double t = 20 + 1.5 * i;
    input += std::to_string(p) + (i % 3 == 0 ? " " : ",") + std::to_string(t) + "\r\n";
    if (i % 7 == 0) input += "x\n";
  }
  const BatchOutput whole = RunOn("pt", input);
  for (const std::size_t chunk : {1, 2, 7, 4096}) {
    const BatchOutput pieces = RunOn("pt", input, chunk);
    EXPECT_EQ(pieces.rows, whole.rows) << chunk;
    EXPECT_EQ(pieces.errors, whole.errors) << chunk;
  }
  ASSERT_EQ(whole.rows.size(), 1u + 400 + 58);
  std::size_t row = 1;
  for (int i = 0; i < 400; ++i, ++row) {
    const double p = std::stod(std::to_string(0.01 + 0.2 * (i % 50)));
    const double t = std::stod(std::to_string(20 + 1.5 * i));
    const auto named = Named(whole, row);
    EXPECT_EQ(Number(named.at("p")), p) << i;
    EXPECT_EQ(Number(named.at("t")), t) << i;
    if (i % 7 == 0) {
      EXPECT_EQ(whole.rows[++row], ",,,,,,,,,,,");
    }
  }
}

// Whatever the bytes, every line gets exactly one row of the header's width.
TEST(Batch, AnyInputGivesOneRowOfFullWidthPerLine) {
  constexpr std::string_view kAlphabet = "0123456789012345.,;; \t\r\ne-+x\0";
  std::mt19937 random(5);
  for (int run = 0; run < 300; ++run) {
    std::string input = "1 2\n";  // no header: the first line starts with a digit
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) input += kAlphabet[random() % kAlphabet.size()];
    const bool comma = run % 2 == 1;
    for (const char* pair : {"pt", "sat-t"}) {
      const BatchOutput out = RunOn(pair, input, 1 + random() % 64, comma);
      const auto lines = std::count(input.begin(), input.end(), '\n') + (input.back() != '\n');
      ASSERT_EQ(out.rows.size(), static_cast<std::size_t>(lines) + 1) << input;
      const char separator = comma ? ';' : ',';
      const auto width = std::count(out.rows[0].begin(), out.rows[0].end(), separator);
      for (const std::string& row : out.rows) {
        EXPECT_EQ(std::count(row.begin(), row.end(), separator), width) << row;
      }
    }
  }
}

TEST(Batch, TheHeaderNamesTheColumnsInEitherOrder) {
  const BatchOutput plain = RunOn("pt", "5 300\n");
  for (const char* input :
       {"p,t\n5,300\n", "T;P\n300;5\n", "\xEF\xBB\xBFt\tp\n300\t5\n", " p , t \r\n5,300"}) {
    const BatchOutput run = RunOn("pt", input);
    EXPECT_EQ(run.status, kExitOk) << input;
    EXPECT_EQ(run.rows, plain.rows) << input;
  }
  for (const char* input : {"p,h\n5,300\n", "p,p\n5,300\n", "p\n5,300\n", "inf,300\n"}) {
    const BatchOutput run = RunOn("pt", input);
    EXPECT_EQ(run.status, kExitUsage) << input;
    EXPECT_TRUE(run.rows.empty()) << input;
    ASSERT_EQ(run.errors.size(), 1u);
    EXPECT_TRUE(run.errors[0].starts_with("line 1: the header '")) << run.errors[0];
  }
}

TEST(Batch, EmptyInputGivesTheHeaderAlone) {
  for (const char* input : {"", "p,t\n"}) {
    const BatchOutput run = RunOn("pt", input);
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.rows, std::vector<std::string>{"p,t,h,s,v,u,cp,cv,w,region,phase,x"});
  }
  EXPECT_EQ(RunOn("sat-p", "").rows.at(0),
            "p,t,h_water,s_water,v_water,u_water,cp_water,cv_water,w_water,region_water,"
            "h_steam,s_steam,v_steam,u_steam,cp_steam,cv_steam,w_steam,region_steam");
}

TEST(Batch, ALineLongerThanTheLimitIsOneBadRow) {
  const std::string longest = "5" + std::string(kMaxLineLength - 4, ' ') + "300";
  const std::string too_long = longest + " ";
  const std::string input = longest + "\n" + too_long + "\n" + std::string(3'000'000, '7') +
                            "\n1 200\n" + too_long;  // the last without a newline
  for (const std::size_t chunk : {1000, 1 << 20}) {
    const BatchOutput run = RunOn("pt", input, chunk);
    EXPECT_EQ(run.status, kExitStateFailed);
    ASSERT_EQ(run.rows.size(), 6u);
    EXPECT_EQ(run.rows[1], RunOn("pt", "5 300").rows[1]);
    EXPECT_EQ(run.rows[2], ",,,,,,,,,,,");
    EXPECT_EQ(run.rows[3], ",,,,,,,,,,,");
    EXPECT_EQ(run.rows[4], RunOn("pt", "1 200").rows[1]);
    EXPECT_EQ(run.rows[5], ",,,,,,,,,,,");
    const std::vector<std::string> errors = {"line 2: longer than 65536 characters",
                                             "line 3: longer than 65536 characters",
                                             "line 5: longer than 65536 characters"};
    EXPECT_EQ(run.errors, errors);
  }
}

TEST(Batch, DecimalCommaOutputSeparatesWithSemicolons) {
  const BatchOutput run = RunOn("px", "1;0,5\n", 1 << 20, true);
  ASSERT_EQ(run.rows.size(), 2u);
  EXPECT_EQ(run.rows[0], "p;t;h;s;v;u;cp;cv;w;region;phase;x");
  auto row = Named(run, 1, ';');
  EXPECT_EQ(row["x"], "0,5");
  EXPECT_EQ(Number(row["h"]), if97::H_PX(1, 0.5));
  EXPECT_EQ(row["h"].find('.'), std::string::npos);
  EXPECT_EQ(RunOn("px", "1;abc\n", 1 << 20, true).rows.at(1), ";;;;;;;;;;;");
}

TEST(Batch, AFailedWriteStopsTheRun) {
  const Table table(PairNamed("pt"), false);
  std::string input(200'000, '\n');
  int writes = 0;
  std::vector<std::string> errors;
  const int status = RunBatch(
      table,
      [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, input.size());
        std::memcpy(buffer, input.data(), n);
        input.erase(0, n);
        return static_cast<std::ptrdiff_t>(n);
      },
      [&](std::string_view) { return ++writes > 1 ? false : true; },
      [&](std::string_view message) { errors.emplace_back(message); });
  EXPECT_EQ(status, kExitIo);
  EXPECT_EQ(writes, 2);
  EXPECT_EQ(errors, std::vector<std::string>{"cannot write the standard output"});
}

}  // namespace
}  // namespace if97cli
