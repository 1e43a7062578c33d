// The state from pressure and temperature on the double engine: the region
// as REGION_PT selects it, region 3 at the density Newton's method finds from
// the backward equations v(p, T), and the saturated phases of region 3.
#include <if97/if97.h>
#include <if97/if97_limits.h>
#include <if97/if97_messages.h>
#include <if97/if97_state.h>

#include <cmath>
#include <limits>

#include "arith/precision.h"
#include "engine/region3_vpt.h"
#include "forward/boundaries.h"
#include "forward/region_codes.h"
#include "forward/region_select.h"
#include "messages/message_capture.h"
#include "region3/volume_search.h"
#include "state/state_internal.h"

namespace if97::detail::state {
namespace {

// Above this temperature no pressure of the range has its saturation
// temperature (eq. 31 continued reaches about 377 degC at 100 MPa).
constexpr double kAboveEverySaturation = 380;  // degC
// Region 3 beside the saturation line within this the classic search decides
// the side: the backward equations' sub-regions part on eq. 31 in double.
constexpr double kLineMargin = 1e-6;  // K
constexpr double kLineSlope = 0.3;    // MPa/K, above dp_s/dT up to the critical point (0.27)
// A Newton root farther than this from its start (relative) may lie on the
// other branch of the isotherm.
constexpr double kBranchMargin = 0.05;
// The saturated phases of region 3 take their starts this far inside them.
constexpr double kSideOffset = 1e-6;  // K

// The classic volume search (VKR_PT's), its messages captured.
bool ClassicVolumes(double p, double t, double& v1, double& v2, std::string& message) {
  const ExtendedPrecision guard;
  const MessageCapture capture;
  v1 = FAILURE;
  v2 = FAILURE;
  r3::Volumes(p, t, v1, v2);
  if (v1 == FAILURE || v2 == FAILURE) {
    message = capture.empty() ? std::string(messages::kNoVolume) : capture.first();
    return false;
  }
  return true;
}

// The properties on the sub-region's branch at (p, T), the density by
// Newton's method from the sub-region's backward equation v(p, T); false when
// it has none to be relied on or the root does not stay near the start.
bool PropsFromSubregion(double p, double T, char subregion, engine::Props& props) {
  if (engine::Region3NearCritical(subregion)) return false;
  const double rho_start = 1 / engine::Region3VolumeEstimate(p, T, subregion);
  return engine::Region3State(p, T, rho_start, props) &&
         std::fabs(props.rho - rho_start) <= kBranchMargin * rho_start;
}

}  // namespace

// How far from TS_P the state API's double form of eq. 31 may lie, K.
constexpr double kOwnLineReach = 1e-6;

// The side of the saturation line from eq. 30 at T: the inverse of eq. 31,
// so that p above p_s(T) by more than kSideMargin (relative) puts TS_P(p)
// above t by more than 1e-8 K (dp_s/dT / p_s is at most 0.073 1/K, at
// 0 degC), and below it, below t; far more than the formulas' rounding.
// Cheaper than eq. 31 by two square roots. Where eq. 30 is not within
// kSideMargin of p, its answer stands in for ts: +inf (liquid side) or
// -inf; nearer, NaN, and REGION_PT's comparison decides.
constexpr double kSideMargin = 1e-9;
constexpr double kSideFastPressureMin = 0.001;   // MPa, TS_P's own double form from here
constexpr double kSideFastTemperatureMax = 647;  // K, below the critical point

double SideOfTheLine(double p, double t) {
  const double T = t + kKelvinOffset;
  if (p >= kSideFastPressureMin && T <= kSideFastTemperatureMax) {
    const double ps = engine::Psat(T);
    if (p > ps * (1 + kSideMargin)) return std::numeric_limits<double>::infinity();
    if (p < ps * (1 - kSideMargin)) return -std::numeric_limits<double>::infinity();
  }
  return std::numeric_limits<double>::quiet_NaN();
}

int RegionCode(double p, double t) {
  if (!InPtRange(p, t)) return kOutOfRange;
  // The comparison with the saturation line is REGION_PT's own: TS_P(p)
  // itself within a micro-kelvin of the line, its double form elsewhere.
  // Far above the line: below every temperature, compared without a NaN.
  double ts = -std::numeric_limits<double>::infinity();
  if (t <= kAboveEverySaturation) {
    const double side = SideOfTheLine(p, t);
    if (!std::isnan(side)) return RegionByLine(p, t, side);
    if (p >= 0.001) {
      ts = SaturationTemperatureToCompare(p, t);
    } else {
      const ExtendedPrecision guard;
      const MessageCapture capture;  // TS_P far below its range
      ts = SaturationTemperatureToCompare(p, t);
    }
  }
  // The state API's own line (saturation_p, state_px) is eq. 31 in double, a
  // unit in the last place from TS_P or so: a temperature taken from it lies
  // on the line as well.
  if (std::fabs(t - ts) < kOwnLineReach && p <= kCriticalPressure &&
      t == engine::Tsat(p) - kKelvinOffset) {
    return kSaturationLine;
  }
  return RegionByLine(p, t, ts);
}

Phase PhaseOf(int code, double p, double t) {
  if (p > kCriticalPressure && t > kCriticalTemperature) return Phase::kSupercritical;
  return code == kRegion1 || code == kRegion3 || code == kRegion3Liquid ? Phase::kLiquid
                                                                        : Phase::kSteam;
}

bool Region3PropsAt(double p, double t, int code, engine::Props& props, std::string& message) {
  const double T = t + kKelvinOffset;
  // Within kLineMargin of the line in T is within kLineMargin dp_s/dT of it
  // in p, and dp_s/dT lies below kLineSlope in region 3: eq. 30 at T tells,
  // cheaper than eq. 31 at p (and NaN, not beside, above its pole).
  const bool beside_line = code != kRegion3 && std::islessequal(std::fabs(p - engine::Psat(T)),
                                                                kLineMargin * kLineSlope);
  if (!beside_line && PropsFromSubregion(p, T, engine::Region3Subregion(p, T), props)) {
    return true;
  }
  double v1;
  double v2;
  if (!ClassicVolumes(p, t, v1, v2, message)) return false;
  props = engine::Region3(1 / (code == kRegion3Vapour ? v2 : v1), T);
  return true;
}

bool PropsAt(int code, double p, double t, engine::Props& props, std::string& message) {
  const double T = t + kKelvinOffset;
  switch (code) {
    case kRegion1:
      props = engine::Region1(p, T);
      return true;
    case kRegion2:
      props = engine::Region2(p, T);
      return true;
    case kRegion5:
      props = engine::Region5(p, T);
      return true;
    default:
      return Region3PropsAt(p, t, code, props, message);
  }
}

namespace {

// The phases of region 3 on the line, one object returned from every path.
Pair Region3Pair(double p, double T, std::string& message) {
  Pair pair{{}, {}, 3};
  if (PropsFromSubregion(p, T, engine::Region3Subregion(p, T - kSideOffset), pair.water) &&
      PropsFromSubregion(p, T, engine::Region3Subregion(p, T + kSideOffset), pair.steam) &&
      pair.water.rho > pair.steam.rho) {
    return pair;
  }
  // The classic search parts the phases at its own saturation temperature,
  // which comes within about 1e-10 K of eq. 31 in double.
  double ts;
  {
    const ExtendedPrecision guard;
    const MessageCapture capture;
    ts = TS_P(p);
  }
  double v1;
  double v2;
  if (ClassicVolumes(p, ts, v1, v2, message)) {
    pair.water = engine::Region3(1 / v1, ts + kKelvinOffset);
    pair.steam = engine::Region3(1 / v2, ts + kKelvinOffset);
  } else {
    pair.region = 0;
  }
  return pair;
}

// The phases of regions 1 and 2, formed in the object returned.
Pair Region12Pair(double p, double T) {
  Pair pair;
  pair.region = 1;
  engine::Region1And2(p, T, pair.water, pair.steam);
  return pair;
}

}  // namespace

Pair SaturatedPair(double p, double T, std::string& message) {
  return T <= kRegion1HighestTemperature ? Region12Pair(p, T) : Region3Pair(p, T, message);
}

}  // namespace if97::detail::state

namespace if97 {

using namespace detail::state;

// state_pt: REGION_PT's region, the engine's equation of it. Each result is
// formed where the caller receives it, not copied there.
StateResult state_pt(double p, double t, Extent extent) {
  const int code = RegionCode(p, t);
  if (code == detail::kOutOfRange) {
    return Refuse<StateResult>(StateError::kOutOfRange, messages::kPtOutOfRange);
  }
  if (code == detail::kSaturationLine) {
    return Refuse<StateResult>(StateError::kOnSaturationLine,
                               messages::WithFunction(messages::kOnSaturationLine, "h_pt"));
  }
  const double T = t + kKelvinOffset;
  const Phase phase = PhaseOf(code, p, t);
  switch (code) {
    case detail::kRegion1:
      return {SinglePhase(engine::Region1(p, T), p, t, 1, phase, extent), StateError::kNone, {}};
    case detail::kRegion2:
      return {SinglePhase(engine::Region2(p, T), p, t, 2, phase, extent), StateError::kNone, {}};
    case detail::kRegion5:
      return {SinglePhase(engine::Region5(p, T), p, t, 5, phase, extent), StateError::kNone, {}};
    default: {
      engine::Props props;
      std::string message;
      if (!Region3PropsAt(p, t, code, props, message)) {
        return Refuse<StateResult>(StateError::kNoConvergence, message);
      }
      return {SinglePhase(props, p, t, 3, phase, extent), StateError::kNone, {}};
    }
  }
}

}  // namespace if97
