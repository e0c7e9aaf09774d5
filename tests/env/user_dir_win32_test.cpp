#ifdef _WIN32

#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "env/shell_folder_win32.h"
#include "env/user_dir.h"
#include "env/win32_text.h"
#include "temp_dir.h"

namespace {

using env::win32::ShellFolderServices;

// What the fake shell answers, and what it was asked.
struct FakeShell {
  HRESULT Result = S_OK;
  std::string Path;  // UTF-8; handed out as UTF-16 (known) or as it stands (legacy)
  bool AskedForProfile = false;
  int Calls = 0;
};
FakeShell gShell;

HRESULT WINAPI FakeKnown(const GUID& folder, DWORD flags, HANDLE token, PWSTR* path) {
  ++gShell.Calls;
  gShell.AskedForProfile =
      IsEqualGUID(folder, env::win32::kFolderIdProfile) && flags == 0 && token == nullptr;
  // Like the real service, the buffer is allocated whether or not the call succeeds; the
  // caller must free it either way.
  const std::wstring text = env::win32::Widen(gShell.Path);
  auto* buffer = static_cast<PWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (buffer != nullptr) std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  *path = buffer;
  return gShell.Result;
}

HRESULT WINAPI FakeLegacy(HWND owner, int csidl, HANDLE token, DWORD flags, LPSTR path) {
  ++gShell.Calls;
  gShell.AskedForProfile = owner == nullptr && csidl == 0x0028 && token == nullptr && flags == 0;
  if (gShell.Result == S_OK) std::strncpy(path, gShell.Path.c_str(), MAX_PATH - 1);
  return gShell.Result;
}

// Plays a given shell for one test and puts the real services back afterwards.
class ScopedShell {
 public:
  ScopedShell(ShellFolderServices fake, HRESULT result, std::string path)
      : saved_(env::win32::ShellServices()) {
    gShell = FakeShell{result, std::move(path)};
    env::win32::ShellServices() = fake;
  }
  ~ScopedShell() { env::win32::ShellServices() = saved_; }
  ScopedShell(const ScopedShell&) = delete;
  ScopedShell& operator=(const ScopedShell&) = delete;

 private:
  ShellFolderServices saved_;
};

const ShellFolderServices kKnownOnly{&FakeKnown, nullptr};
const ShellFolderServices kLegacyOnly{nullptr, &FakeLegacy};

struct StatusRow {
  const char* Name;
  bool Legacy;
  HRESULT Result;
  std::int32_t Status;
  const char* Path;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const StatusRow& row, std::ostream* os) { *os << row.Name; }

class ShellFolderStatus : public testing::TestWithParam<StatusRow> {};

TEST_P(ShellFolderStatus, MapsTheServicesAnswer) {
  const StatusRow& row = GetParam();
  ScopedShell shell(row.Legacy ? kLegacyOnly : kKnownOnly, row.Result, "C:\\Users\\u1");
  std::int32_t status = 99;
  EXPECT_EQ(env::GetShellFolder(status), row.Path);
  EXPECT_EQ(status, row.Status);
  EXPECT_EQ(gShell.Calls, 1);
  EXPECT_TRUE(gShell.AskedForProfile);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ShellFolderStatus,
    testing::Values(StatusRow{"KnownFound", false, S_OK, 0, "C:\\Users\\u1"},
                    StatusRow{"KnownNoPath", false, E_FAIL, 1, ""},
                    StatusRow{"KnownUnknownFolder", false, E_INVALIDARG, 2, ""},
                    StatusRow{"KnownOtherCodePassesThrough", false, E_ACCESSDENIED,
                              static_cast<std::int32_t>(E_ACCESSDENIED), ""},
                    StatusRow{"LegacyFound", true, S_OK, 0, "C:\\Users\\u1"},
                    StatusRow{"LegacyNoPath", true, E_FAIL, 1, ""},
                    StatusRow{"LegacyFolderMissing", true, S_FALSE, 1, ""},
                    StatusRow{"LegacyUnknownFolder", true, E_INVALIDARG, 2, ""},
                    StatusRow{"LegacyOtherCodeIsMinusOne", true, E_ACCESSDENIED, -1, ""}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(ShellFolder, WithoutAnyServiceStatusIsMinusOne) {
  ScopedShell shell({}, S_OK, "C:\\Users\\u1");
  std::int32_t status = 99;
  EXPECT_EQ(env::GetShellFolder(status), "");
  EXPECT_EQ(status, -1);
}

TEST(ShellFolder, RealShellOffersTheKnownFolderServiceAndFindsTheProfile) {
  ASSERT_NE(env::win32::ShellServices().Known, nullptr);
  EXPECT_EQ(env::win32::ShellServices().Legacy, nullptr);
  std::int32_t status = 99;
  const std::string profile = env::GetShellFolder(status);
  EXPECT_EQ(status, 0);
  const DWORD attributes = GetFileAttributesW(env::win32::Widen(profile).c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << profile;
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_NE(profile.back(), '\\');
}

// The real profile folder gets the settings folder, as the program's start makes it.
TEST(ForceUserDir, RealProfileGetsTheSettingsFolder) {
  std::int32_t status = 99;
  const std::string profile = env::GetShellFolder(status);
  ASSERT_EQ(status, 0);
  std::string dir = "stale";
  env::ForceUserDir("Brevik\\Zephlane", dir);
  EXPECT_EQ(dir, profile + "\\Brevik\\Zephlane\\");
  EXPECT_NE(GetFileAttributesW(env::win32::Widen(dir).c_str()), INVALID_FILE_ATTRIBUTES);
}

bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesW(env::win32::Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Files by wide name: a narrow name would be read in the 8-bit code page, not as UTF-8.
void WriteFileW(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(env::win32::Widen(path)), std::ios::binary) << bytes;
}

std::string ReadFileW(const std::string& path) {
  std::ifstream in(std::filesystem::path(env::win32::Widen(path)), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Backslashed(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

struct ForceRow {
  const char* Name;
  bool Legacy;
  const char* ProfileName;  // a folder under a fresh temporary folder
};

void PrintTo(const ForceRow& row, std::ostream* os) { *os << row.Name; }

class ForceUserDirIn : public testing::TestWithParam<ForceRow> {
 protected:
  TempDir root_;
  std::string profile_ = Backslashed(root_ / GetParam().ProfileName);
  ScopedShell shell_{GetParam().Legacy ? kLegacyOnly : kKnownOnly, S_OK, profile_};
  void SetUp() override {
    ASSERT_TRUE(CreateDirectoryW(env::win32::Widen(profile_).c_str(), nullptr));
  }
};

TEST_P(ForceUserDirIn, CreatesTheSettingsFolderWithItsParents) {
  std::string dir;
  env::ForceUserDir("Brevik\\Zephlane", dir);
  EXPECT_EQ(dir, profile_ + "\\Brevik\\Zephlane\\");
  EXPECT_TRUE(IsFolder(profile_ + "\\Brevik"));
  EXPECT_TRUE(IsFolder(dir));
  // A second start finds it and gives the same text.
  std::string again = "stale";
  env::ForceUserDir("Brevik\\Zephlane", again);
  EXPECT_EQ(again, dir);
}

TEST_P(ForceUserDirIn, FileNamedBrevikFallsBackToTheProfileFolder) {
  WriteFileW(profile_ + "\\Brevik", "not a folder");
  std::string dir;
  env::ForceUserDir("Brevik\\Zephlane", dir);
  EXPECT_EQ(dir, profile_ + "\\");
  EXPECT_EQ(ReadFileW(profile_ + "\\Brevik"), "not a folder");
}

// The legacy service is asked by CSIDL and answers in the 8-bit code page; a profile name
// outside ASCII must survive the way through UTF-16 and UTF-8 into the wide folder calls.
INSTANTIATE_TEST_SUITE_P(Profiles, ForceUserDirIn,
                         testing::Values(ForceRow{"KnownService", false, "u1"},
                                         ForceRow{"LegacyService", true, "u1"},
                                         ForceRow{"NonAsciiProfile", false, "J\u00fcrgen \u03bb"}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(ForceUserDir, NoProfileFolderLeavesItEmpty) {
  ScopedShell shell(kKnownOnly, E_FAIL, "");
  std::string dir = "stale";
  env::ForceUserDir("Brevik\\Zephlane", dir);
  EXPECT_EQ(dir, "");
}

TEST(ForceUserDir, MissingDriveFallsBackToTheProfileText) {
  // A profile on a drive that does not exist: nothing can be made there.
  ScopedShell shell(kKnownOnly, S_OK, "Q:\\nowhere\\u1");
  if (GetDriveTypeW(L"Q:\\") != DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "drive Q: exists here";
  std::string dir;
  env::ForceUserDir("Brevik\\Zephlane", dir);
  EXPECT_EQ(dir, "Q:\\nowhere\\u1\\");
}

TEST(UserDir, SeparatorIsBackslash) { EXPECT_EQ(env::PathSeparator(), '\\'); }

}  // namespace

#endif  // _WIN32
