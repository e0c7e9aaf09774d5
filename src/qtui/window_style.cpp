#include "qtui/window_style.h"

#include <QApplication>

#include "mainwindow/binding_rules.h"
#include "mainwindow/design_colors.h"
#include "qtui/qt_text.h"

namespace qtui {

namespace {

QColor QColorOf(mainwindow::Rgb c) { return {c.R, c.G, c.B}; }

}  // namespace

using mainwindow::TColor;
using mainwindow::TextAlign;

QString ToolTip(std::string_view hint) { return Q(mainwindow::ToolTipText(hint)); }

// Gives a widget a background colour and a text colour that reads on it: on a background the
// design fixes, black text; on the button face the desktop's own colours, in every group.
void SetColors(QWidget* w, QPalette::ColorRole background, QPalette::ColorRole text, TColor c) {
  const QPalette desktop = QApplication::palette(w);
  QPalette p = w->palette();
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    if (mainwindow::DesignFixesBackground(c)) {
      p.setColor(group, background, QColorOf(mainwindow::DesignRgb(c)));
      p.setColor(group, text, QColorOf(mainwindow::kDesignTextRgb));
    } else {
      p.setColor(group, background, desktop.color(group, background));
      p.setColor(group, text, desktop.color(group, text));
    }
  }
  if (p != w->palette()) w->setPalette(p);
}

Qt::Alignment AlignmentOf(TextAlign a) {
  switch (a) {
    case TextAlign::Center:
      return Qt::AlignHCenter;
    case TextAlign::Right:
      return Qt::AlignRight;
    case TextAlign::Left:
      break;
  }
  return Qt::AlignLeft;
}

}  // namespace qtui
