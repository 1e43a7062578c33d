// The state functions from many threads at once, with no setup: every thread
// gets the results one thread gets alone, and none of them reads or calls the
// message handler, which another thread replaces all the while. Run under
// ThreadSanitizer (ctest label "threads").
#include <gtest/gtest.h>
#include <if97/if97.h>
#include <if97/if97_state.h>

#include <atomic>
#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 3;

// A digest of a result: its error, message and every value bit for bit.
std::string Digest(const if97::State& s) {
  std::string d;
  for (double value : {s.p, s.t, s.h, s.s, s.v, s.u, s.cp, s.cv, s.w, s.x}) {
    d += std::to_string(std::bit_cast<std::uint64_t>(value)) + ' ';
  }
  return d + std::to_string(s.region) + ' ' + std::to_string(static_cast<int>(s.phase));
}

std::string Digest(const if97::StateResult& r) {
  return std::to_string(static_cast<int>(r.error)) + r.message + Digest(r.state);
}

std::string Digest(const if97::SaturationResult& r) {
  return std::to_string(static_cast<int>(r.error)) + r.message + Digest(r.water) + Digest(r.steam);
}

// Calls of every kind: regions 1, 2, 3 (with its volume search), 5, wet
// steam, the saturation line, and refusals of each kind.
std::vector<std::function<std::string()>> Calls() {
  std::vector<std::function<std::string()>> calls;
  for (double p : {0.01, 1.0, 10.0, 20.0, 25.0, 60.0}) {
    for (double t : {20.0, 200.0, 365.0, 380.0, 600.0, 900.0}) {
      calls.push_back([=] { return Digest(if97::state_pt(p, t)); });
      const if97::State state = if97::state_pt(p, t).state;  // NaN where refused
      const double h = state.h;
      const double s = state.s;
      calls.push_back([=] { return Digest(if97::state_ph(p, h)); });
      calls.push_back([=] { return Digest(if97::state_ps(p, s)); });
    }
    calls.push_back([=] { return Digest(if97::state_px(p, 0.4)); });
    calls.push_back([=] { return Digest(if97::saturation_p(p)); });
  }
  // Region 3 in runs of temperatures at one pressure: the volume search of
  // each thread keeps the starts of the last pressure it saw.
  for (double p : {17.0, 22.0, 40.0, 90.0}) {
    for (double t : {350.5, 356.0, 362.0, 371.0, 376.0, 390.0}) {
      calls.push_back([=] { return Digest(if97::state_pt(p, t)); });
    }
  }
  calls.push_back([] { return Digest(if97::state_pt(1, if97::TS_P(1))); });
  calls.push_back([] { return Digest(if97::state_pt(60, 350.01)); });
  calls.push_back([] { return Digest(if97::state_ph(1, 2000)); });
  calls.push_back([] { return Digest(if97::state_tx(370, 0.5)); });
  calls.push_back([] { return Digest(if97::state_tx(100, 2)); });
  calls.push_back([] { return Digest(if97::saturation_t(-1)); });
  return calls;
}

TEST(StateThreads, ManyThreadsGetTheResultsOfOne) {
  const std::vector<std::function<std::string()>> calls = Calls();
  std::vector<std::string> expected;
  for (const auto& call : calls) expected.push_back(call());

  std::atomic<int> shown{0};
  std::atomic<bool> done{false};
  std::atomic<int> mismatches{0};
  std::vector<std::thread> workers;
  for (int k = 0; k < kThreads; ++k) {
    workers.emplace_back([&, k] {
      for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < calls.size(); ++i) {
          // Each thread walks the calls from its own offset.
          const std::size_t j = (i + k * calls.size() / kThreads) % calls.size();
          if (calls[j]() != expected[j]) ++mismatches;
        }
      }
    });
  }
  // Meanwhile the handler is replaced again and again on this thread.
  const if97::MessageHandler original = if97::SetMessageHandler(nullptr);
  std::thread replacer([&] {
    while (!done) {
      if97::SetMessageHandler([&](const std::string&) { ++shown; });
      if97::SetMessageHandler(nullptr);
    }
  });
  for (std::thread& w : workers) w.join();
  done = true;
  replacer.join();
  if97::SetMessageHandler(original);

  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(shown, 0);
}

}  // namespace
