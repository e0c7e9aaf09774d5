#include "env/ini_document.h"

#include <string_view>
#include <utility>

namespace env {

namespace {

using text::EqualsNoCase;

void NoKey(std::string_view, std::string_view) {}

}  // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {}

bool IniDocument::InText(const std::string& folded) {
  if (textNames_) return textNames_->count(folded) > 0;
  bool found = false;
  ini::ScanLines(
      text_,
      [&](std::string_view name) {
        found = found || EqualsNoCase(name, folded);
        return false;
      },
      NoKey);
  return found;
}

void IniDocument::ListTextNames() {
  if (textNames_) return;
  textNames_.emplace();
  ini::ScanLines(
      text_,
      [&](std::string_view name) {
        textNames_->try_emplace(ini::Fold(name));
        return false;
      },
      NoKey);
}

// The live part of that name, taking the section out of the text when it is there and was not
// taken out or erased before. One pass over the text, which parses only that section's keys.
std::optional<std::size_t> IniDocument::Reach(const std::string& folded) {
  if (const auto it = live_.find(folded); it != live_.end()) return it->second;
  if (fromText_.count(folded) > 0 || notInText_.count(folded) > 0) return std::nullopt;
  if (textNames_) {
    const auto it = textNames_->find(folded);
    if (it == textNames_->end() || it->second.Erased) return std::nullopt;
  }
  ini::SectionCollector collector;
  bool found = false;
  const bool quoted = ini::ScanLines(
      text_,
      [&](std::string_view name) {
        if (!EqualsNoCase(name, folded)) return false;
        collector.Open(name, folded);
        found = true;
        return true;
      },
      [&](std::string_view key, std::string_view value) { collector.Add(0, key, value); });
  if (!found) {
    notInText_.insert(folded);
    return std::nullopt;
  }
  ini::Section section = std::move(collector.Take(quoted).front());
  Part part;
  part.Name = std::move(section.Name);
  part.Keys = std::move(section.Keys);
  for (std::size_t k = 0; k < part.Keys.size(); ++k)
    part.KeyIndex.emplace(ini::Fold(part.Keys[k].first), k);
  part.FromText = true;
  const std::size_t place = parts_.size();
  parts_.push_back(std::move(part));
  fromText_.emplace(folded, place);
  live_.emplace(folded, place);
  return place;
}

const std::string* IniDocument::Find(const std::string& section, const std::string& key) {
  const auto place = Reach(ini::Fold(section));
  if (!place) return nullptr;
  const Part& part = parts_[*place];
  const auto k = part.KeyIndex.find(ini::Fold(key));
  return k == part.KeyIndex.end() ? nullptr : &part.Keys[k->second].second;
}

void IniDocument::Set(const std::string& section, const std::string& key, std::string value) {
  std::string folded = ini::Fold(section);
  std::optional<std::size_t> place = Reach(folded);
  if (!place) {
    place = parts_.size();
    Part part;
    part.Name = section;
    parts_.push_back(std::move(part));
    live_[std::move(folded)] = *place;
    if (logging_) log_.push_back({Change::Kind::NewPart, *place, 0, {}});
  }
  Part& part = parts_[*place];
  const auto [k, added] = part.KeyIndex.try_emplace(ini::Fold(key), part.Keys.size());
  if (added) {
    part.Keys.emplace_back(key, std::move(value));
    if (logging_) log_.push_back({Change::Kind::NewKey, *place, k->second, {}});
  } else {
    std::string& stored = part.Keys[k->second].second;
    if (logging_) log_.push_back({Change::Kind::Value, *place, k->second, std::move(stored)});
    stored = std::move(value);
  }
}

// A section erased before it was read stays in the text, marked in the list of its names: the
// window's save erases every section, and parsing them all only to drop them would cost what
// keeping the text avoids.
bool IniDocument::Erase(const std::string& section) {
  std::string folded = ini::Fold(section);
  if (const auto it = live_.find(folded); it != live_.end()) {
    parts_[it->second].Live = false;
    if (logging_) log_.push_back({Change::Kind::ErasePart, it->second, 0, {}});
    live_.erase(it);
    return true;
  }
  if (fromText_.count(folded) > 0 || notInText_.count(folded) > 0) return false;
  if (!textNames_ && !InText(folded)) {
    notInText_.insert(std::move(folded));
    return false;
  }
  ListTextNames();
  const auto it = textNames_->find(folded);
  if (it == textNames_->end() || it->second.Erased) return false;
  it->second.Erased = true;
  if (logging_) log_.push_back({Change::Kind::EraseInText, 0, 0, std::move(folded)});
  return true;
}

std::vector<std::string> IniDocument::SectionNames() {
  ListTextNames();
  const unsigned listing = ++listings_;
  std::vector<std::string> names;
  std::vector<bool> placed(parts_.size(), false);
  ini::ScanLines(
      text_,
      [&](std::string_view name) {
        std::string folded = ini::Fold(name);
        if (const auto it = fromText_.find(folded); it != fromText_.end()) {
          const Part& part = parts_[it->second];
          if (!placed[it->second] && part.Live) names.push_back(part.Name);
          placed[it->second] = true;
          return false;
        }
        TextName& seen = (*textNames_)[folded];
        if (seen.Listing != listing && !seen.Erased) names.emplace_back(name);
        seen.Listing = listing;
        return false;
      },
      NoKey);
  for (const Part& part : parts_)
    if (!part.FromText && part.Live) names.push_back(part.Name);
  return names;
}

std::string IniDocument::Format() {
  ini::SectionCollector untouched;
  struct Slot {
    bool IsPart;
    std::size_t Index;
  };
  std::vector<Slot> order;
  std::vector<bool> placed(parts_.size(), false);
  std::size_t current = 0;
  std::size_t opened = 0;
  const bool quoted = ini::ScanLines(
      text_,
      [&](std::string_view name) {
        std::string folded = ini::Fold(name);
        if (const auto it = fromText_.find(folded); it != fromText_.end()) {
          if (!placed[it->second] && parts_[it->second].Live) order.push_back({true, it->second});
          placed[it->second] = true;
          return false;
        }
        if (textNames_) {
          const auto n = textNames_->find(folded);
          if (n != textNames_->end() && n->second.Erased) return false;
        }
        current = untouched.Open(name, std::move(folded));
        if (current == opened) {
          order.push_back({false, current});
          ++opened;
        }
        return true;
      },
      [&](std::string_view key, std::string_view value) { untouched.Add(current, key, value); });
  const std::vector<ini::Section> sections = untouched.Take(quoted);
  std::vector<ini::SectionView> views;
  views.reserve(order.size() + parts_.size());
  for (const Slot& slot : order) {
    if (slot.IsPart)
      views.push_back({&parts_[slot.Index].Name, &parts_[slot.Index].Keys});
    else
      views.push_back({&sections[slot.Index].Name, &sections[slot.Index].Keys});
  }
  for (const Part& part : parts_)
    if (!part.FromText && part.Live) views.push_back({&part.Name, &part.Keys});
  return ini::FormatSections(views);
}

void IniDocument::StartLog() {
  log_.clear();
  logging_ = true;
}

void IniDocument::EndLog() {
  log_.clear();
  logging_ = false;
}

// Latest first. A section made new during the update stays behind, dead: later parts may have
// been taken out of the text after it, so it cannot simply be dropped from the end.
void IniDocument::Revert() {
  for (auto c = log_.rbegin(); c != log_.rend(); ++c) {
    switch (c->What) {
      case Change::Kind::Value:
        parts_[c->Part].Keys[c->Key].second = std::move(c->Old);
        break;
      case Change::Kind::NewKey: {
        Part& part = parts_[c->Part];
        part.KeyIndex.erase(ini::Fold(part.Keys.back().first));
        part.Keys.pop_back();
        break;
      }
      case Change::Kind::NewPart:
        parts_[c->Part].Live = false;
        live_.erase(ini::Fold(parts_[c->Part].Name));
        break;
      case Change::Kind::ErasePart:
        parts_[c->Part].Live = true;
        live_[ini::Fold(parts_[c->Part].Name)] = c->Part;
        break;
      case Change::Kind::EraseInText:
        (*textNames_)[c->Old].Erased = false;
        break;
    }
  }
  EndLog();
}

}  // namespace env
