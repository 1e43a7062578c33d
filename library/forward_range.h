// Internal to the library: the temperature at which S_PH, V_PH, H_PS and V_PS
// evaluate the forward functions.
#ifndef STEAMCALC_FORWARD_RANGE_H
#define STEAMCALC_FORWARD_RANGE_H

namespace if97::detail {

// The backward equations T(p,h) and T(p,s) meet the forward equations only to
// within 25 mK (the permissible deviation of IAPWS-IF97 regions 1 and 2c), so
// a state on the calculator's 0 degC or 800 degC bound can come back a few
// millikelvin outside the range h_pt, s_pt and v_pt accept. Such a
// temperature is taken at the bound; every other one, FAILURE included, is
// passed on unchanged.
inline double IntoForwardRange(double p, double t) {
  constexpr double kBackwardDeviation = 0.025;  // K
  constexpr double kLowest = 0;                 // degC
  constexpr double kHighestAbove10MPa = 800;    // degC
  constexpr double kRegion5Pressure = 10;       // MPa
  if (t < kLowest && t > kLowest - kBackwardDeviation) return kLowest;
  if (p > kRegion5Pressure && t > kHighestAbove10MPa &&
      t < kHighestAbove10MPa + kBackwardDeviation) {
    return kHighestAbove10MPa;
  }
  return t;
}

}  // namespace if97::detail

#endif  // STEAMCALC_FORWARD_RANGE_H
