// The start for the temperature of wet steam from (h, s) (wet_start.h).
#include "state/wet_start.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "engine/forward.h"

namespace if97::detail {
namespace {

constexpr double kLowest = 273.15;   // K, the first node
constexpr double kStep = 1;          // K
constexpr std::size_t kNodes = 351;  // to 623.15 K, regions 1 and 2

struct Node {
  double K;   // (h'' - h') / (s'' - s'), K
  double c;   // h' - s' K, kJ/kg
  double dK;  // dK/dT along the saturation line
  double dc;  // dc/dT, kJ/(kg K)
  double s1;  // s', kJ/(kg K)
};

// The change of h and s of one phase along the saturation line:
// d/dT = (d/dT)_p + (d/dp)_T dp_s/dT.
Node NodeAt(double T) {
  const double p = engine::Psat(T);
  const double slope = engine::PsatSlope(T);
  const engine::Props L = engine::Region1(p, T);
  const engine::Props V = engine::Region2(p, T);
  const double dh1 = L.dh_dT_p + L.dh_dp_T * slope;
  const double ds1 = L.ds_dT_p + L.ds_dp_T * slope;
  const double dh2 = V.dh_dT_p + V.dh_dp_T * slope;
  const double ds2 = V.ds_dT_p + V.ds_dp_T * slope;
  const double dh = V.h - L.h;
  const double ds = V.s - L.s;
  const double K = dh / ds;
  const double dK = ((dh2 - dh1) * ds - dh * (ds2 - ds1)) / (ds * ds);
  return {K, L.h - L.s * K, dK, dh1 - ds1 * K - L.s * dK, L.s};
}

using Table = std::array<Node, kNodes>;

const Table& Nodes() {
  static const Table table = [] {
    Table t;
    for (std::size_t i = 0; i < kNodes; ++i)
      t[i] = NodeAt(kLowest + kStep * static_cast<double>(i));
    return t;
  }();
  return table;
}

}  // namespace

double WetTemperatureStart(double h, double s) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  if (!(std::isfinite(h) && std::isfinite(s))) return kNaN;
  const Table& t = Nodes();
  const auto G = [&](std::size_t i) { return h - s * t[i].K - t[i].c; };
  // G falls with T wherever s >= s'(T): up to the last node j with s'_j <= s.
  // A root beyond it lies within a kelvin of the line of saturated water,
  // where G turns just after its root: there the start is the T of s' = s.
  const std::size_t past = static_cast<std::size_t>(
      std::upper_bound(t.begin(), t.end(), s, [](double v, const Node& n) { return v < n.s1; }) -
      t.begin());
  if (past == 0 || !(G(0) > 0)) return kNaN;
  std::size_t lo = 0;
  std::size_t hi = past - 1;
  if (G(hi) > 0) {
    if (past == kNodes) return kNaN;
    const double share = (s - t[hi].s1) / (t[past].s1 - t[hi].s1);
    return kLowest + kStep * (static_cast<double>(hi) + share);
  }
  while (hi - lo > 1) {
    const std::size_t mid = lo + (hi - lo) / 2;
    (G(mid) > 0 ? lo : hi) = mid;
  }
  // Hermite's cubic of G over the cell, in u = (T - T_lo) / kStep, and
  // Newton's method on it from the chord.
  const double g0 = G(lo);
  const double g1 = G(hi);
  const double d0 = -(s * t[lo].dK + t[lo].dc) * kStep;
  const double d1 = -(s * t[hi].dK + t[hi].dc) * kStep;
  double u = g0 / (g0 - g1);
  for (int k = 0; k < 4; ++k) {
    const double u2 = u * u;
    const double u3 = u2 * u;
    const double value = (2 * u3 - 3 * u2 + 1) * g0 + (u3 - 2 * u2 + u) * d0 +
                         (-2 * u3 + 3 * u2) * g1 + (u3 - u2) * d1;
    const double slope = (6 * u2 - 6 * u) * g0 + (3 * u2 - 4 * u + 1) * d0 +
                         (-6 * u2 + 6 * u) * g1 + (3 * u2 - 2 * u) * d1;
    if (!(slope < 0)) break;
    u = std::clamp(u - value / slope, 0.0, 1.0);
  }
  return kLowest + kStep * (static_cast<double>(lo) + u);
}

}  // namespace if97::detail
