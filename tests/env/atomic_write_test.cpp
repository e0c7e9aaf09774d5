#include <fcntl.h>
#ifdef _WIN32
#include <process.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "env/file_system.h"
#include "env/ini_file.h"
#include "faulty_file_system.h"
#include "memory_file_system.h"
#include "temp_dir.h"

namespace {

using env::IniWriteError;
using env::ReplaceStep;
using env::TIniFile;

const std::string kOld = "[Zephlane]\nedAnodeV=4000\n";

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  return names;
}

TEST(IniUpdate, CollectsWritesAndCommitsOnce) {
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files["/p/a.ini"] = kOld;
  TIniFile ini("/p/a.ini", fs);
  ini.BeginUpdate();
  ini.EraseSection("Zephlane");
  ini.WriteString("Zephlane", "edAnodeV", "4350");
  ini.WriteInteger("Zephlane", "udEff", 72);
  // Reads inside the update see the collected writes, the disk still the old file.
  EXPECT_EQ(ini.ReadInteger("Zephlane", "udEff", 0), 72);
  EXPECT_EQ(fs->Files["/p/a.ini"], kOld);
  ini.CommitUpdate();
  EXPECT_EQ(fs->Replacements, 1);
  EXPECT_EQ(fs->Files["/p/a.ini"], NativeLines("[Zephlane]\nedAnodeV=4350\nudEff=72\n"));
}

TEST(IniUpdate, FailedCommitThrowsKeepsOldFileAndEndsTheUpdate) {
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files["/p/a.ini"] = kOld;
  fs->Fail = true;
  TIniFile ini("/p/a.ini", fs);
  ini.BeginUpdate();
  ini.WriteString("Zephlane", "edAnodeV", "1");
  try {
    ini.CommitUpdate();
    FAIL() << "no error";
  } catch (const IniWriteError& e) {
    EXPECT_STREQ(e.what(), "Unable to write to /p/a.ini");
    EXPECT_EQ(e.Path(), "/p/a.ini");
  }
  EXPECT_EQ(fs->Files["/p/a.ini"], kOld);
  // A second close tries again from the file as it is.
  fs->Fail = false;
  EXPECT_EQ(ini.ReadString("Zephlane", "edAnodeV", ""), "4000");
  ini.WriteString("Zephlane", "edAnodeV", "2");
  EXPECT_EQ(fs->Files["/p/a.ini"], NativeLines("[Zephlane]\nedAnodeV=2\n"));
}

TEST(IniUpdate, NestedUpdateCommitsWithTheOutermost) {
  auto fs = std::make_shared<MemoryFileSystem>();
  TIniFile ini("/p/a.ini", fs);
  ini.BeginUpdate();
  ini.BeginUpdate();
  ini.WriteBool("S", "b", true);
  ini.CommitUpdate();
  EXPECT_EQ(fs->Replacements, 0);
  ini.CommitUpdate();
  EXPECT_EQ(fs->Replacements, 1);
}

TEST(IniUpdate, AbandonedOrEmptyUpdateWritesNothing) {
  auto fs = std::make_shared<MemoryFileSystem>();
  TIniFile ini("/p/a.ini", fs);
  ini.BeginUpdate();
  ini.WriteString("S", "k", "v");
  ini.AbandonUpdate();
  ini.BeginUpdate();
  ini.EraseSection("S");
  ini.CommitUpdate();
  EXPECT_EQ(fs->Replacements, 0);
  EXPECT_TRUE(fs->Files.empty());
}

TEST(IniFile, SingleWriteFailureThrowsAndKeepsOldFile) {
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files["a.ini"] = kOld;
  fs->Fail = true;
  TIniFile ini("a.ini", fs);
  EXPECT_THROW(ini.WriteString("Zephlane", "edAnodeV", "1"), IniWriteError);
  EXPECT_THROW(ini.EraseSection("Zephlane"), IniWriteError);
  EXPECT_EQ(fs->Files["a.ini"], kOld);
}

struct FaultRow {
  const char* Name;
  ReplaceStep Fault;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.Name; }

class RealFileSystemFault : public testing::TestWithParam<FaultRow> {};

TEST_P(RealFileSystemFault, FailedStepKeepsOldFileAndLeavesNoTemporary) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  WriteBytes(path, kOld);
  TIniFile ini(path, zephlane_test::FailingAt(GetParam().Fault));
  EXPECT_THROW(ini.WriteString("Zephlane", "edAnodeV", "4350"), IniWriteError);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Zephlane.ini"});
}

INSTANTIATE_TEST_SUITE_P(Steps, RealFileSystemFault,
                         testing::Values(FaultRow{"FullDisk", ReplaceStep::Write},
                                         FaultRow{"FailedFsync", ReplaceStep::Sync},
                                         FaultRow{"RefusedRename", ReplaceStep::Rename}),
                         [](const auto& row) { return std::string(row.param.Name); });

// Once the rename is done the new file is in place; a folder that then fails to sync must not
// make the user believe the old file is what remains.
TEST(RealFileSystem, FailedFolderSyncAfterTheRenameIsNoFailure) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  WriteBytes(path, kOld);
  TIniFile ini(path, zephlane_test::FailingAt(ReplaceStep::FolderSync));
  EXPECT_NO_THROW(ini.WriteString("Zephlane", "edAnodeV", "4350"));
  EXPECT_FALSE(ini.LastWriteFailed());
  EXPECT_EQ(ReadBytes(path), NativeLines("[Zephlane]\nedAnodeV=4350\n"));
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Zephlane.ini"});
}

int OwnProcessId() {
#ifdef _WIN32
  return _getpid();
#else
  return getpid();
#endif
}

// Temporary files of killed saves go with the next save; one that a running instance may still
// rename stays: its process runs, or it is too fresh to tell (an instance on another machine).
TEST(RealFileSystem, NextSaveRemovesStaleTemporariesOnly) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  WriteBytes(path, kOld);
  // Beyond the largest process id of both systems: no such process.
  const std::string dead = "999999997";
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
  std::vector<std::string> stale, kept;
  for (int kill = 0; kill < 20; ++kill)
    stale.push_back("Zephlane.ini.tmp-" + dead + "-k" + std::to_string(kill));
  stale.push_back("Zephlane.ini.tmp-Ab12Cd");  // an earlier version's name, no process id
  kept.push_back("Zephlane.ini.tmp-" + std::to_string(OwnProcessId()) + "-running");
  kept.push_back("Zephlane.ini.tmp-" + dead + "-fresh");
  kept.push_back("Other.ini.tmp-" + dead + "-x");
  for (const auto& name : stale) WriteBytes(dir / name, "[Zephlane]\n");
  for (const auto& name : kept) WriteBytes(dir / name, "[Zephlane]\n");
  for (const auto& name : stale) std::filesystem::last_write_time(dir / name, old);
  for (const auto& name : kept)
    if (name.find("fresh") == std::string::npos) std::filesystem::last_write_time(dir / name, old);
  std::filesystem::create_directory(dir / ("Zephlane.ini.tmp-" + dead + "-folder"));
  std::error_code ec;  // not every system dates a folder back; it must stay either way
  std::filesystem::last_write_time(dir / ("Zephlane.ini.tmp-" + dead + "-folder"), old, ec);
  kept.push_back("Zephlane.ini.tmp-" + dead + "-folder");

  TIniFile(path).WriteString("Zephlane", "edAnodeV", "4350");

  kept.push_back("Zephlane.ini");
  auto entries = FolderEntries(dir.Path());
  std::sort(entries.begin(), entries.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(entries, kept);
}

TEST(RealFileSystem, ReplacementKeepsPermissionsAndLeavesNoTemporary) {
#ifdef _WIN32
  GTEST_SKIP() << "POSIX mode bits and links; Windows: file_system_win32_test.cpp";
#endif
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  WriteBytes(path, kOld);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  TIniFile(path).WriteString("Zephlane", "edAnodeV", "4350");
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadBytes(path), "[Zephlane]\nedAnodeV=4350\n");
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Zephlane.ini"});
}

TEST(RealFileSystem, SymbolicLinkStaysALinkAndItsTargetIsReplaced) {
#ifdef _WIN32
  GTEST_SKIP() << "POSIX mode bits and links; Windows: file_system_win32_test.cpp";
#endif
  TempDir dir;
  WriteBytes(dir / "real.ini", kOld);
  std::filesystem::create_symlink(dir / "real.ini", dir / "Zephlane.ini");
  TIniFile(dir / "Zephlane.ini").WriteString("Zephlane", "udEff", "5");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "Zephlane.ini"));
  EXPECT_EQ(ReadBytes(dir / "real.ini"), "[Zephlane]\nedAnodeV=4000\nudEff=5\n");
}

// Root passes every permission check, so the file's own mode decides.
TEST(RealFileSystem, ReadOnlyFileIsRefusedAlsoForRoot) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  WriteBytes(path, kOld);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  TIniFile ini(path);
  try {
    ini.EraseSection("Zephlane");
    FAIL() << "no error";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }
  EXPECT_EQ(ReadBytes(path), kOld);
}

// Root with its usual capabilities writes into any folder; the second test entry runs this
// without them, where the refusal is real.
TEST(RealFileSystem, UnwritableFolderIsRefused) {
  TempDir dir;
  const std::string folder = dir / "locked";
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  const std::string probe = folder + "/probe";
  const int fd = open(probe.c_str(), O_CREAT | O_WRONLY, 0600);
  if (fd >= 0) {
    close(fd);
    unlink(probe.c_str());
    if (std::getenv("ZEPHLANE_TEST_WITHOUT_ROOT_CAPS"))
      FAIL() << "the capabilities that bypass folder permissions were not dropped";
    GTEST_SKIP() << "this process may write into any folder (root's capabilities); the test "
                    "entry env_tests_without_root_caps runs it without them";
  }
  TIniFile ini(folder + "/Zephlane.ini");
  EXPECT_THROW(ini.WriteString("Zephlane", "edAnodeV", "4350"), IniWriteError);
  EXPECT_TRUE(FolderEntries(folder).empty());
}

// Any bytes at all load: the reads give their defaults and a write still works.
TEST(IniFile, GarbageFilesReadDefaultsAndStayWritable) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  std::mt19937 random(20240611u);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 600);
  for (int round = 0; round < 120; ++round) {
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    WriteBytes(path, bytes);
    TIniFile ini(path);
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    ASSERT_EQ(ini.ReadString("Zephlane", "edAnodeV", "4350"), "4350") << "round " << round;
    ASSERT_EQ(ini.ReadInteger("Zephlane", "udEff", 72), 72) << "round " << round;
    ASSERT_TRUE(ini.ReadBool("Zephlane", "chIdeal", true)) << "round " << round;
    ini.WriteInteger("Zephlane", "udEff", 5);
    ASSERT_EQ(ini.ReadInteger("Zephlane", "udEff", 72), 5) << "round " << round;
  }
}

// A NUL byte is an ordinary character: the lines after it still count.
TEST(IniFile, ZeroBytesDoNotHideWhatFollows) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  static const char kBytes[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n[Zephlane]\nudEff=5\n";
  WriteBytes(path, std::string(kBytes, sizeof kBytes - 1));
  EXPECT_EQ(TIniFile(path).ReadInteger("Zephlane", "udEff", 72), 5);
}

}  // namespace
