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
#include "table.h"

namespace {

// Liquid water below 340 degC at up to 100 MPa, steam at up to 10 MPa from
// 320 to 800 degC; six significant digits, as a spreadsheet column would hold.
std::string Rows(int count, bool decimal_comma) {
  std::mt19937 random(97);
  std::uniform_real_distribution<double> unit(0, 1);
  std::string text = decimal_comma ? "p;t\n" : "p,t\n";
  char line[64];
  for (int i = 0; i < count; ++i) {
    const bool liquid = i % 2 == 0;
    const double p = liquid ? 15 + 85 * unit(random) : 0.01 + 9.99 * unit(random);
    const double t = liquid ? 1 + 339 * unit(random) : 320 + 480 * unit(random);
    std::snprintf(line, sizeof line, "%.6g,%.6g\n", p, t);
    if (decimal_comma) {
      std::replace(line, line + std::strlen(line), ',', ';');
      std::replace(line, line + std::strlen(line), '.', ',');
    }
    text += line;
  }
  return text;
}

void BM_batch_pt(benchmark::State& state, bool decimal_comma) {
  constexpr int kRows = 100000;
  const std::string input = Rows(kRows, decimal_comma);
  const if97cli::Table table(if97cli::kPairs[0], decimal_comma);
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

BENCHMARK_CAPTURE(BM_batch_pt, point, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_batch_pt, comma, true)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
