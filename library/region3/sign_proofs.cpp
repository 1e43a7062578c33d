// Proofs of the sign of the region-3 residual over stretches of volume, from
// Taylor expansions of its polynomial (sign_proofs.h).
#include "region3/sign_proofs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

#include "region3/isotherm.h"
#include "region3/walk_points.h"

namespace if97::detail::r3 {
namespace {

// ProvenDistance narrows the model's reach by kNarrowing, at most
// kMostNarrowings times (to 6e-8 of the distance to the root), until its
// curvature moves the slope by less than 1 / kSlopeShare of it over the reach.
constexpr double kNarrowing = 4;
constexpr int kMostNarrowings = 12;
constexpr double kSlopeShare = 4;

// ProvenDistance gives the distance to the proven stretch's end, near, this
// share of it short: the roundings of near's volume (a few units of 2^-53 of
// it) and of the distance stay inside, and near itself lies at Band(), twice
// the least distance from the root at which the linear part clears the bound.
constexpr double kDistanceSlack = 1e-12;

// A walk point is the last one plus the step, rounded below 2^-5 m3/kg to
// within 2^-59 m3/kg (2e-13 of the step): StepsKeepingSign counts steps of
// the step's size raised by 1e-9 of it, which the points never outrun, and
// ends its stretch that share below 2^-5 m3/kg, where the points' closed form
// (walk_points.h) ends.
constexpr double kStepSlack = 1e-9;
constexpr double kClosedFormMax = WalkPoints::kHighest;  // m3/kg

}  // namespace

double ProvenSignOver(const Isotherm& iso, double lo, double hi) {
  lo *= 1 - kDeltaSlack;
  hi *= 1 + kDeltaSlack;
  const double c = lo + (hi - lo) / 2;
  const double h = std::max(hi - c, c - lo);
  const Expansion x = ExpandAt(iso, c);
  const double least = std::fabs(x.b[0]) - h * Tail(x, 1, h);
  if (least > kProofMargin * iso.Magnitude(c + h)) return x.b[0] > 0 ? 1 : -1;
  return 0;
}

bool ProvenOver(const Isotherm& iso, double lo, double hi, double sign) {
  std::array<std::pair<double, double>, kProofPieces> pending;
  std::size_t count = 0;
  pending[count++] = {lo, hi};
  for (int budget = kProofPieces; count > 0; --budget) {
    const auto [a, b] = pending[--count];
    const double s = ProvenSignOver(iso, a, b);
    if (s == sign) continue;
    if (s != 0 || budget <= 1 || count + 2 > pending.size()) return false;
    const double middle = a + (b - a) / 2;
    pending[count++] = {middle, b};
    pending[count++] = {a, middle};
  }
  return true;
}

double NewtonRoot(const Isotherm& iso, double d, double lo, double hi) {
  const Isotherm::Coefficients& a = iso.Poly();
  for (int i = 0; i < kNewtonSteps; ++i) {
    double r = a[Isotherm::kDegree];
    double dr = 0;
    for (int j = Isotherm::kDegree - 1; j >= 0; --j) {
      dr = dr * d + r;
      r = r * d + a[j];
    }
    if (!(dr != 0)) break;
    const double next = std::clamp(d - r / dr, lo, hi);
    if (std::fabs(next - d) <= kNewtonTolerance * d) return next;
    d = next;
  }
  return d;
}

void NearRoot::Reach(const Isotherm& iso, double h) {
  h_ = h;
  k_ = Tail(x_, 2, h);
  // |R'| on the reach is below |b1| + 12 K h: R has degree 12.
  bound_ = kProofMargin * iso.Magnitude(x_.c + h) +
           (std::fabs(x_.b[1]) + Isotherm::kDegree * k_ * h) * kDeltaSlack * (x_.c + h);
}

// The model's root ahead is found by Newton's method, the stretch before it
// proven by the expansion about that root, and what lies between start and
// that stretch in pieces.
double ProvenDistance(const Isotherm& iso, double start, double end, double sign) {
  const double d_start = Delta(start);
  const double d_end = Delta(end);
  const double lo = std::min(d_start, d_end);
  const double hi = std::max(d_start, d_end);
  const double r = NewtonRoot(iso, d_start, lo, hi);
  if (std::isnan(r) || r == d_end) {
    // No root ahead within the walk: all of it, if it can be shown.
    return ProvenOver(iso, lo, hi, sign) ? std::fabs(end - start) : 0;
  }
  const double back = d_start > r ? 1 : -1;  // from the root towards start, in delta
  double h = std::fabs(d_start - r);
  NearRoot model(iso, r, h);
  for (int i = 0;
       i < kMostNarrowings && model.Curvature() * h > std::fabs(model.Slope()) / kSlopeShare; ++i) {
    h /= kNarrowing;
    model.Reach(iso, h);
  }
  const double band = model.Band();
  if (!(band < h) || !model.ProvenBetween(band, back, sign)) return 0;
  const double far = model.Inner(back);  // the stretch's end towards start
  if (far != d_start && !ProvenOver(iso, std::min(d_start, far), std::max(d_start, far), sign)) {
    return 0;
  }
  const double near = VolumeOf(r + back * band);
  return std::max(0.0, std::fabs(near - start) * (1 - kDistanceSlack));
}

int StepsKeepingSign(const Isotherm& iso, double start, double sign, double step, int most) {
  if (most <= 0) return 0;
  const double size = std::fabs(step) * (1 + kStepSlack);
  double end = start + (step > 0 ? 1 : -1) * most * size;
  end = std::clamp(end, kFilterVolumeMin, kClosedFormMax * (1 - kStepSlack));
  if (end == start) return 0;
  const double proven = ProvenDistance(iso, start, end, sign);
  return static_cast<int>(std::min<double>(most, std::floor(proven / size)));
}

}  // namespace if97::detail::r3
