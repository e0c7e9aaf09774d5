// The generated PDFs and the theory document's worked example.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <string_view>

#include "doc_files.h"

namespace fs = std::filesystem;

namespace {

const fs::path kBin = ZEPHLANE_BIN_DIR;

// The PDFs and the worked example exist only in a build with the GUI (Qt renders them).
class GeneratedDocuments : public testing::Test {
 protected:
  void SetUp() override {
    if (!ZEPHLANE_HAVE_PDFS) GTEST_SKIP() << "PDFs are built only with the GUI";
  }
};

// Page objects of an uncompressed-xref PDF ("/Type /Page", not "/Type /Pages").
int CountPages(const std::string& pdf) {
  int pages = 0;
  constexpr std::string_view kKey = "/Type /Page";
  for (auto pos = pdf.find(kKey); pos != std::string::npos; pos = pdf.find(kKey, pos + 1)) {
    const auto next = pos + kKey.size();
    if (next >= pdf.size() || pdf[next] != 's') ++pages;
  }
  return pages;
}

void ExpectWellFormedPdf(const fs::path& path, int minPages) {
  ASSERT_TRUE(fs::is_regular_file(path)) << path;
  const std::string pdf = docs_test::ReadAll(path);
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u) << path;
  const auto eof = pdf.rfind("%%EOF");
  ASSERT_NE(eof, std::string::npos) << path;
  EXPECT_EQ(pdf.find_first_not_of(" \r\n", eof + 5), std::string::npos) << "trailing bytes";
  EXPECT_NE(pdf.rfind("startxref"), std::string::npos);
  EXPECT_GE(CountPages(pdf), minPages) << path;
}

TEST_F(GeneratedDocuments, ManualIsAWellFormedPdfWithASheetPerHelpPage) {
  const auto pages = docs_test::HelpPages(kBin / "WebHelp" / "Content");
  ExpectWellFormedPdf(kBin / "ZephlaneHelp.pdf", static_cast<int>(pages.size()));
}

TEST_F(GeneratedDocuments, TheoryIsAWellFormedPdf) {
  ExpectWellFormedPdf(kBin / "ZephlaneTheory.pdf", 3);
}

std::map<std::string, std::string> ExampleValues() {
  std::map<std::string, std::string> values;
  const std::string text = docs_test::ReadAll(ZEPHLANE_THEORY_VALUES);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto end = text.find('\n', pos);
    const std::string line = text.substr(pos, end - pos);
    const auto eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return values;
}

struct Published {
  const char* name;
  double value;  // worked by hand from the default inputs, six significant digits
};

void PrintTo(const Published& row, std::ostream* os) { *os << row.name << " " << row.value; }

class WorkedExample : public GeneratedDocuments, public testing::WithParamInterface<Published> {};

TEST_P(WorkedExample, DocumentShowsTheHandWorkedValue) {
  const auto values = ExampleValues();
  const auto it = values.find(GetParam().name);
  ASSERT_NE(it, values.end()) << GetParam().name;
  double shown = 0.0;
  const auto& text = it->second;
  ASSERT_EQ(std::from_chars(text.data(), text.data() + text.size(), shown).ec, std::errc());
  // Six significant digits: the document's number is the published one to within half a unit
  // of its last digit.
  EXPECT_NEAR(shown, GetParam().value, std::fabs(GetParam().value) * 5e-6) << text;
}

INSTANTIATE_TEST_SUITE_P(
    DefaultInputs, WorkedExample,
    testing::Values(Published{"Pmatch", 1002.24}, Published{"Pav", 1044},
                    Published{"SrcRfl.Mism", 0.96}, Published{"LoaRfl.Mism", 0.75},
                    Published{"Interf", 0.990099}, Published{"InterfMin", 0.826446},
                    Published{"InterfMax", 1.23457}, Published{"TrGain", 0.712871},
                    Published{"TrGainMin", 0.595041}, Published{"TrGainMax", 0.888889},
                    Published{"Pinc", 992.317}, Published{"PincMin", 828.298},
                    Published{"PincMax", 1237.33}, Published{"Prefl", 248.079},
                    Published{"PreflMin", 207.074}, Published{"PreflMax", 309.333},
                    Published{"Pload", 744.238}, Published{"PloadMin", 621.223},
                    Published{"PloadMax", 928}, Published{"ErrInciMinus", 0.9025},
                    Published{"ErrInciPlus", 1.1025}, Published{"PincMinV", 895.566},
                    Published{"PincMaxV", 1094.03}, Published{"ErrReflMinus", 0.64},
                    Published{"ErrReflPlus", 1.44}, Published{"PreflMinV", 158.771},
                    Published{"PreflMaxV", 357.234}, Published{"PloadMinV", 538.332},
                    Published{"PloadMaxV", 935.259}, Published{"PloadMinRelat", 0.723333},
                    Published{"PloadMaxRelat", 1.25667}, Published{"MeaMin.Mag", 0.380952},
                    Published{"MeaMin.Rloss", -8.38259}, Published{"MeaMin.Swr", 2.23077},
                    Published{"MeaMax.Mag", 0.631579}, Published{"MeaMax.Rloss", -3.99145},
                    Published{"MeaMax.Swr", 4.42857}),
    [](const testing::TestParamInfo<Published>& row) {
      std::string name = row.param.name;
      std::erase(name, '.');
      return name;
    });

TEST_F(GeneratedDocuments, ExampleWindowTextsUseTheWindowsUnitPrefixes) {
  // Worked by hand: 1002.24 W is shown as 1 kW, 1237.33 W as 1.24 kW, 96.75 W below the true
  // incident power as -96.75 W.
  const auto values = ExampleValues();
  EXPECT_EQ(values.at("show:lbPmatch2"), "1 kW");
  EXPECT_EQ(values.at("show:lbPav"), "1.04 kW");
  EXPECT_EQ(values.at("show:lbPincMax2"), "1.24 kW");
  EXPECT_EQ(values.at("show:lbPinc2"), "992.32 W");
  EXPECT_EQ(values.at("show:lbPincMinE"), "-96.75 W");
  EXPECT_EQ(values.at("show:lbInterf2"), "0.9901");
  EXPECT_EQ(values.at("show:lbMagMinE"), "-11.9");
}

TEST_F(GeneratedDocuments, RenderedTheoryHoldsEveryExampleValueAndNoPlaceholder) {
  const std::string html = docs_test::ReadAll(ZEPHLANE_THEORY_EXPANDED);
  EXPECT_EQ(html.find("{{"), std::string::npos);
  for (const auto& [name, value] : ExampleValues()) {
    if (name.rfind("caption:", 0) == 0) continue;  // captions are quoted through show:
    EXPECT_NE(html.find(value), std::string::npos) << name << " = " << value;
  }
}

}  // namespace
