// The Analysis window's band sheets in a window of their own under Wine: a load file held in the
// main window's form and given back, refused files and cases that change nothing, the extremes
// as the views compute them, and the files and line as the settings file keeps them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "env/scripted_platform.h"
#include "env/win32_text.h"
#include "mainwindow/form.h"
#include "temp_dir.h"
#include "views/texts.h"
#include "win32ui/band_sheets.h"

namespace {

const std::string kApplicator = "# GHz S MA R 50\n2.40 0.3 30\n2.45 0.3 30\n2.50 0.3 30\n";
const std::string kMalformed = "# GHz S MA R 50\n2.40 0.3 thirty\n";

std::string TextOfChild(HWND parent, int id) {
  wchar_t text[1024] = {};
  GetWindowTextW(GetDlgItem(parent, id), text, 1024);
  return env::win32::Narrow(text);
}

int Selection(HWND parent, int id) {
  return static_cast<int>(SendMessageW(GetDlgItem(parent, id), CB_GETCURSEL, 0, 0));
}

std::vector<std::string> FirstColumn(HWND list) {
  std::vector<std::string> out;
  const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int r = 0; r < rows; ++r) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
    out.push_back(env::win32::Narrow(text));
  }
  return out;
}

class BandSheetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    form.PrepareForShow();
    form.bEvaluateClick();
    typedMag = form.edLoaMag.Text;
    top = CreateWindowExW(0, L"STATIC", L"band", WS_OVERLAPPEDWINDOW, 0, 0, 900, 600, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    bands = std::make_unique<win32ui::BandSheets>(top, GetModuleHandleW(nullptr), font, 96, form,
                                                  [this](const std::function<void()>& a) {
                                                    ++actions;
                                                    a();
                                                  });
    bands->PlaceSheets(RECT{0, 0, 880, 560});
    applicator = File("applicator.s1p", kApplicator);
  }
  void TearDown() override {
    bands.reset();
    DestroyWindow(top);
  }
  std::string File(const std::string& name, const std::string& text) {
    const std::string path = dir / name;
    WriteBytes(path, text);
    return path;
  }
  std::string Message() const { return TextOfChild(bands->Handle(), win32ui::kBandMessageId); }
  std::string LoadName() const { return TextOfChild(bands->Handle(), win32ui::kBandLoadNameId); }

  TempDir dir;
  env::ScriptedPlatform platform;
  mainwindow::TForm1 form{platform};
  std::string typedMag;
  HWND top = nullptr;
  HFONT font = nullptr;
  int actions = 0;
  std::unique_ptr<win32ui::BandSheets> bands;
  std::string applicator;
};

TEST_F(BandSheetsTest, LoadFileHoldsTheWindowsLoadUntilForgotten) {
  // State: the typed load. Action: open a load file. Expected: the form holds the file's load.
  EXPECT_EQ(LoadName(), views::kFromWindow);
  ASSERT_TRUE(bands->OpenLoadPath(applicator)) << Message();
  ASSERT_TRUE(form.HeldLoad().has_value());
  EXPECT_EQ(form.HeldLoad()->FileName, "applicator.s1p");
  EXPECT_DOUBLE_EQ(form.HeldLoad()->FreqHz, 2.40e9);
  EXPECT_EQ(form.edLoaMag.Text, "0.3");
  EXPECT_GT(actions, 0);
  EXPECT_EQ(LoadName(), "applicator.s1p");
  EXPECT_EQ(Selection(bands->Handle(), win32ui::kBandChoiceId),
            static_cast<int>(views::BandChoice::WholeFile));
  EXPECT_EQ(TextOfChild(bands->Handle(), win32ui::kBandActiveId),
            "Showing applicator.s1p at 2.4 GHz");
  std::vector<std::string> quantities;
  for (const views::BandExtremeField& f : views::kBandExtremeFields) {
    quantities.emplace_back(f.Caption);
  }
  EXPECT_EQ(FirstColumn(GetDlgItem(bands->Handle(), win32ui::kBandExtremesId)), quantities);

  // Action: forget it. Expected: the typed load back, the band around the frequency again.
  bands->ForgetLoadFile();
  EXPECT_FALSE(form.HeldLoad().has_value());
  EXPECT_EQ(form.edLoaMag.Text, typedMag);
  EXPECT_EQ(LoadName(), views::kFromWindow);
  EXPECT_EQ(Selection(bands->Handle(), win32ui::kBandChoiceId),
            static_cast<int>(views::BandChoice::Around));
  EXPECT_EQ(TextOfChild(bands->Handle(), win32ui::kBandActiveId), "");
}

struct RefusedRow {
  const char* name;
  const char* file;  // written with kMalformed; nullptr: no file at that path
  std::string messageStart;
};

class RefusedFile : public BandSheetsTest, public testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedFile, ChangesNeitherTheSheetNorTheWindow) {
  const RefusedRow& row = GetParam();
  ASSERT_TRUE(bands->OpenLoadPath(applicator));
  const std::string path = row.file ? File(row.file, kMalformed) : dir / "gone.s2p";
  EXPECT_FALSE(bands->OpenLoadPath(path));
  EXPECT_EQ(Message().substr(0, row.messageStart.size()), row.messageStart) << Message();
  EXPECT_EQ(LoadName(), "applicator.s1p");
  ASSERT_TRUE(form.HeldLoad().has_value());
  EXPECT_EQ(form.HeldLoad()->FileName, "applicator.s1p");
  EXPECT_EQ(bands->Session().LoadPath(), applicator);
  // A refused source leaves the window's source in use.
  EXPECT_FALSE(bands->OpenSourcePath(path));
  EXPECT_EQ(TextOfChild(bands->Handle(), win32ui::kBandSourceNameId), views::kFromWindow);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedFile,
    testing::Values(RefusedRow{"Malformed", "bad.s1p", "bad.s1p: line 2, column 10: "},
                    RefusedRow{"Missing", nullptr, "gone.s2p: "}),
    [](const testing::TestParamInfo<RefusedRow>& p) { return std::string(p.param.name); });

TEST_F(BandSheetsTest, CaseWithAMissingFileChangesNothing) {
  views::BandInputs typed;
  typed.Spread = "10M";
  bands->SetInputs(typed);
  ASSERT_TRUE(bands->Recompute());
  views::BandInputs caseIn;
  caseIn.Frequency = "2.45G";
  caseIn.LengthM = "0.5";
  EXPECT_FALSE(bands->PutCase(caseIn, 1, applicator, dir / "moved.s1p"));
  EXPECT_EQ(Message().substr(0, 11), "moved.s1p: ");
  EXPECT_EQ(bands->Inputs(), typed);
  EXPECT_EQ(LoadName(), views::kFromWindow);

  // The same case with its files in place takes its inputs and the file; the window's load is
  // the caller's to hold once the case's typed values are in.
  ASSERT_TRUE(bands->PutCase(caseIn, 2, applicator, {}));
  EXPECT_EQ(bands->Inputs(), caseIn);
  EXPECT_EQ(bands->Session().LoadPort(), 1);  // a one-port file has only S11
  EXPECT_EQ(Selection(bands->Handle(), win32ui::kBandPortId), 0);
  EXPECT_EQ(LoadName(), "applicator.s1p");
  bands->HoldLoadInWindow();
  ASSERT_TRUE(form.HeldLoad().has_value());
  EXPECT_DOUBLE_EQ(form.HeldLoad()->FreqHz, 2.45e9);
}

TEST_F(BandSheetsTest, FilesAndLineRoundTripThroughTheSettings) {
  startup::FileSettings s;
  s.LoadPath = applicator;
  s.Frequency = "2.42G";
  s.LengthM = "0.25";
  s.Medium = 2;
  s.VelocityFactor = "1";
  s.LossDbPerM = "0.1";
  bands->RestoreFiles(s);
  EXPECT_EQ(Message(), "");
  EXPECT_EQ(bands->Files(), s);
  EXPECT_EQ(Selection(bands->Handle(), win32ui::kBandMediumId), 2);
  // A waveguide has no velocity factor of its own to type.
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(bands->Handle(), win32ui::kBandVelocityId)));
}

TEST_F(BandSheetsTest, EachSheetGivesItsKindOfChart) {
  ASSERT_TRUE(bands->OpenLoadPath(applicator));
  EXPECT_TRUE(
      std::holds_alternative<chart::XyChart>(bands->ChartOf(win32ui::BandSheets::kBandSheet)));
  EXPECT_TRUE(
      std::holds_alternative<chart::SmithChart>(bands->ChartOf(win32ui::BandSheets::kSmithSheet)));
  EXPECT_TRUE(
      std::holds_alternative<chart::ContourMap>(bands->ChartOf(win32ui::BandSheets::kMapSheet)));
  // Shown one at a time over the same page.
  bands->ShowSheet(win32ui::BandSheets::kSmithSheet);
  EXPECT_FALSE(IsWindowVisible(bands->Handle()));
  bands->ShowSheet(win32ui::BandSheets::kBandSheet);
  ShowWindow(top, SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(bands->Handle()));
}

}  // namespace
