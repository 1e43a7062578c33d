// Cost of the C interface against the C++ state call it wraps: state_pt and
// state_ph read for one property, if97_pt and if97_ph filling if97_state,
// if97_value by pair and property name, and if97_value refusing an unknown
// name (the cost of the name lookup alone).
#include <benchmark/benchmark.h>
#include <if97/if97_c.h>
#include <if97/if97_state.h>

namespace {

void BM_cpp_state_pt(benchmark::State& state, double p, double t) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::state_pt(p, t).state.h);
}

void BM_c_if97_pt(benchmark::State& state, double p, double t) {
  if97_state out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(if97_pt(p, t, &out));
    benchmark::DoNotOptimize(out.h);
  }
}

void BM_c_if97_value_pt(benchmark::State& state, double p, double t) {
  for (auto _ : state) benchmark::DoNotOptimize(if97_value("pt", p, t, "h"));
}

// The last property of the list and the last pair: the longest lookups.
void BM_c_if97_value_pt_last_property(benchmark::State& state, double p, double t) {
  for (auto _ : state) benchmark::DoNotOptimize(if97_value("pt", p, t, "x"));
}

void BM_cpp_state_ph(benchmark::State& state, double p, double t) {
  const double h = if97::state_pt(p, t).state.h;
  for (auto _ : state) benchmark::DoNotOptimize(if97::state_ph(p, h).state.t);
}

void BM_c_if97_ph(benchmark::State& state, double p, double t) {
  const double h = if97::state_pt(p, t).state.h;
  if97_state out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(if97_ph(p, h, &out));
    benchmark::DoNotOptimize(out.t);
  }
}

void BM_c_if97_value_ph(benchmark::State& state, double p, double t) {
  const double h = if97::state_pt(p, t).state.h;
  for (auto _ : state) benchmark::DoNotOptimize(if97_value("ph", p, h, "t"));
}

void BM_c_if97_value_unknown_property(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(if97_value("sat-t", 100, 1, "kappa_S"));
}

}  // namespace

// Region 1: 3 MPa, 26.85 degC; region 2: 5 MPa, 300 degC (as bench_state).
#define STEAMCALC_CAPI_POINTS(bm)             \
  BENCHMARK_CAPTURE(bm, region1, 3.0, 26.85); \
  BENCHMARK_CAPTURE(bm, region2b, 5.0, 300.0)

STEAMCALC_CAPI_POINTS(BM_cpp_state_pt);
STEAMCALC_CAPI_POINTS(BM_c_if97_pt);
STEAMCALC_CAPI_POINTS(BM_c_if97_value_pt);
STEAMCALC_CAPI_POINTS(BM_c_if97_value_pt_last_property);
STEAMCALC_CAPI_POINTS(BM_cpp_state_ph);
STEAMCALC_CAPI_POINTS(BM_c_if97_ph);
STEAMCALC_CAPI_POINTS(BM_c_if97_value_ph);
BENCHMARK(BM_c_if97_value_unknown_property);

BENCHMARK_MAIN();
