#include "lines/load_through_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "touchstone/reader.h"

namespace {

std::vector<touchstone::Point> Points(const std::string& text) {
  std::istringstream in(text);
  return touchstone::ReadPoints(in, touchstone::ReadRequest{1, 1}).Points;
}

// A quarter wave of air line at 2.45 GHz (30.59 mm) with the file's load at its far end.
TEST(FileLoadThroughLine, TurnsTheInterpolatedLoad) {
  const auto points = Points("# GHz RI\n2.4 0.5 0\n2.5 0.3 0\n");
  const lines::Line line =
      lines::MakeLine(299792458.0 / 2.45e9 / 4.0, lines::TemMedium(1.0).Value, 0.0).Value;
  const lines::Result<rf::TComplex> at = lines::FileLoadThroughLine(points, line, 2.45e9);
  ASSERT_EQ(at.Error, "");
  // 0.4 halfway, then half a turn: -0.4.
  EXPECT_NEAR(at.Value.Re, -0.4, 1e-12);
  EXPECT_NEAR(at.Value.Im, 0.0, 1e-12);
}

TEST(FileLoadThroughLine, NamesWhatIsMissing) {
  const auto points = Points("# GHz RI\n2.4 0.5 0\n2.5 0.3 0\n");
  const lines::Line air = lines::MakeLine(1.0, lines::TemMedium(1.0).Value, 0.0).Value;
  EXPECT_EQ(lines::FileLoadThroughLine(points, air, 2.6e9).Error,
            "2600000000 Hz lies outside the file's frequencies, 2400000000 Hz to 2500000000 Hz");
  // The file covers 1.5 GHz, the guide carries nothing there.
  const auto wide = Points("# GHz RI\n1 0.5 0\n3 0.3 0\n");
  const lines::Line guide = lines::MakeLine(1.0, lines::FindWaveguide("WR340").Value, 0.0).Value;
  EXPECT_EQ(lines::FileLoadThroughLine(wide, guide, 1.5e9).Error,
            "1.5 GHz lies at or below the TE10 cutoff of WR-340, 1.735713628994905 GHz");
}

TEST(FirstFrequency, IsTheFilesFirstAboveZero) {
  EXPECT_EQ(lines::FirstFrequencyHz(Points("# GHz RI\n2.4 0.5 0\n2.5 0.3 0\n")), 2.4e9);
  EXPECT_EQ(lines::FirstFrequencyHz(Points("# GHz RI\n0 0.5 0\n0.9 0.3 0\n")), 0.9e9);
  EXPECT_EQ(lines::FirstFrequencyHz({}), 2.45e9);
}

TEST(FileBand, IsTheFilesWholeRange) {
  const auto points = Points("# GHz RI\n2.4 0.5 0\n2.45 0.4 0\n2.5 0.3 0\n");
  const lines::Result<lines::Band> band = lines::FileBand(points);
  ASSERT_EQ(band.Error, "");
  EXPECT_EQ(band.Value.FromHz, 2.4e9);
  EXPECT_EQ(band.Value.ToHz, 2.5e9);
  EXPECT_EQ(lines::FileBand({}).Error, "no frequencies are loaded");
  EXPECT_EQ(lines::FileBand(Points("# GHz RI\n0 0.5 0\n1 0.5 0\n")).Error,
            "the band's start: a frequency must be above zero");
  // A source's match without a line: the file's value itself.
  const lines::Result<rf::TComplex> src = lines::FileReflectionAt(points, 2.45e9);
  EXPECT_EQ(src.Value.Re, 0.4);
  EXPECT_EQ(src.Value.Im, 0.0);
}

}  // namespace

namespace {

// A file whose phase wraps between points, so the cursor's segments and the unwrapping both
// matter.
std::vector<touchstone::PolarPoint> WrappingFile() {
  return touchstone::ToPolar(
      Points("# GHz MA\n2.40 0.50 170\n2.42 0.45 -170\n2.44 0.40 -120\n2.46 0.42 -60\n"
             "2.48 0.47 10\n2.50 0.52 90\n"));
}

double Deg(rf::TComplex z) { return std::atan2(z.Im, z.Re) * 180.0 / 3.141592653589793; }

// The sweep's polar path against the rectangular one at every frequency of every order a sweep
// may ask them in: forward, backward, jumping, repeating, on the file's points and at its ends.
TEST(ReflectionAlongBand, AgreesWithTheRectangularPathInAnyOrder) {
  const auto points = WrappingFile();
  const lines::Line guide = lines::MakeLine(1.37, lines::FindWaveguide("WR340").Value, 0.05).Value;
  const std::vector<std::vector<double>> orders = {
      {2.40e9, 2.405e9, 2.41e9, 2.43e9, 2.45e9, 2.47e9, 2.49e9, 2.50e9},
      {2.50e9, 2.47e9, 2.44e9, 2.42e9, 2.401e9, 2.40e9},
      {2.45e9, 2.41e9, 2.49e9, 2.40e9, 2.50e9, 2.43e9, 2.43e9, 2.48e9},
      {2.42e9, 2.42e9, 2.44e9, 2.46e9, 2.48e9},
  };
  for (const auto& order : orders) {
    lines::ReflectionAlongBand along(points, guide);
    for (const double hz : order) {
      const auto polar = along.At(hz);
      const auto rect = lines::FileLoadThroughLine(points, guide, hz);
      ASSERT_TRUE(polar.Ok() && rect.Ok()) << hz;
      EXPECT_NEAR(polar.Value.Mag, std::hypot(rect.Value.Re, rect.Value.Im), 1e-14) << hz;
      EXPECT_NEAR(polar.Value.PhaDeg, Deg(rect.Value), 1e-9) << hz;
      EXPECT_GE(polar.Value.PhaDeg, -180.0);
      EXPECT_LE(polar.Value.PhaDeg, 180.0);
    }
  }
}

TEST(ReflectionAlongBand, RefusesWhatThePointPathRefuses) {
  const auto points = WrappingFile();
  const lines::Line guide = lines::MakeLine(1.0, lines::FindWaveguide("WR430").Value, 0.0).Value;
  const lines::Line air = lines::MakeLine(1.0, lines::TemMedium(1.0).Value, 0.0).Value;
  struct Case {
    lines::Line Line;
    double Hz;
  };
  for (const Case& c :
       {Case{air, 2.39e9}, Case{air, 2.51e9}, Case{air, std::nan("")}, Case{guide, 2.45e9}}) {
    lines::ReflectionAlongBand along(points, c.Line);
    along.At(2.45e9);  // a segment found before must not change the verdict
    EXPECT_EQ(along.At(c.Hz).Error, lines::FileLoadThroughLine(points, c.Line, c.Hz).Error) << c.Hz;
  }
  // No points at all, as the interpolation says it.
  lines::ReflectionAlongBand none(std::span<const touchstone::PolarPoint>{}, air);
  EXPECT_FALSE(none.At(2.45e9).Ok());
}

// A typed load through a lossless line of no length stays exactly as typed, and a source
// file without a line gives the file's own values at its points.
TEST(ReflectionAlongBand, FixedAndUnturnedValuesStayExact) {
  const lines::Line none = lines::MakeLine(0.0, lines::TemMedium(1.0).Value, 0.0).Value;
  lines::ReflectionAlongBand typed(lines::PolarReflection{0.5, 30.0}, none);
  const auto at = typed.At(2.45e9);
  EXPECT_EQ(at.Value.Mag, 0.5);
  EXPECT_EQ(at.Value.PhaDeg, 30.0);
  const auto points = WrappingFile();
  lines::ReflectionAlongBand src(points);
  for (const auto& p : points) {
    const auto v = src.At(p.FreqHz);
    EXPECT_EQ(v.Value.Mag, p.Mag);
    EXPECT_EQ(v.Value.PhaDeg, p.PhaRad * (180.0 / 3.141592653589793));
  }
}

}  // namespace
