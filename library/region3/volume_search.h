// Internal to the library: the search for the region-3 volume of a state
// given by pressure and temperature (VKR_PT): a walk in fixed steps from a
// start to the first change of the residual's sign, then a bisection of that
// step down to a relative width.
#ifndef STEAMCALC_LIBRARY_REGION3_VOLUME_SEARCH_H
#define STEAMCALC_LIBRARY_REGION3_VOLUME_SEARCH_H

#include <optional>

#include "region3/isotherm.h"
#include "region3/signs.h"

namespace if97::detail::r3 {

inline constexpr double kWalkStep = 0.00001;          // m3/kg
inline constexpr int kWalkLimit = 10000;              // steps
inline constexpr double kBisectionTolerance = 1e-13;  // relative width of the bracket
inline constexpr int kBisectionLimit = 100000;        // halvings

// Walks from start in steps of `step` until the residual changes sign, at
// most kWalkLimit steps; nothing, without a message, when it does not.
std::optional<Bracket> WalkToSignChange(const Isotherm& iso, double start, double step);

// The walk down from start, one step of kWalkStep at a time, while it stays
// at positive volumes (BracketBelow in volume_search.cpp).
std::optional<Bracket> BracketBelow(const Isotherm& iso, double start);

// The liquid-side (v1) and vapour-side (v2) volumes (m3/kg) of the state
// (p in MPa, t in degC): VKR_PT.
void Volumes(double p, double t, double& v1, double& v2);

// Bisection of the bracket [a, b] (either order) down to kBisectionTolerance;
// FAILURE after a message when it does not close.
double BisectVolume(const Isotherm& iso, Bracket bracket);

}  // namespace if97::detail::r3

#endif  // STEAMCALC_LIBRARY_REGION3_VOLUME_SEARCH_H
