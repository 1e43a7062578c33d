// The region selection and the choice of the temperature function, shared by
// the state from (p, h) and the state from (p, s).
#include "inverse/ph_ps_select.h"

#include <if97/if97.h>
#include <if97/if97_messages.h>

#include <iterator>

#include "arith/precision.h"
#include "forward/boundaries.h"
#include "forward/region_codes.h"
#include "inverse/temperature_search.h"

namespace if97::detail {
namespace {

constexpr int kNoCode = 999;  // no test held

struct CaptionRow {
  int code;
  const char* ph;  // REGION_PH
  const char* ps;  // REGION_PS
};

// The first row is that of every code not listed.
constexpr CaptionRow kCaptions[] = {
    {kOutOfRange, "Недопустимая область значений Р и Н", "Область недопустимых значений  Р и S"},
    {kWetSteam, "Область влажного пара (-1)", "Область влажного пара"},
    {kRegion1, "Область недогретой воды (1)", "Область недогретой воды"},
    {kRegion2a, "Область перегретого пара (2a)", "Область перегретого пара (2a)"},
    {kRegion2b, "Область перегретого пара (2b)", "Область перегретого пара (2b)"},
    {kRegion2c, "Область перегретого пара (2с)", "Область перегретого пара (2с)"},
    {kRegion3, "Околокритическая область (3)", "Околокритическая область (3)"},
    {kSaturationLine, "Линия насыщения(4)", "Линия насыщения (4)"},
};

// The temperature of a single-phase state (codes 1, 21, 22, 23 and 3).
double SinglePhaseTemperature(const GivenQuantity& q, int code, double p, double y) {
  if (const std::optional<double> t = q.outside_backward(code, p, y)) return *t;
  switch (code) {
    case kRegion1:
      return q.region1(p, y);
    case kRegion2a:
      return q.region2a(p, y);
    case kRegion2b:
      return q.region2b(p, y);
    case kRegion2c:
      return q.region2c(p, y);
    default:
      return q.region3(p, y);
  }
}

}  // namespace

int SelectRegion(const GivenQuantity& q, double p, double y) {
  if (!q.in_range(p, y)) {
    ShowMessage(q.out_of_range);
    return kOutOfRange;
  }
  // The 350 degC isotherm is needed above 16.5292 MPa only; nearer to
  // 16.529164 MPa it meets the saturation line, where h_pt and s_pt would
  // report.
  Landmarks at_p{};
  at_p.y350 = p > kB23LowestPressure ? q.forward(p, kRegion3LowestTemperature) : 0;
  if (p < kCriticalPressure) {
    at_p.y_steam = q.saturated_steam(p);
    at_p.y_water = q.saturated_water(p);
  }
  // The later of two tests that hold decides.
  int code = kNoCode;
  if (p < kCriticalPressure && at_p.y_water < y && y < at_p.y_steam) code = kWetSteam;
  if ((p <= kB23LowestPressure && y <= at_p.y_water) ||
      (p > kB23LowestPressure && y <= at_p.y350)) {
    code = kRegion1;
  }
  if (p <= kP2ab && y >= at_p.y_steam) code = kRegion2a;
  if (kP2ab < p && p <= kP2bcLowest && y >= at_p.y_steam) code = kRegion2b;
  code = q.above_p2bc_lowest(p, y, at_p, code);
  // Above the critical pressure y' and y'' are not set: no state is on the
  // line.
  if (p < kCriticalPressure && (y == at_p.y_steam || y == at_p.y_water)) code = kSaturationLine;
  // By enthalpy, a state on the B2bc line itself can pass neither B2bc test
  // through rounding; both backward equations hold there, and it is taken as
  // 2b. By entropy the tests leave no gap.
  if (code == kNoCode) code = kRegion2b;
  return code;
}

void Region(const GivenQuantity& q, double p, double y, int& code, std::string& caption) {
  const detail::ExtendedPrecision guard;
  code = SelectRegion(q, p, y);
  const CaptionRow* row = std::begin(kCaptions);
  for (const CaptionRow& candidate : kCaptions) {
    if (candidate.code == code) row = &candidate;
  }
  caption = q.enthalpy ? row->ph : row->ps;
}

double Temperature(const GivenQuantity& q, double p, double y) {
  const detail::ExtendedPrecision guard;
  switch (const int code = SelectRegion(q, p, y)) {
    case kOutOfRange:
      return FAILURE;
    case kWetSteam:
      return TS_P(p);
    case kSaturationLine:
      // Saturated water of region 1 by its backward equation, which holds
      // there to within 25 mK; saturated steam, and saturated water of
      // region 3, lie outside the region-1 equation.
      ShowMessage(messages::WithFunction(messages::kOnSaturationLine, q.function));
      return y == q.saturated_water(p) && p <= kB23LowestPressure ? q.region1(p, y) : TS_P(p);
    default:
      return SinglePhaseTemperature(q, code, p, y);
  }
}

double PropertyOfState(const GivenQuantity& q, double p, double y,
                       double (*forward)(double p, double t), double (*wet)(double p, double x),
                       bool never_on_line) {
  const detail::ExtendedPrecision guard;
  return PropertyAtTemperature(p, y, Temperature(q, p, y), q.saturated_water, q.saturated_steam,
                               forward, wet, never_on_line);
}

}  // namespace if97::detail
