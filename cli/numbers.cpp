#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace if97cli {

std::optional<double> ParseNumber(std::string_view text) {
  // std::from_chars takes no "+" and only "." as the decimal mark.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  std::string with_point;
  if (const std::size_t comma = text.find(','); comma != std::string_view::npos) {
    with_point.assign(text);
    with_point[comma] = '.';
    text = with_point;
  }
  double value = 0;
  const char* const end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (ec != std::errc{} || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

void AppendNumber(std::string& out, double value, bool decimal_comma) {
  char text[32];
  char* const end = std::to_chars(text, text + sizeof text, value).ptr;
  if (decimal_comma) {
    for (char* c = text; c != end; ++c) {
      if (*c == '.') *c = ',';
    }
  }
  out.append(text, end);
}

std::string Quoted(std::string_view text) {
  constexpr std::size_t kMaxShown = 40;
  std::string quoted = "'";
  for (const char c : text.substr(0, kMaxShown)) {
    const auto byte = static_cast<unsigned char>(c);
    quoted += byte < 0x20 || byte == 0x7f ? '?' : c;
  }
  quoted += text.size() > kMaxShown ? "...'" : "'";
  return quoted;
}

}  // namespace if97cli
