// The backward equations T(p, h), T(p, s) of regions 1 and 2 in double
// (backward.h): each sum sum n_i a^I_i b^J_i over its table, the powers of a
// and b built once by multiplication over the exponents' range.
#include "engine/backward.h"

#include <cmath>
#include <cstddef>
#include <iterator>

#include "engine/term_sums.h"
#include "tables/backward_equations.h"
#include "tables/boundary_equations.h"

namespace if97::engine {
namespace {

using detail::ExponentSet;
using detail::Unrolled;

// The exponent of a term's first base: Table 25's I are quarters, pi^I =
// (pi^(1/4))^(4 I).
constexpr int ExponentI(const if97::detail::Term& term) { return term.I; }
constexpr int ExponentI(const if97::detail::QuarterTerm& term) {
  return static_cast<int>(4 * term.I);
}

template <const auto& kTerms>
struct ExponentsI {
  static constexpr ExponentSet kSet = [] {
    ExponentSet set;
    for (const auto& term : kTerms) set = set.With(ExponentI(term));
    return set;
  }();
};

// sum n a^I b^J over a table. The powers come in chains of log2(k) products
// (term_sums.h), and the terms go to four sums in turn, so that neither the
// powers nor the sums wait on one long chain of additions.
template <const auto& kTerms>
double Sum(double a, double b) {
  const detail::Powers<double, ExponentsI<kTerms>> a_powers(a);
  const detail::Powers<double, detail::ExponentsJ<kTerms>> b_powers(b);
  double sums[4] = {0, 0, 0, 0};
  Unrolled<0, std::size(kTerms)>([&](auto i) {
    constexpr auto term = kTerms[i];
    sums[i % 4] +=
        term.n * a_powers.template At<ExponentI(term)>() * b_powers.template At<term.J>();
  });
  return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

constexpr double kP2ab = 4;             // MPa, sub-regions 2a / 2b
constexpr double kP2bcLowest = 6.5467;  // MPa, lower end of the B2bc line
constexpr double kS2aContinued = 6.4;   // kJ/(kg K)

// IAPWS-IF97 eq. 20: the pressure (MPa) on B2bc at h (kJ/kg).
double PB2bc(double h) {
  const double* n = if97::detail::b2bc::n;
  return n[0] + n[1] * h + n[2] * h * h;
}

}  // namespace

double T1_ph(double p, double h) { return Sum<backward::kTable6>(p, h / 2500 + 1); }
double T2a_ph(double p, double h) { return Sum<backward::kTable20>(p, h / 2000 - 2.1); }
double T2b_ph(double p, double h) { return Sum<backward::kTable21>(p - 2, h / 2000 - 2.6); }
double T2c_ph(double p, double h) { return Sum<backward::kTable22>(p + 25, h / 2000 - 1.8); }
double T1_ps(double p, double s) { return Sum<backward::kTable8>(p, s + 2); }
double T2c_ps(double p, double s) { return Sum<backward::kTable27>(p, 2 - s / 2.9251); }

double T2a_ps(double p, double s) {
  return Sum<backward::kTable25>(std::sqrt(std::sqrt(p)), s / 2 - 2);
}

double T2_ph(double p, double h) {
  if (p <= kP2ab) return T2a_ph(p, h);
  if (p <= kP2bcLowest || p <= PB2bc(h)) return T2b_ph(p, h);
  return T2c_ph(p, h);
}

double T2_ps(double p, double s) {
  if (p <= kP2bcLowest || s >= kS2aContinued) return T2a_ps(p, s);
  return T2c_ps(p, s);
}

}  // namespace if97::engine
