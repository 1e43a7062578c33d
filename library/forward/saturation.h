// Internal to the library: the saturation functions' range checks and the
// wet-steam mix (saturation.cpp), which the state functions share with the
// classic ones.
#ifndef STEAMCALC_LIBRARY_FORWARD_SATURATION_H
#define STEAMCALC_LIBRARY_FORWARD_SATURATION_H

#include <string>

#include "arith/stored.h"

namespace if97::detail {

// The saturation functions' range checks: true, after the message naming
// function, when there is no saturation state.
bool NoSaturationAtPressure(double p, const char* function);
bool NoSaturationAtTemperature(double t, const char* function);
std::string NoSaturationAtTemperatureMessage(const char* function);  // its text

// Wet steam: the saturated-water value mixed with the saturated-steam value
// in the proportion x, one rounding to double (H_PX, the state API).
inline double MixPhases(double x, double water, double steam) {
  return Stored((1 - ext{x}) * water + ext{x} * steam);
}

// H_PX's wet-steam mixing of the saturated values at TS_P(p), taken by
// temperature, for the function named.
double Mix(double p, double x, const char* function, double (*water)(double),
           double (*steam)(double));

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_FORWARD_SATURATION_H
