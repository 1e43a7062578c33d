// Internal to the library: the temperature range of the formulation, and the
// temperature at which S_PH, V_PH, H_PS and V_PS evaluate the forward
// functions.
#ifndef STEAMCALC_FORWARD_RANGE_H
#define STEAMCALC_FORWARD_RANGE_H

namespace if97::detail {

// The permissible deviation of the IAPWS-IF97 backward equations T(p,h) and
// T(p,s) from the forward equations in region 1 and sub-region 2c, the
// largest of all sub-regions.
inline constexpr double kBackwardDeviation = 0.025;  // K

inline constexpr double kLowestTemperature = 0;             // degC
inline constexpr double kHighestTemperatureRegion2 = 800;   // degC, upper end of region 2
inline constexpr double kHighestTemperatureRegion5 = 1000;  // degC, upper end of region 5
inline constexpr double kRegion5Pressure = 10;              // MPa, upper end of region 5

// The highest temperature of the formulation at pressure p.
inline double HighestTemperature(double p) {
  return p <= kRegion5Pressure ? kHighestTemperatureRegion5 : kHighestTemperatureRegion2;
}

// The backward equations meet the forward equations only to within
// kBackwardDeviation, so a state on the calculator's 0 degC or 800 degC bound
// can come back a few millikelvin outside the range h_pt, s_pt and v_pt
// accept. Such a temperature is taken at the bound; every other one, FAILURE
// included, is passed on unchanged.
inline double IntoForwardRange(double p, double t) {
  if (t < kLowestTemperature && t > kLowestTemperature - kBackwardDeviation) {
    return kLowestTemperature;
  }
  if (p > kRegion5Pressure && t > kHighestTemperatureRegion2 &&
      t < kHighestTemperatureRegion2 + kBackwardDeviation) {
    return kHighestTemperatureRegion2;
  }
  return t;
}

}  // namespace if97::detail

#endif  // STEAMCALC_FORWARD_RANGE_H
