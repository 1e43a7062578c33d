// Saturated water and saturated steam by pressure or temperature, and wet
// steam by pressure and dryness fraction. At or below 350 degC the saturated
// states come from regions 1 and 2, above it from region 3.
#include "forward/saturation.h"

#include <if97/if97.h>
#include <if97/if97_limits.h>
#include <if97/if97_messages.h>

#include <string>

#include "arith/precision.h"
#include "arith/stored.h"
#include "forward/properties.h"
#include "forward/region_select.h"

namespace if97 {
namespace {

using detail::ext;
using detail::Stored;

using messages::kDrynessOutOfRange, messages::kNoSaturationAtPressure,
    messages::kNoSaturationAtTemperature;

}  // namespace

namespace detail {

// True (after the message) when p lies above the critical pressure or below
// the saturation pressure at 0 degC. The saturation line of IAPWS-IF97 begins
// at 273.15 K; below it eqs. 30 and 31 extrapolate into states that do not
// exist (h' = -8211 kJ/kg at -100 degC).
bool NoSaturationAtPressure(double p, const char* function) {
  if (!(p > kCriticalPressure || p < limits::kLowestSaturationPressure)) return false;
  ShowMessage(messages::WithFunction(kNoSaturationAtPressure, function));
  return true;
}

// True (after the message) when t lies above the critical temperature or
// below 0 degC.
bool NoSaturationAtTemperature(double t, const char* function) {
  if (!(t > kCriticalTemperature || t < limits::kLowestTemperature)) return false;
  ShowMessage(NoSaturationAtTemperatureMessage(function));
  return true;
}

std::string NoSaturationAtTemperatureMessage(const char* function) {
  return messages::WithFunction(kNoSaturationAtTemperature, function);
}

// Wet steam: the saturated-water value mixed with the saturated-steam value in
// the proportion x. Mixing a failure would pass it off as a property, so a
// failed side makes the whole result FAILURE.
double Mix(double p, double x, const char* function, double (*water)(double),
           double (*steam)(double)) {
  const detail::ExtendedPrecision guard;
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
  return MixPhases(x, y1, y2);
}

}  // namespace detail

namespace {

using detail::Mix;
using detail::NoSaturationAtPressure;
using detail::NoSaturationAtTemperature;

using PropertyPT = double (*)(double p, double t);

// Region 3 at the saturated-water (liquid-side) or saturated-steam
// (vapour-side) volume.
double WaterEnthalpy3(double p, double t) { return H3_PT(1, p, t); }
double SteamEnthalpy3(double p, double t) { return H3_PT(2, p, t); }
double WaterEntropy3(double p, double t) { return S3_PT(1, p, t); }
double SteamEntropy3(double p, double t) { return S3_PT(2, p, t); }

double WaterVolume3(double p, double t) { return detail::V3_PT(1, p, t); }
double SteamVolume3(double p, double t) { return detail::V3_PT(2, p, t); }

// A saturated property at pressure p: from region 3 above 350 degC, from
// region 1 or 2 at or below it.
double AtPressure(double p, const char* function, PropertyPT region3, PropertyPT region12) {
  const detail::ExtendedPrecision guard;
  if (NoSaturationAtPressure(p, function)) return FAILURE;
  const double ts = TS_P(p);
  return ts > kRegion3LowestTemperature ? region3(p, ts) : region12(p, ts);
}

// The same at temperature t; the comparison with 350 degC is made on t.
double AtTemperature(double t, const char* function, PropertyPT region3, PropertyPT region12) {
  const detail::ExtendedPrecision guard;
  if (NoSaturationAtTemperature(t, function)) return FAILURE;
  const double ps = PS_T(t);
  return t > kRegion3LowestTemperature ? region3(ps, t) : region12(ps, t);
}

}  // namespace

// ---- by pressure ------------------------------------------------------------

double HSW_P(double p) { return AtPressure(p, "HSW_P", WaterEnthalpy3, HW_PT); }
double SSW_P(double p) { return AtPressure(p, "SSW_P", WaterEntropy3, SW_PT); }
// The region-1 volume without the water-side check, which holds on the line
// in any case.
double VSW_P(double p) { return AtPressure(p, "VSW_P", WaterVolume3, V1_PT); }
double HSP_P(double p) { return AtPressure(p, "HSP_P", SteamEnthalpy3, HP_PT); }
double SSP_P(double p) { return AtPressure(p, "SSP_P", SteamEntropy3, SP_PT); }
double VSP_P(double p) { return AtPressure(p, "VSP_P", SteamVolume3, VP_PT); }

// ---- by temperature ---------------------------------------------------------

double HSW_T(double t) { return AtTemperature(t, "HSW_T", WaterEnthalpy3, HW_PT); }
double SSW_T(double t) { return AtTemperature(t, "SSW_T", WaterEntropy3, SW_PT); }
double VSW_T(double t) { return AtTemperature(t, "VSW_T", WaterVolume3, VW_PT); }
double HSP_T(double t) { return AtTemperature(t, "HSP_T", SteamEnthalpy3, HP_PT); }
double SSP_T(double t) { return AtTemperature(t, "SSP_T", SteamEntropy3, SP_PT); }
double VSP_T(double t) { return AtTemperature(t, "VSP_T", SteamVolume3, VP_PT); }

// ---- wet steam ----------------------------------------------------------------

double H_PX(double p, double x) { return Mix(p, x, "H_PX", HSW_T, HSP_T); }

double S_PX(double p, double x) { return Mix(p, x, "S_PX", SSW_T, SSP_T); }

double V_PX(double p, double x) { return Mix(p, x, "V_PX", VSW_T, VSP_T); }

}  // namespace if97
