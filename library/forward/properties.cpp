// Specific internal energy, heat capacities and speed of sound: of a state
// given by pressure and temperature, of the saturated phases by pressure or
// temperature, and the internal energy of wet steam.
#include "forward/properties.h"

#include <if97/if97.h>
#include <if97/if97_messages.h>

#include <string>

#include "arith/precision.h"
#include "forward/region_select.h"
#include "forward/saturation.h"

namespace if97 {

bool detail::PropertiesInRegion(int code, double p, double t, Properties& out) {
  double v1 = FAILURE;
  double v2 = FAILURE;
  switch (code) {
    case kRegion1:
      out = Region1Properties(p, t);
      return true;
    case kRegion2:
      out = Region2Properties(p, t);
      return true;
    case kRegion5:
      out = Region5Properties(p, t);
      return true;
    case kRegion3:
    case kRegion3Liquid:
    case kRegion3Vapour:
      VKR_PT(p, t, v1, v2);
      if (code == kRegion3Vapour) v1 = v2;
      if (v1 == FAILURE) return false;
      out = Region3Properties(v1, t);
      return true;
    default:
      return false;
  }
}

bool detail::SaturatedProperties(double p, double t, bool region3, bool steam, Properties& out) {
  if (region3) return PropertiesInRegion(steam ? kRegion3Vapour : kRegion3Liquid, p, t, out);
  out = steam ? Region2Properties(p, t) : Region1Properties(p, t);
  return true;
}

namespace {

using detail::Properties;

enum class Quantity { kU, kCp, kCv, kW };

double Pick(const Properties& props, Quantity quantity) {
  switch (quantity) {
    case Quantity::kU:
      return props.u;
    case Quantity::kCp:
      return props.cp;
    case Quantity::kCv:
      return props.cv;
    case Quantity::kW:
      return props.w;
  }
  return FAILURE;
}

// As h_pt: the region of (p, t), its equation, region 3 at h_pt's volume. On
// the saturation line u is refused as h is; cp, cv and w do not exist there.
double AtPressureTemperature(double p, double t, Quantity quantity, const char* function) {
  const detail::ExtendedPrecision guard;
  const int code = detail::RegionOf(p, t);
  if (code == detail::kOutOfRange) return FAILURE;  // already reported
  if (code == detail::kSaturationLine) {
    ShowMessage(messages::WithFunction(
        quantity == Quantity::kU ? messages::kOnSaturationLine : messages::kTwoPhase, function));
    return FAILURE;
  }
  Properties props;
  if (!detail::PropertiesInRegion(code, p, t, props)) return FAILURE;
  return Pick(props, quantity);
}

// The saturated phase at (p, t) on the saturation line, from region 3 above
// 350 degC.
double Saturated(double p, double t, bool steam, Quantity quantity) {
  Properties props;
  if (!detail::SaturatedProperties(p, t, t > kRegion3LowestTemperature, steam, props))
    return FAILURE;
  return Pick(props, quantity);
}

// As HSW_P and HSP_P: at TS_P(p).
double SaturatedAtPressure(double p, bool steam, Quantity quantity, const char* function) {
  const detail::ExtendedPrecision guard;
  if (detail::NoSaturationAtPressure(p, function)) return FAILURE;
  return Saturated(p, TS_P(p), steam, quantity);
}

// As HSW_T and HSP_T: at PS_T(t).
double SaturatedAtTemperature(double t, bool steam, Quantity quantity, const char* function) {
  const detail::ExtendedPrecision guard;
  if (detail::NoSaturationAtTemperature(t, function)) return FAILURE;
  return Saturated(PS_T(t), t, steam, quantity);
}

}  // namespace

// ---- by pressure and temperature ----------------------------------------------

double u_pt(double p, double t) { return AtPressureTemperature(p, t, Quantity::kU, "u_pt"); }
double cp_pt(double p, double t) { return AtPressureTemperature(p, t, Quantity::kCp, "cp_pt"); }
double cv_pt(double p, double t) { return AtPressureTemperature(p, t, Quantity::kCv, "cv_pt"); }
double w_pt(double p, double t) { return AtPressureTemperature(p, t, Quantity::kW, "w_pt"); }

// ---- saturated water (SW) and steam (SP) by pressure ----------------------------

double USW_P(double p) { return SaturatedAtPressure(p, false, Quantity::kU, "USW_P"); }
double CPSW_P(double p) { return SaturatedAtPressure(p, false, Quantity::kCp, "CPSW_P"); }
double CVSW_P(double p) { return SaturatedAtPressure(p, false, Quantity::kCv, "CVSW_P"); }
double WSW_P(double p) { return SaturatedAtPressure(p, false, Quantity::kW, "WSW_P"); }
double USP_P(double p) { return SaturatedAtPressure(p, true, Quantity::kU, "USP_P"); }
double CPSP_P(double p) { return SaturatedAtPressure(p, true, Quantity::kCp, "CPSP_P"); }
double CVSP_P(double p) { return SaturatedAtPressure(p, true, Quantity::kCv, "CVSP_P"); }
double WSP_P(double p) { return SaturatedAtPressure(p, true, Quantity::kW, "WSP_P"); }

// ---- by temperature -------------------------------------------------------------

double USW_T(double t) { return SaturatedAtTemperature(t, false, Quantity::kU, "USW_T"); }
double CPSW_T(double t) { return SaturatedAtTemperature(t, false, Quantity::kCp, "CPSW_T"); }
double CVSW_T(double t) { return SaturatedAtTemperature(t, false, Quantity::kCv, "CVSW_T"); }
double WSW_T(double t) { return SaturatedAtTemperature(t, false, Quantity::kW, "WSW_T"); }
double USP_T(double t) { return SaturatedAtTemperature(t, true, Quantity::kU, "USP_T"); }
double CPSP_T(double t) { return SaturatedAtTemperature(t, true, Quantity::kCp, "CPSP_T"); }
double CVSP_T(double t) { return SaturatedAtTemperature(t, true, Quantity::kCv, "CVSP_T"); }
double WSP_T(double t) { return SaturatedAtTemperature(t, true, Quantity::kW, "WSP_T"); }

// ---- wet steam --------------------------------------------------------------------

double U_PX(double p, double x) { return detail::Mix(p, x, "U_PX", USW_T, USP_T); }

}  // namespace if97
