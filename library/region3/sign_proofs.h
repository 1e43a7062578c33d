// Internal to the library: proofs of the sign of the region-3 residual over
// whole stretches of volume, from Taylor expansions of its polynomial
// (Isotherm::Poly).
//
// R's Taylor coefficients about c, R(c + e) = sum_j b_j e^j, are formed in
// double. Each differs from the exact one by less than kShiftError times the
// coefficient of the same expansion of Mp, so over |e| <= h their errors
// together stay below kShiftError Mp(c + h). A proof must clear the filter's
// margin and that error, both times Mp at the largest delta involved; deltas
// formed from volumes in double are widened by kDeltaSlack to cover their
// rounding. A sign proven here is the sign of the exact residual
// (Isotherm::Residual) at every volume the proof covers.
#ifndef STEAMCALC_LIBRARY_REGION3_SIGN_PROOFS_H
#define STEAMCALC_LIBRARY_REGION3_SIGN_PROOFS_H

#include <cmath>
#include <limits>

#include "region3/equation.h"
#include "region3/isotherm.h"

namespace if97::detail::r3 {

inline constexpr double kShiftError = 64 * std::numeric_limits<double>::epsilon();
// Mp formed in double by Horner's rule over 13 positive coefficients is low by
// less than 26 units of 2^-53 of itself; the filter's margin is raised by
// 1e-3 of itself to cover that many times over.
inline constexpr double kMagnitudeRounding = 1.001;
inline constexpr double kProofMargin = kFilterMargin * kMagnitudeRounding + kShiftError;
inline constexpr double kDeltaSlack = 8 * std::numeric_limits<double>::epsilon();

inline constexpr int kProofPieces = 48;  // expansions to prove one stretch
inline constexpr int kNewtonSteps = 40;
inline constexpr double kNewtonTolerance = 1e-12;  // relative; well within kTightReach

// delta and the volume as the proofs form them, in double.
inline double Delta(double v) { return 1 / v / kRhoStar; }
inline double VolumeOf(double delta) { return 1 / delta / kRhoStar; }

struct Expansion {
  double c;
  Isotherm::Coefficients b;
};

// Inline: the proofs expand about many points, each in a few dozen
// operations.
inline Expansion ExpandAt(const Isotherm& iso, double c) {
  Expansion x{c, iso.Poly()};
  constexpr int kN = Isotherm::kDegree;
  for (int k = 0; k < kN; ++k) {
    for (int i = kN - 1; i >= k; --i) x.b[i] += c * x.b[i + 1];
  }
  return x;
}

// sum over j >= from of |b_j| h^(j - from).
inline double Tail(const Expansion& x, int from, double h) {
  double t = std::fabs(x.b[Isotherm::kDegree]);
  for (int j = Isotherm::kDegree - 1; j >= from; --j) t = t * h + std::fabs(x.b[j]);
  return t;
}

// The residual's sign on every volume whose delta lies in [lo, hi], +1 or -1,
// where R's expansion about the middle proves it; 0 where it does not.
double ProvenSignOver(const Isotherm& iso, double lo, double hi);

// The same over [lo, hi] in pieces, each failed one halved, at most
// kProofPieces expansions in all: whether the sign `sign` is proven on all of
// it.
bool ProvenOver(const Isotherm& iso, double lo, double hi, double sign);

// A root of R from d by Newton's method, kept within [lo, hi]: the last
// step's point, NaN where the slope vanishes. The proofs hold about any point;
// a root only makes them reach farther.
double NewtonRoot(const Isotherm& iso, double d, double lo, double hi);

// The far end of a NearRoot's reach is taken this share of the reach short of
// it, so that its distance from r, rounded, stays within the reach: the
// roundings of r +- h (2^-53 of r) and of the difference (2^-53 of h) stay
// below 1e-9 of h while h exceeds 2e-7 of r; on a narrower reach the end
// falls outside and proves nothing.
inline constexpr double kInnerSlack = 1e-9;

// About a point r, for |e| <= h:
//   |R(r + e)| >= |b0 + b1 e| - K e^2,  K = sum over j >= 2 of |b_j| h^(j - 2),
// and a delta formed from a volume in double is off by less than
// kDeltaSlack of itself, which moves R by less than its largest slope on the
// reach times kDeltaSlack (r + h).
class NearRoot {
 public:
  NearRoot(const Isotherm& iso, double r, double h) : x_(ExpandAt(iso, r)) { Reach(iso, h); }

  // Narrows the reach to h.
  void Reach(const Isotherm& iso, double h);

  double r() const { return x_.c; }
  double h() const { return h_; }
  double Slope() const { return x_.b[1]; }
  double Curvature() const { return k_; }

  // The residual's sign at delta d, |d - r| <= h: +1 or -1 where proven, else 0.
  double SignAt(double d) const {
    const double e = d - x_.c;
    if (!(std::fabs(e) <= h_)) return 0;
    const double linear = x_.b[0] + x_.b[1] * e;
    if (std::fabs(linear) - k_ * e * e > bound_) return linear > 0 ? 1 : -1;
    return 0;
  }

  // Whether the sign `sign` is proven for every e of the given sign of
  // direction with from <= |e| <= h (up to Inner): |b0 + b1 e| - K e^2 is
  // concave in |e|, so its least value there is at an end.
  bool ProvenBetween(double from, double direction, double sign) const {
    return SignAt(x_.c + direction * from) == sign && SignAt(Inner(direction)) == sign;
  }

  // The far end of the reach on one side, a hair inside it.
  double Inner(double direction) const { return x_.c + direction * h_ * (1 - kInnerSlack); }

  // The least |e| at which the linear part clears the bound.
  double Band() const { return 2 * (std::fabs(x_.b[0]) + bound_) / std::fabs(x_.b[1]); }

 private:
  Expansion x_;
  double h_ = 0;
  double k_ = 0;
  double bound_ = 0;
};

// How far from start towards end (volumes) the residual provably keeps the
// sign `sign` it has at start; 0 where nothing is proven.
double ProvenDistance(const Isotherm& iso, double start, double end, double sign);

// The number of walk steps after start, at most `most`, over which the
// residual provably keeps the sign it has at start.
int StepsKeepingSign(const Isotherm& iso, double start, double sign, double step, int most);

}  // namespace if97::detail::r3

#endif  // STEAMCALC_LIBRARY_REGION3_SIGN_PROOFS_H
