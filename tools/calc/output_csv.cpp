#include "analysis/coverage.h"
#include "output.h"
#include "output_names.h"
#include "output_values.h"

namespace calc {

namespace {

class Header {
 public:
  explicit Header(std::string& out) : out_(out) {}
  void Col(std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += a;
    for (const std::string_view part : {b, c}) {
      if (part.empty()) continue;
      out_ += '.';
      out_ += part;
    }
  }

 private:
  std::string& out_;
  bool first_ = true;
};

class Row {
 public:
  explicit Row(std::string& out) : out_(out) {}
  std::string& Cell() {
    if (!first_) out_ += ',';
    first_ = false;
    return out_;
  }
  void Number(double v) { AppendCsvNumber(Cell(), v); }

 private:
  std::string& out_;
  bool first_ = true;
};

// A design answer's cell: the exact double, empty without one.
void AppendAnswer(Row& row, const analysis::DesignAnswer& a) {
  std::string& out = row.Cell();
  if (a.Status == analysis::DesignStatus::Ok) AppendCsvNumber(out, a.Exact);
}

}  // namespace

void AppendCsvHeader(std::string& out, const Extras& add, std::string_view firstColumn) {
  Header h(out);
  if (!firstColumn.empty()) h.Col(firstColumn);
  for (const rf::ScalarField& f : OutputFields()) {
    h.Col(f.Field->Name, f.Part != nullptr ? f.PartName : std::string_view{});
  }
  if (add.Uncertainty) {
    for (const auto& item : analysis::kCoverageItems) {
      for (const std::string_view part : {kMean, kMedian, kStd, kLow, kHigh})
        h.Col(item.Name, part);
    }
  }
  if (add.Read) {
    for (const TruthItem& item : kTruthItems) {
      h.Col(kTruth, item.Name, kMin);
      h.Col(kTruth, item.Name, kMax);
    }
  }
  if (add.Budget) {
    for (const std::string_view part : {kLow, kHigh, kStd, kTrials}) h.Col(kBudget, kPload, part);
  }
  if (add.DesignDirTarget) h.Col(kDesign, kDirectivityDb);
  if (add.DesignSwrTarget) {
    h.Col(kDesign, kLoadSwr);
    h.Col(kDesign, kAnyLoad);
  }
  out += '\n';
}

void AppendCsvRow(std::string& out, const rf::ModelState& m, const ExtraResults& x,
                  std::optional<double> firstValue) {
  Row row(out);
  if (firstValue) row.Number(*firstValue);
  for (const rf::ScalarField& f : OutputFields()) AppendCsvField(row.Cell(), f, m);
  if (x.Coverage) {
    for (const analysis::CoverageRow& r : *x.Coverage) {
      for (const double v : {r.Stats.Mean, r.Stats.Median, r.Stats.Std, r.Stats.Low, r.Stats.High})
        row.Number(v);
    }
  }
  if (x.Truth) {
    for (const TruthItem& item : kTruthItems) {
      row.Number(((*x.Truth).*item.Member).Min);
      row.Number(((*x.Truth).*item.Member).Max);
    }
  }
  if (x.Budget) {
    row.Number(x.Budget->Low);
    row.Number(x.Budget->High);
    row.Number(x.Budget->Std);
    row.Cell() += std::to_string(x.Budget->Trials);
  }
  if (x.DesignDir) AppendAnswer(row, *x.DesignDir);
  if (x.DesignSwr) {
    AppendAnswer(row, *x.DesignSwr);
    row.Cell() += x.DesignSwr->Status == analysis::DesignStatus::AnyLoad ? "true" : "false";
  }
  out += '\n';
}

}  // namespace calc
