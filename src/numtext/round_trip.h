#pragma once

#include <string>

namespace numtext {

// A double as the shortest text that reads back to the same value ("0.1", "1e+300"), with the
// non-finite values as JSON's common extension writes them: "NaN", "Infinity", "-Infinity".
// For data that scripts read back, not for display.
void AppendRoundTrip(std::string& out, double x);

}  // namespace numtext
