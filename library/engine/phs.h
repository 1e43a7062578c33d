// The IAPWS supplementary backward equations of (h, s) in double precision:
// the pressure p(h, s) of regions 1, 2 and 3, the boundaries between the
// regions in the h-s plane, the saturation temperature T_sat(h, s) of the
// two-phase region, and HsEstimate, which picks among them the start of a
// state given by enthalpy and entropy.
//
// Units: h in kJ/kg, s in kJ/(kg K), p in MPa, T in K. Each equation is the
// release's sum, valid where the release fits it (given beside it); outside
// that it returns what the sum gives, with no check. HsEstimate evaluates the
// boundary lines only over their own ranges.
#ifndef STEAMCALC_LIBRARY_ENGINE_PHS_H
#define STEAMCALC_LIBRARY_ENGINE_PHS_H

namespace if97::engine {

// ---- boundaries in the h-s plane --------------------------------------------
// Saturated water h'(s): H1Sat_s from s'(273.15 K) = -0.0001545495919 to
// s'(623.15 K) = 3.77828134, H3aSat_s from there to s_c = 4.41202148223476.
double H1Sat_s(double s);   // kJ/kg
double H3aSat_s(double s);  // kJ/kg

// Saturated steam h''(s): H2c3bSat_s from s_c to 5.85, H2abSat_s from 5.85 to
// s''(273.15 K) = 9.155759395.
double H2c3bSat_s(double s);  // kJ/kg
double H2abSat_s(double s);   // kJ/kg

// The 623.15 K isotherm between regions 1 and 3, from s(100 MPa, 623.15 K) =
// 3.397782955 to s'(623.15 K).
double HB13_s(double s);  // kJ/kg

// The 4 MPa isobar between sub-regions 2a and 2b, fitted from s''(4 MPa) to
// s(4 MPa, 1073.15 K); increasing in s everywhere.
double H2ab_s(double s);  // kJ/kg

// The temperature of B23 (the boundary between regions 2 and 3), for 5.048096828
// <= s <= 5.260578707 and 2563.592004 <= h <= 2812.942061: a state there lies
// in region 3 where P2c_hs(h, s) exceeds the B23 pressure at TB23_hs(h, s).
double TB23_hs(double h, double s);  // K

// ---- pressure ----------------------------------------------------------------
double P1_hs(double h, double s);   // MPa, region 1
double P2a_hs(double h, double s);  // MPa, sub-region 2a (h <= H2ab_s(s))
double P2b_hs(double h, double s);  // MPa, sub-region 2b (s >= 5.85, h > H2ab_s(s))
double P2c_hs(double h, double s);  // MPa, sub-region 2c (s < 5.85)
double P3a_hs(double h, double s);  // MPa, sub-region 3a (s <= s_c)
double P3b_hs(double h, double s);  // MPa, sub-region 3b (s > s_c)

// ---- saturation temperature --------------------------------------------------
// The two-phase region at s >= s''(623.15 K) = 5.210887825 (T <= 623.15 K).
double TSat_hs(double h, double s);  // K

// ---- the start of a state (h, s) ----------------------------------------------
// zone  the equation that applies:
//   0  outside what the equations cover (p and T NaN): h or s not a number
//      or far beyond every state (h outside -100..5000 kJ/kg, s outside
//      -1..100 kJ/(kg K)), or two-phase below the 273.15 K isotherm;
//   1  region 1, p from P1_hs (within 0.015 MPa and 0.6 %);
//   2  region 2, p from P2a_hs, P2b_hs or P2c_hs (within 1e-4 relative from
//      p_s(273.15 K) up);
//   3  region 3, p from P3a_hs or P3b_hs (within 1e-4 relative);
//   4  two-phase: T the saturation temperature, p NaN (p_s(T) is the
//      caller's). At s >= s''(623.15 K) T is TSat_hs (within 1 mK); below,
//      where the releases give no T_sat(h, s), T comes from the saturated-
//      water line and from TSat_hs along s''(623.15 K) up to 623.15 K (within
//      0.02 K at x >= 0.1, 0.16 K at x >= 0.01, 0.8 K towards saturated
//      water), and above 623.15 K from the chords of the saturation line
//      (within 1.2 K).
// p  MPa, T  K; T is NaN in zones 0 to 3.
// The zone follows the releases' lines in the h-s plane, each used only over
// its own range: the saturation lines, h_B13, the 2a/2b isobar, s = 5.85
// kJ/(kg K) between 2b and 2c, T_B23(h, s) with the B23 equation, and s_c
// between 3a and 3b. A state within the fit of a line (about 2e-3 relative
// in p) may get the zone beside it. The releases give no h-s line for the
// edges of the range at 0 degC, 800 degC and 100 MPa: a state beyond them
// gets the zone beside it, and the caller, finishing on the basic
// equations, refuses it.
struct HsStart {
  int zone;
  double p;  // MPa
  double T;  // K
};

// Without wet_temperature, zone 4 leaves T NaN: the two-phase temperature
// costs more than all the rest, and a caller with a start of its own asks
// TwoPhaseTemperature only where that has none.
HsStart HsEstimate(double h, double s, bool wet_temperature = true);

// The two-phase temperature (K) of zone 4 as HsEstimate gives it.
double TwoPhaseTemperature(double h, double s);

}  // namespace if97::engine

#endif  // STEAMCALC_LIBRARY_ENGINE_PHS_H
