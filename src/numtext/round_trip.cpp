#include "numtext/round_trip.h"

#include <array>
#include <charconv>
#include <cmath>

namespace numtext {

void AppendRoundTrip(std::string& out, double x) {
  if (std::isnan(x)) {
    out += "NaN";
  } else if (std::isinf(x)) {
    out += x > 0 ? "Infinity" : "-Infinity";
  } else {
    std::array<char, 32> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), x);
    out.append(buf.data(), r.ptr);
  }
}

}  // namespace numtext
