#include "touchstone/section_reader.h"

#include <charconv>
#include <cmath>
#include <string>

#include "text/ascii.h"
#include "touchstone/texts.h"

namespace touchstone {

namespace {

constexpr std::array<std::string_view, 13> kKeywordNames{
    "version",
    "number of ports",
    "two-port data order",
    "number of frequencies",
    "number of noise frequencies",
    "reference",
    "matrix format",
    "mixed-mode order",
    "begin information",
    "end information",
    "network data",
    "noise data",
    "end",
};

constexpr int kMaxPorts = 64;
// A frequency's noise data: frequency, minimum noise figure, optimum reflection (two numbers)
// and the effective noise resistance.
constexpr std::size_t kNoiseValues = 5;

struct Token {
  std::string_view Text;
  std::size_t At = 0;
};

// The next blank-separated token of content at or after pos; an empty Text at the end.
Token NextToken(std::string_view content, std::size_t& pos) {
  while (pos < content.size() && text::IsSpaceOrTab(content[pos])) ++pos;
  const std::size_t at = pos;
  while (pos < content.size() && !text::IsSpaceOrTab(content[pos])) ++pos;
  return {content.substr(at, pos - at), at};
}

std::string Number(long long v) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string Hz(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return std::string(buf, r.ptr);
}

std::string NotIncreasing(double hz, double lastHz) {
  return std::string(kNotIncreasingBefore) + Hz(hz) + std::string(kNotIncreasingMiddle) +
         Hz(lastHz) + std::string(kHz);
}

}  // namespace

SectionReader::SectionReader(const ReadRequest& request,
                             const std::function<void(const Point&)>& sink)
    : request_(request), sink_(sink) {}

bool SectionReader::Fail(std::size_t offset, std::string message) {
  error_ = ReadError{line_, static_cast<int>(offset) + 1, std::move(message)};
  return false;
}
bool SectionReader::Fail(std::size_t offset, std::string_view message) {
  return Fail(offset, std::string(message));
}

bool SectionReader::Line(std::string_view line, int number) {
  line_ = number;
  const std::string_view content = line.substr(0, line.find('!'));
  std::size_t at = 0;
  while (at < content.size() && text::IsSpaceOrTab(content[at])) ++at;
  if (at == content.size()) return true;
  firstContent_ = !seenContent_;
  seenContent_ = true;

  if (section_ == Section::Information) {
    const std::size_t close = content.find(']', at);
    if (content[at] == '[' && close != std::string_view::npos &&
        text::EqualsNoCase(text::Trim(content.substr(at + 1, close - at - 1), text::IsSpaceOrTab),
                           kKeywordNames[kEndInformation])) {
      section_ = Section::Header;
    }
    return true;
  }
  if (referencePending_ > 0 && content[at] != '[') return ReferenceValues(content.substr(at), at);
  if (referencePending_ > 0) {
    return Fail(at, std::string(kExpectedReferenceBefore) + Number(ports_) +
                        std::string(kExpectedReferenceAfter));
  }
  if (content[at] == '[') return KeywordLine(content, at);
  if (content[at] == '#') return OptionLine(content, at);
  return DataLine(content, at);
}

bool SectionReader::OptionLine(std::string_view content, std::size_t at) {
  // Only the first option line before the data counts; later ones are ignored, as version 1
  // prescribes, so that the data's units never change within the file.
  if (haveOptions_ || section_ != Section::Header) return true;
  haveOptions_ = true;
  const std::string_view rest = content.substr(at + 1);
  if (const auto fault = ParseOptions(rest, options_)) {
    return Fail(at + 1 + fault->Offset, fault->Message);
  }
  if (options_.Param == Parameter::G || options_.Param == Parameter::H) {
    std::size_t pos = 0;
    for (Token t = NextToken(rest, pos); !t.Text.empty(); t = NextToken(rest, pos)) {
      if (text::EqualsNoCase(t.Text, "g") || text::EqualsNoCase(t.Text, "h")) {
        return Fail(at + 1 + t.At, kHybridRefused);
      }
    }
  }
  return true;
}

bool SectionReader::KeywordLine(std::string_view content, std::size_t at) {
  const std::size_t close = content.find(']', at);
  if (close == std::string_view::npos) return Fail(content.size(), kExpectedBracket);
  const std::string_view name =
      text::Trim(content.substr(at + 1, close - at - 1), text::IsSpaceOrTab);
  int found = -1;
  for (std::size_t i = 0; i < kKeywordNames.size(); ++i) {
    if (text::EqualsNoCase(name, kKeywordNames[i])) found = static_cast<int>(i);
  }
  if (found < 0) return Fail(at, kUnknownKeyword);
  const auto k = static_cast<Keyword>(found);
  if (k != kVersion && version_ == 1) return Fail(at, kKeywordNeedsVersion);
  if (seen_[static_cast<std::size_t>(k)]) return Fail(at, kKeywordTwice);
  seen_[static_cast<std::size_t>(k)] = true;
  std::size_t restAt = close + 1;
  while (restAt < content.size() && text::IsSpaceOrTab(content[restAt])) ++restAt;
  const std::string_view rest = text::TrimBack(content.substr(restAt), text::IsSpaceOrTab);
  return KeywordValue(k, rest, restAt, at);
}

bool SectionReader::Count(std::string_view rest, std::size_t restAt, long long& out) {
  // Digits only, a count of at most 10^15: no sign, point or exponent.
  long long v = 0;
  const auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), v);
  if (rest.empty() || rest.front() == '-' || ec != std::errc() ||
      ptr != rest.data() + rest.size() || v < 1 || v > 1'000'000'000'000'000LL) {
    return Fail(restAt, kExpectedCount);
  }
  out = v;
  return true;
}

bool SectionReader::KeywordValue(Keyword k, std::string_view rest, std::size_t restAt,
                                 std::size_t at) {
  const bool header = section_ == Section::Header;
  switch (k) {
    case kVersion:
      if (!firstContent_) return Fail(at, kVersionNotFirst);
      if (rest != "2.0" && rest != "2.1") return Fail(restAt, kUnsupportedVersion);
      version_ = 2;
      return true;
    case kPorts: {
      if (!header) return Fail(at, kSectionOutOfOrder);
      long long n = 0;
      if (!Count(rest, restAt, n)) return false;
      if (n > kMaxPorts) return Fail(restAt, kTooManyPorts);
      ports_ = static_cast<int>(n);
      return true;
    }
    case kOrder:
      if (!header) return Fail(at, kSectionOutOfOrder);
      if (ports_ == 0) return Fail(at, kPortsFirst);
      if (ports_ != 2) return Fail(at, kOrderOnlyTwoPort);
      if (text::EqualsNoCase(rest, "12_21")) {
        twoPort21First_ = false;
      } else if (text::EqualsNoCase(rest, "21_12")) {
        twoPort21First_ = true;
      } else {
        return Fail(restAt, kExpectedOrder);
      }
      return true;
    case kFrequencies:
      if (!header) return Fail(at, kSectionOutOfOrder);
      return Count(rest, restAt, frequencies_);
    case kNoiseFrequencies:
      if (!header) return Fail(at, kSectionOutOfOrder);
      return Count(rest, restAt, noiseFrequencies_);
    case kReference:
      if (!header) return Fail(at, kSectionOutOfOrder);
      if (ports_ == 0) return Fail(at, kPortsFirst);
      referencePending_ = static_cast<std::size_t>(ports_);
      return ReferenceValues(rest, restAt);
    case kMatrixFormat:
      if (!header) return Fail(at, kSectionOutOfOrder);
      if (text::EqualsNoCase(rest, "full")) {
        matrix_ = MatrixFormat::Full;
      } else if (text::EqualsNoCase(rest, "lower")) {
        matrix_ = MatrixFormat::Lower;
      } else if (text::EqualsNoCase(rest, "upper")) {
        matrix_ = MatrixFormat::Upper;
      } else {
        return Fail(restAt, kExpectedMatrixFormat);
      }
      return true;
    case kMixedModeOrder:
      return Fail(at, kMixedMode);
    case kBeginInformation:
      if (!header) return Fail(at, kSectionOutOfOrder);
      seen_[kEndInformation] = false;
      section_ = Section::Information;
      return true;
    case kEndInformation:
      return Fail(at, kSectionOutOfOrder);
    case kNetworkData:
      if (!header) return Fail(at, kSectionOutOfOrder);
      if (!rest.empty()) return Fail(restAt, kExpectedNothingAfter);
      if (ports_ == 0) return Fail(at, kNeedPorts);
      if (frequencies_ < 0) return Fail(at, kNeedFrequencies);
      if (ports_ == 2 && !seen_[kOrder]) return Fail(at, kNeedOrder);
      return StartNetwork(at);
    case kNoiseData:
      if (section_ != Section::Network) return Fail(at, kSectionOutOfOrder);
      if (!rest.empty()) return Fail(restAt, kExpectedNothingAfter);
      if (!values_.empty()) return Fail(at, kDataIncomplete);
      if (ports_ != 2) return Fail(at, kNoiseOnlyTwoPort);
      if (noiseFrequencies_ < 0) return Fail(at, kNeedNoiseCount);
      if (!CheckCount(frequencies_, points_, kCountBefore, at)) return false;
      section_ = Section::Noise;
      return true;
    case kEnd:
      if (section_ == Section::Header) return Fail(at, kNoData);
      if (!values_.empty()) return Fail(at, kDataIncomplete);
      if (!CheckCount(frequencies_, points_, kCountBefore, at)) return false;
      if (noiseFrequencies_ > 0 &&
          !CheckCount(noiseFrequencies_, noisePoints_, kNoiseCountBefore, at)) {
        return false;
      }
      section_ = Section::Done;
      return true;
    case kKeywordCount:
      break;
  }
  return Fail(at, kUnknownKeyword);
}

bool SectionReader::ReferenceValues(std::string_view values, std::size_t base) {
  std::size_t pos = 0;
  for (Token t = NextToken(values, pos); !t.Text.empty(); t = NextToken(values, pos)) {
    double r = 0.0;
    if (referencePending_ == 0 || !ParseNumber(t.Text, r).empty() || !(r > 0.0) ||
        !std::isfinite(r)) {
      return Fail(base + t.At, std::string(kExpectedReferenceBefore) + Number(ports_) +
                                   std::string(kExpectedReferenceAfter));
    }
    reference_.push_back(r);
    --referencePending_;
  }
  return true;
}

bool SectionReader::CheckCount(long long declared, long long held, std::string_view what,
                               std::size_t at) {
  if (declared == held) return true;
  return Fail(at, std::string(what) + Number(declared) + std::string(kCountMiddle) +
                      (held > declared ? std::string(kCountMore) : Number(held)));
}

bool SectionReader::StartNetwork(std::size_t at) {
  dataPorts_ = version_ == 2 ? ports_ : request_.Ports;
  if (dataPorts_ < 1) return Fail(at, kPortsUnknown);
  if (dataPorts_ > kMaxPorts) return Fail(at, kTooManyPorts);
  if (request_.Port > dataPorts_) {
    return Fail(at, std::string(kNoSuchPortBefore) + Number(request_.Port) +
                        std::string(kNoSuchPortMiddle) + Number(dataPorts_) +
                        std::string(kNoSuchPortAfter));
  }
  Layout layout;
  layout.Ports = dataPorts_;
  layout.Port = request_.Port;
  layout.Matrix = version_ == 2 ? matrix_ : MatrixFormat::Full;
  layout.TwoPort21First = version_ == 2 ? twoPort21First_ : true;
  layout.Param = options_.Param;
  layout.Form = options_.Form;
  // Version 2 writes Y and Z in siemens and ohms, each port against its own reference;
  // version 1 writes them divided by R.
  const auto n = static_cast<std::size_t>(dataPorts_);
  if (version_ == 1) {
    layout.Ref.assign(n, 1.0);
  } else if (reference_.size() == n) {
    layout.Ref = reference_;
  } else {
    layout.Ref.assign(n, options_.R);
  }
  perFrequency_ = NumbersPerFrequency(layout);
  converter_.emplace(layout);
  values_.reserve(perFrequency_ + 1);
  section_ = Section::Network;
  return true;
}

bool SectionReader::CompleteRecord(std::size_t at) {
  if (version_ == 2 && points_ == frequencies_) {
    return CheckCount(frequencies_, points_ + 1, kCountBefore, at);
  }
  Point p;
  p.FreqHz = values_[0];
  p.Refl = converter_->Reflection(values_.data() + 1);
  lastHz_ = p.FreqHz;
  ++points_;
  values_.clear();
  sink_(p);
  return true;
}

bool SectionReader::DataLine(std::string_view content, std::size_t at) {
  if (section_ == Section::Noise) return NoiseLine(content, at);
  if (section_ != Section::Network) {
    if (version_ == 2) return Fail(at, kDataOutsideSection);
    if (!StartNetwork(at)) return false;
  }
  const char* const begin = content.data();
  const char* const end = begin + content.size();
  bool complete = false;
  // Straight over the line's bytes: each number is scanned once, by from_chars itself.
  for (const char* p = begin + at;;) {
    while (p < end && text::IsSpaceOrTab(*p)) ++p;
    if (p == end) break;
    const auto tokenAt = static_cast<std::size_t>(p - begin);
    if (complete) return Fail(tokenAt, kExpectedEndOfLine);
    double v = 0.0;
    if (const std::string_view fault = ScanNumber(p, end, v); !fault.empty()) {
      return Fail(tokenAt, fault);
    }
    if (values_.empty()) {
      const double hz = v * options_.HzPerUnit;
      // Version 1 has no keyword for noise data: a 2-port file's noise data starts where the
      // frequency stops increasing.
      if (version_ == 1 && dataPorts_ == 2 && points_ > 0 && hz <= lastHz_) {
        section_ = Section::Noise;
        if (NoiseLine(content, at)) return true;
        // A first "noise" line that is no noise line is network data out of order.
        if (error_.Message == kNoiseNumbers) return Fail(tokenAt, NotIncreasing(hz, lastHz_));
        return false;
      }
      if (v < 0.0) return Fail(tokenAt, kNegativeFrequency);
      if (!std::isfinite(hz)) return Fail(tokenAt, kFrequencyTooLarge);
      if (points_ > 0 && hz <= lastHz_) return Fail(tokenAt, NotIncreasing(hz, lastHz_));
      v = hz == 0.0 ? 0.0 : hz;  // -0 is 0 Hz
    }
    values_.push_back(v);
    if (values_.size() == perFrequency_ + 1) {
      if (!CompleteRecord(tokenAt)) return false;
      complete = true;
    }
  }
  // A version 1 one-port file writes each frequency on one line of its own.
  if (!values_.empty() && version_ == 1 && dataPorts_ == 1) {
    return Fail(text::TrimBack(content, text::IsSpaceOrTab).size(), kExpectedNumber);
  }
  return true;
}

bool SectionReader::NoiseLine(std::string_view content, std::size_t at) {
  std::size_t pos = at;
  std::size_t count = 0;
  for (Token t = NextToken(content, pos); !t.Text.empty(); t = NextToken(content, pos)) {
    double v = 0.0;
    if (const std::string_view fault = ParseNumber(t.Text, v); !fault.empty()) {
      return Fail(t.At, fault);
    }
    if (++count > kNoiseValues) return Fail(t.At, kNoiseNumbers);
  }
  if (count < kNoiseValues) return Fail(at, kNoiseNumbers);
  ++noisePoints_;
  if (version_ == 2 && noisePoints_ > noiseFrequencies_) {
    return CheckCount(noiseFrequencies_, noisePoints_, kNoiseCountBefore, at);
  }
  return true;
}

bool SectionReader::Finish(int lastLine, std::size_t lastLength) {
  line_ = lastLine > 0 ? lastLine : 1;
  if (referencePending_ > 0) {
    return Fail(lastLength, std::string(kExpectedReferenceBefore) + Number(ports_) +
                                std::string(kExpectedReferenceAfter));
  }
  if (!values_.empty()) return Fail(lastLength, kDataIncomplete);
  if (version_ == 2 && section_ != Section::Done) return Fail(lastLength, kMissingEnd);
  if (points_ == 0) return Fail(lastLength, kNoData);
  return true;
}

}  // namespace touchstone
