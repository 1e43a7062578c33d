// The state engine's region-3 density at (p, T): Newton's method on the basic
// equation's pressure (IAPWS-IF97 eq. 28, Table 31), safeguarded by a bracket.
#include <cmath>

#include "engine/density_search.h"
#include "engine/forward.h"
#include "engine/helmholtz.h"

namespace if97::engine {
namespace {

constexpr double kTolerance = 1e-13;      // |p(rho, T) - p| / p at the root
constexpr double kEstimateClose = 1e-10;  // |p estimated - p| / p from which p is formed exactly
constexpr int kMostSteps = 100;           // pressure evaluations
constexpr double kLowestDensity = 1;      // kg/m3, the search's bounds
constexpr double kHighestDensity = 1500;  // kg/m3
constexpr double kFirstReach = 0.01;      // relative, the longest step before a bracket
// A root where the isotherm falls is no state of a stable phase. At T* and
// rho* the basic equation's isotherm dips to -6e-13 MPa m3/kg; this allows
// for that flat stretch around the critical point.
constexpr double kFlatSlope = 1e-9;  // MPa m3/kg

// The state of the search: the densities known to lie below the root
// (pressure below p) and above it, the longest step allowed while only one
// side is known, and the residual of the step before.
struct Search {
  double lo = 0;
  double hi = 0;
  bool below_known = false;
  bool above_known = false;
  double reach;
  double last_size = HUGE_VAL;

  // The next density from x, where the residual p(x) - p is residual and the
  // slope dp/drho; false where the search has run out of room.
  bool Next(double x, double residual, double slope, double& next) {
    const double size = std::fabs(residual);
    bool ok = true;
    if (below_known && above_known) {
      const bool newton = slope > 0 && size < (hi - lo) * slope && size <= 0.5 * last_size;
      const double middle = lo + (hi - lo) / 2;
      next = newton ? x - residual / slope : middle;
      if (!(next > lo && next < hi)) next = middle;
      ok = next > lo && next < hi;  // else lo and hi are neighbouring doubles
    } else {
      const double direction = residual < 0 ? 1 : -1;
      double move;
      if (slope > 0 && size <= reach * slope) {
        move = -residual / slope;
      } else {
        move = direction * reach;
        reach *= 2;
      }
      // No sign change up to a bound of the search: no root on this side.
      if (direction > 0) {
        ok = x < kHighestDensity;
        next = std::fmin(x + move, kHighestDensity);
      } else {
        ok = x > kLowestDensity;
        next = std::fmax(x + move, kLowestDensity);
      }
    }
    last_size = size;
    return ok;
  }

  void Bound(double x, double residual) {
    if (residual < 0) {
      lo = x;
      below_known = true;
    } else {
      hi = x;
      above_known = true;
    }
  }
};

}  // namespace

// Until the residual p(rho, T) - p has shown both signs, each step goes the
// way its sign points (up in density where the pressure is too low), a
// Newton step where the isotherm rises and the step is within reach, else
// the reach itself, which doubles each time. Once bracketed, a Newton step
// that would leave the bracket, or that follows a step which did not halve
// the residual, is replaced by a bisection. A slope is divided by only where
// the quotient is known to stay within the reach or the bracket, so no step
// overflows.
//
// The far steps use the pressure formed in double (Isotherm::Estimate); once
// that comes within kEstimateClose of p, where its rounding might give it
// the wrong sign, its Newton step is taken without bounding the root, and
// from then on the pressure is formed as Region3 forms it, which alone ends
// the search. The search keeps to the rising branch of the isotherm it
// starts on (a root ahead of the start in the direction the residual points
// is always one where the isotherm rises); a root on a falling stretch, which
// a bracket spanning a whole loop of a subcritical isotherm could still
// close on, is refused.
detail::DensitySearch detail::SearchRegion3Density(double p, double T, double rho_start) {
  DensitySearch result;
  // Quiet comparisons: a NaN argument raises no invalid operation.
  if (!(std::isgreater(p, 0) && std::isless(p, HUGE_VAL) && std::isgreater(T, 0) &&
        std::isless(T, HUGE_VAL) && std::isgreaterequal(rho_start, kLowestDensity) &&
        std::islessequal(rho_start, kHighestDensity))) {
    return result;
  }
  const Isotherm<long double, double> isotherm(T);  // the pressure in extended precision
  const double tolerance = kTolerance * p;
  const double close = kEstimateClose * p;
  Search search;
  search.reach = kFirstReach * rho_start;
  bool exact = false;
  double x = rho_start;
  for (int step = 0; step < kMostSteps; ++step) {
    const Pressure<double> at = exact ? isotherm.At(x) : isotherm.Estimate(x);
    ++(exact ? result.exact : result.estimates);
    const double residual = at.p - p;
    if (exact && std::fabs(residual) <= tolerance) {
      result.found = at.dp_drho >= -kFlatSlope;
      result.rho = x;
      result.at = at;
      return result;
    }
    if (exact || std::fabs(residual) > close) {
      search.Bound(x, residual);
    } else {
      exact = true;
    }
    if (step == kMostSteps / 2) exact = true;
    if (!search.Next(x, residual, at.dp_drho, x)) return result;
  }
  return result;
}

bool Region3Density(double p, double T, double rho_start, double& rho) {
  const detail::DensitySearch search = detail::SearchRegion3Density(p, T, rho_start);
  if (search.found) rho = search.rho;
  return search.found;
}

}  // namespace if97::engine
