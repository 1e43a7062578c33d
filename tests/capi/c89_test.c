/* The C interface from a C89 program, on Linux and (cross-built) under Wine:
 * the release's check values, every error code, if97_value over every
 * property name, random names and values, the last error per thread, the
 * host's floating-point modes. Prints the failures and exits 1 on any.
 *
 * With --dump it prints the states of a grid of inputs of every pair, every
 * number as the 16 hexadecimal digits of its bits; the Windows build's dump
 * is compared with the Linux one. */
#if !defined(_WIN32)
#define _POSIX_C_SOURCE 200112L
#endif

#include <if97/if97_c.h>
#include <math.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#endif

static int failures = 0;

static void expect(int ok, const char* what) {
  if (!ok) {
    ++failures;
    fprintf(stderr, "FAIL: %s\n", what);
  }
}

static int is_nan(double x) { return x != x; }

static int same_bits(double a, double b) { return memcmp(&a, &b, sizeof a) == 0; }

static double not_a_number(void) {
  volatile double zero = 0.0;
  return zero / zero;
}

typedef int (*StateFunction)(double, double, if97_state*);

struct NamedFunction {
  const char* name;
  StateFunction call;
};
static const struct NamedFunction kFunctions[] = {
    {"pt", if97_pt}, {"ph", if97_ph}, {"ps", if97_ps},
    {"hs", if97_hs}, {"px", if97_px}, {"tx", if97_tx},
};
#define FUNCTION_COUNT (sizeof kFunctions / sizeof kFunctions[0])

/* The members of if97_state by name, as if97_value names them. */
struct Member {
  const char* name;
  size_t offset;
};
static const struct Member kMembers[] = {
    {"p", offsetof(if97_state, p)},
    {"t", offsetof(if97_state, t)},
    {"h", offsetof(if97_state, h)},
    {"s", offsetof(if97_state, s)},
    {"v", offsetof(if97_state, v)},
    {"u", offsetof(if97_state, u)},
    {"cp", offsetof(if97_state, cp)},
    {"cv", offsetof(if97_state, cv)},
    {"w", offsetof(if97_state, w)},
    {"rho", offsetof(if97_state, rho)},
    {"eta", offsetof(if97_state, eta)},
    {"nu", offsetof(if97_state, nu)},
    {"lambda", offsetof(if97_state, lambda)},
    {"a", offsetof(if97_state, a)},
    {"Pr", offsetof(if97_state, Pr)},
    {"sigma", offsetof(if97_state, sigma)},
    {"kappa", offsetof(if97_state, kappa)},
    {"alpha_v", offsetof(if97_state, alpha_v)},
    {"kappa_T", offsetof(if97_state, kappa_T)},
    {"mu_JT", offsetof(if97_state, mu_JT)},
    {"epsilon", offsetof(if97_state, epsilon)},
    {"x", offsetof(if97_state, x)},
};
#define MEMBER_COUNT (sizeof kMembers / sizeof kMembers[0])

static double member(const if97_state* state, size_t i) {
  double value;
  memcpy(&value, (const char*)state + kMembers[i].offset, sizeof value);
  return value;
}

static const struct Member* member_named(const char* name) {
  size_t i;
  for (i = 0; i < MEMBER_COUNT; ++i) {
    if (strcmp(kMembers[i].name, name) == 0) return &kMembers[i];
  }
  return NULL;
}

static int cleared(const if97_state* state) {
  size_t i;
  for (i = 0; i < MEMBER_COUNT; ++i) {
    if (!is_nan(member(state, i))) return 0;
  }
  return state->region == 0 && state->phase == IF97_PHASE_NONE;
}

/* ---- the release's check values ----------------------------------------- */

/* A value equals the published one rounded to its printed significant
 * digits. */
static int matches_printed(double value, double published, int digits) {
  const double half_unit = 0.5 * pow(10.0, floor(log10(fabs(published))) - digits + 1);
  return fabs(value - published) <= half_unit;
}

struct CheckValue {
  double p, t; /* MPa, degC */
  const char* property;
  double published;
  int digits;
};
/* IAPWS-IF97 Tables 5 and 15, at 300, 500 and 700 K. */
static const struct CheckValue kCheckValues[] = {
    {3, 26.85, "v", 0.00100215168, 9},   {3, 26.85, "h", 115.331273, 9},
    {3, 26.85, "u", 112.324818, 9},      {3, 26.85, "s", 0.392294792, 9},
    {3, 26.85, "cp", 4.17301218, 9},     {3, 26.85, "w", 1507.73921, 9},
    {80, 26.85, "v", 0.000971180894, 9}, {80, 26.85, "h", 184.142828, 9},
    {80, 26.85, "s", 0.368563852, 9},    {80, 26.85, "w", 1634.69054, 9},
    {3, 226.85, "v", 0.00120241800, 9},  {3, 226.85, "h", 975.542239, 9},
    {3, 226.85, "cp", 4.65580682, 9},    {0.0035, 26.85, "v", 39.4913866, 9},
    {0.0035, 26.85, "h", 2549.91145, 9}, {0.0035, 26.85, "s", 8.52238967, 9},
    {0.0035, 26.85, "u", 2411.6916, 8},  {0.0035, 426.85, "h", 3335.68375, 9},
    {30, 426.85, "v", 0.00542946619, 9}, {30, 426.85, "cp", 10.3505092, 9},
    {30, 426.85, "w", 480.386523, 9},
};

static void check_values(void) {
  char what[160];
  size_t i;
  for (i = 0; i < sizeof kCheckValues / sizeof kCheckValues[0]; ++i) {
    const struct CheckValue* c = &kCheckValues[i];
    if97_state state;
    const int code = if97_pt(c->p, c->t, &state);
    const double value = member(&state, (size_t)(member_named(c->property) - kMembers));
    sprintf(what, "pt(%g, %g): %s = %.12g, published %.10g (code %d)", c->p, c->t, c->property,
            value, c->published, code);
    expect(code == IF97_OK && matches_printed(value, c->published, c->digits), what);
  }
}

/* IAPWS-IF97 Table 35: the saturation pressure at 300, 500 and 600 K, the
 * saturation temperature at 0.1, 1 and 10 MPa; and (p, h), (p, s), (p, x),
 * (t, x) back to the state of (p, t). */
static void saturation_and_inverses(void) {
  static const double kTemperatures[][2] = {
      {26.85, 0.00353658941}, {226.85, 2.63889776}, {326.85, 12.3443146}};
  static const double kPressures[][2] = {{0.1, 372.755919}, {1, 453.035632}, {10, 584.149488}};
  static const double kStates[][2] = {{3, 26.85}, {0.0035, 426.85}, {30, 426.85}, {8, 900}};
  if97_state water, steam, given, back;
  char what[160];
  size_t i;
  for (i = 0; i < 3; ++i) {
    const int code = if97_sat_t(kTemperatures[i][0], &water, &steam);
    sprintf(what, "sat_t(%g): p = %.12g", kTemperatures[i][0], water.p);
    expect(code == IF97_OK && matches_printed(water.p, kTemperatures[i][1], 9) &&
               same_bits(water.p, steam.p) && water.x == 0 && steam.x == 1 &&
               water.phase == IF97_PHASE_SATURATED,
           what);
    expect(if97_sat_p(kPressures[i][0], &water, NULL) == IF97_OK &&
               matches_printed(water.t + 273.15, kPressures[i][1], 9),
           "sat_p: saturation temperature");
  }
  for (i = 0; i < sizeof kStates / sizeof kStates[0]; ++i) {
    expect(if97_pt(kStates[i][0], kStates[i][1], &given) == IF97_OK, "pt of an inverse's state");
    sprintf(what, "ph(%g, h of t = %g)", kStates[i][0], kStates[i][1]);
    expect(if97_ph(given.p, given.h, &back) == IF97_OK && fabs(back.t - given.t) < 1e-6, what);
    sprintf(what, "ps(%g, s of t = %g)", kStates[i][0], kStates[i][1]);
    expect(if97_ps(given.p, given.s, &back) == IF97_OK && fabs(back.t - given.t) < 1e-6, what);
  }
  expect(if97_sat_p(1, &water, &steam) == IF97_OK, "sat_p(1)");
  expect(if97_px(1, 0.25, &back) == IF97_OK && back.region == 4 &&
             fabs(back.h - (0.75 * water.h + 0.25 * steam.h)) < 1e-9 * steam.h && is_nan(back.cp),
         "px(1, 0.25): wet steam between the saturated phases");
  expect(if97_tx(water.t, 1, &back) == IF97_OK && back.x == 1, "tx on the steam side");
}

/* ---- error codes ----------------------------------------------------------- */

static void errors(void) {
  const double nan = not_a_number();
  if97_state out, water, steam;
  char what[160];
  size_t f, i;
  for (f = 0; f < FUNCTION_COUNT; ++f) {
    sprintf(what, "%s: null output", kFunctions[f].name);
    expect(kFunctions[f].call(1, 100, NULL) == IF97_NULL_POINTER &&
               if97_last_error() == IF97_NULL_POINTER,
           what);
    for (i = 0; i < 4; ++i) {
      const double x = i == 0 || i == 3 ? nan : i == 1 ? HUGE_VAL : -HUGE_VAL;
      out.p = 1;
      sprintf(what, "%s: argument %d not finite", kFunctions[f].name, (int)(i % 2));
      expect((i % 2 == 0 ? kFunctions[f].call(x, 0.5, &out) : kFunctions[f].call(1, x, &out)) ==
                     IF97_NOT_FINITE &&
                 cleared(&out) && if97_last_error() == IF97_NOT_FINITE,
             what);
    }
  }
  expect(if97_sat_p(1, NULL, NULL) == IF97_NULL_POINTER, "sat_p: both outputs null");
  expect(if97_sat_t(nan, &water, &steam) == IF97_NOT_FINITE && cleared(&water) && cleared(&steam),
         "sat_t: NaN");
  expect(if97_sat_t(100, NULL, &steam) == IF97_OK && steam.x == 1, "sat_t: steam alone");

  expect(if97_pt(200, 20, &out) == IF97_OUT_OF_RANGE && cleared(&out) &&
             if97_last_error() == IF97_OUT_OF_RANGE,
         "pt beyond 100 MPa");
  expect(if97_px(1, 1.5, &out) == IF97_OUT_OF_RANGE, "px with x > 1");
  expect(if97_sat_p(30, &water, &steam) == IF97_NO_SATURATION && cleared(&water) &&
             cleared(&steam) && if97_last_error() == IF97_NO_SATURATION,
         "sat_p above the critical pressure");
  expect(if97_sat_p(1, &water, NULL) == IF97_OK, "sat_p(1)");
  expect(if97_pt(1, water.t, &out) == IF97_ON_SATURATION_LINE && cleared(&out),
         "pt on the saturation line");
  expect(if97_pt(5, 300, &out) == IF97_OK && if97_last_error() == IF97_OK,
         "a state resets the last error");
}

struct ValueCase {
  const char* pair;
  double a, b;
  const char* property;
  int code;
};
static void value_errors(void) {
  const double nan = not_a_number();
  const struct ValueCase cases[] = {
      {"PT", 5, 300, "h", IF97_UNKNOWN_PAIR},
      {"", 5, 300, "h", IF97_UNKNOWN_PAIR},
      {"pt ", 5, 300, "h", IF97_UNKNOWN_PAIR},
      {"p", 5, 300, "h", IF97_UNKNOWN_PAIR},
      {"sat_p", 5, 0, "h", IF97_UNKNOWN_PAIR},
      {"pt", 5, 300, "H", IF97_UNKNOWN_PROPERTY},
      {"pt", 5, 300, "", IF97_UNKNOWN_PROPERTY},
      {"pt", 5, 300, "hh", IF97_UNKNOWN_PROPERTY},
      {"pt", 5, 300, "Region", IF97_UNKNOWN_PROPERTY},
      {"pt", 5, 300, "h_water", IF97_UNKNOWN_PROPERTY},
      {"pt", 0, 0, "h", IF97_OUT_OF_RANGE},
      {"pt", 5, HUGE_VAL, "h", IF97_NOT_FINITE},
      {"ph", 1, 2000, "cp", IF97_NOT_DEFINED},
      {"pt", 5, 300, "x", IF97_NOT_DEFINED},
      {"sat-p", 1, 0.5, "h", IF97_OUT_OF_RANGE},
      {"sat-p", 1, 2, "h", IF97_OUT_OF_RANGE},
      {"sat-p", 30, 0, "h", IF97_NO_SATURATION},
      {"sat-t", 100, 1, "h", IF97_OK},
      {"pt", 5, 300, "region", IF97_OK},
  };
  char what[160];
  size_t i;
  for (i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const double value = if97_value(cases[i].pair, cases[i].a, cases[i].b, cases[i].property);
    sprintf(what, "if97_value(\"%s\", %g, %g, \"%s\"): code %d, expected %d", cases[i].pair,
            cases[i].a, cases[i].b, cases[i].property, if97_last_error(), cases[i].code);
    expect(if97_last_error() == cases[i].code && is_nan(value) == (cases[i].code != IF97_OK), what);
  }
  expect(is_nan(if97_value("pt", nan, 300, "h")) && if97_last_error() == IF97_NOT_FINITE,
         "if97_value: NaN");
  expect(is_nan(if97_value(NULL, 5, 300, "h")) && if97_last_error() == IF97_NULL_POINTER,
         "if97_value: null pair");
  expect(is_nan(if97_value("pt", 5, 300, NULL)) && if97_last_error() == IF97_NULL_POINTER,
         "if97_value: null property");
}

static void descriptions(void) {
  int code, other;
  expect(strcmp(if97_describe(IF97_OK), "") == 0, "describe(IF97_OK) is empty");
  for (code = IF97_OUT_OF_RANGE; code <= IF97_INTERNAL_ERROR; ++code) {
    expect(
        strlen(if97_describe(code)) > 0 && strcmp(if97_describe(code), "unknown error code") != 0,
        "every code has its description");
    for (other = IF97_OK; other < code; ++other) {
      expect(strcmp(if97_describe(code), if97_describe(other)) != 0, "descriptions differ");
    }
  }
  expect(strcmp(if97_describe(-1), "unknown error code") == 0 &&
             strcmp(if97_describe(IF97_INTERNAL_ERROR + 1), "unknown error code") == 0,
         "codes outside the list");
}

/* ---- if97_value over every property name ---------------------------------- */

struct Input {
  const char* pair;
  double a, b;
};
static const struct Input kInputs[] = {
    {"pt", 5, 300},  {"pt", 3, 26.85}, {"pt", 25, 380},   {"pt", 8, 900}, {"ph", 3, 500},
    {"ph", 1, 2000}, {"ps", 0.1, 7.5}, {"hs", 2800, 6.5}, {"px", 1, 0.5}, {"tx", 100, 0},
    {"sat-p", 1, 0}, {"sat-p", 1, 1},  {"sat-t", 370, 1}, {"pt", 0, 0},
};

/* The state a pair's struct function gives. */
static int state_of(const struct Input* in, if97_state* out) {
  size_t f;
  if (strcmp(in->pair, "sat-p") == 0) {
    return in->b == 0 ? if97_sat_p(in->a, out, NULL) : if97_sat_p(in->a, NULL, out);
  }
  if (strcmp(in->pair, "sat-t") == 0) {
    return in->b == 0 ? if97_sat_t(in->a, out, NULL) : if97_sat_t(in->a, NULL, out);
  }
  for (f = 0; f < FUNCTION_COUNT; ++f) {
    if (strcmp(in->pair, kFunctions[f].name) == 0) return kFunctions[f].call(in->a, in->b, out);
  }
  return -1;
}

static void every_property(void) {
  char what[200];
  size_t n, m, i;
  int index;
  for (n = 0; if97_property_name((int)n) != NULL; ++n) {
    expect(if97_property_unit((int)n) != NULL, "every property has a unit");
  }
  expect(if97_property_name(-1) == NULL && if97_property_unit((int)n) == NULL,
         "no property outside the list");
  for (m = 0; m < MEMBER_COUNT; ++m) {
    for (i = 0; i < n && strcmp(if97_property_name((int)i), kMembers[m].name) != 0; ++i) {
    }
    sprintf(what, "if97_property_name lists %s", kMembers[m].name);
    expect(i < n, what);
  }
  for (i = 0; i < sizeof kInputs / sizeof kInputs[0]; ++i) {
    if97_state state;
    const int code = state_of(&kInputs[i], &state);
    for (index = -2; index < (int)n; ++index) {
      const char* name = index == -2 ? "region" : index == -1 ? "phase" : if97_property_name(index);
      const struct Member* mem = member_named(name);
      const double value = if97_value(kInputs[i].pair, kInputs[i].a, kInputs[i].b, name);
      const int value_code = if97_last_error();
      sprintf(what, "if97_value(\"%s\", %g, %g, \"%s\") = %.17g, code %d (state code %d)",
              kInputs[i].pair, kInputs[i].a, kInputs[i].b, name, value, value_code, code);
      if (code != IF97_OK) {
        expect(is_nan(value) && value_code == code, what);
      } else if (index == -2) {
        expect(value == state.region && value_code == IF97_OK, what);
      } else if (index == -1) {
        expect(value == state.phase && value_code == IF97_OK, what);
      } else if (mem == NULL) {
        expect(is_nan(value) == (value_code != IF97_OK), what);
      } else {
        const double expected = member(&state, (size_t)(mem - kMembers));
        expect(is_nan(expected) ? is_nan(value) && value_code == IF97_NOT_DEFINED
                                : same_bits(value, expected) && value_code == IF97_OK,
               what);
      }
    }
  }
}

/* ---- random names and values ---------------------------------------------- */

static unsigned long seed = 20240601UL;

static unsigned long next_random(void) {
  seed = (seed * 1103515245UL + 12345UL) & 0x7fffffffUL;
  return seed >> 8;
}

static double random_value(void) {
  static const double kSpecial[] = {0,      -0.0,    1e-320, -1e-320, 1e308, -1e308, 0.000611213,
                                    22.064, 373.946, 100,    1000,    1,     0.5};
  const unsigned long pick = next_random() % 8;
  const double unit = (double)(next_random() % 1000000) / 1000000.0;
  if (pick == 0) return kSpecial[next_random() % (sizeof kSpecial / sizeof kSpecial[0])];
  if (pick == 1)
    return next_random() % 2 ? not_a_number() : (next_random() % 2 ? 1 : -1) * HUGE_VAL;
  if (pick == 2) return (unit - 0.5) * pow(10.0, (double)(next_random() % 40) - 20);
  if (pick <= 4) return unit * 110 - 5; /* pressures, dryness fractions */
  return unit * 5000 - 100;             /* temperatures, enthalpies */
}

static const char* kNames[] = {"pt",    "ph",   "ps",  "hs",      "px",     "tx",    "sat-p",
                               "sat-t", "p",    "t",   "h",       "s",      "v",     "cp",
                               "w",     "x",    "Pr",  "kappa_T", "region", "phase", "",
                               "PT",    "pt\t", "sat", "sat-p-",  "h_steam"};
#define NAME_COUNT (sizeof kNames / sizeof kNames[0])

/* A name: one of the list, the list's with a byte changed, or random bytes. */
static const char* random_name(char* buffer, size_t size) {
  const unsigned long pick = next_random() % 4;
  size_t length, i;
  if (pick <= 1) return kNames[next_random() % NAME_COUNT];
  if (pick == 2) {
    strcpy(buffer, kNames[next_random() % NAME_COUNT]);
    length = strlen(buffer);
    buffer[next_random() % (length + 1)] = (char)(next_random() % 255 + 1);
    buffer[length + 1] = '\0';
    return buffer;
  }
  length = next_random() % (size - 1);
  for (i = 0; i < length; ++i) buffer[i] = (char)(next_random() % 255 + 1);
  buffer[length] = '\0';
  return buffer;
}

static void random_inputs(void) {
  char pair_buffer[32], property_buffer[32], what[120];
  if97_state out;
  int i, code;
  for (i = 0; i < 20000; ++i) {
    const char* pair = random_name(pair_buffer, sizeof pair_buffer);
    const char* property = random_name(property_buffer, sizeof property_buffer);
    const double a = random_value(), b = random_value();
    const double value = if97_value(next_random() % 50 ? pair : NULL, a, b, property);
    code = if97_last_error();
    sprintf(what, "random if97_value %d: code %d, value %g", i, code, value);
    expect(code >= IF97_OK && code <= IF97_INTERNAL_ERROR && is_nan(value) == (code != IF97_OK),
           what);

    code = kFunctions[next_random() % FUNCTION_COUNT].call(a, b, &out);
    sprintf(what, "random state %d: code %d", i, code);
    expect(code == if97_last_error() &&
               (code == IF97_OK ? out.region >= 1 && out.region <= 5 && !is_nan(out.h)
                                : code <= IF97_NO_CONVERGENCE || code == IF97_NOT_FINITE) &&
               (code == IF97_OK) != cleared(&out),
           what);
  }
}

/* ---- the last error per thread ---------------------------------------------- */

/* Each thread gets its own code again and again while the others get theirs. */
static const struct ValueCase kThreadCases[] = {
    {"pt", 5, 300, "h", IF97_OK},
    {"tp", 5, 300, "h", IF97_UNKNOWN_PAIR},
    {"pt", 5, 300, "hx", IF97_UNKNOWN_PROPERTY},
    {"ph", 1, 2000, "w", IF97_NOT_DEFINED},
};
#define THREAD_COUNT 4

static void* thread_body(void* argument) {
  const struct ValueCase* c = (const struct ValueCase*)argument;
  int i;
  for (i = 0; i < 2000; ++i) {
    if97_value(c->pair, c->a, c->b, c->property);
    if (if97_last_error() != c->code) return (void*)argument;
  }
  return NULL;
}

#if defined(_WIN32)
static DWORD WINAPI windows_thread(LPVOID argument) {
  return thread_body(argument) == NULL ? 0 : 1;
}

static void threads(void) {
  HANDLE handles[THREAD_COUNT];
  DWORD status;
  int i;
  for (i = 0; i < THREAD_COUNT; ++i) {
    handles[i] = CreateThread(NULL, 0, windows_thread, (LPVOID)&kThreadCases[i], 0, NULL);
    expect(handles[i] != NULL, "CreateThread");
  }
  for (i = 0; i < THREAD_COUNT; ++i) {
    if (handles[i] == NULL) continue;
    WaitForSingleObject(handles[i], INFINITE);
    expect(GetExitCodeThread(handles[i], &status) && status == 0,
           "a thread's last error is its own");
    CloseHandle(handles[i]);
  }
}
#else
static void threads(void) {
  pthread_t ids[THREAD_COUNT];
  void* result;
  int i;
  for (i = 0; i < THREAD_COUNT; ++i) {
    expect(pthread_create(&ids[i], NULL, thread_body, (void*)&kThreadCases[i]) == 0,
           "pthread_create");
  }
  for (i = 0; i < THREAD_COUNT; ++i) {
    expect(pthread_join(ids[i], &result) == 0 && result == NULL,
           "a thread's last error is its own");
  }
}
#endif

/* ---- the host's floating-point modes ---------------------------------------- */

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define X87_MODES 1

static unsigned short x87_control(void) {
  unsigned short word;
  __asm__ __volatile__("fnstcw %0" : "=m"(word));
  return word;
}

/* Clears the exception flags first: a flag left by earlier arithmetic would
 * trap at once under a control word that unmasks it. */
static void set_x87_control(unsigned short word) {
  __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(word));
}

/* Under the x87 modes of programs built with Microsoft's compiler (53-bit
 * precision), and with every exception unmasked, the results are those of
 * the library's own modes and the caller's modes come back. */
static void host_modes(void) {
  static const unsigned short kHostModes[] = {0x027F, 0x0240, 0x0E7F};
  if97_state expected, got;
  double value_expected, value_got;
  unsigned short saved = x87_control(), after;
  size_t i, m;
  /* The program itself starts with extended precision: Linux's ABI, and
   * MinGW's start-up code on Windows, which if97.exe relies on. */
  expect((saved & 0x0300) == 0x0300, "the program starts with x87 extended precision");
  if97_ph(22.0, 2100, &expected);
  value_expected = if97_value("pt", 25, 380, "cp");
  for (i = 0; i < sizeof kHostModes / sizeof kHostModes[0]; ++i) {
    set_x87_control(kHostModes[i]);
    if97_ph(22.0, 2100, &got);
    value_got = if97_value("pt", 25, 380, "cp");
    after = x87_control();
    set_x87_control(saved);
    expect(after == kHostModes[i], "the caller's x87 control word comes back");
    for (m = 0; m < MEMBER_COUNT; ++m) {
      expect(same_bits(member(&got, m), member(&expected, m)), "same state under the host's modes");
    }
    expect(same_bits(value_got, value_expected), "same value under the host's modes");
  }
}
#else
#define X87_MODES 0
static void host_modes(void) {}
#endif

/* ---- the dump ---------------------------------------------------------------- */

static void print_bits(double value) {
  unsigned char bytes[sizeof(double)];
  int i;
  memcpy(bytes, &value, sizeof value);
  putchar(' ');
  for (i = (int)sizeof bytes - 1; i >= 0; --i) printf("%02x", bytes[i]);
}

static void print_state(const char* pair, double a, double b, int code, const if97_state* s) {
  size_t m;
  printf("%s %.17g %.17g %d", pair, a, b, code);
  for (m = 0; m < MEMBER_COUNT; ++m) print_bits(member(s, m));
  printf(" %d %d\n", s->region, s->phase);
}

static void dump(void) {
  static const double kP[] = {0.0006, 0.001, 0.0035, 0.1, 0.5, 1,  3,  5,  10,  16.5,
                              20,     22,    22.064, 23,  25,  30, 50, 80, 100, 101};
  static const double kT[] = {-1,  0,   0.01,  20,  26.85, 100, 150, 200, 250, 300, 340, 350,
                              360, 370, 373.9, 380, 400,   450, 500, 600, 700, 800, 900, 1000};
  static const double kH[] = {-1,   10,   100,  500,  1000, 1500, 1700, 2000, 2087,
                              2100, 2400, 2600, 2800, 3000, 3500, 4000, 4500};
  static const double kS[] = {-0.1, 0.01, 0.4, 1.5, 3, 3.8, 4.4, 5, 5.5, 6, 7, 8, 9, 11};
  static const double kX[] = {-0.1, 0, 0.25, 0.5, 1, 1.1};
  if97_state s, water, steam;
  size_t i, j;
  int code;
  for (i = 0; i < sizeof kP / sizeof kP[0]; ++i) {
    for (j = 0; j < sizeof kT / sizeof kT[0]; ++j) {
      code = if97_pt(kP[i], kT[j], &s);
      print_state("pt", kP[i], kT[j], code, &s);
    }
    for (j = 0; j < sizeof kH / sizeof kH[0]; ++j) {
      code = if97_ph(kP[i], kH[j], &s);
      print_state("ph", kP[i], kH[j], code, &s);
    }
    for (j = 0; j < sizeof kS / sizeof kS[0]; ++j) {
      code = if97_ps(kP[i], kS[j], &s);
      print_state("ps", kP[i], kS[j], code, &s);
    }
    for (j = 0; j < sizeof kX / sizeof kX[0]; ++j) {
      code = if97_px(kP[i], kX[j], &s);
      print_state("px", kP[i], kX[j], code, &s);
    }
    code = if97_sat_p(kP[i], &water, &steam);
    print_state("sat-p", kP[i], 0, code, &water);
    print_state("sat-p", kP[i], 1, code, &steam);
  }
  for (i = 0; i < sizeof kH / sizeof kH[0]; ++i) {
    for (j = 0; j < sizeof kS / sizeof kS[0]; ++j) {
      code = if97_hs(kH[i], kS[j], &s);
      print_state("hs", kH[i], kS[j], code, &s);
    }
  }
  for (i = 0; i < sizeof kT / sizeof kT[0]; ++i) {
    for (j = 0; j < sizeof kX / sizeof kX[0]; ++j) {
      code = if97_tx(kT[i], kX[j], &s);
      print_state("tx", kT[i], kX[j], code, &s);
    }
    code = if97_sat_t(kT[i], &water, &steam);
    print_state("sat-t", kT[i], 0, code, &water);
    print_state("sat-t", kT[i], 1, code, &steam);
  }
}

int main(int argc, char** argv) {
  if (argc == 2 && strcmp(argv[1], "--dump") == 0) {
    dump();
    return 0;
  }
  check_values();
  saturation_and_inverses();
  errors();
  value_errors();
  descriptions();
  every_property();
  random_inputs();
  threads();
  host_modes();
  expect(if97_version() / 10000 >= 1 && strlen(if97_version_string()) >= 5, "version");
  if (failures > 0) {
    fprintf(stderr, "%d failures\n", failures);
    return 1;
  }
  printf("C interface %s: every check passed%s\n", if97_version_string(),
         X87_MODES ? " (with the host's x87 modes)" : "");
  return 0;
}
