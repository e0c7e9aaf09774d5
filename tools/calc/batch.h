#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"

// Batch mode: CSV rows of inputs in, one output row per input row out, streaming in constant
// memory. The options give the value of every column the input leaves out or leaves empty.
namespace calc {

inline constexpr std::size_t kMaxLineBytes = 65536;

class BatchProcessor {
 public:
  explicit BatchProcessor(const Options& options);

  // The input's header row; the reason it is refused, or nothing.
  std::optional<std::string> Header(std::string_view line);
  // What goes out before the first row: the CSV header (JSON lines have none).
  void AppendOutputHeader(std::string& out) const;
  // One input row: appends its output row to out, or returns the reason it is refused and
  // leaves out untouched. lineNumber names the row in the message.
  std::optional<std::string> Row(std::string_view line, std::size_t lineNumber, std::string& out);

 private:
  enum class Column { Va, Ia, Eff, Src, Load, Dir, Fwd, Ref };
  Options options_;
  bool readingColumns_ = false;    // fwd or ref given per row
  bool readingsFromRows_ = false;  // no --readings: every row gives both
  std::vector<Column> columns_;
  std::vector<std::string> cells_;  // scratch, reused row after row
};

// Reads standard-input-like `in` to its end and writes to `out`; messages go to `err`.
// Returns the exit status: 0, 2 for bad input, 1 when reading or writing fails.
int RunBatch(const Options& options, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace calc
