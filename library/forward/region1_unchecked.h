// Internal to the library: the region-1 equation without the water-side
// check, for callers that have just established that the state lies below
// the saturation temperature (the dispatchers by pressure and temperature).
#ifndef STEAMCALC_LIBRARY_REGION1_UNCHECKED_H
#define STEAMCALC_LIBRARY_REGION1_UNCHECKED_H

namespace if97::detail {

double H1_PT(double p, double t);  // HW_PT without the check
double S1_PT(double p, double t);  // SW_PT without the check

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_REGION1_UNCHECKED_H
