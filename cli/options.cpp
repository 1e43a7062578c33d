#include "options.h"

#include <cstddef>

#include "numbers.h"

namespace if97cli {
namespace {

constexpr std::string_view kUsage =
    R"(Usage: if97 [OPTION]... PAIR [VALUE]...
Properties of water and steam after IAPWS-IF97.

PAIR names the given quantities, VALUE gives them in this order:
  pt     p t   pressure and temperature
  ph     p h   pressure and specific enthalpy
  ps     p s   pressure and specific entropy
  px     p x   pressure and dryness fraction (wet steam)
  tx     t x   temperature and dryness fraction (wet steam)
  sat-p  p     saturated water and saturated steam at a pressure
  sat-t  t     saturated water and saturated steam at a temperature

With the values on the command line, prints the state, one quantity per line
with its unit. With no values, or "-", reads one state per line from standard
input and writes a CSV header and one CSV row per input line, in order; an
input line that gives no state gets an empty row and an error message with its
line number on standard error. Input values are separated by ";", a tab, ","
or blanks; an optional first line names them (such as "p,t" or "t;p").

Units: p MPa, t degC, h and u kJ/kg, s, cp and cv kJ/(kg K), v m3/kg, w m/s,
x from 0 to 1. Numbers are read with "." or "," as the decimal mark.

Options:
  --csv            print a state from the command line as a CSV header and row
  --decimal-comma  write "," as the decimal mark and ";" between CSV fields
  -h, --help       show this help and exit
  --version        show the version and exit

Exit status: 0 every state computed, 1 a state refused or an input line
unreadable, 2 a usage error, 3 a read or write error.
)";

const InputPair* FindPair(std::string_view name) {
  for (const InputPair& pair : kPairs) {
    if (pair.command == name) return &pair;
  }
  return nullptr;
}

}  // namespace

std::string_view UsageText() { return kUsage; }

std::optional<Options> ParseArguments(const std::vector<std::string_view>& args,
                                      std::string& error) {
  Options options;
  std::vector<std::string_view> operands;
  bool options_end = false;
  for (const std::string_view arg : args) {
    if (options_end || arg == "-" || !arg.starts_with("-") ||
        (arg.size() > 1 && arg[1] != '-' && arg[1] != 'h')) {
      operands.push_back(arg);  // "-5" and "-0,5" are values
    } else if (arg == "--") {
      options_end = true;
    } else if (arg == "-h" || arg == "--help") {
      options.action = Options::Action::kHelp;
      return options;
    } else if (arg == "--version") {
      options.action = Options::Action::kVersion;
      return options;
    } else if (arg == "--csv") {
      options.csv = true;
    } else if (arg == "--decimal-comma") {
      options.decimal_comma = true;
    } else {
      error = "unknown option " + Quoted(arg);
      return std::nullopt;
    }
  }
  if (operands.empty()) {
    error = "missing the pair of given quantities (pt, ph, ps, px, tx, sat-p or sat-t)";
    return std::nullopt;
  }
  options.pair = FindPair(operands[0]);
  if (options.pair == nullptr) {
    error = "unknown pair " + Quoted(operands[0]) + ": use pt, ph, ps, px, tx, sat-p or sat-t";
    return std::nullopt;
  }
  const std::size_t given = operands.size() - 1;
  if (given == 0 || (given == 1 && operands[1] == "-")) {
    options.action = Options::Action::kStandardInput;
    return options;
  }
  const auto count = static_cast<std::size_t>(options.pair->count);
  if (given != count) {
    error = std::string(options.pair->command) + " takes " +
            (count == 1 ? "1 value" : std::to_string(count) + " values") + ", not " +
            std::to_string(given);
    return std::nullopt;
  }
  options.action = Options::Action::kOneState;
  for (std::size_t i = 0; i < count; ++i) options.values[i] = operands[i + 1];
  return options;
}

}  // namespace if97cli
