// Saturated steam beside the critical point.
//
// Within about 3e-5 MPa below the critical pressure the vapour root and the
// middle root of the isotherm's loop lie closer together than one walk step,
// and the walk down from the vapour side steps over both onto the liquid
// root. There the loop is located from the shape of the isotherm instead:
// above the liquid root the residual falls to a minimum, rises to a maximum
// and falls for good, so its slope has one maximum (the inflection) between
// the two. The vapour root lies above the residual's maximum.
//
// From about 22.06399 MPa up, the saturation temperature of eq. 31 passes
// just outside the loop of the region-3 equation: the maximum stays below
// zero (the isotherm's pressure there falls short of p by less than 1e-9 MPa)
// and the vapour root does not exist. The saturated steam is then the state
// at that maximum, the vapour-side state nearest to p. It joins the vapour
// root where the two merge and closes on the critical volume towards the
// critical point.
#include "region3/critical_steam.h"

#include <if97/if97.h>

#include <cmath>
#include <cstddef>
#include <iterator>

#include "arith/search_steps.h"
#include "arith/stored.h"
#include "region3/equation.h"
#include "region3/isotherm.h"
#include "region3/volume_search.h"

namespace if97::detail::r3 {
namespace {

constexpr double kLoopWidth = 4 * kWalkStep;  // m3/kg above the liquid root
constexpr double kSectionTolerance = 1e-12;   // relative width
constexpr double kSameRoot = 1e-9;            // relative, the walk's root is the vapour root

// v dF/dv = -sum I_i^2 n_i delta^I_i tau^J_i - v p / (R T) of the residual F
// along one isotherm, in extended precision; zero at the minimum and at the
// maximum of the loop. The factors I_i^2 n_i tau^J_i are formed once.
class VolumeSlope {
 public:
  VolumeSlope(double p, double t)
      : pressure_(ext{p} * 1000), gas_((ext{t} + kKelvinOffset) * kGasConstant) {
    const ext tau = TauOfTemperature(t);
    for (std::size_t i = 0; i < std::size(n); ++i) {
      ext tau_power = 1;
      for (int j = 0; j < J[i]; ++j) tau_power *= tau;
      factor_[i] = kIN[i] * I[i] * tau_power;
    }
  }

  ext operator()(double v) const {
    const ext delta = (1 / ext{v}) / kRhoStar;
    ext delta_power[kHighestI + 1];
    delta_power[0] = 1;
    for (int k = 1; k <= kHighestI; ++k) delta_power[k] = delta_power[k - 1] * delta;
    ext sum = 0;
    for (std::size_t i = 0; i < std::size(n); ++i) sum += factor_[i] * delta_power[I[i]];
    return -sum - ext{v} * pressure_ / gas_;
  }

 private:
  ext pressure_;  // p in kPa
  ext gas_;       // R T
  ext factor_[std::size(n)];
};

// Bisection of [lo, hi] for the sign change of a function positive at lo and
// negative at hi.
template <typename Function>
double FallingZero(Function f, double lo, double hi) {
  while (std::fabs((ext{hi} - lo) * 2 / (ext{hi} + lo)) >= kBisectionTolerance) {
    const double m = Midpoint(lo, hi);
    if (m == lo || m == hi) break;
    (f(m) > 0 ? lo : hi) = m;
  }
  return Midpoint(lo, hi);
}

}  // namespace

double SteamBesideCriticalPoint(const Isotherm& iso, double p, double t, double liquid,
                                double walked) {
  const VolumeSlope slope(p, t);
  const double top = Stored(ext{liquid} + kLoopWidth);
  if (!(iso.ResidualSign(top) < 0 && slope(top) < 0)) return walked;
  // Golden section for the inflection.
  double lo = liquid;
  double hi = top;
  double x1 = Stored(lo + kGoldenSection * (ext{hi} - lo));
  double x2 = Stored(hi - kGoldenSection * (ext{hi} - lo));
  ext g1 = slope(x1);
  ext g2 = slope(x2);
  while ((ext{hi} - lo) / lo >= kSectionTolerance) {
    if (g1 < g2) {
      lo = x1;
      x1 = x2;
      g1 = g2;
      x2 = Stored(hi - kGoldenSection * (ext{hi} - lo));
      g2 = slope(x2);
    } else {
      hi = x2;
      x2 = x1;
      g2 = g1;
      x1 = Stored(lo + kGoldenSection * (ext{hi} - lo));
      g1 = slope(x1);
    }
  }
  const double inflection = g1 < g2 ? x2 : x1;
  // No loop above the liquid root: the walk's root is the only one.
  if (!(slope(inflection) > 0)) return walked;
  const double maximum = FallingZero([&](double v) { return slope(v); }, inflection, top);
  if (!(iso.Residual(maximum) > 0)) return maximum;
  const double steam = FallingZero([&](double v) { return iso.Residual(v); }, maximum, top);
  return std::fabs((ext{steam} - walked) / walked) < kSameRoot ? walked : steam;
}

}  // namespace if97::detail::r3
