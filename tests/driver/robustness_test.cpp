#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// Random and malformed request lines from a fixed seed through the real driver process: it
// must answer each bad line with exactly one error, keep going, and end with exit code 0.
namespace {

// A scratch folder used as HOME, removed afterwards.
class ScratchHome {
 public:
  ScratchHome() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zephlane-driver-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchHome() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchHome(const ScratchHome&) = delete;
  ScratchHome& operator=(const ScratchHome&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

struct RunResult {
  int ExitCode = -1;
  std::vector<std::string> Lines;
};

RunResult RunDriver(const std::vector<std::string>& requests) {
  ScratchHome home;
  const std::string in = home.Path() + "/in.jsonl";
  const std::string out = home.Path() + "/out.jsonl";
  {
    std::ofstream f(in, std::ios::binary);
    for (const std::string& r : requests) f << r << '\n';
  }
  const std::string command = "env -u XDG_CONFIG_HOME HOME='" + home.Path() + "' '" +
                              ZEPHLANE_DRIVER + "' < '" + in + "' > '" + out + "'";
  const int status = std::system(command.c_str());
  RunResult result;
  if (status != -1 && WIFEXITED(status)) result.ExitCode = WEXITSTATUS(status);
  std::ifstream f(out, std::ios::binary);
  for (std::string line; std::getline(f, line);) result.Lines.push_back(line);
  return result;
}

// The driver writes non-finite doubles as bare Infinity, -Infinity and NaN; standard JSON
// readers need them replaced (outside strings) before parsing.
std::string WithoutBareNonFinite(const std::string& line) {
  std::string out;
  bool inString = false;
  bool escaped = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (inString) {
      out += c;
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') inString = true;
    for (const std::string token : {"-Infinity", "Infinity", "NaN"}) {
      if (line.compare(i, token.size(), token) == 0) {
        out += "null";
        i += token.size();
        break;
      }
    }
    if (i < line.size()) out += line[i];
  }
  return out;
}

bool IsJsonObject(const std::string& line) {
  const auto v = nlohmann::json::parse(WithoutBareNonFinite(line), nullptr, false);
  return !v.is_discarded() && v.is_object();
}

const std::vector<std::string> kNames{"edAnodeV",
                                      "edAnodeI",
                                      "edEffic",
                                      "udEff",
                                      "edSrcMag",
                                      "cbSrcRfl",
                                      "edSrcPha",
                                      "udSrcPha",
                                      "edLoaMag",
                                      "cbLoaRfl",
                                      "edLoaPha",
                                      "udLoaPha",
                                      "chIdeal",
                                      "edDire",
                                      "udDire",
                                      "rgPowerUnit",
                                      "rgTransmMagUnit",
                                      "rgPowMeasUnit",
                                      "rgLoadMeasMagUnit",
                                      "cbSrcMism",
                                      "cbLoaMism",
                                      "bEvaluate",
                                      "bShowNote",
                                      "bClose",
                                      "bHelpHtm",
                                      "lbPav",
                                      "pnlPavUnit",
                                      "pcResults",
                                      "tsTransm",
                                      "tsPowMeas",
                                      "tsLoadMeas",
                                      "Form1",
                                      "gbCpl",
                                      "bHelpChm",
                                      "nothing"};

// Lines that can never be a valid request, each of a different kind of damage.
std::string MalformedLine(std::mt19937& rng) {
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const std::string name = kNames[static_cast<std::size_t>(pick(static_cast<int>(kNames.size())))];
  switch (pick(10)) {
    case 0: {  // random bytes
      std::string s;
      const int n = pick(300);
      for (int i = 0; i < n; ++i) {
        char c = static_cast<char>(pick(256));
        if (c == '\n') c = '?';
        s += c;
      }
      // A random line that happens to be a JSON array would be a request; keep it garbage.
      return "\x01" + s;
    }
    case 1:  // deep nesting
      return std::string(static_cast<std::size_t>(1000 + pick(20000)), '[');
    case 2:  // a float where an integer belongs
      return "[\"index\",\"" + name + "\"," + std::to_string(pick(10)) + ".5]";
    case 3:  // beyond 32 bits
      return "[\"position\",\"" + name + "\"," + std::to_string(4294967296LL + pick(1000)) + "]";
    case 4:  // huge numbers
      return "[\"screen\",1e" + std::to_string(300 + pick(700)) + ",1]";
    case 5:  // invalid UTF-8 inside a string
      return "[\"text\",\"edAnodeV\",\"\xC0\xAF" +
             std::string(1, static_cast<char>(0x80 + pick(64))) + "\"]";
    case 6:  // wrong argument types
      return "[\"get\"," + std::to_string(pick(100)) + ",\"Text\"]";
    case 7:  // unknown verbs, also very long ones
      return "[\"verb" + std::string(static_cast<std::size_t>(pick(100) != 0 ? 10 : 1 << 20), 'x') +
             "\"]";
    case 8:  // truncated requests
      return std::string("[\"get\",\"" + name + "\",\"Text\"]")
          .substr(0, 1 + static_cast<std::size_t>(pick(15)));
    default:  // wrong arity
      return "[\"step\",\"" + name + "\"]";
  }
}

// Requests of the right shape with random names and arguments: anything may happen except a
// crash, a hang or invalid output.
std::string RandomRequest(std::mt19937& rng) {
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const std::string name =
      "\"" + kNames[static_cast<std::size_t>(pick(static_cast<int>(kNames.size())))] + "\"";
  const std::vector<std::string> texts{
      "\"0\"",   "\"1\"",   "\"-1\"", "\"1e308\"",       "\"abc\"",      "\"\"",       "\"0,5\"",
      "\"inf\"", "\"nan\"", "\"-0\"", "\"99999999999\"", "\"1\\u0000\"", "\"\\u221e\""};
  const std::string text = texts[static_cast<std::size_t>(pick(static_cast<int>(texts.size())))];
  const std::string n = std::to_string(pick(20) - 5);
  switch (pick(14)) {
    case 0:
      return "[\"text\"," + name + "," + text + "]";
    case 1:
      return "[\"index\"," + name + "," + n + "]";
    case 2:
      return "[\"checked\"," + name + "," + (pick(2) ? "true" : "false") + "]";
    case 3:
      return "[\"position\"," + name + "," + std::to_string(pick(400) - 200) + "]";
    case 4:
      return "[\"focus\"," + name + "]";
    case 5:
      return "[\"type\"," + name + "," + text + "]";
    case 6:
      return "[\"key\",\"enter\"]";
    case 7:
      return "[\"click\"," + name + "]";
    case 8:
      return "[\"pick\"," + name + "," + n + "]";
    case 9:
      return std::string("[\"step\",") + name + (pick(2) ? ",\"up\"]" : ",\"down\"]");
    case 10:
      return "[\"page\"," + name + "]";
    case 11:
      return "[\"close\"]";
    case 12:
      return "[\"field\",\"" + std::string(pick(2) ? "Pav" : "MeaMin") + "\"]";
    default:
      return pick(20) == 0 ? "[\"dump\"]" : "[\"get\"," + name + ",\"Caption\"]";
  }
}

TEST(DriverRobustness, AnswersEveryMalformedLineWithOneError) {
  std::mt19937 rng(9001);
  std::vector<std::string> requests{"[\"create\"]"};
  for (int i = 0; i < 3000; ++i) requests.push_back(MalformedLine(rng));
  requests.push_back(std::string(9u << 20, ' '));  // beyond the line limit
  requests.push_back("[\"get\",\"edAnodeV\",\"Text\"],");
  const RunResult r = RunDriver(requests);
  EXPECT_EQ(r.ExitCode, 0);
  ASSERT_EQ(r.Lines.size(), requests.size() - 1);
  for (std::size_t i = 0; i < r.Lines.size(); ++i) {
    ASSERT_EQ(r.Lines[i].rfind("{\"error\":", 0), 0u) << "reply " << i << ": " << r.Lines[i];
    ASSERT_TRUE(IsJsonObject(r.Lines[i])) << "reply " << i << ": " << r.Lines[i];
  }
}

// A NUL ends no JSON text: a line holding one is refused whole, whatever stands before it, and
// nothing of it is carried out.
TEST(DriverRobustness, RefusesALineHoldingANulByte) {
  using namespace std::string_literals;
  const std::vector<std::string> requests{
      "[\"create\"]",
      "[\"type\",\"edAnodeV\",\"2222\"]\0]]]"s,
      "[\"type\",\"edAnodeV\",\"2222\"]\0"s,
      "\0[\"type\",\"edAnodeV\",\"2222\"]"s,
      "[\"get\",\"edAnodeV\",\"Text\"]",
  };
  const RunResult r = RunDriver(requests);
  ASSERT_EQ(r.Lines.size(), 4u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(r.Lines[i], "{\"error\":\"request line holds a NUL byte\"}") << i;
  }
  EXPECT_EQ(r.Lines[3], "{\"value\":\"4350\"}");
}

TEST(DriverRobustness, SurvivesRandomRequestsWithValidOutput) {
  std::mt19937 rng(4242);
  std::vector<std::string> requests{"[\"answer\",\"no\"]", "[\"create\"]"};
  for (int i = 0; i < 3000; ++i) requests.push_back(RandomRequest(rng));
  requests.push_back("[\"get\",\"Form1\",\"Caption\"]");
  const RunResult r = RunDriver(requests);
  EXPECT_EQ(r.ExitCode, 0);
  ASSERT_FALSE(r.Lines.empty());
  for (const std::string& line : r.Lines) ASSERT_TRUE(IsJsonObject(line)) << line;
  // The window never closed (every confirmation was answered No), so the last request
  // was answered.
  EXPECT_EQ(r.Lines.back(), "{\"value\":\"Zephlane V 2.1.0.0\"}");
}

}  // namespace
