// Region 1 (liquid water): IAPWS-IF97 basic equation, dimensionless Gibbs free
// energy gamma(pi, tau), eq. 7.
#include <if97/if97.h>
#include <if97/if97_messages.h>

#include <cmath>
#include <iterator>
#include <limits>

#include "arith/powers.h"
#include "arith/precision.h"
#include "arith/stored.h"
#include "forward/gibbs.h"
#include "forward/properties.h"
#include "forward/region1_unchecked.h"
#include "tables/basic_equations.h"

namespace if97 {
namespace {

using detail::AsDoubles, detail::Exponents, detail::ext, detail::GibbsDerivatives,
    detail::GibbsEnthalpy, detail::GibbsEntropy, detail::GibbsProperties, detail::GibbsVolume,
    detail::kAll, detail::kDx, detail::kDy, detail::kValue, detail::PowerTable, detail::Products,
    detail::Stored, detail::SumTerms, detail::TermSums;
using region1::I, region1::J, region1::n;

constexpr double kPStar = 16.53;                // MPa
constexpr double kTStar = 1386;                 // K
constexpr double kPiShift = 7.1;                // dimensionless
constexpr double kTauShift = 1.222;             // dimensionless
constexpr double kWaterSideTolerance = 0.0001;  // degC above TS_P(p)

struct Reduced : detail::ReducedPT {
  double a;  // 7.1 - pi
  double c;  // tau - 1.222
};

Reduced Reduce(double p, double t) {
  const detail::ReducedPT pt = detail::ReducePT(p, t, kPStar, kTStar);
  return {pt, Stored(kPiShift - ext{pt.pi}), Stored(ext{pt.tau} - kTauShift)};
}

// The powers each sum reads.
constexpr Exponents kAI = Exponents{}.With(I);                  // (7.1 - pi)^I
constexpr Exponents kAIMinus1 = Exponents{}.With(I, -1);        // (7.1 - pi)^(I - 1)
constexpr Exponents kCJ = Exponents{}.With(J);                  // (tau - 1.222)^J
constexpr Exponents kCJMinus1 = Exponents{}.With(J, -1);        // (tau - 1.222)^(J - 1)
constexpr Exponents kCJBoth = Exponents{}.With(J, -1).With(J);  // both of the entropy

constexpr auto kJ = AsDoubles(J);  // J_i
// -I_i n_i: 7.1 - pi falls as pi rises.
constexpr auto kMinusIN = [] {
  auto product = Products(I, n);
  for (auto& x : product) x = -x;
  return product;
}();

// The powers h, s and v read, together: the second derivatives reuse them.
constexpr Exponents kAAll = Exponents{}.With(I).With(I, -1);
constexpr Exponents kCAll = Exponents{}.With(J).With(J, -1);

// The state lies on the water side of the saturation line (within the tolerance).
bool OnWaterSide(double p, double t) { return ext{TS_P(p)} + kWaterSideTolerance >= t; }

}  // namespace

namespace detail {

// IAPWS-IF97 Tables 3 and 4: h = R T tau gamma_tau.
double H1_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kAI> a(r.a);
  const PowerTable<kCJMinus1> c(r.c);
  const TermSums sums = SumTerms<kDy>(I, J, n, kJ, kMinusIN, a, c);
  return GibbsEnthalpy(r.T, r.tau, sums.d_y);
}

// IAPWS-IF97 Tables 3 and 4: s = R (tau gamma_tau - gamma).
double S1_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kAI> a(r.a);
  const PowerTable<kCJBoth> c(r.c);
  const TermSums sums = SumTerms<kValue | kDy>(I, J, n, kJ, kMinusIN, a, c);
  return GibbsEntropy(r.tau, sums.d_y, sums.value);
}

// IAPWS-IF97 Tables 3 and 4, every relation from one pass over the terms. h,
// s and v are formed exactly as H1_PT, S1_PT and V1_PT form them; the second
// derivatives from the sums of SumTerms:
//   gamma_pipi   = -1 / (7.1 - pi) * sum (I - 1) [gamma_pi term],
//   gamma_tautau = 1 / (tau - 1.222) * sum (J - 1) [gamma_tau term],
//   gamma_pitau  = -1 / (7.1 - pi) * sum I [gamma_tau term],
//   gamma_tautautau = 1 / (tau - 1.222)^2 * sum (J - 1) (J - 2) [gamma_tau term].
Properties Region1Properties(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kAAll> a(r.a);
  const PowerTable<kCAll> c(r.c);
  const TermSums sums = SumTerms<kAll>(I, J, n, kJ, kMinusIN, a, c);
  GibbsDerivatives g{};
  g.T = r.T;
  g.tau = r.tau;
  g.gamma_tau = sums.d_y;
  g.gamma_tautau = sums.yy / r.c;
  g.gamma_tautautau = sums.yyy / (ext{r.c} * r.c);
  g.pi = r.pi;
  g.gamma_pi = sums.d_x;
  g.gamma_pipi = -sums.xx / r.a;
  g.gamma_pitau = -sums.xy / r.a;
  return GibbsProperties(p, g, sums.value);
}

}  // namespace detail

double HW_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  if (!OnWaterSide(p, t)) {
    ShowMessage(messages::WithFunction(messages::kNotWater, "HW_PT"));
    return FAILURE;
  }
  return detail::H1_PT(p, t);
}

double SW_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  if (!OnWaterSide(p, t)) {
    ShowMessage(messages::WithFunction(messages::kNotWater, "SW_PT"));
    return FAILURE;
  }
  return detail::S1_PT(p, t);
}

double VW_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  if (!OnWaterSide(p, t)) {
    ShowMessage(messages::WithFunction(messages::kNotWater, "VW_PT"));
    return FAILURE;
  }
  return V1_PT(p, t);
}

// IAPWS-IF97 Tables 3 and 4: v = R T pi gamma_pi / p. The terms with I = 0 form
// a reciprocal power that their factor I = 0 removes.
double V1_PT(double p, double t) {
  const detail::ExtendedPrecision guard;
  const Reduced r = Reduce(p, t);
  const PowerTable<kAIMinus1> a(r.a);
  const PowerTable<kCJ> c(r.c);
  const TermSums sums = SumTerms<kDx>(I, J, n, kJ, kMinusIN, a, c);
  return GibbsVolume(p, r.T, r.pi, sums.d_x);
}

}  // namespace if97
