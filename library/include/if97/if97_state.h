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
// Which path each call takes. Every call runs on the library's double
// engine (the basic equations with every derivative in one pass), not on the
// classic functions' extended-precision arithmetic: values agree with the
// classic functions to 1e-12 relative (cp, cv and w to 6e-12, where the sums
// of region 1 near 350 degC and of dense region 3 cancel; cp toward the
// critical point, where it grows without bound, to 1e-10 at 22 MPa), not bit
// for bit.
//   state_pt  The region of (p, t) as h_pt selects it (t exactly TS_P(p), or
//             the saturation temperature saturation_p gives, is refused as
//             on the line); region 3 at the density Newton's method
//             finds from the backward equations v(p, T), the classic volume
//             search near the critical point and within 1e-6 K of the line.
//   state_ph  The backward equations T(p, h) (T(p, s)) give the first
//   state_ps  temperature (region 3: temperature and volume; region 5 region
//             2's equations continued, or a step from region 2's end at
//             800 degC), then Newton's method on the forward equation, in T
//             (regions 1, 2, 5, kept in an interval and bisected; the first
//             step Halley's) or in (rho, T) (region 3, with the interval
//             search on T as fallback), until the forward value is back to
//             1e-12 relative (1e-12 kJ/kg below 1 kJ/kg, 1e-12 kJ/(kg K)
//             below 0.01). Wet steam between the saturated values at eq. 31's
//             temperature (in region 3 tried first where p_3sat(h) or
//             p_3sat(s) puts the state under the dome); a value within that
//             tolerance of a saturated one is the saturated phase.
//   state_px, state_tx, saturation_p, saturation_t
//             The saturated phases at (p, Tsat(p)) or (Psat(T), T), eqs. 31
//             and 30 in double: regions 1 and 2 up to 350 degC, region 3
//             above (near the critical point at the classic volume search's
//             volumes); wet steam mixed by x.
//   state_hs  The supplementary backward equations p(h, s) (regions 1, 2a,
//             2b, 2c, 3a, 3b, with their boundary lines in the h-s plane) give
//             the start, a 2-D Newton in (p, T) or (rho, T) finishes to 1e-12
//             relative in both h and s; wet steam x and T such that the
//             mixture has both h and s, by Newton's method from a table of the
//             saturated phases every kelvin up to 350 degC (within 1e-7 K of
//             the root but beside saturated water), above it from the start
//             the supplementary equations give. Range as state_pt's.
//
// The messages of the volume search that the state functions may fall back
// to are captured per thread; nothing reaches the installed handler.
//
// Further properties (State): rho = 1/v; the viscosity (IAPWS 2008) with its
// critical enhancement only inside 645.91 K < T < 650.77 K and
// 245.8 < rho < 405.3 kg/m3, as the release recommends for industrial use
// with IF97; the thermal conductivity (IAPWS 2011) with its critical
// enhancement everywhere, in its IF97 form; the surface tension for
// saturation states only; the dielectric constant (IAPWS 1997), from 238 to
// 1200 K (NaN above). Wet steam (0 < x < 1) has rho and sigma only: cp, cv,
// w and the others are NaN. kappa = w^2 / (p v) is the isentropic exponent,
// mu_JT = (T alpha_v - 1) v / cp the Joule-Thomson coefficient.
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

// What a call forms. kAll: every field of State. kThermodynamic: what one
// evaluation of the equation of state gives (p, t, h, s, v, u, cp, cv, w,
// rho, kappa, alpha_v, kappa_T, mu_JT, x, region, phase); eta, nu, lambda,
// a, Pr, sigma and epsilon stay NaN. The transport properties cost about as
// much again as the rest of a state in regions 1, 2 and 5, so a program that
// needs none of them asks for kThermodynamic; the values formed are the same
// bits either way.
enum class Extent : unsigned char { kAll, kThermodynamic };

// The numeric properties of a State, in the order of the if97 command's
// --properties list: the name a caller uses (command, C interface, Python),
// the member, and its unit in the library's units.
struct PropertyInfo {
  const char* name;
  double State::*member;
  const char* unit;
  const char* description;
  Extent extent;  // the least Extent that forms it
};

inline constexpr PropertyInfo kProperties[] = {
    {"p", &State::p, "MPa", "pressure", Extent::kThermodynamic},
    {"t", &State::t, "degC", "temperature", Extent::kThermodynamic},
    {"h", &State::h, "kJ/kg", "specific enthalpy", Extent::kThermodynamic},
    {"s", &State::s, "kJ/(kg K)", "specific entropy", Extent::kThermodynamic},
    {"v", &State::v, "m3/kg", "specific volume", Extent::kThermodynamic},
    {"u", &State::u, "kJ/kg", "specific internal energy", Extent::kThermodynamic},
    {"cp", &State::cp, "kJ/(kg K)", "specific isobaric heat capacity", Extent::kThermodynamic},
    {"cv", &State::cv, "kJ/(kg K)", "specific isochoric heat capacity", Extent::kThermodynamic},
    {"w", &State::w, "m/s", "speed of sound", Extent::kThermodynamic},
    {"rho", &State::rho, "kg/m3", "density", Extent::kThermodynamic},
    {"eta", &State::eta, "Pa s", "dynamic viscosity", Extent::kAll},
    {"nu", &State::nu, "m2/s", "kinematic viscosity", Extent::kAll},
    {"lambda", &State::lambda, "W/(m K)", "thermal conductivity", Extent::kAll},
    {"a", &State::a, "m2/s", "thermal diffusivity", Extent::kAll},
    {"Pr", &State::Pr, "", "Prandtl number", Extent::kAll},
    {"sigma", &State::sigma, "N/m", "surface tension", Extent::kAll},
    {"kappa", &State::kappa, "", "isentropic exponent", Extent::kThermodynamic},
    {"alpha_v", &State::alpha_v, "1/K", "cubic expansion coefficient", Extent::kThermodynamic},
    {"kappa_T", &State::kappa_T, "1/MPa", "isothermal compressibility", Extent::kThermodynamic},
    {"mu_JT", &State::mu_JT, "K/MPa", "Joule-Thomson coefficient", Extent::kThermodynamic},
    {"epsilon", &State::epsilon, "", "static dielectric constant", Extent::kAll},
    {"x", &State::x, "", "dryness fraction", Extent::kThermodynamic},
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
StateResult state_pt(double p, double t, Extent extent = Extent::kAll);

// State from pressure and enthalpy, or pressure and entropy; wet steam
// between the saturated values. Errors: kOutOfRange, kNoConvergence.
// message as T_PH's (T_PS's).
StateResult state_ph(double p, double h, Extent extent = Extent::kAll);
StateResult state_ps(double p, double s, Extent extent = Extent::kAll);

// State from specific enthalpy and specific entropy; wet steam below the
// saturation line. Errors: kOutOfRange, kNoConvergence.
StateResult state_hs(double h, double s, Extent extent = Extent::kAll);

// Wet steam from pressure (temperature) and dryness fraction, 0 <= x <= 1.
// x = 0 and x = 1 give the saturated phases with cp, cv and w. Errors:
// kNoSaturation, kOutOfRange (x outside 0..1), kNoConvergence (region-3
// volume). message as H_PX's.
StateResult state_px(double p, double x, Extent extent = Extent::kAll);
StateResult state_tx(double t, double x, Extent extent = Extent::kAll);

// Saturated water and steam at pressure p (temperature t). Errors:
// kNoSaturation, kNoConvergence. message as HSW_P's (HSW_T's).
SaturationResult saturation_p(double p, Extent extent = Extent::kAll);
SaturationResult saturation_t(double t, Extent extent = Extent::kAll);

// The saturation temperature (degC) at p (MPa), IAPWS-IF97 eq. 31, and the
// saturation pressure (MPa) at t (degC), eq. 30, in double; NaN outside the
// saturation line, 0.000611213 to 22.064 MPa, 0 to 373.946 degC.
double saturation_temperature(double p);
double saturation_pressure(double t);

}  // namespace if97

#endif  // STEAMCALC_IF97_STATE_H
