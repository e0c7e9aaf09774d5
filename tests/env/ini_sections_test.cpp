#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "env/ini_file.h"
#include "memory_file_system.h"

namespace {

using env::TIniFile;
using env::ini::Section;

const std::string kPath = "/home/u/Zephlane.ini";

std::string Folded(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// What the settings object must behave as: the whole file parsed into sections, every change
// applied to them, every save their formatted text.
struct Model {
  std::vector<Section> Sections;

  Section* Find(const std::string& name) {
    for (Section& s : Sections)
      if (Folded(s.Name) == Folded(name)) return &s;
    return nullptr;
  }
  std::string Read(const std::string& section, const std::string& key, const std::string& def) {
    if (Section* s = Find(section))
      for (const auto& [k, v] : s->Keys)
        if (Folded(k) == Folded(key)) return v;
    return def;
  }
  void Write(const std::string& section, const std::string& key, const std::string& value) {
    Section* s = Find(section);
    if (!s) {
      Sections.push_back({section, {}});
      s = &Sections.back();
    }
    for (auto& [k, v] : s->Keys) {
      if (Folded(k) == Folded(key)) {
        v = value;
        return;
      }
    }
    s->Keys.emplace_back(key, value);
  }
  void Erase(const std::string& section) {
    std::erase_if(Sections, [&](const Section& s) { return Folded(s.Name) == Folded(section); });
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const Section& s : Sections) names.push_back(s.Name);
    return names;
  }
};

// Lines that exercise the reader: repeated and differently cased sections, broken headers,
// comments, the quoting marker, keys outside any section, quoted values.
const std::vector<std::string> kLines{
    "[A]",       "[a]",    "[ B ]",
    "[C]",       "[]",     "[D",
    "k=1",       "K = 2",  "x=\"q\"",
    "y=\" s \"", "; note", "junk",
    "=v",        "z=a=b",  "[Zephlane]",
    "udEff=5",   "\t k=3", "; Values in double quotes are read without them.",
    ""};
const std::vector<std::string> kSections{"A", "a", "B", "C", "D", "Zephlane", "New"};
const std::vector<std::string> kKeys{"k", "K", "x", "y", "udEff", "w"};

// Random files and random sequences of reads, writes, erasures, listings and updates, some
// of them failing on the disk: after every step the object answers as the whole-file model
// does, and every file it writes is the model's text.
TEST(IniSections, BehavesAsTheWholeFileParsed) {
  std::mt19937 random(8675309u);
  auto pick = [&](const auto& v) {
    return v[std::uniform_int_distribution<std::size_t>(0, v.size() - 1)(random)];
  };
  for (int round = 0; round < 400; ++round) {
    std::string file;
    for (int n = std::uniform_int_distribution<int>(0, 25)(random); n > 0; --n)
      file += pick(kLines) + (n % 3 == 0 ? "\r\n" : "\n");
    auto fs = std::make_shared<MemoryFileSystem>();
    fs->Files[kPath] = file;
    TIniFile ini(kPath, fs);
    Model model{env::ini::Parse(file)};
    Model saved = model;  // the content at the start of an open update
    bool inUpdate = false;
    bool written = false;
    std::string history;  // the file is the object's text, no longer the one made here
    for (int step = 0; step < 30; ++step) {
      const int op = std::uniform_int_distribution<int>(0, 9)(random);
      const std::string section = pick(kSections);
      const std::string key = pick(kKeys);
      SCOPED_TRACE("round " + std::to_string(round) + " step " + std::to_string(step) + " op " +
                   std::to_string(op) + "\n" + file);
      fs->Fail = std::uniform_int_distribution<int>(0, 5)(random) == 0;
      const int replacements = fs->Replacements;
      history += std::to_string(op) + (fs->Fail ? "!" : "") + " " + section + "." + key + "; ";
      SCOPED_TRACE(history);
      try {
        if (op <= 2) {
          ASSERT_EQ(ini.ReadString(section, key, "-"), model.Read(section, key, "-"));
        } else if (op <= 4) {
          // Built by appending: GCC 12 at -O3 misreads `const char* + std::string&&` as an
          // overlapping copy (a -Wrestrict false positive).
          std::string value = "v";
          value += std::to_string(step);
          if (step % 4 == 0) value += ' ';
          model.Write(section, key, value);
          ini.WriteString(section, key, value);
        } else if (op == 5) {
          const bool present = model.Find(section) != nullptr;
          model.Erase(section);
          ini.EraseSection(section);
          // Erasing nothing writes nothing.
          if (!present && !inUpdate) {
            ASSERT_EQ(fs->Replacements, replacements);
          }
        } else if (op == 6) {
          std::vector<std::string> names;
          ini.ReadSections(names);
          ASSERT_EQ(names, model.Names());
        } else if (op == 7 && !inUpdate) {
          ini.BeginUpdate();
          saved = model;
          inUpdate = true;
        } else if (op == 8 && inUpdate) {
          inUpdate = false;
          ini.CommitUpdate();
        } else if (op == 9 && inUpdate) {
          inUpdate = false;
          ini.AbandonUpdate();
          model = saved;
        }
        if (!inUpdate) saved = model;
        written = written || (fs->Replacements > replacements && !fs->Fail);
      } catch (const env::IniWriteError&) {
        // A failed write returns to what the file still holds.
        model = saved;
        inUpdate = false;
      }
      if (!inUpdate && written) {
        ASSERT_EQ(fs->Files[kPath], env::ini::Format(model.Sections));
      }
    }
  }
}

// A large file of many sections, the program's own among them and named twice: the reads find
// it, the listing has every section once, and a write keeps every other section as a parse of
// the whole file would have it.
TEST(IniSections, LargeFileOfManySectionsReadsAndSavesWhole) {
  std::string file;
  for (int i = 0; i < 30000; ++i) {
    file += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\nname = s " +
            std::to_string(i) + "\n";
    if (i == 15000) file += "[Zephlane]\nudEff=5\nedAnodeV=4000\n";
    if (i == 20000) file += "[zephlane]\nUDEFF=6\n[s3]\nk=again\n";
  }
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files[kPath] = file;
  TIniFile ini(kPath, fs);
  EXPECT_EQ(ini.ReadInteger("Zephlane", "udEff", 72), 6);
  EXPECT_EQ(ini.ReadString("Zephlane", "edAnodeV", ""), "4000");
  EXPECT_EQ(ini.ReadString("S29999", "name", ""), "s 29999");
  EXPECT_EQ(ini.ReadString("S3", "k", ""), "again");
  std::vector<std::string> names;
  ini.ReadSections(names);
  ASSERT_EQ(names.size(), 30001u);
  EXPECT_EQ(names[15001], "Zephlane");
  ini.WriteInteger("Zephlane", "udDire", 30);
  Model model{env::ini::Parse(file)};
  model.Write("Zephlane", "udDire", "30");
  EXPECT_EQ(fs->Files[kPath], env::ini::Format(model.Sections));
  EXPECT_EQ(fs->Reads, 1);
}

}  // namespace
