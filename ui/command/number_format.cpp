#include "number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "fp_faults.h"

namespace steamcalc {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error(
          std::string("'").append(text).append("' is not a valid floating point value.")),
      message_(std::string("'").append(text).append("' is not a valid floating point value.")) {}

std::string DotToComma(std::string_view text) {
  std::string result(text);
  std::replace(result.begin(), result.end(), '.', ',');
  return result;
}

double StrToFloat(std::string_view text) {
  KeepFpFlags keep;
  std::size_t i = 0;
  std::size_t end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;

  // The accepted text, rewritten in the syntax of std::from_chars.
  std::string number;
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  int mantissa_digits = 0;
  for (; i < end && IsDigit(text[i]); ++i, ++mantissa_digits) number += text[i];
  if (i < end && text[i] == ',') {
    number += '.';
    for (++i; i < end && IsDigit(text[i]); ++i, ++mantissa_digits) number += text[i];
  }
  if (mantissa_digits == 0) throw ConversionError(text);
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    number += 'e';
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) number += text[i++];
    int exponent_digits = 0;
    for (; i < end && IsDigit(text[i]); ++i, ++exponent_digits) number += text[i];
    if (exponent_digits == 0) throw ConversionError(text);
  }
  if (i != end) throw ConversionError(text);

  double value = 0;
  const char* first = number.data();
  const char* last = first + number.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || ptr != last) throw ConversionError(text);
  return value;
}

std::string FormatFixed(double value, int width, int decimals) {
  decimals = std::max(decimals, 0);
  std::string text;
  if (std::isnan(value)) {
    text = "NAN";
  } else if (std::isinf(value)) {
    text = value < 0 ? "-INF" : "INF";
  } else {
    // Sign, 309 integer digits, the point and the decimals at most.
    text.resize(320 + static_cast<std::size_t>(decimals));
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, decimals);
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    // A value that rounds to zero (negative zero included) shows no sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  }
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string FormatAdaptive(double value) {
  return value > 1 ? FormatFixed(value, 8, 4) : FormatFixed(value, 9, 7);
}

}  // namespace steamcalc
