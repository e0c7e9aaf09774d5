#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "calc.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return calc::Run(args, stdin, stdout, stderr);
}
