#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mainwindow/design.h"
#include "mainwindow/form.h"

class QMenuBar;
class QTabWidget;

// The window on the desktop, built from the design table over a TForm1. It works as pull, act,
// push: every signal that means "the user did it" copies the edits' texts into the form, runs
// one user action of the form, and writes every property of every control back with the
// widgets' signals blocked, so code never raises a handler a second time.
//
// A QDialog because only a dialog gives the desktop's default-button behaviour; Escape, which
// a dialog turns into a rejection, is swallowed.
namespace qtui {

class MainWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MainWindow(mainwindow::TForm1& form, QWidget* parent = nullptr);

  // The window's creation: runs the form's OnCreate, shows its values, fixes the size, lays the
  // result pages along the bottom, places the window and focuses the form's focused control.
  void Create();

  mainwindow::TForm1& Form() { return form_; }
  // The widget that shows a control of the form (a tab sheet's page for a tab sheet).
  QWidget* Widget(std::string_view name) const;
  // Design pixels (120 per inch) to this window's device-independent pixels.
  int Scale(int designPx) const;
  // Runs one user action of the form from outside the window's own widgets (a menu entry, a
  // shortcut), under the same pull-act-push rules as a widget's signal.
  void Perform(const std::function<void()>& action) { Act(action); }

  // A menu bar above the specified client area, outside it: the window grows by the bar's
  // height and the form keeps its client size and every control its place. Before Create().
  void SetMenuBar(QMenuBar* bar);
  QMenuBar* MenuBar() const { return menuBar_; }
  // The area the form's controls stand in, exactly the specified client size.
  QWidget* Client() const { return client_; }
  // The open case's name, shown before the form's caption; empty: none.
  void SetCaseName(const QString& name);

 Q_SIGNALS:
  // Every push of the form's state into the widgets: after each user action and at creation.
  void formChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  QFont DesignFont() const;
  void Build();
  QWidget* BuildControl(const mainwindow::DesignEntry& d, QWidget* parent);
  void Watch(QWidget* widget, std::string_view controlName);
  QWidget* FocusWidget(std::string_view name) const;
  void PlaceLabel(std::string_view name);
  void PlaceAllLabels();
  void Place(bool firstStart);
  QString Title() const;

  void Act(const std::function<void()>& action);
  void Pull();
  void Push();
  struct PushSink;

  mainwindow::TForm1& form_;
  std::map<std::string, QWidget*, std::less<>> widgets_;
  // Widgets that take the focus, by the control they belong to.
  std::unordered_map<const QObject*, std::string> focusNames_;
  QTabWidget* pages_ = nullptr;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QString caseName_;
  std::vector<std::string> sheetNames_;  // page index -> tab sheet
  bool acting_ = false;
  bool closing_ = false;
  // While the window is built and created nothing can move it to another screen, so the
  // resolution is asked once; 0 outside that time, when the screen's current one counts.
  int buildDpi_ = 0;
  // Set while Create() fills the window: labels are placed once, after the first push, and
  // labels with the same caption share one measurement.
  bool placingDeferred_ = false;
  std::map<QString, QSize> labelHints_;
  class FixedDpi {
   public:
    explicit FixedDpi(MainWindow& w) : window_(w), old_(w.buildDpi_) {
      w.buildDpi_ = w.logicalDpiX();
    }
    ~FixedDpi() { window_.buildDpi_ = old_; }
    FixedDpi(const FixedDpi&) = delete;
    FixedDpi& operator=(const FixedDpi&) = delete;

   private:
    MainWindow& window_;
    int old_;
  };
};

}  // namespace qtui
