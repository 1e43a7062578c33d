#include "options.h"

#include <cstddef>
#include <iterator>
#include <utility>

#include "numbers.h"

namespace if97cli {
namespace {

constexpr std::string_view kUsage =
    R"(Usage: if97 [OPTION]... PAIR [VALUE]...
Properties of water and steam after IAPWS-IF97.

PAIR names the given quantities, VALUE gives them in this order:
  pt     p t   pressure and temperature
  ph     p h   pressure and specific enthalpy
  ps     p s   pressure and specific entropy
  hs     h s   specific enthalpy and specific entropy
  px     p x   pressure and dryness fraction (wet steam)
  tx     t x   temperature and dryness fraction (wet steam)
  sat-p  p     saturated water and saturated steam at a pressure
  sat-t  t     saturated water and saturated steam at a temperature

With the values on the command line, prints the state, one quantity per line
with its unit. With no values, or "-", reads one state per line from standard
input and writes a CSV header and one CSV row per input line, in order; an
input line that gives no state gets an empty row and an error message with its
line number on standard error. Input values are separated by ";", a tab, ","
or blanks; an optional first line names them (such as "p,t" or "t;p").
Numbers are read with "." or "," as the decimal mark.

Quantities (names for --properties), units and the states that have them:
  p        MPa        pressure                          all states
  t        degC       temperature                       all states
  h        kJ/kg      specific enthalpy                 all states
  s        kJ/(kg K)  specific entropy                  all states
  v        m3/kg      specific volume                   all states
  u        kJ/kg      specific internal energy          all states
  cp       kJ/(kg K)  specific isobaric heat capacity   single phase
  cv       kJ/(kg K)  specific isochoric heat capacity  single phase
  w        m/s        speed of sound                    single phase
  rho      kg/m3      density                           all states
  eta      Pa s       dynamic viscosity                 single phase
  nu       m2/s       kinematic viscosity               single phase
  lambda   W/(m K)    thermal conductivity              single phase
  a        m2/s       thermal diffusivity               single phase
  Pr                  Prandtl number                    single phase
  sigma    N/m        surface tension                   saturation states only
  kappa               isentropic exponent               single phase
  alpha_v  1/K        cubic expansion coefficient       single phase
  kappa_T  1/MPa      isothermal compressibility        single phase
  mu_JT    K/MPa      Joule-Thomson coefficient         single phase
  epsilon             static dielectric constant        single phase
  region              1, 2, 3 or 5; 4 for wet steam     all states
  phase               liquid, steam, supercritical or saturated
  x                   dryness fraction, 0 to 1          saturation states only
"Single phase" is every state but wet steam (saturated water and saturated
steam included). A quantity a state lacks is an empty CSV field; one-state
output leaves its line out, or shows "-" when --properties names it.
Without --properties: p,t,h,s,v,u,cp,cv,w,region,phase,x (sat-p and sat-t:
p,t and h,s,v,u,cp,cv,w,region of each phase).

Options:
  --properties LIST  the quantities to print, in this order: names separated
                     by "," (such as rho,eta,Pr), or "all"
  --units LIST       units for input and output alike, separated by ",", in
                     any order: MPa, kPa, bar or Pa; degC or K; kJ or J (h and
                     u in J/kg, s, cp and cv in J/(kg K)); kappa_T and mu_JT
                     follow the pressure unit (such as --units bar,K,J)
  --csv              print a state given on the command line as CSV
  --decimal-comma    write "," as the decimal mark and ";" between CSV fields
  -h, --help         show this help and exit
  --version          show the version and exit
With --properties or --units the CSV header gives each unit: "h [J/kg]".

Exit status: 0 every state computed, 1 a state refused or an input line
unreadable, 2 a usage error, 3 a read or write error.
)";

const InputPair* FindPair(std::string_view name) {
  for (const InputPair& pair : kPairs) {
    if (pair.command == name) return &pair;
  }
  return nullptr;
}

// "pt, ph, ... or sat-t"
std::string PairNames() {
  std::string names;
  for (std::size_t i = 0; i < std::size(kPairs); ++i) {
    if (i > 0) names += i + 1 == std::size(kPairs) ? " or " : ", ";
    names += kPairs[i].command;
  }
  return names;
}

// The value of an option that takes one: "--units=bar" or "--units bar".
// Returns nothing (with `error`) when it is missing.
std::optional<std::string_view> OptionValue(std::string_view option,
                                            const std::vector<std::string_view>& args,
                                            std::size_t& i, std::string& error) {
  const std::string_view arg = args[i];
  if (arg.size() > option.size()) return arg.substr(option.size() + 1);
  if (i + 1 == args.size()) {
    error = "option " + Quoted(option) + " needs a list";
    return std::nullopt;
  }
  return args[++i];
}

bool IsOption(std::string_view arg, std::string_view option) {
  return arg.starts_with(option) && (arg.size() == option.size() || arg[option.size()] == '=');
}

}  // namespace

std::string_view UsageText() { return kUsage; }

std::optional<Options> ParseArguments(const std::vector<std::string_view>& args,
                                      std::string& error) {
  Options options;
  std::vector<std::string_view> operands;
  bool options_end = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (options_end || arg == "-" || !arg.starts_with("-") ||
        (arg.size() > 1 && arg[1] != '-' && arg[1] != 'h')) {
      operands.push_back(arg);  // "-5" and "-0,5" are values
    } else if (arg == "--") {
      options_end = true;
    } else if (arg == "-h" || arg == "--help") {
      options.action = Options::Action::kHelp;
      return options;
    } else if (arg == "--version") {
      options.action = Options::Action::kVersion;
      return options;
    } else if (arg == "--csv") {
      options.csv = true;
    } else if (arg == "--decimal-comma") {
      options.decimal_comma = true;
    } else if (IsOption(arg, "--properties")) {
      const std::optional<std::string_view> list = OptionValue("--properties", args, i, error);
      if (!list) return std::nullopt;
      auto quantities = ParseQuantities(*list, error);
      if (!quantities) return std::nullopt;
      options.selection.quantities = std::move(*quantities);
    } else if (IsOption(arg, "--units")) {
      const std::optional<std::string_view> list = OptionValue("--units", args, i, error);
      if (!list) return std::nullopt;
      const std::optional<Units> units = ParseUnits(*list, error);
      if (!units) return std::nullopt;
      options.selection.units = *units;
      options.selection.units_given = true;
    } else {
      error = "unknown option " + Quoted(arg);
      return std::nullopt;
    }
  }
  if (operands.empty()) {
    error = "missing the pair of given quantities (" + PairNames() + ")";
    return std::nullopt;
  }
  options.pair = FindPair(operands[0]);
  if (options.pair == nullptr) {
    error = "unknown pair " + Quoted(operands[0]) + ": use " + PairNames();
    return std::nullopt;
  }
  const std::size_t given = operands.size() - 1;
  if (given == 0 || (given == 1 && operands[1] == "-")) {
    options.action = Options::Action::kStandardInput;
    return options;
  }
  const auto count = static_cast<std::size_t>(options.pair->count);
  if (given != count) {
    error = std::string(options.pair->command) + " takes " +
            (count == 1 ? "1 value" : std::to_string(count) + " values") + ", not " +
            std::to_string(given);
    return std::nullopt;
  }
  options.action = Options::Action::kOneState;
  for (std::size_t i = 0; i < count; ++i) options.values[i] = operands[i + 1];
  return options;
}

}  // namespace if97cli
