#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "temp_dir.h"

// The built zephlane-calc in its own process, through a shell as a script would call it.
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program with arguments (already quoted for the shell) and an input file.
Outcome RunCalc(const TempDir& dir, const std::string& args, const std::string& inputFile = "") {
  const std::string out = dir.Path() + "/out";
  const std::string err = dir.Path() + "/err";
  const std::string in = inputFile.empty() ? "/dev/null" : inputFile;
  const std::string cmd = std::string("'") + ZEPHLANE_CALC + "' " + args + " <'" + in + "' >'" +
                          out + "' 2>'" + err + "'";
  const int raw = std::system(cmd.c_str());
  Outcome o;
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.out = Slurp(out);
  o.err = Slurp(err);
  return o;
}

long ChildrenMaxRssKb() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return u.ru_maxrss;
}

TEST(CalcProcess, DefaultRunPrintsOneJsonObject) {
  TempDir dir;
  const Outcome o = RunCalc(dir, "");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "");
  const auto j = nlohmann::json::parse(o.out);
  EXPECT_EQ(j["Pmatch"], 1002.24);
}

TEST(CalcProcess, BadInputExitsTwoWithOneLineAndNoOutput) {
  TempDir dir;
  for (const char* args : {"--nope", "--va abc", "--load 0.5@200", "--design-swr 5",
                           "--sweep load-phase --points 0", "--format"}) {
    const Outcome o = RunCalc(dir, args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_EQ(o.out, "") << args;
    EXPECT_TRUE(o.err.starts_with("zephlane-calc: ")) << o.err;
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
  }
}

TEST(CalcProcess, EveryFormatAndMode) {
  TempDir dir;
  EXPECT_EQ(RunCalc(dir, "--format csv --dir 20").status, 0);
  const Outcome text = RunCalc(dir, "--format text --power-unit dBW --uncertainty");
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find(" 29.97 dBW\n"), std::string::npos);
  const Outcome sweep = RunCalc(dir, "--sweep load-phase --points 73");
  EXPECT_EQ(sweep.status, 0);
  EXPECT_EQ(std::count(sweep.out.begin(), sweep.out.end(), '\n'), 74);
  EXPECT_EQ(RunCalc(dir, "--help").status, 0);
  EXPECT_EQ(RunCalc(dir, "--version").out, "zephlane-calc 2.1.0.0\n");
}

// A large input streams through in constant memory: a hundred times the rows costs no more
// memory than a few rows, and every row comes out in order.
TEST(CalcProcess, BatchStreamsALargeInputInConstantMemory) {
  TempDir dir;
  const auto write = [&](const std::string& name, int rows) {
    const std::string path = dir.Path() + "/" + name;
    std::ofstream f(path);
    f << "va,load,dir\n";
    for (int i = 0; i < rows; ++i) f << (i % 100000) << ',' << "0.5@" << (i % 361 - 180) << ",20\n";
    return path;
  };
  const std::string small = write("small.csv", 1000);
  const std::string large = write("large.csv", 100000);
  // awk reports the number of lines and the last one, so the output needs no file.
  const std::string tail = " | awk 'END { print NR; print $0 }'";
  const Outcome a = RunCalc(dir, "--batch", small);
  ASSERT_EQ(a.status, 0) << a.err;
  const long before = ChildrenMaxRssKb();
  const std::string out = dir.Path() + "/tail";
  const std::string cmd =
      std::string("'") + ZEPHLANE_CALC + "' --batch <'" + large + "'" + tail + " >'" + out + "'";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  const long after = ChildrenMaxRssKb();
  EXPECT_LT(after - before, 4096) << "max RSS grew from " << before << " to " << after << " kB";
  const std::string summary = Slurp(out);
  ASSERT_TRUE(summary.starts_with("100001\n")) << summary.substr(0, 200);
  // The last row is the one a single run of its inputs gives.
  const Outcome single = RunCalc(dir, "--format csv --va 99999 --load 0.5@-178 --dir 20");
  const std::string expectedLast = single.out.substr(single.out.find('\n') + 1);
  EXPECT_EQ(summary.substr(summary.find('\n') + 1), expectedLast);
}

// A script that writes a row and waits gets that row's answer before it closes the input.
TEST(CalcProcess, BatchAnswersEachRowAsItArrives) {
  int toChild[2];
  int fromChild[2];
  ASSERT_EQ(pipe(toChild), 0);
  ASSERT_EQ(pipe(fromChild), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(toChild[0], 0);
    dup2(fromChild[1], 1);
    close(toChild[1]);
    close(fromChild[0]);
    execl(ZEPHLANE_CALC, ZEPHLANE_CALC, "--batch", "--format", "json", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(toChild[0]);
  close(fromChild[1]);
  const std::string request = "va\n1000\n";
  ASSERT_EQ(write(toChild[1], request.data(), request.size()),
            static_cast<ssize_t>(request.size()));
  std::string got;
  pollfd p{fromChild[0], POLLIN, 0};
  // A generous guard against a hang, not a time limit on the program.
  while (got.find('\n') == std::string::npos && poll(&p, 1, 60000) > 0) {
    char buf[4096];
    const ssize_t n = read(fromChild[0], buf, sizeof buf);
    if (n <= 0) break;
    got.append(buf, static_cast<std::size_t>(n));
  }
  close(toChild[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  close(fromChild[0]);
  ASSERT_NE(got.find('\n'), std::string::npos) << "no answer before the input ended";
  EXPECT_EQ(nlohmann::json::parse(got.substr(0, got.find('\n')))["Va"], 1000);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace

namespace {

// Node's JSON.parse is as strict as RFC 8259: a bare Infinity or NaN would throw. Every kind of
// output object, the non-finite values among them, must pass it.
TEST(CalcProcess, OutputParsesWithNodeJsonParse) {
  if (std::system("command -v node >/dev/null 2>&1") != 0) GTEST_SKIP() << "no node";
  TempDir dir;
  const char* runs[] = {
      "--src 1 --load 1 --dir 0",
      "--load 1 --dir 20 --uncertainty --design-directivity 5 --design-swr 5",
      "--dir 20 --uncertainty --load-model disc --readings 1000,50 --sensor-unc 2",
      "--design-swr 5 --dir 20 --load 0.99",
  };
  for (const char* args : runs) {
    const Outcome o = RunCalc(dir, args);
    ASSERT_EQ(o.status, 0) << args << o.err;
    const std::string json = dir.Path() + "/out.json";
    std::ofstream(json, std::ios::binary) << o.out;
    const std::string cmd = "node -e \"JSON.parse(require('fs').readFileSync('" + json +
                            "', 'utf8'))\" >/dev/null 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << args << "\n" << o.out;
  }
}

}  // namespace
