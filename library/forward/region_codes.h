// Internal to the library: the region codes that REGION_PT, REGION_PH and
// REGION_PS hand back (if97.h lists them with their captions).
#ifndef STEAMCALC_LIBRARY_REGION_CODES_H
#define STEAMCALC_LIBRARY_REGION_CODES_H

namespace if97::detail {

// Codes of all three selections.
inline constexpr int kOutOfRange = 0;
inline constexpr int kRegion1 = 1;
inline constexpr int kRegion3 = 3;  // by (p, t): above the critical pressure
inline constexpr int kSaturationLine = 4;

// Codes of REGION_PT only.
inline constexpr int kRegion2 = 2;
inline constexpr int kRegion3Liquid = 31;  // at or below the critical pressure
inline constexpr int kRegion3Vapour = 32;
inline constexpr int kRegion5 = 5;

// Codes of REGION_PH and REGION_PS only.
inline constexpr int kWetSteam = -1;
inline constexpr int kRegion2a = 21;
inline constexpr int kRegion2b = 22;
inline constexpr int kRegion2c = 23;

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_REGION_CODES_H
