#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "startup/case_file.h"
#include "startup/settings.h"

// The case reader on any bytes: it never fails without saying why, and a case it accepts is
// written back to a text that reads to the very same case (inputs, Analysis inputs, load file).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string path = "/cases/fuzz.zcase";
  const auto anyFile = [](const std::string&) { return true; };

  const startup::CaseRead read = startup::ParseCase(text, path, anyFile);
  if (read.Problem != startup::CaseProblem::None) {
    FUZZ_CHECK(!read.Message.empty());
    FUZZ_CHECK(read.Message.find(path) != std::string::npos);
    return 0;
  }
  FUZZ_CHECK(read.Message.empty());
  FUZZ_CHECK(read.Case.Window.size() == startup::InputKeys().size());

  const std::string written = startup::FormatCase(read.Case, path);
  const startup::CaseRead again = startup::ParseCase(written, path, anyFile);
  FUZZ_CHECK(again.Problem == startup::CaseProblem::None);
  FUZZ_CHECK(again.Case == read.Case);
  // Written once more, the text is the same: the writer is a fixed point of the reader.
  FUZZ_CHECK(startup::FormatCase(again.Case, path) == written);
  // A measured file names no other file when it comes back: it is absolute or empty.
  FUZZ_CHECK(read.Case.LoadFile.empty() || read.Case.LoadFile.front() == '/');
  FUZZ_CHECK(read.Case.SourceFile.empty() || read.Case.SourceFile.front() == '/');
  // The Analysis inputs of an accepted case are a record that writes back to the same keys.
  const startup::AnalysisCase record = startup::AnalysisOf(read.Case);
  startup::AnalysisCase back;
  FUZZ_CHECK(startup::ReadAnalysisKeys(startup::AnalysisKeys(record), back).empty());
  back.LoadFile = record.LoadFile;
  back.SourceFile = record.SourceFile;
  FUZZ_CHECK(back == record);
  return 0;
}
