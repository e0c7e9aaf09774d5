// The HTML help: every link and anchor resolves, every page is reachable from the start page,
// and the markup stays within what both browsers and the PDF manual's renderer understand.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "doc_files.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSourceHelp = fs::path(ZEPHLANE_DOCS_SOURCE_DIR) / "WebHelp" / "Content";
const fs::path kBuiltHelp = fs::path(ZEPHLANE_BIN_DIR) / "WebHelp" / "Content";
// The sets generated for each platform from the marked sources.
const fs::path kLinuxHelp = ZEPHLANE_WEBHELP_LINUX_DIR;
const fs::path kWindowsHelp = ZEPHLANE_WEBHELP_WINDOWS_DIR;

std::vector<fs::path> GeneratedPages() {
  std::vector<fs::path> pages = docs_test::HelpPages(kLinuxHelp);
  const std::vector<fs::path> windows = docs_test::HelpPages(kWindowsHelp);
  pages.insert(pages.end(), windows.begin(), windows.end());
  return pages;
}

// Documents generated at build time beside the executable; the help links to them.
bool IsGeneratedDocument(const fs::path& target) {
  const auto name = target.filename().string();
  return name == "ZephlaneHelp.pdf" || name == "ZephlaneTheory.pdf";
}

std::set<std::string> AnchorsOf(const std::string& html) {
  static const std::regex anchor(R"re(\s(?:name|id)="([^"]+)")re");
  std::set<std::string> names;
  for (std::sregex_iterator it(html.begin(), html.end(), anchor), end; it != end; ++it)
    names.insert((*it)[1].str());
  return names;
}

std::vector<std::string> LinksOf(const std::string& html) {
  static const std::regex link(R"re(\s(?:href|src)="([^"]*)")re");
  std::vector<std::string> links;
  for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it)
    links.push_back((*it)[1].str());
  return links;
}

std::string PageName(const testing::TestParamInfo<fs::path>& info) {
  const fs::path dir = info.param.parent_path();
  if (dir == kLinuxHelp) return "linux_" + info.param.stem().string();
  if (dir == kWindowsHelp) return "windows_" + info.param.stem().string();
  return info.param.stem().string();
}

class HelpPage : public testing::TestWithParam<fs::path> {};

TEST_P(HelpPage, EveryLinkResolvesInTheSourceTree) {
  const std::string html = docs_test::ReadAll(GetParam());
  for (const std::string& link : LinksOf(html)) {
    SCOPED_TRACE(link);
    ASSERT_FALSE(link.empty());
    EXPECT_EQ(link.find("://"), std::string::npos) << "the help must read offline";
    const auto hash = link.find('#');
    const std::string file = link.substr(0, hash);
    const fs::path target = file.empty() ? GetParam() : GetParam().parent_path() / file;
    if (IsGeneratedDocument(target)) continue;  // checked against the build tree below
    ASSERT_TRUE(fs::is_regular_file(target));
    if (hash != std::string::npos) {
      EXPECT_TRUE(AnchorsOf(docs_test::ReadAll(target)).count(link.substr(hash + 1)));
    }
  }
}

TEST_P(HelpPage, UsesOnlyMarkupThePdfRendererKnows) {
  // Qt's rich-text subset plus the head elements it ignores harmlessly; anything else would
  // silently vanish from the PDF manual.
  static const std::set<std::string> allowed = {
      "!doctype", "html", "head", "meta", "title", "link",      "body",   "h1",    "h2",
      "h3",       "p",    "a",    "b",    "i",     "em",        "strong", "code",  "kbd",
      "tt",       "sub",  "sup",  "br",   "ul",    "ol",        "li",     "table", "tr",
      "th",       "td",   "div",  "span", "pre",   "blockquote"};
  const std::string html = docs_test::ReadAll(GetParam());
  static const std::regex tag(R"re(<(!?[A-Za-z][A-Za-z0-9]*))re");
  for (std::sregex_iterator it(html.begin(), html.end(), tag), end; it != end; ++it) {
    std::string name = (*it)[1].str();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_TRUE(allowed.count(name)) << "<" << name << "> in " << GetParam().filename();
  }
  EXPECT_FALSE(std::regex_search(html, std::regex(R"re(\son[a-z]+=)re"))) << "no scripts";
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_EQ(std::count(html.begin(), html.end(), '\0'), 0);
  // The manual starts a new sheet at each page's one top heading.
  std::size_t headings = 0;
  for (auto pos = html.find("<h1"); pos != std::string::npos; pos = html.find("<h1", pos + 1))
    ++headings;
  EXPECT_EQ(headings, 1u);
}

INSTANTIATE_TEST_SUITE_P(SourcePages, HelpPage,
                         testing::ValuesIn(docs_test::HelpPages(kSourceHelp)), PageName);
// What a user reads is a platform's set, with one platform's passages left out.
INSTANTIATE_TEST_SUITE_P(GeneratedPages, HelpPage, testing::ValuesIn(GeneratedPages()), PageName);

class HelpSet : public testing::TestWithParam<fs::path> {};

TEST_P(HelpSet, EveryPageIsReachableFromTheStartPage) {
  const fs::path& dir = GetParam();
  std::set<std::string> reached{"Introduction.htm"};
  std::vector<std::string> queue{"Introduction.htm"};
  while (!queue.empty()) {
    const std::string page = queue.back();
    queue.pop_back();
    for (const std::string& link : LinksOf(docs_test::ReadAll(dir / page))) {
      const std::string file = link.substr(0, link.find('#'));
      if (fs::path(file).extension() == ".htm" && reached.insert(file).second)
        queue.push_back(file);
    }
  }
  const auto pages = docs_test::HelpPages(dir);
  EXPECT_EQ(pages.size(), docs_test::HelpPages(kSourceHelp).size());
  for (const auto& page : pages)
    EXPECT_TRUE(reached.count(page.filename().string())) << page.filename();
}

TEST_P(HelpSet, HoldsEverySourceFileWithoutAMarker) {
  for (const auto& source : fs::directory_iterator(kSourceHelp)) {
    const fs::path page = GetParam() / source.path().filename();
    ASSERT_TRUE(fs::is_regular_file(page)) << page;
    const std::string text = docs_test::ReadAll(page);
    for (const char* marker : {"<!--linux", "<!--/linux", "<!--windows", "<!--/windows"})
      EXPECT_EQ(text.find(marker), std::string::npos) << marker << " in " << page;
  }
}

INSTANTIATE_TEST_SUITE_P(Platforms, HelpSet, testing::Values(kLinuxHelp, kWindowsHelp),
                         [](const testing::TestParamInfo<fs::path>& p) {
                           return p.param == kLinuxHelp ? "linux" : "windows";
                         });

TEST(HelpTree, BuildPutsItsPlatformsHelpBesideTheExecutables) {
  // The program opens ExeDir/WebHelp/Content/Introduction.htm.
  ASSERT_TRUE(fs::is_regular_file(kBuiltHelp / "Introduction.htm"));
#ifdef _WIN32
  EXPECT_EQ(fs::weakly_canonical(kBuiltHelp), fs::weakly_canonical(kWindowsHelp));
#else
  EXPECT_EQ(fs::weakly_canonical(kBuiltHelp), fs::weakly_canonical(kLinuxHelp));
#endif
}

// Each platform's set tells what that platform does, and never what only the other one has.
struct PlatformText {
  const char* platform;
  const char* page;
  const char* has;     // on this page of this platform's set
  const char* hasNot;  // on no page of this platform's set
};

void PrintTo(const PlatformText& t, std::ostream* os) {
  *os << t.platform << " " << t.page << ": has \"" << t.has << "\", not \"" << t.hasNot << '"';
}

class PlatformTexts : public testing::TestWithParam<PlatformText> {};

TEST_P(PlatformTexts, AreThePlatformsOwn) {
  const PlatformText& t = GetParam();
  const fs::path dir = std::string(t.platform) == "linux" ? kLinuxHelp : kWindowsHelp;
  EXPECT_NE(docs_test::ReadAll(dir / t.page).find(t.has), std::string::npos);
  for (const auto& page : docs_test::HelpPages(dir))
    EXPECT_EQ(docs_test::ReadAll(page).find(t.hasNot), std::string::npos) << page.filename();
}

INSTANTIATE_TEST_SUITE_P(
    Sets, PlatformTexts,
    testing::Values(
        // Where the settings lie.
        PlatformText{"linux", "Settings.htm", "~/.config/Brevik/Zephlane", "%USERPROFILE%"},
        PlatformText{"windows", "Settings.htm", "%USERPROFILE%\\Brevik\\Zephlane", "~/.config"},
        PlatformText{"windows", "Settings.htm", "profile folder", "XDG_CONFIG_HOME"},
        // How the calculator is called.
        PlatformText{"linux", "CommandLine.htm", "man zephlane-calc", "zephlane-calc.exe"},
        PlatformText{"linux", "CommandLine.htm", "printf", "cmd.exe"},
        PlatformText{"windows", "CommandLine.htm", "zephlane-calc.exe", "man zephlane-calc"},
        PlatformText{"windows", "CommandLine.htm", "command prompt", "printf"},
        // The installation.
        PlatformText{"linux", "Introduction.htm", "Debian package", "Start menu"},
        PlatformText{"windows", "Introduction.htm", "Start menu", "Debian"},
        PlatformText{"windows", "Introduction.htm", "installer", "/usr/"},
        // The Windows window has no Ctrl+Q; its Quit is in the File menu and on Alt+F4.
        PlatformText{"linux", "Keyboard.htm", "Ctrl+Q", "Windows opens"},
        PlatformText{"windows", "Keyboard.htm", "Quit in the File menu", "Ctrl+Q"}),
    [](const testing::TestParamInfo<PlatformText>& p) {
      return std::string(p.param.platform) + "_" + std::to_string(p.index);
    });

TEST(HelpTree, LinksToTheGeneratedDocumentsResolveInTheBuildTree) {
  if (!ZEPHLANE_HAVE_PDFS) GTEST_SKIP() << "PDFs are built only with the GUI";
  for (const auto& page : docs_test::HelpPages(kBuiltHelp)) {
    for (const std::string& link : LinksOf(docs_test::ReadAll(page))) {
      const fs::path target = page.parent_path() / link.substr(0, link.find('#'));
      if (IsGeneratedDocument(target)) {
        EXPECT_TRUE(fs::is_regular_file(target)) << link;
      }
    }
  }
}

}  // namespace
