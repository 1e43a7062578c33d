// The region-3 backward equations and saturation pressures of the double
// engine: the release's check values to their printed digits, agreement with
// the basic equation of region 3 within the release's permissible
// deviations, the 3a/3b choice, and sweeps over the whole range of validity
// that stay plausible, monotonic and free of floating-point exceptions.
#include "engine/region3_backward.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

namespace if97::engine {
namespace {

constexpr double kPermittedT = 0.025;  // K, the release's permissible deviation in T
constexpr double kPermittedV = 1e-4;   // relative, the same in v (0.01 %)
// p3sat against the saturation line of region 3: measured at most 3.3e-5,
// next to the critical point.
constexpr double kSaturation = 5e-5;  // relative
// The jump across the 3a/3b boundary: measured at most 0.4 mK and 5e-6
// relative; a wrong coefficient on either side shows as more.
constexpr double kBoundaryJumpT = 2e-3;  // K
constexpr double kBoundaryJumpV = 1e-5;  // relative

constexpr double kSc = 4.41202148223476;  // kJ/(kg K), the 3a/3b boundary in s
constexpr int kRaisedFlags = FE_ALL_EXCEPT & ~FE_INEXACT;

// ---- check values ---------------------------------------------------------
// The release's own check values (IAPWS revised supplementary release on
// region 3 backward equations, 2014), each to its printed digits: the
// result within half a unit of the last printed digit.
struct CheckValue {
  const char* name;
  double (*function)(double, double);
  double x;  // p (MPa), or h or s of a one-argument function
  double y;  // h (kJ/kg) or s (kJ/(kg K))
  double expected;
  double last_digit;
};

class CheckValueTest : public testing::TestWithParam<CheckValue> {};

TEST_P(CheckValueTest, ReproducesPrintedDigits) {
  const CheckValue& c = GetParam();
  EXPECT_NEAR(c.function(c.x, c.y), c.expected, c.last_digit / 2) << c.name;
}

double H3abOf(double p, double) { return H3ab(p); }
double P3satOfH(double h, double) { return P3sat_h(h); }
double P3satOfS(double s, double) { return P3sat_s(s); }

const CheckValue kCheckValues[] = {
    {"H3ab", H3abOf, 25, 0, 2095.936454, 1e-6},
    {"T3a_ph", T3a_ph, 20, 1700, 629.3083892, 1e-7},
    {"T3a_ph", T3a_ph, 100, 2100, 733.6163014, 1e-7},
    {"T3b_ph", T3b_ph, 20, 2500, 641.8418053, 1e-7},
    {"T3b_ph", T3b_ph, 100, 2700, 842.0460876, 1e-7},
    {"V3a_ph", V3a_ph, 20, 1700, 0.001749903962, 1e-12},
    {"V3a_ph", V3a_ph, 100, 2100, 0.001676229776, 1e-12},
    {"V3b_ph", V3b_ph, 20, 2500, 0.006670547043, 1e-12},
    {"V3b_ph", V3b_ph, 100, 2700, 0.002404234998, 1e-12},
    {"T3a_ps", T3a_ps, 20, 3.8, 628.2959869, 1e-7},
    {"T3a_ps", T3a_ps, 100, 4, 705.6880237, 1e-7},
    {"T3b_ps", T3b_ps, 20, 5, 640.1176443, 1e-7},
    {"T3b_ps", T3b_ps, 100, 5, 847.4332825, 1e-7},
    {"V3a_ps", V3a_ps, 20, 3.8, 0.001733791463, 1e-12},
    {"V3a_ps", V3a_ps, 100, 4, 0.001555893131, 1e-12},
    {"V3b_ps", V3b_ps, 20, 5, 0.006262101987, 1e-12},
    {"V3b_ps", V3b_ps, 100, 5, 0.002449610757, 1e-12},
    {"P3sat_h", P3satOfH, 1700, 0, 17.24175718, 1e-8},
    {"P3sat_h", P3satOfH, 2400, 0, 20.18090839, 1e-8},
    {"P3sat_s", P3satOfS, 3.8, 0, 16.87755057, 1e-8},
    {"P3sat_s", P3satOfS, 5.2, 0, 16.68968482, 1e-8},
};

INSTANTIATE_TEST_SUITE_P(Release2014, CheckValueTest, testing::ValuesIn(kCheckValues),
                         [](const testing::TestParamInfo<CheckValue>& info) {
                           return std::string(info.param.name) + "_" + std::to_string(info.index);
                         });

// ---- against the basic equation ---------------------------------------------
// States of the IAPWS-IF97 basic equation of region 3 (eq. 28) at (p, T),
// 10 digits: 0.05 K inside 623.15 K and the B23 line, both phases below
// 22.064 MPa.
struct State {
  double p;  // MPa
  double T;  // K
  double h;  // kJ/kg
  double s;  // kJ/(kg K)
  double v;  // m3/kg
};

// clang-format off
const State kBasicEquationStates[] = {
    {17, 623.2, 1667.096566, 3.77092804, 0.001727875587},
    {17, 624.0549712, 1675.552594, 3.784487405, 0.001742704345},
    {17, 624.9099423, 1684.348547, 3.798572529, 0.001758687557},
    {17, 626.6198847, 2567.562396, 5.210687032, 0.008603146358},
    {17, 627.4748558, 2580.775589, 5.231759303, 0.008758181794},
    {20, 623.2, 1646.362339, 3.729501507, 0.001665420858},
    {20, 628.5069405, 1692.425784, 3.80309561, 0.001736958996},
    {20, 633.813881, 1747.896625, 3.89096834, 0.001840628763},
    {20, 644.427762, 2548.850267, 5.144284114, 0.007141448577},
    {20, 649.7347025, 2621.834608, 5.25710055, 0.007872730557},
    {25, 623.2, 1624.206427, 3.680873056, 0.001599229477},
    {25, 633.9120972, 1704.848844, 3.809144529, 0.001706069082},
    {25, 644.6241944, 1805.97861, 3.967276216, 0.001882256457},
    {25, 655.3362915, 1999.694469, 4.264838989, 0.00244734554},
    {25, 666.0483887, 2464.920121, 4.970034095, 0.005140461839},
    {25, 676.7604859, 2622.207047, 5.204487642, 0.006352283491},
    {40, 623.2, 1589.055732, 3.587461026, 0.001488664127},
    {40, 645.0510438, 1722.24315, 3.797438331, 0.00161821722},
    {40, 666.9020876, 1879.01, 4.036306856, 0.001824645491},
    {40, 688.7531314, 2085.130569, 4.340144473, 0.002230519679},
    {40, 710.6041752, 2361.656088, 4.735246347, 0.003086518611},
    {40, 732.455219, 2606.807951, 5.075304812, 0.004118767343},
    {70, 623.2, 1561.800574, 3.475043574, 0.001377466852},
    {70, 659.97137, 1750.971317, 3.769857792, 0.001507260923},
    {70, 696.7427399, 1958.664954, 4.075955991, 0.001696289613},
    {70, 733.5141099, 2191.9278, 4.402046863, 0.001987623405},
    {70, 770.2854799, 2446.242171, 4.740285117, 0.002423182896},
    {70, 807.0568498, 2694.734039, 5.055523477, 0.002971570403},
    {100, 623.2, 1554.147835, 3.398137558, 0.001311845227},
    {100, 671.18, 1781.515746, 3.749486221, 0.001437143892},
    {100, 719.16, 2023.553122, 4.097656156, 0.001610792927},
    {100, 767.14, 2282.791077, 4.446499028, 0.001856446453},
    {100, 815.12, 2551.398704, 4.786117476, 0.002187036513},
    {100, 863.1, 2812.690418, 5.0976809, 0.002584273918},
};
// clang-format on

TEST(Region3Backward, AgreesWithBasicEquationWithinPermissibleDeviation) {
  for (const State& x : kBasicEquationStates) {
    SCOPED_TRACE(testing::Message() << "p = " << x.p << " MPa, T = " << x.T << " K");
    EXPECT_NEAR(T3_ph(x.p, x.h), x.T, kPermittedT);
    EXPECT_NEAR(V3_ph(x.p, x.h) / x.v, 1, kPermittedV);
    EXPECT_NEAR(T3_ps(x.p, x.s), x.T, kPermittedT);
    EXPECT_NEAR(V3_ps(x.p, x.s) / x.v, 1, kPermittedV);
  }
}

// Saturation states of region 3, from 624.15 K to near the critical point:
// IAPWS-IF97 eq. 30 for p_s and the region-3 equation for both phases,
// 10 digits.
struct SaturationState {
  double T;        // K
  double p;        // MPa
  double h_water;  // kJ/kg
  double h_steam;  // kJ/kg
  double s_water;  // kJ/(kg K)
  double s_steam;  // kJ/(kg K)
};

// clang-format off
const SaturationState kSaturationStates[] = {
    {624.15, 16.73310044, 1679.144011, 2556.718591, 3.790989281, 5.1970211},
    {628.15, 17.57012211, 1713.709235, 2526.449818, 3.843811249, 5.137674474},
    {632.15, 18.44253691, 1751.420368, 2490.926723, 3.901105068, 5.070930514},
    {636.15, 19.35240583, 1793.779329, 2447.794066, 3.965147275, 4.993226798},
    {640.15, 20.30232651, 1844.091643, 2391.978178, 4.040975785, 4.896845168},
    {644.15, 21.29640504, 1913.254073, 2307.453221, 4.145289529, 4.757257411},
    {646.15, 21.81316315, 1974.135016, 2227.554092, 4.237724947, 4.629923875},
    {647.05, 22.05167331, 2055.862939, 2121.780206, 4.363113992, 4.464987519},
};
// clang-format on

TEST(Region3Backward, SaturationPressureAgreesWithSaturationLine) {
  for (const SaturationState& x : kSaturationStates) {
    SCOPED_TRACE(testing::Message() << "T = " << x.T << " K");
    EXPECT_NEAR(P3sat_h(x.h_water) / x.p, 1, kSaturation);
    EXPECT_NEAR(P3sat_h(x.h_steam) / x.p, 1, kSaturation);
    EXPECT_NEAR(P3sat_s(x.s_water) / x.p, 1, kSaturation);
    EXPECT_NEAR(P3sat_s(x.s_steam) / x.p, 1, kSaturation);
  }
}

// ---- sub-regions 3a and 3b -------------------------------------------------
TEST(Region3Backward, BoundaryBelongsToSubregion3a) {
  for (const double p : {16.6, 20.0, 22.064, 50.0, 100.0}) {
    const double h = H3ab(p);
    const double h_above = std::nextafter(h, 1e4);
    EXPECT_EQ(T3_ph(p, h), T3a_ph(p, h)) << p;
    EXPECT_EQ(V3_ph(p, h), V3a_ph(p, h)) << p;
    EXPECT_EQ(T3_ph(p, h_above), T3b_ph(p, h_above)) << p;
    EXPECT_EQ(V3_ph(p, h_above), V3b_ph(p, h_above)) << p;
    const double s_above = std::nextafter(kSc, 10.0);
    EXPECT_EQ(T3_ps(p, kSc), T3a_ps(p, kSc)) << p;
    EXPECT_EQ(V3_ps(p, kSc), V3a_ps(p, kSc)) << p;
    EXPECT_EQ(T3_ps(p, s_above), T3b_ps(p, s_above)) << p;
    EXPECT_EQ(V3_ps(p, s_above), V3b_ps(p, s_above)) << p;
  }
}

// Above the critical pressure the boundaries lie in single-phase states, where
// both sub-region equations hold.
TEST(Region3Backward, SubregionsMeetAtTheirBoundary) {
  for (double p = 22.064; p <= 100; p += 0.5) {
    SCOPED_TRACE(testing::Message() << "p = " << p << " MPa");
    const double h = H3ab(p);
    EXPECT_NEAR(T3a_ph(p, h), T3b_ph(p, h), kBoundaryJumpT);
    EXPECT_NEAR(V3a_ph(p, h) / V3b_ph(p, h), 1, kBoundaryJumpV);
    EXPECT_NEAR(T3a_ps(p, kSc), T3b_ps(p, kSc), kBoundaryJumpT);
    EXPECT_NEAR(V3a_ps(p, kSc) / V3b_ps(p, kSc), 1, kBoundaryJumpV);
  }
}

// ---- sweeps over the range of validity ---------------------------------------
// Region 3 at pressure p, from the basic equations: h and s at 623.2 K, of
// saturated water and steam (below 22.064 MPa; above it both columns hold the
// 3a/3b boundary, so there is no gap), and 0.05 K below the B23 line.
struct Extent {
  double p;                                      // MPa
  double h_lowest, h_water, h_steam, h_highest;  // kJ/kg
  double s_lowest, s_water, s_steam, s_highest;  // kJ/(kg K)
};

// clang-format off
const Extent kExtents[] = {
    {16.6, 1670.722, 1673.75, 2561.249, 2565.973, 3.777857, 3.782716, 5.206134, 5.213709},
    {17, 1667.097, 1690.036, 2547.413, 2580.776, 3.770928, 3.80767, 5.1785, 5.231759},
    {18, 1659.128, 1732.023, 2509.53, 2603.454, 3.755389, 3.871675, 5.105533, 5.253985},
    {20, 1646.362, 1827.101, 2411.387, 2621.835, 3.729502, 4.015382, 4.929904, 5.257101},
    {21, 1641.055, 1889.396, 2337.543, 2624.897, 3.718325, 4.109255, 4.806241, 5.249994},
    {21.8, 1637.188, 1971.876, 2230.567, 2625.784, 3.71001, 4.23428, 4.634669, 5.242341},
    {22.2, 1635.363, 2087.942, 2087.942, 2625.849, 3.706033, 4.412021, 4.412021, 5.23808},
    {23, 1631.906, 2090.251, 2090.251, 2625.412, 3.698397, 4.412021, 4.412021, 5.228967},
    {25, 1624.206, 2095.936, 2095.936, 2622.207, 3.680873, 4.412021, 4.412021, 5.204488},
    {40, 1589.056, 2134.932, 2134.932, 2606.808, 3.587461, 4.412021, 4.412021, 5.075305},
    {60, 1567.654, 2179.189, 2179.189, 2658.064, 3.506767, 4.412021, 4.412021, 5.048133},
    {80, 1557.907, 2218.454, 2218.454, 2733.51, 3.446898, 4.412021, 4.412021, 5.067645},
    {100, 1554.148, 2256.928, 2256.928, 2812.69, 3.398138, 4.412021, 4.412021, 5.097681},
};
// clang-format on

// T(p, y) and v(p, y) along y in [from, to] at p: plausible, rising with y
// (save for the jump allowed at the 3a/3b boundary), no flag raised.
void Sweep(double (*T)(double, double), double (*v)(double, double), double p, double from,
           double to) {
  constexpr int kSteps = 200;
  double T_before = 0;
  double v_before = 0;
  for (int k = 0; k <= kSteps; ++k) {
    const double y = from + (to - from) * k / kSteps;
    std::feclearexcept(FE_ALL_EXCEPT);
    const double T_y = T(p, y);
    const double v_y = v(p, y);
    ASSERT_EQ(std::fetestexcept(kRaisedFlags), 0) << "p = " << p << ", y = " << y;
    ASSERT_TRUE(623.15 <= T_y && T_y <= 900) << "p = " << p << ", y = " << y << ", T = " << T_y;
    ASSERT_TRUE(1e-3 <= v_y && v_y <= 0.1) << "p = " << p << ", y = " << y << ", v = " << v_y;
    if (k > 0) {
      ASSERT_GT(T_y, T_before - kBoundaryJumpT) << "p = " << p << ", y = " << y;
      ASSERT_GT(v_y, v_before * (1 - kBoundaryJumpV)) << "p = " << p << ", y = " << y;
    }
    T_before = T_y;
    v_before = v_y;
  }
}

TEST(Region3Backward, SweepsOverRegion3) {
  for (const Extent& x : kExtents) {
    Sweep(T3_ph, V3_ph, x.p, x.h_lowest, x.h_water);
    Sweep(T3_ph, V3_ph, x.p, x.h_steam, x.h_highest);
    Sweep(T3_ps, V3_ps, x.p, x.s_lowest, x.s_water);
    Sweep(T3_ps, V3_ps, x.p, x.s_steam, x.s_highest);
  }
}

// p3sat over its whole range, [y'(623.15 K), y''(623.15 K)]: between the
// saturation pressure at 623.15 K and the critical pressure, no flag raised.
TEST(Region3Backward, SaturationPressureSweep) {
  const struct {
    double (*function)(double);
    double lowest, highest;
  } kRanges[] = {{P3sat_h, 1670.858218, 2563.592004}, {P3sat_s, 3.77828134, 5.210887825}};
  for (const auto& range : kRanges) {
    for (int k = 0; k <= 1000; ++k) {
      const double y = range.lowest + (range.highest - range.lowest) * k / 1000;
      std::feclearexcept(FE_ALL_EXCEPT);
      const double p = range.function(y);
      ASSERT_EQ(std::fetestexcept(kRaisedFlags), 0) << y;
      ASSERT_TRUE(16.52 <= p && p <= 22.07) << "y = " << y << ", p = " << p;
    }
  }
}

// Outside its range p3sat gives NaN, not the polynomial's wild values, and
// raises no flag, also for a NaN or an infinite argument. The published bounds
// are rounded; a bound computed elsewhere a rounding away is still admitted.
TEST(Region3Backward, SaturationPressureRefusesOutsideItsRange) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const struct {
    double (*function)(double);
    double lowest, highest;  // as the release prints them
    double below, above;     // clearly outside
  } kRanges[] = {{P3sat_h, 1670.858218, 2563.592004, 1670.85, 2563.6},
                 {P3sat_s, 3.77828134, 5.210887825, 3.7782, 5.2109}};
  for (const auto& r : kRanges) {
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_TRUE(std::isfinite(r.function(r.lowest * (1 - 1e-10))));
    EXPECT_TRUE(std::isfinite(r.function(r.highest * (1 + 1e-10))));
    for (const double y : {r.below, r.above, -r.highest, 0.0, 1e300, kNaN, kInfinity, -kInfinity}) {
      EXPECT_TRUE(std::isnan(r.function(y))) << y;
    }
    EXPECT_EQ(std::fetestexcept(kRaisedFlags), 0);
  }
}

}  // namespace
}  // namespace if97::engine
