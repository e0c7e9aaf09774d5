#include "qtui/window_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <string_view>

#include "analysis/results_table.h"
#include "mainwindow/result_rows.h"
#include "mainwindow/texts.h"
#include "qtui/analysis_texts.h"
#include "qtui/analysis_window.h"
#include "qtui/main_window.h"

namespace qtui {

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

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
  add(kActAnalysis, kKeyAnalysis, &WindowMenu::OpenAnalysis);
  add(kActCopyResults, kKeyCopyResults, &WindowMenu::CopyResults);
  add(kActExportResults, kKeyExportResults, &WindowMenu::ExportResults);
  add(kActAbout, {}, &WindowMenu::ShowAbout);
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
  const std::vector<analysis::ResultRow> rows = mainwindow::WindowCellRows(window_.Form());
  const std::string text = analysis::ToTabText(rows);
  const std::string html = analysis::ToHtml(rows);
  auto* mime = new QMimeData;
  mime->setText(QString::fromStdString(text));
  mime->setHtml(QString::fromStdString(html));
  QGuiApplication::clipboard()->setMimeData(mime);
}

void WindowMenu::ExportResults() {
  const std::string csv = analysis::ToCsv(mainwindow::WindowCellRows(window_.Form()));
  SaveWithChooser(chooser_, window_.Form().Platform(), &window_, Q(kExportResultsTitle),
                  Q(kResultsFileName), Q(kCsvFilter), QByteArray::fromStdString(csv));
}

QString WindowMenu::Version() const {
  const std::string& caption = window_.Form().Form1.Caption;
  if (caption.rfind(mainwindow::kCaptionPrefix, 0) == 0) {
    return QString::fromStdString(caption.substr(mainwindow::kCaptionPrefix.size()));
  }
  return QString::fromStdString(caption);
}

void WindowMenu::ShowAbout() {
  const QString body = QStringLiteral("<h3>") + Q(kAboutName).toHtmlEscaped() +
                       QStringLiteral("</h3><p>") + Q(kAboutVersionPrefix) +
                       Version().toHtmlEscaped() + QStringLiteral("</p><p>") + Q(kAboutBody) +
                       QStringLiteral("</p><p>") + Q(kAboutLicence) + QStringLiteral("</p>");
  QMessageBox::about(&window_, Q(kAboutTitle), body);
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
