#pragma once

#include <optional>
#include <string_view>

// The option line "# GHz S MA R 50": its fields in any order and any case, each one missing
// taking the default shown.
namespace touchstone {

enum class Parameter { S, Y, Z, G, H };
enum class Format { MA, DB, RI };  // magnitude and degrees, dB and degrees, real and imaginary

struct Options {
  double HzPerUnit = 1e9;
  Parameter Param = Parameter::S;
  Format Form = Format::MA;
  double R = 50.0;  // ohms
};

// A fault of the option line: the byte offset of the token within the text, and the message.
struct OptionFault {
  std::size_t Offset = 0;
  std::string_view Message;
};

// Reads the text after "#" into out (G and H included: refusing them is the reader's call).
std::optional<OptionFault> ParseOptions(std::string_view text, Options& out);

// A number as the files write it ("+1.5E-03", "-.5"), finite, locale-free, starting at p and
// ending at a blank or at end; p moves past it. Returns the message of the fault, or an
// empty view.
std::string_view ScanNumber(const char*& p, const char* end, double& value);
// The same for a whole token.
std::string_view ParseNumber(std::string_view token, double& value);

}  // namespace touchstone
