// The state of given h and s: round trips from states of every region and of
// wet steam formed on the engine's basic equations, refusals beyond the
// range, no floating-point exception anywhere.
#include "state/hs_solve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <random>
#include <vector>

#include "engine/forward.h"
#include "engine/region3_vpt.h"
#include "state/wet_start.h"

namespace {

namespace engine = if97::engine;
using if97::detail::HsSolution;
using if97::detail::SolveHs;
using Kind = HsSolution::Kind;

constexpr double kStateDigits = 1e-9;  // relative p, T, rho of a round trip
constexpr double kResidual = 1e-12;    // relative h and s, the solver's stop
constexpr double kXDigits = 1e-9;      // dryness fraction of a round trip
constexpr double kTc = 647.096;        // K

int RegionOf(double p, double T) {
  if (T <= 623.15) return p >= engine::Psat(T) ? 1 : 2;
  if (T <= 1073.15) return p <= engine::PB23(T) ? 2 : 3;
  return p <= 10 ? 5 : 2;
}

// In the region, or on its line: within the gap the equations of the two
// sides leave between them, 1e-5 relative.
bool BesideRegion(int region, double p, double T) {
  for (const double fp : {1.0, 1 - 1e-5, 1 + 1e-5}) {
    for (const double fT : {1.0, 1 - 1e-5, 1 + 1e-5}) {
      if (RegionOf(p * fp, T * fT) == region) return true;
    }
  }
  return false;
}

engine::Props PropsOf(int region, double p, double T, double rho) {
  switch (region) {
    case 1:
      return engine::Region1(p, T);
    case 2:
      return engine::Region2(p, T);
    case 5:
      return engine::Region5(p, T);
    default:
      return engine::Region3(rho, T);
  }
}

bool Region3DensityAt(double p, double T, double& rho) {
  return engine::Region3Density(p, T, 1 / engine::Region3VolumeEstimate(p, T), rho);
}

// The saturated phases at T: regions 1 and 2 up to 623.15 K, region 3 above,
// its densities found from the equations v(p, T) just off the line.
bool SaturatedAt(double T, engine::Props& L, engine::Props& V) {
  const double p = engine::Psat(T);
  if (T <= 623.15) {
    L = engine::Region1(p, T);
    V = engine::Region2(p, T);
    return true;
  }
  double rho_l = 0;
  double rho_v = 0;
  if (!engine::Region3Density(p, T, 1 / engine::Region3VolumeEstimate(p, T * (1 - 1e-9)), rho_l) ||
      !engine::Region3Density(p, T, 1 / engine::Region3VolumeEstimate(p, T * (1 + 1e-9)), rho_v)) {
    return false;
  }
  L = engine::Region3(rho_l, T);
  V = engine::Region3(rho_v, T);
  return true;
}

// A density of region 3 found to 1e-13 in p leaves h and s of the phase
// uncertain by their slopes in rho times the density's: twice that.
double DensityAllowance(const engine::Props& P, double dh_or_ds_drho) {
  return std::fabs(dh_or_ds_drho) * 2e-13 * P.p / P.dp_drho_T;
}

// The solver's stop: 1e-12 relative, absolute below 1 kJ/kg and 0.01 kJ/(kg K).
void ExpectResidual(double got, double want, double floor, const char* what, double allowance = 0) {
  const double scale = std::fabs(want) < floor ? 1 : std::fabs(want);
  EXPECT_LE(std::fabs(got - want), kResidual * scale + allowance) << what << " " << want;
}

// h and s of the state the solution names, from the same equations; for wet
// steam above 623.15 K, allowing for the densities of the saturated phases,
// which this test finds apart from the solver.
void ExpectSolutionHas(const HsSolution& r, double h, double s) {
  if (r.kind == Kind::kWet) {
    engine::Props L;
    engine::Props V;
    ASSERT_TRUE(SaturatedAt(r.T, L, V)) << r.T;
    EXPECT_EQ(r.p, engine::Psat(r.T));
    EXPECT_GE(r.x, 0);
    EXPECT_LE(r.x, 1);
    double allow_h = 0;
    double allow_s = 0;
    if (r.T > 623.15) {
      allow_h =
          (1 - r.x) * DensityAllowance(L, L.dh_drho_T) + r.x * DensityAllowance(V, V.dh_drho_T);
      allow_s =
          (1 - r.x) * DensityAllowance(L, L.ds_drho_T) + r.x * DensityAllowance(V, V.ds_drho_T);
    }
    ExpectResidual(L.h + r.x * (V.h - L.h), h, 1, "h", allow_h);
    ExpectResidual(L.s + r.x * (V.s - L.s), s, 0.01, "s", allow_s);
    // The phases the solution carries are those at its temperature.
    EXPECT_EQ(r.props.T, r.T);
    EXPECT_EQ(r.vapour.T, r.T);
    ExpectResidual(r.props.h + r.x * (r.vapour.h - r.props.h), h, 1, "h", allow_h);
    return;
  }
  const engine::Props P = PropsOf(r.region, r.p, r.T, r.rho);
  EXPECT_TRUE(BesideRegion(r.region, r.p, r.T)) << r.region << " " << r.p << " MPa " << r.T << " K";
  ExpectResidual(P.h, h, 1, "h");
  ExpectResidual(P.s, s, 0.01, "s");
  // The properties carried are those of the solution's own state.
  EXPECT_EQ(r.props.h, P.h);
  EXPECT_EQ(r.props.s, P.s);
  EXPECT_EQ(r.props.v, P.v);
}

class HsSolveTest : public ::testing::Test {
 protected:
  void SetUp() override { std::feclearexcept(FE_ALL_EXCEPT); }
  void TearDown() override { EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT), 0); }
};

// ---- single phase -------------------------------------------------------------

struct PT {
  double p;  // MPa
  double T;  // K
};

// A state on the line between two regions has the h and s of the
// neighbouring region's equation at a state within these of it (the
// equations meet on the lines to a few 1e-5 relative): either answer holds.
constexpr double kOverlapP = 1e-4;  // relative
constexpr double kOverlapT = 0.03;  // K
// The pressure of liquid water is set by h and s to no better than
// 1e-12 h / v, about 1e-9 MPa.
constexpr double kLiquidP = 5e-9;  // MPa

void ExpectRoundTrip(double p, double T) {
  const int region = RegionOf(p, T);
  double rho = NAN;
  if (region == 3) {
    ASSERT_TRUE(Region3DensityAt(p, T, rho)) << p << " " << T;
  }
  const engine::Props P = PropsOf(region, p, T, rho);
  const HsSolution r = SolveHs(P.h, P.s);
  ASSERT_EQ(r.kind, Kind::kSinglePhase) << p << " MPa " << T << " K";
  if (r.region != region) {
    EXPECT_NEAR(r.p, p, kOverlapP * p) << T << " K";
    EXPECT_NEAR(r.T, T, kOverlapT) << p << " MPa";
    ExpectSolutionHas(r, P.h, P.s);
    return;
  }
  EXPECT_NEAR(r.p, p, kStateDigits * p + (region == 1 ? kLiquidP : 0)) << T << " K";
  EXPECT_NEAR(r.T, T, kStateDigits * T) << p << " MPa";
  if (region == 3) {
    EXPECT_NEAR(r.rho, rho, kStateDigits * rho) << p << " MPa " << T << " K";
  } else {
    EXPECT_TRUE(std::isnan(r.rho));
  }
  EXPECT_TRUE(std::isnan(r.x));
  ExpectSolutionHas(r, P.h, P.s);
}

// Pressures from 1e-7 to 100 MPa, 16 a decade, and temperatures every 5 K
// across the range, with the edges themselves.
TEST_F(HsSolveTest, RoundTripsOverTheWholeRange) {
  std::vector<double> pressures;
  for (int k = 0; k <= 9 * 16; ++k) pressures.push_back(1e-7 * std::pow(10.0, k / 16.0));
  pressures.back() = 100;
  for (const double p : pressures) {
    for (double T = 273.15; T <= 1273.15 + 1e-9; T += 5) {
      if (T > 1073.15 && p > 10) break;
      if (T < 623.15 && p > 0.9 * engine::Psat(T) && p < 1.1 * engine::Psat(T)) {
        continue;  // beside the saturation line: the next test
      }
      ExpectRoundTrip(p, T);
    }
  }
}

// Beside each line between regions, on either side, and the corners.
TEST_F(HsSolveTest, RoundTripsBesideTheBoundaries) {
  std::vector<PT> states;
  for (double T = 273.16; T < 623.15; T += 3.5) {
    const double ps = engine::Psat(T);
    for (const double f : {1 - 1e-6, 1 + 1e-6, 1 - 1e-3, 1 + 1e-3}) states.push_back({ps * f, T});
  }
  for (double T = 623.16; T <= 863.15; T += 4) {
    const double p = engine::PB23(T);
    for (const double f : {1 - 1e-7, 1 + 1e-7, 1 - 1e-3, 1 + 1e-3}) states.push_back({p * f, T});
  }
  for (double p = 0.001; p <= 100; p *= 1.4) {
    for (const double T :
         {623.15 - 1e-6, 623.15 + 1e-6, 1073.15 - 1e-6, 1073.15 + 1e-6, 273.15, 1073.15}) {
      if (T > 1073.15 && p > 10) continue;
      if (T < 623.15 && std::fabs(p / engine::Psat(T) - 1) < 1e-6) continue;
      states.push_back({p, T});
    }
  }
  // Across the 2b/2c line and the 4 MPa isobar between 2a and 2b.
  for (double p = 4; p <= 100; p += 2.5) {
    for (double T = 560; T <= 1073.15; T += 7) {
      if (RegionOf(p, T) == 2) states.push_back({p, T});
    }
  }
  for (double T = 420; T <= 1073.15; T += 11) {
    states.push_back({4 * (1 - 1e-9), T});
    states.push_back({4 * (1 + 1e-9), T});
  }
  for (const PT& st : states) ExpectRoundTrip(st.p, st.T);
}

// Region 3 by density and temperature: 3a and 3b, and within 1 K of the
// critical point, stable states only (off the two-phase dome).
TEST_F(HsSolveTest, RoundTripsInRegion3ByDensity) {
  std::vector<std::pair<double, double>> states;  // rho, T
  for (double rho = 100; rho <= 760; rho += 15) {
    for (double T = 624; T <= 860; T += 6) states.push_back({rho, T});
  }
  for (double rho = 250; rho <= 400; rho += 5) {
    for (double dT = -1; dT <= 1; dT += 0.125) states.push_back({rho, kTc + dT});
  }
  int tried = 0;
  for (const auto& [rho, T] : states) {
    const engine::Props P = engine::Region3(rho, T);
    if (!(P.p > 0 && P.p <= 100) || RegionOf(P.p, T) != 3 || !(P.dp_drho_T > 0)) continue;
    if (T < kTc && (rho >= 322 ? P.p < engine::Psat(T) : P.p > engine::Psat(T))) continue;
    if (std::fabs(T - kTc) < 0.01 && std::fabs(rho - 322) < 40) continue;
    ++tried;
    const HsSolution r = SolveHs(P.h, P.s);
    ASSERT_EQ(r.kind, Kind::kSinglePhase) << rho << " kg/m3 " << T << " K";
    EXPECT_EQ(r.region, 3);
    EXPECT_NEAR(r.rho, rho, kStateDigits * rho) << T << " K";
    EXPECT_NEAR(r.T, T, kStateDigits * T) << rho << " kg/m3";
    EXPECT_NEAR(r.p, P.p, kStateDigits * P.p) << rho << " kg/m3 " << T << " K";
    ExpectSolutionHas(r, P.h, P.s);
  }
  EXPECT_GT(tried, 500);
}

// ---- wet steam ----------------------------------------------------------------

// The temperature of a mixture is set by h and s only as well as the
// isobar-isotherm through s moves h: by dG/dT = -(s - s') - v' dp_s/dT, small
// towards saturated water at low temperature and next to the critical point.
// T is checked to the residuals over that slope, x against the mixture at
// the temperature found, h and s to the solver's stop.
TEST_F(HsSolveTest, RoundTripsOfWetSteam) {
  std::vector<double> temperatures;
  for (double T = 273.15; T < 646; T += 2.75) temperatures.push_back(T);
  for (double dT = 1; dT >= 0.01; dT /= 2) temperatures.push_back(kTc - dT);
  temperatures.push_back(623.15);
  temperatures.push_back(623.15 + 1e-6);
  for (const double T : temperatures) {
    const double p = engine::Psat(T);
    engine::Props L;
    engine::Props V;
    ASSERT_TRUE(SaturatedAt(T, L, V)) << T;
    for (const double x : {1e-6, 0.001, 0.05, 0.25, 0.5, 0.75, 0.95, 0.999, 1 - 1e-6}) {
      const double h = L.h + x * (V.h - L.h);
      const double s = L.s + x * (V.s - L.s);
      const HsSolution r = SolveHs(h, s);
      const bool beside_623 = std::fabs(T - 623.15) < kOverlapT;
      if (beside_623 && r.kind == Kind::kSinglePhase) {
        // Saturated steam of region 3 by region 2's equation, in the gap.
        ExpectSolutionHas(r, h, s);
        continue;
      }
      ASSERT_EQ(r.kind, Kind::kWet) << T << " K x " << x;
      EXPECT_EQ(r.region, 4);
      const double dp_dT = (V.s - L.s) / (V.v - L.v) / 1000;      // MPa/K
      const double slope = x * (V.s - L.s) + 1000 * L.v * dp_dT;  // kJ/(kg K)
      const double residuals =
          kResidual * (std::max(std::fabs(h), 1.0) + T * std::max(std::fabs(s), 0.01)) +
          (T > 623.15 ? DensityAllowance(V, V.dh_drho_T) : 0);
      // At 623.15 K the phases change equations, which differ by a few 1e-5
      // there: a mixture of either side's phases has a state on the other.
      const double dT =
          std::fabs(T - 623.15) < kOverlapT ? kOverlapT : kStateDigits * T + 10 * residuals / slope;
      EXPECT_NEAR(r.T, T, dT) << "x " << x;
      EXPECT_NEAR(r.p, p, kStateDigits * p + dp_dT * dT) << T << " K x " << x;
      engine::Props L_found;
      engine::Props V_found;
      ASSERT_TRUE(SaturatedAt(r.T, L_found, V_found));
      EXPECT_NEAR(r.x, (s - L_found.s) / (V_found.s - L_found.s), kXDigits) << T << " K";
      EXPECT_TRUE(std::isnan(r.rho));
      ExpectSolutionHas(r, h, s);
    }
  }
}

// The table's start for wet steam up to 623.15 K: close enough to the root
// that one Newton step meets the tolerance, except beside saturated water,
// where G turns just past its root; none where the root lies above.
TEST_F(HsSolveTest, WetStartFromTheTableNearTheRoot) {
  for (double T = 273.4; T < 646; T += 0.73) {
    engine::Props L;
    engine::Props V;
    ASSERT_TRUE(SaturatedAt(T, L, V)) << T;
    for (const double x : {0.0, 1e-4, 0.01, 0.2, 0.5, 0.8, 1.0}) {
      const double start =
          if97::detail::WetTemperatureStart(L.h + x * (V.h - L.h), L.s + x * (V.s - L.s));
      if (T > 623.15) {
        EXPECT_TRUE(std::isnan(start)) << T;
      } else {
        EXPECT_NEAR(start, T, x >= 0.01 ? 1e-6 : 0.1) << "x " << x;
      }
    }
  }
  EXPECT_TRUE(std::isnan(if97::detail::WetTemperatureStart(100, 8)));  // steam
  EXPECT_TRUE(std::isnan(if97::detail::WetTemperatureStart(NAN, 1)));
}

// ---- refusals -------------------------------------------------------------------

TEST_F(HsSolveTest, RefusesStatesBeyondTheRange) {
  const double inf = INFINITY;
  struct HS {
    double h;  // kJ/kg
    double s;  // kJ/(kg K)
  };
  std::vector<HS> cases = {
      {NAN, 1},
      {100, NAN},
      {inf, 1},
      {100, -inf},
      {-inf, inf},
      {1e300, 1e300},
      {-500, 0},
      {1e4, 5},
      {2500, 200},
      {3000, -5},
      // Far above 100 MPa, where the backward equations' start lies within
      // the range; steam below 0 degC at a few Pa.
      {1900, 1},
      {2300, 3},
      {2440, 9.6},
      {2250, 10.3},
  };
  const auto add = [&](const engine::Props& P) { cases.push_back({P.h, P.s}); };
  add(engine::Region1(150, 300));   // above 100 MPa
  add(engine::Region1(10, 268));    // below 0 degC
  add(engine::Region2(1e-4, 268));  // steam below 0 degC
  add(engine::Region2(1e-9, 600));  // below 1e-7 MPa
  add(engine::Region2(20, 1100));   // above 800 degC beyond 10 MPa
  add(engine::Region5(5, 1320));    // above 1000 degC
  add(engine::Region2(50, 1085));   // above 800 degC at 50 MPa
  {
    // Wet steam below the triple line: the 272 K isobar-isotherm.
    const double p = engine::Psat(272);
    const engine::Props L = engine::Region1(p, 272);
    const engine::Props V = engine::Region2(p, 272);
    cases.push_back({L.h + 0.5 * (V.h - L.h), L.s + 0.5 * (V.s - L.s)});
  }
  for (const HS& c : cases) {
    EXPECT_EQ(SolveHs(c.h, c.s).kind, Kind::kOutOfRange) << c.h << " " << c.s;
  }
}

// Any (h, s) over a box wider than the range: a refusal, or a state that has
// them; no convergence only next to the critical point.
TEST_F(HsSolveTest, AnswersEveryPointOfABroadBox) {
  std::mt19937_64 rng(97);
  std::uniform_real_distribution<double> h_of(-200, 5500);
  std::uniform_real_distribution<double> s_of(-1, 14);
  int answered = 0;
  for (int k = 0; k < 40000; ++k) {
    const double h = h_of(rng);
    const double s = s_of(rng);
    const HsSolution r = SolveHs(h, s);
    if (r.kind == Kind::kOutOfRange) continue;
    if (r.kind == Kind::kNoConvergence) {
      ADD_FAILURE() << "no convergence at " << h << " " << s;
      continue;
    }
    ++answered;
    ExpectSolutionHas(r, h, s);
  }
  EXPECT_GT(answered, 10000);
}

}  // namespace
