// Internal to the library: the pieces the state functions (if97_state.h)
// share: a State from the engine's properties with every further property,
// wet steam, the region of (p, t) as state_pt selects it, the region-3
// density of a state and the saturated phases.
#ifndef STEAMCALC_LIBRARY_STATE_STATE_INTERNAL_H
#define STEAMCALC_LIBRARY_STATE_STATE_INTERNAL_H

#include <if97/if97_state.h>

#include <string>
#include <utility>

#include "engine/forward.h"

namespace if97::detail::state {

template <typename Result>
Result Refuse(StateError error, std::string message) {
  Result result;
  result.error = error;
  result.message = std::move(message);
  return result;
}

// The single phase of region 1, 2, 3 or 5 at the given p (MPa) and t (degC)
// from the properties of its equation, with every further property.
State SinglePhase(const engine::Props& props, double p, double t, int region, Phase phase,
                  Extent extent);

// A saturated phase (x = 0 water, x = 1 steam) with its surface tension.
State SaturatedPhase(const engine::Props& props, double p, double t, int region, double x,
                     Extent extent);

// The saturated phases at one point of the saturation line.
struct Pair {
  engine::Props water;
  engine::Props steam;
  int region;  // 1 (water of region 1, steam of region 2) or 3
};

// Both phases at (p, T) on the saturation line (p in MPa, T in K): regions 1
// and 2 up to 623.15 K, region 3 above. Region 0, with the classic volume
// search's message, when a region-3 volume is not found.
Pair SaturatedPair(double p, double T, std::string& message);

// Wet steam of dryness x, 0 <= x <= 1, at (p, t); x = 0 and 1 are the
// saturated phases themselves.
State Wet(const Pair& pair, double p, double t, double x, Extent extent);

// The region code (region_codes.h) of (p, t) as REGION_PT selects it, without
// a message: 0 out of range, 1, 2, 3, 31, 32, 4 (t equal to TS_P(p)) or 5.
int RegionCode(double p, double t);

Phase PhaseOf(int code, double p, double t);

// The region-3 properties of (p, t), code 3, 31 (liquid side) or 32 (vapour
// side), at the density Newton's method finds on the basic equation from the
// backward equations v(p, T), the classic volume search where that start is
// not to be relied on. False, with the search's message, when no volume is
// found.
bool Region3PropsAt(double p, double t, int code, engine::Props& props, std::string& message);

// The properties of region code 1, 2, 3, 31, 32 or 5 at (p, t); false as
// Region3PropsAt.
bool PropsAt(int code, double p, double t, engine::Props& props, std::string& message);

}  // namespace if97::detail::state

#endif  // STEAMCALC_LIBRARY_STATE_STATE_INTERNAL_H
