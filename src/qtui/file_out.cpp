#include "qtui/file_out.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <string_view>

#include "env/platform.h"
#include "mainwindow/form.h"
#include "qtui/qt_text.h"
#include "startup/start_folder.h"
#include "views/texts.h"

namespace qtui {

PathChooser DialogPathChooser() {
  return [](QWidget* parent, const QString& title, const QString& suggestedName,
            const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, suggestedName, filter);
  };
}

PathChooser DialogOpenChooser() {
  return [](QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
  };
}

QString StartFolder(const mainwindow::TForm1& form) {
  // Qt reads the XDG user-dirs file for the documents folder, and asks the shell for the
  // known folder on Windows.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QString::fromStdString(startup::StartFolder(form.LastFolder, documents.toStdString(),
                                                     QDir::homePath().toStdString()));
}

PathChooser InStartFolder(PathChooser chooser, mainwindow::TForm1& form) {
  return [chooser = std::move(chooser), &form](QWidget* parent, const QString& title,
                                               const QString& suggestedName,
                                               const QString& filter) {
    const QDir folder(StartFolder(form));
    const QString start = suggestedName.isEmpty() ? folder.path() : folder.filePath(suggestedName);
    const QString path = chooser(parent, title, start, filter);
    if (!path.isEmpty())
      form.LastFolder = startup::FolderOfChosen(QFileInfo(path).absoluteFilePath().toStdString());
    return path;
  };
}

bool SaveWithChooser(const PathChooser& chooser, env::Platform& platform, QWidget* parent,
                     const QString& title, const QString& suggestedName, const QString& filter,
                     const QByteArray& data) {
  const QString path = chooser(parent, title, suggestedName, filter);
  if (path.isEmpty()) return false;
  const std::string target = path.toStdString();
  if (platform.Files()->ReplaceFileAtomically(target, data.toStdString())) return true;
  platform.ShowError(title.toStdString(), views::SaveFailedText(target));
  return false;
}

}  // namespace qtui
