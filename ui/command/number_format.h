// Reading and writing the numbers of the main window's fields. Both directions
// are independent of the C and C++ locales: an input may use "." or "," as the
// decimal mark, an output always uses ".".
#ifndef STEAMCALC_UI_NUMBER_FORMAT_H
#define STEAMCALC_UI_NUMBER_FORMAT_H

#include <stdexcept>
#include <string>
#include <string_view>

namespace steamcalc {

// A text that is not a number; what() is the text shown to the user.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(std::string_view text);
  // The whole message; what() stops at a NUL character the user may have typed.
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

// A copy of text with every "." replaced by ",".
std::string DotToComma(std::string_view text);

// Reads a number with "," as the decimal mark: optional blanks (space, tab),
// an optional sign, digits with at most one ",", an optional exponent
// ("e" or "E", optional sign, digits), optional blanks. Throws ConversionError
// ("'text' is not a valid floating point value.") for anything else, including
// an empty text, "inf", "nan", hexadecimal and values whose magnitude is
// beyond the range of double (overflow, or a non-zero value that would become
// zero). Leaves the floating-point exception flags as it found them.
double StrToFloat(std::string_view text);

// Fixed-point notation with exactly `decimals` digits after ".", correctly
// rounded, a leading "-" for a value that is negative after rounding, padded
// on the left with blanks to at least `width` characters (never cut).
std::string FormatFixed(double value, int width, int decimals);

// FormatFixed(value, 8, 4) for value > 1, else FormatFixed(value, 9, 7).
std::string FormatAdaptive(double value);

}  // namespace steamcalc

#endif  // STEAMCALC_UI_NUMBER_FORMAT_H
