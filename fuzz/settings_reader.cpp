#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "env/ini_file.h"
#include "env/text_encoding.h"
#include "fuzz_check.h"

// The settings file's reader and writer on any bytes, without the disk: one parse, a written
// text that reads back to the same sections, and a save that holds only what it wrote.
namespace {

class MemoryDisk : public env::FileSystem {
 public:
  std::string Text;
  bool Present = true;
  int Reads = 0;
  int Writes = 0;

  std::optional<std::string> ReadFile(const std::string&) override {
    ++Reads;
    if (!Present) return std::nullopt;
    return Text;
  }
  bool ReplaceFileAtomically(const std::string&, const std::string& contents) override {
    ++Writes;
    Text = contents;
    Present = true;
    return true;
  }
};

bool Same(const std::vector<env::ini::Section>& a, const std::vector<env::ini::Section>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].Name != b[i].Name || a[i].Keys != b[i].Keys) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const auto sections = env::ini::Parse(text);
  const std::string written = env::ini::Format(sections);
  FUZZ_CHECK(Same(env::ini::Parse(written), sections));
  // Nothing the reader keeps can make the written text much larger than the file: at most a
  // line end per line, a blank line per section, quotes per value and the quoting comment.
  FUZZ_CHECK(written.size() <= 2 * text.size() + 64);

  // The window's save over this file: the reads, every section erased, two keys written.
  auto disk = std::make_shared<MemoryDisk>();
  disk->Text = text;
  env::TIniFile ini("Zephlane.ini", disk);
  const std::string anode = ini.ReadString("Zephlane", "edAnodeV", "4350");
  const std::int32_t eff = ini.ReadInteger("Zephlane", "udEff", 72);
  (void)ini.ReadBool("Zephlane", "chIdeal", true);
  ini.BeginUpdate();
  std::vector<std::string> names;
  ini.ReadSections(names);
  // The file is read in the encoding it was written in (UTF-16 with a byte order mark too).
  const std::string decoded = env::ToUtf8(text, env::DetectEncoding(text));
  FUZZ_CHECK(names.size() == env::ini::Parse(decoded).size());
  for (const std::string& name : names) ini.EraseSection(name);
  ini.WriteString("Zephlane", "edAnodeV", anode);
  ini.WriteInteger("Zephlane", "udEff", eff);
  ini.CommitUpdate();
  FUZZ_CHECK(disk->Reads == 1 && disk->Writes == 1);
  // and written back in it.
  const std::string savedText = env::ToUtf8(disk->Text, env::DetectEncoding(disk->Text));
  const auto saved = env::ini::Parse(savedText);
  FUZZ_CHECK(saved.size() == 1 && saved[0].Keys.size() == 2);
  FUZZ_CHECK(saved[0].Keys[0].second == anode);
  FUZZ_CHECK(savedText.size() <= anode.size() + 120);
  return 0;
}
