// Internal to the library: a start for the temperature of wet steam of given
// specific enthalpy and entropy, from a table of the saturated phases.
//
// Wet steam of entropy s at T has the enthalpy h'(T) + (s - s'(T)) K(T),
// K = (h'' - h') / (s'' - s'), that is s K(T) + c(T) with c = h' - s' K: two
// functions of T alone, whatever h and s. They are tabulated once, with
// their slopes along the saturation line, every kelvin from 273.15 to
// 623.15 K, where the saturated phases are those of regions 1 and 2 at
// p_s(T) (IAPWS-IF97 eq. 30). The start is the root of
// G(T) = h - s K(T) - c(T), which falls with T wherever s >= s'(T), on the
// cubic through the two nodes beside it: within about 1e-6 K of the root of
// the equations themselves, so that one Newton step on them meets 1e-12.
#ifndef STEAMCALC_LIBRARY_STATE_WET_START_H
#define STEAMCALC_LIBRARY_STATE_WET_START_H

namespace if97::detail {

// T in K of wet steam (h kJ/kg, s kJ/(kg K)) up to 623.15 K; NaN where the
// root is not bracketed there (above 623.15 K, or no wet state).
double WetTemperatureStart(double h, double s);

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_STATE_WET_START_H
