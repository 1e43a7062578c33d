// The built if97 program: its exit status, standard output and standard error.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <if97/if97.h>
#include <if97/if97_state.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "numbers.h"

extern char** environ;

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs the program with the arguments, `input` as its standard input.
Result RunProgram(std::vector<std::string> args, const std::string& input = "") {
  const std::string dir = ::testing::TempDir();
  const std::string in = dir + "if97_in", out = dir + "if97_out", err = dir + "if97_err";
  std::ofstream(in, std::ios::binary) << input;
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  args.insert(args.begin(), IF97_PROGRAM);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  Result result;
  pid_t pid = 0;
  if (posix_spawn(&pid, IF97_PROGRAM, &files, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&files);
  result.out = ReadFile(out);
  result.err = ReadFile(err);
  return result;
}

std::size_t Lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(Program, HelpAndVersion) {
  const Result help = RunProgram({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: if97 [OPTION]... PAIR [VALUE]...\n")) << help.out;
  EXPECT_EQ(help.err, "");
  const Result version = RunProgram({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "if97 " IF97_TEST_VERSION "\n");
}

TEST(Program, ExitStatus) {
  const struct {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string err;
  } cases[] = {
      {{"pt", "5", "300"}, "", 0, ""},
      {{"--csv", "sat-t", "100"}, "", 0, ""},
      {{"pt"}, "5 300\n1 100\n", 0, ""},
      {{"pt", "5", "abc"}, "", 1, "if97: 'abc' is not a number\n"},
      {{"pt", "nan", "300"}, "", 1, "if97: 'nan' is not a number\n"},
      {{"pt", "-"}, "5 300\n5 x\n", 1, "if97: line 2: 'x' is not a number\n"},
      {{"pt", "5"}, "", 2, "if97: pt takes 2 values, not 1\nif97: try 'if97 --help'\n"},
      {{"--tabs", "pt"}, "", 2, "if97: unknown option '--tabs'\nif97: try 'if97 --help'\n"},
      {{"ph"},
       "p,t\n5,300\n",
       2,
       "if97: line 1: the header 'p,t' does not name the values p and h\n"},
  };
  for (const auto& c : cases) {
    const Result result = RunProgram(c.args, c.input);
    EXPECT_EQ(result.status, c.status) << c.args[0] << " " << c.input;
    EXPECT_EQ(result.err, c.err) << c.args[0];
    if (c.status == 2) {
      EXPECT_EQ(result.out, "");
    }
  }
  const Result refused = RunProgram({"pt", "101", "300"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_TRUE(refused.err.starts_with("if97: out of range")) << refused.err;
}

TEST(Program, OneStateOneQuantityPerLine) {
  const Result result = RunProgram({"pt", "5", "300"});
  ASSERT_EQ(result.status, 0);
  std::istringstream lines(result.out);
  std::vector<std::string> names;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string name, value, unit;
    fields >> name >> value;
    std::getline(fields >> std::ws, unit);
    names.push_back(name);
    if (name == "h") {
      EXPECT_NEAR(std::stod(value), if97::h_pt(5, 300), 1e-12 * std::fabs(if97::h_pt(5, 300)));
      EXPECT_EQ(unit, "kJ/kg");
    } else if (name == "s") {
      EXPECT_EQ(unit, "kJ/(kg K)");
    } else if (name == "phase") {
      EXPECT_EQ(value, "steam");
    }
  }
  const std::vector<std::string> expected = {"p",  "t",  "h", "s",      "v",    "u",
                                             "cp", "cv", "w", "region", "phase"};
  EXPECT_EQ(names, expected);
}

TEST(Program, CommaInCommaOut) {
  const Result dot = RunProgram({"--csv", "ph", "5.5", "3000.25"});
  const Result comma = RunProgram({"--decimal-comma", "--csv", "ph", "5,5", "3000,25"});
  ASSERT_EQ(dot.status, 0);
  ASSERT_EQ(comma.status, 0);
  std::string expected = dot.out;
  for (char& c : expected) c = c == '.' ? ',' : c == ',' ? ';' : c;
  EXPECT_EQ(comma.out, expected);
}

TEST(Program, ManyRowsFromStandardInput) {
  std::string input = "p;t\n";
  for (int i = 0; i < 20000; ++i)
    input +=
        std::to_string(i % 7 == 3 ? 101 : 1 + i % 90) + ";" + std::to_string(10 + i % 600) + "\n";
  input += std::string(200'000, '5') + "\n1;100";
  const Result result = RunProgram({"pt"}, input);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(Lines(result.out), 1u + 20000 + 2);
  EXPECT_EQ(Lines(result.err), 20000u / 7 + 1);
  EXPECT_NE(result.err.find("if97: line 20002: longer than 65536 characters\n"), std::string::npos);
  const std::string last = RunProgram({"--csv", "pt", "1", "100"}).out;
  EXPECT_TRUE(result.out.ends_with(last.substr(last.find('\n') + 1)));
}

// The names of the one-state lines, and the fields of the line named.
std::vector<std::vector<std::string>> Listing(const std::string& out) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    lines.emplace_back();
    for (std::string field; fields >> field;) lines.back().push_back(field);
  }
  return lines;
}

// The fields of each one-state line, with "#" for a number.
std::vector<std::string> Shapes(const std::string& out) {
  std::vector<std::string> shapes;
  for (const std::vector<std::string>& line : Listing(out)) {
    std::string shape;
    for (const std::string& field : line) {
      if (!shape.empty()) shape += ' ';
      shape += if97cli::ParseNumber(field) ? "#" : field;
    }
    shapes.push_back(shape);
  }
  return shapes;
}

TEST(Program, PropertiesChooseTheLinesAndTheirOrder) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> lines;  // "-": the state lacks it
  } cases[] = {
      {{"--properties", "x,h,phase", "pt", "5", "300"}, {"x -", "h # kJ/kg", "phase steam"}},
      {{"--properties", "cp,Pr,region", "px", "1", "0.5"}, {"cp - kJ/(kg K)", "Pr -", "region #"}},
      {{"--properties", "h,p", "--units", "bar,J", "sat-p", "10"},
       {"p # bar", "water steam", "h # # J/kg"}},
      {{"--properties", "t", "--units", "K", "sat-t", "373.15"}, {"t # K"}},
      {{"--properties", "T,p", "hs", "2800", "6.5"}, {"t # degC", "p # MPa"}},
  };
  for (const auto& c : cases) {
    const Result result = RunProgram(c.args);
    ASSERT_EQ(result.status, 0) << c.args[1] << result.err;
    EXPECT_EQ(Shapes(result.out), c.lines) << result.out;
  }
  // Input in K too: 373.15 K is 100 degC.
  const auto kelvin =
      Listing(RunProgram({"--properties", "t,p", "--units", "K", "sat-t", "373.15"}).out);
  EXPECT_EQ(kelvin.at(0).at(1), "373.15");
  EXPECT_EQ(std::stod(kelvin.at(1).at(1)), if97::saturation_t(100).water.p);
}

TEST(Program, UnknownPropertiesAndUnitsAreUsageErrors) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--properties", "rho,Re", "pt", "1", "20"},
                                             {"--properties", "", "pt"},
                                             {"--units", "psi", "pt", "1", "20"},
                                             {"--units", "bar,K,kPa", "--csv", "pt", "1", "20"},
                                             {"pt", "1", "20", "--units"}}) {
    const Result result = RunProgram(args, "1 20\n");
    EXPECT_EQ(result.status, 2) << args[1];
    EXPECT_EQ(result.out, "") << args[1];
    EXPECT_TRUE(result.err.ends_with("\nif97: try 'if97 --help'\n")) << result.err;
  }
  const std::string err = RunProgram({"--properties", "Re", "pt", "1", "20"}).err;
  for (const if97::PropertyInfo& p : if97::kProperties) {
    EXPECT_NE(err.find(std::string(" ") + p.name + (p.name == std::string("x") ? " or" : ",")),
              std::string::npos)
        << p.name;
  }
  for (const char* name : {"region,", "phase,", " all"}) {
    EXPECT_NE(err.find(name), std::string::npos) << name;
  }
  const std::string units = RunProgram({"--units", "atm", "pt", "1", "20"}).err;
  for (const char* unit : {"MPa", "kPa", "bar", "Pa", "degC", "K", "kJ", "J"}) {
    EXPECT_NE(units.find(std::string(" ") + unit), std::string::npos) << unit;
  }
}

// A state given in other units equals the state in MPa and degC, and its
// values are the same converted: p x10 in bar, t +273.15 in K, energies x1000
// in J, kappa_T and mu_JT per bar /10.
TEST(Program, UnitsRoundTrip) {
  const struct {
    std::vector<std::string> args;  // in the units picked
    std::vector<std::string> base;  // the same state in MPa, degC and kJ
    double per_megapascal;
    double kelvin;  // 273.15 or 0
    double energy;  // 1000 or 1
  } cases[] = {
      {{"--units", "bar,K", "pt", "50", "573.15"}, {"pt", "5", "300"}, 10, 273.15, 1},
      {{"--units", "J", "pt", "5", "300"}, {"pt", "5", "300"}, 1, 0, 1000},
      {{"--units", "kPa,J", "ph", "3000", "500000"}, {"ph", "3", "500"}, 1000, 0, 1000},
      {{"--units", "J,Pa", "ps", "1e5", "7000"}, {"ps", "0.1", "7"}, 1e6, 0, 1000},
      {{"--units", "K", "tx", "373.15", "0.5"}, {"tx", "100", "0.5"}, 1, 273.15, 1},
      {{"--units", "bar,K,J", "sat-p", "10"}, {"sat-p", "1"}, 10, 273.15, 1000},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--csv", "--properties", "all"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result picked = RunProgram(args);
    args.resize(3);
    args.insert(args.end(), c.base.begin(), c.base.end());
    const Result base = RunProgram(args);
    ASSERT_EQ(picked.status, 0) << picked.err;
    ASSERT_EQ(base.status, 0) << base.err;
    const auto split = [](const std::string& out) {
      std::vector<std::vector<std::string>> rows(2, std::vector<std::string>(1));
      std::size_t row = 0;
      for (const char ch : out) {
        if (ch == '\n') {
          ++row;
        } else if (ch == ',') {
          rows.at(row).emplace_back();
        } else {
          rows.at(row).back() += ch;
        }
      }
      return rows;
    };
    const auto p = split(picked.out), b = split(base.out);
    ASSERT_EQ(p[0].size(), b[0].size());
    for (std::size_t i = 0; i < p[0].size(); ++i) {
      const std::string name = b[0][i].substr(0, b[0][i].find(' '));
      const std::string field = name.substr(0, name.find('_', 1));  // h_water: h
      ASSERT_EQ(p[0][i].substr(0, p[0][i].find(' ')), name);
      if (b[1][i].empty() || !std::isdigit(b[1][i].back())) {
        EXPECT_EQ(p[1][i], b[1][i]) << name;  // undefined, region, phase
        continue;
      }
      const double base_value = std::stod(b[1][i]);
      double expected = base_value;
      if (field == "p") expected *= c.per_megapascal;
      if (name.starts_with("kappa_T") || name.starts_with("mu_JT")) expected /= c.per_megapascal;
      if (field == "t") expected += c.kelvin;
      if (field == "h" || field == "u" || field == "s" || field == "cp" || field == "cv") {
        expected *= c.energy;
      }
      const double value = std::stod(p[1][i]);
      if (c.kelvin == 0 && c.per_megapascal == 1) {
        EXPECT_EQ(value, expected) << name;  // the same state: exactly x1000
      } else {
        EXPECT_NEAR(value, expected, 1e-9 * std::abs(expected) + 1e-12) << name;
      }
    }
  }
}

TEST(Program, TheEnthalpyEntropyPairAndTheHelp) {
  const if97::State state = if97::state_pt(10, 500).state;
  const auto one =
      Listing(RunProgram({"hs", std::to_string(state.h), std::to_string(state.s)}).out);
  ASSERT_GE(one.size(), 2u);
  EXPECT_NEAR(std::stod(one[0].at(1)), 10, 1e-4);
  EXPECT_NEAR(std::stod(one[1].at(1)), 500, 1e-3);
  const Result help = RunProgram({"--help"});
  for (const if97::PropertyInfo& p : if97::kProperties) {
    EXPECT_NE(help.out.find("\n  " + std::string(p.name) + " "), std::string::npos) << p.name;
  }
  for (const char* text :
       {"\n  hs ", "\n  --properties LIST", "\n  --units LIST", "\n  region ", "\n  phase "}) {
    EXPECT_NE(help.out.find(text), std::string::npos) << text;
  }
}

}  // namespace
