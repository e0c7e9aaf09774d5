#include "mainwindow/caption_version.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct Caption {
  const char* name;
  const char* caption;
  const char* version;
};
void PrintTo(const Caption& row, std::ostream* os) { *os << row.name; }

class VersionOfCaption : public testing::TestWithParam<Caption> {};

TEST_P(VersionOfCaption, ShowsTheVersionPart) {
  EXPECT_EQ(mainwindow::VersionOfCaption(GetParam().caption), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, VersionOfCaption,
    testing::Values(Caption{"Versioned", "Zephlane V 2.1.0.0", "2.1.0.0"},
                    // No version information: the creation handler leaves the prefix alone.
                    Caption{"PrefixOnly", "Zephlane V ", ""},
                    Caption{"DesignCaption", "Zephlane", "Zephlane"}, Caption{"Empty", "", ""},
                    // Only a leading prefix is the program's own.
                    Caption{"PrefixLater", "My Zephlane V 1", "My Zephlane V 1"}),
    [](const testing::TestParamInfo<Caption>& p) { return std::string(p.param.name); });

}  // namespace
