#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "calc.h"

// Runs zephlane-calc's entry point in-process on temporary files standing for its streams.
namespace calc_test {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadAll(std::FILE* f) {
  std::string s;
  std::rewind(f);
  char buf[65536];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  return s;
}

inline Result RunCalc(std::vector<std::string_view> args, std::string_view input = {}) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  if (!input.empty()) std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  Result r;
  r.status = calc::Run(args, in, out, err);
  r.out = ReadAll(out);
  r.err = ReadAll(err);
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  return r;
}

inline std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < s.size()) {
    const std::size_t nl = s.find('\n', start);
    const std::size_t end = nl == std::string::npos ? s.size() : nl;
    lines.push_back(s.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

inline std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  while (true) {
    const std::size_t c = line.find(',', start);
    cells.push_back(line.substr(start, c == std::string::npos ? std::string::npos : c - start));
    if (c == std::string::npos) break;
    start = c + 1;
  }
  return cells;
}

}  // namespace calc_test
