// The library called from several threads at once while another thread keeps
// replacing the message handler. Built and run under ThreadSanitizer as well
// (label "threads", scripts/test --tsan).
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <atomic>
#include <bit>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr char kOutOfRange[] = "Значения давления и температуры выходят за допустимые пределы";

struct State {
  double p;  // MPa
  double t;  // degC
};

// Regions 1, 2, 3 (above the critical pressure) and 5, and three states that
// each show the range message once per call.
constexpr State kStates[] = {
    {3, 26.85}, {80, 226.85}, {0.0035, 426.85}, {30, 426.85}, {25, 380},
    {8, 900},   {0, 20},      {1, -0.5},        {100.1, 20},
};

using Property = double (*)(double, double);
constexpr Property kProperties[] = {if97::h_pt, if97::s_pt, if97::v_pt};

std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// Counts the messages it receives and those whose text is not the range message.
struct Counter {
  std::atomic<int> received{0};
  std::atomic<int> garbled{0};

  if97::MessageHandler Handler() {
    return [this](const std::string& text) {
      received.fetch_add(1, std::memory_order_relaxed);
      if (text != kOutOfRange) garbled.fetch_add(1, std::memory_order_relaxed);
    };
  }
};

TEST(MessageThreads, ParallelCallsGiveTheSingleThreadResultsAndEveryMessageOnce) {
  constexpr int kWorkers = 4;
  constexpr int kRounds = 150;

  Counter single;
  const if97::MessageHandler original = if97::SetMessageHandler(single.Handler());
  std::vector<std::uint64_t> expected;
  for (const State& state : kStates) {
    for (const Property property : kProperties)
      expected.push_back(Bits(property(state.p, state.t)));
  }
  const int messages_per_round = single.received.load();
  EXPECT_EQ(messages_per_round, 9);

  Counter even;
  Counter odd;
  std::atomic<int> mismatches{0};
  std::atomic<int> running{kWorkers};
  // The workers start once the swapper runs, so that swaps overlap the calls
  // however the threads are scheduled.
  std::atomic<int> swaps{0};
  std::thread swapper([&] {
    while (running.load() > 0 || swaps.load() < 2) {
      if97::SetMessageHandler((swaps.fetch_add(1) % 2 == 0 ? even : odd).Handler());
      std::this_thread::yield();
    }
  });
  while (swaps.load() == 0) std::this_thread::yield();
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&] {
      for (int round = 0; round < kRounds; ++round) {
        std::size_t i = 0;
        for (const State& state : kStates) {
          for (const Property property : kProperties) {
            if (Bits(property(state.p, state.t)) != expected[i++]) mismatches.fetch_add(1);
          }
        }
      }
      running.fetch_sub(1);
    });
  }
  for (std::thread& worker : workers) worker.join();
  swapper.join();
  if97::SetMessageHandler(original);

  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_GT(swaps.load(), 1);
  EXPECT_EQ(single.received.load() - messages_per_round + even.received + odd.received,
            kWorkers * kRounds * messages_per_round);
  EXPECT_EQ(single.garbled + even.garbled + odd.garbled, 0);
}

// A handler replaced in one thread while another thread is inside it runs to
// its end with its captures intact.
TEST(MessageThreads, AHandlerReplacedWhileRunningFinishes) {
  std::atomic<bool> entered{false};
  std::atomic<bool> replaced{false};
  std::string seen;
  const if97::MessageHandler original =
      if97::SetMessageHandler([&, tag = std::string("ждал: ")](const std::string& text) {
        entered = true;
        while (!replaced) std::this_thread::yield();
        seen = tag + text;
      });
  std::thread caller([] { if97::h_pt(0, 20); });
  while (!entered) std::this_thread::yield();
  if97::SetMessageHandler([](const std::string&) {});
  replaced = true;
  caller.join();
  if97::SetMessageHandler(original);
  EXPECT_EQ(seen, std::string("ждал: ") + kOutOfRange);
}

}  // namespace
