// Region 3 (near-critical states): IAPWS-IF97 basic equation, dimensionless
// Helmholtz free energy phi(delta, tau), eq. 28, and the search for the
// specific volume of a state given by pressure and temperature.
#include <cmath>
#include <iterator>
#include <limits>

#include "basic_equations.h"
#include "boundary23.h"
#include "if97.h"
#include "powers.h"

namespace if97 {
namespace {

using ext = long double;
using detail::AsDoubles;
using detail::Exponents;
using detail::PowerTable;
using detail::Products;
using region3::I;
using region3::J;
using region3::n;
using region3::n1;

constexpr double kRhoStar = 322;    // kg/m3
constexpr double kTStar = 647.096;  // K

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
    sum = static_cast<double>(sum + kIN[i] * d[I[i] - 1] * tau[J[i]]);
  }
  return static_cast<double>(static_cast<ext>(delta) * (n1 / static_cast<ext>(delta) + sum));
}

double DeltaOfVolume(double v) { return static_cast<double>((1 / static_cast<ext>(v)) / kRhoStar); }

// tau as the pressure term forms it: from t in extended precision, without
// storing T first.
double TauOfTemperature(double t) {
  return static_cast<double>(kTStar / (static_cast<ext>(t) + kKelvinOffset));
}

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
        pressure_(static_cast<ext>(p) * 1000),
        gas_((static_cast<ext>(t) + kKelvinOffset) * kGasConstant),
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
    return static_cast<double>(static_cast<ext>(z) - static_cast<ext>(v) * pressure_ / gas_);
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
// each point is evaluated once.
bool BOUNDS_KR(const Isotherm& iso, double start, double step, double& a, double& b,
               double& sign_a) {
  double x = start;
  double fx = iso.F3Sign(x);
  for (int i = 1;; ++i) {
    a = x;
    const double fa = fx;
    x = static_cast<double>(static_cast<ext>(a) + step);
    fx = iso.F3Sign(x);
    if (i > kWalkLimit) {
      ShowMessage(kNoBracket);
      return false;
    }
    if (static_cast<ext>(fa) * fx < 0) {
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
    const double m = static_cast<double>((static_cast<ext>(A) + B) / 2);
    const double sign_m = iso.F3Sign(m);
    if (static_cast<ext>(sign_A) * sign_m >= 0) {
      A = m;
      sign_A = sign_m;
    } else {
      B = m;
    }
    const double e =
        static_cast<double>(std::fabs((static_cast<ext>(B) - A) * 2 / (static_cast<ext>(A) + B)));
    if (i > kBisectionLimit) {
      ShowMessage("Невозможно определить удельный объем в околокритической области (VKR_PT)");
      return FAILURE;
    }
    if (e < kBisectionTolerance) return static_cast<double>((static_cast<ext>(A) + B) / 2);
  }
}

// The root met first when walking from start by step, or FAILURE after the
// walk's message.
double WalkAndBisect(const Isotherm& iso, double start, double step) {
  double a = 0;
  double b = 0;
  double sign_a = 0;
  if (!BOUNDS_KR(iso, start, step, a, b, sign_a)) return FAILURE;
  return BISECT_KR(iso, a, sign_a, b);
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
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(kTStar / static_cast<ext>(r.T));
  return true;
}

// Table 32: tau phi_tau = tau sum n_i delta^I_i J_i tau^(J_i - 1).
double TauPhiTau(const Reduced& r, const PowerTable<kDeltaI>& delta) {
  const PowerTable<kTauJMinus1> tau(r.tau);
  double sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum = static_cast<double>(sum + static_cast<ext>(n[i]) * delta[I[i]] * kJ[i] * tau[J[i] - 1]);
  }
  return static_cast<double>(static_cast<ext>(r.tau) * sum);
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
  const double TB23 =
      static_cast<double>(b23::n[3] + std::sqrt((static_cast<ext>(p) - b23::n[4]) / b23::n[2]));
  const Isotherm iso(p, t);
  if (p > kCriticalPressure) {
    const double A = V1_PT(p, kLiquidStartTemperature);
    const double B = VP_PT(p, TB23);
    // Within a few hundredths of a kelvin above 350 degC the region-3 volume
    // lies below the region-1 volume at 350 degC, outside [A, B]. Bisecting a
    // bracket without a sign change would close on B, a volume far from the
    // state's, so that case is reported like a failed walk.
    double v = FAILURE;
    const double sign_A = iso.F3Sign(A);
    if (static_cast<ext>(sign_A) * iso.F3Sign(B) < 0) {
      v = BISECT_KR(iso, A, sign_A, B);
    } else {
      ShowMessage(kNoBracket);
    }
    v1 = v;
    v2 = v;
    return;
  }
  double ts = TS_P(p);
  if (std::fabs((static_cast<ext>(ts) - t) / t) < kSaturationSnap) ts = t;
  if (t == ts) {
    const double vapour = WalkAndBisect(iso, VP_PT(p, TB23), -kWalkStep);
    const double liquid = vapour == FAILURE
                              ? FAILURE
                              : WalkAndBisect(iso, VW_PT(p, kLiquidStartTemperature), kWalkStep);
    v1 = liquid;
    v2 = liquid == FAILURE ? FAILURE : vapour;
  } else if (t < ts) {
    const double v = WalkAndBisect(iso, VW_PT(p, kLiquidStartTemperature), kWalkStep);
    v1 = v;
    v2 = v;
  } else if (t > ts) {
    const double v = WalkAndBisect(iso, VP_PT(p, TB23), -kWalkStep);
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
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant *
                             (static_cast<ext>(tau_phi_tau) + delta_phi_delta));
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
    sum = static_cast<double>(sum + static_cast<ext>(n[i]) * delta[I[i]] * tau[J[i]]);
  }
  const double phi = static_cast<double>(n1 * std::log(static_cast<ext>(r.delta)) + sum);
  return static_cast<double>((static_cast<ext>(tau_phi_tau) - phi) * kGasConstant);
}

}  // namespace if97
