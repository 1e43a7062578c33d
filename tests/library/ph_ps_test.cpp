// Temperature and the other properties from pressure and enthalpy (REGION_PH,
// T_PH, S_PH, V_PH) and from pressure and entropy (REGION_PS, T_PS, H_PS,
// V_PS). Both pairs go through one region selection, so each case runs for
// both; y stands for the given enthalpy or entropy. The cases that only one
// pair has follow at the end, in the suites Ph and Ps.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "message_recorder.h"
#include "verification.h"

namespace {

using if97::FAILURE;

struct State {
  double p;  // MPa
  double y;  // kJ/kg or kJ/(kg K)
};

struct Coded {
  double p;  // MPa
  double y;  // kJ/kg or kJ/(kg K)
  int code;  // of REGION_PH or REGION_PS
};

struct Captioned {
  double p;  // MPa
  double y;  // kJ/kg or kJ/(kg K)
  int code;
  std::string caption;
};

// How close T(p, y) comes in one sub-region: the permissible deviation of its
// backward equation, or, where an iteration serves it, the relative y that
// the iteration is carried to (then kelvin is 0).
struct Tolerance {
  double kelvin;      // K
  double relative_y;  // of y
};

// What sets (p, h) and (p, s) apart for these tests.
struct Given {
  const char* name;  // in the names of the test instances
  void (*region)(double p, double y, int& code, std::string& caption);
  double (*temperature)(double p, double y);    // T_PH, T_PS; degC
  double (*other)(double p, double y);          // S_PH, H_PS: the other of h and s
  double (*volume)(double p, double y);         // V_PH, V_PS; m3/kg
  double (*forward)(double p, double t);        // h_pt, s_pt: y of (p, t)
  double (*other_forward)(double p, double t);  // s_pt, h_pt
  double (*other_wet)(double p, double x);      // S_PX, H_PX
  double (*saturated_water)(double p);          // y'
  double (*saturated_steam)(double p);          // y''
  double upward;                     // above every admitted y: nextafter toward it rounds up
  double too_large;                  // above the range at 1 MPa
  std::string out_of_range;          // the message of a state outside the range
  std::string out_of_range_caption;  // with code 0
  std::string on_saturation_line;    // y exactly y' or y''
  std::vector<Captioned> (*captions)();
  std::vector<State> (*rejected)();
  std::vector<Coded> (*boundary_codes)();  // beside the range and region bounds
  // Where the backward equation lands on the far side of the saturation
  // temperature: a liquid, and a steam state.
  State (*liquid_across_the_line)();
  State (*steam_across_the_line)();
  double wet_x;                    // dryness fraction of the wet-steam check
  Tolerance by_code[4];            // codes 1, 21, 22, 23
  double region3_relative_y;       // to which the near-critical iteration is carried
  double other_at_bounds;          // deviation of S_PH or H_PS at 0 and 800 degC
  std::vector<State> flag_states;  // beside every boundary
};

// Tolerances of the backward equations T(p, h) and T(p, s) of IAPWS-IF97:
// region 1 and sub-region 2c 25 mK, sub-regions 2a and 2b (h only) 10 mK.
constexpr double kRegion1Deviation = 0.025;   // K
constexpr double kRegion2aDeviation = 0.010;  // K
constexpr double kRegion2bDeviation = 0.010;  // K, of T(p, h)
constexpr double kRegion2cDeviation = 0.025;  // K
// T_PS2b is an iteration on s_pt, carried to this relative entropy.
constexpr double kIteration2bTolerance = 1e-10;

// IAPWS-IF97 eq. 6 (Table 1) in degC, the lower end of region 2 above 16.5292 MPa.
double TB23(double p) {
  return 0.57254459862746e3 + std::sqrt((p - 0.13918839778870e2) / 0.10192970039326e-2) - 273.15;
}

// The letters that have a Latin twin are spelt as escapes: Р U+0420,
// Н U+041D, С U+0421, с U+0441.
const Given kPh = {
    .name = "Ph",
    .region = if97::REGION_PH,
    .temperature = if97::T_PH,
    .other = if97::S_PH,
    .volume = if97::V_PH,
    .forward = if97::h_pt,
    .other_forward = if97::s_pt,
    .other_wet = if97::S_PX,
    .saturated_water = if97::HSW_P,
    .saturated_steam = if97::HSP_P,
    .upward = 1e4,
    .too_large = 5000,
    .out_of_range = "Заданные значения \u0420 и \u041d выходят за пределы допустимых",
    .out_of_range_caption = "Недопустимая область значений \u0420 и \u041d",
    .on_saturation_line = "Вы попали на линию насыщения (T_PH)",
    .captions =
        [] {
          return std::vector<Captioned>{
              {1, 1500, -1, "Область влажного пара (-1)"},
              {1, 500, 1, "Область недогретой воды (1)"},
              {1, 3000, 21, "Область перегретого пара (2a)"},
              {5, 3500, 22, "Область перегретого пара (2b)"},
              {40, 2700, 23, "Область перегретого пара (2\u0441)"},
              {25, 2000, 3, "Околокритическая область (3)"},
              {1, if97::HSP_P(1), 4, "Линия насыщения(4)"},
          };
        },
    .rejected =
        [] {
          return std::vector<State>{{0.000999, 3000},
                                    {100.0001, 1000},
                                    {1, 4643},
                                    {NAN, 1000},
                                    // Below water at 0 degC (point 8 of the
                                    // range), and zero enthalpy at 100 MPa,
                                    // which is no state on the saturation line.
                                    {1, std::nextafter(if97::h_pt(1, 0), -1)},
                                    {0.001, std::nextafter(if97::h_pt(0.001, 0), -1)},
                                    {100, 0}};
        },
    .boundary_codes =
        [] {
          const double p = if97::kB23LowestPressure;
          const double h350 = if97::h_pt(20, 350);
          const double h_b23 = if97::h_pt(25, TB23(25));
          return std::vector<Coded>{
              // The bounds of the range; the lowest enthalpy is that of water
              // at 0 degC.
              {0.000999999999, 3000, 21},
              {0.001, 4642.8000000001, 21},
              {100.00000000001, 1000, 1},
              {1, if97::h_pt(1, 0), 1},
              // 4 MPa belongs to 2a, 6.5467 MPa wholly to 2b.
              {4, if97::HSP_P(4) + 1, 21},
              {4.0001, if97::HSP_P(4.0001) + 1, 22},
              {6.5467, if97::HSP_P(6.5467) + 0.01, 22},
              // Above 6.5467 MPa the B2bc line: 2c just above the saturated
              // steam, 2b beyond.
              {10, if97::HSP_P(10) + 1, 23},
              {10, 3500, 22},
              // 16.5292 MPa is still bounded by the saturation line.
              {p, if97::HSW_P(p) - 0.5, 1},
              {p, if97::HSW_P(p) + 0.5, -1},
              {p, if97::HSP_P(p) + 0.5, 23},
              // Above it the 350 degC isotherm bounds region 1 and the B23
              // line belongs to the near-critical band.
              {20, h350, 1},
              {20, std::nextafter(h350, 1e4), 3},
              {25, h_b23, 3},
              {25, std::nextafter(h_b23, 1e4), 23},
          };
        },
    // At 1 MPa the region-1 backward equation puts 762.6 kJ/kg (0.08 below h')
    // about 2 mK above the saturation temperature, where s_pt and v_pt would
    // give steam.
    .liquid_across_the_line =
        [] {
          return State{1, 762.6};
        },
    .steam_across_the_line =
        [] {
          return State{10, std::nextafter(if97::HSP_P(10), 1e4)};
        },
    .wet_x = 0.7,
    .by_code = {{kRegion1Deviation, 0},
                {kRegion2aDeviation, 0},
                {kRegion2bDeviation, 0},
                {kRegion2cDeviation, 0}},
    .region3_relative_y = 1e-5,
    .other_at_bounds = 1e-3,  // kJ/(kg K)
    .flag_states = {{0.000999999999, 3000},
                    {0.001, 4642.8},
                    {1, 762.6},
                    {4, 2900},
                    {6.5467, 2800},
                    {6.6, 2779.9113730210584},
                    {16.5292, 1700},
                    {20, 2100},
                    {22.064, 2087.248},
                    {25, 2000},
                    {100, 1000},
                    {100, 4000}},
};

const Given kPs = {
    .name = "Ps",
    .region = if97::REGION_PS,
    .temperature = if97::T_PS,
    .other = if97::H_PS,
    .volume = if97::V_PS,
    .forward = if97::s_pt,
    .other_forward = if97::h_pt,
    .other_wet = if97::H_PX,
    .saturated_water = if97::SSW_P,
    .saturated_steam = if97::SSP_P,
    .upward = 20,
    .too_large = 13,
    .out_of_range = "Заданные значения \u0420 и S выходят за пределы допустимых",
    .out_of_range_caption = "Область недопустимых значений  \u0420 и S",
    .on_saturation_line = "Вы попали на линию насыщения (T_PS)",
    .captions =
        [] {
          return std::vector<Captioned>{
              {1, 4, -1, "Область влажного пара"},
              {1, 1, 1, "Область недогретой воды"},
              {1, 7, 21, "Область перегретого пара (2a)"},
              {8, 6, 22, "Область перегретого пара (2b)"},
              {20, 5.75, 23, "Область перегретого пара (2\u0441)"},
              {25, 4.5, 3, "Околокритическая область (3)"},
              {1, if97::SSP_P(1), 4, "Линия насыщения (4)"},
          };
        },
    .rejected =
        [] {
          const double s_min = if97::s_pt(100, 0);
          const double s_max = if97::s_pt(0.001, 1000);
          return std::vector<State>{{0.000999, 8},
                                    {0.0009999999995, 8},
                                    {100.0000001, 5},
                                    {1, std::nextafter(s_max, 20)},
                                    {1, std::nextafter(s_min, -1)},
                                    {NAN, 5}};
        },
    .boundary_codes =
        [] {
          const double p = if97::kB23LowestPressure;
          const double s_bc = if97::SSP_P(6.5467);
          const double s350 = if97::s_pt(20, 350);
          const double s_b23 = if97::s_pt(25, TB23(25));
          return std::vector<Coded>{
              // The bounds of the range.
              {0.001, if97::s_pt(0.001, 1000), 21},
              {100, if97::s_pt(100, 0), 1},
              // 4 MPa belongs to 2a, 6.5467 MPa wholly to 2b.
              {4, if97::SSP_P(4), 4},
              {4, if97::SSP_P(4) + 0.01, 21},
              {4.0001, if97::SSP_P(4.0001) + 0.01, 22},
              {6.5467, if97::SSP_P(6.5467) + 0.001, 22},
              // Above 6.5467 MPa the entropy of saturated steam at 6.5467 MPa
              // separates 2c from 2b (see Ps.SubRegions2bAnd2c...).
              {10, std::nextafter(s_bc, 0), 23},
              {10, s_bc, 22},
              {10, 5.849, 22},
              // 16.5292 MPa is still bounded by the saturation line.
              {p, if97::SSW_P(p) - 0.01, 1},
              {p, if97::SSW_P(p) + 0.01, -1},
              {p, if97::SSP_P(p) + 0.01, 23},
              // Above it the 350 degC isotherm bounds region 1, and the B23
              // line belongs to sub-region 2c.
              {20, s350, 1},
              {20, std::nextafter(s350, 10), 3},
              {25, s_b23, 23},
              {25, std::nextafter(s_b23, 0), 3},
          };
        },
    // Beside s' and s'' at 1 MPa the region-1 and 2a backward equations return
    // temperatures on the far side of the saturation temperature.
    .liquid_across_the_line =
        [] {
          return State{1, std::nextafter(if97::SSW_P(1), 0)};
        },
    .steam_across_the_line =
        [] {
          return State{1, std::nextafter(if97::SSP_P(1), 10)};
        },
    .wet_x = 0.4,
    .by_code = {{kRegion1Deviation, 0},
                {kRegion2aDeviation, 0},
                {0, kIteration2bTolerance},
                {kRegion2cDeviation, 0}},
    .region3_relative_y = 1e-6,
    .other_at_bounds = 0.1,  // kJ/kg
    .flag_states = {{0.001, 12},
                    {1, 2.1384},
                    {4, 6.07},
                    {4.0001, 6.1},
                    {6.5467, 5.85},
                    {10, 5.849},
                    {16.5292, 3.8},
                    {20, 4.5},
                    {22.064, 4.41},
                    {25, 4.5},
                    {100, -0.0085},
                    {100, 6.5}},
};

int Code(const Given& given, double p, double y) {
  int code = -99;
  std::string caption;
  given.region(p, y, code, caption);
  return code;
}

void PrintTo(const Given* given, std::ostream* os) { *os << given->name; }

class PhAndPs : public RecordingTest, public ::testing::WithParamInterface<const Given*> {
 protected:
  const Given& given() const { return *GetParam(); }
  int Code(double p, double y) const { return ::Code(given(), p, y); }
};

INSTANTIATE_TEST_SUITE_P(Both, PhAndPs, ::testing::Values(&kPh, &kPs),
                         [](const auto& info) { return std::string(info.param->name); });

// ---- verification values --------------------------------------------------

struct BackwardCase {
  const Given* given;
  double (*subregion)(double p, double y);  // its backward equation, degC
  double p;                                 // MPa
  double y;                                 // kJ/kg or kJ/(kg K)
  double T;                                 // K, as published
  int code;                                 // sub-region the state belongs to
};

void PrintTo(const BackwardCase& c, std::ostream* os) {
  *os << c.given->name << " at " << c.p << ", " << c.y;
}

class PublishedTemperature : public ::testing::TestWithParam<BackwardCase> {};

TEST_P(PublishedTemperature, MatchesToThePublishedDigitsInItsRegion) {
  const BackwardCase& c = GetParam();
  MessageRecorder recorder;
  EXPECT_EQ(Code(*c.given, c.p, c.y), c.code);
  EXPECT_TRUE(MatchesPublished(c.given->temperature(c.p, c.y) + 273.15, c.T, 9));
  EXPECT_TRUE(MatchesPublished(c.subregion(c.p, c.y) + 273.15, c.T, 9));
  EXPECT_TRUE(recorder.messages().empty());
}

// IAPWS-IF97 Table 7: backward equation T(p, h) of region 1.
INSTANTIATE_TEST_SUITE_P(Table7, PublishedTemperature,
                         ::testing::Values(BackwardCase{&kPh, if97::T_PH1, 3, 500, 391.798509, 1},
                                           BackwardCase{&kPh, if97::T_PH1, 80, 500, 378.108626, 1},
                                           BackwardCase{&kPh, if97::T_PH1, 80, 1500, 611.041229,
                                                        1}));

// IAPWS-IF97 Table 24: backward equations T(p, h) of sub-regions 2a, 2b, 2c.
INSTANTIATE_TEST_SUITE_P(
    Table24, PublishedTemperature,
    ::testing::Values(BackwardCase{&kPh, if97::T_PH2a, 0.001, 3000, 534.433241, 21},
                      BackwardCase{&kPh, if97::T_PH2a, 3, 3000, 575.373370, 21},
                      BackwardCase{&kPh, if97::T_PH2a, 3, 4000, 1010.77577, 21},
                      BackwardCase{&kPh, if97::T_PH2b, 5, 3500, 801.299102, 22},
                      BackwardCase{&kPh, if97::T_PH2b, 5, 4000, 1015.31583, 22},
                      BackwardCase{&kPh, if97::T_PH2b, 25, 3500, 875.279054, 22},
                      BackwardCase{&kPh, if97::T_PH2c, 40, 2700, 743.056411, 23},
                      BackwardCase{&kPh, if97::T_PH2c, 60, 2700, 791.137067, 23},
                      BackwardCase{&kPh, if97::T_PH2c, 60, 3200, 882.756860, 23}));

// IAPWS-IF97 Table 9: backward equation T(p, s) of region 1.
INSTANTIATE_TEST_SUITE_P(Table9, PublishedTemperature,
                         ::testing::Values(BackwardCase{&kPs, if97::T_PS1, 3, 0.5, 307.842258, 1},
                                           BackwardCase{&kPs, if97::T_PS1, 80, 0.5, 309.979785, 1},
                                           BackwardCase{&kPs, if97::T_PS1, 80, 3, 565.899909, 1}));

// IAPWS-IF97 Table 29: backward equations T(p, s) of sub-regions 2a and 2c
// (sub-region 2b: Ps.SubRegion2bIterationMeetsTheForwardEntropy).
INSTANTIATE_TEST_SUITE_P(
    Table29, PublishedTemperature,
    ::testing::Values(BackwardCase{&kPs, if97::T_PS2a, 0.1, 7.5, 399.517097, 21},
                      BackwardCase{&kPs, if97::T_PS2a, 0.1, 8, 514.127081, 21},
                      BackwardCase{&kPs, if97::T_PS2a, 2.5, 8, 1039.84917, 21},
                      BackwardCase{&kPs, if97::T_PS2c, 20, 5.75, 697.992849, 23},
                      BackwardCase{&kPs, if97::T_PS2c, 80, 5.25, 854.011484, 23},
                      BackwardCase{&kPs, if97::T_PS2c, 80, 5.75, 949.017998, 23}));

// ---- range and region selection --------------------------------------------

TEST_P(PhAndPs, OutOfRangeIsReportedOnceWithCodeZero) {
  for (const State& r : given().rejected()) {
    ClearMessages();
    int code = 7;
    std::string caption;
    given().region(r.p, r.y, code, caption);
    EXPECT_EQ(code, 0) << r.p << ", " << r.y;
    EXPECT_EQ(caption, given().out_of_range_caption);
    EXPECT_EQ(given().temperature(r.p, r.y), FAILURE);
    EXPECT_EQ(messages(), std::vector<std::string>(2, given().out_of_range));
  }
}

TEST_P(PhAndPs, CodesBesideTheBoundsOfTheRangeAndOfTheRegions) {
  for (const Coded& c : given().boundary_codes()) {
    EXPECT_EQ(Code(c.p, c.y), c.code) << c.p << ", " << c.y;
  }
  EXPECT_TRUE(messages().empty());
}

TEST_P(PhAndPs, CaptionsOfEveryCode) {
  for (const Captioned& c : given().captions()) {
    int code = -99;
    std::string caption;
    given().region(c.p, c.y, code, caption);
    EXPECT_EQ(code, c.code) << c.p << ", " << c.y;
    EXPECT_EQ(caption, c.caption);
  }
  EXPECT_TRUE(messages().empty());
}

// ---- wet steam and the saturation line -------------------------------------

TEST_P(PhAndPs, WetSteamTakesTheSaturationTemperature) {
  const double p = 1;
  const double y_water = given().saturated_water(p);
  const double y_steam = given().saturated_steam(p);
  const double y = (1 - given().wet_x) * y_water + given().wet_x * y_steam;
  const double x = (y - y_water) / (y_steam - y_water);
  EXPECT_EQ(given().temperature(p, y), if97::TS_P(p));
  EXPECT_DOUBLE_EQ(given().other(p, y), given().other_wet(p, x));
  EXPECT_DOUBLE_EQ(given().volume(p, y), if97::V_PX(p, x));
  EXPECT_TRUE(messages().empty());
}

TEST_P(PhAndPs, WetSteamNearTheCriticalPointComesFromTheBand) {
  const double p = 20;
  const double y = 0.5 * (given().saturated_water(p) + given().saturated_steam(p));
  EXPECT_EQ(Code(p, y), 3);
  EXPECT_EQ(given().temperature(p, y), if97::TS_P(p));
  EXPECT_TRUE(messages().empty());
}

TEST_P(PhAndPs, SaturatedSteamIsReportedByEachFunction) {
  const double p = 1;
  const double y = given().saturated_steam(p);
  EXPECT_EQ(given().temperature(p, y), if97::TS_P(p));
  EXPECT_EQ(given().other(p, y), given().other_wet(p, 1));
  EXPECT_EQ(given().volume(p, y), if97::V_PX(p, 1));
  EXPECT_EQ(messages(), std::vector<std::string>(3, given().on_saturation_line));
}

TEST_P(PhAndPs, RejectedStateIsReportedAgainByEachFollower) {
  // The followers repeat the temperature's message and return the failure
  // value without evaluating a property at it.
  EXPECT_EQ(given().other(1, given().too_large), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{given().out_of_range});
  ClearMessages();
  EXPECT_EQ(given().volume(1, given().too_large), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{given().out_of_range});
}

// Where the backward temperature lies on the far side of the saturation
// temperature, the forward functions would give the other phase; the
// followers keep the saturated values of the state's own phase.
TEST_P(PhAndPs, LiquidWhoseBackwardTemperatureCrossesTheLineKeepsWaterProperties) {
  const State st = given().liquid_across_the_line();
  ASSERT_LT(st.y, given().saturated_water(st.p));
  ASSERT_GT(given().temperature(st.p, st.y), if97::TS_P(st.p));
  EXPECT_EQ(given().other(st.p, st.y), given().other_wet(st.p, 0));
  EXPECT_EQ(given().volume(st.p, st.y), if97::V_PX(st.p, 0));
  EXPECT_TRUE(messages().empty());
}

TEST_P(PhAndPs, SteamWhoseBackwardTemperatureCrossesTheLineKeepsSteamProperties) {
  const State st = given().steam_across_the_line();
  ASSERT_GT(st.y, given().saturated_steam(st.p));
  ASSERT_LT(given().temperature(st.p, st.y), if97::TS_P(st.p));
  EXPECT_EQ(given().other(st.p, st.y), given().other_wet(st.p, 1));
  EXPECT_EQ(given().volume(st.p, st.y), if97::V_PX(st.p, 1));
  EXPECT_TRUE(messages().empty());
}

TEST_P(PhAndPs, NearCriticalValuesBesideTheSaturatedOnesGiveTheSaturationTemperature) {
  // One unit in the last place from y' or y'' the interpolation can land
  // exactly on the saturation temperature, where the forward function has no
  // value.
  for (const double p : {16.6, 18.0, 21.0, 22.0, 22.064}) {
    const double ts = if97::TS_P(p);
    const double water = std::nextafter(given().saturated_water(p), 0);
    const double steam = std::nextafter(given().saturated_steam(p), given().upward);
    EXPECT_NEAR(given().temperature(p, water), ts, 1e-9) << p;
    EXPECT_NEAR(given().temperature(p, steam), ts, 1e-9) << p;
  }
  EXPECT_TRUE(messages().empty());
}

// ---- consistency with the forward functions --------------------------------

// The calculator accepts the states from 0 to 800 degC. The backward equations
// may carry such a state a few millikelvin past 0 or 800 degC, where the
// forward functions would refuse it; the followers evaluate it at the bound.
TEST_P(PhAndPs, StatesOnTheCalculatorsTemperatureBoundsKeepTheirProperties) {
  for (const double p : {0.1, 1.0, 3.0, 10.5, 20.0, 50.0, 100.0}) {
    SCOPED_TRACE(p);
    for (const double t : {0.0, 800.0}) {
      const double y = given().forward(p, t);
      EXPECT_NEAR(given().temperature(p, y), t, kRegion1Deviation);
      EXPECT_NEAR(given().other(p, y), given().other_forward(p, t), given().other_at_bounds);
      EXPECT_NEAR(given().volume(p, y), if97::v_pt(p, t), 1e-4 * if97::v_pt(p, t));
    }
  }
  EXPECT_TRUE(messages().empty());
}

TEST_P(PhAndPs, TemperatureOfRegions1And2IsReturned) {
  // Temperatures off the saturation line by more than 0.1 K, at the states of
  // regions 1 and 2.
  double largest[2] = {0, 0};  // K
  for (const double p : {0.001, 0.01, 0.1, 1.0, 3.0, 4.0, 5.0, 6.5467, 8.0, 10.0, 14.0, 16.5292,
                         25.0, 40.0, 60.0, 80.0, 100.0}) {
    const double ts = p <= if97::kCriticalPressure ? if97::TS_P(p) : -1;
    for (double t = 1; t <= 800; t += 7.3) {
      if (std::fabs(t - ts) <= 0.1) continue;
      int region = 0;
      std::string caption;
      if97::REGION_PT(p, t, region, caption);
      if (region != 1 && region != 2) continue;
      const double y = given().forward(p, t);
      const int code = Code(p, y);
      const double result = given().temperature(p, y);
      const int column = code == 1 ? 0 : code - 20;
      ASSERT_TRUE(column >= 0 && column <= 3) << "p = " << p << ", t = " << t << ", code " << code;
      const Tolerance& allowed = given().by_code[column];
      if (allowed.relative_y > 0) {
        EXPECT_LT(std::fabs(given().forward(p, result) - y), allowed.relative_y * std::fabs(y))
            << "p = " << p << ", t = " << t << ", code " << code;
        continue;
      }
      const double deviation = std::fabs(result - t);
      EXPECT_LE(deviation, allowed.kelvin) << "p = " << p << ", t = " << t << ", code " << code;
      largest[region - 1] = std::max(largest[region - 1], deviation);
    }
  }
  EXPECT_TRUE(messages().empty());
  RecordProperty("largest_deviation_region1_mK", std::to_string(largest[0] * 1e3));
  RecordProperty("largest_deviation_region2_mK", std::to_string(largest[1] * 1e3));
}

TEST_P(PhAndPs, NearCriticalIterationReturnsTheTemperatureOfRegion3) {
  struct {
    double p, t;
  } const points[] = {{17, 352}, {20, 360}, {20, 370}, {22.064, 373}, {22.064, 375}, {23, 376},
                      {25, 380}, {30, 400}, {50, 450}, {100, 500},    {100, 585}};
  for (const auto& pt : points) {
    const double y = given().forward(pt.p, pt.t);
    ASSERT_EQ(Code(pt.p, y), 3) << pt.p << ", " << pt.t;
    const double t = given().temperature(pt.p, y);
    EXPECT_NEAR(given().forward(pt.p, t), y, given().region3_relative_y * std::fabs(y))
        << pt.p << ", " << pt.t;
    EXPECT_NEAR(t, pt.t, 0.01) << pt.p << ", " << pt.t;
  }
  EXPECT_TRUE(messages().empty());
}

TEST_P(PhAndPs, ValidStatesRaiseNoFloatingPointFlag) {
  // Beside every boundary the square roots of B2bc and B23 are taken only
  // where their arguments are positive.
  for (const State& st : given().flag_states) {
    std::feclearexcept(FE_ALL_EXCEPT);
    given().temperature(st.p, st.y);
    given().other(st.p, st.y);
    given().volume(st.p, st.y);
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0)
        << st.p << ", " << st.y;
  }
}

// ---- pressure and enthalpy only ---------------------------------------------

class Ph : public RecordingTest {};

TEST_F(Ph, LowestEnthalpyOfTheRangeIsNegativeAtTheLowestPressure) {
  // Water at 0 degC and 0.001 MPa, the lowest enthalpy accepted there.
  const double h = if97::h_pt(0.001, 0);
  EXPECT_LT(h, 0);
  EXPECT_EQ(Code(kPh, 0.001, h), 1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Ph, StateExactlyOnTheB2bcLineIsSubRegion2b) {
  // With h = h_2bc(6.6) as the region selection rounds it, p <= p_2bc(h)
  // holds while h > h_2bc(p) does not: neither B2bc test admits the state.
  const double p = 6.6;
  const double h = 2779.9113730210584;
  ASSERT_GT(h, if97::HSP_P(p));
  EXPECT_EQ(Code(kPh, p, h), 22);
  EXPECT_EQ(if97::T_PH(p, h), if97::T_PH2b(p, h));
}

TEST_F(Ph, SaturatedWaterIsReportedByEachFunction) {
  const double p = 5;
  const double h = if97::HSW_P(p);
  EXPECT_EQ(if97::T_PH(p, h), if97::T_PH1(p, h));
  EXPECT_EQ(if97::S_PH(p, h), if97::S_PX(p, 0));
  EXPECT_EQ(if97::V_PH(p, h), if97::V_PX(p, 0));
  EXPECT_EQ(messages(), std::vector<std::string>(3, kPh.on_saturation_line));
}

TEST_F(Ph, SaturatedWaterOfRegion3TakesTheSaturationTemperature) {
  // Above 16.5292 MPa the region-1 backward equation would be 0.6 K off at
  // 20 MPa.
  for (const double p : {17.0, 20.0, 22.0}) {
    ClearMessages();
    EXPECT_EQ(if97::T_PH(p, if97::HSW_P(p)), if97::TS_P(p)) << p;
    EXPECT_EQ(messages(), std::vector<std::string>{kPh.on_saturation_line});
  }
}

TEST_F(Ph, VolumeIsNotTakenExactlyOnTheSaturationLine) {
  // The region-1 backward equation returns TS_P(10) itself for this liquid
  // enthalpy; the volume reports the dryness fraction outside 0..1 instead.
  const double p = 10;
  const double h = 1407.7296598237956;
  ASSERT_LT(h, if97::HSW_P(p));
  ASSERT_EQ(if97::T_PH(p, h), if97::TS_P(p));
  EXPECT_EQ(if97::V_PH(p, h), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{"Степень сухости X<0 или X>1 в V_PX"});
}

// ---- pressure and entropy only ----------------------------------------------

class Ps : public RecordingTest {};

TEST_F(Ps, SubRegion2bIterationMeetsTheForwardEntropy) {
  // The inputs of IAPWS-IF97 Table 29 for sub-region 2b, and points beside the
  // 4 MPa, 2b/2c and 800 degC limits of the sub-region.
  struct {
    double p, s;
  } const points[] = {{8, 6},         {8, 7.5},    {90, 6},        {4.01, 6.1}, {5, 5.98},
                      {6.5467, 5.85}, {10, 5.849}, {16.5292, 6.0}, {30, 6.5},   {100, 6.0}};
  for (const auto& pt : points) {
    ASSERT_EQ(Code(kPs, pt.p, pt.s), 22) << pt.p << ", " << pt.s;
    const double t = if97::T_PS(pt.p, pt.s);
    EXPECT_EQ(t, if97::T_PS2b(pt.p, pt.s));
    EXPECT_LT(std::fabs(pt.s - if97::s_pt(pt.p, t)), kIteration2bTolerance * pt.s)
        << pt.p << ", " << pt.s;
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(Ps, SubRegion2bAbove800DegreesIsReported) {
  EXPECT_EQ(Code(kPs, 50, 7.5), 22);
  EXPECT_EQ(if97::T_PS(50, 7.5), FAILURE);
  EXPECT_EQ(messages(),
            std::vector<std::string>{
                "Значение энтропии - недопустимо (больше чем при 800 гр.\u0421)(T_PS2b)"});
}

TEST_F(Ps, SubRegions2bAnd2cPartAtTheSaturatedSteamEntropyOf6_5467MPa) {
  // About 5.848, not the 5.85 of the B2bc equation; the codes on either side
  // are in the boundary table above.
  EXPECT_NEAR(if97::SSP_P(6.5467), 5.848, 5e-4);
}

TEST_F(Ps, ZeroEntropyAboveTheCriticalPressureIsWater) {
  // s' and s'' are left 0 above the critical pressure; zero entropy is liquid
  // water there, not the saturation line.
  EXPECT_EQ(Code(kPs, 30, 0), 1);
  EXPECT_EQ(Code(kPs, 50, 0), 1);
  EXPECT_NEAR(if97::T_PS(50, 0), 0.065, 0.025);
  EXPECT_TRUE(messages().empty());
}

}  // namespace
