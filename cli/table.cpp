#include "table.h"

#include <cmath>
#include <cstddef>

#include <if97/if97_state.h>
#include "numbers.h"

namespace if97cli {
namespace {

struct Quantity {
  std::string_view name;
  std::string_view unit;
  double if97::State::*member;
};

// The properties of a phase, in the order of the output.
constexpr Quantity kProperties[] = {
    {"h", "kJ/kg", &if97::State::h},       {"s", "kJ/(kg K)", &if97::State::s},
    {"v", "m3/kg", &if97::State::v},       {"u", "kJ/kg", &if97::State::u},
    {"cp", "kJ/(kg K)", &if97::State::cp}, {"cv", "kJ/(kg K)", &if97::State::cv},
    {"w", "m/s", &if97::State::w},
};

// p, t, the properties, region, phase, x; saturation: p, t and the
// properties and region of each phase.
constexpr int kStateColumns = 2 + std::size(kProperties) + 3;
constexpr int kSaturationColumns = 2 + 2 * (std::size(kProperties) + 1);

constexpr std::size_t kNameWidth = 8;
constexpr std::size_t kValueWidth = 24;

std::string_view PhaseName(if97::Phase phase) {
  switch (phase) {
    case if97::Phase::kLiquid:
      return "liquid";
    case if97::Phase::kSteam:
      return "steam";
    case if97::Phase::kSupercritical:
      return "supercritical";
    case if97::Phase::kSaturated:
      return "saturated";
  }
  return "";
}

bool IsSaturation(const InputPair& pair) {
  return pair.pair == Pair::kSatP || pair.pair == Pair::kSatT;
}

// One undefined property (NaN) is an empty field.
void AppendValue(std::string& out, double value, bool decimal_comma) {
  if (!std::isnan(value)) AppendNumber(out, value, decimal_comma);
}

void PadTo(std::string& out, std::size_t line_start, std::size_t width) {
  const std::size_t used = out.size() - line_start;
  out.append(used < width ? width - used : 1, ' ');
}

if97::StateResult StateOf(Pair pair, const std::array<double, 2>& v) {
  switch (pair) {
    case Pair::kPT:
      return if97::state_pt(v[0], v[1]);
    case Pair::kPH:
      return if97::state_ph(v[0], v[1]);
    case Pair::kPS:
      return if97::state_ps(v[0], v[1]);
    case Pair::kPX:
      return if97::state_px(v[0], v[1]);
    default:
      return if97::state_tx(v[0], v[1]);
  }
}

if97::SaturationResult SaturationOf(Pair pair, double value) {
  return pair == Pair::kSatP ? if97::saturation_p(value) : if97::saturation_t(value);
}

// "out of range: <the Russian message>" when the library has one.
template <typename Result>
std::string Reason(const Result& result) {
  std::string reason = result.description();
  if (!result.message.empty()) reason += ": " + result.message;
  return reason;
}

}  // namespace

Table::Table(const InputPair& pair, bool decimal_comma)
    : pair_(pair), decimal_comma_(decimal_comma), separator_(decimal_comma ? ';' : ',') {}

void Table::AppendHeader(std::string& out) const {
  out += "p";
  out += separator_;
  out += "t";
  if (IsSaturation(pair_)) {
    for (const std::string_view phase : {"_water", "_steam"}) {
      for (const Quantity& q : kProperties) {
        (out += separator_).append(q.name).append(phase);
      }
      (out += separator_).append("region").append(phase);
    }
    return;
  }
  for (const Quantity& q : kProperties) (out += separator_).append(q.name);
  (out += separator_).append("region");
  (out += separator_).append("phase");
  (out += separator_).append("x");
}

void Table::AppendEmptyRow(std::string& out) const {
  out.append((IsSaturation(pair_) ? kSaturationColumns : kStateColumns) - 1, separator_);
}

bool Table::AppendRow(std::string& out, const std::array<double, 2>& values,
                      std::string& error) const {
  if (IsSaturation(pair_)) {
    const if97::SaturationResult result = SaturationOf(pair_.pair, values[0]);
    if (!result) {
      error = Reason(result);
      return false;
    }
    AppendValue(out, result.water.p, decimal_comma_);
    out += separator_;
    AppendValue(out, result.water.t, decimal_comma_);
    for (const if97::State* phase : {&result.water, &result.steam}) {
      for (const Quantity& q : kProperties) {
        out += separator_;
        AppendValue(out, phase->*q.member, decimal_comma_);
      }
      out += separator_;
      AppendNumber(out, phase->region, false);
    }
    return true;
  }
  const if97::StateResult result = StateOf(pair_.pair, values);
  if (!result) {
    error = Reason(result);
    return false;
  }
  const if97::State& state = result.state;
  AppendValue(out, state.p, decimal_comma_);
  out += separator_;
  AppendValue(out, state.t, decimal_comma_);
  for (const Quantity& q : kProperties) {
    out += separator_;
    AppendValue(out, state.*q.member, decimal_comma_);
  }
  out += separator_;
  AppendNumber(out, state.region, false);
  (out += separator_).append(PhaseName(state.phase));
  out += separator_;
  AppendValue(out, state.x, decimal_comma_);
  return true;
}

bool Table::AppendLines(std::string& out, const std::array<double, 2>& values,
                        std::string& error) const {
  const auto line = [&](std::string_view name, auto&& columns, std::string_view unit) {
    const std::size_t start = out.size();
    out.append(name);
    PadTo(out, start, kNameWidth);
    columns(start);
    if (!unit.empty()) out.append(unit);
    while (out.back() == ' ') out.pop_back();
    out += '\n';
  };
  const auto value = [&](double number) {
    return [&, number](std::size_t start) {
      AppendNumber(out, number, decimal_comma_);
      PadTo(out, start, kNameWidth + kValueWidth);
    };
  };

  if (IsSaturation(pair_)) {
    const if97::SaturationResult result = SaturationOf(pair_.pair, values[0]);
    if (!result) {
      error = Reason(result);
      return false;
    }
    // Two columns: saturated water, saturated steam.
    const auto both = [&](auto&& of) {
      return [&](std::size_t start) {
        of(result.water, "water");
        PadTo(out, start, kNameWidth + kValueWidth);
        of(result.steam, "steam");
        PadTo(out, start, kNameWidth + 2 * kValueWidth);
      };
    };
    line("p", value(result.water.p), "MPa");
    line("t", value(result.water.t), "degC");
    line("", both([&](const if97::State&, std::string_view phase) { out += phase; }), "");
    for (const Quantity& q : kProperties) {
      line(q.name, both([&](const if97::State& s, std::string_view) {
             AppendNumber(out, s.*q.member, decimal_comma_);
           }),
           q.unit);
    }
    line("region",
         both([&](const if97::State& s, std::string_view) { AppendNumber(out, s.region, false); }),
         "");
    return true;
  }

  const if97::StateResult result = StateOf(pair_.pair, values);
  if (!result) {
    error = Reason(result);
    return false;
  }
  const if97::State& state = result.state;
  line("p", value(state.p), "MPa");
  line("t", value(state.t), "degC");
  for (const Quantity& q : kProperties) {
    // cp, cv and w do not exist for wet steam.
    if (!std::isnan(state.*q.member)) line(q.name, value(state.*q.member), q.unit);
  }
  line("region", value(state.region), "");
  line(
      "phase", [&](std::size_t) { out.append(PhaseName(state.phase)); }, "");
  if (!std::isnan(state.x)) line("x", value(state.x), "");
  return true;
}

}  // namespace if97cli
