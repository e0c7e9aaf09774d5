#include "text/table.h"

#include "text/ascii.h"
#include "text/markup.h"
#include "text/texts.h"

namespace text {

namespace {

bool NeedsQuotes(std::string_view s) {
  return s.find_first_of(",\"\r\n") != std::string_view::npos;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as the program writes one: a sign, then decimal digits with an optional point and
// exponent, or the words for an infinity and not-a-number, or the infinity sign.
bool IsNumberText(std::string_view s) {
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  if (s == "\u221E" || EqualsNoCase(s, "inf") || EqualsNoCase(s, "infinity") ||
      EqualsNoCase(s, "nan")) {
    return true;
  }
  std::size_t i = 0;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t exponentBegin = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    if (i == exponentBegin) return false;
  }
  return i == s.size();
}

// A spreadsheet that opens the file takes a cell starting with one of these as a formula (one
// that can start programs), and drops a leading tab or CR on the way to one; a number with its
// sign is only a number.
bool OpensAsFormula(std::string_view s) {
  if (s.empty()) return false;
  const char c = s.front();
  const bool trigger = c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
  return trigger && !IsNumberText(s);
}

void AppendTabField(std::string& out, std::string_view s) {
  for (const char c : s) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

const ResultRow& Header() {
  static const ResultRow h{std::string(kHeadQuantity), std::string(kHeadValue),
                           std::string(kHeadUnit)};
  return h;
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view s) {
  // The usual leading apostrophe: the cell is shown as typed, as text, and never run.
  const bool neutralise = OpensAsFormula(s);
  if (!NeedsQuotes(s)) {
    if (neutralise) out += '\'';
    out += s;
    return;
  }
  out += '"';
  if (neutralise) out += '\'';
  for (const char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string ToCsv(std::span<const ResultRow> rows) {
  std::string out;
  const auto row = [&](const ResultRow& r) {
    AppendCsvField(out, r.Quantity);
    out += ',';
    AppendCsvField(out, r.Value);
    out += ',';
    AppendCsvField(out, r.Unit);
    out += "\r\n";
  };
  row(Header());
  for (const ResultRow& r : rows) row(r);
  return out;
}

std::string ToTabText(std::span<const ResultRow> rows) {
  std::string out;
  const auto row = [&](const ResultRow& r) {
    AppendTabField(out, r.Quantity);
    out += '\t';
    AppendTabField(out, r.Value);
    out += '\t';
    AppendTabField(out, r.Unit);
    out += '\n';
  };
  row(Header());
  for (const ResultRow& r : rows) row(r);
  return out;
}

std::string ToHtml(std::span<const ResultRow> rows) {
  std::string out = "<table>\n<tr>";
  const auto cells = [&](const ResultRow& r, std::string_view tag) {
    for (const std::string* s : {&r.Quantity, &r.Value, &r.Unit}) {
      out += '<';
      out += tag;
      out += '>';
      AppendMarkupEscaped(out, *s);
      out += "</";
      out += tag;
      out += '>';
    }
  };
  cells(Header(), "th");
  out += "</tr>\n";
  for (const ResultRow& r : rows) {
    out += "<tr>";
    cells(r, "td");
    out += "</tr>\n";
  }
  out += "</table>\n";
  return out;
}

}  // namespace text
