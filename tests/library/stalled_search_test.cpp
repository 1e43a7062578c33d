// The temperature iterations on the forward enthalpy or entropy (T_PH3, T_PS3,
// T_PS2b) end at once, with their one message and the failure value, when the
// bracket comes back unchanged, after one step or a short cycle: every later
// step would repeat those up to the step limit (20000 or 15000 near-critical h_pt or s_pt
// evaluations, a freeze of seconds to minutes) and then fail all the same.
// Where the iteration meets its tolerance nothing changes.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cmath>
#include <string>
#include <vector>

#include "message_recorder.h"

namespace {

using if97::FAILURE;

using StalledSearchTest = RecordingTest;

// States that once stalled the near-critical iterations: just below the
// critical pressure the saturated-steam values came from the liquid root, so
// wet steam was taken for a single phase; at the critical pressure itself an
// entropy of 4.412 lies within one unit in the last place of the critical
// temperature. Each is now wet steam or found on the band's ends, quietly.
struct Stalled {
  double p;
  double x;  // h in kJ/kg or s in kJ/(kg K)
};

TEST_F(StalledSearchTest, NearCriticalWetSteamTakesTheSaturationTemperature) {
  const Stalled enthalpies[] = {{22.063999, 2087.5}, {22.063999, 2087.3}, {22.06398, 2088}};
  for (const auto& c : enthalpies) {
    EXPECT_EQ(if97::T_PH(c.p, c.x), if97::TS_P(c.p)) << c.p << ", " << c.x;
  }
  EXPECT_EQ(if97::T_PS(22.064, 4.412), if97::TS_P(22.064));
  // Just above the saturated-steam entropy 4.41229. Within a few nanokelvins
  // above the saturation temperature region 3 still has only its liquid-like
  // root there; its vapour root appears, with these entropies, at the
  // temperature returned.
  for (const double s : {4.4123, 4.4124}) {
    const double t = if97::T_PS(22.063999, s);
    EXPECT_GT(t, if97::TS_P(22.063999));
    EXPECT_LT(t, if97::TS_P(22.063999) + 1e-8);
    EXPECT_LT(if97::s_pt(22.063999, t), s);
    EXPECT_GT(if97::s_pt(22.063999, std::nextafter(t, 400.0)), s);
  }
  EXPECT_TRUE(messages().empty());
}

// A state that no step can reach still ends with one message per call.
TEST_F(StalledSearchTest, TheRowOfAStateOutsideTheBandShowsOneMessagePerCall) {
  EXPECT_EQ(if97::T_PH3(30, 5000), FAILURE);
  EXPECT_EQ(if97::T_PS3(30, 8), FAILURE);
  EXPECT_EQ(if97::T_PH3(10, 2000), FAILURE);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Невозможно определить температуру в околокритической области Т_PH3",
                            "Невозможно определить значение температуры T_PS3",
                            "Невозможно определить температуру в околокритической области Т_PH3"}));
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
