// Saturated water and saturated steam by pressure or temperature, and wet
// steam by pressure and dryness fraction. At or below 350 degC the saturated
// states come from regions 1 and 2, above it from region 3.
#include <string>

#include "if97.h"

namespace if97 {
namespace {

using ext = long double;

constexpr double kRegion3Above = 350;  // degC, saturation temperature
// The saturation line of IAPWS-IF97 begins at 273.15 K; below it eqs. 30 and
// 31 extrapolate into states that do not exist (h' = -8211 kJ/kg at -100 degC).
constexpr double kLowestTemperature = 0;         // degC
constexpr double kLowestPressure = 0.000611213;  // MPa, PS_T(0 degC) rounded up

const char kNoSaturationAtPressure[] = "При данном давлении нет состояния насыщения ";
const char kNoSaturationAtTemperature[] = "При данной температуре нет состояния насыщения ";
const char kDrynessOutOfRange[] = "Степень сухости X<0 или X>1 в ";

// True (after the message) when p lies above the critical pressure or below
// the saturation pressure at 0 degC.
bool NoSaturationAtPressure(double p, const char* function) {
  if (!(p > kCriticalPressure || p < kLowestPressure)) return false;
  ShowMessage(std::string(kNoSaturationAtPressure) + "(" + function + ")");
  return true;
}

// True (after the message) when t lies above the critical temperature or
// below 0 degC.
bool NoSaturationAtTemperature(double t, const char* function) {
  if (!(t > kCriticalTemperature || t < kLowestTemperature)) return false;
  ShowMessage(std::string(kNoSaturationAtTemperature) + "(" + function + ")");
  return true;
}

double FirstVolume(double p, double t) {
  double v1 = FAILURE;
  double v2 = FAILURE;
  VKR_PT(p, t, v1, v2);
  return v1;
}

double SecondVolume(double p, double t) {
  double v1 = FAILURE;
  double v2 = FAILURE;
  VKR_PT(p, t, v1, v2);
  return v2;
}

// Wet steam: the saturated-water value mixed with the saturated-steam value in
// the proportion x. Mixing a failure would pass it off as a property, so a
// failed side makes the whole result FAILURE.
double Mix(double p, double x, const char* function, double (*water)(double),
           double (*steam)(double)) {
  if (!(x >= 0 && x <= 1)) {  // also rejects a NaN
    ShowMessage(std::string(kDrynessOutOfRange) + function);
    return FAILURE;
  }
  const double ts = TS_P(p);
  const double y1 = water(ts);
  const double y2 = steam(ts);
  if (y1 == FAILURE || y2 == FAILURE) return FAILURE;
  if (x == 0) return y1;
  if (x == 1) return y2;
  return static_cast<double>((1 - static_cast<ext>(x)) * y1 + static_cast<ext>(x) * y2);
}

}  // namespace

// ---- by pressure ------------------------------------------------------------

double HSW_P(double p) {
  if (NoSaturationAtPressure(p, "HSW_P")) return FAILURE;
  const double ts = TS_P(p);
  return ts > kRegion3Above ? H3_PT(1, p, ts) : HW_PT(p, ts);
}

double SSW_P(double p) {
  if (NoSaturationAtPressure(p, "SSW_P")) return FAILURE;
  const double ts = TS_P(p);
  return ts > kRegion3Above ? S3_PT(1, p, ts) : SW_PT(p, ts);
}

// Takes the region-1 volume without the water-side check, which holds on the
// line in any case.
double VSW_P(double p) {
  if (NoSaturationAtPressure(p, "VSW_P")) return FAILURE;
  const double ts = TS_P(p);
  return ts > kRegion3Above ? FirstVolume(p, ts) : V1_PT(p, TS_P(p));
}

double HSP_P(double p) {
  if (NoSaturationAtPressure(p, "HSP_P")) return FAILURE;
  const double ts = TS_P(p);
  return ts > kRegion3Above ? H3_PT(2, p, ts) : HP_PT(p, ts);
}

double SSP_P(double p) {
  if (NoSaturationAtPressure(p, "SSP_P")) return FAILURE;
  const double ts = TS_P(p);
  return ts > kRegion3Above ? S3_PT(2, p, ts) : SP_PT(p, ts);
}

double VSP_P(double p) {
  if (NoSaturationAtPressure(p, "VSP_P")) return FAILURE;
  const double ts = TS_P(p);
  return ts > kRegion3Above ? SecondVolume(p, ts) : VP_PT(p, ts);
}

// ---- by temperature ---------------------------------------------------------

double HSW_T(double t) {
  if (NoSaturationAtTemperature(t, "HSW_T")) return FAILURE;
  const double ps = PS_T(t);
  return t > kRegion3Above ? H3_PT(1, ps, t) : HW_PT(ps, t);
}

double SSW_T(double t) {
  if (NoSaturationAtTemperature(t, "SSW_T")) return FAILURE;
  const double ps = PS_T(t);
  return t > kRegion3Above ? S3_PT(1, ps, t) : SW_PT(ps, t);
}

double VSW_T(double t) {
  if (NoSaturationAtTemperature(t, "VSW_T")) return FAILURE;
  const double ps = PS_T(t);
  return t > kRegion3Above ? FirstVolume(ps, t) : VW_PT(ps, t);
}

double HSP_T(double t) {
  if (NoSaturationAtTemperature(t, "HSP_T")) return FAILURE;
  const double ps = PS_T(t);
  return t > kRegion3Above ? H3_PT(2, ps, t) : HP_PT(ps, t);
}

double SSP_T(double t) {
  if (NoSaturationAtTemperature(t, "SSP_T")) return FAILURE;
  const double ps = PS_T(t);
  return t > kRegion3Above ? S3_PT(2, ps, t) : SP_PT(ps, t);
}

double VSP_T(double t) {
  if (NoSaturationAtTemperature(t, "VSP_T")) return FAILURE;
  const double ps = PS_T(t);
  return t > kRegion3Above ? SecondVolume(ps, t) : VP_PT(ps, t);
}

// ---- wet steam ----------------------------------------------------------------

double H_PX(double p, double x) { return Mix(p, x, "H_PX", HSW_T, HSP_T); }

double S_PX(double p, double x) { return Mix(p, x, "S_PX", SSW_T, SSP_T); }

double V_PX(double p, double x) { return Mix(p, x, "V_PX", VSW_T, VSP_T); }

}  // namespace if97
