#pragma once

#include <cstdint>
#include <string_view>

// The window's inputs at its first start, before any settings file exists: what loading gives
// for every missing key, and what the calculator takes for an option not given.
namespace mainwindow {

inline constexpr std::string_view kFirstAnodeV = "4350";  // volts
inline constexpr std::string_view kFirstAnodeI = "0.32";  // amperes
inline constexpr std::string_view kFirstSrcMag = "0.2";   // magnitude
inline constexpr std::string_view kFirstLoaMag = "0.5";   // magnitude
inline constexpr std::int32_t kFirstEffPercent = 72;
inline constexpr std::int32_t kFirstSrcPha = 0;   // degrees
inline constexpr std::int32_t kFirstLoaPha = 90;  // degrees
inline constexpr std::int32_t kFirstDirDb = 20;
inline constexpr bool kFirstIdeal = true;

}  // namespace mainwindow
