// Internal to the library: the region-3 basic equation, IAPWS-IF97 eq. 28,
// as the volume search and the enthalpy and entropy at a volume form it: the
// powers each sum reads, the term factors formed once, delta phi_delta
// (Table 32) and the reduced delta and tau. Inline, since the volume search
// forms delta phi_delta at thousands of trial volumes per state.
#ifndef STEAMCALC_LIBRARY_REGION3_EQUATION_H
#define STEAMCALC_LIBRARY_REGION3_EQUATION_H

#include <if97/if97.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "arith/powers.h"
#include "arith/stored.h"
#include "tables/basic_equations.h"

namespace if97::detail::r3 {

using region3::I, region3::J, region3::n, region3::n1, region3::kRhoStar, region3::kTStar;

// The powers each sum reads.
inline constexpr Exponents kDeltaPhiDeltaDelta = Exponents{}.With(I, -1);  // delta^(I - 1)
inline constexpr Exponents kTauJ = Exponents{}.With(J);                    // tau^J
inline constexpr Exponents kDeltaI = Exponents{}.With(I);                  // delta^I
inline constexpr Exponents kTauJMinus1 = Exponents{}.With(J, -1);          // tau^(J - 1)

inline constexpr auto kIN = Products(I, n);  // I_i n_i
inline constexpr auto kINd = [] {            // the same in double
  std::array<double, std::size(n)> d{};
  for (std::size_t i = 0; i < std::size(n); ++i) d[i] = static_cast<double>(kIN[i]);
  return d;
}();
inline constexpr auto kI = AsDoubles(I);  // I_i
inline constexpr auto kJ = AsDoubles(J);  // J_i

// The largest I of Table 30: delta phi_delta times delta is a polynomial in
// delta of degree kHighestI + 1.
inline constexpr int kHighestI = *std::max_element(I.begin(), I.end());
static_assert(kHighestI == 11);

// Table 32: delta phi_delta = delta (n1 / delta + sum I_i n_i delta^(I_i - 1) tau^J_i);
// the terms with I = 0 form a reciprocal power that their factor I = 0 removes.
inline double DeltaPhiDelta(double delta, const PowerTable<kTauJ>& tau) {
  const PowerTable<kDeltaPhiDeltaDelta> d(delta);
  double sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum = Stored(sum + kIN[i] * d[I[i] - 1] * tau[J[i]]);
  }
  return Stored(ext{delta} * (n1 / ext{delta} + sum));
}

inline double DeltaOfVolume(double v) { return Stored((1 / ext{v}) / kRhoStar); }

// tau as the pressure term forms it: from t in extended precision, without
// storing T first.
inline double TauOfTemperature(double t) { return Stored(kTStar / (ext{t} + kKelvinOffset)); }

}  // namespace if97::detail::r3

#endif  // STEAMCALC_LIBRARY_REGION3_EQUATION_H
