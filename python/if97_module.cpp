// The compiled half of the Python package if97 (module _if97): the state API
// of if97_state.h over NumPy arrays. The Python half (if97/__init__.py) checks
// and converts the arguments and wraps the columns returned here.
//
// Struct of arrays: one C-contiguous array per property, region, phase and
// error code, allocated before the loop and written in place; no Python
// object per element. The operands are read through their own strides,
// broadcast as NumPy broadcasts. The loop runs with the GIL released, on the
// calling thread or split in blocks over several; each element is computed on
// its own, so the split changes no bit of any result.
#include <if97/if97_state.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <exception>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace py = pybind11;

namespace {

using Index = py::ssize_t;
using StateFunction = if97::StateResult (*)(double, double, if97::Extent);
using SaturationFunction = if97::SaturationResult (*)(double, if97::Extent);

// The phase code of an element without a state; region 0 there already.
constexpr std::int8_t kNoPhase = -1;

// Phase codes are the enumerators' values; the names as the if97 command
// prints them.
constexpr const char* kPhaseNames[] = {"liquid", "steam", "supercritical", "saturated"};
static_assert(static_cast<int>(if97::Phase::kLiquid) == 0);
static_assert(static_cast<int>(if97::Phase::kSteam) == 1);
static_assert(static_cast<int>(if97::Phase::kSupercritical) == 2);
static_assert(static_cast<int>(if97::Phase::kSaturated) == 3);

// Every error code with its Python name, in the enumeration's order.
struct ErrorName {
  if97::StateError error;
  const char* name;
};
constexpr ErrorName kErrorNames[] = {
    {if97::StateError::kNone, "OK"},
    {if97::StateError::kOutOfRange, "OUT_OF_RANGE"},
    {if97::StateError::kNoSaturation, "NO_SATURATION"},
    {if97::StateError::kOnSaturationLine, "ON_SATURATION_LINE"},
    {if97::StateError::kNoConvergence, "NO_CONVERGENCE"},
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- broadcasting -----------------------------------------------------------

// N operands broadcast against each other: the result's shape and, per
// operand, its byte stride along each of the result's axes (0 along an axis
// the operand is repeated over).
template <std::size_t N>
struct Broadcast {
  std::vector<Index> shape;
  std::array<std::vector<Index>, N> strides;
  std::array<const char*, N> data{};
  Index size = 1;
};

std::string ShapeText(const py::array& a) {
  std::string text = "(";
  for (Index d = 0; d < a.ndim(); ++d) {
    text += std::to_string(a.shape(d));
    if (a.ndim() == 1 || d + 1 < a.ndim()) text += ',';
  }
  return text + ')';
}

template <std::size_t N>
Broadcast<N> BroadcastOf(const std::array<py::array_t<double>, N>& operands) {
  Broadcast<N> b;
  Index ndim = 0;
  for (const auto& a : operands) ndim = std::max<Index>(ndim, a.ndim());
  b.shape.assign(static_cast<std::size_t>(ndim), 1);
  for (auto& s : b.strides) s.assign(static_cast<std::size_t>(ndim), 0);
  for (std::size_t k = 0; k < N; ++k) {
    const py::array_t<double>& a = operands[k];
    b.data[k] = static_cast<const char*>(static_cast<const py::array&>(a).data());
    const Index first = ndim - a.ndim();
    for (Index d = 0; d < a.ndim(); ++d) {
      const Index extent = a.shape(d);
      if (extent == 1) continue;
      Index& axis = b.shape[static_cast<std::size_t>(first + d)];
      if (axis != 1 && axis != extent) {
        std::string shapes;
        for (const auto& o : operands) shapes += ' ' + ShapeText(o);
        throw py::value_error("operands could not be broadcast together with shapes" + shapes);
      }
      axis = extent;
      b.strides[k][static_cast<std::size_t>(first + d)] = a.strides(d);
    }
  }
  for (const Index extent : b.shape) {
    if (__builtin_mul_overflow(b.size, extent, &b.size)) {
      throw py::value_error("the broadcast result is too large");
    }
  }
  return b;
}

double Load(const char* at) {
  double value;  // an operand's data need not be aligned
  std::memcpy(&value, at, sizeof value);
  return value;
}

// Calls visit(i, operands) for the result's elements begin <= i < end (C
// order), with each operand's element broadcast to element i.
template <std::size_t N, typename Visit>
void ForRange(const Broadcast<N>& b, Index begin, Index end, Visit&& visit) {
  const std::size_t ndim = b.shape.size();
  std::array<double, N> values;
  if (ndim == 0) {
    for (std::size_t k = 0; k < N; ++k) values[k] = Load(b.data[k]);
    visit(Index{0}, values);
    return;
  }
  // Element begin's index and each operand's address of it.
  std::vector<Index> index(ndim);
  std::array<const char*, N> at = b.data;
  Index rest = begin;
  for (std::size_t d = ndim; d-- > 0;) {
    index[d] = rest % b.shape[d];
    rest /= b.shape[d];
    for (std::size_t k = 0; k < N; ++k) at[k] += index[d] * b.strides[k][d];
  }
  const std::size_t last = ndim - 1;
  for (Index i = begin; i < end;) {
    const Index run = std::min(end - i, b.shape[last] - index[last]);
    for (Index j = 0; j < run; ++j) {
      for (std::size_t k = 0; k < N; ++k) values[k] = Load(at[k] + j * b.strides[k][last]);
      visit(i + j, values);
    }
    i += run;
    index[last] += run;
    for (std::size_t k = 0; k < N; ++k) at[k] += run * b.strides[k][last];
    // Carry into the outer axes.
    for (std::size_t d = last; d > 0 && index[d] == b.shape[d]; --d) {
      index[d] = 0;
      ++index[d - 1];
      for (std::size_t k = 0; k < N; ++k)
        at[k] += b.strides[k][d - 1] - b.shape[d] * b.strides[k][d];
    }
  }
}

// ---- the loop -----------------------------------------------------------------

// Runs body(begin, end) over the blocks of [0, size) on up to `threads`
// threads, the calling one among them, with the GIL released. The blocks are
// handed out in turn; an exception in any of them stops the rest and is
// rethrown here. Where a thread cannot be started the others do its share.
template <typename Body>
void RunBlocks(Index size, int threads, Body&& body) {
  if (size == 0) return;
  const Index per_thread = (size + threads - 1) / threads;
  const Index block = std::clamp<Index>(per_thread / 8, 64, 16384);
  const Index blocks = (size + block - 1) / block;
  const int workers = static_cast<int>(std::min<Index>(threads, blocks));

  py::gil_scoped_release release;
  if (workers <= 1) {
    body(Index{0}, size);
    return;
  }
  std::atomic<Index> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr failure;
  std::mutex failure_mutex;
  const auto work = [&] {
    try {
      for (Index k; !failed.load(std::memory_order_relaxed) && (k = next++) < blocks;) {
        body(k * block, std::min(size, (k + 1) * block));
      }
    } catch (...) {
      const std::lock_guard lock(failure_mutex);
      if (!failure) failure = std::current_exception();
      failed = true;
    }
  };
  std::vector<std::thread> pool;
  pool.reserve(static_cast<std::size_t>(workers - 1));
  try {
    while (static_cast<int>(pool.size()) < workers - 1) pool.emplace_back(work);
  } catch (...) {
    // Fewer threads: the blocks are shared among those that started.
  }
  work();
  for (std::thread& t : pool) t.join();
  if (failure) std::rethrow_exception(failure);
}

// ---- results ------------------------------------------------------------------

// Where the selected properties, the region and the phase of one phase go.
struct PhaseColumns {
  struct Column {
    double if97::State::*member;
    double* out;
  };
  std::vector<Column> properties;
  std::int8_t* region = nullptr;
  std::int8_t* phase = nullptr;

  void Store(Index i, const if97::State& state, bool ok) const {
    if (ok) {
      for (const Column& c : properties) c.out[i] = state.*c.member;
      region[i] = static_cast<std::int8_t>(state.region);
      phase[i] = static_cast<std::int8_t>(state.phase);
    } else {
      for (const Column& c : properties) c.out[i] = kNaN;
      region[i] = 0;
      phase[i] = kNoPhase;
    }
  }
};

// The result's columns as rows of two allocations, one for the float
// columns and one for the int8 ones, handed out one row at a time as arrays
// of the result's shape. One large allocation rather than one per column:
// NumPy asks for huge pages for it, and the first writes to fresh memory,
// which cost as much as the state itself on a virtual machine, get several
// times cheaper. A column kept alone keeps its whole block alive.
class ColumnBlocks {
 public:
  ColumnBlocks(const std::vector<Index>& shape, Index size, Index float_rows, Index code_rows)
      : shape_(shape.begin(), shape.end()),
        floats_(std::vector<py::ssize_t>{float_rows, size}),
        codes_(std::vector<py::ssize_t>{code_rows, size}),
        size_(size) {}

  py::array_t<double> NextFloat(double*& out) { return Next(floats_, float_row_++, out); }
  py::array_t<std::int8_t> NextCode(std::int8_t*& out) { return Next(codes_, code_row_++, out); }

 private:
  template <typename T>
  py::array_t<T> Next(py::array_t<T>& block, Index row, T*& out) {
    if (row >= block.shape(0)) throw std::logic_error("column block overrun");
    out = block.mutable_data() + row * size_;
    std::vector<py::ssize_t> strides(shape_.size());
    py::ssize_t stride = sizeof(T);
    for (std::size_t d = shape_.size(); d-- > 0;) {
      strides[d] = stride;
      stride *= shape_[d];
    }
    return py::array_t<T>(shape_, strides, out, block);
  }

  std::vector<py::ssize_t> shape_;
  py::array_t<double> floats_;
  py::array_t<std::int8_t> codes_;
  Index size_;
  Index float_row_ = 0;
  Index code_row_ = 0;
};

// The arrays of one phase, in a dict by name, and the pointers the loop
// writes through.
PhaseColumns MakePhaseColumns(ColumnBlocks& blocks, const std::vector<int>& selected,
                              py::dict& columns) {
  PhaseColumns out;
  for (const int k : selected) {
    const if97::PropertyInfo& info = if97::kProperties[k];
    double* data = nullptr;
    columns[info.name] = blocks.NextFloat(data);
    out.properties.push_back({info.member, data});
  }
  columns["region"] = blocks.NextCode(out.region);
  columns["phase"] = blocks.NextCode(out.phase);
  return out;
}

// What the library must form for the selected properties: the transport
// properties only when one of them is asked for.
if97::Extent ExtentOf(const std::vector<int>& selected) {
  for (const int k : selected) {
    if (if97::kProperties[k].extent == if97::Extent::kAll) return if97::Extent::kAll;
  }
  return if97::Extent::kThermodynamic;
}

std::vector<int> CheckedSelection(const std::vector<int>& selected) {
  for (const int k : selected) {
    if (k < 0 || k >= static_cast<int>(std::size(if97::kProperties))) {
      throw py::index_error("no property " + std::to_string(k));
    }
  }
  return selected;
}

int CheckedThreads(int threads) {
  if (threads < 0) throw py::value_error("threads must be 0 (every processor) or more");
  if (threads == 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return threads;
}

// A NaN or infinite operand gives no state. The library takes some of them
// for states (state_ph(p, -inf) reports saturated water; state_tx(NaN, x),
// saturation_p(NaN) and saturation_t(NaN) report success with NaN
// properties), and no range includes them, so the module refuses them itself,
// without calling the library, with the code the library gives an
// out-of-range value of that operand.
template <std::size_t N>
if97::StateError NonFiniteOperand(const std::array<double, N>& values,
                                  const std::array<if97::StateError, N>& refusals) {
  for (std::size_t k = 0; k < N; ++k) {
    if (!std::isfinite(values[k])) return refusals[k];
  }
  return if97::StateError::kNone;
}

constexpr std::array<if97::StateError, 2> kOutOfRange2 = {if97::StateError::kOutOfRange,
                                                          if97::StateError::kOutOfRange};
constexpr std::array<if97::StateError, 2> kWetRefusals = {if97::StateError::kNoSaturation,
                                                          if97::StateError::kOutOfRange};
constexpr std::array<if97::StateError, 1> kSaturationRefusals = {if97::StateError::kNoSaturation};

// Makes the columns, then runs F over every element.
template <StateFunction F, const std::array<if97::StateError, 2>& kRefusals>
py::dict StateColumns(const Broadcast<2>& b, const std::vector<int>& selected, int threads) {
  const auto rows = static_cast<Index>(selected.size());
  ColumnBlocks blocks(b.shape, b.size, rows, 3);
  py::dict columns;
  const PhaseColumns phase = MakePhaseColumns(blocks, selected, columns);
  const if97::Extent extent = ExtentOf(selected);
  std::int8_t* error = nullptr;
  columns["error"] = blocks.NextCode(error);
  RunBlocks(b.size, threads, [&](Index begin, Index end) {
    ForRange(b, begin, end, [&](Index i, const std::array<double, 2>& v) {
      if (const if97::StateError refusal = NonFiniteOperand(v, kRefusals);
          refusal != if97::StateError::kNone) {
        phase.Store(i, if97::State{}, false);
        error[i] = static_cast<std::int8_t>(refusal);
        return;
      }
      const if97::StateResult r = F(v[0], v[1], extent);
      phase.Store(i, r.state, r.ok());
      error[i] = static_cast<std::int8_t>(r.error);
    });
  });
  return columns;
}

template <SaturationFunction F>
py::dict SaturationColumns(const Broadcast<1>& b, const std::vector<int>& selected, int threads) {
  const auto rows = static_cast<Index>(selected.size());
  ColumnBlocks blocks(b.shape, b.size, 2 * rows, 5);
  py::dict water_columns, steam_columns;
  const PhaseColumns water = MakePhaseColumns(blocks, selected, water_columns);
  const PhaseColumns steam = MakePhaseColumns(blocks, selected, steam_columns);
  const if97::Extent extent = ExtentOf(selected);
  std::int8_t* error = nullptr;
  py::array_t<std::int8_t> error_array = blocks.NextCode(error);
  RunBlocks(b.size, threads, [&](Index begin, Index end) {
    ForRange(b, begin, end, [&](Index i, const std::array<double, 1>& v) {
      if (const if97::StateError refusal = NonFiniteOperand(v, kSaturationRefusals);
          refusal != if97::StateError::kNone) {
        water.Store(i, if97::State{}, false);
        steam.Store(i, if97::State{}, false);
        error[i] = static_cast<std::int8_t>(refusal);
        return;
      }
      const if97::SaturationResult r = F(v[0], extent);
      water.Store(i, r.water, r.ok());
      steam.Store(i, r.steam, r.ok());
      error[i] = static_cast<std::int8_t>(r.error);
    });
  });
  py::dict columns;
  columns["water"] = water_columns;
  columns["steam"] = steam_columns;
  columns["error"] = error_array;
  return columns;
}

py::dict State(const std::string& pair, py::array_t<double> a, py::array_t<double> b,
               const std::vector<int>& selected, int threads) {
  const Broadcast<2> operands = BroadcastOf<2>({a, b});
  const std::vector<int> properties = CheckedSelection(selected);
  threads = CheckedThreads(threads);
  if (pair == "pt")
    return StateColumns<if97::state_pt, kOutOfRange2>(operands, properties, threads);
  if (pair == "ph")
    return StateColumns<if97::state_ph, kOutOfRange2>(operands, properties, threads);
  if (pair == "ps")
    return StateColumns<if97::state_ps, kOutOfRange2>(operands, properties, threads);
  if (pair == "hs")
    return StateColumns<if97::state_hs, kOutOfRange2>(operands, properties, threads);
  if (pair == "px")
    return StateColumns<if97::state_px, kWetRefusals>(operands, properties, threads);
  if (pair == "tx")
    return StateColumns<if97::state_tx, kWetRefusals>(operands, properties, threads);
  throw py::value_error("no pair " + pair);
}

py::dict Saturation(const std::string& by, py::array_t<double> a, const std::vector<int>& selected,
                    int threads) {
  const Broadcast<1> operand = BroadcastOf<1>({a});
  const std::vector<int> properties = CheckedSelection(selected);
  threads = CheckedThreads(threads);
  if (by == "p") return SaturationColumns<if97::saturation_p>(operand, properties, threads);
  if (by == "t") return SaturationColumns<if97::saturation_t>(operand, properties, threads);
  throw py::value_error("no saturation by " + by);
}

// ---- the benchmark's reference ------------------------------------------------

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

template <StateFunction F>
double TimeLoop(const double* a, const double* b, Index n) {
  const double start = ThreadSeconds();
  double sum = 0;
  for (Index i = 0; i < n; ++i) {
    const if97::StateResult r = F(a[i], b[i], if97::Extent::kAll);
    sum += r.state.h;
  }
  const double seconds = ThreadSeconds() - start;
  // Keeps the loop's results alive without a store per element.
  volatile double sink = sum;
  static_cast<void>(sink);
  return seconds;
}

// Processor seconds of the calling thread for the plain C++ loop over
// state_<pair>(a[i], b[i]): what the module's per-element cost is measured
// against (python/bench_python.py).
double CxxLoopSeconds(const std::string& pair,
                      py::array_t<double, py::array::c_style | py::array::forcecast> a,
                      py::array_t<double, py::array::c_style | py::array::forcecast> b) {
  if (a.ndim() != 1 || b.ndim() != 1 || a.shape(0) != b.shape(0)) {
    throw py::value_error("two one-dimensional arrays of one length");
  }
  const double* pa = a.data();
  const double* pb = b.data();
  const Index n = a.shape(0);
  py::gil_scoped_release release;
  if (pair == "pt") return TimeLoop<if97::state_pt>(pa, pb, n);
  if (pair == "ph") return TimeLoop<if97::state_ph>(pa, pb, n);
  if (pair == "ps") return TimeLoop<if97::state_ps>(pa, pb, n);
  if (pair == "hs") return TimeLoop<if97::state_hs>(pa, pb, n);
  if (pair == "px") return TimeLoop<if97::state_px>(pa, pb, n);
  if (pair == "tx") return TimeLoop<if97::state_tx>(pa, pb, n);
  throw py::value_error("no pair " + pair);
}

}  // namespace

PYBIND11_MODULE(_if97, m) {
  m.doc() = "The compiled half of the package if97; use if97 itself.";

  py::list properties;
  for (const if97::PropertyInfo& p : if97::kProperties) {
    properties.append(py::make_tuple(p.name, p.unit, p.description));
  }
  m.attr("PROPERTIES") = py::tuple(properties);

  py::list phases;
  for (const char* name : kPhaseNames) phases.append(name);
  m.attr("PHASES") = py::tuple(phases);
  m.attr("NO_PHASE") = kNoPhase;

  py::list errors;
  for (const ErrorName& e : kErrorNames) {
    errors.append(py::make_tuple(static_cast<int>(e.error), e.name, if97::Describe(e.error)));
  }
  m.attr("ERRORS") = py::tuple(errors);

  m.def("state", &State, py::arg("pair"), py::arg("a"), py::arg("b"), py::arg("properties"),
        py::arg("threads"),
        "Columns of state_<pair>(a, b) over the broadcast operands: a dict of arrays.");
  m.def("saturation", &Saturation, py::arg("by"), py::arg("a"), py::arg("properties"),
        py::arg("threads"), "Columns of saturation_<by>(a): water, steam and error.");
  m.def("cxx_loop_seconds", &CxxLoopSeconds, py::arg("pair"), py::arg("a"), py::arg("b"),
        "Processor seconds of a plain C++ loop over state_<pair>; for benchmarks.");
}
