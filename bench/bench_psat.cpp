// Saturation pressure from entropy or enthalpy: typical inputs and the
// near-critical band, where every pass evaluates region-3 saturation states.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "if97.h"

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

// Processor time of this thread, in ms: unlike the wall clock, it does not
// count the time other programs take from a shared machine.
double ThreadMs() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// One run over a band of inputs: the mean and the slowest call (processor
// time), the input that was slowest, and the slowest call by the wall clock.
template <typename Call>
void Sweep(benchmark::State& state, double from, double to, double step, Call call) {
  QuietMessages();
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    double total = 0;
    double slowest = 0;
    double slowest_at = from;
    double slowest_wall = 0;
    int calls = 0;
    for (int i = 0;; ++i) {
      const double x = from + step * i;
      if (x > to + step / 2) break;
      const auto start = Clock::now();
      const double start_cpu = ThreadMs();
      call(x);
      const double ms = ThreadMs() - start_cpu;
      const double wall = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      total += ms;
      ++calls;
      slowest_wall = std::max(slowest_wall, wall);
      if (ms > slowest) {
        slowest = ms;
        slowest_at = x;
      }
    }
    state.counters["ms_per_call"] = total / calls;
    state.counters["slowest_ms"] = slowest;
    state.counters["slowest_at"] = slowest_at;
    state.counters["slowest_wall_ms"] = slowest_wall;
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
