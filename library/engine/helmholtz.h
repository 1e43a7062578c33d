// Internal to the engine: the region-3 basic equation, IAPWS-IF97 eq. 28,
// phi(delta, tau) = n1 ln delta + sum n_i delta^I_i tau^J_i (Table 30), with
// delta = rho / rho* and tau = T* / T. Region3 (every property) and the
// density search (the pressure along one isotherm) both form the pressure
// here, from the same polynomials in tau and the same operations, so the
// search's pressure is bit for bit the one Region3 reports.
#ifndef STEAMCALC_LIBRARY_ENGINE_HELMHOLTZ_H
#define STEAMCALC_LIBRARY_ENGINE_HELMHOLTZ_H

#include <if97/if97.h>

#include <cmath>

#include "engine/term_sums.h"
#include "tables/basic_equations.h"

namespace if97::engine::detail {

// The derivatives of phi, scaled by their bases as the relations of
// IAPWS-IF97 Table 31 read them.
template <typename Real>
struct Helmholtz {
  Real phi;
  Real d;   // delta phi_delta
  Real dd;  // delta^2 phi_deltadelta
  Real t;   // tau phi_tau
  Real tt;  // tau^2 phi_tautau
  Real dt;  // delta tau phi_deltatau
};

template <typename Real>
Real InverseReducedTemperature(Real T) {
  return Real{region3::kTStar} / T;
}

// The pressure and its slope at constant T (Table 31):
//   p = rho R T delta phi_delta,
//   dp/drho = R T (2 delta phi_delta + delta^2 phi_deltadelta),
// rho R T in kPa, with delta phi_delta and delta^2 phi_deltadelta.
template <typename Real>
struct Pressure {
  Real p;        // MPa
  Real dp_drho;  // MPa m3/kg
  Real d;        // delta phi_delta
  Real dd;       // delta^2 phi_deltadelta
};

// The sum over delta cancels: in dense liquid delta phi_delta is about
// 1/5000 of the sum of its terms' magnitudes, so formed in double its
// rounding would move the pressure by up to 5e-13 of itself from one density
// to the next, more than the density search may leave (1e-13). It is formed
// in the wider type Wide from the groups' polynomials in tau: delta, its
// powers, the sums and the pressure, each result rounded to Real once. The
// polynomials in tau depend on T only; their rounding shifts the isotherm as
// a whole and leaves it smooth.
template <typename Wide, typename Real, typename Polynomials>
Pressure<Real> PressureAt(Real rho, Real RT, const Polynomials& tau) {
  using G = Groups<region3::kTerms>;
  const Wide delta = Wide{rho} / Wide{region3::kRhoStar};
  const XPowers<region3::kTerms, Wide> x(delta);
  const Wide n1{region3::n1};
  Wide d = n1;
  Wide dd = -n1;
  Unrolled<0, G::kCount>([&](auto k) {
    constexpr int I = G::I(k);
    const Wide p = x.template At<I>() * Wide{tau.P[k]};
    d += Wide{I} * p;
    dd += Wide{I * (I - 1)} * p;
  });
  const Wide rt{RT};
  return {static_cast<Real>(Wide{rho} * rt * d / 1000), static_cast<Real>(rt * (2 * d + dd) / 1000),
          static_cast<Real>(d), static_cast<Real>(dd)};
}

// Every derivative at (rho, T) from one pass over the terms, the pressure
// and the delta derivatives as PressureAt forms them.
template <typename Real>
struct Region3Sums {
  Helmholtz<Real> phi;
  Pressure<Real> pressure;
};

// With the pressure sums given: those PressureAt formed at the same rho and
// T (an Isotherm's At, whose polynomials in tau are these), the same bits.
template <typename Real>
Region3Sums<Real> Region3AtPressure(Real rho, Real T, const Pressure<Real>& pressure) {
  using Polynomials = GroupPolynomials<region3::kTerms, Real>;
  const Real delta = rho / Real{region3::kRhoStar};
  const XPowers<region3::kTerms, Real> x(delta);
  const Polynomials g =
      Polynomials::template Of<true>(typename Polynomials::YPowers(InverseReducedTemperature(T)));
  const TermSums<Real> sums = CombineGroups<region3::kTerms, true>(g, x);
  const Real n1{region3::n1};
  return {{n1 * std::log(delta) + sums.value, pressure.d, pressure.dd, sums.y, sums.yy, sums.xy},
          pressure};
}

template <typename Wide, typename Real>
Region3Sums<Real> Region3At(Real rho, Real T, Real RT) {
  using Polynomials = GroupPolynomials<region3::kTerms, Real>;
  const Real delta = rho / Real{region3::kRhoStar};
  const XPowers<region3::kTerms, Real> x(delta);
  const Polynomials g =
      Polynomials::template Of<true>(typename Polynomials::YPowers(InverseReducedTemperature(T)));
  const TermSums<Real> sums = CombineGroups<region3::kTerms, true>(g, x);
  const Pressure<Real> pressure = PressureAt<Wide>(rho, RT, g);
  const Real n1{region3::n1};
  return {{n1 * std::log(delta) + sums.value, pressure.d, pressure.dd, sums.y, sums.yy, sums.xy},
          pressure};
}

// The pressure along the isotherm T: the groups' polynomials in tau formed
// once, each density then a polynomial of degree 11 in delta.
template <typename Wide, typename Real>
class Isotherm {
  using Polynomials = GroupPolynomials<region3::kTerms, Real>;

 public:
  explicit Isotherm(Real T)
      : RT_(Real{kGasConstant} * T),
        tau_(Polynomials::template Of<false>(
            typename Polynomials::YPowers(InverseReducedTemperature(T)))) {}

  // p and dp/drho at rho, as Region3 forms them.
  Pressure<Real> At(Real rho) const { return PressureAt<Wide>(rho, RT_, tau_); }

  // The same formed in Real alone: about three times cheaper, and off by the
  // rounding noise described at PressureAt (below 1e-12 p).
  Pressure<Real> Estimate(Real rho) const { return PressureAt<Real>(rho, RT_, tau_); }

 private:
  Real RT_;  // kJ/kg
  Polynomials tau_;
};

}  // namespace if97::engine::detail

#endif  // STEAMCALC_LIBRARY_ENGINE_HELMHOLTZ_H
