#include "env/ini_file.h"

#include <SimpleIni.h>

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

namespace env {

namespace {

// Names are compared without regard to ASCII case, as on the desktop the file came from; the
// file is UTF-8 bytes, one value per line, no multi-line values, no quotes, "key=value".
class Document {
 public:
  explicit Document(const std::string& text) : ini_(true, false, false) {
    ini_.SetSpaces(false);
    // Any bytes load: what does not parse is skipped, so the result is not needed. Every read
    // supplies its own default for what is missing.
    ini_.LoadData(text.data(), text.size());
  }

  CSimpleIniA& Ini() { return ini_; }
  const CSimpleIniA& Ini() const { return ini_; }

  std::string Save() const {
    std::string out;
    ini_.Save(out, false);
    return out;
  }

 private:
  CSimpleIniA ini_;
};

// A line break inside a value would end it early and could even start a section or key of its
// own when read back; edit texts are single-line, so breaks are stored as blanks.
std::string OneLine(std::string value) {
  for (char& c : value)
    if (c == '\r' || c == '\n') c = ' ';
  return value;
}

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X" (the sign before the
// prefix); the value must fit a 32-bit signed integer.
std::optional<std::int32_t> ParseInt32(std::string_view s) {
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
  if (s.empty()) return std::nullopt;
  std::uint64_t magnitude = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  const std::uint64_t limit =
      static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
  if (magnitude > limit) return std::nullopt;
  const auto wide = static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(negative ? -wide : wide);
}

}  // namespace

IniWriteError::IniWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path), path_(path) {}

struct TIniFile::Pending {
  std::string Text;
  bool Dirty = false;
  int Depth = 1;
};

TIniFile::TIniFile(std::string fileName, std::shared_ptr<FileSystem> fs)
    : fileName_(std::move(fileName)), fs_(fs ? std::move(fs) : RealFileSystem()) {}

std::string TIniFile::Text() const {
  if (pending_) return pending_->Text;
  return fs_->ReadFile(fileName_).value_or(std::string());
}

void TIniFile::Store(const std::string& text) {
  if (pending_) {
    pending_->Text = text;
    pending_->Dirty = true;
    return;
  }
  if (!fs_->ReplaceFileAtomically(fileName_, text)) throw IniWriteError(fileName_);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const Document doc(Text());
  const char* value = doc.Ini().GetValue(section.c_str(), key.c_str(), nullptr);
  return value ? std::string(value) : def;
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t def) const {
  const Document doc(Text());
  const char* value = doc.Ini().GetValue(section.c_str(), key.c_str(), nullptr);
  if (!value) return def;
  return ParseInt32(value).value_or(def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::ReadSections(std::vector<std::string>& list) const {
  list.clear();
  const Document doc(Text());
  CSimpleIniA::TNamesDepend names;
  doc.Ini().GetAllSections(names);
  names.sort(CSimpleIniA::Entry::LoadOrder());
  for (const auto& name : names) {
    // Keys above the first header belong to no section.
    if (name.pItem && *name.pItem) list.emplace_back(name.pItem);
  }
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  Document doc(Text());
  // An existing key keeps its place; a new one goes to the end of its section.
  if (doc.Ini().SetValue(section.c_str(), key.c_str(), OneLine(value).c_str()) < 0)
    throw IniWriteError(fileName_);
  Store(doc.Save());
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
  Document doc(Text());
  // A section that is not there leaves the file as it is (and a missing file missing).
  if (!doc.Ini().Delete(section.c_str(), nullptr)) return;
  // With the last section gone, comments left at the top would belong to nothing.
  CSimpleIniA::TNamesDepend left;
  doc.Ini().GetAllSections(left);
  Store(left.empty() ? std::string() : doc.Save());
}

void TIniFile::BeginUpdate() {
  if (pending_) {
    ++pending_->Depth;
    return;
  }
  auto pending = std::make_shared<Pending>();
  pending->Text = Text();
  pending_ = std::move(pending);
}

void TIniFile::CommitUpdate() {
  if (!pending_) return;
  if (--pending_->Depth > 0) return;
  const auto pending = std::move(pending_);
  pending_.reset();
  if (pending->Dirty && !fs_->ReplaceFileAtomically(fileName_, pending->Text))
    throw IniWriteError(fileName_);
}

void TIniFile::AbandonUpdate() { pending_.reset(); }

}  // namespace env
