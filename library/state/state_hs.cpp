// The state from specific enthalpy and specific entropy: the solution of
// hs_solve.h, its single phase built as state_pt builds one, wet steam as
// state_px mixes it.
#include <if97/if97.h>
#include <if97/if97_messages.h>
#include <if97/if97_state.h>

#include <string>

#include "engine/forward.h"
#include "forward/boundaries.h"
#include "forward/region_codes.h"
#include "state/hs_solve.h"
#include "state/state_internal.h"

namespace if97 {

using namespace detail::state;

StateResult state_hs(double h, double s, Extent extent) {
  using Kind = detail::HsSolution::Kind;
  const detail::HsSolution solution = detail::SolveHs(h, s);
  switch (solution.kind) {
    case Kind::kOutOfRange:
      return Refuse<StateResult>(StateError::kOutOfRange, messages::kHsOutOfRange);
    case Kind::kNoConvergence:
      return Refuse<StateResult>(StateError::kNoConvergence, messages::kHsNoConvergence);
    case Kind::kWet: {
      const Pair pair{solution.props, solution.vapour,
                      solution.T <= detail::kRegion1HighestTemperature ? 1 : 3};
      return {Wet(pair, solution.p, solution.T - kKelvinOffset, solution.x, extent),
              StateError::kNone,
              {}};
    }
    case Kind::kSinglePhase:
      break;
  }
  const double p = solution.p;
  const double t = solution.T - kKelvinOffset;
  const engine::Props& props = solution.props;
  int code = solution.region;
  if (code == 3) {
    code = p > kCriticalPressure          ? detail::kRegion3
           : solution.T < engine::Tsat(p) ? detail::kRegion3Liquid
                                          : detail::kRegion3Vapour;
  }
  return {SinglePhase(props, p, t, solution.region, PhaseOf(code, p, t), extent),
          StateError::kNone,
          {}};
}

}  // namespace if97
