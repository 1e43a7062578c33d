// The calculation command end to end, one benchmark per row: frame, reading,
// range checks, library calls, formatting, writing into a view that does
// nothing but hand out the inputs and count messages.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>

#include "command.h"
#include "if97.h"

namespace {

using steamcalc::Field;

class NullView : public steamcalc::CalcView {
 public:
  explicit NullView(std::map<int, std::string> inputs) : inputs_(std::move(inputs)) {}

  std::string Text(Field field) const override {
    const auto it = inputs_.find(static_cast<int>(field));
    return it == inputs_.end() ? "" : it->second;
  }
  void SetText(Field, const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
  bool IsChecked(int box) const override { return inputs_.contains(box); }
  void SetChecked(int, bool) override {}
  void SetPage(int) override {}
  void ShowForm4() override {}
  void Message(const std::string&) override { ++messages; }
  void ErrorBox(const std::string&) override { ++errors; }

  long messages = 0;
  long errors = 0;

 private:
  std::map<int, std::string> inputs_;  // box -> typed text
};

void RunRow(benchmark::State& state, std::map<int, std::string> inputs) {
  long library_messages = 0;
  const auto previous = if97::SetMessageHandler([&](const std::string&) { ++library_messages; });
  NullView view(std::move(inputs));
  for (auto _ : state) steamcalc::Button4Click(view);
  if97::SetMessageHandler(previous);
  const double runs = static_cast<double>(state.iterations());
  state.counters["messages"] = static_cast<double>(view.messages + library_messages) / runs;
  state.counters["errors"] = static_cast<double>(view.errors) / runs;
}

constexpr int P = 1, T = 2, H = 3, S = 4, X = 5;

BENCHMARK_CAPTURE(RunRow, 1_pressure, std::map<int, std::string>{{P, "1"}});
BENCHMARK_CAPTURE(RunRow, 1_pressure_near_critical, std::map<int, std::string>{{P, "20"}});
BENCHMARK_CAPTURE(RunRow, 2_temperature, std::map<int, std::string>{{T, "200"}});
BENCHMARK_CAPTURE(RunRow, 3_pt_region2, std::map<int, std::string>{{P, "5"}, {T, "300"}});
BENCHMARK_CAPTURE(RunRow, 3_pt_region3, std::map<int, std::string>{{P, "25"}, {T, "380"}});
BENCHMARK_CAPTURE(RunRow, 4_ph_region1, std::map<int, std::string>{{P, "3"}, {H, "500"}});
BENCHMARK_CAPTURE(RunRow, 4_ph_near_critical, std::map<int, std::string>{{P, "25"}, {H, "2000"}});
BENCHMARK_CAPTURE(RunRow, 5_ps_region2, std::map<int, std::string>{{P, "1"}, {S, "7"}});
BENCHMARK_CAPTURE(RunRow, 5_ps_near_critical, std::map<int, std::string>{{P, "25"}, {S, "4.5"}});
BENCHMARK_CAPTURE(RunRow, 6_px, std::map<int, std::string>{{P, "1"}, {X, "0.5"}});
BENCHMARK_CAPTURE(RunRow, 7_s, std::map<int, std::string>{{S, "6"}});
BENCHMARK_CAPTURE(RunRow, 8_h_two_roots, std::map<int, std::string>{{H, "2700"}});
BENCHMARK_CAPTURE(RunRow, 8_h_water, std::map<int, std::string>{{H, "1000"}});

}  // namespace

BENCHMARK_MAIN();
