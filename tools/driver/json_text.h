#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Appending JSON values to a reply line. Texts always come out as valid UTF-8 (a byte that
// does not belong to a well-formed sequence becomes U+FFFD); doubles as the shortest text
// that reads back to the same value, the non-finite ones as Infinity, -Infinity and NaN.
namespace driver {

void AppendString(std::string& out, std::string_view s);
void AppendInt(std::string& out, std::int64_t v);
void AppendBool(std::string& out, bool b);

// How deeply arrays and objects nest in a request line, strings skipped; stops counting
// (returns a value above limit) as soon as limit is passed.
int NestingDepth(std::string_view line, int limit);

}  // namespace driver
