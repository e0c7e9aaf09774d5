#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "env/file_system.h"
#include "env/ini_file.h"
#include "temp_dir.h"

namespace {

using env::IniWriteError;
using env::TIniFile;

const std::string kOld = "[Zephlane]\nedAnodeV=4000\n";

// Reads path on a thread of its own and gives up after a few seconds; a reader still stuck
// then (in open() of a FIFO, waiting for a writer) is released by opening the FIFO's other
// end, so a regression fails the test instead of hanging it.
std::optional<std::optional<std::string>> ReadWithin(const std::string& path) {
  std::promise<std::optional<std::string>> done;
  auto result = done.get_future();
  std::thread reader([&] { done.set_value(env::RealFileSystem()->ReadFile(path)); });
  const bool finished = result.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  if (!finished) {
    const int release = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    if (release >= 0) ::close(release);
  }
  reader.join();
  if (!finished) return std::nullopt;
  return result.get();
}

TEST(RealFileSystem, FifoInPlaceOfTheFileReadsNothingWithoutWaiting) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const auto read = ReadWithin(path);
  ASSERT_TRUE(read.has_value()) << "reading a FIFO waited for a writer";
  EXPECT_EQ(*read, std::nullopt);
  // The loading that starts the program falls back to the defaults, and a save is refused
  // without replacing the FIFO.
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("Zephlane", "edAnodeV", "4350"), "4350");
  EXPECT_THROW(ini.WriteString("Zephlane", "edAnodeV", "1"), IniWriteError);
  struct stat st {};
  ASSERT_EQ(::lstat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(RealFileSystem, RegularFileStillReadsWhole) {
  TempDir dir;
  const std::string path = dir / "Zephlane.ini";
  // Larger than one read's buffer, so the end is found by a read of its own.
  std::string big(100000, 'x');
  big = kOld + "k=" + big + "\n";
  WriteBytes(path, big);
  EXPECT_EQ(ReadWithin(path), std::optional<std::optional<std::string>>(big));
  WriteBytes(path, "");
  EXPECT_EQ(ReadWithin(path), std::optional<std::optional<std::string>>(std::string()));
}

enum class LinkKind { Absolute, Relative, ThroughTwoLinks };

struct DanglingRow {
  const char* Name;
  LinkKind Kind;
};

void PrintTo(const DanglingRow& row, std::ostream* os) { *os << row.Name; }

class DanglingLink : public testing::TestWithParam<DanglingRow> {};

// A link whose target does not exist yet (a dotfile folder not filled yet) is followed as a
// live one is: the save creates the target, and the link stays a link.
TEST_P(DanglingLink, SaveCreatesTheTargetAndKeepsTheLink) {
  TempDir dir;
  ASSERT_TRUE(std::filesystem::create_directory(dir / "kept"));
  const std::string link = dir / "Zephlane.ini";
  const std::string target = dir / "kept/real.ini";
  switch (GetParam().Kind) {
    case LinkKind::Absolute:
      std::filesystem::create_symlink(target, link);
      break;
    case LinkKind::Relative:
      std::filesystem::create_symlink("kept/real.ini", link);
      break;
    case LinkKind::ThroughTwoLinks:
      std::filesystem::create_symlink("real.ini", dir / "kept/middle.ini");
      std::filesystem::create_symlink("kept/middle.ini", link);
      break;
  }
  TIniFile ini(link);
  EXPECT_EQ(ini.ReadString("Zephlane", "edAnodeV", "4350"), "4350");
  ini.WriteString("Zephlane", "edAnodeV", "4000");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), kOld);
  EXPECT_EQ(TIniFile(link).ReadString("Zephlane", "edAnodeV", ""), "4000");
}

INSTANTIATE_TEST_SUITE_P(Links, DanglingLink,
                         testing::Values(DanglingRow{"Absolute", LinkKind::Absolute},
                                         DanglingRow{"Relative", LinkKind::Relative},
                                         DanglingRow{"ThroughTwoLinks", LinkKind::ThroughTwoLinks}),
                         [](const auto& row) { return std::string(row.param.Name); });

// Where no file can be created through the link, the save fails with the error the user sees;
// the link is never replaced by a file of its own.
TEST(RealFileSystem, LinkThatLeadsNowhereIsRefusedAndKept) {
  TempDir dir;
  const std::string intoMissingFolder = dir / "a.ini";
  std::filesystem::create_symlink(dir / "missing/real.ini", intoMissingFolder);
  const std::string loop = dir / "b.ini";
  std::filesystem::create_symlink("c.ini", loop);
  std::filesystem::create_symlink("b.ini", dir / "c.ini");
  for (const std::string& link : {intoMissingFolder, loop}) {
    TIniFile ini(link);
    EXPECT_EQ(ini.ReadInteger("Zephlane", "udEff", 72), 72) << link;
    EXPECT_THROW(ini.WriteInteger("Zephlane", "udEff", 5), IniWriteError) << link;
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << link;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace

#endif  // _WIN32
