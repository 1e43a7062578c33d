#include "fields.h"

#include <cstddef>

namespace if97cli {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\r'; }

void Add(Fields& fields, std::string_view text) {
  if (fields.count < kMaxFields) fields.text[fields.count] = Trimmed(text);
  ++fields.count;
}

// Splits at every character of `separators`; empty fields count.
Fields SplitAt(std::string_view line, std::string_view separators) {
  Fields fields;
  std::size_t start = 0;
  for (std::size_t i = line.find_first_of(separators); i != std::string_view::npos;
       i = line.find_first_of(separators, start)) {
    Add(fields, line.substr(start, i - start));
    start = i + 1;
  }
  Add(fields, line.substr(start));
  return fields;
}

// Splits at runs of blanks; with_comma lets one "," join a run (or stand
// alone), so that "5,300" and "5 , 300" give two values and "5,,300" three.
Fields SplitAtBlanks(std::string_view line, bool with_comma) {
  Fields fields;
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (true) {
    const std::size_t start = i;
    while (i < n && !IsBlank(line[i]) && !(with_comma && line[i] == ',')) ++i;
    Add(fields, line.substr(start, i - start));
    if (i == n) return fields;
    while (i < n && IsBlank(line[i])) ++i;
    bool comma = false;
    if (with_comma && i < n && line[i] == ',') {
      comma = true;
      ++i;
      while (i < n && IsBlank(line[i])) ++i;
    }
    if (i == n) {
      if (comma) Add(fields, {});  // "5," holds an empty second value
      return fields;
    }
  }
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

Fields SplitFields(std::string_view line, int expected) {
  line = Trimmed(line);
  if (line.find_first_of(";\t") != std::string_view::npos) return SplitAt(line, ";\t");
  Fields fields = SplitAtBlanks(line, true);
  if (fields.count == expected) return fields;
  const Fields by_blanks = SplitAtBlanks(line, false);
  return by_blanks.count == expected ? by_blanks : fields;
}

}  // namespace if97cli
