#pragma once

#include <QtGlobal>

// The window is designed at 120 pixels per inch; every design coordinate reaches the screen
// through this one conversion.
namespace qtui {

inline int ScaleDesignPx(int designPx, double logicalDotsPerInch) {
  return qRound(designPx * logicalDotsPerInch / 120.0);
}

}  // namespace qtui
