// The state from (p, h) and from (p, s) in the near-critical band above
// 16.5 MPa, from below the 350 degC isotherm to beyond the B23 line: where
// regions 1, 2 and 3 meet only to within their consistency, near the lowest
// B23 pressure and near the critical point. Every state comes back at its
// temperature without a message, and no call shows more than one.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cmath>
#include <string>
#include <vector>

#include "message_recorder.h"

namespace {

using if97::FAILURE;

// The permissible deviation of the IAPWS-IF97 backward equations (regions 1
// and 2c); the near-critical iterations stop within a relative 1e-5 of h or
// 1e-6 of s, a few millikelvins at most.
constexpr double kBackwardDeviation = 0.025;  // K

// IAPWS-IF97 eq. 6 (Table 1) in degC.
double TB23(double p) {
  return 0.57254459862746e3 + std::sqrt((p - 0.13918839778870e2) / 0.10192970039326e-2) - 273.15;
}

// Pressures dense near 16.53 MPa (the lowest B23 pressure and the
// saturation pressure at 350 degC) and near the critical pressure, and over
// the bands at 19-25, 50-78 and 94-100 MPa where region 3 starts below the
// region-1 volume at 350 degC.
const double kPressures[] = {
    16.5293, 16.53, 16.535,  16.54,      16.55,     16.57,  16.6,    16.61, 17,   19, 20, 21,
    22,      22.06, 22.0639, 22.0639741, 22.06399,  22.064, 22.0641, 22.1,  22.5, 23, 24, 25,
    30,      40,    50,      60,         60.141134, 64.53,  70,      78,    90,   94, 97, 100};

// Temperatures from 340 degC to 20 K beyond the B23 line: dense just above
// 350 degC, on both sides of B23 and of the saturation line.
std::vector<double> Temperatures(double p) {
  std::vector<double> t = {340, 345, 349.9, 349.99};
  for (const double d : {0.0, 1e-6, 1e-4, 1e-3, 2e-3, 5e-3, 8e-3, 0.012, 0.02, 0.05, 0.1, 0.5}) {
    t.push_back(350 + d);
  }
  const double tb23 = TB23(p);
  for (int i = 1; i < 12; ++i) t.push_back(350 + (tb23 - 350) * i / 12);
  for (const double d : {-1.0, -0.1, -1e-3, -1e-5, 1e-5, 1e-3, 0.1, 1.0, 20.0}) {
    t.push_back(tb23 + d);
  }
  if (p < if97::kCriticalPressure) {
    const double ts = if97::TS_P(p);
    for (const double d : {-1e-3, -1e-6, 1e-6, 1e-3}) t.push_back(ts + d);
  }
  return t;
}

using NearCriticalBandTest = RecordingTest;

TEST_F(NearCriticalBandTest, EveryStateComesBackAtItsTemperature) {
  int states = 0;
  for (const double p : kPressures) {
    for (const double t : Temperatures(p)) {
      SCOPED_TRACE(testing::Message() << "p = " << p << " MPa, t = " << t << " degC");
      const double h = if97::h_pt(p, t);
      const double s = if97::s_pt(p, t);
      ASSERT_TRUE(messages().empty());
      EXPECT_NEAR(if97::T_PH(p, h), t, kBackwardDeviation);
      EXPECT_NEAR(if97::T_PS(p, s), t, kBackwardDeviation);
      EXPECT_NE(if97::S_PH(p, h), FAILURE);
      EXPECT_GT(if97::V_PH(p, h), 0);
      EXPECT_NE(if97::H_PS(p, s), FAILURE);
      EXPECT_GT(if97::V_PS(p, s), 0);
      EXPECT_TRUE(messages().empty());
      ClearMessages();
      ++states;
    }
  }
  EXPECT_GT(states, 1300);
}

// Values in the gap between two regions at a boundary: beyond every value of
// region 3 and short of the neighbouring region's value there. No state has
// them; the boundary temperature, where the two regions meet to within their
// consistency, is the answer.
TEST_F(NearCriticalBandTest, ValueBetweenTwoRegionsGivesTheBoundaryTemperature) {
  const struct {
    bool entropy;
    double p;
    double y;
    double boundary;  // degC
  } cases[] = {
      {true, 30, 5.1472, TB23(30)},   // s3 = 5.14714, s2 = 5.14731 on B23
      {false, 30, 2611.8, TB23(30)},  // h3 = 2611.733, h2 = 2611.855 on B23
      {true, 16.54, 3.7781, 350},     // s1 = 3.77809 below s3 = 3.77813 at 350 degC
      {false, 16.54, 1670.77, 350},   // h1 = 1670.755 below h3 = 1670.786 at 350 degC
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.p << ", " << c.y);
    const bool at_b23 = c.boundary != 350;
    const int k = at_b23 ? 2 : 1;
    const double region3 =
        c.entropy ? if97::S3_PT(k, c.p, c.boundary) : if97::H3_PT(k, c.p, c.boundary);
    const double neighbour = c.entropy ? if97::s_pt(c.p, c.boundary) : if97::h_pt(c.p, c.boundary);
    ASSERT_GT(c.y, std::min(region3, neighbour));
    ASSERT_LT(c.y, std::max(region3, neighbour));
    EXPECT_LT(std::fabs(region3 - neighbour), 5e-5 * c.y);
    // Within the iteration's tolerance of the boundary value the interpolation
    // itself may end first, a fraction of a millikelvin off.
    EXPECT_NEAR(c.entropy ? if97::T_PS(c.p, c.y) : if97::T_PH(c.p, c.y), c.boundary, 1e-3);
  }
  EXPECT_TRUE(messages().empty());
}

// Over the row's whole range of enthalpy at near-critical and higher
// pressures no call shows more than one message (once S_PH showed 10 003).
TEST_F(NearCriticalBandTest, NoCallShowsMoreThanOneMessage) {
  for (const double p : kPressures) {
    for (double h = 1400; h <= 3300; h += 40) {
      for (auto* f : {if97::T_PH, if97::S_PH, if97::V_PH}) {
        ClearMessages();
        f(p, h);
        EXPECT_LE(messages().size(), 1u) << p << ", " << h;
      }
    }
    for (double s = 3.2; s <= 6.4; s += 0.05) {
      for (auto* f : {if97::T_PS, if97::H_PS, if97::V_PS}) {
        ClearMessages();
        f(p, s);
        EXPECT_LE(messages().size(), 1u) << p << ", " << s;
      }
    }
  }
}

}  // namespace
