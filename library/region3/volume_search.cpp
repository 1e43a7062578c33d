// Region 3: the specific volume of a state given by pressure and temperature.
// From a start on the liquid side (the region-1 volume at 350 degC) or on the
// vapour side (the region-2 volume at TB23), walk in steps of 1e-5 m3/kg to
// the first change of the residual's sign, then bisect that step down to a
// relative width of 1e-13. On the saturation line just below the critical
// pressure the steam comes from the shape of the isotherm instead
// (critical_steam.cpp). The signs come from the sign layer (signs.h), which
// proves them where it can and evaluates the residual where it must.
#include "region3/volume_search.h"

#include <if97/if97.h>
#include <if97/if97_messages.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "arith/precision.h"
#include "arith/search_steps.h"
#include "arith/stored.h"
#include "forward/boundaries.h"
#include "region3/critical_steam.h"
#include "region3/isotherm.h"
#include "region3/signs.h"

namespace if97::detail::r3 {

// ---- the walk ---------------------------------------------------------------

// The walk's new point is the next step's start, so each point is evaluated
// once; the sign at the point after the last step is still formed.
std::optional<Bracket> WalkToSignChange(const Isotherm& iso, double start, double step) {
  if (const auto proven = ProvenWalk(iso, start, step, kWalkLimit)) return proven;
  double x = start;
  double fx = iso.ResidualSign(x);
  for (int i = 1;; ++i) {
    const double a = x;
    const double fa = fx;
    x = Stored(ext{a} + step);
    fx = iso.ResidualSign(x);
    if (i > kWalkLimit) return std::nullopt;
    if (ext{fa} * fx < 0) return Bracket{a, x, fa};
  }
}

// Regions 1 and 3 do not meet exactly on the 350 degC isotherm: from 350 to
// about 350.012 degC (at 19-25, 50-78 and 94-100 MPa) the region-3 volume
// lies a few parts in 1e5 below the region-1 volume at 350 degC, the start of
// the liquid-side search. Walking down from that start in the same steps
// finds it; the walk stays at positive volumes. A start below one step (the
// FAILURE of a liquid start outside region 3) walks no step.
std::optional<Bracket> BracketBelow(const Isotherm& iso, double start) {
  const double room = std::min<double>(kWalkLimit, start / kWalkStep - 1);  // steps
  const int steps = room > 0 ? static_cast<int>(room) : 0;
  if (const auto proven = ProvenWalk(iso, start, -kWalkStep, steps)) return proven;
  double x = start;
  double fx = iso.ResidualSign(x);
  for (int i = 0; i < steps; ++i) {
    const double a = x;
    const double fa = fx;
    x = Stored(ext{a} - kWalkStep);
    fx = iso.ResidualSign(x);
    if (ext{fa} * fx < 0) return Bracket{a, x, fa};
  }
  return std::nullopt;
}

// ---- the bisection --------------------------------------------------------------

// The relative width is estimated in double first; its rounding (a few units
// of 2^-53 of it) is far below this share of the tolerance.
constexpr double kEstimateSlack = 1e-9;
constexpr double kWideEnough = kBisectionTolerance * (1 + kEstimateSlack);

// sign_a is carried from the pass that set a. Without a sign change in the
// bracket every pass moves a, and the result is the end b.
double BisectVolume(const Isotherm& iso, Bracket bracket) {
  auto [A, B, sign_A] = bracket;
  MidpointSigns signs(iso);
  for (int i = 1;; ++i) {
    const double m = Midpoint(A, B);
    const double sign_m = signs.At(m, A, B);
    // The signs are +1, -1 or residuals, whose product cannot leave the
    // range of double: the same test in double.
    const bool moves_a = sign_A * sign_m >= 0;
    A = moves_a ? m : A;
    sign_A = moves_a ? sign_m : sign_A;
    B = moves_a ? B : m;
    if (i > kBisectionLimit) {
      ShowMessage(messages::kNoVolume);
      return FAILURE;
    }
    // The relative width in extended precision only where a plain estimate
    // (good to far better than kWideEnough) cannot rule out the tolerance.
    if (A + B > 0 && std::fabs(B - A) * 2 > kWideEnough * (A + B)) continue;
    const double e = Stored(std::fabs((ext{B} - A) * 2 / (ext{A} + B)));
    if (e < kBisectionTolerance) return Midpoint(A, B);
  }
}

namespace {

constexpr double kLiquidStartTemperature = 350;  // degC
constexpr double kLiquidStartChecked = 16.6;     // MPa, TS_P = 350.6 degC
constexpr double kSaturationSnap = 1e-14;        // relative to t in degC
constexpr double kOrderingTemperatureMax = 1e6;  // degC, |t| below which the snap is
                                                 // within the ordering's margin

// ---- the starts -------------------------------------------------------------------
//
// The walks' starts depend on p alone. A temperature search at one pressure,
// and the three properties of one state, ask for them again and again, so
// each thread keeps the last pressure's. Only pressures at which neither
// start can show a message or raise a floating-point fault are kept.
constexpr double kKeptPressureMin = kLiquidStartChecked;  // MPa
constexpr double kKeptPressureMax = 100;                  // MPa

struct Starts {
  double p = std::numeric_limits<double>::quiet_NaN();
  std::optional<double> liquid;
  std::optional<double> vapour;
};

thread_local Starts last_starts;

bool Kept(double p) { return p >= kKeptPressureMin && p <= kKeptPressureMax; }

// The start of p kept in `field`, formed the first time it is asked for.
template <typename Form>
double KeptStart(double p, std::optional<double> Starts::*field, Form form) {
  if (!(last_starts.p == p)) last_starts = Starts{p, std::nullopt, std::nullopt};
  std::optional<double>& kept = last_starts.*field;
  if (!kept) kept = form();
  return *kept;
}

// The region-1 volume at 350 degC, where the liquid-side walk starts. From
// kLiquidStartChecked up, TS_P(p) lies above 350 degC, VW_PT's check holds and
// VW_PT is V1_PT.
double LiquidStart(double p) {
  const auto form = [p] { return V1_PT(p, kLiquidStartTemperature); };
  if (Kept(p)) return KeptStart(p, &Starts::liquid, form);
  return p >= kLiquidStartChecked ? form() : VW_PT(p, kLiquidStartTemperature);
}

// The region-2 volume at TB23 (K) taken as degrees Celsius, where the
// vapour-side walk starts.
double VapourStart(double p, double TB23) {
  const auto form = [p, TB23] { return VP_PT(p, TB23); };
  return Kept(p) ? KeptStart(p, &Starts::vapour, form) : form();
}

// ---- the roots ----------------------------------------------------------------------

double NoBracket() {
  ShowMessage(messages::kNoVolumeBracket);
  return FAILURE;
}

// The liquid-side root: the first one met walking up from start, or, where
// that walk meets none, the first one below start. FAILURE after the walk's
// message.
double LiquidRoot(const Isotherm& iso, double start) {
  auto bracket = WalkToSignChange(iso, start, kWalkStep);
  if (!bracket) bracket = BracketBelow(iso, start);
  return bracket ? BisectVolume(iso, *bracket) : NoBracket();
}

// The vapour-side root: the first one met walking down from start.
double VapourRoot(const Isotherm& iso, double start) {
  const auto bracket = WalkToSignChange(iso, start, -kWalkStep);
  return bracket ? BisectVolume(iso, *bracket) : NoBracket();
}

}  // namespace

// v1 is the liquid-side, v2 the vapour-side volume; they differ only on the
// saturation line. When no bracket around the volume is found both are
// FAILURE, after one message.
void Volumes(double p, double t, double& v1, double& v2) {
  const detail::ExtendedPrecision guard;
  // IAPWS-IF97 eq. 6. The vapour-side start is the region-2 volume at TB23
  // taken as degrees Celsius, well above every region-3 volume at p.
  const double TB23 = detail::TB23(p);
  const Isotherm iso(p, t);
  if (p > kCriticalPressure) {
    const double A = LiquidStart(p);
    const double B = VapourStart(p, TB23);
    const double sign_A = iso.ResidualSign(A);
    double v = FAILURE;
    if (ext{sign_A} * iso.ResidualSign(B) < 0) {
      v = BisectVolume(iso, {A, B, sign_A});
    } else {
      // The region-3 volume below the region-1 volume at 350 degC (see
      // BracketBelow): bisect the step below A that holds it.
      const auto below = BracketBelow(iso, A);
      v = below ? BisectVolume(iso, *below) : NoBracket();
    }
    v1 = v;
    v2 = v;
    return;
  }
  // Off the line (farther than the snap can reach) the cheaper ordering
  // temperature orders t as TS_P(p) does.
  double ts =
      std::fabs(t) < kOrderingTemperatureMax ? SaturationTemperatureToCompare(p, t) : TS_P(p);
  if (std::fabs((ext{ts} - t) / t) < kSaturationSnap) ts = t;
  if (t == ts) {
    double vapour = VapourRoot(iso, VapourStart(p, TB23));
    const double liquid = vapour == FAILURE ? FAILURE : LiquidRoot(iso, LiquidStart(p));
    if (liquid != FAILURE && vapour < liquid + kWalkStep) {
      vapour = SteamBesideCriticalPoint(iso, p, t, liquid, vapour);
    }
    v1 = liquid;
    v2 = liquid == FAILURE ? FAILURE : vapour;
  } else if (t < ts) {
    const double v = LiquidRoot(iso, LiquidStart(p));
    v1 = v;
    v2 = v;
  } else if (t > ts) {
    const double v = VapourRoot(iso, VapourStart(p, TB23));
    v1 = v;
    v2 = v;
  }
}

}  // namespace if97::detail::r3

namespace if97 {

void VKR_PT(double p, double t, double& v1, double& v2) { detail::r3::Volumes(p, t, v1, v2); }

}  // namespace if97
