// Internal to the library: the saturated-steam volume of region 3 within
// about 3e-5 MPa below the critical pressure, where the volume search's walk
// steps over the vapour root.
#ifndef STEAMCALC_LIBRARY_REGION3_CRITICAL_STEAM_H
#define STEAMCALC_LIBRARY_REGION3_CRITICAL_STEAM_H

#include "region3/isotherm.h"

namespace if97::detail::r3 {

// The saturated-steam volume (m3/kg) at (p, t) on the saturation line (MPa,
// degC), given the liquid root and the root of the walk from the vapour side,
// which lies less than one walk step above the liquid root.
double SteamBesideCriticalPoint(const Isotherm& iso, double p, double t, double liquid,
                                double walked);

}  // namespace if97::detail::r3

#endif  // STEAMCALC_LIBRARY_REGION3_CRITICAL_STEAM_H
