// Many states from standard input: one CSV row out per line in, in order.
#ifndef STEAMCALC_CLI_BATCH_H
#define STEAMCALC_CLI_BATCH_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "options.h"

namespace if97cli {

class Table;

// Longest input line read; a longer line is reported and gets an empty row.
inline constexpr std::size_t kMaxLineLength = 64 * 1024;

// Fills the buffer with up to `size` bytes; returns how many, 0 at the end of
// the input, a negative number on a read error.
using ReadFunction = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;
// Writes all of the text; false on a write error.
using WriteFunction = std::function<bool(std::string_view text)>;
// Takes one error message line (without its newline).
using ReportFunction = std::function<void(std::string_view message)>;

// Writes the table's header, then one row for every input line. A blank line
// gets an empty row silently; a line that gives no state gets an empty row
// and a message "line N: ...". The first line is a header when it starts
// with a letter: it must name the pair's quantities, in any order.
// Returns the exit status (ExitCode).
int RunBatch(const Table& table, ReadFunction read, WriteFunction write, ReportFunction report);

}  // namespace if97cli

#endif  // STEAMCALC_CLI_BATCH_H
