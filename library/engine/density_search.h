// Internal to the engine: the region-3 density search of Region3Density with
// the work it took, for the benchmark's count of pressure evaluations, and
// the pressure sums at the root, which Region3State reuses.
#ifndef STEAMCALC_LIBRARY_ENGINE_DENSITY_SEARCH_H
#define STEAMCALC_LIBRARY_ENGINE_DENSITY_SEARCH_H

#include "engine/helmholtz.h"

namespace if97::engine::detail {

struct DensitySearch {
  bool found = false;
  double rho = 0;         // kg/m3, where found
  Pressure<double> at{};  // the pressure there as Region3 forms it
  int estimates = 0;      // pressures formed in double
  int exact = 0;          // pressures formed as Region3 forms them
};

DensitySearch SearchRegion3Density(double p, double T, double rho_start);

}  // namespace if97::engine::detail

#endif  // STEAMCALC_LIBRARY_ENGINE_DENSITY_SEARCH_H
