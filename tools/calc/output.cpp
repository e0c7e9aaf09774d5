#include "output.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "analysis/coupler_design.h"
#include "analysis/uncertainty.h"
#include "rf/model_fields.h"
#include "text/json.h"

namespace calc {

namespace {

constexpr std::string_view kMean = "mean";
constexpr std::string_view kStd = "std";
constexpr std::string_view kExpanded = "expanded";
constexpr std::string_view kUncertainty = "uncertainty";
constexpr std::string_view kDesign = "design";
constexpr std::string_view kDirectivityDb = "directivity_db";
constexpr std::string_view kLoadSwr = "load_swr";

void AppendScalar(std::string& out, const rf::ScalarField& f, const rf::ModelState& m) {
  if (f.IsBool()) {
    out += f.Value(m) != 0.0 ? "true" : "false";
  } else if (f.IsInt()) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(f.Value(m)));
    out.append(buf, r.ptr);
  } else {
    text::AppendRoundTrip(out, f.Value(m));
  }
}

void AppendOptional(std::string& out, const std::optional<double>& v, std::string_view none) {
  if (v) {
    text::AppendRoundTrip(out, *v);
  } else {
    out += none;
  }
}

}  // namespace

void AppendCsvHeader(std::string& out, const Extras& add, std::string_view firstColumn) {
  bool first = true;
  const auto col = [&](std::string_view a, std::string_view b = {}) {
    if (!first) out += ',';
    first = false;
    out += a;
    if (!b.empty()) {
      out += '.';
      out += b;
    }
  };
  if (!firstColumn.empty()) col(firstColumn);
  for (const rf::ScalarField& f : rf::ScalarFields()) {
    col(f.Field->Name, f.Part != nullptr ? f.PartName : std::string_view{});
  }
  if (add.Uncertainty) {
    for (const auto& item : analysis::kUncertaintyItems) {
      col(item.Name, kMean);
      col(item.Name, kStd);
      col(item.Name, kExpanded);
    }
  }
  if (add.DesignDirTarget) col(kDesign, kDirectivityDb);
  if (add.DesignSwrTarget) col(kDesign, kLoadSwr);
  out += '\n';
}

void AppendCsvRow(std::string& out, const rf::ModelState& m, const Extras& add,
                  std::optional<double> firstValue) {
  bool first = true;
  const auto sep = [&] {
    if (!first) out += ',';
    first = false;
  };
  if (firstValue) {
    sep();
    text::AppendRoundTrip(out, *firstValue);
  }
  for (const rf::ScalarField& f : rf::ScalarFields()) {
    sep();
    AppendScalar(out, f, m);
  }
  if (add.Uncertainty) {
    const analysis::Uncertainty u = analysis::ComputeUncertainty(m);
    for (const auto& item : analysis::kUncertaintyItems) {
      const analysis::Moments& mo = u.*item.Member;
      for (const double v : {mo.Mean, mo.Std, mo.Expanded}) {
        sep();
        text::AppendRoundTrip(out, v);
      }
    }
  }
  // A target no value reaches leaves its cell empty.
  if (add.DesignDirTarget) {
    sep();
    AppendOptional(out, analysis::DesignDirectivity(m, *add.DesignDirTarget), "");
  }
  if (add.DesignSwrTarget) {
    sep();
    AppendOptional(out, analysis::DesignLoadSwr(m, *add.DesignSwrTarget), "");
  }
  out += '\n';
}

void AppendJsonObject(std::string& out, const rf::ModelState& m, const Extras& add) {
  out += '{';
  bool first = true;
  const auto key = [&](std::string_view a, std::string_view b = {}) {
    if (!first) out += ',';
    first = false;
    out += '"';
    out += a;
    if (!b.empty()) {
      out += '.';
      out += b;
    }
    out += "\":";
  };
  for (const rf::ScalarField& f : rf::ScalarFields()) {
    key(f.Field->Name, f.Part != nullptr ? f.PartName : std::string_view{});
    AppendScalar(out, f, m);
  }
  if (add.Uncertainty) {
    key(kUncertainty);
    out += '{';
    const analysis::Uncertainty u = analysis::ComputeUncertainty(m);
    bool firstItem = true;
    for (const auto& item : analysis::kUncertaintyItems) {
      const analysis::Moments& mo = u.*item.Member;
      if (!firstItem) out += ',';
      firstItem = false;
      text::AppendJsonString(out, item.Name);
      out += ":{";
      const std::pair<std::string_view, double> parts[] = {
          {kMean, mo.Mean}, {kStd, mo.Std}, {kExpanded, mo.Expanded}};
      for (const auto& [name, v] : parts) {
        if (name != kMean) out += ',';
        text::AppendJsonString(out, name);
        out += ':';
        text::AppendRoundTrip(out, v);
      }
      out += '}';
    }
    out += '}';
  }
  if (add.DesignDirTarget || add.DesignSwrTarget) {
    key(kDesign);
    out += '{';
    if (add.DesignDirTarget) {
      text::AppendJsonString(out, kDirectivityDb);
      out += ':';
      AppendOptional(out, analysis::DesignDirectivity(m, *add.DesignDirTarget), "null");
    }
    if (add.DesignSwrTarget) {
      if (add.DesignDirTarget) out += ',';
      text::AppendJsonString(out, kLoadSwr);
      out += ':';
      AppendOptional(out, analysis::DesignLoadSwr(m, *add.DesignSwrTarget), "null");
    }
    out += '}';
  }
  out += '}';
}

}  // namespace calc
