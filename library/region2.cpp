// Region 2 (steam): IAPWS-IF97 basic equation, dimensionless Gibbs free energy
// gamma = gamma_o + gamma_r, eq. 15.
#include <cmath>
#include <iterator>

#include "basic_equations.h"
#include "if97.h"
#include "powers.h"

namespace if97 {
namespace {

using ext = long double;

using detail::AsDoubles;
using detail::Exponents;
using detail::PowerTable;
using detail::Products;
using region2::I;
using region2::J;
using region2::J0;
using region2::n;
using region2::n0;

constexpr double kPStar = 1;       // MPa
constexpr double kTStar = 540;     // K
constexpr double kTauShift = 0.5;  // dimensionless

struct Reduced {
  double pi;   // p / p*
  double T;    // K
  double tau;  // T* / T
  double c;    // tau - 0.5
};

Reduced Reduce(double p, double t) {
  Reduced r;
  r.pi = static_cast<double>(static_cast<ext>(p) / kPStar);
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(kTStar / static_cast<ext>(r.T));
  r.c = static_cast<double>(static_cast<ext>(r.tau) - kTauShift);
  return r;
}

// The powers each sum reads.
constexpr Exponents kTauJ0Minus1 = Exponents{}.With(J0, -1);         // tau^(J0 - 1)
constexpr Exponents kTauJ0Both = Exponents{}.With(J0, -1).With(J0);  // both of the entropy
constexpr Exponents kPiI = Exponents{}.With(I);                      // pi^I
constexpr Exponents kPiIMinus1 = Exponents{}.With(I, -1);            // pi^(I - 1)
constexpr Exponents kCJ = Exponents{}.With(J);                       // (tau - 0.5)^J
constexpr Exponents kCJMinus1 = Exponents{}.With(J, -1);             // (tau - 0.5)^(J - 1)
constexpr Exponents kCJBoth = Exponents{}.With(J, -1).With(J);       // both of the entropy

constexpr auto kJ0N0 = Products(J0, n0);  // J0_i n0_i
constexpr auto kJ = AsDoubles(J);         // J_i
constexpr auto kIN = Products(I, n);      // I_i n_i

}  // namespace

// IAPWS-IF97 Table 12: h = R T tau (gamma_o_tau + gamma_r_tau). The sums of
// Tables 13 and 14 run side by side, each in its own term order; the term of
// gamma_o_tau with J0 = 0 forms a reciprocal power that its factor removes.
double HP_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kCJMinus1> c(r.c);
  const PowerTable<kPiI> pi(r.pi);
  const PowerTable<kTauJ0Minus1> tau(r.tau);
  double ideal_tau = 0;
  double residual_tau = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    if (i < std::size(n0)) ideal_tau = static_cast<double>(ideal_tau + kJ0N0[i] * tau[J0[i] - 1]);
    residual_tau =
        static_cast<double>(residual_tau + static_cast<ext>(n[i]) * pi[I[i]] * kJ[i] * c[J[i] - 1]);
  }
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau *
                             (static_cast<ext>(ideal_tau) + residual_tau));
}

// IAPWS-IF97 Table 12: s = R (tau (gamma_o_tau + gamma_r_tau) - (gamma_o + gamma_r)),
// the ideal-gas and residual sums side by side.
double SP_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const ext ln_pi = std::log(static_cast<ext>(r.pi));
  const PowerTable<kCJBoth> c(r.c);
  const PowerTable<kPiI> pi(r.pi);
  const PowerTable<kTauJ0Both> tau(r.tau);
  double ideal_tau = 0;
  double ideal_sum = 0;
  double residual_tau = 0;
  double residual = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    if (i < std::size(n0)) {
      ideal_tau = static_cast<double>(ideal_tau + kJ0N0[i] * tau[J0[i] - 1]);
      ideal_sum = static_cast<double>(ideal_sum + static_cast<ext>(n0[i]) * tau[J0[i]]);
    }
    const ext n_pi = static_cast<ext>(n[i]) * pi[I[i]];
    residual_tau = static_cast<double>(residual_tau + n_pi * kJ[i] * c[J[i] - 1]);
    residual = static_cast<double>(residual + n_pi * c[J[i]]);
  }
  const double gamma = static_cast<double>(ln_pi + ideal_sum + residual);
  return static_cast<double>(
      (static_cast<ext>(r.tau) * (static_cast<ext>(ideal_tau) + residual_tau) - gamma) *
      kGasConstant);
}

// IAPWS-IF97 Table 12: v = R T pi (gamma_o_pi + gamma_r_pi) / p, gamma_o_pi = 1 / pi.
double VP_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kPiIMinus1> pi(r.pi);
  const PowerTable<kCJ> c(r.c);
  double residual_pi = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    residual_pi = static_cast<double>(residual_pi + kIN[i] * pi[I[i] - 1] * c[J[i]]);
  }
  // kJ/(kg K) * K / MPa = 1e-3 m3/kg.
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi *
                             (1 / static_cast<ext>(r.pi) + residual_pi) /
                             (static_cast<ext>(p) * 1000));
}

}  // namespace if97
