// The whole state from one pair of quantities (if97_state.h): the classic
// functions' values to 1e-12 relative (cp, cv and w to 5e-12, where the
// double engine's sums cancel), consistent states from (p, h) and (p, s), and
// refusals as values without a message.
#include <gtest/gtest.h>
#include <if97/if97.h>
#include <if97/if97_state.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "message_recorder.h"

namespace {

using if97::FAILURE;
using if97::Phase;
using if97::State;
using if97::StateError;

constexpr double kConsistency = 1e-12;     // relative, forward value against the given one
constexpr double kAgreement = 1e-12;       // relative, against the classic functions
constexpr double kSlopeAgreement = 5e-12;  // cp, cv and w

// Within tolerance relative to b, or to floor where |b| is smaller (values
// near zero, such as h, u and s near 0 degC).
::testing::AssertionResult Close(double a, double b, double tolerance, double floor = 1) {
  if (std::fabs(a - b) <= tolerance * std::max(std::fabs(b), floor)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << ::testing::PrintToString(a) << " vs " << ::testing::PrintToString(b) << ", relative "
         << std::fabs(a - b) / std::fabs(b);
}

struct GridPoint {
  double p;
  double t;
};

// Pressures spaced by ratio over the range, temperatures by steps; region 3
// more densely.
std::vector<GridPoint> Grid() {
  std::vector<GridPoint> grid;
  for (int i = 0; i <= 40; ++i) {
    const double p = 0.001 * std::pow(1e5, i / 40.0);
    for (double t = 0.5; t <= 1000; t += 12.25) {
      if (p > 10 && t > 800) continue;
      grid.push_back({p, t});
    }
  }
  for (double p = 16.6; p <= 100; p += 4.7) {
    for (double t = 350.4; t < 420; t += 3.3) grid.push_back({p, t});
  }
  return grid;
}

// ---- state from (p, t) ---------------------------------------------------------

TEST(StatePT, ClassicValuesOverTheGrid) {
  const MessageRecorder recorder;
  std::feclearexcept(FE_ALL_EXCEPT);
  int region3 = 0;
  for (const GridPoint& g : Grid()) {
    SCOPED_TRACE(::testing::Message() << "p = " << g.p << ", t = " << g.t);
    int code = 0;
    std::string caption;
    if97::REGION_PT(g.p, g.t, code, caption);
    const if97::StateResult r = if97::state_pt(g.p, g.t);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.state.p, g.p);
    EXPECT_EQ(r.state.t, g.t);
    EXPECT_TRUE(Close(r.state.h, if97::h_pt(g.p, g.t), kAgreement));
    EXPECT_TRUE(Close(r.state.s, if97::s_pt(g.p, g.t), kAgreement, 0.01));
    EXPECT_TRUE(Close(r.state.v, if97::v_pt(g.p, g.t), kAgreement));
    EXPECT_TRUE(Close(r.state.u, if97::u_pt(g.p, g.t), kAgreement));
    EXPECT_TRUE(Close(r.state.cp, if97::cp_pt(g.p, g.t), kSlopeAgreement));
    EXPECT_TRUE(Close(r.state.cv, if97::cv_pt(g.p, g.t), kSlopeAgreement));
    EXPECT_TRUE(Close(r.state.w, if97::w_pt(g.p, g.t), kSlopeAgreement));
    EXPECT_EQ(r.state.region, code == 31 || code == 32 ? 3 : code);
    EXPECT_TRUE(std::isnan(r.state.x));
    if (r.state.region == 3) ++region3;
    const bool supercritical = g.p > if97::kCriticalPressure && g.t > if97::kCriticalTemperature;
    if (supercritical) {
      EXPECT_EQ(r.state.phase, Phase::kSupercritical);
    } else {
      EXPECT_EQ(r.state.phase, g.t < if97::TS_P(g.p) ? Phase::kLiquid : Phase::kSteam);
    }
  }
  EXPECT_GT(region3, 100);
  EXPECT_TRUE(recorder.messages().empty());
  EXPECT_FALSE(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW));
}

// Beside the saturation line state_pt takes REGION_PT's side, whether eq. 30
// decides it or the classic comparison: states micro-kelvins from TS_P(p),
// and pressures within a few 1e-9 of PS_T(t).
TEST(StatePT, SideOfTheSaturationLineAsREGION_PT) {
  const MessageRecorder recorder;
  std::vector<GridPoint> points;
  for (double p = 0.0007; p < if97::kCriticalPressure; p *= 1.37) {
    const double ts = if97::TS_P(p);
    for (const double dt : {-1e-3, -2e-6, -1e-7, 1e-7, 2e-6, 1e-3}) points.push_back({p, ts + dt});
  }
  for (double t = 0.5; t < if97::kCriticalTemperature; t += 9.7) {
    const double ps = if97::PS_T(t);
    for (const double f : {-1e-8, -2e-9, -1e-9, -5e-10, 5e-10, 1e-9, 2e-9, 1e-8}) {
      points.push_back({ps * (1 + f), t});
    }
  }
  for (const GridPoint& g : points) {
    SCOPED_TRACE(::testing::Message() << "p = " << g.p << ", t = " << g.t);
    int code = 0;
    std::string caption;
    if97::REGION_PT(g.p, g.t, code, caption);
    const if97::StateResult r = if97::state_pt(g.p, g.t, if97::Extent::kThermodynamic);
    if (code == 4) {
      EXPECT_EQ(r.error, if97::StateError::kOnSaturationLine);
      continue;
    }
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.state.region, code == 31 || code == 32 ? 3 : code);
    EXPECT_EQ(r.state.phase, code == 1 || code == 31 ? Phase::kLiquid : Phase::kSteam);
  }
}

// ---- states from (p, h) and (p, s) --------------------------------------------------

// The state a grid point has, given by its enthalpy or entropy, comes back at
// a temperature where the forward equation gives back the value, and is the
// state from (p, t) there.
TEST(StatePHPS, ConsistentWithTheForwardEquations) {
  const MessageRecorder recorder;
  std::feclearexcept(FE_ALL_EXCEPT);
  double worst = 0;
  for (const GridPoint& g : Grid()) {
    const double h = if97::h_pt(g.p, g.t);
    const double s = if97::s_pt(g.p, g.t);
    for (const bool by_enthalpy : {true, false}) {
      SCOPED_TRACE(::testing::Message()
                   << "p = " << g.p << ", t = " << g.t << (by_enthalpy ? ", by h" : ", by s"));
      const double y = by_enthalpy ? h : s;
      const if97::StateResult r = by_enthalpy ? if97::state_ph(g.p, y) : if97::state_ps(g.p, y);
      ASSERT_TRUE(r.ok()) << r.message;
      ASSERT_NE(r.state.phase, Phase::kSaturated);
      const double back = by_enthalpy ? if97::state_pt(g.p, r.state.t).state.h
                                      : if97::state_pt(g.p, r.state.t).state.s;
      const double relative =
          std::fabs(back - y) / std::max(std::fabs(y), by_enthalpy ? 1.0 : 0.01);
      EXPECT_LE(relative, kConsistency);
      worst = std::max(worst, relative);
      const if97::StateResult at_t = if97::state_pt(g.p, r.state.t);
      ASSERT_TRUE(at_t.ok()) << at_t.message;
      EXPECT_TRUE(Close(r.state.v, at_t.state.v, kAgreement));
      EXPECT_TRUE(Close(r.state.cp, at_t.state.cp, kSlopeAgreement));
      EXPECT_EQ(r.state.region, at_t.state.region);
    }
  }
  EXPECT_TRUE(recorder.messages().empty());
  EXPECT_FALSE(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW));
  RecordProperty("worst_relative_deviation", std::to_string(worst));
}

// Wet steam: the dryness fraction of a mixture comes back, at the saturation
// temperature; the saturated values themselves give the saturated phase (or
// the single phase within the tolerance of the line).
TEST(StatePHPS, WetSteam) {
  const MessageRecorder recorder;
  std::feclearexcept(FE_ALL_EXCEPT);
  for (double p : {0.001, 0.01, 0.1, 1.0, 5.0, 10.0, 16.0, 18.0, 20.0, 22.0}) {
    const double ts = if97::TS_P(p);
    for (double x : {0.0, 0.001, 0.25, 0.5, 0.999, 1.0}) {
      SCOPED_TRACE(::testing::Message() << "p = " << p << ", x = " << x);
      const double h = if97::H_PX(p, x);
      const double s = if97::S_PX(p, x);
      for (const if97::StateResult& r : {if97::state_ph(p, h), if97::state_ps(p, s)}) {
        ASSERT_TRUE(r.ok()) << r.message;
        if (r.state.phase == Phase::kSaturated) {
          EXPECT_NEAR(r.state.t, ts, 1e-9);
          EXPECT_NEAR(r.state.x, x, 1e-9);
          EXPECT_EQ(r.state.region, x > 0 && x < 1 ? 4 : r.state.region);
          EXPECT_NEAR(r.state.h, h, 1e-9 * h);
        } else {
          EXPECT_TRUE(x == 0 || x == 1);
          EXPECT_NEAR(r.state.t, ts, 1e-6);
        }
      }
    }
    const if97::StateResult mixture = if97::state_ph(p, if97::H_PX(p, 0.5));
    EXPECT_TRUE(std::isnan(mixture.state.cp));
    EXPECT_TRUE(std::isnan(mixture.state.w));
    EXPECT_EQ(mixture.state.region, 4);
  }
  EXPECT_TRUE(recorder.messages().empty());
  EXPECT_FALSE(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW));
}

// ---- saturation and wet steam by (p, x), (t, x) ---------------------------------------

TEST(StateSaturation, ClassicValues) {
  const MessageRecorder recorder;
  for (double p : {0.000611213, 0.001, 0.1, 1.0, 10.0, 16.5, 17.0, 20.0, 22.0, 22.064}) {
    SCOPED_TRACE(::testing::Message() << "p = " << p);
    const if97::SaturationResult r = if97::saturation_p(p);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(Close(r.water.h, if97::HSW_P(p), kAgreement));
    EXPECT_TRUE(Close(r.water.s, if97::SSW_P(p), kAgreement, 0.01));
    EXPECT_TRUE(Close(r.water.v, if97::VSW_P(p), kAgreement));
    EXPECT_TRUE(Close(r.water.u, if97::USW_P(p), kAgreement));
    // cp grows without bound toward the critical point, where the two
    // equations' roundings part: within 1e-10 at 22 MPa, 1e-6 at 22.064 MPa.
    EXPECT_TRUE(Close(r.water.cp, if97::CPSW_P(p),
                      p < 22      ? kSlopeAgreement
                      : p < 22.06 ? 1e-10
                                  : 1e-6));
    EXPECT_TRUE(Close(r.steam.h, if97::HSP_P(p), kAgreement));
    EXPECT_TRUE(Close(r.steam.s, if97::SSP_P(p), kAgreement, 0.01));
    EXPECT_TRUE(Close(r.steam.v, if97::VSP_P(p), kAgreement));
    EXPECT_TRUE(Close(r.steam.w, if97::WSP_P(p), kSlopeAgreement));
    EXPECT_NEAR(r.water.t, if97::TS_P(p), 1e-9);
    EXPECT_EQ(r.water.x, 0);
    EXPECT_EQ(r.steam.x, 1);
    EXPECT_EQ(r.water.phase, Phase::kSaturated);
    EXPECT_EQ(r.water.region, if97::TS_P(p) > 350 ? 3 : 1);
    EXPECT_EQ(r.steam.region, if97::TS_P(p) > 350 ? 3 : 2);
  }
  for (double t : {0.0, 50.0, 200.0, 350.0, 360.0, 373.9}) {
    SCOPED_TRACE(::testing::Message() << "t = " << t);
    const if97::SaturationResult r = if97::saturation_t(t);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(Close(r.water.p, if97::PS_T(t), kAgreement));
    EXPECT_TRUE(Close(r.water.h, if97::HSW_T(t), kAgreement));
    EXPECT_TRUE(Close(r.water.v, if97::VSW_T(t), kAgreement));
    EXPECT_TRUE(Close(r.water.cv, if97::CVSW_T(t), kSlopeAgreement));
    EXPECT_TRUE(Close(r.steam.s, if97::SSP_T(t), kAgreement, 0.01));
    EXPECT_TRUE(Close(r.steam.u, if97::USP_T(t), kAgreement));
  }
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(StateSaturation, WetSteamAsTheClassicFunctionsMixIt) {
  const MessageRecorder recorder;
  for (double p : {0.001, 1.0, 20.0}) {
    for (double x : {0.0, 0.3, 1.0}) {
      SCOPED_TRACE(::testing::Message() << "p = " << p << ", x = " << x);
      const if97::StateResult r = if97::state_px(p, x);
      ASSERT_TRUE(r.ok()) << r.message;
      EXPECT_TRUE(Close(r.state.h, if97::H_PX(p, x), kAgreement));
      EXPECT_TRUE(Close(r.state.s, if97::S_PX(p, x), kAgreement, 0.01));
      EXPECT_TRUE(Close(r.state.v, if97::V_PX(p, x), kAgreement));
      EXPECT_TRUE(Close(r.state.u, if97::U_PX(p, x), kAgreement));
      EXPECT_EQ(r.state.x, x);
      EXPECT_EQ(r.state.phase, Phase::kSaturated);
      EXPECT_EQ(std::isnan(r.state.cp), x == 0.3);
      const double t = if97::TS_P(p);
      const if97::StateResult by_t = if97::state_tx(t, x);
      ASSERT_TRUE(by_t.ok()) << by_t.message;
      EXPECT_NEAR(by_t.state.h, r.state.h, 1e-12 * std::fabs(r.state.h));
      EXPECT_TRUE(Close(by_t.state.p, if97::PS_T(t), kAgreement));
    }
  }
  EXPECT_TRUE(recorder.messages().empty());
}

// ---- refusals -----------------------------------------------------------------

struct Refusal {
  const char* call;
  if97::StateResult (*run)();
  StateError error;
  const char* message;
  bool nan_argument = false;  // compared as the classic functions do, raising "invalid"
};

const Refusal kRefusals[] = {
    {"state_pt above 100 MPa", [] { return if97::state_pt(101, 100); }, StateError::kOutOfRange,
     "Значения давления и температуры выходят за допустимые пределы"},
    {"state_pt NaN", [] { return if97::state_pt(1, std::nan("")); }, StateError::kOutOfRange,
     "Значения давления и температуры выходят за допустимые пределы", true},
    {"state_pt on the line", [] { return if97::state_pt(1, if97::TS_P(1)); },
     StateError::kOnSaturationLine, "Вы попали на линию насыщения (h_pt)"},
    {"state_ph below 0.001 MPa", [] { return if97::state_ph(0.0001, 100); },
     StateError::kOutOfRange, "Заданные значения Р и Н выходят за пределы допустимых"},
    {"state_ph below 0 degC", [] { return if97::state_ph(100, 50); }, StateError::kOutOfRange,
     "Заданные значения Р и Н выходят за пределы допустимых"},
    {"state_ph above 800 degC", [] { return if97::state_ph(50, 4600); }, StateError::kOutOfRange,
     "Заданные значения Р и Н выходят за пределы допустимых"},
    {"state_ps above 1000 degC", [] { return if97::state_ps(1, 20); }, StateError::kOutOfRange,
     "Заданные значения Р и S выходят за пределы допустимых"},
    {"state_ps infinite", [] { return if97::state_ps(1, HUGE_VAL); }, StateError::kOutOfRange,
     "Заданные значения Р и S выходят за пределы допустимых"},
    {"state_px x above 1", [] { return if97::state_px(1, 1.5); }, StateError::kOutOfRange,
     "Степень сухости X<0 или X>1 в H_PX"},
    {"state_px above the critical pressure", [] { return if97::state_px(25, 0.5); },
     StateError::kNoSaturation, "При данной температуре нет состояния насыщения (HSW_T)"},
    {"state_px at zero pressure", [] { return if97::state_px(0, 0.5); }, StateError::kNoSaturation,
     "При данной температуре нет состояния насыщения (HSW_T)"},
    {"state_px at negative pressure", [] { return if97::state_px(-1, 0.5); },
     StateError::kNoSaturation, "При данной температуре нет состояния насыщения (HSW_T)"},
    {"state_tx above the critical temperature", [] { return if97::state_tx(400, 0.5); },
     StateError::kNoSaturation, "При данной температуре нет состояния насыщения (HSW_T)"},
    {"state_tx x NaN", [] { return if97::state_tx(100, std::nan("")); }, StateError::kOutOfRange,
     "Степень сухости X<0 или X>1 в state_tx", true},
};

class StateRefusal : public ::testing::TestWithParam<Refusal> {};

// The error, its description and the classic message come back in the result;
// nothing reaches the message handler, and no floating-point fault is raised.
TEST_P(StateRefusal, AsAValueWithoutAMessage) {
  const Refusal& refusal = GetParam();
  const MessageRecorder recorder;
  std::feclearexcept(FE_ALL_EXCEPT);
  const if97::StateResult r = refusal.run();
  if (!refusal.nan_argument) {
    EXPECT_FALSE(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW));
  }
  EXPECT_FALSE(r.ok());
  EXPECT_FALSE(static_cast<bool>(r));
  EXPECT_EQ(r.error, refusal.error);
  EXPECT_EQ(r.message, refusal.message);
  EXPECT_STREQ(r.description(), if97::Describe(refusal.error));
  EXPECT_EQ(r.state.region, 0);
  EXPECT_TRUE(std::isnan(r.state.h));
  EXPECT_TRUE(recorder.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Calls, StateRefusal, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) {
                           std::string name = info.param.call;
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                               '_');
                           return name;
                         });

TEST(StateRefusal, SaturationOutOfRange) {
  const MessageRecorder recorder;
  const if97::SaturationResult by_p = if97::saturation_p(30);
  EXPECT_EQ(by_p.error, StateError::kNoSaturation);
  EXPECT_EQ(by_p.message, "При данном давлении нет состояния насыщения (HSW_P)");
  const if97::SaturationResult by_t = if97::saturation_t(-0.5);
  EXPECT_EQ(by_t.error, StateError::kNoSaturation);
  EXPECT_EQ(by_t.message, "При данной температуре нет состояния насыщения (HSW_T)");
  EXPECT_TRUE(std::isnan(by_t.water.h));
  EXPECT_TRUE(recorder.messages().empty());
}

// Where the classic region-3 volume search finds no bracket (just above 350
// degC at high pressure; h_pt shows its message), the engine's Newton search
// still finds the density: the state comes back, without a message.
TEST(StateRefusal, StatesTheClassicVolumeSearchMisses) {
  for (const GridPoint g : {GridPoint{60, 350.01}, GridPoint{22.1, 350.001}}) {
    MessageRecorder recorder;
    const double h = if97::h_pt(g.p, g.t);
    const std::vector<std::string> shown = recorder.messages();
    recorder.clear();
    const if97::StateResult r = if97::state_pt(g.p, g.t);
    EXPECT_TRUE(recorder.messages().empty());
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.state.region, 3);
    if (h == FAILURE) {
      EXPECT_EQ(shown.size(), 1u);
    } else {
      EXPECT_TRUE(Close(r.state.h, h, kAgreement));
    }
  }
}

TEST(StateRefusal, EnglishDescriptions) {
  EXPECT_STREQ(if97::Describe(StateError::kNone), "");
  EXPECT_STREQ(if97::Describe(StateError::kOutOfRange), "out of range");
  EXPECT_STREQ(if97::Describe(StateError::kNoSaturation), "no saturation state");
  EXPECT_STREQ(if97::Describe(StateError::kOnSaturationLine), "on the saturation line");
  EXPECT_STREQ(if97::Describe(StateError::kNoConvergence), "no convergence");
}

// The classic functions still show their messages through the handler after
// state functions have captured theirs on the same thread.
TEST(StateRefusal, ClassicMessagesStillReachTheHandler) {
  const MessageRecorder recorder;
  EXPECT_FALSE(if97::state_pt(101, 100).ok());
  EXPECT_EQ(if97::h_pt(101, 100), FAILURE);
  EXPECT_EQ(
      recorder.messages(),
      std::vector<std::string>{"Значения давления и температуры выходят за допустимые пределы"});
}

}  // namespace
