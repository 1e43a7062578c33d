// Region 1 (liquid water): IAPWS-IF97 basic equation, dimensionless Gibbs free
// energy gamma(pi, tau), eq. 7.
#include <cmath>
#include <iterator>
#include <limits>

#include "basic_equations.h"
#include "if97.h"
#include "powers.h"
#include "properties.h"
#include "region1_unchecked.h"

namespace if97 {
namespace {

using ext = long double;

using detail::AsDoubles;
using detail::Exponents;
using detail::PowerTable;
using detail::Products;
using region1::I;
using region1::J;
using region1::n;

constexpr double kPStar = 16.53;                // MPa
constexpr double kTStar = 1386;                 // K
constexpr double kPiShift = 7.1;                // dimensionless
constexpr double kTauShift = 1.222;             // dimensionless
constexpr double kWaterSideTolerance = 0.0001;  // degC above TS_P(p)

struct Reduced {
  double pi;   // p / p*
  double a;    // 7.1 - pi
  double T;    // K
  double tau;  // T* / T
  double c;    // tau - 1.222
};

Reduced Reduce(double p, double t) {
  Reduced r;
  r.pi = static_cast<double>(static_cast<ext>(p) / kPStar);
  r.a = static_cast<double>(kPiShift - static_cast<ext>(r.pi));
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(kTStar / static_cast<ext>(r.T));
  r.c = static_cast<double>(static_cast<ext>(r.tau) - kTauShift);
  return r;
}

// The powers each sum reads.
constexpr Exponents kAI = Exponents{}.With(I);                  // (7.1 - pi)^I
constexpr Exponents kAIMinus1 = Exponents{}.With(I, -1);        // (7.1 - pi)^(I - 1)
constexpr Exponents kCJ = Exponents{}.With(J);                  // (tau - 1.222)^J
constexpr Exponents kCJMinus1 = Exponents{}.With(J, -1);        // (tau - 1.222)^(J - 1)
constexpr Exponents kCJBoth = Exponents{}.With(J, -1).With(J);  // both of the entropy

constexpr auto kJ = AsDoubles(J);     // J_i
constexpr auto kIN = Products(I, n);  // I_i n_i

// The powers h, s and v read, together: the second derivatives reuse them.
constexpr Exponents kAAll = Exponents{}.With(I).With(I, -1);
constexpr Exponents kCAll = Exponents{}.With(J).With(J, -1);

constexpr double kNotFormed = std::numeric_limits<double>::quiet_NaN();

// The state lies on the water side of the saturation line (within the tolerance).
bool OnWaterSide(double p, double t) {
  return static_cast<ext>(TS_P(p)) + kWaterSideTolerance >= t;
}

}  // namespace

namespace detail {

// IAPWS-IF97 Tables 3 and 4: h = R T tau gamma_tau.
double H1_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kAI> a(r.a);
  const PowerTable<kCJMinus1> c(r.c);
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    gamma_tau =
        static_cast<double>(gamma_tau + static_cast<ext>(n[i]) * a[I[i]] * kJ[i] * c[J[i] - 1]);
  }
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau * gamma_tau);
}

// IAPWS-IF97 Tables 3 and 4: s = R (tau gamma_tau - gamma).
double S1_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kAI> a(r.a);
  const PowerTable<kCJBoth> c(r.c);
  double gamma_tau = 0;
  double gamma = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    const ext n_a = static_cast<ext>(n[i]) * a[I[i]];
    gamma_tau = static_cast<double>(gamma_tau + n_a * kJ[i] * c[J[i] - 1]);
    gamma = static_cast<double>(gamma + n_a * c[J[i]]);
  }
  return static_cast<double>((static_cast<ext>(r.tau) * gamma_tau - gamma) * kGasConstant);
}

// IAPWS-IF97 Tables 3 and 4, every relation from one pass over the terms. h,
// s and v are formed exactly as H1_PT, S1_PT and V1_PT form them. The second
// derivatives are summed in extended precision from the terms of the first,
// each term's one power too many taken off the sum as a whole:
//   gamma_pipi   = -1 / (7.1 - pi) * sum (I - 1) [gamma_pi term],
//   gamma_tautau = 1 / (tau - 1.222) * sum (J - 1) [gamma_tau term],
//   gamma_pitau  = -1 / (7.1 - pi) * sum I [gamma_tau term],
//   gamma_tautautau = 1 / (tau - 1.222)^2 * sum (J - 1) (J - 2) [gamma_tau term].
// A search step needs h, s, cp and d cp / dT only; the pi derivatives are
// then left out.
namespace {

// kWhole: every property; else h, s, cp and dcp_dt only, the others NaN.
template <bool kWhole>
Properties Region1Evaluate(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kAAll> a(r.a);
  const PowerTable<kCAll> c(r.c);
  double gamma = 0;
  double gamma_pi = 0;
  double gamma_tau = 0;
  ext sum_pipi = 0;
  ext sum_tautau = 0;
  ext sum_pitau = 0;
  ext sum_tautautau = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    const ext n_a = static_cast<ext>(n[i]) * a[I[i]];
    const ext term_tau = n_a * kJ[i] * c[J[i] - 1];
    gamma_tau = static_cast<double>(gamma_tau + term_tau);
    gamma = static_cast<double>(gamma + n_a * c[J[i]]);
    sum_tautau += (J[i] - 1) * term_tau;
    sum_tautautau += (J[i] - 1) * (J[i] - 2) * term_tau;
    if constexpr (kWhole) {
      const ext term_pi = -kIN[i] * a[I[i] - 1] * c[J[i]];
      gamma_pi = static_cast<double>(gamma_pi + term_pi);
      sum_pipi += (I[i] - 1) * term_pi;
      sum_pitau += I[i] * term_tau;
    }
  }
  Properties out{kNotFormed, kNotFormed, kNotFormed, kNotFormed,
                 kNotFormed, kNotFormed, kNotFormed, kNotFormed};
  out.h = static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau * gamma_tau);
  out.s = static_cast<double>((static_cast<ext>(r.tau) * gamma_tau - gamma) * kGasConstant);
  const ext gamma_tautau = sum_tautau / r.c;
  const ext gamma_tautautau = sum_tautautau / (static_cast<ext>(r.c) * r.c);
  const ext tau = r.tau;
  const ext tau2_gamma_tautau = tau * tau * gamma_tautau;
  out.cp = static_cast<double>(-kGasConstant * tau2_gamma_tautau);
  // cp = -R tau^2 gamma_tautau and d tau / dT = -tau / T.
  out.dcp_dt = static_cast<double>(kGasConstant * tau * tau *
                                   (2 * gamma_tautau + tau * gamma_tautautau) / r.T);
  if constexpr (kWhole) {
    out.v = static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi * gamma_pi /
                                (static_cast<ext>(p) * 1000));
    const ext gamma_pipi = -sum_pipi / r.a;
    const ext gamma_pitau = -sum_pitau / r.a;
    const ext rt = static_cast<ext>(r.T) * kGasConstant;
    const ext pi = r.pi;
    const ext b = gamma_pi - tau * gamma_pitau;
    out.u = static_cast<double>(rt * (tau * gamma_tau - pi * gamma_pi));
    out.cv = static_cast<double>(kGasConstant * (-tau2_gamma_tautau + b * b / gamma_pipi));
    // R T in J/kg gives w in m/s.
    out.w = static_cast<double>(
        std::sqrt(rt * 1000 * gamma_pi * gamma_pi / (b * b / tau2_gamma_tautau - gamma_pipi)));
  }
  return out;
}

}  // namespace

Properties Region1Properties(double p, double t) { return Region1Evaluate<true>(p, t); }

Properties Region1Slopes(double p, double t) { return Region1Evaluate<false>(p, t); }

}  // namespace detail

double HW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (HW_PT)");
    return FAILURE;
  }
  return detail::H1_PT(p, t);
}

double SW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (SW_PT)");
    return FAILURE;
  }
  return detail::S1_PT(p, t);
}

double VW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (VW_PT)");
    return FAILURE;
  }
  return V1_PT(p, t);
}

// IAPWS-IF97 Tables 3 and 4: v = R T pi gamma_pi / p. The terms with I = 0 form
// a reciprocal power that their factor I = 0 removes.
double V1_PT(double p, double t) {
  const Reduced r = Reduce(p, t);
  const PowerTable<kAIMinus1> a(r.a);
  const PowerTable<kCJ> c(r.c);
  double gamma_pi = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    gamma_pi = static_cast<double>(gamma_pi + -kIN[i] * a[I[i] - 1] * c[J[i]]);
  }
  // kJ/(kg K) * K / MPa = 1e-3 m3/kg.
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi * gamma_pi /
                             (static_cast<ext>(p) * 1000));
}

}  // namespace if97
