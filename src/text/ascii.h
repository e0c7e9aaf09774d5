#pragma once

#include <string>
#include <string_view>

// The ASCII rules every reader of names and numbers shares: which bytes are blank, trimming,
// and comparing without case. Only A-Z and a-z fold; every other byte, UTF-8 included, stays.
namespace text {

// A blank as a line of a settings file or a CSV cell has it.
constexpr bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }
// Every byte up to code 32 (controls and the space); a no-break space is not one of them.
constexpr bool IsControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

template <class Pred>
constexpr std::string_view TrimFront(std::string_view s, Pred blank) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  return s;
}
template <class Pred>
constexpr std::string_view TrimBack(std::string_view s, Pred blank) {
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}
template <class Pred>
constexpr std::string_view Trim(std::string_view s, Pred blank) {
  return TrimBack(TrimFront(s, blank), blank);
}

constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string LowerAscii(std::string_view s);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
bool EndsWithNoCase(std::string_view s, std::string_view suffix);

}  // namespace text
