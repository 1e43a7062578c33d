// Internal to the library: the region selection by pressure and temperature
// and the properties of a state in its region (region_select.cpp,
// properties.cpp), which the state functions share with the classic ones.
#ifndef STEAMCALC_LIBRARY_FORWARD_REGION_SELECT_H
#define STEAMCALC_LIBRARY_FORWARD_REGION_SELECT_H

#include "forward/properties.h"
#include "forward/region_codes.h"

namespace if97::detail {

// The region code (region_codes.h) of (p, t) as h_pt selects it; shows the out-of-range
// message (code 0) as h_pt does, no other.
int RegionOf(double p, double t);

// Whether (p, t) lies in REGION_PT's range.
bool InPtRange(double p, double t);

// The region code of (p, t) in the range, given the saturation temperature
// ts that orders t against the line as TS_P(p) does (REGION_PT's tests after
// its range check; no message).
int RegionByLine(double p, double t, double ts);

// The region-3 volume v1 (k = 1, or any k other than 2) or v2 (k = 2) of
// VKR_PT(p, t), in the form of H3_PT and S3_PT.
double V3_PT(int k, double p, double t);

// The properties of region code 1, 2, 3, 31, 32 or 5 at (p, t), region 3 at
// the volume h_pt uses there. False (after VKR_PT's message) when the region-3
// volume search failed.
bool PropertiesInRegion(int code, double p, double t, Properties& out);

// Saturated water (steam = false) or saturated steam at (p, t) on the
// saturation line: regions 1 and 2, or region 3 at the liquid-side or
// vapour-side volume when region3 is set. False as PropertiesInRegion.
bool SaturatedProperties(double p, double t, bool region3, bool steam, Properties& out);

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_FORWARD_REGION_SELECT_H
