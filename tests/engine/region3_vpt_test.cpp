// The backward equations v(p, T) of region 3 in double precision: the
// release's check values of the boundaries and the sub-region equations, the
// agreement of neighbouring sub-regions along their boundaries, and a sweep
// over region 3 that must stay in range and raise no floating-point flag.
#include "engine/region3_vpt.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <string>

#include "../library/verification.h"

namespace {

namespace engine = if97::engine;

constexpr int kCheckDigits = 10;  // significant digits of the release's check values
constexpr int kFpFaults = FE_ALL_EXCEPT & ~FE_INEXACT;

// Neighbouring equations agree along their common boundary within these (relative).
constexpr double kMainAgreement = 1e-5;          // 3a to 3t
constexpr double kAuxiliaryAgreement = 2e-3;     // 3u to 3x above 22.11 MPa, and with 3q, 3r
constexpr double kNearCriticalAgreement = 5e-2;  // 3u, 3x, 3y, 3z up to 22.11 MPa

const double kPSat643 = 21.043367318975353;  // MPa, p_s(643.15 K) as IAPWS-IF97 eq. 30 gives it

// The upper end of region 3: T (K) on the B23 line at p (MPa), IAPWS-IF97 eq. 6, Table 1.
double TB23(double p) {
  constexpr double n3 = 0.10192970039326e-2;
  constexpr double n4 = 0.57254459862746e3;
  constexpr double n5 = 0.13918839778870e2;
  return n4 + std::sqrt((p - n5) / n3);
}

// ---- check values --------------------------------------------------------------
struct BoundaryRow {
  const char* name;
  double (*boundary)(double p);
  double p;  // MPa
  double T;  // K
};

// IAPWS SR5-05, check values of the sub-region boundaries.
const BoundaryRow kBoundaryRows[] = {
    {"T3ab", engine::T3ab, 40, 693.0341408},   {"T3op", engine::T3op, 22.8, 650.0106943},
    {"T3wx", engine::T3wx, 22.3, 648.2049480}, {"T3ef", engine::T3ef, 40, 713.9593992},
    {"T3cd", engine::T3cd, 25, 649.3659208},   {"T3gh", engine::T3gh, 23, 649.8873759},
    {"T3ij", engine::T3ij, 23, 651.5778091},   {"T3jk", engine::T3jk, 23, 655.8338344},
    {"T3mn", engine::T3mn, 22.8, 649.6054133}, {"T3qu", engine::T3qu, 22, 645.6355027},
    {"T3rx", engine::T3rx, 22, 648.2622754},   {"T3uv", engine::T3uv, 22.3, 647.7996121},
};

class BoundaryCheckValues : public testing::TestWithParam<BoundaryRow> {};

TEST_P(BoundaryCheckValues, MatchPublishedDigits) {
  const BoundaryRow& row = GetParam();
  EXPECT_TRUE(MatchesPublished(row.boundary(row.p), row.T, kCheckDigits));
}

INSTANTIATE_TEST_SUITE_P(SR5, BoundaryCheckValues, testing::ValuesIn(kBoundaryRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct VolumeRow {
  char subregion;
  double p;  // MPa
  double T;  // K
  double v;  // m3/kg
};

// IAPWS SR5-05, check values of the sub-region equations, two for each.
const VolumeRow kVolumeRows[] = {
    {'a', 50, 630, 0.001470853100},      {'a', 80, 670, 0.001503831359},
    {'b', 50, 710, 0.002204728587},      {'b', 80, 750, 0.001973692940},
    {'c', 20, 630, 0.001761696406},      {'c', 30, 650, 0.001819560617},
    {'d', 26, 656, 0.002245587720},      {'d', 30, 670, 0.002506897702},
    {'e', 26, 661, 0.002970225962},      {'e', 30, 675, 0.003004627086},
    {'f', 26, 671, 0.005019029401},      {'f', 30, 690, 0.004656470142},
    {'g', 23.6, 649, 0.002163198378},    {'g', 24, 650, 0.002166044161},
    {'h', 23.6, 652, 0.002651081407},    {'h', 24, 654, 0.002967802335},
    {'i', 23.6, 653, 0.003273916816},    {'i', 24, 655, 0.003550329864},
    {'j', 23.5, 655, 0.004545001142},    {'j', 24, 660, 0.005100267704},
    {'k', 23, 660, 0.006109525997},      {'k', 24, 670, 0.006427325645},
    {'l', 22.6, 646, 0.002117860851},    {'l', 23, 646, 0.002062374674},
    {'m', 22.6, 648.6, 0.002533063780},  {'m', 22.8, 649.3, 0.002572971781},
    {'n', 22.6, 649, 0.002923432711},    {'n', 22.8, 649.7, 0.002913311494},
    {'o', 22.6, 649.1, 0.003131208996},  {'o', 22.8, 649.9, 0.003221160278},
    {'p', 22.6, 649.4, 0.003715596186},  {'p', 22.8, 650.2, 0.003664754790},
    {'q', 21.1, 640, 0.001970999272},    {'q', 21.8, 643, 0.002043919161},
    {'r', 21.1, 644, 0.005251009921},    {'r', 21.8, 648, 0.005256844741},
    {'s', 19.1, 635, 0.001932829079},    {'s', 20, 638, 0.001985387227},
    {'t', 17, 626, 0.008483262001},      {'t', 20, 640, 0.006227528101},
    {'u', 21.5, 644.6, 0.002268366647},  {'u', 22, 646.1, 0.002296350553},
    {'v', 22.5, 648.6, 0.002832373260},  {'v', 22.3, 647.9, 0.002811424405},
    {'w', 22.15, 647.5, 0.003694032281}, {'w', 22.3, 648.1, 0.003622226305},
    {'x', 22.11, 648, 0.004528072649},   {'x', 22.3, 649, 0.004556905799},
    {'y', 22, 646.84, 0.002698354719},   {'y', 22.064, 647.05, 0.002717655648},
    {'z', 22, 646.89, 0.003798732962},   {'z', 22.064, 647.15, 0.003701940009},
};

class VolumeCheckValues : public testing::TestWithParam<VolumeRow> {};

TEST_P(VolumeCheckValues, SelectTheirSubregionAndMatchPublishedDigits) {
  const VolumeRow& row = GetParam();
  EXPECT_EQ(engine::Region3Subregion(row.p, row.T), row.subregion);
  EXPECT_TRUE(MatchesPublished(engine::Region3VolumeEstimate(row.p, row.T, row.subregion), row.v,
                               kCheckDigits));
  EXPECT_TRUE(MatchesPublished(engine::Region3VolumeEstimate(row.p, row.T), row.v, kCheckDigits));
}

INSTANTIATE_TEST_SUITE_P(SR5, VolumeCheckValues, testing::ValuesIn(kVolumeRows),
                         [](const auto& info) {
                           return std::string("3") + info.param.subregion + "_" +
                                  std::to_string(info.index % 2);
                         });

// ---- the boundaries in the selection -----------------------------------------
// A boundary between two sub-regions over a band of pressures: the state on it
// belongs to the lower sub-region, the next temperature up to the upper one,
// and both equations give nearly one volume there.
struct BoundaryBand {
  const char* name;
  double (*boundary)(double p);
  double p_low;   // MPa, exclusive
  double p_high;  // MPa, exclusive
  char lower;
  char upper;
  double agreement;
};

const BoundaryBand kBands[] = {
    {"ab_above_40", engine::T3ab, 40, 100, 'a', 'b', kMainAgreement},
    {"cd_25_40", engine::T3cd, 25, 40, 'c', 'd', kMainAgreement},
    {"ab_25_40", engine::T3ab, 25, 40, 'd', 'e', kMainAgreement},
    {"ef_25_40", engine::T3ef, 25, 40, 'e', 'f', kMainAgreement},
    {"cd_23_5_25", engine::T3cd, 23.5, 25, 'c', 'g', kMainAgreement},
    {"gh_23_5_25", engine::T3gh, 23.5, 25, 'g', 'h', kMainAgreement},
    {"ef_23_5_25", engine::T3ef, 23.5, 25, 'h', 'i', kMainAgreement},
    {"ij_23_5_25", engine::T3ij, 23.5, 25, 'i', 'j', kMainAgreement},
    {"jk_23_5_25", engine::T3jk, 23.5, 25, 'j', 'k', kMainAgreement},
    {"cd_23_23_5", engine::T3cd, 23, 23.5, 'c', 'l', kMainAgreement},
    {"gh_23_23_5", engine::T3gh, 23, 23.5, 'l', 'h', kMainAgreement},
    {"ef_23_23_5", engine::T3ef, 23, 23.5, 'h', 'i', kMainAgreement},
    {"ij_23_23_5", engine::T3ij, 23, 23.5, 'i', 'j', kMainAgreement},
    {"jk_23_23_5", engine::T3jk, 23, 23.5, 'j', 'k', kMainAgreement},
    {"cd_22_5_23", engine::T3cd, 22.5, 23, 'c', 'l', kMainAgreement},
    {"gh_22_5_23", engine::T3gh, 22.5, 23, 'l', 'm', kMainAgreement},
    {"mn_22_5_23", engine::T3mn, 22.5, 23, 'm', 'n', kMainAgreement},
    {"ef_22_5_23", engine::T3ef, 22.5, 23, 'n', 'o', kMainAgreement},
    {"op_22_5_23", engine::T3op, 22.5, 23, 'o', 'p', kMainAgreement},
    {"ij_22_5_23", engine::T3ij, 22.5, 23, 'p', 'j', kMainAgreement},
    {"jk_22_5_23", engine::T3jk, 22.5, 23, 'j', 'k', kMainAgreement},
    {"cd_near_critical", engine::T3cd, kPSat643, 22.5, 'c', 'q', kMainAgreement},
    {"jk_near_critical", engine::T3jk, kPSat643, 22.5, 'r', 'k', kMainAgreement},
    {"cd_20_5", engine::T3cd, 20.5, kPSat643, 'c', 's', kMainAgreement},
    {"jk_20_5", engine::T3jk, 20.5, kPSat643, 'r', 'k', kMainAgreement},
    {"cd_19", engine::T3cd, 19.00881189173929, 20.5, 'c', 's', kMainAgreement},
    {"qu", engine::T3qu, kPSat643, 22.5, 'q', 'u', kAuxiliaryAgreement},
    {"rx", engine::T3rx, kPSat643, 22.5, 'x', 'r', kAuxiliaryAgreement},
    {"uv", engine::T3uv, 22.11, 22.5, 'u', 'v', kAuxiliaryAgreement},
    {"ef_vw", engine::T3ef, 22.11, 22.5, 'v', 'w', kAuxiliaryAgreement},
    {"wx", engine::T3wx, 22.11, 22.5, 'w', 'x', kAuxiliaryAgreement},
    {"uy_above_critical", engine::T3uv, 22.064, 22.11, 'u', 'y', kNearCriticalAgreement},
    {"ef_yz", engine::T3ef, 22.064, 22.11, 'y', 'z', kNearCriticalAgreement},
    {"zx_above_critical", engine::T3wx, 22.064, 22.11, 'z', 'x', kNearCriticalAgreement},
    {"uy_below_critical", engine::T3uv, 21.93161551, 22.064, 'u', 'y', kNearCriticalAgreement},
    {"zx_below_critical", engine::T3wx, 21.90096265, 22.064, 'z', 'x', kNearCriticalAgreement},
};

class BoundaryBands : public testing::TestWithParam<BoundaryBand> {};

TEST_P(BoundaryBands, SplitTheSelectionAndJoinTheEquations) {
  const BoundaryBand& band = GetParam();
  constexpr int kSteps = 200;
  for (int i = 1; i < kSteps; ++i) {
    const double p = band.p_low + (band.p_high - band.p_low) * i / kSteps;
    const double T = band.boundary(p);
    SCOPED_TRACE(testing::Message() << "p = " << p << " MPa, T = " << T << " K");
    EXPECT_EQ(engine::Region3Subregion(p, T), band.lower);
    EXPECT_EQ(engine::Region3Subregion(p, std::nextafter(T, 1e3)), band.upper);
    const double v_lower = engine::Region3VolumeEstimate(p, T, band.lower);
    const double v_upper = engine::Region3VolumeEstimate(p, T, band.upper);
    EXPECT_NEAR(v_lower / v_upper, 1, band.agreement);
    if (HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(SR5, BoundaryBands, testing::ValuesIn(kBands),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the whole of region 3 ---------------------------------------------------
// The pressures where the selection changes its bands, swept with their neighbours.
const double kBandEdges[] = {16.6,        19.00881189173929,
                             20.5,        kPSat643,
                             21.90096265, 21.93161551,
                             22.064,      22.11,
                             22.5,        23,
                             23.5,        25,
                             40,          100};  // MPa

void ExpectPlausibleVolume(double p, double T) {
  const double v = engine::Region3VolumeEstimate(p, T);
  if (std::isfinite(v) && v >= 1e-3 && v <= 0.1) return;
  ADD_FAILURE() << "p = " << p << " MPa, T = " << T << " K: subregion "
                << engine::Region3Subregion(p, T) << ", v = " << v << " m3/kg";
}

TEST(Region3VolumeSweep, StaysInRangeAndRaisesNoFlag) {
  std::feclearexcept(FE_ALL_EXCEPT);
  auto sweep_temperatures = [](double p) {
    const double t_b23 = TB23(p);
    constexpr int kSteps = 400;
    for (int j = 0; j <= kSteps; ++j)
      ExpectPlausibleVolume(p, 623.15 + (t_b23 - 623.15) * j / kSteps);
  };
  constexpr int kSteps = 1000;
  for (int i = 0; i <= kSteps; ++i) sweep_temperatures(16.6 + (100 - 16.6) * i / kSteps);
  for (const double edge : kBandEdges) {
    for (const double p :
         {std::nextafter(edge, 0.0), edge, std::nextafter(edge, 1e3), edge - 1e-10, edge + 1e-10}) {
      if (p >= 16.6 && p <= 100) sweep_temperatures(p);
    }
  }
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

// Next to 23 MPa the powers of pi - a in 3m would underflow: there the
// estimate is that at 23 MPa, without a flag.
TEST(Region3VolumeSweep, Subregion3mMeetsItsTopQuietly) {
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const double T : {648.5, 649.0, 649.5, 650.0}) {
    SCOPED_TRACE(T);
    const double v_top = engine::Region3VolumeEstimate(23, T, 'm');
    EXPECT_EQ(engine::Region3VolumeEstimate(std::nextafter(23.0, 0.0), T, 'm'), v_top);
    EXPECT_NEAR(engine::Region3VolumeEstimate(23 - 1e-9, T, 'm') / v_top, 1, 1e-8);
  }
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

TEST(Region3VolumeEstimate, UnknownSubregionGivesQuietNaN) {
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const char subregion : {'A', '`', '{', '3', '\0'}) {
    EXPECT_TRUE(std::isnan(engine::Region3VolumeEstimate(25, 660, subregion))) << subregion;
  }
  EXPECT_EQ(std::fetestexcept(kFpFaults), 0);
}

}  // namespace
