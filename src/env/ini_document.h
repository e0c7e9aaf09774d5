#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "env/ini_text.h"

// The settings file's content in memory. The text stays as it was read; a section is parsed
// out of it when it is first read, written or listed as erased, and from then on lives apart,
// at the text's place for it. What nobody touched is parsed only when the file is written.
namespace env {

class IniDocument {
 public:
  explicit IniDocument(std::string text);

  // The value, or nullptr for a missing section or key.
  const std::string* Find(const std::string& section, const std::string& key);
  // An existing key keeps its place; a new one goes to the end of its section, a new section
  // to the end of the file.
  void Set(const std::string& section, const std::string& key, std::string value);
  // False when there is no such section.
  bool Erase(const std::string& section);
  // In file order, then the new sections in the order they were made.
  std::vector<std::string> SectionNames();
  // The text of every section as it is now.
  std::string Format();

  // While logging, every change is noted so that Revert can return to the content at
  // StartLog without a copy of it.
  void StartLog();
  void EndLog();
  void Revert();

 private:
  // A section taken out of the text, or made new.
  struct Part {
    std::string Name;
    ini::KeyList Keys;
    std::unordered_map<std::string, std::size_t> KeyIndex;  // folded key -> place in Keys
    bool FromText = false;  // it stands for the text's section of its name, at that place
    bool Live = true;       // false once erased
  };
  struct Change {
    enum class Kind { Value, NewKey, NewPart, ErasePart, EraseInText } What;
    std::size_t Part = 0;
    std::size_t Key = 0;
    std::string Old;  // the old value, or the folded name for EraseInText
  };

  std::optional<std::size_t> Reach(const std::string& folded);
  bool InText(const std::string& folded);
  void ListTextNames();

  std::string text_;
  std::vector<Part> parts_;
  std::unordered_map<std::string, std::size_t> live_;      // folded name -> the part reached
  std::unordered_map<std::string, std::size_t> fromText_;  // folded name -> its text's part
  std::unordered_set<std::string> notInText_;              // names searched for in vain
  // Every section name of the text, folded, with whether it was erased before it was taken
  // out, and the listing that last met it; listed once, when the names are asked for or one
  // is erased unread.
  struct TextName {
    bool Erased = false;
    unsigned Listing = 0;
  };
  std::optional<std::unordered_map<std::string, TextName>> textNames_;
  unsigned listings_ = 0;
  bool logging_ = false;
  std::vector<Change> log_;
};

}  // namespace env
