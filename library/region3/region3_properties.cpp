// Region 3 (near-critical states): every property at a specific volume and
// temperature from the derivatives of the dimensionless Helmholtz free energy
// phi(delta, tau), eq. 28, formed in one pass over the terms.
#include <if97/if97.h>

#include <cmath>
#include <iterator>
#include <limits>

#include "arith/powers.h"
#include "arith/stored.h"
#include "forward/properties.h"
#include "region3/equation.h"

namespace if97 {
namespace {

using detail::Exponents, detail::ext, detail::PowerTable, detail::Stored;
using detail::r3::I, detail::r3::J, detail::r3::n, detail::r3::n1, detail::r3::kTStar;
using detail::r3::kIN, detail::r3::kJ;

// The powers h and s read, together: the second derivatives reuse them.
constexpr Exponents kDeltaAll = Exponents{}.With(I).With(I, -1);
constexpr Exponents kTauAll = Exponents{}.With(J).With(J, -1);

constexpr double kNotFormed = std::numeric_limits<double>::quiet_NaN();

}  // namespace

// IAPWS-IF97 Tables 31 and 32. delta, T and tau are reduced, and h and s
// summed and combined, exactly as H3_PT and S3_PT do it at the volume v. The
// second derivatives are summed in extended precision from the terms of the
// first, each term's one power too many taken off the sum as a whole:
//   phi_deltadelta = -n1 / delta^2 + 1 / delta * sum (I - 1) [phi_delta term],
//   phi_tautau     = 1 / tau * sum (J - 1) [phi_tau term],
//   phi_deltatau   = 1 / tau * sum J [phi_delta term].
detail::Properties detail::Region3Properties(double v, double t) {
  const double delta = detail::r3::DeltaOfVolume(v);
  const double T = Stored(ext{t} + kKelvinOffset);
  const double tau = Stored(kTStar / ext{T});
  const PowerTable<kDeltaAll> d(delta);
  const PowerTable<kTauAll> tp(tau);
  double tau_sum = 0;    // phi_tau
  double delta_sum = 0;  // phi_delta - n1 / delta
  double phi_sum = 0;    // phi - n1 ln delta
  ext sum_deltadelta = 0;
  ext sum_tautau = 0;
  ext sum_deltatau = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    const ext n_d = ext{n[i]} * d[I[i]];
    const ext term_tau = n_d * kJ[i] * tp[J[i] - 1];
    const ext term_delta = kIN[i] * d[I[i] - 1] * tp[J[i]];
    tau_sum = Stored(tau_sum + term_tau);
    delta_sum = Stored(delta_sum + term_delta);
    phi_sum = Stored(phi_sum + n_d * tp[J[i]]);
    sum_deltadelta += (I[i] - 1) * term_delta;
    sum_tautau += (J[i] - 1) * term_tau;
    sum_deltatau += J[i] * term_delta;
  }
  const ext phi_deltadelta = -n1 / (ext{delta} * delta) + sum_deltadelta / delta;
  const ext phi_tautau = sum_tautau / tau;
  const ext phi_deltatau = sum_deltatau / tau;
  const double tau_phi_tau = Stored(ext{tau} * tau_sum);
  const double delta_phi_delta = Stored(ext{delta} * (n1 / ext{delta} + delta_sum));
  const double phi = Stored(n1 * std::log(ext{delta}) + phi_sum);
  detail::Properties out;
  out.h = Stored(ext{T} * kGasConstant * (ext{tau_phi_tau} + delta_phi_delta));
  out.s = Stored((ext{tau_phi_tau} - phi) * kGasConstant);
  out.v = v;
  const ext rt = ext{T} * kGasConstant;
  const ext delta_ = delta;
  const ext tau_ = tau;
  const ext tau2_phi_tautau = tau_ * tau_ * phi_tautau;
  const ext b = delta_phi_delta - delta_ * tau_ * phi_deltatau;
  const ext c = 2 * ext{delta_phi_delta} + delta_ * delta_ * phi_deltadelta;
  out.u = Stored(rt * tau_phi_tau);
  out.cv = Stored(-kGasConstant * tau2_phi_tautau);
  out.cp = Stored(kGasConstant * (-tau2_phi_tautau + b * b / c));
  // R T in J/kg gives w in m/s.
  out.w = Stored(std::sqrt(rt * 1000 * (c - b * b / tau2_phi_tautau)));
  out.dcp_dt = kNotFormed;
  return out;
}

}  // namespace if97
