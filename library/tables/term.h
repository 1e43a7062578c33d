// Internal to the library: the one convention of the IAPWS coefficient tables.
// A table is a constexpr array of rows in the release's term order, one term a
// row, the row's number in a trailing comment, its length checked by a
// static_assert beside it.
#ifndef STEAMCALC_LIBRARY_TABLES_TERM_H
#define STEAMCALC_LIBRARY_TABLES_TERM_H

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

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_TABLES_TERM_H
