#include "qtui/window_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <string_view>

#include "mainwindow/result_rows.h"
#include "mainwindow/texts.h"
#include "qtui/analysis_window.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "text/table.h"
#include "views/texts.h"

namespace qtui {

WindowMenu::WindowMenu(MainWindow& window, PathChooser chooser)
    : window_(window), chooser_(std::move(chooser)) {
  // A right click on the window's background (labels, frames, cells) opens the menu; edits and
  // lists keep their own menus.
  window_.setContextMenuPolicy(Qt::ActionsContextMenu);
  const auto add = [&](std::string_view text, std::string_view key, void (WindowMenu::*slot)()) {
    auto* action = new QAction(Q(text), &window_);
    if (!key.empty()) action->setShortcut(QKeySequence(Q(key)));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setObjectName(Q(text));
    connect(action, &QAction::triggered, this, slot);
    window_.addAction(action);
  };
  add(views::kActAnalysis, views::kKeyAnalysis, &WindowMenu::OpenAnalysis);
  add(views::kActCopyResults, views::kKeyCopyResults, &WindowMenu::CopyResults);
  add(views::kActExportResults, views::kKeyExportResults, &WindowMenu::ExportResults);
  add(views::kActAbout, {}, &WindowMenu::ShowAbout);
  // F1 is no menu entry: the window has its Help (HTML) button for the mouse.
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &window_);
  help->setContext(Qt::WindowShortcut);
  connect(help, &QShortcut::activated, this, &WindowMenu::ShowHelp);
}

WindowMenu::~WindowMenu() = default;

void WindowMenu::OpenAnalysis() {
  if (!analysis_) analysis_ = std::make_unique<AnalysisWindow>(window_, chooser_);
  analysis_->show();
  analysis_->raise();
  analysis_->activateWindow();
}

void WindowMenu::CopyResults() {
  const std::vector<text::ResultRow> rows = mainwindow::WindowCellRows(window_.Form());
  const std::string text = text::ToTabText(rows);
  const std::string html = text::ToHtml(rows);
  auto* mime = new QMimeData;
  mime->setText(QString::fromStdString(text));
  mime->setHtml(QString::fromStdString(html));
  QGuiApplication::clipboard()->setMimeData(mime);
}

void WindowMenu::ExportResults() {
  const std::string csv = text::ToCsv(mainwindow::WindowCellRows(window_.Form()));
  SaveWithChooser(chooser_, window_.Form().Platform(), &window_, Q(views::kExportResultsTitle),
                  Q(views::kResultsFileName), Q(views::kCsvFilter), QByteArray::fromStdString(csv));
}

QString WindowMenu::Version() const {
  const std::string& caption = window_.Form().Form1.Caption;
  if (caption.rfind(mainwindow::kCaptionPrefix, 0) == 0) {
    return QString::fromStdString(caption.substr(mainwindow::kCaptionPrefix.size()));
  }
  return QString::fromStdString(caption);
}

void WindowMenu::ShowAbout() {
  const QString body = QStringLiteral("<h3>") + Q(views::kAboutName).toHtmlEscaped() +
                       QStringLiteral("</h3><p>") + Q(views::kAboutVersionPrefix) +
                       Version().toHtmlEscaped() + QStringLiteral("</p><p>") +
                       Q(views::kAboutBody) + QStringLiteral("</p><p>") + Q(views::kAboutLicence) +
                       QStringLiteral("</p>");
  QMessageBox::about(&window_, Q(views::kAboutTitle), body);
}

void WindowMenu::ShowHelp() {
  mainwindow::TForm1& form = window_.Form();
  // The button's own handler, not a click: a click would take the focus and so raise the
  // focused edit's OnExit, evaluating a half-typed value.
  window_.Perform([&form] {
    form.RunUserAction([&form] {
      if (form.bHelpHtm.Enabled && form.bHelpHtm.Visible) form.bHelpHtmClick();
    });
  });
}

}  // namespace qtui
