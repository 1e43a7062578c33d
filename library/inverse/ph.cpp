// Temperature, entropy and specific volume from pressure and enthalpy.
//
// Region 1 and sub-regions 2a, 2b, 2c use the IAPWS-IF97 backward equations
// T(p, h) (eqs. 11, 22, 23, 24); the near-critical band between the 350 degC
// isotherm and the B23 line is solved by interpolation on the forward
// enthalpy h_pt; region 5 (above 800 degC up to 10 MPa) by interpolation on
// H5_PT; wet steam takes the saturation temperature.
#include <if97/if97.h>
#include <if97/if97_limits.h>
#include <if97/if97_messages.h>

#include <cmath>
#include <iterator>
#include <optional>
#include <string>

#include "arith/precision.h"
#include "arith/stored.h"
#include "forward/boundaries.h"
#include "forward/forward_range.h"
#include "forward/region_codes.h"
#include "inverse/backward_sums.h"
#include "inverse/ph_ps_select.h"
#include "inverse/temperature_search.h"
#include "tables/backward_equations.h"

namespace if97 {
namespace {

using namespace detail;

// The bases of the sums: pi and eta, shifted.
Bases Bases11(double p, double h) { return {p / 1.0, h / 2500.0 + 1}; }         // eq. 11
Bases Bases22(double p, double h) { return {p / 1.0, h / 2000.0 - 2.1}; }       // eq. 22
Bases Bases23(double p, double h) { return {p / 1.0 - 2, h / 2000.0 - 2.6}; }   // eq. 23
Bases Bases24(double p, double h) { return {p / 1.0 + 25, h / 2000.0 - 1.8}; }  // eq. 24

constexpr double kTolerance3 = 1e-5;  // relative enthalpy, T_PH3
constexpr int kStepLimit3 = 20000;    // steps of T_PH3

using messages::kPhOutOfRange, messages::kNoTemperaturePh3;

// Above 800 degC, up to 10 MPa, a steam state is in region 5, which has no
// backward equation; above the highest temperature of the formulation there
// is no state at all.
std::optional<double> OutsideBackward(int code, double p, double h) {
  if (code == kRegion1 || code == kRegion3) return std::nullopt;
  if (h > h_pt(p, HighestTemperature(p))) {
    ShowMessage(kPhOutOfRange);
    return FAILURE;
  }
  if (p <= limits::kRegion5Pressure && h > h_pt(p, limits::kHighestTemperatureRegion2)) {
    return Region5Temperature(H5_PT, p, h);
  }
  return std::nullopt;
}

// The lowest enthalpy is that of water at 0 degC, below zero under about
// 0.044 MPa; the pressure is checked first.
bool InRange(double p, double h) {
  return limits::kPhLowestPressure <= p && p <= limits::kPhHighestPressure &&
         h <= limits::kPhHighestEnthalpy && h >= h_pt(p, limits::kLowestTemperature);
}

// Sub-regions 2b and 2c part on the B2bc line (eqs. 20 and 21), region 3
// from the B23 line down.
int AboveP2bcLowest(double p, double h, const detail::Landmarks& at_p, int code) {
  if (p > kP2bcLowest && p <= PB2bc(h) && h > HB2bc(p)) code = kRegion2b;
  if (p > PB2bc(h) && p <= kB23LowestPressure && h > at_p.y_steam) code = kRegion2c;
  if (p > kB23LowestPressure && h <= HB2bc(p)) {
    const double h_b23 = h_pt(p, TB23Celsius(p));
    if (h > h_b23) code = kRegion2c;
    if (h <= h_b23 && h > at_p.y350) code = kRegion3;
  }
  return code;
}

const detail::GivenQuantity kGivenEnthalpy = {
    .enthalpy = true,
    .in_range = InRange,
    .out_of_range = kPhOutOfRange,
    .forward = h_pt,
    .saturated_water = HSW_P,
    .saturated_steam = HSP_P,
    .above_p2bc_lowest = AboveP2bcLowest,
    .function = "T_PH",
    .outside_backward = OutsideBackward,
    .region1 = T_PH1,
    .region2a = T_PH2a,
    .region2b = T_PH2b,
    .region2c = T_PH2c,
    .region3 = T_PH3,
};

}  // namespace

void REGION_PH(double p, double h, int& code, std::string& caption) {
  detail::Region(kGivenEnthalpy, p, h, code, caption);
}

// IAPWS-IF97 eq. 11, Table 6.
double T_PH1(double p, double h) { return detail::BackwardSum(backward::kTable6, Bases11(p, h)); }

// IAPWS-IF97 eq. 22, Table 20.
double T_PH2a(double p, double h) { return detail::BackwardSum(backward::kTable20, Bases22(p, h)); }

// IAPWS-IF97 eq. 23, Table 21.
double T_PH2b(double p, double h) { return detail::BackwardSum(backward::kTable21, Bases23(p, h)); }

// IAPWS-IF97 eq. 24, Table 22.
double T_PH2c(double p, double h) { return detail::BackwardSum(backward::kTable22, Bases24(p, h)); }

// Near-critical band above 16.5292 MPa: interpolation on h_pt between the
// 350 degC isotherm and the B23 line, to a relative enthalpy of 1e-5.
double T_PH3(double p, double h) {
  const detail::ExtendedPrecision guard;
  const detail::Interpolation it{h_pt, kTolerance3, kStepLimit3, kNoTemperaturePh3, false, H3_PT};
  return detail::NearCriticalTemperature(it, HSW_P, HSP_P, p, h);
}

double T_PH(double p, double h) { return detail::Temperature(kGivenEnthalpy, p, h); }

double S_PH(double p, double h) {
  return detail::PropertyOfState(kGivenEnthalpy, p, h, s_pt, S_PX, false);
}

// Never v_pt exactly on the saturation line: V_PX reports the dryness
// fraction outside 0..1 instead.
double V_PH(double p, double h) {
  return detail::PropertyOfState(kGivenEnthalpy, p, h, v_pt, V_PX, true);
}

}  // namespace if97
