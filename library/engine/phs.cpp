// The IAPWS supplementary backward equations of (h, s) (tables/phs.h) and the
// start of a state (h, s) chosen from them.
#include "engine/phs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "engine/table_sums.h"
#include "tables/boundary_equations.h"
#include "tables/phs.h"

namespace if97::engine {
namespace {

namespace t = tables;

// A power below kNegligible is held as 0: it changes no sum, and a product
// of two such powers (a base near 0 to a high power) would underflow. A base
// of at least kSafeBase keeps every power up to kHighestExponent above
// kNegligible, so only a base nearer 0 takes the loop that tests each power.
constexpr double kNegligible = 1e-100;
constexpr double kSafeBase = 0.01;
constexpr int kHighestExponent = 50;

// at[k] = x^k for k from 0 to Hi, by successive products.
template <int Hi>
void FillPowers(double x, double* at) {
  static_assert(Hi <= kHighestExponent);
  at[0] = 1;
  if (std::fabs(x) >= kSafeBase) {
    for (int k = 1; k <= Hi; ++k) at[k] = at[k - 1] * x;
  } else {
    for (int k = 1; k <= Hi; ++k) {
      const double next = at[k - 1] * x;
      at[k] = std::fabs(next) < kNegligible ? 0 : next;
    }
  }
}

// x^k for every k from Lo to Hi (Lo <= 0 <= Hi): the positive powers by
// successive products of x, the negative ones of 1/x.
template <int Lo, int Hi>
class Powers {
 public:
  explicit Powers(double x) {
    FillPowers<Hi>(x, at_ - Lo);
    if constexpr (Lo < 0) {
      const double r = 1 / x;
      for (int k = -1; k >= Lo; --k) at_[k - Lo] = at_[k + 1 - Lo] * r;
    }
  }

  double operator[](int k) const { return at_[k - Lo]; }

 private:
  double at_[Hi - Lo + 1];
};

template <std::size_t N>
constexpr int LowestI(const if97::detail::Term (&terms)[N]) {
  int k = 0;
  for (const if97::detail::Term& term : terms) k = std::min(k, term.I);
  return k;
}

template <std::size_t N>
constexpr int HighestI(const if97::detail::Term (&terms)[N]) {
  int k = 0;
  for (const if97::detail::Term& term : terms) k = std::max(k, term.I);
  return k;
}

template <std::size_t N>
constexpr int LowestJ(const if97::detail::Term (&terms)[N]) {
  int k = 0;
  for (const if97::detail::Term& term : terms) k = std::min(k, term.J);
  return k;
}

template <std::size_t N>
constexpr int HighestJ(const if97::detail::Term (&terms)[N]) {
  int k = 0;
  for (const if97::detail::Term& term : terms) k = std::max(k, term.J);
  return k;
}

// sum n a^I b^J over the rows of kTerms: as table_sums.h forms it where both
// bases keep every power clear of underflow, else in table order with the
// negligible powers held at 0.
template <const auto& kTerms>
double Sum(double a, double b) {
  if (std::fabs(a) >= kSafeBase && std::fabs(b) >= kSafeBase) {
    return engine::detail::TableSum<kTerms>(a, b);
  }
  const Powers<LowestI(kTerms), HighestI(kTerms)> a_powers(a);
  const Powers<LowestJ(kTerms), HighestJ(kTerms)> b_powers(b);
  double sum = 0;
  for (const if97::detail::Term& term : kTerms) sum += term.n * a_powers[term.I] * b_powers[term.J];
  return sum;
}

// x^k for k from -2 to Hi, where x^-1 and x^-2 only ever multiply a factor
// k or k (k - 1) that is zero with them: held as 0, so that a derivative of a
// sum with no negative exponents never divides (x may be 0).
template <int Hi>
class DerivativePowers {
 public:
  explicit DerivativePowers(double x) {
    at_[0] = 0;
    at_[1] = 0;
    FillPowers<Hi>(x, at_ + 2);
  }

  double operator[](int k) const { return at_[k + 2]; }

 private:
  double at_[Hi + 3];
};

// A sum and its first two derivatives along a line in (a, b) of direction
// (da, db): the sum taken at (a + da t, b + db t) and differentiated by t.
struct SumAlong {
  double sum;
  double d1;
  double d2;
};

template <const auto& kTerms>
SumAlong SumWithDerivatives(double a, double b, double da, double db) {
  static_assert(LowestI(kTerms) == 0 && LowestJ(kTerms) == 0);
  const DerivativePowers<HighestI(kTerms)> ap(a);
  const DerivativePowers<HighestJ(kTerms)> bp(b);
  SumAlong r{0, 0, 0};
  for (const if97::detail::Term& term : kTerms) {
    const double I = term.I;
    const double J = term.J;
    r.sum += term.n * ap[term.I] * bp[term.J];
    r.d1 += term.n * (I * da * ap[term.I - 1] * bp[term.J] + J * db * ap[term.I] * bp[term.J - 1]);
    r.d2 += term.n * (I * (I - 1) * da * da * ap[term.I - 2] * bp[term.J] +
                      2 * I * J * da * db * ap[term.I - 1] * bp[term.J - 1] +
                      J * (J - 1) * db * db * ap[term.I] * bp[term.J - 2]);
  }
  return r;
}

double Square(double x) { return x * x; }

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

// ---- boundaries ----------------------------------------------------------------

double H1Sat_s(double s) {
  using namespace t::h1sat;
  const double sigma = s / kSStar;
  return kHStar * Sum<kTerms>(sigma - kA, sigma - kB);
}

double H3aSat_s(double s) {
  using namespace t::h3asat;
  const double sigma = s / kSStar;
  return kHStar * Sum<kTerms>(sigma - kA, sigma - kB);
}

double H2abSat_s(double s) {
  using namespace t::h2absat;
  const double sigma1 = s / kS1Star;
  const double sigma2 = s / kS2Star;
  return kHStar * std::exp(Sum<kTerms>(1 / sigma1 - kA, sigma2 - kB));
}

double H2c3bSat_s(double s) {
  using namespace t::h2c3bsat;
  const double sigma = s / kSStar;
  return kHStar * Square(Square(Sum<kTerms>(sigma - kA, sigma - kB)));
}

double HB13_s(double s) {
  using namespace t::hb13;
  const double sigma = s / kSStar;
  return kHStar * Sum<kTerms>(sigma - kA, sigma - kB);
}

double H2ab_s(double s) {
  double eta = 0;
  for (auto it = std::rbegin(t::h2ab::kTerms); it != std::rend(t::h2ab::kTerms); ++it) {
    eta = eta * s + it->n;
  }
  return eta;
}

double TB23_hs(double h, double s) {
  using namespace t::tb23hs;
  const double eta = h / kHStar;
  const double sigma = s / kSStar;
  return kTStar * Sum<kTerms>(eta - kA, sigma - kB);
}

// ---- pressure --------------------------------------------------------------------

double P1_hs(double h, double s) {
  using namespace t::p1hs;
  const double eta = h / kHStar;
  const double sigma = s / kSStar;
  return kPStar * Sum<kTerms>(eta - kA, sigma - kB);
}

double P2a_hs(double h, double s) {
  using namespace t::p2ahs;
  const double eta = h / kHStar;
  const double sigma = s / kSStar;
  return kPStar * Square(Square(Sum<kTerms>(eta - kA, sigma - kB)));
}

double P2b_hs(double h, double s) {
  using namespace t::p2bhs;
  const double eta = h / kHStar;
  const double sigma = s / kSStar;
  return kPStar * Square(Square(Sum<kTerms>(eta - kA, sigma - kB)));
}

double P2c_hs(double h, double s) {
  using namespace t::p2chs;
  const double eta = h / kHStar;
  const double sigma = s / kSStar;
  return kPStar * Square(Square(Sum<kTerms>(eta - kA, sigma - kB)));
}

double P3a_hs(double h, double s) {
  using namespace t::p3ahs;
  const double eta = h / kHStar;
  const double sigma = s / kSStar;
  return kPStar * Sum<kTerms>(eta - kA, sigma - kB);
}

double P3b_hs(double h, double s) {
  using namespace t::p3bhs;
  const double eta = h / kHStar;
  const double sigma = s / kSStar;
  return kPStar / Sum<kTerms>(eta - kA, sigma - kB);
}

// ---- saturation temperature ------------------------------------------------------

double TSat_hs(double h, double s) {
  using namespace t::tsaths;
  const double eta = h / kHStar;
  const double sigma = s / kSStar;
  return kTStar * Sum<kTerms>(eta - kA, sigma - kB);
}

// ---- the start of a state (h, s) ---------------------------------------------------

namespace {

constexpr double kS1Lowest = t::h1sat::kSLowest;      // kJ/(kg K), s'(273.15 K)
constexpr double kS1Highest = t::h1sat::kSHighest;    // kJ/(kg K), s'(623.15 K)
constexpr double kSc = t::kS3ab;                      // kJ/(kg K), critical entropy
constexpr double kS623 = t::tsaths::kSLowest;         // kJ/(kg K), s''(623.15 K)
constexpr double kS2Highest = t::h2absat::kSHighest;  // kJ/(kg K), s''(273.15 K)
constexpr double kT273 = 273.15;                      // K, lowest temperature
constexpr double kT623 = 623.15;                      // K, regions 1 and 2 end, 3 begins
constexpr double kTc = 647.096;                       // K, critical temperature

// Far beyond every state of regions 1 to 4 (-0.04 to about 4160 kJ/kg, from
// -0.0086 kJ/(kg K)): outside these the sums are not evaluated at all.
constexpr double kHGuardLowest = -100;   // kJ/kg
constexpr double kHGuardHighest = 5000;  // kJ/kg
constexpr double kSGuardLowest = -1;     // kJ/(kg K)
constexpr double kSGuardHighest = 100;   // kJ/(kg K)

// How far below the 273.15 K isotherm a two-phase (h, s) may lie and still
// count as on it: the rounding of h and the fit of h'_1 at s'(273.15 K).
constexpr double kWetEdgeMargin = 1e-3;  // kJ/kg

// The noise of the two-phase chord below: about twice the largest deviation
// of TSat_hs from the saturation temperature over its range (0.85 mK).
constexpr double kTSatNoise = 2e-3;  // K

// IAPWS-IF97 eq. 5, in double.
double PB23(double T) {
  const auto& n = if97::detail::b23::n;
  return n[0] + n[1] * T + n[2] * T * T;  // MPa
}

// h'(s) and its first two derivatives by s, region 1's line only.
SumAlong H1SatAlong(double s) {
  using namespace t::h1sat;
  const double sigma = s / kSStar;
  const double ds = 1 / kSStar;
  SumAlong r = SumWithDerivatives<kTerms>(sigma - kA, sigma - kB, ds, ds);
  return {kHStar * r.sum, kHStar * r.d1, kHStar * r.d2};
}

// Region 3's h'_3a(s) and h''_2c3b(s) with their slopes.
struct ValueAndSlope {
  double value;
  double slope;
};

ValueAndSlope H3aSatWithSlope(double s) {
  using namespace t::h3asat;
  const double sigma = s / kSStar;
  const double ds = 1 / kSStar;
  const SumAlong r = SumWithDerivatives<kTerms>(sigma - kA, sigma - kB, ds, ds);
  return {kHStar * r.sum, kHStar * r.d1};
}

ValueAndSlope H2c3bSatWithSlope(double s) {
  using namespace t::h2c3bsat;
  const double sigma = s / kSStar;
  const double ds = 1 / kSStar;
  const SumAlong r = SumWithDerivatives<kTerms>(sigma - kA, sigma - kB, ds, ds);
  const double cube = r.sum * r.sum * r.sum;
  return {kHStar * cube * r.sum, 4 * kHStar * cube * r.d1};
}

// An isotherm of the two-phase region: the straight line in the h-s plane
// from saturated water to saturated steam, its slope T.
struct Isotherm {
  double s_liquid;  // kJ/(kg K)
  double h_liquid;  // kJ/kg
  double slope;     // K

  static Isotherm Through(double s_liquid, double h_liquid, double s_vapour, double h_vapour) {
    return {s_liquid, h_liquid, (h_vapour - h_liquid) / (s_vapour - s_liquid)};
  }
  double At(double s) const { return h_liquid + slope * (s - s_liquid); }  // kJ/kg
};

// The lowest isotherm of the range and the highest of T_sat(h, s), between
// the ends of the releases' saturation lines.
const Isotherm& Isotherm273() {
  static const Isotherm line =
      Isotherm::Through(kS1Lowest, H1Sat_s(kS1Lowest), kS2Highest, H2abSat_s(kS2Highest));
  return line;
}

const Isotherm& Isotherm623() {
  static const Isotherm line =
      Isotherm::Through(kS1Highest, H1Sat_s(kS1Highest), kS623, H2c3bSat_s(kS623));
  return line;
}

// The two-phase temperature from the saturated-water line h'_1(s): the
// isotherm through (h, s) taken as the tangent to h'_1 at s' < s, its slope
// dh'/ds' = T + v' dp_s/ds' as T. Close where v' dp_s/ds' is small (0.3 K at
// 100 degC, less below), tens of kelvins too high near 623.15 K.
double TwoPhaseTangentT(double h, double s) {
  double lo = kS1Lowest;
  double hi = std::min(s, kS1Highest);
  const SumAlong at_s = H1SatAlong(hi);
  // The tangent of a parabola through (h, s): exact for a point near the line.
  double sp = hi;
  if (at_s.d2 > 0) sp = hi - std::sqrt(std::max(0.0, 2 * (at_s.sum - h) / at_s.d2));
  double slope = at_s.d1;
  for (int iteration = 0; iteration < 40; ++iteration) {
    if (!(sp > lo && sp < hi)) sp = 0.5 * (lo + hi);
    const SumAlong at = H1SatAlong(sp);
    slope = at.d1;
    const double g = at.sum + at.d1 * (s - sp) - h;  // rises with sp
    if (g > 0) {
      hi = sp;
    } else {
      lo = sp;
    }
    const double dg = at.d2 * (s - sp);
    const double next = dg > 0 ? sp - g / dg : 0.5 * (lo + hi);
    if (std::fabs(next - sp) < 1e-12) break;
    sp = next;
  }
  return slope;
}

// The two-phase temperature from TSat_hs at s''(623.15 K): the T whose
// isotherm through (h, s) meets s = s''(623.15 K) where TSat_hs gives T back.
// Its error is the deviation of TSat_hs divided by |dF/dT|, which falls
// towards saturated water at low temperatures; slope returns dF/dT.
struct ChordT {
  double T;
  double slope;
  bool converged;
};

ChordT TwoPhaseChordT(double h, double s, double T_start) {
  using namespace t::tsaths;
  const double b = kS623 / kSStar - kB;
  const double run = kS623 - s;  // kJ/(kg K)
  double lo = kT273;
  double hi = kT623;
  ChordT r{std::clamp(T_start, lo, hi), 0, false};
  for (int iteration = 0; iteration < 30; ++iteration) {
    const double eta = (h + r.T * run) / kHStar;
    const SumAlong at = SumWithDerivatives<kTerms>(eta - kA, b, run / kHStar, 0);
    const double F = kTStar * at.sum - r.T;
    r.slope = kTStar * at.d1 - 1;
    if (F > 0) {
      lo = r.T;
    } else {
      hi = r.T;
    }
    double next = r.slope < 0 ? r.T - F / r.slope : 0.5 * (lo + hi);
    if (!(next >= lo && next <= hi)) next = 0.5 * (lo + hi);
    const bool done = std::fabs(next - r.T) < 1e-7;
    r.T = next;
    if (done) {
      r.converged = true;
      break;
    }
  }
  return r;
}

// The two-phase temperature above 623.15 K, between the 623.15 K isotherm and
// the critical point, where the release gives no T_sat(h, s): the isotherms
// taken as the chords of the saturation line whose ends s' and s'' lie about
// s_c in the proportion of the 623.15 K isotherm's; the chord through (h, s)
// found by its parameter u (1 at 623.15 K, 0 at the critical point), T its
// slope. Within about 1.2 K.
double TwoPhaseCapT(double h, double s) {
  constexpr double kLiquidSpan = kSc - kS1Highest;  // kJ/(kg K)
  constexpr double kVapourSpan = kS623 - kSc;       // kJ/(kg K)
  double lo = 0;
  double hi = 1;
  double u = 1;
  double T = kT623;
  for (int iteration = 0; iteration < 40; ++iteration) {
    const double sa = kSc - u * kLiquidSpan;
    const double sb = kSc + u * kVapourSpan;
    const ValueAndSlope a = H3aSatWithSlope(sa);
    const ValueAndSlope b = H2c3bSatWithSlope(sb);
    const double width = sb - sa;
    T = (b.value - a.value) / width;
    // G > 0: the chord passes above (h, s); the isotherm lies lower, at a larger u.
    const double G = a.value + T * (s - sa) - h;
    if (G > 0) {
      lo = u;
    } else {
      hi = u;
    }
    const double dT =
        (b.slope * kVapourSpan + a.slope * kLiquidSpan - T * (kLiquidSpan + kVapourSpan)) / width;
    const double dG = -a.slope * kLiquidSpan + dT * (s - sa) + T * kLiquidSpan;
    double next = dG < 0 ? u - G / dG : 0.5 * (lo + hi);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    const bool done = std::fabs(next - u) < 1e-12;
    u = next;
    if (done) break;
  }
  return std::clamp(T, kT623, kTc);
}

// The two-phase temperature (K) of (h, s) below the saturation line.
double TwoPhaseT(double h, double s) {
  if (s >= kS623) return TSat_hs(h, s);
  if (s > kS1Highest && h > Isotherm623().At(s)) return TwoPhaseCapT(h, s);
  const double tangent = TwoPhaseTangentT(h, s);
  const ChordT chord = TwoPhaseChordT(h, s, tangent);
  // The chord where its noise stays below its difference from the tangent.
  const bool chord_is_better = chord.converged && chord.slope < 0 &&
                               std::fabs(chord.T - tangent) * -chord.slope > kTSatNoise;
  return chord_is_better ? chord.T : tangent;
}

}  // namespace

// The plane taken by s, from the left: water below 4 degC (s < s'(273.15 K),
// all region 1); up to s'(623.15 K) region 1 above h'_1 and up to h_B13,
// region 3 above it; up to s_c region 3a above h'_3a; up to 5.85 region 3b or
// 2c above h''_2c3b, parted by B23; then region 2 above h''_2ab (none beyond
// s''(273.15 K)). Below the saturation lines, two-phase.
double TwoPhaseTemperature(double h, double s) { return TwoPhaseT(h, s); }

HsStart HsEstimate(double h, double s, bool wet_temperature) {
  constexpr HsStart kOutside{0, kNaN, kNaN};
  // Also false for NaN.
  if (!(h >= kHGuardLowest && h <= kHGuardHighest && s >= kSGuardLowest && s <= kSGuardHighest)) {
    return kOutside;
  }
  const auto two_phase = [&]() -> HsStart {
    if (h < Isotherm273().At(s) - kWetEdgeMargin) return kOutside;
    return {4, kNaN, wet_temperature ? TwoPhaseT(h, s) : kNaN};
  };
  const auto region3 = [&]() -> HsStart {
    return {3, s <= kSc ? P3a_hs(h, s) : P3b_hs(h, s), kNaN};
  };
  const auto region2 = [&]() -> HsStart {
    if (s < t::kS2bc) return {2, P2c_hs(h, s), kNaN};
    return {2, h <= H2ab_s(s) ? P2a_hs(h, s) : P2b_hs(h, s), kNaN};
  };

  if (s < kS1Lowest) return {1, P1_hs(h, s), kNaN};
  if (s <= kS1Highest) {
    if (h < H1Sat_s(s)) return two_phase();
    if (s < t::hb13::kSLowest || h <= HB13_s(s)) return {1, P1_hs(h, s), kNaN};
    return region3();
  }
  if (s <= kSc) {
    if (h < H3aSat_s(s)) return two_phase();
    return region3();
  }
  if (s < t::kS2bc) {
    if (h < H2c3bSat_s(s)) return two_phase();
    using namespace t::tb23hs;
    if (s < kSLowest || h < kHLowest) return region3();
    if (s > kSHighest || h > kHHighest) return region2();
    // Region 3 where the pressure of sub-region 2c lies above B23's at the
    // temperature of B23 through (h, s).
    const double p = P2c_hs(h, s);
    if (p > PB23(TB23_hs(h, s))) return region3();
    return {2, p, kNaN};
  }
  if (s <= kS2Highest && h < H2abSat_s(s)) return two_phase();
  return region2();
}

}  // namespace if97::engine
