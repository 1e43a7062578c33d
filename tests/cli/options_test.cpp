// The command line of the if97 command.
#include "options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace if97cli {
namespace {

using Action = Options::Action;

std::optional<Options> Parse(std::vector<std::string_view> args, std::string* error = nullptr) {
  std::string message;
  std::optional<Options> options = ParseArguments(args, message);
  EXPECT_EQ(options.has_value(), message.empty()) << message;
  if (error) *error = message;
  return options;
}

TEST(ParseArguments, ActionsAndValues) {
  const struct {
    std::vector<std::string_view> args;
    Action action;
    std::string_view pair;
    std::string_view first, second;
  } cases[] = {
      {{"pt", "5", "300"}, Action::kOneState, "pt", "5", "300"},
      {{"tx", "-5", "0,5"}, Action::kOneState, "tx", "-5", "0,5"},  // "-5" is a value
      {{"ph", "--", "-1", "2"}, Action::kOneState, "ph", "-1", "2"},
      {{"sat-p", "1"}, Action::kOneState, "sat-p", "1", ""},
      {{"sat-t", ".5"}, Action::kOneState, "sat-t", ".5", ""},
      {{"ps"}, Action::kStandardInput, "ps", "", ""},
      {{"px", "-"}, Action::kStandardInput, "px", "", ""},
      {{"--help"}, Action::kHelp, "", "", ""},
      {{"pt", "5", "-h"}, Action::kHelp, "", "", ""},
      {{"--version", "nonsense"}, Action::kVersion, "", "", ""},
  };
  for (const auto& c : cases) {
    const std::optional<Options> options = Parse(c.args);
    ASSERT_TRUE(options.has_value()) << c.args[0];
    EXPECT_EQ(options->action, c.action) << c.args[0];
    if (c.pair.empty()) continue;
    EXPECT_EQ(options->pair->command, c.pair);
    EXPECT_EQ(options->values[0], c.first);
    EXPECT_EQ(options->values[1], c.second);
  }
}

TEST(ParseArguments, OptionsGoAnywhere) {
  const std::optional<Options> options = Parse({"--csv", "pt", "5", "--decimal-comma", "300"});
  ASSERT_TRUE(options.has_value());
  EXPECT_TRUE(options->csv);
  EXPECT_TRUE(options->decimal_comma);
  EXPECT_EQ(options->values[1], "300");
  EXPECT_FALSE(Parse({"pt", "5", "300"})->csv);
}

TEST(ParseArguments, UsageErrorsSayWhatIsWrong) {
  const struct {
    std::vector<std::string_view> args;
    std::string_view error;
  } cases[] = {
      {{}, "missing the pair of given quantities (pt, ph, ps, px, tx, sat-p or sat-t)"},
      {{"--csv"}, "missing the pair of given quantities (pt, ph, ps, px, tx, sat-p or sat-t)"},
      {{"tp", "5", "300"}, "unknown pair 'tp': use pt, ph, ps, px, tx, sat-p or sat-t"},
      {{"pt", "5"}, "pt takes 2 values, not 1"},
      {{"pt", "5", "300", "1"}, "pt takes 2 values, not 3"},
      {{"sat-p", "1", "2"}, "sat-p takes 1 value, not 2"},
      {{"pt", "--comma"}, "unknown option '--comma'"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(Parse(c.args, &error).has_value());
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
}  // namespace if97cli
