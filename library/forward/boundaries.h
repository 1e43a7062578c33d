// Internal to the library: the boundaries between the IAPWS-IF97 regions and
// sub-regions, for the region selections, the temperature searches and the
// state functions. The lowest pressure of B23 and the lowest temperature of
// region 3 are public (if97.h).
#ifndef STEAMCALC_LIBRARY_BOUNDARIES_H
#define STEAMCALC_LIBRARY_BOUNDARIES_H

#include <if97/if97.h>
#include <if97/if97_limits.h>

#include <cmath>

#include "arith/stored.h"
#include "tables/boundary_equations.h"

namespace if97::detail {

// B23 and B2bc share one form: p = n1 + n2 x + n3 x^2, and its inverse
// x = n4 + ((p - n5) / n3)^0.5, p above n5 only, which this evaluates. Both
// tables pass through here, which holds them to five coefficients.
inline double InverseOfBoundary(const double (&n)[5], double p) {
  return Stored(n[3] + std::sqrt((ext{p} - n[4]) / n[2]));
}

// ---- B23, between regions 2 and 3 -------------------------------------------

// IAPWS-IF97 eq. 5: the pressure (MPa) on B23 at T (K), with T^2 formed in
// double.
inline double PB23(double T) {
  return Stored(b23::n[0] + b23::n[1] * ext{T} + b23::n[2] * ext{PowInt(T, 2)});
}

// IAPWS-IF97 eq. 6: the temperature (K) on B23 at p (MPa).
inline double TB23(double p) { return InverseOfBoundary(b23::n, p); }

// The same in degC.
inline double TB23Celsius(double p) { return TB23(p) - kKelvinOffset; }

// ---- the saturation line ------------------------------------------------------
// A temperature that orders t against TS_P(p) (less, equal or greater) exactly
// as TS_P(p) does: a cheaper estimate where t lies clearly off the line,
// TS_P(p) itself near it (region_select.cpp).
double SaturationTemperatureToCompare(double p, double t);

// ---- region 1, region 2 and region 5 by temperature --------------------------
inline constexpr double kRegion1HighestTemperature = 623.15;   // K, also of region 3's lower end
inline constexpr double kRegion2HighestTemperature = 1073.15;  // K
inline constexpr double kRegion5HighestTemperature = 1273.15;  // K
static_assert(kRegion1HighestTemperature == kRegion3LowestTemperature + kKelvinOffset);
static_assert(kRegion2HighestTemperature == limits::kHighestTemperatureRegion2 + kKelvinOffset);
static_assert(kRegion5HighestTemperature == limits::kHighestTemperatureRegion5 + kKelvinOffset);

// ---- sub-regions 2a, 2b and 2c -----------------------------------------------
inline constexpr double kP2ab = 4;             // MPa, sub-regions 2a / 2b
inline constexpr double kP2bcLowest = 6.5467;  // MPa, lower end of the B2bc line

// IAPWS-IF97 eq. 20: the pressure (MPa) on B2bc at h (kJ/kg).
inline double PB2bc(double h) {
  const ext eta = h;
  return Stored(b2bc::n[0] + b2bc::n[1] * eta + b2bc::n[2] * eta * eta);
}

// IAPWS-IF97 eq. 21: the enthalpy (kJ/kg) on B2bc at p (MPa).
inline double HB2bc(double p) { return InverseOfBoundary(b2bc::n, p); }

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_BOUNDARIES_H
