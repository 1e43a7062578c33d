#include "batch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "fields.h"
#include "numbers.h"
#include "table.h"

namespace if97cli {
namespace {

constexpr std::size_t kBufferSize = 4 * kMaxLineLength;
constexpr std::size_t kFlushSize = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) == y; });
}

std::string PairNames(const InputPair& pair) {
  std::string names(pair.names[0]);
  if (pair.count == 2) names += " and " + std::string(pair.names[1]);
  return names;
}

class Batch {
 public:
  Batch(const Table& table, WriteFunction write, ReportFunction report)
      : table_(table), pair_(table.pair()), write_(std::move(write)), report_(std::move(report)) {
    out_.reserve(kFlushSize + 1024);
    table_.AppendHeader(out_);
    out_ += '\n';
  }

  // One input line without its "\n"; false when the run must stop.
  bool Line(std::string_view line, bool too_long) {
    ++line_number_;
    if (line_number_ == 1) {
      if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
      const std::string_view trimmed = Trimmed(line);
      if (!too_long && !trimmed.empty() && IsAsciiLetter(trimmed.front())) return Header(trimmed);
    }
    if (too_long || line.size() > kMaxLineLength) {
      Fail("longer than " + std::to_string(kMaxLineLength) + " characters");
    } else if (Trimmed(line).empty()) {
      table_.AppendEmptyRow(out_);
    } else {
      Row(line);
    }
    out_ += '\n';
    return out_.size() < kFlushSize || Flush();
  }

  bool Flush() {
    if (write_failed_) return false;
    if (!out_.empty() && !write_(out_)) {
      report_("cannot write the standard output");
      write_failed_ = true;
      return false;
    }
    out_.clear();
    return true;
  }

  int Status() const {
    if (write_failed_) return kExitIo;
    if (bad_header_) return kExitUsage;
    return failed_ ? kExitStateFailed : kExitOk;
  }

  void DropOutput() { out_.clear(); }

 private:
  bool Header(std::string_view line) {
    const Fields fields = SplitFields(line, pair_.count);
    bool named = fields.count == pair_.count;
    for (int i = 0; named && i < pair_.count; ++i) {
      const auto* found = std::find_if(
          pair_.names.begin(), pair_.names.begin() + pair_.count,
          [&](std::string_view name) { return EqualsIgnoringCase(fields.text[i], name); });
      order_[i] = static_cast<int>(found - pair_.names.begin());
      named = found != pair_.names.begin() + pair_.count && (i == 0 || order_[1] != order_[0]);
    }
    if (!named) {
      report_("line 1: the header " + Quoted(line) + " does not name the values " +
              PairNames(pair_));
      bad_header_ = true;
    }
    return named;
  }

  void Row(std::string_view line) {
    const Fields fields = SplitFields(line, pair_.count);
    if (fields.count != pair_.count) {
      Fail("expected " + PairNames(pair_) + ", found " + std::to_string(fields.count) +
           (fields.count == 1 ? " value" : " values"));
      return;
    }
    std::array<double, 2> values{};
    for (int i = 0; i < pair_.count; ++i) {
      const std::optional<double> value = ParseNumber(fields.text[i]);
      if (!value) {
        Fail(Quoted(fields.text[i]) + " is not a number");
        return;
      }
      values[order_[i]] = *value;
    }
    if (!table_.AppendRow(out_, values, error_)) Fail(error_);
  }

  void Fail(const std::string& message) {
    report_("line " + std::to_string(line_number_) + ": " + message);
    table_.AppendEmptyRow(out_);
    failed_ = true;
  }

  const Table& table_;
  const InputPair& pair_;
  WriteFunction write_;
  ReportFunction report_;
  std::string out_;
  std::string error_;
  std::array<int, 2> order_{0, 1};  // input column -> position in the pair
  long long line_number_ = 0;
  bool failed_ = false;
  bool bad_header_ = false;
  bool write_failed_ = false;
};

}  // namespace

int RunBatch(const Table& table, ReadFunction read, WriteFunction write, ReportFunction report) {
  Batch batch(table, std::move(write), report);
  std::vector<char> buffer(kBufferSize);
  std::size_t begin = 0;  // the unread part of the buffer
  std::size_t end = 0;
  bool too_long = false;  // the line being read has been dropped for its length
  while (true) {
    if (const void* newline = std::memchr(buffer.data() + begin, '\n', end - begin)) {
      const auto length =
          static_cast<std::size_t>(static_cast<const char*>(newline) - (buffer.data() + begin));
      if (!batch.Line({buffer.data() + begin, length}, too_long)) break;
      too_long = false;
      begin += length + 1;
      continue;
    }
    if (end - begin > kMaxLineLength) {
      too_long = true;
      begin = end = 0;
    } else if (begin > 0) {
      std::memmove(buffer.data(), buffer.data() + begin, end - begin);
      end -= begin;
      begin = 0;
    }
    const std::ptrdiff_t got = read(buffer.data() + end, buffer.size() - end);
    if (got < 0) {
      report("cannot read the standard input");
      batch.Flush();
      return kExitIo;
    }
    if (got == 0) {
      if (end > begin || too_long) batch.Line({buffer.data() + begin, end - begin}, too_long);
      break;
    }
    end += static_cast<std::size_t>(got);
  }
  if (batch.Status() == kExitUsage) {
    batch.DropOutput();
    return kExitUsage;
  }
  batch.Flush();
  return batch.Status();
}

}  // namespace if97cli
