#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "mainwindow/controls.h"
#include "mainwindow/design.h"

// `dump` is the driver's whole view of the window: every control with every property of its
// kind, in declaration order, and every model field.
namespace {

using mainwindow::ControlKind;

nlohmann::ordered_json DumpAfterCreate() {
  std::string home = (std::filesystem::temp_directory_path() / "zephlane-dump-XXXXXX").string();
  if (mkdtemp(home.data()) == nullptr) return {};
  const std::string command =
      "printf '%s\\n' '[\"create\"]' '[\"dump\"]' | env -u "
      "XDG_CONFIG_HOME HOME='" +
      home + "' '" + ZEPHLANE_DRIVER + "'";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  // The default inputs give finite results only, so the reply is plain JSON.
  return nlohmann::ordered_json::parse(out, nullptr, /*allow_exceptions=*/false);
}

std::vector<std::string> PropertiesOf(ControlKind kind) {
  const std::vector<std::string> common = {"Enabled", "Visible", "Hint"};
  static const std::map<ControlKind, std::vector<std::string>> own = {
      {ControlKind::GroupBox, {"Caption", "Color"}},
      {ControlKind::Label, {"Caption", "Color"}},
      {ControlKind::Panel, {"Caption", "Color"}},
      {ControlKind::Edit, {"Text", "Color"}},
      {ControlKind::DropDown, {"Items", "ItemIndex", "Color"}},
      {ControlKind::UpDown, {"Min", "Max", "Increment", "Position", "Wrap"}},
      {ControlKind::CheckBox, {"Caption", "Checked"}},
      {ControlKind::RadioGroup, {"Caption", "Items", "ItemIndex"}},
      {ControlKind::Button, {"Caption"}},
      {ControlKind::PageControl, {"ActivePage"}},
      {ControlKind::TabSheet, {"Caption"}},
  };
  std::vector<std::string> all = own.at(kind);
  all.insert(all.end(), common.begin(), common.end());
  return all;
}

std::set<std::string> KeysOf(const nlohmann::ordered_json& object) {
  std::set<std::string> keys;
  for (const auto& item : object.items()) keys.insert(item.key());
  return keys;
}

TEST(DriverDump, ListsEveryControlInOrderWithEveryPropertyOfItsKind) {
  const nlohmann::ordered_json dump = DumpAfterCreate();
  ASSERT_TRUE(dump.is_object()) << "no JSON reply to dump";
  const auto& controls = dump.at("controls");
  std::vector<std::string> names;
  for (const auto& item : controls.items()) names.push_back(item.key());
  ASSERT_EQ(names.size(), mainwindow::DesignTable().size() + 1);
  EXPECT_EQ(names.front(), "Form1");
  EXPECT_EQ(
      KeysOf(controls.at("Form1")),
      (std::set<std::string>{"Caption", "Left", "Top", "ClientWidth", "ClientHeight", "Color"}));
  std::size_t i = 1;
  for (const auto& entry : mainwindow::DesignTable()) {
    const std::string name(entry.Name);
    EXPECT_EQ(names[i++], name);
    const auto expected = PropertiesOf(entry.Kind);
    EXPECT_EQ(KeysOf(controls.at(name)), std::set<std::string>(expected.begin(), expected.end()))
        << name;
  }
}

TEST(DriverDump, ListsEveryModelAndEnvironmentField) {
  const nlohmann::ordered_json dump = DumpAfterCreate();
  ASSERT_TRUE(dump.is_object()) << "no JSON reply to dump";
  const std::set<std::string> fields = KeysOf(dump.at("fields"));
  for (const char* name :
       {"Va",          "Ia",          "Eff",          "SrcRfl",        "LoaRfl",
        "MeaMin",      "MeaMax",      "Interf",       "InterfMin",     "InterfMax",
        "TrGain",      "TrGainMin",   "TrGainMax",    "Pav",           "Pmatch",
        "Pinc",        "PincMin",     "PincMax",      "Prefl",         "PreflMin",
        "PreflMax",    "Pload",       "PloadMin",     "PloadMax",      "SelUnit",
        "SelErrUnit",  "CplIdeal",    "CplDirDb",     "ErrInciMinus",  "ErrInciPlus",
        "PincMinV",    "PincMaxV",    "ErrReflMinus", "ErrReflPlus",   "PreflMinV",
        "PreflMaxV",   "PloadMinV",   "PloadMaxV",    "PloadMinRelat", "PloadMaxRelat",
        "ExeDir",      "AutoIniFile", "ChmHelpName",  "ChmHelpFile",   "PdfHelpName",
        "PdfHelpFile", "TheoryName",  "TheoryFile",   "MyHelp"}) {
    EXPECT_TRUE(fields.count(name) == 1) << name;
  }
  for (const char* refl : {"SrcRfl", "LoaRfl", "MeaMin", "MeaMax"}) {
    EXPECT_EQ(KeysOf(dump.at("fields").at(refl)),
              (std::set<std::string>{"Mag", "Pha", "Rloss", "Swr", "Mism"}))
        << refl;
  }
}

}  // namespace
