#include "qtui/file_out.h"

#include <QFileDialog>
#include <QSaveFile>
#include <string_view>

#include "env/platform.h"
#include "qtui/qt_text.h"
#include "views/texts.h"

namespace qtui {

PathChooser DialogPathChooser() {
  return [](QWidget* parent, const QString& title, const QString& suggestedName,
            const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, suggestedName, filter);
  };
}

bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  return true;
}

bool SaveWithChooser(const PathChooser& chooser, env::Platform& platform, QWidget* parent,
                     const QString& title, const QString& suggestedName, const QString& filter,
                     const QByteArray& data) {
  const QString path = chooser(parent, title, suggestedName, filter);
  if (path.isEmpty()) return false;
  QString error;
  if (WriteFileAtomically(path, data, &error)) return true;
  platform.ShowError(title.toStdString(),
                     (Q(views::kSaveFailed) + path + QStringLiteral(":\n") + error).toStdString());
  return false;
}

}  // namespace qtui
