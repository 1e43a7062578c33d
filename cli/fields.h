// Splitting an input line of the if97 command into its values.
#ifndef STEAMCALC_CLI_FIELDS_H
#define STEAMCALC_CLI_FIELDS_H

#include <array>
#include <string_view>

namespace if97cli {

inline constexpr int kMaxFields = 2;

struct Fields {
  std::array<std::string_view, kMaxFields> text;  // the first kMaxFields, blanks trimmed
  int count = 0;                                  // how many the line holds
};

// A line with a ";" or a tab is split there, and "," in it is a decimal
// mark (spreadsheets that write decimal commas separate with ";" or tabs).
// Otherwise blanks and "," separate, as in "5,300", "5, 300" or "5 300";
// when that does not give `expected` values, blanks alone separate and "," is
// a decimal mark, as in "5,5 300" or, with one value per line, "0,5".
Fields SplitFields(std::string_view line, int expected);

// Blanks (spaces) and a carriage return at either end removed.
std::string_view Trimmed(std::string_view text);

}  // namespace if97cli

#endif  // STEAMCALC_CLI_FIELDS_H
