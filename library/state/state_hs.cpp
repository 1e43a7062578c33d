// The state from specific enthalpy and specific entropy: the solution of
// hs_solve.h, its single phase built as state_pt builds one, wet steam as
// state_px mixes it.
#include <if97/if97.h>
#include <if97/if97_messages.h>
#include <if97/if97_state.h>

#include <string>

#include "engine/forward.h"
#include "forward/region_codes.h"
#include "state/hs_solve.h"
#include "state/state_internal.h"

namespace if97 {

using namespace detail::state;

StateResult state_hs(double h, double s, Extent extent) {
  using Kind = detail::HsSolution::Kind;
  const detail::HsSolution solution = detail::SolveHs(h, s);
  StateResult result;
  switch (solution.kind) {
    case Kind::kOutOfRange:
      return Refuse<StateResult>(StateError::kOutOfRange, messages::kHsOutOfRange);
    case Kind::kNoConvergence:
      return Refuse<StateResult>(StateError::kNoConvergence, messages::kHsNoConvergence);
    case Kind::kWet: {
      Pair pair;
      std::string message;
      if (!SaturatedPair(solution.p, solution.T, pair, message)) {
        return Refuse<StateResult>(StateError::kNoConvergence, message);
      }
      result.state = Wet(pair, solution.p, solution.T - kKelvinOffset, solution.x, extent);
      return result;
    }
    case Kind::kSinglePhase:
      break;
  }
  const double p = solution.p;
  const double t = solution.T - kKelvinOffset;
  engine::Props props;
  int code = solution.region;
  switch (solution.region) {
    case 1:
      props = engine::Region1(p, solution.T);
      break;
    case 2:
      props = engine::Region2(p, solution.T);
      break;
    case 5:
      props = engine::Region5(p, solution.T);
      break;
    default:
      props = engine::Region3(solution.rho, solution.T);
      code = p > kCriticalPressure          ? detail::kRegion3
             : solution.T < engine::Tsat(p) ? detail::kRegion3Liquid
                                            : detail::kRegion3Vapour;
      break;
  }
  result.state = SinglePhase(props, p, t, solution.region, PhaseOf(code, p, t), extent);
  return result;
}

}  // namespace if97
