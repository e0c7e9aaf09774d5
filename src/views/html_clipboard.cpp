#include "views/html_clipboard.h"

#include <charconv>

namespace views {

namespace {

constexpr std::string_view kVersion = "Version:0.9\r\n";
constexpr std::string_view kStartHtml = "StartHTML:";
constexpr std::string_view kEndHtml = "EndHTML:";
constexpr std::string_view kStartFragment = "StartFragment:";
constexpr std::string_view kEndFragment = "EndFragment:";
constexpr std::string_view kBefore = "<html><body>\r\n<!--StartFragment-->";
constexpr std::string_view kAfter = "<!--EndFragment-->\r\n</body></html>";
constexpr std::size_t kDigits = 10;

void AppendField(std::string& out, std::string_view name, std::size_t value) {
  std::string digits(kDigits, '0');
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  const auto length = static_cast<std::size_t>(end - buffer);
  // A document past ten digits of bytes (10 GB) cannot be on a clipboard; keep the low digits
  // rather than widen a field whose width the header's own length depends on.
  const std::size_t from = length > kDigits ? length - kDigits : 0;
  digits.replace(kDigits - (length - from), length - from, buffer + from, length - from);
  out += name;
  out += digits;
  out += "\r\n";
}

long long FieldValue(std::string_view document, std::string_view name) {
  // Only the header is searched: a fragment may well contain the same words.
  const std::size_t headerEnd = document.find('<');
  const std::string_view header = document.substr(0, headerEnd);
  const std::size_t at = header.find(name);
  if (at == std::string_view::npos) return -1;
  const char* first = header.data() + at + name.size();
  const char* last = header.data() + header.size();
  long long v = -1;
  const auto [end, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || end == first) return -1;
  return v;
}

}  // namespace

std::string HtmlClipboardDocument(std::string_view fragment) {
  const std::size_t headerSize = kVersion.size() + kStartHtml.size() + kEndHtml.size() +
                                 kStartFragment.size() + kEndFragment.size() + 4 * (kDigits + 2);
  const std::size_t startHtml = headerSize;
  const std::size_t startFragment = startHtml + kBefore.size();
  const std::size_t endFragment = startFragment + fragment.size();
  const std::size_t endHtml = endFragment + kAfter.size();
  std::string out;
  out.reserve(endHtml);
  out += kVersion;
  AppendField(out, kStartHtml, startHtml);
  AppendField(out, kEndHtml, endHtml);
  AppendField(out, kStartFragment, startFragment);
  AppendField(out, kEndFragment, endFragment);
  out += kBefore;
  out += fragment;
  out += kAfter;
  return out;
}

HtmlClipboardOffsets ReadHtmlClipboardOffsets(std::string_view document) {
  HtmlClipboardOffsets o;
  o.StartHtml = FieldValue(document, kStartHtml);
  o.EndHtml = FieldValue(document, kEndHtml);
  o.StartFragment = FieldValue(document, kStartFragment);
  o.EndFragment = FieldValue(document, kEndFragment);
  return o;
}

}  // namespace views
