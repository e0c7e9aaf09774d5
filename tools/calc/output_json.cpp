#include "output.h"
#include "output_names.h"
#include "output_values.h"
#include "text/json.h"

namespace calc {

namespace {

// Members of one object, each written as "name": followed by its value.
class Members {
 public:
  explicit Members(std::string& out) : out_(out) { out_ += '{'; }
  std::string& Key(std::string_view name) {
    if (!first_) out_ += ',';
    first_ = false;
    text::AppendJsonString(out_, name);
    out_ += ':';
    return out_;
  }
  void Number(std::string_view name, double v) { AppendJsonNumber(Key(name), v); }
  void Close() { out_ += '}'; }

 private:
  std::string& out_;
  bool first_ = true;
};

void AppendInterval(std::string& out, double lo, double hi) {
  out += '[';
  AppendJsonNumber(out, lo);
  out += ',';
  AppendJsonNumber(out, hi);
  out += ']';
}

void AppendCoverage(Members& top, const analysis::CoverageRows& rows) {
  Members all(top.Key(kUncertainty));
  for (const analysis::CoverageRow& row : rows) {
    Members one(all.Key(row.Name));
    one.Number(kMean, row.Stats.Mean);
    one.Number(kMedian, row.Stats.Median);
    one.Number(kStd, row.Stats.Std);
    AppendInterval(one.Key(kInterval), row.Stats.Low, row.Stats.High);
    one.Number(kCoverage, row.Stats.Probability);
    one.Close();
  }
  all.Close();
}

void AppendTruth(Members& top, const analysis::Truth& t) {
  Members all(top.Key(kTruth));
  for (const TruthItem& item : kTruthItems) {
    Members one(all.Key(item.Name));
    one.Number(kMin, (t.*item.Member).Min);
    one.Number(kMax, (t.*item.Member).Max);
    one.Close();
  }
  all.Close();
}

void AppendBudget(Members& top, const analysis::BudgetResult& b) {
  Members all(top.Key(kBudget));
  Members p(all.Key(kPload));
  AppendInterval(p.Key(kInterval), b.Low, b.High);
  p.Number(kStd, b.Std);
  text::AppendJsonInt(p.Key(kTrials), static_cast<std::int64_t>(b.Trials));
  p.Number(kCoverage, b.Coverage);
  p.Close();
  all.Close();
}

// The exact double of an answer, null without one, and why there is none.
void AppendAnswer(Members& design, std::string_view name, const analysis::DesignAnswer& a) {
  if (a.Status == analysis::DesignStatus::Ok) {
    design.Number(name, a.Exact);
    return;
  }
  design.Key(name) += "null";
  if (a.Status != analysis::DesignStatus::AnyLoad) {
    text::AppendJsonString(design.Key(std::string(name) + std::string(kReason)),
                           analysis::DesignStatusText(a.Status));
  }
}

}  // namespace

void AppendJsonObject(std::string& out, const rf::ModelState& m, const ExtraResults& x,
                      std::string_view tail) {
  Members top(out);
  for (const rf::ScalarField& f : OutputFields()) AppendJsonField(top.Key(f.Name()), f, m);
  if (x.Coverage) AppendCoverage(top, *x.Coverage);
  if (x.Truth) AppendTruth(top, *x.Truth);
  if (x.Budget) AppendBudget(top, *x.Budget);
  if (x.DesignDir || x.DesignSwr) {
    Members design(top.Key(kDesign));
    if (x.DesignDir) AppendAnswer(design, kDirectivityDb, *x.DesignDir);
    if (x.DesignSwr) {
      AppendAnswer(design, kLoadSwr, *x.DesignSwr);
      text::AppendJsonBool(design.Key(kAnyLoad),
                           x.DesignSwr->Status == analysis::DesignStatus::AnyLoad);
    }
    design.Close();
  }
  out += tail;
  top.Close();
}

}  // namespace calc
