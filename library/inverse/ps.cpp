// Temperature, enthalpy and specific volume from pressure and entropy.
//
// Region 1 and sub-regions 2a, 2c use the IAPWS-IF97 backward equations
// T(p, s) (eqs. 13, 25, 27). Sub-region 2b and the near-critical band between
// the 350 degC isotherm and the B23 line are solved by interpolation on the
// forward entropy s_pt, region 5 (above 800 degC up to 10 MPa) on S5_PT; wet
// steam takes the saturation temperature.
#include <cmath>
#include <iterator>
#include <optional>
#include <string>

#include "inverse/backward_sums.h"
#include "forward/boundaries.h"
#include "forward/forward_range.h"
#include <if97/if97.h>
#include <if97/if97_messages.h>
#include "inverse/ph_ps_select.h"
#include <if97/if97_limits.h>
#include "forward/region_codes.h"
#include "arith/stored.h"
#include "inverse/temperature_search.h"

namespace if97 {
namespace {

using namespace detail;

// IAPWS-IF97 Table 8: Region 1 backward equation T(p, s):
// rows {I_i, J_i, n_i}, i in the comment.
constexpr BackwardTerm table8[] = {
    {0, 0, 0.17478268058307e3},      // 1
    {0, 1, 0.34806930892873e2},      // 2
    {0, 2, 0.65292584978455e1},      // 3
    {0, 3, 0.33039981775489e0},      // 4
    {0, 11, -0.19281382923196e-6},   // 5
    {0, 31, -0.24909197244573e-22},  // 6
    {1, 0, -0.26107636489332e0},     // 7
    {1, 1, 0.22592965981586e0},      // 8
    {1, 2, -0.64256463395226e-1},    // 9
    {1, 3, 0.78876289270526e-2},     // 10
    {1, 12, 0.35672110607366e-9},    // 11
    {1, 31, 0.17332496994895e-23},   // 12
    {2, 0, 0.56608900654837e-3},     // 13
    {2, 1, -0.32635483139717e-3},    // 14
    {2, 2, 0.44778286690632e-4},     // 15
    {2, 9, -0.51322156908507e-9},    // 16
    {2, 31, -0.42522657042207e-25},  // 17
    {3, 10, 0.26400441360689e-12},   // 18
    {3, 32, 0.78124600459723e-28},   // 19
    {4, 32, -0.30732199903668e-30},  // 20
};
static_assert(std::size(table8) == 20);

// IAPWS-IF97 Table 25: Sub-region 2a backward equation T(p, s):
// rows {I_i, J_i, n_i}, i in the comment.
constexpr QuarterTerm table25[] = {
    {-1.5, -24, -0.39235983861984e6},   // 1
    {-1.5, -23, 0.51526573827270e6},    // 2
    {-1.5, -19, 0.40482443161048e5},    // 3
    {-1.5, -13, -0.32193790923902e3},   // 4
    {-1.5, -11, 0.96961424218694e2},    // 5
    {-1.5, -10, -0.22867846371773e2},   // 6
    {-1.25, -19, -0.44942914124357e6},  // 7
    {-1.25, -15, -0.50118336020166e4},  // 8
    {-1.25, -6, 0.35684463560015e0},    // 9
    {-1.0, -26, 0.44235335848190e5},    // 10
    {-1.0, -21, -0.13673388811708e5},   // 11
    {-1.0, -17, 0.42163260207864e6},    // 12
    {-1.0, -16, 0.22516925837475e5},    // 13
    {-1.0, -9, 0.47442144865646e3},     // 14
    {-1.0, -8, -0.14931130797647e3},    // 15
    {-0.75, -15, -0.19781126320452e6},  // 16
    {-0.75, -14, -0.23554399470760e5},  // 17
    {-0.5, -26, -0.19070616302076e5},   // 18
    {-0.5, -13, 0.55375669883164e5},    // 19
    {-0.5, -9, 0.38293691437363e4},     // 20
    {-0.5, -7, -0.60391860580567e3},    // 21
    {-0.25, -27, 0.19363102620331e4},   // 22
    {-0.25, -25, 0.42660643698610e4},   // 23
    {-0.25, -11, -0.59780638872718e4},  // 24
    {-0.25, -6, -0.70401463926862e3},   // 25
    {0.25, 1, 0.33836784107553e3},      // 26
    {0.25, 4, 0.20862786635187e2},      // 27
    {0.25, 8, 0.33834172656196e-1},     // 28
    {0.25, 11, -0.43124428414893e-4},   // 29
    {0.5, 0, 0.16653791356412e3},       // 30
    {0.5, 1, -0.13986292055898e3},      // 31
    {0.5, 5, -0.78849547999872e0},      // 32
    {0.5, 6, 0.72132411753872e-1},      // 33
    {0.5, 10, -0.59754839398283e-2},    // 34
    {0.5, 14, -0.12141358953904e-4},    // 35
    {0.5, 16, 0.23227096733871e-6},     // 36
    {0.75, 0, -0.10538463566194e2},     // 37
    {0.75, 4, 0.20718925496502e1},      // 38
    {0.75, 9, -0.72193155260427e-1},    // 39
    {0.75, 17, 0.20749887081120e-6},    // 40
    {1.0, 7, -0.18340657911379e-1},     // 41
    {1.0, 18, 0.29036272348696e-6},     // 42
    {1.25, 3, 0.21037527893619e0},      // 43
    {1.25, 15, 0.25681239729999e-3},    // 44
    {1.5, 5, -0.12799002933781e-1},     // 45
    {1.5, 18, -0.82198102652018e-5},    // 46
};
static_assert(std::size(table25) == 46);

// IAPWS-IF97 Table 27: Sub-region 2c backward equation T(p, s):
// rows {I_i, J_i, n_i}, i in the comment.
constexpr BackwardTerm table27[] = {
    {-2, 0, 0.90968501005365e3},    // 1
    {-2, 1, 0.24045667088420e4},    // 2
    {-1, 0, -0.59162326387130e3},   // 3
    {0, 0, 0.54145404128074e3},     // 4
    {0, 1, -0.27098308411192e3},    // 5
    {0, 2, 0.97976525097926e3},     // 6
    {0, 3, -0.46966772959435e3},    // 7
    {1, 0, 0.14399274604723e2},     // 8
    {1, 1, -0.19104204230429e2},    // 9
    {1, 3, 0.53299167111971e1},     // 10
    {1, 4, -0.21252975375934e2},    // 11
    {2, 0, -0.31147334413760e0},    // 12
    {2, 1, 0.60334840894623e0},     // 13
    {2, 2, -0.42764839702509e-1},   // 14
    {3, 0, 0.58185597255259e-2},    // 15
    {3, 1, -0.14597008284753e-1},   // 16
    {3, 5, 0.56631175631027e-2},    // 17
    {4, 0, -0.76155864584577e-4},   // 18
    {4, 1, 0.22440342919332e-3},    // 19
    {4, 4, -0.12561095013413e-4},   // 20
    {5, 0, 0.63323132660934e-6},    // 21
    {5, 1, -0.20541989675375e-5},   // 22
    {5, 2, 0.36405370390082e-7},    // 23
    {6, 0, -0.29759897789215e-8},   // 24
    {6, 1, 0.10136618529763e-7},    // 25
    {7, 0, 0.59925719692351e-11},   // 26
    {7, 1, -0.20677870105164e-10},  // 27
    {7, 3, -0.20874278181886e-10},  // 28
    {7, 4, 0.10162166825089e-9},    // 29
    {7, 5, -0.16429828281347e-9},   // 30
};
static_assert(std::size(table27) == 30);

// The bases of the sums: pi and sigma, shifted.
Bases Bases13(double p, double s) { return {p / 1.0, s / 1.0 + 2}; }     // eq. 13
Bases Bases25(double p, double s) { return {p / 1.0, s / 2.0 - 2}; }     // eq. 25
Bases Bases27(double p, double s) { return {p / 1.0, 2 - s / 2.9251}; }  // eq. 27

constexpr double kT2bTop = 800;         // degC, upper start of T_PS2b
constexpr double kTolerance2b = 1e-10;  // relative entropy, T_PS2b
constexpr int kStepLimit2b = 100000;    // steps of T_PS2b
constexpr double kTolerance3 = 1e-6;    // relative entropy, T_PS3
constexpr int kStepLimit3 = 15000;      // steps of T_PS3

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
double T_PS1(double p, double s) { return detail::BackwardSum(table8, Bases13(p, s)); }

// IAPWS-IF97 eq. 25, Table 25. The exponents are not integers; every power is
// taken through the exponential and the natural logarithm.
double T_PS2a(double p, double s) {
  const Bases x = Bases25(p, s);
  const ext ln_pi = std::log(ext{x.a});
  const ext ln_sigma = std::log(ext{x.b});
  double theta = 0;
  for (const QuarterTerm& term : table25) {
    theta = Stored(theta + term.n * std::exp(term.I * ln_pi) * std::exp(term.J * ln_sigma));
  }
  return theta - kKelvinOffset;
}

// IAPWS-IF97 eq. 27, Table 27.
double T_PS2c(double p, double s) { return detail::BackwardSum(table27, Bases27(p, s)); }

// Sub-region 2b: interpolation on s_pt from the saturation temperature at
// 4 MPa and 800 degC, to a relative entropy of 1e-10. The new point replaces
// the upper end when its entropy is not above the target.
double T_PS2b(double p, double s) {
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

// ---- first temperatures for the state functions (backward_sums.h) --------

namespace if97::detail {

double EstimateT_PS1(double p, double s) { return EstimateSum<table8>(Bases13(p, s)); }

// The exponents I of Table 25 are quarters: pi^I = (pi^(1/4))^(4 I).
double EstimateT_PS2a(double p, double s) {
  constexpr int kQuarterLowest = -6;  // 4 I from -6 to 6
  constexpr int kQuarterHighest = 6;
  constexpr int kJLowest = -27;  // J from -27 to 18
  constexpr int kJHighest = 18;
  const Bases x = Bases25(p, s);
  const double quarter = std::sqrt(std::sqrt(x.a));
  const double b = x.b;
  double quarter_powers[kQuarterHighest - kQuarterLowest + 1];
  double b_powers[kJHighest - kJLowest + 1];
  quarter_powers[-kQuarterLowest] = 1;
  for (int k = 1; k <= kQuarterHighest; ++k) {
    quarter_powers[-kQuarterLowest + k] = quarter_powers[-kQuarterLowest + k - 1] * quarter;
    quarter_powers[-kQuarterLowest - k] = 1 / quarter_powers[-kQuarterLowest + k];
  }
  b_powers[-kJLowest] = 1;
  for (int k = 1; k <= -kJLowest; ++k) {
    if (k <= kJHighest) b_powers[-kJLowest + k] = b_powers[-kJLowest + k - 1] * b;
  }
  double b_power = 1;
  for (int k = 1; k <= -kJLowest; ++k) {
    b_power *= b;
    b_powers[-kJLowest - k] = 1 / b_power;
  }
  ext theta = 0;
  for (const QuarterTerm& term : table25) {
    const int quarters = static_cast<int>(4 * term.I);
    const int j = term.J;
    theta += ext{term.n} * quarter_powers[quarters - kQuarterLowest] * b_powers[j - kJLowest];
  }
  return Stored(theta - kKelvinOffset);
}

double EstimateT_PS2c(double p, double s) { return EstimateSum<table27>(Bases27(p, s)); }

}  // namespace if97::detail
