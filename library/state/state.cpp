// The whole state from one pair of given quantities (if97_state.h). The
// classic functions' messages are captured per call (message_capture.h) and
// handed back with the error code.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "inverse/backward_sums.h"
#include "forward/boundaries.h"
#include <if97/if97.h>
#include <if97/if97_messages.h>
#include <if97/if97_state.h>
#include "messages/message_capture.h"
#include "forward/properties.h"
#include "forward/region_select.h"
#include "forward/saturation.h"
#include <if97/if97_limits.h>
#include "arith/precision.h"
#include "arith/stored.h"
#include "inverse/temperature_search.h"

namespace if97 {
namespace {

using detail::ext;
using detail::MessageCapture;
using detail::Properties;
using detail::Stored;

using limits::kLowestSaturationPressure;
using limits::kLowestTemperature;
using limits::kRegion5Pressure;
constexpr double kHighestTemperature = limits::kHighestTemperatureRegion5;  // up to 10 MPa
constexpr double kHighestAbove10MPa = limits::kHighestTemperatureRegion2;

// The ranges of T_PH and T_PS.
constexpr double kPhPressureMin = limits::kPhLowestPressure;
constexpr double kPhPressureMax = limits::kPhHighestPressure;
constexpr double kEnthalpyMax = limits::kPhHighestEnthalpy;
constexpr double kPsPressureMin = limits::kPsLowestPressure;
constexpr double kPsPressureMax = limits::kPsHighestPressure;

// Choice of the backward equation that gives the first temperature.
using detail::kP2ab;
using detail::kP2bcLowest;
constexpr double kS2aContinued = 6.4;  // kJ/(kg K), see SteamEstimate
// Below these values the water side is tried first, above them the steam
// side: every saturated-water value lies below them and every
// saturated-steam value at or below 350 degC above them.
constexpr double kWaterFirstEnthalpy = 2100;  // kJ/kg
constexpr double kWaterFirstEntropy = 4.4;    // kJ/(kg K)
// Above the lowest pressure of B23, values below the first two lie in region
// 1 at most pressures, values above the last two in region 2.
constexpr double kRegion1Enthalpy = 1550;  // kJ/kg
constexpr double kRegion1Entropy = 3.5;    // kJ/(kg K)
constexpr double kRegion2Enthalpy = 2600;  // kJ/kg
constexpr double kRegion2Entropy = 5.2;    // kJ/(kg K)

// The forward equations give back the given value to this, relative to the
// value or to the floor below it (near 0 degC both are near zero).
constexpr double kTolerance = 1e-10;
constexpr double kEnthalpyFloor = 1;    // kJ/kg
constexpr double kEntropyFloor = 0.01;  // kJ/(kg K)
constexpr int kIterationLimit = 200;

using messages::kPhNoConvergence, messages::kPhOutOfRange, messages::kPsNoConvergence,
    messages::kPsOutOfRange;

template <typename Result>
Result Refuse(StateError error, std::string message) {
  Result result;
  result.error = error;
  result.message = std::move(message);
  return result;
}

int RegionNumber(int code) {
  return code == detail::kRegion3Liquid || code == detail::kRegion3Vapour ? 3 : code;
}

Phase PhaseOf(int code, double p, double t) {
  if (p > kCriticalPressure && t > kCriticalTemperature) return Phase::kSupercritical;
  switch (code) {
    case detail::kRegion1:
    case detail::kRegion3:  // above the critical pressure, below the critical temperature
    case detail::kRegion3Liquid:
      return Phase::kLiquid;
    default:
      return Phase::kSteam;
  }
}

State MakeState(double p, double t, const Properties& props) {
  State state;
  state.p = p;
  state.t = t;
  state.h = props.h;
  state.s = props.s;
  state.v = props.v;
  state.u = props.u;
  state.cp = props.cp;
  state.cv = props.cv;
  state.w = props.w;
  return state;
}

State SinglePhase(double p, double t, const Properties& props, int code) {
  State state = MakeState(p, t, props);
  state.region = RegionNumber(code);
  state.phase = PhaseOf(code, p, t);
  return state;
}

// A saturated phase: x = 0 (water) or 1 (steam), region of its equation.
State Saturated(double p, double t, const Properties& props, int code, double x) {
  State state = MakeState(p, t, props);
  state.region = RegionNumber(code);
  state.phase = Phase::kSaturated;
  state.x = x;
  return state;
}

// ---- the saturated phases -------------------------------------------------------

struct SaturatedPair {
  Properties water;
  Properties steam;
  int water_code;
  int steam_code;
};

// Both phases at (p, t) on the saturation line, from region 3 when region3 is
// set (one volume search gives both volumes); false after VKR_PT's message.
bool BothPhases(double p, double t, bool region3, SaturatedPair& pair) {
  if (region3) {
    double v1 = FAILURE;
    double v2 = FAILURE;
    VKR_PT(p, t, v1, v2);
    if (v1 == FAILURE || v2 == FAILURE) return false;
    pair.water = detail::Region3Properties(v1, t);
    pair.steam = detail::Region3Properties(v2, t);
    pair.water_code = detail::kRegion3Liquid;
    pair.steam_code = detail::kRegion3Vapour;
  } else {
    pair.water = detail::Region1Properties(p, t);
    pair.steam = detail::Region2Properties(p, t);
    pair.water_code = detail::kRegion1;
    pair.steam_code = detail::kRegion2;
  }
  return true;
}

// Wet steam as H_PX mixes it; x = 0 and x = 1 are the saturated phases.
State Wet(double p, double t, const SaturatedPair& pair, double x) {
  if (x == 0) return Saturated(p, t, pair.water, pair.water_code, 0);
  if (x == 1) return Saturated(p, t, pair.steam, pair.steam_code, 1);
  State state;
  state.p = p;
  state.t = t;
  state.h = detail::MixPhases(x, pair.water.h, pair.steam.h);
  state.s = detail::MixPhases(x, pair.water.s, pair.steam.s);
  state.v = detail::MixPhases(x, pair.water.v, pair.steam.v);
  state.u = detail::MixPhases(x, pair.water.u, pair.steam.u);
  state.x = x;
  state.region = detail::kSaturationLine;
  state.phase = Phase::kSaturated;
  return state;
}

// ---- the temperature of a given enthalpy or entropy -------------------------------

enum class Given { kEnthalpy, kEntropy };
enum class Side { kWater, kSteam };

struct Point {
  double t;  // degC
  Properties props;
  int code;              // the region code of props
  bool on_line = false;  // t is the saturation temperature itself
  bool whole = true;     // props holds every property, not the slopes only
};

double ValueOf(Given given, const Properties& props) {
  return given == Given::kEnthalpy ? props.h : props.s;
}

enum class Evaluation { kDone, kFailed, kOtherSide };

bool WaterCode(int code) { return code == detail::kRegion1 || code == detail::kRegion3Liquid; }
bool SteamCode(int code) {
  return code == detail::kRegion2 || code == detail::kRegion3Vapour || code == detail::kRegion5;
}

// The properties at (p, t) by the region of (p, t), as state_pt takes them; on
// the saturation line itself, those of the phase on the given side. A t on
// the other side of the saturation line is not evaluated. Without whole,
// region 1 forms only what a search step needs.
Evaluation Evaluate(double p, double t, Side side, Point& point, bool whole = true) {
  const bool water = side == Side::kWater;
  int code = detail::RegionOf(p, t);
  point.on_line = code == detail::kSaturationLine;
  if (point.on_line) {
    if (t > kRegion3LowestTemperature) {
      code = water ? detail::kRegion3Liquid : detail::kRegion3Vapour;
    } else {
      code = water ? detail::kRegion1 : detail::kRegion2;
    }
  } else if (water ? SteamCode(code) : WaterCode(code)) {
    return Evaluation::kOtherSide;
  }
  point.t = t;
  point.code = code;
  point.whole = whole || code != detail::kRegion1;
  if (!point.whole) {
    point.props = detail::Region1Slopes(p, t);
    return Evaluation::kDone;
  }
  if (!detail::PropertiesInRegion(code, p, t, point.props)) return Evaluation::kFailed;
  return Evaluation::kDone;
}

// Every property of a point evaluated for a search step only.
Point Whole(double p, Side side, const Point& point) {
  if (point.whole) return point;
  Point whole = point;
  Evaluate(p, point.t, side, whole);  // region 1 has no search that could fail
  return whole;
}

// One end of the interval searched; its point once evaluated.
struct End {
  double t;
  bool known = false;
  Point point{};
};

End KnownEnd(const Point& point) { return End{point.t, true, point}; }

enum class Outcome {
  kFound,
  kBelow,   // the value at the lower end is already above the given one
  kAbove,   // the value at the upper end is still below it
  kFailed,  // a volume search failed, or no temperature gives the value
};

struct Search {
  Given given;
  double p;
  double target;
  double tolerance;  // absolute, on the value
  Side side;
};

// The step in t from a point toward the target value: Halley's step where the
// curvature is formed (regions 1, 2 and 5), Newton's elsewhere. The value's
// slope is cp (or cp / T), its curvature d cp / dT (or d (cp / T) / dT).
ext Step(Given given, const Point& point, ext residual) {
  ext slope = point.props.cp;
  ext curvature = point.props.dcp_dt;
  if (given == Given::kEntropy) {
    const ext T = ext{point.t} + kKelvinOffset;
    curvature = (curvature - slope / T) / T;
    slope = slope / T;
  }
  const ext newton = residual / slope;
  if (!std::isfinite(curvature)) return newton;
  const ext denominator = 2 * slope * slope + residual * curvature;
  if (!(denominator > slope * slope)) return newton;  // far from the root
  return 2 * residual * slope / denominator;
}

// Halley or Newton steps on the forward equation for the temperature in
// [lo, hi] whose value is the target; the value increases with t. A step that
// would leave the interval goes to an end not yet evaluated, or else halves
// the interval, which every evaluated point narrows. A point on the other
// side of the saturation line makes the line the end of the interval. lo and
// hi come back narrowed, with their points where known; after kAbove hi,
// after kBelow lo, is the end evaluated.
Outcome Solve(const Search& search, double t0, End& lo, End& hi, Point& found) {
  double lo_limit = lo.t;
  double hi_limit = hi.t;
  // A first temperature outside the interval (or none, NaN) is replaced by
  // the chord between the known ends, else taken to the nearer end.
  double t = t0;
  if (std::isnan(t) || !(t > lo.t && t < hi.t)) {
    double chord = kNotDefined;
    if (lo.known && hi.known) {
      const double y_lo = ValueOf(search.given, lo.point.props);
      const double y_hi = ValueOf(search.given, hi.point.props);
      if (y_hi > y_lo) {
        chord =
            Stored(lo.t + (ext{hi.t} - lo.t) * (ext{search.target} - y_lo) / (ext{y_hi} - y_lo));
      }
    }
    if (!std::isnan(chord) && chord >= lo.t && chord <= hi.t) {
      t = chord;
    } else if (!std::isnan(t0)) {
      t = std::clamp(t0, lo.t, hi.t);
    } else {
      t = Stored((ext{lo.t} + hi.t) / 2);
    }
  }
  for (int i = 0; i < kIterationLimit; ++i) {
    Point point;
    if (t == lo.t && lo.known) {
      point = lo.point;
    } else if (t == hi.t && hi.known) {
      point = hi.point;
    } else {
      // The first step needs the slopes only; its point is rarely the state.
      switch (Evaluate(search.p, t, search.side, point, i > 0)) {
        case Evaluation::kDone:
          break;
        case Evaluation::kFailed:
          return Outcome::kFailed;
        case Evaluation::kOtherSide:
          t = TS_P(search.p);
          if (search.side == Side::kWater) {
            hi = End{t};
            hi_limit = t;
          } else {
            lo = End{t};
            lo_limit = t;
          }
          continue;
      }
    }
    const ext residual = ext{search.target} - ValueOf(search.given, point.props);
    if (std::fabs(residual) <= search.tolerance) {
      found = Whole(search.p, search.side, point);
      return Outcome::kFound;
    }
    if (residual > 0) {
      if (t == hi_limit) {
        hi = KnownEnd(Whole(search.p, search.side, point));
        return Outcome::kAbove;
      }
      lo = KnownEnd(point);
    } else {
      if (t == lo_limit) {
        lo = KnownEnd(Whole(search.p, search.side, point));
        return Outcome::kBelow;
      }
      hi = KnownEnd(point);
    }
    double next = Stored(t + Step(search.given, point, residual));
    if (next == t) next = std::nextafter(t, residual > 0 ? hi.t : lo.t);
    if (!(next > lo.t && next < hi.t)) {
      if (!(next > lo.t) && !lo.known) {
        next = lo.t;
      } else if (!(next < hi.t) && !hi.known) {
        next = hi.t;
      } else {
        next = Stored((ext{lo.t} + hi.t) / 2);
        // Adjacent ends: the value jumps between them (a region boundary).
        if (next == lo.t || next == hi.t) return Outcome::kFailed;
      }
    }
    t = next;
  }
  return Outcome::kFailed;
}

// The first temperature on the water side: IAPWS-IF97 eqs. 11 and 13.
double WaterEstimate(Given given, double p, double y) {
  return given == Given::kEnthalpy ? detail::EstimateT_PH1(p, y) : detail::EstimateT_PS1(p, y);
}

// The first temperature on the steam side: IAPWS-IF97 eqs. 22 to 25 and 27.
// Sub-region 2b by entropy has no backward equation here: the 2a equation
// continued past 4 MPa starts the steps up to the lowest pressure of the
// B2bc line and at higher entropies, the 2c equation continued past its
// boundary elsewhere (each within a kelvin or so).
double SteamEstimate(Given given, double p, double y) {
  if (given == Given::kEnthalpy) {
    if (p <= kP2ab) return detail::EstimateT_PH2a(p, y);
    if (p <= kP2bcLowest || p <= detail::PB2bc(y)) return detail::EstimateT_PH2b(p, y);
    return detail::EstimateT_PH2c(p, y);
  }
  if (p <= kP2bcLowest || y >= kS2aContinued) return detail::EstimateT_PS2a(p, y);
  return detail::EstimateT_PS2c(p, y);
}

class PressureAndValue {
 public:
  PressureAndValue(Given given, double p, double y)
      : given_(given),
        p_(p),
        y_(y),
        tolerance_(kTolerance * std::max(std::fabs(y), given == Given::kEnthalpy ? kEnthalpyFloor
                                                                                 : kEntropyFloor)),
        t_max_(p > kRegion5Pressure ? kHighestAbove10MPa : kHighestTemperature) {}

  StateResult Run() {
    if (p_ > kB23LowestPressure) return NearCritical();
    return BelowB23();
  }

 private:
  Search On(Side side) const { return Search{given_, p_, y_, tolerance_, side}; }

  StateResult Found(const Point& point) const {
    StateResult result;
    if (point.on_line) {
      result.state = Saturated(p_, point.t, point.props, point.code, WaterCode(point.code) ? 0 : 1);
    } else {
      result.state = SinglePhase(p_, point.t, point.props, point.code);
    }
    return result;
  }

  StateResult WetSteam(double ts, const Point& water, const Point& steam) const {
    const SaturatedPair pair{water.props, steam.props, water.code, steam.code};
    const double y_water = ValueOf(given_, water.props);
    const double y_steam = ValueOf(given_, steam.props);
    const double x = Stored((ext{y_} - y_water) / (ext{y_steam} - y_water));
    StateResult result;
    result.state = Wet(p_, ts, pair, std::clamp(x, 0.0, 1.0));
    return result;
  }

  double Estimate(Side side) const {
    return side == Side::kWater ? WaterEstimate(given_, p_, y_) : SteamEstimate(given_, p_, y_);
  }

  // The search of the side tried first, in [lo, hi]. True with the result
  // when it ends the search: the state found, a value beyond the range (below
  // the water side, above the steam side), or a failure. False when the value
  // lies beyond the end toward the other side (hi for water, lo for steam),
  // which comes back evaluated.
  bool SearchFirst(Side side, End& lo, End& hi, StateResult& result) {
    Point found;
    const Outcome outcome = Solve(On(side), Estimate(side), lo, hi, found);
    const Outcome beyond_range = side == Side::kWater ? Outcome::kBelow : Outcome::kAbove;
    if (outcome == Outcome::kFound) {
      result = Found(found);
    } else if (outcome == Outcome::kFailed) {
      result = NoConvergence(capture_);
    } else if (outcome == beyond_range) {
      result = OutOfRange();
    } else {
      return false;
    }
    return true;
  }

  // The last search, in [lo, hi] from t0: the state, or no state at all.
  StateResult SearchLast(Side side, double t0, End& lo, End& hi) {
    Point found;
    switch (Solve(On(side), t0, lo, hi, found)) {
      case Outcome::kFound:
        return Found(found);
      case Outcome::kFailed:
        return NoConvergence(capture_);
      default:
        return OutOfRange();
    }
  }

  StateResult OutOfRange() const {
    return Refuse<StateResult>(StateError::kOutOfRange,
                               given_ == Given::kEnthalpy ? kPhOutOfRange : kPsOutOfRange);
  }

  StateResult NoConvergence(const MessageCapture& capture) const {
    if (!capture.empty()) return Refuse<StateResult>(StateError::kNoConvergence, capture.first());
    return Refuse<StateResult>(StateError::kNoConvergence,
                               given_ == Given::kEnthalpy ? kPhNoConvergence : kPsNoConvergence);
  }

  // Up to the lowest pressure of B23 the water side runs from 0 degC to the
  // saturation line, the steam side from there to the highest temperature.
  // One side is searched first; a value beyond the saturated one on that side
  // is either wet steam or a state of the other side. The saturation
  // temperature is formed only when a search meets the line.
  StateResult BelowB23() {
    const bool water_first =
        y_ < (given_ == Given::kEnthalpy ? kWaterFirstEnthalpy : kWaterFirstEntropy);
    const Side first = water_first ? Side::kWater : Side::kSteam;
    const Side second = water_first ? Side::kSteam : Side::kWater;
    End water_lo{kLowestTemperature};
    End water_hi{t_max_};
    End steam_lo{kLowestTemperature};
    End steam_hi{t_max_};
    StateResult result;
    if (SearchFirst(first, water_first ? water_lo : steam_lo, water_first ? water_hi : steam_hi,
                    result)) {
      return result;
    }
    // The first side's end on the saturation line is its saturated phase;
    // the other phase at that temperature tells wet steam from the other side.
    const End& saturated = water_first ? water_hi : steam_lo;
    const double ts = saturated.t;
    Point other;
    if (Evaluate(p_, ts, second, other) != Evaluation::kDone) return NoConvergence(capture_);
    const double y_other = ValueOf(given_, other.props);
    if (water_first ? y_ <= y_other : y_ >= y_other) {
      return water_first ? WetSteam(ts, saturated.point, other)
                         : WetSteam(ts, other, saturated.point);
    }
    if (water_first) {
      steam_lo = KnownEnd(other);
      return SearchLast(second, Estimate(second), steam_lo, steam_hi);
    }
    water_hi = KnownEnd(other);
    return SearchLast(second, Estimate(second), water_lo, water_hi);
  }

  // Above the lowest pressure of B23: region 1 up to 350 degC, region 2 from
  // the B23 line up, region 3 between them, with the saturation line in it up
  // to the critical pressure. A value well below (above) region 3 is searched
  // for in region 1 (2) first; the end met at 350 degC (on B23) then bounds
  // region 3.
  StateResult NearCritical() {
    const double tb23 = detail::TB23Celsius(p_);
    const bool enthalpy = given_ == Given::kEnthalpy;
    Point at350;
    Point at_b23;
    bool have350 = false;
    bool have_b23 = false;
    StateResult result;
    if (y_ < (enthalpy ? kRegion1Enthalpy : kRegion1Entropy)) {
      End lo{kLowestTemperature};
      End hi{kRegion3LowestTemperature};
      if (SearchFirst(Side::kWater, lo, hi, result)) return result;
      at350 = hi.point;
      have350 = true;
    } else if (y_ > (enthalpy ? kRegion2Enthalpy : kRegion2Entropy)) {
      End lo{tb23};
      End hi{t_max_};
      if (SearchFirst(Side::kSteam, lo, hi, result)) return result;
      at_b23 = lo.point;
      have_b23 = true;
    }
    // The ends of region 3 as far as not yet known.
    if (!have350 && Evaluate(p_, kRegion3LowestTemperature, Side::kWater, at350) != Evaluation::kDone) {
      return NoConvergence(capture_);
    }
    if (!have_b23 && Evaluate(p_, tb23, Side::kSteam, at_b23) != Evaluation::kDone) {
      return NoConvergence(capture_);
    }
    End lo{kLowestTemperature};
    End hi{t_max_};
    double t0 = kNotDefined;
    Side side = Side::kWater;
    if (y_ <= ValueOf(given_, at350.props)) {
      hi = KnownEnd(at350);
      t0 = WaterEstimate(given_, p_, y_);
    } else if (y_ >= ValueOf(given_, at_b23.props)) {
      lo = KnownEnd(at_b23);
      t0 = SteamEstimate(given_, p_, y_);
      side = Side::kSteam;
    } else if (p_ > kCriticalPressure) {
      lo = KnownEnd(at350);
      hi = KnownEnd(at_b23);
    } else {
      const double ts = TS_P(p_);
      SaturatedPair pair;
      if (!BothPhases(p_, ts, true, pair)) return NoConvergence(capture_);
      const Point water{ts, pair.water, pair.water_code, true};
      const Point steam{ts, pair.steam, pair.steam_code, true};
      if (y_ < ValueOf(given_, water.props)) {
        lo = KnownEnd(at350);
        hi = KnownEnd(water);
      } else if (y_ > ValueOf(given_, steam.props)) {
        lo = KnownEnd(steam);
        hi = KnownEnd(at_b23);
        side = Side::kSteam;
      } else {
        return WetSteam(ts, water, steam);
      }
    }
    return SearchLast(side, t0, lo, hi);
  }

  MessageCapture capture_;
  Given given_;
  double p_;
  double y_;
  double tolerance_;
  double t_max_;
};

// The saturated phases at (p, t), or the refusal with the capture's message.
SaturationResult SaturationAt(double p, double t, const MessageCapture& capture) {
  SaturatedPair pair;
  if (!BothPhases(p, t, t > kRegion3LowestTemperature, pair)) {
    return Refuse<SaturationResult>(StateError::kNoConvergence, capture.first());
  }
  SaturationResult result;
  result.water = Saturated(p, t, pair.water, pair.water_code, 0);
  result.steam = Saturated(p, t, pair.steam, pair.steam_code, 1);
  return result;
}

// Wet steam of dryness x at pressure p and temperature t, the phases taken
// at (p_phases, t), or the refusal with the capture's message.
StateResult WetAt(double p, double p_phases, double t, double x, const MessageCapture& capture) {
  SaturatedPair pair;
  if (!BothPhases(p_phases, t, t > kRegion3LowestTemperature, pair)) {
    return Refuse<StateResult>(StateError::kNoConvergence, capture.first());
  }
  StateResult result;
  result.state = Wet(p, t, pair, x);
  return result;
}

}  // namespace

const char* Describe(StateError error) noexcept {
  switch (error) {
    case StateError::kNone:
      return "";
    case StateError::kOutOfRange:
      return "out of range";
    case StateError::kNoSaturation:
      return "no saturation state";
    case StateError::kOnSaturationLine:
      return "on the saturation line";
    case StateError::kNoConvergence:
      return "no convergence";
  }
  return "";
}

StateResult state_pt(double p, double t) {
  const detail::ExtendedPrecision guard;
  const MessageCapture capture;
  const int code = detail::RegionOf(p, t);
  if (code == detail::kOutOfRange) {
    return Refuse<StateResult>(StateError::kOutOfRange, capture.first());
  }
  if (code == detail::kSaturationLine) {
    return Refuse<StateResult>(StateError::kOnSaturationLine,
                               messages::WithFunction(messages::kOnSaturationLine, "h_pt"));
  }
  Properties props;
  if (!detail::PropertiesInRegion(code, p, t, props)) {
    return Refuse<StateResult>(StateError::kNoConvergence, capture.first());
  }
  StateResult result;
  result.state = SinglePhase(p, t, props, code);
  return result;
}

StateResult state_ph(double p, double h) {
  const detail::ExtendedPrecision guard;
  // The lowest enthalpy, that of water at 0 degC, is the search's lower end.
  if (!(kPhPressureMin <= p && p <= kPhPressureMax && h <= kEnthalpyMax)) {
    return Refuse<StateResult>(StateError::kOutOfRange, kPhOutOfRange);
  }
  return PressureAndValue(Given::kEnthalpy, p, h).Run();
}

StateResult state_ps(double p, double s) {
  const detail::ExtendedPrecision guard;
  if (!(kPsPressureMin <= p && p <= kPsPressureMax && std::isfinite(s))) {
    return Refuse<StateResult>(StateError::kOutOfRange, kPsOutOfRange);
  }
  return PressureAndValue(Given::kEntropy, p, s).Run();
}

// H_PX takes the saturated phases by temperature at TS_P(p). A pressure
// outside the saturation range is refused before TS_P, which faults at
// p <= 0, with the message H_PX shows for the temperature it would reach.
StateResult state_px(double p, double x) {
  const detail::ExtendedPrecision guard;
  const MessageCapture capture;
  if (!(x >= 0 && x <= 1)) {
    return Refuse<StateResult>(StateError::kOutOfRange,
                               std::string(messages::kDrynessOutOfRange) + "H_PX");
  }
  if (!(p >= kLowestSaturationPressure && p <= kCriticalPressure)) {
    return Refuse<StateResult>(StateError::kNoSaturation,
                               detail::NoSaturationAtTemperatureMessage("HSW_T"));
  }
  const double ts = TS_P(p);
  if (detail::NoSaturationAtTemperature(ts, "HSW_T")) {
    return Refuse<StateResult>(StateError::kNoSaturation, capture.first());
  }
  return WetAt(p, PS_T(ts), ts, x, capture);
}

StateResult state_tx(double t, double x) {
  const detail::ExtendedPrecision guard;
  const MessageCapture capture;
  if (!(x >= 0 && x <= 1))
    return Refuse<StateResult>(StateError::kOutOfRange,
                               std::string(messages::kDrynessOutOfRange) + "state_tx");
  if (detail::NoSaturationAtTemperature(t, "HSW_T")) {
    return Refuse<StateResult>(StateError::kNoSaturation, capture.first());
  }
  const double ps = PS_T(t);
  return WetAt(ps, ps, t, x, capture);
}

SaturationResult saturation_p(double p) {
  const detail::ExtendedPrecision guard;
  const MessageCapture capture;
  if (detail::NoSaturationAtPressure(p, "HSW_P")) {
    return Refuse<SaturationResult>(StateError::kNoSaturation, capture.first());
  }
  return SaturationAt(p, TS_P(p), capture);
}

SaturationResult saturation_t(double t) {
  const detail::ExtendedPrecision guard;
  const MessageCapture capture;
  if (detail::NoSaturationAtTemperature(t, "HSW_T")) {
    return Refuse<SaturationResult>(StateError::kNoSaturation, capture.first());
  }
  return SaturationAt(PS_T(t), t, capture);
}

}  // namespace if97
