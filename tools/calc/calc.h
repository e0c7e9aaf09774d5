#pragma once

#include <cstdio>
#include <span>
#include <string_view>

// zephlane-calc as a function of its arguments and streams; returns the exit status.
namespace calc {

int Run(std::span<const std::string_view> args, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace calc
