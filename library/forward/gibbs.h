// Internal to the library: what regions 1, 2 and 5 share in evaluating a
// dimensionless Gibbs free energy gamma(pi, tau): the reduced pressure and
// temperature, the sums over the terms of a coefficient table, and the
// relations of IAPWS-IF97 Tables 3, 12 and 39 between the derivatives of
// gamma and the properties.
#ifndef STEAMCALC_LIBRARY_GIBBS_H
#define STEAMCALC_LIBRARY_GIBBS_H

#include <if97/if97.h>

#include <array>
#include <cmath>
#include <cstddef>

#include "arith/stored.h"
#include "forward/properties.h"

namespace if97::detail {

// The reduced pressure pi = p / p*, the temperature T in K and the inverse
// reduced temperature tau = T* / T of regions 1, 2 and 5, each stored.
struct ReducedPT {
  double pi;
  double T;
  double tau;
};

inline ReducedPT ReducePT(double p, double t, double p_star, double T_star) {
  ReducedPT r;
  r.pi = Stored(ext{p} / p_star);
  r.T = Stored(ext{t} + kKelvinOffset);
  r.tau = Stored(T_star / ext{r.T});
  return r;
}

// The sums over the terms n_i x^I_i y^J_i of a dimensionless Gibbs free
// energy (region 1: x = 7.1 - pi, y = tau - 1.222; the residual parts of
// regions 2 and 5: x = pi, y = tau - 0.5 or tau), in one pass. The energy and
// its first derivatives are rounded term by term as stored; the second and
// third derivatives are summed in extended precision from the terms of the
// first, each term's one power too many taken off the sum as a whole (the
// caller divides by x or y):
//   value = sum n x^I y^J,
//   d_x = sum I n x^(I-1) y^J,    xx = sum (I - 1) [d_x term],
//   d_y = sum J n x^I y^(J-1),    yy = sum (J - 1) [d_y term],
//   xy = sum I [d_y term],        yyy = sum (J - 1) (J - 2) [d_y term].
// i_n holds I_i n_i, negated where x falls as pi rises; j holds J_i. Only the
// parts asked for are formed (the power tables need only their exponents);
// the others stay 0.
inline constexpr unsigned kValue = 1;   // value
inline constexpr unsigned kDy = 2;      // d_y
inline constexpr unsigned kDx = 4;      // d_x
inline constexpr unsigned kSecond = 8;  // the second and third derivatives of those
inline constexpr unsigned kAll = kValue | kDy | kDx | kSecond;

struct TermSums {
  double value = 0;
  double d_x = 0;
  double d_y = 0;
  ext xx = 0;
  ext yy = 0;
  ext xy = 0;
  ext yyy = 0;
};

template <unsigned kParts, std::size_t N, typename XPowers, typename YPowers>
TermSums SumTerms(const std::array<int, N>& I, const std::array<int, N>& J,
                  const std::array<double, N>& n, const std::array<double, N>& j,
                  const std::array<ext, N>& i_n, const XPowers& x, const YPowers& y) {
  constexpr bool kSecondOrder = (kParts & kSecond) != 0;
  TermSums sums;
  for (std::size_t i = 0; i < N; ++i) {
    ext term_y = 0;
    if constexpr ((kParts & (kValue | kDy)) != 0) {
      const ext n_x = ext{n[i]} * x[I[i]];
      if constexpr ((kParts & kDy) != 0) {
        term_y = n_x * j[i] * y[J[i] - 1];
        sums.d_y = Stored(sums.d_y + term_y);
        if constexpr (kSecondOrder) {
          sums.yy += (J[i] - 1) * term_y;
          sums.yyy += (J[i] - 1) * (J[i] - 2) * term_y;
        }
      }
      if constexpr ((kParts & kValue) != 0) sums.value = Stored(sums.value + n_x * y[J[i]]);
    }
    if constexpr ((kParts & kDx) != 0) {
      const ext term_x = i_n[i] * x[I[i] - 1] * y[J[i]];
      sums.d_x = Stored(sums.d_x + term_x);
      if constexpr (kSecondOrder) {
        sums.xx += (I[i] - 1) * term_x;
        sums.xy += I[i] * term_y;
      }
    }
  }
  return sums;
}

// The same for the ideal-gas part sum n0_i tau^J0_i of regions 2 and 5 (j0_n0
// holds J0_i n0_i): value, d_tau, and with kSecond
// tautau = sum (J0 - 1) [d_tau term], tautautau = sum (J0 - 1) (J0 - 2) [d_tau term].
struct IdealSums {
  double value = 0;
  double d_tau = 0;
  ext tautau = 0;
  ext tautautau = 0;
};

template <unsigned kParts, std::size_t N, typename TauPowers>
IdealSums SumIdealTerms(const std::array<int, N>& J0, const std::array<double, N>& n0,
                        const std::array<ext, N>& j0_n0, const TauPowers& tau) {
  IdealSums sums;
  for (std::size_t i = 0; i < N; ++i) {
    if constexpr ((kParts & kDy) != 0) {
      const ext term_tau = j0_n0[i] * tau[J0[i] - 1];
      sums.d_tau = Stored(sums.d_tau + term_tau);
      if constexpr ((kParts & kSecond) != 0) {
        sums.tautau += (J0[i] - 1) * term_tau;
        sums.tautautau += (J0[i] - 1) * (J0[i] - 2) * term_tau;
      }
    }
    if constexpr ((kParts & kValue) != 0) sums.value = Stored(sums.value + ext{n0[i]} * tau[J0[i]]);
  }
  return sums;
}

// The derivatives of gamma, each region forming them from its own terms. The
// arguments of the relations below are extended: a double passed in is exact.
struct GibbsDerivatives {
  ext T;  // K
  ext pi;
  ext tau;
  ext gamma_pi;
  ext gamma_tau;
  ext gamma_pipi;
  ext gamma_tautau;
  ext gamma_pitau;
  ext gamma_tautautau;
};

// h = R T tau gamma_tau.
inline double GibbsEnthalpy(ext T, ext tau, ext gamma_tau) {
  return Stored(T * kGasConstant * tau * gamma_tau);
}

// s = R (tau gamma_tau - gamma).
inline double GibbsEntropy(ext tau, ext gamma_tau, ext gamma) {
  return Stored((tau * gamma_tau - gamma) * kGasConstant);
}

// v = R T pi gamma_pi / p; kJ/(kg K) * K / MPa = 1e-3 m3/kg.
inline double GibbsVolume(ext p, ext T, ext pi, ext gamma_pi) {
  return Stored(T * kGasConstant * pi * gamma_pi / (p * 1000));
}

// cp = -R tau^2 gamma_tautau, and d cp / dT from d tau / dT = -tau / T.
inline void GibbsHeatCapacity(const GibbsDerivatives& g, Properties& out) {
  out.cp = Stored(-kGasConstant * (g.tau * g.tau * g.gamma_tautau));
  out.dcp_dt =
      Stored(kGasConstant * g.tau * g.tau * (2 * g.gamma_tautau + g.tau * g.gamma_tautautau) / g.T);
}

// u = R T (tau gamma_tau - pi gamma_pi),
// cv = R (-tau^2 gamma_tautau + (gamma_pi - tau gamma_pitau)^2 / gamma_pipi),
// w^2 = R T gamma_pi^2 / ((gamma_pi - tau gamma_pitau)^2 / (tau^2 gamma_tautau) - gamma_pipi).
inline void GibbsCaloric(const GibbsDerivatives& g, Properties& out) {
  const ext rt = g.T * kGasConstant;
  const ext tau2_gamma_tautau = g.tau * g.tau * g.gamma_tautau;
  const ext b = g.gamma_pi - g.tau * g.gamma_pitau;
  out.u = Stored(rt * (g.tau * g.gamma_tau - g.pi * g.gamma_pi));
  out.cv = Stored(kGasConstant * (-tau2_gamma_tautau + b * b / g.gamma_pipi));
  // R T in J/kg gives w in m/s.
  out.w = Stored(
      std::sqrt(rt * 1000 * g.gamma_pi * g.gamma_pi / (b * b / tau2_gamma_tautau - g.gamma_pipi)));
}

// Every property from the derivatives and gamma itself at pressure p.
inline Properties GibbsProperties(ext p, const GibbsDerivatives& g, ext gamma) {
  Properties out;
  out.h = GibbsEnthalpy(g.T, g.tau, g.gamma_tau);
  out.s = GibbsEntropy(g.tau, g.gamma_tau, gamma);
  out.v = GibbsVolume(p, g.T, g.pi, g.gamma_pi);
  GibbsCaloric(g, out);
  GibbsHeatCapacity(g, out);
  return out;
}

// Regions 2 and 5: gamma = ln pi + gamma_o(tau) + gamma_r, so gamma_o_pi =
// 1 / pi, gamma_o_pipi = -1 / pi^2 and gamma_o_pitau = 0. Every derivative
// but gamma_tautau and gamma_tautautau, which each region forms itself.
inline GibbsDerivatives IdealGasAndResidual(ext T, ext pi, ext tau, const IdealSums& ideal,
                                            const TermSums& residual) {
  GibbsDerivatives g{};
  g.T = T;
  g.pi = pi;
  g.tau = tau;
  g.gamma_pi = 1 / pi + residual.d_x;
  g.gamma_tau = ext{ideal.d_tau} + residual.d_y;
  g.gamma_pipi = -1 / (pi * pi) + residual.xx / pi;
  g.gamma_pitau = residual.xy / pi;
  return g;
}

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_GIBBS_H
