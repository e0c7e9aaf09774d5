#include "qtui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <type_traits>
#include <variant>

#include "mainwindow/binding_rules.h"
#include "mainwindow/design_colors.h"
#include "mainwindow/focus_order.h"
#include "mainwindow/window_layout.h"
#include "qtui/qt_text.h"
#include "qtui/radio_group.h"
#include "qtui/up_down.h"
#include "qtui/value_cell.h"
#include "qtui/window_accessible.h"
#include "startup/lifecycle.h"

#include "qtui/window_style.h"

// Building the window from its design: the font, the widgets and their signals.
namespace qtui {

using mainwindow::ControlKind;
using mainwindow::DesignEntry;
using mainwindow::FlagGuard;
using mainwindow::TColor;

// The design font where installed, else a sans-serif of similar width (Arial's metrics), else
// the desktop's own. The captions were measured in the design font, so a wider substitute
// steps down in size until every caption fits the width it was given.
QFont MainWindow::DesignFont() const {
  const mainwindow::FormDesign& fd = mainwindow::Form1Design();
  QFont font(QStringList{Q(fd.FontName), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                         QStringLiteral("Arial"), QStringLiteral("sans-serif")});
  font.setPixelSize(mainwindow::StepDownFontSize(Scale(fd.FontHeightPx), [&](int size) {
    font.setPixelSize(size);
    const QFontMetrics metrics(font);
    return mainwindow::LabelCaptionsFit(
        [&](std::string_view caption) { return metrics.horizontalAdvance(Q(caption)); },
        logicalDpiX());
  }));
  return font;
}

void MainWindow::Build() {
  // Building sets indices and adds pages: none of that is the user's doing.
  const FlagGuard building(acting_);
  const FixedDpi sameScreen(*this);
  setFont(DesignFont());
  setWindowTitle(Q(mainwindow::Form1Design().Caption));
  widgets_.emplace("Form1", this);
  // The specified client area: the form's own controls stand in it, so that a menu bar can
  // sit above it without moving or shrinking any of them.
  client_ = new QWidget(this);

  for (const DesignEntry& d : mainwindow::DesignTable()) {
    QWidget* parent = d.Parent == std::string_view("Form1") ? client_ : Widget(d.Parent);
    Q_ASSERT(parent != nullptr);  // the table lists every container before its children
    QWidget* w = BuildControl(d, parent);
    widgets_.emplace(std::string(d.Name), w);
  }
  // Labels are placed by Create(), once their captions are the form's.
  NameForAssistiveTechnology(*this);
}

QWidget* MainWindow::BuildControl(const DesignEntry& d, QWidget* parent) {
  const std::string name(d.Name);
  const QRect geometry(Scale(d.Left), Scale(d.Top), Scale(d.Width), Scale(d.Height));
  QWidget* w = nullptr;
  switch (d.Kind) {
    case ControlKind::GroupBox:
      w = new QGroupBox(Q(d.Caption), parent);
      break;
    case ControlKind::Label: {
      auto* label = new QLabel(parent);
      // A label shows "&" as itself: value texts and notes are never mnemonics.
      label->setTextFormat(Qt::PlainText);
      label->setText(Q(d.Caption));
      label->setAlignment(AlignmentOf(d.Alignment) | Qt::AlignTop);
      w = label;
      break;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(Q(d.Caption), parent);
      Watch(edit, name);
      w = edit;
      break;
    }
    case ControlKind::DropDown: {
      auto* list = new QComboBox(parent);
      for (std::string_view item : d.Items) list->addItem(Q(item));
      list->setCurrentIndex(d.ItemIndex);
      connect(list, &QComboBox::activated, this,
              [this, name](int index) { Act([&] { form_.UserPick(name, index); }); });
      Watch(list, name);
      w = list;
      break;
    }
    case ControlKind::UpDown: {
      auto* updown = new UpDown(parent);
      connect(updown, &UpDown::stepped, this,
              [this, name](bool up) { Act([&] { form_.UserStep(name, up); }); });
      w = updown;
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(Q(d.Caption), parent);
      box->setChecked(d.Checked);
      connect(box, &QCheckBox::clicked, this,
              [this, name] { Act([&] { form_.UserClick(name); }); });
      Watch(box, name);
      w = box;
      break;
    }
    case ControlKind::RadioGroup: {
      QStringList items;
      for (std::string_view item : d.Items) items << Q(item);
      auto* group = new RadioGroup(Q(d.Caption), items, d.Columns, parent);
      group->SetItemIndex(d.ItemIndex);
      connect(&group->Group(), &QButtonGroup::idClicked, this,
              [this, name](int id) { Act([&] { form_.UserPick(name, id); }); });
      for (QRadioButton* b : group->Buttons()) Watch(b, name);
      w = group;
      break;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(Q(d.Caption), parent);
      button->setDefault(d.Default);
      connect(button, &QPushButton::clicked, this,
              [this, name] { Act([&] { form_.UserClick(name); }); });
      Watch(button, name);
      w = button;
      break;
    }
    case ControlKind::Panel: {
      auto* cell = new ValueCell(parent);
      if (!d.SunkenCell) cell->setFrameStyle(QFrame::NoFrame);
      cell->SetCaption(Q(d.Caption));
      cell->SetCaptionAlignment(AlignmentOf(d.Alignment));
      w = cell;
      break;
    }
    case ControlKind::PageControl: {
      pages_ = new QTabWidget(parent);
      // A click on a tab takes the focus, as the desktop's page controls do.
      pages_->tabBar()->setFocusPolicy(Qt::StrongFocus);
      // Tabs as narrow as the desktop's own, so that Show Note stands beside them, not on them.
      auto* tabStyle = new TabStyle(Scale(kTabPaddingDesignPx));
      tabStyle->setParent(pages_);
      pages_->tabBar()->setStyle(tabStyle);
      // A caption is never cut short: a wider desktop font widens its tab instead.
      pages_->setElideMode(Qt::ElideNone);
      connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index < 0 || static_cast<std::size_t>(index) >= sheetNames_.size()) return;
        const std::string sheet = sheetNames_[static_cast<std::size_t>(index)];
        Act([&] { form_.UserPage(sheet); });
      });
      Watch(pages_->tabBar(), name);
      w = pages_;
      break;
    }
    case ControlKind::TabSheet: {
      auto* page = new QWidget;
      Q_ASSERT(parent == pages_);
      pages_->addTab(page, Q(d.Caption));
      sheetNames_.push_back(name);
      if (d.Name == mainwindow::FindDesign("pcResults")->ActivePage) pages_->setCurrentWidget(page);
      return page;  // the page control lays its pages out
    }
    case ControlKind::Form:
      break;
  }
  Q_ASSERT(w != nullptr);
  w->setObjectName(Q(d.Name));
  w->setGeometry(geometry);
  // A hidden page delivers no resize event until it is first shown.
  if (auto* group = qobject_cast<RadioGroup*>(w)) group->Arrange();
  if (!d.Hint.empty()) w->setToolTip(ToolTip(d.Hint));
  // Colours come with the first push, which shows every control, parents before children.
  // A child of a window not yet shown is shown with it unless hidden.
  if (!d.Visible) w->setVisible(false);
  return w;
}

}  // namespace qtui
