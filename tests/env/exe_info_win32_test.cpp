#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "env/exe_info.h"
#include "env/win32_text.h"

namespace {

TEST(ExeInfoWin32, DirectoryHoldsThisExecutableAndEndsInBackslash) {
  const std::string dir = env::GetExeDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '\\');
  const DWORD a = GetFileAttributesW(env::win32::Widen(dir + "env_tests.exe").c_str());
  EXPECT_NE(a, INVALID_FILE_ATTRIBUTES) << dir;
}

// The version comes from the executable's own version resource, not from the build.
TEST(ExeInfoWin32, VersionIsReadFromTheResource) {
  EXPECT_EQ(env::GetExeVersion(), ZEPHLANE_PROJECT_VERSION);

  wchar_t path[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  DWORD ignored = 0;
  std::string block(GetFileVersionInfoSizeW(path, &ignored), '\0');
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
  void* value = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &size));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  ASSERT_TRUE(
      VerQueryValueW(block.data(), L"\\StringFileInfo\\040904E4\\ProductVersion", &value, &size));
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), L"1.0.0.0");
}

}  // namespace

#endif  // _WIN32
