// Internal to the engine: the region-3 density search of Region3Density with
// the work it took, for the benchmark's count of pressure evaluations.
#ifndef STEAMCALC_LIBRARY_ENGINE_DENSITY_SEARCH_H
#define STEAMCALC_LIBRARY_ENGINE_DENSITY_SEARCH_H

namespace if97::engine::detail {

struct DensitySearch {
  bool found = false;
  double rho = 0;     // kg/m3, where found
  int estimates = 0;  // pressures formed in double
  int exact = 0;      // pressures formed as Region3 forms them
};

DensitySearch SearchRegion3Density(double p, double T, double rho_start);

}  // namespace if97::engine::detail

#endif  // STEAMCALC_LIBRARY_ENGINE_DENSITY_SEARCH_H
