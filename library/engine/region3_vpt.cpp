// The backward equations v(p, T) of region 3 (IAPWS SR5-05, 2016) in double
// precision. Each sum reads its powers, formed once per call (table_sums.h);
// the only non-integer powers are the square and fourth roots of the shifted
// bases, the only transcendental calls ln p in three boundaries and exp in 3n.
#include "engine/region3_vpt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

#include "engine/forward.h"
#include "engine/table_sums.h"
#include "tables/region3_vpt.h"

namespace if97::engine {
namespace {

using namespace region3_vpt;

// ---- the pressures that divide the selection into bands ----------------------
constexpr double kBandAB = 40;                 // MPa, 3a and 3b above
constexpr double kBandCF = 25;                 // MPa, 3c to 3f above
constexpr double kBandGK = 23.5;               // MPa, 3c, 3g to 3k above
constexpr double kBandLK = 23;                 // MPa, 3c, 3l, 3h to 3k above
constexpr double kBandLP = 22.5;               // MPa, 3c, 3l to 3p, 3j, 3k above
constexpr double kBandVWX = 22.11;             // MPa, 3u to 3x above
constexpr double kBandYZ = 22.064;             // MPa, 3u, 3y, 3z, 3x above
constexpr double kLowestY = 21.93161551;       // MPa, 3y only above
constexpr double kLowestZ = 21.90096265;       // MPa, 3z only above
constexpr double kBandRS = 20.5;               // MPa, 3c, 3s, 3r, 3k above
constexpr double kBandST = 19.00881189173929;  // MPa, 3c, 3s, 3t above
constexpr double kTemperatureBandQU = 643.15;  // K, p_s at it bounds 3q to 3x below

// ---- sums over the tables ----------------------------------------------------
// The sums (table_sums.h): type-keyed powers, four partial sums.
template <const auto& kTerms>
double Sum(double x) {
  return detail::TableSum<kTerms>(x);
}

template <const auto& kTerms>
double Sum(double x, double y) {
  return detail::TableSum<kTerms>(x, y);
}

// The saturation line: IAPWS-IF97 eqs. 30 and 31 (engine/forward.h).

double LowestPressureOfBandQU() {
  static const double p = Psat(kTemperatureBandQU);  // MPa, 21.04336732
  return p;
}

// ---- the sub-region equations --------------------------------------------------
// v = v* omega(pi, theta)^e, omega = sum of n ((pi - a)^c)^I ((theta - b)^d)^J,
// with c 1 or 1/2, d 1 or 1/4, e 1 or 4.
template <const auto& kReducing, const auto& kTerms>
double Volume(double p, double T) {
  static_assert(kReducing.c == 1 || kReducing.c == 0.5);
  static_assert(kReducing.d == 1 || kReducing.d == 0.25);
  static_assert(kReducing.e == 1 || kReducing.e == 4);
  double pi_a = p / kReducing.p_star - kReducing.a;
  if constexpr (kReducing.c == 0.5) pi_a = std::sqrt(pi_a);
  double theta_b = T / kReducing.T_star - kReducing.b;
  if constexpr (kReducing.d == 0.25) theta_b = std::sqrt(std::sqrt(theta_b));
  const double omega = Sum<kTerms>(pi_a, theta_b);
  if constexpr (kReducing.e == 4) {
    const double omega2 = omega * omega;
    return kReducing.v_star * omega2 * omega2;
  }
  return kReducing.v_star * omega;
}

// 3n: v = v* exp(sum of n (pi - a)^I (theta - b)^J).
double Volume3n(double p, double T) {
  const double pi_a = p / k3nReducing.p_star - k3nReducing.a;
  const double theta_b = T / k3nReducing.T_star - k3nReducing.b;
  return k3nReducing.v_star * std::exp(Sum<k3n>(pi_a, theta_b));
}

// 3m: pi - a is 0 at 23 MPa, the top of 3m, and up to its 28th power enters.
// Within kPiFloor3m of 0 (p within 2.8e-10 MPa of 23 MPa) that power would fall
// below the normal range and raise the underflow flag, so there pi - a is taken
// as 0: the estimate is that at 23 MPa.
constexpr double kPiFloor3m = 1.2e-11;  // its 28th power is 1.6e-307

double Volume3m(double p, double T) {
  static_assert(k3mReducing.c == 1 && k3mReducing.d == 0.25 && k3mReducing.e == 1);
  double pi_a = p / k3mReducing.p_star - k3mReducing.a;
  if (std::fabs(pi_a) < kPiFloor3m) pi_a = 0;
  const double theta_b = std::sqrt(std::sqrt(T / k3mReducing.T_star - k3mReducing.b));
  return k3mReducing.v_star * Sum<k3m>(pi_a, theta_b);
}

using VolumeFunction = double (*)(double p, double T);

constexpr std::array<VolumeFunction, 26> kVolume = {
    Volume<k3aReducing, k3a>,
    Volume<k3bReducing, k3b>,
    Volume<k3cReducing, k3c>,
    Volume<k3dReducing, k3d>,
    Volume<k3eReducing, k3e>,
    Volume<k3fReducing, k3f>,
    Volume<k3gReducing, k3g>,
    Volume<k3hReducing, k3h>,
    Volume<k3iReducing, k3i>,
    Volume<k3jReducing, k3j>,
    Volume<k3kReducing, k3k>,
    Volume<k3lReducing, k3l>,
    Volume3m,
    Volume3n,
    Volume<k3oReducing, k3o>,
    Volume<k3pReducing, k3p>,
    Volume<k3qReducing, k3q>,
    Volume<k3rReducing, k3r>,
    Volume<k3sReducing, k3s>,
    Volume<k3tReducing, k3t>,
    Volume<k3uReducing, k3u>,
    Volume<k3vReducing, k3v>,
    Volume<k3wReducing, k3w>,
    Volume<k3xReducing, k3x>,
    Volume<k3yReducing, k3y>,
    Volume<k3zReducing, k3z>,
};

// ---- the selection between T3qu and T3rx, p_s(643.15 K) < p <= 22.5 MPa ----------
char NearCriticalSubregion(double p, double T) {
  if (p > kBandVWX) {
    if (T <= T3uv(p)) return 'u';
    if (T <= T3ef(p)) return 'v';
    return T <= T3wx(p) ? 'w' : 'x';
  }
  if (p > kBandYZ) {
    if (T <= T3uv(p)) return 'u';
    if (T <= T3ef(p)) return 'y';
    return T <= T3wx(p) ? 'z' : 'x';
  }
  if (T > Tsat(p)) {
    if (p <= kLowestZ) return 'x';
    return T <= T3wx(p) ? 'z' : 'x';
  }
  if (p <= kLowestY) return 'u';
  return T <= T3uv(p) ? 'u' : 'y';
}

}  // namespace

double T3ab(double p) { return Sum<kT3ab>(std::log(p)); }
double T3cd(double p) { return Sum<kT3cd>(p); }
double T3ef(double p) { return kT3efSlope * (p - kT3efPressure) + kT3efTemperature; }
double T3gh(double p) { return Sum<kT3gh>(p); }
double T3ij(double p) { return Sum<kT3ij>(p); }
double T3jk(double p) { return Sum<kT3jk>(p); }
double T3mn(double p) { return Sum<kT3mn>(p); }
double T3op(double p) { return Sum<kT3op>(std::log(p)); }
double T3qu(double p) { return Sum<kT3qu>(p); }
double T3rx(double p) { return Sum<kT3rx>(p); }
double T3uv(double p) { return Sum<kT3uv>(p); }
double T3wx(double p) { return Sum<kT3wx>(std::log(p)); }

char Region3Subregion(double p, double T) {
  if (p > kBandAB) return T <= T3ab(p) ? 'a' : 'b';
  if (p > kBandCF) {
    if (T <= T3cd(p)) return 'c';
    if (T <= T3ab(p)) return 'd';
    return T <= T3ef(p) ? 'e' : 'f';
  }
  if (p > kBandLP) {
    if (T <= T3cd(p)) return 'c';
    if (p > kBandGK) {
      if (T <= T3gh(p)) return 'g';
      if (T <= T3ef(p)) return 'h';
    } else if (p > kBandLK) {
      if (T <= T3gh(p)) return 'l';
      if (T <= T3ef(p)) return 'h';
    } else {
      if (T <= T3gh(p)) return 'l';
      if (T <= T3mn(p)) return 'm';
      if (T <= T3ef(p)) return 'n';
      if (T <= T3op(p)) return 'o';
      if (T <= T3ij(p)) return 'p';
      return T <= T3jk(p) ? 'j' : 'k';
    }
    if (T <= T3ij(p)) return 'i';
    return T <= T3jk(p) ? 'j' : 'k';
  }
  if (p > LowestPressureOfBandQU()) {
    if (T <= T3cd(p)) return 'c';
    if (T <= T3qu(p)) return 'q';
    if (T <= T3rx(p)) return NearCriticalSubregion(p, T);
    return T <= T3jk(p) ? 'r' : 'k';
  }
  if (p > kBandRS) {
    if (T <= T3cd(p)) return 'c';
    if (T <= Tsat(p)) return 's';
    return T <= T3jk(p) ? 'r' : 'k';
  }
  if (p > kBandST) {
    if (T <= T3cd(p)) return 'c';
    return T <= Tsat(p) ? 's' : 't';
  }
  return T <= Tsat(p) ? 'c' : 't';
}

double Region3VolumeEstimate(double p, double T) {
  return Region3VolumeEstimate(p, T, Region3Subregion(p, T));
}

double Region3VolumeEstimate(double p, double T, char subregion) {
  if (subregion < 'a' || subregion > 'z') return std::numeric_limits<double>::quiet_NaN();
  return kVolume[static_cast<std::size_t>(subregion - 'a')](p, T);
}

bool Region3NearCritical(char subregion) { return subregion >= 'u' && subregion <= 'z'; }

}  // namespace if97::engine
