// Whatever is typed, a calculation ends, shows no cascade of message boxes and
// writes only numbers that a state can have (or the failure value after a
// message): the calculation command is driven over a grid and a random
// sample of every row's inputs, their bounds, values just outside them, zero,
// negative and huge values.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "command.h"
#include "recording_view.h"

namespace {

using steamcalc::Field;

constexpr int P = 1, T = 2, H = 3, S = 4, X = 5;

// A field's text reads back as one number: blanks, an optional "-", digits
// with at most one ".", nothing else.
bool IsNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  if (text[i] == '-') ++i;
  int digits = 0;
  int points = 0;
  for (; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) {
      ++digits;
    } else if (text[i] == '.' && points == 0) {
      ++points;
    } else {
      return false;
    }
  }
  return digits > 0;
}

bool HoldsNanOrInf(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

// What a shown number stands for, by its field: a temperature (t of the
// (p, h), (p, s) and wet-steam rows, the saturation temperature), a pressure
// (the saturation pressure of the temperature row and of Form4) or a
// specific volume.
enum class Quantity { kOther, kTemperature, kPressure, kVolume };

Quantity QuantityOf(Field field) {
  switch (field) {
    case Field::Edit6:
    case Field::Edit10:
      return Quantity::kTemperature;
    case Field::Edit11:
    case Field::Form4Edit1:
    case Field::Form4Edit2:
    case Field::Form4Edit3:
      return Quantity::kPressure;
    case Field::Edit9:
    case Field::Edit14:
    case Field::Edit17:
      return Quantity::kVolume;
    default:
      return Quantity::kOther;
  }
}

// Whether a shown value can belong to a state: temperatures 0 to 1000 degC
// (the backward equations may answer up to 25 mK beyond, and the field rounds
// to 0.01), saturation pressures from that at 0 degC (0.000611 MPa) to the
// critical one, volumes above zero.
bool Plausible(Quantity quantity, double value) {
  constexpr double kBackwardDeviation = 0.025;  // K
  constexpr double kRounding = 0.005;           // degC, two decimals
  switch (quantity) {
    case Quantity::kTemperature:
      return value >= -kBackwardDeviation - kRounding &&
             value <= 1000 + kBackwardDeviation + kRounding;
    case Quantity::kPressure:
      return value >= 0.0006 && value <= 22.06401;
    case Quantity::kVolume:
      return value > 0;
    default:
      return true;
  }
}

std::string Typed(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// Ends the test with the input at hand when one calculation does not end.
class Watchdog {
 public:
  explicit Watchdog(std::chrono::seconds limit)
      : thread_([this, limit] {
          auto last = runs_.load();
          auto since = std::chrono::steady_clock::now();
          while (!done_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const auto now = std::chrono::steady_clock::now();
            if (runs_ != last) {
              last = runs_;
              since = now;
            } else if (now - since > limit) {
              std::fprintf(stderr, "A calculation did not end: %s\n", current_);
              std::abort();
            }
          }
        }) {}
  ~Watchdog() {
    done_ = true;
    thread_.join();
  }

  void Starting(const std::string& inputs) {
    std::snprintf(current_, sizeof current_, "%s", inputs.c_str());
  }
  void Ended() { ++runs_; }

 private:
  std::atomic<long> runs_{0};
  std::atomic<bool> done_{false};
  char current_[256] = {};
  std::thread thread_;
};

struct Row {
  const char* name;
  std::vector<int> boxes;  // the ticked boxes, in reading order
  // The most boxes a run may show: one per library call that can report,
  // plus the row's own rejection.
  std::size_t most_boxes;
};

// Values of one input: a grid over its range, a random sample, its bounds
// and the values just beside them, and values no one should type.
struct Axis {
  std::vector<double> values;
};

Axis MakeAxis(double lo, double hi, int grid, int random, std::mt19937_64& rng,
              std::vector<double> special) {
  Axis axis;
  for (int i = 0; i < grid; ++i) axis.values.push_back(lo + (hi - lo) * i / (grid - 1));
  std::uniform_real_distribution<double> uniform(lo, hi);
  for (int i = 0; i < random; ++i) axis.values.push_back(uniform(rng));
  for (const double v : special) {
    axis.values.push_back(v);
    axis.values.push_back(std::nextafter(v, -INFINITY));
    axis.values.push_back(std::nextafter(v, INFINITY));
  }
  const double wild[] = {0, -0.0, -1, -1e300, 1e300, 1e-300, -1e-300, 1e-9};
  axis.values.insert(axis.values.end(), std::begin(wild), std::end(wild));
  return axis;
}

class ScanTest : public ::testing::Test {
 protected:
  // Runs the command once and checks what it left behind.
  void Run(const Row& row, const std::vector<double>& values) {
    std::map<int, std::string> inputs;
    std::string described = row.name;
    for (std::size_t i = 0; i < row.boxes.size(); ++i) {
      inputs[row.boxes[i]] = Typed(values[i]);
      described.append(" ").append(Typed(values[i]));
    }
    steamcalc::RecordingView view(inputs);
    view.record_events = false;
    watchdog_.Starting(described);
    steamcalc::Button4Click(view);
    watchdog_.Ended();
    ++runs_;
    most_boxes_ = std::max(most_boxes_, view.boxes().size());

    if (view.boxes().size() > row.most_boxes && ++failures_ <= 10) {
      std::string shown;
      for (const auto& box : view.boxes()) shown.append("\n  ").append(box);
      ADD_FAILURE() << described << ": " << view.boxes().size() << " boxes" << shown;
    }
    for (const auto& [field, text] : view.written()) {
      if (text.empty()) continue;
      if (HoldsNanOrInf(text) || !IsNumber(text)) {
        if (++failures_ <= 10) {
          ADD_FAILURE() << described << ": field " << static_cast<int>(field) << " holds \"" << text
                        << "\"";
        }
        continue;
      }
      // The failure value may stand only after a message of the same run.
      const double value = std::strtod(text.c_str(), nullptr);
      const bool failure = std::fabs(value - if97::FAILURE) < 0.5;
      if (failure ? view.boxes().empty() : !Plausible(QuantityOf(field), value)) {
        if (++failures_ <= 10) {
          ADD_FAILURE() << described << ": field " << static_cast<int>(field) << " shows \"" << text
                        << "\"" << (failure ? " without a message" : ", no such state");
        }
      }
    }
  }

  void Scan(const Row& row, const Axis& first) {
    for (const double x : first.values) Run(row, {x});
  }

  void Scan(const Row& row, const Axis& first, const Axis& second) {
    for (const double x : first.values) {
      for (const double y : second.values) Run(row, {x, y});
    }
  }

  void TearDown() override {
    std::printf("%ld runs, at most %zu boxes in one run\n", runs_, most_boxes_);
  }

  std::mt19937_64 rng_{20240605};

 private:
  Watchdog watchdog_{std::chrono::seconds(60)};
  long runs_ = 0;
  std::size_t most_boxes_ = 0;
  int failures_ = 0;
};

// The critical pressure and temperature, the B23 and 350 degC bands, the
// sub-region boundaries and the range limits of the rows and the library.
const std::vector<double> kPressures = {0.000999999999, 0.001,     4,      6.5467, 10,
                                        16.5292,        16.529164, 22.064, 100};
const std::vector<double> kTemperatures = {0, 350, 373.946, 800, 800.000000000001, 1000};

TEST_F(ScanTest, SaturationAtPressure) {
  const Row row{"p", {P}, 6};
  Scan(row, MakeAxis(-1, 25, 300, 300, rng_,
                     {0.0005, 0.000611213, 0.001, 16.5292, 16.529164, 22.064, 22.0641}));
  Scan(row, MakeAxis(16.5, 22.064, 200, 100, rng_, {}));
}

TEST_F(ScanTest, SaturationAtTemperature) {
  const Row row{"t", {T}, 6};
  Scan(row, MakeAxis(-300, 400, 300, 300, rng_, {-273.15, 0, 350, 373.946, 374}));
  Scan(row, MakeAxis(350, 373.946, 200, 100, rng_, {}));
}

TEST_F(ScanTest, StateAtPressureAndTemperature) {
  const Row row{"p t", {P, T}, 3};
  Scan(row, MakeAxis(-1, 110, 60, 30, rng_, kPressures),
       MakeAxis(-10, 1100, 60, 30, rng_, kTemperatures));
  Scan(row, MakeAxis(16.5, 30, 60, 30, rng_, {22.064}), MakeAxis(350, 400, 60, 30, rng_, {}));
}

TEST_F(ScanTest, StateAtPressureAndEnthalpy) {
  const Row row{"p h", {P, H}, 3};
  Scan(row, MakeAxis(-1, 110, 40, 20, rng_, kPressures),
       MakeAxis(-100, 4800, 40, 20, rng_, {0, 2087.5, 2800, 4642.8}));
  Scan(row, MakeAxis(16.5, 30, 40, 20, rng_, {22.064}),
       MakeAxis(1500, 2900, 40, 20, rng_, {2087.25}));
  // Within 1e-4 MPa of the critical pressure, where the enthalpy of region 3
  // changes by more than the iteration's tolerance between neighbouring
  // temperatures.
  Scan(row, MakeAxis(22.0639, 22.0641, 30, 10, rng_, {}), MakeAxis(2080, 2095, 40, 10, rng_, {}));
}

TEST_F(ScanTest, StateAtPressureAndEntropy) {
  const Row row{"p s", {P, S}, 3};
  Scan(row, MakeAxis(-1, 110, 40, 20, rng_, kPressures),
       MakeAxis(-1, 12, 40, 20, rng_, {0, 4.412, 5.848, 5.85}));
  Scan(row, MakeAxis(16.5, 30, 40, 20, rng_, {22.064}),
       MakeAxis(3.5, 5.5, 40, 20, rng_, {4.4115, 4.412}));
  Scan(row, MakeAxis(22.0639, 22.0641, 30, 10, rng_, {}), MakeAxis(4.40, 4.42, 40, 10, rng_, {}));
  // Sub-region 2b, whose iteration starts at the saturation temperature of
  // 4 MPa.
  Scan(row, MakeAxis(4, 7, 30, 10, rng_, {4}), MakeAxis(5.7, 7.6, 30, 10, rng_, {}));
}

TEST_F(ScanTest, WetSteam) {
  const Row row{"p x", {P, X}, 6};
  Scan(row, MakeAxis(-1, 110, 60, 30, rng_, kPressures), MakeAxis(-0.5, 1.5, 9, 3, rng_, {0, 1}));
  Scan(row, MakeAxis(0.0004, 0.0007, 10, 5, rng_, {0.000611213}),
       MakeAxis(-0.5, 1.5, 9, 3, rng_, {0, 1}));
}

TEST_F(ScanTest, SaturationPressureFromEntropy) {
  const Row row{"s", {S}, 1};
  Scan(row, MakeAxis(-1, 10, 300, 200, rng_, {0.106, 4.41156, 4.412, 8.9749}));
  Scan(row, MakeAxis(4.35, 4.45, 100, 50, rng_, {}));
}

TEST_F(ScanTest, SaturationPressuresFromEnthalpy) {
  const Row row{"h", {H}, 1};
  Scan(row, MakeAxis(-100, 3000, 300, 150, rng_, {29.3, 2087.248, 2514, 2803.28}));
  Scan(row, MakeAxis(2080, 2200, 100, 50, rng_, {}));
}

}  // namespace
