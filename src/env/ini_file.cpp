#include "env/ini_file.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "text/ascii.h"

namespace env {

namespace {

// The file is UTF-8 bytes, "key=value" one per line, names compared without regard to ASCII
// case as on the desktop the file came from. Any byte, NUL included, is an ordinary character.
//
// Reading trims blanks around names and values, as files written by earlier versions expect.
// A text with a blank at either end or a line break is therefore written in double quotes,
// with "\\", "\n" and "\r" inside the quotes for a backslash and the line breaks. A file holding
// such a value starts with the comment below, and only in a file that carries it is a value in
// double quotes read without them: a value "12" in an earlier file reads "12", quotes and all.
constexpr std::string_view kQuotedMarker = "; Values in double quotes are read without them.";

using text::IsSpaceOrTab;
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

std::string_view Trim(std::string_view s) { return text::Trim(s, IsSpaceOrTab); }

std::string Fold(std::string_view name) { return text::LowerAscii(name); }

// One index for the keys of all sections: the section's place, then the folded key name.
std::string KeyId(std::size_t section, std::string_view key) {
  std::string id = std::to_string(section);
  id += ':';
  id += Fold(key);
  return id;
}

bool IsQuoted(std::string_view v) { return v.size() >= 2 && v.front() == '"' && v.back() == '"'; }

bool HasLineEnd(std::string_view s) {
  for (char c : s)
    if (IsLineEnd(c)) return true;
  return false;
}

// A value that reading would trim or unquote, or whose line break would end it early (and
// could start a section or key of its own).
bool NeedsQuotes(std::string_view v) {
  return !v.empty() &&
         (IsSpaceOrTab(v.front()) || IsSpaceOrTab(v.back()) || IsQuoted(v) || HasLineEnd(v));
}

void AppendQuoted(std::string& out, std::string_view v) {
  out += '"';
  for (char c : v) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  out += '"';
}

// The text inside the quotes; a backslash before anything but "\\", "n" or "r" is itself.
std::string Unquote(std::string_view v) {
  v = v.substr(1, v.size() - 2);
  std::string out;
  out.reserve(v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    const char next = i + 1 < v.size() ? v[i + 1] : '\0';
    if (v[i] == '\\' && (next == '\\' || next == 'n' || next == 'r')) {
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
      ++i;
    } else {
      out += v[i];
    }
  }
  return out;
}

void CheckSectionName(std::string_view name) {
  if (name.empty() || Trim(name) != name || HasLineEnd(name) ||
      name.find(']') != std::string_view::npos) {
    throw std::invalid_argument("a settings section cannot be named \"" + std::string(name) + "\"");
  }
}

void CheckKeyName(std::string_view key) {
  if (key.empty() || Trim(key) != key || HasLineEnd(key) ||
      key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
      key.front() == '#') {
    throw std::invalid_argument("a settings key cannot be named \"" + std::string(key) + "\"");
  }
}

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X" (the sign before the
// prefix); the value must fit a 32-bit signed integer.
std::optional<std::int32_t> ParseInt32(std::string_view s) {
  s = Trim(s);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s.front() == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty() || s.front() == '+' || s.front() == '-') return std::nullopt;
  std::uint64_t magnitude = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  const std::uint64_t limit =
      static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
  if (magnitude > limit) return std::nullopt;
  const auto wide = static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(negative ? -wide : wide);
}

// The text of the sections not marked in erased (which may be empty: none is).
std::string FormatLive(const std::vector<ini::Section>& sections, const std::vector<bool>& erased) {
  auto live = [&](std::size_t i) { return erased.empty() || !erased[i]; };
  bool quoted = false;
  std::size_t size = 0;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (!live(i)) continue;
    size += sections[i].Name.size() + 6;
    for (const auto& [key, value] : sections[i].Keys) {
      quoted = quoted || NeedsQuotes(value);
      size += key.size() + 2 * value.size() + 5;
    }
  }
  std::string out;
  out.reserve(size + (quoted ? kQuotedMarker.size() + 2 : 0));
  if (quoted) {
    out += kQuotedMarker;
    out += ini::kLineEnd;
  }
  bool first = true;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (!live(i)) continue;
    if (!first) out += ini::kLineEnd;
    first = false;
    out += '[';
    out += sections[i].Name;
    out += ']';
    out += ini::kLineEnd;
    for (const auto& [key, value] : sections[i].Keys) {
      out += key;
      out += '=';
      if (NeedsQuotes(value))
        AppendQuoted(out, value);
      else
        out += value;
      out += ini::kLineEnd;
    }
  }
  return out;
}

}  // namespace

namespace ini {

std::vector<Section> Parse(const std::string& text) {
  std::vector<Section> sections;
  std::unordered_map<std::string, std::size_t> sectionIndex;
  std::unordered_map<std::string, std::size_t> keyIndex;  // KeyId -> place in its section
  bool quoted = false;
  // Keys above the first header, or under a header that is not one (no "]", no name), belong
  // to no section: they are skipped rather than given to the section above.
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t current = kNone;

  std::string_view rest(text);
  if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
  while (!rest.empty()) {
    std::size_t end = 0;
    while (end < rest.size() && !IsLineEnd(rest[end])) ++end;
    const std::string_view line = Trim(rest.substr(0, end));
    rest.remove_prefix(end < rest.size() ? end + 1 : end);
    if (line.empty()) continue;
    if (line.front() == ';' || line.front() == '#') {
      quoted = quoted || line == kQuotedMarker;
      continue;
    }
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string_view name =
          close == std::string_view::npos ? std::string_view() : Trim(line.substr(1, close - 1));
      current = kNone;
      if (name.empty()) continue;
      auto [it, added] = sectionIndex.try_emplace(Fold(name), sections.size());
      if (added) sections.push_back({std::string(name), {}});
      current = it->second;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || current == kNone) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty()) continue;
    std::string value(Trim(line.substr(eq + 1)));
    auto& keys = sections[current].Keys;
    auto [it, added] = keyIndex.try_emplace(KeyId(current, key), keys.size());
    if (added)
      keys.emplace_back(std::string(key), std::move(value));
    else
      keys[it->second].second = std::move(value);
  }

  if (quoted) {
    for (Section& s : sections)
      for (auto& kv : s.Keys)
        if (IsQuoted(kv.second)) kv.second = Unquote(kv.second);
  }
  return sections;
}

std::string Format(const std::vector<Section>& sections) { return FormatLive(sections, {}); }

}  // namespace ini

IniWriteError::IniWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path), path_(path) {}

// The parsed file with an index of folded names. An erased section stays in place, marked, so
// erasing costs nothing however many sections the file holds. During an update every change
// is logged, so that a failed save returns to the file's content without a copy of it.
struct TIniFile::Document {
  std::vector<ini::Section> Sections;
  std::vector<bool> Erased;
  std::unordered_map<std::string, std::size_t> SectionIndex;
  std::unordered_map<std::string, std::size_t> KeyIndex;  // KeyId -> place in its section

  struct Change {
    enum class Kind { Value, NewKey, NewSection, Erase } What;
    std::size_t Section = 0;
    std::size_t Key = 0;
    std::string OldValue;
    std::vector<std::pair<std::string, std::string>> OldKeys;
  };
  bool Logging = false;
  std::vector<Change> Log;

  explicit Document(std::vector<ini::Section> sections) : Sections(std::move(sections)) {
    Erased.assign(Sections.size(), false);
    for (std::size_t i = 0; i < Sections.size(); ++i) {
      SectionIndex.emplace(Fold(Sections[i].Name), i);
      for (std::size_t k = 0; k < Sections[i].Keys.size(); ++k)
        KeyIndex.emplace(KeyId(i, Sections[i].Keys[k].first), k);
    }
  }

  const std::string* Find(const std::string& section, const std::string& key) const {
    const auto s = SectionIndex.find(Fold(section));
    if (s == SectionIndex.end()) return nullptr;
    const auto k = KeyIndex.find(KeyId(s->second, key));
    if (k == KeyIndex.end()) return nullptr;
    return &Sections[s->second].Keys[k->second].second;
  }

  void Set(const std::string& section, const std::string& key, std::string value) {
    auto [s, newSection] = SectionIndex.try_emplace(Fold(section), Sections.size());
    const std::size_t place = s->second;
    if (newSection) {
      Sections.push_back({section, {}});
      Erased.push_back(false);
      if (Logging) Log.push_back({Change::Kind::NewSection, place, 0, {}, {}});
    }
    auto& keys = Sections[place].Keys;
    auto [k, newKey] = KeyIndex.try_emplace(KeyId(place, key), keys.size());
    if (newKey) {
      keys.emplace_back(key, std::move(value));
      if (Logging) Log.push_back({Change::Kind::NewKey, place, k->second, {}, {}});
    } else {
      std::string& stored = keys[k->second].second;
      if (Logging) Log.push_back({Change::Kind::Value, place, k->second, std::move(stored), {}});
      stored = std::move(value);
    }
  }

  // The keys of an erased section stay in the key index, unreachable: the name no longer leads
  // to the section's place, and a section of that name made later gets a place of its own.
  bool Erase(const std::string& section) {
    const auto s = SectionIndex.find(Fold(section));
    if (s == SectionIndex.end()) return false;
    const std::size_t place = s->second;
    Erased[place] = true;
    auto keys = std::move(Sections[place].Keys);
    Sections[place].Keys.clear();
    if (Logging) Log.push_back({Change::Kind::Erase, place, 0, {}, std::move(keys)});
    SectionIndex.erase(s);
    return true;
  }

  // Undoes the logged changes, latest first.
  void Revert() {
    for (auto c = Log.rbegin(); c != Log.rend(); ++c) {
      ini::Section& section = Sections[c->Section];
      switch (c->What) {
        case Change::Kind::Value:
          section.Keys[c->Key].second = std::move(c->OldValue);
          break;
        case Change::Kind::NewKey:
          KeyIndex.erase(KeyId(c->Section, section.Keys[c->Key].first));
          section.Keys.pop_back();
          break;
        case Change::Kind::NewSection:
          SectionIndex.erase(Fold(section.Name));
          Sections.pop_back();
          Erased.pop_back();
          break;
        case Change::Kind::Erase:
          section.Keys = std::move(c->OldKeys);
          Erased[c->Section] = false;
          SectionIndex.emplace(Fold(section.Name), c->Section);
          break;
      }
    }
    EndLog();
  }

  void StartLog() {
    Log.clear();
    Logging = true;
  }
  void EndLog() {
    Log.clear();
    Logging = false;
  }
};

TIniFile::TIniFile(std::string fileName, std::shared_ptr<FileSystem> fs)
    : fileName_(std::move(fileName)), fs_(fs ? std::move(fs) : RealFileSystem()) {}

TIniFile::~TIniFile() = default;

TIniFile::Document& TIniFile::Doc() const {
  if (!doc_) {
    doc_ = std::make_unique<Document>(ini::Parse(fs_->ReadFile(fileName_).value_or(std::string())));
  }
  return *doc_;
}

void TIniFile::Changed() {
  if (depth_ > 0) {
    dirty_ = true;
    return;
  }
  // A single write outside an update is an update of its own.
  BeginUpdate();
  dirty_ = true;
  CommitUpdate();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const std::string* value = Doc().Find(section, key);
  return value ? *value : def;
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t def) const {
  const std::string* value = Doc().Find(section, key);
  if (!value) return def;
  return ParseInt32(*value).value_or(def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::ReadSections(std::vector<std::string>& list) const {
  list.clear();
  const Document& doc = Doc();
  for (std::size_t i = 0; i < doc.Sections.size(); ++i)
    if (!doc.Erased[i]) list.push_back(doc.Sections[i].Name);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  CheckSectionName(section);
  CheckKeyName(key);
  // An existing key keeps its place; a new one goes to the end of its section.
  Doc().Set(section, key, value);
  Changed();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) {
  char buf[16];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  (void)ec;  // 16 characters hold every 32-bit integer
  WriteString(section, key, std::string(buf, end));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
  // A section that is not there leaves the file as it is (and a missing file missing).
  if (!Doc().Erase(section)) return;
  Changed();
}

void TIniFile::BeginUpdate() {
  if (depth_++ > 0) return;
  Doc().StartLog();
  dirty_ = false;
}

void TIniFile::CommitUpdate() {
  if (depth_ == 0 || --depth_ > 0) return;
  Document& doc = Doc();
  if (!dirty_) {
    doc.EndLog();
    return;
  }
  dirty_ = false;
  // Comments and keys outside any section are not kept: the program's own sections are the
  // whole of what it writes, however the file looked.
  if (!fs_->ReplaceFileAtomically(fileName_, FormatLive(doc.Sections, doc.Erased))) {
    doc.Revert();
    lastWriteFailed_ = true;
    throw IniWriteError(fileName_);
  }
  doc.EndLog();
  lastWriteFailed_ = false;
}

void TIniFile::AbandonUpdate() {
  if (depth_ == 0) return;
  depth_ = 0;
  dirty_ = false;
  Doc().Revert();
}

}  // namespace env
