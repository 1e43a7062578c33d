// The state engine's basic equations: IAPWS-IF97 regions 1, 2 and 5 by
// (p, T) from the Gibbs free energy, region 3 by (rho, T) from the Helmholtz
// free energy, each from one pass over its terms (term_sums.h) and the
// relations of Tables 3, 12, 31 and 39 in double.
#include "engine/forward.h"

#include <if97/if97.h>

#include <cmath>
#include <limits>

#include "engine/density_search.h"
#include "engine/helmholtz.h"
#include "engine/term_sums.h"
#include "tables/basic_equations.h"

namespace if97::engine {
namespace {

using detail::AlongY, detail::IdealSums, detail::SumAlongY, detail::SumIdealAlongY,
    detail::SumIdealTerms, detail::SumTerms, detail::TermSums;

constexpr double R = kGasConstant;  // kJ/(kg K)

// The wider type of the region-3 pressure (helmholtz.h).
using Wide = long double;

// Region 1, eq. 7: gamma(7.1 - pi, tau - 1.222).
constexpr double kP1Star = 16.53;    // MPa
constexpr double kT1Star = 1386;     // K
constexpr double kPiShift = 7.1;     // dimensionless
constexpr double kTauShift = 1.222;  // dimensionless

// Region 2, eq. 15: gamma_o(tau) + gamma_r(pi, tau - 0.5).
constexpr double kP2Star = 1;       // MPa
constexpr double kT2Star = 540;     // K
constexpr double kTau2Shift = 0.5;  // dimensionless

// Region 5, eq. 32: gamma_o(tau) + gamma_r(pi, tau).
constexpr double kP5Star = 1;     // MPa
constexpr double kT5Star = 1000;  // K

// The derivatives of a Gibbs free energy gamma(pi, tau), scaled by their
// bases: Tables 3, 12 and 39 multiplied through by pi and tau.
struct Gibbs {
  double g;   // gamma
  double p;   // pi gamma_pi
  double pp;  // pi^2 gamma_pipi
  double t;   // tau gamma_tau
  double tt;  // tau^2 gamma_tautau
  double pt;  // pi tau gamma_pitau
};

// Tables 3, 12 and 39: v = R T pi gamma_pi / p, h = R T tau gamma_tau,
// s = R (tau gamma_tau - gamma), u = R T (tau gamma_tau - pi gamma_pi),
// cp = -R tau^2 gamma_tautau, cv = cp + R (gamma_pi - tau gamma_pitau)^2 /
// gamma_pipi, w^2 = R T gamma_pi^2 / ((gamma_pi - tau gamma_pitau)^2 /
// (tau^2 gamma_tautau) - gamma_pipi); with them
// (dv/dp)_T = R T gamma_pipi / p*^2 and (dv/dT)_p = R (gamma_pi -
// tau gamma_pitau) / p*. R T in kJ/kg over p in MPa is 1e-3 m3/kg; in J/kg
// it gives w in m/s.
//
// The speed of sound from its square, NaN without a floating-point exception
// where the square is not positive: beyond a phase's stability limit, where
// a solver's iterate may stray.
double SpeedOfSound(double w2) {  // w2 in m2/s2
  return std::isgreater(w2, 0.0) ? std::sqrt(w2) : std::numeric_limits<double>::quiet_NaN();
}

// Five divisions in all: the reciprocals of pi gamma_pi p, T, gamma_pipi and
// gamma_tautau (scaled), and the speed of sound's; the rest are products.
void FromGibbs(double p, double T, const Gibbs& g, Props& out) {
  const double RT = R * T;
  const double b = g.p - g.pt;                 // pi (gamma_pi - tau gamma_pitau)
  const double per_gp_p = 1 / (g.p * p);       // 1 / (pi gamma_pi p)
  const double per_p = g.p * per_gp_p / 1000;  // 1 / p, kJ/kg to m3/kg
  const double per_T = 1 / T;
  const double per_pp = 1 / g.pp;
  const double per_tt = 1 / g.tt;
  out.p = p;
  out.T = T;
  out.v = RT * g.p * per_p;
  out.rho = 1000 / R * p * p * per_gp_p * per_T;  // 1 / v
  out.h = RT * g.t;
  out.s = R * (g.t - g.g);
  out.u = RT * (g.t - g.p);
  out.cp = -R * g.tt;
  out.cv = R * (-g.tt + b * b * per_pp);
  out.w = SpeedOfSound(1000 * RT * g.p * g.p / (b * b * per_tt - g.pp));

  out.dv_dT_p = R * b * per_p;
  out.alpha_v = out.dv_dT_p * out.rho;
  out.kappa_T = -g.pp * per_gp_p;  // -(dv/dp)_T / v
  out.dv_dp_T = -out.kappa_T * out.v;

  out.dh_dT_p = out.cp;
  out.ds_dT_p = out.cp * per_T;
  out.dh_dp_T = 1000 * (out.v - T * out.dv_dT_p);
  out.ds_dp_T = -1000 * out.dv_dT_p;

  // rho = 1 / v: (dp/drho)_T = v / kappa_T, (dp/dT)_rho = alpha_v / kappa_T;
  // h = u + p v: (dh/dT)_rho = cv + v (dp/dT)_rho.
  const double per_kappa = -g.p * p * per_pp;  // 1 / kappa_T
  out.dp_drho_T = out.v * per_kappa;
  out.dp_dT_rho = out.alpha_v * per_kappa;
  out.dh_drho_T = out.dh_dp_T * out.dp_drho_T;
  out.dh_dT_rho = out.cv + 1000 * out.v * out.dp_dT_rho;
  out.ds_drho_T = out.ds_dp_T * out.dp_drho_T;
  out.ds_dT_rho = out.cv * per_T;
}

Props FromGibbs(double p, double T, const Gibbs& g) {
  Props out;
  FromGibbs(p, T, g, out);
  return out;
}

// From gamma, tau gamma_tau, tau^2 gamma_tautau and tau^3 gamma_tautautau:
// cp = -R tau^2 gamma_tautau and, with d tau / dT = -tau / T,
// dcp/dT = R (2 tau^2 gamma_tautau + tau^3 gamma_tautautau) / T.
Isobar FromTau(double T, double g, double t, double tt, double ttt) {
  return {R * T * t, R * (t - g), -R * tt, R * (2 * tt + ttt) / T};
}

}  // namespace

namespace {

// IAPWS-IF97 eq. 7 with x = 7.1 - pi, y = tau - 1.222: gamma_pi = -f_x,
// gamma_tau = f_y, and so on, which the scaled sums give as
// pi gamma_pi = -(pi / x) x f_x, tau gamma_tau = (tau / y) y f_y.
Gibbs Region1Gibbs(double p, double T) {
  const double pi = p / kP1Star;
  const double tau = kT1Star / T;
  const double x = kPiShift - pi;
  const double y = tau - kTauShift;
  const TermSums<double> f = SumTerms<region1::kTerms>(x, y);
  const double a = pi / x;
  const double c = tau / y;
  return {f.value, -a * f.x, a * a * f.xx, c * f.y, c * c * f.yy, -a * c * f.xy};
}

// IAPWS-IF97 eq. 15: gamma = ln pi + gamma_o(tau) + gamma_r(pi, tau - 0.5),
// pi gamma_o_pi = 1, pi^2 gamma_o_pipi = -1.
Gibbs Region2Gibbs(double p, double T) {
  const double pi = p / kP2Star;
  const double tau = kT2Star / T;
  const double y = tau - kTau2Shift;
  const IdealSums<double> o = SumIdealTerms<region2::kIdealTerms>(tau);
  const TermSums<double> r = SumTerms<region2::kTerms>(pi, y);
  const double c = tau / y;
  return {std::log(pi) + o.value + r.value,
          1 + r.x,
          -1 + r.xx,
          o.y + c * r.y,
          o.yy + c * c * r.yy,
          c * r.xy};
}

}  // namespace

Props Region1(double p, double T) { return FromGibbs(p, T, Region1Gibbs(p, T)); }

Props Region2(double p, double T) { return FromGibbs(p, T, Region2Gibbs(p, T)); }

// Both sets of sums first, then both properties: the two evaluations
// interleave within one function.
void Region1And2(double p, double T, Props& water, Props& steam) {
  const Gibbs g2 = Region2Gibbs(p, T);  // ln p first, beside eq. 31's latency
  const Gibbs g1 = Region1Gibbs(p, T);
  FromGibbs(p, T, g1, water);
  FromGibbs(p, T, g2, steam);
}

// IAPWS-IF97 eq. 32, the residual part in its 1997 five-term form.
Props Region5(double p, double T) {
  const double pi = p / kP5Star;
  const double tau = kT5Star / T;
  const IdealSums<double> o = SumIdealTerms<region5::kIdealTerms>(tau);
  const TermSums<double> r = SumTerms<region5::kTerms>(pi, tau);
  return FromGibbs(
      p, T, {std::log(pi) + o.value + r.value, 1 + r.x, -1 + r.xx, o.y + r.y, o.yy + r.yy, r.xy});
}

Isobar Region1Isobar(double p, double T) {
  const double tau = kT1Star / T;
  const double y = tau - kTauShift;
  const AlongY<double> f = SumAlongY<region1::kTerms>(kPiShift - p / kP1Star, y);
  const double c = tau / y;
  return FromTau(T, f.value, c * f.y, c * c * f.yy, c * c * c * f.yyy);
}

Isobar Region2Isobar(double p, double T) {
  const double tau = kT2Star / T;
  const double y = tau - kTau2Shift;
  const AlongY<double> o = SumIdealAlongY<region2::kIdealTerms>(tau);
  const AlongY<double> r = SumAlongY<region2::kTerms>(p / kP2Star, y);
  const double c = tau / y;
  return FromTau(T, std::log(p / kP2Star) + o.value + r.value, o.y + c * r.y, o.yy + c * c * r.yy,
                 o.yyy + c * c * c * r.yyy);
}

Isobar Region5Isobar(double p, double T) {
  const double tau = kT5Star / T;
  const AlongY<double> o = SumIdealAlongY<region5::kIdealTerms>(tau);
  const AlongY<double> r = SumAlongY<region5::kTerms>(p / kP5Star, tau);
  return FromTau(T, std::log(p / kP5Star) + o.value + r.value, o.y + r.y, o.yy + r.yy,
                 o.yyy + r.yyy);
}

// IAPWS-IF97 Table 31: p = rho R T delta phi_delta, h = R T (tau phi_tau +
// delta phi_delta), s = R (tau phi_tau - phi), u = R T tau phi_tau,
// cv = -R tau^2 phi_tautau, cp = cv + R b^2 / c, w^2 = R T (c - b^2 /
// (tau^2 phi_tautau)) with b = delta phi_delta - delta tau phi_deltatau and
// c = 2 delta phi_delta + delta^2 phi_deltadelta. h / (R T) = tau phi_tau +
// delta phi_delta and s / R = tau phi_tau - phi differentiated at constant tau
// (d delta / drho = delta / rho) and at constant delta (d tau / dT = -tau / T):
// (dp/drho)_T = R T c, (dp/dT)_rho = rho R b, (dh/drho)_T = R T (c - b) / rho,
// (dh/dT)_rho = cv + R b, (ds/drho)_T = -R b / rho, (ds/dT)_rho = cv / T.
namespace {

// Written into out, which the callers hand over in place.
void FromHelmholtz(double rho, double T, double RT, const detail::Region3Sums<double>& sums,
                   Props& out) {
  const detail::Helmholtz<double>& f = sums.phi;
  const double b = f.d - f.dt;
  const double c = 2 * f.d + f.dd;
  out.p = sums.pressure.p;
  out.T = T;
  out.rho = rho;
  out.v = 1 / rho;
  out.h = RT * (f.t + f.d);
  out.s = R * (f.t - f.phi);
  out.u = RT * f.t;
  out.cv = -R * f.tt;
  out.cp = R * (-f.tt + b * b / c);
  out.w = SpeedOfSound(1000 * RT * (c - b * b / f.tt));

  const double per_T = 1 / T;
  out.dp_drho_T = sums.pressure.dp_drho;
  out.dp_dT_rho = rho * R * b / 1000;
  out.dh_drho_T = RT * (c - b) * out.v;
  out.dh_dT_rho = out.cv + R * b;
  out.ds_drho_T = -R * b * out.v;
  out.ds_dT_rho = out.cv * per_T;

  // kappa_T = 1 / (rho (dp/drho)_T), (dv/dp)_T = -v kappa_T,
  // (dv/dT)_p = -(dv/dp)_T (dp/dT)_rho.
  out.kappa_T = 1 / (rho * out.dp_drho_T);
  out.dv_dp_T = -out.v * out.kappa_T;
  out.dv_dT_p = -out.dv_dp_T * out.dp_dT_rho;
  out.alpha_v = out.dv_dT_p * rho;

  out.dh_dT_p = out.cp;
  out.ds_dT_p = out.cp * per_T;
  out.dh_dp_T = 1000 * (out.v - T * out.dv_dT_p);
  out.ds_dp_T = -1000 * out.dv_dT_p;
}

}  // namespace

Props Region3(double rho, double T) {
  const double RT = R * T;
  Props out;
  FromHelmholtz(rho, T, RT, detail::Region3At<Wide>(rho, T, RT), out);
  return out;
}

Props Region3Estimate(double rho, double T) {
  const double RT = R * T;
  Props out;
  FromHelmholtz(rho, T, RT, detail::Region3At<double>(rho, T, RT), out);
  return out;
}

bool Region3State(double p, double T, double rho_start, Props& props) {
  const detail::DensitySearch search = detail::SearchRegion3Density(p, T, rho_start);
  if (!search.found) return false;
  FromHelmholtz(search.rho, T, R * T, detail::Region3AtPressure(search.rho, T, search.at), props);
  return true;
}

PressureSlope Region3Pressure(double rho, double T) {
  const detail::Pressure<double> at = detail::Isotherm<Wide, double>(T).At(rho);
  return {at.p, at.dp_drho};
}

}  // namespace if97::engine
