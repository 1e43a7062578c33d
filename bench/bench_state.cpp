// The whole state (if97_state.h) in units U, the classic h_pt at 0.0035 MPa,
// 426.85 degC, timed just before each benchmark by this thread's processor
// time. Each benchmark reports its call as the counter "U" and its target as
// "target_U" (ok = 1 when met). The targets are those of the thermodynamic
// state (Extent::kThermodynamic); BM_extended_state_pt gives what the
// transport properties add. The states: region 1: 3 MPa, 26.85 degC;
// 2a: 0.1 MPa, 200 degC; 2b: 5 MPa, 300 degC; 2c: 30 MPa, 450 degC; region 3
// above the critical pressure: 25 MPa, 380 degC and 50 MPa, 450 degC, liquid
// side 20 MPa, 360 degC, vapour side 20 MPa, 370 degC; region 5: 8 MPa,
// 900 degC. (p, h) and (p, s) at the states those points have.
#include <benchmark/benchmark.h>
#include <if97/if97.h>
#include <if97/if97_state.h>

#include "sweep.h"

namespace {

using steamcalc::bench::ThreadMilliseconds;

constexpr int kUnitCalls = 20000;

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
void InUnits(benchmark::State& state, double target, Call&& call) {
  const double unit = UnitNanoseconds();
  const double start = ThreadMilliseconds();
  for (auto _ : state) call();
  const double ns = (ThreadMilliseconds() - start) * 1e6 / static_cast<double>(state.iterations());
  state.counters["U"] = ns / unit;
  state.counters["target_U"] = target;
  state.counters["ok"] = ns / unit <= target ? 1 : 0;
}

void BM_unit(benchmark::State& state) {
  InUnits(state, 1, [p = 0.0035]() mutable {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::h_pt(p, 426.85));
  });
}

void BM_state_pt(benchmark::State& state, double target, double p, double t) {
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::state_pt(p, t, if97::Extent::kThermodynamic));
  });
}

void BM_state_ph(benchmark::State& state, double target, double p, double t) {
  double h = if97::h_pt(p, t);
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(h);
    benchmark::DoNotOptimize(if97::state_ph(p, h, if97::Extent::kThermodynamic));
  });
}

void BM_state_ps(benchmark::State& state, double target, double p, double t) {
  double s = if97::s_pt(p, t);
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(if97::state_ps(p, s, if97::Extent::kThermodynamic));
  });
}

void BM_state_ph_wet(benchmark::State& state, double target, double p, double x) {
  double h = if97::H_PX(p, x);
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(h);
    benchmark::DoNotOptimize(if97::state_ph(p, h, if97::Extent::kThermodynamic));
  });
}

void BM_saturation_p(benchmark::State& state, double target, double p) {
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::saturation_p(p, if97::Extent::kThermodynamic));
  });
}

void BM_saturation_t(benchmark::State& state, double target, double t) {
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(if97::saturation_t(t, if97::Extent::kThermodynamic));
  });
}

void BM_state_hs(benchmark::State& state, double target, double p, double t) {
  double h = if97::h_pt(p, t);
  double s = if97::s_pt(p, t);
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(h);
    benchmark::DoNotOptimize(if97::state_hs(h, s, if97::Extent::kThermodynamic));
  });
}

void BM_state_hs_wet(benchmark::State& state, double target, double p, double x) {
  double h = if97::H_PX(p, x);
  double s = if97::S_PX(p, x);
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(h);
    benchmark::DoNotOptimize(if97::state_hs(h, s, if97::Extent::kThermodynamic));
  });
}

// The whole extended state (Extent::kAll: viscosity, conductivity, surface
// tension, dielectric constant and what derives from them) against the
// thermodynamic state of the same call: the counter "vs_state_pt".
void BM_extended_state_pt(benchmark::State& state, double p, double t) {
  constexpr int kCalls = 20000;
  const double start = ThreadMilliseconds();
  for (int i = 0; i < kCalls; ++i) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::state_pt(p, t, if97::Extent::kThermodynamic));
  }
  const double thermodynamic = (ThreadMilliseconds() - start) * 1e6 / kCalls;
  const double unit = UnitNanoseconds();
  const double begin = ThreadMilliseconds();
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::state_pt(p, t));
  }
  const double ns = (ThreadMilliseconds() - begin) * 1e6 / static_cast<double>(state.iterations());
  state.counters["U"] = ns / unit;
  state.counters["vs_state_pt"] = ns / thermodynamic;
}

void BM_saturation_temperature(benchmark::State& state, double target, double p) {
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(if97::saturation_temperature(p));
  });
}

void BM_saturation_pressure(benchmark::State& state, double target, double t) {
  InUnits(state, target, [&] {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(if97::saturation_pressure(t));
  });
}

}  // namespace

BENCHMARK(BM_unit);

BENCHMARK_CAPTURE(BM_state_pt, region1, 0.4, 3.0, 26.85);
BENCHMARK_CAPTURE(BM_state_pt, region2a, 0.4, 0.1, 200.0);
BENCHMARK_CAPTURE(BM_state_pt, region2c, 0.4, 30.0, 450.0);
BENCHMARK_CAPTURE(BM_state_pt, region5, 0.4, 8.0, 900.0);
BENCHMARK_CAPTURE(BM_state_pt, region3_above_critical, 1.0, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_state_pt, region3_50MPa, 1.0, 50.0, 450.0);
BENCHMARK_CAPTURE(BM_state_pt, region3_liquid_side, 1.0, 20.0, 360.0);
BENCHMARK_CAPTURE(BM_state_pt, region3_vapour_side, 1.0, 20.0, 370.0);

#define STEAMCALC_INVERSE_POINTS(bm)                               \
  BENCHMARK_CAPTURE(bm, region1, 1.0, 3.0, 26.85);                 \
  BENCHMARK_CAPTURE(bm, region2a, 1.0, 0.1, 200.0);                \
  BENCHMARK_CAPTURE(bm, region2b, 2.0, 5.0, 300.0);                \
  BENCHMARK_CAPTURE(bm, region2c, 1.0, 30.0, 450.0);               \
  BENCHMARK_CAPTURE(bm, region5, 1.0, 8.0, 900.0);                 \
  BENCHMARK_CAPTURE(bm, region3_above_critical, 2.0, 25.0, 380.0); \
  BENCHMARK_CAPTURE(bm, region3_50MPa, 2.0, 50.0, 450.0);          \
  BENCHMARK_CAPTURE(bm, region3_liquid_side, 2.0, 20.0, 360.0);    \
  BENCHMARK_CAPTURE(bm, region3_vapour_side, 2.0, 20.0, 370.0)

STEAMCALC_INVERSE_POINTS(BM_state_ph);
STEAMCALC_INVERSE_POINTS(BM_state_ps);

BENCHMARK_CAPTURE(BM_state_ph_wet, x0_5_at_1MPa, 1.0, 1.0, 0.5);
BENCHMARK_CAPTURE(BM_state_ph_wet, x0_5_at_20MPa, 2.0, 20.0, 0.5);
BENCHMARK_CAPTURE(BM_saturation_p, at_1MPa, 0.5, 1.0);
BENCHMARK_CAPTURE(BM_saturation_p, at_20MPa, 2.0, 20.0);
BENCHMARK_CAPTURE(BM_saturation_t, at_100C, 0.5, 100.0);
BENCHMARK_CAPTURE(BM_saturation_t, at_360C, 2.0, 360.0);
BENCHMARK_CAPTURE(BM_state_hs, region1, 2.0, 3.0, 26.85);
BENCHMARK_CAPTURE(BM_state_hs, region2a, 2.0, 0.1, 200.0);
BENCHMARK_CAPTURE(BM_state_hs, region2b, 2.0, 5.0, 300.0);
BENCHMARK_CAPTURE(BM_state_hs, region2c, 2.0, 30.0, 450.0);
BENCHMARK_CAPTURE(BM_state_hs, region3_above_critical, 2.0, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_state_hs, region5, 2.0, 8.0, 900.0);
BENCHMARK_CAPTURE(BM_state_hs_wet, x0_5_at_1MPa, 2.0, 1.0, 0.5);
BENCHMARK_CAPTURE(BM_extended_state_pt, region1, 3.0, 26.85);
BENCHMARK_CAPTURE(BM_extended_state_pt, region2a, 0.1, 200.0);
BENCHMARK_CAPTURE(BM_extended_state_pt, region3, 25.0, 380.0);
BENCHMARK_CAPTURE(BM_extended_state_pt, region5, 8.0, 900.0);
BENCHMARK_CAPTURE(BM_saturation_temperature, at_1MPa, 0.1, 1.0);
BENCHMARK_CAPTURE(BM_saturation_pressure, at_100C, 0.1, 100.0);

BENCHMARK_MAIN();
