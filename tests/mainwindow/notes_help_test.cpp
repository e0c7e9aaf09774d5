#include <string>

#include "window_fixture.h"

namespace mainwindow::tests {
namespace {

using Kind = env::PlatformEvent::Kind;

struct NoteRow {
  const char* Sheet;
  const char* Text;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const NoteRow& row, std::ostream* os) { *os << row.Sheet; }

class ShowNote : public ShownWindow, public ::testing::WithParamInterface<NoteRow> {};

TEST_P(ShowNote, ShowsTheNoteOfTheActiveSheet) {
  // State: the sheet is active. Action: Show Note. Expected: its note, titled Zephlane.
  form.UserPage(GetParam().Sheet);
  const auto cycles = form.CycleCount();
  form.UserClick("bShowNote");
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_EQ(platform.Events[0].What, Kind::Message);
  EXPECT_EQ(platform.Events[0].Title, "Zephlane");
  EXPECT_EQ(platform.Events[0].Text, GetParam().Text);
  // The focus left edAnodeV for the button: one cycle, and only that.
  EXPECT_EQ(form.CycleCount(), cycles + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShowNote,
    ::testing::Values(NoteRow{"tsTransm",
                              "Min & Max values result from all possible phases\r\n"
                              "of the source and load reflection coefficients,\r\n"
                              "obtained, e.g., by varying the length of the\r\n"
                              "interconnecting waveguide.\r\n\r\n"
                              "NAN = Not a number (result of 0/0)"},
                      NoteRow{"tsPowMeas",
                              "True Values are equal to Actual Values\r\n"
                              "in the Transmission tabsheet.\r\n"
                              "Min & Max values result from the finite directivity\r\n"
                              "of the measurement couplers.\r\n\r\n"
                              "NAN = Not a number (result of 0/0)"},
                      NoteRow{"tsLoadMeas",
                              "Min & Max values result from the finite directivity\r\n"
                              "of the measurement couplers.\r\n"
                              "Min & Max values are only meaningful if the Unit=Mag."}),
    [](const auto& rowInfo) { return std::string(rowInfo.param.Sheet); });

class HelpButtons : public ShownWindow {
 protected:
  void SetUp() override {
    ShownWindow::SetUp();
    form.ExeDir = "/opt/z/";
    form.PdfHelpFile = "/opt/z/ZephlaneHelp.pdf";
    form.TheoryFile = "/opt/z/ZephlaneTheory.pdf";
    form.MyHelp.Init(0);
    form.MyHelp.SetBasePath("/opt/z/WebHelp/Content/");
    form.MyHelp.HelpFile = "/opt/z/ZephlaneHelp.chm";
  }
};

TEST_F(HelpButtons, OpenTheirDocuments) {
  form.UserClick("bHelpHtm");
  form.UserClick("bHempPdf");
  form.UserClick("bTheory");
  ASSERT_EQ(platform.Events.size(), 3u);
  EXPECT_EQ(platform.Events[0].Path, "/opt/z/WebHelp/Content/Introduction.htm");
  EXPECT_EQ(platform.Events[1].Path, "/opt/z/ZephlaneHelp.pdf");
  EXPECT_EQ(platform.Events[2].Path, "/opt/z/ZephlaneTheory.pdf");
  for (const auto& e : platform.Events) EXPECT_EQ(e.What, Kind::Open);
}

TEST_F(HelpButtons, CompiledHelpAsksForTheIntroductionTopic) {
  form.bHelpChmClick();
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_EQ(platform.Events[0].What, Kind::Help);
  EXPECT_EQ(platform.Events[0].Path, "/opt/z/ZephlaneHelp.chm");
  EXPECT_EQ(platform.Events[0].Text, "Introduction");
}

}  // namespace
}  // namespace mainwindow::tests
