// The command line of the if97 command.
#include "options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "quantities.h"

namespace if97cli {
namespace {

using Action = Options::Action;

std::optional<Options> Parse(std::vector<std::string_view> args, std::string* error = nullptr) {
  std::string message;
  std::optional<Options> options = ParseArguments(args, message);
  EXPECT_EQ(options.has_value(), message.empty()) << message;
  if (error) *error = message;
  return options;
}

TEST(ParseArguments, ActionsAndValues) {
  const struct {
    std::vector<std::string_view> args;
    Action action;
    std::string_view pair;
    std::string_view first, second;
  } cases[] = {
      {{"pt", "5", "300"}, Action::kOneState, "pt", "5", "300"},
      {{"tx", "-5", "0,5"}, Action::kOneState, "tx", "-5", "0,5"},  // "-5" is a value
      {{"ph", "--", "-1", "2"}, Action::kOneState, "ph", "-1", "2"},
      {{"sat-p", "1"}, Action::kOneState, "sat-p", "1", ""},
      {{"sat-t", ".5"}, Action::kOneState, "sat-t", ".5", ""},
      {{"ps"}, Action::kStandardInput, "ps", "", ""},
      {{"px", "-"}, Action::kStandardInput, "px", "", ""},
      {{"--help"}, Action::kHelp, "", "", ""},
      {{"pt", "5", "-h"}, Action::kHelp, "", "", ""},
      {{"--version", "nonsense"}, Action::kVersion, "", "", ""},
  };
  for (const auto& c : cases) {
    const std::optional<Options> options = Parse(c.args);
    ASSERT_TRUE(options.has_value()) << c.args[0];
    EXPECT_EQ(options->action, c.action) << c.args[0];
    if (c.pair.empty()) continue;
    EXPECT_EQ(options->pair->command, c.pair);
    EXPECT_EQ(options->values[0], c.first);
    EXPECT_EQ(options->values[1], c.second);
  }
}

TEST(ParseArguments, OptionsGoAnywhere) {
  const std::optional<Options> options = Parse({"--csv", "pt", "5", "--decimal-comma", "300"});
  ASSERT_TRUE(options.has_value());
  EXPECT_TRUE(options->csv);
  EXPECT_TRUE(options->decimal_comma);
  EXPECT_EQ(options->values[1], "300");
  EXPECT_FALSE(Parse({"pt", "5", "300"})->csv);
}

TEST(ParseArguments, UsageErrorsSayWhatIsWrong) {
  const std::string kNames =
      "p, t, h, s, v, u, cp, cv, w, rho, eta, nu, lambda, a, Pr, sigma, kappa, alpha_v, kappa_T, "
      "mu_JT, epsilon, region, phase, x or all";
  const std::string kUnits =
      "use MPa, kPa, bar or Pa for pressure, degC or K for temperature, kJ or J for energy";
  const struct {
    std::vector<std::string_view> args;
    std::string error;
  } cases[] = {
      {{}, "missing the pair of given quantities (pt, ph, ps, hs, px, tx, sat-p or sat-t)"},
      {{"--csv"}, "missing the pair of given quantities (pt, ph, ps, hs, px, tx, sat-p or sat-t)"},
      {{"tp", "5", "300"}, "unknown pair 'tp': use pt, ph, ps, hs, px, tx, sat-p or sat-t"},
      {{"pt", "5"}, "pt takes 2 values, not 1"},
      {{"pt", "5", "300", "1"}, "pt takes 2 values, not 3"},
      {{"sat-p", "1", "2"}, "sat-p takes 1 value, not 2"},
      {{"pt", "--comma"}, "unknown option '--comma'"},
      {{"--properties", "rho,foo", "pt"}, "unknown property 'foo' in --properties: use " + kNames},
      {{"--properties=rho,,t", "pt"}, "empty property name in --properties: use " + kNames},
      {{"--properties", "p t", "pt"}, "unknown property 'p t' in --properties: use " + kNames},
      {{"pt", "--properties"}, "option '--properties' needs a list"},
      {{"--properties-all", "pt"}, "unknown option '--properties-all'"},
      {{"--units", "psi", "pt"}, "unknown unit 'psi' in --units: " + kUnits},
      {{"--units", "mpa", "pt"}, "unknown unit 'mpa' in --units: " + kUnits},
      {{"--units=", "pt"}, "empty unit in --units: " + kUnits},
      {{"--units", "bar,K,Pa", "pt"}, "--units names two units of pressure: 'bar,K,Pa'"},
      {{"--units", "K,K", "pt"}, "--units names two units of temperature: 'K,K'"},
      {{"--units", "J,kJ", "pt"}, "--units names two units of energy: 'J,kJ'"},
      {{"pt", "1", "2", "--units"}, "option '--units' needs a list"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(Parse(c.args, &error).has_value());
    EXPECT_EQ(error, c.error);
  }
}

std::string Names(const std::vector<const Quantity*>& quantities) {
  std::string names;
  for (const Quantity* q : quantities) (names += names.empty() ? "" : ",") += q->name;
  return names;
}

TEST(ParseArguments, PropertiesInTheirOrderAndUnitsInAnyOrder) {
  const std::string all =
      "p,t,h,s,v,u,cp,cv,w,rho,eta,nu,lambda,a,Pr,sigma,kappa,alpha_v,kappa_T,mu_JT,epsilon,"
      "region,phase,x";
  const struct {
    std::vector<std::string_view> args;
    std::string names;
    bool units_given;
    PressureUnit pressure;
    TemperatureUnit temperature;
    EnergyUnit energy;
  } cases[] = {
      {{"pt", "5", "300"}, "", false, PressureUnit::kMPa, TemperatureUnit::kDegC, EnergyUnit::kKJ},
      {{"--properties", "rho,ETA,pr", "pt"},
       "rho,eta,Pr",
       false,
       PressureUnit::kMPa,
       TemperatureUnit::kDegC,
       EnergyUnit::kKJ},
      {{"--properties=x,T,p,x", "pt"},
       "x,t,p,x",
       false,
       PressureUnit::kMPa,
       TemperatureUnit::kDegC,
       EnergyUnit::kKJ},
      {{"pt", "--properties", "all"},
       all,
       false,
       PressureUnit::kMPa,
       TemperatureUnit::kDegC,
       EnergyUnit::kKJ},
      {{"--units", "K,bar,J", "pt"},
       "",
       true,
       PressureUnit::kBar,
       TemperatureUnit::kK,
       EnergyUnit::kJ},
      {{"--units=kPa", "pt"},
       "",
       true,
       PressureUnit::kKPa,
       TemperatureUnit::kDegC,
       EnergyUnit::kKJ},
      {{"--units", "J", "--units", "Pa,degC", "pt"},
       "",
       true,
       PressureUnit::kPa,
       TemperatureUnit::kDegC,
       EnergyUnit::kKJ},  // the last one counts
      {{"--units", "MPa,degC,kJ", "--properties", "h", "pt"},
       "h",
       true,
       PressureUnit::kMPa,
       TemperatureUnit::kDegC,
       EnergyUnit::kKJ},
  };
  for (const auto& c : cases) {
    const std::optional<Options> options = Parse(c.args);
    ASSERT_TRUE(options.has_value()) << c.args[1];
    const Selection& selection = options->selection;
    EXPECT_EQ(Names(selection.quantities), c.names) << c.args[1];
    EXPECT_EQ(selection.units_given, c.units_given) << c.args[1];
    EXPECT_EQ(selection.units.pressure, c.pressure) << c.args[1];
    EXPECT_EQ(selection.units.temperature, c.temperature) << c.args[1];
    EXPECT_EQ(selection.units.energy, c.energy) << c.args[1];
  }
}

// Every quantity in every choice of units: the unit named, and the value
// converted there and back.
TEST(ConversionOf, NamesTheUnitAndConvertsBothWays) {
  const struct {
    std::string_view units;
    std::string_view name;
    std::string_view unit;
    double library, user;
  } cases[] = {
      {"bar", "p", "bar", 5, 50},
      {"kPa", "p", "kPa", 0.101325, 101.325},
      {"Pa", "p", "Pa", 22.064, 22.064e6},
      {"K", "t", "K", 300, 573.15},
      {"K", "t", "K", -0.0, 273.15},
      {"J", "h", "J/kg", 2925.5, 2925500},
      {"J", "u", "J/kg", 1, 1000},
      {"J", "s", "J/(kg K)", 6.25, 6250},
      {"J", "cp", "J/(kg K)", 4.25, 4250},
      {"J", "cv", "J/(kg K)", 4.25, 4250},
      {"kPa", "kappa_T", "1/kPa", 0.5, 0.5e-3},
      {"bar", "mu_JT", "K/bar", 2.5, 0.25},
      {"bar,K,J", "alpha_v", "1/K", 2e-4, 2e-4},
      {"bar,K,J", "v", "m3/kg", 0.5, 0.5},
      {"bar,K,J", "eta", "Pa s", 1e-3, 1e-3},
      {"bar,K,J", "Pr", "", 1.5, 1.5},
      {"bar,K,J", "x", "", 0.5, 0.5},
      {"MPa,degC,kJ", "t", "degC", -0.0, -0.0},
  };
  for (const auto& c : cases) {
    std::string error;
    const std::optional<Units> units = ParseUnits(c.units, error);
    ASSERT_TRUE(units.has_value()) << error;
    const Conversion conversion = ConversionOf(QuantityNamed(c.name), *units);
    EXPECT_EQ(conversion.unit, c.unit) << c.name;
    EXPECT_DOUBLE_EQ(conversion.ToUser(c.library), c.user) << c.name << " " << c.units;
    EXPECT_DOUBLE_EQ(conversion.FromUser(c.user), c.library) << c.name << " " << c.units;
    EXPECT_EQ(std::signbit(conversion.ToUser(c.library)), std::signbit(c.user)) << c.name;
  }
  // Every quantity of the library's table can be chosen by its name.
  for (const if97::PropertyInfo& p : if97::kProperties) {
    EXPECT_EQ(QuantityNamed(p.name).member, p.member) << p.name;
  }
}

}  // namespace
}  // namespace if97cli
