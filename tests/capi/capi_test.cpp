// The C interface against the C++ state API it wraps: every pair bit for bit,
// each error code, if97_value over every property name, random names and
// values, and the caller's floating-point modes.
#include <gtest/gtest.h>
#include <if97/if97.h>
#include <if97/if97_c.h>
#include <if97/if97_state.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// The members of if97_state by the names of if97::kProperties.
struct CMember {
  const char* name;
  double if97_state::*member;
};
constexpr CMember kCMembers[] = {
    {"p", &if97_state::p},
    {"t", &if97_state::t},
    {"h", &if97_state::h},
    {"s", &if97_state::s},
    {"v", &if97_state::v},
    {"u", &if97_state::u},
    {"cp", &if97_state::cp},
    {"cv", &if97_state::cv},
    {"w", &if97_state::w},
    {"rho", &if97_state::rho},
    {"eta", &if97_state::eta},
    {"nu", &if97_state::nu},
    {"lambda", &if97_state::lambda},
    {"a", &if97_state::a},
    {"Pr", &if97_state::Pr},
    {"sigma", &if97_state::sigma},
    {"kappa", &if97_state::kappa},
    {"alpha_v", &if97_state::alpha_v},
    {"kappa_T", &if97_state::kappa_T},
    {"mu_JT", &if97_state::mu_JT},
    {"epsilon", &if97_state::epsilon},
    {"x", &if97_state::x},
};

const if97::PropertyInfo* PropertyNamed(const std::string& name) {
  for (const if97::PropertyInfo& info : if97::kProperties) {
    if (name == info.name) return &info;
  }
  return nullptr;
}

int CodeOf(if97::StateError error) { return static_cast<int>(error); }

bool Cleared(const if97_state& s) {
  for (const CMember& m : kCMembers) {
    if (!std::isnan(s.*m.member)) return false;
  }
  return s.region == 0 && s.phase == IF97_PHASE_NONE;
}

void ExpectSame(const if97_state& c, const if97::State& cpp, const std::string& where) {
  for (const CMember& m : kCMembers) {
    const if97::PropertyInfo* info = PropertyNamed(m.name);
    ASSERT_NE(info, nullptr) << m.name;
    EXPECT_EQ(Bits(c.*m.member), Bits(cpp.*info->member)) << where << ": " << m.name;
  }
  EXPECT_EQ(c.region, cpp.region) << where;
  EXPECT_EQ(c.phase, static_cast<int>(cpp.phase)) << where;
}

TEST(CInterface, StructHoldsEveryPropertyOfTheHeaderList) {
  EXPECT_EQ(sizeof(if97_state), std::size(kCMembers) * sizeof(double) + 2 * sizeof(int));
  for (const CMember& m : kCMembers) EXPECT_NE(PropertyNamed(m.name), nullptr) << m.name;
  int n = 0;
  for (; if97_property_name(n) != nullptr; ++n) {
    EXPECT_STREQ(if97_property_name(n), if97::kProperties[n].name);
    EXPECT_STREQ(if97_property_unit(n), if97::kProperties[n].unit);
  }
  EXPECT_EQ(n, static_cast<int>(std::size(if97::kProperties)));
  EXPECT_EQ(if97_property_name(-1), nullptr);
  EXPECT_EQ(if97_property_unit(n), nullptr);
}

// ---- every pair bit for bit ----------------------------------------------------

struct PairCase {
  const char* name;
  int (*c)(double, double, if97_state*);
  if97::StateResult (*cpp)(double, double, if97::Extent);
  std::vector<double> a, b;
};

const std::vector<double> kPressures = {0.0005, 0.000611213, 0.001, 0.0035, 0.1, 1,      3,
                                        5,      10,          16.5,  20,     22,  22.064, 23,
                                        25,     40,          60,    80,     100, 100.01};
const std::vector<double> kTemperatures = {-0.01, 0,      0.01, 25,  100,     200,  300,
                                           340,   350,    360,  370, 373.946, 380,  400,
                                           500,   623.15, 700,  800, 850,     1000, 1000.01};
const std::vector<double> kEnthalpies = {-5,   0,    50,   500,  1000, 1500, 1700,
                                         1900, 2000, 2087, 2100, 2300, 2500, 2700,
                                         2800, 3000, 3500, 4000, 4642, 4700};
const std::vector<double> kEntropies = {-0.5, 0, 0.1, 1, 2,   3, 3.5, 3.8, 4.2, 4.4,
                                        4.6,  5, 5.5, 6, 6.5, 7, 8,   9,   10,  12};
const std::vector<double> kDryness = {-0.01, 0, 1e-9, 0.25, 0.5, 0.999, 1, 1.01};

class Pairs : public ::testing::TestWithParam<PairCase> {};

TEST_P(Pairs, BitForBitWithTheStateApi) {
  const PairCase& pair = GetParam();
  for (double a : pair.a) {
    for (double b : pair.b) {
      const std::string where =
          std::string(pair.name) + "(" + std::to_string(a) + ", " + std::to_string(b) + ")";
      if97_state c;
      const int code = pair.c(a, b, &c);
      const if97::StateResult cpp = pair.cpp(a, b, if97::Extent::kAll);
      EXPECT_EQ(code, CodeOf(cpp.error)) << where;
      EXPECT_EQ(if97_last_error(), code) << where;
      if (cpp.ok()) {
        ExpectSame(c, cpp.state, where);
      } else {
        EXPECT_TRUE(Cleared(c)) << where;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    CInterface, Pairs,
    ::testing::Values(PairCase{"pt", if97_pt, if97::state_pt, kPressures, kTemperatures},
                      PairCase{"ph", if97_ph, if97::state_ph, kPressures, kEnthalpies},
                      PairCase{"ps", if97_ps, if97::state_ps, kPressures, kEntropies},
                      PairCase{"hs", if97_hs, if97::state_hs, kEnthalpies, kEntropies},
                      PairCase{"px", if97_px, if97::state_px, kPressures, kDryness},
                      PairCase{"tx", if97_tx, if97::state_tx, kTemperatures, kDryness}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CInterface, SaturationBitForBitWithTheStateApi) {
  const struct {
    const char* name;
    int (*c)(double, if97_state*, if97_state*);
    if97::SaturationResult (*cpp)(double, if97::Extent);
    const std::vector<double>& values;
  } kSaturation[] = {{"sat_p", if97_sat_p, if97::saturation_p, kPressures},
                     {"sat_t", if97_sat_t, if97::saturation_t, kTemperatures}};
  for (const auto& sat : kSaturation) {
    for (double value : sat.values) {
      const std::string where = std::string(sat.name) + "(" + std::to_string(value) + ")";
      const if97::SaturationResult cpp = sat.cpp(value, if97::Extent::kAll);
      if97_state water, steam, alone;
      const int code = sat.c(value, &water, &steam);
      EXPECT_EQ(code, CodeOf(cpp.error)) << where;
      EXPECT_EQ(sat.c(value, nullptr, &alone), code) << where;
      if (cpp.ok()) {
        ExpectSame(water, cpp.water, where + " water");
        ExpectSame(steam, cpp.steam, where + " steam");
        ExpectSame(alone, cpp.steam, where + " steam alone");
      } else {
        EXPECT_TRUE(Cleared(water) && Cleared(steam) && Cleared(alone)) << where;
      }
    }
  }
}

// ---- error codes ------------------------------------------------------------------

struct ErrorCase {
  const char* what;
  std::function<int(if97_state*)> call;
  int code;
};

TEST(CInterface, EachErrorHasItsCode) {
  const double on_line = if97::saturation_p(1).water.t;
  const ErrorCase kCases[] = {
      {"pt above 100 MPa", [](if97_state* s) { return if97_pt(101, 20, s); }, IF97_OUT_OF_RANGE},
      {"pt below 0 degC", [](if97_state* s) { return if97_pt(1, -1, s); }, IF97_OUT_OF_RANGE},
      {"ph above its enthalpy", [](if97_state* s) { return if97_ph(1, 5000, s); },
       IF97_OUT_OF_RANGE},
      {"px x above 1", [](if97_state* s) { return if97_px(1, 1.01, s); }, IF97_OUT_OF_RANGE},
      {"tx above the critical temperature", [](if97_state* s) { return if97_tx(380, 0.5, s); },
       IF97_NO_SATURATION},
      {"sat_p above the critical pressure",
       [](if97_state* s) { return if97_sat_p(23, s, nullptr); }, IF97_NO_SATURATION},
      {"pt on the saturation line", [&](if97_state* s) { return if97_pt(1, on_line, s); },
       IF97_ON_SATURATION_LINE},
      {"pt NaN pressure", [](if97_state* s) { return if97_pt(kNaN, 20, s); }, IF97_NOT_FINITE},
      {"ph infinite enthalpy", [](if97_state* s) { return if97_ph(1, kInf, s); }, IF97_NOT_FINITE},
      {"hs NaN", [](if97_state* s) { return if97_hs(kNaN, 6, s); }, IF97_NOT_FINITE},
      {"tx -inf", [](if97_state* s) { return if97_tx(-kInf, 0.5, s); }, IF97_NOT_FINITE},
      {"sat_t NaN", [](if97_state* s) { return if97_sat_t(kNaN, nullptr, s); }, IF97_NOT_FINITE},
  };
  for (const ErrorCase& c : kCases) {
    if97_state out;
    out.p = 1;
    EXPECT_EQ(c.call(&out), c.code) << c.what;
    EXPECT_EQ(if97_last_error(), c.code) << c.what;
    EXPECT_TRUE(Cleared(out)) << c.what;
  }
  for (int (*f)(double, double, if97_state*) :
       {if97_pt, if97_ph, if97_ps, if97_hs, if97_px, if97_tx}) {
    EXPECT_EQ(f(1, 100, nullptr), IF97_NULL_POINTER);
  }
  EXPECT_EQ(if97_sat_p(1, nullptr, nullptr), IF97_NULL_POINTER);
  EXPECT_EQ(if97_sat_t(100, nullptr, nullptr), IF97_NULL_POINTER);
  EXPECT_EQ(if97_last_error(), IF97_NULL_POINTER);
}

TEST(CInterface, DescriptionsOfTheCodes) {
  for (int code = IF97_OK; code <= IF97_NO_CONVERGENCE; ++code) {
    EXPECT_STREQ(if97_describe(code), if97::Describe(static_cast<if97::StateError>(code)));
  }
  std::vector<std::string> seen;
  for (int code = IF97_OUT_OF_RANGE; code <= IF97_INTERNAL_ERROR; ++code) {
    const std::string text = if97_describe(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), text), 0) << text;
    seen.push_back(text);
  }
  for (int code : {-1, IF97_INTERNAL_ERROR + 1, std::numeric_limits<int>::min()}) {
    EXPECT_STREQ(if97_describe(code), "unknown error code");
  }
  EXPECT_EQ(if97_version(), 10000 * (if97_version() / 10000) + if97_version() % 10000);
  EXPECT_EQ(std::to_string(if97_version() / 10000) + "." +
                std::to_string(if97_version() / 100 % 100) + "." +
                std::to_string(if97_version() % 100),
            if97_version_string());
}

// ---- if97_value ------------------------------------------------------------------

struct ValueInput {
  const char* pair;
  double a, b;
};

// The C++ state if97_value reads for an input.
if97::StateResult StateFor(const ValueInput& in) {
  const std::string pair = in.pair;
  if (pair == "sat-p" || pair == "sat-t") {
    const if97::SaturationResult sat =
        pair == "sat-p" ? if97::saturation_p(in.a) : if97::saturation_t(in.a);
    if97::StateResult result;
    result.error = sat.error;
    if (sat.ok()) result.state = in.b == 0 ? sat.water : sat.steam;
    return result;
  }
  if (pair == "pt") return if97::state_pt(in.a, in.b);
  if (pair == "ph") return if97::state_ph(in.a, in.b);
  if (pair == "ps") return if97::state_ps(in.a, in.b);
  if (pair == "hs") return if97::state_hs(in.a, in.b);
  if (pair == "px") return if97::state_px(in.a, in.b);
  return if97::state_tx(in.a, in.b);
}

// if97_value against the C++ state: the property's bits, or NaN and the
// code; IF97_NOT_DEFINED where the state has no such property.
void ExpectValue(const ValueInput& in, const std::string& property) {
  const std::string where = std::string(in.pair) + "(" + std::to_string(in.a) + ", " +
                            std::to_string(in.b) + ") " + property;
  const double value = if97_value(in.pair, in.a, in.b, property.c_str());
  const int code = if97_last_error();
  const if97::StateResult cpp = StateFor(in);
  if (!cpp.ok()) {
    EXPECT_EQ(code, CodeOf(cpp.error)) << where;
    EXPECT_TRUE(std::isnan(value)) << where;
    return;
  }
  double expected = kNaN;
  if (property == "region") {
    expected = cpp.state.region;
  } else if (property == "phase") {
    expected = static_cast<int>(cpp.state.phase);
  } else {
    expected = cpp.state.*PropertyNamed(property)->member;
  }
  EXPECT_EQ(Bits(value), Bits(expected)) << where;
  EXPECT_EQ(code, std::isnan(expected) ? IF97_NOT_DEFINED : IF97_OK) << where;
}

TEST(CInterface, ValueOfEveryPropertyOfEveryPair) {
  const ValueInput kInputs[] = {
      {"pt", 5, 300},    {"pt", 3, 26.85},  {"pt", 25, 380},       {"pt", 20, 370},
      {"pt", 8, 900},    {"pt", 101, 20},   {"ph", 3, 500},        {"ph", 1, 2000},
      {"ph", 22, 2100},  {"ps", 0.1, 7.5},  {"ps", 22.064, 4.414}, {"hs", 2800, 6.5},
      {"px", 1, 0.5},    {"px", 1, 0},      {"tx", 100, 1},        {"tx", 370, 0.5},
      {"sat-p", 1, 0},   {"sat-p", 1, 1},   {"sat-p", 22, 1},      {"sat-t", 100, 0},
      {"sat-t", 373, 1}, {"sat-t", 374, 0},
  };
  for (const ValueInput& in : kInputs) {
    for (const if97::PropertyInfo& info : if97::kProperties) ExpectValue(in, info.name);
    ExpectValue(in, "region");
    ExpectValue(in, "phase");
  }
}

TEST(CInterface, ValueRefusesBadNamesAndArguments) {
  const struct {
    const char* pair;
    double a, b;
    const char* property;
    int code;
  } kCases[] = {
      {nullptr, 5, 300, "h", IF97_NULL_POINTER},   {"pt", 5, 300, nullptr, IF97_NULL_POINTER},
      {"PT", 5, 300, "h", IF97_UNKNOWN_PAIR},      {"p t", 5, 300, "h", IF97_UNKNOWN_PAIR},
      {"ptx", 5, 300, "h", IF97_UNKNOWN_PAIR},     {"", 5, 300, "h", IF97_UNKNOWN_PAIR},
      {"sat_p", 5, 0, "h", IF97_UNKNOWN_PAIR},     {"pt", 5, 300, "P", IF97_UNKNOWN_PROPERTY},
      {"pt", 5, 300, "pr", IF97_UNKNOWN_PROPERTY}, {"pt", 5, 300, "", IF97_UNKNOWN_PROPERTY},
      {"pt", 5, 300, "h ", IF97_UNKNOWN_PROPERTY}, {"pt", kNaN, 300, "h", IF97_NOT_FINITE},
      {"pt", 5, -kInf, "h", IF97_NOT_FINITE},      {"sat-p", 1, kNaN, "h", IF97_NOT_FINITE},
      {"sat-p", 1, 0.5, "h", IF97_OUT_OF_RANGE},   {"sat-t", 100, -1, "h", IF97_OUT_OF_RANGE},
      {"ph", 1, 2000, "w", IF97_NOT_DEFINED},      {"pt", 5, 300, "x", IF97_NOT_DEFINED},
  };
  for (const auto& c : kCases) {
    const double value = if97_value(c.pair, c.a, c.b, c.property);
    EXPECT_TRUE(std::isnan(value)) << (c.pair ? c.pair : "null") << " " << c.code;
    EXPECT_EQ(if97_last_error(), c.code)
        << (c.pair ? c.pair : "null") << " " << (c.property ? c.property : "null");
  }
  EXPECT_FALSE(std::isnan(if97_value("pt", 5, 300, "h")));
  EXPECT_EQ(if97_last_error(), IF97_OK);
}

// ---- random names and values -----------------------------------------------------

class RandomInput {
 public:
  explicit RandomInput(std::uint64_t seed) : engine_(seed) {}

  // A valid name, one with a byte changed, added or removed, or random bytes.
  std::string Name() {
    static const char* const kNames[] = {
        "pt", "ph", "ps", "hs", "px", "tx",  "sat-p", "sat-t",   "p",     "t", "h",      "s",
        "v",  "u",  "cp", "cv", "w",  "rho", "Pr",    "kappa_T", "mu_JT", "x", "region", "phase"};
    std::string name = kNames[Below(std::size(kNames))];
    switch (Below(5)) {
      case 0:
      case 1:
        return name;
      case 2:
        name[Below(name.size())] = static_cast<char>(1 + Below(255));
        return name;
      case 3:
        name.insert(Below(name.size() + 1), 1, static_cast<char>(1 + Below(255)));
        return name;
      default: {
        std::string bytes(Below(12), ' ');
        for (char& c : bytes) c = static_cast<char>(1 + Below(255));
        return bytes;
      }
    }
  }

  double Value() {
    static const double kSpecial[] = {kNaN,
                                      kInf,
                                      -kInf,
                                      0.0,
                                      -0.0,
                                      5e-324,
                                      -5e-324,
                                      std::numeric_limits<double>::max(),
                                      -std::numeric_limits<double>::max(),
                                      22.064,
                                      373.946,
                                      1,
                                      0};
    switch (Below(6)) {
      case 0:
        return kSpecial[Below(std::size(kSpecial))];
      case 1:
        return std::ldexp(Uniform(-1, 1), static_cast<int>(Below(200)) - 100);
      case 2:
        return Uniform(-1, 110);  // pressures, dryness fractions
      case 3:
        return Uniform(0, 12);  // entropies
      default:
        return Uniform(-50, 4800);  // temperatures, enthalpies
    }
  }

  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_);
  }

 private:
  double Uniform(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(engine_);
  }
  std::mt19937_64 engine_;
};

bool KnownPair(const std::string& name) {
  for (const char* pair : {"pt", "ph", "ps", "hs", "px", "tx", "sat-p", "sat-t"}) {
    if (name == pair) return true;
  }
  return false;
}

bool KnownProperty(const std::string& name) {
  return name == "region" || name == "phase" || PropertyNamed(name) != nullptr;
}

// Random names and values: never a crash nor a message; NaN exactly with a
// code; a valid call gives the C++ API's value.
TEST(CInterface, RandomNamesAndValues) {
  RandomInput random(0x1f97c0de);
  testing::internal::CaptureStderr();
  for (int i = 0; i < 30000; ++i) {
    const std::string pair = random.Name();
    const std::string property = random.Name();
    const double a = random.Value();
    const double b = random.Value();
    const double value = if97_value(pair.c_str(), a, b, property.c_str());
    const int code = if97_last_error();
    ASSERT_EQ(std::isnan(value), code != IF97_OK) << i;
    ASSERT_GE(code, IF97_OK);
    ASSERT_LT(code, IF97_INTERNAL_ERROR) << i;
    if (!KnownPair(pair)) {
      ASSERT_EQ(code, IF97_UNKNOWN_PAIR) << i;
    } else if (!KnownProperty(property)) {
      ASSERT_EQ(code, IF97_UNKNOWN_PROPERTY) << i;
    } else if (!std::isfinite(a) || !std::isfinite(b)) {
      ASSERT_EQ(code, IF97_NOT_FINITE) << i;
    } else if (pair.starts_with("sat-") && b != 0 && b != 1) {
      ASSERT_EQ(code, IF97_OUT_OF_RANGE) << i;
    } else {
      ExpectValue({pair.c_str(), a, b}, property);
    }

    if97_state out;
    int (*const kFunctions[])(double, double, if97_state*) = {if97_pt, if97_ph, if97_ps,
                                                              if97_hs, if97_px, if97_tx};
    const int state_code = kFunctions[random.Below(std::size(kFunctions))](a, b, &out);
    ASSERT_EQ(state_code, if97_last_error());
    ASSERT_EQ(state_code == IF97_OK, !Cleared(out)) << i;
    if (!std::isfinite(a) || !std::isfinite(b)) {
      ASSERT_EQ(state_code, IF97_NOT_FINITE);
    }
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// ---- the caller's floating-point modes -------------------------------------------

#if defined(__x86_64__)

unsigned short X87Control() {
  unsigned short word;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}
unsigned short X87Status() {
  unsigned short word;
  __asm__ volatile("fnstsw %0" : "=m"(word));
  return word;
}
// Clears the exception flags first: under a control word that unmasks them,
// a flag left by earlier arithmetic would trap.
void SetX87Control(unsigned short word) { __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(word)); }
unsigned Mxcsr() {
  unsigned word;
  __asm__ volatile("stmxcsr %0" : "=m"(word));
  return word;
}
void SetMxcsr(unsigned word) { __asm__ volatile("ldmxcsr %0" : : "m"(word)); }

// Results under the caller's modes: 53-bit precision (programs built with
// MSVC), every x87 exception unmasked, rounding toward zero; SSE with flush
// to zero, denormals as zero, rounding down, exceptions unmasked. Each call
// gives the bits of the library's own modes, and the caller's modes come back
// with no unmasked x87 exception pending.
TEST(CInterface, CallerFloatingPointModes) {
  const unsigned short x87 = X87Control();
  const unsigned mxcsr = Mxcsr();
  const std::function<std::vector<double>()> calls[] = {
      [] {
        if97_state s;
        if97_ph(22, 2100, &s);
        return std::vector<double>{s.t, s.v, s.cp, s.w};
      },
      [] {
        if97_state water, steam;
        if97_sat_t(200, &water, &steam);
        return std::vector<double>{water.p, water.h, steam.s, steam.w};
      },
      [] {
        return std::vector<double>{if97_value("pt", 25, 380, "cp"), if97_value("ps", 3, 1.5, "t")};
      },
      [] { return std::vector<double>{if97_value("pt", 0, 300, "h")}; },
  };
  const struct {
    unsigned short x87;
    unsigned mxcsr;
  } kModes[] = {{0x027F, mxcsr},        {0x0240, mxcsr}, {0x0F7F, mxcsr},
                {x87, 0x3F80 | 0x8040}, {x87, 0x0000},   {0x0240, 0x0000}};
  for (const auto& call : calls) {
    const std::vector<double> expected = call();
    for (const auto& modes : kModes) {
      SetX87Control(modes.x87);
      SetMxcsr(modes.mxcsr);
      const std::vector<double> got = call();
      const unsigned short x87_after = X87Control();
      const unsigned short status_after = X87Status();
      const unsigned mxcsr_after = Mxcsr();
      SetX87Control(x87);
      SetMxcsr(mxcsr);
      ASSERT_EQ(got.size(), expected.size());
      for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(Bits(got[i]), Bits(expected[i])) << std::hex << modes.x87 << " " << modes.mxcsr;
      }
      EXPECT_EQ(x87_after, modes.x87);
      EXPECT_EQ(status_after & 0x3F & ~modes.x87, 0) << "unmasked x87 exception pending";
      EXPECT_EQ(mxcsr_after & 0xFFC0, modes.mxcsr & 0xFFC0);
    }
  }
}

#endif

}  // namespace
