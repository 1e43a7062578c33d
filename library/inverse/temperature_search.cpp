// The temperature searches on the forward equations and the properties at the
// temperature found, shared by the state from (p, h) and the state from (p, s).
#include "inverse/temperature_search.h"

#include <if97/if97_limits.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "arith/search_steps.h"
#include "arith/stored.h"
#include "forward/boundaries.h"
#include "forward/forward_range.h"

namespace if97::detail {
namespace {

constexpr double kBisectionRefinement = 1e-3;  // of the interpolation's tolerance

// One step of the two-point interpolation for the temperature whose value of
// the property is `target`.
double Interpolate(double t_lo, double y_lo, double t_hi, double y_hi, double target) {
  return Stored(t_lo + ext{t_hi - t_lo} * (ext{target} - y_lo) / (ext{y_hi} - y_lo));
}

// How an interpolation ended.
enum class End {
  kConverged,  // t meets the tolerance
  kFailed,     // no convergence; nothing shown yet
  kReported,   // the forward function failed and has shown its message
};

struct Outcome {
  End end;
  double t;
};

// The ends of an interpolation and their values.
struct Bracket {
  double t_lo;
  double y_lo;
  double t_hi;
  double y_hi;
};

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool SameBracket(const Bracket& a, const Bracket& b) {
  return SameBits(a.t_lo, b.t_lo) && SameBits(a.y_lo, b.y_lo) && SameBits(a.t_hi, b.t_hi) &&
         SameBits(a.y_hi, b.y_hi);
}

// Each step of an interpolation depends on its bracket alone. A bracket that
// comes back bit for bit, unchanged by a step or after a short cycle, would
// repeat the steps in between (none of which met the tolerance) until the
// step limit.
class Repetition {
 public:
  bool Seen(const Bracket& b) {
    for (int i = 0; i < count_; ++i) {
      if (SameBracket(recent_[i], b)) return true;
    }
    recent_[next_] = b;
    next_ = (next_ + 1) % kKept;
    if (count_ < kKept) ++count_;
    return false;
  }

 private:
  static constexpr int kKept = 4;
  Bracket recent_[kKept] = {};
  int count_ = 0;
  int next_ = 0;
};

// The temperatures at which the interpolation may evaluate the forward
// function; a step outside them ends it unconverged.
struct Range {
  double lowest;
  double highest;
};

constexpr Range kAnyTemperature = {-INFINITY, INFINITY};
// The near-critical band's steps stay where h_pt and s_pt have a value above
// 10 MPa.
constexpr Range kForwardRange = {limits::kLowestTemperature, limits::kHighestTemperatureRegion2};

bool Outside(const Range& range, double t) { return !(t >= range.lowest && t <= range.highest); }

double NoConvergence(const Interpolation& it) {
  ShowMessage(it.no_convergence);
  return FAILURE;
}

// The two forms of the interpolation. Bracketing: the new point replaces the
// end on its own side of y, so the bracket always keeps the target between
// its ends; a new point exactly on the saturation line, where the forward
// functions have no value, is the answer itself (y then lies within rounding
// of y' or y''). Upper first: the new point replaces the upper end when its
// value is not above y, the lower end otherwise.
enum class Form { kBracketing, kUpperFirst };

Outcome RunInterpolation(Form form, const Interpolation& it, double p, double y, Bracket b,
                         const Range& range) {
  const double t_sat = form == Form::kBracketing ? TS_P(p) : 0;
  Repetition repetition;
  repetition.Seen(b);
  for (int step = 1;; ++step) {
    double t_new = Interpolate(b.t_lo, b.y_lo, b.t_hi, b.y_hi, y);
    if (form == Form::kBracketing && t_new == t_sat) return {End::kConverged, t_new};
    if (form == Form::kUpperFirst && it.clamp_at_zero && t_new < 0) t_new = 0;
    if (Outside(range, t_new)) return {End::kFailed, t_new};
    const double y_new = it.forward(p, t_new);
    if (y_new == FAILURE) return {End::kReported, FAILURE};
    bool replaces_lower = false;
    bool within_tolerance = false;
    if (form == Form::kBracketing) {
      const double r = Stored(std::fabs(ext{y} - y_new) / y);
      replaces_lower = y_new < y;
      within_tolerance = r < it.tolerance;
    } else {
      const double r = Stored((ext{y} - y_new) / y);
      replaces_lower = !(r >= 0);
      within_tolerance = std::fabs(r) < it.tolerance;
    }
    if (replaces_lower) {
      b.t_lo = t_new;
      b.y_lo = y_new;
    } else {
      b.t_hi = t_new;
      b.y_hi = y_new;
    }
    if (step > it.step_limit) return {End::kFailed, t_new};
    if (within_tolerance) return {End::kConverged, t_new};
    if (repetition.Seen(b)) return {End::kFailed, t_new};
  }
}

// Where the interpolation fails in the near-critical band, the temperature
// is found by bisection on the region-3 values between the ends. Two things
// defeat the interpolation there. Regions 1 and 3 do not meet exactly on the
// 350 degC isotherm (at 64.53 MPa region 3 starts 0.018 kJ/kg below the
// region-1 enthalpy at 350 degC), so the values are not monotonic across the
// lower end and the steps can cycle. And a value can lie in the gap between
// two regions at a boundary, beyond every region-3 value yet short of the
// neighbouring region's value at the boundary (a few parts in 1e5 below the
// region-2 value on the B23 line, or just above the region-1 entropy at
// 350 degC near 16.53 MPa); no temperature has it, and the answer is the
// boundary temperature, where the two regions meet to within their
// consistency. k_lo and k_hi select the region-3 volume at each end. The
// bisection goes on well below the interpolation's tolerance: it halves the
// bracket only, so its first point within that tolerance can still be
// millikelvins off.
Outcome Region3Bisection(const Interpolation& it, double p, double y, double t_lo, int k_lo,
                         double t_hi, int k_hi) {
  const double y_lo = it.region3(k_lo, p, t_lo);
  if (y_lo == FAILURE) return {End::kReported, FAILURE};
  if (y <= y_lo) return {End::kConverged, t_lo};
  const double y_hi = it.region3(k_hi, p, t_hi);
  if (y_hi == FAILURE) return {End::kReported, FAILURE};
  if (y >= y_hi) return {End::kConverged, t_hi};
  for (;;) {
    const double t = Midpoint(t_lo, t_hi);
    if (t == t_lo || t == t_hi) return {End::kConverged, t};
    const double y_t = it.forward(p, t);
    if (y_t == FAILURE) return {End::kReported, FAILURE};
    if (std::fabs(ext{y} - y_t) / y < it.tolerance * kBisectionRefinement) {
      return {End::kConverged, t};
    }
    (y_t < y ? t_lo : t_hi) = t;
  }
}

double Finish(const Interpolation& it, const Outcome& outcome) {
  switch (outcome.end) {
    case End::kConverged:
      return outcome.t;
    case End::kReported:
      return FAILURE;
    default:
      return NoConvergence(it);
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
  if (std::fabs(ext{t} - ts) > kBackwardDeviation) return false;
  return (y < y_water && t > ts) || (y > y_steam && t < ts);
}

// Dryness fraction of a two-phase value between y' and y''.
double Dryness(double y, double y_water, double y_steam) {
  return Stored((ext{y} - y_water) / (ext{y_steam} - y_water));
}

}  // namespace

double InterpolateUpperFirst(const Interpolation& it, double p, double y, double t_lo, double y_lo,
                             double t_hi, double y_hi) {
  return Finish(
      it, RunInterpolation(Form::kUpperFirst, it, p, y, {t_lo, y_lo, t_hi, y_hi}, kAnyTemperature));
}

double NearCriticalTemperature(const Interpolation& it, double (*saturated_water)(double),
                               double (*saturated_steam)(double), double p, double y) {
  if (!(p > kB23LowestPressure && p <= limits::kPtHighestPressure)) return NoConvergence(it);
  double t_lo = kRegion3LowestTemperature;
  double y_lo = it.forward(p, t_lo);
  double t_hi = TB23Celsius(p);
  double y_hi = it.forward(p, t_hi);
  if (y_lo == FAILURE || y_hi == FAILURE) return FAILURE;
  if (!(y_lo <= y && y <= y_hi)) return NoConvergence(it);
  if (p > kCriticalPressure) {
    Outcome outcome =
        RunInterpolation(Form::kUpperFirst, it, p, y, {t_lo, y_lo, t_hi, y_hi}, kForwardRange);
    if (outcome.end == End::kFailed) outcome = Region3Bisection(it, p, y, t_lo, 1, t_hi, 1);
    return Finish(it, outcome);
  }
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
  Outcome outcome =
      RunInterpolation(Form::kBracketing, it, p, y, {t_lo, y_lo, t_hi, y_hi}, kForwardRange);
  if (outcome.end == End::kFailed) {
    // Liquid side below the saturated water, vapour side above the saturated
    // steam.
    const int k_lo = y > y_steam ? 2 : 1;
    const int k_hi = y < y_water ? 1 : 2;
    outcome = Region3Bisection(it, p, y, t_lo, k_lo, t_hi, k_hi);
  }
  return Finish(it, outcome);
}

double Region5Temperature(double (*forward5)(double p, double t), double p, double y) {
  constexpr double kTolerance = 1e-12;  // relative, on y
  constexpr int kStepLimit = 100;       // a guard: no state of region 5 takes more than 5
  double t_lo = limits::kHighestTemperatureRegion2;
  double f_lo = Stored(ext{forward5(p, t_lo)} - y);
  double t_hi = limits::kHighestTemperatureRegion5;
  double f_hi = Stored(ext{forward5(p, t_hi)} - y);
  if (f_lo >= 0) return t_lo;
  if (f_hi <= 0) return t_hi;
  // Regula falsi on f = forward5 - y with the Illinois modification: an end
  // kept for a second step in a row has its value halved, so that both ends
  // close in on the root.
  int kept = 0;  // +1: the upper end was kept in the last step, -1: the lower
  double t = t_lo;
  for (int step = 0; step < kStepLimit; ++step) {
    t = Stored(t_lo - ext{f_lo} * (ext{t_hi} - t_lo) / (ext{f_hi} - f_lo));
    if (t <= t_lo || t >= t_hi) {  // the bracket is down to neighbouring doubles
      t = std::clamp(t, t_lo, t_hi);
      break;
    }
    const double f = Stored(ext{forward5(p, t)} - y);
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
