#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "env/file_system.h"
#include "env/ini_file.h"
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

}  // namespace

#endif  // _WIN32
