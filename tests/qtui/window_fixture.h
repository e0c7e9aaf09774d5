#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/analysis_window.h"
#include "qtui/main_window.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"

// The program's window as it starts, for the tests that drive it through real widgets: a
// throw-away home folder (so no settings of the machine's user are read or written), a scripted
// platform that records the message boxes, the form with its settings, the Qt window and its
// menus. The file dialogs are answered by chosen_ and record where they were asked to start.
// A test class derives from it after QObject and calls StartWindow() in init().
namespace qtui_test {

class WindowFixture {
 protected:
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<env::ScriptedPlatform> platform_;
  std::unique_ptr<mainwindow::TForm1> form_;
  std::unique_ptr<qtui::MainWindow> window_;
  std::unique_ptr<qtui::WindowMenu> menu_;
  QString chosen_;   // what a file dialog answers; empty: cancelled
  QString started_;  // where the last dialog was asked to start
  int asked_ = 0;    // how many dialogs were asked

  // Shown, and with active, also the active window (keys go to it). False when the home folder
  // could not be made.
  bool StartWindow(bool active = false) {
    home_ = std::make_unique<QTemporaryDir>();
    if (!home_->isValid()) return false;
    qputenv("HOME", home_->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_->path() + "/.config").toUtf8());
    platform_ = std::make_unique<env::ScriptedPlatform>();
    form_ = std::make_unique<mainwindow::TForm1>(*platform_);
    startup::Attach(*form_);
    window_ = std::make_unique<qtui::MainWindow>(*form_);
    chosen_.clear();
    started_.clear();
    asked_ = 0;
    const auto answer = [this](QWidget*, const QString&, const QString& start, const QString&) {
      ++asked_;
      started_ = start;
      return chosen_;
    };
    menu_ = std::make_unique<qtui::WindowMenu>(*window_, answer, answer);
    window_->Create();
    window_->show();
    if (!active) return true;
    window_->activateWindow();
    return QTest::qWaitForWindowActive(window_.get());
  }

  // In the order the program ends them: the menus and the window before the form they show.
  void StopWindow() {
    menu_.reset();
    window_.reset();
    form_.reset();
    platform_.reset();
    home_.reset();
  }

  // The Analysis window, made and shown on first use.
  qtui::AnalysisWindow& Analysis() {
    if (menu_->Analysis() == nullptr) menu_->OpenAnalysis();
    return *menu_->Analysis();
  }

  QString IniPath() const { return home_->path() + "/.config/Brevik/Zephlane/Zephlane.ini"; }
};

}  // namespace qtui_test
