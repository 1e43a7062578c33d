// Internal to the library: the highest temperature of the formulation at a
// pressure, and the temperature at which S_PH, V_PH, H_PS and V_PS evaluate
// the forward functions.
#ifndef STEAMCALC_FORWARD_RANGE_H
#define STEAMCALC_FORWARD_RANGE_H

#include <if97/if97_limits.h>

namespace if97::detail {

// The permissible deviation of the IAPWS-IF97 backward equations T(p,h) and
// T(p,s) from the forward equations in region 1 and sub-region 2c, the
// largest of all sub-regions.
inline constexpr double kBackwardDeviation = 0.025;  // K

// The highest temperature of the formulation at pressure p.
inline double HighestTemperature(double p) {
  return p <= limits::kRegion5Pressure ? limits::kHighestTemperatureRegion5
                                       : limits::kHighestTemperatureRegion2;
}

// The backward equations meet the forward equations only to within
// kBackwardDeviation, so a state on the calculator's 0 degC or 800 degC bound
// can come back a few millikelvin outside the range h_pt, s_pt and v_pt
// accept. Such a temperature is taken at the bound; every other one, FAILURE
// included, is passed on unchanged.
inline double IntoForwardRange(double p, double t) {
  if (t < limits::kLowestTemperature && t > limits::kLowestTemperature - kBackwardDeviation) {
    return limits::kLowestTemperature;
  }
  if (p > limits::kRegion5Pressure && t > limits::kHighestTemperatureRegion2 &&
      t < limits::kHighestTemperatureRegion2 + kBackwardDeviation) {
    return limits::kHighestTemperatureRegion2;
  }
  return t;
}

}  // namespace if97::detail

#endif  // STEAMCALC_FORWARD_RANGE_H
