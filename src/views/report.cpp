#include "views/report.h"

#include <charconv>
#include <cstddef>

#include "chart/chart.h"
#include "text/markup.h"
#include "views/analysis_charts.h"
#include "views/design_answers.h"
#include "views/limits_table.h"
#include "views/texts.h"

namespace views {

namespace {

// Paper is light whatever the screen's theme; the charts keep their sizes on the page and no
// table or chart is split across two pages.
constexpr std::string_view kStyleSheet =
    "body{font-family:sans-serif;font-size:10pt;color:#111;background:#fff;margin:2em}"
    "h1{font-size:16pt}h2{font-size:12pt;margin-top:1.5em}"
    "table{border-collapse:collapse;margin:.5em 0}"
    "th,td{border:1px solid #999;padding:2px 6px;text-align:left;vertical-align:top}"
    "td.n{text-align:right;font-variant-numeric:tabular-nums}"
    "figure{margin:1em 0}svg{max-width:100%;height:auto}"
    "@media print{body{margin:0}h2{break-after:avoid}table,figure{break-inside:avoid}"
    "@page{margin:15mm}}";
constexpr double kChartWidth = 720.0;
constexpr double kChartHeight = 420.0;

void Append(std::string& out, std::string_view tag, std::string_view text) {
  out += '<';
  out += tag;
  out += '>';
  text::AppendMarkupEscaped(out, text);
  out += "</";
  out += tag.substr(0, tag.find(' '));
  out += ">\n";
}

void AppendLimits(std::string& out, const rf::ModelState& m, double coverage) {
  out += "<table>\n<tr>";
  for (const std::string& h : LimitTableHeader(coverage)) {
    out += "<th>";
    text::AppendMarkupEscaped(out, h);
    out += "</th>";
  }
  out += "</tr>\n";
  for (const LimitTableRow& row : LimitsTable(m, coverage)) {
    out += "<tr>";
    for (std::size_t c = 0; c < row.size(); ++c) {
      out += LimitColumnIsNumber(c) ? "<td class=\"n\">" : "<td>";
      text::AppendMarkupEscaped(out, row[c]);
      out += "</td>";
    }
    out += "</tr>\n";
  }
  out += "</table>\n";
}

double TargetOf(std::string_view typed) {
  double v = 0.0;
  const auto [end, ec] = std::from_chars(typed.data(), typed.data() + typed.size(), v);
  return ec == std::errc() && end == typed.data() + typed.size() && v > 0.0
             ? v
             : kDefaultDesignTargetPercent;
}

}  // namespace

std::string ReportHtml(const ReportInputs& in) {
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  Append(out, "title", in.Title);
  out += "<style>";
  out += kStyleSheet;
  out += "</style>\n</head>\n<body>\n";
  Append(out, "h1", in.Title);

  Append(out, "h2", kReportWindowHeading);
  out += text::ToHtml(in.WindowRows);

  Append(out, "h2", kLimitsHeading);
  AppendLimits(out, in.Model, in.Coverage);

  Append(out, "h2", kDesignHeading);
  const DesignAnswers answers = AnswerDesign(in.Model, in.DesignTarget);
  out += "<table>\n";
  for (const auto& [label, value] :
       {std::pair<std::string_view, std::string_view>{kDesignTarget, in.DesignTarget},
        {kDesignDirectivity, answers.Directivity},
        {kDesignSwr, answers.LoadSwr}}) {
    out += "<tr><th>";
    text::AppendMarkupEscaped(out, label);
    out += "</th><td>";
    text::AppendMarkupEscaped(out, value);
    out += "</td></tr>\n";
  }
  out += "</table>\n";

  Append(out, "h2", kReportChartsHeading);
  const double target = TargetOf(in.DesignTarget);
  for (int i = 0; i < kAnalysisChartCount; ++i) {
    const BuiltChart built =
        BuildAnalysisChart(static_cast<AnalysisChart>(i), in.Model, in.Unit, target);
    out += "<figure>\n";
    out += chart::ToSvg(built.Chart, kChartWidth, kChartHeight, chart::Style{});
    out += "\n</figure>\n";
  }
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace views
