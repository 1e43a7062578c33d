// Internal to the library: the sums of the IAPWS-IF97 backward equations
// T(p, h) and T(p, s), theta = sum n_i a^I_i b^J_i (T* = 1 K), in two forms.
// BackwardSum is the form of the classic functions T_PH1 ... T_PS2c.
// EstimateSum gives the state functions their first temperatures: the powers
// of both bases formed once (powers.h) and the sum kept in extended
// precision, it agrees with the classic form to rounding, not bit for bit, at
// a fraction of its cost.
#ifndef STEAMCALC_LIBRARY_BACKWARD_SUMS_H
#define STEAMCALC_LIBRARY_BACKWARD_SUMS_H

#include <if97/if97.h>

#include <cstddef>

#include "arith/powers.h"
#include "arith/precision.h"
#include "arith/stored.h"
#include "tables/term.h"

namespace if97::detail {

// The two bases a and b of a sum, the reduced quantities shifted as the
// equation has them.
struct Bases {
  double a;
  double b;
};

// In table order, PowInt per term, into a double accumulator; the result in
// degC.
template <std::size_t N>
double BackwardSum(const Term (&terms)[N], Bases x) {
  const ExtendedPrecision guard;
  double theta = 0;
  for (const Term& term : terms) {
    theta = Stored(theta + ext{term.n} * PowInt(x.a, term.I) * PowInt(x.b, term.J));
  }
  return theta - kKelvinOffset;
}

// The exponents I (of a) and J (of b) of a table, for EstimateSum.
template <std::size_t N>
constexpr Exponents ExponentsOfA(const Term (&terms)[N]) {
  int I[N] = {};
  for (std::size_t i = 0; i < N; ++i) I[i] = terms[i].I;
  return Exponents{}.With(I);
}

template <std::size_t N>
constexpr Exponents ExponentsOfB(const Term (&terms)[N]) {
  int J[N] = {};
  for (std::size_t i = 0; i < N; ++i) J[i] = terms[i].J;
  return Exponents{}.With(J);
}

// The same sum from tables of the powers; the result in degC.
template <const auto& kTerms>
double EstimateSum(Bases x) {
  const PowerTable<ExponentsOfA(kTerms)> a_powers(x.a);
  const PowerTable<ExponentsOfB(kTerms)> b_powers(x.b);
  long double theta = 0;
  for (const Term& term : kTerms) {
    theta += ext{term.n} * a_powers[term.I] * b_powers[term.J];
  }
  return Stored(theta - kKelvinOffset);
}

double EstimateT_PH1(double p, double h);   // IAPWS-IF97 eq. 11
double EstimateT_PH2a(double p, double h);  // eq. 22
double EstimateT_PH2b(double p, double h);  // eq. 23
double EstimateT_PH2c(double p, double h);  // eq. 24
double EstimateT_PS1(double p, double s);   // eq. 13
double EstimateT_PS2a(double p, double s);  // eq. 25
double EstimateT_PS2c(double p, double s);  // eq. 27

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_BACKWARD_SUMS_H
