#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <random>
#include <regex>
#include <string>

#include "doubles.h"
#include "numtext/parse.h"

namespace numtext {
namespace {

using zephlane_test::SameBits;

constexpr double kDefault = 12345.0;

// The number grammar written out once more, independently of the reader: blanks trimmed, ","
// read as ".", a sign, digits with an optional point, an exponent of at most 1024 either way;
// the words NAN, INF, +INF, -INF; a value that overflows is not a number, one that underflows
// is a signed zero.
double Expected(std::string text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  text = text.substr(b, e - b);
  for (char& c : text)
    if (c == ',') c = '.';
  static const std::regex kNan("nan", std::regex::icase);
  static const std::regex kInf("\\+?inf", std::regex::icase);
  static const std::regex kMinusInf("-inf", std::regex::icase);
  if (std::regex_match(text, kNan)) return std::numeric_limits<double>::quiet_NaN();
  if (std::regex_match(text, kInf)) return std::numeric_limits<double>::infinity();
  if (std::regex_match(text, kMinusInf)) return -std::numeric_limits<double>::infinity();
  static const std::regex kNumber("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?([0-9]+))?");
  std::smatch m;
  if (!std::regex_match(text, m, kNumber)) return kDefault;
  if (m[3].matched) {
    const std::string digits = m[3].str();
    const std::size_t nonZero = digits.find_first_not_of('0');
    if (nonZero != std::string::npos &&
        (digits.size() - nonZero > 4 || std::stoi(digits.substr(nonZero)) > 1024))
      return kDefault;
  }
  const double v = std::strtod(text.c_str(), nullptr);
  return std::isinf(v) ? kDefault : v;
}

// Texts drawn from the characters that matter to the grammar, many of them near-numbers.
TEST(TextToFloat, AgreesWithTheGrammarOnRandomTexts) {
  static const std::string kAlphabet = "0123456789..eE+-, \tinfINFaNx";
  std::mt19937 random(20261209u);
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 9);
  const double inf = std::numeric_limits<double>::infinity();
  for (int round = 0; round < 50000; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += kAlphabet[pick(random)];
    ASSERT_TRUE(SameBits(Expected(text), TextToFloat(text, kDefault, -inf, inf, false)))
        << '"' << text << '"';
  }
}

struct EdgeRow {
  const char* Name;
  const char* Text;
};

void PrintTo(const EdgeRow& row, std::ostream* os) { *os << row.Name; }

class TextToFloatEdge : public testing::TestWithParam<EdgeRow> {};

TEST_P(TextToFloatEdge, AgreesWithTheGrammar) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(SameBits(Expected(GetParam().Text),
                       TextToFloat(GetParam().Text, kDefault, -inf, inf, false)));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToFloatEdge,
    testing::Values(
        EdgeRow{"LargestExponent", "1e1024"}, EdgeRow{"ExponentTooLarge", "1e1025"},
        EdgeRow{"SmallestExponent", "1e-1024"}, EdgeRow{"ExponentTooSmall", "1e-1025"},
        EdgeRow{"ExponentLeadingZeros", "1e000000000000005"},
        EdgeRow{"TinyMantissaHugeExponent", "0.0000001e1024"},
        EdgeRow{"ZerosThenOverflow", "0000000001e308"}, EdgeRow{"Overflow", "2e308"},
        EdgeRow{"NegativeOverflow", "-2e308"}, EdgeRow{"UnderflowToZero", "-1e-400"},
        EdgeRow{"Subnormal", "4e-324"}, EdgeRow{"PointFirst", ".5e3"}, EdgeRow{"PointLast", "5.e3"},
        EdgeRow{"OnlyPoint", "."}, EdgeRow{"PlusMinus", "+-5"}, EdgeRow{"Infinity", "infinity"},
        EdgeRow{"NanWithPayload", "nan(1)"}, EdgeRow{"SignedNan", "-nan"},
        EdgeRow{"PlusInf", "+inf"}, EdgeRow{"Hex", "0x10"}, EdgeRow{"CommaDecimal", " -1,5e2 "},
        EdgeRow{"LongMantissa", "3.14159265358979323846264338327950288419716939937510"}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace numtext
