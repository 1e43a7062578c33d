// Region 1 (liquid water): IAPWS-IF97 basic equation, dimensionless Gibbs free
// energy gamma(pi, tau), eq. 7.
#include <iterator>

#include "if97.h"

namespace if97 {
namespace {

using ext = long double;

// IAPWS-IF97 Table 2: gamma = sum n_i (7.1 - pi)^I_i (tau - 1.222)^J_i.
constexpr int I[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1,  1,  1,  2,  2,  2,
                     2, 2, 3, 3, 3, 4, 4, 4, 5, 8, 8, 21, 23, 29, 30, 31, 32};
constexpr int J[] = {-2, -1, 0,  1, 2, 3,  4,  5,  -9, -7,  -1, 0,   1,   3,   -3,  0,   1,
                     3,  17, -4, 0, 6, -5, -2, 10, -8, -11, -6, -29, -31, -38, -39, -40, -41};
constexpr double n[] = {
    0.14632971213167e0,    -0.84548187169114e0,   -0.37563603672040e1,   0.33855169168385e1,
    -0.95791963387872e0,   0.15772038513228e0,    -0.16616417199501e-1,  0.81214629983568e-3,
    0.28319080123804e-3,   -0.60706301565874e-3,  -0.18990068218419e-1,  -0.32529748770505e-1,
    -0.21841717175414e-1,  -0.52838357969930e-4,  -0.47184321073267e-3,  -0.30001780793026e-3,
    0.47661393906987e-4,   -0.44141845330846e-5,  -0.72694996297594e-15, -0.31679644845054e-4,
    -0.28270797985312e-5,  -0.85205128120103e-9,  -0.22425281908000e-5,  -0.65171222895601e-6,
    -0.14341729937924e-12, -0.40516996860117e-6,  -0.12734301741641e-8,  -0.17424871230634e-9,
    -0.68762131295531e-18, 0.14478307828521e-19,  0.26335781662795e-22,  -0.11947622640071e-22,
    0.18228094581404e-23,  -0.93537087292458e-25,
};
static_assert(std::size(I) == 34 && std::size(J) == 34 && std::size(n) == 34);

constexpr double kPStar = 16.53;                // MPa
constexpr double kTStar = 1386;                 // K
constexpr double kPiShift = 7.1;                // dimensionless
constexpr double kTauShift = 1.222;             // dimensionless
constexpr double kWaterSideTolerance = 0.0001;  // degC above TS_P(p)

struct Reduced {
  double pi;   // p / p*
  double a;    // 7.1 - pi
  double T;    // K
  double tau;  // T* / T
  double c;    // tau - 1.222
};

Reduced Reduce(double p, double t) {
  Reduced r;
  r.pi = static_cast<double>(static_cast<ext>(p) / kPStar);
  r.a = static_cast<double>(kPiShift - static_cast<ext>(r.pi));
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(kTStar / static_cast<ext>(r.T));
  r.c = static_cast<double>(static_cast<ext>(r.tau) - kTauShift);
  return r;
}

// Table 4: gamma_tau.
double GammaTau(const Reduced& r) {
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    gamma_tau = static_cast<double>(gamma_tau + static_cast<ext>(n[i]) * PowInt(r.a, I[i]) * J[i] *
                                                    PowInt(r.c, J[i] - 1));
  }
  return gamma_tau;
}

// The state lies on the water side of the saturation line (within the tolerance).
bool OnWaterSide(double p, double t) {
  return static_cast<ext>(TS_P(p)) + kWaterSideTolerance >= t;
}

}  // namespace

// IAPWS-IF97 Table 3: h = R T tau gamma_tau.
double HW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (HW_PT)");
    return FAILURE;
  }
  const Reduced r = Reduce(p, t);
  const double gamma_tau = GammaTau(r);
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau * gamma_tau);
}

// IAPWS-IF97 Table 3: s = R (tau gamma_tau - gamma).
double SW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (SW_PT)");
    return FAILURE;
  }
  const Reduced r = Reduce(p, t);
  double gamma_tau = 0;
  double gamma = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    gamma_tau = static_cast<double>(gamma_tau + static_cast<ext>(n[i]) * PowInt(r.a, I[i]) * J[i] *
                                                    PowInt(r.c, J[i] - 1));
    gamma =
        static_cast<double>(gamma + static_cast<ext>(n[i]) * PowInt(r.a, I[i]) * PowInt(r.c, J[i]));
  }
  return static_cast<double>((static_cast<ext>(r.tau) * gamma_tau - gamma) * kGasConstant);
}

double VW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (VW_PT)");
    return FAILURE;
  }
  return V1_PT(p, t);
}

// IAPWS-IF97 Tables 3 and 4: v = R T pi gamma_pi / p. The terms with I = 0 form
// a reciprocal power that their factor I = 0 removes.
double V1_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  double gamma_pi = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    gamma_pi = static_cast<double>(gamma_pi + -static_cast<ext>(n[i]) * I[i] *
                                                  PowInt(r.a, I[i] - 1) * PowInt(r.c, J[i]));
  }
  // kJ/(kg K) * K / MPa = 1e-3 m3/kg.
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi * gamma_pi /
                             (static_cast<ext>(p) * 1000));
}

}  // namespace if97
