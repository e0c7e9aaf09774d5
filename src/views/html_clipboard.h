#pragma once

#include <string>
#include <string_view>

// The "HTML Format" that Windows programs paste from the clipboard: a header of byte offsets
// into the UTF-8 document, then the document with the fragment between its two markers. Word,
// Excel and the browsers read the offsets, not the markup, so each must be exact.
namespace views {

// A document around the fragment (UTF-8 HTML, e.g. a <table>), its header filled in: every
// offset counts bytes from the first byte of the header, written with ten digits.
std::string HtmlClipboardDocument(std::string_view fragment);

// The offsets a header names, read back; -1 for a field that is missing or not a number.
struct HtmlClipboardOffsets {
  long long StartHtml = -1;
  long long EndHtml = -1;
  long long StartFragment = -1;
  long long EndFragment = -1;
};
HtmlClipboardOffsets ReadHtmlClipboardOffsets(std::string_view document);

}  // namespace views
