// Internal to the library: the properties of one phase at one point, all from
// one evaluation of the basic equation's derivatives, and the pieces of the
// region selection and the saturation functions that the state functions
// (properties.cpp, state.cpp) share with the classic ones.
#ifndef STEAMCALC_LIBRARY_PROPERTIES_H
#define STEAMCALC_LIBRARY_PROPERTIES_H

#include <string>

#include "forward/region_codes.h"

namespace if97::detail {

struct Properties {
  double h;   // kJ/kg
  double s;   // kJ/(kg K)
  double v;   // m3/kg
  double u;   // kJ/kg
  double cp;  // kJ/(kg K)
  double cv;  // kJ/(kg K)
  double w;   // m/s
  // d cp / dT at constant p, kJ/(kg K^2), for the searches of the state
  // functions; regions 1, 2 and 5 only, NaN for region 3.
  double dcp_dt;
};

// Regions 1, 2 and 5 at (p, t): h, s and v bit for bit what H1_PT (HW_PT),
// S1_PT, V1_PT, HP_PT, SP_PT, VP_PT, H5_PT, S5_PT and V5_PT return; the other
// four from the same powers. No range check.
Properties Region1Properties(double p, double t);
Properties Region2Properties(double p, double t);
Properties Region5Properties(double p, double t);

// The same with h, s, cp and dcp_dt only (the others NaN), for the first step
// of a search.
Properties Region1Slopes(double p, double t);

// Region 3 at the specific volume v (from VKR_PT) and temperature t: h and s
// bit for bit what H3_PT and S3_PT return at that volume, v as given.
Properties Region3Properties(double v, double t);

// The region code (region_codes.h) of (p, t) as h_pt selects it; shows the out-of-range
// message (code 0) as h_pt does, no other.
int RegionOf(double p, double t);

// The region-3 volume v1 (k = 1, or any k other than 2) or v2 (k = 2) of
// VKR_PT(p, t), in the form of H3_PT and S3_PT.
double V3_PT(int k, double p, double t);

// The properties of region code 1, 2, 3, 31, 32 or 5 at (p, t), region 3 at
// the volume h_pt uses there. False (after VKR_PT's message) when the region-3
// volume search failed.
bool PropertiesInRegion(int code, double p, double t, Properties& out);

// Saturated water (steam = false) or saturated steam at (p, t) on the
// saturation line: regions 1 and 2, or region 3 at the liquid-side or
// vapour-side volume when region3 is set. False as PropertiesInRegion.
bool SaturatedProperties(double p, double t, bool region3, bool steam, Properties& out);

// The saturation functions' range checks: true, after the message naming
// function, when there is no saturation state.
bool NoSaturationAtPressure(double p, const char* function);
bool NoSaturationAtTemperature(double t, const char* function);
std::string NoSaturationAtTemperatureMessage(const char* function);  // its text

// H_PX's wet-steam mixing of the saturated values at TS_P(p), taken by
// temperature, for the function named.
double Mix(double p, double x, const char* function, double (*water)(double),
           double (*steam)(double));

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_PROPERTIES_H
