// Temperature, enthalpy and specific volume from pressure and entropy.
//
// Region 1 and sub-regions 2a, 2c use the IAPWS-IF97 backward equations
// T(p, s) (eqs. 13, 25, 27). Sub-region 2b and the near-critical band between
// the 350 degC isotherm and the B23 line are solved by interpolation on the
// forward entropy s_pt, region 5 (above 800 degC up to 10 MPa) on S5_PT; wet
// steam takes the saturation temperature.
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

// The bases of the sums: pi and sigma, shifted.
Bases Bases13(double p, double s) { return {p / 1.0, s / 1.0 + 2}; }     // eq. 13
Bases Bases25(double p, double s) { return {p / 1.0, s / 2.0 - 2}; }     // eq. 25
Bases Bases27(double p, double s) { return {p / 1.0, 2 - s / 2.9251}; }  // eq. 27

constexpr double kT2bTop = limits::kHighestTemperatureRegion2;  // degC, upper start of T_PS2b
constexpr double kTolerance2b = 1e-10;                          // relative entropy, T_PS2b
constexpr int kStepLimit2b = 100000;                            // steps of T_PS2b
constexpr double kTolerance3 = 1e-6;                            // relative entropy, T_PS3
constexpr int kStepLimit3 = 15000;                              // steps of T_PS3

using messages::kAbove800Ps2b, messages::kNoTemperaturePs2b, messages::kNoTemperaturePs3,
    messages::kPsOutOfRange;

// The 2b / 2c boundary entropy: saturated steam at the lower end of the B2bc
// line, in place of the standard's 5.85 kJ/(kg K).
double S2bc() { return SSP_P(kP2bcLowest); }

// The range of REGION_PS admits entropies that no state at the given
// pressure has: water below 0 degC, and up to 10 MPa steam above 1000 degC.
// Steam above 800 degC up to 10 MPa is region 5, which has no backward
// equation; above 10 MPa the iteration of sub-region 2b reports an entropy
// above that at 800 degC.
std::optional<double> OutsideBackward(int code, double p, double s) {
  if (code == kRegion1 && s < s_pt(p, limits::kLowestTemperature)) {
    ShowMessage(kPsOutOfRange);
    return FAILURE;
  }
  if (code != kRegion1 && code != kRegion3 && p <= limits::kRegion5Pressure) {
    if (s > s_pt(p, limits::kHighestTemperatureRegion5)) {
      ShowMessage(kPsOutOfRange);
      return FAILURE;
    }
    if (s > s_pt(p, limits::kHighestTemperatureRegion2)) {
      return Region5Temperature(S5_PT, p, s);
    }
  }
  return std::nullopt;
}

// Between the entropies of (0.001 MPa, 1000 degC) and (100 MPa, 0 degC),
// whatever the pressure.
bool InRange(double p, double s) {
  const double s_max = s_pt(limits::kPsLowestPressure, limits::kHighestTemperatureRegion5);
  const double s_min = s_pt(limits::kPsHighestPressure, limits::kLowestTemperature);
  return limits::kPsLowestPressure <= p && p <= limits::kPsHighestPressure && s_min <= s &&
         s <= s_max;
}

// Sub-regions 2b and 2c part at s''(6.5467 MPa), region 3 from the B23 line
// down.
int AboveP2bcLowest(double p, double s, const detail::Landmarks& at_p, int code) {
  const double s_bc = S2bc();
  if (p > kP2bcLowest && s >= s_bc) code = kRegion2b;
  if (kP2bcLowest < p && p <= kB23LowestPressure && at_p.y_steam < s && s < s_bc) code = kRegion2c;
  if (p > kB23LowestPressure) {
    const double s_b23 = s_pt(p, TB23Celsius(p));
    if (s_b23 <= s && s < s_bc) code = kRegion2c;
    if (at_p.y350 < s && s < s_b23) code = kRegion3;
  }
  return code;
}

const detail::GivenQuantity kGivenEntropy = {
    .enthalpy = false,
    .in_range = InRange,
    .out_of_range = kPsOutOfRange,
    .forward = s_pt,
    .saturated_water = SSW_P,
    .saturated_steam = SSP_P,
    .above_p2bc_lowest = AboveP2bcLowest,
    .function = "T_PS",
    .outside_backward = OutsideBackward,
    .region1 = T_PS1,
    .region2a = T_PS2a,
    .region2b = T_PS2b,
    .region2c = T_PS2c,
    .region3 = T_PS3,
};

}  // namespace

void REGION_PS(double p, double s, int& code, std::string& caption) {
  detail::Region(kGivenEntropy, p, s, code, caption);
}

// IAPWS-IF97 eq. 13, Table 8.
double T_PS1(double p, double s) { return detail::BackwardSum(backward::kTable8, Bases13(p, s)); }

// IAPWS-IF97 eq. 25, Table 25. The exponents are not integers; every power is
// taken through the exponential and the natural logarithm.
double T_PS2a(double p, double s) {
  const detail::ExtendedPrecision guard;
  const Bases x = Bases25(p, s);
  const ext ln_pi = std::log(ext{x.a});
  const ext ln_sigma = std::log(ext{x.b});
  double theta = 0;
  for (const QuarterTerm& term : backward::kTable25) {
    theta = Stored(theta + term.n * std::exp(term.I * ln_pi) * std::exp(term.J * ln_sigma));
  }
  return theta - kKelvinOffset;
}

// IAPWS-IF97 eq. 27, Table 27.
double T_PS2c(double p, double s) { return detail::BackwardSum(backward::kTable27, Bases27(p, s)); }

// Sub-region 2b: interpolation on s_pt from the saturation temperature at
// 4 MPa and 800 degC, to a relative entropy of 1e-10. The new point replaces
// the upper end when its entropy is not above the target.
double T_PS2b(double p, double s) {
  const detail::ExtendedPrecision guard;
  double t_lo = TS_P(kP2ab);
  // Within a few units in the last place above 4 MPa the saturation
  // temperature at p is the same double, and the start lies on the saturation
  // line, where s_pt reports and has no value; its liquid-side value there is
  // that of saturated water.
  double s_lo = t_lo == TS_P(p) ? SSW_P(p) : s_pt(p, t_lo);
  double t_hi = kT2bTop;
  double s_hi = s_pt(p, t_hi);
  if (s_hi < s) {
    ShowMessage(kAbove800Ps2b);
    return FAILURE;
  }
  const detail::Interpolation it{s_pt, kTolerance2b, kStepLimit2b, kNoTemperaturePs2b, true};
  return detail::InterpolateUpperFirst(it, p, s, t_lo, s_lo, t_hi, s_hi);
}

// Near-critical band above 16.5292 MPa: interpolation on s_pt between the
// 350 degC isotherm and the B23 line, to a relative entropy of 1e-6.
double T_PS3(double p, double s) {
  const detail::ExtendedPrecision guard;
  const detail::Interpolation it{s_pt, kTolerance3, kStepLimit3, kNoTemperaturePs3, false, S3_PT};
  return detail::NearCriticalTemperature(it, SSW_P, SSP_P, p, s);
}

double T_PS(double p, double s) { return detail::Temperature(kGivenEntropy, p, s); }

double H_PS(double p, double s) {
  return detail::PropertyOfState(kGivenEntropy, p, s, h_pt, H_PX, false);
}

double V_PS(double p, double s) {
  return detail::PropertyOfState(kGivenEntropy, p, s, v_pt, V_PX, false);
}

}  // namespace if97
