// The state from pressure and enthalpy or pressure and entropy on the double
// engine. The backward equations give the first temperature (region 3: the
// temperature and volume); Newton's method on the forward equation of the
// region follows, in T (regions 1, 2, 5) or in (rho, T) (region 3), until the
// equation gives back the given value. Each 1-D search keeps the root in an
// interval of its region and bisects where a step would leave it; a region-3
// search that does not settle falls back to the 1-D search on T with each
// temperature's density found as state_pt finds it.
#include <if97/if97.h>
#include <if97/if97_limits.h>
#include <if97/if97_messages.h>
#include <if97/if97_state.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "engine/backward.h"
#include "engine/forward.h"
#include "engine/region3_backward.h"
#include "forward/region_codes.h"
#include "state/state_internal.h"

namespace if97 {
namespace {

using namespace detail::state;
using engine::Props;

constexpr double kT0 = 273.15;     // K, lowest temperature
constexpr double kT350 = 623.15;   // K, region 1 / region 3
constexpr double kT800 = 1073.15;  // K, region 2 / region 5
constexpr double kT1000 = 1273.15;
constexpr double kRhoCritical = 322;  // kg/m3

// The forward value is back to the given one within kTolerance of it, or of
// the floor below which the value is near zero (near 0 degC).
constexpr double kTolerance = 1e-12;
constexpr double kEnthalpyFloor = 1;    // kJ/kg
constexpr double kEntropyFloor = 0.01;  // kJ/(kg K)
// Where no double temperature comes closer (a stalled search), within this.
constexpr double kStallTolerance = 1e-10;
constexpr double kPressureTolerance = 1e-13;  // relative, region 3
// Region 3's steps take the pressure formed in double (Region3Estimate) until
// the residuals are within this (relative): from there one Newton step, whose
// error goes as the square, lands where only the state's own pressure tells.
constexpr double kEstimateClose = 1e-5;
constexpr int kStepLimit = 100;
constexpr int kStepLimit2D = 40;

// The side of the line a value lies on for sure when the backward
// equation's temperature lies this far from the line (the equations hold
// within 25 mK).
constexpr double kSureMargin = 0.5;  // K

enum class Outcome { kFound, kBelow, kAbove, kFailed };

class Solver {
 public:
  Solver(bool enthalpy, double p, double y, Extent extent)
      : enthalpy_(enthalpy),
        extent_(extent),
        p_(p),
        y_(y),
        tolerance_(kTolerance * std::max(std::fabs(y), enthalpy ? kEnthalpyFloor : kEntropyFloor)) {
  }

  StateResult Run() { return p_ < kB23LowestPressure ? Low() : High(); }

 private:
  double Value(const Props& props) const { return enthalpy_ ? props.h : props.s; }
  double Slope(const Props& props) const { return enthalpy_ ? props.cp : props.cp / props.T; }

  double Estimate1() const { return enthalpy_ ? engine::T1_ph(p_, y_) : engine::T1_ps(p_, y_); }
  double Estimate2() const { return enthalpy_ ? engine::T2_ph(p_, y_) : engine::T2_ps(p_, y_); }

  bool Evaluate(int code, double T, Props& props) {
    switch (code) {
      case detail::kRegion1:
        props = engine::Region1(p_, T);
        return true;
      case detail::kRegion2:
        props = engine::Region2(p_, T);
        return true;
      case detail::kRegion5:
        props = engine::Region5(p_, T);
        return true;
      default:
        return PropsAt(code, p_, T - kKelvinOffset, props, message_);
    }
  }

  // The value along the isobar at T with its first two derivatives in T,
  // from the sums in tau alone; false for region 3, which has none.
  bool AlongIsobar(int code, double T, double& value, double& slope, double& curvature) const {
    engine::Isobar at;
    switch (code) {
      case detail::kRegion1:
        at = engine::Region1Isobar(p_, T);
        break;
      case detail::kRegion2:
        at = engine::Region2Isobar(p_, T);
        break;
      case detail::kRegion5:
        at = engine::Region5Isobar(p_, T);
        break;
      default:
        return false;
    }
    // s' = cp / T, s'' = (dcp/dT) / T - cp / T^2.
    value = enthalpy_ ? at.h : at.s;
    slope = enthalpy_ ? at.cp : at.cp / T;
    curvature = enthalpy_ ? at.dcp_dT : (at.dcp_dT - slope) / T;
    return true;
  }

  // Newton's method on T in [lo, hi] (K) from T0 in the region of code; the
  // value increases with T. kBelow (kAbove): the value at lo (hi) is already
  // above (still below) the given one; end holds that end's properties.
  // The first step, from the backward equations' temperature, is Halley's
  // where the region's sums in tau give the curvature: from their 10 to
  // 25 mK it lands within about 1e-10 K, so that the next temperature's
  // properties, formed in whole, are the state.
  Outcome Solve(int code, double lo, double hi, double T0, Props& found) {
    double a = lo;
    double b = hi;
    bool lo_seen = false;
    bool hi_seen = false;
    double T = std::isfinite(T0) ? std::clamp(T0, lo, hi) : (lo + hi) / 2;
    double best_T = T;
    double best_residual = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kStepLimit; ++i) {
      Props props;
      double value;
      double slope;
      double curvature = 0;
      // At an end of the interval the whole properties may be what is
      // asked for (the start of region 5's search), so none is skipped.
      const bool third =
          i == 0 && T > lo && T < hi && AlongIsobar(code, T, value, slope, curvature);
      if (!third) {
        if (!Evaluate(code, T, props)) return Outcome::kFailed;
        value = Value(props);
        slope = Slope(props);
      }
      // The whole properties of the temperature where the search ends.
      const auto end_here = [&](Outcome outcome) {
        if (third && !Evaluate(code, T, props)) return Outcome::kFailed;
        found = props;
        return outcome;
      };
      const double residual = y_ - value;
      if (std::fabs(residual) <= tolerance_) return end_here(Outcome::kFound);
      if (std::fabs(residual) < best_residual) {
        best_T = T;
        best_residual = std::fabs(residual);
      }
      if (residual > 0) {
        if (T >= hi) return end_here(Outcome::kAbove);
        a = T;
        lo_seen = lo_seen || T == lo;
      } else {
        if (T <= lo) return end_here(Outcome::kBelow);
        b = T;
        hi_seen = hi_seen || T == hi;
      }
      // Halley's step where the curvature's share is small, Newton's else.
      const double bend = residual * curvature;
      double next =
          T + (std::fabs(bend) < slope * slope ? 2 * residual * slope / (2 * slope * slope + bend)
                                               : residual / slope);
      bool bisection = false;
      if (!(next > a && next < b)) {
        if (!(next > a) && a == lo && !lo_seen) {
          next = lo;
        } else if (!(next < b) && b == hi && !hi_seen) {
          next = hi;
        } else {
          next = a + (b - a) / 2;
          bisection = true;
        }
      }
      if (next == T || (bisection && (next == a || next == b))) {
        // No double temperature between the ends comes closer.
        if (best_residual <= kStallTolerance / kTolerance * tolerance_ &&
            Evaluate(code, best_T, found)) {
          return Outcome::kFound;
        }
        return Outcome::kFailed;
      }
      T = next;
    }
    return Outcome::kFailed;
  }

  // Newton's method on (rho, T) for the pressure and the value in region 3,
  // from the backward equations; false when it does not settle inside
  // [lo, hi] on the side of the critical density given (0 none, 1 liquid,
  // 2 vapour).
  bool Newton3(double lo, double hi, int side, Props& found) const {
    double T = enthalpy_ ? engine::T3_ph(p_, y_) : engine::T3_ps(p_, y_);
    double rho = 1 / (enthalpy_ ? engine::V3_ph(p_, y_) : engine::V3_ps(p_, y_));
    if (!(T > lo - 10 && T < hi + 10 && rho > 50 && rho < 1100)) return false;
    // The far steps on the pressure formed in double; after the first
    // within kEstimateClose, the state's own, which alone ends the search.
    bool exact = false;
    for (int i = 0; i < kStepLimit2D; ++i) {
      const Props props = exact ? engine::Region3(rho, T) : engine::Region3Estimate(rho, T);
      const double f1 = props.p - p_;
      const double f2 = Value(props) - y_;
      if (!exact) {
        exact = (std::fabs(f1) <= kEstimateClose * p_ &&
                 std::fabs(f2) <= kEstimateClose / kTolerance * tolerance_) ||
                i + 1 == kStepLimit2D / 2;
      } else if (std::fabs(f1) <= kPressureTolerance * p_ && std::fabs(f2) <= tolerance_) {
        if (!(T >= lo && T <= hi && props.dp_drho_T > 0)) return false;
        if ((side == 1 && !(rho > kRhoCritical)) || (side == 2 && !(rho < kRhoCritical))) {
          return false;
        }
        found = props;
        return true;
      }
      const double a = props.dp_drho_T;
      const double b = props.dp_dT_rho;
      const double c = enthalpy_ ? props.dh_drho_T : props.ds_drho_T;
      const double d = enthalpy_ ? props.dh_dT_rho : props.ds_dT_rho;
      const double det = a * d - b * c;
      if (!(std::fabs(det) > 0)) return false;
      double drho = (f1 * d - b * f2) / det;
      double dT = (a * f2 - c * f1) / det;
      const double scale = std::max({1.0, std::fabs(drho) / (0.2 * rho), std::fabs(dT) / 20});
      drho /= scale;
      dT /= scale;
      rho -= drho;
      T -= dT;
      if (!(T > lo - 10 && T < hi + 10 && rho > 50 && rho < 1100)) return false;
    }
    return false;
  }

  StateResult Single(const Props& props, int code) const {
    const double t = props.T - kKelvinOffset;
    return {SinglePhase(props, p_, t, code > 30 ? 3 : code, PhaseOf(code, p_, t), extent_),
            StateError::kNone,
            {}};
  }

  StateResult WetSteam(const Pair& pair, double T) const {
    const double y_water = Value(pair.water);
    const double x = std::clamp((y_ - y_water) / (Value(pair.steam) - y_water), 0.0, 1.0);
    return {Wet(pair, p_, T - kKelvinOffset, x, extent_), StateError::kNone, {}};
  }

  StateResult OutOfRange() const {
    return Refuse<StateResult>(StateError::kOutOfRange,
                               enthalpy_ ? messages::kPhOutOfRange : messages::kPsOutOfRange);
  }

  StateResult NoConvergence() const {
    if (!message_.empty()) return Refuse<StateResult>(StateError::kNoConvergence, message_);
    return Refuse<StateResult>(StateError::kNoConvergence,
                               enthalpy_ ? messages::kPhNoConvergence : messages::kPsNoConvergence);
  }

  // The water side: region 1 from 0 degC to top (K).
  StateResult Water(double top, double T0, bool& above) {
    Props found;
    above = false;
    switch (Solve(detail::kRegion1, kT0, top, T0, found)) {
      case Outcome::kFound:
        return Single(found, detail::kRegion1);
      case Outcome::kBelow:
        return OutOfRange();
      case Outcome::kAbove:
        above = true;
        return {};
      default:
        return NoConvergence();
    }
  }

  // The steam side: region 2 from bottom (K) to 800 degC, region 5 above it
  // up to 10 MPa. below: the value lies below region 2's value at bottom.
  StateResult Steam(double bottom, double T0, bool& below) {
    Props found;
    below = false;
    // Far above 800 degC by region 2's backward equations (continued): a
    // search in region 5 from their temperature; the ends decide as below
    // where the value lies near region 2's at 800 degC.
    if (std::isgreater(T0, kT800 + kSureMargin) && p_ <= limits::kRegion5Pressure) {
      switch (Solve(detail::kRegion5, kT800, kT1000, T0, found)) {
        case Outcome::kFound:
          return Single(found, detail::kRegion5);
        case Outcome::kAbove:
          return OutOfRange();
        default:
          break;
      }
    }
    switch (Solve(detail::kRegion2, bottom, kT800, T0, found)) {
      case Outcome::kFound:
        return Single(found, detail::kRegion2);
      case Outcome::kBelow:
        below = true;
        return {};
      case Outcome::kFailed:
        return NoConvergence();
      case Outcome::kAbove:
        break;
    }
    if (p_ > limits::kRegion5Pressure) return OutOfRange();
    // Region 5 has no backward equation: a step from region 2's end at 800 degC.
    const double gap = y_ - Value(found);
    const double T5 = enthalpy_ ? kT800 + gap / found.cp : kT800 * std::exp(gap / found.cp);
    switch (Solve(detail::kRegion5, kT800, kT1000, T5, found)) {
      case Outcome::kFound:
        return Single(found, detail::kRegion5);
      case Outcome::kAbove:
        return OutOfRange();
      default:  // between the two equations' values at 800 degC
        return NoConvergence();
    }
  }

  // Region 3 between lo and hi (K) on the branch of code: Newton in (rho, T)
  // first, the bracketed search on T with state_pt's densities after it.
  StateResult Region3(int code, double lo, double hi) {
    Props found;
    const int side = code == detail::kRegion3Liquid ? 1 : code == detail::kRegion3Vapour ? 2 : 0;
    if (Newton3(lo, hi, side, found)) return Single(found, code);
    const double T0 = enthalpy_ ? engine::T3_ph(p_, y_) : engine::T3_ps(p_, y_);
    switch (Solve(code, lo, hi, T0, found)) {
      case Outcome::kFound:
        return Single(found, code);
      default:
        return NoConvergence();
    }
  }

  // Below the lowest pressure of B23: region 1 up to the saturation line,
  // wet steam on it, region 2 (and 5) above it.
  StateResult Low() {
    bool beyond = false;
    // A backward equation's temperature kSureMargin from the saturation line
    // (eq. 30 at the margin's end, below or above p) searches between it and
    // that end first; a root beyond the end falls to the ends' values below.
    if (y_ < (enthalpy_ ? 2100 : 4.4)) {
      const double T0 = Estimate1();
      const double top = T0 + kSureMargin;
      if (std::isless(top, kT350) && std::isgreater(p_, engine::Psat(top))) {
        StateResult result = Water(top, T0, beyond);
        if (!beyond) return result;
      }
    } else {
      const double T0 = Estimate2();
      const double bottom = T0 - kSureMargin;
      if (std::isgreater(bottom, kCriticalTemperature + kKelvinOffset) ||
          std::isless(p_, engine::Psat(bottom))) {
        StateResult result = Steam(bottom, T0, beyond);
        if (!beyond) return result;
      }
    }
    const double Ts = engine::Tsat(p_);
    const double top = std::min(Ts, kT350);
    Pair pair{engine::Region1(p_, top), engine::Region2(p_, Ts), 1};
    // Within the tolerance of a saturated value: the saturated phase.
    if (y_ < Value(pair.water) - tolerance_) {
      StateResult result = Water(top, Estimate1(), beyond);
      return beyond ? NoConvergence() : result;
    }
    if (y_ <= Value(pair.steam) + tolerance_) return WetSteam(pair, Ts);
    StateResult result = Steam(Ts, Estimate2(), beyond);
    return beyond ? NoConvergence() : result;
  }

  // From the lowest pressure of B23 up: region 1 up to 350 degC, region 3 up
  // to the B23 line (with the saturation line in it up to the critical
  // pressure), region 2 above it.
  StateResult High() {
    const double TB = engine::TB23(p_);
    bool beyond = false;
    if (y_ < (enthalpy_ ? 1550 : 3.5)) {
      const double T0 = Estimate1();
      if (T0 < kT350 - kSureMargin) {
        StateResult result = Water(kT350, T0, beyond);
        if (!beyond) return result;
      }
    } else if (y_ > (enthalpy_ ? 2600 : 5.2)) {
      StateResult result = Steam(TB, Estimate2(), beyond);
      if (!beyond) return result;
    } else {
      Props found;
      if (p_ > kCriticalPressure) {
        if (Newton3(kT350, TB, 0, found)) return Single(found, detail::kRegion3);
      } else {
        const double Ts = engine::Tsat(p_);
        // Under the dome by the supplementary p_3sat(h) or p_3sat(s) (NaN
        // beyond their ranges): the saturated phases decide first.
        const double dome = enthalpy_ ? engine::P3sat_h(y_) : engine::P3sat_s(y_);
        if (std::isgreater(dome, p_)) {
          const Pair pair = SaturatedPair(p_, Ts, message_);
          if (pair.region != 0 && y_ >= Value(pair.water) - tolerance_ &&
              y_ <= Value(pair.steam) + tolerance_) {
            return WetSteam(pair, Ts);
          }
        }
        const double T0 = enthalpy_ ? engine::T3_ph(p_, y_) : engine::T3_ps(p_, y_);
        if (T0 < Ts - kSureMargin && Newton3(kT350, Ts, 1, found)) {
          return Single(found, detail::kRegion3Liquid);
        }
        if (T0 > Ts + kSureMargin && Newton3(Ts, TB, 2, found)) {
          return Single(found, detail::kRegion3Vapour);
        }
      }
    }
    // The values at the ends of region 3 decide.
    if (y_ <= Value(engine::Region1(p_, kT350))) {
      StateResult result = Water(kT350, Estimate1(), beyond);
      return beyond ? NoConvergence() : result;
    }
    if (y_ >= Value(engine::Region2(p_, TB))) {
      StateResult result = Steam(TB, Estimate2(), beyond);
      return beyond ? NoConvergence() : result;
    }
    if (p_ > kCriticalPressure) return Region3(detail::kRegion3, kT350, TB);
    const double Ts = engine::Tsat(p_);
    const Pair pair = SaturatedPair(p_, Ts, message_);
    if (pair.region == 0) return NoConvergence();
    if (y_ < Value(pair.water) - tolerance_) return Region3(detail::kRegion3Liquid, kT350, Ts);
    if (y_ <= Value(pair.steam) + tolerance_) return WetSteam(pair, Ts);
    return Region3(detail::kRegion3Vapour, Ts, TB);
  }

  bool enthalpy_;
  Extent extent_;
  double p_;
  double y_;
  double tolerance_;
  std::string message_;
};

}  // namespace

StateResult state_ph(double p, double h, Extent extent) {
  // The lowest enthalpy, that of water at 0 degC, is the search's lower end;
  // far below it nothing is searched.
  if (!(limits::kPhLowestPressure <= p && p <= limits::kPhHighestPressure &&
        h <= limits::kPhHighestEnthalpy && h >= -1)) {
    return Refuse<StateResult>(StateError::kOutOfRange, messages::kPhOutOfRange);
  }
  return Solver(true, p, h, extent).Run();
}

StateResult state_ps(double p, double s, Extent extent) {
  // The entropies of the range lie between about -0.009 and 11.9 kJ/(kg K).
  if (!(limits::kPsLowestPressure <= p && p <= limits::kPsHighestPressure && s >= -1 && s <= 20)) {
    return Refuse<StateResult>(StateError::kOutOfRange, messages::kPsOutOfRange);
  }
  return Solver(false, p, s, extent).Run();
}

}  // namespace if97
