// Internal to the library: the region selection and the choice of the
// temperature function that the state from (p, h) and the state from (p, s)
// share. y stands for the given enthalpy or entropy.
#ifndef STEAMCALC_LIBRARY_PH_PS_SELECT_H
#define STEAMCALC_LIBRARY_PH_PS_SELECT_H

#include <optional>
#include <string>

namespace if97::detail {

// The values at the given pressure that the selection compares y with.
struct Landmarks {
  double y350;     // at 350 degC, above the lowest B23 pressure only (else 0)
  double y_water;  // y', below the critical pressure only (else 0)
  double y_steam;  // y''
};

// What sets (p, h) and (p, s) apart.
struct GivenQuantity {
  bool enthalpy;                          // h given, else s: the column of the captions
  bool (*in_range)(double p, double y);   // the range of REGION_PH or REGION_PS
  const char* out_of_range;               // the message for a state outside it
  double (*forward)(double p, double t);  // h_pt or s_pt
  double (*saturated_water)(double p);    // HSW_P or SSW_P
  double (*saturated_steam)(double p);    // HSP_P or SSP_P
  // The tests above the lower end of the B2bc line (sub-regions 2b and 2c,
  // region 3); code as the earlier tests left it.
  int (*above_p2bc_lowest)(double p, double y, const Landmarks& at_p, int code);
  const char* function;  // T_PH or T_PS, in the message on the saturation line
  // A single-phase state that the backward equations do not serve: refused
  // (after the message, FAILURE) or in region 5 (its temperature); nothing
  // for the others.
  std::optional<double> (*outside_backward)(int code, double p, double y);
  // The temperature by region code: the backward equation or iteration.
  double (*region1)(double p, double y);
  double (*region2a)(double p, double y);
  double (*region2b)(double p, double y);
  double (*region2c)(double p, double y);
  double (*region3)(double p, double y);
};

// The code of REGION_PH or REGION_PS (region_codes.h); the out-of-range
// message with code 0.
int SelectRegion(const GivenQuantity& q, double p, double y);

// REGION_PH or REGION_PS: the code and its caption.
void Region(const GivenQuantity& q, double p, double y, int& code, std::string& caption);

// T_PH or T_PS: wet steam at the saturation temperature, a state on the
// saturation line after its message, every other by its region's function.
double Temperature(const GivenQuantity& q, double p, double y);

// A property of the state (p, y) at the temperature of T_PH or T_PS: by
// forward or, for wet steam, by wet (see PropertyAtTemperature).
double PropertyOfState(const GivenQuantity& q, double p, double y,
                       double (*forward)(double p, double t), double (*wet)(double p, double x),
                       bool never_on_line);

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_PH_PS_SELECT_H
