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
