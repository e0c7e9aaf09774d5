#pragma once

#include <string_view>

// Every message the Touchstone reader and its interpolation give. A reader's message follows
// "line L, column C: ".
namespace touchstone {

inline constexpr std::string_view kPositionLine = "line ";
inline constexpr std::string_view kPositionColumn = ", column ";
inline constexpr std::string_view kPositionEnd = ": ";

inline constexpr std::string_view kCannotOpen = "cannot open the file";
inline constexpr std::string_view kCannotRead = "the file cannot be read to its end";
inline constexpr std::string_view kLineTooLong = "the line is longer than 65536 bytes";
inline constexpr std::string_view kNoSuchPortBefore = "there is no port ";
inline constexpr std::string_view kNoSuchPortMiddle = " in a ";
inline constexpr std::string_view kNoSuchPortAfter = "-port file";
inline constexpr std::string_view kPortsUnknown =
    "the number of ports is not known: the file's name should end in .s1p, .s2p, .s3p or .s4p";

// Numbers.
inline constexpr std::string_view kExpectedNumber = "expected a number";
inline constexpr std::string_view kNumberOutOfRange = "the number is out of range";
inline constexpr std::string_view kExpectedEndOfLine =
    "expected the end of the line: the data of one frequency is complete here";
inline constexpr std::string_view kNegativeFrequency = "a frequency cannot be negative";
inline constexpr std::string_view kFrequencyTooLarge = "the frequency is too large";
inline constexpr std::string_view kNotIncreasingBefore = "frequencies must increase: ";
inline constexpr std::string_view kNotIncreasingMiddle = " Hz follows ";
inline constexpr std::string_view kHz = " Hz";
inline constexpr std::string_view kDataIncomplete =
    "expected a number: the data of the last frequency is incomplete";
inline constexpr std::string_view kTooManyLines = "the file has too many lines";
inline constexpr std::string_view kNoiseNumbers = "noise data holds 5 numbers on each line";
inline constexpr std::string_view kNoData = "the file holds no network data";

// The option line.
inline constexpr std::string_view kUnknownOption =
    "unknown option: expected Hz, kHz, MHz, GHz, S, Y, Z, G, H, MA, DB, RI or R";
inline constexpr std::string_view kOptionTwice = "the option line sets this twice";
inline constexpr std::string_view kExpectedResistance = "expected the reference resistance after R";
inline constexpr std::string_view kBadResistance =
    "the reference resistance must be a positive number of ohms";
inline constexpr std::string_view kHybridRefused =
    "G and H parameters cannot be read as a reflection; save the file with S, Y or Z parameters";

// Keywords of version 2 files.
inline constexpr std::string_view kExpectedBracket = "expected ] to close the keyword";
inline constexpr std::string_view kUnknownKeyword = "unknown keyword";
inline constexpr std::string_view kKeywordNeedsVersion =
    "a keyword needs [Version] 2.0 as the file's first line";
inline constexpr std::string_view kVersionNotFirst = "[Version] must be the file's first line";
inline constexpr std::string_view kUnsupportedVersion = "expected version 2.0 or 2.1";
inline constexpr std::string_view kKeywordTwice = "this keyword appears twice";
inline constexpr std::string_view kExpectedCount = "expected a whole number above zero";
inline constexpr std::string_view kTooManyPorts = "more than 64 ports cannot be read";
inline constexpr std::string_view kPortsFirst = "[Number of Ports] must come before this keyword";
inline constexpr std::string_view kOrderOnlyTwoPort =
    "[Two-Port Data Order] belongs to 2-port files only";
inline constexpr std::string_view kExpectedOrder = "expected 12_21 or 21_12";
inline constexpr std::string_view kExpectedMatrixFormat = "expected Full, Lower or Upper";
inline constexpr std::string_view kMixedMode =
    "mixed-mode data cannot be read as the reflection of one port";
inline constexpr std::string_view kExpectedReferenceBefore =
    "[Reference] needs one positive resistance in ohms for each port, ";
inline constexpr std::string_view kExpectedReferenceAfter = " in all";
inline constexpr std::string_view kExpectedNothingAfter = "expected nothing after this keyword";
inline constexpr std::string_view kNeedPorts = "[Network Data] needs [Number of Ports] before it";
inline constexpr std::string_view kNeedFrequencies =
    "[Network Data] needs [Number of Frequencies] before it";
inline constexpr std::string_view kNeedOrder =
    "a 2-port file needs [Two-Port Data Order] before [Network Data]";
inline constexpr std::string_view kNeedNoiseCount =
    "[Noise Data] needs [Number of Noise Frequencies] before it";
inline constexpr std::string_view kNoiseOnlyTwoPort = "noise data belongs to 2-port files only";
inline constexpr std::string_view kDataOutsideSection =
    "data outside [Network Data] and [Noise Data]: expected a keyword";
inline constexpr std::string_view kCountBefore = "[Number of Frequencies] is ";
inline constexpr std::string_view kNoiseCountBefore = "[Number of Noise Frequencies] is ";
inline constexpr std::string_view kCountMiddle = ", but the file holds ";
inline constexpr std::string_view kCountMore = "more";
inline constexpr std::string_view kMissingEnd = "the file ends without [End]";
inline constexpr std::string_view kSectionOutOfOrder = "this keyword cannot come here";

// Interpolation.
inline constexpr std::string_view kNoPoints = "no frequencies are loaded";
inline constexpr std::string_view kNotAFrequency = "the frequency is not a number";
inline constexpr std::string_view kOutsideBefore = "";
inline constexpr std::string_view kOutsideMiddle = " Hz lies outside the file's frequencies, ";
inline constexpr std::string_view kOutsideTo = " Hz to ";

}  // namespace touchstone
