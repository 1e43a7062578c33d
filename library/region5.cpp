// Region 5 (high-temperature steam): IAPWS-IF97 basic equation, dimensionless
// Gibbs free energy gamma = gamma_o + gamma_r, eq. 32, residual part in its
// 1997 five-term form.
#include <cmath>
#include <iterator>

#include "if97.h"

namespace if97 {
namespace {

using ext = long double;

// IAPWS-IF97 Table 37, ideal-gas part: gamma_o = ln pi + sum n0_i tau^J0_i.
constexpr int J0[] = {0, 1, -3, -2, -1, 2};
constexpr double n0[] = {
    -0.13179983674201e2, 0.68540841634434e1,  -0.24805148933466e-1,
    0.36901534980333e0,  -0.31161318213925e1, -0.32961626538917e0,
};
static_assert(std::size(J0) == 6 && std::size(n0) == 6);

// IAPWS-IF97 Table 38 as published in 1997, residual part:
// gamma_r = sum n_i pi^I_i tau^J_i.
constexpr int I[] = {1, 1, 1, 2, 3};
constexpr int J[] = {0, 1, 3, 9, 3};
constexpr double n[] = {
    -0.12563183589592e-3, 0.21774678714571e-2, -0.45942820899910e-2,
    -0.39724828359569e-5, 0.12919228289784e-6,
};
static_assert(std::size(I) == 5 && std::size(J) == 5 && std::size(n) == 5);

constexpr double kPStar = 1;     // MPa
constexpr double kTStar = 1000;  // K

struct Reduced {
  double pi;   // p / p*
  double T;    // K
  double tau;  // T* / T
};

Reduced Reduce(double p, double t) {
  Reduced r;
  r.pi = static_cast<double>(static_cast<ext>(p) / kPStar);
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(kTStar / static_cast<ext>(r.T));
  return r;
}

// Table 40: gamma_o_tau. The term with J0 = 0 forms a reciprocal power that its
// factor J0 = 0 removes.
double IdealGammaTau(const Reduced& r) {
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(n0); ++i) {
    gamma_tau =
        static_cast<double>(gamma_tau + static_cast<ext>(J0[i]) * n0[i] * PowInt(r.tau, J0[i] - 1));
  }
  return gamma_tau;
}

// Table 41: gamma_r_tau.
double ResidualGammaTau(const Reduced& r) {
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    gamma_tau = static_cast<double>(gamma_tau + static_cast<ext>(n[i]) * PowInt(r.pi, I[i]) * J[i] *
                                                    PowInt(r.tau, J[i] - 1));
  }
  return gamma_tau;
}

}  // namespace

// IAPWS-IF97 Table 39: h = R T tau (gamma_o_tau + gamma_r_tau).
double H5_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const double ideal_tau = IdealGammaTau(r);
  const double residual_tau = ResidualGammaTau(r);
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau *
                             (static_cast<ext>(ideal_tau) + residual_tau));
}

// IAPWS-IF97 Table 39: s = R (tau (gamma_o_tau + gamma_r_tau) - (gamma_o + gamma_r)).
double S5_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  double ideal_tau = 0;
  double ideal_sum = 0;
  for (std::size_t i = 0; i < std::size(n0); ++i) {
    ideal_tau =
        static_cast<double>(ideal_tau + static_cast<ext>(J0[i]) * n0[i] * PowInt(r.tau, J0[i] - 1));
    ideal_sum = static_cast<double>(ideal_sum + static_cast<ext>(n0[i]) * PowInt(r.tau, J0[i]));
  }
  double residual_tau = 0;
  double residual = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    residual_tau = static_cast<double>(residual_tau + static_cast<ext>(n[i]) * PowInt(r.pi, I[i]) *
                                                          J[i] * PowInt(r.tau, J[i] - 1));
    residual = static_cast<double>(residual + static_cast<ext>(n[i]) * PowInt(r.pi, I[i]) *
                                                  PowInt(r.tau, J[i]));
  }
  return static_cast<double>(
      (static_cast<ext>(r.tau) * (static_cast<ext>(ideal_tau) + residual_tau) -
       (std::log(static_cast<ext>(r.pi)) + ideal_sum + residual)) *
      kGasConstant);
}

// IAPWS-IF97 Table 39: v = R T pi (gamma_o_pi + gamma_r_pi) / p, gamma_o_pi = 1 / pi.
double V5_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  double residual_pi = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    residual_pi = static_cast<double>(
        residual_pi + static_cast<ext>(I[i]) * n[i] * PowInt(r.pi, I[i] - 1) * PowInt(r.tau, J[i]));
  }
  // kJ/(kg K) * K / MPa = 1e-3 m3/kg.
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi *
                             (1 / static_cast<ext>(r.pi) + residual_pi) /
                             (static_cast<ext>(p) * 1000));
}

}  // namespace if97
