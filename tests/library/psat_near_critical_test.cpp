// Saturation pressure from entropy or enthalpy near the critical point, where
// the saturation properties carry rounding noise far above the searches'
// tolerances: the searches end on their best point, quietly and quickly.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cfenv>
#include <cmath>

#include "message_recorder.h"

namespace {

using if97::FAILURE;

constexpr double kPc = if97::kCriticalPressure;  // MPa
constexpr int kFpFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// The noise of the near-critical saturation enthalpies is up to ~5e-4 kJ/kg.
constexpr double kNearCriticalEnthalpy = 1e-3;  // kJ/kg
constexpr double kNearCriticalEntropy = 1e-6;   // kJ/(kg K)

TEST_F(RecordingTest, NearCriticalEnthalpiesFindTheirState) {
  double p_left = FAILURE;
  double p_right = FAILURE;
  if97::PS_H(2086, p_left, p_right);  // saturated water
  EXPECT_EQ(p_left, p_right);
  EXPECT_NEAR(if97::HSW_P(p_left), 2086, kNearCriticalEnthalpy);
  for (const double h : {2090.0, 2100.0, 2130.0}) {  // saturated steam, one root
    SCOPED_TRACE(h);
    p_left = p_right = FAILURE;
    if97::PS_H(h, p_left, p_right);
    EXPECT_EQ(p_left, p_right);
    EXPECT_NEAR(if97::HSP_P(p_left), h, kNearCriticalEnthalpy);
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, EnthalpySweepIsQuietAndFindsEveryState) {
  std::feclearexcept(FE_ALL_EXCEPT);
  const double h_c = if97::HSW_P(kPc);
  const double h_b = if97::HSP_P(kPc);
  for (int i = 0; i <= 120; ++i) {
    const double h = 2080 + i;
    SCOPED_TRACE(h);
    double p_left = FAILURE;
    double p_right = FAILURE;
    if97::PS_H(h, p_left, p_right);
    EXPECT_LE(messages().size(), 1u);
    ClearMessages();
    EXPECT_EQ(p_left, p_right);  // one root all through this band
    EXPECT_GT(p_left, 21.9);
    EXPECT_LE(p_left, kPc);
    // Between the critical water and steam enthalpies: the critical pressure.
    if (h > h_c && h <= h_b) {
      EXPECT_EQ(p_left, kPc);
    } else {
      EXPECT_NEAR(h < h_c ? if97::HSW_P(p_left) : if97::HSP_P(p_left), h, kNearCriticalEnthalpy);
    }
  }
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

TEST_F(RecordingTest, EntropySweepIsQuietAndFindsEveryState) {
  std::feclearexcept(FE_ALL_EXCEPT);
  const double s_c = if97::SSW_P(kPc);
  for (int i = 0; i <= 20; ++i) {
    const double s = 4.35 + 0.005 * i;
    SCOPED_TRACE(s);
    const double p = if97::PS_S(s);
    EXPECT_LE(messages().size(), 1u);
    ClearMessages();
    EXPECT_GT(p, 22);
    EXPECT_LE(p, kPc);
    if (s > s_c && s <= 4.412) {
      EXPECT_EQ(p, kPc);  // between the critical water entropy and the split
    } else {
      EXPECT_NEAR(s < 4.412 ? if97::SSW_P(p) : if97::SSP_P(p), s, kNearCriticalEntropy);
    }
  }
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

}  // namespace
