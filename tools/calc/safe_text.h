#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text from the user's input on its way into a message on a terminal: a cell can hold an
// escape sequence that retitles or clears the terminal, a NUL that would cut the message short,
// or bytes that are not UTF-8. Those come out as \xNN, the rest as it was.
namespace calc {

inline constexpr std::size_t kMaxQuotedChars = 64;

// Controls (C0, DEL) and bytes outside well-formed UTF-8 escaped.
std::string SafeMessage(std::string_view s);
// The same, cut after kMaxQuotedChars characters with "..." to show the cut.
std::string SafeCell(std::string_view s);

}  // namespace calc
