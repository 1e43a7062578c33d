// Region 3 (near-critical states): IAPWS-IF97 basic equation, dimensionless
// Helmholtz free energy phi(delta, tau), eq. 28, and the search for the
// specific volume of a state given by pressure and temperature.
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

#include "basic_equations.h"
#include "boundaries.h"
#include "if97.h"
#include "powers.h"
#include "stored.h"

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
constexpr double kSaturationSnap = 1e-14;        // relative to t in degC
constexpr double kOrderingTemperatureMax = 1e6;  // degC, |t| below which the snap is
                                                 // within the ordering's margin
constexpr double kLiquidStartChecked = 16.6;     // MPa, TS_P = 350.6 degC

const char kNoBracket[] = "Невозможно определить границы в околокритической области VKR_PT";

// The powers each sum reads.
constexpr Exponents kDeltaPhiDeltaDelta = Exponents{}.With(I, -1);  // delta^(I - 1)
constexpr Exponents kTauJ = Exponents{}.With(J);                    // tau^J
constexpr Exponents kDeltaI = Exponents{}.With(I);                  // delta^I
constexpr Exponents kTauJMinus1 = Exponents{}.With(J, -1);          // tau^(J - 1)

constexpr auto kIN = Products(I, n);  // I_i n_i
constexpr auto kJ = AsDoubles(J);     // J_i

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
// residuals against zero). Far from a root that sign is settled by a plain
// double evaluation with a bound on its difference from the exact residual,
// so the exact residual is formed only where the bound cannot decide. The
// bound: the exact residual and the plain one each differ from the true
// value by less than 70 units of the double rounding (2^-53) of the sum of
// the magnitudes of its parts (the delta powers up to the 10th with their
// roundings, 39 accumulations, the last few operations), so from each other
// by less than 140 units; the margin below is 1024 units, so a sign it
// accepts is the exact residual's sign. It is used only for volumes and
// temperatures at which neither evaluation can overflow, divide by zero or
// meet an invalid operation, so the floating-point flags are those of the
// exact evaluation as well.

constexpr int kHighestI = 11;  // the largest I of Table 30
// k, k (k + 1) and k (k + 1) (k + 2): the factors of the first three
// derivatives of delta^k in v, up to the sign and the powers of 1 / v.
constexpr auto kOrder1 = [] {
  std::array<double, kHighestI + 1> f{};
  for (int k = 0; k <= kHighestI; ++k) f[k] = k;
  return f;
}();
constexpr auto kOrder2 = [] {
  std::array<double, kHighestI + 1> f{};
  for (int k = 0; k <= kHighestI; ++k) f[k] = k * (k + 1);
  return f;
}();
constexpr auto kOrder3 = [] {
  std::array<double, kHighestI + 1> f{};
  for (int k = 0; k <= kHighestI; ++k) f[k] = k * (k + 1) * (k + 2);
  return f;
}();
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
    for (std::size_t i = 0; i < std::size(n); ++i) {
      const double c = static_cast<double>(I[i]) * n[i] * tau_powers_[J[i]];
      coefficient_[I[i]] += c;
      magnitude_[I[i]] += std::fabs(c);
    }
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

  // A number with the sign of F3_VT(v) (negative, zero, positive or NaN): -1
  // or +1 where the plain evaluation settles it, else F3_VT(v) itself.
  double F3Sign(double v) const {
    if (filter_ && v >= kFilterVolumeMin && v <= kFilterVolumeMax) {
      const double delta = 1 / v / kRhoStar;
      double sum = coefficient_[kHighestI];
      double magnitude = magnitude_[kHighestI];
      for (int k = kHighestI - 1; k >= 1; --k) {
        sum = sum * delta + coefficient_[k];
        magnitude = magnitude * delta + magnitude_[k];
      }
      const double ideal = v * pressure_d_ / gas_d_;
      const double f = (n1 + delta * sum) - ideal;
      const double bound = kFilterMargin * (delta * magnitude + std::fabs(n1) + ideal);
      if (f > bound) return 1;
      if (f < -bound) return -1;
    }
    return F3_VT(v);
  }

  // ---- the plain model of the residual: proving signs without evaluating ----
  //
  // Where the filter may be used, the exact residual differs from the true
  // value of the equation by less than the filter's margin times the sum of
  // the magnitudes of its parts, and so does the plain evaluation below. A
  // lower bound on the true value's distance from zero that exceeds the
  // margin over a whole interval therefore fixes the exact residual's sign at
  // every volume in it, without forming any of them. The bounds come from a
  // Taylor expansion about one volume: value and slope there (each with its
  // error bound), and over the interval the largest second derivative and the
  // largest margin. Written in delta = 1 / (v rho*), the residual is
  //   n1 + sum_k c_k delta^k - v p / (R T),  c_k = sum over I_i = k of I_i n_i tau^J_i,
  // its slope in v is -sum_k k c_k delta^k / v - p / (R T) and its second
  // derivative sum_k k (k + 1) c_k delta^k / v^2.

  bool Modelled() const { return filter_; }

  struct Local {
    double value;
    double value_error;
    double slope;  // d/dv
    double slope_error;
    double curvature;  // d2/dv2
    double curvature_error;
  };

  Local LocalAt(double v) const {
    const double delta = 1 / v / kRhoStar;
    double power = 1;
    double s0 = 0;
    double s1 = 0;
    double s2 = 0;
    double m0 = 0;
    double m1 = 0;
    double m2 = 0;
    for (int k = 1; k <= kHighestI; ++k) {
      power *= delta;
      const double c = coefficient_[k] * power;
      const double m = magnitude_[k] * power;
      s0 += c;
      s1 += kOrder1[k] * c;
      s2 += kOrder2[k] * c;
      m0 += m;
      m1 += kOrder1[k] * m;
      m2 += kOrder2[k] * m;
    }
    const double ideal = v * ideal_factor_;
    const double w = 1 / v;
    return {(n1 + s0) - ideal,
            kFilterMargin * (m0 + std::fabs(n1) + ideal),
            -s1 * w - ideal_factor_,
            kFilterMargin * (m1 * w + ideal_factor_),
            s2 * w * w,
            kFilterMargin * m2 * w * w};
  }

  struct Spread {
    double second;  // the largest |second derivative| on the interval
    double third;   // the largest |third derivative| on the interval
    double margin;  // the largest margin on the interval
  };

  // Over [lo, hi], 0 < lo <= hi, both within the filter's volumes.
  Spread SpreadOver(double lo, double hi) const {
    constexpr double kSlack = 1.001;  // covers the rounding of these bounds
    const double delta = 1 / lo / kRhoStar * kSlack;
    double power = 1;
    double m0 = 0;
    double m2 = 0;
    double m3 = 0;
    for (int k = 1; k <= kHighestI; ++k) {
      power *= delta;
      const double m = magnitude_[k] * power;
      m0 += m;
      m2 += kOrder2[k] * m;
      m3 += kOrder3[k] * m;
    }
    const double w = 1 / lo * kSlack;
    return {m2 * w * w, m3 * w * w * w,
            kFilterMargin * (m0 + std::fabs(n1) + hi * ideal_factor_) * kSlack};
  }

 private:
  double tau_;
  PowerTable<kTauJ> tau_powers_;
  ext pressure_;  // p in kPa
  ext gas_;       // R T
  // The sign filter: whether it may be used at this (p, t); plain double
  // copies of the two factors; the sum grouped by I, coefficient_[k] = sum
  // over I_i = k of I_i n_i tau^J_i, and magnitude_ the same sum of magnitudes.
  bool filter_;
  double pressure_d_ = 0;
  double gas_d_ = 0;
  double ideal_factor_ = 0;  // p / (R T), per m3/kg
  double coefficient_[kHighestI + 1] = {};
  double magnitude_[kHighestI + 1] = {};
};

// ---- the walk ---------------------------------------------------------------
//
// The walk's points are x_0 = start, x_(k+1) = Stored(x_k + step). Below
// 2^-5 m3/kg the sum is exact in the extended type, so each step rounds it once
// to the grid of the doubles; within one binade that grid is fixed and a
// point of it plus the step rounds to the point plus the same multiple d of
// the grid's spacing. Hence x_k = x_K + (k - K) d within a binade, and any
// point is found without forming the ones before it. (Should the step lie
// exactly halfway between two grid points, the first rounding makes the point
// even and every later one keeps it even: d is then fixed from the second
// step on, which is why each run of points is checked on two steps.)

constexpr double kClosedFormMax = 0.03125;  // m3/kg, 2^-5

class WalkPoints {
 public:
  WalkPoints(double start, double step) : step_(step) { ok_ = Run(0, start); }

  // x_k, for k not below any k asked for before; NaN where the closed form
  // does not hold.
  double At(int k) {
    while (ok_ && k > last_) ok_ = Run(last_ + 1, Next(Point(last_)));
    return ok_ ? Point(k) : std::numeric_limits<double>::quiet_NaN();
  }

 private:
  double Next(double x) const { return Stored(ext{x} + step_); }
  double Point(int k) const { return Stored(ext{base_} + ext{d_} * (k - first_)); }

  // A run of points from x_k on.
  bool Run(int k, double x) {
    if (!(x >= kFilterVolumeMin && x < kClosedFormMax)) return false;
    double x1 = Next(x);
    const double x2 = Next(x1);
    if (x1 - x != x2 - x1) {
      ++k;
      x = x1;
      x1 = x2;
    }
    int exponent = 0;
    std::frexp(x, &exponent);  // x in [2^(exponent - 1), 2^exponent)
    const double spacing = std::ldexp(1.0, exponent - std::numeric_limits<double>::digits);
    const double d = x1 - x;
    const double room = d > 0 ? std::ldexp(1.0, exponent) - x : x - std::ldexp(1.0, exponent - 1);
    const double count = std::floor((room - 4 * spacing) / std::fabs(d)) - 1;
    first_ = k;
    base_ = x;
    d_ = d;
    last_ = k + static_cast<int>(std::clamp(count, 0.0, double{kWalkLimit}));
    return true;
  }

  double step_;
  bool ok_ = false;
  int first_ = 0;  // points first_..last_ are base_ + (k - first_) d_
  int last_ = 0;
  double base_ = 0;
  double d_ = 0;
};

constexpr double kSlopeKept = 0.9;  // of the slope at x, the most the piece may lose

// How far from x, at most `reach` along the walk, the residual provably keeps
// the sign `sign` (+1 or -1) it has at x; 0 where that cannot be shown.
//
// The slope keeps its sign as far as the largest second derivative allows, so
// the residual is monotonic over that piece. Where it grows away from zero
// along the walk its value at x bounds it on the whole piece; where it falls
// towards zero its value at the far end does, and when that end is past the
// root, a few Newton steps find the root inside the piece and the piece is
// shortened to stop a margin before it.
double DistanceKeepingSign(const Isotherm& iso, double x, double sign, double direction,
                           double reach) {
  const Isotherm::Local l = iso.LocalAt(x);
  const double slope = std::fabs(l.slope) - l.slope_error;  // least |slope| at x
  if (!(slope > 0) || !(reach > 0)) return 0;
  // The piece: |slope| stays above a tenth of its least value at x.
  // The largest |second derivative| on a piece of the given width: its value
  // at x and the largest third derivative there (walking down, that bound
  // grows as the piece reaches lower volumes).
  const double curvature = std::fabs(l.curvature) + l.curvature_error;
  const auto allowed = [&](double width) {
    const double third =
        (direction > 0 ? iso.SpreadOver(x, x + width) : iso.SpreadOver(x - width, x)).third;
    return kSlopeKept * slope / (curvature + third * width);
  };
  double width = std::min(reach, allowed(0));
  for (int i = 0; i < 8; ++i) {
    const double a = allowed(width);
    if (a >= width) break;
    width /= 2;
  }
  const double far_end = x + direction * width;
  const double lo = std::min(x, far_end);
  const double hi = std::max(x, far_end);
  const double margin = iso.SpreadOver(lo, hi).margin;
  if (!(sign * l.value - l.value_error > margin)) return 0;
  const bool falling = sign * direction * l.slope < 0;
  if (!falling) return width;
  Isotherm::Local e = iso.LocalAt(far_end);
  if (sign * e.value - e.value_error > margin) return width;
  // The root lies within the piece: stop short of it by the error band.
  double r = x;
  Isotherm::Local at = l;
  for (int i = 0; i < 6; ++i) {
    r = std::clamp(r - at.value / at.slope, lo, hi);
    at = iso.LocalAt(r);
    if (std::fabs(at.value) < at.value_error) break;
  }
  const double band = 4 * (margin + at.value_error) / slope;
  const double stop = r - direction * band;
  if (!(direction * (stop - x) > 0)) return 0;
  e = iso.LocalAt(stop);
  return sign * e.value - e.value_error > margin ? std::fabs(stop - x) : 0;
}

// The number of walk steps after x, at most `most`, over which the residual
// provably keeps the sign it has at x.
int StepsKeepingSign(const Isotherm& iso, double x, double sign, double step, int most) {
  if (most <= 0) return 0;
  const double size = std::fabs(step) * (1 + 1e-9);
  const double direction = step > 0 ? 1 : -1;
  const double reach =
      std::min(most * size, direction > 0 ? kClosedFormMax - x : x - kFilterVolumeMin);
  const double proven = DistanceKeepingSign(iso, x, sign, direction, reach);
  return static_cast<int>(std::min<double>(most, std::floor(proven * (1 - 1e-9) / size)));
}

enum class Walked { kFound, kUnsure };

constexpr int kEvaluatedLimit = 64;  // points evaluated before the plain walk takes over

// The walk from start: the first pair of points x_k, x_(k+1), k < pairs, whose
// signs of F3_VT differ, as the plain walk finds it. From each point the
// model proves how many steps keep its sign; only the points it cannot prove
// are evaluated. sign_a has the sign of F3Sign at a. kUnsure, with nothing
// shown, where the model does not apply, the walk would reach its end or a
// point is not of one sign; the plain walk then decides.
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
  while (fx > 0 || fx < 0) {
    const int skip = StepsKeepingSign(iso, x, fx > 0 ? 1 : -1, step, pairs - k);
    if (skip > 0) {
      k += skip;
      x = points.At(k);
      fx = fx > 0 ? 1 : -1;
      if (std::isnan(x)) break;
      continue;
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
// The bisection's path depends only on the signs at its midpoints. About a
// volume near the root (a few Newton steps on the plain model), the Taylor
// bounds prove the sign of every midpoint but those within the error band of
// the root, and only those are evaluated.

constexpr double kModelWidth = 0.01;  // relative width of the bracket the model is built on

class MidpointSigns {
 public:
  explicit MidpointSigns(const Isotherm& iso) : iso_(iso) {}

  // A number with the sign of F3_VT(m) (see F3Sign); A and B bracket m.
  double At(double m, double A, double B) {
    if (!built_) {
      const double lo = std::min(A, B);
      const double hi = std::max(A, B);
      if (iso_.Modelled() && lo >= kFilterVolumeMin && hi <= kFilterVolumeMax &&
          hi - lo <= kModelWidth * lo) {
        Build(lo, hi);
      }
    }
    if (built_) {
      const double h = m - centre_;
      const double a = std::fabs(h);
      const double estimate = local_.value + local_.slope * h + local_.curvature / 2 * h * h;
      const double error = local_.value_error + local_.slope_error * a +
                           local_.curvature_error / 2 * a * a + spread_.third / 6 * a * a * a;
      if (std::fabs(estimate) - error > spread_.margin) return estimate > 0 ? 1 : -1;
      return Evaluated(m, A, B);
    }
    return iso_.F3Sign(m);
  }

 private:
  // Within the band the bisection's next three passes are settled at once:
  // F3_VT at m and at the midpoints either outcome leads to next, evaluated
  // together, kept for the passes that ask for them.
  static constexpr std::size_t kAhead = 7;

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
    const double up = mid(m, B);    // next, when A moves to m
    const double down = mid(A, m);  // next, when B moves to m
    ahead_ = {m, up, down, mid(up, B), mid(m, up), mid(down, m), mid(A, down)};
    iso_.F3Batch(ahead_, value_);
    return value_[0];
  }

  void Build(double lo, double hi) {
    built_ = true;
    double x = lo + (hi - lo) / 2;
    Isotherm::Local l = iso_.LocalAt(x);
    for (int i = 0; i < 4 && std::fabs(l.value) > l.value_error && l.slope != 0; ++i) {
      x = std::clamp(x - l.value / l.slope, lo, hi);
      l = iso_.LocalAt(x);
    }
    centre_ = x;
    local_ = l;
    spread_ = iso_.SpreadOver(lo, hi);
  }

  const Isotherm& iso_;
  bool built_ = false;
  double centre_ = 0;
  Isotherm::Local local_{};
  Isotherm::Spread spread_{};
  std::array<double, kAhead> ahead_ = Unset();
  std::array<double, kAhead> value_{};
};

// Bisection of [A, B] (either order) on F3_VT; sign_A is F3Sign at A, carried
// from the pass that set A. Without a sign change in the bracket every pass
// moves A, and the result is the end B.
double BISECT_KR(const Isotherm& iso, double A, double sign_A, double B) {
  MidpointSigns signs(iso);
  for (int i = 1;; ++i) {
    const double m = Stored((ext{A} + B) / 2);
    const double sign_m = signs.At(m, A, B);
    if (ext{sign_A} * sign_m >= 0) {
      A = m;
      sign_A = sign_m;
    } else {
      B = m;
    }
    const double e = Stored(std::fabs((ext{B} - A) * 2 / (ext{A} + B)));
    if (i > kBisectionLimit) {
      ShowMessage("Невозможно определить удельный объем в околокритической области (VKR_PT)");
      return FAILURE;
    }
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

// The region-1 volume at 350 degC, where the liquid-side walk starts. From
// kLiquidStartChecked up, TS_P(p) lies above 350 degC, VW_PT's check holds and
// VW_PT is V1_PT.
double LiquidStart(double p) {
  return p >= kLiquidStartChecked ? V1_PT(p, kLiquidStartTemperature)
                                  : VW_PT(p, kLiquidStartTemperature);
}

double NoBracket() {
  ShowMessage(kNoBracket);
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

// Table 32: tau phi_tau = tau sum n_i delta^I_i J_i tau^(J_i - 1).
double TauPhiTau(const Reduced& r, const PowerTable<kDeltaI>& delta) {
  const PowerTable<kTauJMinus1> tau(r.tau);
  double sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum = Stored(sum + ext{n[i]} * delta[I[i]] * kJ[i] * tau[J[i] - 1]);
  }
  return Stored(ext{r.tau} * sum);
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
    const double A = V1_PT(p, kLiquidStartTemperature);
    const double B = VP_PT(p, TB23);
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
    double vapour = VapourRoot(iso, VP_PT(p, TB23));
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
    const double v = VapourRoot(iso, VP_PT(p, TB23));
    v1 = v;
    v2 = v;
  }
}

// IAPWS-IF97 Table 31: h = R T (tau phi_tau + delta phi_delta).
double H3_PT(int k, double p, double t) {
  Reduced r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const PowerTable<kDeltaI> delta(r.delta);
  const double tau_phi_tau = TauPhiTau(r, delta);
  const double delta_phi_delta = DeltaPhiDelta(r.delta, PowerTable<kTauJ>(r.tau));
  return Stored(ext{r.T} * kGasConstant * (ext{tau_phi_tau} + delta_phi_delta));
}

// IAPWS-IF97 Table 31: s = R (tau phi_tau - phi).
double S3_PT(int k, double p, double t) {
  Reduced r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const PowerTable<kDeltaI> delta(r.delta);
  const double tau_phi_tau = TauPhiTau(r, delta);
  const PowerTable<kTauJ> tau(r.tau);
  double sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum = Stored(sum + ext{n[i]} * delta[I[i]] * tau[J[i]]);
  }
  const double phi = Stored(n1 * std::log(ext{r.delta}) + sum);
  return Stored((ext{tau_phi_tau} - phi) * kGasConstant);
}

}  // namespace if97
