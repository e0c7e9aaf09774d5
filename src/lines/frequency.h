#pragma once

#include <string>
#include <string_view>

#include "lines/result.h"

// Frequencies as the user types them and as the program writes them.
namespace lines {

// The window's frequency when no file gives one: the ISM band's magnetrons.
inline constexpr double kDefaultFrequencyHz = 2.45e9;

// "2.45G", "2450M", "2450000000", "2.45 GHz", "915 MHz", "2450000 kHz": a number, optional
// blanks, and an optional k, M or G with or without "Hz", in any case (m is mega: no one
// means millihertz for a magnetron). A positive finite frequency in Hz, or the message.
// The decimal point is "." only: a comma separates the two halves of a band.
Result<double> ParseFrequency(std::string_view text);

// As ParseFrequency, but 0 Hz is a value too (a band's spread).
Result<double> ParseFrequencyOrZero(std::string_view text);

// "2.45 GHz", "915 MHz", "50 kHz", "7 Hz": the largest unit that keeps a value of 1 or more, the
// shortest digits that ParseFrequency reads back to exactly hz; Hz when no unit does.
std::string FormatFrequency(double hz);

}  // namespace lines
