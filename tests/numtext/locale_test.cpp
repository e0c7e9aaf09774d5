#include <gtest/gtest.h>
#if defined(__unix__)
#include <unistd.h>
#endif

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <locale>
#include <optional>
#include <string>
#include <vector>

#include "doubles.h"
#include "numtext/format.h"
#include "numtext/parse.h"

// The texts must not follow the process locale: a user with "," as decimal separator still
// sees and types "." (and a typed "," is read as ".").
namespace numtext {
namespace {

using zephlane_test::kInf;
using zephlane_test::SameBits;

struct CommaNumpunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

// Switches the global C and C++ locales to comma-decimal ones and restores both on exit.
class CommaLocale {
 public:
  CommaLocale() : saved_cpp_(std::locale()), saved_c_(std::setlocale(LC_ALL, nullptr)) {
    c_switched_ = TryCLocales();
    std::locale::global(std::locale(std::locale::classic(), new CommaNumpunct));
  }
  ~CommaLocale() {
    std::locale::global(saved_cpp_);  // a named locale also resets the C locale: restore it after
    std::setlocale(LC_ALL, saved_c_.c_str());
#if defined(__unix__)
    if (!generated_.empty()) {
      unsetenv("LOCPATH");
      std::error_code ec;
      std::filesystem::remove_all(generated_, ec);
    }
#endif
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool CSwitched() const { return c_switched_; }

 private:
  static bool CommaInC() { return std::string(std::localeconv()->decimal_point) == ","; }

  bool TryCLocales() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE",
                             "German_Germany.1252"}) {
      if (std::setlocale(LC_ALL, name) != nullptr && CommaInC()) return true;
    }
#if defined(__unix__)
    // No such locale installed: compile one from the system's locale sources when they exist.
    if (std::getenv("LOCPATH") != nullptr) return false;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("numtext_locale_test_" + std::to_string(getpid()));
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return false;
    generated_ = dir;  // removed again on exit, whatever happens next
    const std::string cmd =
        "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return false;
    setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr && CommaInC();
#else
    return false;
#endif
  }

  std::locale saved_cpp_;
  std::string saved_c_;
  std::filesystem::path generated_;
  bool c_switched_ = false;
};

TEST(NumericText, IgnoresCommaDecimalLocale) {
  const std::vector<std::string> texts = {"0.3555", "0,3555",  "1e3",   "-2.5E-1", "+.5",
                                          "5.",     "1,234.5", "1e400", "nan",     "-INF"};
  const std::vector<double> values = {0.3555, 14220.0, 1.005, -0.125, 1.5e20, 1234567.891};
  std::vector<double> parsed;
  std::vector<std::string> shown;
  for (const auto& t : texts) parsed.push_back(TextToFloat(t, -1.0, -kInf, kInf, false));
  for (double v : values) shown.push_back(FloatToText(v, 4));

  CommaLocale locale;
  ASSERT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
  if (locale.CSwitched()) {
    EXPECT_EQ(std::strtod("2.5", nullptr), 2.0);  // the switch bites: the C library reads ","
  } else {
    std::cout << "note: no comma-decimal C locale available; C++ locale switched only\n";
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_TRUE(SameBits(parsed[i], TextToFloat(texts[i], -1.0, -kInf, kInf, false))) << texts[i];
  }
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(FloatToText(values[i], 4), shown[i]);
  EXPECT_TRUE(SameBits(0.3555, TextToFloat("0.3555", -1.0, -kInf, kInf, false)));
  EXPECT_EQ(FloatToText(1234567.891, 2), "1234567.89");
  EXPECT_EQ(FloatToText(1.5e20, 4), "1.5E0020");
  EXPECT_EQ(TextToInt("1.000", 7, 0, 10000, true), 7);  // no digit grouping either
}

}  // namespace
}  // namespace numtext
