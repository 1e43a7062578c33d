// Saturation line, region selection and the dispatchers by (p, t).
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "message_recorder.h"
#include "verification.h"

namespace {

using if97::FAILURE;

const std::string kOutOfRange = "Значения давления и температуры выходят за допустимые пределы";
constexpr int kFloatingPointFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// ---- PowInt ---------------------------------------------------------------

TEST(PowInt, ZeroExponentNegativeExponentAndIdentity) {
  EXPECT_EQ(if97::PowInt(0, 0), 1.0);
  EXPECT_EQ(if97::PowInt(-7.5, 0), 1.0);
  EXPECT_EQ(if97::PowInt(2, -3), 0.125);
  EXPECT_EQ(if97::PowInt(0.3, 1), 0.3);
  EXPECT_EQ(if97::PowInt(-2, 5), -32.0);
}

// ---- TS_P and PS_T --------------------------------------------------------

struct SaturationPoint {
  double input;
  double published;
  int digits;
};

// IAPWS-IF97 Table 36 (T_s at 0.1, 1, 10 MPa: 372.755919, 453.035632, 584.149488 K).
TEST(SaturationLine, Table36Temperatures) {
  const SaturationPoint rows[] = {{0.1, 372.755919, 9}, {1, 453.035632, 9}, {10, 584.149488, 9}};
  for (const auto& row : rows) {
    EXPECT_TRUE(MatchesPublished(if97::TS_P(row.input) + 273.15, row.published, row.digits))
        << "p = " << row.input;
  }
}

// IAPWS-IF97 Table 35 (p_s at 300, 500, 600 K).
TEST(SaturationLine, Table35Pressures) {
  const SaturationPoint rows[] = {
      {26.85, 0.00353658941, 9}, {226.85, 2.63889776, 9}, {326.85, 12.3443146, 9}};
  for (const auto& row : rows) {
    EXPECT_TRUE(MatchesPublished(if97::PS_T(row.input), row.published, row.digits))
        << "t = " << row.input;
  }
}

TEST(SaturationLine, CriticalPointAndLowestB23Pressure) {
  EXPECT_NEAR(if97::TS_P(22.064), 373.946, 1e-8);
  EXPECT_NEAR(if97::TS_P(16.5292), 350.00018, 5e-6);
  EXPECT_NEAR(if97::PS_T(350), 16.529164, 5e-7);
}

TEST(SaturationLine, ContinuedAboveTheCriticalPressure) {
  EXPECT_NEAR(if97::TS_P(25), 376.99, 0.005);
  EXPECT_NEAR(if97::TS_P(100), 377.017, 0.0005);
}

// The region-3 saturation search recognises a point of the line only within a
// relative 1e-14, so TS_P must invert PS_T at least that well.
TEST(SaturationLine, TemperatureFromPressureInvertsPressureFromTemperature) {
  constexpr int kPoints = 120000;
  constexpr double kFrom = 350;
  constexpr double kTo = 373.946;
  double worst = 0;
  double worst_t = kFrom;
  for (int i = 0; i <= kPoints; ++i) {
    const double t = kFrom + (kTo - kFrom) * i / kPoints;
    const double error = std::fabs(if97::TS_P(if97::PS_T(t)) - t) / t;
    if (error > worst) {
      worst = error;
      worst_t = t;
    }
  }
  EXPECT_LT(worst, 1e-14) << "at t = " << worst_t;
}

TEST_F(RecordingTest, SaturationTemperatureBelowItsRangeRaisesAFaultAndNoMessage) {
  for (const double p : {0.0, -1.0, 1e-10}) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const double ts = if97::TS_P(p);
    EXPECT_NE(std::fetestexcept(FE_INVALID | FE_DIVBYZERO), 0) << "p = " << p;
    EXPECT_FALSE(std::isfinite(ts)) << "p = " << p;
  }
  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_TRUE(messages().empty());
}

// ---- REGION_PT ------------------------------------------------------------

struct RegionCase {
  double p;
  double t;
  int code;
};

class RegionPt : public ::testing::TestWithParam<RegionCase> {};

TEST_P(RegionPt, Classifies) {
  MessageRecorder recorder;
  int code = -99;
  std::string caption;
  if97::REGION_PT(GetParam().p, GetParam().t, code, caption);
  EXPECT_EQ(code, GetParam().code);
  if (GetParam().code == 0) {
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{kOutOfRange});
  } else {
    EXPECT_TRUE(recorder.messages().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Listed, RegionPt,
                         ::testing::Values(RegionCase{100, 0, 1}, RegionCase{16.5292, 350, 1},
                                           RegionCase{16.5292, 350.0001, 31}, RegionCase{5, 300, 2},
                                           RegionCase{10.0000001, 800, 2}, RegionCase{100, 800, 2},
                                           RegionCase{25, 450, 2}, RegionCase{20, 360, 31},
                                           RegionCase{20, 370, 32}, RegionCase{22.064, 373, 31},
                                           RegionCase{22.064, 374, 32}, RegionCase{25, 380, 3},
                                           RegionCase{30, 400, 3}, RegionCase{10, 1000, 5},
                                           RegionCase{0.001, 1000, 5}, RegionCase{10, 800, 2},
                                           RegionCase{10, 800.0000001, 5}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, RegionPt,
    ::testing::Values(RegionCase{0, 20, 0}, RegionCase{1, -0.5, 0},
                      RegionCase{10.0000001, 800.01, 0}, RegionCase{100.1, 20, 0},
                      RegionCase{1, 1000.5, 0}, RegionCase{-1, 20, 0},
                      RegionCase{std::numeric_limits<double>::quiet_NaN(), 20, 0},
                      RegionCase{1, std::numeric_limits<double>::quiet_NaN(), 0}));

// States in range that none of the five tests claims get a neighbour's code.
INSTANTIATE_TEST_SUITE_P(
    Unclaimed, RegionPt,
    ::testing::Values(RegionCase{16.52919, 350.0001, 31},  // below the lowest B23 pressure
                      RegionCase{10.0000001, 800.0000000000005, 2},  // just above 800 degC
                      RegionCase{100, 800.000000000001, 2}));

TEST_F(RecordingTest, RegionPtOnTheSaturationLine) {
  int code = -99;
  std::string caption;
  if97::REGION_PT(1, if97::TS_P(1), code, caption);
  EXPECT_EQ(code, 4);
  EXPECT_EQ(caption, "Линия насыщения (4)");
  if97::REGION_PT(20, if97::TS_P(20), code, caption);
  EXPECT_EQ(code, 4);
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, RegionPtCaptions) {
  int code = -99;
  std::string caption;
  if97::REGION_PT(1, 20, code, caption);
  EXPECT_EQ(caption, "Область Воды (1)");
  if97::REGION_PT(1, 200, code, caption);
  EXPECT_EQ(caption, "Область перегретого пара (2)");
  if97::REGION_PT(25, 380, code, caption);
  EXPECT_EQ(caption, "Околокритическая область (3)");
  if97::REGION_PT(1, 900, code, caption);
  EXPECT_EQ(caption, "Область высоких температур (5)");
  if97::REGION_PT(1, 1001, code, caption);
  EXPECT_EQ(caption, "Область недопустимых значений Р и Т");
  // Codes 31 and 32 write no caption.
  caption = "прежний";
  if97::REGION_PT(20, 360, code, caption);
  EXPECT_EQ(code, 31);
  if97::REGION_PT(20, 370, code, caption);
  EXPECT_EQ(code, 32);
  EXPECT_EQ(caption, "прежний");
  EXPECT_EQ(messages(), std::vector<std::string>{kOutOfRange});
}

TEST_F(RecordingTest, RegionPtRejectsWithOneMessageAndNoFault) {
  std::feclearexcept(FE_ALL_EXCEPT);
  int code = -99;
  std::string caption;
  if97::REGION_PT(0, 20, code, caption);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(messages(), std::vector<std::string>{kOutOfRange});
  EXPECT_EQ(std::fetestexcept(kFloatingPointFaults), 0);
}

// ---- dispatchers ----------------------------------------------------------

TEST(Dispatchers, CallTheRegionOfTheState) {
  EXPECT_EQ(if97::h_pt(3, 26.85), if97::HW_PT(3, 26.85));
  EXPECT_EQ(if97::s_pt(5, 300), if97::SP_PT(5, 300));
  EXPECT_EQ(if97::v_pt(10, 1000), if97::V5_PT(10, 1000));
  EXPECT_EQ(if97::h_pt(20, 360), if97::H3_PT(1, 20, 360));
  EXPECT_EQ(if97::s_pt(20, 370), if97::S3_PT(2, 20, 370));
  double v1 = 0;
  double v2 = 0;
  if97::VKR_PT(20, 370, v1, v2);
  EXPECT_EQ(if97::v_pt(20, 370), v2);
  if97::VKR_PT(20, 360, v1, v2);
  EXPECT_EQ(if97::v_pt(20, 360), v1);
  if97::VKR_PT(25, 380, v1, v2);
  EXPECT_EQ(if97::v_pt(25, 380), v1);
  EXPECT_EQ(if97::h_pt(25, 380), if97::H3_PT(1, 25, 380));
}

TEST_F(RecordingTest, SaturationLineMessageOncePerDispatcher) {
  const double ts = if97::TS_P(1);
  EXPECT_EQ(if97::h_pt(1, ts), FAILURE);
  EXPECT_EQ(if97::s_pt(1, ts), FAILURE);
  EXPECT_EQ(if97::v_pt(1, ts), FAILURE);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Вы попали на линию насыщения (h_pt)",
                                                  "Вы попали на линию насыщения (s_pt)",
                                                  "Вы попали на линию насыщения (v_pt)"}));
}

TEST_F(RecordingTest, OutOfRangeStateShowsOnlyTheRangeMessage) {
  EXPECT_EQ(if97::h_pt(1, 1000.5), FAILURE);
  EXPECT_EQ(if97::s_pt(1, 1000.5), FAILURE);
  EXPECT_EQ(if97::v_pt(1, 1000.5), FAILURE);
  EXPECT_EQ(messages(), (std::vector<std::string>(3, kOutOfRange)));
}

// 21 MPa, 350.002 degC: the region-3 volume lies below the region-1 volume at
// 350 degC, where the upward bracket walk starts; it is found below it.
TEST_F(RecordingTest, VolumeBelowTheWalkStartIsFoundWithoutAFault) {
  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_NEAR(if97::h_pt(21, 350.002), if97::HW_PT(21, 350), 0.1);
  EXPECT_NEAR(if97::s_pt(21, 350.002), if97::SW_PT(21, 350), 1e-4);
  EXPECT_NEAR(if97::v_pt(21, 350.002), if97::VW_PT(21, 350), 1e-7);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(std::fetestexcept(kFloatingPointFaults), 0);
}

// Every valid state must leave the floating-point fault flags clear: the
// window reports a raised flag as an error.
TEST_F(RecordingTest, ValidStatesRaiseNoFloatingPointFault) {
  std::vector<std::pair<double, double>> states;
  for (const double p : {0.0006, 0.001, 0.1, 1.0, 5.0, 10.0, 16.5, 30.0, 60.0, 100.0}) {
    for (double t = 0; t <= (p > 10 ? 800 : 1000); t += 12.5) states.emplace_back(p, t);
  }
  // Region 3 and its edges (each call runs the volume search).
  for (const double p : {16.6, 18.0, 20.0, 22.064, 25.0, 50.0, 100.0}) {
    for (const double t : {350.5, 360.0, 366.0, 373.0, 374.0, 380.0, 400.0, 500.0}) {
      states.emplace_back(p, t);
    }
  }
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const auto& [p, t] : states) {
    const double h = if97::h_pt(p, t);
    const double s = if97::s_pt(p, t);
    const double v = if97::v_pt(p, t);
    ASSERT_EQ(std::fetestexcept(kFloatingPointFaults), 0) << "p = " << p << ", t = " << t;
    EXPECT_TRUE(std::isfinite(h) && std::isfinite(s) && std::isfinite(v))
        << "p = " << p << ", t = " << t;
  }
  EXPECT_TRUE(messages().empty());
}

}  // namespace
