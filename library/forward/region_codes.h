// Internal to the library: the region codes of REGION_PT, REGION_PH and
// REGION_PS (public in if97.h, namespace region_code) under the names the
// library's sources use.
#ifndef STEAMCALC_LIBRARY_FORWARD_REGION_CODES_H
#define STEAMCALC_LIBRARY_FORWARD_REGION_CODES_H

#include <if97/if97.h>

namespace if97::detail {

using namespace region_code;

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_FORWARD_REGION_CODES_H
