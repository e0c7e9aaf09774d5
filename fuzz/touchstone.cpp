#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "touchstone/interpolate.h"
#include "touchstone/reader.h"

// Touchstone files. The first byte picks the ports a version 1 file's name would give (0 to 4)
// and the port asked for; the rest is the file. A file either loads frequencies that increase,
// or gives one message with a place in the text and loads nothing; the streaming reader and
// the collecting one agree; every frequency within the file's range interpolates.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int ports = data[0] % 5;
  const int port = 1 + (data[0] / 5) % 4;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  std::istringstream in(text);
  const touchstone::Loaded loaded =
      touchstone::ReadPoints(in, touchstone::ReadRequest{ports, port});
  if (loaded.Error) {
    FUZZ_CHECK(loaded.Points.empty());
    FUZZ_CHECK(!loaded.Error->Message.empty());
    FUZZ_CHECK(loaded.Error->Line >= 1 && loaded.Error->Column >= 1);
    return 0;
  }
  FUZZ_CHECK(!loaded.Points.empty());
  double last = -1.0;
  for (const touchstone::Point& p : loaded.Points) {
    FUZZ_CHECK(std::isfinite(p.FreqHz) && p.FreqHz >= 0.0 && p.FreqHz > last);
    last = p.FreqHz;
  }

  std::istringstream again(text);
  std::size_t streamed = 0;
  const auto error = touchstone::ReadStream(again, touchstone::ReadRequest{ports, port},
                                            [&](const touchstone::Point&) { ++streamed; });
  FUZZ_CHECK(!error && streamed == loaded.Points.size());

  // first + t (last - first) can round past last for far-apart frequencies: held inside.
  const double first = loaded.Points.front().FreqHz;
  const std::vector<touchstone::PolarPoint> polar = touchstone::ToPolar(loaded.Points);
  touchstone::SegmentCursor cursor(polar);
  for (const double t : {0.5, 0.0, 0.25, 1.0, 0.75, 0.25}) {
    const double f = std::min(first + t * (last - first), last);
    const touchstone::Interpolated at = touchstone::InterpolateAt(polar, f);
    FUZZ_CHECK(at.Error.empty());
    // A sweep's cursor gives the same values in any order of frequencies.
    const touchstone::PolarAt walked = cursor.At(f);
    const auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    FUZZ_CHECK(walked.Inside && same(walked.Mag, at.Mag) &&
               same(walked.PhaRad * (180.0 / 3.141592653589793), at.PhaDeg));
  }
  FUZZ_CHECK(
      !touchstone::InterpolateAt(loaded.Points, std::nextafter(last, INFINITY)).Error.empty());
  return 0;
}
