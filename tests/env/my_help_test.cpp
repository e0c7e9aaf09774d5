#include "env/my_help.h"

#include <gtest/gtest.h>

#include "env/scripted_platform.h"

namespace {

using Kind = env::PlatformEvent::Kind;

struct ModeRow {
  const char* Name;
  std::uint8_t Mode;
  bool Shown;
  Kind What;
  const char* Path;  // the document, or the help file for a topic request
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const ModeRow& row, std::ostream* os) { *os << row.Name; }

class MyHelpMode : public testing::TestWithParam<ModeRow> {};

TEST_P(MyHelpMode, ShowTopicFollowsTheMode) {
  env::ScriptedPlatform platform;
  env::TMyHelp help;
  help.Init(0);
  help.SetBasePath("/opt/z/WebHelp/Content/");
  help.HelpFile = "/opt/z/ZephlaneHelp.chm";
  help.SetMode(GetParam().Mode);
  help.ShowTopic(platform, "Introduction");
  if (!GetParam().Shown) {
    EXPECT_TRUE(platform.Events.empty());
    return;
  }
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_EQ(platform.Events[0].What, GetParam().What);
  EXPECT_EQ(platform.Events[0].Path, GetParam().Path);
  if (GetParam().What == Kind::Help) {
    EXPECT_EQ(platform.Events[0].Text, "Introduction");
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, MyHelpMode,
                         testing::Values(ModeRow{"None", 0, false, Kind::Open, ""},
                                         ModeRow{"HtmlPage", 1, true, Kind::Open,
                                                 "/opt/z/WebHelp/Content/Introduction.htm"},
                                         ModeRow{"CompiledHelp", 2, true, Kind::Help,
                                                 "/opt/z/ZephlaneHelp.chm"},
                                         ModeRow{"UnknownThree", 3, false, Kind::Open, ""},
                                         ModeRow{"UnknownMax", 255, false, Kind::Open, ""}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(MyHelp, InitClearsTheBasePath) {
  env::TMyHelp help;
  help.SetBasePath("/opt/z/");
  help.SetMode(1);
  help.Init(2);
  EXPECT_EQ(help.BasePath, "");
  EXPECT_EQ(help.Mode, 2);
  env::ScriptedPlatform platform;
  help.OpenPage(platform, "Index");
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_EQ(platform.Events[0].Path, "Index.htm");
}

}  // namespace
