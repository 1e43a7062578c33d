// Saturated water and steam by pressure or temperature, and wet steam.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cfenv>
#include <string>
#include <vector>

#include "message_recorder.h"
#include "verification.h"

namespace {

using if97::FAILURE;

struct Bounded {
  double (*function)(double);
  const char* name;
};

const Bounded kByPressure[] = {{if97::HSW_P, "HSW_P"}, {if97::SSW_P, "SSW_P"},
                               {if97::VSW_P, "VSW_P"}, {if97::HSP_P, "HSP_P"},
                               {if97::SSP_P, "SSP_P"}, {if97::VSP_P, "VSP_P"}};
const Bounded kByTemperature[] = {{if97::HSW_T, "HSW_T"}, {if97::SSW_T, "SSW_T"},
                                  {if97::VSW_T, "VSW_T"}, {if97::HSP_T, "HSP_T"},
                                  {if97::SSP_T, "SSP_T"}, {if97::VSP_T, "VSP_T"}};

// Saturated water at 1 MPa: region 1 (IAPWS-IF97 Table 2) at the Table 36
// saturation temperature 453.035632 K.
TEST(SaturationByPressure, SaturatedWaterAt1MPa) {
  EXPECT_TRUE(MatchesPublished(if97::HSW_P(1), 762.682844, 9));
  EXPECT_TRUE(MatchesPublished(if97::SSW_P(1), 2.13843135, 9));
  EXPECT_TRUE(MatchesPublished(if97::VSW_P(1), 0.00112723375, 9));
  EXPECT_EQ(if97::HSW_P(1), if97::HW_PT(1, if97::TS_P(1)));
  EXPECT_EQ(if97::HSP_P(1), if97::HP_PT(1, if97::TS_P(1)));
  EXPECT_EQ(if97::SSP_P(1), if97::SP_PT(1, if97::TS_P(1)));
  EXPECT_EQ(if97::VSP_P(1), if97::VP_PT(1, if97::TS_P(1)));
}

// The saturation line runs from 0 degC (0.000611213 MPa) to the critical
// point; both ends are evaluated, anything beyond them is refused.
TEST_F(RecordingTest, BoundsAreStrictAndEachFunctionNamesItself) {
  std::vector<std::string> expected;
  for (const auto& f : kByPressure) {
    EXPECT_NE(f.function(22.064), FAILURE) << f.name;
    EXPECT_NE(f.function(0.000611213), FAILURE) << f.name;
    EXPECT_EQ(f.function(22.0641), FAILURE) << f.name;
    EXPECT_EQ(f.function(0.0006112), FAILURE) << f.name;
    const std::string text =
        std::string("При данном давлении нет состояния насыщения (") + f.name + ")";
    expected.insert(expected.end(), {text, text});
  }
  for (const auto& f : kByTemperature) {
    EXPECT_NE(f.function(373.946), FAILURE) << f.name;
    EXPECT_NE(f.function(0), FAILURE) << f.name;
    EXPECT_EQ(f.function(373.947), FAILURE) << f.name;
    EXPECT_EQ(f.function(-100), FAILURE) << f.name;
    const std::string text =
        std::string("При данной температуре нет состояния насыщения (") + f.name + ")";
    expected.insert(expected.end(), {text, text});
  }
  EXPECT_EQ(messages(), expected);
}

TEST(SaturationByTemperature, SwitchesToRegion3Above350) {
  const double ps350 = if97::PS_T(350);
  EXPECT_EQ(if97::HSW_T(350), if97::HW_PT(ps350, 350));
  EXPECT_EQ(if97::HSP_T(350), if97::HP_PT(ps350, 350));
  const double ps = if97::PS_T(350.001);
  EXPECT_EQ(if97::HSW_T(350.001), if97::H3_PT(1, ps, 350.001));
  EXPECT_EQ(if97::SSP_T(350.001), if97::S3_PT(2, ps, 350.001));
  // TS_P(16.5292) = 350.00018 degC already lies above 350.
  EXPECT_EQ(if97::HSW_P(16.5292), if97::H3_PT(1, 16.5292, if97::TS_P(16.5292)));
  // Regions 1/2 and 3 meet within IAPWS-IF97's consistency at the switch.
  EXPECT_NEAR(if97::HSW_T(350), if97::HSW_T(350.0000001), 0.1);
  EXPECT_NEAR(if97::HSP_T(350), if97::HSP_T(350.0000001), 0.1);
}

// Above 350 degC both phases come from region 3. By temperature this relies on
// TS_P(PS_T(t)) being recognised as t, so water and steam must differ at every t.
TEST_F(RecordingTest, Region3SaturationGivesTwoPhasesAtEveryTemperature) {
  for (double t = 350.25; t < 373.9; t += 1.175) {
    EXPECT_LT(if97::HSW_T(t), if97::HSP_T(t)) << "t = " << t;
    EXPECT_LT(if97::SSW_T(t), if97::SSP_T(t)) << "t = " << t;
    EXPECT_LT(if97::VSW_T(t), if97::VSP_T(t)) << "t = " << t;
    const double p = if97::PS_T(t);
    EXPECT_NEAR(if97::HSW_P(p), if97::HSW_T(t), 1e-6) << "t = " << t;
    EXPECT_NEAR(if97::VSP_P(p), if97::VSP_T(t), 1e-12) << "t = " << t;
  }
  EXPECT_TRUE(messages().empty());
}

// Within 3e-5 MPa below the critical pressure the vapour and middle roots of
// the region-3 loop lie closer than one step of the bracket walk. Saturated
// steam keeps its own values there, distinct from the water values, and they
// run on continuously up to the critical pressure. The steam volume is a
// state of region 3 at (p, TS_P(p)): from about 22.06399 MPa up, where the
// saturation line passes just outside the loop, the state nearest to p,
// whose pressure falls short of p by less than 1e-9 MPa.
TEST_F(RecordingTest, SaturatedSteamRunsOnToTheCriticalPressure) {
  constexpr double kPc = if97::kCriticalPressure;
  constexpr int kSteps = 600;
  double h_before = if97::HSP_P(22.0639);
  double v_before = if97::VSP_P(22.0639);
  for (int i = 1; i <= kSteps; ++i) {
    const double p = 22.0639 + (kPc - 22.0639) * i / kSteps;
    SCOPED_TRACE(testing::Message() << "p = " << p);
    const double h_steam = if97::HSP_P(p);
    const double v_steam = if97::VSP_P(p);
    EXPECT_GT(h_steam - if97::HSW_P(p), 0.25);
    EXPECT_GT(v_steam - if97::VSW_P(p), 1e-6);
    EXPECT_GT(if97::SSP_P(p), if97::SSW_P(p));
    // Neighbours 1.7e-7 MPa apart: no jump like the 3 kJ/kg of the walk's liquid
    // root (the steepest steps, 0.07 kJ/kg, come where two roots merge).
    EXPECT_NEAR(h_steam, h_before, 0.1);
    EXPECT_NEAR(v_steam, v_before, 5e-7);
    h_before = h_steam;
    v_before = v_steam;
    const double t = if97::TS_P(p);
    const double p_state =
        if97::Z3_VT(v_steam, t) * (t + 273.15) * 0.461526 / v_steam / 1000;  // MPa
    EXPECT_NEAR(p_state, p, 1e-9);
    EXPECT_EQ(if97::HSP_T(t), if97::H3_PT(2, if97::PS_T(t), t));
  }
  // At the critical pressure the water root stays where it was; the steam
  // closes on the critical state of region 3, ρ = 322 kg/m3, h = 2087.55 kJ/kg.
  EXPECT_NEAR(if97::HSW_P(kPc), 2087.247992, 2e-6);
  EXPECT_NEAR(if97::HSP_P(kPc), 2087.5468, 0.002);
  EXPECT_NEAR(if97::VSP_P(kPc), 1 / 322.0, 1e-8);
  EXPECT_TRUE(messages().empty());
}

// ---- wet steam --------------------------------------------------------------

TEST(WetSteam, MixesSaturatedWaterAndSteamLinearly) {
  const double ts = if97::TS_P(1);
  EXPECT_EQ(if97::H_PX(1, 0), if97::HSW_T(ts));
  EXPECT_EQ(if97::H_PX(1, 1), if97::HSP_T(ts));
  EXPECT_DOUBLE_EQ(if97::H_PX(1, 0.5), (if97::HSW_T(ts) + if97::HSP_T(ts)) / 2);
  EXPECT_EQ(if97::S_PX(1, 1), if97::SSP_T(ts));
  EXPECT_DOUBLE_EQ(if97::S_PX(1, 0.25), 0.75 * if97::SSW_T(ts) + 0.25 * if97::SSP_T(ts));
  EXPECT_DOUBLE_EQ(if97::V_PX(1, 0.9), 0.1 * if97::VSW_T(ts) + 0.9 * if97::VSP_T(ts));
  const double ts20 = if97::TS_P(20);
  EXPECT_DOUBLE_EQ(if97::H_PX(20, 0.5), (if97::HSW_T(ts20) + if97::HSP_T(ts20)) / 2);
}

TEST_F(RecordingTest, WetSteamRejectsADrynessFractionOutsideZeroToOne) {
  EXPECT_EQ(if97::H_PX(1, -0.1), FAILURE);
  EXPECT_EQ(if97::H_PX(1, 1.1), FAILURE);
  EXPECT_EQ(if97::S_PX(30, 2), FAILURE);  // the pressure is not looked at
  EXPECT_EQ(if97::V_PX(1, -1e-12), FAILURE);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                "Степень сухости X<0 или X>1 в H_PX", "Степень сухости X<0 или X>1 в H_PX",
                "Степень сухости X<0 или X>1 в S_PX", "Степень сухости X<0 или X>1 в V_PX"}));
}

TEST_F(RecordingTest, WetSteamOffTheSaturationLineShowsTwoMessagesEach) {
  struct Case {
    double (*function)(double, double);
    const char* water;
    const char* steam;
  };
  const Case cases[] = {{if97::H_PX, "HSW_T", "HSP_T"},
                        {if97::S_PX, "SSW_T", "SSP_T"},
                        {if97::V_PX, "VSW_T", "VSP_T"}};
  const std::string prefix = "При данной температуре нет состояния насыщения (";
  for (const auto& c : cases) {
    ClearMessages();
    EXPECT_EQ(c.function(25, 0.5), FAILURE) << c.water;
    // Below the saturation pressure at 0 degC the saturation temperature is
    // below 0 degC, where the line does not exist either.
    EXPECT_EQ(c.function(0.0005, 0.5), FAILURE) << c.water;
    EXPECT_EQ(messages(),
              (std::vector<std::string>{prefix + c.water + ")", prefix + c.steam + ")",
                                        prefix + c.water + ")", prefix + c.steam + ")"}));
  }
}

TEST_F(RecordingTest, SaturationAtValidStatesRaisesNoFloatingPointFault) {
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const double p : {0.000612, 0.01, 1.0, 10.0, 16.5, 16.6, 20.0, 22.0, 22.064}) {
    for (const auto& f : kByPressure) f.function(p);
    if97::H_PX(p, 0.3);
  }
  for (const double t : {0.0, 0.01, 100.0, 300.0, 350.0, 350.01, 365.0, 373.9, 373.946}) {
    for (const auto& f : kByTemperature) f.function(t);
  }
  EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);
  EXPECT_TRUE(messages().empty());
}

}  // namespace
