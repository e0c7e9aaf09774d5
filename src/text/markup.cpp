#include "text/markup.h"

#include <cstdint>

namespace text {
namespace {

// Length of the UTF-8 sequence starting at s[i], or 0 when it is malformed or not a
// character XML 1.0 allows.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t n = 0;
  std::uint32_t cp = 0;
  if (b0 < 0x80) return 1;
  if ((b0 & 0xE0) == 0xC0) {
    n = 2;
    cp = b0 & 0x1Fu;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3;
    cp = b0 & 0x0Fu;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4;
    cp = b0 & 0x07u;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  static constexpr std::uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE ||
      cp == 0xFFFF)
    return 0;
  return n;
}

}  // namespace

void AppendMarkupEscaped(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      switch (c) {
        case '&':
          out += "&amp;";
          break;
        case '<':
          out += "&lt;";
          break;
        case '>':
          out += "&gt;";
          break;
        case '"':
          out += "&quot;";
          break;
        case '\'':
          out += "&#39;";  // HTML 4 knows no &apos;
          break;
        default:
          // XML 1.0 has no place for the other control characters, not even as references.
          if (u >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
      }
      ++i;
      continue;
    }
    const std::size_t n = Utf8Length(text, i);
    if (n == 0) {
      out += "\uFFFD";
      ++i;
    } else {
      out.append(text.substr(i, n));
      i += n;
    }
  }
}

std::string MarkupEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendMarkupEscaped(out, text);
  return out;
}

}  // namespace text
