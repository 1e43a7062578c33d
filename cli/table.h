// The output of the if97 command: the quantities of a state, as CSV rows or
// as one quantity per line.
#ifndef STEAMCALC_CLI_TABLE_H
#define STEAMCALC_CLI_TABLE_H

#include <array>
#include <string>
#include <string_view>

#include "options.h"

namespace if97cli {

class Table {
 public:
  Table(const InputPair& pair, bool decimal_comma);

  const InputPair& pair() const { return pair_; }

  void AppendHeader(std::string& out) const;
  // The row of the state given by the values (in the pair's order), without
  // its newline. On a refusal appends nothing and returns false with the
  // reason in `error`.
  bool AppendRow(std::string& out, const std::array<double, 2>& values, std::string& error) const;
  // A row of empty fields, as many as the header has.
  void AppendEmptyRow(std::string& out) const;
  // The state one quantity per line, with units.
  bool AppendLines(std::string& out, const std::array<double, 2>& values, std::string& error) const;

 private:
  const InputPair& pair_;
  bool decimal_comma_;
  char separator_;
};

}  // namespace if97cli

#endif  // STEAMCALC_CLI_TABLE_H
