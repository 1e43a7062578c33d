// Internal to the library: the temperature searches on the forward equations
// and the properties at the temperature found, for the state from (p, h) and
// the state from (p, s). y stands for the given enthalpy or entropy.
#ifndef STEAMCALC_LIBRARY_TEMPERATURE_SEARCH_H
#define STEAMCALC_LIBRARY_TEMPERATURE_SEARCH_H

#include <if97/if97.h>

namespace if97::detail {

// A two-point interpolation for the temperature at which a forward function
// of (p, t) takes the value y.
struct Interpolation {
  double (*forward)(double p, double t);  // h_pt or s_pt
  double tolerance;                       // relative, on y
  int step_limit;
  const char* no_convergence;  // shown, with FAILURE returned, when the limit runs out
  bool clamp_at_zero;          // a new temperature below 0 degC becomes 0
  // The region-3 equation at the liquid-side (k = 1) or vapour-side (k = 2)
  // volume (H3_PT or S3_PT); used by the near-critical band only.
  double (*region3)(int k, double p, double t) = nullptr;
};

// The form in which the new point replaces the upper end when its value is
// not above y, the lower end otherwise (sub-region 2b by entropy, and the
// near-critical band above the critical pressure).
double InterpolateUpperFirst(const Interpolation& it, double p, double y, double t_lo, double y_lo,
                             double t_hi, double y_hi);

// The near-critical band above 16.5292 MPa: from the 350 degC isotherm to the
// B23 line, narrowed by the saturation line at or below the critical
// pressure, where wet steam takes the saturation temperature. A pressure or a
// value outside the band gets the no-convergence message at once.
double NearCriticalTemperature(const Interpolation& it, double (*saturated_water)(double),
                               double (*saturated_steam)(double), double p, double y);

// Region 5 (above 800 degC, up to 10 MPa) has no backward equation: the
// temperature from 800 to 1000 degC at which forward5 (H5_PT or S5_PT) takes
// the value y, to a relative 1e-12 of y. A y between the region-2 and the
// region-5 value at 800 degC (the two regions meet only to within their
// consistency) gives 800 degC.
double Region5Temperature(double (*forward5)(double p, double t), double p, double y);

// A property of the state (p, y) whose temperature t came from T_PH or T_PS:
// by the forward function of (p, t), or from the wet-steam function of (p, x)
// on and between the saturated values. never_on_line: a t equal to TS_P(p)
// itself goes to the wet-steam function (with x outside 0..1) instead of the
// forward function. A failed t (T_PH or T_PS has shown why) gives FAILURE
// without a second message.
double PropertyAtTemperature(double p, double y, double t, double (*saturated_water)(double),
                             double (*saturated_steam)(double), double (*forward)(double, double),
                             double (*wet)(double, double), bool never_on_line);

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_TEMPERATURE_SEARCH_H
