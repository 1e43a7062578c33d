// Internal to the library: the state of a given specific enthalpy and
// specific entropy, solved on the double engine, for state_hs.
#ifndef STEAMCALC_LIBRARY_STATE_HS_SOLVE_H
#define STEAMCALC_LIBRARY_STATE_HS_SOLVE_H

namespace if97::detail {

struct HsSolution {
  enum class Kind { kSinglePhase, kWet, kOutOfRange, kNoConvergence } kind;
  int region;
  double p /*MPa*/;
  double T /*K*/;
  double rho /*kg/m3, region 3 else NaN*/;
  double x /*wet*/;
};

HsSolution SolveHs(double h, double s);

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_STATE_HS_SOLVE_H
