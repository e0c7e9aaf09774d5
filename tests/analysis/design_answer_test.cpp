#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <string>

#include "analysis/coupler_design.h"
#include "analysis/texts.h"
#include "rf/reflection.h"
#include "worked_example.h"

namespace {

using analysis::DesignAnswer;
using analysis::DesignStatus;
using test_support::Setup;
using test_support::WorkedModel;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The error a user sees after typing a directivity back into the window with their own source.
double ErrorWithDirectivity(rf::ModelState m, double dirDb) {
  m.CplIdeal = false;
  m.CplDirDb = dirDb;
  rf::ComputeTransmission(m);
  return analysis::AbsorbedReadingError(m);
}

double ErrorWithLoadSwr(rf::ModelState m, double swr) {
  m.LoaRfl.Swr = swr;
  rf::ReflFromSwr(m.LoaRfl);
  rf::ComputeTransmission(m);
  return analysis::AbsorbedReadingError(m);
}

// The window's first start: 34.600413 dB is the exact answer for 5 %; 34.6, the nearest
// rounding, gives 5.00024 % when typed back; 34.61 is shown instead. At 20 dB the 10 % load
// limit is SWR 1.546586: 1.547 would miss, 1.546 is shown.
TEST(DesignAnswer, ShownValuesLieOnTheSafeSide) {
  const rf::ModelState m = WorkedModel({});
  const DesignAnswer dir = analysis::DirectivityAnswer(m, 0.05);
  ASSERT_EQ(dir.Status, DesignStatus::Ok);
  EXPECT_NEAR(dir.Exact, 34.600413, 5e-6);
  EXPECT_EQ(dir.Shown, 34.61);
  EXPECT_EQ(dir.Decimals, 2);
  EXPECT_GT(ErrorWithDirectivity(m, 34.6), 0.05) << "the nearest rounding misses the target";
  EXPECT_LE(ErrorWithDirectivity(m, dir.Shown), 0.05);

  const rf::ModelState c = WorkedModel({.dirDb = 20.0});
  const DesignAnswer swr = analysis::LoadSwrAnswer(c, 0.1);
  ASSERT_EQ(swr.Status, DesignStatus::Ok);
  EXPECT_NEAR(swr.Exact, 1.546586, 1e-5);
  EXPECT_EQ(swr.Shown, 1.546);
  EXPECT_EQ(swr.Decimals, 3);
  EXPECT_GT(ErrorWithLoadSwr(c, 1.547), 0.1);
  EXPECT_LE(ErrorWithLoadSwr(c, swr.Shown), 0.1);

  // 30 dB couplers, 5 %: the nearest rounding 2.04 reads back as 5.0009 %.
  const rf::ModelState c30 = WorkedModel({.dirDb = 30.0});
  const DesignAnswer swr30 = analysis::LoadSwrAnswer(c30, 0.05);
  ASSERT_EQ(swr30.Status, DesignStatus::Ok);
  EXPECT_NEAR(ErrorWithLoadSwr(c30, 2.04), 0.050009, 1e-6);
  EXPECT_EQ(swr30.Shown, 2.039);
}

// Fed back as shown and as computed, with sources of every kind, not only the nominal matched
// one the search runs on: the error never exceeds the target, not even by an ulp.
TEST(DesignAnswer, HoldsForAnySource) {
  const double sources[] = {0.0, 0.05, 0.2, 0.5, 0.9, 0.999};
  const double srcPhases[] = {0.0, 37.0, 180.0};
  const double loads[] = {0.0, 0.01, 0.3, 0.5, 0.77, 0.95};
  const double targets[] = {1e-6, 0.001, 0.01, 0.0333, 0.05, 0.1, 0.25};
  const double dirs[] = {20.0, 33.3, 45.0};
  const int operating[][2] = {{4350, 32}, {1, 1}, {100000, 100000}, {2000, 7}};
  int checked = 0;
  for (const auto& op : operating) {
    for (const double src : sources) {
      for (const double pha : srcPhases) {
        for (const double load : loads) {
          rf::ModelState m = WorkedModel({.src = src, .srcPha = pha, .load = load});
          m.Va = op[0];
          m.Ia = op[1] / 100.0;
          rf::ComputeTransmission(m);
          for (const double target : targets) {
            const DesignAnswer dir = analysis::DirectivityAnswer(m, target);
            if (dir.Status == DesignStatus::Ok) {
              EXPECT_LE(ErrorWithDirectivity(m, dir.Exact), target) << src << ' ' << load;
              EXPECT_LE(ErrorWithDirectivity(m, dir.Shown), target) << src << ' ' << load;
              EXPECT_GE(dir.Shown, dir.Exact);
              ++checked;
            }
            for (const double dirDb : dirs) {
              rf::ModelState c = m;
              c.CplIdeal = false;
              c.CplDirDb = dirDb;
              const DesignAnswer swr = analysis::LoadSwrAnswer(c, target);
              if (swr.Status != DesignStatus::Ok) continue;
              EXPECT_LE(ErrorWithLoadSwr(c, swr.Exact), target) << src << ' ' << dirDb;
              EXPECT_LE(ErrorWithLoadSwr(c, swr.Shown), target) << src << ' ' << dirDb;
              EXPECT_LE(swr.Shown, swr.Exact);
              ++checked;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 1500);
}

struct StatusRow {
  std::string name;
  Setup setup;
  double target;
  DesignStatus directivity;
  DesignStatus swr;
};

void PrintTo(const StatusRow& row, std::ostream* os) { *os << row.name; }

class DesignStatusRows : public testing::TestWithParam<StatusRow> {};

// Where there is no number, the answer says why, and no number is offered.
TEST_P(DesignStatusRows, SaysWhy) {
  const StatusRow& row = GetParam();
  const rf::ModelState m = WorkedModel(row.setup);
  const DesignAnswer dir = analysis::DirectivityAnswer(m, row.target);
  const DesignAnswer swr = analysis::LoadSwrAnswer(m, row.target);
  EXPECT_EQ(dir.Status, row.directivity);
  EXPECT_EQ(swr.Status, row.swr);
  for (const DesignAnswer* a : {&dir, &swr}) {
    if (a->Status == DesignStatus::Ok) continue;
    EXPECT_FALSE(analysis::DesignStatusText(a->Status).empty());
    if (a->Status == DesignStatus::AnyLoad) {
      EXPECT_EQ(a->Shown, kInf) << "every load, never a capped number";
    } else {
      EXPECT_TRUE(std::isnan(a->Shown));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DesignStatusRows,
    testing::Values(
        StatusRow{"IdealCouplers", {}, 0.05, DesignStatus::Ok, DesignStatus::AnyLoad},
        StatusRow{"TotalLoadReflection",
                  {.load = 1.0, .dirDb = 20.0},
                  0.5,
                  DesignStatus::TotalReflection,
                  DesignStatus::Ok},
        StatusRow{"BeyondOneHundredSixtyDb",
                  {.dirDb = 20.0},
                  1e-9,
                  DesignStatus::BeyondRange,
                  DesignStatus::LeakageAlone},
        StatusRow{"LeakageAloneAtSixDb",
                  {.dirDb = 6.0},
                  0.1,
                  DesignStatus::Ok,
                  DesignStatus::LeakageAlone},
        // At 160 dB a load of SWR 9999.998 still reads within 0.1 %.
        StatusRow{
            "EveryLoadAt160Db", {.dirDb = 160.0}, 0.001, DesignStatus::Ok, DesignStatus::AnyLoad},
        StatusRow{
            "ZeroTarget", {.dirDb = 20.0}, 0.0, DesignStatus::BadTarget, DesignStatus::BadTarget},
        StatusRow{"NegativeTarget",
                  {.dirDb = 20.0},
                  -0.05,
                  DesignStatus::BadTarget,
                  DesignStatus::BadTarget},
        StatusRow{
            "NaNTarget", {.dirDb = 20.0}, kNaN, DesignStatus::BadTarget, DesignStatus::BadTarget},
        StatusRow{"InfiniteTarget",
                  {.dirDb = 20.0},
                  kInf,
                  DesignStatus::BadTarget,
                  DesignStatus::BadTarget}),
    [](const auto& row) { return row.param.name; });

TEST(DesignAnswer, StatusTextsNameTheReason) {
  EXPECT_EQ(analysis::DesignStatusText(DesignStatus::AnyLoad), analysis::kDesignAnyLoad);
  EXPECT_NE(analysis::DesignStatusText(DesignStatus::TotalReflection).find("totally reflecting"),
            std::string_view::npos);
  EXPECT_NE(analysis::DesignStatusText(DesignStatus::BeyondRange).find("160 dB"),
            std::string_view::npos);
  EXPECT_TRUE(analysis::DesignStatusText(DesignStatus::Ok).empty());
}

// The former answer just below the total-reflection threshold read back as total reflection;
// the optional form now says "every load" by infinity, as for ideal couplers.
TEST(DesignAnswer, LegacyFormNoLongerCapsTheSwr) {
  EXPECT_EQ(analysis::DesignLoadSwr(WorkedModel({.dirDb = 160.0}), 0.001), kInf);
}

}  // namespace
