// The built if97 program: its exit status, standard output and standard error.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <if97/if97.h>

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
      EXPECT_EQ(std::stod(value), if97::h_pt(5, 300));
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

}  // namespace
