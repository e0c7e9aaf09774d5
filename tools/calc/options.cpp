#include "options.h"

#include <charconv>
#include <set>

#include "texts.h"

namespace calc {

namespace {

enum class Opt {
  Va,
  Ia,
  Eff,
  Src,
  Load,
  Dir,
  Format,
  PowerUnit,
  Sweep,
  Points,
  Uncertainty,
  DesignDir,
  DesignSwr,
  Batch,
  Help,
  Version
};

struct OptName {
  std::string_view Name;
  Opt Id;
  bool TakesValue;
};

constexpr OptName kOptions[] = {
    {"--va", Opt::Va, true},
    {"--ia", Opt::Ia, true},
    {"--eff", Opt::Eff, true},
    {"--src", Opt::Src, true},
    {"--load", Opt::Load, true},
    {"--dir", Opt::Dir, true},
    {"--format", Opt::Format, true},
    {"--power-unit", Opt::PowerUnit, true},
    {"--sweep", Opt::Sweep, true},
    {"--points", Opt::Points, true},
    {"--uncertainty", Opt::Uncertainty, false},
    {"--design-directivity", Opt::DesignDir, true},
    {"--design-swr", Opt::DesignSwr, true},
    {"--batch", Opt::Batch, false},
    {"--help", Opt::Help, false},
    {"--version", Opt::Version, false},
};

std::string Msg(std::string_view option, std::string_view what) {
  return std::string(option) + ": " + std::string(what);
}

std::optional<std::string> ParseTarget(std::string_view s, std::optional<double>& out) {
  const auto v = ParseNumber(s);
  if (!v) return NotANumber(s);
  if (!(*v > 0.0 && *v <= 100.0)) return OutOfRange(s, kRangeTarget);
  out = *v / 100.0;
  return std::nullopt;
}

std::optional<std::string> ParsePoints(std::string_view s, int& out) {
  int v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || r.ec == std::errc::invalid_argument || r.ptr != s.data() + s.size()) {
    return NotAWholeNumber(s);
  }
  if (r.ec != std::errc() || v < analysis::kMinSweepPoints || v > kMaxPoints) {
    return OutOfRange(s, Expected(kRangePoints, analysis::kMinSweepPoints, kMaxPoints));
  }
  out = v;
  return std::nullopt;
}

std::optional<std::string> Apply(Options& o, Opt id, std::string_view v) {
  switch (id) {
    case Opt::Va:
      return ParseVa(v, o.In.Va);
    case Opt::Ia:
      return ParseIa(v, o.In.Ia);
    case Opt::Eff:
      return ParseEff(v, o.In.EffPercent);
    case Opt::Src:
      return ParseRefl(v, o.In.Src);
    case Opt::Load:
      return ParseRefl(v, o.In.Load);
    case Opt::Dir: {
      double db = 0.0;
      if (auto e = ParseDir(v, db)) return e;
      o.In.DirDb = db;
      return std::nullopt;
    }
    case Opt::Format:
      o.FormatGiven = true;
      if (v == "json") {
        o.Out = Format::Json;
      } else if (v == "csv") {
        o.Out = Format::Csv;
      } else if (v == "text") {
        o.Out = Format::Text;
      } else {
        return Quoted(v) + ": expected " + std::string(kFormats);
      }
      return std::nullopt;
    case Opt::PowerUnit:
      if (const auto unit = numtext::FindPowerUnit(v)) {
        o.Unit = *unit;
        return std::nullopt;
      }
      return Quoted(v) + ": expected " + std::string(kPowerUnits);
    case Opt::Sweep:
      o.Sweep = analysis::FindSweep(v);
      if (!o.Sweep) return Quoted(v) + ": expected " + std::string(kSweeps);
      return std::nullopt;
    case Opt::Points:
      return ParsePoints(v, o.Points);
    case Opt::DesignDir:
      return ParseTarget(v, o.Add.DesignDirTarget);
    case Opt::DesignSwr:
      return ParseTarget(v, o.Add.DesignSwrTarget);
    case Opt::Uncertainty:
      o.Add.Uncertainty = true;
      return std::nullopt;
    case Opt::Batch:
      o.Batch = true;
      return std::nullopt;
    case Opt::Help:
      o.Help = true;
      return std::nullopt;
    case Opt::Version:
      o.Version = true;
      return std::nullopt;
  }
  return std::nullopt;
}

// Combinations that have no meaning are refused rather than silently ignored.
std::optional<std::string> CheckCombination(const Options& o, const std::set<Opt>& seen) {
  if (seen.contains(Opt::Points) && !o.Sweep) return Msg("--points", kPointsNeedSweep);
  if (o.Add.DesignSwrTarget && !o.In.DirDb) return Msg("--design-swr", kSwrNeedsDir);
  if (o.Sweep) {
    if (o.FormatGiven && o.Out != Format::Csv) return Msg("--format", kSweepWritesCsv);
    if (o.Add.Uncertainty) return Msg("--uncertainty", kSweepAlone);
    if (o.Add.DesignDirTarget) return Msg("--design-directivity", kSweepAlone);
    if (o.Add.DesignSwrTarget) return Msg("--design-swr", kSweepAlone);
    if (o.Batch) return Msg("--sweep", kBatchNoSweep);
  }
  if (o.Batch && o.Out == Format::Text) return Msg("--format", kBatchNoText);
  if (seen.contains(Opt::PowerUnit) && o.Out != Format::Text) {
    return Msg("--power-unit", kPowerUnitNeedsText);
  }
  return std::nullopt;
}

}  // namespace

std::variant<Options, std::string> ParseOptions(std::span<const std::string_view> args) {
  Options o;
  std::set<Opt> seen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    std::optional<std::string_view> inlineValue;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      inlineValue = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    const OptName* opt = nullptr;
    for (const OptName& o2 : kOptions) {
      if (o2.Name == arg) opt = &o2;
    }
    if (opt == nullptr) {
      if (!arg.starts_with("-")) return Msg(args[i], kNotAnOption) + std::string(kSeeHelp);
      return Msg(arg, kUnknownOption) + std::string(kSeeHelp);
    }
    if (!seen.insert(opt->Id).second) return Msg(arg, kGivenTwice);
    std::string_view value;
    if (opt->TakesValue) {
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return Msg(arg, kNeedsValue);
      }
    } else if (inlineValue) {
      return Msg(arg, kTakesNoValue);
    }
    if (auto e = Apply(o, opt->Id, value)) return Msg(arg, *e);
  }
  if (o.Help || o.Version) return o;
  if (auto e = CheckCombination(o, seen)) return *e;
  if (o.Sweep && !o.FormatGiven) o.Out = Format::Csv;
  if (o.Batch && !o.FormatGiven) o.Out = Format::Csv;
  return o;
}

}  // namespace calc
