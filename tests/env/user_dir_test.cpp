// POSIX behaviour; Windows has its own tests in *_win32_test.cpp.
#ifndef _WIN32

#include "env/user_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "temp_dir.h"

namespace {

// Sets or clears one environment variable and puts the old value back when it goes.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A temporary home with no configuration folder yet; XDG_CONFIG_HOME unset.
class UserDirTest : public testing::Test {
 protected:
  TempDir root_;
  std::string home_ = root_ / "home";
  ScopedEnv homeVar_{"HOME", home_.c_str()};
  ScopedEnv xdgVar_{"XDG_CONFIG_HOME", nullptr};
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directory(home_)); }
};

struct FolderRow {
  const char* Name;
  const char* Xdg;   // "@" stands for the temporary root; nullptr: unset
  const char* Home;  // as Xdg
  const char* Expected;
};

std::string Expand(const char* text, const std::string& root) {
  std::string s = text;
  if (auto at = s.find('@'); at != std::string::npos) s.replace(at, 1, root);
  return s;
}

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const FolderRow& row, std::ostream* os) { *os << row.Name; }

class ShellFolder : public testing::TestWithParam<FolderRow> {};

TEST_P(ShellFolder, NamesTheConfigurationFolder) {
  TempDir root;
  const FolderRow& row = GetParam();
  const std::string xdg = row.Xdg ? Expand(row.Xdg, root.Path()) : "";
  const std::string home = row.Home ? Expand(row.Home, root.Path()) : "";
  ScopedEnv xdgVar("XDG_CONFIG_HOME", row.Xdg ? xdg.c_str() : nullptr);
  ScopedEnv homeVar("HOME", row.Home ? home.c_str() : nullptr);
  std::int32_t status = -7;
  EXPECT_EQ(env::GetShellFolder(status), Expand(row.Expected, root.Path()));
  EXPECT_EQ(status, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Variables, ShellFolder,
    testing::Values(FolderRow{"HomeOnly", nullptr, "@/h", "@/h/.config"},
                    FolderRow{"HomeWithTrailingSlash", nullptr, "@/h/", "@/h/.config"},
                    FolderRow{"AbsoluteXdgWins", "@/cfg", "@/h", "@/cfg"},
                    FolderRow{"AbsoluteXdgTrailingSlash", "@/cfg//", "@/h", "@/cfg"},
                    FolderRow{"RelativeXdgIgnored", "cfg", "@/h", "@/h/.config"},
                    FolderRow{"EmptyXdgIgnored", "", "@/h", "@/h/.config"},
                    FolderRow{"HomeIsRoot", nullptr, "/", "/.config"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(ShellFolderFallback, WithoutHomeUsesThePasswordDatabase) {
  ScopedEnv xdgVar("XDG_CONFIG_HOME", nullptr);
  ScopedEnv homeVar("HOME", nullptr);
  const passwd* pw = getpwuid(getuid());
  if (!pw || !pw->pw_dir || pw->pw_dir[0] != '/')
    GTEST_SKIP() << "no home in the password database";
  const std::string home = pw->pw_dir;
  std::int32_t status = -7;
  EXPECT_EQ(env::GetShellFolder(status), (home == "/" ? "" : home) + "/.config");
  EXPECT_EQ(status, 0);
}

TEST_F(UserDirTest, CreatesTheSettingsFolderWithItsParents) {
  std::string dir = "stale";
  env::ForceUserDir("Brevik\\Zephlane", dir);
  EXPECT_EQ(dir, home_ + "/.config/Brevik/Zephlane/");
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  // A second call finds it and gives the same text.
  std::string again;
  env::ForceUserDir("Brevik\\Zephlane", again);
  EXPECT_EQ(again, dir);
}

TEST_F(UserDirTest, FileInTheWayFallsBackToTheProfileFolder) {
  std::filesystem::create_directories(home_ + "/.config");
  WriteBytes(home_ + "/.config/Brevik", "not a folder");
  std::string dir;
  env::ForceUserDir("Brevik\\Zephlane", dir);
  EXPECT_EQ(dir, home_ + "/.config/");
  EXPECT_EQ(ReadBytes(home_ + "/.config/Brevik"), "not a folder");
}

TEST(UserDir, SeparatorIsSlash) { EXPECT_EQ(env::PathSeparator(), '/'); }

}  // namespace

#endif  // _WIN32
