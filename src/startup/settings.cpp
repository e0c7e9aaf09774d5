#include "startup/settings.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "mainwindow/texts.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/parse.h"
#include "rf/first_start.h"
#include "startup/analysis_settings.h"

namespace startup {

namespace {

using mainwindow::TForm1;

const std::string kSection = "Zephlane";

enum class WindowEdge { Top, Left };

// What a key holds: an edit's text, an up-down's position, a list's or a radio group's index,
// the check box's state, or an edge of the window.
// A remembered text of the desktop (a folder, the recent cases) is the last kind: written only
// when it holds something, so a file of a window that never used a dialog stays as it was.
using Target = std::variant<mainwindow::Edit TForm1::*, mainwindow::UpDown TForm1::*,
                            mainwindow::DropDown TForm1::*, mainwindow::RadioGroup TForm1::*,
                            mainwindow::CheckBox TForm1::*, WindowEdge, std::string TForm1::*>;

struct SettingsKey {
  std::string_view Key;
  Target Control;
  std::string_view DefaultText;  // edits
  std::int32_t DefaultValue;     // up-downs, lists, groups, the check box; edges: unused
  int LoadStep;                  // loading runs the keys in this order
};

// Every stored key, in the order the file holds them. Loading takes another order, because
// assigning a radio group or the check box runs its handler on the controls loaded so far.
const std::array<SettingsKey, 21> kKeys{{
    {"edAnodeV", &TForm1::edAnodeV, rf::kFirstAnodeVText, 0, 3},
    {"edAnodeI", &TForm1::edAnodeI, rf::kFirstAnodeIText, 0, 4},
    {"edSrcMag", &TForm1::edSrcMag, rf::kFirstSrcMagText, 0, 6},
    {"edLoaMag", &TForm1::edLoaMag, rf::kFirstLoaMagText, 0, 7},
    {"Top", WindowEdge::Top, {}, 0, 1},
    {"Left", WindowEdge::Left, {}, 0, 2},
    {"udEff", &TForm1::udEff, {}, static_cast<std::int32_t>(rf::kFirstEffPercent), 5},
    {"udSrcPha", &TForm1::udSrcPha, {}, static_cast<std::int32_t>(rf::kFirstSrcPha), 16},
    {"udDire", &TForm1::udDire, {}, static_cast<std::int32_t>(rf::kFirstDirDb), 18},
    {"udLoaPha", &TForm1::udLoaPha, {}, static_cast<std::int32_t>(rf::kFirstLoaPha), 17},
    {"cbSrcRfl", &TForm1::cbSrcRfl, {}, 0, 8},
    {"cbSrcMism", &TForm1::cbSrcMism, {}, 0, 9},
    {"cbLoaRfl", &TForm1::cbLoaRfl, {}, 0, 10},
    {"cbLoaMism", &TForm1::cbLoaMism, {}, 0, 11},
    {"rgTransmMagUnit", &TForm1::rgTransmMagUnit, {}, 0, 12},
    {"rgPowMeasUnit", &TForm1::rgPowMeasUnit, {}, 0, 13},
    {"rgPowerUnit", &TForm1::rgPowerUnit, {}, 0, 14},
    {"rgLoadMeasMagUnit", &TForm1::rgLoadMeasMagUnit, {}, 0, 15},
    {"chIdeal", &TForm1::chIdeal, {}, rf::kFirstIdeal ? 1 : 0, 20},
    {"LastFolder", &TForm1::LastFolder, {}, 0, 21},
    {"RecentCases", &TForm1::RecentCases, {}, 0, 22},
}};
// Between the up-downs and the check box, loading rebuilds the edits of the values the
// up-downs keep from their positions.
constexpr int kTextsFromPositionsStep = 19;

// The stored position is the value that survives a restart: the edit shows it.
void TextFromPosition(mainwindow::Edit& edit, const mainwindow::UpDown& updown) {
  edit.Text = numtext::FloatToText(updown.Position(), numtext::kInputDecimals);
}

// A measured load that holds the load's edits is the file's, not the user's: the files keep
// what the user typed, so a start without the measured file shows it.
std::string StoredText(const TForm1& form, mainwindow::Edit TForm1::*edit) {
  return edit == &TForm1::edLoaMag ? form.TypedLoaMagText() : (form.*edit).Text;
}
std::int32_t StoredPosition(const TForm1& form, mainwindow::UpDown TForm1::*updown) {
  return updown == &TForm1::udLoaPha ? form.TypedLoaPhaPosition() : (form.*updown).Position();
}

void Load(TForm1& form, env::TIniFile& ini, const SettingsKey& k,
          const std::string& section = kSection) {
  const std::string key(k.Key);
  std::visit(
      [&](auto target) {
        using T = decltype(target);
        if constexpr (std::is_same_v<T, WindowEdge>) {
          // A position from a larger or since-removed screen must still leave the window
          // reachable.
          const env::ScreenSize screen = form.Platform().PrimaryScreen();
          std::int32_t& edge = target == WindowEdge::Top ? form.Form1.Top : form.Form1.Left;
          const int far = target == WindowEdge::Top ? screen.Height : screen.Width;
          // A missing or malformed edge reads as the sentinel: no usable position.
          constexpr std::int32_t kNoEdge = std::numeric_limits<std::int32_t>::min();
          const std::int32_t stored = ini.ReadInteger(section, key, kNoEdge);
          if (stored == kNoEdge) {
            form.Form1.PositionStored = false;
            return;
          }
          if (target == WindowEdge::Top) form.Form1.PositionStored = true;
          edge = numtext::ClampInt(0, stored, far - 10);
        } else if constexpr (std::is_same_v<T, mainwindow::Edit TForm1::*>) {
          (form.*target).Text = ini.ReadString(section, key, std::string(k.DefaultText));
        } else if constexpr (std::is_same_v<T, std::string TForm1::*>) {
          form.*target = ini.ReadString(section, key, {});
        } else if constexpr (std::is_same_v<T, mainwindow::UpDown TForm1::*>) {
          (form.*target).SetPosition(ini.ReadInteger(section, key, k.DefaultValue));
          if (target == &TForm1::udEff) form.SetEffFromUpDown(form.udEff.Position());
        } else if constexpr (std::is_same_v<T, mainwindow::CheckBox TForm1::*>) {
          (form.*target).SetChecked(ini.ReadBool(section, key, k.DefaultValue != 0));
        } else {
          // Lists and radio groups; a group's setter runs its OnClick when the stored choice
          // differs, so the unit fields (SelUnit, SelErrUnit) follow the stored choices, and
          // rgPowerUnit runs a whole cycle here.
          (form.*target).SetItemIndex(ini.ReadInteger(section, key, k.DefaultValue));
        }
      },
      k.Control);
}

void Save(const TForm1& form, env::TIniFile& ini, const SettingsKey& k) {
  const std::string key(k.Key);
  std::visit(
      [&](auto target) {
        using T = decltype(target);
        if constexpr (std::is_same_v<T, WindowEdge>) {
          ini.WriteInteger(kSection, key,
                           target == WindowEdge::Top ? form.Form1.Top : form.Form1.Left);
        } else if constexpr (std::is_same_v<T, mainwindow::Edit TForm1::*>) {
          ini.WriteString(kSection, key, StoredText(form, target));
        } else if constexpr (std::is_same_v<T, std::string TForm1::*>) {
          if (!(form.*target).empty()) ini.WriteString(kSection, key, form.*target);
        } else if constexpr (std::is_same_v<T, mainwindow::UpDown TForm1::*>) {
          ini.WriteInteger(kSection, key, StoredPosition(form, target));
        } else if constexpr (std::is_same_v<T, mainwindow::CheckBox TForm1::*>) {
          ini.WriteBool(kSection, key, (form.*target).Checked());
        } else {
          ini.WriteInteger(kSection, key, (form.*target).ItemIndex());
        }
      },
      k.Control);
}

void LoadKeys(TForm1& form, env::TIniFile& ini, const std::string& section, bool all) {
  std::vector<const SettingsKey*> order;
  for (const SettingsKey& k : kKeys) {
    // The window's place and the remembered folders belong to this desktop, not to the inputs.
    const bool input = !std::holds_alternative<WindowEdge>(k.Control) &&
                       !std::holds_alternative<std::string TForm1::*>(k.Control);
    if (all || input) order.push_back(&k);
  }
  std::sort(order.begin(), order.end(),
            [](const SettingsKey* a, const SettingsKey* b) { return a->LoadStep < b->LoadStep; });
  bool textsDone = false;
  for (const SettingsKey* k : order) {
    if (!textsDone && k->LoadStep > kTextsFromPositionsStep) {
      TextFromPosition(form.edEffic, form.udEff);
      TextFromPosition(form.edSrcPha, form.udSrcPha);
      TextFromPosition(form.edLoaPha, form.udLoaPha);
      TextFromPosition(form.edDire, form.udDire);
      textsDone = true;
    }
    Load(form, ini, *k, section);
  }
}

}  // namespace

std::string IniFileName(const TForm1& form) {
  return form.UserDir + std::string(mainwindow::kIniFileName);
}

void LoadSettings(TForm1& form, env::TIniFile& ini) { LoadKeys(form, ini, kSection, true); }

std::span<const InputKey> InputKeys() {
  static const std::vector<InputKey> keys = [] {
    std::vector<InputKey> list;
    for (const SettingsKey& k : kKeys) {
      std::visit(
          [&](auto target) {
            using T = decltype(target);
            if constexpr (std::is_same_v<T, mainwindow::Edit TForm1::*>) {
              list.push_back({k.Key, InputKind::Text});
            } else if constexpr (std::is_same_v<T, mainwindow::CheckBox TForm1::*>) {
              list.push_back({k.Key, InputKind::Flag});
            } else if constexpr (!std::is_same_v<T, WindowEdge> &&
                                 !std::is_same_v<T, std::string TForm1::*>) {
              list.push_back({k.Key, InputKind::Whole});
            }
          },
          k.Control);
    }
    return list;
  }();
  return keys;
}

void LoadInputs(TForm1& form, env::TIniFile& ini, const std::string& section) {
  LoadKeys(form, ini, section, false);
}

env::ini::KeyList InputValues(const TForm1& form) {
  env::ini::KeyList values;
  for (const SettingsKey& k : kKeys) {
    std::visit(
        [&](auto target) {
          using T = decltype(target);
          const std::string key(k.Key);
          if constexpr (std::is_same_v<T, mainwindow::Edit TForm1::*>) {
            values.emplace_back(key, StoredText(form, target));
          } else if constexpr (std::is_same_v<T, mainwindow::UpDown TForm1::*>) {
            values.emplace_back(key, std::to_string(StoredPosition(form, target)));
          } else if constexpr (std::is_same_v<T, mainwindow::CheckBox TForm1::*>) {
            values.emplace_back(key, (form.*target).Checked() ? "1" : "0");
          } else if constexpr (!std::is_same_v<T, WindowEdge> &&
                               !std::is_same_v<T, std::string TForm1::*>) {
            values.emplace_back(key, std::to_string((form.*target).ItemIndex()));
          }
        },
        k.Control);
  }
  return values;
}

void SaveSettings(TForm1& form, env::TIniFile& ini) {
  // One replacement of the whole file: a failure anywhere leaves the previous settings whole
  // instead of an erased or half-written file.
  ini.BeginUpdate();
  try {
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const std::string& s : sections) {
      // The Analysis window's placement is its own, written when the program ends.
      if (s != kAnalysisSection) ini.EraseSection(s);
    }
    for (const SettingsKey& k : kKeys) Save(form, ini, k);
    ini.CommitUpdate();
  } catch (...) {
    ini.AbandonUpdate();
    throw;
  }
}

}  // namespace startup
