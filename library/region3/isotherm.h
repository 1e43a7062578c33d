// Internal to the library: the residual of the region-3 equation of state
// along one isotherm, p = rho R T delta phi_delta (IAPWS-IF97 Table 31), whose
// zeros are the state's volumes, with three cheaper views of its sign.
//
// The search at one (p, t) evaluates the residual at thousands of trial
// volumes. What does not depend on the volume is formed once: tau and its
// powers, and the two factors of the ideal-gas term. Every value is still the
// one the residual formed from scratch would give.
//
// The walk and the bisection look only at the sign of the residual (a product
// of two residuals against zero), and their results depend on nothing else:
// the walk on the first step at which the sign changes, the bisection on the
// sign at each midpoint. Far from a root a plain double evaluation with a
// bound on its difference from the exact residual settles the sign (the
// filter). That bound: the exact residual and the plain one each differ from
// the true value by less than 70 units of the double rounding (2^-53) of the
// sum of the magnitudes of its parts (the delta powers up to the 10th with
// their roundings, 39 accumulations, the last few operations), so from each
// other by less than 140 units; the margin below is 1024 units, so a sign it
// accepts is the exact residual's sign. It is used only for volumes and
// temperatures at which neither evaluation can overflow, divide by zero or
// meet an invalid operation, so the floating-point flags are those of the
// exact evaluation as well.
#ifndef STEAMCALC_LIBRARY_REGION3_ISOTHERM_H
#define STEAMCALC_LIBRARY_REGION3_ISOTHERM_H

#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <utility>

#include "arith/powers.h"
#include "arith/stored.h"
#include "region3/equation.h"

namespace if97::detail::r3 {

// The terms of Table 30, the rows and n1. The bound of Isotherm::TightAt
// counts them for the accumulations of its sums in double, which add the 39
// rows: one term more than they hold, on the safe side.
inline constexpr int kTermCount = static_cast<int>(std::size(region3::kTerms)) + 1;
static_assert(kTermCount == 40);

inline constexpr double kTightReach = 1e-9;  // relative to the volume
// The growth of TightAt's bounds within kTightReach of its volume: there
// delta changes by about 1e-9 of itself and its powers (up to the 13th, in
// the curvature) by less than 2e-8; the factor allows 1e-3.
inline constexpr double kReachSlack = 1.001;
inline constexpr double kFilterMargin = 1024 * std::numeric_limits<double>::epsilon() / 2;
inline constexpr double kFilterVolumeMin = 1e-4;       // m3/kg, delta below 31
inline constexpr double kFilterVolumeMax = 1;          // m3/kg, delta above 0.003
inline constexpr double kFilterPressureMax = 1e4;      // MPa
inline constexpr double kFilterTemperatureMin = -200;  // degC, tau below 8.7
inline constexpr double kFilterTemperatureMax = 1e4;   // degC, tau above 0.06

class Isotherm {
 public:
  Isotherm(double p, double t);

  // Residual of the equation of state p = rho R T delta phi_delta (IAPWS-IF97
  // Table 31) for a trial volume v; zero at the state's volume.
  double Residual(double v) const {
    const double z = DeltaPhiDelta(DeltaOfVolume(v), tau_powers_);
    return Stored(ext{z} - ext{v} * pressure_ / gas_);
  }

  // Residual at several volumes at once: for each the same operations as
  // Residual, with the chains of roundings of the sums interleaved so that the
  // processor overlaps them.
  template <std::size_t N>
  void ResidualBatch(const std::array<double, N>& v, std::array<double, N>& out) const {
    std::array<double, N> delta;
    for (std::size_t j = 0; j < N; ++j) delta[j] = DeltaOfVolume(v[j]);
    const auto powers = [&]<std::size_t... j>(std::index_sequence<j...>) {
      return std::array<PowerTable<kDeltaPhiDeltaDelta>, N>{
          PowerTable<kDeltaPhiDeltaDelta>(delta[j])...};
    }
    (std::make_index_sequence<N>{});
    std::array<double, N> sum{};
    for (std::size_t i = 0; i < std::size(n); ++i) {
      const ext factor = kIN[i];
      const double tau = tau_powers_[J[i]];
      for (std::size_t j = 0; j < N; ++j) {
        sum[j] = Stored(sum[j] + factor * powers[j][I[i] - 1] * tau);
      }
    }
    for (std::size_t j = 0; j < N; ++j) {
      const double z = Stored(ext{delta[j]} * (n1 / ext{delta[j]} + sum[j]));
      out[j] = Stored(ext{z} - ext{v[j]} * pressure_ / gas_);
    }
  }

  // A number with the sign of Residual(v) (negative, zero, positive or NaN):
  // -1 or +1 where the plain evaluation settles it, else Residual(v) itself.
  double ResidualSign(double v) const {
    const double filtered = FilteredSign(v);
    return filtered != 0 ? filtered : Residual(v);
  }

  // The filter alone: -1 or +1 where it settles the sign, else 0.
  double FilteredSign(double v) const {
    if (filter_ && v >= kFilterVolumeMin && v <= kFilterVolumeMax) {
      const double delta = 1 / v / kRhoStar;
      // sum_k c_k delta^(k - 1), k = 1..11, and the same of the magnitudes.
      double sum = poly_[kDegree];
      double magnitude = poly_magnitude_[kDegree];
      for (int k = kHighestI - 1; k >= 1; --k) {
        sum = sum * delta + poly_[k + 1];
        magnitude = magnitude * delta + poly_magnitude_[k + 1];
      }
      const double ideal = v * pressure_d_ / gas_d_;
      const double f = (n1 + delta * sum) - ideal;
      const double bound = kFilterMargin * (delta * magnitude + std::fabs(n1) + ideal);
      if (f > bound) return 1;
      if (f < -bound) return -1;
    }
    return 0;
  }

  // ---- the residual beside its root, in extended precision -------------------
  //
  // Near the root the filter's margin is wide against what the exact residual
  // can actually be off. The exact residual at a volume m, before its last
  // rounding (which keeps the sign), differs from the true value of the
  // equation (real delta = 1 / (m rho*), the same tau powers and factors) by
  // less than
  //   u [delta sum_i |s_i| + delta sum_i (r_i + I_i) |t_i| + |z|] + 4 u' [|n1| + delta sum_i |t_i|
  //   + |w|],
  // u = 2^-53 (1 + 2^-9) and u' = 2^-64: s_i are the partial sums (one
  // rounding each), t_i the terms, whose powers delta^(I_i - 1) carry r_i
  // roundings (I_i - 2 from the successive products, 1 for the reciprocal),
  // I_i |t_i| the effect of delta's own rounding, z the pressure term and w
  // the ideal-gas term. Evaluated once in extended precision at a volume v near
  // the root, with the slope there, that bound holds (inflated by kReachSlack)
  // for every m within kTightReach of v, where the second derivative, bounded
  // by its magnitudes, adds at most curvature e^2 / 2.

  struct Tight {
    double volume;
    ext value;
    ext slope;
    ext curvature;  // largest |second derivative| near the volume
    ext bound;
  };

  Tight TightAt(double v) const;

  // ---- the residual as a polynomial ------------------------------------------
  //
  // Times delta = 1 / (v rho*), the residual is a polynomial of degree 12,
  //   R(delta) = -p / (R T rho*) + n1 delta + sum_k c_k delta^(k + 1),
  // c_k = sum over I_i = k of I_i n_i tau^J_i, with the residual's sign. The
  // polynomial with the magnitudes of the coefficients, Mp(delta), is delta
  // times the sum of the magnitudes of the residual's parts, so where the
  // filter may be used the exact residual's sign is R's wherever |R| exceeds
  // the filter's margin times Mp.

  static constexpr int kDegree = kHighestI + 1;
  using Coefficients = std::array<double, kDegree + 1>;

  bool Modelled() const { return filter_; }
  const Coefficients& Poly() const { return poly_; }

  // Mp(delta), for delta > 0.
  double Magnitude(double delta) const {
    double m = poly_magnitude_[kDegree];
    for (int j = kDegree - 1; j >= 0; --j) m = m * delta + poly_magnitude_[j];
    return m;
  }

 private:
  double tau_;
  PowerTable<kTauJ> tau_powers_;
  ext pressure_;  // p in kPa
  ext gas_;       // R T
  // The sign filter: whether it may be used at this (p, t); plain double
  // copies of the two factors.
  bool filter_;
  double pressure_d_ = 0;
  double gas_d_ = 0;
  double ideal_factor_ = 0;        // p / (R T), per m3/kg
  Coefficients poly_{};            // R's coefficients, by power of delta
  Coefficients poly_magnitude_{};  // Mp's
};

}  // namespace if97::detail::r3

#endif  // STEAMCALC_LIBRARY_REGION3_ISOTHERM_H
