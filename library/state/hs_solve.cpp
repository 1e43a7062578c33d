// Placeholder of the (h, s) solution: refuses every pair until the solver
// lands.
#include "state/hs_solve.h"

#include <limits>

namespace if97::detail {

HsSolution SolveHs(double, double) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  return HsSolution{HsSolution::Kind::kOutOfRange, 0, kNaN, kNaN, kNaN, kNaN};
}

}  // namespace if97::detail
