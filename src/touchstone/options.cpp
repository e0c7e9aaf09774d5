#include "touchstone/options.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "text/ascii.h"
#include "touchstone/texts.h"

namespace touchstone {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Unit {
  std::string_view Name;
  double HzPerUnit;
};
constexpr std::array<Unit, 4> kUnits{{{"hz", 1.0}, {"khz", 1e3}, {"mhz", 1e6}, {"ghz", 1e9}}};

struct Param {
  std::string_view Name;
  Parameter Value;
};
constexpr std::array<Param, 5> kParams{{{"s", Parameter::S},
                                        {"y", Parameter::Y},
                                        {"z", Parameter::Z},
                                        {"g", Parameter::G},
                                        {"h", Parameter::H}}};

struct Form {
  std::string_view Name;
  Format Value;
};
constexpr std::array<Form, 3> kForms{{{"ma", Format::MA}, {"db", Format::DB}, {"ri", Format::RI}}};

template <class Table>
const typename Table::value_type* Find(const Table& table, std::string_view token) {
  for (const auto& row : table) {
    if (text::EqualsNoCase(row.Name, token)) return &row;
  }
  return nullptr;
}

}  // namespace

std::string_view ScanNumber(const char*& p, const char* end, double& value) {
  const char* q = p;
  if (q < end && *q == '+') ++q;
  // from_chars would also take "inf" and "nan"; a file's numbers start with a digit or a point.
  const char* first = q < end && *q == '-' ? q + 1 : q;
  if (first == end || !(IsDigit(*first) || *first == '.')) return kExpectedNumber;
  const auto [ptr, ec] = std::from_chars(q, end, value);
  if (ptr == q || (ptr < end && !text::IsSpaceOrTab(*ptr))) return kExpectedNumber;
  if (ec == std::errc::result_out_of_range) return kNumberOutOfRange;
  if (ec != std::errc()) return kExpectedNumber;
  p = ptr;
  return {};
}

std::string_view ParseNumber(std::string_view token, double& value) {
  const char* p = token.data();
  return ScanNumber(p, token.data() + token.size(), value);
}

std::optional<OptionFault> ParseOptions(std::string_view text, Options& out) {
  bool unitSet = false;
  bool paramSet = false;
  bool formSet = false;
  bool rSet = false;
  std::size_t pos = 0;
  auto nextToken = [&](std::size_t& at) {
    while (pos < text.size() && text::IsSpaceOrTab(text[pos])) ++pos;
    at = pos;
    while (pos < text.size() && !text::IsSpaceOrTab(text[pos])) ++pos;
    return text.substr(at, pos - at);
  };
  for (;;) {
    std::size_t at = 0;
    const std::string_view token = nextToken(at);
    if (token.empty()) return std::nullopt;
    auto once = [&](bool& set) {
      const bool first = !set;
      set = true;
      return first;
    };
    if (const Unit* u = Find(kUnits, token)) {
      if (!once(unitSet)) return OptionFault{at, kOptionTwice};
      out.HzPerUnit = u->HzPerUnit;
    } else if (const Param* p = Find(kParams, token)) {
      if (!once(paramSet)) return OptionFault{at, kOptionTwice};
      out.Param = p->Value;
    } else if (const Form* f = Find(kForms, token)) {
      if (!once(formSet)) return OptionFault{at, kOptionTwice};
      out.Form = f->Value;
    } else if (text::EqualsNoCase(token, "r")) {
      if (!once(rSet)) return OptionFault{at, kOptionTwice};
      std::size_t valueAt = 0;
      const std::string_view value = nextToken(valueAt);
      if (value.empty()) return OptionFault{valueAt, kExpectedResistance};
      double r = 0.0;
      if (!ParseNumber(value, r).empty()) return OptionFault{valueAt, kExpectedResistance};
      if (!(r > 0.0) || !std::isfinite(r)) return OptionFault{valueAt, kBadResistance};
      out.R = r;
    } else {
      return OptionFault{at, kUnknownOption};
    }
  }
}

}  // namespace touchstone
