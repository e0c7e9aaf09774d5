#include "env/text_encoding.h"

#include <cstdint>

namespace env {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUnit(std::string& out, char16_t unit, bool bigEndian) {
  const auto high = static_cast<char>(unit >> 8);
  const auto low = static_cast<char>(unit & 0xFF);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
}

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The code point that starts at text[i], and the bytes it takes; an ill-formed sequence
// (a stray continuation byte, a truncated or overlong one, a surrogate, beyond U+10FFFF) is
// one byte of U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t i, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[i]);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t need = 0;
  char32_t c = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    need = 1, c = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    need = 2, c = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    need = 3, c = lead & 0x07, smallest = 0x10000;
  } else {
    return kReplacement;
  }
  if (text.size() - i <= need) return kReplacement;
  for (std::size_t k = 1; k <= need; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
  length = need + 1;
  return c;
}

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return TextEncoding::Utf16Le;
  if (bytes.starts_with("\xFE\xFF")) return TextEncoding::Utf16Be;
  return TextEncoding::Utf8;
}

std::string ToUtf8(std::string bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return bytes;
  if (bytes.size() < 2) return {};
  const bool bigEndian = encoding == TextEncoding::Utf16Be;
  const std::size_t units = (bytes.size() - 2) / 2;
  auto unitAt = [&](std::size_t k) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[2 + 2 * k]);
    const auto b = static_cast<unsigned char>(bytes[3 + 2 * k]);
    return bigEndian ? (char32_t{a} << 8) | b : (char32_t{b} << 8) | a;
  };
  std::string out;
  // Mostly ASCII: one byte for every two read.
  out.reserve(units + units / 4);
  for (std::size_t k = 0; k < units; ++k) {
    const char32_t u = unitAt(k);
    if (IsHighSurrogate(u) && k + 1 < units && IsLowSurrogate(unitAt(k + 1))) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00));
      ++k;
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, u);
    }
  }
  if (bytes.size() % 2 != 0) AppendUtf8(out, kReplacement);
  return out;
}

std::string FromUtf8(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return std::string(text);
  const bool bigEndian = encoding == TextEncoding::Utf16Be;
  std::string out;
  out.reserve(2 + 2 * text.size());
  AppendUnit(out, 0xFEFF, bigEndian);
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    const char32_t c = NextCodePoint(text, i, length);
    i += length;
    if (c < 0x10000) {
      AppendUnit(out, static_cast<char16_t>(c), bigEndian);
    } else {
      const char32_t v = c - 0x10000;
      AppendUnit(out, static_cast<char16_t>(0xD800 + (v >> 10)), bigEndian);
      AppendUnit(out, static_cast<char16_t>(0xDC00 + (v & 0x3FF)), bigEndian);
    }
  }
  return out;
}

}  // namespace env
