// The quantities the if97 command can print (--properties) and the units it
// reads and writes them in (--units).
#ifndef STEAMCALC_CLI_QUANTITIES_H
#define STEAMCALC_CLI_QUANTITIES_H

#include <if97/if97_state.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace if97cli {

// What a quantity's unit depends on: a unit the user picks with --units, or
// nothing.
enum class Dimension {
  kNone,                 // dimensionless, or a unit --units leaves alone (m3/kg, Pa s, 1/K)
  kPressure,             // MPa
  kTemperature,          // degC
  kEnergy,               // kJ/kg
  kEntropy,              // kJ/(kg K)
  kPerPressure,          // 1/MPa
  kTemperaturePressure,  // K/MPa
};

struct Quantity {
  std::string_view name;
  double if97::State::*member;  // nullptr for region and phase
  std::string_view unit;        // in the library's units
  Dimension dimension;
};

// Every quantity in the order of --properties all: the numeric properties of
// if97::kProperties, with region and phase ahead of x.
std::span<const Quantity> AllQuantities();
const Quantity& QuantityNamed(std::string_view name);  // one of AllQuantities()

// The names of AllQuantities() as a list for a message: "p, t, ..., x".
std::string QuantityNames();

// A comma-separated list of names (any case) or "all"; on an unknown or
// empty name returns nothing and sets `error`.
std::optional<std::vector<const Quantity*>> ParseQuantities(std::string_view list,
                                                            std::string& error);

enum class PressureUnit { kMPa, kKPa, kBar, kPa };
enum class TemperatureUnit { kDegC, kK };
enum class EnergyUnit { kKJ, kJ };

struct Units {
  PressureUnit pressure = PressureUnit::kMPa;
  TemperatureUnit temperature = TemperatureUnit::kDegC;
  EnergyUnit energy = EnergyUnit::kKJ;
};

// A comma-separated list of units in any order, at most one of each kind:
// "bar,K", "J", "kPa,J,degC". Kinds not named keep the library's unit.
std::optional<Units> ParseUnits(std::string_view list, std::string& error);

// A quantity in the units the user picked: value = library value * multiply
// / divide + offset. The identity is flagged so that the library's values pass
// through untouched (-0 stays -0).
struct Conversion {
  double multiply = 1;
  double divide = 1;
  double offset = 0;
  bool identity = true;
  std::string unit;

  double ToUser(double value) const {
    return identity ? value : value * multiply / divide + offset;
  }
  double FromUser(double value) const {
    return identity ? value : (value - offset) * divide / multiply;
  }
};

Conversion ConversionOf(const Quantity& quantity, const Units& units);

// The quantities the user chose and their units; empty quantities: the
// default columns.
struct Selection {
  std::vector<const Quantity*> quantities;
  Units units;
  bool units_given = false;
};

}  // namespace if97cli

#endif  // STEAMCALC_CLI_QUANTITIES_H
