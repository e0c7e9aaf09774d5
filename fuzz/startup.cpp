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
// window's own section (and keep the Analysis window's), and that file must read back to the
// values the controls held.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SetUpFuzzHome();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = FuzzSettingsFile(FuzzHome());
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
  // The Analysis window's section is kept as found: at most the input's own bytes. A file found
  // in UTF-16 is written back in it, two bytes for each character counted here.
  std::uintmax_t bytes = std::filesystem::file_size(file);
  {
    std::ifstream in(file, std::ios::binary);
    char bom[2] = {};
    in.read(bom, 2);
    const bool wide =
        (bom[0] == '\xFF' && bom[1] == '\xFE') || (bom[0] == '\xFE' && bom[1] == '\xFF');
    if (wide) bytes /= 2;
  }
  FUZZ_CHECK(bytes <= 400 + textBytes + 8 + size);

  env::TIniFile saved(file);
  std::vector<std::string> sections;
  saved.ReadSections(sections);
  // The window's own section, and the Analysis window's where the file held one.
  int own = 0;
  for (const std::string& name : sections) {
    FUZZ_CHECK(name == "Zephlane" || name == "Analysis");
    own += name == "Zephlane" ? 1 : 0;
  }
  FUZZ_CHECK(own == 1 && sections.size() <= 2);
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
