/* steamcalc: the C interface of the IAPWS-IF97 property library.
 *
 * Plain C (C89 and later) and C++; every call is thread-safe, needs no setup
 * and allocates nothing that the caller must free. Linked as the shared
 * library if97c (libif97c.so.1 on Linux, if97.dll on Windows).
 *
 * Units: p in MPa, t in degrees Celsius, h and u in kJ/kg, s, cp and cv in
 * kJ/(kg K), v in m3/kg, w in m/s, x from 0 to 1; the further properties in
 * the units given beside them in if97_state.
 *
 * Every call that computes a state returns (if97_value: sets) an error code,
 * IF97_OK or one of the codes below, and records it as the calling thread's
 * last error (if97_last_error). A refused state leaves every property of the
 * if97_state NaN, region 0 and phase IF97_PHASE_NONE. No call prints, shows a
 * message, calls the message handler of the C++ library, or aborts on bad
 * input: NaN, infinities, null pointers and unknown names are refused with a
 * code.
 *
 * Floating point: the library computes in x87 extended precision. A call
 * runs with the x87 and SSE control words the library needs (extended
 * precision, rounding to nearest, exceptions masked, no flush to zero) and
 * gives the caller's back on return, so hosts that set other modes (53-bit
 * precision, as Windows programs built with MSVC do) get the same results.
 */
#ifndef STEAMCALC_IF97_C_H
#define STEAMCALC_IF97_C_H

#if defined(_WIN32)
#if defined(IF97_C_BUILDING)
#define IF97_C_API __declspec(dllexport)
#else
#define IF97_C_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) && __GNUC__ >= 4
#define IF97_C_API __attribute__((visibility("default")))
#else
#define IF97_C_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Error codes. 1 to 4 are those of the C++ state API (if97::StateError). */
#define IF97_OK 0
#define IF97_OUT_OF_RANGE 1       /* an argument, or the temperature found, is outside the range */
#define IF97_NO_SATURATION 2      /* no saturation state at this pressure or temperature */
#define IF97_ON_SATURATION_LINE 3 /* (p, t) on the saturation line: they do not fix the state */
#define IF97_NO_CONVERGENCE 4     /* a search for a volume or a temperature did not converge */
#define IF97_NULL_POINTER 5       /* a pointer argument is null */
#define IF97_NOT_FINITE 6         /* a numeric argument is NaN or infinite */
#define IF97_UNKNOWN_PAIR 7       /* if97_value: no such pair name */
#define IF97_UNKNOWN_PROPERTY 8   /* if97_value: no such property name */
#define IF97_NOT_DEFINED 9        /* if97_value: the state has no such property (cp of wet steam) */
#define IF97_INTERNAL_ERROR 10    /* out of memory, or another failure inside the library */

/* if97_state.phase */
#define IF97_PHASE_NONE (-1)       /* no state */
#define IF97_PHASE_LIQUID 0        /* region 1; region 3 on the liquid side */
#define IF97_PHASE_STEAM 1         /* regions 2 and 5; region 3 on the vapour side */
#define IF97_PHASE_SUPERCRITICAL 2 /* above the critical pressure and temperature */
#define IF97_PHASE_SATURATED 3     /* saturated water, saturated steam or wet steam */

/* The whole state. A property the state does not have is NaN: cp, cv, w and
 * the further single-phase properties of wet steam (0 < x < 1), x off the
 * saturation line, sigma off it. The members are named as the properties of
 * if97_value and of the if97 command. */
typedef struct if97_state {
  double p;       /* pressure, MPa */
  double t;       /* temperature, degC */
  double h;       /* specific enthalpy, kJ/kg */
  double s;       /* specific entropy, kJ/(kg K) */
  double v;       /* specific volume, m3/kg */
  double u;       /* specific internal energy, kJ/kg */
  double cp;      /* specific isobaric heat capacity, kJ/(kg K) */
  double cv;      /* specific isochoric heat capacity, kJ/(kg K) */
  double w;       /* speed of sound, m/s */
  double rho;     /* density, kg/m3 */
  double eta;     /* dynamic viscosity, Pa s */
  double nu;      /* kinematic viscosity, m2/s */
  double lambda;  /* thermal conductivity, W/(m K) */
  double a;       /* thermal diffusivity, m2/s */
  double Pr;      /* Prandtl number */
  double sigma;   /* surface tension, N/m */
  double kappa;   /* isentropic exponent */
  double alpha_v; /* cubic expansion coefficient, 1/K */
  double kappa_T; /* isothermal compressibility, 1/MPa */
  double mu_JT;   /* Joule-Thomson coefficient, K/MPa */
  double epsilon; /* static dielectric constant */
  double x;       /* dryness fraction on the saturation line, NaN elsewhere */
  int region;     /* 1, 2, 3 or 5; 4 for wet steam; 0 for no state */
  int phase;      /* IF97_PHASE_... */
} if97_state;

/* The state from one pair of given quantities, written to *out. Returns
 * IF97_OK or an error code.
 *   if97_pt  pressure and temperature (a single phase)
 *   if97_ph  pressure and specific enthalpy
 *   if97_ps  pressure and specific entropy
 *   if97_hs  specific enthalpy and specific entropy
 *   if97_px  pressure and dryness fraction (wet steam)
 *   if97_tx  temperature and dryness fraction (wet steam) */
IF97_C_API int if97_pt(double p, double t, if97_state* out);
IF97_C_API int if97_ph(double p, double h, if97_state* out);
IF97_C_API int if97_ps(double p, double s, if97_state* out);
IF97_C_API int if97_hs(double h, double s, if97_state* out);
IF97_C_API int if97_px(double p, double x, if97_state* out);
IF97_C_API int if97_tx(double t, double x, if97_state* out);

/* Saturated water (x = 0) and saturated steam (x = 1) at a pressure or a
 * temperature. Either pointer may be null when that phase is not wanted, not
 * both. */
IF97_C_API int if97_sat_p(double p, if97_state* water, if97_state* steam);
IF97_C_API int if97_sat_t(double t, if97_state* water, if97_state* steam);

/* One property of one state, for callers that pass only numbers and strings
 * (spreadsheets, MATLAB, other languages' foreign-function interfaces).
 *   pair      "pt", "ph", "ps", "hs", "px", "tx" (a and b in that order), or
 *             "sat-p", "sat-t": a is the pressure (temperature), b picks the
 *             phase as a dryness fraction: 0 saturated water, 1 saturated
 *             steam; any other b is IF97_OUT_OF_RANGE.
 *   property  a member name of if97_state ("t", "h", "cp", "Pr", "kappa_T",
 *             ...; case matters), "region" or "phase" (as numbers); names
 *             added to the library later are accepted too
 *             (if97_property_name lists them all).
 * Returns the value, or NaN with the reason in if97_last_error(): also when
 * the state has no such property (IF97_NOT_DEFINED). */
IF97_C_API double if97_value(const char* pair, double a, double b, const char* property);

/* The code of the calling thread's last call of if97_value or of a state
 * function above; IF97_OK before the first. */
IF97_C_API int if97_last_error(void);

/* A short English description of a code ("" for IF97_OK, "unknown error
 * code" for a code not listed above); a static string. */
IF97_C_API const char* if97_describe(int code);

/* The numeric properties that if97_value accepts, besides "region" and
 * "phase", by index from 0: the name and its unit ("" for a number without
 * unit). Null past the last one. Static strings. */
IF97_C_API const char* if97_property_name(int index);
IF97_C_API const char* if97_property_unit(int index);

/* The library's version: 10000 * major + 100 * minor + patch, and as text
 * ("1.1.0"). Programs built against one major version run with any later
 * minor version of it. */
IF97_C_API int if97_version(void);
IF97_C_API const char* if97_version_string(void);

#ifdef __cplusplus
}
#endif

#endif /* STEAMCALC_IF97_C_H */
