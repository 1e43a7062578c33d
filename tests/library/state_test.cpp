// The whole state from one pair of quantities (if97_state.h): the same values
// as the classic functions, consistent states from (p, h) and (p, s), and
// refusals as values without a message.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <if97/if97.h>
#include <if97/if97_state.h>
#include "message_recorder.h"

namespace {

using if97::FAILURE;
using if97::Phase;
using if97::State;
using if97::StateError;

constexpr double kConsistency = 1e-9;  // relative, forward value against the given one

// Equal bit for bit (EXPECT_EQ on doubles would also pass -0 == +0).
::testing::AssertionResult Same(double a, double b) {
  if (std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << ::testing::PrintToString(a) << " vs " << ::testing::PrintToString(b);
}

void ExpectSameState(const State& a, const State& b) {
  EXPECT_TRUE(Same(a.t, b.t));
  EXPECT_TRUE(Same(a.h, b.h));
  EXPECT_TRUE(Same(a.s, b.s));
  EXPECT_TRUE(Same(a.v, b.v));
  EXPECT_TRUE(Same(a.u, b.u));
  EXPECT_TRUE(Same(a.cp, b.cp));
  EXPECT_TRUE(Same(a.cv, b.cv));
  EXPECT_TRUE(Same(a.w, b.w));
  EXPECT_EQ(a.region, b.region);
  EXPECT_EQ(a.phase, b.phase);
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

TEST(StatePT, ClassicValuesBitForBitOverTheGrid) {
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
    EXPECT_TRUE(Same(r.state.p, g.p));
    EXPECT_TRUE(Same(r.state.t, g.t));
    EXPECT_TRUE(Same(r.state.h, if97::h_pt(g.p, g.t)));
    EXPECT_TRUE(Same(r.state.s, if97::s_pt(g.p, g.t)));
    EXPECT_TRUE(Same(r.state.v, if97::v_pt(g.p, g.t)));
    EXPECT_TRUE(Same(r.state.u, if97::u_pt(g.p, g.t)));
    EXPECT_TRUE(Same(r.state.cp, if97::cp_pt(g.p, g.t)));
    EXPECT_TRUE(Same(r.state.cv, if97::cv_pt(g.p, g.t)));
    EXPECT_TRUE(Same(r.state.w, if97::w_pt(g.p, g.t)));
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

// ---- states from (p, h) and (p, s) --------------------------------------------------

// The state a grid point has, given by its enthalpy or entropy, comes back at
// a temperature where the forward equation gives back the value, and is the
// state from (p, t) there, bit for bit.
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
      const double back = by_enthalpy ? if97::h_pt(g.p, r.state.t) : if97::s_pt(g.p, r.state.t);
      const double relative =
          std::fabs(back - y) / std::max(std::fabs(y), by_enthalpy ? 1.0 : 0.01);
      EXPECT_LE(relative, kConsistency);
      worst = std::max(worst, relative);
      ExpectSameState(r.state, if97::state_pt(g.p, r.state.t).state);
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
          EXPECT_EQ(r.state.t, ts);
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

TEST(StateSaturation, ClassicValuesBitForBit) {
  const MessageRecorder recorder;
  for (double p : {0.000611213, 0.001, 0.1, 1.0, 10.0, 16.5, 17.0, 20.0, 22.0, 22.064}) {
    SCOPED_TRACE(::testing::Message() << "p = " << p);
    const if97::SaturationResult r = if97::saturation_p(p);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(Same(r.water.h, if97::HSW_P(p)));
    EXPECT_TRUE(Same(r.water.s, if97::SSW_P(p)));
    EXPECT_TRUE(Same(r.water.v, if97::VSW_P(p)));
    EXPECT_TRUE(Same(r.water.u, if97::USW_P(p)));
    EXPECT_TRUE(Same(r.water.cp, if97::CPSW_P(p)));
    EXPECT_TRUE(Same(r.steam.h, if97::HSP_P(p)));
    EXPECT_TRUE(Same(r.steam.s, if97::SSP_P(p)));
    EXPECT_TRUE(Same(r.steam.v, if97::VSP_P(p)));
    EXPECT_TRUE(Same(r.steam.w, if97::WSP_P(p)));
    EXPECT_TRUE(Same(r.water.t, if97::TS_P(p)));
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
    EXPECT_TRUE(Same(r.water.p, if97::PS_T(t)));
    EXPECT_TRUE(Same(r.water.h, if97::HSW_T(t)));
    EXPECT_TRUE(Same(r.water.v, if97::VSW_T(t)));
    EXPECT_TRUE(Same(r.water.cv, if97::CVSW_T(t)));
    EXPECT_TRUE(Same(r.steam.s, if97::SSP_T(t)));
    EXPECT_TRUE(Same(r.steam.u, if97::USP_T(t)));
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
      EXPECT_TRUE(Same(r.state.h, if97::H_PX(p, x)));
      EXPECT_TRUE(Same(r.state.s, if97::S_PX(p, x)));
      EXPECT_TRUE(Same(r.state.v, if97::V_PX(p, x)));
      EXPECT_TRUE(Same(r.state.u, if97::U_PX(p, x)));
      EXPECT_EQ(r.state.x, x);
      EXPECT_EQ(r.state.phase, Phase::kSaturated);
      EXPECT_EQ(std::isnan(r.state.cp), x == 0.3);
      const double t = if97::TS_P(p);
      const if97::StateResult by_t = if97::state_tx(t, x);
      ASSERT_TRUE(by_t.ok()) << by_t.message;
      EXPECT_NEAR(by_t.state.h, r.state.h, 1e-12 * std::fabs(r.state.h));
      EXPECT_TRUE(Same(by_t.state.p, if97::PS_T(t)));
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

// Where the region-3 volume search finds no bracket (just above 350 degC at
// high pressure), the state comes back refused as "no convergence" with the
// search's message, which h_pt shows.
TEST(StateRefusal, VolumeSearchFailureIsNoConvergence) {
  for (const GridPoint g : {GridPoint{60, 350.01}, GridPoint{22.1, 350.001}}) {
    MessageRecorder recorder;
    const double h = if97::h_pt(g.p, g.t);
    const std::vector<std::string> shown = recorder.messages();
    recorder.clear();
    const if97::StateResult r = if97::state_pt(g.p, g.t);
    EXPECT_TRUE(recorder.messages().empty());
    if (h == FAILURE) {
      EXPECT_EQ(r.error, StateError::kNoConvergence);
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(r.message, shown.front());
    } else {
      EXPECT_TRUE(Same(r.state.h, h));
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
