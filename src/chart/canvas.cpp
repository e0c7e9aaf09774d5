#include "chart/canvas.h"

namespace chart {

double EstimateTextWidth(std::string_view text, double size) {
  // Average advance of a sans-serif face is a little over half the em; narrow glyphs (digits'
  // punctuation, i, l) and wide ones (m, w, capitals) roughly balance in labels and titles.
  double ems = 0.0;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte: same code point
    if (c == '.' || c == ',' || c == ':' || c == 'i' || c == 'l' || c == '|' || c == '\'' ||
        c == ' ')
      ems += 0.3;
    else if (c == 'm' || c == 'w' || c == 'M' || c == 'W')
      ems += 0.85;
    else if (c >= 'A' && c <= 'Z')
      ems += 0.68;
    else
      ems += 0.56;
  }
  return ems * size;
}

}  // namespace chart
