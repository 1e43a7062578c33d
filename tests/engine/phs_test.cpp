// The backward equations of (h, s): the releases' check values, the lines
// meeting where the releases join them, and the start HsEstimate gives for
// states (p, T) of every region and of wet steam whose h and s come from the
// basic equations of the classic library.
#include "engine/phs.h"

#include <gtest/gtest.h>
#include <if97/if97.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "../library/verification.h"
#include "tables/phs.h"

namespace {

using namespace if97::engine;
namespace tables = if97::tables;

constexpr double kKelvin = 273.15;  // K at 0 degC

double B23Pressure(double T) {  // IAPWS-IF97 eq. 5, MPa at T in K
  return 0.34805185628969e3 - 0.11671859879975e1 * T + 0.10192970039326e-2 * T * T;
}

// ---- check values -----------------------------------------------------------

struct CheckValue {
  const char* equation;
  double (*f)(double h, double s);
  double h;  // kJ/kg (ignored by the lines h(s))
  double s;  // kJ/(kg K)
  double published;
};

// Every value is printed to 10 significant digits.
constexpr int kPrintedDigits = 10;

// IAPWS supplementary releases on p(h,s) for regions 1 and 2, and on p(h,s)
// for region 3 and T_sat(h,s): their check values, in their order.
const CheckValue kCheckValues[] = {
    {"h'_1(s)", [](double, double s) { return H1Sat_s(s); }, 0, 1, 308.5509647},
    {"h'_1(s)", [](double, double s) { return H1Sat_s(s); }, 0, 3, 1198.359754},
    {"h''_2ab(s)", [](double, double s) { return H2abSat_s(s); }, 0, 7, 2723.729985},
    {"h''_2ab(s)", [](double, double s) { return H2abSat_s(s); }, 0, 9, 2511.861477},
    {"h_2ab(s)", [](double, double s) { return H2ab_s(s); }, 0, 7, 3376.437884},
    {"p_1(h,s)", P1_hs, 0.001, 0, 0.0009800980612},
    {"p_1(h,s)", P1_hs, 90, 0, 91.92954727},
    {"p_1(h,s)", P1_hs, 1500, 3.4, 58.68294423},
    {"p_2a(h,s)", P2a_hs, 2800, 6.5, 1.371012767},
    {"p_2a(h,s)", P2a_hs, 2800, 9.5, 0.001879743844},
    {"p_2a(h,s)", P2a_hs, 4100, 9.5, 0.1024788997},
    {"p_2b(h,s)", P2b_hs, 2800, 6, 4.793911442},
    {"p_2b(h,s)", P2b_hs, 3600, 6, 83.95519209},
    {"p_2b(h,s)", P2b_hs, 3600, 7, 7.527161441},
    {"p_2c(h,s)", P2c_hs, 2800, 5.1, 94.39202060},
    {"p_2c(h,s)", P2c_hs, 2800, 5.8, 8.414574124},
    {"p_2c(h,s)", P2c_hs, 3400, 5.8, 83.76903879},
    {"h'_3a(s)", [](double, double s) { return H3aSat_s(s); }, 0, 3.8, 1685.025565},
    {"h'_3a(s)", [](double, double s) { return H3aSat_s(s); }, 0, 4.2, 1949.352563},
    {"h_B13(s)", [](double, double s) { return HB13_s(s); }, 0, 3.7, 1632.525047},
    {"h_B13(s)", [](double, double s) { return HB13_s(s); }, 0, 3.5, 1566.104611},
    {"h''_2c3b(s)", [](double, double s) { return H2c3bSat_s(s); }, 0, 5.5, 2687.693850},
    {"h''_2c3b(s)", [](double, double s) { return H2c3bSat_s(s); }, 0, 4.5, 2144.360448},
    {"T_B23(h,s)", TB23_hs, 2600, 5.1, 713.5259364},
    {"T_B23(h,s)", TB23_hs, 2800, 5.2, 817.6202120},
    {"p_3a(h,s)", P3a_hs, 1700, 3.8, 25.55703246},
    {"p_3a(h,s)", P3a_hs, 2000, 4.2, 45.40873468},
    {"p_3a(h,s)", P3a_hs, 2100, 4.3, 60.78123340},
    {"p_3b(h,s)", P3b_hs, 2400, 4.7, 63.63924887},
    {"p_3b(h,s)", P3b_hs, 2600, 5.1, 34.34999263},
    {"p_3b(h,s)", P3b_hs, 2700, 5.0, 88.39043281},
    {"T_sat(h,s)", TSat_hs, 1800, 5.3, 346.8475498},
    {"T_sat(h,s)", TSat_hs, 2400, 6.0, 425.1373305},
    {"T_sat(h,s)", TSat_hs, 2500, 5.5, 522.5579013},
};

class CheckValueTest : public testing::TestWithParam<CheckValue> {};

TEST_P(CheckValueTest, ToThePrintedDigits) {
  const CheckValue& c = GetParam();
  EXPECT_TRUE(MatchesPublished(c.f(c.h, c.s), c.published, kPrintedDigits))
      << c.equation << " at h = " << c.h << ", s = " << c.s;
}

INSTANTIATE_TEST_SUITE_P(Releases, CheckValueTest, testing::ValuesIn(kCheckValues));

// ---- the lines meet ------------------------------------------------------------

// Where the releases hand one line over to the next, both give one enthalpy
// (to their fit); a mistyped range constant shows here.
struct Junction {
  const char* where;
  double (*left)(double);
  double (*right)(double);
  double s;          // kJ/(kg K)
  double tolerance;  // kJ/kg
};

const Junction kJunctions[] = {
    {"h'_1 / h'_3a at s'(623.15 K)", H1Sat_s, H3aSat_s, tables::h1sat::kSHighest, 0.01},
    {"h'_1 / h_B13 at s'(623.15 K)", H1Sat_s, HB13_s, tables::h1sat::kSHighest, 0.01},
    {"h'_3a / h''_2c3b at s_c", H3aSat_s, H2c3bSat_s, tables::kS3ab, 0.01},
    {"h''_2c3b / h''_2ab at 5.85", H2c3bSat_s, H2abSat_s, tables::kS2bc, 0.01},
};

TEST(PhsLinesTest, MeetWhereTheReleasesJoinThem) {
  for (const Junction& j : kJunctions) {
    EXPECT_NEAR(j.left(j.s), j.right(j.s), j.tolerance) << j.where;
  }
}

// The ends of the lines are the saturation states of IAPWS-IF97, and the
// lower end of T_sat(h,s) is s''(623.15 K).
TEST(PhsLinesTest, EndsAreTheSaturationStates) {
  EXPECT_NEAR(tables::h1sat::kSLowest, if97::SSW_T(0), 1e-9);
  EXPECT_NEAR(tables::h1sat::kSHighest, if97::SSW_T(350), 1e-8);
  EXPECT_NEAR(tables::h2absat::kSHighest, if97::SSP_T(0), 1e-9);
  EXPECT_NEAR(tables::tsaths::kSLowest, if97::SSP_T(350), 1e-9);
  EXPECT_NEAR(H1Sat_s(tables::h1sat::kSLowest), if97::HSW_T(0), 1e-6);
  EXPECT_NEAR(H2abSat_s(tables::h2absat::kSHighest), if97::HSP_T(0), 1e-6);
  EXPECT_NEAR(H2c3bSat_s(tables::tsaths::kSLowest), if97::HSP_T(350), 1e-6);
  EXPECT_NEAR(tables::hb13::kSLowest, if97::s_pt(100, 350), 1e-9);
  EXPECT_NEAR(tables::tb23hs::kHLowest, if97::HP_PT(B23Pressure(623.15), 350), 1e-5);
  EXPECT_NEAR(tables::tb23hs::kHHighest, if97::h_pt(100, 590), 1e-5);
}

// ---- the start of a state (h, s) ----------------------------------------------

// How far the starts may lie from the state, as measured over the samples
// below with a small margin. Region 1's pressure moves h by v dp only, so its
// equation holds an absolute error that is large beside a low pressure.
constexpr double kRegion1Absolute = 0.015;      // MPa
constexpr double kRegion1Relative = 6e-3;       // of p
constexpr double kRegions2And3Relative = 1e-4;  // of p
constexpr double kTSatHs = 1e-3;                // K, T_sat(h,s) at s >= s''(623.15 K)

// Samples keep this relative distance in p from the saturation line and B23,
// and 0.01 K from 623.15 K: closer, a state may fall on the other side of a
// boundary line's fit, where the caller's iteration takes it.
constexpr double kMargin = 2e-3;

// n values from lo to hi, spaced evenly in log for log_spaced.
std::vector<double> Spaced(double lo, double hi, int n, bool log_spaced = false) {
  std::vector<double> v;
  for (int i = 0; i < n; ++i) {
    const double f = n == 1 ? 0 : static_cast<double>(i) / (n - 1);
    v.push_back(log_spaced ? lo * std::pow(hi / lo, f) : lo + (hi - lo) * f);
  }
  return v;
}

struct Worst {
  double error = 0;
  double p = 0;
  double t = 0;

  void Add(double e, double p_at, double t_at) {
    if (e > error) *this = {e, p_at, t_at};
  }
};

// A single-phase state (p, t degC) of region `zone`: the zone and the
// pressure of its start.
void ExpectStart(int zone, double p, double t, double tolerance, Worst& worst) {
  const double h = if97::h_pt(p, t);
  const double s = if97::s_pt(p, t);
  ASSERT_NE(h, if97::FAILURE) << "p = " << p << ", t = " << t;
  const HsStart start = HsEstimate(h, s);
  ASSERT_EQ(start.zone, zone) << "p = " << p << " MPa, t = " << t << " degC";
  EXPECT_NEAR(start.p, p, tolerance) << "p = " << p << " MPa, t = " << t << " degC";
  EXPECT_TRUE(std::isnan(start.T));
  worst.Add(std::fabs(start.p / p - 1), p, t);
}

TEST(HsEstimateTest, Region1) {
  Worst worst;
  for (const double t : Spaced(0, 349.99, 140)) {
    for (const double p : Spaced(if97::PS_T(t) * (1 + kMargin), 100, 60, true)) {
      ExpectStart(1, p, t, std::min(kRegion1Absolute, kRegion1Relative * p), worst);
    }
  }
  RecordProperty("worst_relative_p", std::to_string(worst.error));
}

// Region 2 from p_s(273.15 K) up; below it the zone is still 2 but the 2a
// equation departs further (0.25 % at 1e-4 MPa, 8 % at 1e-5 MPa).
constexpr double kRegion2LowestPressure = 6.11213e-4;  // MPa

TEST(HsEstimateTest, Region2) {
  Worst worst;
  for (const double t : Spaced(0.01, 800, 160)) {
    const double T = t + kKelvin;
    const double top = T <= 623.15 ? if97::PS_T(t) : std::min(100.0, B23Pressure(T));
    if (top * (1 - kMargin) <= kRegion2LowestPressure) continue;
    for (const double p : Spaced(kRegion2LowestPressure, top * (1 - kMargin), 60, true)) {
      ExpectStart(2, p, t, kRegions2And3Relative * p, worst);
    }
    for (const double p : Spaced(1e-6, kRegion2LowestPressure, 5, true)) {
      const HsStart start = HsEstimate(if97::h_pt(p, t), if97::s_pt(p, t));
      EXPECT_EQ(start.zone, 2) << "p = " << p << " MPa, t = " << t << " degC";
      EXPECT_GT(start.p, 0);
    }
  }
  RecordProperty("worst_relative_p", std::to_string(worst.error));
}

TEST(HsEstimateTest, Region3) {
  Worst worst;
  for (const double t : Spaced(350.01, 585, 120)) {
    const double T = t + kKelvin;
    for (const double p : Spaced(B23Pressure(T) * (1 + kMargin), 100, 50, true)) {
      if (t < if97::kCriticalTemperature && std::fabs(p / if97::PS_T(t) - 1) < kMargin) continue;
      ExpectStart(3, p, t, kRegions2And3Relative * p, worst);
    }
  }
  RecordProperty("worst_relative_p", std::to_string(worst.error));
}

// Wet steam: T within the band's tolerance (K).
struct WetBand {
  const char* part;
  bool tsat_range;    // the states at s >= s''(623.15 K), else those below
  double t_lo, t_hi;  // degC
  double x_lo, x_hi;
  double tolerance;  // K
};

// The releases give T_sat(h,s) for s >= s''(623.15 K) only; below that the
// start comes from the saturated-water line and from T_sat(h,s) along
// s''(623.15 K) (worst towards saturated water near 150 degC), and above
// 623.15 K from the chords of the saturation line.
const WetBand kWetBands[] = {
    {"T_sat(h,s)", true, 0.01, 350, 0.001, 0.999, kTSatHs},
    {"below 623.15 K, x >= 0.1", false, 0.01, 350, 0.1, 0.999, 0.02},
    {"below 623.15 K, x >= 0.01", false, 0.01, 350, 0.01, 0.999, 0.16},
    {"below 623.15 K", false, 0.01, 350, 0.001, 0.999, 0.8},
    {"623.15 K to the critical point", false, 350.01, 373.8, 0.001, 0.999, 1.25},
};

class WetStartTest : public testing::TestWithParam<WetBand> {};

TEST_P(WetStartTest, TemperatureWithinTheBand) {
  const WetBand& band = GetParam();
  double worst = 0;
  for (const double t : Spaced(band.t_lo, band.t_hi, 400)) {
    const double p = if97::PS_T(t);
    for (const double x : Spaced(band.x_lo, band.x_hi, 60)) {
      const double h = if97::H_PX(p, x);
      const double s = if97::S_PX(p, x);
      if (band.tsat_range != (s >= tables::tsaths::kSLowest)) continue;
      const HsStart start = HsEstimate(h, s);
      ASSERT_EQ(start.zone, 4) << band.part << ": t = " << t << " degC, x = " << x;
      EXPECT_TRUE(std::isnan(start.p));
      EXPECT_NEAR(start.T, t + kKelvin, band.tolerance)
          << band.part << ": t = " << t << ", x = " << x;
      worst = std::max(worst, std::fabs(start.T - t - kKelvin));
    }
  }
  RecordProperty("worst_T", std::to_string(worst));
}

INSTANTIATE_TEST_SUITE_P(Bands, WetStartTest, testing::ValuesIn(kWetBands));

// Outside every equation: not numbers, far beyond the range, and wet steam
// below the 273.15 K isotherm.
TEST(HsEstimateTest, OutsideIsZoneZero) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double outside[][2] = {
      {kNaN, 5}, {2000, kNaN}, {kInf, 5},   {2000, -kInf}, {-500, 1},
      {6000, 7}, {3000, -2},   {3000, 150}, {100, 1},      {1500, 6},
  };
  for (const auto& [h, s] : outside) {
    const HsStart start = HsEstimate(h, s);
    EXPECT_EQ(start.zone, 0) << "h = " << h << ", s = " << s;
    EXPECT_TRUE(std::isnan(start.p) && std::isnan(start.T));
  }
  // Just above the 273.15 K isotherm, still wet steam.
  const double p0 = if97::PS_T(0.01);
  EXPECT_EQ(HsEstimate(if97::H_PX(p0, 0.5), if97::S_PX(p0, 0.5)).zone, 4);
}

// No floating-point exception over the h-s plane, inside the range and far
// beyond it, nor on the lines where a base of a sum is 0.
TEST(HsEstimateTest, RaisesNoFloatingPointException) {
  std::feclearexcept(FE_ALL_EXCEPT);
  double sink = 0;
  for (const double s : Spaced(-1.2, 16, 431)) {
    for (const double h : Spaced(-120, 5100, 523)) {
      const HsStart start = HsEstimate(h, s);
      sink += start.zone;
    }
  }
  // s / 3.8 + 3.66e-5 = 0 (h'_1), s / 12 = 1.2 (p_2a), h / 2300 = 1.01 (p_3a).
  const double lines[][2] = {{10, -3.66e-5 * 3.8}, {2800, 14.4}, {2323, 4.3}, {2323, 4.4}};
  for (const auto& [h, s] : lines) {
    for (const double dh : {-1e-9, 0.0, 1e-9}) {
      for (const double ds : {-1e-13, 0.0, 1e-13}) sink += HsEstimate(h + dh, s + ds).zone;
    }
  }
  for (const double s : Spaced(tables::h1sat::kSLowest, tables::h1sat::kSHighest, 200)) {
    sink += H1Sat_s(s) + P1_hs(H1Sat_s(s) + 50, s);
  }
  for (const double s : Spaced(tables::h1sat::kSHighest, tables::kS3ab, 200)) {
    sink += H3aSat_s(s) + P3a_hs(H3aSat_s(s) + 50, s);
  }
  for (const double s : Spaced(tables::kS3ab, tables::kS2bc, 200)) {
    sink += H2c3bSat_s(s) + P3b_hs(H2c3bSat_s(s) + 50, s) + P2c_hs(H2c3bSat_s(s) + 50, s);
  }
  for (const double s : Spaced(tables::kS2bc, tables::h2absat::kSHighest, 200)) {
    sink += H2abSat_s(s) + H2ab_s(s) + P2a_hs(H2abSat_s(s) + 50, s) + P2b_hs(H2ab_s(s) + 50, s) +
            TSat_hs(H2abSat_s(s) - 100, s);
  }
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT), 0);
  EXPECT_TRUE(std::isfinite(sink));
}

}  // namespace
