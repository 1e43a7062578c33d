// The state engine: the IAPWS-IF97 basic equations in double precision, every
// property of a state and the slopes a Newton solver needs from one pass over
// the terms. The classic functions (if97.h) evaluate the same tables in
// extended precision bit for bit as the standard requires; this engine agrees
// with them to 1e-12 relative (regions 2 and 5 to 2e-14; cp, cv and w of
// region 1 near 350 degC and of dense region 3, whose sums cancel, to 6e-12)
// and forms the whole state in a tenth to a third of the time the classic
// h_pt takes for one property in region 2.
//
// Units: p in MPa, T in K, rho in kg/m3, v in m3/kg, h and u in kJ/kg, s, cp
// and cv in kJ/(kg K), w in m/s. Nothing here checks the range: the caller
// selects the region. Within a region's range (IAPWS-IF97 regions 1, 2, 3
// and 5 as the library covers them: 0 to 800 degC up to 100 MPa, 800 to
// 1000 degC up to 10 MPa; region 2 from 1e-7 MPa) no result is NaN and no
// floating-point exception other than inexact is raised; below 2e-8 MPa
// region 2 raises underflow for terms far below the result's last digit.
#ifndef STEAMCALC_LIBRARY_ENGINE_FORWARD_H
#define STEAMCALC_LIBRARY_ENGINE_FORWARD_H

namespace if97::engine {

// Every property of one phase at one state, and the partial derivatives that
// solvers in (p, T) and in (rho, T) step with. Every field is filled in every
// region. A subscript names the variable held constant.
struct Props {
  double p;    // MPa
  double T;    // K
  double rho;  // kg/m3, 1 / v (region 3: the density given)
  double v;    // m3/kg
  double h;    // kJ/kg
  double s;    // kJ/(kg K)
  double u;    // kJ/kg
  double cp;   // kJ/(kg K)
  double cv;   // kJ/(kg K)
  double w;    // m/s, speed of sound

  double alpha_v;  // 1/K, isobaric cubic expansion coefficient (1/v) (dv/dT)_p
  double kappa_T;  // 1/MPa, isothermal compressibility -(1/v) (dv/dp)_T
  double dv_dT_p;  // m3/(kg K)
  double dv_dp_T;  // m3/(kg MPa)

  // Slopes in (p, T): (dh/dT)_p = cp, (ds/dT)_p = cp / T,
  // (dh/dp)_T = v - T (dv/dT)_p, (ds/dp)_T = -(dv/dT)_p (Maxwell), the last
  // two with v in kJ/(kg MPa), that is 1000 times its value in m3/kg.
  double dh_dT_p;  // kJ/(kg K)
  double ds_dT_p;  // kJ/(kg K^2)
  double dh_dp_T;  // kJ/(kg MPa)
  double ds_dp_T;  // kJ/(kg K MPa)

  // Slopes in (rho, T), the variables of region 3: (ds/dT)_rho = cv / T.
  double dp_drho_T;  // MPa m3/kg
  double dp_dT_rho;  // MPa/K
  double dh_drho_T;  // kJ m3/kg^2
  double dh_dT_rho;  // kJ/(kg K)
  double ds_drho_T;  // kJ m3/(kg^2 K)
  double ds_dT_rho;  // kJ/(kg K^2)
};

// IAPWS-IF97 regions 1, 2 and 5 at pressure p (MPa) and temperature T (K):
// the Gibbs free energy of eqs. 7 (Table 2), 15 (Tables 10, 11) and 32
// (Tables 37, 38, the five-term 1997 form).
Props Region1(double p, double T);
Props Region2(double p, double T);
Props Region5(double p, double T);

// Both saturated phases below 623.15 K at once: water by region 1, steam by
// region 2, at the same (p, T); the bits of Region1 and Region2, the two
// evaluations interleaved so that the latencies of one (divisions, the
// logarithm, square roots) overlap the work of the other.
void Region1And2(double p, double T, Props& water, Props& steam);

// Along an isobar of region 1, 2 or 5: h and s at (p, T) and the first two
// temperature derivatives of h, from one pass that forms only the sums in
// tau, for a search in T at constant p with steps of third order (Halley's).
// h, s and cp are the bits Region1/2/5 give.
struct Isobar {
  double h;       // kJ/kg
  double s;       // kJ/(kg K)
  double cp;      // kJ/(kg K), (dh/dT)_p
  double dcp_dT;  // kJ/(kg K^2), (d2h/dT2)_p
};
Isobar Region1Isobar(double p, double T);
Isobar Region2Isobar(double p, double T);
Isobar Region5Isobar(double p, double T);

// IAPWS-IF97 region 3 at density rho (kg/m3) and temperature T (K): the
// Helmholtz free energy of eq. 28 (Table 30); p is a result.
Props Region3(double rho, double T);

// Region3 with the pressure sums formed in double: about a third cheaper,
// every field but those from the pressure sums (p, h, u, w, the slopes) the
// same bits, and those off by rounding noise below about 1e-12 relative in
// the dense liquid. For the steps of a search, not for a state.
Props Region3Estimate(double rho, double T);

// The region-3 pressure and its slope at constant temperature, the same bits
// as Region3(rho, T).p and .dp_drho_T.
struct PressureSlope {
  double p;        // MPa
  double dp_drho;  // MPa m3/kg
};
PressureSlope Region3Pressure(double rho, double T);

// The region-3 density (kg/m3) of the state (p, T): Newton's method on the
// basic equation from rho_start (the density of the backward equations
// v(p, T), or any density on the same branch of the isotherm), until the
// pressure Region3(rho, T).p is within 1e-13 p of p. The root is kept in a
// bracket: the first steps go in the direction the residual's sign points,
// widening, until the sign changes; from then on a step that would leave the
// bracket, or that did not halve the residual, is a bisection. True and rho
// set on success; false, rho unchanged, when the inputs are not positive and
// finite, the start lies outside 1 to 1500 kg/m3, the tolerance is not met
// within a fixed number of steps, or the root lies where the isotherm falls
// (no stable state).
bool Region3Density(double p, double T, double rho_start, double& rho);

// Region3Density and Region3 at the density found in one: the same bits as
// Region3(rho, T) at that rho, without forming the pressure a second time.
// False, props unchanged, where Region3Density fails.
bool Region3State(double p, double T, double rho_start, Props& props);

// IAPWS-IF97 eq. 30: the saturation pressure (MPa) at T (K), valid from
// 273.15 to 647.096 K; eq. 31: the saturation temperature (K) at p (MPa),
// valid from 611.213 Pa to 22.064 MPa. Beyond, they continue the formula
// (Tsat to about 650 K at 100 MPa, as the region selection reads it);
// NaN, without a floating-point exception, where it has no value: Psat from
// 650.1753 K up (the pole of the formula) and for T <= 0, Tsat for p <= 0 and
// below about 5.7e-9 MPa.
double Psat(double T);
double Tsat(double p);

// The slope dp_s/dT (MPa/K) of eq. 30 at T (K), from eq. 29 differentiated
// implicitly; NaN where Psat is.
double PsatSlope(double T);

// IAPWS-IF97 eqs. 5 and 6, the boundary B23 between regions 2 and 3: the
// pressure (MPa) at T (K), and the temperature (K) at p (MPa), from
// 623.15 K / 16.5292 MPa up. TB23 is NaN, without a floating-point
// exception, below 13.9188 MPa where the inverse has no value.
double PB23(double T);
double TB23(double p);

}  // namespace if97::engine

#endif  // STEAMCALC_LIBRARY_ENGINE_FORWARD_H
