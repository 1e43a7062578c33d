// Internal to the library: the signs the region-3 volume search asks for, at
// the walk's points and at the bisection's midpoints. Each answer has the sign
// of the exact residual (Isotherm::Residual) at that volume; it is proven
// wherever bounds allow (sign_proofs.h, Isotherm::TightAt, the filter), over
// whole stretches of the walk and for most midpoints, and the exact residual
// is formed only where no bound decides.
#ifndef STEAMCALC_LIBRARY_REGION3_SIGNS_H
#define STEAMCALC_LIBRARY_REGION3_SIGNS_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

#include "arith/stored.h"
#include "region3/isotherm.h"
#include "region3/sign_proofs.h"

namespace if97::detail::r3 {

// Two neighbouring points of a walk, a before b, whose residuals differ in
// sign; sign_a is a number with the sign of the residual at a.
struct Bracket {
  double a;
  double b;
  double sign_a;
};

// ---- the walk's signs ---------------------------------------------------------
//
// The walk from start: the first pair of points x_k, x_(k+1), k < pairs, whose
// residuals differ in sign, as the plain walk (x_(k+1) = Stored(x_k + step),
// the sign at each point from ResidualSign) finds it. The polynomial proves
// how many steps keep the start's sign (up to a step or two before the root,
// as a rule); from there the points are evaluated one by one, with a new
// proof every few points. Nothing, with nothing shown, where the proofs do not
// apply, the walk would reach its end or a point is not of one sign; the plain
// walk then decides.
std::optional<Bracket> ProvenWalk(const Isotherm& iso, double start, double step, int pairs);

// ---- the bisection's signs ------------------------------------------------------
//
// The bisection's path depends only on the signs at its midpoints. Once the
// bracket is narrow, R's expansion about its root (a few Newton steps) proves
// the sign of the midpoints outside the filter's band about the root, the
// bound in extended precision (Isotherm::Tight) those outside the much
// narrower band of the exact residual's own error, and only the midpoints
// within that are evaluated exactly, two passes ahead at a time.

inline constexpr double kModelWidth = 0.01;  // relative width of the bracket the model is built on

class MidpointSigns {
 public:
  explicit MidpointSigns(const Isotherm& iso) : iso_(iso) {}

  // A number with the sign of Residual(m) (see ResidualSign); A and B, the
  // bisection's ends, bracket m.
  double At(double m, double A, double B) {
    if (const double zoned = ZoneSign(m); zoned != 0) return zoned;
    if (!model_ && iso_.Modelled()) {
      const double lo = std::min(A, B);
      const double hi = std::max(A, B);
      if (lo >= kFilterVolumeMin && hi <= kFilterVolumeMax && hi - lo <= kModelWidth * lo) {
        Build(Delta(hi) * (1 - kDeltaSlack), Delta(lo) * (1 + kDeltaSlack));
      }
    }
    if (!model_) return iso_.ResidualSign(m);
    const double proven = ProvenSign(m);
    if (proven != 0) return proven;
    const double filtered = iso_.FilteredSign(m);
    if (filtered != 0) return filtered;
    return Evaluated(m, A, B);
  }

 private:
  // +1 or -1 where the models prove the sign at m, else 0.
  double ProvenSign(double m) {
    if (!tight_) {
      tight_ = iso_.TightAt(VolumeOf(model_->r()));
      AddTightZones();
    }
    if (const double zoned = ZoneSign(m); zoned != 0) return zoned;
    const double proven = model_->SignAt(Delta(m));
    if (proven != 0) return proven;
    const double e = m - tight_->volume;
    if (std::fabs(e) <= kTightReach * tight_->volume) {
      const ext linear = tight_->value + tight_->slope * e;
      if (std::fabs(linear) - tight_->curvature / 2 * e * e > tight_->bound) {
        return linear > 0 ? 1 : -1;
      }
    }
    return 0;
  }

  // The volumes on which a model proves one sign, as intervals, so that a
  // midpoint in them takes two comparisons. Each side of the model's root is
  // one interval; the bound there is concave in the distance from the root, so
  // proving it at the interval's two ends (as doubles) proves it between.
  struct Zone {
    double lo;
    double hi;
    double sign;
  };

  // The sign of the zone that holds m, else 0.
  double ZoneSign(double m) const {
    for (int i = 0; i < zone_count_; ++i) {
      if (m >= zones_[i].lo && m <= zones_[i].hi) return zones_[i].sign;
    }
    return 0;
  }

  void AddZone(double lo, double hi, double sign);
  void AddModelZones();
  void AddTightZones();
  void Build(double lo, double hi);

  // Within the band the bisection's next two passes are settled at once:
  // the residual at m and at the midpoints either outcome leads to next,
  // evaluated together, kept for the passes that ask for them.
  static constexpr std::size_t kAhead = 3;

  static std::array<double, kAhead> Unset() {
    std::array<double, kAhead> a;
    a.fill(std::numeric_limits<double>::quiet_NaN());
    return a;
  }

  double Evaluated(double m, double A, double B);

  template <std::size_t N>
  void Evaluate(const std::array<double, kAhead>& batch) {
    std::array<double, N> v;
    std::array<double, N> f;
    std::copy_n(batch.begin(), N, v.begin());
    iso_.ResidualBatch(v, f);
    std::copy_n(v.begin(), N, ahead_.begin());
    std::copy_n(f.begin(), N, value_.begin());
  }

  const Isotherm& iso_;
  std::optional<NearRoot> model_;
  std::optional<Isotherm::Tight> tight_;
  static constexpr int kZones = 4;
  std::array<Zone, kZones> zones_{};
  int zone_count_ = 0;
  std::array<double, kAhead> ahead_ = Unset();
  std::array<double, kAhead> value_{};
};

}  // namespace if97::detail::r3

#endif  // STEAMCALC_LIBRARY_REGION3_SIGNS_H
