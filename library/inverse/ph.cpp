// Temperature, entropy and specific volume from pressure and enthalpy.
//
// Region 1 and sub-regions 2a, 2b, 2c use the IAPWS-IF97 backward equations
// T(p, h) (eqs. 11, 22, 23, 24); the near-critical band between the 350 degC
// isotherm and the B23 line is solved by interpolation on the forward
// enthalpy h_pt; region 5 (above 800 degC up to 10 MPa) by interpolation on
// H5_PT; wet steam takes the saturation temperature.
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

// IAPWS-IF97 Table 6: Region 1 backward equation T(p, h):
// rows {I_i, J_i, n_i}, i in the comment.
constexpr BackwardTerm table6[] = {
    {0, 0, -0.23872489924521e3},     // 1
    {0, 1, 0.40421188637945e3},      // 2
    {0, 2, 0.11349746881718e3},      // 3
    {0, 6, -0.58457616048039e1},     // 4
    {0, 22, -0.15285482413140e-3},   // 5
    {0, 32, -0.10866707695377e-5},   // 6
    {1, 0, -0.13391744872602e2},     // 7
    {1, 1, 0.43211039183559e2},      // 8
    {1, 2, -0.54010067170506e2},     // 9
    {1, 3, 0.30535892203916e2},      // 10
    {1, 4, -0.65964749423638e1},     // 11
    {1, 10, 0.93965400878363e-2},    // 12
    {1, 32, 0.11573647505340e-6},    // 13
    {2, 10, -0.25858641282073e-4},   // 14
    {2, 32, -0.40644363084799e-8},   // 15
    {3, 10, 0.66456186191635e-7},    // 16
    {3, 32, 0.80670734103027e-10},   // 17
    {4, 32, -0.93477771213947e-12},  // 18
    {5, 32, 0.58265442020601e-14},   // 19
    {6, 32, -0.15020185953503e-16},  // 20
};
static_assert(std::size(table6) == 20);

// IAPWS-IF97 Table 20: Sub-region 2a backward equation T(p, h):
// rows {I_i, J_i, n_i}, i in the comment.
constexpr BackwardTerm table20[] = {
    {0, 0, 0.10898952318288e4},     // 1
    {0, 1, 0.84951654495535e3},     // 2
    {0, 2, -0.10781748091826e3},    // 3
    {0, 3, 0.33153654801263e2},     // 4
    {0, 7, -0.74232016790248e1},    // 5
    {0, 20, 0.11765048724356e2},    // 6
    {1, 0, 0.18445749355790e1},     // 7
    {1, 1, -0.41792700549624e1},    // 8
    {1, 2, 0.62478196935812e1},     // 9
    {1, 3, -0.17344563108114e2},    // 10
    {1, 7, -0.20058176862096e3},    // 11
    {1, 9, 0.27196065473796e3},     // 12
    {1, 11, -0.45511318285818e3},   // 13
    {1, 18, 0.30919688604755e4},    // 14
    {1, 44, 0.25226640357872e6},    // 15
    {2, 0, -0.61707422868339e-2},   // 16
    {2, 2, -0.31078046629583e0},    // 17
    {2, 7, 0.11670873077107e2},     // 18
    {2, 36, 0.12812798404046e9},    // 19
    {2, 38, -0.98554909623276e9},   // 20
    {2, 40, 0.28224546973002e10},   // 21
    {2, 42, -0.35948971410703e10},  // 22
    {2, 44, 0.17227349913197e10},   // 23
    {3, 24, -0.13551334240775e5},   // 24
    {3, 44, 0.12848734664650e8},    // 25
    {4, 12, 0.13865724283226e1},    // 26
    {4, 32, 0.23598832556514e6},    // 27
    {4, 44, -0.13105236545054e8},   // 28
    {5, 32, 0.73999835474766e4},    // 29
    {5, 36, -0.55196697030060e6},   // 30
    {5, 42, 0.37154085996233e7},    // 31
    {6, 34, 0.19127729239660e5},    // 32
    {6, 44, -0.41535164835634e6},   // 33
    {7, 28, -0.62459855192507e2},   // 34
};
static_assert(std::size(table20) == 34);

// IAPWS-IF97 Table 21: Sub-region 2b backward equation T(p, h):
// rows {I_i, J_i, n_i}, i in the comment.
constexpr BackwardTerm table21[] = {
    {0, 0, 0.14895041079516e4},      // 1
    {0, 1, 0.74307798314034e3},      // 2
    {0, 2, -0.97708318797837e2},     // 3
    {0, 12, 0.24742464705674e1},     // 4
    {0, 18, -0.63281320016026e0},    // 5
    {0, 24, 0.11385952129658e1},     // 6
    {0, 28, -0.47811863648625e0},    // 7
    {0, 40, 0.85208123431544e-2},    // 8
    {1, 0, 0.93747147377932e0},      // 9
    {1, 2, 0.33593118604916e1},      // 10
    {1, 6, 0.33809355601454e1},      // 11
    {1, 12, 0.16844539671904e0},     // 12
    {1, 18, 0.73875745236695e0},     // 13
    {1, 24, -0.47128737436186e0},    // 14
    {1, 28, 0.15020273139707e0},     // 15
    {1, 40, -0.21764114219750e-2},   // 16
    {2, 2, -0.21810755324761e-1},    // 17
    {2, 8, -0.10829784403677e0},     // 18
    {2, 18, -0.46333324635812e-1},   // 19
    {2, 40, 0.71280351959551e-4},    // 20
    {3, 1, 0.11032831789999e-3},     // 21
    {3, 2, 0.18955248387902e-3},     // 22
    {3, 12, 0.30891541160537e-2},    // 23
    {3, 24, 0.13555504554949e-2},    // 24
    {4, 2, 0.28640237477456e-6},     // 25
    {4, 12, -0.10779857357512e-4},   // 26
    {4, 18, -0.76462712454814e-4},   // 27
    {4, 24, 0.14052392818316e-4},    // 28
    {4, 28, -0.31083814331434e-4},   // 29
    {4, 40, -0.10302738212103e-5},   // 30
    {5, 18, 0.28217281635040e-6},    // 31
    {5, 24, 0.12704902271945e-5},    // 32
    {5, 40, 0.73803353468292e-7},    // 33
    {6, 28, -0.11030139238909e-7},   // 34
    {7, 2, -0.81456365207833e-13},   // 35
    {7, 28, -0.25180545682962e-10},  // 36
    {9, 1, -0.17565233969407e-17},   // 37
    {9, 40, 0.86934156344163e-14},   // 38
};
static_assert(std::size(table21) == 38);

// IAPWS-IF97 Table 22: Sub-region 2c backward equation T(p, h):
// rows {I_i, J_i, n_i}, i in the comment.
constexpr BackwardTerm table22[] = {
    {-7, 0, -0.32368398555242e13},  // 1
    {-7, 4, 0.73263350902181e13},   // 2
    {-6, 0, 0.35825089945447e12},   // 3
    {-6, 2, -0.58340131851590e12},  // 4
    {-5, 0, -0.10783068217470e11},  // 5
    {-5, 2, 0.20825544563171e11},   // 6
    {-2, 0, 0.61074783564516e6},    // 7
    {-2, 1, 0.85977722535580e6},    // 8
    {-1, 0, -0.25745723604170e5},   // 9
    {-1, 2, 0.31081088422714e5},    // 10
    {0, 0, 0.12082315865936e4},     // 11
    {0, 1, 0.48219755109255e3},     // 12
    {1, 4, 0.37966001272486e1},     // 13
    {1, 8, -0.10842984880077e2},    // 14
    {2, 4, -0.45364172676660e-1},   // 15
    {6, 0, 0.14559115658698e-12},   // 16
    {6, 1, 0.11261597407230e-11},   // 17
    {6, 4, -0.17804982240686e-10},  // 18
    {6, 10, 0.12324579690832e-6},   // 19
    {6, 12, -0.11606921130984e-5},  // 20
    {6, 16, 0.27846367088554e-4},   // 21
    {6, 20, -0.59270038474176e-3},  // 22
    {6, 22, 0.12918582991878e-2},   // 23
};
static_assert(std::size(table22) == 23);

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
double T_PH1(double p, double h) { return detail::BackwardSum(table6, Bases11(p, h)); }

// IAPWS-IF97 eq. 22, Table 20.
double T_PH2a(double p, double h) { return detail::BackwardSum(table20, Bases22(p, h)); }

// IAPWS-IF97 eq. 23, Table 21.
double T_PH2b(double p, double h) { return detail::BackwardSum(table21, Bases23(p, h)); }

// IAPWS-IF97 eq. 24, Table 22.
double T_PH2c(double p, double h) { return detail::BackwardSum(table22, Bases24(p, h)); }

// Near-critical band above 16.5292 MPa: interpolation on h_pt between the
// 350 degC isotherm and the B23 line, to a relative enthalpy of 1e-5.
double T_PH3(double p, double h) {
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

// ---- first temperatures for the state functions (backward_sums.h) --------

namespace if97::detail {

double EstimateT_PH1(double p, double h) { return EstimateSum<table6>(Bases11(p, h)); }

double EstimateT_PH2a(double p, double h) { return EstimateSum<table20>(Bases22(p, h)); }

double EstimateT_PH2b(double p, double h) { return EstimateSum<table21>(Bases23(p, h)); }

double EstimateT_PH2c(double p, double h) { return EstimateSum<table22>(Bases24(p, h)); }

}  // namespace if97::detail
