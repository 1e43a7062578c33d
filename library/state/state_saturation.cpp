// Saturation states on the double engine: the saturation temperature and
// pressure (IAPWS-IF97 eqs. 31 and 30), both saturated phases at one
// pressure or temperature, and wet steam of a given dryness fraction.
#include <if97/if97.h>
#include <if97/if97_limits.h>
#include <if97/if97_messages.h>
#include <if97/if97_state.h>

#include <cmath>
#include <string>

#include "engine/forward.h"
#include "state/state_internal.h"

namespace if97 {
namespace {

using namespace detail::state;

bool NoSaturationAtPressure(double p) {
  return !(p >= limits::kLowestSaturationPressure && p <= kCriticalPressure);
}

bool NoSaturationAtTemperature(double t) {
  return !(t >= limits::kLowestTemperature && t <= kCriticalTemperature);
}

std::string NoSaturationMessage(const char* text, const char* function) {
  return messages::WithFunction(text, function);
}

// Each result is formed where the caller receives it, not copied there.
SaturationResult SaturationAt(double p, double T, Extent extent) {
  std::string message;
  const Pair pair = SaturatedPair(p, T, message);
  if (pair.region == 0) return Refuse<SaturationResult>(StateError::kNoConvergence, message);
  const double t = T - kKelvinOffset;
  return {Wet(pair, p, t, 0, extent), Wet(pair, p, t, 1, extent), StateError::kNone, {}};
}

StateResult WetAt(double p, double T, double x, Extent extent) {
  std::string message;
  const Pair pair = SaturatedPair(p, T, message);
  if (pair.region == 0) return Refuse<StateResult>(StateError::kNoConvergence, message);
  return {Wet(pair, p, T - kKelvinOffset, x, extent), StateError::kNone, {}};
}

}  // namespace

double saturation_temperature(double p) {
  if (NoSaturationAtPressure(p)) return kNotDefined;
  return engine::Tsat(p) - kKelvinOffset;
}

double saturation_pressure(double t) {
  if (NoSaturationAtTemperature(t)) return kNotDefined;
  return engine::Psat(t + kKelvinOffset);
}

StateResult state_px(double p, double x, Extent extent) {
  if (!(x >= 0 && x <= 1)) {
    return Refuse<StateResult>(StateError::kOutOfRange,
                               std::string(messages::kDrynessOutOfRange) + "H_PX");
  }
  if (NoSaturationAtPressure(p)) {
    return Refuse<StateResult>(StateError::kNoSaturation,
                               NoSaturationMessage(messages::kNoSaturationAtTemperature, "HSW_T"));
  }
  return WetAt(p, engine::Tsat(p), x, extent);
}

StateResult state_tx(double t, double x, Extent extent) {
  if (!(x >= 0 && x <= 1)) {
    return Refuse<StateResult>(StateError::kOutOfRange,
                               std::string(messages::kDrynessOutOfRange) + "state_tx");
  }
  if (NoSaturationAtTemperature(t)) {
    return Refuse<StateResult>(StateError::kNoSaturation,
                               NoSaturationMessage(messages::kNoSaturationAtTemperature, "HSW_T"));
  }
  const double T = t + kKelvinOffset;
  StateResult result = WetAt(engine::Psat(T), T, x, extent);
  if (result) result.state.t = t;
  return result;
}

SaturationResult saturation_p(double p, Extent extent) {
  if (NoSaturationAtPressure(p)) {
    return Refuse<SaturationResult>(
        StateError::kNoSaturation, NoSaturationMessage(messages::kNoSaturationAtPressure, "HSW_P"));
  }
  return SaturationAt(p, engine::Tsat(p), extent);
}

SaturationResult saturation_t(double t, Extent extent) {
  if (NoSaturationAtTemperature(t)) {
    return Refuse<SaturationResult>(
        StateError::kNoSaturation,
        NoSaturationMessage(messages::kNoSaturationAtTemperature, "HSW_T"));
  }
  const double T = t + kKelvinOffset;
  SaturationResult result = SaturationAt(engine::Psat(T), T, extent);
  if (result) {
    result.water.t = t;
    result.steam.t = t;
  }
  return result;
}

}  // namespace if97
