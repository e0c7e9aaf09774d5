#include "startup/case_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "env/ini_file.h"
#include "env/text_encoding.h"
#include "startup/settings.h"
#include "startup/texts.h"

namespace startup {

namespace {

namespace fs = std::filesystem;

// Paths are UTF-8 on every platform; Windows must not read them in its ANSI code page.
fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& p) {
  const std::u8string s = p.generic_u8string();
  return std::string(s.begin(), s.end());
}

std::string NativeUtf8Of(const fs::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

fs::path FolderOf(const std::string& casePath) {
  return PathOf(casePath).lexically_normal().parent_path();
}

// One file held in memory: the case's window section read through the settings object, so
// a case's values mean exactly what the same values in the settings file mean.
class OneFile : public env::FileSystem {
 public:
  explicit OneFile(std::string text) : text_(std::move(text)) {}
  std::optional<std::string> ReadFile(const std::string&) override { return text_; }
  bool ReplaceFileAtomically(const std::string&, const std::string&) override { return false; }

 private:
  std::string text_;
};

// A decimal whole number with an optional sign that fits 32 bits: what the program writes,
// and a subset of what the settings object reads, so a checked value loads as it reads here.
bool IsWhole(std::string_view v) {
  if (!v.empty() && v.front() == '+') {
    v.remove_prefix(1);
    if (v.empty() || v.front() == '-') return false;
  }
  if (v.empty() || v.front() == '+') return false;
  std::int32_t out = 0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
  return ec == std::errc() && end == v.data() + v.size();
}

std::string Quoted(std::string_view s) {
  std::string q = "\"";
  q += s;
  q += '"';
  return q;
}

CaseRead Problem(CaseProblem problem, std::string message) {
  CaseRead r;
  r.Problem = problem;
  r.Message = std::move(message) + std::string(kCaseNothingChanged);
  return r;
}

CaseRead Malformed(const std::string& casePath, std::string_view what) {
  return Problem(CaseProblem::Malformed, std::string(kCaseMalformedPrefix) + casePath +
                                             std::string(kCaseMalformedMiddle) + std::string(what) +
                                             ".");
}

const env::ini::Section* FindSection(const std::vector<env::ini::Section>& all,
                                     const std::string& name) {
  const std::string folded = env::ini::Fold(name);
  for (const env::ini::Section& s : all)
    if (env::ini::Fold(s.Name) == folded) return &s;
  return nullptr;
}

const std::string* FindKey(const env::ini::KeyList& keys, std::string_view name) {
  const std::string folded = env::ini::Fold(name);
  for (const auto& [k, v] : keys)
    if (env::ini::Fold(k) == folded) return &v;
  return nullptr;
}

// Relative to the case, so that a folder of cases and their measured files can move as one.
std::string Relative(const std::string& file, const std::string& casePath) {
  const fs::path path = PathOf(file).lexically_normal();
  const fs::path folder = FolderOf(casePath);
  fs::path rel;
  // Only on the same root: a file on another drive keeps its whole path.
  if (path.has_root_directory() && path.root_name() == folder.root_name()) {
    rel = path.lexically_relative(folder);
  }
  return rel.empty() ? Utf8Of(path) : Utf8Of(rel);
}

std::string Absolute(const std::string& named, const std::string& casePath) {
  const fs::path p = PathOf(named);
  return NativeUtf8Of((p.is_absolute() ? p : FolderOf(casePath) / p).lexically_normal());
}

}  // namespace

bool RealFileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(PathOf(path), ec);
}

std::string FormatCase(const CaseFile& c, const std::string& casePath) {
  std::vector<env::ini::Section> sections;
  sections.push_back({kCaseSection, {{kCaseFormatKey, std::to_string(kCaseFormat)}}});
  sections.push_back({kCaseWindowSection, c.Window});
  env::ini::Section analysis{kCaseAnalysisSection, c.Analysis};
  if (!c.LoadFile.empty())
    analysis.Keys.emplace_back(kCaseLoadFileKey, Relative(c.LoadFile, casePath));
  if (!c.SourceFile.empty())
    analysis.Keys.emplace_back(kCaseSourceFileKey, Relative(c.SourceFile, casePath));
  sections.push_back(std::move(analysis));
  return std::string(kCaseComment) + std::string(env::ini::kLineEnd) + env::ini::Format(sections);
}

CaseRead ParseCase(const std::string& bytes, const std::string& casePath,
                   const FileExists& exists) {
  if (bytes.size() > kCaseMaxBytes) return Malformed(casePath, kCaseTooLarge);
  const std::string text = env::ToUtf8(bytes, env::DetectEncoding(bytes));
  const std::vector<env::ini::Section> sections = env::ini::Parse(text);

  // The version first: a newer case is refused for being newer, whatever else it holds.
  const env::ini::Section* head = FindSection(sections, kCaseSection);
  const std::string* format = head ? FindKey(head->Keys, kCaseFormatKey) : nullptr;
  if (format == nullptr) return Malformed(casePath, kCaseNoFormat);
  if (!IsWhole(*format) || format->front() == '-') return Malformed(casePath, kCaseBadFormat);
  std::int32_t version = 0;
  std::from_chars(format->data() + (format->front() == '+'), format->data() + format->size(),
                  version);
  if (version < 1) return Malformed(casePath, kCaseBadFormat);
  if (version > kCaseFormat) {
    return Problem(CaseProblem::Newer, std::string(kCaseMalformedPrefix) + casePath +
                                           std::string(kCaseNewerMiddle) + std::to_string(version) +
                                           std::string(kCaseNewerEnd) +
                                           std::to_string(kCaseFormat) + ".");
  }
  for (const env::ini::Section& s : sections) {
    const std::string f = env::ini::Fold(s.Name);
    if (f != env::ini::Fold(kCaseSection) && f != env::ini::Fold(kCaseWindowSection) &&
        f != env::ini::Fold(kCaseAnalysisSection)) {
      return Malformed(casePath, std::string(kCaseUnknownSection) + Quoted(s.Name));
    }
  }
  for (const auto& [k, v] : head->Keys) {
    if (env::ini::Fold(k) != env::ini::Fold(kCaseFormatKey))
      return Malformed(casePath, std::string(kCaseUnknownKey) + Quoted(k));
  }

  CaseRead read;
  const env::ini::Section* window = FindSection(sections, kCaseWindowSection);
  const env::ini::KeyList none;
  const env::ini::KeyList& given = window ? window->Keys : none;
  for (const auto& entry : given) {
    const std::string folded = env::ini::Fold(entry.first);
    const bool known = std::any_of(InputKeys().begin(), InputKeys().end(), [&](const InputKey& i) {
      return env::ini::Fold(i.Key) == folded;
    });
    if (!known) return Malformed(casePath, std::string(kCaseUnknownKey) + Quoted(entry.first));
  }
  // Every input, of its kind: a case that leaves one out would leave that input as it stands,
  // and so would not be the configuration it names.
  for (const InputKey& i : InputKeys()) {
    const std::string* v = FindKey(given, i.Key);
    if (v == nullptr) return Malformed(casePath, std::string(kCaseMissingKey) + Quoted(i.Key));
    if (i.Kind == InputKind::Whole && !IsWhole(*v))
      return Malformed(casePath, Quoted(i.Key) + std::string(kCaseNotWhole));
    if (i.Kind == InputKind::Flag && *v != "0" && *v != "1")
      return Malformed(casePath, Quoted(i.Key) + std::string(kCaseNotFlag));
    read.Case.Window.emplace_back(std::string(i.Key), *v);
  }

  if (const env::ini::Section* analysis = FindSection(sections, kCaseAnalysisSection)) {
    for (const auto& [k, v] : analysis->Keys) {
      const std::string folded = env::ini::Fold(k);
      if (folded == env::ini::Fold(kCaseLoadFileKey)) {
        read.Case.LoadFile = v.empty() ? std::string() : Absolute(v, casePath);
      } else if (folded == env::ini::Fold(kCaseSourceFileKey)) {
        read.Case.SourceFile = v.empty() ? std::string() : Absolute(v, casePath);
      } else {
        read.Case.Analysis.emplace_back(k, v);
      }
    }
    AnalysisCase checked;
    const std::string wrong = ReadAnalysisKeys(read.Case.Analysis, checked);
    if (!wrong.empty()) return Malformed(casePath, wrong);
  }
  // Only once every value is known good: a damaged case says it is damaged, not that a file
  // it names is gone.
  const auto missing = [&](CaseProblem problem, std::string_view what, const std::string& file) {
    return Problem(problem, std::string(what) + file + std::string(kCaseLoadFileMiddle) + casePath +
                                std::string(kCaseLoadFileEnd));
  };
  if (!read.Case.LoadFile.empty() && !exists(read.Case.LoadFile))
    return missing(CaseProblem::MissingLoadFile, kCaseLoadFilePrefix, read.Case.LoadFile);
  if (!read.Case.SourceFile.empty() && !exists(read.Case.SourceFile))
    return missing(CaseProblem::MissingSourceFile, kCaseSourceFilePrefix, read.Case.SourceFile);
  return read;
}

CaseRead ReadCase(env::FileSystem& files, const std::string& casePath, const FileExists& exists) {
  const std::optional<std::string> bytes = files.ReadFile(casePath);
  if (!bytes) {
    return Problem(CaseProblem::Unreadable, std::string(kCaseUnreadable) + casePath + ".");
  }
  return ParseCase(*bytes, casePath, exists);
}

bool WriteCase(env::FileSystem& files, const std::string& casePath, const CaseFile& c) {
  return files.ReplaceFileAtomically(casePath, FormatCase(c, casePath));
}

CaseFile CaseFromForm(const mainwindow::TForm1& form, env::ini::KeyList analysis,
                      std::string loadFile) {
  CaseFile c;
  c.Window = InputValues(form);
  c.Analysis = std::move(analysis);
  c.LoadFile = std::move(loadFile);
  return c;
}

CaseFile CaseFromForm(const mainwindow::TForm1& form, const AnalysisCase& analysis) {
  CaseFile c = CaseFromForm(form, AnalysisKeys(analysis), analysis.LoadFile);
  c.SourceFile = analysis.SourceFile;
  return c;
}

AnalysisCase AnalysisOf(const CaseFile& c) {
  AnalysisCase a;
  // A read case's keys were checked as it was read; a case built in the program holds the
  // keys AnalysisKeys wrote.
  ReadAnalysisKeys(c.Analysis, a);
  a.LoadFile = c.LoadFile;
  a.SourceFile = c.SourceFile;
  return a;
}

void ApplyCase(mainwindow::TForm1& form, const CaseFile& c) {
  const std::vector<env::ini::Section> window{{kCaseWindowSection, c.Window}};
  env::TIniFile ini("case", std::make_shared<OneFile>(env::ini::Format(window)));
  // The case's load is the one typed into it, whatever measured file held the edits.
  form.ReleaseMeasuredLoad();
  LoadInputs(form, ini, kCaseWindowSection);
  // As after the settings at a start: the directivity controls follow the Ideal box, the
  // factors and the measurement are shown in the loaded units, and one full cycle runs.
  form.TreatEdDire();
  form.NaplnFactors();
  form.ShowPowMeas();
  form.bEvaluateClick();
}

std::string CaseTitle(const std::string& casePath) {
  fs::path name = PathOf(casePath).filename();
  if (name.extension() == PathOf(std::string(kCaseExtension))) name = name.stem();
  const std::u8string s = name.u8string();
  return std::string(s.begin(), s.end());
}

std::vector<std::string> RecentCaseList(const std::string& stored) {
  std::vector<std::string> list;
  std::size_t from = 0;
  while (from <= stored.size() && list.size() < kRecentCases) {
    std::size_t end = stored.find('\n', from);
    if (end == std::string::npos) end = stored.size();
    std::string path = stored.substr(from, end - from);
    if (!path.empty() && path.back() == '\r') path.pop_back();
    if (!path.empty() && std::find(list.begin(), list.end(), path) == list.end())
      list.push_back(std::move(path));
    from = end + 1;
  }
  return list;
}

std::string RememberCase(const std::string& stored, const std::string& path) {
  std::vector<std::string> list = RecentCaseList(stored);
  if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return stored;
  list.erase(std::remove(list.begin(), list.end(), path), list.end());
  list.insert(list.begin(), path);
  if (list.size() > kRecentCases) list.resize(kRecentCases);
  std::string out;
  for (const std::string& p : list) {
    if (!out.empty()) out += '\n';
    out += p;
  }
  return out;
}

}  // namespace startup
