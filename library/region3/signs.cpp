// The signs the region-3 volume search asks for: the walk's, proven over
// stretches, and the bisection's midpoints', proven about the root
// (signs.h).
#include "region3/signs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#include "arith/search_steps.h"
#include "arith/stored.h"
#include "region3/isotherm.h"
#include "region3/sign_proofs.h"
#include "region3/walk_points.h"

namespace if97::detail::r3 {
namespace {

constexpr int kEvaluatedLimit = 64;   // points evaluated before the plain walk takes over
constexpr int kStepsBeforeProof = 8;  // points evaluated one by one before proving again

}  // namespace

std::optional<Bracket> ProvenWalk(const Isotherm& iso, double start, double step, int pairs) {
  if (!iso.Modelled() || !(start >= kFilterVolumeMin && start < WalkPoints::kHighest)) {
    return std::nullopt;
  }
  WalkPoints points(start, step);
  int k = 0;
  double x = start;
  double fx = iso.ResidualSign(x);
  int evaluated = 0;
  int since_proof = kStepsBeforeProof;
  while (fx > 0 || fx < 0) {
    if (since_proof >= kStepsBeforeProof) {
      since_proof = 0;
      const int skip = StepsKeepingSign(iso, x, fx > 0 ? 1 : -1, step, pairs - k);
      if (skip > 0) {
        k += skip;
        x = points.At(k);
        fx = fx > 0 ? 1 : -1;
        if (std::isnan(x)) break;
      }
    }
    if (k >= pairs || ++evaluated > kEvaluatedLimit) break;
    const double next = points.At(k + 1);
    if (std::isnan(next)) break;
    const double f_next = iso.ResidualSign(next);
    if (ext{fx} * f_next < 0) return Bracket{x, next, fx};
    ++k;
    ++since_proof;
    x = next;
    fx = f_next;
  }
  return std::nullopt;
}

void MidpointSigns::AddZone(double lo, double hi, double sign) {
  if (lo < hi && zone_count_ < kZones) zones_[zone_count_++] = {lo, hi, sign};
}

void MidpointSigns::AddModelZones() {
  const NearRoot& m = *model_;
  const double band = m.Band();
  if (!(band < m.h())) return;
  for (const double side : {-1.0, 1.0}) {
    const double sign = m.Slope() * side > 0 ? 1 : -1;
    const double v1 = VolumeOf(m.r() + side * band);
    const double v2 = VolumeOf(m.Inner(side));
    const double lo = std::min(v1, v2);
    const double hi = std::max(v1, v2);
    bool proven = true;
    for (const double v : {lo, hi}) {
      const double e = Delta(v) - m.r();
      proven = proven && e * side > 0 && std::fabs(e) <= m.h() && m.SignAt(Delta(v)) == sign;
    }
    if (proven) AddZone(lo, hi, sign);
  }
}

void MidpointSigns::AddTightZones() {
  const Isotherm::Tight& t = *tight_;
  if (!(t.slope != 0)) return;
  const ext reach = kTightReach * t.volume;
  const ext band = 2 * (std::fabs(t.value) + t.bound) / std::fabs(t.slope);
  if (!(band < reach)) return;
  for (const double side : {-1.0, 1.0}) {
    const double sign = t.slope * side > 0 ? 1 : -1;
    const double v1 = Stored(t.volume + side * band);
    const double v2 = Stored(t.volume + side * reach);
    const double lo = std::min(v1, v2);
    const double hi = std::max(v1, v2);
    bool proven = true;
    for (const double v : {lo, hi}) {
      const double e = v - t.volume;
      const ext linear = t.value + t.slope * e;
      proven = proven && e * side > 0 && std::fabs(e) <= reach && (linear > 0 ? 1 : -1) == sign &&
               std::fabs(linear) - t.curvature / 2 * e * e > t.bound;
    }
    if (proven) AddZone(lo, hi, sign);
  }
}

void MidpointSigns::Build(double lo, double hi) {
  double r = NewtonRoot(iso_, lo + (hi - lo) / 2, lo, hi);
  if (std::isnan(r)) r = lo + (hi - lo) / 2;
  model_.emplace(iso_, r, std::max(r - lo, hi - r));
  AddModelZones();
}

double MidpointSigns::Evaluated(double m, double A, double B) {
  for (std::size_t j = 0; j < kAhead; ++j) {
    if (ahead_[j] == m) return value_[j];
  }
  // m, then the next midpoint when A or when B moves to m, each unless
  // proven without the exact residual.
  std::array<double, kAhead> batch = {m, 0, 0};
  std::size_t count = 1;
  for (const double next : {Midpoint(m, B), Midpoint(A, m)}) {
    if (ProvenSign(next) == 0) batch[count++] = next;
  }
  ahead_ = Unset();
  if (count == 1) {
    ahead_[0] = m;
    value_[0] = iso_.Residual(m);
  } else if (count == 2) {
    Evaluate<2>(batch);
  } else {
    Evaluate<3>(batch);
  }
  return value_[0];
}

}  // namespace if97::detail::r3
