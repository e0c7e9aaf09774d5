#include "qtui/qt_platform.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace qtui {

namespace {

// The window's texts separate lines with CR LF; a Qt label wants bare line feeds.
QString BoxText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

int RunBox(QWidget* parent, QMessageBox::Icon icon, const std::string& title,
           const std::string& text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, QString::fromStdString(title), BoxText(text), buttons, parent);
  // Notes contain "&" as an ordinary character; no markup is ever meant.
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(defaultButton);
  return box.exec();
}

}  // namespace

void QtPlatform::ShowMessage(const std::string& title, const std::string& text) {
  RunBox(parent_, QMessageBox::NoIcon, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPlatform::Confirm(const std::string& title, const std::string& text) {
  return RunBox(parent_, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes) == QMessageBox::Yes;
}

env::ConfirmChoice QtPlatform::ConfirmOrDiscard(const std::string& title, const std::string& text,
                                                const std::string& discardCaption) {
  QMessageBox box(QMessageBox::Question, QString::fromStdString(title), BoxText(text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setTextFormat(Qt::PlainText);
  QPushButton* discard =
      box.addButton(QString::fromStdString(discardCaption), QMessageBox::DestructiveRole);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  box.exec();
  if (box.clickedButton() == discard) return env::ConfirmChoice::Discard;
  return box.clickedButton() == box.button(QMessageBox::Yes) ? env::ConfirmChoice::Yes
                                                             : env::ConfirmChoice::No;
}

void QtPlatform::ShowError(const std::string& title, const std::string& text) {
  RunBox(parent_, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

// A URL built from the local path, never a command line: the path cannot inject anything.
void QtPlatform::OpenDocument(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void QtPlatform::ShowHelpTopic(const std::string&, const std::string&) {}

env::ScreenSize QtPlatform::PrimaryScreen() const {
  env::ScreenSize size;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size.Width = screen->size().width();
    size.Height = screen->size().height();
  }
  return size;
}

}  // namespace qtui
