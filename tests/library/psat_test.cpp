// Saturation pressure from entropy or enthalpy (PS_S, PS_H, PS_H1, PS_H2,
// P_HSPMAX, P_HSPEQ) and the false-position search behind them.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "inverse/psat_search.h"
#include "message_recorder.h"

namespace {

using ext = long double;
using if97::FAILURE;
using if97::detail::Anchor;
using if97::detail::FalsePositionResult;
using if97::detail::FalsePositionSearch;
using if97::detail::Monotony;

constexpr double kPc = if97::kCriticalPressure;  // MPa

// Tolerances of the searches themselves.
constexpr double kEntropyTolerance = 1e-7;   // kJ/(kg K), PS_S
constexpr double kWaterEnthalpyTol = 1e-7;   // kJ/kg, PS_H1
constexpr double kSteamEnthalpyTol = 1e-10;  // kJ/kg, PS_H2

const std::string kEntropyMessage = "Такое значение энтропии не допустимо (0.106<S<8.9749) (PS_S)";
const std::string kEnthalpyMessage = "При таком значении энтальпии нет состояния насыщения (PS_H)";
const std::string kWaterMessage =
    "Заданная энтальпия не является энтальпией насыщения для воды (PS_H1)";
const std::string kSteamMessage = "При таком значении энтальпии нет состояния насыщения (PS_H2)";

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

constexpr int kFpFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// ---- verification values ----------------------------------------------------
// Reference values of the saturation-pressure inversion, accepted to half a
// unit in their last printed digit.

struct EntropyRow {
  double s;     // kJ/(kg K)
  double p;     // MPa
  double half;  // MPa
};

class PsSVerification : public testing::TestWithParam<EntropyRow> {};

TEST_P(PsSVerification, MatchesReference) {
  MessageRecorder recorder;
  const EntropyRow& row = GetParam();
  EXPECT_NEAR(if97::PS_S(row.s), row.p, row.half);
  EXPECT_TRUE(recorder.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(SaturationPressure, PsSVerification,
                         testing::Values(EntropyRow{1.0, 0.0365539, 5e-8},
                                         EntropyRow{3.0, 5.729996, 5e-7},
                                         EntropyRow{6.0, 4.710263, 5e-7},
                                         EntropyRow{8.0, 0.0153099, 5e-8},
                                         EntropyRow{4.412, 22.064, 0}));

struct EnthalpyRow {
  double h;        // kJ/kg
  double p_left;   // MPa
  double p_right;  // MPa
  double half_left;
  double half_right;
};

class PsHVerification : public testing::TestWithParam<EnthalpyRow> {};

TEST_P(PsHVerification, MatchesReference) {
  MessageRecorder recorder;
  const EnthalpyRow& row = GetParam();
  double p_left = FAILURE;
  double p_right = FAILURE;
  if97::PS_H(row.h, p_left, p_right);
  EXPECT_NEAR(p_left, row.p_left, row.half_left);
  EXPECT_NEAR(p_right, row.p_right, row.half_right);
  EXPECT_TRUE(recorder.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    SaturationPressure, PsHVerification,
    testing::Values(EnthalpyRow{1000, 2.905130, 2.905130, 5e-7, 5e-7},     // water
                    EnthalpyRow{2000, 21.93445, 21.93445, 5e-6, 5e-6},     // water
                    EnthalpyRow{2300, 21.36062, 21.36062, 5e-6, 5e-6},     // steam, one root
                    EnthalpyRow{2700, 11.31650, 0.1745061, 5e-6, 5e-8}));  // steam, two roots

TEST(SaturationPressure, SectionSearches) {
  const double p_max = if97::P_HSPMAX();
  EXPECT_NEAR(p_max, 3.07838, 5e-6);
  EXPECT_NEAR(if97::HSP_P(p_max), 2803.285, 5e-4);
  const double p_eq = if97::P_HSPEQ();
  EXPECT_NEAR(p_eq, 17.89695, 5e-6);
  EXPECT_NEAR(if97::HSP_P(p_eq), if97::HSP_P(0.001), kSteamEnthalpyTol);
}

// ---- range messages ---------------------------------------------------------

TEST_F(RecordingTest, EntropyOutsideRangeIsRejectedOnce) {
  EXPECT_EQ(if97::PS_S(0.1), FAILURE);
  EXPECT_EQ(if97::PS_S(9), FAILURE);
  EXPECT_EQ(messages(), (std::vector<std::string>{kEntropyMessage, kEntropyMessage}));
  ClearMessages();
  EXPECT_NEAR(if97::PS_S(0.106), 0.001, 1e-5);  // both bounds are accepted
  EXPECT_NEAR(if97::PS_S(8.9749), 0.001, 1e-5);
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, EnthalpyOutsideRangeLeavesOutputsAlone) {
  for (const double h : {20.0, 2900.0}) {
    double p_left = 1.5;
    double p_right = 2.5;
    if97::PS_H(h, p_left, p_right);
    EXPECT_EQ(p_left, 1.5);
    EXPECT_EQ(p_right, 2.5);
  }
  double p_left = 1.5;
  double p_right = 2.5;
  if97::PS_H2(2900, p_left, p_right);
  EXPECT_EQ(p_left, 1.5);
  EXPECT_EQ(p_right, 2.5);
  EXPECT_EQ(if97::PS_H1(20), FAILURE);
  EXPECT_EQ(if97::PS_H1(2100), FAILURE);
  EXPECT_EQ(messages(), (std::vector<std::string>{kEnthalpyMessage, kEnthalpyMessage, kSteamMessage,
                                                  kWaterMessage, kWaterMessage}));
}

// ---- round trips through the saturation properties --------------------------

// |dp| that a property tolerance allows at p, from the property's slope.
double PressureSpread(double (*f)(double), double p, double tolerance) {
  const double dp = 1e-6 * p;
  const double slope = std::fabs((f(p + dp) - f(p - dp)) / (2 * dp));
  return 2 * tolerance / slope + 1e-12 * p;
}

TEST_F(RecordingTest, EntropyRoundTrip) {
  for (const double p : {0.002, 0.05, 1.0, 8.0, 16.0, 18.0, 21.0}) {
    SCOPED_TRACE(p);
    EXPECT_NEAR(if97::PS_S(if97::SSW_P(p)), p, PressureSpread(if97::SSW_P, p, kEntropyTolerance));
    EXPECT_NEAR(if97::PS_S(if97::SSP_P(p)), p, PressureSpread(if97::SSP_P, p, kEntropyTolerance));
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, EnthalpyRoundTrip) {
  const double p_max = if97::P_HSPMAX();
  const double p_eq = if97::P_HSPEQ();
  for (const double p : {0.002, 0.05, 1.0, 8.0, 16.0, 18.0, 21.0}) {
    SCOPED_TRACE(p);
    double p_left = FAILURE;
    double p_right = FAILURE;
    if97::PS_H(if97::HSW_P(p), p_left, p_right);
    const double water = PressureSpread(if97::HSW_P, p, kWaterEnthalpyTol);
    EXPECT_NEAR(p_left, p, water);
    EXPECT_NEAR(p_right, p, water);

    p_left = p_right = FAILURE;
    if97::PS_H(if97::HSP_P(p), p_left, p_right);
    const double steam = PressureSpread(if97::HSP_P, p, kSteamEnthalpyTol);
    if (p < p_max) {
      EXPECT_NEAR(p_right, p, steam);
      EXPECT_GT(p_left, p_max);
      EXPECT_LT(p_left, p_eq);
    } else if (p < p_eq) {
      EXPECT_NEAR(p_left, p, steam);
      EXPECT_LT(p_right, p_max);
    } else {
      EXPECT_NEAR(p_left, p, steam);
      EXPECT_EQ(p_right, p_left);
    }
  }
  EXPECT_TRUE(messages().empty());
}

// Just below the greatest steam enthalpy the steam curve is so flat that false
// position alone runs out of passes; both pressures must still be found.
TEST_F(RecordingTest, EnthalpyJustBelowTheGreatestHasBothPressures) {
  const double p_max = if97::P_HSPMAX();
  const double h_max = if97::HSP_P(p_max);
  for (const double below : {3e-3, 1e-3, 1e-4, 1e-6}) {
    const double h = h_max - below;
    SCOPED_TRACE(h);
    double p_left = FAILURE;
    double p_right = FAILURE;
    if97::PS_H(h, p_left, p_right);
    EXPECT_GT(p_left, p_max);
    EXPECT_LT(p_right, p_max);
    EXPECT_GT(p_right, 2.9);
    EXPECT_NEAR(if97::HSP_P(p_left), h, kSteamEnthalpyTol);
    EXPECT_NEAR(if97::HSP_P(p_right), h, kSteamEnthalpyTol);
  }
  EXPECT_TRUE(messages().empty());
}

// ---- the critical point and the ends of the ranges --------------------------

TEST_F(RecordingTest, EntropyBetweenCriticalWaterAndSplitGivesCriticalPressure) {
  const double s_c = if97::SSW_P(kPc);
  EXPECT_LT(s_c, 4.412);
  for (const double s : {s_c, 4.4116, 4.4118, 4.41199, 4.412}) {
    SCOPED_TRACE(s);
    EXPECT_EQ(if97::PS_S(s), kPc);
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(RecordingTest, EnthalpyAtTheEndsOfTheBranches) {
  const double h_c = if97::HSW_P(kPc);
  const double h_b = if97::HSP_P(kPc);
  const double h_a = if97::HSP_P(0.001);
  const double p_max = if97::P_HSPMAX();
  const double h_max = if97::HSP_P(p_max);
  // Extended arithmetic puts the water near 2087.247992 kJ/kg, within 5e-7; the
  // steam closes on the critical state of region 3.
  EXPECT_NEAR(h_c, 2087.247992, 2e-6);
  EXPECT_NEAR(h_b, 2087.5468, 0.002);

  double p_left = FAILURE;
  double p_right = FAILURE;
  if97::PS_H(29.3, p_left, p_right);  // lowest accepted enthalpy: water
  EXPECT_EQ(p_left, p_right);
  EXPECT_GT(p_left, 0.001);
  EXPECT_NEAR(if97::HSW_P(p_left), 29.3, kWaterEnthalpyTol);

  // The critical point, whichever of the two critical enthalpies is larger.
  for (const double h : {std::fmin(h_c, h_b), std::fmax(h_c, h_b), (h_c + h_b) / 2}) {
    SCOPED_TRACE(h);
    p_left = p_right = FAILURE;
    if97::PS_H(h, p_left, p_right);
    EXPECT_EQ(p_left, p_right);
    EXPECT_NEAR(p_left, kPc, 1e-3);
  }
  p_left = p_right = FAILURE;
  if97::PS_H(h_c, p_left, p_right);
  EXPECT_EQ(p_left, kPc);
  EXPECT_EQ(p_right, kPc);

  p_left = p_right = FAILURE;
  if97::PS_H(h_max, p_left, p_right);  // the top of the steam curve
  EXPECT_EQ(p_left, p_max);
  EXPECT_EQ(p_right, p_max);

  // The lowest-pressure steam enthalpy has its second pressure on the falling
  // branch, like any other enthalpy with two roots.
  p_left = p_right = FAILURE;
  if97::PS_H2(h_a, p_left, p_right);
  EXPECT_EQ(p_left, if97::P_HSPEQ());
  EXPECT_EQ(p_right, 0.001);
  p_left = p_right = FAILURE;
  if97::PS_H(h_a, p_left, p_right);
  EXPECT_EQ(p_left, if97::P_HSPEQ());
  EXPECT_EQ(p_right, 0.001);
  EXPECT_TRUE(messages().empty());
}

// ---- the early stop of the false-position search ----------------------------

// The search as it stood before the early stop: the values at both ends
// evaluated anew in every pass, no upper clamp, only the tolerance and the
// pass limit end it. Out of passes it found nothing.
struct UnchangedResult {
  bool found;
  double p;
  int passes;
};

UnchangedResult UnchangedSearch(const FalsePositionSearch& s, double p_left, double p_right) {
  const double y = s.target;
  for (int pass = 1;; ++pass) {
    const double f_left = s.f(p_left);
    const double f_right = s.f(p_right);
    double p;
    if (s.anchor == Anchor::kRight) {
      p = p_right - (ext{p_right} - p_left) * (ext{f_right} - y) / (ext{f_right} - f_left);
    } else {
      p = p_left + (ext{p_right} - p_left) * (ext{y} - f_left) / (ext{f_right} - f_left);
    }
    if (s.clamps && p < if97::detail::kClampThreshold) p = s.clamp_value;
    const double fn = s.f(p);
    const bool increasing = s.monotony == Monotony::kIncreasing;
    if (fn > y) (increasing ? p_right : p_left) = p;
    if (fn < y) (increasing ? p_left : p_right) = p;
    if (pass > if97::detail::kPassLimit) return {false, 0, pass};
    if (!(std::fabs(ext{y} - fn) >= s.tolerance)) return {true, p, pass};
  }
}

// The saturation properties remembered by argument: both searches see the
// same values, and each costly near-critical value is computed once.
template <double (*F)(double)>
double Remembered(double p) {
  if (std::isnan(p)) return F(p);
  static std::unordered_map<double, double> values;
  const auto [it, inserted] = values.try_emplace(p, 0.0);
  if (inserted) it->second = F(p);
  return it->second;
}

struct SearchCase {
  FalsePositionSearch search;
  double p_left;
  double p_right;
};

// The searches of PS_S, PS_H1 and PS_H2 for a given target.
SearchCase WaterEntropy(double s) {
  return {
      {Remembered<if97::SSW_P>, s, 1e-7, Monotony::kIncreasing, Anchor::kRight, true, 0.0010000001},
      0.0010000001,
      kPc};
}
SearchCase SteamEntropy(double s) {
  return {{Remembered<if97::SSP_P>, s, 1e-7, Monotony::kDecreasing, Anchor::kRight, false, 0},
          0.0010000001,
          kPc};
}
SearchCase WaterEnthalpy(double h) {
  return {{Remembered<if97::HSW_P>, h, 1e-7, Monotony::kIncreasing, Anchor::kRight, true, 0.001},
          0.001,
          kPc};
}
SearchCase SteamFalling(double h, double p_from, double p_to) {
  return {{Remembered<if97::HSP_P>, h, 1e-10, Monotony::kDecreasing, Anchor::kLeft, false, 0},
          p_from,
          p_to};
}
SearchCase SteamRising(double h, double p_max) {
  return {{Remembered<if97::HSP_P>, h, 1e-10, Monotony::kIncreasing, Anchor::kLeft, false, 0},
          0.001,
          p_max};
}

std::vector<SearchCase> EquivalenceCases() {
  const double p_max = if97::P_HSPMAX();
  const double p_eq = if97::P_HSPEQ();
  const double h_max = if97::HSP_P(p_max);
  std::vector<SearchCase> cases;
  // The inputs of the tests above.
  for (const double s : {1.0, 3.0, 0.106}) cases.push_back(WaterEntropy(s));
  for (const double s : {6.0, 8.0, 8.9749}) cases.push_back(SteamEntropy(s));
  for (const double h : {1000.0, 2000.0, 29.3}) cases.push_back(WaterEnthalpy(h));
  cases.push_back(SteamFalling(2300, p_eq, kPc));
  cases.push_back(SteamFalling(2700, p_max, p_eq));
  cases.push_back(SteamRising(2700, p_max));
  // And a few hundred more over the whole of each branch.
  for (double s = 0.11; s < 4.2; s += 0.0325) cases.push_back(WaterEntropy(s));
  for (double s = 4.75; s < 8.97; s += 0.0325) cases.push_back(SteamEntropy(s));
  for (double h = 30; h < 2060; h += 20.5) cases.push_back(WaterEnthalpy(h));
  for (double h = 2200; h < 2514; h += 20) cases.push_back(SteamFalling(h, p_eq, kPc));
  for (double h = 2520; h < h_max; h += 12.5) {
    cases.push_back(SteamFalling(h, p_max, p_eq));
    cases.push_back(SteamRising(h, p_max));
  }
  for (const double below : {1e-3, 1e-9}) {
    cases.push_back(SteamFalling(h_max - below, p_max, p_eq));
    cases.push_back(SteamRising(h_max - below, p_max));
  }
  return cases;
}

// The unchanged search succeeds when it ends on a point that meets the
// tolerance; otherwise it runs out of passes or, on a closed bracket, divides
// zero by zero.
bool Succeeded(const UnchangedResult& r, const FalsePositionSearch& s) {
  return r.found && std::fabs(ext{s.target} - s.f(r.p)) < s.tolerance;
}

TEST(FalsePositionEarlyStop, NeverFiresWhereTheToleranceCanBeMet) {
  std::vector<SearchCase> cases = EquivalenceCases();
  // Near the critical point, where the tolerance is out of reach.
  for (double h = 2081.5; h < 2087; h += 1.5) cases.push_back(WaterEnthalpy(h));
  for (double h = 2090.5; h < 2200; h += 15) cases.push_back(SteamFalling(h, if97::P_HSPEQ(), kPc));
  int unchanged = 0;
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "target " << c.search.target << " on [" << c.p_left << ", "
                                    << c.p_right << "]");
    const UnchangedResult before = UnchangedSearch(c.search, c.p_left, c.p_right);
    const FalsePositionResult after = if97::detail::FalsePosition(c.search, c.p_left, c.p_right);
    if (Succeeded(before, c.search)) {
      ++unchanged;
      EXPECT_FALSE(after.stopped_early);
      EXPECT_EQ(after.passes, before.passes);
      EXPECT_TRUE(SameBits(after.p, before.p)) << after.p << " vs " << before.p;
    } else if (after.stopped_early) {
      EXPECT_LT(after.passes, 200);
    } else {
      // Close to the top of the steam curve false position creeps towards
      // the root and runs out of passes; halving the bracket then finds it.
      EXPECT_GT(after.passes, before.passes);
      EXPECT_LT(std::fabs(ext{c.search.target} - c.search.f(after.p)), c.search.tolerance);
    }
  }
  EXPECT_GT(unchanged, 300);
}

TEST(FalsePositionEarlyStop, PublicFunctionsDeliverTheSearchResult) {
  const double p_max = if97::P_HSPMAX();
  const double p_eq = if97::P_HSPEQ();
  auto run = [](const SearchCase& c) { return UnchangedSearch(c.search, c.p_left, c.p_right).p; };
  EXPECT_TRUE(SameBits(if97::PS_S(2.5), run(WaterEntropy(2.5))));
  EXPECT_TRUE(SameBits(if97::PS_S(7.0), run(SteamEntropy(7.0))));
  EXPECT_TRUE(SameBits(if97::PS_H1(1500), run(WaterEnthalpy(1500))));
  double p_left = FAILURE;
  double p_right = FAILURE;
  if97::PS_H(2400, p_left, p_right);
  EXPECT_TRUE(SameBits(p_left, run(SteamFalling(2400, p_eq, kPc))));
  EXPECT_TRUE(SameBits(p_right, p_left));
  if97::PS_H(2750, p_left, p_right);
  EXPECT_TRUE(SameBits(p_left, run(SteamFalling(2750, p_max, p_eq))));
  EXPECT_TRUE(SameBits(p_right, run(SteamRising(2750, p_max))));
}

// A property with rounding noise of 1e-3 around a straight line: no point
// meets a tolerance of 1e-10, so only the early stop can end the search.
double NoisyLine(double p) {
  std::uint64_t bits;
  std::memcpy(&bits, &p, sizeof bits);
  bits *= 0x9E3779B97F4A7C15ull;
  const double noise = static_cast<double>(bits >> 11) / 9007199254740992.0 - 0.5;  // [-0.5, 0.5)
  return 100 * p + 2e-3 * noise;
}

// A staircase: flat steps of 0.5 MPa.
double Staircase(double p) { return std::floor(2 * p); }

TEST(FalsePositionEarlyStop, EndsOnTheBestPointWhenNoiseHidesTheRoot) {
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const double y : {1.0, 733.3, 1234.5678, 2000.0}) {
    SCOPED_TRACE(y);
    for (const Anchor anchor : {Anchor::kRight, Anchor::kLeft}) {
      const FalsePositionSearch search{NoisyLine, y,    1e-10, Monotony::kIncreasing,
                                       anchor,    true, 0.001};
      const FalsePositionResult r = if97::detail::FalsePosition(search, 0.001, kPc);
      EXPECT_TRUE(r.stopped_early);
      EXPECT_LT(r.passes, 200);
      EXPECT_NEAR(NoisyLine(r.p), y, 2e-3);
    }
  }
  // A root that falls on a step: the bracket closes on the step's edge.
  const FalsePositionSearch stairs{Staircase,      10.5,  1e-7, Monotony::kIncreasing,
                                   Anchor::kRight, false, 0};
  const FalsePositionResult r = if97::detail::FalsePosition(stairs, 0.001, kPc);
  EXPECT_TRUE(r.stopped_early);
  EXPECT_LT(r.passes, 200);
  EXPECT_EQ(std::fabs(Staircase(r.p) - 10.5), 0.5);
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

}  // namespace
