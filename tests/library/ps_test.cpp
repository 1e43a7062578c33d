// Temperature, enthalpy and volume from pressure and entropy.
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
// С U+0421, с U+0441.
const std::string kOutOfRange = "Заданные значения \u0420 и S выходят за пределы допустимых";
const std::string kOnSaturationLine = "Вы попали на линию насыщения (T_PS)";
const std::string kAbove800 =
    "Значение энтропии - недопустимо (больше чем при 800 гр.\u0421)(T_PS2b)";

// Tolerances of the consistency checks: the permissible deviations of the
// backward equations T(p, s) of IAPWS-IF97 (region 1 and sub-region 2c 25 mK,
// sub-region 2a 10 mK) and the relative entropies to which the iterations of
// sub-region 2b and of the near-critical band are carried.
constexpr double kRegion1Deviation = 0.025;      // K
constexpr double kRegion2aDeviation = 0.010;     // K
constexpr double kRegion2cDeviation = 0.025;     // K
constexpr double kIteration2bTolerance = 1e-10;  // relative entropy
constexpr double kIteration3Tolerance = 1e-6;    // relative entropy

// IAPWS-IF97 eq. 6 (Table 1) in degC, the lower end of region 2 above 16.5292 MPa.
double TB23(double p) {
  return 0.57254459862746e3 + std::sqrt((p - 0.13918839778870e2) / 0.10192970039326e-2) - 273.15;
}

int Code(double p, double s) {
  int code = -99;
  std::string caption;
  if97::REGION_PS(p, s, code, caption);
  return code;
}

// ---- verification values --------------------------------------------------

struct BackwardCase {
  double p;  // MPa
  double s;  // kJ/(kg K)
  double T;  // K, as published
  int code;  // sub-region the state belongs to
};

class PublishedTemperature : public ::testing::TestWithParam<BackwardCase> {};

TEST_P(PublishedTemperature, TPsMatchesToThePublishedDigitsInItsRegion) {
  const BackwardCase& c = GetParam();
  MessageRecorder recorder;
  EXPECT_EQ(Code(c.p, c.s), c.code);
  EXPECT_TRUE(MatchesPublished(if97::T_PS(c.p, c.s) + 273.15, c.T, 9));
  EXPECT_TRUE(recorder.messages().empty());
}

// IAPWS-IF97 Table 9: backward equation T(p, s) of region 1.
INSTANTIATE_TEST_SUITE_P(Table9, PublishedTemperature,
                         ::testing::Values(BackwardCase{3, 0.5, 307.842258, 1},
                                           BackwardCase{80, 0.5, 309.979785, 1},
                                           BackwardCase{80, 3, 565.899909, 1}));

// IAPWS-IF97 Table 29: backward equations T(p, s) of sub-regions 2a and 2c.
INSTANTIATE_TEST_SUITE_P(Table29, PublishedTemperature,
                         ::testing::Values(BackwardCase{0.1, 7.5, 399.517097, 21},
                                           BackwardCase{0.1, 8, 514.127081, 21},
                                           BackwardCase{2.5, 8, 1039.84917, 21},
                                           BackwardCase{20, 5.75, 697.992849, 23},
                                           BackwardCase{80, 5.25, 854.011484, 23},
                                           BackwardCase{80, 5.75, 949.017998, 23}));

TEST(BackwardEquations, TemperaturesInCelsius) {
  // IAPWS-IF97 Tables 9 and 29 less 273.15 K.
  EXPECT_TRUE(MatchesPublished(if97::T_PS1(3, 0.5), 34.692258, 8));
  EXPECT_TRUE(MatchesPublished(if97::T_PS2a(0.1, 7.5), 126.367097, 9));
  EXPECT_TRUE(MatchesPublished(if97::T_PS2c(20, 5.75), 424.842849, 9));
  EXPECT_TRUE(MatchesPublished(if97::T_PS2c(80, 5.25), 580.861484, 9));
}

TEST(SubRegion2b, IterationMeetsTheForwardEntropy) {
  // The inputs of IAPWS-IF97 Table 29 for sub-region 2b, and points beside the
  // 4 MPa, 2b/2c and 800 degC limits of the sub-region.
  MessageRecorder recorder;
  struct {
    double p, s;
  } const points[] = {{8, 6},         {8, 7.5},    {90, 6},        {4.01, 6.1}, {5, 5.98},
                      {6.5467, 5.85}, {10, 5.849}, {16.5292, 6.0}, {30, 6.5},   {100, 6.0}};
  for (const auto& pt : points) {
    ASSERT_EQ(Code(pt.p, pt.s), 22) << pt.p << ", " << pt.s;
    const double t = if97::T_PS(pt.p, pt.s);
    EXPECT_EQ(t, if97::T_PS2b(pt.p, pt.s));
    EXPECT_LT(std::fabs(pt.s - if97::s_pt(pt.p, t)), kIteration2bTolerance * pt.s)
        << pt.p << ", " << pt.s;
  }
  EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(RecordingTest, SubRegion2bAbove800DegreesIsReported) {
  EXPECT_EQ(Code(50, 7.5), 22);
  EXPECT_EQ(if97::T_PS(50, 7.5), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{kAbove800});
}

// ---- range and region selection --------------------------------------------

TEST_F(RecordingTest, OutOfRangeIsReportedOnceWithCodeZero) {
  const double s_min = if97::s_pt(100, 0);
  const double s_max = if97::s_pt(0.001, 1000);
  struct {
    double p, s;
  } const rejected[] = {{0.000999, 8},
                        {0.0009999999995, 8},
                        {100.0000001, 5},
                        {1, std::nextafter(s_max, 20)},
                        {1, std::nextafter(s_min, -1)},
                        {NAN, 5}};
  for (const auto& r : rejected) {
    ClearMessages();
    int code = 7;
    std::string caption;
    if97::REGION_PS(r.p, r.s, code, caption);
    EXPECT_EQ(code, 0) << r.p << ", " << r.s;
    EXPECT_EQ(caption, "Область недопустимых значений  \u0420 и S");
    EXPECT_EQ(if97::T_PS(r.p, r.s), FAILURE);
    EXPECT_EQ(messages(), std::vector<std::string>(2, kOutOfRange));
  }
}

TEST_F(RecordingTest, BoundsOfTheRangeAreAccepted) {
  EXPECT_EQ(Code(0.001, if97::s_pt(0.001, 1000)), 21);
  EXPECT_EQ(Code(100, if97::s_pt(100, 0)), 1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, CaptionsOfEveryCode) {
  struct {
    double p, s;
    int code;
    std::string caption;
  } const cases[] = {
      {1, 4, -1, "Область влажного пара"},
      {1, 1, 1, "Область недогретой воды"},
      {1, 7, 21, "Область перегретого пара (2a)"},
      {8, 6, 22, "Область перегретого пара (2b)"},
      {20, 5.75, 23, "Область перегретого пара (2\u0441)"},
      {25, 4.5, 3, "Околокритическая область (3)"},
      {1, if97::SSP_P(1), 4, "Линия насыщения (4)"},
  };
  for (const auto& c : cases) {
    int code = -99;
    std::string caption;
    if97::REGION_PS(c.p, c.s, code, caption);
    EXPECT_EQ(code, c.code) << c.p << ", " << c.s;
    EXPECT_EQ(caption, c.caption);
  }
  EXPECT_TRUE(messages().empty());
}

TEST(RegionPs, BoundariesBetweenRegions) {
  MessageRecorder recorder;
  EXPECT_EQ(Code(4, if97::SSP_P(4)), 4);
  EXPECT_EQ(Code(4, if97::SSP_P(4) + 0.01), 21);
  EXPECT_EQ(Code(4.0001, if97::SSP_P(4.0001) + 0.01), 22);
  EXPECT_EQ(Code(6.5467, if97::SSP_P(6.5467) + 0.001), 22);
  // Above 6.5467 MPa the entropy of saturated steam at 6.5467 MPa (about
  // 5.848) separates 2c from 2b, not the standard's 5.85.
  const double s_bc = if97::SSP_P(6.5467);
  EXPECT_NEAR(s_bc, 5.848, 5e-4);
  EXPECT_EQ(Code(10, std::nextafter(s_bc, 0)), 23);
  EXPECT_EQ(Code(10, s_bc), 22);
  EXPECT_EQ(Code(10, 5.849), 22);
  // 16.5292 MPa is still bounded by the saturation line.
  const double p = if97::kB23LowestPressure;
  EXPECT_EQ(Code(p, if97::SSW_P(p) - 0.01), 1);
  EXPECT_EQ(Code(p, if97::SSW_P(p) + 0.01), -1);
  EXPECT_EQ(Code(p, if97::SSP_P(p) + 0.01), 23);
  // Above it the 350 degC isotherm bounds region 1, and the B23 line belongs
  // to sub-region 2c.
  const double s350 = if97::s_pt(20, 350);
  EXPECT_EQ(Code(20, s350), 1);
  EXPECT_EQ(Code(20, std::nextafter(s350, 10)), 3);
  const double s_b23 = if97::s_pt(25, TB23(25));
  EXPECT_EQ(Code(25, s_b23), 23);
  EXPECT_EQ(Code(25, std::nextafter(s_b23, 0)), 3);
  EXPECT_TRUE(recorder.messages().empty());
}

// ---- wet steam and the saturation line -------------------------------------

TEST_F(RecordingTest, WetSteamTakesTheSaturationTemperature) {
  const double p = 1;
  const double s_water = if97::SSW_P(p);
  const double s_steam = if97::SSP_P(p);
  const double s = 0.6 * s_water + 0.4 * s_steam;
  const double x = (s - s_water) / (s_steam - s_water);
  EXPECT_EQ(if97::T_PS(p, s), if97::TS_P(p));
  EXPECT_DOUBLE_EQ(if97::H_PS(p, s), if97::H_PX(p, x));
  EXPECT_DOUBLE_EQ(if97::V_PS(p, s), if97::V_PX(p, x));
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, WetSteamNearTheCriticalPointComesFromTheBand) {
  const double p = 20;
  const double s = 0.5 * (if97::SSW_P(p) + if97::SSP_P(p));
  EXPECT_EQ(Code(p, s), 3);
  EXPECT_EQ(if97::T_PS(p, s), if97::TS_P(p));
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, SaturatedSteamIsReportedByEachFunction) {
  const double p = 1;
  const double s = if97::SSP_P(p);
  EXPECT_EQ(if97::T_PS(p, s), if97::TS_P(p));
  EXPECT_EQ(if97::H_PS(p, s), if97::H_PX(p, 1));
  EXPECT_EQ(if97::V_PS(p, s), if97::V_PX(p, 1));
  EXPECT_EQ(messages(), std::vector<std::string>(3, kOnSaturationLine));
}

TEST_F(RecordingTest, ZeroEntropyAboveTheCriticalPressureIsWater) {
  // s' and s'' are left 0 above the critical pressure; zero entropy is liquid
  // water there, not the saturation line.
  EXPECT_EQ(Code(30, 0), 1);
  EXPECT_EQ(Code(50, 0), 1);
  EXPECT_NEAR(if97::T_PS(50, 0), 0.065, 0.025);
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, RejectedStateIsReportedAgainByEachFollower) {
  // H_PS repeats T_PS's message and returns the failure value without
  // evaluating a property at it.
  EXPECT_EQ(if97::H_PS(1, 13), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{kOutOfRange});
}

TEST_F(RecordingTest, BackwardTemperatureAcrossTheLineKeepsThePhaseProperties) {
  // Beside s' and s'' at 1 MPa the region-1 and 2a backward equations return
  // temperatures on the far side of the saturation temperature, where h_pt
  // and v_pt would give the other phase.
  const double p = 1;
  const double ts = if97::TS_P(p);
  const double liquid = std::nextafter(if97::SSW_P(p), 0);
  ASSERT_GT(if97::T_PS(p, liquid), ts);
  EXPECT_EQ(if97::H_PS(p, liquid), if97::H_PX(p, 0));
  EXPECT_EQ(if97::V_PS(p, liquid), if97::V_PX(p, 0));
  const double steam = std::nextafter(if97::SSP_P(p), 10);
  ASSERT_LT(if97::T_PS(p, steam), ts);
  EXPECT_EQ(if97::H_PS(p, steam), if97::H_PX(p, 1));
  EXPECT_EQ(if97::V_PS(p, steam), if97::V_PX(p, 1));
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, NearCriticalEntropiesBesideTheSaturatedValuesGiveTheSaturationTemperature) {
  for (const double p : {16.6, 21.0, 22.064}) {
    const double ts = if97::TS_P(p);
    EXPECT_NEAR(if97::T_PS(p, std::nextafter(if97::SSW_P(p), 0)), ts, 1e-9) << p;
    EXPECT_NEAR(if97::T_PS(p, std::nextafter(if97::SSP_P(p), 10)), ts, 1e-9) << p;
  }
  EXPECT_TRUE(messages().empty());
}

// ---- consistency with the forward functions --------------------------------

// A state at 0 degC, or at 800 degC above 10 MPa, may come back from the
// backward equations a few millikelvin outside the range of h_pt and v_pt;
// the followers evaluate it at the bound.
TEST_F(RecordingTest, StatesOnTheCalculatorsTemperatureBoundsKeepTheirProperties) {
  for (const double p : {0.1, 1.0, 3.0, 10.5, 20.0, 50.0, 100.0}) {
    SCOPED_TRACE(p);
    for (const double t : {0.0, 800.0}) {
      const double s = if97::s_pt(p, t);
      EXPECT_NEAR(if97::T_PS(p, s), t, 0.025);
      EXPECT_NEAR(if97::H_PS(p, s), if97::h_pt(p, t), 0.1);
      EXPECT_NEAR(if97::V_PS(p, s), if97::v_pt(p, t), 1e-4 * if97::v_pt(p, t));
    }
  }
  EXPECT_TRUE(messages().empty());
}

TEST(ConsistencyPs, TemperatureOfRegions1And2IsReturned) {
  MessageRecorder recorder;
  for (const double p : {0.001, 0.01, 0.1, 1.0, 3.0, 4.0, 5.0, 6.5467, 8.0, 10.0, 14.0, 16.5292,
                         25.0, 40.0, 60.0, 80.0, 100.0}) {
    const double ts = p <= if97::kCriticalPressure ? if97::TS_P(p) : -1;
    for (double t = 1; t <= 800; t += 7.3) {
      if (std::fabs(t - ts) <= 0.1) continue;
      int region = 0;
      std::string caption;
      if97::REGION_PT(p, t, region, caption);
      if (region != 1 && region != 2) continue;
      const double s = if97::s_pt(p, t);
      const int code = Code(p, s);
      const double result = if97::T_PS(p, s);
      if (code == 22) {
        EXPECT_LT(std::fabs(if97::s_pt(p, result) - s), kIteration2bTolerance * s)
            << "p = " << p << ", t = " << t;
        continue;
      }
      const double allowed = code == 1    ? kRegion1Deviation
                             : code == 21 ? kRegion2aDeviation
                                          : kRegion2cDeviation;
      EXPECT_LE(std::fabs(result - t), allowed)
          << "p = " << p << ", t = " << t << ", code " << code;
    }
  }
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(ConsistencyPs, NearCriticalIterationReturnsTheTemperatureOfRegion3) {
  MessageRecorder recorder;
  struct {
    double p, t;
  } const points[] = {{17, 352}, {20, 360}, {20, 370}, {22.064, 373}, {22.064, 375},
                      {23, 376}, {25, 380}, {30, 400}, {50, 450},     {100, 585}};
  for (const auto& pt : points) {
    const double s = if97::s_pt(pt.p, pt.t);
    ASSERT_EQ(Code(pt.p, s), 3) << pt.p << ", " << pt.t;
    const double t = if97::T_PS(pt.p, s);
    EXPECT_NEAR(if97::s_pt(pt.p, t), s, kIteration3Tolerance * s) << pt.p << ", " << pt.t;
    EXPECT_NEAR(t, pt.t, 0.01) << pt.p << ", " << pt.t;
  }
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(FloatingPoint, ValidStatesRaiseNoFlag) {
  // Beside every boundary the square roots of B2bc and B23 are taken only
  // where their arguments are positive.
  MessageRecorder recorder;
  struct {
    double p, s;
  } const states[] = {{0.001, 12},    {1, 2.1384}, {4, 6.07},      {4.0001, 6.1},
                      {6.5467, 5.85}, {10, 5.849}, {16.5292, 3.8}, {20, 4.5},
                      {22.064, 4.41}, {25, 4.5},   {100, -0.0085}, {100, 6.5}};
  for (const auto& st : states) {
    std::feclearexcept(FE_ALL_EXCEPT);
    if97::T_PS(st.p, st.s);
    if97::H_PS(st.p, st.s);
    if97::V_PS(st.p, st.s);
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0)
        << st.p << ", " << st.s;
  }
}

}  // namespace
