// The residual of the region-3 equation of state along one isotherm: the
// factors formed once per (p, t), the filter's polynomial, and the bound of
// the exact residual's error beside a root (isotherm.h).
#include "region3/isotherm.h"

#include <if97/if97.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>

#include "arith/stored.h"
#include "region3/equation.h"

namespace if97::detail::r3 {
namespace {

// For each term, the roundings that its power of delta carries (I - 2 from
// the successive products, one for the reciprocal, at least one counted) and
// the effect of delta's own rounding (I); and I (I + 1), the factor of its
// second derivative in v.
constexpr auto kRoundingWeight = [] {
  std::array<double, std::size(n)> w{};
  for (std::size_t i = 0; i < std::size(n); ++i) w[i] = std::max(I[i] - 2, 1) + I[i];
  return w;
}();
constexpr auto kCurvatureWeight = [] {
  std::array<double, std::size(n)> w{};
  for (std::size_t i = 0; i < std::size(n); ++i) w[i] = I[i] * (I[i] + 1);
  return w;
}();

}  // namespace

Isotherm::Isotherm(double p, double t)
    : tau_(TauOfTemperature(t)),
      tau_powers_(tau_),
      pressure_(ext{p} * 1000),
      gas_((ext{t} + kKelvinOffset) * kGasConstant),
      filter_(p > 0 && p < kFilterPressureMax && t > kFilterTemperatureMin &&
              t < kFilterTemperatureMax) {
  if (!filter_) return;
  pressure_d_ = p * 1000;
  gas_d_ = (t + kKelvinOffset) * kGasConstant;
  ideal_factor_ = pressure_d_ / gas_d_;
  // The terms grouped by I; those with I = 0 add nothing (their factor I is 0)
  // and the slot of delta^1 is n1's.
  for (std::size_t i = 0; i < std::size(n); ++i) {
    const double c = static_cast<double>(I[i]) * n[i] * tau_powers_[J[i]];
    poly_[I[i] + 1] += c;
    poly_magnitude_[I[i] + 1] += std::fabs(c);
  }
  poly_[0] = -ideal_factor_ / kRhoStar;
  poly_[1] = n1;
  poly_magnitude_[0] = std::fabs(poly_[0]);
  poly_magnitude_[1] = std::fabs(n1);
}

Isotherm::Tight Isotherm::TightAt(double v) const {
  const ext delta = (1 / ext{v}) / kRhoStar;
  const double delta_d = Stored(delta);
  ext powers[kHighestI + 1];  // delta^(k - 1), k = 0..11
  double powers_d[kHighestI + 1];
  powers[0] = 1 / delta;
  powers[1] = 1;
  powers_d[0] = 1 / delta_d;
  powers_d[1] = 1;
  for (int k = 2; k <= kHighestI; ++k) {
    powers[k] = powers[k - 1] * delta;
    powers_d[k] = powers_d[k - 1] * delta_d;
  }
  // The value in extended precision; the bounds and the slope need far less
  // and are summed in double beside it.
  ext sum = 0;
  double partial = 0;
  double partials = 0;
  double terms = 0;
  double roundings = 0;
  double slope_sum = 0;
  double curvature_sum = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    sum += kIN[i] * powers[I[i]] * tau_powers_[J[i]];
    const double t = kINd[i] * powers_d[I[i]] * tau_powers_[J[i]];
    const double a = std::fabs(t);
    partial += t;
    partials += std::fabs(partial);
    terms += a;
    roundings += kRoundingWeight[i] * a;
    slope_sum += kI[i] * t;
    curvature_sum += kCurvatureWeight[i] * a;
  }
  const ext w = ext{v} * pressure_ / gas_;
  const ext z = n1 + delta * sum;
  constexpr double kU = 0x1p-53 * (1 + 0x1p-9);
  constexpr double kUExt = 0x1p-62;
  // Above the partial sums in double: their own rounding, and the terms' in
  // double against those in extended precision.
  const double spread = 4 * kTermCount * kTermCount * kU * terms;
  const double zd = Stored(z);
  const double wd = Stored(w);
  const double bound = kU * (delta_d * (partials + spread + roundings) + std::fabs(zd)) +
                       kUExt * (std::fabs(n1) + delta_d * terms + wd);
  return {v, z - w, -(delta_d / v) * slope_sum - ideal_factor_,
          delta_d * curvature_sum / (v * v) * kReachSlack, bound * kReachSlack * kReachSlack};
}

}  // namespace if97::detail::r3
