// The state from (p, h) and from (p, s) over the whole temperature range of
// the formulation: 0 to 800 degC, and up to 1000 degC at 10 MPa and below.
// Every state that exists comes back at its temperature without a message;
// every value that no state at its pressure has is refused, with one message
// from each function called.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include "message_recorder.h"

namespace {

using if97::FAILURE;

// Р U+0420 and Н U+041D, С U+0421 are Cyrillic.
const std::string kOutOfRangePH = "Заданные значения \u0420 и \u041d выходят за пределы допустимых";
const std::string kOutOfRangePS = "Заданные значения \u0420 и S выходят за пределы допустимых";
const std::string kAbove800 =
    "Значение энтропии - недопустимо (больше чем при 800 гр.\u0421)(T_PS2b)";

// The permissible deviation of the IAPWS-IF97 backward equations T(p, h) and
// T(p, s) (region 1 and sub-region 2c; 2a and 2b are held to 10 mK).
constexpr double kBackwardDeviation = 0.025;  // K
// Region 5 has no backward equation; its temperature comes from its own
// forward equation, far closer than the backward equations. Within a few
// hundredths of a kelvin above 800 degC, where regions 2 and 5 meet only to
// within their consistency, the region-2 equations still answer.
constexpr double kRegion5Deviation = 1e-6;    // K
constexpr double kRegion2And5Overlap = 0.05;  // K

// The enthalpy limit of REGION_PH lies a little below the enthalpy at
// 0.001 MPa and 1000 degC (4642.82 kJ/kg).
constexpr double kEnthalpyLimit = 4642.8000000001;  // kJ/kg

// IAPWS-IF97 eq. 6 (Table 1) in degC.
double TB23(double p) {
  return 0.57254459862746e3 + std::sqrt((p - 0.13918839778870e2) / 0.10192970039326e-2) - 273.15;
}

double HighestTemperature(double p) { return p <= 10 ? 1000 : 800; }

// One family of functions: the temperature, its two companions, the forward
// function of (p, t) for the given value, and the family's range message.
struct Family {
  const char* name;
  double (*temperature)(double, double);
  double (*companions[2])(double, double);
  double (*forward)(double, double);
  const std::string* out_of_range;
};

const Family kPH{"(p, h)", if97::T_PH, {if97::S_PH, if97::V_PH}, if97::h_pt, &kOutOfRangePH};
const Family kPS{"(p, s)", if97::T_PS, {if97::H_PS, if97::V_PS}, if97::s_pt, &kOutOfRangePS};

using TemperatureRangeTest = RecordingTest;

// Expects the temperature function and both companions to return FAILURE,
// each after exactly one message, the expected one.
void ExpectRefusedOncePerCall(const std::vector<std::string>& seen, const Family& family, double p,
                              double y, const std::string& message) {
  SCOPED_TRACE(std::string(family.name) + " at p = " + std::to_string(p) + ", " +
               std::to_string(y));
  for (auto* f : {family.temperature, family.companions[0], family.companions[1]}) {
    const std::size_t before = seen.size();
    EXPECT_EQ(f(p, y), FAILURE);
    EXPECT_EQ(std::vector<std::string>(seen.begin() + before, seen.end()),
              std::vector<std::string>{message});
  }
}

// ---- the inputs quoted when these faults were found --------------------------

TEST_F(TemperatureRangeTest, ValuesOfNoStateAreRefused) {
  struct {
    const Family* family;
    double p, y;
    const char* why;
  } const cases[] = {
      {&kPH, 100, 4642.8, "1089.86 degC by sub-region 2b"},
      {&kPH, 100, 0, "below water at 0 degC (95.4 kJ/kg)"},
      {&kPH, 4, 4631.1627, "1000.02 degC"},
      {&kPS, 0.825, 11.297, "-27612.7 degC by sub-region 2a"},
      {&kPS, 4, 12.1055, "-3.8e6 degC by sub-region 2a"},
      {&kPS, 0.01, 12, "1578 degC by sub-region 2a"},
      {&kPS, 0.001, -0.00858, "-0.55 degC"},
      {&kPS, 30, 0, "-0.018 degC, once taken as the saturation line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    ExpectRefusedOncePerCall(messages(), *c.family, c.p, c.y, *c.family->out_of_range);
  }
}

TEST_F(TemperatureRangeTest, Region5IsTheSameOnBothSidesOf4MPa) {
  // Sub-regions 2a and 2b meet at 4 MPa; above 800 degC both give way to the
  // region-5 equation (0.1 mK apart here, as the pressures are).
  const double below = if97::T_PS(3.999999, 7.86);
  EXPECT_NEAR(if97::S5_PT(3.999999, below), 7.86, 1e-11);
  EXPECT_NEAR(if97::T_PS(4.000001, 7.86), below, 2e-4);
  EXPECT_TRUE(messages().empty());
}

// ---- the whole range ---------------------------------------------------------

// Pressures at and beside the boundaries of the sub-regions and of region 5.
const double kPressures[] = {0.001, 0.0035, 0.01,   0.05, 0.1,  0.5, 1,     2,  3.99, 4,
                             4.01,  6,      6.5467, 8,    9.99, 10,  10.01, 12, 14,   16.5292,
                             17,    20,     22.064, 25,   30,   40,  60,    80, 100};

// The near-critical band above 16.5 MPa, from 340 degC to the B23 line, is
// left to the tests of the near-critical iterations.
bool InNearCriticalBand(double p, double t) { return p > 16.5 && t >= 340 && t <= TB23(p); }

TEST(TemperatureRange, EveryStateComesBackAtItsTemperature) {
  MessageRecorder recorder;
  std::feclearexcept(FE_ALL_EXCEPT);
  int states = 0;
  for (const double p : kPressures) {
    const double t_max = HighestTemperature(p);
    std::vector<double> temperatures{0, 800, t_max};
    for (double t = 0.05; t < t_max; t += 2.9) temperatures.push_back(t);
    for (double t = 799.5; t < 801; t += 0.1) temperatures.push_back(t);
    for (const double t : temperatures) {
      if (t > t_max || InNearCriticalBand(p, t)) continue;
      if (p < if97::kCriticalPressure && t == if97::TS_P(p)) continue;
      const double allowed = t > 800 + kRegion2And5Overlap ? kRegion5Deviation : kBackwardDeviation;
      for (const Family* family : {&kPH, &kPS}) {
        const double y = family->forward(p, t);
        if (family == &kPH && y > kEnthalpyLimit) continue;
        EXPECT_NEAR(family->temperature(p, y), t, allowed)
            << family->name << " at p = " << p << ", t = " << t;
        ++states;
      }
    }
  }
  EXPECT_TRUE(recorder.messages().empty());
  EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);
  EXPECT_GT(states, 10000);
}

// The companions give the properties of the state itself: those of the
// forward functions at its temperature, or beside the saturation line those
// of the saturated phase, to within what the backward equations' deviation
// makes of them.
TEST(TemperatureRange, CompanionsGiveThePropertiesOfTheState) {
  MessageRecorder recorder;
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const double p : kPressures) {
    const double ts = p < if97::kCriticalPressure ? if97::TS_P(p) : -1;
    std::vector<double> temperatures{0, ts - 1e-3, ts + 1e-3};
    for (double t = 0.05; t < HighestTemperature(p); t += 9.7) temperatures.push_back(t);
    for (const double t : temperatures) {
      if (t < 0 || InNearCriticalBand(p, t)) continue;
      const double h = if97::h_pt(p, t);
      const double s = if97::s_pt(p, t);
      const double v = if97::v_pt(p, t);
      if (h <= kEnthalpyLimit) {
        EXPECT_NEAR(if97::S_PH(p, h), s, 5e-4) << p << ", " << t;
        EXPECT_NEAR(if97::V_PH(p, h), v, 5e-4 * v) << p << ", " << t;
      }
      EXPECT_NEAR(if97::H_PS(p, s), h, 0.25) << p << ", " << t;
      EXPECT_NEAR(if97::V_PS(p, s), v, 5e-4 * v) << p << ", " << t;
    }
  }
  EXPECT_TRUE(recorder.messages().empty());
  EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);
}

// Values that the region checks admit (or, below 0 degC in (p, h), refuse)
// but that no state at the pressure has: beyond the highest temperature, and
// below 0 degC.
TEST_F(TemperatureRangeTest, EveryValueBeyondTheRangeIsRefusedOncePerCall) {
  const double s_min = if97::s_pt(100, 0);
  const double s_max = if97::s_pt(0.001, 1000);
  for (const double p : kPressures) {
    const double t_max = HighestTemperature(p);
    // (p, h): above the enthalpy at the highest temperature, below that at 0 degC.
    const double h_top = if97::h_pt(p, t_max);
    for (const double h : {std::nextafter(h_top, 1e4), h_top + 0.01, h_top + 10, 4642.8}) {
      if (h > h_top && h <= kEnthalpyLimit) {
        ExpectRefusedOncePerCall(messages(), kPH, p, h, kOutOfRangePH);
      }
    }
    const double h_bottom = if97::h_pt(p, 0);
    for (const double h : {std::nextafter(h_bottom, -1.0), h_bottom - 0.01, -0.05}) {
      if (h < h_bottom) ExpectRefusedOncePerCall(messages(), kPH, p, h, kOutOfRangePH);
    }
    // (p, s): above 800 degC beyond 10 MPa sub-region 2b reports it.
    const std::string& above = p > 10 ? kAbove800 : kOutOfRangePS;
    const double s_top = if97::s_pt(p, t_max);
    for (const double s : {std::nextafter(s_top, 20.0), s_top + 1e-6, s_top + 0.5, s_max}) {
      if (s > s_top && s <= s_max) ExpectRefusedOncePerCall(messages(), kPS, p, s, above);
    }
    const double s_bottom = if97::s_pt(p, 0);
    for (const double s : {std::nextafter(s_bottom, -1.0), s_bottom - 1e-4, s_min}) {
      if (s < s_bottom && s >= s_min) {
        ExpectRefusedOncePerCall(messages(), kPS, p, s, kOutOfRangePS);
      }
    }
  }
}

}  // namespace
