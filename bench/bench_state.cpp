// Cost of the whole state (if97_state.h) against h_pt alone at the same point:
// from (p, t) in each region, and from (p, h) and (p, s) at the states those
// points have.
#include <benchmark/benchmark.h>

#include <if97/if97.h>
#include <if97/if97_state.h>

namespace {

void BM_h_pt(benchmark::State& state, double p, double t) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::h_pt(p, t));
}

void BM_state_pt(benchmark::State& state, double p, double t) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::state_pt(p, t));
}

void BM_state_ph(benchmark::State& state, double p, double t) {
  const double h = if97::h_pt(p, t);
  for (auto _ : state) benchmark::DoNotOptimize(if97::state_ph(p, h));
}

void BM_state_ps(benchmark::State& state, double p, double t) {
  const double s = if97::s_pt(p, t);
  for (auto _ : state) benchmark::DoNotOptimize(if97::state_ps(p, s));
}

void BM_state_ph_wet(benchmark::State& state, double p, double x) {
  const double h = if97::H_PX(p, x);
  for (auto _ : state) benchmark::DoNotOptimize(if97::state_ph(p, h));
}

void BM_saturation_p(benchmark::State& state, double p) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::saturation_p(p));
}

}  // namespace

// The points of bench_library: region 1: 3 MPa, 26.85 degC; region 2: 5 MPa,
// 300 degC; region 3 above the critical pressure: 25 MPa, 380 degC; liquid
// side at 20 MPa, 360 degC; vapour side at 20 MPa, 370 degC; region 5: 8 MPa,
// 900 degC. Sub-region 2a: 0.1 MPa, 200 degC; 2c: 30 MPa, 450 degC.
#define STEAMCALC_STATE_POINTS(bm)                            \
  BENCHMARK_CAPTURE(bm, region1, 3.0, 26.85);                 \
  BENCHMARK_CAPTURE(bm, region2a, 0.1, 200.0);                \
  BENCHMARK_CAPTURE(bm, region2b, 5.0, 300.0);                \
  BENCHMARK_CAPTURE(bm, region2c, 30.0, 450.0);               \
  BENCHMARK_CAPTURE(bm, region3_above_critical, 25.0, 380.0); \
  BENCHMARK_CAPTURE(bm, region3_liquid_side, 20.0, 360.0);    \
  BENCHMARK_CAPTURE(bm, region3_vapour_side, 20.0, 370.0);    \
  BENCHMARK_CAPTURE(bm, region5, 8.0, 900.0)

STEAMCALC_STATE_POINTS(BM_h_pt);
STEAMCALC_STATE_POINTS(BM_state_pt);
STEAMCALC_STATE_POINTS(BM_state_ph);
STEAMCALC_STATE_POINTS(BM_state_ps);

BENCHMARK_CAPTURE(BM_state_ph_wet, x0_5_at_1MPa, 1.0, 0.5);
BENCHMARK_CAPTURE(BM_state_ph_wet, x0_5_at_20MPa, 20.0, 0.5);
BENCHMARK_CAPTURE(BM_saturation_p, at_1MPa, 1.0);
BENCHMARK_CAPTURE(BM_saturation_p, at_20MPa, 20.0);

BENCHMARK_MAIN();
