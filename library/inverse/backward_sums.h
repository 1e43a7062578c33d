// Internal to the library: the sums of the IAPWS-IF97 backward equations
// T(p, h) and T(p, s), theta = sum n_i a^I_i b^J_i (T* = 1 K), in the form of
// the classic functions T_PH1 ... T_PS2c. (The state API's engine has its own
// double form, engine/backward.h.)
#ifndef STEAMCALC_LIBRARY_BACKWARD_SUMS_H
#define STEAMCALC_LIBRARY_BACKWARD_SUMS_H

#include <if97/if97.h>

#include <cstddef>

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

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_BACKWARD_SUMS_H
