// The command line of the if97 command.
#ifndef STEAMCALC_CLI_OPTIONS_H
#define STEAMCALC_CLI_OPTIONS_H

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quantities.h"

namespace if97cli {

// Exit status of the command.
enum ExitCode : int {
  kExitOk = 0,
  kExitStateFailed = 1,  // at least one state refused or one input row unreadable
  kExitUsage = 2,        // bad command line or an input header that names other values
  kExitIo = 3,           // standard input unreadable or standard output not writable
};

// What a pair of given quantities is called on the command line and in an
// input header, in the order its values come.
enum class Pair { kPT, kPH, kPS, kHS, kPX, kTX, kSatP, kSatT };
struct InputPair {
  Pair pair;
  std::string_view command;
  int count;                              // values per state: 2, or 1 for saturation
  std::array<std::string_view, 2> names;  // in order
};
inline constexpr InputPair kPairs[] = {
    {Pair::kPT, "pt", 2, {"p", "t"}},     {Pair::kPH, "ph", 2, {"p", "h"}},
    {Pair::kPS, "ps", 2, {"p", "s"}},     {Pair::kHS, "hs", 2, {"h", "s"}},
    {Pair::kPX, "px", 2, {"p", "x"}},     {Pair::kTX, "tx", 2, {"t", "x"}},
    {Pair::kSatP, "sat-p", 1, {"p", {}}}, {Pair::kSatT, "sat-t", 1, {"t", {}}},
};

struct Options {
  enum class Action { kHelp, kVersion, kOneState, kStandardInput };
  Action action = Action::kHelp;
  const InputPair* pair = nullptr;
  std::array<std::string_view, 2> values;  // kOneState: the pair's values as typed
  bool csv = false;
  bool decimal_comma = false;
  Selection selection;  // --properties and --units
};

// Reads the arguments after the program name. On a usage error returns
// nothing and sets `error` to a one-line explanation.
std::optional<Options> ParseArguments(const std::vector<std::string_view>& args,
                                      std::string& error);

// The text of --help.
std::string_view UsageText();

}  // namespace if97cli

#endif  // STEAMCALC_CLI_OPTIONS_H
