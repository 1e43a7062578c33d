// libFuzzer target: the window's input reader, StrToFloat after DotToComma,
// on arbitrary bytes. Besides crashes and sanitizer reports it stops on a
// mis-read: a text accepted although it is not a number of the accepted form,
// a number of that form rejected, or a value other than the C library's
// strtod gives for the same digits. Built and run by scripts/fuzz.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "number_format.h"

namespace {

// The accepted grammar, written down independently of the reader: blanks, an
// optional sign, digits with at most one "," (at least one digit in all), an
// optional exponent with at least one digit, blanks.
const std::regex kAccepted(R"(^[ \t]*[+-]?([0-9]+,?[0-9]*|,[0-9]+)([eE][+-]?[0-9]+)?[ \t]*$)");
const std::regex kNonZeroMantissa(R"(^[ \t]*[+-]?[0,]*[1-9])");

// The value a text should read as, or nothing when it should be rejected: the
// C library's strtod of the same text with "," as ".", unless the magnitude is
// beyond double or a non-zero mantissa reads as zero.
std::optional<double> Expected(const std::string& text) {
  if (!std::regex_match(text, kAccepted)) return std::nullopt;
  std::string c_text = text;
  std::replace(c_text.begin(), c_text.end(), ',', '.');
  const double value = std::strtod(c_text.c_str(), nullptr);
  if (std::isinf(value) || (value == 0 && std::regex_search(text, kNonZeroMantissa))) {
    return std::nullopt;
  }
  return value;
}

[[noreturn]] void MisRead(std::string_view text, const char* what) {
  std::fprintf(stderr, "mis-read of \"%.*s\": %s\n", static_cast<int>(text.size()), text.data(),
               what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string typed(reinterpret_cast<const char*>(data), size);
  const std::string text = steamcalc::DotToComma(typed);
  if (text.size() != typed.size() || text.find('.') != std::string::npos) {
    MisRead(typed, "DotToComma changed more than the points");
  }
  const std::optional<double> expected = Expected(text);
  std::optional<double> got;
  try {
    got = steamcalc::StrToFloat(text);
  } catch (const steamcalc::ConversionError& error) {
    // what() is a C string: a NUL typed into the field ends the text shown.
    std::string message = std::string("'") + text + "' is not a valid floating point value.";
    message.resize(std::strlen(message.c_str()));
    if (message != error.what()) MisRead(typed, "the conversion error names another text");
  }
  if (got.has_value() != expected.has_value()) {
    MisRead(typed, got ? "accepted, should be rejected" : "rejected, should be accepted");
  }
  if (got && std::memcmp(&*got, &*expected, sizeof(double)) != 0) MisRead(typed, "wrong value");
  return 0;
}
