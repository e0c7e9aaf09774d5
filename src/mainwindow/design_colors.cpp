#include "mainwindow/design_colors.h"

namespace mainwindow {

bool DesignFixesBackground(TColor background) { return background != TColor::clBtnFace; }

Rgb DesignRgb(TColor fixed) {
  switch (fixed) {
    case TColor::clYellow:
      return {255, 255, 0};
    case TColor::clWhite:
      return {255, 255, 255};
    case TColor::clBtnFace:
      break;
  }
  return {};
}

}  // namespace mainwindow
