// The walk's points found in closed form against the walk itself, step by
// step, over starts from the liquid to the vapour side, both directions, and
// the points asked for one by one, in jumps and across the ends of binades.
#include "region3/walk_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using if97::detail::WalkPoints;

constexpr double kStep = 0.00001;  // m3/kg, the search's step

// Counts the points at which WalkPoints differs from the walk, asking for
// every k (jump 0) or for k in random jumps up to `jump`.
int Differences(double start, double step, int jump, std::mt19937_64& rng) {
  std::uniform_int_distribution<int> next_jump(1, jump > 0 ? jump : 1);
  WalkPoints points(start, step);
  double x = start;
  int wanted = 0;
  int differences = 0;
  for (int k = 0; k <= 10000 && x >= WalkPoints::kLowest && x < WalkPoints::kHighest; ++k) {
    if (k == wanted) {
      if (points.At(k) != x) ++differences;
      wanted += jump > 0 ? next_jump(rng) : 1;
    }
    x = static_cast<double>(static_cast<long double>(x) + step);
  }
  return differences;
}

TEST(WalkPointsTest, EqualTheWalkEverywhere) {
  std::mt19937_64 rng(1997);
  std::uniform_real_distribution<double> log_start(std::log(1e-4), std::log(0.03));
  int differences = 0;
  for (int i = 0; i < 600; ++i) {
    const double start = std::exp(log_start(rng));
    for (const double step : {kStep, -kStep}) {
      differences += Differences(start, step, 0, rng) + Differences(start, step, 40, rng);
    }
  }
  EXPECT_EQ(differences, 0);
}

// Starts a step or a few below and above the binade ends the region-3
// volumes cross, where the spacing of the walk's points changes.
TEST(WalkPointsTest, EqualTheWalkAtBinadeEnds) {
  std::mt19937_64 rng(776);
  int differences = 0;
  for (const double end : {0x1p-9, 0x1p-8, 0x1p-7, 0x1p-6}) {
    for (int j = -30; j <= 30; ++j) {
      const double start = end + j * 0.37 * kStep;
      for (const double step : {kStep, -kStep}) {
        differences += Differences(start, step, 0, rng) + Differences(start, step, 3, rng);
      }
    }
  }
  EXPECT_EQ(differences, 0);
}

TEST(WalkPointsTest, NoPointOutsideTheirRange) {
  WalkPoints up(0.031, kStep);
  EXPECT_FALSE(std::isnan(up.At(0)));
  EXPECT_TRUE(std::isnan(up.At(1000)));  // past 2^-5
  WalkPoints down(0.0002, -kStep);
  EXPECT_TRUE(std::isnan(down.At(50)));  // below 1e-4
  EXPECT_TRUE(std::isnan(WalkPoints(std::nan(""), kStep).At(0)));
}

}  // namespace
