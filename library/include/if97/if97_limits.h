// Internal to the library, and read by the calculation command: the range of
// the formulation as the library and the calculator offer it, and the bounds
// as the functions' range checks compare with them. Those carry a margin of a
// few units in the last decimal place, so that a bound typed as it is printed
// passes whatever the decimal conversion makes of it.
#ifndef STEAMCALC_LIBRARY_RANGE_LIMITS_H
#define STEAMCALC_LIBRARY_RANGE_LIMITS_H

namespace if97::limits {

// ---- the range --------------------------------------------------------------
inline constexpr double kLowestTemperature = 0;             // degC
inline constexpr double kHighestTemperatureRegion2 = 800;   // degC, upper end of region 2
inline constexpr double kHighestTemperatureRegion5 = 1000;  // degC, upper end of region 5
inline constexpr double kRegion5Pressure = 10;              // MPa, upper end of region 5
inline constexpr double kHighestPressure = 100;             // MPa
// The saturation line begins at 0 degC: PS_T(0) rounded up.
inline constexpr double kLowestSaturationPressure = 0.000611213;  // MPa

// ---- the bounds of the checks -------------------------------------------------
// REGION_PT, and with it h_pt, s_pt and v_pt.
inline constexpr double kPtHighestPressure = 100.00000000001;                // MPa
inline constexpr double kPtLowestTemperature = -1e-9;                        // degC
inline constexpr double kPtHighestTemperatureAbove10MPa = 800.000000000001;  // degC

// REGION_PH and T_PH: from the water at 0 degC up to kPhHighestEnthalpy.
inline constexpr double kPhLowestPressure = 0.000999999999;       // MPa
inline constexpr double kPhHighestPressure = kPtHighestPressure;  // MPa
inline constexpr double kPhHighestEnthalpy = 4642.8000000001;     // kJ/kg

// REGION_PS and T_PS: between the entropies at (kPsLowestPressure,
// kHighestTemperatureRegion5) and (kPsHighestPressure, kLowestTemperature).
inline constexpr double kPsLowestPressure = 0.001;              // MPa
inline constexpr double kPsHighestPressure = kHighestPressure;  // MPa

}  // namespace if97::limits

#endif  // STEAMCALC_LIBRARY_RANGE_LIMITS_H
