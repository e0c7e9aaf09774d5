#include "batch.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>
#include <variant>

#include "extras.h"
#include "inputs.h"
#include "option_values.h"
#include "output.h"
#include "safe_text.h"
#include "text/ascii.h"
#include "texts.h"

namespace calc {

namespace {

struct ColumnName {
  std::string_view Name;
  int Index;
};
constexpr ColumnName kColumnNames[] = {{"va", 0},   {"ia", 1},  {"eff", 2}, {"src", 3},
                                       {"load", 4}, {"dir", 5}, {"fwd", 6}, {"ref", 7}};
constexpr std::string_view kIdeal = "ideal";

// A cell's blanks; a CR before the line's end belongs to a CR LF line end.
std::string_view Trim(std::string_view s) {
  return text::TrimBack(text::TrimFront(s, text::IsSpaceOrTab),
                        [](char c) { return text::IsSpaceOrTab(c) || c == '\r'; });
}

using text::EqualsNoCase;

// Splits one CSV line into cells (RFC 4180 quotes allowed, no line breaks inside); false for a
// malformed quote.
bool SplitCsv(std::string_view line, std::vector<std::string>& cells) {
  std::size_t n = 0;
  std::size_t i = 0;
  while (true) {
    if (cells.size() <= n) cells.emplace_back();
    std::string& cell = cells[n++];
    cell.clear();
    std::size_t lead = i;
    while (lead < line.size() && (line[lead] == ' ' || line[lead] == '\t')) ++lead;
    if (lead < line.size() && line[lead] == '"') {
      std::size_t j = lead + 1;
      while (true) {
        if (j >= line.size()) return false;
        if (line[j] == '"') {
          if (j + 1 < line.size() && line[j + 1] == '"') {
            cell += '"';
            j += 2;
            continue;
          }
          ++j;
          break;
        }
        cell += line[j++];
      }
      while (j < line.size() && (line[j] == ' ' || line[j] == '\t' || line[j] == '\r')) ++j;
      if (j < line.size() && line[j] != ',') return false;
      i = j;
    } else {
      const std::size_t comma = line.find(',', i);
      const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
      cell.assign(Trim(line.substr(i, end - i)));
      i = end;
    }
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  cells.resize(n);
  return true;
}

bool IsBlank(std::string_view line) { return Trim(line).empty(); }

// What the input holds now, up to size bytes: 0 at its end, -1 on an error. Unlike fread this
// returns as soon as some bytes arrived, so a script that writes a row and waits gets its
// answer at once.
long ReadSome(std::FILE* in, char* buf, std::size_t size) {
#ifdef _WIN32
  return _read(_fileno(in), buf, static_cast<unsigned>(size));
#else
  while (true) {
    const ssize_t n = ::read(fileno(in), buf, size);
    if (n >= 0 || errno != EINTR) return static_cast<long>(n);
  }
#endif
}

std::string Where(std::size_t line) { return "line " + std::to_string(line); }

}  // namespace

BatchProcessor::BatchProcessor(const Options& options) : options_(options) {}

std::optional<std::string> BatchProcessor::Header(std::string_view line) {
  if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);  // a spreadsheet's BOM
  if (!SplitCsv(line, cells_)) return Where(1) + ": " + std::string(kBadQuotes);
  columns_.clear();
  for (const std::string& name : cells_) {
    const ColumnName* found = nullptr;
    for (const ColumnName& c : kColumnNames) {
      if (EqualsNoCase(name, c.Name)) found = &c;
    }
    if (found == nullptr) {
      return Where(1) + ", column " + Quoted(name) + ": " + std::string(kUnknownColumn) +
             " (expected " + std::string(kColumns) + ")";
    }
    const auto col = static_cast<Column>(found->Index);
    for (const Column c : columns_) {
      if (c == col)
        return Where(1) + ", column " + Quoted(name) + ": " + std::string(kDuplicateColumn);
    }
    columns_.push_back(col);
    if (col == Column::Fwd || col == Column::Ref) readingColumns_ = true;
  }
  // Rows that carry readings give the truth columns, as --readings does.
  if (readingColumns_ && !options_.Add.Read) {
    const auto has = [&](Column c) {
      return std::find(columns_.begin(), columns_.end(), c) != columns_.end();
    };
    if (!has(Column::Fwd) || !has(Column::Ref)) return Where(1) + ": " + std::string(kReadingsPair);
    readingsFromRows_ = true;
    options_.Add.Read.emplace();
  }
  return std::nullopt;
}

void BatchProcessor::AppendOutputHeader(std::string& out) const {
  if (options_.Out == Format::Csv) AppendCsvHeader(out, options_.Add);
}

std::optional<std::string> BatchProcessor::Row(std::string_view line, std::size_t lineNumber,
                                               std::string& out) {
  if (!SplitCsv(line, cells_)) return Where(lineNumber) + ": " + std::string(kBadQuotes);
  if (cells_.size() != columns_.size()) {
    return Where(lineNumber) + ": " + FieldCount(columns_.size(), cells_.size());
  }
  Inputs in = options_.In;
  Extras add = options_.Add;
  for (std::size_t k = 0; k < columns_.size(); ++k) {
    const std::string& cell = cells_[k];
    if (cell.empty()) {
      // A reading has no default to fall back on: 0 W would be a guess, not a measurement.
      const bool reading = columns_[k] == Column::Fwd || columns_[k] == Column::Ref;
      if (reading && readingsFromRows_) {
        return Where(lineNumber) + ", column " +
               std::string(kColumnNames[static_cast<int>(columns_[k])].Name) + ": " +
               std::string(kReadingNeeded);
      }
      continue;
    }
    std::optional<std::string> e;
    switch (columns_[k]) {
      case Column::Va:
        e = ParseVa(cell, in.Va);
        break;
      case Column::Ia:
        e = ParseIa(cell, in.Ia);
        break;
      case Column::Eff:
        e = ParseEff(cell, in.EffPercent);
        break;
      case Column::Src:
        e = ParseRefl(cell, in.Src);
        break;
      case Column::Load:
        e = ParseRefl(cell, in.Load);
        break;
      case Column::Dir:
        if (EqualsNoCase(cell, kIdeal)) {
          in.DirDb.reset();
        } else {
          double db = 0.0;
          e = ParseDir(cell, db);
          if (!e) in.DirDb = db;
        }
        break;
      case Column::Fwd:
        e = ParsePowerReading(cell, add.Read->ForwardW);
        break;
      case Column::Ref:
        e = ParsePowerReading(cell, add.Read->ReflectedW);
        break;
    }
    if (e) {
      return Where(lineNumber) + ", column " +
             std::string(kColumnNames[static_cast<int>(columns_[k])].Name) + ": " + *e;
    }
  }
  const rf::ModelState m = ComputeModel(in);
  const auto extras = ComputeExtras(m, add);
  if (const auto* message = std::get_if<std::string>(&extras)) {
    return Where(lineNumber) + ": " + *message;
  }
  const ExtraResults& x = std::get<ExtraResults>(extras);
  if (options_.Out == Format::Json) {
    AppendJsonObject(out, m, x);
    out += '\n';
  } else {
    AppendCsvRow(out, m, x);
  }
  return std::nullopt;
}

int RunBatch(const Options& options, std::FILE* in, std::FILE* out, std::FILE* err) {
  BatchProcessor batch(options);
  std::string pending;  // the unfinished line, at most kMaxLineBytes
  std::string buffer;   // output not yet written
  constexpr std::size_t kFlushAt = 1 << 16;
  std::vector<char> chunk(1 << 16);
  std::size_t lineNumber = 0;
  bool headerSeen = false;
  bool afterCr = false;
  bool writeFailed = false;
  const auto flush = [&] {
    if (!buffer.empty() && std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size()) {
      writeFailed = true;
    }
    buffer.clear();
  };
  const auto fail = [&](const std::string& message, int status) {
    flush();  // every complete row before the bad one stays written
    std::fflush(out);
    std::fprintf(err, "%s: %s\n", kProgram.data(), SafeMessage(message).c_str());
    return status;
  };
  const auto line = [&](std::string_view text) -> std::optional<std::string> {
    ++lineNumber;
    if (!headerSeen) {
      if (auto e = batch.Header(text)) return e;
      headerSeen = true;
      batch.AppendOutputHeader(buffer);
      return std::nullopt;
    }
    if (IsBlank(text)) return std::nullopt;
    return batch.Row(text, lineNumber, buffer);
  };
  while (true) {
    const long got = ReadSome(in, chunk.data(), chunk.size());
    if (got < 0) return fail(std::string(kCannotRead), 1);
    if (got == 0) break;
    std::string_view data(chunk.data(), static_cast<std::size_t>(got));
    while (!data.empty()) {
      // The LF of a CR LF whose CR ended the last line.
      if (afterCr && data.front() == '\n') {
        data.remove_prefix(1);
        afterCr = false;
        continue;
      }
      afterCr = false;
      // A line ends at LF, CR LF or a CR alone (old Mac files, some spreadsheet exports).
      const std::size_t nl = data.find_first_of("\r\n");
      if (nl == std::string_view::npos) {
        if (pending.size() + data.size() > kMaxLineBytes) {
          return fail(Where(lineNumber + 1) + ": " + std::string(kLineTooLong), 2);
        }
        pending.append(data);
        break;
      }
      std::string_view text = data.substr(0, nl);
      if (!pending.empty()) {
        if (pending.size() + text.size() > kMaxLineBytes) {
          return fail(Where(lineNumber + 1) + ": " + std::string(kLineTooLong), 2);
        }
        pending.append(text);
        text = pending;
      } else if (text.size() > kMaxLineBytes) {
        return fail(Where(lineNumber + 1) + ": " + std::string(kLineTooLong), 2);
      }
      const bool cr = data[nl] == '\r';
      if (auto e = line(text)) return fail(*e, 2);
      pending.clear();
      data.remove_prefix(nl + 1);
      afterCr = cr;
      if (buffer.size() >= kFlushAt) flush();
      if (writeFailed) return fail(std::string(kCannotWrite), 1);
    }
    // Every row of what arrived goes out before waiting for more.
    flush();
    if (writeFailed || std::fflush(out) != 0) return fail(std::string(kCannotWrite), 1);
  }
  if (!pending.empty()) {
    if (auto e = line(pending)) return fail(*e, 2);
  }
  if (!headerSeen) return fail(std::string(kEmptyInput), 2);
  flush();
  if (std::fflush(out) != 0 || writeFailed || std::ferror(out)) {
    std::fprintf(err, "%s: %s\n", kProgram.data(), std::string(kCannotWrite).c_str());
    return 1;
  }
  return 0;
}

}  // namespace calc
