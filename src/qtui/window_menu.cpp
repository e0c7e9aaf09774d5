#include "qtui/window_menu.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <filesystem>
#include <string_view>

#include "mainwindow/result_rows.h"
#include "mainwindow/texts.h"
#include "qtui/analysis_window.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "startup/settings.h"
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
  window_.installEventFilter(this);
}

bool WindowMenu::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Hide && window_.Form().Closed()) {
    MainWindowClosed();
  }
  return QObject::eventFilter(watched, event);
}

void WindowMenu::MainWindowClosed() {
  if (!analysis_) return;
  if (analysis_->isVisible() || placement_.Known) {
    placement_ = {true, {analysis_->x(), analysis_->y(), analysis_->width(), analysis_->height()}};
  }
  analysis_->close();
  mainwindow::TForm1& form = window_.Form();
  const std::string path = startup::IniFileName(form);
  std::error_code ec;
  // Only beside settings the user chose to keep: a file written here alone would make the
  // next start look like a later one. The name is UTF-8 on every platform.
  if (!std::filesystem::exists(std::filesystem::path(std::u8string(path.begin(), path.end())), ec))
    return;
  try {
    env::TIniFile ini(path, form.Platform().Files());
    startup::SaveAnalysisPlacement(ini, placement_.At);
  } catch (const env::IniWriteError&) {
    // The inputs are saved; a window place that could not be is not worth an error box at exit.
  }
}

WindowMenu::~WindowMenu() = default;

void WindowMenu::OpenAnalysis() {
  if (!analysis_) {
    analysis_ = std::make_unique<AnalysisWindow>(window_, chooser_);
    // The program ends with the main window, whatever else is open.
    analysis_->setAttribute(Qt::WA_QuitOnClose, false);
    // The settings object lives while the main window is open (the window's creation made it).
    if (window_.Form().AutoIniFile) {
      placement_ = startup::LoadAnalysisPlacement(*window_.Form().AutoIniFile);
    }
    const QScreen* screen = window_.screen();
    if (screen != nullptr) {
      const QRect area = screen->availableGeometry();
      const QRect main = window_.frameGeometry();
      const QSize want = analysis_->sizeHint().expandedTo(QSize(860, 840));
      const startup::Box at = startup::PlaceAnalysis(
          placement_, {main.x(), main.y(), main.width(), main.height()}, want.width(),
          want.height(), {area.x(), area.y(), area.width(), area.height()});
      analysis_->resize(at.Width, at.Height);
      analysis_->move(at.Left, at.Top);
    }
  }
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
