// The further properties of the state API: consistent with their definitions
// and with the equation of state, positive and finite where they exist, NaN
// where they do not, and the same bits whichever Extent a call asks for.
#include <gtest/gtest.h>
#include <if97/if97_state.h>

#include <cfenv>
#include <cmath>
#include <vector>

namespace {

using if97::Extent;
using if97::State;

// States (p MPa, t degC) over every region: 1, 2, 3 (both sides of the
// critical point), 5, and beside the critical point.
std::vector<std::pair<double, double>> Grid() {
  std::vector<std::pair<double, double>> grid;
  for (const double p : {0.001, 0.1, 1.0, 5.0, 16.6, 22.0, 25.0, 50.0, 100.0}) {
    for (double t = 0.5; t <= 800; t += 23.7) grid.emplace_back(p, t);
  }
  for (const double t : {820.0, 900.0, 999.0}) grid.emplace_back(8.0, t);
  for (const double t : {373.5, 374.0, 374.5, 376.0}) grid.emplace_back(22.1, t);
  return grid;
}

constexpr double kDefinition = 1e-14;  // relative: the derived ones as defined
constexpr double kSlope = 1e-5;        // relative: against difference quotients

void ExpectRelative(double value, double expected, double tolerance, const char* what) {
  EXPECT_NEAR(value, expected, tolerance * std::fabs(expected)) << what;
}

TEST(StateProperties, DerivedPropertiesFollowTheirDefinitions) {
  for (const auto& [p, t] : Grid()) {
    const if97::StateResult r = if97::state_pt(p, t);
    if (!r) continue;
    const State& s = r.state;
    SCOPED_TRACE(testing::Message() << "p = " << p << ", t = " << t);
    ASSERT_TRUE(std::isfinite(s.eta) && s.eta > 0);
    ASSERT_TRUE(std::isfinite(s.lambda) && s.lambda > 0);
    // The dielectric constant's release covers 238 to 1200 K.
    if (t + 273.15 <= 1200) {
      EXPECT_GE(s.epsilon, 1);
    } else {
      EXPECT_TRUE(std::isnan(s.epsilon));
    }
    ExpectRelative(s.rho, 1 / s.v, kDefinition, "rho");
    ExpectRelative(s.nu, s.eta / s.rho, kDefinition, "nu");
    ExpectRelative(s.a, s.lambda / (s.rho * s.cp * 1000), kDefinition, "a");
    ExpectRelative(s.Pr, s.eta * s.cp * 1000 / s.lambda, kDefinition, "Pr");
    ExpectRelative(s.kappa, s.w * s.w / (p * 1e6 * s.v), kDefinition, "kappa");
    EXPECT_TRUE(std::isnan(s.sigma)) << "no surface tension off the saturation line";
  }
}

// alpha_v, kappa_T and mu_JT against difference quotients of the state API's
// own v(p, t) and t(p, h), away from the critical point.
TEST(StateProperties, SlopesAgreeWithDifferenceQuotients) {
  for (const auto& [p, t] : Grid()) {
    if (std::fabs(p - 22.064) < 3 && std::fabs(t - 373.946) < 30) continue;
    const if97::StateResult r = if97::state_pt(p, t);
    const double dt = 1e-3;
    const double dp = 1e-4 * p;
    const if97::StateResult hot = if97::state_pt(p, t + dt);
    const if97::StateResult cold = if97::state_pt(p, t - dt);
    const if97::StateResult high = if97::state_pt(p + dp, t);
    const if97::StateResult low = if97::state_pt(p - dp, t);
    if (!r || !hot || !cold || !high || !low || hot.state.region != r.state.region ||
        cold.state.region != r.state.region || high.state.region != r.state.region ||
        low.state.region != r.state.region) {
      continue;
    }
    SCOPED_TRACE(testing::Message() << "p = " << p << ", t = " << t);
    const State& s = r.state;
    const double alpha = (hot.state.v - cold.state.v) / (2 * dt) / s.v;
    const double kappa_T = -(high.state.v - low.state.v) / (2 * dp) / s.v;
    EXPECT_NEAR(s.alpha_v, alpha, kSlope * std::fabs(alpha) + 1e-9);
    EXPECT_NEAR(s.kappa_T, kappa_T, kSlope * std::fabs(kappa_T) + 1e-12);
    const if97::StateResult up = if97::state_ph(p + dp, s.h);
    const if97::StateResult down = if97::state_ph(p - dp, s.h);
    if (up && down && up.state.region == s.region && down.state.region == s.region) {
      const double mu = (up.state.t - down.state.t) / (2 * dp);
      EXPECT_NEAR(s.mu_JT, mu, 1e-4 * std::fabs(mu) + 1e-6);
    }
  }
}

TEST(StateProperties, ThermodynamicExtentGivesTheSameBitsWithoutTransport) {
  for (const auto& [p, t] : Grid()) {
    const if97::StateResult all = if97::state_pt(p, t);
    const if97::StateResult thermo = if97::state_pt(p, t, Extent::kThermodynamic);
    ASSERT_EQ(all.ok(), thermo.ok());
    if (!all) continue;
    for (const if97::PropertyInfo& info : if97::kProperties) {
      const double a = all.state.*info.member;
      const double b = thermo.state.*info.member;
      if (info.extent == Extent::kThermodynamic) {
        EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << info.name;
      } else {
        EXPECT_TRUE(std::isnan(b)) << info.name << " is formed only for Extent::kAll";
      }
    }
  }
}

TEST(StateProperties, SaturationStatesHaveASurfaceTensionThatFallsToTheCriticalPoint) {
  double last = INFINITY;
  for (double t = 0.01; t < 373.9; t += 7.3) {
    const if97::SaturationResult r = if97::saturation_t(t);
    ASSERT_TRUE(r.ok()) << t;
    EXPECT_EQ(r.water.sigma, r.steam.sigma);
    EXPECT_GT(r.water.sigma, 0);
    EXPECT_LT(r.water.sigma, last);
    last = r.water.sigma;
    for (const State* s : {&r.water, &r.steam}) {
      EXPECT_TRUE(std::isfinite(s->eta) && s->eta > 0) << t;
      EXPECT_TRUE(std::isfinite(s->lambda) && s->lambda > 0) << t;
    }
  }
}

TEST(StateProperties, WetSteamHasOnlyTheDensityAndTheSurfaceTension) {
  const if97::StateResult r = if97::state_px(1, 0.5);
  ASSERT_TRUE(r.ok());
  const State& s = r.state;
  EXPECT_DOUBLE_EQ(s.rho, 1 / s.v);
  EXPECT_GT(s.sigma, 0);
  for (const double undefined : {s.cp, s.cv, s.w, s.eta, s.nu, s.lambda, s.a, s.Pr, s.kappa,
                                 s.alpha_v, s.kappa_T, s.mu_JT, s.epsilon}) {
    EXPECT_TRUE(std::isnan(undefined));
  }
}

// The viscosity's critical enhancement stays inside its box: one step
// outside it the viscosity is continuous with the base formula's trend, and
// inside it is not below it; the conductivity peaks at the critical point.
TEST(StateProperties, CriticalEnhancementsOnlyNearTheCriticalPoint) {
  const if97::StateResult near = if97::state_pt(22.1, 374.0);
  const if97::StateResult far = if97::state_pt(22.1, 450.0);
  const if97::StateResult liquid = if97::state_pt(22.1, 300.0);
  ASSERT_TRUE(near && far && liquid);
  EXPECT_GT(near.state.lambda, 2 * far.state.lambda);
  EXPECT_GT(near.state.lambda, liquid.state.lambda);
  EXPECT_GT(near.state.Pr, far.state.Pr);
}

// A NaN or an infinity is refused by every pair, never answered as a state.
TEST(StateArguments, EveryPairRefusesNonFiniteArguments) {
  for (const double bad : {NAN, INFINITY, -INFINITY}) {
    for (const if97::StateResult& r :
         {if97::state_pt(bad, 100), if97::state_pt(1, bad), if97::state_ph(bad, 500),
          if97::state_ph(3, bad), if97::state_ps(bad, 5), if97::state_ps(3, bad),
          if97::state_hs(bad, 6), if97::state_hs(2800, bad), if97::state_px(bad, 0.5),
          if97::state_px(1, bad), if97::state_tx(bad, 0.5), if97::state_tx(100, bad)}) {
      EXPECT_FALSE(r.ok()) << bad;
      EXPECT_TRUE(std::isnan(r.state.h)) << bad;
    }
    EXPECT_FALSE(if97::saturation_p(bad).ok()) << bad;
    EXPECT_FALSE(if97::saturation_t(bad).ok()) << bad;
  }
}

TEST(StateProperties, SweepsRaiseNoFloatingPointFlag) {
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const auto& [p, t] : Grid()) {
    (void)if97::state_pt(p, t);
    (void)if97::state_ph(p, 100 + 40 * t);
  }
  for (double t = 0; t <= 373.9; t += 11.1) (void)if97::saturation_t(t);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT), 0);
}

}  // namespace
