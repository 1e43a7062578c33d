// The calculation command end to end at each row's slowest inputs: the
// near-critical states where the region-3 volume search, the saturation
// states above 16.53 MPa and the searches built on them (T_PH3, T_PS3,
// PS_S, PS_H) do most work, and each row at typical inputs.
// The "critical_band" sweeps are meant for the current library; with the
// searches as first written each of their stalled states takes minutes.
//
// The fixed benchmarks hold the slowest inputs the sweeps below found. A
// sweep runs the row once over a band of inputs and reports the mean, the
// slowest run (thread CPU time, so that other load on the machine counts
// less) and where it was; "messages" is the largest number of message and
// error boxes one run showed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "command.h"
#include "recording_view.h"
#include "sweep.h"

namespace {

constexpr int P = 1, T = 2, H = 3, S = 4, X = 5;

// Typed texts by box number (1 to 5).
using Inputs = std::map<int, std::string>;

std::string Text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// A view with the inputs given and no record of events: only the boxes shown
// are kept, to be counted.
steamcalc::RecordingView ViewOf(const Inputs& inputs) {
  steamcalc::RecordingView view(inputs);
  view.record_events = false;
  return view;
}

void RunRow(benchmark::State& state, const Inputs& inputs) {
  steamcalc::RecordingView view = ViewOf(inputs);
  std::size_t boxes = 0;
  for (auto _ : state) {
    // Typed anew, since a range rejection clears the inputs.
    for (const auto& [box, text] : inputs) view.Give(box, text);
    steamcalc::Button4Click(view);
    boxes += view.boxes().size();
    view.ClearRecord();
  }
  state.counters["messages"] = static_cast<double>(boxes) / state.iterations();
}

// One run of the row at each point of a band of one input (second_box = 0)
// or of a grid of two.
struct Band {
  int box;
  double from, to;
  int points;

  double At(int i) const { return points > 1 ? from + (to - from) * i / (points - 1) : from; }
};

void Sweep(benchmark::State& state, Band first, Band second) {
  for (auto _ : state) {
    steamcalc::bench::SweepTimes times;
    std::size_t most_boxes = 0;
    for (int i = 0; i < first.points; ++i) {
      for (int j = 0; j < (second.box != 0 ? second.points : 1); ++j) {
        const double x = first.At(i);
        const double y = second.At(j);
        Inputs inputs{{first.box, Text(x)}};
        if (second.box != 0) inputs[second.box] = Text(y);
        steamcalc::RecordingView view = ViewOf(inputs);
        times.Time([&view] { steamcalc::Button4Click(view); }, x, y);
        most_boxes = std::max(most_boxes, view.boxes().size());
      }
    }
    times.Report(state, second.box != 0);
    state.counters["messages"] = static_cast<double>(most_boxes);
  }
}

}  // namespace

// Typical inputs of each row.
BENCHMARK_CAPTURE(RunRow, 1_pressure, Inputs{{P, "1"}});
BENCHMARK_CAPTURE(RunRow, 1_pressure_near_critical, Inputs{{P, "20"}});
BENCHMARK_CAPTURE(RunRow, 2_temperature, Inputs{{T, "200"}});
BENCHMARK_CAPTURE(RunRow, 3_pt_region2, Inputs{{P, "5"}, {T, "300"}});
BENCHMARK_CAPTURE(RunRow, 3_pt_region3, Inputs{{P, "25"}, {T, "380"}});
BENCHMARK_CAPTURE(RunRow, 4_ph_region1, Inputs{{P, "3"}, {H, "500"}});
BENCHMARK_CAPTURE(RunRow, 4_ph_near_critical, Inputs{{P, "25"}, {H, "2000"}});
BENCHMARK_CAPTURE(RunRow, 5_ps_region2, Inputs{{P, "1"}, {S, "7"}});
BENCHMARK_CAPTURE(RunRow, 5_ps_near_critical, Inputs{{P, "25"}, {S, "4.5"}});
BENCHMARK_CAPTURE(RunRow, 6_px, Inputs{{P, "1"}, {X, "0.5"}});
BENCHMARK_CAPTURE(RunRow, 7_s, Inputs{{S, "6"}});
BENCHMARK_CAPTURE(RunRow, 8_h_two_roots, Inputs{{H, "2700"}});
BENCHMARK_CAPTURE(RunRow, 8_h_water, Inputs{{H, "1000"}});

// The slowest inputs the sweeps below found for each row, with the searches
// as first written (every walk point and end value evaluated anew, powers by
// PowInt per term), and the slowest now: states within 3e-5 MPa below the
// critical pressure where T_PH3 and T_PS3 cannot meet their tolerance and
// fail (they used to run their 20000 or 15000 steps first).
BENCHMARK_CAPTURE(RunRow, 1_pressure_22_064, Inputs{{P, "22.064"}})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 2_temperature_368_917, Inputs{{T, "368.917"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 3_pt_20_52_372, Inputs{{P, "20.52"}, {T, "372"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 4_ph_22_018_2550, Inputs{{P, "22.0178"}, {H, "2550"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 4_ph_stalled_22_06398_2088_8, Inputs{{P, "22.06398"}, {H, "2088.8"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 5_ps_22_018_4_8, Inputs{{P, "22.0178"}, {S, "4.8"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 5_ps_stalled_22_06399_4_411, Inputs{{P, "22.06399"}, {S, "4.411"}})
    ->Unit(benchmark::kMillisecond);
// Just above 350 degC, where region 3 starts below the region-1 values at
// 350 degC (once 30 000 walk messages in this row).
BENCHMARK_CAPTURE(RunRow, 4_ph_64_53_1564_5, Inputs{{P, "64.53"}, {H, "1564.5"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 5_ps_21_3_7178, Inputs{{P, "21"}, {S, "3.7178"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 6_px_16_862_0_5, Inputs{{P, "16.862"}, {X, "0.5"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 7_s_4_414, Inputs{{S, "4.414"}})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 8_h_2187, Inputs{{H, "2187"}})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunRow, 8_h_steam_maximum_2803_2852, Inputs{{H, "2803.2852"}})
    ->Unit(benchmark::kMillisecond);

// The sweeps that search for them: each row over the whole range it accepts
// (whole_*), then finer bands where the searches work hardest. The h row's
// range ends at the greatest enthalpy of saturated steam, 2803.28526 kJ/kg
// at 3.078 MPa, where its two pressures meet.
BENCHMARK_CAPTURE(Sweep, 1_pressure_whole, Band{P, 0.000611213, 22.064, 401}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 1_pressure, Band{P, 16.53, 22.064, 101}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 2_temperature_whole, Band{T, 0, 373.946, 401}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 2_temperature, Band{T, 350, 373.946, 101}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 3_pt_whole, Band{P, 0.001, 100, 51}, Band{T, 0, 1000, 51})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 3_pt_region3, Band{P, 16.53, 30, 28}, Band{T, 350, 400, 26})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 4_ph_whole, Band{P, 0.001, 100, 51}, Band{H, 0, 4642.8, 51})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 4_ph_near_critical, Band{P, 16.53, 30, 28}, Band{H, 1600, 2800, 25})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 5_ps_whole, Band{P, 0.001, 100, 51}, Band{S, -0.0085, 12.1, 51})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 5_ps_near_critical, Band{P, 16.53, 30, 28}, Band{S, 3.6, 5.4, 25})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 4_ph_critical_band, Band{P, 22.0639, 22.0641, 21}, Band{H, 2085, 2090, 51})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 5_ps_critical_band, Band{P, 22.0639, 22.0641, 21},
                  Band{S, 4.405, 4.415, 51})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 4_ph_just_above_350, Band{P, 17, 100, 84}, Band{H, 1545, 1680, 28})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 5_ps_just_above_350, Band{P, 17, 100, 84}, Band{S, 3.42, 3.79, 38})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 5_ps_region2b, Band{P, 4, 100, 25}, Band{S, 5.8, 7.5, 18})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 6_px_whole, Band{P, 0.000611213, 22.064, 201}, Band{X, 0, 1, 5})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 6_px_near_critical, Band{P, 16.53, 22.064, 51}, Band{X, 0.5, 0.5, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 7_s_whole, Band{S, 0.106, 8.9749, 401}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 7_s_near_critical, Band{S, 4.35, 4.45, 201}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 8_h_whole, Band{H, 29.3, 2803.2852, 401}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 8_h_near_critical, Band{H, 2080, 2200, 121}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Sweep, 8_h_steam_maximum, Band{H, 2803, 2803.2852, 286}, Band{})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
