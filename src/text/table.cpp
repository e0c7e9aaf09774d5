#include "text/table.h"

#include "text/texts.h"

namespace text {

namespace {

bool NeedsQuotes(std::string_view s) {
  return s.find_first_of(",\"\r\n") != std::string_view::npos;
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
  if (!NeedsQuotes(s)) {
    out += s;
    return;
  }
  out += '"';
  for (const char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendHtmlEscaped(std::string& out, std::string_view s) {
  for (const char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
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
      AppendHtmlEscaped(out, *s);
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
