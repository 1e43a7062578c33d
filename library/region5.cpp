// Region 5 (high-temperature steam): IAPWS-IF97 basic equation, dimensionless
// Gibbs free energy gamma = gamma_o + gamma_r, eq. 32, residual part in its
// 1997 five-term form.
#include <cmath>
#include <iterator>

#include "basic_equations.h"
#include "if97.h"
#include "powers.h"

namespace if97 {
namespace {

using ext = long double;

using detail::Exponents;
using detail::PowerTable;
using region5::I;
using region5::J;
using region5::J0;
using region5::n;
using region5::n0;

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

// The powers each sum reads.
constexpr Exponents kTauJ0Minus1 = Exponents{}.With(J0, -1);         // tau^(J0 - 1)
constexpr Exponents kTauJ0Both = Exponents{}.With(J0, -1).With(J0);  // both of the entropy
constexpr Exponents kTauJ = Exponents{}.With(J);                     // tau^J
constexpr Exponents kTauJMinus1 = Exponents{}.With(J, -1);           // tau^(J - 1)
constexpr Exponents kTauJBoth = Exponents{}.With(J, -1).With(J);     // both of the entropy
constexpr Exponents kPiI = Exponents{}.With(I);                      // pi^I
constexpr Exponents kPiIMinus1 = Exponents{}.With(I, -1);            // pi^(I - 1)

// Table 40: gamma_o_tau. The term with J0 = 0 forms a reciprocal power that its
// factor J0 = 0 removes.
double IdealGammaTau(const Reduced& r) {
  const PowerTable<kTauJ0Minus1> tau(r.tau);
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(n0); ++i) {
    gamma_tau = static_cast<double>(gamma_tau + static_cast<ext>(J0[i]) * n0[i] * tau[J0[i] - 1]);
  }
  return gamma_tau;
}

// Table 41: gamma_r_tau.
double ResidualGammaTau(const Reduced& r) {
  const PowerTable<kPiI> pi(r.pi);
  const PowerTable<kTauJMinus1> tau(r.tau);
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    gamma_tau =
        static_cast<double>(gamma_tau + static_cast<ext>(n[i]) * pi[I[i]] * J[i] * tau[J[i] - 1]);
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
  const PowerTable<kTauJ0Both> tau0(r.tau);
  double ideal_tau = 0;
  double ideal_sum = 0;
  for (std::size_t i = 0; i < std::size(n0); ++i) {
    ideal_tau = static_cast<double>(ideal_tau + static_cast<ext>(J0[i]) * n0[i] * tau0[J0[i] - 1]);
    ideal_sum = static_cast<double>(ideal_sum + static_cast<ext>(n0[i]) * tau0[J0[i]]);
  }
  const PowerTable<kPiI> pi(r.pi);
  const PowerTable<kTauJBoth> tau(r.tau);
  double residual_tau = 0;
  double residual = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    residual_tau = static_cast<double>(residual_tau +
                                       static_cast<ext>(n[i]) * pi[I[i]] * J[i] * tau[J[i] - 1]);
    residual = static_cast<double>(residual + static_cast<ext>(n[i]) * pi[I[i]] * tau[J[i]]);
  }
  return static_cast<double>(
      (static_cast<ext>(r.tau) * (static_cast<ext>(ideal_tau) + residual_tau) -
       (std::log(static_cast<ext>(r.pi)) + ideal_sum + residual)) *
      kGasConstant);
}

// IAPWS-IF97 Table 39: v = R T pi (gamma_o_pi + gamma_r_pi) / p, gamma_o_pi = 1 / pi.
double V5_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kPiIMinus1> pi(r.pi);
  const PowerTable<kTauJ> tau(r.tau);
  double residual_pi = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    residual_pi =
        static_cast<double>(residual_pi + static_cast<ext>(I[i]) * n[i] * pi[I[i] - 1] * tau[J[i]]);
  }
  // kJ/(kg K) * K / MPa = 1e-3 m3/kg.
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi *
                             (1 / static_cast<ext>(r.pi) + residual_pi) /
                             (static_cast<ext>(p) * 1000));
}

}  // namespace if97
