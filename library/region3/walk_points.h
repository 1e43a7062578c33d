// Internal to the library: the points of the region-3 volume search's walk,
// x_0 = start, x_(k+1) = Stored(x_k + step), any of them without forming the
// ones before it.
//
// Below 2^-5 m3/kg the sum of a point and the step (1e-5) is exact in the
// extended type, so each step rounds it once to the grid of the doubles;
// within one binade that grid is fixed, and a point of it plus the step
// rounds to the point plus the same multiple d of the grid's spacing. Hence
// x_k = x_K + (k - K) d within a binade. A run of points is checked on two
// steps: a step across a binade's end, or one whose step lies exactly halfway
// between two grid points (the first rounding then makes the point even, and
// every later one keeps it even), starts a new run from the next point.
#ifndef STEAMCALC_LIBRARY_WALK_POINTS_H
#define STEAMCALC_LIBRARY_WALK_POINTS_H

#include <algorithm>
#include <cmath>
#include <limits>

#include "arith/stored.h"

namespace if97::detail {

class WalkPoints {
 public:
  static constexpr double kLowest = 1e-4;     // m3/kg, the least point
  static constexpr double kHighest = 0x1p-5;  // m3/kg, points stay below
  static constexpr int kMostSteps = 1000000;  // the longest run

  WalkPoints(double start, double step) : step_(step) { ok_ = Run(0, start); }

  // x_k, for k not below any k asked for before; NaN where a point leaves
  // [kLowest, kHighest).
  double At(int k) {
    while (ok_ && k > last_) ok_ = Run(last_ + 1, Next(Point(last_)));
    return ok_ ? Point(k) : std::numeric_limits<double>::quiet_NaN();
  }

 private:
  double Next(double x) const { return Stored(ext{x} + step_); }
  double Point(int k) const { return Stored(ext{base_} + ext{d_} * (k - first_)); }

  // A run of points from x_k on.
  bool Run(int k, double x) {
    if (!(x >= kLowest && x < kHighest)) return false;
    const double x1 = Next(x);
    const double x2 = Next(x1);
    first_ = k;
    base_ = x;
    if (x1 - x != x2 - x1) {
      d_ = 0;
      last_ = k;
      return true;
    }
    int exponent = 0;
    std::frexp(x, &exponent);  // x in [2^(exponent - 1), 2^exponent)
    const double spacing = std::ldexp(1.0, exponent - std::numeric_limits<double>::digits);
    const double d = x1 - x;
    const double room = d > 0 ? std::ldexp(1.0, exponent) - x : x - std::ldexp(1.0, exponent - 1);
    const double count = std::floor((room - 4 * spacing) / std::fabs(d)) - 1;
    d_ = d;
    last_ = k + static_cast<int>(std::clamp(count, 0.0, double{kMostSteps}));
    return true;
  }

  double step_;
  bool ok_ = false;
  int first_ = 0;  // points first_..last_ are base_ + (k - first_) d_
  int last_ = 0;
  double base_ = 0;
  double d_ = 0;
};

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_WALK_POINTS_H
