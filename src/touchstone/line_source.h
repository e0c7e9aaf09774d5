#pragma once

#include <cstddef>
#include <istream>
#include <string_view>
#include <vector>

// The lines of a stream one at a time through a fixed buffer, so that no line longer than the
// buffer and no whole file is ever held.
namespace touchstone {

inline constexpr std::size_t kMaxLineBytes = 65536;

class LineSource {
 public:
  explicit LineSource(std::istream& in);

  enum class Status { Line, End, TooLong };
  // The next line without its LF or CR LF; the view lasts until the next call.
  Status Next(std::string_view& line);

 private:
  bool Fill();

  std::istream& in_;
  std::vector<char> buf_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
};

}  // namespace touchstone
