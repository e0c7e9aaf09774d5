#pragma once

#include <QString>
#include <string_view>

namespace qtui {

// The program's texts are UTF-8 string views; Qt's are UTF-16.
inline QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace qtui
