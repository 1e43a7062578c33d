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
// The calls share no mutable state between threads; the messages of the classic functions
// they use are captured per thread (see message below) and never reach the
// installed handler.
//
// Which path each call takes:
//   state_pt  The classic functions' own arithmetic: the region of (p, t) as
//             h_pt selects it, and h, s, v bit for bit what h_pt, s_pt and v_pt
//             return (region 3 at the volume they use); u, cp, cv and w, bit
//             for bit what u_pt, cp_pt, cv_pt and w_pt return, from the
//             derivatives of the same equation formed in the same pass over
//             its terms. Costs up to about twice h_pt in regions 1 to 3; in
//             region 5, where h_pt is cheap, about h_pt and s_pt together
//             (the logarithm of s).
//   state_ph  The backward equations T(p, h) (T(p, s)) of IAPWS-IF97 give the
//   state_ps  first temperature (sub-region 2b by entropy: the 2a or 2c one
//             continued; region 3: the chord between the 350 degC isotherm
//             and the B23 line). Halley steps on the forward equation of the
//             region the temperature lies in (Newton steps in region 3, each
//             with its volume search), kept inside a shrinking interval, follow
//             until h_pt(p, state.t) (s_pt for state_ps) gives back the given
//             value to 1e-10 relative (to 1e-10 kJ/kg below 1 kJ/kg, to 1e-12
//             kJ/(kg K) below 0.01 kJ/(kg K)). The state is then state_pt(p,
//             state.t) bit for bit; state.h (state.s) is the forward value, not
//             the given one. Between the saturated values (HSW_P, HSP_P) the
//             state is wet steam at TS_P(p), x from the given value; a value
//             within the tolerance of a saturated value may come back as the
//             single phase just off the line. The temperature differs from
//             T_PH/T_PS, which keep the backward equations' deviation (up to
//             25 mK) on purpose. Outside region 3 usually two evaluations of
//             the forward equation, about 3 times h_pt in regions 1 and 2
//             (region 5: about 0.6 us); in region 3 each step runs the
//             volume search.
//   state_px  Saturated water and steam as H_PX, S_PX and V_PX take them (by
//             temperature at TS_P(p)), mixed in the proportion x: h, s, v
//             equal H_PX, S_PX, V_PX bit for bit, u equals U_PX.
//   state_tx  The same at the saturation pressure PS_T(t).
//   saturation_p, saturation_t
//             Both saturated phases as HSW_P/HSP_P (HSW_T/HSP_T) take them:
//             regions 1 and 2 up to 350 degC, region 3 above it (one volume
//             search for both); every value bit for bit what the classic
//             functions (USW_P ... WSP_T included) return.
//
// Ranges are those of the classic functions: state_pt as h_pt; state_ph as
// T_PH (0.001 to 100 MPa, up to 4642.8 kJ/kg) and state_ps from 0.001 to
// 100 MPa, each with the temperature found within h_pt's range (0 to 1000
// degC, to 800 degC above 10 MPa); state_px as H_PX, saturation_p as HSW_P,
// state_tx and saturation_t as HSW_T.
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
  // A search for a volume or a temperature did not converge, or no
  // temperature gives the value: the forward equations jump by a few
  // thousandths of a kJ/kg where regions meet (at 800 degC, for instance),
  // and by more just below the critical pressure.
  kNoConvergence,
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
  // The further properties of a single phase. Wet steam (0 < x < 1) has of
  // these only rho (1/v) and sigma (its saturation temperature's); the others
  // are NaN there, as cp, cv and w are.
  double rho = kNotDefined;      // density, kg/m3
  double eta = kNotDefined;      // dynamic viscosity, Pa s
  double nu = kNotDefined;       // kinematic viscosity eta / rho, m2/s
  double lambda = kNotDefined;   // thermal conductivity, W/(m K)
  double a = kNotDefined;        // thermal diffusivity lambda / (rho cp), m2/s
  double Pr = kNotDefined;       // Prandtl number eta cp / lambda
  double sigma = kNotDefined;    // surface tension, N/m (saturation states only)
  double kappa = kNotDefined;    // isentropic exponent w^2 / (p v)
  double alpha_v = kNotDefined;  // cubic expansion coefficient (1/v)(dv/dT)_p, 1/K
  double kappa_T = kNotDefined;  // isothermal compressibility -(1/v)(dv/dp)_T, 1/MPa
  double mu_JT = kNotDefined;    // Joule-Thomson coefficient (dT/dp)_h, K/MPa
  double epsilon = kNotDefined;  // static dielectric constant
  // 1, 2, 3 or 5: the region whose equation gives the properties; 4 for wet
  // steam (0 < x < 1); 0 when there is no state.
  int region = 0;
  Phase phase = Phase::kLiquid;
};

// The numeric properties of a State, in the order of the if97 command's
// --properties list: the name a caller uses (command, C interface, Python),
// the member, and its unit in the library's units.
struct PropertyInfo {
  const char* name;
  double State::*member;
  const char* unit;
  const char* description;
};

inline constexpr PropertyInfo kProperties[] = {
    {"p", &State::p, "MPa", "pressure"},
    {"t", &State::t, "degC", "temperature"},
    {"h", &State::h, "kJ/kg", "specific enthalpy"},
    {"s", &State::s, "kJ/(kg K)", "specific entropy"},
    {"v", &State::v, "m3/kg", "specific volume"},
    {"u", &State::u, "kJ/kg", "specific internal energy"},
    {"cp", &State::cp, "kJ/(kg K)", "specific isobaric heat capacity"},
    {"cv", &State::cv, "kJ/(kg K)", "specific isochoric heat capacity"},
    {"w", &State::w, "m/s", "speed of sound"},
    {"rho", &State::rho, "kg/m3", "density"},
    {"eta", &State::eta, "Pa s", "dynamic viscosity"},
    {"nu", &State::nu, "m2/s", "kinematic viscosity"},
    {"lambda", &State::lambda, "W/(m K)", "thermal conductivity"},
    {"a", &State::a, "m2/s", "thermal diffusivity"},
    {"Pr", &State::Pr, "", "Prandtl number"},
    {"sigma", &State::sigma, "N/m", "surface tension"},
    {"kappa", &State::kappa, "", "isentropic exponent"},
    {"alpha_v", &State::alpha_v, "1/K", "cubic expansion coefficient"},
    {"kappa_T", &State::kappa_T, "1/MPa", "isothermal compressibility"},
    {"mu_JT", &State::mu_JT, "K/MPa", "Joule-Thomson coefficient"},
    {"epsilon", &State::epsilon, "", "static dielectric constant"},
    {"x", &State::x, "", "dryness fraction"},
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

// State from specific enthalpy and specific entropy; wet steam below the
// saturation line. Errors: kOutOfRange, kNoConvergence.
StateResult state_hs(double h, double s);

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
