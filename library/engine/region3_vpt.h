// Internal to the library: the IAPWS backward equations v(p, T) of region 3 in
// double precision, after the IAPWS Revised Supplementary Release on Backward
// Equations for Specific Volume as a Function of Pressure and Temperature
// v(p,T) for Region 3 of IAPWS-IF97 (SR5-05, 2016): the boundaries between the
// 26 sub-regions 3a to 3z, the choice of the sub-region, and each sub-region's
// estimate of v. The estimate is a start for the basic equation of region 3,
// not a result of its own. Units: p in MPa, T in K, v in m3/kg.
#ifndef STEAMCALC_LIBRARY_ENGINE_REGION3_VPT_H
#define STEAMCALC_LIBRARY_ENGINE_REGION3_VPT_H

namespace if97::engine {

// ---- the boundaries between the sub-regions: T (K) at p (MPa) ----------------
double T3ab(double p);
double T3cd(double p);
double T3ef(double p);
double T3gh(double p);
double T3ij(double p);
double T3jk(double p);
double T3mn(double p);
double T3op(double p);
double T3qu(double p);
double T3rx(double p);
double T3uv(double p);
double T3wx(double p);

// The sub-region, 'a' to 'z', of the region-3 state (p, T), chosen as the
// release chooses it; a state on a boundary belongs to the sub-region below it
// in temperature. Meant for states of region 3 (623.15 K up to the B23 line,
// from the saturation or B23 pressure up to 100 MPa); above 100 MPa it answers
// as at 40 to 100 MPa ('a' or 'b'), at p below 19.00881189173929 MPa 'c' or
// 't' by the saturation temperature, which needs p > 0.
char Region3Subregion(double p, double T);

// v (m3/kg) of the state (p, T) from the equation of its sub-region.
double Region3VolumeEstimate(double p, double T);

// v (m3/kg) from the equation of the given sub-region, for states in or near
// it; a letter other than 'a' to 'z' gives a quiet NaN.
double Region3VolumeEstimate(double p, double T, char subregion);

// True for 3u to 3z, the auxiliary equations of the near-critical range,
// whose estimate is too rough to be relied on as a start.
bool Region3NearCritical(char subregion);

}  // namespace if97::engine

#endif  // STEAMCALC_LIBRARY_ENGINE_REGION3_VPT_H
