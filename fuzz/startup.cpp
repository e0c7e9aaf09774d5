#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "env/ini_file.h"
#include "env/scripted_platform.h"
#include "fuzz_check.h"
#include "fuzz_home.h"
#include "mainwindow/form.h"
#include "startup/lifecycle.h"

// The whole start over a fuzzed settings file: the window is created from it (settings loaded,
// handlers run, first evaluation), then closed with Yes. The close must succeed, write only the
// window's own section, and that file must read back to the values the controls held.
namespace {

std::string home;

void RemoveHome() {
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  home = MakeFuzzHome();
  std::atexit(RemoveHome);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = FuzzSettingsFile(home);
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }

  env::ScriptedPlatform platform;
  mainwindow::TForm1 form(platform);
  startup::Create(form);
  const std::string texts[] = {form.edAnodeV.Text, form.edAnodeI.Text, form.edSrcMag.Text,
                               form.edLoaMag.Text};
  const std::int32_t top = form.Form1.Top;
  const std::int32_t eff = form.udEff.Position();
  const std::int32_t dire = form.udDire.Position();
  const std::int32_t loaRfl = form.cbLoaRfl.ItemIndex();
  const std::int32_t powerUnit = form.rgPowerUnit.ItemIndex();
  const bool ideal = form.chIdeal.Checked();
  form.Close();
  FUZZ_CHECK(form.Closed());
  FUZZ_CHECK(platform.Events.size() == 1);  // the confirmation, no error box

  std::size_t textBytes = 0;
  for (const std::string& t : texts) textBytes += t.size();
  FUZZ_CHECK(std::filesystem::file_size(file) <= 400 + textBytes + 8);

  env::TIniFile saved(file);
  std::vector<std::string> sections;
  saved.ReadSections(sections);
  FUZZ_CHECK(sections.size() == 1 && sections[0] == "Zephlane");
  const char* keys[] = {"edAnodeV", "edAnodeI", "edSrcMag", "edLoaMag"};
  for (int k = 0; k < 4; ++k) FUZZ_CHECK(saved.ReadString("Zephlane", keys[k], "?") == texts[k]);
  FUZZ_CHECK(saved.ReadInteger("Zephlane", "Top", -99) == top);
  FUZZ_CHECK(saved.ReadInteger("Zephlane", "udEff", -99) == eff);
  FUZZ_CHECK(saved.ReadInteger("Zephlane", "udDire", -99) == dire);
  FUZZ_CHECK(saved.ReadInteger("Zephlane", "cbLoaRfl", -99) == loaRfl);
  FUZZ_CHECK(saved.ReadInteger("Zephlane", "rgPowerUnit", -99) == powerUnit);
  FUZZ_CHECK(saved.ReadBool("Zephlane", "chIdeal", !ideal) == ideal);
  return 0;
}
