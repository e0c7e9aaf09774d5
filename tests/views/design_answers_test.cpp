#include "views/design_answers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <ostream>
#include <string>

#include "analysis/coupler_design.h"
#include "rf/reflection.h"
#include "worked_example.h"

namespace {

using test_support::Setup;
using test_support::WorkedModel;

struct TypedBack {
  const char* name;
  Setup setup;
  const char* targetPercent;
};
void PrintTo(const TypedBack& row, std::ostream* os) { *os << row.name; }

double LeadingNumber(const std::string& text) {
  double v = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

class DesignTypedBack : public testing::TestWithParam<TypedBack> {};

// The shown answers, typed back into the model, keep the absorbed-power reading within the
// target: an answer rounded to nearest would miss it (34.6 dB gives 5.00024 % for 5 %).
TEST_P(DesignTypedBack, ShownAnswersMeetTheTarget) {
  const TypedBack& row = GetParam();
  const double target = LeadingNumber(row.targetPercent) / 100.0;
  rf::ModelState m = WorkedModel(row.setup);
  const views::DesignAnswers a = views::AnswerDesign(m, row.targetPercent);

  rf::ModelState dir = m;
  dir.CplIdeal = false;
  dir.CplDirDb = LeadingNumber(a.Directivity);
  rf::ComputeTransmission(dir);
  EXPECT_LE(analysis::AbsorbedReadingError(dir), target) << a.Directivity;

  if (!m.CplIdeal) {
    rf::ModelState swr = m;
    swr.LoaRfl.Swr = LeadingNumber(a.LoadSwr);
    rf::ReflFromSwr(swr.LoaRfl);
    rf::ComputeTransmission(swr);
    EXPECT_LE(analysis::AbsorbedReadingError(swr), target) << a.LoadSwr;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, DesignTypedBack,
                         testing::Values(TypedBack{"FirstStartFivePercent", {}, "5"},
                                         TypedBack{"StrongLoadTwoPercent", {.load = 0.8}, "2"},
                                         TypedBack{"ThirtyDbFivePercent", {.dirDb = 30.0}, "5"},
                                         TypedBack{"TwentyDbTenPercent", {.dirDb = 20.0}, "10"}),
                         [](const testing::TestParamInfo<TypedBack>& row) {
                           return row.param.name;
                         });

TEST(DesignAnswerText, SaysWhyThereIsNoAnswer) {
  EXPECT_EQ(views::AnswerDesign(WorkedModel(), "5").Directivity, "34.61 dB");
  EXPECT_EQ(views::AnswerDesign(WorkedModel(), "5").LoadSwr, "any (ideal couplers)");
  EXPECT_EQ(views::AnswerDesign(WorkedModel(), "0").Directivity, "enter a target above 0 %");
  const std::string total = views::AnswerDesign(WorkedModel({.load = 1.0}), "5").Directivity;
  EXPECT_EQ(total.rfind("not reachable: ", 0), 0u) << total;
}

}  // namespace
