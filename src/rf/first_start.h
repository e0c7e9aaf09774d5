#pragma once

#include <string_view>

// The window's inputs at its first start, before any settings file exists: what loading gives
// for every missing key, what the calculator takes for an option not given, and the worked
// example of the documentation. Each value is written once: its number and the text an edit
// shows at first start are made from the same literal, so they cannot drift apart.
namespace rf {

#define RF_FIRST_START(name, literal)     \
  inline constexpr double name = literal; \
  inline constexpr std::string_view name##Text = #literal

RF_FIRST_START(kFirstAnodeV, 4350);  // volts
RF_FIRST_START(kFirstAnodeI, 0.32);  // amperes
RF_FIRST_START(kFirstEffPercent, 72);
RF_FIRST_START(kFirstSrcMag, 0.2);
RF_FIRST_START(kFirstSrcPha, 0);  // degrees
RF_FIRST_START(kFirstLoaMag, 0.5);
RF_FIRST_START(kFirstLoaPha, 90);  // degrees
RF_FIRST_START(kFirstDirDb, 20);   // the directivity offered once the couplers are not ideal
#undef RF_FIRST_START

inline constexpr bool kFirstIdeal = true;

}  // namespace rf
