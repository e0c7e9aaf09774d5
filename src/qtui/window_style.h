#pragma once

#include <QPalette>
#include <QProxyStyle>
#include <QString>
#include <QWidget>
#include <string_view>

#include "mainwindow/controls.h"
#include "mainwindow/design.h"

// How the window's widgets take the design's looks: tooltips, colours, alignment, tab room.
namespace qtui {

QString ToolTip(std::string_view hint);
void SetColors(QWidget* w, QPalette::ColorRole background, QPalette::ColorRole text,
               mainwindow::TColor c);
Qt::Alignment AlignmentOf(mainwindow::TextAlign a);

// Horizontal room around a tab's caption, design pixels.
inline constexpr int kTabPaddingDesignPx = 12;

class TabStyle : public QProxyStyle {
 public:
  explicit TabStyle(int hSpace) : hSpace_(hSpace) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace) return hSpace_;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

 private:
  int hSpace_;
};

}  // namespace qtui
