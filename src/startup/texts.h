#pragma once

#include <string>
#include <string_view>

// Every user-visible text of the start-up layer: what a case file that cannot be opened says.
namespace startup {

inline constexpr std::string_view kCaseUnreadable = "Could not read the case file ";
inline constexpr std::string_view kCaseMalformedPrefix = "The case file ";
inline constexpr std::string_view kCaseMalformedMiddle = " is damaged or not a Zephlane case: ";
inline constexpr std::string_view kCaseNewerMiddle =
    " was saved by a newer version of Zephlane (case format ";
inline constexpr std::string_view kCaseNewerEnd = "); this version reads format ";
inline constexpr std::string_view kCaseLoadFilePrefix = "The load file ";
inline constexpr std::string_view kCaseSourceFilePrefix = "The source file ";
inline constexpr std::string_view kCaseLoadFileMiddle = " named by the case file ";
inline constexpr std::string_view kCaseLoadFileEnd = " does not exist.";
inline constexpr std::string_view kCaseNothingChanged = " Nothing was changed.";

// What a damaged case lacks or holds wrongly.
inline constexpr std::string_view kCaseTooLarge = "it is far larger than any case";
inline constexpr std::string_view kCaseNoFormat = "it has no format line";
inline constexpr std::string_view kCaseBadFormat = "its format line holds no version number";
inline constexpr std::string_view kCaseUnknownSection = "it holds an unknown section ";
inline constexpr std::string_view kCaseUnknownKey = "it holds an unknown key ";
inline constexpr std::string_view kCaseMissingKey = "it lacks the input ";
inline constexpr std::string_view kCaseNotWhole = " does not hold a whole number";
inline constexpr std::string_view kCaseNotFlag = " does not hold 0 or 1";
inline constexpr std::string_view kCaseNotAChoice = " does not hold one of its list's choices";

// The comment at the top of every case file.
inline constexpr std::string_view kCaseComment = "; Zephlane case: the inputs of one configuration";

// A measured file the main window showed that is gone at the next start.
inline constexpr std::string_view kFileGonePrefix = "The measured file is no longer there: ";
inline constexpr std::string_view kFileGoneEnd = ". The typed values are used instead.";

}  // namespace startup
