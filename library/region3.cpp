// Region 3 (near-critical states): IAPWS-IF97 basic equation, dimensionless
// Helmholtz free energy phi(delta, tau), eq. 28, and the search for the
// specific volume of a state given by pressure and temperature.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

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
  double coefficient_[kHighestI + 1] = {};
  double magnitude_[kHighestI + 1] = {};
};

// Walks from start in fixed steps until F3_VT changes sign between a and b;
// sign_a is F3Sign at a. The walk's new point is the next step's start, so
// each point is evaluated once. False, without a message, when no sign change
// is met within the walk limit.
bool BOUNDS_KR(const Isotherm& iso, double start, double step, double& a, double& b,
               double& sign_a) {
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

// Bisection of [A, B] (either order) on F3_VT; sign_A is F3Sign at A, carried
// from the pass that set A. Without a sign change in the bracket every pass
// moves A, and the result is the end B.
double BISECT_KR(const Isotherm& iso, double A, double sign_A, double B) {
  for (int i = 1;; ++i) {
    const double m = Stored((ext{A} + B) / 2);
    const double sign_m = iso.F3Sign(m);
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
  double ts = TS_P(p);
  if (std::fabs((ext{ts} - t) / t) < kSaturationSnap) ts = t;
  if (t == ts) {
    double vapour = VapourRoot(iso, VP_PT(p, TB23));
    const double liquid =
        vapour == FAILURE ? FAILURE : LiquidRoot(iso, VW_PT(p, kLiquidStartTemperature));
    if (liquid != FAILURE && vapour < liquid + kWalkStep) {
      vapour = SteamBesideCriticalPoint(iso, p, t, liquid, vapour);
    }
    v1 = liquid;
    v2 = liquid == FAILURE ? FAILURE : vapour;
  } else if (t < ts) {
    const double v = LiquidRoot(iso, VW_PT(p, kLiquidStartTemperature));
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
