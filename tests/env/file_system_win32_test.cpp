#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "env/file_system.h"
#include "env/ini_file.h"
#include "env/shell_open.h"
#include "env/win32_text.h"
#include "temp_dir.h"

namespace {

const std::string kOld = "[Zephlane]\r\nedAnodeV=4000\r\n";

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(env::win32::Widen(folder)))
    names.push_back(env::win32::Narrow(e.path().filename().wstring()));
  return names;
}

TEST(Win32FileSystem, ReadOnlyFileIsRefusedAndKept) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  WriteBytes(path, kOld);
  ASSERT_TRUE(SetFileAttributesW(env::win32::Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
  env::TIniFile ini(path);
  try {
    ini.WriteString("Zephlane", "edAnodeV", "4350");
    FAIL() << "no error";
  } catch (const env::IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"Zephlane.ini"});
  SetFileAttributesW(env::win32::Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32FileSystem, FolderInPlaceOfTheFileIsRefused) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  ASSERT_TRUE(CreateDirectoryW(env::win32::Widen(path).c_str(), nullptr));
  EXPECT_FALSE(env::RealFileSystem()->ReplaceFileAtomically(path, kOld));
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"Zephlane.ini"});
}

// The settings folder lies under the user's profile, whose name may be anything.
TEST(Win32FileSystem, ReplacesAndReadsUnderANonAsciiName) {
  TempDir dir;
  const std::string folder = dir / "J\u00fcrgen \u03bb";
  ASSERT_TRUE(CreateDirectoryW(env::win32::Widen(folder).c_str(), nullptr));
  const std::string path = folder + "\\Zephlane.ini";
  auto fs = env::RealFileSystem();
  ASSERT_TRUE(fs->ReplaceFileAtomically(path, kOld));
  ASSERT_TRUE(fs->ReplaceFileAtomically(path, "[Zephlane]\r\nudEff=5\r\n"));
  EXPECT_EQ(fs->ReadFile(path), std::optional<std::string>("[Zephlane]\r\nudEff=5\r\n"));
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"Zephlane.ini"});
  EXPECT_EQ(fs->ReadFile(folder + "\\missing.ini"), std::nullopt);
  EXPECT_EQ(fs->ReadFile(folder), std::nullopt);
}

// A link to the settings file stays a link and its target is replaced, or the save is refused;
// a link that leads nowhere is refused and stays. Creating links needs a privilege that not every
// account holds.
TEST(Win32FileSystem, SymbolicLinkIsFollowedAndNeverReplaced) {
  TempDir dir;
  const std::wstring real = env::win32::Widen(dir / "real.ini");
  const std::wstring link = env::win32::Widen(dir / "Zephlane.ini");
  const std::wstring dangling = env::win32::Widen(dir / "dangling.ini");
  WriteBytes(dir / "real.ini", kOld);
  constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  if (!CreateSymbolicLinkW(link.c_str(), real.c_str(), kUnprivileged) &&
      !CreateSymbolicLinkW(link.c_str(), real.c_str(), 0)) {
    GTEST_SKIP() << "this account may not create symbolic links";
  }
  ASSERT_TRUE(CreateSymbolicLinkW(dangling.c_str(), (real + L".missing").c_str(), kUnprivileged) ||
              CreateSymbolicLinkW(dangling.c_str(), (real + L".missing").c_str(), 0));
  // Wine's link functions only claim to make links.
  const DWORD made = GetFileAttributesW(link.c_str());
  if (made == INVALID_FILE_ATTRIBUTES || (made & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
    GTEST_SKIP() << "this system does not show symbolic links as reparse points";
  auto fs = env::RealFileSystem();
  // Where opening a link reaches the link itself and not its target, the save is refused.
  if (fs->ReplaceFileAtomically(dir / "Zephlane.ini", "[Zephlane]\r\nudEff=5\r\n"))
    EXPECT_EQ(ReadBytes(dir / "real.ini"), "[Zephlane]\r\nudEff=5\r\n");
  else
    EXPECT_EQ(ReadBytes(dir / "real.ini"), kOld);
  EXPECT_NE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
  EXPECT_FALSE(fs->ReplaceFileAtomically(dir / "dangling.ini", kOld));
  EXPECT_NE(GetFileAttributesW(dangling.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
}

TEST(Win32Shell, HelpViewerIsNamedByItsFullPathInTheWindowsFolder) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  ASSERT_GT(length, 0u);
  std::wstring expected(folder, length);
  if (expected.back() != L'\\') expected += L'\\';
  EXPECT_EQ(env::WindowsFolderProgram(L"hh.exe"), expected + L"hh.exe");
}

}  // namespace

#endif  // _WIN32
