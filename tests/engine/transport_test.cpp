// Viscosity, thermal conductivity, surface tension and dielectric constant of
// the double engine: the releases' check values, sweeps over the fluid range,
// and the critical enhancements fed with the derivatives of IF97 states.
#include "engine/transport.h"

#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cfenv>
#include <cmath>
#include <string>

#include "../library/verification.h"

namespace {

using namespace if97::engine;

constexpr double kTc = 647.096;  // K
constexpr double kRhoc = 322;    // kg/m3
constexpr double kPc = 22.064;   // MPa
constexpr int kFpFaults = FE_ALL_EXCEPT & ~FE_INEXACT;

constexpr double kFarFromCritical = 1e-3;  // lambda2 / lambda at most
constexpr double kReferenceToIf97 = 2e-3;  // relative, (d rho/d p)_T at 1.5 Tc
constexpr double kRangeStep = 5e-3;        // relative, where the density ranges meet

struct CheckValue {
  const char* name;
  double (*property)(double rho, double T);
  double rho;  // kg/m3
  double T;    // K
  double expected;
  int digits;
};

// The viscosity and conductivity values are printed as whole doubles (16
// digits) by an implementation summing in an order of its own; the releases
// print nine. The viscosity points (IAPWS R12-08 Table 4) are defined with
// mu2 = 1 and lie outside the window where mu2 is formed at all, so any
// derivative gives them; the conductivity points (IAPWS R15-11 Table 4) are
// defined with lambda2 = 0 (see EnhancementVanishesAtTheCheckPoints).
const CheckValue kCheckValues[] = {
    {"ViscosityR12Table4Liquid", [](double rho, double T) { return Viscosity(rho, T, 1e6); }, 998,
     298.15, 0.0008897351001498108, 13},
    {"ViscosityR12Table4Dense", [](double rho, double T) { return Viscosity(rho, T, 1e6); }, 600,
     873.15, 7.743019522728247e-05, 15},
    {"ConductivityR15Table4Liquid", ThermalConductivityBase, 998, 298.15, 0.6077128675880629, 13},
    {"ConductivityR15Table4Gas", ThermalConductivityBase, 0, 873.15, 0.07910346589648833, 16},
    // IAPWS R1-76(2014) table of values.
    {"SurfaceTension300", [](double, double T) { return SurfaceTension(T); }, 0, 300, 0.0716859625,
     9},
    {"SurfaceTension450", [](double, double T) { return SurfaceTension(T); }, 0, 450, 0.0428914992,
     9},
    // IAPWS R8-97 check values.
    {"DielectricLiquid", DielectricConstant, 999.242866, 298.15, 78.5907250, 9},
    {"DielectricSteam", DielectricConstant, 26.0569558, 873.15, 1.12620970, 9},
};

class ReleaseCheckValues : public ::testing::TestWithParam<CheckValue> {};

TEST_P(ReleaseCheckValues, Reproduced) {
  const CheckValue& c = GetParam();
  EXPECT_TRUE(MatchesPublished(c.property(c.rho, c.T), c.expected, c.digits));
}

INSTANTIATE_TEST_SUITE_P(Transport, ReleaseCheckValues, ::testing::ValuesIn(kCheckValues),
                         [](const auto& info) { return std::string(info.param.name); });

// What the enhancements read, from the IF97 equations at (p, t); (d rho/d p)_T
// by a central difference.
struct Derivatives {
  double rho;        // kg/m3
  double T;          // K
  double drho_dp_T;  // kg/(m3 MPa)
  double cp, cv;     // kJ/(kg K)
};

Derivatives If97State(double p, double t) {
  const auto rho = [t](double p) { return 1 / if97::v_pt(p, t); };
  const double h = 1e-5 * p;
  return {rho(p), t + if97::kKelvinOffset, (rho(p + h) - rho(p - h)) / (2 * h), if97::cp_pt(p, t),
          if97::cv_pt(p, t)};
}

double Conductivity(const Derivatives& s) {
  return ThermalConductivity(s.rho, s.T, s.drho_dp_T, s.cp, s.cv, ViscosityBase(s.rho, s.T));
}

double EnhancementShare(const Derivatives& s) {
  const double lambda = Conductivity(s);
  return (lambda - ThermalConductivityBase(s.rho, s.T)) / lambda;
}

// Near (Tc, rhoc): 647.2 K, 22.1 MPa, 362 kg/m3.
const Derivatives& NearCritical() {
  static const Derivatives state = If97State(22.1, 647.2 - if97::kKelvinOffset);
  return state;
}

TEST(ThermalConductivity, EnhancementVanishesAtTheCheckPoints) {
  const Derivatives liquid = If97State(2.2201662725, 25);  // IF97's 998 kg/m3 at 298.15 K
  ASSERT_NEAR(liquid.rho, 998, 1e-7);
  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_EQ(ThermalConductivity(998, 298.15, liquid.drho_dp_T, liquid.cp, liquid.cv,
                                ViscosityBase(998, 298.15)),
            ThermalConductivityBase(998, 298.15));
  // At rho = 0 whatever the state's derivatives.
  for (const double drho_dp_T : {0.0, 2.5, 1e3, 1e9})
    EXPECT_EQ(ThermalConductivity(0, 873.15, drho_dp_T, 2.1, 1.6, ViscosityBase(0, 873.15)),
              0.07910346589648833);
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

// eta and lambda over rho 0..1100 kg/m3, T 273.15..1273.15 K, with derivatives
// from the reference one's (the ideal-gas scaling T_R / T) up to far above it.
TEST(Transport, PositiveAndFiniteOverTheFluidRange) {
  struct HeatCapacities {
    double cp, cv;
  };
  const HeatCapacities heat_capacities[] = {{4.2, 4.1}, {2.1, 1.6}, {300, 4.5}};
  std::feclearexcept(FE_ALL_EXCEPT);
  for (double rho = 0; rho <= 1100; rho += 5) {
    for (double T = 273.15; T <= 1273.15; T += 2.5) {
      const double eta_base = ViscosityBase(rho, T);
      const double lambda_base = ThermalConductivityBase(rho, T);
      ASSERT_TRUE(std::isfinite(eta_base) && eta_base > 0) << rho << " kg/m3, " << T << " K";
      ASSERT_TRUE(std::isfinite(lambda_base) && lambda_base > 0) << rho << " kg/m3, " << T << " K";
      for (const double factor : {0.0, 0.5, 1.0, 3.0, 100.0, 1e4}) {
        const double drho_dp_T = factor * DrhoDpReference(rho) * 1.5 * kTc / T;
        const double eta = Viscosity(rho, T, drho_dp_T);
        ASSERT_TRUE(std::isfinite(eta) && eta >= eta_base) << rho << " kg/m3, " << T << " K";
        for (const HeatCapacities& c : heat_capacities) {
          const double lambda = ThermalConductivity(rho, T, drho_dp_T, c.cp, c.cv, eta_base);
          ASSERT_TRUE(std::isfinite(lambda) && lambda >= lambda_base)
              << rho << " kg/m3, " << T << " K, factor " << factor << ", cp " << c.cp;
        }
      }
    }
  }
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

TEST(ViscosityEnhancement, OneOutsideItsWindowAtLeastOneInside) {
  std::feclearexcept(FE_ALL_EXCEPT);
  // On the window's bounds and around it, with a derivative far above any state's.
  for (const double T : {600.0, 645.91, 647.096, 650.77, 700.0})
    for (const double rho : {100.0, 245.8, 322.0, 405.3, 600.0}) {
      const bool inside = T > 645.91 && T < 650.77 && rho > 245.8 && rho < 405.3;
      const double ratio = Viscosity(rho, T, 1e5) / ViscosityBase(rho, T);
      if (inside)
        EXPECT_GT(ratio, 1.05) << rho << " kg/m3, " << T << " K";
      else
        EXPECT_EQ(ratio, 1) << rho << " kg/m3, " << T << " K";
    }
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
  // IF97 states inside the window.
  for (const double T : {646.0, 647.2, 648.0, 650.0})
    for (double p = 21.5; p <= 24; p += 0.05) {
      const Derivatives s = If97State(p, T - if97::kKelvinOffset);
      EXPECT_GE(Viscosity(s.rho, s.T, s.drho_dp_T), ViscosityBase(s.rho, s.T));
    }
  const Derivatives& s = NearCritical();
  EXPECT_GT(Viscosity(s.rho, s.T, s.drho_dp_T) / ViscosityBase(s.rho, s.T), 1.03);
}

// mu2 - 1 from the series of Y below xi = 0.3817016416 nm and from its closed
// form above: the two meet there.
TEST(ViscosityEnhancement, SeriesMeetsTheClosedForm) {
  constexpr double kRho = 322, kT = 647.2;
  const auto excess = [&](double xi) {
    const double delta_chi = 0.06 * std::pow(xi / 0.13, 1.239 / 0.630);
    const double zeta =
        delta_chi / (kRho / kRhoc) + kPc / kRhoc * DrhoDpReference(kRho) * 1.5 * kTc / kT;
    return Viscosity(kRho, kT, zeta * kRhoc / kPc) / ViscosityBase(kRho, kT) - 1;
  };
  const double below = excess(0.3817016416 * (1 - 1e-9));
  const double above = excess(0.3817016416 * (1 + 1e-9));
  EXPECT_GT(below, 5e-6);
  EXPECT_NEAR(below, above, 1e-7 * below);
}

TEST(ThermalConductivity, EnhancementSmallFarFromTheCriticalPoint) {
  struct PT {
    double p, t;  // MPa, degC
  };
  const PT far_states[] = {{0.1, 26.85},  {10, 26.85}, {99, 100}, {0.01, 726.85},
                           {0.1, 726.85}, {1, 726.85}, {10, 800}};
  for (const PT& s : far_states)
    EXPECT_LT(EnhancementShare(If97State(s.p, s.t)), kFarFromCritical) << s.p << " MPa, " << s.t;
}

TEST(ThermalConductivity, EnhancementLargestNearTheCriticalPoint) {
  const double near = EnhancementShare(NearCritical());
  EXPECT_GT(near, 0.5);
  for (const double p : {0.01, 0.1, 1.0, 5.0, 10.0, 15.0, 20.0, 25.0, 30.0, 40.0, 60.0, 80.0, 99.0})
    for (double t = 0; t <= 800; t += 25) {
      const double share = EnhancementShare(If97State(p, t));
      EXPECT_TRUE(share >= 0 && share < near) << p << " MPa, " << t << " degC: " << share;
    }
}

TEST(DrhoDpReference, FollowsIf97AndTheRangesMeet) {
  const double t_R = 1.5 * kTc - if97::kKelvinOffset;
  for (const double p : {0.01, 0.1, 1.0, 5.0, 10.0, 20.0, 30.0, 40.0, 60.0, 80.0, 99.0}) {
    const Derivatives s = If97State(p, t_R);
    EXPECT_NEAR(DrhoDpReference(s.rho) / s.drho_dp_T, 1, kReferenceToIf97) << p << " MPa";
  }
  // The other density ranges: they meet their neighbours, and the value stays positive.
  for (const double top : {0.310559006, 0.776397516, 1.242236025, 1.863354037}) {
    const double rho = top * kRhoc;
    EXPECT_NEAR(DrhoDpReference(rho * (1 + 1e-12)) / DrhoDpReference(rho), 1, kRangeStep) << rho;
  }
  for (double rho = 0; rho <= 1300; rho += 1) {
    const double value = DrhoDpReference(rho);
    EXPECT_TRUE(std::isfinite(value) && value > 0) << rho;
  }
}

TEST(SurfaceTension, PositiveFallingToZeroAtTheCriticalPoint) {
  std::feclearexcept(FE_ALL_EXCEPT);
  double previous = SurfaceTension(248.15);
  for (double T = 248.65; T < kTc; T += 0.5) {
    const double sigma = SurfaceTension(T);
    EXPECT_TRUE(sigma > 0 && sigma < previous) << T;
    previous = sigma;
  }
  EXPECT_EQ(SurfaceTension(kTc), 0);
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

TEST(Dielectric, AtLeastOneAndFiniteOverItsRange) {
  std::feclearexcept(FE_ALL_EXCEPT);
  for (double T = 238; T <= 1200; T += 2)
    for (double rho = 0; rho <= 1100; rho += 5) {
      const double epsilon = DielectricConstant(rho, T);
      ASSERT_TRUE(std::isfinite(epsilon) && epsilon >= 1) << rho << " kg/m3, " << T << " K";
    }
  EXPECT_EQ(DielectricConstant(0, 500), 1);
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

// Outside their ranges or with impossible inputs the functions give NaN and
// raise no floating-point exception.
TEST(Transport, NaNOutsideTheRanges) {
  std::feclearexcept(FE_ALL_EXCEPT);
  const double refused[] = {
      SurfaceTension(248.14),
      SurfaceTension(kTc + 1e-9),
      DielectricConstant(500, 237.99),
      DielectricConstant(500, 1200.01),
      DielectricConstant(-1, 300),
      DielectricConstant(5000, 300),  // the Kirkwood relation has no root there
      ViscosityBase(-1, 300),
      ViscosityBase(500, 0),
      Viscosity(322, -1, 100),
      ThermalConductivityBase(-1, 300),
      ThermalConductivity(322, 647.2, 1e3, 100, 0, 4e-5),
      ThermalConductivity(322, 647.2, 1e3, 100, 4, 0),
      ThermalConductivity(322, 647.2, 1e3, -1, 4, 4e-5),
  };
  for (const double value : refused) EXPECT_TRUE(std::isnan(value));
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

}  // namespace
