// The temperature iterations on the forward enthalpy or entropy (T_PH3, T_PS3,
// T_PS2b) end at once, with their one message and the failure value, when the
// new point is the bracket end it replaces: every later step would repeat
// that one up to the step limit (20000 or 15000 near-critical h_pt or s_pt
// evaluations, a freeze of seconds to minutes) and then fail all the same.
// Where the iteration meets its tolerance nothing changes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "if97.h"
#include "message_recorder.h"

namespace {

using if97::FAILURE;

using StalledSearchTest = RecordingTest;

// Just below the critical pressure the vapour-side enthalpy and entropy of
// region 3 jump by more than the tolerance between neighbouring temperatures
// (the bracket walk meets another root of the equation of state), and at the
// critical pressure itself an entropy of 4.412 lies within one unit in the
// last place of the critical temperature; no double temperature meets the
// tolerance.
struct Stalled {
  double p;
  double x;  // h in kJ/kg or s in kJ/(kg K)
};

TEST_F(StalledSearchTest, NearCriticalEnthalpyFailsOnceWithoutIterating) {
  const Stalled cases[] = {{22.063999, 2087.5}, {22.063999, 2087.3}, {22.06398, 2088}};
  for (const auto& c : cases) {
    ClearMessages();
    EXPECT_EQ(if97::T_PH(c.p, c.x), FAILURE) << c.p << ", " << c.x;
    EXPECT_EQ(messages(),
              std::vector<std::string>{
                  "Невозможно определить температуру в околокритической области Т_PH3"});
  }
}

TEST_F(StalledSearchTest, NearCriticalEntropyFailsOnceWithoutIterating) {
  const Stalled cases[] = {{22.064, 4.412}, {22.063999, 4.4123}, {22.063999, 4.4124}};
  for (const auto& c : cases) {
    ClearMessages();
    EXPECT_EQ(if97::T_PS(c.p, c.x), FAILURE) << c.p << ", " << c.x;
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Невозможно определить значение температуры T_PS3"});
  }
}

// The row of the window: T_PS, then H_PS and V_PS, each of which repeats
// T_PS's message and returns the failure value without evaluating a property
// at it.
TEST_F(StalledSearchTest, TheRowShowsOneMessagePerCall) {
  if97::T_PS(22.064, 4.412);
  if97::H_PS(22.064, 4.412);
  if97::V_PS(22.064, 4.412);
  EXPECT_EQ(messages().size(), 3u);
}

// Where the iterations converge they converge as before: to their tolerance,
// on the forward function.
TEST_F(StalledSearchTest, ConvergingIterationsMeetTheirTolerance) {
  for (const double p : {20.0, 21.9, 22.0639, 22.0641, 25.0}) {
    for (const double h : {1800.0, 2050.0, 2086.0, 2150.0, 2300.0}) {
      const double t = if97::T_PH(p, h);
      int code = 0;
      std::string caption;
      if97::REGION_PH(p, h, code, caption);
      if (code != 3 || t == if97::TS_P(p)) continue;
      EXPECT_LT(std::fabs(if97::h_pt(p, t) - h), 1e-5 * h) << p << ", " << h;
    }
    for (const double s : {4.0, 4.3, 4.41, 4.45, 4.7}) {
      const double t = if97::T_PS(p, s);
      int code = 0;
      std::string caption;
      if97::REGION_PS(p, s, code, caption);
      if (code != 3 || t == if97::TS_P(p)) continue;
      EXPECT_LT(std::fabs(if97::s_pt(p, t) - s), 1e-6 * s) << p << ", " << s;
    }
  }
  EXPECT_TRUE(messages().empty());
}

// Within a few units in the last place above 4 MPa the saturation
// temperature is that of 4 MPa, where sub-region 2b's iteration starts: the
// start takes the saturated-water entropy instead of reporting the
// saturation line.
TEST_F(StalledSearchTest, SubRegion2bStartsOnTheSaturationLineWithoutAMessage) {
  const double p = std::nextafter(4.0, 5.0);
  ASSERT_EQ(if97::TS_P(p), if97::TS_P(4));
  for (const double s : {6.2, 6.5, 7.0}) {
    const double t = if97::T_PS(p, s);
    EXPECT_LT(std::fabs(if97::s_pt(p, t) - s), 1e-10 * s) << s;
    EXPECT_NEAR(t, if97::T_PS(4.0001, s), 0.01) << s;
  }
  EXPECT_TRUE(messages().empty());
  // Above the entropy at 1000 degC (up to 10 MPa the formulation reaches
  // 1000 degC): the range message.
  EXPECT_EQ(if97::T_PS(p, 12), FAILURE);
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Заданные значения \u0420 и S выходят за пределы допустимых"});
}

}  // namespace
