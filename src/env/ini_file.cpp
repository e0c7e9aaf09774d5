#include "env/ini_file.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "env/ini_document.h"
#include "text/ascii.h"

namespace env {

namespace {

using text::IsSpaceOrTab;

std::string_view Trim(std::string_view s) { return text::Trim(s, IsSpaceOrTab); }

bool HasLineEnd(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

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

}  // namespace

IniWriteError::IniWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path), path_(path) {}

TIniFile::TIniFile(std::string fileName, std::shared_ptr<FileSystem> fs)
    : fileName_(std::move(fileName)), fs_(fs ? std::move(fs) : RealFileSystem()) {}

TIniFile::~TIniFile() = default;

IniDocument& TIniFile::Doc() const {
  if (!doc_) {
    std::string bytes = fs_->ReadFile(fileName_).value_or(std::string());
    encoding_ = DetectEncoding(bytes);
    doc_ = std::make_unique<IniDocument>(ToUtf8(std::move(bytes), encoding_));
  }
  return *doc_;
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

void TIniFile::ReadSections(std::vector<std::string>& list) const { list = Doc().SectionNames(); }

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  CheckSectionName(section);
  CheckKeyName(key);
  // A single write outside an update is an update of its own, so that a failed one also
  // returns the object to what the file holds. An existing key keeps its place; a new one goes
  // to the end of its section.
  BeginUpdate();
  Doc().Set(section, key, value);
  dirty_ = true;
  CommitUpdate();
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
  BeginUpdate();
  if (Doc().Erase(section)) dirty_ = true;
  CommitUpdate();
}

void TIniFile::BeginUpdate() {
  if (depth_++ > 0) return;
  Doc().StartLog();
  dirty_ = false;
}

void TIniFile::CommitUpdate() {
  if (depth_ == 0 || --depth_ > 0) return;
  IniDocument& doc = Doc();
  if (!dirty_) {
    doc.EndLog();
    return;
  }
  dirty_ = false;
  // Comments and keys outside any section are not kept: the program's own sections are the
  // whole of what it writes, however the file looked.
  std::string text = doc.Format();
  if (encoding_ != TextEncoding::Utf8) text = FromUtf8(text, encoding_);
  if (!fs_->ReplaceFileAtomically(fileName_, text)) {
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
