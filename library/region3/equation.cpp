// Region 3 (near-critical states): IAPWS-IF97 basic equation, dimensionless
// Helmholtz free energy phi(delta, tau), eq. 28: the pressure term at a volume
// and the enthalpy and entropy at the volume the search finds (Table 31).
#include "region3/equation.h"

#include <if97/if97.h>

#include <cmath>
#include <cstddef>
#include <iterator>
#include <utility>

#include "arith/powers.h"
#include "arith/precision.h"
#include "arith/stored.h"

namespace if97 {
namespace {

using detail::ext, detail::PowerTable, detail::Stored;
using detail::r3::DeltaOfVolume, detail::r3::I, detail::r3::J, detail::r3::n, detail::r3::n1,
    detail::r3::kTStar;
using detail::r3::kDeltaI, detail::r3::kDeltaPhiDeltaDelta, detail::r3::kIN, detail::r3::kJ,
    detail::r3::kTauJ, detail::r3::kTauJMinus1;

struct Reduced {
  double delta;  // rho / rho*
  double T;      // K
  double tau;    // T* / T
};

// delta and tau at the liquid-side (k = 1) or vapour-side (k = 2) volume of
// the state; false when the volume search failed.
bool ReduceAtVolume(int k, double p, double t, Reduced& r) {
  double v1 = FAILURE;
  double v2 = FAILURE;
  VKR_PT(p, t, v1, v2);
  const double v = k == 2 ? v2 : v1;
  if (v == FAILURE) return false;
  r.delta = DeltaOfVolume(v);
  r.T = Stored(ext{t} + kKelvinOffset);
  r.tau = Stored(kTStar / ext{r.T});
  return true;
}

// Table 32: tau phi_tau = tau sum n_i delta^I_i J_i tau^(J_i - 1), summed in
// one loop with a second sum over the same terms (second(i) is its term i),
// each in its own order and with its own roundings, so that the processor
// overlaps the two chains. Returns tau phi_tau and the second sum.
template <typename Term>
std::pair<double, double> TauPhiTauWith(const Reduced& r, const PowerTable<kDeltaI>& delta,
                                        Term second) {
  const PowerTable<kTauJMinus1> tau(r.tau);
  double tau_sum = 0;
  double other = 0;
  for (std::size_t i = 0; i < std::size(n); ++i) {
    tau_sum = Stored(tau_sum + ext{n[i]} * delta[I[i]] * kJ[i] * tau[J[i] - 1]);
    other = Stored(other + second(i));
  }
  return {Stored(ext{r.tau} * tau_sum), other};
}

}  // namespace

double Z3_VT(double v, double t) {
  const detail::ExtendedPrecision guard;
  const double delta = DeltaOfVolume(v);
  const PowerTable<kTauJ> tau(detail::r3::TauOfTemperature(t));
  return detail::r3::DeltaPhiDelta(delta, tau);
}

// IAPWS-IF97 Table 31: h = R T (tau phi_tau + delta phi_delta).
double H3_PT(int k, double p, double t) {
  const detail::ExtendedPrecision guard;
  Reduced r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const PowerTable<kDeltaI> delta(r.delta);
  const PowerTable<kDeltaPhiDeltaDelta> d(r.delta);
  const PowerTable<kTauJ> tau(r.tau);
  const auto [tau_phi_tau, sum] =
      TauPhiTauWith(r, delta, [&](std::size_t i) { return kIN[i] * d[I[i] - 1] * tau[J[i]]; });
  // delta phi_delta as DeltaPhiDelta forms it.
  const double delta_phi_delta = Stored(ext{r.delta} * (n1 / ext{r.delta} + sum));
  return Stored(ext{r.T} * kGasConstant * (ext{tau_phi_tau} + delta_phi_delta));
}

// IAPWS-IF97 Table 31: s = R (tau phi_tau - phi).
double S3_PT(int k, double p, double t) {
  const detail::ExtendedPrecision guard;
  Reduced r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const PowerTable<kDeltaI> delta(r.delta);
  const PowerTable<kTauJ> tau(r.tau);
  const auto [tau_phi_tau, sum] =
      TauPhiTauWith(r, delta, [&](std::size_t i) { return ext{n[i]} * delta[I[i]] * tau[J[i]]; });
  const double phi = Stored(n1 * std::log(ext{r.delta}) + sum);
  return Stored((ext{tau_phi_tau} - phi) * kGasConstant);
}

}  // namespace if97
