#include "safe_text.h"

namespace calc {

namespace {

// The length of the well-formed UTF-8 sequence at s[i], or 0 (RFC 3629: no overlong forms,
// no surrogates, nothing above U+10FFFF).
std::size_t SequenceLength(std::string_view s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  if (c < 0x80) return 1;
  std::size_t n = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  if (b(i + 1) < lo || b(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k) {
    if (b(i + k) < 0x80 || b(i + k) > 0xBF) return 0;
  }
  return n;
}

void AppendHex(std::string& out, unsigned char c) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[c >> 4];
  out += kDigits[c & 0xF];
}

std::string Escape(std::string_view s, std::size_t maxChars) {
  std::string out;
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size();) {
    if (chars == maxChars) {
      out += "...";
      break;
    }
    ++chars;
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = SequenceLength(s, i);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      AppendHex(out, c);
      ++i;
      continue;
    }
    out.append(s.substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace

std::string SafeMessage(std::string_view s) { return Escape(s, std::string_view::npos); }

std::string SafeCell(std::string_view s) { return Escape(s, kMaxQuotedChars); }

}  // namespace calc
