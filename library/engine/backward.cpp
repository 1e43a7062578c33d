// The backward equations T(p, h), T(p, s) of regions 1 and 2 in double
// (backward.h): each sum sum n_i a^I_i b^J_i over its table, the powers of a
// and b built once by multiplication over the exponents' range.
#include "engine/backward.h"

#include <cmath>
#include <cstddef>

#include "tables/backward_equations.h"
#include "tables/boundary_equations.h"

namespace if97::engine {
namespace {

using if97::detail::QuarterTerm;
using if97::detail::Term;

struct Range {
  int lowest;
  int highest;
};

template <std::size_t N>
constexpr Range RangeOfI(const Term (&terms)[N]) {
  Range r{0, 0};
  for (const Term& t : terms) {
    if (t.I < r.lowest) r.lowest = t.I;
    if (t.I > r.highest) r.highest = t.I;
  }
  return r;
}

template <std::size_t N>
constexpr Range RangeOfJ(const Term (&terms)[N]) {
  Range r{0, 0};
  for (const Term& t : terms) {
    if (t.J < r.lowest) r.lowest = t.J;
    if (t.J > r.highest) r.highest = t.J;
  }
  return r;
}

// x^k for k in the range, at index k - lowest; x^0 = 1.
template <Range R>
struct Powers {
  double value[R.highest - R.lowest + 1];
  explicit Powers(double x) {
    value[-R.lowest] = 1;
    for (int k = 1; k <= R.highest; ++k) value[-R.lowest + k] = value[-R.lowest + k - 1] * x;
    if constexpr (R.lowest < 0) {
      const double inverse = 1 / x;
      for (int k = 1; k <= -R.lowest; ++k)
        value[-R.lowest - k] = value[-R.lowest - k + 1] * inverse;
    }
  }
  double operator[](int k) const { return value[k - R.lowest]; }
};

template <const auto& kTerms>
double Sum(double a, double b) {
  const Powers<RangeOfI(kTerms)> a_powers(a);
  const Powers<RangeOfJ(kTerms)> b_powers(b);
  double theta = 0;
  for (const Term& term : kTerms) theta += term.n * a_powers[term.I] * b_powers[term.J];
  return theta;
}

// Table 25's I are quarters: pi^I = (pi^(1/4))^(4 I).
constexpr Range QuarterRange() {
  Range r{0, 0};
  for (const QuarterTerm& t : backward::kTable25) {
    const int k = static_cast<int>(4 * t.I);
    if (k < r.lowest) r.lowest = k;
    if (k > r.highest) r.highest = k;
  }
  return r;
}

constexpr Range JRange25() {
  Range r{0, 0};
  for (const QuarterTerm& t : backward::kTable25) {
    if (t.J < r.lowest) r.lowest = t.J;
    if (t.J > r.highest) r.highest = t.J;
  }
  return r;
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
  const Powers<QuarterRange()> quarter_powers(std::sqrt(std::sqrt(p)));
  const Powers<JRange25()> sigma_powers(s / 2 - 2);
  double theta = 0;
  for (const QuarterTerm& term : backward::kTable25) {
    theta += term.n * quarter_powers[static_cast<int>(4 * term.I)] * sigma_powers[term.J];
  }
  return theta;
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
