// The temperature iterations and the properties at the temperature found,
// shared by the state from (p, h) and the state from (p, s).
#include "backward.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "boundary23.h"
#include "forward_range.h"

namespace if97::detail {
namespace {

using ext = long double;

constexpr double kT350 = kRegion3LowestTemperature;  // degC

// One step of the two-point interpolation for the temperature whose value of
// the property is `target`.
double Interpolate(double t_lo, double y_lo, double t_hi, double y_hi, double target) {
  return static_cast<double>(t_lo + static_cast<ext>(t_hi - t_lo) *
                                        (static_cast<ext>(target) - y_lo) /
                                        (static_cast<ext>(y_hi) - y_lo));
}

// Whether the new point is the end it replaces, bit for bit: the bracket is
// then what it was, and every later step would repeat this one (and its
// messages) until the step limit.
bool SamePoint(double t, double f, double t_new, double f_new) {
  return std::bit_cast<std::uint64_t>(t) == std::bit_cast<std::uint64_t>(t_new) &&
         std::bit_cast<std::uint64_t>(f) == std::bit_cast<std::uint64_t>(f_new);
}

double NoConvergence(const Interpolation& it) {
  ShowMessage(it.no_convergence);
  return FAILURE;
}

// The bracketing form: the new point replaces the end on its own side of y,
// so the bracket always keeps the target between its ends. A new point
// exactly on the saturation line, where the forward functions have no value,
// is the answer itself: y then lies within rounding of y' or y''.
double InterpolateBracketing(const Interpolation& it, double p, double y, double t_lo, double y_lo,
                             double t_hi, double y_hi) {
  const double t_sat = TS_P(p);
  for (int step = 1;; ++step) {
    const double t_new = Interpolate(t_lo, y_lo, t_hi, y_hi, y);
    if (t_new == t_sat) return t_new;
    const double y_new = it.forward(p, t_new);
    const double r = static_cast<double>(std::fabs(static_cast<ext>(y) - y_new) / y);
    const bool stuck =
        y_new < y ? SamePoint(t_lo, y_lo, t_new, y_new) : SamePoint(t_hi, y_hi, t_new, y_new);
    if (y_new < y) {
      t_lo = t_new;
      y_lo = y_new;
    } else {
      t_hi = t_new;
      y_hi = y_new;
    }
    if (step > it.step_limit) return NoConvergence(it);
    if (r < it.tolerance) return t_new;
    if (stuck) return NoConvergence(it);
  }
}

// Within their tolerance (25 mK) of the saturation line the backward
// equations can return a temperature on the far side of it: above TS_P for a
// liquid value, below it for a steam value (by up to 23.5 mK over the whole
// line). Such a state takes the properties of the saturated phase it belongs
// to, not those of the other phase. A temperature farther off is no such
// state; it is passed on as it is.
bool OnFarSide(double p, double y, double t, double y_water, double y_steam) {
  const double ts = TS_P(p);
  if (std::fabs(static_cast<ext>(t) - ts) > kBackwardDeviation) return false;
  return (y < y_water && t > ts) || (y > y_steam && t < ts);
}

// Dryness fraction of a two-phase value between y' and y''.
double Dryness(double y, double y_water, double y_steam) {
  return static_cast<double>((static_cast<ext>(y) - y_water) /
                             (static_cast<ext>(y_steam) - y_water));
}

}  // namespace

double TB23Celsius(double p) {
  const double big_t =
      static_cast<double>(b23::n[3] + std::sqrt((static_cast<ext>(p) - b23::n[4]) / b23::n[2]));
  return big_t - kKelvinOffset;
}

double InterpolateUpperFirst(const Interpolation& it, double p, double y, double t_lo, double y_lo,
                             double t_hi, double y_hi) {
  for (int step = 1;; ++step) {
    double t_new = Interpolate(t_lo, y_lo, t_hi, y_hi, y);
    if (it.clamp_at_zero && t_new < 0) t_new = 0;
    const double y_new = it.forward(p, t_new);
    const double r = static_cast<double>((static_cast<ext>(y) - y_new) / y);
    const bool stuck =
        r >= 0 ? SamePoint(t_hi, y_hi, t_new, y_new) : SamePoint(t_lo, y_lo, t_new, y_new);
    if (r >= 0) {
      t_hi = t_new;
      y_hi = y_new;
    } else {
      t_lo = t_new;
      y_lo = y_new;
    }
    if (step > it.step_limit) return NoConvergence(it);
    if (std::fabs(r) < it.tolerance) return t_new;
    if (stuck) return NoConvergence(it);
  }
}

double NearCriticalTemperature(const Interpolation& it, double (*saturated_water)(double),
                               double (*saturated_steam)(double), double p, double y) {
  double t_lo = kT350;
  double y_lo = it.forward(p, t_lo);
  double t_hi = TB23Celsius(p);
  double y_hi = it.forward(p, t_hi);
  if (p > kCriticalPressure) return InterpolateUpperFirst(it, p, y, t_lo, y_lo, t_hi, y_hi);
  const double y_water = saturated_water(p);
  const double y_steam = saturated_steam(p);
  if (y < y_water) {
    t_hi = TS_P(p);
    y_hi = y_water;
  }
  if (y > y_steam) {
    t_lo = TS_P(p);
    y_lo = y_steam;
  }
  if (y_water < y && y < y_steam) return TS_P(p);
  return InterpolateBracketing(it, p, y, t_lo, y_lo, t_hi, y_hi);
}

double Region5Temperature(double (*forward5)(double p, double t), double p, double y) {
  constexpr double kTolerance = 1e-12;  // relative, on y
  constexpr int kStepLimit = 100;       // a guard: no state of region 5 takes more than 5
  double t_lo = kHighestTemperatureRegion2;
  double f_lo = static_cast<double>(static_cast<ext>(forward5(p, t_lo)) - y);
  double t_hi = kHighestTemperatureRegion5;
  double f_hi = static_cast<double>(static_cast<ext>(forward5(p, t_hi)) - y);
  if (f_lo >= 0) return t_lo;
  if (f_hi <= 0) return t_hi;
  // Regula falsi on f = forward5 - y with the Illinois modification: an end
  // kept for a second step in a row has its value halved, so that both ends
  // close in on the root.
  int kept = 0;  // +1: the upper end was kept in the last step, -1: the lower
  double t = t_lo;
  for (int step = 0; step < kStepLimit; ++step) {
    t = static_cast<double>(t_lo - static_cast<ext>(f_lo) * (static_cast<ext>(t_hi) - t_lo) /
                                       (static_cast<ext>(f_hi) - f_lo));
    if (t <= t_lo || t >= t_hi) {  // the bracket is down to neighbouring doubles
      t = std::clamp(t, t_lo, t_hi);
      break;
    }
    const double f = static_cast<double>(static_cast<ext>(forward5(p, t)) - y);
    if (std::fabs(f) <= kTolerance * std::fabs(y)) break;
    if (f < 0) {
      t_lo = t;
      f_lo = f;
      if (kept == 1) f_hi /= 2;
      kept = 1;
    } else {
      t_hi = t;
      f_hi = f;
      if (kept == -1) f_lo /= 2;
      kept = -1;
    }
  }
  return t;
}

double PropertyAtTemperature(double p, double y, double t, double (*saturated_water)(double),
                             double (*saturated_steam)(double), double (*forward)(double, double),
                             double (*wet)(double, double), bool never_on_line) {
  if (t == FAILURE) return FAILURE;
  t = IntoForwardRange(p, t);
  if (p > kCriticalPressure) return forward(p, t);
  const double y_water = saturated_water(p);
  const double y_steam = saturated_steam(p);
  if (y == y_water) return wet(p, 0);
  if (y == y_steam) return wet(p, 1);
  if (y < y_water || y > y_steam) {
    if (never_on_line && TS_P(p) == t) return wet(p, Dryness(y, y_water, y_steam));
    if (OnFarSide(p, y, t, y_water, y_steam)) return wet(p, y < y_water ? 0 : 1);
    return forward(p, t);
  }
  return wet(p, Dryness(y, y_water, y_steam));
}

}  // namespace if97::detail
