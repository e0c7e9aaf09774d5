#include "touchstone/reader.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "text/ascii.h"
#include "touchstone/line_source.h"
#include "touchstone/section_reader.h"
#include "touchstone/texts.h"

namespace touchstone {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string IntText(long long v) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

}  // namespace

std::string ErrorText(const ReadError& e) {
  if (e.Line <= 0) return e.Message;
  std::string out(kPositionLine);
  out += IntText(e.Line);
  out += kPositionColumn;
  out += IntText(e.Column);
  out += kPositionEnd;
  out += e.Message;
  return out;
}

int PortsFromFileName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return 0;
  const std::string_view ext = name.substr(dot + 1);
  // ".s" digits "p"
  if (ext.size() < 3 || text::LowerAscii(ext.front()) != 's' ||
      text::LowerAscii(ext.back()) != 'p') {
    return 0;
  }
  const std::string_view digits = ext.substr(1, ext.size() - 2);
  int ports = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), ports);
  if (ec != std::errc() || ptr != digits.data() + digits.size() || ports < 1) return 0;
  return ports;
}

std::optional<ReadError> ReadStream(std::istream& in, const ReadRequest& request,
                                    const std::function<void(const Point&)>& sink) {
  if (request.Port < 1) {
    std::string m(kNoSuchPortBefore);
    m += IntText(request.Port);
    return ReadError{0, 0, m};
  }
  SectionReader reader(request, sink);
  LineSource source(in);
  int number = 0;
  std::size_t lastLength = 0;
  std::string_view line;
  for (;;) {
    const LineSource::Status status = source.Next(line);
    if (status == LineSource::Status::End) break;
    if (number == std::numeric_limits<int>::max()) {
      return ReadError{number, 1, std::string(kTooManyLines)};
    }
    ++number;
    if (status == LineSource::Status::TooLong) {
      return ReadError{number, static_cast<int>(kMaxLineBytes) + 1, std::string(kLineTooLong)};
    }
    if (number == 1 && line.substr(0, kBom.size()) == kBom) line.remove_prefix(kBom.size());
    lastLength = line.size();
    if (!reader.Line(line, number)) return reader.Error();
    if (reader.Done()) return std::nullopt;
  }
  if (in.bad()) return ReadError{number, 1, std::string(kCannotRead)};
  if (!reader.Finish(number, lastLength)) return reader.Error();
  return std::nullopt;
}

Loaded ReadPoints(std::istream& in, const ReadRequest& request) {
  Loaded out;
  out.Error = ReadStream(in, request, [&](const Point& p) { out.Points.push_back(p); });
  if (out.Error) {
    out.Points.clear();
    out.Points.shrink_to_fit();
  }
  return out;
}

Loaded ReadFile(const std::string& path, int port) {
  // UTF-8 on every platform: through a path, Windows opens the file by its wide name.
  const std::filesystem::path name(std::u8string(path.begin(), path.end()));
  std::error_code ec;
  std::ifstream in;
  // A folder opens as a stream on some systems and then reads as an empty file.
  if (!std::filesystem::is_directory(name, ec)) in.open(name, std::ios::binary);
  if (!in.is_open()) {
    Loaded out;
    out.Error = ReadError{0, 0, std::string(kCannotOpen)};
    return out;
  }
  return ReadPoints(in, ReadRequest{PortsFromFileName(path), port});
}

}  // namespace touchstone
