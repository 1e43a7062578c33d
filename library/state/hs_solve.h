// Internal to the library: the state given by specific enthalpy and specific
// entropy, found on the engine's basic equations (engine/forward.h) from the
// start the supplementary backward equations of (h, s) give (engine/phs.h).
//
// Single phase: Newton's method in (p, T) on the Gibbs equations of regions
// 1, 2 and 5 and in (rho, T) on the Helmholtz equation of region 3, each step
// limited, the region of each iterate chosen as the library chooses it from
// (p, T), until h and s agree with the given values to 1e-12 relative
// (absolute 1e-12 kJ/kg below |h| = 1 kJ/kg, 1e-12 kJ/(kg K) below
// |s| = 0.01 kJ/(kg K)). Wet steam: the saturation temperature at which the
// dryness fractions from h and from s agree, by a safeguarded Newton search
// between 273.15 K and the critical temperature, the saturated phases from the
// basic equations at p = p_s(T) (IAPWS-IF97 eq. 30), from the start a table of
// the saturated phases gives up to 623.15 K (wet_start.h), above it from the
// supplementary equations' start.
//
// Units: h in kJ/kg, s in kJ/(kg K), p in MPa, T in K, rho in kg/m3.
#ifndef STEAMCALC_LIBRARY_STATE_HS_SOLVE_H
#define STEAMCALC_LIBRARY_STATE_HS_SOLVE_H

#include "engine/forward.h"

namespace if97::detail {

// kOutOfRange: a NaN or infinite input, (h, s) beyond every state the
// equations cover, or a state found outside the library's range (0 to
// 800 degC up to 100 MPa, to 1000 degC up to 10 MPa; single phase from
// 1e-7 MPa, where region 2's equation still holds without underflow; wet
// steam from 273.15 K). kNoConvergence: neither search met its tolerance,
// which happens only within about 0.01 K of the critical point.
struct HsSolution {
  enum class Kind { kSinglePhase, kWet, kOutOfRange, kNoConvergence } kind;
  int region;  // 1, 2, 3 or 5 for a single phase; 4 for wet steam
  double p;    // MPa
  double T;    // K
  double rho;  // kg/m3, region 3 only, else NaN
  double x;    // dryness fraction, wet steam only, else NaN
  // The properties the search ended on: of the single phase at (p, T) (rho
  // in region 3); for wet steam those of the saturated liquid and vapour.
  engine::Props props;
  engine::Props vapour;
};

HsSolution SolveHs(double h, double s);  // h kJ/kg, s kJ/(kg K)

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_STATE_HS_SOLVE_H
