// Region 2 (steam): IAPWS-IF97 basic equation, dimensionless Gibbs free energy
// gamma = gamma_o + gamma_r, eq. 15.
#include <cmath>
#include <iterator>

#include "if97.h"

namespace if97 {
namespace {

using ext = long double;

// IAPWS-IF97 Table 10, ideal-gas part: gamma_o = ln pi + sum n0_i tau^J0_i.
constexpr int J0[] = {0, 1, -5, -4, -3, -2, -1, 2, 3};
constexpr double n0[] = {
    -0.96927686500217e1, 0.10086655968018e2,  -0.56087911283020e-2,
    0.71452738081455e-1, -0.40710498223928e0, 0.14240819171444e1,
    -0.43839511319450e1, -0.28408632460772e0, 0.21268463753307e-1,
};
static_assert(std::size(J0) == 9 && std::size(n0) == 9);

// IAPWS-IF97 Table 11, residual part: gamma_r = sum n_i pi^I_i (tau - 0.5)^J_i.
constexpr int I[] = {1, 1, 1, 1, 1, 2, 2,  2,  2,  2,  3,  3,  3,  3,  3,  4,  4,  4,  5,  6,  6, 6,
                     7, 7, 7, 8, 8, 9, 10, 10, 10, 16, 16, 18, 20, 20, 20, 21, 22, 23, 24, 24, 24};
constexpr int J[] = {0,  1,  2,  3,  6,  1,  2,  4,  7,  36, 0,  1,  3,  6, 35,
                     1,  2,  3,  7,  3,  16, 35, 0,  11, 25, 8,  36, 13, 4, 10,
                     14, 29, 50, 57, 20, 35, 48, 21, 53, 39, 26, 40, 58};
constexpr double n[] = {
    -0.17731742473213e-2, -0.17834862292358e-1,  -0.45996013696365e-1,  -0.57581259083432e-1,
    -0.50325278727930e-1, -0.33032641670203e-4,  -0.18948987516315e-3,  -0.39392777243355e-2,
    -0.43797295650573e-1, -0.26674547914087e-4,  0.20481737692309e-7,   0.43870667284435e-6,
    -0.32277677238570e-4, -0.15033924542148e-2,  -0.40668253562649e-1,  -0.78847309559367e-9,
    0.12790717852285e-7,  0.48225372718507e-6,   0.22922076337661e-5,   -0.16714766451061e-10,
    -0.21171472321355e-2, -0.23895741934104e2,   -0.59059564324270e-17, -0.12621808899101e-5,
    -0.38946842435739e-1, 0.11256211360459e-10,  -0.82311340897998e1,   0.19809712802088e-7,
    0.10406965210174e-18, -0.10234747095929e-12, -0.10018179379511e-8,  -0.80882908646985e-10,
    0.10693031879409e0,   -0.33662250574171e0,   0.89185845355421e-24,  0.30629316876232e-12,
    -0.42002467698208e-5, -0.59056029685639e-25, 0.37826947613457e-5,   -0.12768608934681e-14,
    0.73087610595061e-28, 0.55414715350778e-16,  -0.94369707241210e-6,
};
static_assert(std::size(I) == 43 && std::size(J) == 43 && std::size(n) == 43);

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

// Table 13: gamma_o_tau. The term with J0 = 0 forms a reciprocal power that its
// factor J0 = 0 removes.
double IdealGammaTau(const Reduced& r) {
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(n0); ++i) {
    gamma_tau =
        static_cast<double>(gamma_tau + static_cast<ext>(J0[i]) * n0[i] * PowInt(r.tau, J0[i] - 1));
  }
  return gamma_tau;
}

// Table 14: gamma_r_tau.
double ResidualGammaTau(const Reduced& r) {
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    gamma_tau = static_cast<double>(gamma_tau + static_cast<ext>(n[i]) * PowInt(r.pi, I[i]) * J[i] *
                                                    PowInt(r.c, J[i] - 1));
  }
  return gamma_tau;
}

}  // namespace

// IAPWS-IF97 Table 12: h = R T tau (gamma_o_tau + gamma_r_tau).
double HP_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const double ideal_tau = IdealGammaTau(r);
  const double residual_tau = ResidualGammaTau(r);
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau *
                             (static_cast<ext>(ideal_tau) + residual_tau));
}

// IAPWS-IF97 Table 12: s = R (tau (gamma_o_tau + gamma_r_tau) - (gamma_o + gamma_r)).
double SP_PT(double p, double t) {
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
                                                          J[i] * PowInt(r.c, J[i] - 1));
    residual = static_cast<double>(residual +
                                   static_cast<ext>(n[i]) * PowInt(r.pi, I[i]) * PowInt(r.c, J[i]));
  }
  const double gamma = static_cast<double>(std::log(static_cast<ext>(r.pi)) + ideal_sum + residual);
  return static_cast<double>(
      (static_cast<ext>(r.tau) * (static_cast<ext>(ideal_tau) + residual_tau) - gamma) *
      kGasConstant);
}

// IAPWS-IF97 Table 12: v = R T pi (gamma_o_pi + gamma_r_pi) / p, gamma_o_pi = 1 / pi.
double VP_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  double residual_pi = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    residual_pi = static_cast<double>(residual_pi + static_cast<ext>(I[i]) * n[i] *
                                                        PowInt(r.pi, I[i] - 1) * PowInt(r.c, J[i]));
  }
  // kJ/(kg K) * K / MPa = 1e-3 m3/kg.
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi *
                             (1 / static_cast<ext>(r.pi) + residual_pi) /
                             (static_cast<ext>(p) * 1000));
}

}  // namespace if97
