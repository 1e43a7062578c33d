// The saturation line, IAPWS-IF97 region 4: the saturation temperature and
// pressure (eqs. 31 and 30), and the integer power the classic functions use.
#include <if97/if97.h>

#include <cmath>

#include "arith/precision.h"
#include "arith/stored.h"
#include "tables/boundary_equations.h"

namespace if97 {
namespace {

using detail::ext, detail::Stored;
using saturation::n;

}  // namespace

double PowInt(double x, int n) {
  if (n == 0) return 1;
  const unsigned count = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
  double b = 1;
  for (unsigned i = 0; i < count; ++i) b = x * b;
  return n > 0 ? b : 1 / b;
}

namespace {

// IAPWS-IF97 eq. 31 from beta = p^(1/4) on: E, F, G, D and T are stored as
// doubles, every operation in between is extended.
double SaturationTemperature(double beta) {
  const ext b = beta;
  const double E = Stored(b * b + n[2] * b + n[5]);
  const double F = Stored(n[0] * (b * b) + n[3] * b + n[6]);
  const double G = Stored(n[1] * (b * b) + n[4] * b + n[7]);
  const ext e = E, f = F, g = G;
  const double D = Stored(2 * g / (-f - std::sqrt(f * f - 4 * e * g)));
  const ext d = D;
  const double T =
      Stored((n[9] + d - std::sqrt((n[9] + d) * (n[9] + d) - 4 * (n[8] + n[9] * d))) / 2);
  return Stored(ext{T} - kKelvinOffset);
}

}  // namespace

// IAPWS-IF97 eq. 31. Every operation in extended precision; beta, E, F, G, D
// and T are stored as doubles. p <= 0, or a pressure below the formula's range
// (about 5.7e-9 MPa), raises the floating-point fault of the logarithm or the
// square root and yields NaN.
double TS_P(double p) {
  const detail::ExtendedPrecision guard;
  return SaturationTemperature(Stored(std::exp(std::log(ext{p}) / 4)));
}

// IAPWS-IF97 eq. 30. Every operation in extended precision; T, theta, A, B, C
// and the base of the fourth power are stored as doubles.
double PS_T(double t) {
  const detail::ExtendedPrecision guard;
  const double T = Stored(ext{t} + kKelvinOffset);
  const ext tk = T;
  const double theta = Stored(tk + n[8] / (tk - n[9]));
  const ext th = theta;
  const double A = Stored(th * th + n[0] * th + n[1]);
  const double B = Stored(n[2] * (th * th) + n[3] * th + n[4]);
  const double C = Stored(n[5] * (th * th) + n[6] * th + n[7]);
  const ext a = A, bb = B, c = C;
  const double base = Stored(2 * c / (-bb + std::sqrt(bb * bb - 4 * a * c)));
  return Stored(std::exp(4 * std::log(ext{base})));
}

}  // namespace if97
