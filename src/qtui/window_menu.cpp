#include "qtui/window_menu.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <filesystem>
#include <string_view>

#include "mainwindow/result_rows.h"
#include "mainwindow/texts.h"
#include "numtext/power_unit.h"
#include "qtui/analysis_window.h"
#include "qtui/band_sheet.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "startup/case_file.h"
#include "startup/file_settings.h"
#include "startup/settings.h"
#include "startup/texts.h"
#include "text/table.h"
#include "views/design_answers.h"
#include "views/limits_table.h"
#include "views/report.h"
#include "views/result_numbers.h"
#include "views/texts.h"

namespace qtui {

WindowMenu::WindowMenu(MainWindow& window, PathChooser saver, PathChooser opener)
    : window_(window),
      saver_(InStartFolder(std::move(saver), window.Form())),
      opener_(InStartFolder(std::move(opener), window.Form())) {
  // A right click on the window's background (labels, frames, cells) opens the menu; edits and
  // lists keep their own menus. The menu bar holds these very actions.
  window_.setContextMenuPolicy(Qt::ActionsContextMenu);
  for (QAction* a :
       {Action(views::kActAnalysis, views::kKeyAnalysis, [this] { OpenAnalysis(); }),
        Action(views::kActCopyResults, views::kKeyCopyResults, [this] { CopyResults(); }),
        Action(views::kActCopyNumbers, {}, [this] { CopyResultsAsNumbers(); }),
        Action(views::kActExportResults, views::kKeyExportResults, [this] { ExportResults(); }),
        Action(views::kActExportReport, {}, [this] { ExportReport(); }),
        Action(views::kActOpenCase, views::kKeyOpenCase, [this] { OpenCase(); }),
        Action(views::kActSaveCase, views::kKeySaveCase, [this] { SaveCase(); }),
        Action(views::kOpenLoadFile, {}, [this] { OpenLoadFile(); }),
        Action(views::kOpenSourceFile, {}, [this] { OpenSourceFile(); }),
        Action(views::kForgetLoadFile, {}, [this] { ForgetLoadFile(); }),
        Action(views::kForgetSourceFile, {}, [this] { ForgetSourceFile(); }),
        Action(views::kActAbout, {}, [this] { ShowAbout(); })}) {
    window_.addAction(a);
  }
  BuildMenuBar();
  window_.installEventFilter(this);
}

QAction* WindowMenu::Action(std::string_view text, std::string_view key, std::function<void()> fn) {
  auto* action = new QAction(Q(text), &window_);
  if (!key.empty()) action->setShortcut(QKeySequence(Q(key)));
  action->setShortcutContext(Qt::WindowShortcut);
  action->setObjectName(Q(text));
  connect(action, &QAction::triggered, this, [fn = std::move(fn)] { fn(); });
  return action;
}

void WindowMenu::BuildMenuBar() {
  const auto named = [&](std::string_view text) {
    return window_.findChild<QAction*>(Q(text), Qt::FindDirectChildrenOnly);
  };
  bar_ = new QMenuBar;
  QMenu* file = bar_->addMenu(Q(views::kMenuFile));
  file->addAction(named(views::kActOpenCase));
  file->addAction(named(views::kActSaveCase));
  recent_ = file->addMenu(Q(views::kMenuRecent));
  connect(recent_, &QMenu::aboutToShow, this, [this] { FillRecent(); });
  FillRecent();
  file->addSeparator();
  file->addAction(named(views::kOpenLoadFile));
  file->addAction(named(views::kOpenSourceFile));
  file->addAction(named(views::kForgetLoadFile));
  file->addAction(named(views::kForgetSourceFile));
  file->addSeparator();
  file->addAction(named(views::kActExportResults));
  file->addAction(named(views::kActExportReport));
  file->addSeparator();
  file->addAction(Action(views::kActQuit, views::kKeyQuit, [this] { Quit(); }));
  QMenu* edit = bar_->addMenu(Q(views::kMenuEdit));
  edit->addAction(named(views::kActCopyResults));
  edit->addAction(named(views::kActCopyNumbers));
  QMenu* view = bar_->addMenu(Q(views::kMenuView));
  view->addAction(named(views::kActAnalysis));
  QMenu* help = bar_->addMenu(Q(views::kMenuHelp));
  // F1 is the Contents entry's key, and works wherever the focus is in the window.
  help->addAction(Action(views::kActContents, views::kKeyContents, [this] { ShowHelp(); }));
  help->addAction(Action(views::kActManual, {}, [this] { ShowManual(); }));
  help->addAction(Action(views::kActTheory, {}, [this] { ShowTheory(); }));
  help->addSeparator();
  help->addAction(named(views::kActAbout));
  window_.SetMenuBar(bar_);
}

void WindowMenu::FillRecent() {
  recent_->clear();
  const std::vector<std::string> list = startup::RecentCaseList(window_.Form().RecentCases);
  for (const std::string& path : list) {
    QAction* a = recent_->addAction(QString::fromStdString(path));
    const QString p = QString::fromStdString(path);
    connect(a, &QAction::triggered, this, [this, p] { OpenCaseFile(p); });
  }
  if (list.empty()) recent_->addAction(Q(views::kMenuNoRecent))->setEnabled(false);
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
    const BandSheets& bands = *analysis_->Bands();
    startup::FileSettings files;
    files.LoadPath = bands.LoadPath().toStdString();
    files.SrcPath = bands.SourcePath().toStdString();
    files.Frequency = bands.Frequency()->text().toStdString();
    files.LengthM = bands.Length()->text().toStdString();
    files.Medium = bands.Medium()->currentIndex();
    files.VelocityFactor = bands.VelocityFactor()->text().toStdString();
    files.LossDbPerM = bands.Loss()->text().toStdString();
    startup::SaveFileSettings(ini, files);
  } catch (const env::IniWriteError&) {
    // The inputs are saved; a window place that could not be is not worth an error box at exit.
  }
}

WindowMenu::~WindowMenu() = default;

bool WindowMenu::OpenLoadFile() {
  const QString path = opener_(&window_, Q(views::kOpenLoadFile), {}, Q(views::kTouchstoneFilter));
  if (path.isEmpty()) return false;
  OpenAnalysis();
  return analysis_->Bands()->OpenLoadPath(path);
}

bool WindowMenu::OpenSourceFile() {
  const QString path =
      opener_(&window_, Q(views::kOpenSourceFile), {}, Q(views::kTouchstoneFilter));
  if (path.isEmpty()) return false;
  OpenAnalysis();
  return analysis_->Bands()->OpenSourcePath(path);
}

// Without the Analysis window no file was opened, so there is nothing to forget.
void WindowMenu::ForgetLoadFile() {
  if (analysis_) analysis_->Bands()->ForgetLoadFile();
}

void WindowMenu::ForgetSourceFile() {
  if (analysis_) analysis_->Bands()->ForgetSourceFile();
}

void WindowMenu::OpenAnalysis() {
  EnsureAnalysis();
  analysis_->show();
  analysis_->raise();
  analysis_->activateWindow();
}

void WindowMenu::RestoreFiles() {
  mainwindow::TForm1& form = window_.Form();
  if (!form.AutoIniFile) return;
  std::string note;
  const startup::FileSettings s = startup::FilesToRestore(*form.AutoIniFile, note);
  if (!note.empty()) form.Platform().ShowMessage(std::string(mainwindow::kAppTitle), note);
  if (s.LoadPath.empty() && s.SrcPath.empty()) return;
  EnsureAnalysis();
  BandSheets& bands = *analysis_->Bands();
  bands.Frequency()->setText(Q(s.Frequency));
  bands.Length()->setText(Q(s.LengthM));
  if (s.Medium < bands.Medium()->count()) bands.Medium()->setCurrentIndex(s.Medium);
  bands.VelocityFactor()->setText(Q(s.VelocityFactor));
  bands.Loss()->setText(Q(s.LossDbPerM));
  // A file that is there but no longer reads says so in the sheet, as when it was opened.
  if (!s.LoadPath.empty()) bands.OpenLoadPath(Q(s.LoadPath));
  if (!s.SrcPath.empty()) bands.OpenSourcePath(Q(s.SrcPath));
}

void WindowMenu::EnsureAnalysis() {
  if (!analysis_) {
    analysis_ = std::make_unique<AnalysisWindow>(window_, saver_);
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
  SaveWithChooser(saver_, window_.Form().Platform(), &window_, Q(views::kExportResultsTitle),
                  Q(views::kResultsFileName), Q(views::kCsvFilter), QByteArray::fromStdString(csv));
}

void WindowMenu::ExportReport() {
  const mainwindow::TForm1& form = window_.Form();
  views::ReportInputs in;
  in.Title = form.Form1.Caption;
  in.WindowRows = mainwindow::WindowCellRows(form);
  in.Model = form;
  in.Unit =
      numtext::PowerUnitOfIndex(form.rgPowerUnit.ItemIndex()).value_or(numtext::PowerUnit::Watts);
  // The Analysis window's choices when it is open; else what it would open with.
  in.Coverage = analysis_ ? analysis_->Coverage() : views::kCoverageChoices[0];
  in.DesignTarget = analysis_ ? analysis_->DesignTarget()->text().toStdString()
                              : QString::number(views::kDefaultDesignTargetPercent).toStdString();
  SaveWithChooser(saver_, window_.Form().Platform(), &window_, Q(views::kExportReportTitle),
                  Q(views::kReportFileName), Q(views::kHtmlFilter),
                  QByteArray::fromStdString(views::ReportHtml(in)));
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

void WindowMenu::ShowManual() {
  mainwindow::TForm1& form = window_.Form();
  window_.Perform([&form] { form.RunUserAction([&form] { form.bHelpPdfClick(); }); });
}

void WindowMenu::ShowTheory() {
  mainwindow::TForm1& form = window_.Form();
  window_.Perform([&form] { form.RunUserAction([&form] { form.bTheoryClick(); }); });
}

void WindowMenu::Quit() { window_.close(); }

void WindowMenu::CopyResultsAsNumbers() {
  const mainwindow::TForm1& form = window_.Form();
  const numtext::PowerUnit unit =
      numtext::PowerUnitOfIndex(form.rgPowerUnit.ItemIndex()).value_or(numtext::PowerUnit::Watts);
  const std::vector<views::NumberColumn> columns = views::ResultNumbers(form, unit);
  auto* mime = new QMimeData;
  mime->setText(QString::fromStdString(views::NumbersAsTabText(columns)));
  mime->setHtml(QString::fromStdString(views::NumbersAsHtml(columns)));
  QGuiApplication::clipboard()->setMimeData(mime);
}

bool WindowMenu::OpenCase() {
  const QString path = opener_(&window_, Q(views::kOpenCaseTitle), {}, Q(views::kCaseFilter));
  return !path.isEmpty() && OpenCaseFile(path);
}

bool WindowMenu::OpenCaseFile(const QString& path) {
  mainwindow::TForm1& form = window_.Form();
  const std::string p = path.toStdString();
  const startup::CaseRead read = startup::ReadCase(*form.Platform().Files(), p);
  if (read.Problem != startup::CaseProblem::None) {
    form.Platform().ShowError(std::string(mainwindow::kAppTitle), read.Message);
    return false;
  }
  // The Analysis window's first: its files are read before anything changes, and a refused
  // one leaves the window and the case on show as they were.
  EnsureAnalysis();
  if (!analysis_->PutCaseInputs(startup::AnalysisOf(read.Case))) {
    form.Platform().ShowError(std::string(mainwindow::kAppTitle),
                              analysis_->Bands()->Message()->text().toStdString() +
                                  std::string(startup::kCaseNothingChanged));
    return false;
  }
  window_.Perform([&] { startup::ApplyCase(form, read.Case); });
  // The case's load file, if it names one, is the load in use, over the typed values it keeps.
  analysis_->Bands()->HoldLoadInWindow();
  CaseOpened(p);
  return true;
}

bool WindowMenu::SaveCase() {
  // The edits' texts as typed, as closing the window keeps them.
  window_.Perform([] {});
  const QString suggested =
      casePath_.isEmpty() ? Q(views::kCaseFileName) : QFileInfo(casePath_).fileName();
  QString path = saver_(&window_, Q(views::kSaveCaseTitle), suggested, Q(views::kCaseFilter));
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += Q(startup::kCaseExtension);
  return SaveCaseFile(path);
}

bool WindowMenu::SaveCaseFile(const QString& path) {
  mainwindow::TForm1& form = window_.Form();
  const std::string p = path.toStdString();
  EnsureAnalysis();
  const startup::CaseFile c = startup::CaseFromForm(form, analysis_->CaseInputs());
  if (!startup::WriteCase(*form.Platform().Files(), p, c)) {
    form.Platform().ShowError(std::string(views::kSaveCaseTitle), views::SaveFailedText(p));
    return false;
  }
  CaseOpened(p);
  return true;
}

void WindowMenu::CaseOpened(const std::string& path) {
  casePath_ = QString::fromStdString(path);
  window_.SetCaseName(QString::fromStdString(startup::CaseTitle(path)));
  mainwindow::TForm1& form = window_.Form();
  form.RecentCases = startup::RememberCase(form.RecentCases, path);
  FillRecent();
}

}  // namespace qtui
