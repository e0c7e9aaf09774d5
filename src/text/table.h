#pragma once

#include <span>
#include <string>
#include <string_view>

// A table of results as the user reads them (quantity, value, unit; the texts as shown) in
// the forms that paste into a spreadsheet or a report.
namespace text {

struct ResultRow {
  std::string Quantity;
  std::string Value;
  std::string Unit;
};

// Comma separated, a header row first, lines ending in CR LF, fields quoted by RFC 4180 when
// they hold a comma, a quote, a CR or a LF (a quote doubled inside). Texts go out as given
// (UTF-8); numbers keep their "." decimal point. A text that a spreadsheet would run as a
// formula (starting with "=", "+", "-", "@", a tab or a CR, and not a number such as "-1.5",
// "-inf" or "-\u221E") goes out behind an apostrophe.
std::string ToCsv(std::span<const ResultRow> rows);
// Tab separated, a header row first, lines ending in LF; a tab or line break inside a text
// becomes a space, since the format has no quoting.
std::string ToTabText(std::span<const ResultRow> rows);
// A <table> with a header row; &, <, >, " and ' escaped.
std::string ToHtml(std::span<const ResultRow> rows);

// One field in CSV form, appended; quoted and neutralised as ToCsv does.
void AppendCsvField(std::string& out, std::string_view s);

}  // namespace text
