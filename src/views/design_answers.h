#pragma once

#include <string>
#include <string_view>

#include "rf/model.h"

// The coupler-design answers for a target typed in per cent, as the Analysis window shows them.
namespace views {

inline constexpr double kDefaultDesignTargetPercent = 5.0;

struct DesignAnswers {
  std::string Directivity;  // "34.61 dB" (safe side), or why there is no answer
  std::string LoadSwr;
};
DesignAnswers AnswerDesign(const rf::ModelState& m, std::string_view targetPercent);

}  // namespace views
