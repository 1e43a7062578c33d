// The C interface from many threads at once: each thread's last error is its
// own, and every thread gets the states one thread gets alone. Run under
// ThreadSanitizer (ctest label "threads").
#include <gtest/gtest.h>
#include <if97/if97_c.h>

#include <barrier>
#include <bit>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

struct Call {
  const char* pair;
  double a, b;
  const char* property;
  int code;
};

// One call per thread, each ending in another code; regions 1, 2, 3 and wet
// steam among them.
constexpr Call kCalls[] = {
    {"pt", 5, 300, "h", IF97_OK},
    {"ph", 22, 2100, "t", IF97_OK},
    {"tp", 5, 300, "h", IF97_UNKNOWN_PAIR},
    {"pt", 5, 300, "H", IF97_UNKNOWN_PROPERTY},
    {"ph", 1, 2000, "cp", IF97_NOT_DEFINED},
    {"pt", 150, 20, "h", IF97_OUT_OF_RANGE},
    {"sat-p", 30, 0, "h", IF97_NO_SATURATION},
    {"ps", 25, 4.4, "v", IF97_OK},
};
constexpr int kThreads = static_cast<int>(std::size(kCalls));
constexpr int kRounds = 200;

TEST(CInterfaceThreads, LastErrorAndResultsPerThread) {
  std::vector<std::uint64_t> alone;
  for (const Call& c : kCalls) {
    alone.push_back(std::bit_cast<std::uint64_t>(if97_value(c.pair, c.a, c.b, c.property)));
  }
  // Every thread calls, all wait, then each reads its last error: the other
  // threads' calls in between must not change it.
  std::barrier called(kThreads);
  std::vector<int> wrong_code(kThreads, 0);
  std::vector<int> wrong_value(kThreads, 0);
  std::vector<std::thread> threads;
  for (int k = 0; k < kThreads; ++k) {
    threads.emplace_back([&, k] {
      const Call& c = kCalls[k];
      for (int round = 0; round < kRounds; ++round) {
        const double value = if97_value(c.pair, c.a, c.b, c.property);
        called.arrive_and_wait();
        if (if97_last_error() != c.code) ++wrong_code[k];
        if (std::bit_cast<std::uint64_t>(value) != alone[k]) ++wrong_value[k];
        if97_state state;
        if97_pt(static_cast<double>(k + 1), 20 + 50.0 * k, &state);
        if (if97_last_error() != IF97_OK) ++wrong_code[k];
      }
    });
  }
  for (std::thread& t : threads) t.join();
  for (int k = 0; k < kThreads; ++k) {
    EXPECT_EQ(wrong_code[k], 0) << kCalls[k].pair << " " << kCalls[k].property;
    EXPECT_EQ(wrong_value[k], 0) << kCalls[k].pair << " " << kCalls[k].property;
  }
}

}  // namespace
