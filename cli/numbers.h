// Numbers in the text of the if97 command: reading with "." or "," as the
// decimal mark, writing in the shortest form that reads back to the same double.
#ifndef STEAMCALC_CLI_NUMBERS_H
#define STEAMCALC_CLI_NUMBERS_H

#include <optional>
#include <string>
#include <string_view>

namespace if97cli {

// The whole text must be one finite number: an optional sign, digits with at
// most one decimal mark ("." or ","), an optional exponent. No blanks, no
// NaN or infinity, nothing after the number.
std::optional<double> ParseNumber(std::string_view text);

// Appends the shortest decimal text that reads back as exactly `value`
// (std::to_chars); with decimal_comma the decimal mark is ",".
void AppendNumber(std::string& out, double value, bool decimal_comma);

// The text quoted for an error message: at most 40 bytes, control characters
// shown as "?", so that input cannot steer the terminal.
std::string Quoted(std::string_view text);

}  // namespace if97cli

#endif  // STEAMCALC_CLI_NUMBERS_H
