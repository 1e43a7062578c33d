// libFuzzer target: the window's input reader, StrToFloat after DotToComma,
// on arbitrary bytes. Besides crashes and sanitizer reports it stops on a
// mis-read: a text accepted although it is not a number of the accepted form,
// a number of that form rejected, or a value other than the C library's
// strtod gives for the same digits. Built and run by scripts/fuzz.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "number_format.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value a text should read as, or nothing when it should be rejected:
// blanks, a sign, digits with at most one ",", an exponent, blanks; a
// magnitude beyond double (or a non-zero value that would read as zero) is
// rejected.
std::optional<double> Expected(std::string_view text) {
  std::size_t i = 0;
  std::size_t end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  std::string c_text;
  if (i < end && (text[i] == '+' || text[i] == '-')) c_text += text[i++];
  int digits = 0;
  bool non_zero = false;
  for (; i < end && IsDigit(text[i]); ++i, ++digits) {
    c_text += text[i];
    non_zero = non_zero || text[i] != '0';
  }
  if (i < end && text[i] == ',') {
    c_text += '.';
    for (++i; i < end && IsDigit(text[i]); ++i, ++digits) {
      c_text += text[i];
      non_zero = non_zero || text[i] != '0';
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    c_text += 'e';
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) c_text += text[i++];
    int exponent_digits = 0;
    for (; i < end && IsDigit(text[i]); ++i, ++exponent_digits) c_text += text[i];
    if (exponent_digits == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;
  const double value = std::strtod(c_text.c_str(), nullptr);
  if (std::isinf(value) || (value == 0 && non_zero)) return std::nullopt;
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
