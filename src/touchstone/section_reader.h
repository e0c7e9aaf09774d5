#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "touchstone/network.h"
#include "touchstone/options.h"
#include "touchstone/reader.h"

// The reader's state between lines: which version and section the file is in, what its
// header declared, and the frequency whose numbers are being gathered.
namespace touchstone {

class SectionReader {
 public:
  SectionReader(const ReadRequest& request, const std::function<void(const Point&)>& sink);

  // One line (LF, CR and a first line's BOM removed); false on the file's first fault.
  bool Line(std::string_view line, int number);
  // After the last line, which had lastLength bytes; false when the file is incomplete.
  bool Finish(int lastLine, std::size_t lastLength);
  // [End] was read: what follows it does not belong to the file.
  bool Done() const { return section_ == Section::Done; }
  const ReadError& Error() const { return error_; }

 private:
  enum class Section { Header, Information, Network, Noise, Done };
  enum Keyword {
    kVersion,
    kPorts,
    kOrder,
    kFrequencies,
    kNoiseFrequencies,
    kReference,
    kMatrixFormat,
    kMixedModeOrder,
    kBeginInformation,
    kEndInformation,
    kNetworkData,
    kNoiseData,
    kEnd,
    kKeywordCount
  };

  bool Fail(std::size_t offset, std::string_view message);
  bool Fail(std::size_t offset, std::string message);
  bool OptionLine(std::string_view content, std::size_t at);
  bool KeywordLine(std::string_view content, std::size_t at);
  bool KeywordValue(Keyword k, std::string_view rest, std::size_t restAt, std::size_t at);
  // Reference resistances in values, which starts at byte base of the line.
  bool ReferenceValues(std::string_view values, std::size_t base);
  bool Count(std::string_view rest, std::size_t restAt, long long& out);
  bool StartNetwork(std::size_t at);
  bool DataLine(std::string_view content, std::size_t at);
  bool NoiseLine(std::string_view content, std::size_t at);
  bool CheckCount(long long declared, long long held, std::string_view what, std::size_t at);
  bool CompleteRecord(std::size_t at);

  ReadRequest request_;
  const std::function<void(const Point&)>& sink_;
  ReadError error_;
  int line_ = 0;

  int version_ = 1;
  bool seenContent_ = false;
  bool firstContent_ = false;  // the present line is the file's first that is not blank
  Section section_ = Section::Header;
  std::array<bool, kKeywordCount> seen_{};

  bool haveOptions_ = false;
  Options options_;
  int ports_ = 0;
  bool twoPort21First_ = true;
  long long frequencies_ = -1;
  long long noiseFrequencies_ = -1;
  MatrixFormat matrix_ = MatrixFormat::Full;
  std::vector<double> reference_;
  std::size_t referencePending_ = 0;

  std::optional<Converter> converter_;
  int dataPorts_ = 0;
  std::size_t perFrequency_ = 0;
  std::vector<double> values_;
  double lastHz_ = 0.0;
  long long points_ = 0;
  long long noisePoints_ = 0;
};

}  // namespace touchstone
