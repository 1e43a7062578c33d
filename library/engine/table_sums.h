// Internal to the engine: the sum of a table of terms, n_i a^I_i b^J_i (rows
// of detail::Term or detail::QuarterTerm) or n_i a^I_i (detail::PowerTerm),
// as the backward and boundary equations read them. Only the powers the table
// has are formed, each in a chain of about log2 k products (term_sums.h), and
// the terms go to four partial sums in turn, so that neither waits on one
// long chain. The order of the additions is not the table's: these equations
// give starts and boundaries, which need no particular rounding.
#ifndef STEAMCALC_LIBRARY_ENGINE_TABLE_SUMS_H
#define STEAMCALC_LIBRARY_ENGINE_TABLE_SUMS_H

#include <cstddef>
#include <iterator>

#include "engine/term_sums.h"
#include "tables/term.h"

namespace if97::engine::detail {

// The exponent of a row's first base: Table 25's I are quarters, a^I =
// (a^(1/4))^(4 I), and its caller passes a^(1/4).
constexpr int FirstExponent(const if97::detail::Term& row) { return row.I; }
constexpr int FirstExponent(const if97::detail::PowerTerm& row) { return row.I; }
constexpr int FirstExponent(const if97::detail::QuarterTerm& row) {
  return static_cast<int>(4 * row.I);
}

template <const auto& kRows>
struct FirstExponents {
  static constexpr ExponentSet kSet = [] {
    ExponentSet set;
    for (const auto& row : kRows) set = set.With(FirstExponent(row));
    return set;
  }();
};

// sum n a^I b^J over the rows of kRows.
template <const auto& kRows>
double TableSum(double a, double b) {
  const Powers<double, FirstExponents<kRows>> a_powers(a);
  const Powers<double, ExponentsJ<kRows>> b_powers(b);
  double sums[4] = {0, 0, 0, 0};
  Unrolled<0, std::size(kRows)>([&](auto i) {
    constexpr auto row = kRows[i];
    sums[i % 4] +=
        row.n * a_powers.template At<FirstExponent(row)>() * b_powers.template At<row.J>();
  });
  return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

// sum n a^I over the rows of kRows.
template <const auto& kRows>
double TableSum(double a) {
  const Powers<double, FirstExponents<kRows>> a_powers(a);
  double sums[4] = {0, 0, 0, 0};
  Unrolled<0, std::size(kRows)>([&](auto i) {
    constexpr auto row = kRows[i];
    sums[i % 4] += row.n * a_powers.template At<row.I>();
  });
  return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

}  // namespace if97::engine::detail

#endif  // STEAMCALC_LIBRARY_ENGINE_TABLE_SUMS_H
