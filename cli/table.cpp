#include "table.h"

#include <if97/if97_state.h>

#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "numbers.h"

namespace if97cli {
namespace {

// The columns without --properties.
constexpr std::string_view kStateColumns[] = {"p",  "t",  "h", "s",      "v",     "u",
                                              "cp", "cv", "w", "region", "phase", "x"};
constexpr std::string_view kSaturationColumns[] = {"p", "t",  "h",  "s", "v",
                                                   "u", "cp", "cv", "w", "region"};

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

if97::StateResult StateOf(Pair pair, const std::array<double, 2>& v, if97::Extent e) {
  switch (pair) {
    case Pair::kPT:
      return if97::state_pt(v[0], v[1], e);
    case Pair::kPH:
      return if97::state_ph(v[0], v[1], e);
    case Pair::kPS:
      return if97::state_ps(v[0], v[1], e);
    case Pair::kHS:
      return if97::state_hs(v[0], v[1], e);
    case Pair::kPX:
      return if97::state_px(v[0], v[1], e);
    default:
      return if97::state_tx(v[0], v[1], e);
  }
}

if97::SaturationResult SaturationOf(Pair pair, double value, if97::Extent e) {
  return pair == Pair::kSatP ? if97::saturation_p(value, e) : if97::saturation_t(value, e);
}

// "out of range: <the Russian message>" when the library has one.
template <typename Result>
std::string Reason(const Result& result) {
  std::string reason = result.description();
  if (!result.message.empty()) reason += ": " + result.message;
  return reason;
}

}  // namespace

Table::Table(const InputPair& pair, bool decimal_comma, const Selection& selection)
    : pair_(pair),
      decimal_comma_(decimal_comma),
      separator_(decimal_comma ? ';' : ','),
      labelled_(selection.units_given || !selection.quantities.empty()),
      chosen_(!selection.quantities.empty()) {
  std::vector<const Quantity*> quantities = selection.quantities;
  if (quantities.empty()) {
    const auto defaults = [&](const auto& names) {
      for (const std::string_view name : names) quantities.push_back(&QuantityNamed(name));
    };
    if (IsSaturation(pair)) {
      defaults(kSaturationColumns);
    } else {
      defaults(kStateColumns);
    }
  }
  for (const Quantity* q : quantities) {
    const Kind kind = q->member != nullptr  ? Kind::kNumber
                      : q->name == "region" ? Kind::kRegion
                                            : Kind::kPhase;
    const bool shared = !IsSaturation(pair) || q->name == "p" || q->name == "t";
    (shared ? shared_ : phased_).push_back({q->member, kind, ConversionOf(*q, selection.units), q});
    // The transport properties only when a column asks for one of them.
    for (const if97::PropertyInfo& info : if97::kProperties) {
      if (info.member == q->member && info.extent == if97::Extent::kAll) {
        extent_ = if97::Extent::kAll;
      }
    }
  }
  for (int i = 0; i < pair.count; ++i) {
    inputs_[i] = ConversionOf(QuantityNamed(pair.names[i]), selection.units);
  }
}

// Numbers inline, the words of region and phase apart: the rows' inner loop.
inline void Table::AppendField(std::string& out, const Column& column,
                               const if97::State& state) const {
  if (column.kind == Kind::kNumber) {
    AppendValue(out, ValueOf(column, state), decimal_comma_);
  } else {
    AppendWord(out, column, state);
  }
}

void Table::AppendWord(std::string& out, const Column& column, const if97::State& state) const {
  if (column.kind == Kind::kRegion) {
    AppendNumber(out, state.region, false);
  } else {
    out.append(PhaseName(state.phase));
  }
}

void Table::AppendHeaderField(std::string& out, const Column& column,
                              std::string_view suffix) const {
  out.append(column.quantity->name).append(suffix);
  if (labelled_ && !column.conversion.unit.empty()) {
    out.append(" [").append(column.conversion.unit).append("]");
  }
}

std::array<double, 2> Table::Given(const std::array<double, 2>& values) const {
  return {inputs_[0].FromUser(values[0]), inputs_[1].FromUser(values[1])};
}

void Table::AppendHeader(std::string& out) const {
  bool first = true;
  const auto field = [&](const Column& column, std::string_view suffix) {
    if (!first) out += separator_;
    first = false;
    AppendHeaderField(out, column, suffix);
  };
  for (const Column& column : shared_) field(column, "");
  if (!IsSaturation(pair_)) return;
  for (const std::string_view phase : {"_water", "_steam"}) {
    for (const Column& column : phased_) field(column, phase);
  }
}

void Table::AppendEmptyRow(std::string& out) const {
  out.append(shared_.size() + 2 * phased_.size() - 1, separator_);
}

bool Table::AppendRow(std::string& out, const std::array<double, 2>& values,
                      std::string& error) const {
  const std::array<double, 2> given = Given(values);
  if (IsSaturation(pair_)) {
    const if97::SaturationResult result = SaturationOf(pair_.pair, given[0], extent_);
    if (!result) {
      error = Reason(result);
      return false;
    }
    bool first = true;
    for (const Column& column : shared_) {
      if (!first) out += separator_;
      first = false;
      AppendField(out, column, result.water);
    }
    for (const if97::State* phase : {&result.water, &result.steam}) {
      for (const Column& column : phased_) {
        if (!first) out += separator_;
        first = false;
        AppendField(out, column, *phase);
      }
    }
    return true;
  }
  const if97::StateResult result = StateOf(pair_.pair, given, extent_);
  if (!result) {
    error = Reason(result);
    return false;
  }
  const if97::State& state = result.state;
  for (const Column& column : shared_) {
    if (&column != shared_.data()) out += separator_;
    if (column.kind != Kind::kNumber) {
      AppendWord(out, column, state);
    } else if (const double value = state.*column.member; !std::isnan(value)) {
      AppendNumber(out, column.conversion.ToUser(value), decimal_comma_);
    }
  }
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
  // A value, or "-" for one the state lacks.
  const auto append = [&](const Column& column, const if97::State& state) {
    if (column.kind == Kind::kNumber && std::isnan(ValueOf(column, state))) {
      out += '-';
    } else if (column.kind == Kind::kRegion) {
      AppendNumber(out, state.region, decimal_comma_);
    } else {
      AppendField(out, column, state);
    }
  };
  // One column per state given.
  const auto columns = [&](const Column& column, std::initializer_list<const if97::State*> states) {
    return [&, of = &column, states](std::size_t start) {
      std::size_t width = kNameWidth;
      for (const if97::State* state : states) {
        append(*of, *state);
        PadTo(out, start, width += kValueWidth);
      }
    };
  };
  const auto lines = [&](const std::vector<Column>& of,
                         std::initializer_list<const if97::State*> states) {
    for (const Column& column : of) {
      // Without --properties a single state leaves out what it lacks
      // (cp, cv and w of wet steam, x off the saturation line).
      if (!chosen_ && states.size() == 1 && column.kind == Kind::kNumber &&
          std::isnan(ValueOf(column, **states.begin()))) {
        continue;
      }
      line(column.quantity->name, columns(column, states), column.conversion.unit);
    }
  };

  const std::array<double, 2> given = Given(values);
  if (IsSaturation(pair_)) {
    const if97::SaturationResult result = SaturationOf(pair_.pair, given[0], extent_);
    if (!result) {
      error = Reason(result);
      return false;
    }
    lines(shared_, {&result.water});
    if (phased_.empty()) return true;
    // Two columns: saturated water, saturated steam.
    line(
        "",
        [&](std::size_t start) {
          out += "water";
          PadTo(out, start, kNameWidth + kValueWidth);
          out += "steam";
          PadTo(out, start, kNameWidth + 2 * kValueWidth);
        },
        "");
    lines(phased_, {&result.water, &result.steam});
    return true;
  }

  const if97::StateResult result = StateOf(pair_.pair, given, extent_);
  if (!result) {
    error = Reason(result);
    return false;
  }
  lines(shared_, {&result.state});
  return true;
}

}  // namespace if97cli
