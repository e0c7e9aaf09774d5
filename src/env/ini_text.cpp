#include "env/ini_text.h"

namespace env::ini {

namespace {

using text::IsSpaceOrTab;

bool HasLineEnd(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

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

std::string KeyId(std::size_t section, std::string_view key) {
  std::string id = std::to_string(section);
  id += ':';
  id += Fold(key);
  return id;
}

}  // namespace

bool IsQuoted(std::string_view v) { return v.size() >= 2 && v.front() == '"' && v.back() == '"'; }

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

std::size_t SectionCollector::Open(std::string_view name, std::string folded) {
  auto [it, added] = sectionIndex_.try_emplace(std::move(folded), sections_.size());
  if (added) sections_.push_back({std::string(name), {}});
  return it->second;
}

void SectionCollector::Add(std::size_t place, std::string_view key, std::string_view value) {
  KeyList& keys = sections_[place].Keys;
  auto [it, added] = keyIndex_.try_emplace(KeyId(place, key), keys.size());
  if (added)
    keys.emplace_back(std::string(key), std::string(value));
  else
    keys[it->second].second.assign(value);
}

std::vector<Section> SectionCollector::Take(bool quoted) {
  if (quoted) {
    for (Section& s : sections_)
      for (auto& kv : s.Keys)
        if (IsQuoted(kv.second)) kv.second = Unquote(kv.second);
  }
  sectionIndex_.clear();
  keyIndex_.clear();
  return std::move(sections_);
}

std::vector<Section> Parse(const std::string& text) {
  SectionCollector collector;
  std::size_t current = 0;
  const bool quoted = ScanLines(
      text,
      [&](std::string_view name) {
        current = collector.Open(name, Fold(name));
        return true;
      },
      [&](std::string_view key, std::string_view value) { collector.Add(current, key, value); });
  return collector.Take(quoted);
}

std::string Format(const std::vector<Section>& sections) {
  std::vector<SectionView> views;
  views.reserve(sections.size());
  for (const Section& s : sections) views.push_back({&s.Name, &s.Keys});
  return FormatSections(views);
}

std::string FormatSections(std::span<const SectionView> sections) {
  bool quoted = false;
  std::size_t size = 0;
  for (const SectionView& s : sections) {
    size += s.Name->size() + 6;
    for (const auto& [key, value] : *s.Keys) {
      quoted = quoted || NeedsQuotes(value);
      size += key.size() + value.size() + 3;
    }
  }
  std::string out;
  // Quoting doubles a backslash at most; room for that only where quoting is needed.
  out.reserve(size + (quoted ? size + kQuotedMarker.size() + 2 : 0));
  if (quoted) {
    out += kQuotedMarker;
    out += kLineEnd;
  }
  bool first = true;
  for (const SectionView& s : sections) {
    if (!first) out += kLineEnd;
    first = false;
    out += '[';
    out += *s.Name;
    out += ']';
    out += kLineEnd;
    for (const auto& [key, value] : *s.Keys) {
      out += key;
      out += '=';
      if (NeedsQuotes(value))
        AppendQuoted(out, value);
      else
        out += value;
      out += kLineEnd;
    }
  }
  return out;
}

}  // namespace env::ini
