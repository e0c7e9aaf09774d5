#pragma once

#include <cstddef>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "text/ascii.h"

// The settings text: its lines, its sections and keys, quoting, and writing it.
//
// The file is UTF-8 bytes, "key=value" one per line, names compared without regard to ASCII
// case as on the desktop the file came from. Any byte, NUL included, is an ordinary character.
// Reading trims blanks around names and values, as files written by earlier versions expect.
// A text with a blank at either end or a line break is therefore written in double quotes,
// with "\\", "\n" and "\r" inside the quotes for a backslash and the line breaks. A file holding
// such a value starts with kQuotedMarker, and only in a file that carries it is a value in
// double quotes read without them: a value "12" in an earlier file reads "12", quotes and all.
namespace env::ini {

// The line end the file is written with: the platform's own, as its plain editors expect.
// Reading takes LF, CR LF and CR alike.
#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

inline constexpr std::string_view kQuotedMarker =
    "; Values in double quotes are read without them.";

using KeyList = std::vector<std::pair<std::string, std::string>>;

struct Section {
  std::string Name;
  KeyList Keys;  // in file order, values decoded
};

// Every section with at least a header, in file order; a section named twice is merged into
// its first place and a key given twice keeps its last value. One pass, any bytes.
std::vector<Section> Parse(const std::string& text);

// The text that Parse reads back to exactly these sections, keys and values.
std::string Format(const std::vector<Section>& sections);

// A section to write: its name and its keys, wherever they are kept.
struct SectionView {
  const std::string* Name;
  const KeyList* Keys;
};
std::string FormatSections(std::span<const SectionView> sections);

inline std::string Fold(std::string_view name) { return text::LowerAscii(name); }

bool IsQuoted(std::string_view v);
// The text inside the quotes; a backslash before anything but "\\", "n" or "r" is itself.
std::string Unquote(std::string_view v);

// Walks the text's lines once. header(name) is called for every line that names a section
// (the name trimmed and not empty) and answers whether its keys are wanted; key(key, value) is
// called, both trimmed and the value still quoted, for every key line under a wanted header.
// A header that names nothing ends the section above; keys before the first header belong to
// none. Lines under an unwanted header are only looked at for their first character. Returns
// whether the text carries kQuotedMarker.
template <class Header, class Key>
bool ScanLines(std::string_view text, Header&& header, Key&& key) {
  using text::IsSpaceOrTab;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  bool quoted = false;
  bool wanted = false;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    // A LF, a CR or both end a line; the library's search runs many bytes a step.
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* lineEnd = lf ? static_cast<const char*>(lf) : end;
    if (const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(lineEnd - p)))
      lineEnd = static_cast<const char*>(cr);
    std::string_view line(p, static_cast<std::size_t>(lineEnd - p));
    p = lineEnd < end ? lineEnd + 1 : end;
    line = text::TrimFront(line, IsSpaceOrTab);
    if (line.empty()) continue;
    const char first = line.front();
    if (first == '[') {
      line = text::TrimBack(line, IsSpaceOrTab);
      const std::size_t close = line.find(']');
      const std::string_view name = close == std::string_view::npos
                                        ? std::string_view()
                                        : text::Trim(line.substr(1, close - 1), IsSpaceOrTab);
      wanted = !name.empty() && header(name);
      continue;
    }
    if (first == ';' || first == '#') {
      quoted = quoted || text::TrimBack(line, IsSpaceOrTab) == kQuotedMarker;
      continue;
    }
    if (!wanted) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view name = text::TrimBack(line.substr(0, eq), IsSpaceOrTab);
    if (name.empty()) continue;
    key(name, text::Trim(line.substr(eq + 1), IsSpaceOrTab));
  }
  return quoted;
}

// Sections gathered from a scan: a section named twice merged into its first place, a key given
// twice keeping its first spelling and its last value.
class SectionCollector {
 public:
  // The place of the section folded under that name, made at the end when new.
  std::size_t Open(std::string_view name, std::string folded);
  void Add(std::size_t place, std::string_view key, std::string_view value);
  // The sections, their quoted values unquoted when the text carried the marker.
  std::vector<Section> Take(bool quoted);

 private:
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;
  std::unordered_map<std::string, std::size_t> keyIndex_;  // place ":" folded key -> key's place
};

}  // namespace env::ini
