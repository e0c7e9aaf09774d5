#pragma once

#include <string>
#include <string_view>

// Text made safe inside XML and HTML markup, element content and quoted attributes alike: the
// five markup characters as entities, control characters that XML 1.0 does not allow dropped,
// and malformed UTF-8 as U+FFFD, so that a stray byte in a caption never breaks a whole file.
namespace text {

void AppendMarkupEscaped(std::string& out, std::string_view text);
std::string MarkupEscaped(std::string_view text);

}  // namespace text
