// Saturation pressure from entropy or enthalpy: typical inputs and the
// near-critical band, where every pass evaluates region-3 saturation states.
#include <benchmark/benchmark.h>
#include <if97/if97.h>

#include <string>

#include "sweep.h"

namespace {

void QuietMessages() {
  static const bool installed = [] {
    if97::SetMessageHandler([](const std::string&) {});
    return true;
  }();
  benchmark::DoNotOptimize(installed);
}

void BM_PS_S(benchmark::State& state, double s) {
  QuietMessages();
  for (auto _ : state) benchmark::DoNotOptimize(if97::PS_S(s));
}

void BM_PS_H(benchmark::State& state, double h) {
  QuietMessages();
  for (auto _ : state) {
    double p_left = if97::FAILURE;
    double p_right = if97::FAILURE;
    if97::PS_H(h, p_left, p_right);
    benchmark::DoNotOptimize(p_left);
    benchmark::DoNotOptimize(p_right);
  }
}

// One run over a band of inputs, from `from` to `to` in steps of `step`.
template <typename Call>
void Sweep(benchmark::State& state, double from, double to, double step, Call call) {
  QuietMessages();
  for (auto _ : state) {
    steamcalc::bench::SweepTimes times;
    for (int i = 0;; ++i) {
      const double x = from + step * i;
      if (x > to + step / 2) break;
      times.Time([&] { call(x); }, x);
    }
    times.Report(state, false);
  }
}

void BM_PS_H_NearCritical(benchmark::State& state) {
  Sweep(state, 2080, 2200, 0.1, [](double h) {
    double p_left = if97::FAILURE;
    double p_right = if97::FAILURE;
    if97::PS_H(h, p_left, p_right);
    benchmark::DoNotOptimize(p_left);
  });
}

void BM_PS_S_NearCritical(benchmark::State& state) {
  Sweep(state, 4.35, 4.45, 0.0005, [](double s) { benchmark::DoNotOptimize(if97::PS_S(s)); });
}

}  // namespace

BENCHMARK_CAPTURE(BM_PS_S, water_3_0, 3.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_S, steam_6_0, 6.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_S, water_near_critical_4_40, 4.40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_S, steam_near_critical_4_42, 4.42)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_H, water_1000, 1000.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_H, water_2000, 2000.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_H, steam_one_root_2300, 2300.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_H, steam_two_roots_2700, 2700.0)->Unit(benchmark::kMillisecond);
// Just below the greatest steam enthalpy (2803.2853 kJ/kg) the rising-branch
// search creeps and runs all its passes.
BENCHMARK_CAPTURE(BM_PS_H, two_roots_near_max_2803_284, 2803.284)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_H, water_near_critical_2086, 2086.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PS_H, steam_near_critical_2100, 2100.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PS_H_NearCritical)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_PS_S_NearCritical)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
