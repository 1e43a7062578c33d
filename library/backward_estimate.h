// Internal to the library: the backward equations T(p, h) and T(p, s) as
// first temperatures for the state functions' searches on the forward
// equations. The same sums as T_PH1 ... T_PS2c, with the powers of both bases
// formed once (powers.h) and the sum kept in extended precision: they agree
// with the classic functions to rounding, not bit for bit, at a fraction of
// their cost.
#ifndef STEAMCALC_LIBRARY_BACKWARD_ESTIMATE_H
#define STEAMCALC_LIBRARY_BACKWARD_ESTIMATE_H

#include <cstddef>

#include "if97.h"
#include "powers.h"

namespace if97::detail {

// theta = sum n_i a^I_i b^J_i; the result in degC (T* = 1 K).
template <Exponents EA, Exponents EB, std::size_t N>
double EstimateSum(const int (&I)[N], const int (&J)[N], const double (&n)[N], double a, double b) {
  const PowerTable<EA> a_powers(a);
  const PowerTable<EB> b_powers(b);
  long double theta = 0;
  for (std::size_t i = 0; i < N; ++i) {
    theta += static_cast<long double>(n[i]) * a_powers[I[i]] * b_powers[J[i]];
  }
  return static_cast<double>(theta - kKelvinOffset);
}

double EstimateT_PH1(double p, double h);   // IAPWS-IF97 eq. 11
double EstimateT_PH2a(double p, double h);  // eq. 22
double EstimateT_PH2b(double p, double h);  // eq. 23
double EstimateT_PH2c(double p, double h);  // eq. 24
double EstimateT_PS1(double p, double s);   // eq. 13
double EstimateT_PS2a(double p, double s);  // eq. 25
double EstimateT_PS2c(double p, double s);  // eq. 27

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_BACKWARD_ESTIMATE_H
