#include <gtest/gtest.h>

#include <string>

#include "read_text.h"
#include "temp_dir.h"
#include "touchstone/reader.h"

namespace {

using touchstone_test::ErrorOf;

const std::string kTwoPort = "# GHz S RI\n1 .11 0 .21 0 .12 0 .22 0\n2 .11 0 .21 0 .12 0 .33 0\n";

TEST(ReadFile, TakesThePortsFromTheName) {
  TempDir dir;
  WriteBytes(dir / "applicator.S2P", kTwoPort);
  const touchstone::Loaded l = touchstone::ReadFile(dir / "applicator.S2P", 2);
  ASSERT_FALSE(l.Error) << ErrorOf(l);
  ASSERT_EQ(l.Points.size(), 2u);
  EXPECT_EQ(l.Points[1].Refl.Re, 0.33);
  // Read as one port, the same numbers are too many for a line.
  WriteBytes(dir / "applicator.s1p", kTwoPort);
  EXPECT_EQ(ErrorOf(touchstone::ReadFile(dir / "applicator.s1p", 1)),
            "line 2, column 9: expected the end of the line: the data of one frequency is "
            "complete here");
}

TEST(ReadFile, VersionTwoNamesItsOwnPorts) {
  TempDir dir;
  WriteBytes(dir / "tuner.ts",
             "[Version] 2.0\n# GHz S RI\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n"
             "[Number of Frequencies] 1\n[Network Data]\n1 .11 0 .12 0 .21 0 .22 0\n[End]\n");
  const touchstone::Loaded l = touchstone::ReadFile(dir / "tuner.ts", 2);
  ASSERT_FALSE(l.Error) << ErrorOf(l);
  EXPECT_EQ(l.Points[0].Refl.Re, 0.22);
  WriteBytes(dir / "tuner.txt", kTwoPort);
  EXPECT_EQ(ErrorOf(touchstone::ReadFile(dir / "tuner.txt", 1)),
            "line 2, column 1: the number of ports is not known: the file's name should end in "
            ".s1p, .s2p, .s3p or .s4p");
}

TEST(ReadFile, SaysWhenThereIsNoFile) {
  TempDir dir;
  EXPECT_EQ(ErrorOf(touchstone::ReadFile(dir / "missing.s1p", 1)), "cannot open the file");
  EXPECT_EQ(ErrorOf(touchstone::ReadFile(dir.Path(), 1)), "cannot open the file");
  // A name in UTF-8.
  WriteBytes(dir /
                 "k\xC3\xBC"
                 "hler.s1p",
             "1 0.5 0\n");
  EXPECT_FALSE(touchstone::ReadFile(dir / "k\xC3\xBC"
                                          "hler.s1p",
                                    1)
                   .Error);
}

}  // namespace
