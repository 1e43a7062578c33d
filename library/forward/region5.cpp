// Region 5 (high-temperature steam): IAPWS-IF97 basic equation, dimensionless
// Gibbs free energy gamma = gamma_o + gamma_r, eq. 32, residual part in its
// 1997 five-term form.
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
using region5::I, region5::J, region5::J0, region5::n, region5::n0;

constexpr double kPStar = 1;     // MPa
constexpr double kTStar = 1000;  // K

using Reduced = detail::ReducedPT;

Reduced Reduce(double p, double t) { return detail::ReducePT(p, t, kPStar, kTStar); }

// The powers each sum reads.
constexpr Exponents kTauJ0Minus1 = Exponents{}.With(J0, -1);         // tau^(J0 - 1)
constexpr Exponents kTauJ0Both = Exponents{}.With(J0, -1).With(J0);  // both of the entropy
constexpr Exponents kTauJ = Exponents{}.With(J);                     // tau^J
constexpr Exponents kTauJMinus1 = Exponents{}.With(J, -1);           // tau^(J - 1)
constexpr Exponents kTauJBoth = Exponents{}.With(J, -1).With(J);     // both of the entropy
constexpr Exponents kPiI = Exponents{}.With(I);                      // pi^I
constexpr Exponents kPiIMinus1 = Exponents{}.With(I, -1);            // pi^(I - 1)

constexpr auto kJ0N0 = Products(J0, n0);  // J0_i n0_i
constexpr auto kJ = AsDoubles(J);         // J_i
constexpr auto kIN = Products(I, n);      // I_i n_i

// The powers h, s and v read, together: the second derivatives reuse them.
constexpr Exponents kTauJ0All = Exponents{}.With(J0).With(J0, -1);
constexpr Exponents kTauJAll = Exponents{}.With(J).With(J, -1);
constexpr Exponents kPiIAll = Exponents{}.With(I).With(I, -1);

}  // namespace

// IAPWS-IF97 Table 39: h = R T tau (gamma_o_tau + gamma_r_tau).
double H5_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  const Reduced r = Reduce(p, t);
  const PowerTable<kTauJ0Minus1> tau0(r.tau);
  const IdealSums ideal = SumIdealTerms<kDy>(J0, n0, kJ0N0, tau0);
  const PowerTable<kPiI> pi(r.pi);
  const PowerTable<kTauJMinus1> tau(r.tau);
  const TermSums residual = SumTerms<kDy>(I, J, n, kJ, kIN, pi, tau);
  return GibbsEnthalpy(r.T, r.tau, ext{ideal.d_tau} + residual.d_y);
}

// IAPWS-IF97 Table 39: s = R (tau (gamma_o_tau + gamma_r_tau) - (gamma_o + gamma_r)).
double S5_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  const Reduced r = Reduce(p, t);
  const PowerTable<kTauJ0Both> tau0(r.tau);
  const IdealSums ideal = SumIdealTerms<kValue | kDy>(J0, n0, kJ0N0, tau0);
  const PowerTable<kPiI> pi(r.pi);
  const PowerTable<kTauJBoth> tau(r.tau);
  const TermSums residual = SumTerms<kValue | kDy>(I, J, n, kJ, kIN, pi, tau);
  return GibbsEntropy(r.tau, ext{ideal.d_tau} + residual.d_y,
                      std::log(ext{r.pi}) + ideal.value + residual.value);
}

// IAPWS-IF97 Table 39: v = R T pi (gamma_o_pi + gamma_r_pi) / p, gamma_o_pi = 1 / pi.
double V5_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  const Reduced r = Reduce(p, t);
  const PowerTable<kPiIMinus1> pi(r.pi);
  const PowerTable<kTauJ> tau(r.tau);
  const TermSums residual = SumTerms<kDx>(I, J, n, kJ, kIN, pi, tau);
  return GibbsVolume(p, r.T, r.pi, 1 / ext{r.pi} + residual.d_x);
}

// IAPWS-IF97 Tables 39 to 41, every relation from one pass over the terms;
// h, s and v are formed exactly as H5_PT, S5_PT and V5_PT form them. The
// tau-tau sums of both parts are added and divided by tau (tau^2) together.
detail::Properties detail::Region5Properties(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kTauJ0All> tau0(r.tau);
  const IdealSums ideal = SumIdealTerms<kAll>(J0, n0, kJ0N0, tau0);
  const PowerTable<kPiIAll> pi(r.pi);
  const PowerTable<kTauJAll> tau(r.tau);
  const TermSums residual = SumTerms<kAll>(I, J, n, kJ, kIN, pi, tau);
  GibbsDerivatives g = IdealGasAndResidual(r.T, r.pi, r.tau, ideal, residual);
  g.gamma_tautau = (ideal.tautau + residual.yy) / r.tau;
  g.gamma_tautautau = (ideal.tautautau + residual.yyy) / (ext{r.tau} * r.tau);
  return GibbsProperties(p, g, std::log(ext{r.pi}) + ideal.value + residual.value);
}

}  // namespace if97
