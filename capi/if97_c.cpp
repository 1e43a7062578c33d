// The C interface (if97_c.h) over the state API (if97_state.h).
#include <if97/if97_c.h>
#include <if97/if97_state.h>
#include <if97/if97_version.h>

#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <string_view>

#include "floating_point_modes.h"

namespace {

using if97::State;
using if97::StateError;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The code of the calling thread's last state call.
thread_local int last_error = IF97_OK;

int Record(int code) noexcept {
  last_error = code;
  return code;
}

static_assert(IF97_OUT_OF_RANGE == static_cast<int>(StateError::kOutOfRange));
static_assert(IF97_NO_SATURATION == static_cast<int>(StateError::kNoSaturation));
static_assert(IF97_ON_SATURATION_LINE == static_cast<int>(StateError::kOnSaturationLine));
static_assert(IF97_NO_CONVERGENCE == static_cast<int>(StateError::kNoConvergence));

int CodeOf(StateError error) noexcept {
  switch (error) {
    case StateError::kNone:
      return IF97_OK;
    case StateError::kOutOfRange:
    case StateError::kNoSaturation:
    case StateError::kOnSaturationLine:
    case StateError::kNoConvergence:
      return static_cast<int>(error);
  }
  return IF97_INTERNAL_ERROR;
}

int PhaseOf(if97::Phase phase) noexcept {
  switch (phase) {
    case if97::Phase::kLiquid:
      return IF97_PHASE_LIQUID;
    case if97::Phase::kSteam:
      return IF97_PHASE_STEAM;
    case if97::Phase::kSupercritical:
      return IF97_PHASE_SUPERCRITICAL;
    case if97::Phase::kSaturated:
      return IF97_PHASE_SATURATED;
  }
  return IF97_PHASE_NONE;
}

// The members of if97_state, each filled from the State member that
// if97::kProperties lists under the same name. The struct is the library's
// binary interface and keeps its layout; a property added to kProperties
// later reaches C callers through if97_value.
struct CMember {
  std::string_view name;
  double if97_state::*member;
};
constexpr CMember kCMembers[] = {
    {"p", &if97_state::p},
    {"t", &if97_state::t},
    {"h", &if97_state::h},
    {"s", &if97_state::s},
    {"v", &if97_state::v},
    {"u", &if97_state::u},
    {"cp", &if97_state::cp},
    {"cv", &if97_state::cv},
    {"w", &if97_state::w},
    {"rho", &if97_state::rho},
    {"eta", &if97_state::eta},
    {"nu", &if97_state::nu},
    {"lambda", &if97_state::lambda},
    {"a", &if97_state::a},
    {"Pr", &if97_state::Pr},
    {"sigma", &if97_state::sigma},
    {"kappa", &if97_state::kappa},
    {"alpha_v", &if97_state::alpha_v},
    {"kappa_T", &if97_state::kappa_T},
    {"mu_JT", &if97_state::mu_JT},
    {"epsilon", &if97_state::epsilon},
    {"x", &if97_state::x},
};
static_assert(sizeof(if97_state) == std::size(kCMembers) * sizeof(double) + 2 * sizeof(int),
              "every double member of if97_state is in kCMembers");

constexpr std::size_t kNoProperty = std::size(if97::kProperties);

constexpr std::size_t PropertyIndex(std::string_view name) {
  for (std::size_t i = 0; i < std::size(if97::kProperties); ++i) {
    if (name == if97::kProperties[i].name) return i;
  }
  return kNoProperty;
}

struct Copy {
  double if97_state::*to;
  double State::*from;
};
constexpr auto kCopies = [] {
  std::array<Copy, std::size(kCMembers)> copies{};
  for (std::size_t i = 0; i < copies.size(); ++i) {
    const std::size_t from = PropertyIndex(kCMembers[i].name);
    // A member of if97_state that the state API no longer lists stops the build.
    if (from == kNoProperty) throw "if97_state member not in if97::kProperties";
    copies[i] = {kCMembers[i].member, if97::kProperties[from].member};
  }
  return copies;
}();

void Fill(const State& state, if97_state& out) noexcept {
  for (const Copy& copy : kCopies) out.*copy.to = state.*copy.from;
  out.region = state.region;
  out.phase = PhaseOf(state.phase);
}

void Clear(if97_state* out) noexcept {
  if (out == nullptr) return;
  for (const CMember& m : kCMembers) out->*m.member = kNaN;
  out->region = 0;
  out->phase = IF97_PHASE_NONE;
}

bool Finite(double a, double b) noexcept { return std::isfinite(a) && std::isfinite(b); }

// One state call: argument checks, the library's floating-point modes, no
// exception across the C boundary.
template <typename Call>
int StateCall(double a, double b, if97_state* out, Call call) noexcept {
  if (out == nullptr) return Record(IF97_NULL_POINTER);
  if (!Finite(a, b)) {
    Clear(out);
    return Record(IF97_NOT_FINITE);
  }
  const if97c::FloatingPointModes modes;
  try {
    const if97::StateResult result = call(a, b, if97::Extent::kAll);
    if (!result) {
      Clear(out);
      return Record(CodeOf(result.error));
    }
    Fill(result.state, *out);
    return Record(IF97_OK);
  } catch (...) {
    Clear(out);
    return Record(IF97_INTERNAL_ERROR);
  }
}

template <typename Call>
int SaturationCall(double a, if97_state* water, if97_state* steam, Call call) noexcept {
  if (water == nullptr && steam == nullptr) return Record(IF97_NULL_POINTER);
  const auto refuse = [&](int code) {
    Clear(water);
    Clear(steam);
    return Record(code);
  };
  if (!std::isfinite(a)) return refuse(IF97_NOT_FINITE);
  const if97c::FloatingPointModes modes;
  try {
    const if97::SaturationResult result = call(a, if97::Extent::kAll);
    if (!result) return refuse(CodeOf(result.error));
    if (water != nullptr) Fill(result.water, *water);
    if (steam != nullptr) Fill(result.steam, *steam);
    return Record(IF97_OK);
  } catch (...) {
    return refuse(IF97_INTERNAL_ERROR);
  }
}

// ---- if97_value --------------------------------------------------------------

enum class PairKind { kState, kSaturation };
struct PairName {
  std::string_view name;
  PairKind kind;
  if97::StateResult (*state)(double, double, if97::Extent);
  if97::SaturationResult (*saturation)(double, if97::Extent);
};
constexpr PairName kPairs[] = {
    {"pt", PairKind::kState, if97::state_pt, nullptr},
    {"ph", PairKind::kState, if97::state_ph, nullptr},
    {"ps", PairKind::kState, if97::state_ps, nullptr},
    {"hs", PairKind::kState, if97::state_hs, nullptr},
    {"px", PairKind::kState, if97::state_px, nullptr},
    {"tx", PairKind::kState, if97::state_tx, nullptr},
    {"sat-p", PairKind::kSaturation, nullptr, if97::saturation_p},
    {"sat-t", PairKind::kSaturation, nullptr, if97::saturation_t},
};

// True when the C string equals the name. Reads no further than the name's
// length plus one, so a long argument costs no more than a short one.
bool Names(const char* text, std::string_view name) noexcept {
  for (const char c : name) {
    if (*text++ != c) return false;
  }
  return *text == '\0';
}

const PairName* FindPair(const char* text) noexcept {
  for (const PairName& pair : kPairs) {
    if (Names(text, pair.name)) return &pair;
  }
  return nullptr;
}

// A property of if97_value: an entry of kProperties, or region or phase.
struct Property {
  enum class Kind { kNumber, kRegion, kPhase, kUnknown } kind = Kind::kUnknown;
  double State::*member = nullptr;
  if97::Extent extent = if97::Extent::kThermodynamic;  // what the call must form
};

// A call for one property forms only what that property needs.
if97::Extent ExtentOf(const Property& property) { return property.extent; }

Property FindProperty(const char* text) noexcept {
  for (const if97::PropertyInfo& info : if97::kProperties) {
    if (Names(text, info.name)) return {Property::Kind::kNumber, info.member, info.extent};
  }
  if (Names(text, "region")) return {Property::Kind::kRegion};
  if (Names(text, "phase")) return {Property::Kind::kPhase};
  return {};
}

double ValueOf(const State& state, const Property& property) noexcept {
  switch (property.kind) {
    case Property::Kind::kNumber:
      return state.*property.member;
    case Property::Kind::kRegion:
      return state.region;
    case Property::Kind::kPhase:
      return PhaseOf(state.phase);
    case Property::Kind::kUnknown:
      break;
  }
  return kNaN;
}

double Refuse(int code) noexcept {
  Record(code);
  return kNaN;
}

}  // namespace

extern "C" {

int if97_pt(double p, double t, if97_state* out) { return StateCall(p, t, out, if97::state_pt); }
int if97_ph(double p, double h, if97_state* out) { return StateCall(p, h, out, if97::state_ph); }
int if97_ps(double p, double s, if97_state* out) { return StateCall(p, s, out, if97::state_ps); }
int if97_hs(double h, double s, if97_state* out) { return StateCall(h, s, out, if97::state_hs); }
int if97_px(double p, double x, if97_state* out) { return StateCall(p, x, out, if97::state_px); }
int if97_tx(double t, double x, if97_state* out) { return StateCall(t, x, out, if97::state_tx); }

int if97_sat_p(double p, if97_state* water, if97_state* steam) {
  return SaturationCall(p, water, steam, if97::saturation_p);
}
int if97_sat_t(double t, if97_state* water, if97_state* steam) {
  return SaturationCall(t, water, steam, if97::saturation_t);
}

double if97_value(const char* pair_name, double a, double b, const char* property_name) {
  if (pair_name == nullptr || property_name == nullptr) return Refuse(IF97_NULL_POINTER);
  const PairName* pair = FindPair(pair_name);
  if (pair == nullptr) return Refuse(IF97_UNKNOWN_PAIR);
  const Property property = FindProperty(property_name);
  if (property.kind == Property::Kind::kUnknown) return Refuse(IF97_UNKNOWN_PROPERTY);
  if (!Finite(a, b)) return Refuse(IF97_NOT_FINITE);
  // On the saturation line b is the dryness fraction of the phase wanted.
  if (pair->kind == PairKind::kSaturation && b != 0 && b != 1) return Refuse(IF97_OUT_OF_RANGE);

  const if97c::FloatingPointModes modes;
  try {
    double value = kNaN;
    if (pair->kind == PairKind::kState) {
      const if97::StateResult result = pair->state(a, b, ExtentOf(property));
      if (!result) return Refuse(CodeOf(result.error));
      value = ValueOf(result.state, property);
    } else {
      const if97::SaturationResult result = pair->saturation(a, ExtentOf(property));
      if (!result) return Refuse(CodeOf(result.error));
      value = ValueOf(b == 0 ? result.water : result.steam, property);
    }
    if (std::isnan(value)) return Refuse(IF97_NOT_DEFINED);
    Record(IF97_OK);
    return value;
  } catch (...) {
    return Refuse(IF97_INTERNAL_ERROR);
  }
}

int if97_last_error(void) { return last_error; }

const char* if97_describe(int code) {
  switch (code) {
    case IF97_OK:
    case IF97_OUT_OF_RANGE:
    case IF97_NO_SATURATION:
    case IF97_ON_SATURATION_LINE:
    case IF97_NO_CONVERGENCE:
      return if97::Describe(static_cast<StateError>(code));
    case IF97_NULL_POINTER:
      return "null pointer argument";
    case IF97_NOT_FINITE:
      return "argument is NaN or infinite";
    case IF97_UNKNOWN_PAIR:
      return "unknown pair name";
    case IF97_UNKNOWN_PROPERTY:
      return "unknown property name";
    case IF97_NOT_DEFINED:
      return "property not defined for this state";
    case IF97_INTERNAL_ERROR:
      return "internal error";
    default:
      return "unknown error code";
  }
}

const char* if97_property_name(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= std::size(if97::kProperties)) return nullptr;
  return if97::kProperties[index].name;
}

const char* if97_property_unit(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= std::size(if97::kProperties)) return nullptr;
  return if97::kProperties[index].unit;
}

#define IF97C_STRING(x) #x
#define IF97C_VERSION_TEXT(major, minor, patch) \
  IF97C_STRING(major) "." IF97C_STRING(minor) "." IF97C_STRING(patch)

int if97_version(void) { return IF97_VERSION; }

const char* if97_version_string(void) {
  return IF97C_VERSION_TEXT(IF97_VERSION_MAJOR, IF97_VERSION_MINOR, IF97_VERSION_PATCH);
}

}  // extern "C"
