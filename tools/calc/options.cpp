#include "options.h"

#include <charconv>
#include <set>

#include "analysis/frequency_sweep.h"
#include "option_values.h"
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
  Coverage,
  SrcModel,
  LoadModel,
  Readings,
  CouplingUnc,
  SensorUnc,
  CouplingLaw,
  SensorLaw,
  CorrelatedPhases,
  Seed,
  LoadFile,
  Port,
  SrcFile,
  Freq,
  Line,
  Medium,
  Loss,
  From,
  To,
  Band,
  Map,
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
    {"--coverage", Opt::Coverage, true},
    {"--src-model", Opt::SrcModel, true},
    {"--load-model", Opt::LoadModel, true},
    {"--readings", Opt::Readings, true},
    {"--coupling-unc", Opt::CouplingUnc, true},
    {"--sensor-unc", Opt::SensorUnc, true},
    {"--coupling-law", Opt::CouplingLaw, true},
    {"--sensor-law", Opt::SensorLaw, true},
    {"--correlated-phases", Opt::CorrelatedPhases, true},
    {"--seed", Opt::Seed, true},
    {"--load-file", Opt::LoadFile, true},
    {"--port", Opt::Port, true},
    {"--src-file", Opt::SrcFile, true},
    {"--freq", Opt::Freq, true},
    {"--line", Opt::Line, true},
    {"--medium", Opt::Medium, true},
    {"--loss", Opt::Loss, true},
    {"--from", Opt::From, true},
    {"--to", Opt::To, true},
    {"--band", Opt::Band, true},
    {"--map", Opt::Map, true},
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
      if (v == analysis::kFrequencySweepName) {
        o.FrequencySweep = true;
        return std::nullopt;
      }
      o.Sweep = analysis::FindSweep(v);
      if (!o.Sweep) return Quoted(v) + ": expected " + std::string(kSweeps);
      return std::nullopt;
    case Opt::Coverage:
      return ParseCoverageValue(v, o.Add.Coverage);
    case Opt::SrcModel:
      return ParseMagnitudeModel(v, o.Add.Magnitudes.Source);
    case Opt::LoadModel:
      return ParseMagnitudeModel(v, o.Add.Magnitudes.Load);
    case Opt::Readings:
      o.Add.Read.emplace();
      return ParseReadings(v, *o.Add.Read);
    case Opt::CouplingUnc:
      if (!o.Add.Budget) o.Add.Budget.emplace();
      return ParseNonNegative(v, kMaxCouplingUncDb, o.Add.Budget->CouplingDb);
    case Opt::SensorUnc:
      if (!o.Add.Budget) o.Add.Budget.emplace();
      return ParseNonNegative(v, kMaxSensorUncPct, o.Add.Budget->SensorPct);
    case Opt::CouplingLaw:
      return ParseCalibrationLaw(v, o.CouplingLaw);
    case Opt::SensorLaw:
      return ParseCalibrationLaw(v, o.SensorLaw);
    case Opt::CorrelatedPhases:
      o.Correlated = true;
      return ParsePhaseOffsets(v, o.Psi0Deg, o.Chi0Deg);
    case Opt::Seed:
      return ParseSeed(v, o.Seed);
    case Opt::LoadFile:
      if (v.empty()) return std::string(kNeedsValue);
      o.Meas.LoadFile = std::string(v);
      return std::nullopt;
    case Opt::Port:
      return ParseWhole(v, 1, 2, o.Meas.Port);
    case Opt::SrcFile:
      if (v.empty()) return std::string(kNeedsValue);
      o.Meas.SrcFile = std::string(v);
      return std::nullopt;
    case Opt::Freq: {
      double hz = 0.0;
      if (auto e = ParseHz(v, hz)) return e;
      o.Meas.FreqHz = hz;
      return std::nullopt;
    }
    case Opt::Line: {
      if (auto e = ParseNonNegative(v, kMaxLineM, o.Meas.LineM)) return e;
      o.Meas.LineGiven = true;
      return std::nullopt;
    }
    case Opt::Medium:
      return ParseMediumValue(v, o.Meas.Medium);
    case Opt::Loss:
      return ParseNonNegative(v, kMaxLossDbPerM, o.Meas.LossDbPerM);
    case Opt::From: {
      double hz = 0.0;
      if (auto e = ParseHz(v, hz)) return e;
      o.FromHz = hz;
      return std::nullopt;
    }
    case Opt::To: {
      double hz = 0.0;
      if (auto e = ParseHz(v, hz)) return e;
      o.ToHz = hz;
      return std::nullopt;
    }
    case Opt::Band:
      o.Band.emplace();
      return ParseBandValue(v, *o.Band);
    case Opt::Map:
      o.MapPoints = 0;
      return ParseWhole(v, kMinMapPoints, kMaxMapPoints, *o.MapPoints, kRangePoints);
    case Opt::Points:
      return ParseWhole(v, analysis::kMinSweepPoints, kMaxPoints, o.Points, kRangePoints);
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
  const bool sweep = o.Sweep || o.FrequencySweep;
  if (seen.contains(Opt::Points) && !sweep && !o.Band) return Msg("--points", kPointsNeedSweep);
  // In a batch each row's dir column may give the couplers.
  if (o.Add.DesignSwrTarget && !o.In.DirDb && !o.Batch) return Msg("--design-swr", kSwrNeedsDir);
  if (seen.contains(Opt::Coverage) && !o.Add.Uncertainty && !o.Add.Budget) {
    return Msg("--coverage", kCoverageNeeds);
  }
  for (const auto& [id, name] :
       {std::pair{Opt::SrcModel, "--src-model"}, std::pair{Opt::LoadModel, "--load-model"}}) {
    if (seen.contains(id) && !o.Add.Uncertainty) return Msg(name, kModelNeedsUncertainty);
  }
  if (seen.contains(Opt::Seed) && !o.Add.Budget) return Msg("--seed", kSeedNeedsBudget);
  // A law for a calibration that is not given would be silently ignored.
  if (seen.contains(Opt::CouplingLaw) && !seen.contains(Opt::CouplingUnc)) {
    return Msg("--coupling-law", kLawNeedsCoupling);
  }
  if (seen.contains(Opt::SensorLaw) && !seen.contains(Opt::SensorUnc)) {
    return Msg("--sensor-law", kLawNeedsSensor);
  }
  if (seen.contains(Opt::CorrelatedPhases) && !o.Add.Budget) {
    return Msg("--correlated-phases", kSeedNeedsBudget);
  }
  if (seen.contains(Opt::Port) && o.Meas.LoadFile.empty()) return Msg("--port", kPortNeedsFile);
  // A file gives the reflection: a typed one beside it would be silently ignored.
  if (seen.contains(Opt::Load) && !o.Meas.LoadFile.empty()) return Msg("--load", kFileGivesLoad);
  if (seen.contains(Opt::Src) && !o.Meas.SrcFile.empty()) return Msg("--src", kFileGivesSource);
  if (o.Meas.FreqHz && !o.Meas.Any()) return Msg("--freq", kFreqNeedsFile);
  if (seen.contains(Opt::Medium) && !o.Meas.LineGiven) return Msg("--medium", kNeedsLine);
  if (seen.contains(Opt::Loss) && !o.Meas.LineGiven) return Msg("--loss", kNeedsLine);
  for (const auto& [id, name] : {std::pair{Opt::From, "--from"}, std::pair{Opt::To, "--to"}}) {
    if (seen.contains(id) && !o.FrequencySweep) return Msg(name, kNeedsFrequencySweep);
  }
  if (o.FromHz.has_value() != o.ToHz.has_value()) {
    return Msg(o.FromHz ? "--from" : "--to", kFromAndTo);
  }
  if (o.FrequencySweep && !o.FromHz && o.Meas.LoadFile.empty() && !o.Band) {
    return Msg("--sweep", kFrequencySweepRange);
  }
  if (o.MapPoints) {
    if (sweep) return Msg("--map", kSweepAlone);
    if (o.Batch) return Msg("--map", kBatchNoSweep);
    if (o.FormatGiven && o.Out != Format::Csv) return Msg("--format", kMapWritesCsv);
    if (o.Add.Any()) return Msg("--map", kMapAlone);
  }
  if (o.Band) {
    if (sweep || o.MapPoints) return Msg("--band", kSweepAlone);
    if (o.Batch) return Msg("--band", kBatchNoSweep);
    if (o.Out != Format::Json) return Msg("--band", kBandNeedsJson);
  }
  if (o.Batch && (o.Meas.Any() || o.Meas.FreqHz)) return Msg("--batch", kBatchNoFiles);
  if (sweep) {
    if (o.FormatGiven && o.Out != Format::Csv) return Msg("--format", kSweepWritesCsv);
    if (o.Add.Uncertainty) return Msg("--uncertainty", kSweepAlone);
    if (o.Add.DesignDirTarget) return Msg("--design-directivity", kSweepAlone);
    if (o.Add.DesignSwrTarget) return Msg("--design-swr", kSweepAlone);
    if (o.Add.Read) return Msg("--readings", kSweepAlone);
    if (o.Add.Budget) return Msg("--coupling-unc", kSweepAlone);
    if (o.Batch) return Msg("--sweep", kBatchNoSweep);
  }
  if (o.Batch && o.Out == Format::Text) return Msg("--format", kBatchNoText);
  if (seen.contains(Opt::PowerUnit) && o.Out != Format::Text) {
    return Msg("--power-unit", kPowerUnitNeedsText);
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string_view> OptionNames() {
  std::vector<std::string_view> names;
  for (const OptName& o : kOptions) names.push_back(o.Name);
  return names;
}

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
  if ((o.Sweep || o.FrequencySweep || o.MapPoints) && !o.FormatGiven) o.Out = Format::Csv;
  if (o.Add.Budget) {
    o.Add.Budget->Seed = o.Seed;
    o.Add.Budget->CouplingLaw = o.CouplingLaw;
    o.Add.Budget->SensorLaw = o.SensorLaw;
    o.Add.Budget->CorrelatedPhases = o.Correlated;
    o.Add.Budget->Psi0Deg = o.Psi0Deg;
    o.Add.Budget->Chi0Deg = o.Chi0Deg;
  }
  if (o.Batch && !o.FormatGiven) o.Out = Format::Csv;
  return o;
}

}  // namespace calc
