#pragma once

#include <functional>
#include <string>

#include "env/file_system.h"
#include "env/ini_text.h"
#include "mainwindow/form.h"
#include "startup/case_analysis.h"

// Case files: every input of the window and of the Analysis window, in the settings file's
// "key = value" form, so that a user can keep configurations side by side (two applicators, a
// tuned and an untuned load) and open one again. A case is not the settings file: opening one
// changes the inputs, never the window's place or what the settings file holds.
//
//   [Case]       Format = <version>
//   [Zephlane]   the window's inputs, under the settings file's keys
//   [Analysis]   the Analysis window's inputs; LoadFile and SourceFile relative to the case's
//                folder
namespace startup {

// The version this program writes; a case of a higher version is refused, since its keys may
// mean what this program cannot know. Format 1 kept only the coverage and the design target of
// the Analysis window: a program of that format would open a later case without its sheets and
// measured files, showing another configuration than the one saved, so such cases are 2.
// Format 1 cases still open, with the sheets' defaults for what they lack.
inline constexpr int kCaseFormat = 2;
inline const std::string kCaseSection = "Case";
inline const std::string kCaseFormatKey = "Format";
inline const std::string kCaseWindowSection = "Zephlane";
inline const std::string kCaseAnalysisSection = "Analysis";
// Far larger than any case this program writes; anything larger is not read into memory.
inline constexpr std::size_t kCaseMaxBytes = 1 << 20;

struct CaseFile {
  env::ini::KeyList Window;    // every input key of the window, in the settings file's order
  env::ini::KeyList Analysis;  // the Analysis window's inputs (AnalysisKeys), files excepted
  std::string LoadFile;        // absolute; empty: none
  std::string SourceFile;      // absolute; empty: none
  friend bool operator==(const CaseFile&, const CaseFile&) = default;
};

enum class CaseProblem { None, Unreadable, Malformed, Newer, MissingLoadFile, MissingSourceFile };

struct CaseRead {
  CaseProblem Problem = CaseProblem::None;
  std::string Message;  // one sentence for the user; empty when the case is good
  CaseFile Case;        // only meaningful when Problem is None
};

// Whether a file exists; the tests answer for a file system of their own.
using FileExists = std::function<bool(const std::string& path)>;
bool RealFileExists(const std::string& path);

// The case's text: the load file written relative to the case's folder (with "/" between
// folders) when it lies on the same root, else as it is.
std::string FormatCase(const CaseFile& c, const std::string& casePath);

// Reads a case's text, in UTF-8 or UTF-16 with a byte order mark. Every window input must be
// present and of its kind, every Analysis input one ReadAnalysisKeys takes; an unknown section
// or key, a missing format line, a format newer than kCaseFormat, or a load or source file that
// does not exist gives a problem and its message.
CaseRead ParseCase(const std::string& text, const std::string& casePath,
                   const FileExists& exists = RealFileExists);

CaseRead ReadCase(env::FileSystem& fs, const std::string& casePath,
                  const FileExists& exists = RealFileExists);
// One atomic replacement; false when the old file (or none) is what remains.
bool WriteCase(env::FileSystem& fs, const std::string& casePath, const CaseFile& c);

// The window's inputs as a case, with the Analysis window's inputs given by the binding.
CaseFile CaseFromForm(const mainwindow::TForm1& form, env::ini::KeyList analysis = {},
                      std::string loadFile = {});
CaseFile CaseFromForm(const mainwindow::TForm1& form, const AnalysisCase& analysis);
// A read case's Analysis inputs as the record; what a case of an older format lacks keeps the
// record's defaults.
AnalysisCase AnalysisOf(const CaseFile& c);
// Puts a read case's window inputs into the window as a start loads the settings, then
// presents them and runs one full cycle. The window's place and focus stay as they are.
void ApplyCase(mainwindow::TForm1& form, const CaseFile& c);

// The case's name for the window's caption: its file name without the folder and ".zcase".
std::string CaseTitle(const std::string& casePath);
inline constexpr std::string_view kCaseExtension = ".zcase";

// The recent-cases list as kept in one settings value: newest first, at most kRecentCases,
// each path once; a path holding a line break is never kept.
inline constexpr std::size_t kRecentCases = 6;
std::vector<std::string> RecentCaseList(const std::string& stored);
std::string RememberCase(const std::string& stored, const std::string& path);

}  // namespace startup
