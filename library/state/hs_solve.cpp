// The state of a given specific enthalpy and entropy (hs_solve.h).
#include "state/hs_solve.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/backward.h"
#include "engine/forward.h"
#include "engine/phs.h"
#include "engine/region3_backward.h"
#include "engine/region3_vpt.h"
#include "forward/boundaries.h"
#include "state/wet_start.h"

namespace if97::detail {
namespace {

using engine::Props;
using Kind = HsSolution::Kind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- the range ----------------------------------------------------------------
constexpr double kTLowest = 273.15;    // K
constexpr double kT13 = 623.15;        // K, regions 1 / 3
constexpr double kT25 = 1073.15;       // K, regions 2 / 5
constexpr double kTHighest = 1273.15;  // K, region 5 at up to kP5
constexpr double kP5 = 10;             // MPa
constexpr double kPHighest = 100;      // MPa
// Region 2's equation holds without underflow from here (engine/forward.h).
constexpr double kPLowest = 1e-7;      // MPa
constexpr double kRangeMargin = 1e-9;  // relative, the rounding of a bound
constexpr double kTc = 647.096;        // K
constexpr double kRhoc = 322;          // kg/m3

// ---- the tolerance: 1e-12 relative, absolute below the floors ------------------
constexpr double kTolerance = 1e-12;
constexpr double kHFloor = 1;     // kJ/kg
constexpr double kSFloor = 0.01;  // kJ/(kg K)

// ---- the single-phase search --------------------------------------------------
constexpr int kMostSteps = 60;
constexpr double kEstimateClose = 1e-5;   // relative, region 3 (engine::Region3Estimate)
constexpr int kMostSwitches = 4;          // region changes before the region is held
constexpr double kPFactor = 4;            // a step changes p at most by this factor
constexpr double kTStep = 100;            // K, the longest step in T of (p, T)
constexpr double kRhoFraction = 0.3;      // a step changes rho at most by this part
constexpr double kT3Step = 30;            // K, the longest step in T of (rho, T)
constexpr double kPIterLowest = 5e-8;     // MPa, above region 2's underflow
constexpr double kPIterHighest = 200;     // MPa
constexpr double kTIterLowest = 200;      // K
constexpr double kTIterHighest = 1400;    // K
constexpr double kRhoIterLowest = 1;      // kg/m3
constexpr double kRhoIterHighest = 1500;  // kg/m3
// A start this far beyond the range is refused before any step.
constexpr double kPStartLowest = 0.5 * kPLowest;  // MPa
constexpr double kPStartHighest = 150;            // MPa
// A region held after kMostSwitches is accepted where a state within this
// relative distance in p and T belongs to it: the gap the equations leave
// on B23, at 623.15 K and at 1073.15 K.
constexpr double kGapWidth = 1e-5;
constexpr double kOnLine = 1e-13;

// Below this pressure the start of region 2 is that of an ideal gas.
constexpr double kPIdealGas = 0.001;  // MPa

// ---- the wet-steam search -----------------------------------------------------
constexpr int kMostWetSteps = 80;
constexpr double kXRounding = 1e-9;   // x this far beyond 0 or 1 is saturated
constexpr double kSideOffset = 1e-9;  // relative, the side of the line in T

bool Meets(double got, double want, double floor) {
  const double scale = std::fabs(want) < floor ? 1 : std::fabs(want);
  return std::fabs(got - want) <= kTolerance * scale;
}

// The region of (p, T) as the library selects it; above 1073.15 K and
// 10 MPa region 2, its equation continued for the search.
int RegionOf(double p, double T) {
  if (T <= kT13) return p >= engine::Psat(T) ? 1 : 2;
  if (T <= kT25) return p <= engine::PB23(T) ? 2 : 3;
  return p <= kP5 ? 5 : 2;
}

bool InRange(double p, double T) {
  if (!(std::isfinite(p) && std::isfinite(T))) return false;
  constexpr double up = 1 + kRangeMargin;
  constexpr double down = 1 - kRangeMargin;
  if (!(p >= kPLowest * down && p <= kPHighest * up && T >= kTLowest * down)) return false;
  return T <= kT25 * up || (T <= kTHighest * up && p <= kP5 * up);
}

// A region-3 state off the two-phase dome: above the critical temperature,
// or on a rising isotherm with the liquid above and the vapour below the
// saturation pressure (the metastable states of either phase lie across it).
bool StableRegion3(const Props& P) {
  if (P.T >= kTc) return true;
  if (!(P.dp_drho_T > 0)) return false;
  const double ps = engine::Psat(P.T);
  return P.rho >= kRhoc ? P.p >= ps : P.p <= ps;
}

bool NearRegion(int region, double p, double T, double width = kGapWidth) {
  for (const double fp : {1 - width, 1 + width}) {
    for (const double fT : {1 - width, 1 + width}) {
      if (RegionOf(p * fp, T * fT) == region) return true;
    }
  }
  return false;
}

Props Evaluate(int region, double p, double T, double rho) {
  switch (region) {
    case 1:
      return engine::Region1(p, T);
    case 2:
      return engine::Region2(p, T);
    case 5:
      return engine::Region5(p, T);
    default:
      return engine::Region3(rho, T);
  }
}

// An iterate: (p, T) in regions 1, 2 and 5, (rho, T) in region 3, where p
// is the equation's result.
struct Iterate {
  int region;
  double p;       // MPa
  double T;       // K
  double rho;     // kg/m3, region 3
  Props props{};  // at (p, T) or (rho, T) once the search has ended there
};

// kGap: converged held in one region, beside its line by less than
// kGapWidth, where the equations of the two sides leave no state.
enum class Outcome { kStable, kGap, kUnstable, kFailed };

// Newton's method from the start `it` to h and s; `it` holds the last
// iterate on return.
Outcome SolveSinglePhase(double h, double s, Iterate& it, bool held = false) {
  int switches = held ? kMostSwitches : 0;
  // Region 3's far steps take the pressure formed in double; the first within
  // kEstimateClose of h and s makes the next evaluation the state's own.
  bool exact = false;
  for (int step = 0; step < kMostSteps; ++step) {
    const bool estimate = it.region == 3 && !exact;
    const Props P =
        estimate ? engine::Region3Estimate(it.rho, it.T) : Evaluate(it.region, it.p, it.T, it.rho);
    if (it.region == 3) it.p = P.p;
    const double rh = P.h - h;
    const double rs = P.s - s;
    if (!(std::isfinite(rh) && std::isfinite(rs))) return Outcome::kFailed;
    const bool hold = switches >= kMostSwitches;
    if (estimate && ((std::fabs(rh) <= kEstimateClose * std::max(std::fabs(h), kHFloor) &&
                      std::fabs(rs) <= kEstimateClose * std::max(std::fabs(s), kSFloor)) ||
                     step + 1 == kMostSteps / 2)) {
      exact = true;
    }

    if (Meets(P.h, h, kHFloor) && Meets(P.s, s, kSFloor)) {
      if (estimate) continue;  // the state's own evaluation, here
      it.props = P;
      const int where = it.p > 0 ? RegionOf(it.p, it.T) : 2;
      if (where == it.region) {
        return it.region != 3 || StableRegion3(P) ? Outcome::kStable : Outcome::kUnstable;
      }
      const bool wet_gap = it.region + where == 3;  // regions 1 and 2
      if (wet_gap) return Outcome::kUnstable;
      // On the line itself, up to the rounding of the last step.
      if (NearRegion(it.region, it.p, it.T, kOnLine)) return Outcome::kStable;
      if (hold) return NearRegion(it.region, it.p, it.T) ? Outcome::kGap : Outcome::kFailed;
      ++switches;
      if (where == 3) it.rho = P.rho;
      it.region = where;
      continue;
    }

    if (it.region != 3) {
      const double det = P.dh_dp_T * P.ds_dT_p - P.dh_dT_p * P.ds_dp_T;
      const double dp = (rs * P.dh_dT_p - rh * P.ds_dT_p) / det;
      const double dT = (rh * P.ds_dp_T - rs * P.dh_dp_T) / det;
      if (!(std::isfinite(dp) && std::isfinite(dT))) return Outcome::kFailed;
      double lambda = 1;
      if (std::fabs(dT) > kTStep) lambda = kTStep / std::fabs(dT);
      if (dp > 0) lambda = std::min(lambda, (kPFactor - 1) * it.p / dp);
      if (dp < 0) lambda = std::min(lambda, (1 - 1 / kPFactor) * it.p / -dp);
      const double p = std::clamp(it.p + lambda * dp, kPIterLowest, kPIterHighest);
      const double T = std::clamp(it.T + lambda * dT, kTIterLowest, kTIterHighest);
      int where = hold ? it.region : RegionOf(p, T);
      // Regions 1 and 2 meet only across the two-phase region: the phase
      // is kept, its equation continued into the metastable states.
      if (it.region + where == 3) where = it.region;
      if (where == 3) {
        const double v = P.v + P.dv_dp_T * (p - it.p) + P.dv_dT_p * (T - it.T);
        it.rho = std::clamp(v > 0 ? 1 / v : P.rho, kRhoIterLowest, kRhoIterHighest);
      }
      if (where != it.region) ++switches;
      it = {where, p, T, it.rho, {}};
    } else {
      const double det = P.dh_drho_T * P.ds_dT_rho - P.dh_dT_rho * P.ds_drho_T;
      const double drho = (rs * P.dh_dT_rho - rh * P.ds_dT_rho) / det;
      const double dT = (rh * P.ds_drho_T - rs * P.dh_drho_T) / det;
      if (!(std::isfinite(drho) && std::isfinite(dT))) return Outcome::kFailed;
      double lambda = 1;
      if (std::fabs(dT) > kT3Step) lambda = kT3Step / std::fabs(dT);
      if (std::fabs(drho) > kRhoFraction * P.rho) {
        lambda = std::min(lambda, kRhoFraction * P.rho / std::fabs(drho));
      }
      const double rho = std::clamp(P.rho + lambda * drho, kRhoIterLowest, kRhoIterHighest);
      const double T = std::clamp(it.T + lambda * dT, kTIterLowest, kTIterHighest);
      // The pressure of the new iterate to first order, for its region.
      const double p_next = P.p + P.dp_drho_T * (rho - P.rho) + P.dp_dT_rho * (T - it.T);
      const double p = std::clamp(p_next, kPIterLowest, kPIterHighest);
      const int where = hold ? 3 : RegionOf(p, T);
      if (where != 3) ++switches;
      it = {where, p, T, rho, {}};
    }
  }
  return Outcome::kFailed;
}

// ---- wet steam -----------------------------------------------------------------

struct Saturated {
  Props liquid;
  Props vapour;
};

// The saturated phases at T (K), p = p_s(T): regions 1 and 2 up to 623.15 K,
// region 3 above, its densities searched from the previous ones (rho_l,
// rho_v, updated) or from the equations v(p, T) just off the line. False
// where a density search fails, which happens only next to the critical
// point.
bool SaturatedPhases(double T, double& rho_l, double& rho_v, Saturated& out) {
  const double p = engine::Psat(T);
  if (!(p > 0)) return false;
  if (T <= kT13) {
    engine::Region1And2(p, T, out.liquid, out.vapour);
    return true;
  }
  if (!(T < kTc)) return false;
  const auto density = [&](double& rho, double T_side) {
    if (std::isgreater(rho, 0.0) && engine::Region3Density(p, T, rho, rho)) return true;
    const double v = engine::Region3VolumeEstimate(p, T_side, engine::Region3Subregion(p, T_side));
    return std::isgreater(v, 0.0) && engine::Region3Density(p, T, 1 / v, rho);
  };
  if (!density(rho_l, T * (1 - kSideOffset)) || !density(rho_v, T * (1 + kSideOffset))) {
    rho_l = rho_v = kNaN;
    return false;
  }
  if (!(rho_l > rho_v)) {
    rho_l = rho_v = kNaN;
    return false;
  }
  out = {engine::Region3(rho_l, T), engine::Region3(rho_v, T)};
  return true;
}

struct WetResult {
  enum class Status { kWet, kLiquidSide, kVapourSide, kBelowRange, kFailed } status;
  double T;          // K
  double x;          // dryness fraction
  double rho_l;      // kg/m3, the last liquid density of region 3
  double rho_v;      // kg/m3
  Saturated phases;  // kWet: the saturated phases at T
};

// The temperature where the mixture of the saturated phases has both h and
// s: G(T) = h - h'(T) - x(T) (h''(T) - h'(T)) with x(T) = (s - s'(T)) /
// (s''(T) - s'(T)), that is h less the enthalpy of the isobar-isotherm
// through s, falls with T across the two-phase region. Newton's steps with
// the slope of the same line for an exact Clapeyron relation,
// dG/dT = -(s - s') - v' (s'' - s') / (v'' - v'), kept in the bracket of
// the signs seen, bisecting where a step leaves it.
WetResult SolveWet(double h, double s, double T_start) {
  double lo = kTLowest;
  double hi = kTc;
  double T = std::isfinite(T_start) ? std::clamp(T_start, lo, hi - 1e-3) : 0.5 * (lo + hi);
  double rho_l = kNaN;
  double rho_v = kNaN;
  for (int step = 0; step < kMostWetSteps; ++step) {
    Saturated sat;
    if (!SaturatedPhases(T, rho_l, rho_v, sat)) {
      hi = T;
      T = 0.5 * (lo + hi);
      continue;
    }
    const Props& L = sat.liquid;
    const Props& V = sat.vapour;
    const double x = (s - L.s) / (V.s - L.s);
    const double h_mix = L.h + x * (V.h - L.h);
    const double s_mix = L.s + x * (V.s - L.s);
    if (!std::isfinite(h_mix)) return {WetResult::Status::kFailed, T, x, rho_l, rho_v, {}};
    if (Meets(h_mix, h, kHFloor) && Meets(s_mix, s, kSFloor)) {
      WetResult::Status status = WetResult::Status::kWet;
      if (x < -kXRounding) status = WetResult::Status::kLiquidSide;
      if (x > 1 + kXRounding) status = WetResult::Status::kVapourSide;
      return {status, T, std::clamp(x, 0.0, 1.0), rho_l, rho_v, sat};
    }
    const double G = h - h_mix;
    if (G > 0) {
      lo = T;
    } else {
      hi = T;
    }
    if (hi - lo <= 4 * std::numeric_limits<double>::epsilon() * hi) break;
    const double slope = -(s - L.s) - L.v * (V.s - L.s) / (V.v - L.v);
    double next = T - G / slope;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    T = next;
  }
  if (lo == kTLowest && hi - lo < 1e-6)
    return {WetResult::Status::kBelowRange, T, kNaN, kNaN, kNaN, {}};
  return {WetResult::Status::kFailed, T, kNaN, rho_l, rho_v, {}};
}

// ---- the answers ------------------------------------------------------------------

HsSolution OutOfRange() { return {Kind::kOutOfRange, 0, kNaN, kNaN, kNaN, kNaN, {}, {}}; }
HsSolution NoConvergence() { return {Kind::kNoConvergence, 0, kNaN, kNaN, kNaN, kNaN, {}, {}}; }

HsSolution SinglePhaseAnswer(const Iterate& it) {
  if (!InRange(it.p, it.T)) return OutOfRange();
  return {Kind::kSinglePhase, it.region, it.p, it.T, it.region == 3 ? it.rho : kNaN, kNaN,
          it.props,           Props{}};
}

// Beside a line between regions the equations of the two sides differ by up
// to a few 1e-5 relative in p, so a search that changes its equations at
// each step may swing across the line, or end out of the range on the side
// where the state does not lie. Here each side's equation is held from the
// last iterate: a state in its own region wins, else one in the gap beside
// its line.
bool SolveBesideBoundary(double h, double s, Iterate& it) {
  if (!(std::isgreater(it.p, 0.0) && std::isfinite(it.T))) return false;
  int other = 0;
  if (std::fabs(it.T - kT25) < 10 || (it.T > kT25 && std::fabs(it.p / kP5 - 1) < 1e-2)) {
    other = it.region == 5 ? 2 : 5;
  } else if (std::fabs(it.T - kT13) < 5 && it.p > engine::Psat(kT13)) {
    other = it.region == 3 ? 1 : 3;
  } else if (it.T > kT13 && std::fabs(it.p / engine::PB23(it.T) - 1) < 3e-2) {
    other = it.region == 3 ? 2 : 3;
  }
  if (other == 0) return false;
  const Props P = Evaluate(it.region, it.p, it.T, it.rho);
  Iterate found[2] = {{it.region, P.p, it.T, P.rho, {}}, {other, P.p, it.T, P.rho, {}}};
  Outcome outcome[2];
  for (int k = 0; k < 2; ++k) {
    outcome[k] = SolveSinglePhase(h, s, found[k], true);
    if (!InRange(found[k].p, found[k].T)) outcome[k] = Outcome::kFailed;
  }
  for (const Outcome wanted : {Outcome::kStable, Outcome::kGap}) {
    for (int k = 0; k < 2; ++k) {
      if (outcome[k] == wanted) {
        it = found[k];
        return true;
      }
    }
  }
  return false;
}

HsSolution WetAnswer(const WetResult& w) {
  return {Kind::kWet, 4, engine::Psat(w.T), w.T, kNaN, w.x, w.phases.liquid, w.phases.vapour};
}

// The start of a single-phase search at p (MPa): T from the backward
// equations T(p, h) (IAPWS-IF97 eqs. 11, 22 to 24 and the region-3 equations
// of the 2014 supplementary release), continued beyond their ranges where
// the zone puts the state there.
Iterate SinglePhaseStart(int zone, double p, double h, double s) {
  double T = kNaN;
  if (zone == 1) {
    T = engine::T1_ph(p, h);
  } else if (zone == 2 && !std::isgreaterequal(p, kPIdealGas)) {
    // The equations p(h, s) hold from p_s(273.15 K) up; below, steam is
    // nearly an ideal gas: T from h alone, p from s by s(p) = s(p_ref) -
    // R ln(p / p_ref) on that isotherm.
    T = std::clamp(engine::T2a_ph(kPIdealGas, h), kTIterLowest, kTIterHighest);
    const double s_ref = engine::Region2(kPIdealGas, T).s;
    // Far below the range the exponent is held where exp stays normal: the
    // start is refused all the same.
    p = kPIdealGas * std::exp(std::clamp((s_ref - s) / kGasConstant, -30.0, 0.0));
  } else if (zone == 2) {
    T = engine::T2_ph(p, h);
  } else {
    T = engine::T3_ph(p, h);
  }
  if (!std::isfinite(T)) T = zone == 1 ? 500 : 700;
  T = std::clamp(T, kTIterLowest, kTIterHighest);
  int region = RegionOf(p, T);
  if (region + zone == 3) region = zone;  // the phase of the zone (1 or 2)
  double rho = kNaN;
  if (region == 3) {
    const double v = engine::V3_ph(p, h);
    rho = v > 0 ? std::clamp(1 / v, kRhoIterLowest, kRhoIterHighest) : kRhoc;
    if (zone == 3) T = std::clamp(engine::T3_ph(p, h), kTIterLowest, kTIterHighest);
  }
  return {region, p, T, rho};
}

// Whether (h, s) lies beyond the edges of the range that a failed search can
// wander past: along an isentrope h rises with p and with T, so a state with
// more enthalpy than the 100 MPa isobar of region 1 at its entropy lies above
// 100 MPa, and one of steam with less than the 273.15 K isotherm at its
// entropy lies below 0 degC.
bool BeyondTheEdges(double h, double s) {
  const Props cold_steam = engine::Region2(engine::Psat(kTLowest), kTLowest);
  if (s >= cold_steam.s) {
    // Steam below p_s(273.15 K) is an ideal gas to 1e-4 in h: p from s.
    const double ratio = std::exp(std::max((cold_steam.s - s) / kGasConstant, -30.0));
    const double p = std::max(cold_steam.p * ratio, kPLowest);
    return h < engine::Region2(p, kTLowest).h;
  }
  const Props hot = engine::Region1(kPHighest, kT13);
  if (s > hot.s) return false;
  double T = kT13;
  Props P = hot;
  for (int k = 0; k < 20; ++k) {
    const double next = std::clamp(T - (P.s - s) / P.ds_dT_p, kTLowest, kT13);
    if (std::fabs(next - T) <= 1e-9 * T) break;
    T = next;
    P = engine::Region1(kPHighest, T);
  }
  return h > P.h;
}

}  // namespace

HsSolution SolveHs(double h, double s) {
  if (!(std::isfinite(h) && std::isfinite(s))) return OutOfRange();
  const engine::HsStart start = engine::HsEstimate(h, s, false);
  if (start.zone == 0) return OutOfRange();

  if (start.zone == 4) {
    double T_start = WetTemperatureStart(h, s);
    if (std::isnan(T_start)) T_start = engine::TwoPhaseTemperature(h, s);
    const WetResult wet = SolveWet(h, s, T_start);
    switch (wet.status) {
      case WetResult::Status::kWet:
        return WetAnswer(wet);
      case WetResult::Status::kBelowRange:
        return OutOfRange();
      case WetResult::Status::kFailed:
        return NoConvergence();
      default:
        break;
    }
    // Single phase beside the saturation line: from the saturated phase on
    // that side.
    const bool liquid = wet.status == WetResult::Status::kLiquidSide;
    Iterate it{liquid ? 1 : 2, engine::Psat(wet.T), wet.T, liquid ? wet.rho_l : wet.rho_v, {}};
    if (wet.T > kT13) it.region = 3;
    if (it.region == 3 && !std::isgreater(it.rho, 0.0)) return NoConvergence();
    if (SolveSinglePhase(h, s, it) == Outcome::kStable) return SinglePhaseAnswer(it);
    return InRange(it.p, it.T) ? NoConvergence() : OutOfRange();
  }

  // Far above the range the backward equations of T(p, h) overflow.
  if (!std::islessequal(start.p, kPStartHighest)) return OutOfRange();
  Iterate it = SinglePhaseStart(start.zone, start.p, h, s);
  if (!(std::isgreaterequal(it.p, kPStartLowest) && std::islessequal(it.p, kPStartHighest)))
    return OutOfRange();
  const Outcome outcome = SolveSinglePhase(h, s, it);
  if (outcome == Outcome::kStable && InRange(it.p, it.T)) return SinglePhaseAnswer(it);
  if (outcome != Outcome::kUnstable && SolveBesideBoundary(h, s, it)) {
    return SinglePhaseAnswer(it);
  }
  if (outcome == Outcome::kStable || outcome == Outcome::kGap) return OutOfRange();

  // Wet steam beside the saturation line, where the start put the state on
  // the wrong side of it.
  if (outcome == Outcome::kFailed && !InRange(it.p, it.T)) return OutOfRange();
  if (BeyondTheEdges(h, s)) return OutOfRange();
  const WetResult wet = SolveWet(h, s, std::isfinite(it.T) ? it.T : kNaN);
  if (wet.status == WetResult::Status::kWet) return WetAnswer(wet);
  return NoConvergence();
}

}  // namespace if97::detail
