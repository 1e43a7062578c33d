// steamcalc property library: the whole state of water or steam from one pair
// of given quantities, for programs that compute many states, in many threads.
//
// Units as in if97.h: p in MPa, t in degrees Celsius, h and u in kJ/kg, s, cp
// and cv in kJ/(kg K), v in m3/kg, w in m/s, x from 0 to 1.
//
// Refusals come back as values. A call never shows a message, never calls the
// handler installed with SetMessageHandler (nor reads or changes it), and never
// returns FAILURE as a property: when result.ok() is false, result.error says
// why, result.description() says it in English, and result.message holds the
// Russian text that the classic function named below would have shown.
//
// Why a plain result struct and not std::expected: the library and its
// consumers build as C++20, and std::expected is C++23. The struct also
// carries the Russian text beside the error code, which an expected's error
// type would have to wrap anyway. `if (auto r = if97::state_pt(p, t)) use(r.state);`
// reads as it would with std::expected.
//
// Threads: every call may run in any number of threads at once with no setup.
// The calls share no mutable state; the messages of the classic functions
// they use are captured per thread (see message below) and never reach the
// installed handler.
//
// Which path each call takes:
//   state_pt  The classic functions' own arithmetic: the region of (p, t) as
//             h_pt selects it, and h, s, v bit for bit what h_pt, s_pt and v_pt
//             return (region 3 at the volume they use); u, cp, cv and w from
//             the same derivatives of the basic equation, formed from the same
//             powers. Costs about twice h_pt.
//   state_ph  The backward equation T(p, h) of the region (the near-critical
//   state_ps  search of T_PH/T_PS in region 3, an ideal-gas estimate where
//             IAPWS-IF97 has no backward equation), then Newton steps on the
//             forward equation of the region the temperature lies in, until
//             h_pt(p, state.t) (s_pt for state_ps) gives back the given value
//             to 1e-9 relative. The whole state is then state_pt(p, state.t),
//             so state_pt(p, r.state.t) reproduces it bit for bit. Between
//             the saturated values the state is wet steam at TS_P(p). The
//             temperature therefore differs from T_PH/T_PS, which keep the
//             backward equations' deviation (up to 25 mK) on purpose.
//   state_px  Saturated water and steam as H_PX, S_PX and V_PX take them (by
//             temperature at TS_P(p)), mixed in the proportion x: h, s, v
//             equal H_PX, S_PX, V_PX bit for bit, u equals U_PX.
//   state_tx  The same at the saturation pressure PS_T(t).
//   saturation_p, saturation_t
//             Both saturated phases as HSW_P/HSP_P (HSW_T/HSP_T) take them:
//             regions 1 and 2 up to 350 degC, region 3 above it; h, s, v bit
//             for bit what the classic functions return.
//
// Ranges are those of the classic functions: state_pt as h_pt, state_ph as
// T_PH (and the temperature found must lie in h_pt's range), state_ps as T_PS,
// state_px and saturation_p as HSW_P, state_tx and saturation_t as HSW_T.
#ifndef STEAMCALC_IF97_STATE_H
#define STEAMCALC_IF97_STATE_H

#include <limits>
#include <string>

namespace if97 {

enum class StateError : unsigned char {
  kNone = 0,
  kOutOfRange,        // an argument (or the temperature found) is outside the range
  kNoSaturation,      // no saturation state at this pressure or temperature
  kOnSaturationLine,  // (p, t) on the saturation line: p and t do not fix the state
  kNoConvergence,     // a search for a volume or a temperature did not converge
};

// A short English description of the error ("" for kNone); a static string.
const char* Describe(StateError error) noexcept;

enum class Phase : unsigned char {
  kLiquid,         // region 1; region 3 below the critical temperature, liquid side
  kSteam,          // regions 2 and 5; region 3 on the vapour side below the critical pressure
  kSupercritical,  // above both the critical pressure and the critical temperature
  kSaturated,      // on the saturation line: saturated water, saturated steam or wet steam
};

inline constexpr double kNotDefined = std::numeric_limits<double>::quiet_NaN();

struct State {
  double p = kNotDefined;   // MPa
  double t = kNotDefined;   // degC
  double h = kNotDefined;   // kJ/kg
  double s = kNotDefined;   // kJ/(kg K)
  double v = kNotDefined;   // m3/kg
  double u = kNotDefined;   // kJ/kg
  double cp = kNotDefined;  // kJ/(kg K); NaN for wet steam (0 < x < 1)
  double cv = kNotDefined;  // kJ/(kg K); NaN for wet steam
  double w = kNotDefined;   // m/s; NaN for wet steam
  double x = kNotDefined;   // dryness fraction for Phase::kSaturated, NaN otherwise
  // 1, 2, 3 or 5: the region whose equation gives the properties; 4 for wet
  // steam (0 < x < 1); 0 when there is no state.
  int region = 0;
  Phase phase = Phase::kLiquid;
};

struct StateResult {
  State state;  // all NaN, region 0, unless ok()
  StateError error = StateError::kNone;
  // The Russian message of the classic function (UTF-8); empty when ok().
  std::string message;

  bool ok() const noexcept { return error == StateError::kNone; }
  explicit operator bool() const noexcept { return ok(); }
  const char* description() const noexcept { return Describe(error); }
};

// Both saturated phases at one pressure or temperature.
struct SaturationResult {
  State water;  // x = 0
  State steam;  // x = 1
  StateError error = StateError::kNone;
  std::string message;  // as in StateResult

  bool ok() const noexcept { return error == StateError::kNone; }
  explicit operator bool() const noexcept { return ok(); }
  const char* description() const noexcept { return Describe(error); }
};

// Single-phase state from pressure and temperature. Errors: kOutOfRange,
// kOnSaturationLine, kNoConvergence (region-3 volume). message as h_pt's.
StateResult state_pt(double p, double t);

// State from pressure and enthalpy, or pressure and entropy; wet steam
// between the saturated values. Errors: kOutOfRange, kNoConvergence.
// message as T_PH's (T_PS's).
StateResult state_ph(double p, double h);
StateResult state_ps(double p, double s);

// Wet steam from pressure (temperature) and dryness fraction, 0 <= x <= 1.
// x = 0 and x = 1 give the saturated phases with cp, cv and w. Errors:
// kNoSaturation, kOutOfRange (x outside 0..1), kNoConvergence (region-3
// volume). message as H_PX's.
StateResult state_px(double p, double x);
StateResult state_tx(double t, double x);

// Saturated water and steam at pressure p (temperature t). Errors:
// kNoSaturation, kNoConvergence. message as HSW_P's (HSW_T's).
SaturationResult saturation_p(double p);
SaturationResult saturation_t(double t);

}  // namespace if97

#endif  // STEAMCALC_IF97_STATE_H
