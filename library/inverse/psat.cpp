// Saturation pressure from entropy or enthalpy: the inverses of the saturated
// water and steam properties by pressure, found by false position.
#include <if97/if97.h>
#include <if97/if97_messages.h>

#include <cmath>

#include "arith/precision.h"
#include "arith/search_steps.h"
#include "arith/stored.h"
#include "inverse/psat_search.h"

namespace if97 {
namespace {

using detail::ext;
using detail::Midpoint, detail::kGoldenRatioSixDigits;
using detail::Stored;

constexpr double kUpperPressure = kCriticalPressure;  // MPa, upper bracket end everywhere
constexpr double kLowerPressure = 0.001;              // MPa, lower end of PS_H1 and PS_H2
constexpr double kLowerPressureS = 0.0010000001;      // MPa, lower end and clamp value of PS_S

constexpr double kEntropyMin = 0.106;     // kJ/(kg K), s' at 0.001 MPa rounded inwards
constexpr double kEntropyMax = 8.9749;    // kJ/(kg K), s'' at 0.001 MPa rounded inwards
constexpr double kEntropySplit = 4.412;   // kJ/(kg K), water below, steam above
constexpr double kLowestEnthalpy = 29.3;  // kJ/kg, h' at 0.001 MPa rounded up

constexpr double kToleranceS = 1e-7;    // kJ/(kg K)
constexpr double kToleranceH1 = 1e-7;   // kJ/kg
constexpr double kToleranceH2 = 1e-10;  // kJ/kg

// Greatest steam enthalpy: golden section on [2.95, 3.2] MPa.
constexpr double kMaxSearchLow = 2.95;  // MPa
constexpr double kMaxSearchHigh = 3.2;  // MPa
// Pressure of the falling branch where h'' equals h''(0.001 MPa).
constexpr double kEqualSearchLow = 17.8;  // MPa
constexpr double kEqualSearchHigh = 18;   // MPa
constexpr double kSectionWidth = 1e-15;   // relative width that ends both sections

// The point with the smallest |f - y| among those a search has evaluated.
struct BestPoint {
  double p = 0;
  ext miss = INFINITY;

  void Offer(double point, double value, double target) {
    const ext m = std::fabs(ext{target} - value);
    if (m < miss) {
      p = point;
      miss = m;
    }
  }
};

bool Misses(double value, double target, double tolerance) {
  return std::fabs(ext{target} - value) >= tolerance;
}

// Halvings after the false-position passes have run out: more than enough
// to shrink any bracket inside (0, 22.064] MPa to adjacent doubles.
constexpr int kHalvingLimit = 200;

// Close to the top of the steam curve the curve is so flat that false
// position creeps: one end of the bracket stays put and the other moves by
// ever smaller steps, so the pass limit runs out with the root still inside
// the bracket. Halving that bracket finds it; the point with the smallest
// miss is the result when the tolerance is out of reach.
detail::FalsePositionResult FinishByBisection(const detail::FalsePositionSearch& search,
                                              double p_left, double p_right, BestPoint& best,
                                              int passes) {
  const double y = search.target;
  const bool increasing = search.monotony == detail::Monotony::kIncreasing;
  for (int halving = 1; halving <= kHalvingLimit; ++halving) {
    const double m = Midpoint(p_left, p_right);
    if (m == p_left || m == p_right) break;
    const double fm = search.f(m);
    best.Offer(m, fm, y);
    if (!Misses(fm, y, search.tolerance)) return {m, passes + halving, false};
    if ((fm > y) == increasing) {
      p_right = m;
    } else {
      p_left = m;
    }
  }
  return {best.p, passes + kHalvingLimit, true};
}

}  // namespace

namespace detail {

FalsePositionResult FalsePosition(const FalsePositionSearch& search, double p_left,
                                  double p_right) {
  const double y = search.target;
  const bool increasing = search.monotony == Monotony::kIncreasing;
  // The function has no memory, so the values at the ends are carried from
  // the pass that set them instead of being evaluated again.
  double f_left = search.f(p_left);
  double f_right = search.f(p_right);
  BestPoint best;
  best.Offer(p_left, f_left, y);
  best.Offer(p_right, f_right, y);

  for (int pass = 1;; ++pass) {
    // Equal values at both ends: no straight line to follow.
    if (f_right == f_left) return {best.p, pass, true};

    double p;
    if (search.anchor == Anchor::kRight) {
      p = Stored(p_right - (ext{p_right} - p_left) * (ext{f_right} - y) / (ext{f_right} - f_left));
    } else {
      p = Stored(p_left + (ext{p_right} - p_left) * (ext{y} - f_left) / (ext{f_right} - f_left));
    }
    if (search.clamps && p < kClampThreshold) p = search.clamp_value;
    if (p > kUpperPressure) p = kUpperPressure;
    const bool at_an_end = p == p_left || p == p_right;

    const double fn = search.f(p);
    best.Offer(p, fn, y);
    if (fn > y || fn < y) {  // the new point replaces the end on its side of the root
      const bool right = (fn > y) == increasing;
      (right ? p_right : p_left) = p;
      (right ? f_right : f_left) = fn;
    }

    if (pass > kPassLimit) return FinishByBisection(search, p_left, p_right, best, pass);
    if (!Misses(fn, y, search.tolerance)) return {p, pass, false};
    // No further progress. A new point on an end leaves the bracket as it was
    // (or closes it on that end), so every later pass would repeat this one.
    // A bracket with no double inside it can only offer its ends again, and
    // both have missed the tolerance.
    if (at_an_end) return {best.p, pass, true};
    const bool no_room = std::nextafter(p_left, p_right) == p_right;
    if (no_room && Misses(f_left, y, search.tolerance) && Misses(f_right, y, search.tolerance)) {
      return {best.p, pass, true};
    }
  }
}

}  // namespace detail

using detail::Anchor;
using detail::FalsePosition;
using detail::FalsePositionResult;
using detail::Monotony;

double PS_S(double s) {
  const detail::ExtendedPrecision guard;
  if (s < kEntropyMin || s > kEntropyMax) {
    ShowMessage(messages::kNoSaturationEntropy);
    return FAILURE;
  }
  if (s == kEntropySplit) return kUpperPressure;
  const FalsePositionResult r =
      s < kEntropySplit
          ? FalsePosition({SSW_P, s, kToleranceS, Monotony::kIncreasing, Anchor::kRight, true,
                           kLowerPressureS},
                          kLowerPressureS, kUpperPressure)
          : FalsePosition({SSP_P, s, kToleranceS, Monotony::kDecreasing, Anchor::kRight, false, 0},
                          kLowerPressureS, kUpperPressure);
  return r.p;
}

double P_HSPMAX() {
  const detail::ExtendedPrecision guard;
  double a = kMaxSearchLow;
  double b = kMaxSearchHigh;
  do {
    const double x1 = Stored(a + (1 - ext{kGoldenRatioSixDigits}) * (ext{b} - a));
    const double x2 = Stored(a + ext{kGoldenRatioSixDigits} * (ext{b} - a));
    if (HSP_P(x2) < HSP_P(x1)) {
      b = x2;
    } else {
      a = x1;
    }
  } while (std::fabs((ext{a} - b) / a) >= kSectionWidth);
  return Midpoint(a, b);
}

double P_HSPEQ() {
  const detail::ExtendedPrecision guard;
  const double h_a = HSP_P(kLowerPressure);
  double lo = kEqualSearchLow;
  double hi = kEqualSearchHigh;
  double m;
  do {
    m = Midpoint(lo, hi);
    if (h_a > HSP_P(m)) {
      hi = m;
    } else {
      lo = m;
    }
  } while (std::fabs((ext{lo} - hi) / lo) >= kSectionWidth);
  return m;
}

double PS_H1(double h) {
  const detail::ExtendedPrecision guard;
  if (h > HSW_P(kUpperPressure) || h < kLowestEnthalpy) {
    ShowMessage(messages::kNotWaterSaturationEnthalpy);
    return FAILURE;
  }
  const FalsePositionResult r = FalsePosition(
      {HSW_P, h, kToleranceH1, Monotony::kIncreasing, Anchor::kRight, true, kLowerPressure},
      kLowerPressure, kUpperPressure);
  return r.p;
}

void PS_H2(double h, double& p_left, double& p_right) {
  const detail::ExtendedPrecision guard;
  const double p_max = P_HSPMAX();
  const double h_max = HSP_P(p_max);
  const double h_a = HSP_P(kLowerPressure);
  const double h_b = HSP_P(kUpperPressure);
  if (h > h_max) {
    ShowMessage(messages::WithFunction(messages::kNoSaturationEnthalpy, "PS_H2"));
    return;
  }
  if (h == h_b) {
    p_left = kUpperPressure;
    p_right = kUpperPressure;
    return;
  }
  // The lowest-pressure steam enthalpy recurs on the falling branch.
  if (h == h_a) {
    p_left = P_HSPEQ();
    p_right = kLowerPressure;
    return;
  }
  if (h_b < h && h < h_a) {  // one root, on the falling branch
    const FalsePositionResult r =
        FalsePosition({HSP_P, h, kToleranceH2, Monotony::kDecreasing, Anchor::kLeft, false, 0},
                      P_HSPEQ(), kUpperPressure);
    p_left = r.p;
    p_right = r.p;
    return;
  }
  if (h_a < h && h < h_max) {  // two roots, either side of the maximum
    const FalsePositionResult left =
        FalsePosition({HSP_P, h, kToleranceH2, Monotony::kDecreasing, Anchor::kLeft, false, 0},
                      P_HSPMAX(), P_HSPEQ());
    p_left = left.p;
    const FalsePositionResult right =
        FalsePosition({HSP_P, h, kToleranceH2, Monotony::kIncreasing, Anchor::kLeft, false, 0},
                      kLowerPressure, P_HSPMAX());
    p_right = right.p;
    return;
  }
  // The greatest enthalpy has the one pressure of the maximum.
  if (h == h_max) {
    p_left = p_max;
    p_right = p_max;
  }
  // h < h_b: no saturated steam has this enthalpy; nothing is delivered.
}

void PS_H(double h, double& p_left, double& p_right) {
  const detail::ExtendedPrecision guard;
  const double h_c = HSW_P(kUpperPressure);
  const double h_max = HSP_P(P_HSPMAX());
  if (h < kLowestEnthalpy || h > h_max) {
    ShowMessage(messages::WithFunction(messages::kNoSaturationEnthalpy, "PS_H"));
    return;
  }
  if (h < h_c) {  // saturated water, 29.3 included
    const double p = PS_H1(h);
    p_left = p;
    p_right = p;
    return;
  }
  // At the critical pressure water and steam meet; the steam enthalpy there
  // may come out a rounding error above the water one, and the enthalpies in
  // between belong to the critical point too.
  if (h == h_c || h <= HSP_P(kUpperPressure)) {
    p_left = kUpperPressure;
    p_right = kUpperPressure;
    return;
  }
  PS_H2(h, p_left, p_right);
}

}  // namespace if97
