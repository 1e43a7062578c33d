// The backward equations of region 3 and the region-3 saturation pressures
// in double precision: each the sum over its table's terms (table_sums.h).
#include "engine/region3_backward.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "engine/table_sums.h"
#include "tables/region3_backward.h"

namespace if97::engine {

namespace {

namespace tables = if97::region3_backward;

using detail::TableSum;

// x = x* sum n_i (pi + a)^I_i (eta - b)^J_i, eqs. 2 to 9.
template <const auto& kTerms, const tables::Reducing& kReducing>
double Backward(double p, double y) {
  const double pi = p / kReducing.p;
  const double eta = y / kReducing.y;
  return kReducing.x * TableSum<kTerms>(pi + kReducing.a, eta - kReducing.b);
}

// p = p* sum n_i (eta - a)^I_i (eta - b)^J_i, eqs. 10 and 11, inside
// [lowest, highest] widened by a relative kBoundRounding; NaN elsewhere, by
// comparisons that raise no flag for a NaN y.
constexpr double kBoundRounding = 1e-8;

template <const auto& kTerms, const tables::SaturationReducing& kReducing>
double Saturation(double y, double lowest, double highest) {
  if (!(std::isgreaterequal(y, lowest * (1 - kBoundRounding)) &&
        std::islessequal(y, highest * (1 + kBoundRounding)))) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  const double eta = y / kReducing.y;
  return kReducing.p * TableSum<kTerms>(eta - kReducing.a, eta - kReducing.b);
}

}  // namespace

double H3ab(double p) {
  return TableSum<tables::kH3ab>(p);  // p* = 1 MPa, h* = 1 kJ/kg
}

double T3_ph(double p, double h) { return h <= H3ab(p) ? T3a_ph(p, h) : T3b_ph(p, h); }
double V3_ph(double p, double h) { return h <= H3ab(p) ? V3a_ph(p, h) : V3b_ph(p, h); }
double T3_ps(double p, double s) { return s <= tables::kSc ? T3a_ps(p, s) : T3b_ps(p, s); }
double V3_ps(double p, double s) { return s <= tables::kSc ? V3a_ps(p, s) : V3b_ps(p, s); }

double T3a_ph(double p, double h) { return Backward<tables::kT3aPh, tables::kT3aPhReducing>(p, h); }
double T3b_ph(double p, double h) { return Backward<tables::kT3bPh, tables::kT3bPhReducing>(p, h); }
double V3a_ph(double p, double h) { return Backward<tables::kV3aPh, tables::kV3aPhReducing>(p, h); }
double V3b_ph(double p, double h) { return Backward<tables::kV3bPh, tables::kV3bPhReducing>(p, h); }
double T3a_ps(double p, double s) { return Backward<tables::kT3aPs, tables::kT3aPsReducing>(p, s); }
double T3b_ps(double p, double s) { return Backward<tables::kT3bPs, tables::kT3bPsReducing>(p, s); }
double V3a_ps(double p, double s) { return Backward<tables::kV3aPs, tables::kV3aPsReducing>(p, s); }
double V3b_ps(double p, double s) { return Backward<tables::kV3bPs, tables::kV3bPsReducing>(p, s); }

double P3sat_h(double h) {
  return Saturation<tables::kP3satH, tables::kP3satHReducing>(h, tables::kP3satHLowest,
                                                              tables::kP3satHHighest);
}

double P3sat_s(double s) {
  return Saturation<tables::kP3satS, tables::kP3satSReducing>(s, tables::kP3satSLowest,
                                                              tables::kP3satSHighest);
}

}  // namespace if97::engine
