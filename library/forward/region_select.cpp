// The region selection by pressure and temperature, which compares with the
// saturation line, and the properties of a state (p, t) from the equation of
// its region.
#include "forward/region_select.h"

#include <if97/if97.h>
#include <if97/if97_limits.h>
#include <if97/if97_messages.h>

#include <cmath>
#include <iterator>
#include <string>

#include "arith/precision.h"
#include "arith/stored.h"
#include "forward/boundaries.h"
#include "forward/properties.h"
#include "forward/region1_unchecked.h"
#include "forward/region_codes.h"
#include "tables/boundary_equations.h"

namespace if97 {
namespace {

using namespace detail;
using saturation::n;

constexpr int kNoCode = -1;  // no test held

// The selection compares t with TS_P(p) only (less, greater or equal). The
// same formula in plain double arithmetic, with the fourth root by two square
// roots, comes within 2e-10 K of TS_P from 0.001 MPa up (much cheaper than
// the extended evaluation with exp(ln(p)/4)); where t lies farther than
// kSnapMargin from that estimate, the estimate orders t exactly as TS_P(p)
// does. From kFastPressureMin up the estimate meets no floating-point fault.
constexpr double kFastPressureMin = 0.001;  // MPa
constexpr double kSnapMargin = 1e-6;        // K

}  // namespace

double detail::SaturationTemperatureToCompare(double p, double t) {
  if (p >= kFastPressureMin) {
    const double b = std::sqrt(std::sqrt(p));
    const double E = b * b + n[2] * b + n[5];
    const double F = n[0] * (b * b) + n[3] * b + n[6];
    const double G = n[1] * (b * b) + n[4] * b + n[7];
    const double D = 2 * G / (-F - std::sqrt(F * F - 4 * E * G));
    const double T = (n[9] + D - std::sqrt((n[9] + D) * (n[9] + D) - 4 * (n[8] + n[9] * D))) / 2;
    const double estimate = T - kKelvinOffset;
    if (t < estimate - kSnapMargin || t > estimate + kSnapMargin) return estimate;
  }
  return TS_P(p);
}

namespace {

// The caption of a REGION_PT code; none for the codes 31 and 32.
const char* Caption(int code) {
  switch (code) {
    case kOutOfRange:
      return "Область недопустимых значений Р и Т";
    case kRegion1:
      return "Область Воды (1)";
    case kRegion2:
      return "Область перегретого пара (2)";
    case kRegion3:
      return "Околокритическая область (3)";
    case kSaturationLine:
      return "Линия насыщения (4)";
    case kRegion5:
      return "Область высоких температур (5)";
    default:
      return nullptr;
  }
}

// The region code of (p, t); the later of two tests that hold decides.
int RegionCode(double p, double t) {
  if (!InPtRange(p, t)) {
    ShowMessage(messages::kPtOutOfRange);
    return kOutOfRange;
  }

  return RegionByLine(p, t, SaturationTemperatureToCompare(p, t));
}

}  // namespace

// Written so that a NaN argument is rejected as well.
bool detail::InPtRange(double p, double t) {
  return p > 0 && p <= limits::kPtHighestPressure && t >= limits::kPtLowestTemperature &&
         t <= limits::kHighestTemperatureRegion5 &&
         !(p > limits::kRegion5Pressure && t > limits::kPtHighestTemperatureAbove10MPa);
}

int detail::RegionByLine(double p, double t, double ts) {
  const double T = Stored(ext{t} + kKelvinOffset);
  int found = kNoCode;

  if (t < ts && T <= kRegion1HighestTemperature) found = kRegion1;
  if (t > ts && T <= kRegion2HighestTemperature && p < kB23LowestPressure) found = kRegion2;
  if (p >= kB23LowestPressure && T > kRegion1HighestTemperature &&
      T <= kRegion2HighestTemperature) {
    // IAPWS-IF97 eqs. 5 and 6.
    const double p_b23 = PB23(T);
    const double T_b23 = TB23(p);
    bool region2_side = p <= p_b23 && T >= T_b23;
    bool region3_side = p > p_b23 && T < T_b23;
    if (!region2_side && !region3_side) {
      // The two comparisons disagree only for a state on B23 within rounding;
      // the pressure comparison (eq. 5, free of the square root) decides.
      region2_side = p <= p_b23;
    }
    if (region2_side) {
      found = kRegion2;
    } else if (p > kCriticalPressure) {
      found = kRegion3;
    } else if (t < ts) {
      found = kRegion3Liquid;
    } else if (t > ts) {
      found = kRegion3Vapour;
    }
  }
  if (t == ts) found = kSaturationLine;
  if (T > kRegion2HighestTemperature && T <= kRegion5HighestTemperature &&
      p <= limits::kRegion5Pressure) {
    found = kRegion5;
  }

  if (found == kNoCode) {
    // States in range that no test claims, all within a hair of a boundary:
    // 16.529164 < p < 16.5292 MPa between 350 degC and TS_P(p) (liquid side of
    // region 3 below the lowest B23 pressure), 800 < t <= 800.000000000001 degC
    // above 10 MPa (region 2's upper edge), and pressures too low for TS_P.
    found = t < ts ? kRegion3Liquid : kRegion2;
  }
  return found;
}

namespace {

// The equations a property of (p, t) comes from, by region.
struct ByRegion {
  double (*region1)(double p, double t);
  double (*region2)(double p, double t);
  double (*region3)(int k, double p, double t);
  double (*region5)(double p, double t);
  const char* function;  // h_pt, s_pt or v_pt, in the message on the saturation line
};

// Region 1 (code 1) means t < TS_P(p), so the water-side check of HW_PT,
// SW_PT and VW_PT would hold; it is not made a second time. Above the
// critical pressure (code 3) the two region-3 volumes are the one volume.
double FromRegion(const ByRegion& equations, double p, double t) {
  const detail::ExtendedPrecision guard;
  switch (RegionCode(p, t)) {
    case kRegion1:
      return equations.region1(p, t);
    case kRegion2:
      return equations.region2(p, t);
    case kRegion3:
    case kRegion3Liquid:
      return equations.region3(1, p, t);
    case kRegion3Vapour:
      return equations.region3(2, p, t);
    case kSaturationLine:
      ShowMessage(messages::WithFunction(messages::kOnSaturationLine, equations.function));
      return FAILURE;
    case kRegion5:
      return equations.region5(p, t);
    default:  // out of range, already reported
      return FAILURE;
  }
}

}  // namespace

int detail::RegionOf(double p, double t) { return RegionCode(p, t); }

double detail::V3_PT(int k, double p, double t) {
  double v_liquid = FAILURE;
  double v_vapour = FAILURE;
  VKR_PT(p, t, v_liquid, v_vapour);
  return k == 2 ? v_vapour : v_liquid;
}

void REGION_PT(double p, double t, int& code, std::string& caption) {
  const detail::ExtendedPrecision guard;
  code = RegionCode(p, t);
  if (const char* text = Caption(code)) caption = text;
}

double h_pt(double p, double t) { return FromRegion({H1_PT, HP_PT, H3_PT, H5_PT, "h_pt"}, p, t); }

double s_pt(double p, double t) { return FromRegion({S1_PT, SP_PT, S3_PT, S5_PT, "s_pt"}, p, t); }

double v_pt(double p, double t) { return FromRegion({V1_PT, VP_PT, V3_PT, V5_PT, "v_pt"}, p, t); }

}  // namespace if97
