// The region-3 sign layer against the exact residual: every sign a proof, the
// filter or the bound in extended precision claims is the exact residual's
// sign, and the walks and bisections that ask the sign layer take the steps
// the plain ones, on the exact residual alone, take. Over random isotherms of
// region 3 (p 16.6..100 MPa, t 350 degC..TB23), at volumes spread from far off
// the roots down to a few units of rounding from them.
#include <gtest/gtest.h>
#include <if97/if97.h>
#include <if97/if97_messages.h>

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "arith/search_steps.h"
#include "arith/stored.h"
#include "forward/boundaries.h"
#include "message_recorder.h"
#include "region3/equation.h"
#include "region3/isotherm.h"
#include "region3/sign_proofs.h"
#include "region3/signs.h"
#include "region3/volume_search.h"
#include "region3/walk_points.h"

namespace {

using namespace if97::detail::r3;
using if97::detail::ext;
using if97::detail::Midpoint;
using if97::detail::Stored;

constexpr int kStates = 500;
constexpr double kLowestPressure = 16.6;    // MPa
constexpr double kHighestPressure = 100;    // MPa
constexpr double kLowestTemperature = 350;  // degC
// m3/kg, below the end of the walk's points in closed form
constexpr double kWalkEnd = 0.031;
static_assert(kWalkEnd < if97::detail::WalkPoints::kHighest);

struct State {
  double p;       // MPa
  double t;       // degC
  double liquid;  // m3/kg, the liquid-side volume
  double vapour;  // m3/kg, the vapour-side volume
};

// Random states of region 3 with their volumes from the library's search.
std::vector<State> RandomStates(std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<State> states;
  for (int i = 0; i < kStates; ++i) {
    const double p = kLowestPressure + (kHighestPressure - kLowestPressure) * unit(rng);
    const double t_top = if97::detail::TB23Celsius(p);
    const double t = kLowestTemperature + (t_top - kLowestTemperature) * unit(rng);
    double v1 = 0;
    double v2 = 0;
    if97::VKR_PT(p, t, v1, v2);
    states.push_back({p, t, v1, v2});
  }
  return states;
}

const std::vector<State>& States() {
  static const std::vector<State> states = RandomStates(1997);
  return states;
}

int SignOf(double x) { return (x > 0) - (x < 0); }

// A random relative distance, log-uniform between `least` and `most`, of
// random sign.
double Offset(std::mt19937_64& rng, double least, double most) {
  std::uniform_real_distribution<double> log_size(std::log(least), std::log(most));
  return (rng() & 1 ? 1 : -1) * std::exp(log_size(rng));
}

// Counts the sample volumes whose exact residual has not the sign `sign`:
// both ends and a few between of the volumes whose delta lies in [lo, hi].
int Contradictions(const Isotherm& iso, double lo, double hi, int sign, std::mt19937_64& rng) {
  const double v_lo = VolumeOf(hi);
  const double v_hi = VolumeOf(lo);
  std::uniform_real_distribution<double> unit(0, 1);
  int wrong = 0;
  for (int j = 0; j < 6; ++j) {
    const double v = j == 0 ? v_lo : j == 1 ? v_hi : v_lo + (v_hi - v_lo) * unit(rng);
    wrong += SignOf(iso.Residual(v)) != sign;
  }
  return wrong;
}

TEST(Region3Proofs, ProvenSignsAreTheExactResidualsOverIntervals) {
  std::mt19937_64 rng(30);
  int claims = 0;
  int wrong = 0;
  for (const State& s : States()) {
    const Isotherm iso(s.p, s.t);
    for (const double root : {Delta(s.liquid), Delta(s.vapour)}) {
      for (int i = 0; i < 40; ++i) {
        const double lo = root * (1 + Offset(rng, 1e-17, 0.3));
        const double hi = lo + root * std::fabs(Offset(rng, 1e-17, 0.3));
        if (const double sign = ProvenSignOver(iso, lo, hi); sign != 0) {
          ++claims;
          wrong += Contradictions(iso, lo, hi, SignOf(sign), rng);
        }
        const int sign = i % 2 ? 1 : -1;
        if (ProvenOver(iso, lo, hi, sign)) {
          ++claims;
          wrong += Contradictions(iso, lo, hi, sign, rng);
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(claims, kStates * 40);  // the proofs decide most intervals
}

TEST(Region3Proofs, NearRootSignsAreTheExactResiduals) {
  std::mt19937_64 rng(31);
  int claims = 0;
  int wrong = 0;
  for (const State& s : States()) {
    const Isotherm iso(s.p, s.t);
    for (const double root : {Delta(s.liquid), Delta(s.vapour)}) {
      const double r =
          NewtonRoot(iso, root * (1 + Offset(rng, 1e-12, 1e-3)), root * 0.99, root * 1.01);
      const NearRoot model(iso, r, r * std::fabs(Offset(rng, 1e-10, 0.05)));
      for (int i = 0; i < 60; ++i) {
        const double d = r + model.h() * Offset(rng, 1e-12, 1);
        const double sign = model.SignAt(d);
        if (sign == 0) continue;
        ++claims;
        const double v = VolumeOf(d);
        for (const double w : {v, std::nextafter(v, 0.0), std::nextafter(v, 1.0)}) {
          wrong += SignOf(iso.Residual(w)) != SignOf(sign);
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(claims, kStates * 2 * 60 / 4);
}

// The bound in extended precision, as the bisection's signs apply it.
TEST(Region3Proofs, TightBoundSignsAreTheExactResiduals) {
  std::mt19937_64 rng(32);
  int claims = 0;
  int wrong = 0;
  for (const State& s : States()) {
    const Isotherm iso(s.p, s.t);
    for (const double root : {s.liquid, s.vapour}) {
      const Isotherm::Tight tight = iso.TightAt(root * (1 + Offset(rng, 1e-17, 1e-10)));
      for (int i = 0; i < 60; ++i) {
        const double m = Stored(tight.volume * (1 + ext{kTightReach} * Offset(rng, 1e-9, 1)));
        const double e = m - tight.volume;
        if (!(std::fabs(e) <= kTightReach * tight.volume)) continue;
        const ext linear = tight.value + tight.slope * e;
        if (!(std::fabs(linear) - tight.curvature / 2 * e * e > tight.bound)) continue;
        ++claims;
        wrong += SignOf(iso.Residual(m)) != (linear > 0 ? 1 : -1);
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(claims, kStates * 60);
}

TEST(Region3Proofs, FilteredSignsAreTheExactResiduals) {
  std::mt19937_64 rng(33);
  std::uniform_real_distribution<double> far(kFilterVolumeMin, 0.03);
  int claims = 0;
  int wrong = 0;
  for (const State& s : States()) {
    const Isotherm iso(s.p, s.t);
    for (int i = 0; i < 200; ++i) {
      const double root = i % 2 ? s.liquid : s.vapour;
      const double v = i % 4 < 2 ? Stored(root * (1 + ext{Offset(rng, 1e-16, 1)})) : far(rng);
      const double sign = iso.FilteredSign(v);
      if (sign == 0) continue;
      ++claims;
      wrong += SignOf(iso.Residual(v)) != SignOf(sign);
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(claims, kStates * 100);
}

// ResidualBatch takes, volume by volume, the operations of Residual.
TEST(Region3Residual, BatchEqualsOneByOne) {
  std::mt19937_64 rng(34);
  std::uniform_real_distribution<double> volume(1e-3, 0.03);
  int differences = 0;
  for (const State& s : States()) {
    const Isotherm iso(s.p, s.t);
    const std::array<double, 3> v = {volume(rng), s.liquid, s.vapour};
    std::array<double, 3> batch{};
    iso.ResidualBatch(v, batch);
    for (std::size_t j = 0; j < v.size(); ++j) differences += batch[j] != iso.Residual(v[j]);
  }
  EXPECT_EQ(differences, 0);
}

// ---- the search's steps ----------------------------------------------------------

// The walk on the exact residual alone: the first pair of points within
// `pairs` steps whose residuals differ in sign.
std::optional<Bracket> PlainWalk(const Isotherm& iso, double start, double step, int pairs) {
  double x = start;
  double fx = iso.Residual(x);
  for (int k = 0; k < pairs; ++k) {
    const double next = Stored(ext{x} + step);
    const double f_next = iso.Residual(next);
    if (ext{fx} * f_next < 0) return Bracket{x, next, fx};
    x = next;
    fx = f_next;
  }
  return std::nullopt;
}

bool SameBracket(const std::optional<Bracket>& a, const std::optional<Bracket>& b) {
  if (!a || !b) return !a && !b;
  return a->a == b->a && a->b == b->b && SignOf(a->sign_a) == SignOf(b->sign_a);
}

// Where the walks start: the search's own starts, and volumes a few steps to
// a few hundred off the state's volumes.
enum class Start { kSearch, kNearRoot };

class Region3Walk : public testing::TestWithParam<Start> {
 protected:
  double StartOf(const State& s, bool up, std::mt19937_64& rng) const {
    if (GetParam() == Start::kSearch) {
      return up ? if97::V1_PT(s.p, kLowestTemperature) : if97::VP_PT(s.p, if97::detail::TB23(s.p));
    }
    std::uniform_int_distribution<int> steps(1, 400);
    return (up ? s.liquid : s.vapour) + (up ? -1 : 1) * steps(rng) * 0.37 * kWalkStep;
  }
};

TEST_P(Region3Walk, SignLayerWalkIsThePlainWalk) {
  std::mt19937_64 rng(35);
  int decided = 0;
  int differences = 0;
  for (const State& s : States()) {
    const Isotherm iso(s.p, s.t);
    for (const bool up : {true, false}) {
      const double start = StartOf(s, up, rng);
      const double step = up ? kWalkStep : -kWalkStep;
      const auto plain = PlainWalk(iso, start, step, kWalkLimit);
      if (const auto proven = ProvenWalk(iso, start, step, kWalkLimit)) {
        ++decided;
        differences += !SameBracket(proven, plain);
      }
      differences += !SameBracket(WalkToSignChange(iso, start, step), plain);
    }
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(decided, kStates * 2 * 3 / 4);  // the proven walk decides most
}

// The stretch ProvenDistance proves, to its very end, and the steps
// StepsKeepingSign counts keep the start's sign.
TEST_P(Region3Walk, ProvenStretchesKeepTheSign) {
  std::mt19937_64 rng(36);
  std::uniform_real_distribution<double> unit(0, 1);
  int proven = 0;
  int wrong = 0;
  for (const State& s : States()) {
    const Isotherm iso(s.p, s.t);
    for (const bool up : {true, false}) {
      const double start = StartOf(s, up, rng);
      const double step = up ? kWalkStep : -kWalkStep;
      const int sign = SignOf(iso.Residual(start));
      const double end = std::clamp(start + kWalkLimit * step, kFilterVolumeMin, kWalkEnd);
      const double distance = ProvenDistance(iso, start, end, sign);
      proven += distance > 0;
      for (const double share : {1.0, unit(rng), unit(rng)}) {
        wrong += SignOf(iso.Residual(start + (up ? 1 : -1) * distance * share)) != sign;
      }
      const int steps = StepsKeepingSign(iso, start, sign, step, kWalkLimit);
      double x = start;
      for (int k = 0; k < steps; ++k) {
        x = Stored(ext{x} + step);
        wrong += SignOf(iso.Residual(x)) != sign;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(proven, kStates * 2 * 3 / 4);
}

// The bisection of the walk's bracket: at every midpoint the sign layer's
// answer has the exact residual's sign.
TEST_P(Region3Walk, MidpointSignsAreTheExactResiduals) {
  std::mt19937_64 rng(37);
  int midpoints = 0;
  int wrong = 0;
  for (const State& s : States()) {
    const Isotherm iso(s.p, s.t);
    for (const bool up : {true, false}) {
      const double step = up ? kWalkStep : -kWalkStep;
      const auto bracket = WalkToSignChange(iso, StartOf(s, up, rng), step);
      if (!bracket) continue;
      MidpointSigns signs(iso);
      double A = bracket->a;
      double B = bracket->b;
      double sign_A = SignOf(iso.Residual(A));
      for (double m = Midpoint(A, B); m != A && m != B; m = Midpoint(A, B)) {
        const double exact = iso.Residual(m);
        ++midpoints;
        wrong += SignOf(signs.At(m, A, B)) != SignOf(exact);
        if (sign_A * exact >= 0) {
          A = m;
          sign_A = exact;
        } else {
          B = m;
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(midpoints, kStates * 2 * 30);
}

// Below the region, from 13.9 MPa (where TB23 is defined) to the lowest
// pressure of region 3, the liquid-side start at 350 degC is steam: VW_PT's
// FAILURE, from which no walk below can start. One message each, and no
// floating-point fault from the count of steps.
TEST(Region3VolumeSearch, NoWalkBelowAFailedLiquidStart) {
  for (const double p : {14.0, 15.0, 16.0, 16.5}) {
    MessageRecorder recorder;
    std::feclearexcept(FE_ALL_EXCEPT);
    double v1 = 0;
    double v2 = 0;
    if97::VKR_PT(p, 300, v1, v2);
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT), 0) << p;
    EXPECT_EQ(v1, if97::FAILURE);
    EXPECT_EQ(v2, if97::FAILURE);
    ASSERT_FALSE(recorder.messages().empty());
    EXPECT_EQ(recorder.messages().back(), if97::messages::kNoVolumeBracket);
    EXPECT_FALSE(BracketBelow(Isotherm(p, 300), if97::FAILURE));
  }
}

INSTANTIATE_TEST_SUITE_P(Starts, Region3Walk, testing::Values(Start::kSearch, Start::kNearRoot));

}  // namespace
