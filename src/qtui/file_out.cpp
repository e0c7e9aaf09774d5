#include "qtui/file_out.h"

#include <QFileDialog>
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
