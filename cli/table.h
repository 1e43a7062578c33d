// The output of the if97 command: the quantities of a state, as CSV rows or
// as one quantity per line.
#ifndef STEAMCALC_CLI_TABLE_H
#define STEAMCALC_CLI_TABLE_H

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "quantities.h"

namespace if97cli {

class Table {
 public:
  // The selection's quantities in its units (empty quantities: the default
  // columns). Values given to the rows are in the selection's units too.
  Table(const InputPair& pair, bool decimal_comma, const Selection& selection = {});

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
  enum class Kind { kNumber, kRegion, kPhase };
  struct Column {
    double if97::State::*member;  // kNumber
    Kind kind;
    Conversion conversion;
    const Quantity* quantity;
  };

  // The state's value of a column in the user's units; NaN when it has none.
  static double ValueOf(const Column& column, const if97::State& state) {
    return column.conversion.ToUser(state.*column.member);
  }
  void AppendField(std::string& out, const Column& column, const if97::State& state) const;
  void AppendWord(std::string& out, const Column& column, const if97::State& state) const;
  void AppendHeaderField(std::string& out, const Column& column, std::string_view suffix) const;
  std::array<double, 2> Given(const std::array<double, 2>& values) const;

  const InputPair& pair_;
  bool decimal_comma_;
  char separator_;
  bool labelled_;  // the CSV header gives units
  bool chosen_;    // --properties: one-state output shows every chosen quantity
  // Every column; for sat-p and sat-t only p and t, which the phases share.
  std::vector<Column> shared_;
  // sat-p and sat-t: the other columns, once for saturated water, once for steam.
  std::vector<Column> phased_;
  std::array<Conversion, 2> inputs_;  // the pair's values to the library's units
  // What the rows ask the library for: the transport properties only when a
  // column shows one.
  if97::Extent extent_ = if97::Extent::kThermodynamic;
};

}  // namespace if97cli

#endif  // STEAMCALC_CLI_TABLE_H
