// Region 3 (near-critical states): IAPWS-IF97 basic equation, dimensionless
// Helmholtz free energy phi(delta, tau), eq. 28, and the search for the
// specific volume of a state given by pressure and temperature.
#include <cmath>
#include <iterator>

#include "boundary23.h"
#include "if97.h"

namespace if97 {
namespace {

using ext = long double;

// IAPWS-IF97 Table 30: phi = n1 ln delta + sum(i = 2..40) n_i delta^I_i tau^J_i.
// Term 1 is held by itself; the arrays hold terms 2..40.
constexpr double n1 = 0.10658070028513e1;
constexpr int I[] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2,  3,  3, 3,
                     3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 8, 9, 9, 10, 10, 11};
constexpr int J[] = {0,  1,  2, 7, 10, 12, 23, 2, 6,  15, 17, 0,  2, 6,  7, 22, 26, 0, 2, 4,
                     16, 26, 0, 2, 4,  26, 1,  3, 26, 0,  2,  26, 2, 26, 2, 26, 0,  1, 26};
constexpr double n[] = {
    -0.15732845290239e2,  0.20944396974307e2,   -0.76867707878716e1,  0.26185947787954e1,
    -0.28080781148620e1,  0.12053369696517e1,   -0.84566812812502e-2, -0.12654315477714e1,
    -0.11524407806681e1,  0.88521043984318e0,   -0.64207765181607e0,  0.38493460186671e0,
    -0.85214708824206e0,  0.48972281541877e1,   -0.30502617256965e1,  0.39420536879154e-1,
    0.12558408424308e0,   -0.27999329698710e0,  0.13899799569460e1,   -0.20189915023570e1,
    -0.82147637173963e-2, -0.47596035734923e0,  0.43984074473500e-1,  -0.44476435428739e0,
    0.90572070719733e0,   0.70522450087967e0,   0.10770512626332e0,   -0.32913623258954e0,
    -0.50871062041158e0,  -0.22175400873096e-1, 0.94260751665092e-1,  0.16436278447961e0,
    -0.13503372241348e-1, -0.14834345352472e-1, 0.57922953628084e-3,  0.32308904703711e-2,
    0.80964802996215e-4,  -0.16557679795037e-3, -0.44923899061815e-4,
};
static_assert(std::size(I) == 39 && std::size(J) == 39 && std::size(n) == 39);

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

// Residual of the equation of state p = rho R T delta phi_delta (IAPWS-IF97
// Table 31) for a trial volume v at the state (p, t); zero at the state's volume.
double F3_VT(double p, double v, double t) {
  return static_cast<double>(static_cast<ext>(Z3_VT(v, t)) -
                             static_cast<ext>(v) * (static_cast<ext>(p) * 1000) /
                                 ((static_cast<ext>(t) + kKelvinOffset) * kGasConstant));
}

// Walks from start in fixed steps until F3_VT changes sign between a and b.
bool BOUNDS_KR(double p, double t, double start, double step, double& a, double& b) {
  double x = start;
  for (int i = 1;; ++i) {
    a = x;
    x = static_cast<double>(static_cast<ext>(a) + step);
    const double fa = F3_VT(p, a, t);
    const double fx = F3_VT(p, x, t);
    if (i > kWalkLimit) {
      ShowMessage(kNoBracket);
      return false;
    }
    if (static_cast<ext>(fa) * fx < 0) {
      b = x;
      return true;
    }
  }
}

// Bisection of [A, B] (either order) on F3_VT. Without a sign change in the
// bracket every pass moves A, and the result is the end B.
double BISECT_KR(double p, double A, double B, double t) {
  for (int i = 1;; ++i) {
    const double m = static_cast<double>((static_cast<ext>(A) + B) / 2);
    if (static_cast<ext>(F3_VT(p, A, t)) * F3_VT(p, m, t) >= 0) {
      A = m;
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
double WalkAndBisect(double p, double t, double start, double step) {
  double a = 0;
  double b = 0;
  if (!BOUNDS_KR(p, t, start, step, a, b)) return FAILURE;
  return BISECT_KR(p, a, b, t);
}

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
  r.delta = static_cast<double>((1 / static_cast<ext>(v)) / kRhoStar);
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(kTStar / static_cast<ext>(r.T));
  return true;
}

// Table 32: tau phi_tau.
double TauPhiTau(const Reduced& r) {
  double sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum = static_cast<double>(sum + static_cast<ext>(n[i]) * PowInt(r.delta, I[i]) * J[i] *
                                        PowInt(r.tau, J[i] - 1));
  }
  return static_cast<double>(static_cast<ext>(r.tau) * sum);
}

// Table 32: delta phi_delta; the terms with I = 0 form a reciprocal power that
// their factor I = 0 removes.
double DeltaPhiDelta(double delta, double tau) {
  double sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum = static_cast<double>(sum + static_cast<ext>(I[i]) * n[i] * PowInt(delta, I[i] - 1) *
                                        PowInt(tau, J[i]));
  }
  return static_cast<double>(static_cast<ext>(delta) * (n1 / static_cast<ext>(delta) + sum));
}

}  // namespace

double Z3_VT(double v, double t) {
  const double delta = static_cast<double>((1 / static_cast<ext>(v)) / kRhoStar);
  const double tau = static_cast<double>(kTStar / (static_cast<ext>(t) + kKelvinOffset));
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
  if (p > kCriticalPressure) {
    const double A = V1_PT(p, kLiquidStartTemperature);
    const double B = VP_PT(p, TB23);
    // Within a few hundredths of a kelvin above 350 degC the region-3 volume
    // lies below the region-1 volume at 350 degC, outside [A, B]. Bisecting a
    // bracket without a sign change would close on B, a volume far from the
    // state's, so that case is reported like a failed walk.
    double v = FAILURE;
    if (static_cast<ext>(F3_VT(p, A, t)) * F3_VT(p, B, t) < 0) {
      v = BISECT_KR(p, A, B, t);
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
    const double vapour = WalkAndBisect(p, t, VP_PT(p, TB23), -kWalkStep);
    const double liquid = vapour == FAILURE
                              ? FAILURE
                              : WalkAndBisect(p, t, VW_PT(p, kLiquidStartTemperature), kWalkStep);
    v1 = liquid;
    v2 = liquid == FAILURE ? FAILURE : vapour;
  } else if (t < ts) {
    const double v = WalkAndBisect(p, t, VW_PT(p, kLiquidStartTemperature), kWalkStep);
    v1 = v;
    v2 = v;
  } else if (t > ts) {
    const double v = WalkAndBisect(p, t, VP_PT(p, TB23), -kWalkStep);
    v1 = v;
    v2 = v;
  }
}

// IAPWS-IF97 Table 31: h = R T (tau phi_tau + delta phi_delta).
double H3_PT(int k, double p, double t) {
  Reduced r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const double tau_phi_tau = TauPhiTau(r);
  const double delta_phi_delta = DeltaPhiDelta(r.delta, r.tau);
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant *
                             (static_cast<ext>(tau_phi_tau) + delta_phi_delta));
}

// IAPWS-IF97 Table 31: s = R (tau phi_tau - phi).
double S3_PT(int k, double p, double t) {
  Reduced r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const double tau_phi_tau = TauPhiTau(r);
  double sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum = static_cast<double>(sum +
                              static_cast<ext>(n[i]) * PowInt(r.delta, I[i]) * PowInt(r.tau, J[i]));
  }
  const double phi = static_cast<double>(n1 * std::log(static_cast<ext>(r.delta)) + sum);
  return static_cast<double>((static_cast<ext>(tau_phi_tau) - phi) * kGasConstant);
}

}  // namespace if97
