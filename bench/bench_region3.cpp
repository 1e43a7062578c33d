// Region 3 against one state of region 2, the unit: h_pt at 0.0035 MPa,
// 426.85 degC. The properties at fixed states (a repeated pressure finds the
// walks' starts kept from the call before) and over a sweep of states whose
// pressure changes at every call (the starts formed anew each time), and the
// temperature from (p, h) and (p, s) in region 3 and from (p, s) in
// sub-region 2b.
#include <benchmark/benchmark.h>
#include <if97/if97.h>

#include <cmath>
#include <vector>

namespace {

using Property = double (*)(double, double);

void BM_unit(benchmark::State& state) {
  double p = 0.0035;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::h_pt(p, 426.85));
  }
}

void BM_fixed(benchmark::State& state, Property f, double p, double t) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(f(p, t));
  }
}

// States of region 3 on both sides of the saturation line and above the
// critical pressure, each at its own pressure, clear of the line itself.
std::vector<std::pair<double, double>> Region3States() {
  std::vector<std::pair<double, double>> states;
  constexpr int kCount = 97;
  for (int i = 0; i < kCount; ++i) {
    const double p = 16.6 + (100 - 16.6) * i / (kCount - 1.0);
    const double t_top = 572.54459862746 + std::sqrt((p - 13.91883977887) / 0.0010192970039326);
    const double t = 350 + (t_top - 273.15 - 350) * ((i * 37) % kCount + 0.5) / kCount;
    if (p < 22.064 && std::fabs(t - if97::TS_P(p)) < 0.01) continue;
    states.emplace_back(p, t);
  }
  return states;
}

void BM_sweep(benchmark::State& state, Property f) {
  const auto states = Region3States();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [p, t] = states[i];
    benchmark::DoNotOptimize(f(p, t));
    i = (i + 1) % states.size();
  }
}

void BM_T_PH(benchmark::State& state, double p, double h) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::T_PH(p, h));
  }
}

void BM_T_PS(benchmark::State& state, double p, double s) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::T_PS(p, s));
  }
}

}  // namespace

BENCHMARK(BM_unit);

// Above the critical pressure: near the critical point, and farther off.
BENCHMARK_CAPTURE(BM_fixed, h_pt_25MPa_380C, if97::h_pt, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_fixed, h_pt_50MPa_450C, if97::h_pt, 50.0, 450.0);
BENCHMARK_CAPTURE(BM_fixed, h_pt_100MPa_400C, if97::h_pt, 100.0, 400.0);
// Liquid side, and beside the critical point.
BENCHMARK_CAPTURE(BM_fixed, h_pt_20MPa_360C, if97::h_pt, 20.0, 360.0);
BENCHMARK_CAPTURE(BM_fixed, h_pt_22MPa_373_7C, if97::h_pt, 22.0, 373.7);
// Vapour side.
BENCHMARK_CAPTURE(BM_fixed, h_pt_20MPa_370C, if97::h_pt, 20.0, 370.0);
BENCHMARK_CAPTURE(BM_fixed, h_pt_17MPa_353_5C, if97::h_pt, 17.0, 353.5);
BENCHMARK_CAPTURE(BM_fixed, s_pt_25MPa_380C, if97::s_pt, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_fixed, s_pt_20MPa_370C, if97::s_pt, 20.0, 370.0);
BENCHMARK_CAPTURE(BM_fixed, v_pt_25MPa_380C, if97::v_pt, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_fixed, v_pt_20MPa_370C, if97::v_pt, 20.0, 370.0);

BENCHMARK_CAPTURE(BM_sweep, h_pt, if97::h_pt);
BENCHMARK_CAPTURE(BM_sweep, s_pt, if97::s_pt);
BENCHMARK_CAPTURE(BM_sweep, v_pt, if97::v_pt);

BENCHMARK_CAPTURE(BM_T_PH, region3_25MPa_2000, 25.0, 2000.0);
BENCHMARK_CAPTURE(BM_T_PH, region3_50MPa_1800, 50.0, 1800.0);
BENCHMARK_CAPTURE(BM_T_PS, region3_25MPa_4_5, 25.0, 4.5);
BENCHMARK_CAPTURE(BM_T_PS, region3_50MPa_4, 50.0, 4.0);
BENCHMARK_CAPTURE(BM_T_PS, region2b_8MPa_6, 8.0, 6.0);

BENCHMARK_MAIN();
