// The other translation unit of powers_test: a power table whose exponents
// differ from the test's only in which reciprocals are formed.
#include "arith/powers.h"

namespace {
constexpr int kExponents[] = {-3, -1, 2};
}  // namespace

double ReciprocalFromOtherUnit(double x) {
  const if97::detail::PowerTable<if97::detail::Exponents{}.With(kExponents)> powers(x);
  return powers[-1];
}
