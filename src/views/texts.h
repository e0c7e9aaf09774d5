#pragma once

#include <string>
#include <string_view>

// Every user-visible text of the desktop program's additions around the window (its context
// menu, the Analysis window, the about box), in one place.
namespace views {

// Context menu of the main window and its shortcuts (never a key an edit uses).
inline constexpr std::string_view kActAnalysis = "Analysis\u2026";
inline constexpr std::string_view kActCopyResults = "Copy Results";
inline constexpr std::string_view kActExportResults = "Export Results\u2026";
inline constexpr std::string_view kActAbout = "About Zephlane";
inline constexpr std::string_view kKeyAnalysis = "Ctrl+Shift+A";
inline constexpr std::string_view kKeyCopyResults = "Ctrl+Shift+C";
inline constexpr std::string_view kKeyExportResults = "Ctrl+Shift+E";

// Save dialogs.
inline constexpr std::string_view kExportResultsTitle = "Export Results";
inline constexpr std::string_view kResultsFileName = "zephlane-results.csv";
inline constexpr std::string_view kCsvFilter = "CSV files (*.csv)";
inline constexpr std::string_view kPngFilter = "PNG images (*.png)";
inline constexpr std::string_view kSvgFilter = "SVG drawings (*.svg)";
inline constexpr std::string_view kSaveFailed = "Could not write ";
// "Could not write <path>."
inline std::string SaveFailedText(std::string_view path) {
  std::string s(kSaveFailed);
  s += path;
  s += '.';
  return s;
}

// About box.
inline constexpr std::string_view kAboutTitle = "About Zephlane";
inline constexpr std::string_view kAboutName = "Zephlane";
inline constexpr std::string_view kAboutVersionPrefix = "Version ";
inline constexpr std::string_view kAboutBody =
    "Microwave power transmission between a magnetron and its load, with the readings of "
    "directional couplers.";
inline constexpr std::string_view kAboutLicence = "Licence: GPL-3.0-or-later";

// Analysis window.
inline constexpr std::string_view kAnalysisTitle = "Zephlane Analysis";
inline constexpr std::string_view kChartPowers = "Powers over the round-trip phase";
inline constexpr std::string_view kChartReadings = "Readings over the round-trip phase";
inline constexpr std::string_view kChartDirectivity =
    "Absorbed-power reading error over directivity";
inline constexpr std::string_view kAxisPhase = "Round-trip phase (deg)";
inline constexpr std::string_view kAxisDirectivity = "Directivity (dB)";
inline constexpr std::string_view kAxisError = "Reading error (%)";
inline constexpr std::string_view kAxisPowerPrefix = "Power (";
inline constexpr std::string_view kSeriesPinc = "Incident";
inline constexpr std::string_view kSeriesPrefl = "Reflected";
inline constexpr std::string_view kSeriesPload = "Absorbed";
inline constexpr std::string_view kSeriesActual = "Actual phase";
inline constexpr std::string_view kSeriesPincReading = "Incident reading";
inline constexpr std::string_view kSeriesPreflReading = "Reflected reading";
inline constexpr std::string_view kSeriesPloadReading = "Absorbed reading";
inline constexpr std::string_view kSeriesErrorBand = "Error band";
inline constexpr std::string_view kSeriesPresentDir = "Present directivity";
inline constexpr std::string_view kExportPng = "Export PNG\u2026";
inline constexpr std::string_view kExportSvg = "Export SVG\u2026";
inline constexpr std::string_view kExportCsv = "Export CSV\u2026";
inline constexpr std::string_view kCopyChart = "Copy";
inline constexpr std::string_view kLimitsHeading = "Limits and coverage intervals (unknown phases)";
inline constexpr std::string_view kColQuantity = "Quantity";
inline constexpr std::string_view kColUnit = "Unit";
inline constexpr std::string_view kColMin = "Min";
inline constexpr std::string_view kColActual = "Actual";
inline constexpr std::string_view kColMax = "Max";
inline constexpr std::string_view kColMean = "Mean";
inline constexpr std::string_view kColStd = "Std";
inline constexpr std::string_view kColMedian = "Median";
inline constexpr std::string_view kColLowPrefix = "Low (";
inline constexpr std::string_view kColHighPrefix = "High (";
inline constexpr std::string_view kColDistribution = "Distribution";
inline constexpr std::string_view kCoverageLabel = "Coverage probability:";
// The quantities of the limits table by the captions the window shows them under.
inline constexpr std::string_view kRowInterf = "Interference Factor";
inline constexpr std::string_view kRowTrGain = "Transducer Gain";
inline constexpr std::string_view kRowPinc = "Incident Power";
inline constexpr std::string_view kRowPrefl = "Reflected Power";
inline constexpr std::string_view kRowPload = "Absorbed Power";
inline constexpr std::string_view kRowPincReading = "Incident reading (Power Meas)";
inline constexpr std::string_view kRowPreflReading = "Reflected reading (Power Meas)";
inline constexpr std::string_view kRowPloadReading = "Absorbed reading (Power Meas)";
inline constexpr std::string_view kInferredLoadMag = "Inferred load reflection, Mag";
inline constexpr std::string_view kInferredLoadSwr = "Inferred load reflection, SWR";
inline constexpr std::string_view kDesignHeading = "Coupler design";
inline constexpr std::string_view kDesignTarget = "Target error of the absorbed-power reading (%):";
inline constexpr std::string_view kDesignDirectivity = "Smallest directivity:";
inline constexpr std::string_view kDesignSwr = "Largest load SWR at the present directivity:";
inline constexpr std::string_view kNotReachable = "not reachable";
inline constexpr std::string_view kNoTarget = "enter a target above 0 %";
inline constexpr std::string_view kUnitDb = "dB";
inline constexpr std::string_view kInfinite = "any (ideal couplers)";

// The engine charts' own texts.
inline constexpr std::string_view kUnitDegrees = "deg";
inline constexpr std::string_view kUnitDecibel = "dB";
inline constexpr std::string_view kUnitPercent = "%";
inline constexpr std::string_view kTitlePhase = "Round-trip phase";
inline constexpr std::string_view kTitleDirectivity = "Directivity";
inline constexpr std::string_view kTitleError = "Reading error";
inline constexpr std::string_view kTitlePower = "Power";
inline constexpr std::string_view kSeriesPincLimits = "Incident min/max";
inline constexpr std::string_view kSeriesPreflLimits = "Reflected min/max";
inline constexpr std::string_view kSeriesPloadLimits = "Absorbed min/max";
inline constexpr std::string_view kSeriesPincTrue = "Incident (true)";
inline constexpr std::string_view kSeriesPreflTrue = "Reflected (true)";
inline constexpr std::string_view kSeriesPloadTrue = "Absorbed (true)";
inline constexpr std::string_view kSeriesOperating = "Operating point";
inline constexpr std::string_view kTargetPrefix = "Design target \u00b1";
inline constexpr std::string_view kNoAbsorbedPower = "total reflection: no absorbed power";
inline constexpr std::string_view kNoFiniteError = "no finite reading error";
inline constexpr std::string_view kStemPowers = "zephlane-powers";
inline constexpr std::string_view kStemReadings = "zephlane-readings";
inline constexpr std::string_view kStemDirectivity = "zephlane-directivity";

// The "From readings" sheet: the truth behind two coupler readings.
inline constexpr std::string_view kSheetReadings = "From readings";
inline constexpr std::string_view kReadingsForward = "Forward (incident) reading:";
inline constexpr std::string_view kReadingsReflected = "Reflected reading:";
inline constexpr std::string_view kReadingsIdeal = "Ideal couplers";
inline constexpr std::string_view kReadingsDirectivity = "Directivity (dB):";
inline constexpr std::string_view kReadingsFromMain = "Couplers of the main window";
inline constexpr std::string_view kReadingsHeading =
    "True values consistent with the readings (every leakage phase)";
inline constexpr std::string_view kColTruthMin = "Min (bound)";
inline constexpr std::string_view kColTruthMax = "Max (bound)";
inline constexpr std::string_view kRowTrueLoadMag = "Load reflection, Mag";
inline constexpr std::string_view kRowTrueLoadDb = "Load reflection, dB";
inline constexpr std::string_view kRowTrueLoadSwr = "Load reflection, SWR";
inline constexpr std::string_view kNoForward = "Type the forward reading as a number.";
inline constexpr std::string_view kNoReflected = "Type the reflected reading as a number.";
inline constexpr std::string_view kNoDirectivity =
    "Type the directivity in dB as a number, or tick Ideal couplers.";
inline constexpr std::string_view kTruthExact =
    "Ideal couplers read the truth exactly: the incident power is the forward reading, the "
    "reflected power the reflected reading.";

// The measurement budget sheet.
inline constexpr std::string_view kSheetBudget = "Budget";
inline constexpr std::string_view kBudgetQuestion = "Budget of:";
inline constexpr std::string_view kBudgetFromReadings =
    "The true absorbed power behind the readings (From readings sheet)";
inline constexpr std::string_view kBudgetFromTruth =
    "The absorbed-power reading for the main window's load";
inline constexpr std::string_view kBudgetCoupling = "Coupling factor calibration (dB):";
inline constexpr std::string_view kBudgetSensor = "Power sensor calibration (%):";
inline constexpr std::string_view kLawRectangular = "Rectangular, \u00b1 half-width";
inline constexpr std::string_view kLawNormal = "Normal, standard deviation";
inline constexpr std::string_view kBudgetCorrelated =
    "One pair of fixed couplers on a line of unknown length";
inline constexpr std::string_view kBudgetPsi0 = "Forward leakage phase offset (deg):";
inline constexpr std::string_view kBudgetChi0 = "Reflected leakage phase offset (deg):";
inline constexpr std::string_view kBudgetSeed = "Seed:";
inline constexpr std::string_view kBudgetRun = "Run Monte Carlo";
inline constexpr std::string_view kBudgetRunning = "Running\u2026";
inline constexpr std::string_view kBudgetStale = "The inputs changed: run again for their budget.";
// What a screen reader says of a list beside a field, after the field's name.
inline constexpr std::string_view kAccessibleUnitSuffix = ", unit";
inline constexpr std::string_view kAccessibleLawSuffix = ", distribution";
inline constexpr std::string_view kAccessibleTruthTable = "True values";
inline constexpr std::string_view kAccessibleBudgetResults = "Budget results";
inline constexpr std::string_view kAccessibleContributions = "Contributions";
inline constexpr std::string_view kBudgetDone = "Settled to two significant digits.";
inline constexpr std::string_view kRowBudgetLowPrefix = "Absorbed power, interval low (";
inline constexpr std::string_view kRowBudgetHighPrefix = "Absorbed power, interval high (";
inline constexpr std::string_view kRowBudgetStd = "Absorbed power, standard uncertainty";
inline constexpr std::string_view kRowBudgetMean = "Absorbed power, mean";
inline constexpr std::string_view kRowBudgetTolerance = "Numerical tolerance";
inline constexpr std::string_view kRowBudgetTrials = "Trials";
inline constexpr std::string_view kRowBudgetRejected = "Draws that did not fit the readings";
inline constexpr std::string_view kColValue = "Value";
inline constexpr std::string_view kColSource = "Source";
inline constexpr std::string_view kColStdAlone = "Std alone";
inline constexpr std::string_view kColShare = "Share";
inline constexpr std::string_view kSourcePhases = "Leakage phases";
inline constexpr std::string_view kSourceCoupling = "Coupling factor calibration";
inline constexpr std::string_view kSourceSensor = "Power sensor calibration";
inline constexpr std::string_view kNotApplicable = "\u2014";
inline constexpr std::string_view kNoCoupling =
    "Type the coupling factor's calibration in dB as a number of at least 0.";
inline constexpr std::string_view kNoSensor =
    "Type the power sensor's calibration in per cent as a number of at least 0.";
inline constexpr std::string_view kNoPhaseOffset = "Type the leakage phase offsets in degrees.";
inline constexpr std::string_view kNoSeed = "Type the seed as a whole number of at least 0.";
inline constexpr std::string_view kNoModel =
    "The main window has no defined incident power to take the truth from.";

// The band sheets: the inputs as their labels name them (messages start with the same names).
inline constexpr std::string_view kInputFrequency = "Frequency";
inline constexpr std::string_view kInputBand = "Band";
inline constexpr std::string_view kInputCentre = "Band centre";
inline constexpr std::string_view kInputSpread = "Spread (\u00b1)";
inline constexpr std::string_view kInputLine = "Line";
inline constexpr std::string_view kGroupBandLine = "Frequency, band and line";
inline constexpr std::string_view kInputLength = "Line length (m)";
inline constexpr std::string_view kInputMedium = "Medium";
inline constexpr std::string_view kInputVelocityFactor = "Velocity factor";
inline constexpr std::string_view kInputLoss = "Attenuation (dB/m)";
inline constexpr std::string_view kInputLoad = "Load";
inline constexpr std::string_view kInputSource = "Source";
inline constexpr std::string_view kInputPort = "Port of a two-port file";
inline constexpr std::string_view kMediumTemText = "TEM line";
inline constexpr std::string_view kBandAroundText = "Centre and spread";
inline constexpr std::string_view kBandWholeFileText = "The load file's whole range";
inline constexpr std::string_view kPortS11 = "S11";
inline constexpr std::string_view kPortS22 = "S22";
inline constexpr std::string_view kOpenLoadFile = "Open Load File\u2026";
inline constexpr std::string_view kOpenSourceFile = "Open Source File\u2026";
inline constexpr std::string_view kForgetLoadFile = "Forget Load File";
inline constexpr std::string_view kForgetSourceFile = "Forget Source File";
inline constexpr std::string_view kTouchstoneFilter =
    "Touchstone files (*.s1p *.s2p *.S1P *.S2P *.ts);;All files (*)";
inline constexpr std::string_view kFromWindow = "the window's reflection";
inline constexpr std::string_view kWholeFileNeedsFile = "the whole range needs a load file";
inline constexpr std::string_view kFileHasNoPoints = "the file holds no frequencies";
inline constexpr std::string_view kColAt = "At";
inline constexpr std::string_view kExtremesHeading = "Extremes over the band";
inline constexpr std::string_view kMapShows = "Map of";
inline constexpr std::string_view kMapPowerItem = "Absorbed power";
inline constexpr std::string_view kMapErrorItem = "Absorbed-power reading error";
inline constexpr std::string_view kSheetBand = "Band";
inline constexpr std::string_view kSheetSmith = "Smith chart";
inline constexpr std::string_view kSheetMap = "Load plane";
inline constexpr std::string_view kChartBandPowers = "Powers over the band";
inline constexpr std::string_view kChartBandSmith = "Load over the band";
inline constexpr std::string_view kChartMapPower = "Absorbed power over the load's reflection";
inline constexpr std::string_view kChartMapError =
    "Absorbed-power reading error over the load's reflection";
inline constexpr std::string_view kTitleFrequency = "Frequency";
inline constexpr std::string_view kUnitMegahertz = "MHz";
inline constexpr std::string_view kTitleLoadRe = "Load reflection, real part";
inline constexpr std::string_view kTitleLoadIm = "Load reflection, imaginary part";
inline constexpr std::string_view kOperatingFrequency = "Operating frequency";
inline constexpr std::string_view kSeriesLoadLocus = "Load over the band";
inline constexpr std::string_view kSeriesSourceConjugate = "Conjugate of the source";
inline constexpr std::string_view kSeriesConstantProduct = "Constant |Gs Gl|";
inline constexpr std::string_view kSeriesInferred = "Loads the readings cannot tell apart";
inline constexpr std::string_view kColPincMin = "Incident min";
inline constexpr std::string_view kColPincMax = "Incident max";
inline constexpr std::string_view kColPreflMin = "Reflected min";
inline constexpr std::string_view kColPreflMax = "Reflected max";
inline constexpr std::string_view kColPloadMin = "Absorbed min";
inline constexpr std::string_view kColPloadMax = "Absorbed max";
inline constexpr std::string_view kStemBandPowers = "zephlane-band-powers";
inline constexpr std::string_view kStemBandSmith = "zephlane-band-smith";
inline constexpr std::string_view kStemLoadPlane = "zephlane-load-plane";
inline constexpr std::string_view kActiveFilePrefix = "Showing ";
inline constexpr std::string_view kActiveFileMiddle = " at ";
// The band's extremes: the model's field and the caption of its row.
struct BandExtremeField {
  std::string_view Field;
  std::string_view Caption;
};
inline constexpr BandExtremeField kBandExtremeFields[] = {
    {"Pinc", kRowPinc},
    {"Prefl", kRowPrefl},
    {"Pload", kRowPload},
    {"PloadMin", "Absorbed Power, min over all phases"},
    {"PloadMax", "Absorbed Power, max over all phases"},
    {"PloadMinV", "Absorbed reading, min"},
    {"PloadMaxV", "Absorbed reading, max"},
};

// The columns of the charts' CSV exports, in words; the unit follows in brackets.
inline constexpr std::string_view kColPinc = "Incident power";
inline constexpr std::string_view kColPrefl = "Reflected power";
inline constexpr std::string_view kColPload = "Absorbed power";
inline constexpr std::string_view kColPincMinV = "Incident reading, min";
inline constexpr std::string_view kColPincMaxV = "Incident reading, max";
inline constexpr std::string_view kColPreflMinV = "Reflected reading, min";
inline constexpr std::string_view kColPreflMaxV = "Reflected reading, max";
inline constexpr std::string_view kColPloadMinV = "Absorbed reading, min";
inline constexpr std::string_view kColPloadMaxV = "Absorbed reading, max";
inline constexpr std::string_view kColErrorMin = "Absorbed-power reading error, min";
inline constexpr std::string_view kColErrorMax = "Absorbed-power reading error, max";
// "<name> (<unit>)"
inline std::string ColumnWithUnit(std::string_view name, std::string_view unit) {
  std::string s(name);
  s += " (";
  s += unit;
  s += ')';
  return s;
}

// Copy Results as Numbers: one column per quantity, its unit in the heading.
inline constexpr std::string_view kActCopyNumbers = "Copy Results as Numbers";
inline constexpr std::string_view kNumAnodeV = "Anode voltage";
inline constexpr std::string_view kNumAnodeI = "Anode current";
inline constexpr std::string_view kNumEffic = "Efficiency";
inline constexpr std::string_view kNumSrcMag = "Source reflection magnitude";
inline constexpr std::string_view kNumSrcPha = "Source reflection phase";
inline constexpr std::string_view kNumLoaMag = "Load reflection magnitude";
inline constexpr std::string_view kNumLoaPha = "Load reflection phase";
inline constexpr std::string_view kNumDirectivity = "Directivity";
inline constexpr std::string_view kNumIdeal = "Ideal couplers";
inline constexpr std::string_view kNumPmatch = "Power into a matched load";
inline constexpr std::string_view kNumPav = "Available power";
inline constexpr std::string_view kNumInterf = "Interference factor";
inline constexpr std::string_view kNumTrGain = "Transducer gain";
inline constexpr std::string_view kNumMinSuffix = ", min";
inline constexpr std::string_view kNumMaxSuffix = ", max";
inline constexpr std::string_view kUnitVolt = "V";
inline constexpr std::string_view kUnitAmpere = "A";
inline constexpr std::string_view kUnitRatio = "ratio";
inline constexpr std::string_view kUnitFlag = "1 yes, 0 no";

// The menu bar. Its mnemonics leave out E, H and C, which the window's buttons use.
inline constexpr std::string_view kMenuFile = "&File";
inline constexpr std::string_view kMenuEdit = "E&dit";
inline constexpr std::string_view kMenuView = "&View";
inline constexpr std::string_view kMenuHelp = "Hel&p";
inline constexpr std::string_view kActOpenCase = "Open Case\u2026";
inline constexpr std::string_view kActSaveCase = "Save Case\u2026";
inline constexpr std::string_view kMenuRecent = "Recent Cases";
inline constexpr std::string_view kMenuNoRecent = "(none)";
inline constexpr std::string_view kActQuit = "Quit";
inline constexpr std::string_view kActContents = "Contents";
inline constexpr std::string_view kActManual = "Manual (PDF)";
inline constexpr std::string_view kActTheory = "Theory";
inline constexpr std::string_view kKeyOpenCase = "Ctrl+O";
inline constexpr std::string_view kKeySaveCase = "Ctrl+S";
inline constexpr std::string_view kKeyQuit = "Ctrl+Q";
inline constexpr std::string_view kKeyContents = "F1";

// Case dialogs and the caption while a case is open: "<case> \u2014 <caption>".
inline constexpr std::string_view kOpenCaseTitle = "Open Case";
inline constexpr std::string_view kSaveCaseTitle = "Save Case";
inline constexpr std::string_view kCaseFileName = "zephlane-case.zcase";
inline constexpr std::string_view kCaseFilter = "Zephlane cases (*.zcase);;All files (*)";
inline constexpr std::string_view kCaptionCaseSeparator = " \u2014 ";
// The measured load in use, after the caption: "<file> at <frequency>".
inline constexpr std::string_view kCaptionLoadAt = " at ";

// The printable report.
inline constexpr std::string_view kActExportReport = "Export Report\u2026";
inline constexpr std::string_view kExportReportTitle = "Export Report";
inline constexpr std::string_view kReportFileName = "zephlane-report.html";
inline constexpr std::string_view kHtmlFilter = "HTML files (*.html *.htm)";
inline constexpr std::string_view kReportWindowHeading = "Inputs and results";
inline constexpr std::string_view kReportChartsHeading = "Charts";

}  // namespace views
