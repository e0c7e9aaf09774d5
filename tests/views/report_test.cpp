// The printable report read as text: one self-contained document holding every window row, the
// limits table, the design answers and one inline picture per chart, with texts escaped.
#include <gtest/gtest.h>

#include <string>

#include "views/limits_table.h"
#include "views/report.h"
#include "worked_example.h"

namespace {

int Count(const std::string& s, const std::string& what) {
  int n = 0;
  for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

views::ReportInputs Worked() {
  views::ReportInputs in;
  in.Title = "Zephlane V 2.1.0.0";
  in.WindowRows = {{"Magnetron: Anode V", "4350", "V"},
                   {"Transmission: Incident Power, Actual Value", "992.32", "W"},
                   {"A caption with <markup> & \"quotes\"", "1", ""}};
  in.Model = test_support::WorkedModel();
  in.DesignTarget = "5";
  return in;
}

TEST(Report, IsOneSelfContainedPrintableDocument) {
  const std::string html = views::ReportHtml(Worked());
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("@media print"), std::string::npos);
  EXPECT_EQ(Count(html, "<html"), 1);
  EXPECT_EQ(Count(html, "</html>"), 1);
  // Nothing is fetched when it opens or prints: no scripts, links or outside references.
  for (const char* outside : {"<script", "<link", "src=", "href="}) {
    EXPECT_EQ(html.find(outside), std::string::npos) << outside;
  }
  // References inside a picture (its clip paths) point into the document itself.
  for (std::size_t p = html.find("url("); p != std::string::npos; p = html.find("url(", p + 1)) {
    EXPECT_EQ(html.compare(p, 5, "url(#"), 0) << html.substr(p, 40);
  }
}

TEST(Report, HoldsEveryRowTheAnswersAndOneInlinePicturePerChart) {
  const views::ReportInputs in = Worked();
  const std::string html = views::ReportHtml(in);
  EXPECT_NE(html.find("<td>Magnetron: Anode V</td><td>4350</td><td>V</td>"), std::string::npos);
  EXPECT_NE(html.find("992.32"), std::string::npos);
  // Markup in a caption is text, never markup.
  EXPECT_NE(html.find("A caption with &lt;markup&gt; &amp; &quot;quotes&quot;"), std::string::npos);
  EXPECT_EQ(html.find("<markup>"), std::string::npos);
  // The limits table: its header and one row per quantity, numbers right-aligned.
  const auto rows = views::LimitsTable(in.Model, in.Coverage);
  ASSERT_FALSE(rows.empty());
  EXPECT_NE(html.find("<th>Median</th>"), std::string::npos);
  EXPECT_NE(html.find(">" + rows.front()[0] + "<"), std::string::npos);
  EXPECT_GE(Count(html, "<td class=\"n\">"), static_cast<int>(rows.size()));
  EXPECT_NE(html.find("34.61 dB"), std::string::npos);  // the smallest directivity for 5 %
  EXPECT_EQ(Count(html, "<svg "), 3);
  EXPECT_EQ(Count(html, "</svg>"), 3);
}

TEST(Report, AnUntypedTargetStillDrawsTheChartsAndSaysWhy) {
  views::ReportInputs in = Worked();
  in.DesignTarget = "";
  const std::string html = views::ReportHtml(in);
  EXPECT_EQ(Count(html, "<svg "), 3);
  EXPECT_NE(html.find("enter a target above 0 %"), std::string::npos);
}

}  // namespace
