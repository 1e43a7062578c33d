// Temperature, entropy and volume from pressure and enthalpy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include <if97/if97.h>
#include "message_recorder.h"
#include "verification.h"

namespace {

using if97::FAILURE;

// The letters that have a Latin twin are spelt as escapes: Р U+0420,
// Н U+041D, с U+0441, Т U+0422.
const std::string kOutOfRange = "Заданные значения \u0420 и \u041d выходят за пределы допустимых";
const std::string kOnSaturationLine = "Вы попали на линию насыщения (T_PH)";
const std::string kDrynessOfV = "Степень сухости X<0 или X>1 в V_PX";

// Tolerances of the consistency checks: the permissible deviations of the
// backward equations T(p, h) of IAPWS-IF97 (region 1 and sub-region 2c 25 mK,
// sub-regions 2a and 2b 10 mK) and the relative enthalpy to which the
// near-critical iteration is carried.
constexpr double kRegion1Deviation = 0.025;    // K
constexpr double kRegion2abDeviation = 0.010;  // K
constexpr double kRegion2cDeviation = 0.025;   // K
constexpr double kIterationTolerance = 1e-5;   // relative enthalpy

// IAPWS-IF97 eq. 6 (Table 1) in degC, the lower end of region 2 above 16.5292 MPa.
double TB23(double p) {
  return 0.57254459862746e3 + std::sqrt((p - 0.13918839778870e2) / 0.10192970039326e-2) - 273.15;
}

int Code(double p, double h) {
  int code = -99;
  std::string caption;
  if97::REGION_PH(p, h, code, caption);
  return code;
}

// ---- verification values --------------------------------------------------

struct BackwardCase {
  double p;  // MPa
  double h;  // kJ/kg
  double T;  // K, as published
  int code;  // sub-region the state belongs to
};

class PublishedTemperature : public ::testing::TestWithParam<BackwardCase> {};

TEST_P(PublishedTemperature, TPhMatchesToThePublishedDigitsInItsRegion) {
  const BackwardCase& c = GetParam();
  MessageRecorder recorder;
  EXPECT_EQ(Code(c.p, c.h), c.code);
  EXPECT_TRUE(MatchesPublished(if97::T_PH(c.p, c.h) + 273.15, c.T, 9));
  EXPECT_TRUE(recorder.messages().empty());
}

// IAPWS-IF97 Table 7: backward equation T(p, h) of region 1.
INSTANTIATE_TEST_SUITE_P(Table7, PublishedTemperature,
                         ::testing::Values(BackwardCase{3, 500, 391.798509, 1},
                                           BackwardCase{80, 500, 378.108626, 1},
                                           BackwardCase{80, 1500, 611.041229, 1}));

// IAPWS-IF97 Table 24: backward equations T(p, h) of sub-regions 2a, 2b, 2c.
INSTANTIATE_TEST_SUITE_P(Table24, PublishedTemperature,
                         ::testing::Values(BackwardCase{0.001, 3000, 534.433241, 21},
                                           BackwardCase{3, 3000, 575.373370, 21},
                                           BackwardCase{3, 4000, 1010.77577, 21},
                                           BackwardCase{5, 3500, 801.299102, 22},
                                           BackwardCase{5, 4000, 1015.31583, 22},
                                           BackwardCase{25, 3500, 875.279054, 22},
                                           BackwardCase{40, 2700, 743.056411, 23},
                                           BackwardCase{60, 2700, 791.137067, 23},
                                           BackwardCase{60, 3200, 882.756860, 23}));

TEST(BackwardEquations, TemperaturesInCelsius) {
  // IAPWS-IF97 Tables 7 and 24 less 273.15 K.
  EXPECT_TRUE(MatchesPublished(if97::T_PH1(3, 500), 118.648509, 9));
  EXPECT_TRUE(MatchesPublished(if97::T_PH2a(0.001, 3000), 261.283241, 9));
  EXPECT_TRUE(MatchesPublished(if97::T_PH2b(5, 3500), 528.149102, 9));
  EXPECT_TRUE(MatchesPublished(if97::T_PH2c(40, 2700), 469.906411, 9));
}

// ---- range and region selection --------------------------------------------

TEST_F(RecordingTest, OutOfRangeIsReportedOnceWithCodeZero) {
  struct {
    double p, h;
  } const rejected[] = {{0.000999, 3000},
                        {100.0001, 1000},
                        {1, 4643},
                        {NAN, 1000},
                        // Below water at 0 degC (point 8 of the range), and
                        // zero enthalpy at 100 MPa, which is no state on the
                        // saturation line.
                        {1, std::nextafter(if97::h_pt(1, 0), -1)},
                        {0.001, std::nextafter(if97::h_pt(0.001, 0), -1)},
                        {100, 0}};
  for (const auto& r : rejected) {
    ClearMessages();
    int code = 7;
    std::string caption;
    if97::REGION_PH(r.p, r.h, code, caption);
    EXPECT_EQ(code, 0) << r.p << ", " << r.h;
    EXPECT_EQ(caption, "Недопустимая область значений \u0420 и \u041d");
    EXPECT_EQ(if97::T_PH(r.p, r.h), FAILURE);
    EXPECT_EQ(messages(), std::vector<std::string>(2, kOutOfRange));
  }
}

TEST_F(RecordingTest, BoundsOfTheRangeAreAccepted) {
  EXPECT_EQ(Code(0.000999999999, 3000), 21);
  EXPECT_EQ(Code(0.001, 4642.8000000001), 21);
  EXPECT_EQ(Code(100.00000000001, 1000), 1);
  // The lowest enthalpy is that of water at 0 degC, negative at 0.001 MPa.
  EXPECT_EQ(Code(1, if97::h_pt(1, 0)), 1);
  EXPECT_EQ(Code(0.001, if97::h_pt(0.001, 0)), 1);
  EXPECT_LT(if97::h_pt(0.001, 0), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, CaptionsOfEveryCode) {
  struct {
    double p, h;
    int code;
    std::string caption;
  } const cases[] = {
      {1, 1500, -1, "Область влажного пара (-1)"},
      {1, 500, 1, "Область недогретой воды (1)"},
      {1, 3000, 21, "Область перегретого пара (2a)"},
      {5, 3500, 22, "Область перегретого пара (2b)"},
      {40, 2700, 23, "Область перегретого пара (2\u0441)"},
      {25, 2000, 3, "Околокритическая область (3)"},
      {1, if97::HSP_P(1), 4, "Линия насыщения(4)"},
  };
  for (const auto& c : cases) {
    int code = -99;
    std::string caption;
    if97::REGION_PH(c.p, c.h, code, caption);
    EXPECT_EQ(code, c.code) << c.p << ", " << c.h;
    EXPECT_EQ(caption, c.caption);
  }
  EXPECT_TRUE(messages().empty());
}

TEST(RegionPh, BoundariesBetweenRegions) {
  MessageRecorder recorder;
  // 4 MPa belongs to 2a, 6.5467 MPa wholly to 2b.
  EXPECT_EQ(Code(4, if97::HSP_P(4) + 1), 21);
  EXPECT_EQ(Code(4.0001, if97::HSP_P(4.0001) + 1), 22);
  EXPECT_EQ(Code(6.5467, if97::HSP_P(6.5467) + 0.01), 22);
  // Above 6.5467 MPa the B2bc line: 2c just above the saturated steam, 2b beyond.
  EXPECT_EQ(Code(10, if97::HSP_P(10) + 1), 23);
  EXPECT_EQ(Code(10, 3500), 22);
  // 16.5292 MPa is still bounded by the saturation line.
  const double p = if97::kB23LowestPressure;
  EXPECT_EQ(Code(p, if97::HSW_P(p) - 0.5), 1);
  EXPECT_EQ(Code(p, if97::HSW_P(p) + 0.5), -1);
  EXPECT_EQ(Code(p, if97::HSP_P(p) + 0.5), 23);
  // Above it the 350 degC isotherm bounds region 1 and the B23 line belongs to
  // the near-critical band.
  const double h350 = if97::h_pt(20, 350);
  EXPECT_EQ(Code(20, h350), 1);
  EXPECT_EQ(Code(20, std::nextafter(h350, 1e4)), 3);
  const double h_b23 = if97::h_pt(25, TB23(25));
  EXPECT_EQ(Code(25, h_b23), 3);
  EXPECT_EQ(Code(25, std::nextafter(h_b23, 1e4)), 23);
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(RegionPh, StateExactlyOnTheB2bcLineIsSubRegion2b) {
  // With h = h_2bc(6.6) as the region selection rounds it, p <= p_2bc(h)
  // holds while h > h_2bc(p) does not: neither B2bc test admits the state.
  const double p = 6.6;
  const double h = 2779.9113730210584;
  ASSERT_GT(h, if97::HSP_P(p));
  EXPECT_EQ(Code(p, h), 22);
  EXPECT_EQ(if97::T_PH(p, h), if97::T_PH2b(p, h));
}

// ---- wet steam and the saturation line -------------------------------------

TEST_F(RecordingTest, WetSteamTakesTheSaturationTemperature) {
  const double p = 1;
  const double h_water = if97::HSW_P(p);
  const double h_steam = if97::HSP_P(p);
  const double h = 0.3 * h_water + 0.7 * h_steam;
  const double x = (h - h_water) / (h_steam - h_water);
  EXPECT_EQ(if97::T_PH(p, h), if97::TS_P(p));
  EXPECT_DOUBLE_EQ(if97::S_PH(p, h), if97::S_PX(p, x));
  EXPECT_DOUBLE_EQ(if97::V_PH(p, h), if97::V_PX(p, x));
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, WetSteamNearTheCriticalPointComesFromTheBand) {
  const double p = 20;
  const double h = 0.5 * (if97::HSW_P(p) + if97::HSP_P(p));
  EXPECT_EQ(Code(p, h), 3);
  EXPECT_EQ(if97::T_PH(p, h), if97::TS_P(p));
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, SaturatedSteamIsReportedByEachFunction) {
  const double p = 1;
  const double h = if97::HSP_P(p);
  EXPECT_EQ(if97::T_PH(p, h), if97::TS_P(p));
  EXPECT_EQ(if97::S_PH(p, h), if97::S_PX(p, 1));
  EXPECT_EQ(if97::V_PH(p, h), if97::V_PX(p, 1));
  EXPECT_EQ(messages(), std::vector<std::string>(3, kOnSaturationLine));
}

TEST_F(RecordingTest, SaturatedWaterIsReportedByEachFunction) {
  const double p = 5;
  const double h = if97::HSW_P(p);
  EXPECT_EQ(if97::T_PH(p, h), if97::T_PH1(p, h));
  EXPECT_EQ(if97::S_PH(p, h), if97::S_PX(p, 0));
  EXPECT_EQ(if97::V_PH(p, h), if97::V_PX(p, 0));
  EXPECT_EQ(messages(), std::vector<std::string>(3, kOnSaturationLine));
}

TEST_F(RecordingTest, SaturatedWaterOfRegion3TakesTheSaturationTemperature) {
  // Above 16.5292 MPa the region-1 backward equation would be 0.6 K off at
  // 20 MPa.
  for (const double p : {17.0, 20.0, 22.0}) {
    ClearMessages();
    EXPECT_EQ(if97::T_PH(p, if97::HSW_P(p)), if97::TS_P(p)) << p;
    EXPECT_EQ(messages(), std::vector<std::string>{kOnSaturationLine});
  }
}

TEST_F(RecordingTest, RejectedStateIsReportedAgainByEachFollower) {
  // S_PH and V_PH repeat T_PH's message and return the failure value without
  // evaluating a property at it.
  EXPECT_EQ(if97::S_PH(1, 5000), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{kOutOfRange});
  ClearMessages();
  EXPECT_EQ(if97::V_PH(1, 5000), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{kOutOfRange});
}

TEST_F(RecordingTest, LiquidWhoseBackwardTemperatureCrossesTheLineKeepsWaterProperties) {
  // At 1 MPa the region-1 backward equation puts 762.6 kJ/kg (0.08 below h')
  // about 2 mK above the saturation temperature, where s_pt and v_pt would
  // give steam.
  const double p = 1;
  const double h = 762.6;
  ASSERT_GT(if97::T_PH(p, h), if97::TS_P(p));
  EXPECT_EQ(if97::S_PH(p, h), if97::S_PX(p, 0));
  EXPECT_EQ(if97::V_PH(p, h), if97::V_PX(p, 0));
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, SteamWhoseBackwardTemperatureCrossesTheLineKeepsSteamProperties) {
  const double p = 10;
  const double h = std::nextafter(if97::HSP_P(p), 1e4);
  ASSERT_LT(if97::T_PH(p, h), if97::TS_P(p));
  EXPECT_EQ(if97::S_PH(p, h), if97::S_PX(p, 1));
  EXPECT_EQ(if97::V_PH(p, h), if97::V_PX(p, 1));
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, VolumeIsNotTakenExactlyOnTheSaturationLine) {
  // The region-1 backward equation returns TS_P(10) itself for this liquid
  // enthalpy; the volume reports the dryness fraction outside 0..1 instead.
  const double p = 10;
  const double h = 1407.7296598237956;
  ASSERT_LT(h, if97::HSW_P(p));
  ASSERT_EQ(if97::T_PH(p, h), if97::TS_P(p));
  EXPECT_EQ(if97::V_PH(p, h), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{kDrynessOfV});
}

TEST_F(RecordingTest, NearCriticalEnthalpiesBesideTheSaturatedValuesGiveTheSaturationTemperature) {
  // One unit in the last place from h' or h'' the interpolation can land
  // exactly on the saturation temperature, where h_pt has no value.
  for (const double p : {18.0, 22.0, 22.064}) {
    const double ts = if97::TS_P(p);
    EXPECT_NEAR(if97::T_PH(p, std::nextafter(if97::HSW_P(p), 0)), ts, 1e-9) << p;
    EXPECT_NEAR(if97::T_PH(p, std::nextafter(if97::HSP_P(p), 1e4)), ts, 1e-9) << p;
  }
  EXPECT_TRUE(messages().empty());
}

// ---- consistency with the forward functions --------------------------------

// Temperatures off the saturation line by more than 0.1 K, and the states of
// regions 1 and 2 that the pressure-enthalpy row accepts.
std::vector<double> GridTemperatures(double p) {
  std::vector<double> result;
  const double ts = p <= if97::kCriticalPressure ? if97::TS_P(p) : -1;
  for (double t = 1; t <= 800; t += 7.3) {
    if (std::fabs(t - ts) > 0.1) result.push_back(t);
  }
  return result;
}

// The calculator accepts h from h_pt(p, 0) to h_pt(p, 800). The backward
// equations may carry such a state a few millikelvin past 0 or 800 degC, where
// s_pt and v_pt would refuse it; the followers evaluate it at the bound.
TEST_F(RecordingTest, StatesOnTheCalculatorsTemperatureBoundsKeepTheirProperties) {
  for (const double p : {0.1, 1.0, 3.0, 10.5, 20.0, 50.0, 100.0}) {
    SCOPED_TRACE(p);
    for (const double t : {0.0, 800.0}) {
      const double h = if97::h_pt(p, t);
      EXPECT_NEAR(if97::T_PH(p, h), t, kRegion1Deviation);
      EXPECT_NEAR(if97::S_PH(p, h), if97::s_pt(p, t), 1e-3);
      EXPECT_NEAR(if97::V_PH(p, h), if97::v_pt(p, t), 1e-4 * if97::v_pt(p, t));
    }
  }
  EXPECT_TRUE(messages().empty());
}

TEST(ConsistencyPh, BackwardEquationsReturnTheTemperatureOfRegions1And2) {
  MessageRecorder recorder;
  double largest[2] = {0, 0};
  for (const double p : {0.001, 0.01, 0.1, 1.0, 3.0, 4.0, 5.0, 6.5467, 8.0, 10.0, 14.0, 16.5292,
                         25.0, 40.0, 60.0, 80.0, 100.0}) {
    for (const double t : GridTemperatures(p)) {
      int region = 0;
      std::string caption;
      if97::REGION_PT(p, t, region, caption);
      if (region != 1 && region != 2) continue;
      const double h = if97::h_pt(p, t);
      const int code = Code(p, h);
      const double deviation = std::fabs(if97::T_PH(p, h) - t);
      const double allowed = code == 1    ? kRegion1Deviation
                             : code == 23 ? kRegion2cDeviation
                                          : kRegion2abDeviation;
      EXPECT_LE(deviation, allowed) << "p = " << p << ", t = " << t << ", code " << code;
      largest[region - 1] = std::max(largest[region - 1], deviation);
    }
  }
  EXPECT_TRUE(recorder.messages().empty());
  RecordProperty("largest_deviation_region1_mK", std::to_string(largest[0] * 1e3));
  RecordProperty("largest_deviation_region2_mK", std::to_string(largest[1] * 1e3));
}

TEST(ConsistencyPh, NearCriticalIterationReturnsTheTemperatureOfRegion3) {
  MessageRecorder recorder;
  struct {
    double p, t;
  } const points[] = {{17, 352}, {20, 360}, {20, 370}, {22.064, 373}, {22.064, 375}, {23, 376},
                      {25, 380}, {30, 400}, {50, 450}, {100, 500},    {100, 585}};
  for (const auto& pt : points) {
    const double h = if97::h_pt(pt.p, pt.t);
    ASSERT_EQ(Code(pt.p, h), 3) << pt.p << ", " << pt.t;
    const double t = if97::T_PH(pt.p, h);
    EXPECT_NEAR(if97::h_pt(pt.p, t), h, kIterationTolerance * h) << pt.p << ", " << pt.t;
    EXPECT_NEAR(t, pt.t, 0.01) << pt.p << ", " << pt.t;
  }
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(FloatingPoint, ValidStatesRaiseNoFlag) {
  // Beside every boundary the square roots of B2bc and B23 are taken only
  // where their arguments are positive.
  MessageRecorder recorder;
  struct {
    double p, h;
  } const states[] = {{0.000999999999, 3000},
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
                      {100, 4000}};
  for (const auto& st : states) {
    std::feclearexcept(FE_ALL_EXCEPT);
    if97::T_PH(st.p, st.h);
    if97::S_PH(st.p, st.h);
    if97::V_PH(st.p, st.h);
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0)
        << st.p << ", " << st.h;
  }
}

}  // namespace
