// Region 3 (near-critical states): IAPWS-IF97 basic equation, dimensionless
// Helmholtz free energy phi(delta, tau), eq. 28, and the search for the
// specific volume of a state given by pressure and temperature.
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include "tables/basic_equations.h"
#include "forward/boundaries.h"
#include <if97/if97.h>
#include <if97/if97_messages.h>
#include "arith/powers.h"
#include "arith/stored.h"
#include "region3/walk_points.h"

namespace if97 {
namespace {

using detail::AsDoubles, detail::Exponents, detail::ext, detail::PowerTable, detail::Products,
    detail::Stored;
using region3::I, region3::J, region3::n, region3::n1, region3::kRhoStar, region3::kTStar;

// Volume search.
constexpr double kLiquidStartTemperature = 350;  // degC
constexpr double kWalkStep = 0.00001;            // m3/kg
constexpr int kWalkLimit = 10000;                // steps
constexpr double kBisectionTolerance = 1e-13;    // relative width of the bracket
constexpr int kBisectionLimit = 100000;          // halvings
constexpr double kWideEnough = kBisectionTolerance * (1 + 1e-9);
constexpr double kSaturationSnap = 1e-14;        // relative to t in degC
constexpr double kOrderingTemperatureMax = 1e6;  // degC, |t| below which the snap is
                                                 // within the ordering's margin
constexpr double kLiquidStartChecked = 16.6;     // MPa, TS_P = 350.6 degC


// The powers each sum reads.
constexpr Exponents kDeltaPhiDeltaDelta = Exponents{}.With(I, -1);  // delta^(I - 1)
constexpr Exponents kTauJ = Exponents{}.With(J);                    // tau^J
constexpr Exponents kDeltaI = Exponents{}.With(I);                  // delta^I
constexpr Exponents kTauJMinus1 = Exponents{}.With(J, -1);          // tau^(J - 1)

constexpr auto kIN = Products(I, n);  // I_i n_i
constexpr auto kINd = [] {            // the same in double
  std::array<double, std::size(n)> d{};
  for (std::size_t i = 0; i < std::size(n); ++i) d[i] = static_cast<double>(kIN[i]);
  return d;
}();
constexpr auto kI = AsDoubles(I);  // I_i
// For each term, the roundings that its power of delta carries (I - 2 from
// the successive products, one for the reciprocal, at least one counted) and
// the effect of delta's own rounding (I); and I (I + 1), the factor of its
// second derivative in v.
constexpr auto kRoundingWeight = [] {
  std::array<double, std::size(n)> w{};
  for (std::size_t i = 0; i < std::size(n); ++i) w[i] = std::max(I[i] - 2, 1) + I[i];
  return w;
}();
constexpr auto kCurvatureWeight = [] {
  std::array<double, std::size(n)> w{};
  for (std::size_t i = 0; i < std::size(n); ++i) w[i] = I[i] * (I[i] + 1);
  return w;
}();
constexpr auto kJ = AsDoubles(J);  // J_i

// Table 32: delta phi_delta = delta (n1 / delta + sum I_i n_i delta^(I_i - 1) tau^J_i);
// the terms with I = 0 form a reciprocal power that their factor I = 0 removes.
double DeltaPhiDelta(double delta, const PowerTable<kTauJ>& tau) {
  const PowerTable<kDeltaPhiDeltaDelta> d(delta);
  double sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum = Stored(sum + kIN[i] * d[I[i] - 1] * tau[J[i]]);
  }
  return Stored(ext{delta} * (n1 / ext{delta} + sum));
}

double DeltaOfVolume(double v) { return Stored((1 / ext{v}) / kRhoStar); }

// tau as the pressure term forms it: from t in extended precision, without
// storing T first.
double TauOfTemperature(double t) { return Stored(kTStar / (ext{t} + kKelvinOffset)); }

// ---- the volume search -------------------------------------------------------
//
// The search at one (p, t) evaluates the residual F3_VT at thousands of trial
// volumes. What does not depend on the volume is formed once: tau and its
// powers, and the two factors of the ideal-gas term. Every value is still the
// one the residual formed from scratch would give.
//
// The walk and the bisection look only at the sign of F3_VT (a product of two
// residuals against zero), and their results depend on nothing else: the walk
// on the first step at which the sign changes, the bisection on the sign at
// each midpoint. Below, those signs are proven wherever bounds allow, over
// whole stretches of the walk and for most midpoints, and the exact residual
// is formed only where no bound decides. Far from a root a plain double
// evaluation with a bound on its difference from the exact residual settles
// the sign (the filter). That bound: the exact residual and the plain one each differ from the true
// value by less than 70 units of the double rounding (2^-53) of the sum of
// the magnitudes of its parts (the delta powers up to the 10th with their
// roundings, 39 accumulations, the last few operations), so from each other
// by less than 140 units; the margin below is 1024 units, so a sign it
// accepts is the exact residual's sign. It is used only for volumes and
// temperatures at which neither evaluation can overflow, divide by zero or
// meet an invalid operation, so the floating-point flags are those of the
// exact evaluation as well.

constexpr int kHighestI = 11;          // the largest I of Table 30
constexpr int kTerms = 40;             // of Table 30
constexpr double kTightReach = 1e-9;   // relative to the volume
constexpr double kReachSlack = 1.001;  // the bound's growth within that reach
constexpr double kFilterMargin = 1024 * std::numeric_limits<double>::epsilon() / 2;
constexpr double kFilterVolumeMin = 1e-4;       // m3/kg, delta below 31
constexpr double kFilterVolumeMax = 1;          // m3/kg, delta above 0.003
constexpr double kFilterPressureMax = 1e4;      // MPa
constexpr double kFilterTemperatureMin = -200;  // degC, tau below 8.7
constexpr double kFilterTemperatureMax = 1e4;   // degC, tau above 0.06

class Isotherm {
 public:
  Isotherm(double p, double t)
      : tau_(TauOfTemperature(t)),
        tau_powers_(tau_),
        pressure_(ext{p} * 1000),
        gas_((ext{t} + kKelvinOffset) * kGasConstant),
        filter_(p > 0 && p < kFilterPressureMax && t > kFilterTemperatureMin &&
                t < kFilterTemperatureMax) {
    if (!filter_) return;
    pressure_d_ = p * 1000;
    gas_d_ = (t + kKelvinOffset) * kGasConstant;
    ideal_factor_ = pressure_d_ / gas_d_;
    // The terms grouped by I; those with I = 0 add nothing (their factor I is 0)
    // and the slot of delta^1 is n1's.
    for (std::size_t i = 0; i < std::size(n); ++i) {
      const double c = static_cast<double>(I[i]) * n[i] * tau_powers_[J[i]];
      poly_[I[i] + 1] += c;
      poly_magnitude_[I[i] + 1] += std::fabs(c);
    }
    poly_[0] = -ideal_factor_ / kRhoStar;
    poly_[1] = n1;
    poly_magnitude_[0] = std::fabs(poly_[0]);
    poly_magnitude_[1] = std::fabs(n1);
  }

  // Residual of the equation of state p = rho R T delta phi_delta (IAPWS-IF97
  // Table 31) for a trial volume v; zero at the state's volume.
  double F3_VT(double v) const {
    const double z = DeltaPhiDelta(DeltaOfVolume(v), tau_powers_);
    return Stored(ext{z} - ext{v} * pressure_ / gas_);
  }

  // F3_VT at several volumes at once: for each the same operations as
  // F3_VT, with the chains of roundings of the sums interleaved so that the
  // processor overlaps them.
  template <std::size_t N>
  void F3Batch(const std::array<double, N>& v, std::array<double, N>& out) const {
    std::array<double, N> delta;
    for (std::size_t j = 0; j < N; ++j) delta[j] = DeltaOfVolume(v[j]);
    const auto powers = [&]<std::size_t... j>(std::index_sequence<j...>) {
      return std::array<PowerTable<kDeltaPhiDeltaDelta>, N>{
          PowerTable<kDeltaPhiDeltaDelta>(delta[j])...};
    }
    (std::make_index_sequence<N>{});
    std::array<double, N> sum{};
    for (std::size_t i = 0; i < std::size(n); ++i) {
      const ext factor = kIN[i];
      const double tau = tau_powers_[J[i]];
      for (std::size_t j = 0; j < N; ++j) {
        sum[j] = Stored(sum[j] + factor * powers[j][I[i] - 1] * tau);
      }
    }
    for (std::size_t j = 0; j < N; ++j) {
      const double z = Stored(ext{delta[j]} * (n1 / ext{delta[j]} + sum[j]));
      out[j] = Stored(ext{z} - ext{v[j]} * pressure_ / gas_);
    }
  }

  // ---- the residual beside its root, in extended precision -------------------
  //
  // Near the root the filter's margin is wide against what the exact residual
  // can actually be off. The exact residual at a volume m, before its last
  // rounding (which keeps the sign), differs from the true value of the
  // equation (real delta = 1 / (m rho*), the same tau powers and factors) by
  // less than
  //   u [delta sum_i |s_i| + delta sum_i (r_i + I_i) |t_i| + |z|] + 4 u' [|n1| + delta sum_i |t_i|
  //   + |w|],
  // u = 2^-53 (1 + 2^-9) and u' = 2^-64: s_i are the partial sums (one
  // rounding each), t_i the terms, whose powers delta^(I_i - 1) carry r_i
  // roundings (I_i - 2 from the successive products, 1 for the reciprocal),
  // I_i |t_i| the effect of delta's own rounding, z the pressure term and w
  // the ideal-gas term. Evaluated once in extended precision at a volume v near
  // the root, with the slope there, that bound holds (inflated by kReachSlack)
  // for every m within kTightReach of v, where the second derivative, bounded
  // by its magnitudes, adds at most curvature e^2 / 2.

  struct Tight {
    double volume;
    ext value;
    ext slope;
    ext curvature;  // largest |second derivative| near the volume
    ext bound;
  };

  Tight TightAt(double v) const {
    const ext delta = (1 / ext{v}) / kRhoStar;
    const double delta_d = Stored(delta);
    ext powers[kHighestI + 1];  // delta^(k - 1), k = 0..11
    double powers_d[kHighestI + 1];
    powers[0] = 1 / delta;
    powers[1] = 1;
    powers_d[0] = 1 / delta_d;
    powers_d[1] = 1;
    for (int k = 2; k <= kHighestI; ++k) {
      powers[k] = powers[k - 1] * delta;
      powers_d[k] = powers_d[k - 1] * delta_d;
    }
    // The value in extended precision; the bounds and the slope need far less
    // and are summed in double beside it.
    ext sum = 0;
    double partial = 0;
    double partials = 0;
    double terms = 0;
    double roundings = 0;
    double slope_sum = 0;
    double curvature_sum = 0;
    for (std::size_t i = 0; i < std::size(n); ++i) {
      sum += kIN[i] * powers[I[i]] * tau_powers_[J[i]];
      const double t = kINd[i] * powers_d[I[i]] * tau_powers_[J[i]];
      const double a = std::fabs(t);
      partial += t;
      partials += std::fabs(partial);
      terms += a;
      roundings += kRoundingWeight[i] * a;
      slope_sum += kI[i] * t;
      curvature_sum += kCurvatureWeight[i] * a;
    }
    const ext w = ext{v} * pressure_ / gas_;
    const ext z = n1 + delta * sum;
    constexpr double kU = 0x1p-53 * (1 + 0x1p-9);
    constexpr double kUExt = 0x1p-62;
    // Above the partial sums in double: their own rounding, and the terms' in
    // double against those in extended precision.
    const double spread = 4 * kTerms * kTerms * kU * terms;
    const double zd = Stored(z);
    const double wd = Stored(w);
    const double bound = kU * (delta_d * (partials + spread + roundings) + std::fabs(zd)) +
                         kUExt * (std::fabs(n1) + delta_d * terms + wd);
    return {v, z - w, -(delta_d / v) * slope_sum - ideal_factor_,
            delta_d * curvature_sum / (v * v) * kReachSlack, bound * kReachSlack * kReachSlack};
  }

  // A number with the sign of F3_VT(v) (negative, zero, positive or NaN): -1
  // or +1 where the plain evaluation settles it, else F3_VT(v) itself.
  double F3Sign(double v) const {
    const double filtered = FilteredSign(v);
    return filtered != 0 ? filtered : F3_VT(v);
  }

  // The filter alone: -1 or +1 where it settles the sign, else 0.
  double FilteredSign(double v) const {
    if (filter_ && v >= kFilterVolumeMin && v <= kFilterVolumeMax) {
      const double delta = 1 / v / kRhoStar;
      // sum_k c_k delta^(k - 1), k = 1..11, and the same of the magnitudes.
      double sum = poly_[kDegree];
      double magnitude = poly_magnitude_[kDegree];
      for (int k = kHighestI - 1; k >= 1; --k) {
        sum = sum * delta + poly_[k + 1];
        magnitude = magnitude * delta + poly_magnitude_[k + 1];
      }
      const double ideal = v * pressure_d_ / gas_d_;
      const double f = (n1 + delta * sum) - ideal;
      const double bound = kFilterMargin * (delta * magnitude + std::fabs(n1) + ideal);
      if (f > bound) return 1;
      if (f < -bound) return -1;
    }
    return 0;
  }

  // ---- the residual as a polynomial ------------------------------------------
  //
  // Times delta = 1 / (v rho*), the residual is a polynomial of degree 12,
  //   R(delta) = -p / (R T rho*) + n1 delta + sum_k c_k delta^(k + 1),
  // c_k = sum over I_i = k of I_i n_i tau^J_i, with the residual's sign. The
  // polynomial with the magnitudes of the coefficients, Mp(delta), is delta
  // times the sum of the magnitudes of the residual's parts, so where the
  // filter may be used the exact residual's sign is R's wherever |R| exceeds
  // the filter's margin times Mp.

  static constexpr int kDegree = kHighestI + 1;
  using Coefficients = std::array<double, kDegree + 1>;

  bool Modelled() const { return filter_; }
  const Coefficients& Poly() const { return poly_; }

  // Mp(delta), for delta > 0.
  double Magnitude(double delta) const {
    double m = poly_magnitude_[kDegree];
    for (int j = kDegree - 1; j >= 0; --j) m = m * delta + poly_magnitude_[j];
    return m;
  }

 private:
  double tau_;
  PowerTable<kTauJ> tau_powers_;
  ext pressure_;  // p in kPa
  ext gas_;       // R T
  // The sign filter: whether it may be used at this (p, t); plain double
  // copies of the two factors.
  bool filter_;
  double pressure_d_ = 0;
  double gas_d_ = 0;
  double ideal_factor_ = 0;        // p / (R T), per m3/kg
  Coefficients poly_{};            // R's coefficients, by power of delta
  Coefficients poly_magnitude_{};  // Mp's
};

// ---- the walk ---------------------------------------------------------------
// (its points: walk_points.h)

using detail::WalkPoints;
constexpr double kClosedFormMax = WalkPoints::kHighest;
constexpr int kProofPieces = 48;  // expansions to prove one stretch
constexpr int kNewtonSteps = 40;
constexpr double kNewtonTolerance = 1e-12;  // relative; well within kTightReach

// ---- proving signs on the polynomial ----------------------------------------
//
// R's Taylor coefficients about c, R(c + e) = sum_j b_j e^j, are formed in
// double. Each differs from the exact one by less than kShiftError times the
// coefficient of the same expansion of Mp, so over |e| <= h their errors
// together stay below kShiftError Mp(c + h). A proof must clear the filter's
// margin and that error, both times Mp at the largest delta involved; deltas
// formed from volumes in double are widened by kDeltaSlack to cover their
// rounding.

constexpr double kShiftError = 64 * std::numeric_limits<double>::epsilon();
constexpr double kProofMargin = kFilterMargin * 1.001 + kShiftError;
constexpr double kDeltaSlack = 8 * std::numeric_limits<double>::epsilon();

double Delta(double v) { return 1 / v / kRhoStar; }
double VolumeOf(double delta) { return 1 / delta / kRhoStar; }

struct Expansion {
  double c;
  Isotherm::Coefficients b;
};

Expansion ExpandAt(const Isotherm& iso, double c) {
  Expansion x{c, iso.Poly()};
  constexpr int kN = Isotherm::kDegree;
  for (int k = 0; k < kN; ++k) {
    for (int i = kN - 1; i >= k; --i) x.b[i] += c * x.b[i + 1];
  }
  return x;
}

// sum over j >= from of |b_j| h^(j - from).
double Tail(const Expansion& x, int from, double h) {
  double t = std::fabs(x.b[Isotherm::kDegree]);
  for (int j = Isotherm::kDegree - 1; j >= from; --j) t = t * h + std::fabs(x.b[j]);
  return t;
}

// The residual's sign on every volume whose delta lies in [lo, hi], +1 or -1,
// where R's expansion about the middle proves it; 0 where it does not.
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

// The same over [lo, hi] in pieces, each failed one halved, at most
// kProofPieces expansions in all: whether the sign `sign` is proven on all of
// it.
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

// A root of R from d by Newton's method, kept within [lo, hi]: the last
// step's point, NaN where the slope vanishes. The proofs hold about any point;
// a root only makes them reach farther.
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

// About a point r, for |e| <= h:
//   |R(r + e)| >= |b0 + b1 e| - K e^2,  K = sum over j >= 2 of |b_j| h^(j - 2),
// and a delta formed from a volume in double is off by less than
// kDeltaSlack of itself, which moves R by less than its largest slope on the
// reach times kDeltaSlack (r + h).
class NearRoot {
 public:
  NearRoot(const Isotherm& iso, double r, double h) : x_(ExpandAt(iso, r)) { Reach(iso, h); }

  // Narrows the reach to h.
  void Reach(const Isotherm& iso, double h) {
    h_ = h;
    k_ = Tail(x_, 2, h);
    // |R'| on the reach is below |b1| + 12 K h.
    bound_ = kProofMargin * iso.Magnitude(x_.c + h) +
             (std::fabs(x_.b[1]) + 12 * k_ * h) * kDeltaSlack * (x_.c + h);
  }

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
  // direction with from <= |e| <= h (up to Inner): |b0 + b1 e| - K e^2 is concave in |e|,
  // so its least value there is at an end.
  bool ProvenBetween(double from, double direction, double sign) const {
    return SignAt(x_.c + direction * from) == sign && SignAt(Inner(direction)) == sign;
  }

  // The far end of the reach on one side, a hair inside it so that its
  // distance from r, rounded, stays within the reach.
  double Inner(double direction) const { return x_.c + direction * h_ * (1 - 1e-9); }

  // The least |e| at which the linear part clears the bound.
  double Band() const { return 2 * (std::fabs(x_.b[0]) + bound_) / std::fabs(x_.b[1]); }

 private:
  Expansion x_;
  double h_ = 0;
  double k_ = 0;
  double bound_ = 0;
};

// ---- the walk, proven ------------------------------------------------------------

// How far from start towards end (volumes) the residual provably keeps the
// sign `sign` it has at start: the model's root ahead is found by Newton's
// method, the stretch before it proven by the expansion about that root, and
// what lies between start and that stretch in pieces. 0 where nothing is
// proven.
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
  for (int i = 0; i < 12 && model.Curvature() * h > std::fabs(model.Slope()) / 4; ++i) {
    h /= 4;
    model.Reach(iso, h);
  }
  const double band = model.Band();
  if (!(band < h) || !model.ProvenBetween(band, back, sign)) return 0;
  const double far = model.Inner(back);  // the stretch's end towards start
  if (far != d_start && !ProvenOver(iso, std::min(d_start, far), std::max(d_start, far), sign)) {
    return 0;
  }
  const double near = VolumeOf(r + back * band);
  return std::max(0.0, std::fabs(near - start) * (1 - 1e-12));
}

// The number of walk steps after start, at most `most`, over which the
// residual provably keeps the sign it has at start.
int StepsKeepingSign(const Isotherm& iso, double start, double sign, double step, int most) {
  if (most <= 0) return 0;
  const double size = std::fabs(step) * (1 + 1e-9);
  double end = start + (step > 0 ? 1 : -1) * most * size;
  end = std::clamp(end, kFilterVolumeMin, kClosedFormMax * (1 - 1e-9));
  if (end == start) return 0;
  const double proven = ProvenDistance(iso, start, end, sign);
  return static_cast<int>(std::min<double>(most, std::floor(proven / size)));
}

enum class Walked { kFound, kUnsure };

constexpr int kEvaluatedLimit = 64;   // points evaluated before the plain walk takes over
constexpr int kStepsBeforeProof = 8;  // points evaluated one by one before proving again

// The walk from start: the first pair of points x_k, x_(k+1), k < pairs, whose
// signs of F3_VT differ, as the plain walk finds it. The polynomial proves
// how many steps keep the start's sign (up to a step or two before the root,
// as a rule); from there the points are evaluated one by one, with a new
// proof every few points. sign_a has the sign of F3Sign at a. kUnsure, with
// nothing shown, where the proofs do not apply, the walk would reach its end
// or a point is not of one sign; the plain walk then decides.
Walked QuickWalk(const Isotherm& iso, double start, double step, int pairs, double& a, double& b,
                 double& sign_a) {
  if (!iso.Modelled() || !(start >= kFilterVolumeMin && start < kClosedFormMax)) {
    return Walked::kUnsure;
  }
  WalkPoints points(start, step);
  int k = 0;
  double x = start;
  double fx = iso.F3Sign(x);
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
    const double f_next = iso.F3Sign(next);
    if (ext{fx} * f_next < 0) {
      a = x;
      b = next;
      sign_a = fx;
      return Walked::kFound;
    }
    ++k;
    ++since_proof;
    x = next;
    fx = f_next;
  }
  return Walked::kUnsure;
}

// Walks from start in fixed steps until F3_VT changes sign between a and b;
// sign_a is F3Sign at a. The walk's new point is the next step's start, so
// each point is evaluated once. False, without a message, when no sign change
// is met within the walk limit.
bool BOUNDS_KR(const Isotherm& iso, double start, double step, double& a, double& b,
               double& sign_a) {
  if (QuickWalk(iso, start, step, kWalkLimit, a, b, sign_a) == Walked::kFound) return true;
  double x = start;
  double fx = iso.F3Sign(x);
  for (int i = 1;; ++i) {
    a = x;
    const double fa = fx;
    x = Stored(ext{a} + step);
    fx = iso.F3Sign(x);
    if (i > kWalkLimit) return false;
    if (ext{fa} * fx < 0) {
      b = x;
      sign_a = fa;
      return true;
    }
  }
}

// ---- the bisection -------------------------------------------------------------
//
// The bisection's path depends only on the signs at its midpoints. Once the
// bracket is narrow, R's expansion about its root (a few Newton steps) proves
// the sign of the midpoints outside the filter's band about the root, the
// bound in extended precision (Isotherm::Tight) those outside the much
// narrower band of the exact residual's own error, and only the midpoints
// within that are evaluated exactly, two passes ahead at a time.

constexpr double kModelWidth = 0.01;  // relative width of the bracket the model is built on

class MidpointSigns {
 public:
  explicit MidpointSigns(const Isotherm& iso) : iso_(iso) {}

  // A number with the sign of F3_VT(m) (see F3Sign); A and B bracket m.
  double At(double m, double A, double B) {
    if (const double zoned = ZoneSign(m); zoned != 0) return zoned;
    if (!model_ && iso_.Modelled()) {
      const double lo = std::min(A, B);
      const double hi = std::max(A, B);
      if (lo >= kFilterVolumeMin && hi <= kFilterVolumeMax && hi - lo <= kModelWidth * lo) {
        Build(Delta(hi) * (1 - kDeltaSlack), Delta(lo) * (1 + kDeltaSlack));
      }
    }
    if (!model_) return iso_.F3Sign(m);
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

  void AddZone(double lo, double hi, double sign) {
    if (lo < hi && zone_count_ < kZones) zones_[zone_count_++] = {lo, hi, sign};
  }

  void AddModelZones() {
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

  void AddTightZones() {
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

  void Build(double lo, double hi) {
    double r = NewtonRoot(iso_, lo + (hi - lo) / 2, lo, hi);
    if (std::isnan(r)) r = lo + (hi - lo) / 2;
    model_.emplace(iso_, r, std::max(r - lo, hi - r));
    AddModelZones();
  }

  // Within the band the bisection's next two passes are settled at once:
  // F3_VT at m and at the midpoints either outcome leads to next, evaluated
  // together, kept for the passes that ask for them.
  static constexpr std::size_t kAhead = 3;

  static std::array<double, kAhead> Unset() {
    std::array<double, kAhead> a;
    a.fill(std::numeric_limits<double>::quiet_NaN());
    return a;
  }

  double Evaluated(double m, double A, double B) {
    for (std::size_t j = 0; j < kAhead; ++j) {
      if (ahead_[j] == m) return value_[j];
    }
    const auto mid = [](double a, double b) { return Stored((ext{a} + b) / 2); };
    // m, then the next midpoint when A or when B moves to m, each unless
    // proven without the exact residual.
    std::array<double, kAhead> batch = {m, 0, 0};
    std::size_t count = 1;
    for (const double next : {mid(m, B), mid(A, m)}) {
      if (ProvenSign(next) == 0) batch[count++] = next;
    }
    ahead_ = Unset();
    if (count == 1) {
      ahead_[0] = m;
      value_[0] = iso_.F3_VT(m);
    } else if (count == 2) {
      Evaluate<2>(batch);
    } else {
      Evaluate<3>(batch);
    }
    return value_[0];
  }

  template <std::size_t N>
  void Evaluate(const std::array<double, kAhead>& batch) {
    std::array<double, N> v;
    std::array<double, N> f;
    std::copy_n(batch.begin(), N, v.begin());
    iso_.F3Batch(v, f);
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

// Stored((A + B) / 2). For positive A and B less than 2^10 apart the sum is
// exact in the extended type, so its one rounding is that of the sum in
// double, halved.
double Midpoint(double A, double B) {
  if (A > 0 && B > 0 && A < B * 0x1p10 && B < A * 0x1p10) return (A + B) * 0.5;
  return Stored((ext{A} + B) / 2);
}

// Bisection of [A, B] (either order) on F3_VT; sign_A is F3Sign at A, carried
// from the pass that set A. Without a sign change in the bracket every pass
// moves A, and the result is the end B.
double BISECT_KR(const Isotherm& iso, double A, double sign_A, double B) {
  MidpointSigns signs(iso);
  for (int i = 1;; ++i) {
    const double m = Midpoint(A, B);
    const double sign_m = signs.At(m, A, B);
    // The signs are +1, -1 or residuals, whose product cannot leave the
    // range of double: the same test in double.
    const bool moves_a = sign_A * sign_m >= 0;
    A = moves_a ? m : A;
    sign_A = moves_a ? sign_m : sign_A;
    B = moves_a ? B : m;
    if (i > kBisectionLimit) {
      ShowMessage(messages::kNoVolume);
      return FAILURE;
    }
    // The relative width in extended precision only where a plain estimate
    // (good to far better than kWideEnough) cannot rule out the tolerance.
    if (A + B > 0 && std::fabs(B - A) * 2 > kWideEnough * (A + B)) continue;
    const double e = Stored(std::fabs((ext{B} - A) * 2 / (ext{A} + B)));
    if (e < kBisectionTolerance) return Stored((ext{A} + B) / 2);
  }
}

// Regions 1 and 3 do not meet exactly on the 350 degC isotherm: from 350 to
// about 350.012 degC (at 19-25, 50-78 and 94-100 MPa) the region-3 volume
// lies a few parts in 1e5 below the region-1 volume at 350 degC, the start of
// the liquid-side search. Walking down from that start in the same steps
// finds it; the walk stays at positive volumes.
bool BracketBelow(const Isotherm& iso, double start, double& a, double& b, double& sign_a) {
  const int steps = static_cast<int>(std::min<double>(kWalkLimit, start / kWalkStep - 1));
  if (QuickWalk(iso, start, -kWalkStep, steps, a, b, sign_a) == Walked::kFound) return true;
  double x = start;
  double fx = iso.F3Sign(x);
  for (int i = 0; i < steps; ++i) {
    a = x;
    const double fa = fx;
    x = Stored(ext{a} - kWalkStep);
    fx = iso.F3Sign(x);
    if (ext{fa} * fx < 0) {
      b = x;
      sign_a = fa;
      return true;
    }
  }
  return false;
}

// The walks' starts depend on p alone. A temperature search at one pressure,
// and the three properties of one state, ask for them again and again, so
// each thread keeps the last pressure's. Only pressures at which neither
// start can show a message or raise a floating-point fault are kept.
constexpr double kKeptPressureMin = kLiquidStartChecked;  // MPa
constexpr double kKeptPressureMax = 100;                  // MPa

struct Starts {
  double p = std::numeric_limits<double>::quiet_NaN();
  std::optional<double> liquid;
  std::optional<double> vapour;
};

thread_local Starts last_starts;

bool Kept(double p) { return p >= kKeptPressureMin && p <= kKeptPressureMax; }

// The start of p kept in `field`, formed the first time it is asked for.
template <typename Form>
double KeptStart(double p, std::optional<double> Starts::*field, Form form) {
  if (!(last_starts.p == p)) last_starts = Starts{p, std::nullopt, std::nullopt};
  std::optional<double>& kept = last_starts.*field;
  if (!kept) kept = form();
  return *kept;
}

// The region-1 volume at 350 degC, where the liquid-side walk starts. From
// kLiquidStartChecked up, TS_P(p) lies above 350 degC, VW_PT's check holds and
// VW_PT is V1_PT.
double LiquidStart(double p) {
  const auto form = [p] { return V1_PT(p, kLiquidStartTemperature); };
  if (Kept(p)) return KeptStart(p, &Starts::liquid, form);
  return p >= kLiquidStartChecked ? form() : VW_PT(p, kLiquidStartTemperature);
}

// The region-2 volume at TB23 (K) taken as degrees Celsius, where the
// vapour-side walk starts.
double VapourStart(double p, double TB23) {
  const auto form = [p, TB23] { return VP_PT(p, TB23); };
  return Kept(p) ? KeptStart(p, &Starts::vapour, form) : form();
}

double NoBracket() {
  ShowMessage(messages::kNoVolumeBracket);
  return FAILURE;
}

// The liquid-side root: the first one met walking up from start, or, where
// that walk meets none, the first one below start. FAILURE after the walk's
// message.
double LiquidRoot(const Isotherm& iso, double start) {
  double a = 0;
  double b = 0;
  double sign_a = 0;
  if (BOUNDS_KR(iso, start, kWalkStep, a, b, sign_a) || BracketBelow(iso, start, a, b, sign_a)) {
    return BISECT_KR(iso, a, sign_a, b);
  }
  return NoBracket();
}

// The vapour-side root: the first one met walking down from start.
double VapourRoot(const Isotherm& iso, double start) {
  double a = 0;
  double b = 0;
  double sign_a = 0;
  if (BOUNDS_KR(iso, start, -kWalkStep, a, b, sign_a)) return BISECT_KR(iso, a, sign_a, b);
  return NoBracket();
}

// ---- saturated steam beside the critical point ----------------------------------
//
// Within about 3e-5 MPa below the critical pressure the vapour root and the
// middle root of the isotherm's loop lie closer together than one walk step,
// and the walk down from the vapour side steps over both onto the liquid
// root. There the loop is located from the shape of the isotherm instead:
// above the liquid root the residual falls to a minimum, rises to a maximum
// and falls for good, so its slope has one maximum (the inflection) between
// the two. The vapour root lies above the residual's maximum.
//
// From about 22.06399 MPa up, the saturation temperature of eq. 31 passes
// just outside the loop of the region-3 equation: the maximum stays below
// zero (the isotherm's pressure there falls short of p by less than 1e-9 MPa)
// and the vapour root does not exist. The saturated steam is then the state
// at that maximum, the vapour-side state nearest to p. It joins the vapour
// root where the two merge and closes on the critical volume towards the
// critical point.

constexpr double kLoopWidth = 4 * kWalkStep;  // m3/kg above the liquid root
constexpr double kGoldenSection = 0.38196601125010515;
constexpr double kSectionTolerance = 1e-12;  // relative width
constexpr double kSameRoot = 1e-9;           // relative, the walk's root is the vapour root

// v dF3/dv = -sum I_i^2 n_i delta^I_i tau^J_i - v p / (R T) along one
// isotherm, in extended precision; zero at the minimum and at the maximum of
// the loop. The factors I_i^2 n_i tau^J_i are formed once.
class VolumeSlope {
 public:
  VolumeSlope(double p, double t)
      : pressure_(ext{p} * 1000), gas_((ext{t} + kKelvinOffset) * kGasConstant) {
    const ext tau = TauOfTemperature(t);
    for (std::size_t i = 0; i < std::size(n); ++i) {
      ext tau_power = 1;
      for (int j = 0; j < J[i]; ++j) tau_power *= tau;
      factor_[i] = kIN[i] * I[i] * tau_power;
    }
  }

  ext operator()(double v) const {
    const ext delta = (1 / ext{v}) / kRhoStar;
    ext delta_power[kHighestI + 1];
    delta_power[0] = 1;
    for (int k = 1; k <= kHighestI; ++k) delta_power[k] = delta_power[k - 1] * delta;
    ext sum = 0;
    for (std::size_t i = 0; i < std::size(n); ++i) sum += factor_[i] * delta_power[I[i]];
    return -sum - ext{v} * pressure_ / gas_;
  }

 private:
  ext pressure_;  // p in kPa
  ext gas_;       // R T
  ext factor_[std::size(n)];
};

// Bisection of [lo, hi] for the sign change of a function positive at lo and
// negative at hi.
template <typename Function>
double FallingZero(Function f, double lo, double hi) {
  while (std::fabs((ext{hi} - lo) * 2 / (ext{hi} + lo)) >= kBisectionTolerance) {
    const double m = Stored((ext{lo} + hi) / 2);
    if (m == lo || m == hi) break;
    (f(m) > 0 ? lo : hi) = m;
  }
  return Stored((ext{lo} + hi) / 2);
}

// The saturated-steam volume at (p, t) on the line, given the liquid root and
// the root of the walk from the vapour side, which lies less than one walk
// step above the liquid root.
double SteamBesideCriticalPoint(const Isotherm& iso, double p, double t, double liquid,
                                double walked) {
  const VolumeSlope slope(p, t);
  const double top = Stored(ext{liquid} + kLoopWidth);
  if (!(iso.F3Sign(top) < 0 && slope(top) < 0)) return walked;
  // Golden section for the inflection.
  double lo = liquid;
  double hi = top;
  double x1 = Stored(lo + kGoldenSection * (ext{hi} - lo));
  double x2 = Stored(hi - kGoldenSection * (ext{hi} - lo));
  ext g1 = slope(x1);
  ext g2 = slope(x2);
  while ((ext{hi} - lo) / lo >= kSectionTolerance) {
    if (g1 < g2) {
      lo = x1;
      x1 = x2;
      g1 = g2;
      x2 = Stored(hi - kGoldenSection * (ext{hi} - lo));
      g2 = slope(x2);
    } else {
      hi = x2;
      x2 = x1;
      g2 = g1;
      x1 = Stored(lo + kGoldenSection * (ext{hi} - lo));
      g1 = slope(x1);
    }
  }
  const double inflection = g1 < g2 ? x2 : x1;
  // No loop above the liquid root: the walk's root is the only one.
  if (!(slope(inflection) > 0)) return walked;
  const double maximum = FallingZero([&](double v) { return slope(v); }, inflection, top);
  if (!(iso.F3_VT(maximum) > 0)) return maximum;
  const double steam = FallingZero([&](double v) { return iso.F3_VT(v); }, maximum, top);
  return std::fabs((ext{steam} - walked) / walked) < kSameRoot ? walked : steam;
}

// ---- enthalpy and entropy at a volume -----------------------------------------

struct Reduced {
  double delta;  // rho / rho*
  double T;      // K
  double tau;    // T* / T
};

// delta and tau at the liquid-side (k = 1) or vapour-side (k = 2) volume of
// the state; false when the volume search failed.
bool ReduceAtVolume(int k, double p, double t, Reduced& r) {
  double v1 = FAILURE;
  double v2 = FAILURE;
  VKR_PT(p, t, v1, v2);
  const double v = k == 2 ? v2 : v1;
  if (v == FAILURE) return false;
  r.delta = DeltaOfVolume(v);
  r.T = Stored(ext{t} + kKelvinOffset);
  r.tau = Stored(kTStar / ext{r.T});
  return true;
}

// Table 32: tau phi_tau = tau sum n_i delta^I_i J_i tau^(J_i - 1), summed in
// one loop with a second sum over the same terms (second(i) is its term i),
// each in its own order and with its own roundings, so that the processor
// overlaps the two chains. Returns tau phi_tau and the second sum.
template <typename Term>
std::pair<double, double> TauPhiTauWith(const Reduced& r, const PowerTable<kDeltaI>& delta,
                                        Term second) {
  const PowerTable<kTauJMinus1> tau(r.tau);
  double tau_sum = 0;
  double other = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    tau_sum = Stored(tau_sum + ext{n[i]} * delta[I[i]] * kJ[i] * tau[J[i] - 1]);
    other = Stored(other + second(i));
  }
  return {Stored(ext{r.tau} * tau_sum), other};
}

}  // namespace

double Z3_VT(double v, double t) {
  const double delta = DeltaOfVolume(v);
  const PowerTable<kTauJ> tau(TauOfTemperature(t));
  return DeltaPhiDelta(delta, tau);
}

// v1 is the liquid-side, v2 the vapour-side volume; they differ only on the
// saturation line. When no bracket around the volume is found both are
// FAILURE, after one message.
void VKR_PT(double p, double t, double& v1, double& v2) {
  // IAPWS-IF97 eq. 6. The vapour-side start is the region-2 volume at TB23
  // taken as degrees Celsius, well above every region-3 volume at p.
  const double TB23 = detail::TB23(p);
  const Isotherm iso(p, t);
  if (p > kCriticalPressure) {
    const double A = LiquidStart(p);
    const double B = VapourStart(p, TB23);
    double v = FAILURE;
    double sign_A = iso.F3Sign(A);
    if (ext{sign_A} * iso.F3Sign(B) < 0) {
      v = BISECT_KR(iso, A, sign_A, B);
    } else {
      // The region-3 volume below the region-1 volume at 350 degC (see
      // BracketBelow): bisect the step below A that holds it.
      double a = 0;
      double b = 0;
      v = BracketBelow(iso, A, a, b, sign_A) ? BISECT_KR(iso, a, sign_A, b) : NoBracket();
    }
    v1 = v;
    v2 = v;
    return;
  }
  // Off the line (farther than the snap can reach) the cheaper ordering
  // temperature orders t as TS_P(p) does.
  double ts = std::fabs(t) < kOrderingTemperatureMax ? detail::SaturationTemperatureToCompare(p, t)
                                                     : TS_P(p);
  if (std::fabs((ext{ts} - t) / t) < kSaturationSnap) ts = t;
  if (t == ts) {
    double vapour = VapourRoot(iso, VapourStart(p, TB23));
    const double liquid = vapour == FAILURE ? FAILURE : LiquidRoot(iso, LiquidStart(p));
    if (liquid != FAILURE && vapour < liquid + kWalkStep) {
      vapour = SteamBesideCriticalPoint(iso, p, t, liquid, vapour);
    }
    v1 = liquid;
    v2 = liquid == FAILURE ? FAILURE : vapour;
  } else if (t < ts) {
    const double v = LiquidRoot(iso, LiquidStart(p));
    v1 = v;
    v2 = v;
  } else if (t > ts) {
    const double v = VapourRoot(iso, VapourStart(p, TB23));
    v1 = v;
    v2 = v;
  }
}

// IAPWS-IF97 Table 31: h = R T (tau phi_tau + delta phi_delta).
double H3_PT(int k, double p, double t) {
  Reduced r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const PowerTable<kDeltaI> delta(r.delta);
  const PowerTable<kDeltaPhiDeltaDelta> d(r.delta);
  const PowerTable<kTauJ> tau(r.tau);
  const auto [tau_phi_tau, sum] =
      TauPhiTauWith(r, delta, [&](std::size_t i) { return kIN[i] * d[I[i] - 1] * tau[J[i]]; });
  // delta phi_delta as DeltaPhiDelta forms it.
  const double delta_phi_delta = Stored(ext{r.delta} * (n1 / ext{r.delta} + sum));
  return Stored(ext{r.T} * kGasConstant * (ext{tau_phi_tau} + delta_phi_delta));
}

// IAPWS-IF97 Table 31: s = R (tau phi_tau - phi).
double S3_PT(int k, double p, double t) {
  Reduced r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const PowerTable<kDeltaI> delta(r.delta);
  const PowerTable<kTauJ> tau(r.tau);
  const auto [tau_phi_tau, sum] =
      TauPhiTauWith(r, delta, [&](std::size_t i) { return ext{n[i]} * delta[I[i]] * tau[J[i]]; });
  const double phi = Stored(n1 * std::log(ext{r.delta}) + sum);
  return Stored((ext{tau_phi_tau} - phi) * kGasConstant);
}

}  // namespace if97
