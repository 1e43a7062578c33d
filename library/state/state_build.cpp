// A State from the properties of one equation (state_internal.h): the
// thermodynamic properties, the transport properties and the further ones
// that derive from them; wet steam mixed from its saturated phases.
#include <if97/if97.h>

#include <cmath>

#include "engine/transport.h"
#include "forward/saturation.h"
#include "state/state_internal.h"

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

namespace detail::state {
namespace {

State Common(const engine::Props& props, double p, double t, Extent extent) {
  State state;
  state.p = p;
  state.t = t;
  state.h = props.h;
  state.s = props.s;
  state.v = props.v;
  state.u = props.u;
  state.cp = props.cp;
  state.cv = props.cv;
  state.w = props.w;
  const double T = props.T;
  const double rho = props.rho;
  state.rho = rho;
  state.alpha_v = props.alpha_v;
  state.kappa_T = props.kappa_T;
  state.kappa = props.w * props.w / (p * 1e6 * props.v);
  state.mu_JT = (T * props.alpha_v - 1) * props.v / props.cp * 1000;
  if (extent == Extent::kThermodynamic) return state;
  // (d rho / d p)_T = rho kappa_T, kg/(m3 MPa); 0 where the density is 0 (a
  // pressure below the doubles' normal range), where no enhancement forms.
  const double drho_dp = rho > 0 ? rho * props.kappa_T : 0;
  // The viscosity's critical enhancement is formed only inside its box
  // (transport.h); elsewhere the viscosity is its base, formed once.
  const double eta_base = engine::ViscosityBase(rho, T);
  const bool enhanced = T > 645.91 && T < 650.77 && rho > 245.8 && rho < 405.3;
  state.eta = enhanced ? engine::Viscosity(rho, T, drho_dp) : eta_base;
  state.lambda = engine::ThermalConductivity(rho, T, drho_dp, props.cp, props.cv, eta_base);
  state.nu = state.eta / rho;
  state.a = state.lambda / (rho * props.cp * 1000);
  state.Pr = state.eta * props.cp * 1000 / state.lambda;
  state.epsilon = engine::DielectricConstant(rho, T);
  return state;
}

}  // namespace

State SinglePhase(const engine::Props& props, double p, double t, int region, Phase phase,
                  Extent extent) {
  State state = Common(props, p, t, extent);
  state.region = region;
  state.phase = phase;
  return state;
}

State SaturatedPhase(const engine::Props& props, double p, double t, int region, double x,
                     Extent extent) {
  State state = Common(props, p, t, extent);
  state.region = region;
  state.phase = Phase::kSaturated;
  state.x = x;
  if (extent == Extent::kAll) state.sigma = engine::SurfaceTension(props.T);
  return state;
}

State Wet(const Pair& pair, double p, double t, double x, Extent extent) {
  if (x == 0) return SaturatedPhase(pair.water, p, t, pair.region == 3 ? 3 : 1, 0, extent);
  if (x == 1) return SaturatedPhase(pair.steam, p, t, pair.region == 3 ? 3 : 2, 1, extent);
  State state;
  state.p = p;
  state.t = t;
  state.h = MixPhases(x, pair.water.h, pair.steam.h);
  state.s = MixPhases(x, pair.water.s, pair.steam.s);
  state.v = MixPhases(x, pair.water.v, pair.steam.v);
  state.u = MixPhases(x, pair.water.u, pair.steam.u);
  state.rho = 1 / state.v;
  if (extent == Extent::kAll) state.sigma = engine::SurfaceTension(pair.water.T);
  state.x = x;
  state.region = 4;
  state.phase = Phase::kSaturated;
  return state;
}

}  // namespace detail::state
}  // namespace if97
