// Internal to the library: the one convention of the IAPWS coefficient tables.
// A table is a constexpr array of rows in the release's term order, one term a
// row, the row's number in a trailing comment, its length checked by a
// static_assert beside it.
#ifndef STEAMCALC_LIBRARY_TABLES_TERM_H
#define STEAMCALC_LIBRARY_TABLES_TERM_H

#include <array>
#include <cstddef>

namespace if97::detail {

// A term n x^I y^J of a sum of two bases (I or J may be 0 for one base).
struct Term {
  int I;
  int J;
  double n;
};

// A term n x^I of a sum of one base.
struct PowerTerm {
  int I;
  double n;
};

// A term n x^I y^J with a quarter exponent I (IAPWS-IF97 Table 25).
struct QuarterTerm {
  double I;
  int J;
  double n;
};

// A term n tau^J of an ideal-gas sum (IAPWS-IF97 Tables 10 and 37).
struct IdealTerm {
  int J;
  double n;
};

// One column of a table of terms, in the table's order.
template <typename Row, std::size_t N, typename Field>
constexpr std::array<Field, N> Column(const Row (&rows)[N], Field Row::*field) {
  std::array<Field, N> column{};
  for (std::size_t i = 0; i < N; ++i) column[i] = rows[i].*field;
  return column;
}

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_TABLES_TERM_H
