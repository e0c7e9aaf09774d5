// POSIX behaviour; Windows has its own tests in *_win32_test.cpp.
#ifndef _WIN32

#include "env/exe_info.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ExeInfo, DirectoryHoldsThisExecutableAndEndsInSeparator) {
  const std::string dir = env::GetExeDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_TRUE(std::filesystem::is_regular_file(dir + "env_tests"));
}

TEST(ExeInfo, VersionIsThisBuilds) { EXPECT_EQ(env::GetExeVersion(), ZEPHLANE_PROJECT_VERSION); }

}  // namespace

#endif  // _WIN32
