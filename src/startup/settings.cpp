#include "startup/settings.h"

#include <cstdint>
#include <string>
#include <vector>

#include "env/user_dir.h"
#include "mainwindow/texts.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/parse.h"

namespace startup {

namespace {

const std::string kSection = "Zephlane";

// Edits of the values that the up-downs keep as whole numbers; their text is rebuilt from
// the up-down because the stored position is the value that survives a restart.
void TextFromPosition(mainwindow::Edit& edit, const mainwindow::UpDown& updown) {
  edit.Text = numtext::FloatToText(updown.Position(), numtext::kInputDecimals);
}

}  // namespace

std::string IniFileName(const mainwindow::TForm1& form) {
  return form.UserDir + std::string(mainwindow::kIniFileName);
}

void LoadSettings(mainwindow::TForm1& form, env::TIniFile& ini) {
  const env::ScreenSize screen = form.Platform().PrimaryScreen();
  // A position from a larger or since-removed screen must still leave the window reachable.
  form.Form1.Top =
      numtext::ClampInt(0, ini.ReadInteger(kSection, "Top", form.Form1.Top), screen.Height - 10);
  form.Form1.Left =
      numtext::ClampInt(0, ini.ReadInteger(kSection, "Left", form.Form1.Left), screen.Width - 10);
  form.edAnodeV.Text = ini.ReadString(kSection, "edAnodeV", "4350");
  form.edAnodeI.Text = ini.ReadString(kSection, "edAnodeI", "0.32");
  form.udEff.SetPosition(ini.ReadInteger(kSection, "udEff", 72));
  form.SetEffFromUpDown(form.udEff.Position());
  form.edSrcMag.Text = ini.ReadString(kSection, "edSrcMag", "0.2");
  form.edLoaMag.Text = ini.ReadString(kSection, "edLoaMag", "0.5");
  form.cbSrcRfl.SetItemIndex(ini.ReadInteger(kSection, "cbSrcRfl", 0));
  form.cbSrcMism.SetItemIndex(ini.ReadInteger(kSection, "cbSrcMism", 0));
  form.cbLoaRfl.SetItemIndex(ini.ReadInteger(kSection, "cbLoaRfl", 0));
  form.cbLoaMism.SetItemIndex(ini.ReadInteger(kSection, "cbLoaMism", 0));
  // These setters run the groups' OnClick when the stored choice differs, so the unit fields
  // (SelUnit, SelErrUnit) follow the stored choices; rgPowerUnit runs a whole cycle here.
  form.rgTransmMagUnit.SetItemIndex(ini.ReadInteger(kSection, "rgTransmMagUnit", 0));
  form.rgPowMeasUnit.SetItemIndex(ini.ReadInteger(kSection, "rgPowMeasUnit", 0));
  form.rgPowerUnit.SetItemIndex(ini.ReadInteger(kSection, "rgPowerUnit", 0));
  form.rgLoadMeasMagUnit.SetItemIndex(ini.ReadInteger(kSection, "rgLoadMeasMagUnit", 0));
  form.udSrcPha.SetPosition(ini.ReadInteger(kSection, "udSrcPha", 0));
  form.udLoaPha.SetPosition(ini.ReadInteger(kSection, "udLoaPha", 90));
  form.udDire.SetPosition(ini.ReadInteger(kSection, "udDire", 20));
  TextFromPosition(form.edEffic, form.udEff);
  TextFromPosition(form.edSrcPha, form.udSrcPha);
  TextFromPosition(form.edLoaPha, form.udLoaPha);
  TextFromPosition(form.edDire, form.udDire);
  form.chIdeal.SetChecked(ini.ReadBool(kSection, "chIdeal", true));
}

void SaveSettings(mainwindow::TForm1& form, env::TIniFile& ini) {
  // One replacement of the whole file: a failure anywhere leaves the previous settings whole
  // instead of an erased or half-written file.
  ini.BeginUpdate();
  try {
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const std::string& s : sections) ini.EraseSection(s);

    ini.WriteString(kSection, "edAnodeV", form.edAnodeV.Text);
    ini.WriteString(kSection, "edAnodeI", form.edAnodeI.Text);
    ini.WriteString(kSection, "edSrcMag", form.edSrcMag.Text);
    ini.WriteString(kSection, "edLoaMag", form.edLoaMag.Text);
    ini.WriteInteger(kSection, "Top", form.Form1.Top);
    ini.WriteInteger(kSection, "Left", form.Form1.Left);
    ini.WriteInteger(kSection, "udEff", form.udEff.Position());
    ini.WriteInteger(kSection, "udSrcPha", form.udSrcPha.Position());
    ini.WriteInteger(kSection, "udDire", form.udDire.Position());
    ini.WriteInteger(kSection, "udLoaPha", form.udLoaPha.Position());
    ini.WriteInteger(kSection, "cbSrcRfl", form.cbSrcRfl.ItemIndex());
    ini.WriteInteger(kSection, "cbSrcMism", form.cbSrcMism.ItemIndex());
    ini.WriteInteger(kSection, "cbLoaRfl", form.cbLoaRfl.ItemIndex());
    ini.WriteInteger(kSection, "cbLoaMism", form.cbLoaMism.ItemIndex());
    ini.WriteInteger(kSection, "rgTransmMagUnit", form.rgTransmMagUnit.ItemIndex());
    ini.WriteInteger(kSection, "rgPowMeasUnit", form.rgPowMeasUnit.ItemIndex());
    ini.WriteInteger(kSection, "rgPowerUnit", form.rgPowerUnit.ItemIndex());
    ini.WriteInteger(kSection, "rgLoadMeasMagUnit", form.rgLoadMeasMagUnit.ItemIndex());
    ini.WriteBool(kSection, "chIdeal", form.chIdeal.Checked());
    ini.CommitUpdate();
  } catch (...) {
    ini.AbandonUpdate();
    throw;
  }
}

}  // namespace startup
