// Internal energy, heat capacities and speed of sound: by (p, t), of the
// saturated phases, and u of wet steam.
#include "forward/properties.h"

#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cmath>
#include <string>
#include <vector>

#include "message_recorder.h"
#include "verification.h"

namespace {

using if97::FAILURE;

constexpr int kPublishedDigits = 9;
constexpr double kRelation = 1e-12;  // relative, two routes to one value

struct Further {
  double p;  // MPa (region 3: from the verification table's density)
  double T;  // K
  double u, cp, cv, w;
  int digits_u, digits_cp, digits_cv, digits_w;
};

// u, cp, w of regions 1 and 2: IAPWS-IF97 Tables 5 and 15; cv computed. The
// region-3 points are taken at the pressure the verification table gives for
// their density (Table 33 values, cv computed).
const Further kByPressureAndTemperature[] = {
    {3, 300, 112.324818, 4.17301218, 4.1212016, 1507.73921, 9, 9, 8, 9},
    {80, 300, 106.448356, 4.01008987, 3.91736606, 1634.69054, 9, 9, 9, 9},
    {3, 500, 971.934985, 4.65580682, 3.22139223, 1240.71337, 9, 9, 9, 9},
    {0.0035, 300, 2411.6916, 1.91300162, 1.44132662, 427.920172, 8, 9, 9, 9},
    {0.0035, 700, 3012.62819, 2.08141274, 1.61978333, 644.289068, 9, 9, 9, 9},
    {30, 700, 2468.61076, 10.3505092, 2.97553837, 480.386523, 9, 9, 9, 9},
    {25.5837018185, 650, 1812.26279, 13.8935717, 3.19131787, 502.005554, 9, 9, 9, 9},
    {22.2930642566, 650, 2263.65868, 44.6579342, 4.04118076, 383.444594, 9, 9, 9, 9},
    {78.3095639169, 750, 2102.06932, 6.34165359, 2.71701677, 760.696041, 9, 9, 9, 9},
};

class FurtherProperties : public ::testing::TestWithParam<Further> {};

TEST_P(FurtherProperties, ByPressureAndTemperature) {
  const Further& f = GetParam();
  const double t = f.T - if97::kKelvinOffset;
  EXPECT_TRUE(MatchesPublished(if97::u_pt(f.p, t), f.u, f.digits_u));
  EXPECT_TRUE(MatchesPublished(if97::cp_pt(f.p, t), f.cp, f.digits_cp));
  EXPECT_TRUE(MatchesPublished(if97::cv_pt(f.p, t), f.cv, f.digits_cv));
  EXPECT_TRUE(MatchesPublished(if97::w_pt(f.p, t), f.w, f.digits_w));
}

INSTANTIATE_TEST_SUITE_P(Tables5_15_33, FurtherProperties,
                         ::testing::ValuesIn(kByPressureAndTemperature));

// Region 3 at the table's densities themselves (IAPWS-IF97 Table 33).
TEST(FurtherProperties, Table33AtTheDensity) {
  struct Row {
    double rho, T, h, u, cp, cv, w;
  };
  const Row rows[] = {
      {500, 650, 1863.43019, 1812.26279, 13.8935717, 3.19131787, 502.005554},
      {200, 650, 2375.12401, 2263.65868, 44.6579342, 4.04118076, 383.444594},
      {500, 750, 2258.68845, 2102.06932, 6.34165359, 2.71701677, 760.696041},
  };
  for (const Row& r : rows) {
    const if97::detail::Properties props =
        if97::detail::Region3Properties(1 / r.rho, r.T - if97::kKelvinOffset);
    EXPECT_TRUE(MatchesPublished(props.h, r.h, kPublishedDigits));
    EXPECT_TRUE(MatchesPublished(props.u, r.u, kPublishedDigits));
    EXPECT_TRUE(MatchesPublished(props.cp, r.cp, kPublishedDigits));
    EXPECT_TRUE(MatchesPublished(props.cv, r.cv, kPublishedDigits));
    EXPECT_TRUE(MatchesPublished(props.w, r.w, kPublishedDigits));
  }
}

// Region 5 in its 1997 form (Tables 37, 38), computed values: the points lie
// above the calculator's 1000 degC, so the equation is taken by itself.
TEST(FurtherProperties, Region5Of1997) {
  struct Row {
    double p, T, u, cp, cv, w;
    int digits_cp;
  };
  const Row rows[] = {
      {0.5, 1500, 4527.48654, 2.61610228, 2.15337661, 917.071933, 9},
      {8, 1500, 4513.97105, 2.64453866, 2.16359774, 919.708859, 9},
      {8, 2000, 5657.85774, 2.8530675, 2.38397275, 1054.35806, 8},
  };
  for (const Row& r : rows) {
    const if97::detail::Properties props =
        if97::detail::Region5Properties(r.p, r.T - if97::kKelvinOffset);
    EXPECT_TRUE(MatchesPublished(props.u, r.u, kPublishedDigits));
    EXPECT_TRUE(MatchesPublished(props.cp, r.cp, r.digits_cp));
    EXPECT_TRUE(MatchesPublished(props.cv, r.cv, kPublishedDigits));
    EXPECT_TRUE(MatchesPublished(props.w, r.w, kPublishedDigits));
  }
}

// Every region over its range: u = h - p v, cp = dh/dT at constant p (a
// central difference of h_pt), dcp/dT the same of cp_pt, cp > cv > 0, w > 0.
TEST(FurtherProperties, RelationsOverTheRange) {
  struct Point {
    double p, t;
  };
  std::vector<Point> points;
  for (double p : {0.001, 0.1, 1.0, 5.0, 10.0, 16.0, 20.0, 25.0, 50.0, 100.0}) {
    for (double t = 5; t <= 1000; t += 15) {
      if (p > 10 && t >= 800) continue;  // t + dt below stays in range
      points.push_back({p, t});
    }
  }
  const MessageRecorder recorder;
  for (const Point& pt : points) {
    int code = 0;
    std::string caption;
    if97::REGION_PT(pt.p, pt.t, code, caption);
    SCOPED_TRACE(::testing::Message() << "p = " << pt.p << ", t = " << pt.t << ", region " << code);
    const double h = if97::h_pt(pt.p, pt.t);
    const double u = if97::u_pt(pt.p, pt.t);
    const double v = if97::v_pt(pt.p, pt.t);
    EXPECT_NEAR(u, h - pt.p * 1000 * v, kRelation * std::fabs(h) + 1e-12);
    const double cp = if97::cp_pt(pt.p, pt.t);
    const double cv = if97::cv_pt(pt.p, pt.t);
    const double w = if97::w_pt(pt.p, pt.t);
    EXPECT_GT(cp, cv);
    EXPECT_GT(cv, 0);
    EXPECT_GT(w, 0);
    const double dt = 1e-3;  // K
    int above = 0;
    int below = 0;
    if97::REGION_PT(pt.p, pt.t + dt, above, caption);
    if97::REGION_PT(pt.p, pt.t - dt, below, caption);
    if (above == code && below == code) {
      const double slope = (if97::h_pt(pt.p, pt.t + dt) - if97::h_pt(pt.p, pt.t - dt)) / (2 * dt);
      EXPECT_NEAR(slope, cp, 1e-5 * cp);
    }
  }
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(FurtherProperties, CurvatureOfCp) {
  struct Point {
    int region;
    double p, t;
  };
  const Point points[] = {{1, 3, 26.85}, {1, 50, 300},  {2, 0.1, 200},
                          {2, 30, 450},  {5, 0.5, 900}, {5, 8, 1000}};
  for (const Point& pt : points) {
    using Evaluator = if97::detail::Properties (*)(double, double);
    const Evaluator evaluate = pt.region == 1   ? if97::detail::Region1Properties
                               : pt.region == 2 ? if97::detail::Region2Properties
                                                : if97::detail::Region5Properties;
    const double dt = 1e-3;  // K
    const double slope = (evaluate(pt.p, pt.t + dt).cp - evaluate(pt.p, pt.t - dt).cp) / (2 * dt);
    EXPECT_NEAR(evaluate(pt.p, pt.t).dcp_dt, slope, 1e-6 + 1e-5 * std::fabs(slope))
        << "region " << pt.region << " at " << pt.p << " MPa, " << pt.t << " degC";
  }
}

// Region 3: cv = du/dT at constant volume.
TEST(FurtherProperties, Region3CvIsTheSlopeOfU) {
  for (double rho : {200.0, 322.0, 500.0}) {
    for (double t : {360.0, 380.0, 450.0}) {
      const double v = 1 / rho;
      const double dt = 1e-3;  // K
      const double slope = (if97::detail::Region3Properties(v, t + dt).u -
                            if97::detail::Region3Properties(v, t - dt).u) /
                           (2 * dt);
      EXPECT_NEAR(if97::detail::Region3Properties(v, t).cv, slope, 1e-6 * slope);
    }
  }
}

TEST_F(RecordingTest, ByPressureAndTemperatureRefusals) {
  EXPECT_EQ(if97::u_pt(101, 100), FAILURE);
  EXPECT_EQ(if97::w_pt(1, -5), FAILURE);
  const double ts = if97::TS_P(1);
  EXPECT_EQ(if97::u_pt(1, ts), FAILURE);
  EXPECT_EQ(if97::cp_pt(1, ts), FAILURE);
  EXPECT_EQ(if97::cv_pt(1, ts), FAILURE);
  EXPECT_EQ(if97::w_pt(1, ts), FAILURE);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Значения давления и температуры выходят за допустимые пределы",
                            "Значения давления и температуры выходят за допустимые пределы",
                            "Вы попали на линию насыщения (u_pt)",
                            "В двухфазной области величина не определена (cp_pt)",
                            "В двухфазной области величина не определена (cv_pt)",
                            "В двухфазной области величина не определена (w_pt)",
                        }));
}

// The saturated phases: at TS_P(p) (PS_T(t)) from region 1 or 2, from region
// 3 above 350 degC, with the checks and messages of HSW_P (HSW_T).
TEST_F(RecordingTest, SaturatedPhases) {
  for (double p : {0.001, 1.0, 10.0, 16.0, 20.0, 22.0}) {
    const double ts = if97::TS_P(p);
    EXPECT_NEAR(if97::USW_P(p), if97::HSW_P(p) - p * 1000 * if97::VSW_P(p),
                kRelation * if97::HSW_P(p));
    EXPECT_NEAR(if97::USP_P(p), if97::HSP_P(p) - p * 1000 * if97::VSP_P(p),
                kRelation * if97::HSP_P(p));
    if (ts <= 350) {
      EXPECT_EQ(if97::CPSW_P(p), if97::detail::Region1Properties(p, ts).cp);
      EXPECT_EQ(if97::WSP_P(p), if97::detail::Region2Properties(p, ts).w);
    }
    EXPECT_GT(if97::CPSP_P(p), if97::CVSP_P(p));
    EXPECT_GT(if97::CPSW_P(p), if97::CVSW_P(p));
    EXPECT_GT(if97::WSP_P(p), 0);
  }
  for (double t : {0.0, 100.0, 300.0, 360.0, 373.0}) {
    const double ps = if97::PS_T(t);
    EXPECT_NEAR(if97::USW_T(t), if97::HSW_T(t) - ps * 1000 * if97::VSW_T(t),
                kRelation * std::fabs(if97::HSW_T(t)) + 1e-12);
    EXPECT_NEAR(if97::USP_T(t), if97::HSP_T(t) - ps * 1000 * if97::VSP_T(t),
                kRelation * if97::HSP_T(t));
    EXPECT_GT(if97::CPSW_T(t), if97::CVSW_T(t));
    EXPECT_GT(if97::CPSP_T(t), if97::CVSP_T(t));
    EXPECT_GT(if97::WSP_T(t), 0);
  }
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(if97::CVSP_P(23), FAILURE);
  EXPECT_EQ(if97::WSW_T(-1), FAILURE);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "При данном давлении нет состояния насыщения (CVSP_P)",
                            "При данной температуре нет состояния насыщения (WSW_T)",
                        }));
}

TEST_F(RecordingTest, WetSteamInternalEnergy) {
  for (double p : {0.01, 1.0, 20.0}) {
    const double ts = if97::TS_P(p);
    EXPECT_EQ(if97::U_PX(p, 0), if97::USW_T(ts));
    EXPECT_EQ(if97::U_PX(p, 1), if97::USP_T(ts));
    const double u = if97::U_PX(p, 0.3);
    EXPECT_NEAR(u, 0.7 * if97::USW_T(ts) + 0.3 * if97::USP_T(ts), kRelation * u);
    EXPECT_NEAR(u, if97::H_PX(p, 0.3) - p * 1000 * if97::V_PX(p, 0.3), 1e-9 * u);
  }
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(if97::U_PX(1, 1.5), FAILURE);
  EXPECT_EQ(messages(), std::vector<std::string>{"Степень сухости X<0 или X>1 в U_PX"});
}

}  // namespace
