// The backward equations T(p, h), T(p, s) of regions 1 and 2 in double
// (backward.h): each the sum n_i a^I_i b^J_i over its table (table_sums.h).
#include "engine/backward.h"

#include <cmath>
#include <cstddef>

#include "engine/table_sums.h"
#include "tables/backward_equations.h"
#include "tables/boundary_equations.h"

namespace if97::engine {
namespace {

using detail::TableSum;

constexpr double kP2ab = 4;             // MPa, sub-regions 2a / 2b
constexpr double kP2bcLowest = 6.5467;  // MPa, lower end of the B2bc line
constexpr double kS2aContinued = 6.4;   // kJ/(kg K)

// IAPWS-IF97 eq. 20: the pressure (MPa) on B2bc at h (kJ/kg).
double PB2bc(double h) {
  const double* n = if97::detail::b2bc::n;
  return n[0] + n[1] * h + n[2] * h * h;
}

}  // namespace

double T1_ph(double p, double h) { return TableSum<backward::kTable6>(p, h / 2500 + 1); }
double T2a_ph(double p, double h) { return TableSum<backward::kTable20>(p, h / 2000 - 2.1); }
double T2b_ph(double p, double h) { return TableSum<backward::kTable21>(p - 2, h / 2000 - 2.6); }
double T2c_ph(double p, double h) { return TableSum<backward::kTable22>(p + 25, h / 2000 - 1.8); }
double T1_ps(double p, double s) { return TableSum<backward::kTable8>(p, s + 2); }
double T2c_ps(double p, double s) { return TableSum<backward::kTable27>(p, 2 - s / 2.9251); }

double T2a_ps(double p, double s) {
  return TableSum<backward::kTable25>(std::sqrt(std::sqrt(p)), s / 2 - 2);
}

double T2_ph(double p, double h) {
  if (p <= kP2ab) return T2a_ph(p, h);
  if (p <= kP2bcLowest || p <= PB2bc(h)) return T2b_ph(p, h);
  return T2c_ph(p, h);
}

double T2_ps(double p, double s) {
  if (p <= kP2bcLowest || s >= kS2aContinued) return T2a_ps(p, s);
  return T2c_ps(p, s);
}

}  // namespace if97::engine
