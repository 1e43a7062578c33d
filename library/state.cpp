// The whole state from one pair of given quantities (if97_state.h).
#include "if97_state.h"

namespace if97 {

const char* Describe(StateError error) noexcept {
  switch (error) {
    case StateError::kNone:
      return "";
    case StateError::kOutOfRange:
      return "out of range";
    case StateError::kNoSaturation:
      return "no saturation state";
    case StateError::kOnSaturationLine:
      return "on the saturation line";
    case StateError::kNoConvergence:
      return "no convergence";
  }
  return "";
}

StateResult state_pt(double, double) { return {}; }
StateResult state_ph(double, double) { return {}; }
StateResult state_ps(double, double) { return {}; }
StateResult state_px(double, double) { return {}; }
StateResult state_tx(double, double) { return {}; }
SaturationResult saturation_p(double) { return {}; }
SaturationResult saturation_t(double) { return {}; }

}  // namespace if97
