#include "example.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <variant>

#include "env/ini_file.h"
#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "numtext/format.h"
#include "rf/complex.h"
#include "rf/model.h"
#include "startup/settings.h"

namespace docgen {
namespace {

// Six significant digits, the precision of the document's value column.
std::string Sig6(double x) {
  if (!std::isfinite(x)) return numtext::FloatToText(x, 2);
  std::array<char, 64> buf{};
  auto [end, ec] =
      std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::general, 6);
  if (ec != std::errc()) return "?";
  return std::string(buf.data(), end);
}

std::string Complex(double re, double im) {
  const std::string r = numtext::FloatToText(re, 6);
  const std::string i = numtext::FloatToText(std::fabs(im), 6);
  if (i == "0") return r;
  const std::string sign = im < 0 ? " − j" : " + j";
  if (r == "0") return (im < 0 ? "−j" : "j") + i;
  return r + sign + i;
}

// The caption of a label or panel of the window, by its name.
const std::string& CaptionOf(const mainwindow::TForm1& form, const std::string& name) {
  const mainwindow::ControlRef* ref = form.FindControl(name);
  if (ref == nullptr) throw std::invalid_argument("no control " + name);
  if (ref->Kind == mainwindow::ControlKind::Label)
    return std::get<mainwindow::Label*>(ref->Ptr)->Caption;
  if (ref->Kind == mainwindow::ControlKind::Panel)
    return std::get<mainwindow::Panel*>(ref->Ptr)->Caption;
  throw std::invalid_argument(name + " has no caption");
}

class Collector {
 public:
  Collector(ExampleValues& out, const mainwindow::TForm1& form) : out_(out), form_(form) {}
  void Value(const std::string& name, double x) { out_.emplace_back(name, Sig6(x)); }
  void Text(const std::string& name, const std::string& text) { out_.emplace_back(name, text); }
  // A power cell as the window shows it: value label plus unit panel, quoted as "992.32 W".
  void Power(const std::string& label, const std::string& panel) {
    const std::string& text = CaptionOf(form_, label);
    const std::string& unit = CaptionOf(form_, panel);
    out_.emplace_back("caption:" + label, text);
    out_.emplace_back("caption:" + panel, unit);
    out_.emplace_back("show:" + label, text + " " + unit);
  }
  // A cell without a unit caption (factors in Mag, Load Meas values, mismatch panels).
  void Plain(const std::string& control) {
    const std::string& text = CaptionOf(form_, control);
    out_.emplace_back("caption:" + control, text);
    out_.emplace_back("show:" + control, text);
  }

 private:
  ExampleValues& out_;
  const mainwindow::TForm1& form_;
};

}  // namespace

ExampleValues ComputeExample(const std::string& version) {
  // The window itself on a first start: no settings file (an unnamed one reads as empty), so
  // every input has its default; then Ideal cleared so that the 20 dB directivity counts.
  env::ScriptedPlatform platform;
  mainwindow::TForm1 form(platform);
  env::TIniFile noSettings{std::string()};
  startup::LoadSettings(form, noSettings);
  form.PrepareForShow();
  form.UserClick("chIdeal");
  if (form.CplIdeal) throw std::logic_error("the example needs real couplers");
  const rf::ModelState& m = form;

  ExampleValues values;
  Collector c(values, form);
  c.Text("version", version);
  c.Text("in:Va", form.edAnodeV.Text);
  c.Text("in:Ia", form.edAnodeI.Text);
  c.Text("in:Eff", form.edEffic.Text);
  c.Text("in:SrcMag", form.edSrcMag.Text);
  c.Text("in:SrcPha", form.edSrcPha.Text);
  c.Text("in:LoaMag", form.edLoaMag.Text);
  c.Text("in:LoaPha", form.edLoaPha.Text);
  c.Text("in:DirDb", form.edDire.Text);
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
  c.Power("lbPmatch2", "pnlPmatchUnit");
  c.Power("lbPav", "pnlPavUnit");
  c.Plain("pnlSrcMism");
  c.Plain("pnlLoaMism");
  c.Plain("lbInterf2");
  c.Plain("lbIntMin2");
  c.Plain("lbIntMax2");
  c.Plain("lbTrGain2");
  c.Plain("lbTrGmin");
  c.Plain("lbTrGmax");
  c.Power("lbPinc2", "pnlPincUnit");
  c.Power("lbPincMin2", "pnlPincMinUnit");
  c.Power("lbPincMax2", "pnlPincMaxUnit");
  c.Power("lbPrefl2", "pnlPreflUnit");
  c.Power("lbPrefMin2", "pnlPrefMinUnit");
  c.Power("lbPrefMax2", "pnlPrefMaxUnit");
  c.Power("lbPload2", "pnlPloadUnit");
  c.Power("lbPloadMin", "pnlPloadMinU");
  c.Power("lbPloadMax", "pnlPloadMaxU");
  c.Power("lbPincMinV", "pnlPincMinVunit");
  c.Power("lbPlincMaxV", "pnlPincMax");
  c.Power("lbPincMinE", "pnlPlincMinE");
  c.Power("lbPlincMaxE", "pnlPlincMaxE");
  c.Power("lbPrefMinV", "pnlPreflMin");
  c.Power("lbPlreflMaxV", "pnlPreflMax");
  c.Power("lbPrefMinE", "pnlPreflMinE");
  c.Power("lbPlreflMaxE", "pnlPreflMaxE");
  c.Power("lbPloadMinV", "pnlPloadMin");
  c.Power("lbPloadMaxV", "pnlPloadMax");
  c.Power("lbPloadMinE", "pnlPloadMinE");
  c.Power("lbPloadMaxE", "pnlPloadMaxE");
  c.Plain("lbMag");
  c.Plain("lbMagMin");
  c.Plain("lbMagMax");
  c.Plain("lbMagMinE");
  c.Plain("lbMagMaxE");
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
