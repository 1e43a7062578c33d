// Cost of the temperature from (p, h) and from (p, s) in each region code,
// and of the slowest inputs found for the iterations.
#include <benchmark/benchmark.h>
#include <if97/if97.h>

namespace {

void BM_T_PH(benchmark::State& state, double p, double h) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::T_PH(p, h));
}

void BM_T_PS(benchmark::State& state, double p, double s) {
  for (auto _ : state) benchmark::DoNotOptimize(if97::T_PS(p, s));
}

}  // namespace

// One state per region code: 1, 21 (2a), 22 (2b), 23 (2c), 3, -1 (wet steam).
BENCHMARK_CAPTURE(BM_T_PH, code1, 3.0, 500.0);
BENCHMARK_CAPTURE(BM_T_PH, code21, 0.001, 3000.0);
BENCHMARK_CAPTURE(BM_T_PH, code22, 5.0, 3500.0);
BENCHMARK_CAPTURE(BM_T_PH, code23, 40.0, 2700.0);
BENCHMARK_CAPTURE(BM_T_PH, code3, 25.0, 2000.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_T_PH, code_wet, 1.0, 1500.0);
BENCHMARK_CAPTURE(BM_T_PH, region5, 1.0, 4500.0);
// Slowest found: the iteration just above the critical pressure, and wet
// steam in the band, where the saturated states come from region 3.
BENCHMARK_CAPTURE(BM_T_PH, worst_code3_near_critical, 22.0640001, 1968.5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_T_PH, worst_code3_wet_in_band, 22.0, 2100.0)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_T_PS, code1, 3.0, 0.5);
BENCHMARK_CAPTURE(BM_T_PS, code21, 0.1, 7.5);
BENCHMARK_CAPTURE(BM_T_PS, code22, 8.0, 6.0);
BENCHMARK_CAPTURE(BM_T_PS, code23, 20.0, 5.75);
BENCHMARK_CAPTURE(BM_T_PS, code3, 25.0, 4.5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_T_PS, code_wet, 1.0, 4.0);
BENCHMARK_CAPTURE(BM_T_PS, region5, 1.0, 8.8);
// Slowest found: sub-region 2b just above 4 MPa near saturated steam (about
// 190 steps), the iteration just above the critical pressure, and wet steam
// in the band.
BENCHMARK_CAPTURE(BM_T_PS, worst_code22, 4.013558010623111, 6.5580966619236447);
BENCHMARK_CAPTURE(BM_T_PS, worst_code3_near_critical, 22.0640001, 4.031)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_T_PS, worst_code3_wet_in_band, 22.0, 4.4)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
