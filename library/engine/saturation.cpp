// The state engine's boundaries: the saturation line (IAPWS-IF97 eqs. 30 and
// 31, Table 34) and B23 (eqs. 5 and 6, Table 1) in double.
#include <cmath>
#include <limits>

#include "engine/forward.h"
#include "tables/boundary_equations.h"

namespace if97::engine {
namespace {

using saturation::n;
namespace b23 = if97::detail::b23;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The comparisons that guard the formulas are the quiet ones
// (std::isgreater...): a NaN argument gives NaN without raising invalid.

}  // namespace

// IAPWS-IF97 eq. 30 with theta = T + n9 / (T - n10). NaN beyond the pole of
// theta at n10 = 650.1753 K and where the square root has no value.
double Psat(double T) {
  if (!(std::isgreater(T, 0) && std::isless(T, n[9]))) return kNaN;
  const double theta = T + n[8] / (T - n[9]);
  const double A = theta * theta + n[0] * theta + n[1];
  const double B = n[2] * theta * theta + n[3] * theta + n[4];
  const double C = n[5] * theta * theta + n[6] * theta + n[7];
  const double discriminant = B * B - 4 * A * C;
  if (!std::isgreaterequal(discriminant, 0)) return kNaN;
  const double base = 2 * C / (-B + std::sqrt(discriminant));
  const double square = base * base;
  return square * square;
}

// Eq. 29, F(beta, theta) = A beta^2 + B beta + C = 0 with A, B and C the
// quadratics in theta of eq. 30: d beta / d theta = -F_theta / F_beta, and
// p = beta^4, d theta / dT = 1 - n9 / (T - n10)^2.
double PsatSlope(double T) {
  const double p = Psat(T);
  if (std::isnan(p)) return kNaN;
  const double theta = T + n[8] / (T - n[9]);
  const double beta = std::sqrt(std::sqrt(p));
  const double A = theta * theta + n[0] * theta + n[1];
  const double B = n[2] * theta * theta + n[3] * theta + n[4];
  const double F_theta = (2 * theta + n[0]) * beta * beta + (2 * n[2] * theta + n[3]) * beta +
                         (2 * n[5] * theta + n[6]);
  const double F_beta = 2 * A * beta + B;
  const double gap = T - n[9];
  return -4 * beta * beta * beta * F_theta / F_beta * (1 - n[8] / (gap * gap));
}

// IAPWS-IF97 eq. 31 with beta = p^(1/4). NaN where a square root has no
// value (p <= 0, p below about 5.7e-9 MPa).
double Tsat(double p) {
  if (!std::isgreater(p, 0)) return kNaN;
  const double beta = std::sqrt(std::sqrt(p));
  const double E = beta * beta + n[2] * beta + n[5];
  const double F = n[0] * beta * beta + n[3] * beta + n[6];
  const double G = n[1] * beta * beta + n[4] * beta + n[7];
  const double discriminant = F * F - 4 * E * G;
  if (!std::isgreaterequal(discriminant, 0)) return kNaN;
  const double D = 2 * G / (-F - std::sqrt(discriminant));
  // (n10 + D)^2 - 4 (n9 + n10 D) written as (D - n10)^2 - 4 n9: the same
  // value without the cancellation of two terms near 1.2e6 (five bits), and
  // two operations shorter.
  const double gap = D - n[9];
  const double root = gap * gap - 4 * n[8];
  if (!std::isgreaterequal(root, 0)) return kNaN;
  return (n[9] + D - std::sqrt(root)) / 2;
}

// IAPWS-IF97 eq. 5.
double PB23(double T) { return b23::n[0] + b23::n[1] * T + b23::n[2] * T * T; }

// IAPWS-IF97 eq. 6.
double TB23(double p) {
  if (!std::isgreaterequal(p, b23::n[4])) return kNaN;
  return b23::n[3] + std::sqrt((p - b23::n[4]) / b23::n[2]);
}

}  // namespace if97::engine
