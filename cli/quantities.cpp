#include "quantities.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "numbers.h"

namespace if97cli {
namespace {

constexpr Dimension DimensionOf(std::string_view unit) {
  if (unit == "MPa") return Dimension::kPressure;
  if (unit == "degC") return Dimension::kTemperature;
  if (unit == "kJ/kg") return Dimension::kEnergy;
  if (unit == "kJ/(kg K)") return Dimension::kEntropy;
  if (unit == "1/MPa") return Dimension::kPerPressure;
  if (unit == "K/MPa") return Dimension::kTemperaturePressure;
  return Dimension::kNone;
}

constexpr std::size_t kQuantityCount = std::size(if97::kProperties) + 2;

// if97::kProperties with region and phase inserted ahead of x (or appended).
constexpr std::array<Quantity, kQuantityCount> BuildQuantities() {
  constexpr Quantity kRegion{"region", nullptr, "", Dimension::kNone};
  constexpr Quantity kPhase{"phase", nullptr, "", Dimension::kNone};
  std::array<Quantity, kQuantityCount> all{};
  std::size_t n = 0;
  for (const if97::PropertyInfo& p : if97::kProperties) {
    if (std::string_view(p.name) == "x") {
      all[n++] = kRegion;
      all[n++] = kPhase;
    }
    all[n++] = {p.name, p.member, p.unit, DimensionOf(p.unit)};
  }
  if (n < kQuantityCount) {
    all[n++] = kRegion;
    all[n++] = kPhase;
  }
  return all;
}

constexpr std::array<Quantity, kQuantityCount> kQuantities = BuildQuantities();

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

// Calls take(token) for every comma-separated token of the list; stops at
// the first that take refuses.
template <typename Take>
bool ForEachToken(std::string_view list, Take take) {
  while (true) {
    const std::size_t comma = list.find(',');
    if (!take(list.substr(0, comma))) return false;
    if (comma == std::string_view::npos) return true;
    list.remove_prefix(comma + 1);
  }
}

struct UnitName {
  std::string_view name;
  Dimension kind;  // kPressure, kTemperature or kEnergy
  int unit;        // the enum value of its kind
};
constexpr UnitName kUnitNames[] = {
    {"MPa", Dimension::kPressure, static_cast<int>(PressureUnit::kMPa)},
    {"kPa", Dimension::kPressure, static_cast<int>(PressureUnit::kKPa)},
    {"bar", Dimension::kPressure, static_cast<int>(PressureUnit::kBar)},
    {"Pa", Dimension::kPressure, static_cast<int>(PressureUnit::kPa)},
    {"degC", Dimension::kTemperature, static_cast<int>(TemperatureUnit::kDegC)},
    {"K", Dimension::kTemperature, static_cast<int>(TemperatureUnit::kK)},
    {"kJ", Dimension::kEnergy, static_cast<int>(EnergyUnit::kKJ)},
    {"J", Dimension::kEnergy, static_cast<int>(EnergyUnit::kJ)},
};

constexpr std::string_view kKnownUnits =
    "use MPa, kPa, bar or Pa for pressure, degC or K for temperature, kJ or J for energy";

// One MPa in the pressure unit.
double PerMegapascal(PressureUnit unit) {
  switch (unit) {
    case PressureUnit::kKPa:
      return 1e3;
    case PressureUnit::kBar:
      return 10;
    case PressureUnit::kPa:
      return 1e6;
    case PressureUnit::kMPa:
      break;
  }
  return 1;
}

std::string_view PressureName(PressureUnit unit) {
  switch (unit) {
    case PressureUnit::kKPa:
      return "kPa";
    case PressureUnit::kBar:
      return "bar";
    case PressureUnit::kPa:
      return "Pa";
    case PressureUnit::kMPa:
      break;
  }
  return "MPa";
}

constexpr double kCelsiusZero = 273.15;  // K

}  // namespace

std::span<const Quantity> AllQuantities() { return kQuantities; }

const Quantity& QuantityNamed(std::string_view name) {
  return *std::find_if(kQuantities.begin(), kQuantities.end(),
                       [&](const Quantity& q) { return q.name == name; });
}

std::string QuantityNames() {
  std::string names;
  for (std::size_t i = 0; i < kQuantities.size(); ++i) {
    if (i > 0) names += ", ";
    names += kQuantities[i].name;
  }
  return names;
}

std::optional<std::vector<const Quantity*>> ParseQuantities(std::string_view list,
                                                            std::string& error) {
  std::vector<const Quantity*> chosen;
  const bool read = ForEachToken(list, [&](std::string_view token) {
    if (EqualsIgnoringCase(token, "all")) {
      for (const Quantity& q : kQuantities) chosen.push_back(&q);
      return true;
    }
    const auto* found =
        std::find_if(kQuantities.begin(), kQuantities.end(),
                     [&](const Quantity& q) { return EqualsIgnoringCase(token, q.name); });
    if (found == kQuantities.end()) {
      error = (token.empty() ? std::string("empty property name")
                             : "unknown property " + Quoted(token)) +
              " in --properties: use " + QuantityNames() + " or all";
      return false;
    }
    chosen.push_back(found);
    return true;
  });
  if (!read) return std::nullopt;
  return chosen;
}

std::optional<Units> ParseUnits(std::string_view list, std::string& error) {
  Units units;
  bool pressure = false, temperature = false, energy = false;
  const bool read = ForEachToken(list, [&](std::string_view token) {
    const auto* found = std::find_if(std::begin(kUnitNames), std::end(kUnitNames),
                                     [&](const UnitName& u) { return u.name == token; });
    if (found == std::end(kUnitNames)) {
      error = (token.empty() ? std::string("empty unit") : "unknown unit " + Quoted(token)) +
              " in --units: " + std::string(kKnownUnits);
      return false;
    }
    bool* given = found->kind == Dimension::kPressure      ? &pressure
                  : found->kind == Dimension::kTemperature ? &temperature
                                                           : &energy;
    if (*given) {
      error = "--units names two units of " +
              std::string(found->kind == Dimension::kPressure      ? "pressure"
                          : found->kind == Dimension::kTemperature ? "temperature"
                                                                   : "energy") +
              ": " + Quoted(list);
      return false;
    }
    *given = true;
    switch (found->kind) {
      case Dimension::kPressure:
        units.pressure = static_cast<PressureUnit>(found->unit);
        break;
      case Dimension::kTemperature:
        units.temperature = static_cast<TemperatureUnit>(found->unit);
        break;
      default:
        units.energy = static_cast<EnergyUnit>(found->unit);
        break;
    }
    return true;
  });
  if (!read) return std::nullopt;
  return units;
}

Conversion ConversionOf(const Quantity& quantity, const Units& units) {
  Conversion c;
  const double per_megapascal = PerMegapascal(units.pressure);
  const std::string_view pressure = PressureName(units.pressure);
  const bool joule = units.energy == EnergyUnit::kJ;
  std::string_view unit = quantity.unit;
  std::string_view per_pressure;  // "1/" or "K/" ahead of the pressure unit
  switch (quantity.dimension) {
    case Dimension::kNone:
      break;
    case Dimension::kPressure:
      c.multiply = per_megapascal;
      unit = pressure;
      break;
    case Dimension::kPerPressure:
      c.divide = per_megapascal;
      per_pressure = "1/";
      break;
    case Dimension::kTemperaturePressure:
      c.divide = per_megapascal;
      per_pressure = "K/";
      break;
    case Dimension::kTemperature:
      if (units.temperature == TemperatureUnit::kK) {
        c.offset = kCelsiusZero;
        unit = "K";
      }
      break;
    case Dimension::kEnergy:
      if (joule) {
        c.multiply = 1e3;
        unit = "J/kg";
      }
      break;
    case Dimension::kEntropy:
      if (joule) {
        c.multiply = 1e3;
        unit = "J/(kg K)";
      }
      break;
  }
  c.unit.reserve(per_pressure.size() + unit.size());
  if (per_pressure.empty()) {
    c.unit.append(unit);
  } else {
    c.unit.append(per_pressure).append(pressure);
  }
  c.identity = c.multiply == 1 && c.divide == 1 && c.offset == 0;
  return c;
}

}  // namespace if97cli
