#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// JSON text for the driver's replies and the calculator's output. Texts always come out as
// valid UTF-8 (a byte that does not belong to a well-formed sequence becomes U+FFFD).
namespace text {

void AppendJsonString(std::string& out, std::string_view s);
void AppendJsonInt(std::string& out, std::int64_t v);
void AppendJsonBool(std::string& out, bool b);

// A double as the shortest text that reads back to the same value ("0.1", "1e+300"), with the
// non-finite values as JSON's common extension writes them: "NaN", "Infinity", "-Infinity".
// For data that scripts read back, not for display.
void AppendRoundTrip(std::string& out, double x);

// How deeply arrays and objects nest in a line of JSON, strings skipped; stops counting
// (returns a value above limit) as soon as limit is passed.
int JsonNestingDepth(std::string_view line, int limit);

}  // namespace text
