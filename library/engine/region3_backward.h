// The double engine: the backward equations of the IAPWS revised
// supplementary release (2014) on T(p, h), v(p, h), T(p, s), v(p, s) for
// region 3 of IAPWS-IF97, and the saturation pressures p3sat(h), p3sat(s).
//
// Units: p in MPa, T in K, h in kJ/kg, s in kJ/(kg K), v in m3/kg.
//
// Range. T(p, h), v(p, h), T(p, s) and v(p, s) hold in region 3: from 623.15 K
// up to the B23 line at pressures from 16.5292 MPa (p_sat(623.15 K)) up to
// 100 MPa, single-phase states only. Sub-region 3a is the liquid-like part,
// h <= h_3ab(p) or s <= s_c; 3b the rest. Below 22.064 MPa both boundaries
// lie in the two-phase region, so the saturation line separates 3a and 3b
// there. The release holds each equation to 25 mK in T and to 0.01 % in v of
// the basic equation of region 3 (IAPWS-IF97 eq. 28). These functions check
// nothing: outside region 3 they give the equation's value, meaningful or
// not; for p >= 0 no term has a pole.
//
// p3sat(h) holds from h'(623.15 K) = 1670.858218 to h''(623.15 K) =
// 2563.592004 kJ/kg, p3sat(s) from s'(623.15 K) = 3.77828134 to s''(623.15 K)
// = 5.210887825 kJ/(kg K). Outside (beyond a relative 1e-8, the rounding of
// these bounds) and for NaN they return NaN and raise no flag.
//
// Inside these ranges no result is NaN and no floating-point exception flag
// other than inexact is raised. Every function may run in several threads.
#ifndef STEAMCALC_LIBRARY_ENGINE_REGION3_BACKWARD_H
#define STEAMCALC_LIBRARY_ENGINE_REGION3_BACKWARD_H

namespace if97::engine {

// Eq. 1: the enthalpy (kJ/kg) on the 3a/3b boundary at p (MPa).
double H3ab(double p);

// T (K) and v (m3/kg) of (p, h): 3a for h <= H3ab(p), else 3b.
double T3_ph(double p, double h);
double V3_ph(double p, double h);

// T (K) and v (m3/kg) of (p, s): 3a for s <= s_c = 4.41202148223476 kJ/(kg K),
// else 3b.
double T3_ps(double p, double s);
double V3_ps(double p, double s);

// The sub-region equations themselves, eqs. 2 to 9.
double T3a_ph(double p, double h);  // eq. 2
double T3b_ph(double p, double h);  // eq. 3
double V3a_ph(double p, double h);  // eq. 4
double V3b_ph(double p, double h);  // eq. 5
double T3a_ps(double p, double s);  // eq. 6
double T3b_ps(double p, double s);  // eq. 7
double V3a_ps(double p, double s);  // eq. 8
double V3b_ps(double p, double s);  // eq. 9

// The saturation pressure (MPa) of region 3 from h (eq. 10) or s (eq. 11).
double P3sat_h(double h);
double P3sat_s(double s);

}  // namespace if97::engine

#endif  // STEAMCALC_LIBRARY_ENGINE_REGION3_BACKWARD_H
