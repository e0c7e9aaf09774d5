#include "example.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "numtext/format.h"
#include "rf/complex.h"
#include "rf/model.h"

namespace docgen {
namespace {

// The inputs of a first start without stored settings; the measurement part of the example
// clears Ideal so that the 20 dB directivity takes effect.
constexpr std::int32_t kVa = 4350;
constexpr double kIa = 0.32;
constexpr double kEffPercent = 72.0;
constexpr double kSrcMag = 0.2;
constexpr double kSrcPha = 0.0;
constexpr double kLoaMag = 0.5;
constexpr double kLoaPha = 90.0;
constexpr double kDirDb = 20.0;

// Six significant digits, the precision of the document's value column.
std::string Sig6(double x) {
  if (!std::isfinite(x)) return numtext::FloatToText(x, 2);
  std::array<char, 64> buf{};
  auto [end, ec] =
      std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::general, 6);
  if (ec != std::errc()) return "?";
  return std::string(buf.data(), end);
}

// The window's power cell in the Watts unit: value text and unit caption.
std::pair<std::string, std::string> WattsCell(double p) {
  const double a = std::fabs(p);
  if (a < 1000.0) return {numtext::FloatToText(p, 2), "W"};
  if (a < 1000000.0) return {numtext::FloatToText(p / 1000.0, 2), "kW"};
  return {numtext::FloatToText(p / 1000000.0, 2), "MW"};
}

std::string Complex(double re, double im) {
  const std::string r = numtext::FloatToText(re, 6);
  const std::string i = numtext::FloatToText(std::fabs(im), 6);
  if (i == "0") return r;
  const std::string sign = im < 0 ? " − j" : " + j";
  if (r == "0") return (im < 0 ? "−j" : "j") + i;
  return r + sign + i;
}

class Collector {
 public:
  explicit Collector(ExampleValues& out) : out_(out) {}
  void Value(const std::string& name, double x) { out_.emplace_back(name, Sig6(x)); }
  void Text(const std::string& name, const std::string& text) { out_.emplace_back(name, text); }
  // A power cell: value label plus unit panel, quoted in the template as "992.32 W".
  void Power(const std::string& label, const std::string& panel, double p) {
    auto [text, unit] = WattsCell(p);
    out_.emplace_back("caption:" + label, text);
    out_.emplace_back("caption:" + panel, unit);
    out_.emplace_back("show:" + label, text + " " + unit);
  }
  // A cell without a unit caption (factors in Mag, Load Meas values, mismatch panels).
  void Plain(const std::string& control, const std::string& text) {
    out_.emplace_back("caption:" + control, text);
    out_.emplace_back("show:" + control, text);
  }

 private:
  ExampleValues& out_;
};

}  // namespace

ExampleValues ComputeExample(const std::string& version) {
  rf::ModelState m;
  m.Va = kVa;
  m.Ia = kIa;
  m.Eff = kEffPercent / 100.0;
  m.SrcRfl.Mag = kSrcMag;
  m.SrcRfl.Pha = kSrcPha;
  m.LoaRfl.Mag = kLoaMag;
  m.LoaRfl.Pha = kLoaPha;
  rf::ReflFromMag(m.SrcRfl);
  rf::ReflFromMag(m.LoaRfl);
  m.CplIdeal = false;
  m.CplDirDb = kDirDb;
  rf::ComputeTransmission(m);

  ExampleValues values;
  Collector c(values);
  c.Text("version", version);
  c.Text("in:Va", numtext::IntToText(m.Va));
  c.Text("in:Ia", numtext::FloatToText(m.Ia, 4));
  c.Text("in:Eff", numtext::FloatToText(m.Eff * 100.0, 4));
  c.Text("in:SrcMag", numtext::FloatToText(m.SrcRfl.Mag, 4));
  c.Text("in:SrcPha", numtext::FloatToText(m.SrcRfl.Pha, 4));
  c.Text("in:LoaMag", numtext::FloatToText(m.LoaRfl.Mag, 4));
  c.Text("in:LoaPha", numtext::FloatToText(m.LoaRfl.Pha, 4));
  c.Text("in:DirDb", numtext::FloatToText(m.CplDirDb, 4));
  c.Text("in:d", Sig6(rf::DirDbToFactor(m.CplDirDb)));

  // The intermediate complex values, converted exactly as the model converts them.
  rf::TComplex gs;
  rf::TComplex gl;
  rf::TComplex p;
  rf::CxSet(gs, m.SrcRfl.Mag, m.SrcRfl.Pha);
  rf::CxPolarDegToRect(gs, gs);
  rf::CxSet(gl, m.LoaRfl.Mag, m.LoaRfl.Pha);
  rf::CxPolarDegToRect(gl, gl);
  rf::CxMul(gs, gl, p);
  rf::TComplex q;
  rf::CxSet(q, 1.0 - p.Re, -p.Im);
  c.Text("cx:gs", Complex(gs.Re, gs.Im));
  c.Text("cx:gl", Complex(gl.Re, gl.Im));
  c.Text("cx:p", Complex(p.Re, p.Im));
  c.Value("q2", rf::CxSqrMag(q));
  c.Value("rho", m.SrcRfl.Mag * m.LoaRfl.Mag);

  c.Value("Pmatch", m.Pmatch);
  c.Value("Pav", m.Pav);
  c.Value("SrcRfl.Mism", m.SrcRfl.Mism);
  c.Value("LoaRfl.Mism", m.LoaRfl.Mism);
  c.Value("Interf", m.Interf);
  c.Value("InterfMin", m.InterfMin);
  c.Value("InterfMax", m.InterfMax);
  c.Value("TrGain", m.TrGain);
  c.Value("TrGainMin", m.TrGainMin);
  c.Value("TrGainMax", m.TrGainMax);
  c.Value("Pinc", m.Pinc);
  c.Value("PincMin", m.PincMin);
  c.Value("PincMax", m.PincMax);
  c.Value("Prefl", m.Prefl);
  c.Value("PreflMin", m.PreflMin);
  c.Value("PreflMax", m.PreflMax);
  c.Value("Pload", m.Pload);
  c.Value("PloadMin", m.PloadMin);
  c.Value("PloadMax", m.PloadMax);
  c.Value("check:GtPav", m.TrGain * m.Pav);

  c.Value("ErrInciMinus", m.ErrInciMinus);
  c.Value("ErrInciPlus", m.ErrInciPlus);
  c.Value("PincMinV", m.PincMinV);
  c.Value("PincMaxV", m.PincMaxV);
  c.Value("PincMinE", m.PincMinV - m.Pinc);
  c.Value("PincMaxE", m.PincMaxV - m.Pinc);
  c.Value("ErrReflMinus", m.ErrReflMinus);
  c.Value("ErrReflPlus", m.ErrReflPlus);
  c.Value("PreflMinV", m.PreflMinV);
  c.Value("PreflMaxV", m.PreflMaxV);
  c.Value("PreflMinE", m.PreflMinV - m.Prefl);
  c.Value("PreflMaxE", m.PreflMaxV - m.Prefl);
  c.Value("PloadMinV", m.PloadMinV);
  c.Value("PloadMaxV", m.PloadMaxV);
  c.Value("PloadMinE", m.PloadMinV - m.Pload);
  c.Value("PloadMaxE", m.PloadMaxV - m.Pload);
  c.Value("PloadMinRelat", m.PloadMinRelat);
  c.Value("PloadMaxRelat", m.PloadMaxRelat);
  c.Value("LoaRfl.Mag", m.LoaRfl.Mag);
  c.Value("MeaMin.Mag", m.MeaMin.Mag);
  c.Value("MeaMin.Rloss", m.MeaMin.Rloss);
  c.Value("MeaMin.Swr", m.MeaMin.Swr);
  c.Value("MeaMax.Mag", m.MeaMax.Mag);
  c.Value("MeaMax.Rloss", m.MeaMax.Rloss);
  c.Value("MeaMax.Swr", m.MeaMax.Swr);
  c.Value("MagMinE", (m.MeaMin.Mag - m.LoaRfl.Mag) * 100.0);
  c.Value("MagMaxE", (m.MeaMax.Mag - m.LoaRfl.Mag) * 100.0);

  // What the window shows with its default units: Watts, factors as Mag, errors in the power
  // unit, the Load Meas sheet as Mag, mismatch as Mag.
  c.Power("lbPmatch2", "pnlPmatchUnit", m.Pmatch);
  c.Power("lbPav", "pnlPavUnit", m.Pav);
  c.Plain("pnlSrcMism", numtext::FloatToText(m.SrcRfl.Mism, 4));
  c.Plain("pnlLoaMism", numtext::FloatToText(m.LoaRfl.Mism, 4));
  c.Plain("lbInterf2", numtext::FloatToText(m.Interf, 4));
  c.Plain("lbIntMin2", numtext::FloatToText(m.InterfMin, 4));
  c.Plain("lbIntMax2", numtext::FloatToText(m.InterfMax, 4));
  c.Plain("lbTrGain2", numtext::FloatToText(m.TrGain, 4));
  c.Plain("lbTrGmin", numtext::FloatToText(m.TrGainMin, 4));
  c.Plain("lbTrGmax", numtext::FloatToText(m.TrGainMax, 4));
  c.Power("lbPinc2", "pnlPincUnit", m.Pinc);
  c.Power("lbPincMin2", "pnlPincMinUnit", m.PincMin);
  c.Power("lbPincMax2", "pnlPincMaxUnit", m.PincMax);
  c.Power("lbPrefl2", "pnlPreflUnit", m.Prefl);
  c.Power("lbPrefMin2", "pnlPrefMinUnit", m.PreflMin);
  c.Power("lbPrefMax2", "pnlPrefMaxUnit", m.PreflMax);
  c.Power("lbPload2", "pnlPloadUnit", m.Pload);
  c.Power("lbPloadMin", "pnlPloadMinU", m.PloadMin);
  c.Power("lbPloadMax", "pnlPloadMaxU", m.PloadMax);
  c.Power("lbPincMinV", "pnlPincMinVunit", m.PincMinV);
  c.Power("lbPlincMaxV", "pnlPincMax", m.PincMaxV);
  c.Power("lbPincMinE", "pnlPlincMinE", m.PincMinV - m.Pinc);
  c.Power("lbPlincMaxE", "pnlPlincMaxE", m.PincMaxV - m.Pinc);
  c.Power("lbPrefMinV", "pnlPreflMin", m.PreflMinV);
  c.Power("lbPlreflMaxV", "pnlPreflMax", m.PreflMaxV);
  c.Power("lbPrefMinE", "pnlPreflMinE", m.PreflMinV - m.Prefl);
  c.Power("lbPlreflMaxE", "pnlPreflMaxE", m.PreflMaxV - m.Prefl);
  c.Power("lbPloadMinV", "pnlPloadMin", m.PloadMinV);
  c.Power("lbPloadMaxV", "pnlPloadMax", m.PloadMaxV);
  c.Power("lbPloadMinE", "pnlPloadMinE", m.PloadMinV - m.Pload);
  c.Power("lbPloadMaxE", "pnlPloadMaxE", m.PloadMaxV - m.Pload);
  c.Plain("lbMag", numtext::FloatToText(m.LoaRfl.Mag, 4));
  c.Plain("lbMagMin", numtext::FloatToText(m.MeaMin.Mag, 4));
  c.Plain("lbMagMax", numtext::FloatToText(m.MeaMax.Mag, 4));
  c.Plain("lbMagMinE", numtext::FloatToText((m.MeaMin.Mag - m.LoaRfl.Mag) * 100.0, 2));
  c.Plain("lbMagMaxE", numtext::FloatToText((m.MeaMax.Mag - m.LoaRfl.Mag) * 100.0, 2));
  return values;
}

std::string ExpandTemplate(const std::string& text, const ExampleValues& values,
                           std::vector<std::string>& errors) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  std::size_t pos = 0;
  while (true) {
    const std::size_t open = text.find("{{", pos);
    if (open == std::string::npos) {
      out.append(text, pos, std::string::npos);
      break;
    }
    out.append(text, pos, open - pos);
    const std::size_t close = text.find("}}", open + 2);
    if (close == std::string::npos) {
      errors.push_back("unterminated placeholder at offset " + std::to_string(open));
      out.append(text, open, std::string::npos);
      break;
    }
    const std::string name = text.substr(open + 2, close - open - 2);
    bool found = false;
    for (const auto& [key, value] : values) {
      if (key == name) {
        out += value;
        found = true;
        break;
      }
    }
    if (!found) {
      errors.push_back("unknown placeholder {{" + name + "}}");
      out.append(text, open, close + 2 - open);
    }
    pos = close + 2;
  }
  return out;
}

}  // namespace docgen
