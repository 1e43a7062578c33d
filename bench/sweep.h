// What the benchmark programs share: the processor time of this thread, and
// the timing of a sweep, one run over a band (or a grid) of inputs that keeps
// the mean call, the slowest and where it was.
#ifndef STEAMCALC_BENCH_SWEEP_H
#define STEAMCALC_BENCH_SWEEP_H

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>

namespace steamcalc::bench {

// Processor time of this thread, in ms: unlike the wall clock, it does not
// count the time other programs take from a shared machine.
inline double ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The calls of one sweep: their mean and slowest processor time, the inputs
// of the slowest, and the slowest by the wall clock.
class SweepTimes {
 public:
  // Times one call made at the input x, or at the inputs (x, y).
  template <typename Call>
  void Time(Call&& call, double x, double y = 0) {
    const auto start = std::chrono::steady_clock::now();
    const double start_ms = ThreadMilliseconds();
    call();
    const double ms = ThreadMilliseconds() - start_ms;
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    total_ms_ += ms;
    ++calls_;
    slowest_wall_ms_ = std::max(slowest_wall_ms_, wall.count());
    if (calls_ == 1 || ms > slowest_ms_) {
      slowest_ms_ = ms;
      slowest_x_ = x;
      slowest_y_ = y;
    }
  }

  // The counters mean_ms, slowest_ms, slowest_wall_ms, slowest_at_1 and, for
  // a grid, slowest_at_2.
  void Report(benchmark::State& state, bool grid) const {
    state.counters["mean_ms"] = calls_ > 0 ? total_ms_ / calls_ : 0;
    state.counters["slowest_ms"] = slowest_ms_;
    state.counters["slowest_wall_ms"] = slowest_wall_ms_;
    state.counters["slowest_at_1"] = slowest_x_;
    if (grid) state.counters["slowest_at_2"] = slowest_y_;
  }

 private:
  double total_ms_ = 0;
  long calls_ = 0;
  double slowest_ms_ = 0;
  double slowest_wall_ms_ = 0;
  double slowest_x_ = 0;
  double slowest_y_ = 0;
};

}  // namespace steamcalc::bench

#endif  // STEAMCALC_BENCH_SWEEP_H
