// The backward equations of region 3 and the region-3 saturation pressures
// in double precision: each sum over its table's terms, the powers of both
// bases formed once per call by successive products.
#include "engine/region3_backward.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "tables/region3_backward.h"

namespace if97::engine {

namespace {

namespace tables = if97::region3_backward;

// The lowest and highest exponent of one base in a table (0 always among
// them, for the power 1).
struct ExponentRange {
  int lowest = 0;
  int highest = 0;
};

template <typename Row, std::size_t N>
constexpr ExponentRange RangeOf(const Row (&rows)[N], int Row::*exponent) {
  ExponentRange range;
  for (const Row& row : rows) {
    range.lowest = std::min(range.lowest, row.*exponent);
    range.highest = std::max(range.highest, row.*exponent);
  }
  return range;
}

// x^k for the exponents of R by successive products, the negative ones as
// powers of 1 / x (one division).
template <ExponentRange R>
class Powers {
 public:
  explicit Powers(double x) {
    double* const power = at_ - R.lowest;  // power[k] = x^k
    power[0] = 1;
    for (int k = 1; k <= R.highest; ++k) power[k] = power[k - 1] * x;
    if constexpr (R.lowest < 0) {
      const double inverse = 1 / x;
      for (int k = 1; k <= -R.lowest; ++k) power[-k] = power[1 - k] * inverse;
    }
  }

  double operator[](int k) const { return at_[k - R.lowest]; }

 private:
  double at_[R.highest - R.lowest + 1];
};

// sum n_i x^I_i y^J_i over the rows of kTerms, in table order.
template <const auto& kTerms>
double Sum(double x, double y) {
  const Powers<RangeOf(kTerms, &detail::Term::I)> x_powers(x);
  const Powers<RangeOf(kTerms, &detail::Term::J)> y_powers(y);
  double sum = 0;
  for (const detail::Term& term : kTerms) sum += term.n * x_powers[term.I] * y_powers[term.J];
  return sum;
}

// x = x* sum n_i (pi + a)^I_i (eta - b)^J_i, eqs. 2 to 9.
template <const auto& kTerms, const tables::Reducing& kReducing>
double Backward(double p, double y) {
  const double pi = p / kReducing.p;
  const double eta = y / kReducing.y;
  return kReducing.x * Sum<kTerms>(pi + kReducing.a, eta - kReducing.b);
}

// p = p* sum n_i (eta - a)^I_i (eta - b)^J_i, eqs. 10 and 11, inside
// [lowest, highest] widened by a relative kBoundRounding; NaN elsewhere, by
// comparisons that raise no flag for a NaN y.
constexpr double kBoundRounding = 1e-8;

template <const auto& kTerms, const tables::SaturationReducing& kReducing>
double Saturation(double y, double lowest, double highest) {
  if (!(std::isgreaterequal(y, lowest * (1 - kBoundRounding)) &&
        std::islessequal(y, highest * (1 + kBoundRounding)))) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  const double eta = y / kReducing.y;
  return kReducing.p * Sum<kTerms>(eta - kReducing.a, eta - kReducing.b);
}

}  // namespace

double H3ab(double p) {
  const double pi = p;  // p* = 1 MPa
  const Powers<RangeOf(tables::kH3ab, &detail::PowerTerm::I)> pi_powers(pi);
  double eta = 0;  // h* = 1 kJ/kg
  for (const detail::PowerTerm& term : tables::kH3ab) eta += term.n * pi_powers[term.I];
  return eta;
}

double T3_ph(double p, double h) { return h <= H3ab(p) ? T3a_ph(p, h) : T3b_ph(p, h); }
double V3_ph(double p, double h) { return h <= H3ab(p) ? V3a_ph(p, h) : V3b_ph(p, h); }
double T3_ps(double p, double s) { return s <= tables::kSc ? T3a_ps(p, s) : T3b_ps(p, s); }
double V3_ps(double p, double s) { return s <= tables::kSc ? V3a_ps(p, s) : V3b_ps(p, s); }

double T3a_ph(double p, double h) { return Backward<tables::kT3aPh, tables::kT3aPhReducing>(p, h); }
double T3b_ph(double p, double h) { return Backward<tables::kT3bPh, tables::kT3bPhReducing>(p, h); }
double V3a_ph(double p, double h) { return Backward<tables::kV3aPh, tables::kV3aPhReducing>(p, h); }
double V3b_ph(double p, double h) { return Backward<tables::kV3bPh, tables::kV3bPhReducing>(p, h); }
double T3a_ps(double p, double s) { return Backward<tables::kT3aPs, tables::kT3aPsReducing>(p, s); }
double T3b_ps(double p, double s) { return Backward<tables::kT3bPs, tables::kT3bPsReducing>(p, s); }
double V3a_ps(double p, double s) { return Backward<tables::kV3aPs, tables::kV3aPsReducing>(p, s); }
double V3b_ps(double p, double s) { return Backward<tables::kV3bPs, tables::kV3bPsReducing>(p, s); }

double P3sat_h(double h) {
  return Saturation<tables::kP3satH, tables::kP3satHReducing>(h, tables::kP3satHLowest,
                                                              tables::kP3satHHighest);
}

double P3sat_s(double s) {
  return Saturation<tables::kP3satS, tables::kP3satSReducing>(s, tables::kP3satSLowest,
                                                              tables::kP3satSHighest);
}

}  // namespace if97::engine
