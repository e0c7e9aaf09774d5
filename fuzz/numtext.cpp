#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "numtext/format.h"
#include "numtext/parse.h"

// The number texts. The first 8 bytes are a double and the ninth a decimal count: every
// display text of a finite value reads back, through the window's own parser, to the value it
// shows. All bytes are also user text: the parsers stay within their limits or give the default.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= 9) {
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    const int decimals = data[8] % 36;
    if (std::isfinite(x)) {
      const std::string text = numtext::FloatToText(x, decimals);
      double shown = 0;
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), shown);
      FUZZ_CHECK(ec == std::errc() && end == text.data() + text.size());
      constexpr double kMax = std::numeric_limits<double>::max();
      const double back = numtext::TextToFloat(text, std::nan(""), -kMax, kMax, false);
      FUZZ_CHECK(back == shown);
      // The text keeps the sign of what it shows.
      FUZZ_CHECK(shown == 0 || std::signbit(shown) == std::signbit(x));
    }
  }

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double f = numtext::TextToFloat(text, 7.0, -1.0, 1.0, true);
  FUZZ_CHECK(std::isnan(f) || f == 7.0 || (f >= -1.0 && f <= 1.0));
  const double g = numtext::TextToFloat(text, 7.0, -1.0, 1.0, false);
  FUZZ_CHECK(std::isnan(g) || g == 7.0 || (g >= -1.0 && g <= 1.0));
  const std::int32_t i = numtext::TextToInt(text, 5, -10, 10, true);
  FUZZ_CHECK(i >= -10 && i <= 10);
  const std::int32_t j = numtext::TextToInt(text, 50, -10, 10, false);
  FUZZ_CHECK(j >= -10 && j <= 10);
  return 0;
}
