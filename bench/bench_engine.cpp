// The state engine (library/engine/forward.h) against the unit U, the classic
// h_pt at 0.0035 MPa, 426.85 degC: each benchmark times the unit just before
// its own loop, both by this thread's processor time, and reports its call
// as the counter "U" (the whole state of regions 1, 2 and 5; the region-3
// density from a start and the whole state there). The region-3 starts are
// the classic volume off by 1e-6 relative (as close as the backward
// equations v(p, T) come) or by 1e-3.
#include <benchmark/benchmark.h>
#include <if97/if97.h>

#include "engine/density_search.h"
#include "engine/forward.h"
#include "sweep.h"

namespace {

using if97::kKelvinOffset;
using steamcalc::bench::ThreadMilliseconds;

constexpr int kUnitCalls = 20000;

// The unit, ns per call.
double UnitNanoseconds() {
  double p = 0.0035;
  const double start = ThreadMilliseconds();
  for (int i = 0; i < kUnitCalls; ++i) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::h_pt(p, 426.85));
  }
  return (ThreadMilliseconds() - start) * 1e6 / kUnitCalls;
}

template <typename Call>
void InUnits(benchmark::State& state, Call&& call) {
  const double unit = UnitNanoseconds();
  const double start = ThreadMilliseconds();
  for (auto _ : state) call();
  const double ns = (ThreadMilliseconds() - start) * 1e6 / static_cast<double>(state.iterations());
  state.counters["U"] = ns / unit;
  state.counters["unit_ns"] = unit;
}

void BM_unit(benchmark::State& state) {
  InUnits(state, [p = 0.0035]() mutable {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::h_pt(p, 426.85));
  });
}

using Forward = if97::engine::Props (*)(double, double);

void BM_state(benchmark::State& state, Forward region, double p, double t) {
  double T = t + kKelvinOffset;
  InUnits(state, [&] {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(region(p, T));
  });
}

// Region3Density from the start, then Region3 at the density found; the
// counters estimates and exact give the pressures the search formed.
void BM_region3(benchmark::State& state, double p, double t, double off) {
  double T = t + kKelvinOffset;
  double start = (1 + off) / if97::v_pt(p, t);
  const if97::engine::detail::DensitySearch search =
      if97::engine::detail::SearchRegion3Density(p, T, start);
  state.counters["estimates"] = search.estimates;
  state.counters["exact"] = search.exact;
  InUnits(state, [&] {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(start);
    double rho = 0;
    if (!if97::engine::Region3Density(p, T, start, rho)) state.SkipWithError("no density");
    benchmark::DoNotOptimize(if97::engine::Region3(rho, T));
  });
}

void BM_region3_properties(benchmark::State& state, double p, double t) {
  double T = t + kKelvinOffset;
  double rho = 1 / if97::v_pt(p, t);
  InUnits(state, [&] {
    benchmark::DoNotOptimize(rho);
    benchmark::DoNotOptimize(if97::engine::Region3(rho, T));
  });
}

void BM_saturation(benchmark::State& state, double p) {
  InUnits(state, [&] {
    benchmark::DoNotOptimize(p);
    const double T = if97::engine::Tsat(p);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(if97::engine::Psat(T));
  });
}

}  // namespace

BENCHMARK(BM_unit);

// The points of bench_state.
BENCHMARK_CAPTURE(BM_state, region1, if97::engine::Region1, 3.0, 26.85);
BENCHMARK_CAPTURE(BM_state, region2_unit_point, if97::engine::Region2, 0.0035, 426.85);
BENCHMARK_CAPTURE(BM_state, region2a, if97::engine::Region2, 0.1, 200.0);
BENCHMARK_CAPTURE(BM_state, region2c, if97::engine::Region2, 30.0, 450.0);
BENCHMARK_CAPTURE(BM_state, region5, if97::engine::Region5, 8.0, 900.0);

BENCHMARK_CAPTURE(BM_region3_properties, above_critical, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_region3, above_critical_1e6, 25.0, 380.0, 1e-6);
BENCHMARK_CAPTURE(BM_region3, liquid_side_1e6, 20.0, 360.0, 1e-6);
BENCHMARK_CAPTURE(BM_region3, vapour_side_1e6, 20.0, 370.0, 1e-6);
BENCHMARK_CAPTURE(BM_region3, dense_1e6, 100.0, 360.0, 1e-6);
BENCHMARK_CAPTURE(BM_region3, above_critical_1e3, 25.0, 380.0, 1e-3);
BENCHMARK_CAPTURE(BM_region3, vapour_side_1e3, 20.0, 370.0, 1e-3);

BENCHMARK_CAPTURE(BM_saturation, at_1MPa, 1.0);

BENCHMARK_MAIN();
