// The double engine: the IAPWS-IF97 backward equations T(p, h) and T(p, s) of
// region 1 and sub-regions 2a, 2b, 2c, the first temperatures of the state
// searches from (p, h) and (p, s). Powers of the bases by repeated
// multiplication, formed once a call; the sums in double.
//
// Units: p in MPa, h in kJ/kg, s in kJ/(kg K), T in K. The functions check
// nothing: each equation holds within 25 mK (region 1: 25 mK, 2a/2b/2c: 10 mK
// and less) of the basic equations in its own sub-region and gives its
// continuation elsewhere, finite for 0 < p <= 100 MPa and the enthalpies and
// entropies of the range.
#ifndef STEAMCALC_LIBRARY_ENGINE_BACKWARD_H
#define STEAMCALC_LIBRARY_ENGINE_BACKWARD_H

namespace if97::engine {

double T1_ph(double p, double h);   // IAPWS-IF97 eq. 11, Table 6
double T2a_ph(double p, double h);  // eq. 22, Table 20
double T2b_ph(double p, double h);  // eq. 23, Table 21
double T2c_ph(double p, double h);  // eq. 24, Table 22
double T1_ps(double p, double s);   // eq. 13, Table 8
double T2a_ps(double p, double s);  // eq. 25, Table 25
double T2c_ps(double p, double s);  // eq. 27, Table 27

// The sub-region 2a, 2b or 2c equation T(p, h) as the 2a/2b isobar (4 MPa)
// and the B2bc line (eq. 20) choose it.
double T2_ph(double p, double h);

// Sub-region 2 by entropy: eq. 25 up to 6.5467 MPa (the lowest pressure of
// B2bc) and from 6.4 kJ/(kg K) up, eq. 27 elsewhere; sub-region 2b has no
// equation of its own here, both continue into it within about a kelvin.
double T2_ps(double p, double s);

}  // namespace if97::engine

#endif  // STEAMCALC_LIBRARY_ENGINE_BACKWARD_H
