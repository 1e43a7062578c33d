// if97: properties of water and steam on the command line (see if97.1).
#include <unistd.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch.h"
#include "numbers.h"
#include "options.h"
#include "table.h"

namespace {

using namespace if97cli;

void Report(std::string_view message) {
  std::string line = "if97: ";
  line.append(message);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::ptrdiff_t ReadSome(char* buffer, std::size_t size) {
  while (true) {
    const ssize_t got = ::read(STDIN_FILENO, buffer, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

int Finish(const std::string& out, int status) {
  if (!WriteAll(STDOUT_FILENO, out)) {
    Report("cannot write the standard output");
    return kExitIo;
  }
  return status;
}

int OneState(const Options& options, const Table& table) {
  std::array<double, 2> values{};
  std::string error;
  for (int i = 0; i < options.pair->count && error.empty(); ++i) {
    const std::optional<double> value = ParseNumber(options.values[i]);
    if (value) {
      values[i] = *value;
    } else {
      error = Quoted(options.values[i]) + " is not a number";
    }
  }
  std::string out;
  if (options.csv) {
    table.AppendHeader(out);
    out += '\n';
    if (!error.empty() || !table.AppendRow(out, values, error)) table.AppendEmptyRow(out);
    out += '\n';
  } else if (error.empty()) {
    table.AppendLines(out, values, error);
  }
  if (!error.empty()) Report(error);
  return Finish(out, error.empty() ? kExitOk : kExitStateFailed);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes in and out as on other systems: no "\r\n" written for
  // "\n", no end of the input at a Ctrl-Z byte.
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) _setmode(fd, _O_BINARY);
#endif
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<Options> options = ParseArguments(args, error);
  if (!options) {
    Report(error);
    Report("try 'if97 --help'");
    return kExitUsage;
  }
  switch (options->action) {
    case Options::Action::kHelp:
      return Finish(std::string(UsageText()), kExitOk);
    case Options::Action::kVersion:
      return Finish("if97 " IF97_COMMAND_VERSION "\n", kExitOk);
    case Options::Action::kOneState:
      return OneState(*options, Table(*options->pair, options->decimal_comma, options->selection));
    case Options::Action::kStandardInput:
      break;
  }
  const Table table(*options->pair, options->decimal_comma, options->selection);
  return RunBatch(
      table, ReadSome, [](std::string_view text) { return WriteAll(STDOUT_FILENO, text); }, Report);
}
