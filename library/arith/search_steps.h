// Internal to the library: the steps the searches share, each formed in one
// place so that every search rounds it the same way.
#ifndef STEAMCALC_LIBRARY_ARITH_SEARCH_STEPS_H
#define STEAMCALC_LIBRARY_ARITH_SEARCH_STEPS_H

#include "arith/stored.h"

namespace if97::detail {

// Stored((a + b) / 2), the midpoint of a bisection. For positive a and b less
// than 2^10 apart their sum is exact in the extended type, so its one rounding
// is that of the sum in double, halved: the same double, formed without the
// extended arithmetic.
inline double Midpoint(double a, double b) {
  if (a > 0 && b > 0 && a < b * 0x1p10 && b < a * 0x1p10) return (a + b) * 0.5;
  return Stored((ext{a} + b) / 2);
}

// The golden section (3 - sqrt 5) / 2 of a minimum search.
inline constexpr double kGoldenSection = 0.38196601125010515;
// The golden ratio (sqrt 5 - 1) / 2 to six digits, as the search for the
// greatest enthalpy of saturated steam (P_HSPMAX) has always taken it; its
// result depends on these digits.
inline constexpr double kGoldenRatioSixDigits = 0.618034;

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_ARITH_SEARCH_STEPS_H
