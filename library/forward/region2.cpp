// Region 2 (steam): IAPWS-IF97 basic equation, dimensionless Gibbs free energy
// gamma = gamma_o + gamma_r, eq. 15.
#include <if97/if97.h>

#include <cmath>
#include <iterator>

#include "arith/powers.h"
#include "arith/precision.h"
#include "arith/stored.h"
#include "forward/gibbs.h"
#include "forward/properties.h"
#include "tables/basic_equations.h"

namespace if97 {
namespace {

using detail::AsDoubles, detail::Exponents, detail::ext, detail::GibbsDerivatives,
    detail::GibbsEnthalpy, detail::GibbsEntropy, detail::GibbsProperties, detail::GibbsVolume,
    detail::IdealGasAndResidual, detail::IdealSums, detail::kAll, detail::kDx, detail::kDy,
    detail::kValue, detail::PowerTable, detail::Products, detail::Stored, detail::SumIdealTerms,
    detail::SumTerms, detail::TermSums;
using region2::I, region2::J, region2::J0, region2::n, region2::n0;

constexpr double kPStar = 1;       // MPa
constexpr double kTStar = 540;     // K
constexpr double kTauShift = 0.5;  // dimensionless

struct Reduced : detail::ReducedPT {
  double c;  // tau - 0.5
};

Reduced Reduce(double p, double t) {
  const detail::ReducedPT pt = detail::ReducePT(p, t, kPStar, kTStar);
  return {pt, Stored(ext{pt.tau} - kTauShift)};
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

// The powers h, s and v read, together: the second derivatives reuse them.
constexpr Exponents kTauJ0All = Exponents{}.With(J0).With(J0, -1);
constexpr Exponents kPiIAll = Exponents{}.With(I).With(I, -1);
constexpr Exponents kCJAll = Exponents{}.With(J).With(J, -1);

}  // namespace

// IAPWS-IF97 Table 12: h = R T tau (gamma_o_tau + gamma_r_tau), the sums of
// Tables 13 and 14 each in its own term order; the term of gamma_o_tau with
// J0 = 0 forms a reciprocal power that its factor removes.
double HP_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  const Reduced r = Reduce(p, t);
  const PowerTable<kCJMinus1> c(r.c);
  const PowerTable<kPiI> pi(r.pi);
  const PowerTable<kTauJ0Minus1> tau(r.tau);
  const IdealSums ideal = SumIdealTerms<kDy>(J0, n0, kJ0N0, tau);
  const TermSums residual = SumTerms<kDy>(I, J, n, kJ, kIN, pi, c);
  return GibbsEnthalpy(r.T, r.tau, ext{ideal.d_tau} + residual.d_y);
}

// IAPWS-IF97 Table 12: s = R (tau (gamma_o_tau + gamma_r_tau) - (gamma_o + gamma_r)).
double SP_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  const Reduced r = Reduce(p, t);
  const ext ln_pi = std::log(ext{r.pi});
  const PowerTable<kCJBoth> c(r.c);
  const PowerTable<kPiI> pi(r.pi);
  const PowerTable<kTauJ0Both> tau(r.tau);
  const IdealSums ideal = SumIdealTerms<kValue | kDy>(J0, n0, kJ0N0, tau);
  const TermSums residual = SumTerms<kValue | kDy>(I, J, n, kJ, kIN, pi, c);
  return GibbsEntropy(r.tau, ext{ideal.d_tau} + residual.d_y,
                      Stored(ln_pi + ideal.value + residual.value));
}

// IAPWS-IF97 Table 12: v = R T pi (gamma_o_pi + gamma_r_pi) / p, gamma_o_pi = 1 / pi.
double VP_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  const Reduced r = Reduce(p, t);
  const PowerTable<kPiIMinus1> pi(r.pi);
  const PowerTable<kCJ> c(r.c);
  const TermSums residual = SumTerms<kDx>(I, J, n, kJ, kIN, pi, c);
  return GibbsVolume(p, r.T, r.pi, 1 / ext{r.pi} + residual.d_x);
}

// IAPWS-IF97 Tables 12 to 14, every relation from one pass over the terms;
// h, s and v are formed exactly as HP_PT, SP_PT and VP_PT form them. The
// tau-tau sums of the ideal-gas part are divided by tau (tau^2), those of the
// residual part by tau - 0.5 (its square).
detail::Properties detail::Region2Properties(double p, double t) {
  const Reduced r = Reduce(p, t);
  const ext ln_pi = std::log(ext{r.pi});
  const PowerTable<kCJAll> c(r.c);
  const PowerTable<kPiIAll> pi(r.pi);
  const PowerTable<kTauJ0All> tau(r.tau);
  const IdealSums ideal = SumIdealTerms<kAll>(J0, n0, kJ0N0, tau);
  const TermSums residual = SumTerms<kAll>(I, J, n, kJ, kIN, pi, c);
  GibbsDerivatives g = IdealGasAndResidual(r.T, r.pi, r.tau, ideal, residual);
  g.gamma_tautau = ideal.tautau / ext{r.tau} + residual.yy / r.c;
  g.gamma_tautautau = ideal.tautautau / (ext{r.tau} * r.tau) + residual.yyy / (ext{r.c} * r.c);
  return GibbsProperties(p, g, Stored(ln_pi + ideal.value + residual.value));
}

}  // namespace if97
