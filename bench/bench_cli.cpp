// Throughput of the if97 command on many (p, t) rows outside region 3: input
// in memory, output discarded, so that the figure is the command's own work
// (reading, the whole state, writing) without the pipes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "batch.h"
#include "options.h"
#include "quantities.h"
#include "table.h"

namespace {

// Liquid water below 340 degC at up to 100 MPa, steam at up to 10 MPa from
// 320 to 800 degC; six significant digits, as a spreadsheet column would hold;
// with bar_kelvin in bar and K.
std::string Rows(int count, bool decimal_comma, bool bar_kelvin) {
  std::mt19937 random(97);
  std::uniform_real_distribution<double> unit(0, 1);
  std::string text = decimal_comma ? "p;t\n" : "p,t\n";
  char line[64];
  for (int i = 0; i < count; ++i) {
    const bool liquid = i % 2 == 0;
    double p = liquid ? 15 + 85 * unit(random) : 0.01 + 9.99 * unit(random);
    double t = liquid ? 1 + 339 * unit(random) : 320 + 480 * unit(random);
    if (bar_kelvin) {
      p *= 10;
      t += 273.15;
    }
    std::snprintf(line, sizeof line, "%.6g,%.6g\n", p, t);
    if (decimal_comma) {
      std::replace(line, line + std::strlen(line), ',', ';');
      std::replace(line, line + std::strlen(line), '.', ',');
    }
    text += line;
  }
  return text;
}

// properties and units as --properties and --units take them ("": the
// default); units "bar,K,J" or "".
void BM_batch_pt(benchmark::State& state, bool decimal_comma, std::string_view properties,
                 std::string_view units) {
  constexpr int kRows = 100000;
  const std::string input = Rows(kRows, decimal_comma, !units.empty());
  if97cli::Selection selection;
  std::string error;
  if (!properties.empty()) selection.quantities = *if97cli::ParseQuantities(properties, error);
  if (!units.empty()) {
    selection.units = *if97cli::ParseUnits(units, error);
    selection.units_given = true;
  }
  const if97cli::Table table(if97cli::kPairs[0], decimal_comma, selection);
  for (auto _ : state) {
    std::string_view rest = input;
    std::size_t written = 0;
    const int status = if97cli::RunBatch(
        table,
        [&](char* buffer, std::size_t size) {
          const std::size_t n = std::min(size, rest.size());
          std::memcpy(buffer, rest.data(), n);
          rest.remove_prefix(n);
          return static_cast<std::ptrdiff_t>(n);
        },
        [&](std::string_view text) {
          written += text.size();
          return true;
        },
        [](std::string_view) {});
    if (status != if97cli::kExitOk) state.SkipWithError("a row failed");
    benchmark::DoNotOptimize(written);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

BENCHMARK_CAPTURE(BM_batch_pt, point, false, "", "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_batch_pt, comma, true, "", "")->Unit(benchmark::kMillisecond);
// The input read in bar and K, every quantity written, energies in J.
BENCHMARK_CAPTURE(BM_batch_pt, all_bar_K_J, false, "all", "bar,K,J")->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
