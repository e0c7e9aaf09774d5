#include "touchstone/line_source.h"

#include <cstring>

namespace touchstone {

LineSource::LineSource(std::istream& in) : in_(in), buf_(kMaxLineBytes + 1) {}

bool LineSource::Fill() {
  if (begin_ > 0) {
    std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  std::streambuf* sb = in_.rdbuf();
  if (sb == nullptr) {
    eof_ = true;
    return false;
  }
  if (end_ == buf_.size()) return false;
  const std::streamsize got =
      sb->sgetn(buf_.data() + end_, static_cast<std::streamsize>(buf_.size() - end_));
  if (got <= 0) {
    eof_ = true;
    return false;
  }
  end_ += static_cast<std::size_t>(got);
  return true;
}

LineSource::Status LineSource::Next(std::string_view& line) {
  std::size_t scanned = begin_;
  for (;;) {
    const void* nl = std::memchr(buf_.data() + scanned, '\n', end_ - scanned);
    if (nl != nullptr) {
      const auto at = static_cast<std::size_t>(static_cast<const char*>(nl) - buf_.data());
      std::size_t stop = at;
      if (stop > begin_ && buf_[stop - 1] == '\r') --stop;
      line = std::string_view(buf_.data() + begin_, stop - begin_);
      begin_ = at + 1;
      return Status::Line;
    }
    const std::size_t held = end_ - begin_;
    if (eof_) {
      if (held == 0) return Status::End;
      std::size_t stop = end_;
      if (buf_[stop - 1] == '\r') --stop;
      line = std::string_view(buf_.data() + begin_, stop - begin_);
      begin_ = end_;
      return Status::Line;
    }
    // A line longer than the buffer: one byte more than the limit shows it is too long.
    if (held > kMaxLineBytes) return Status::TooLong;
    scanned = end_ - begin_;
    if (!Fill() && !eof_) return Status::TooLong;
    scanned = begin_ + scanned;
  }
}

}  // namespace touchstone
