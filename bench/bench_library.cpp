// Cost of the property functions by (p, t) in each region, and of the
// region-3 volume search alone.
#include <benchmark/benchmark.h>
#include <if97/if97.h>

namespace {

void BM_h_pt(benchmark::State& state, double p, double t) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::h_pt(p, t));
}

void BM_s_pt(benchmark::State& state, double p, double t) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::s_pt(p, t));
}

void BM_v_pt(benchmark::State& state, double p, double t) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::v_pt(p, t));
}

// On the saturation line the dispatchers only report; the saturated phases
// there come from H3_PT/S3_PT with both volume searches.
void BM_H3_PT_saturation_line(benchmark::State& state, int k) {
  const double ts = if97::TS_P(20);
  for (auto _ : state) benchmark::DoNotOptimize(if97::H3_PT(k, 20, ts));
}

void BM_VKR_PT(benchmark::State& state, double p, double t) {
  double v1 = 0;
  double v2 = 0;
  for (auto _ : state) {
    if97::VKR_PT(p, t, v1, v2);
    benchmark::DoNotOptimize(v1);
    benchmark::DoNotOptimize(v2);
  }
}

}  // namespace

// Region 1: 3 MPa, 26.85 degC; region 2: 5 MPa, 300 degC; region 3 above the
// critical pressure: 25 MPa, 380 degC (bisection only); liquid side at
// 20 MPa, 360 degC (short walk up); vapour side at 20 MPa, 370 degC (long
// walk down); region 5: 8 MPa, 900 degC.
BENCHMARK_CAPTURE(BM_h_pt, region1, 3.0, 26.85);
BENCHMARK_CAPTURE(BM_h_pt, region2, 5.0, 300.0);
BENCHMARK_CAPTURE(BM_h_pt, region3_above_critical, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_h_pt, region3_liquid_side, 20.0, 360.0);
BENCHMARK_CAPTURE(BM_h_pt, region3_vapour_side, 20.0, 370.0);
BENCHMARK_CAPTURE(BM_h_pt, region5, 8.0, 900.0);

BENCHMARK_CAPTURE(BM_s_pt, region1, 3.0, 26.85);
BENCHMARK_CAPTURE(BM_s_pt, region2, 5.0, 300.0);
BENCHMARK_CAPTURE(BM_s_pt, region3_above_critical, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_s_pt, region3_liquid_side, 20.0, 360.0);
BENCHMARK_CAPTURE(BM_s_pt, region3_vapour_side, 20.0, 370.0);
BENCHMARK_CAPTURE(BM_s_pt, region5, 8.0, 900.0);

BENCHMARK_CAPTURE(BM_v_pt, region1, 3.0, 26.85);
BENCHMARK_CAPTURE(BM_v_pt, region2, 5.0, 300.0);
BENCHMARK_CAPTURE(BM_v_pt, region3_above_critical, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_v_pt, region3_liquid_side, 20.0, 360.0);
BENCHMARK_CAPTURE(BM_v_pt, region3_vapour_side, 20.0, 370.0);
BENCHMARK_CAPTURE(BM_v_pt, region5, 8.0, 900.0);

BENCHMARK_CAPTURE(BM_H3_PT_saturation_line, water_20MPa, 1);
BENCHMARK_CAPTURE(BM_H3_PT_saturation_line, steam_20MPa, 2);

BENCHMARK_CAPTURE(BM_VKR_PT, above_critical, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_VKR_PT, liquid_side, 20.0, 360.0);
BENCHMARK_CAPTURE(BM_VKR_PT, vapour_side, 20.0, 370.0);
BENCHMARK_CAPTURE(BM_VKR_PT, saturation_line, 20.0, if97::TS_P(20));
BENCHMARK_CAPTURE(BM_VKR_PT, vapour_side_16_6MPa, 16.6, 352.0);

BENCHMARK_MAIN();
