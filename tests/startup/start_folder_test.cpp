#include "startup/start_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace startup {
namespace {

TEST(StartFolder, LastFolderWhileItExistsThenDocumentsThenHome) {
  struct Row {
    const char* name;
    std::set<std::string> folders;  // what exists
    std::string last, documents, home;
    std::string starts;
  };
  const std::vector<Row> rows{
      {"FirstUse", {"/h/Docs", "/h"}, "", "/h/Docs", "/h", "/h/Docs"},
      {"LastUsed", {"/h/Docs", "/h", "/h/cases"}, "/h/cases", "/h/Docs", "/h", "/h/cases"},
      {"LastRemoved", {"/h/Docs", "/h"}, "/h/cases", "/h/Docs", "/h", "/h/Docs"},
      {"NoDocuments", {"/h"}, "/gone", "/h/Docs", "/h", "/h"},
      {"DesktopNamesNone", {"/h"}, "", "", "/h", "/h"},
      {"Nothing", {}, "/a", "/b", "/c", ""},
  };
  for (const Row& r : rows) {
    const auto isFolder = [&](const std::string& p) { return r.folders.count(p) != 0; };
    EXPECT_EQ(StartFolder(r.last, r.documents, r.home, isFolder), r.starts) << r.name;
  }
}

TEST(StartFolder, ChosenFilesFolderIsKept) {
  EXPECT_EQ(FolderOfChosen("/h/cases/tuned.zcase"), "/h/cases");
  EXPECT_EQ(FolderOfChosen("tuned.zcase"), "");
}

}  // namespace
}  // namespace startup
