// Saturation line (IAPWS-IF97 region 4), region selection and the properties
// of a state given by pressure and temperature.
#include <cmath>
#include <iterator>
#include <string>

#include "boundary23.h"
#include "if97.h"
#include "properties.h"
#include "unchecked.h"

namespace if97 {
namespace {

using ext = long double;

// IAPWS-IF97 Table 34, saturation-line equation; p* = 1 MPa, T* = 1 K, so the
// formulas take p in MPa and T in K as they are.
constexpr double n[] = {
    0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
    -0.32325550322333e7, 0.14915108613530e2,  -0.48232657361591e4, 0.40511340542057e6,
    -0.23855557567849e0, 0.65017534844798e3,
};
static_assert(std::size(n) == 10);

constexpr double kPressureMax = 100.00000000001;                // MPa
constexpr double kRegion5PressureMax = 10;                      // MPa, also the 800 degC limit
constexpr double kTemperatureMax = 1000;                        // degC
constexpr double kTemperatureMaxAbove10MPa = 800.000000000001;  // degC
constexpr double kTemperatureMin = -1e-9;                       // degC
constexpr double kRegion1TemperatureMax = 623.15;               // K, regions 1 and 3
constexpr double kRegion2TemperatureMax = 1073.15;              // K, regions 2 and 5
constexpr double kRegion5TemperatureMax = 1273.15;              // K

constexpr int kOutOfRange = 0;
constexpr int kRegion1 = 1;
constexpr int kRegion2 = 2;
constexpr int kRegion3 = 3;
constexpr int kRegion3Liquid = 31;
constexpr int kRegion3Vapour = 32;
constexpr int kSaturationLine = 4;
constexpr int kRegion5 = 5;
constexpr int kNoCode = -1;  // no test held

}  // namespace

double PowInt(double x, int n) {
  if (n == 0) return 1;
  const unsigned count = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
  double b = 1;
  for (unsigned i = 0; i < count; ++i) b = x * b;
  return n > 0 ? b : 1 / b;
}

namespace {

// IAPWS-IF97 eq. 31 from beta = p^(1/4) on: E, F, G, D and T are stored as
// doubles, every operation in between is extended.
double SaturationTemperature(double beta) {
  const ext b = beta;
  const double E = static_cast<double>(b * b + n[2] * b + n[5]);
  const double F = static_cast<double>(n[0] * (b * b) + n[3] * b + n[6]);
  const double G = static_cast<double>(n[1] * (b * b) + n[4] * b + n[7]);
  const ext e = E, f = F, g = G;
  const double D = static_cast<double>(2 * g / (-f - std::sqrt(f * f - 4 * e * g)));
  const ext d = D;
  const double T = static_cast<double>(
      (n[9] + d - std::sqrt((n[9] + d) * (n[9] + d) - 4 * (n[8] + n[9] * d))) / 2);
  return static_cast<double>(static_cast<ext>(T) - kKelvinOffset);
}

}  // namespace

// IAPWS-IF97 eq. 31. Every operation in extended precision; beta, E, F, G, D
// and T are stored as doubles. p <= 0, or a pressure below the formula's range
// (about 5.7e-9 MPa), raises the floating-point fault of the logarithm or the
// square root and yields NaN.
double TS_P(double p) {
  return SaturationTemperature(static_cast<double>(std::exp(std::log(static_cast<ext>(p)) / 4)));
}

// IAPWS-IF97 eq. 30. Every operation in extended precision; T, theta, A, B, C
// and the base of the fourth power are stored as doubles.
double PS_T(double t) {
  const double T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  const ext tk = T;
  const double theta = static_cast<double>(tk + n[8] / (tk - n[9]));
  const ext th = theta;
  const double A = static_cast<double>(th * th + n[0] * th + n[1]);
  const double B = static_cast<double>(n[2] * (th * th) + n[3] * th + n[4]);
  const double C = static_cast<double>(n[5] * (th * th) + n[6] * th + n[7]);
  const ext a = A, bb = B, c = C;
  const double base = static_cast<double>(2 * c / (-bb + std::sqrt(bb * bb - 4 * a * c)));
  return static_cast<double>(std::exp(4 * std::log(static_cast<ext>(base))));
}

namespace {

// The selection compares t with TS_P(p) only (less, greater or equal). The
// same formula in plain double arithmetic, with the fourth root by two square
// roots, comes within 2e-10 K of TS_P from 0.001 MPa up (much cheaper than
// the extended evaluation with exp(ln(p)/4)); where t lies farther than
// kSnapMargin from that estimate, the estimate orders t exactly as TS_P(p)
// does. From kFastPressureMin up the estimate meets no floating-point fault.
constexpr double kFastPressureMin = 0.001;  // MPa
constexpr double kSnapMargin = 1e-6;        // K

double SaturationTemperatureToCompare(double p, double t) {
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

// The region code of (p, t); a test that names its region sets caption, the
// codes 31 and 32 leave it as it was.
int SelectRegion(double p, double t, const char*& caption) {
  // Written so that a NaN argument is rejected as well.
  const bool in_range = p > 0 && p <= kPressureMax && t >= kTemperatureMin &&
                        t <= kTemperatureMax &&
                        !(p > kRegion5PressureMax && t > kTemperatureMaxAbove10MPa);
  if (!in_range) {
    ShowMessage("Значения давления и температуры выходят за допустимые пределы");
    caption = "Область недопустимых значений Р и Т";
    return kOutOfRange;
  }

  const double ts = SaturationTemperatureToCompare(p, t);
  const double T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  int found = kNoCode;

  if (t < ts && T <= kRegion1TemperatureMax) {
    found = kRegion1;
    caption = "Область Воды (1)";
  }
  if (t > ts && T <= kRegion2TemperatureMax && p < kB23LowestPressure) {
    found = kRegion2;
    caption = "Область перегретого пара (2)";
  }
  if (p >= kB23LowestPressure && T > kRegion1TemperatureMax && T <= kRegion2TemperatureMax) {
    // IAPWS-IF97 eqs. 5 and 6.
    const double pB23 = static_cast<double>(b23::n[0] + b23::n[1] * static_cast<ext>(T) +
                                            b23::n[2] * static_cast<ext>(PowInt(T, 2)));
    const double TB23 =
        static_cast<double>(b23::n[3] + std::sqrt((static_cast<ext>(p) - b23::n[4]) / b23::n[2]));
    bool region2_side = p <= pB23 && T >= TB23;
    bool region3_side = p > pB23 && T < TB23;
    if (!region2_side && !region3_side) {
      // The two comparisons disagree only for a state on B23 within rounding;
      // the pressure comparison (eq. 5, free of the square root) decides.
      region2_side = p <= pB23;
    }
    if (region2_side) {
      found = kRegion2;
      caption = "Область перегретого пара (2)";
    } else if (p > kCriticalPressure) {
      found = kRegion3;
      caption = "Околокритическая область (3)";
    } else if (t < ts) {
      found = kRegion3Liquid;
    } else if (t > ts) {
      found = kRegion3Vapour;
    }
  }
  if (t == ts) {
    found = kSaturationLine;
    caption = "Линия насыщения (4)";
  }
  if (T > kRegion2TemperatureMax && T <= kRegion5TemperatureMax && p <= kRegion5PressureMax) {
    found = kRegion5;
    caption = "Область высоких температур (5)";
  }

  if (found == kNoCode) {
    // States in range that no test claims, all within a hair of a boundary:
    // 16.529164 < p < 16.5292 MPa between 350 degC and TS_P(p) (liquid side of
    // region 3 below the lowest B23 pressure), 800 < t <= 800.000000000001 degC
    // above 10 MPa (region 2's upper edge), and pressures too low for TS_P.
    found = t < ts ? kRegion3Liquid : kRegion2;
    if (found == kRegion2) caption = "Область перегретого пара (2)";
  }
  return found;
}

// The dispatchers do not use the caption.
int RegionCode(double p, double t) {
  const char* caption = nullptr;
  return SelectRegion(p, t, caption);
}

}  // namespace

int detail::RegionOf(double p, double t) { return RegionCode(p, t); }

void REGION_PT(double p, double t, int& code, std::string& caption) {
  const char* text = nullptr;
  code = SelectRegion(p, t, text);
  if (text != nullptr) caption = text;
}

// Region 1 (code 1) means t < TS_P(p), so the water-side check of HW_PT,
// SW_PT and VW_PT would hold; it is not made a second time.
double h_pt(double p, double t) {
  switch (RegionCode(p, t)) {
    case kRegion1:
      return detail::H1_PT(p, t);
    case kRegion2:
      return HP_PT(p, t);
    case kRegion3:
    case kRegion3Liquid:
      return H3_PT(1, p, t);
    case kRegion3Vapour:
      return H3_PT(2, p, t);
    case kSaturationLine:
      ShowMessage("Вы попали на линию насыщения (h_pt)");
      return FAILURE;
    case kRegion5:
      return H5_PT(p, t);
    default:  // out of range, already reported
      return FAILURE;
  }
}

double s_pt(double p, double t) {
  switch (RegionCode(p, t)) {
    case kRegion1:
      return detail::S1_PT(p, t);
    case kRegion2:
      return SP_PT(p, t);
    case kRegion3:
    case kRegion3Liquid:
      return S3_PT(1, p, t);
    case kRegion3Vapour:
      return S3_PT(2, p, t);
    case kSaturationLine:
      ShowMessage("Вы попали на линию насыщения (s_pt)");
      return FAILURE;
    case kRegion5:
      return S5_PT(p, t);
    default:
      return FAILURE;
  }
}

double v_pt(double p, double t) {
  double v_liquid = FAILURE;
  double v_vapour = FAILURE;
  switch (RegionCode(p, t)) {
    case kRegion1:
      return V1_PT(p, t);
    case kRegion2:
      return VP_PT(p, t);
    case kRegion3:  // above the critical pressure both volumes are the one volume
      VKR_PT(p, t, v_liquid, v_liquid);
      return v_liquid;
    case kRegion3Liquid:
      VKR_PT(p, t, v_liquid, v_vapour);
      return v_liquid;
    case kRegion3Vapour:
      VKR_PT(p, t, v_liquid, v_vapour);
      return v_vapour;
    case kSaturationLine:
      ShowMessage("Вы попали на линию насыщения (v_pt)");
      return FAILURE;
    case kRegion5:
      return V5_PT(p, t);
    default:
      return FAILURE;
  }
}

}  // namespace if97
