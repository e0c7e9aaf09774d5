#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;

namespace env {
class Platform;
}
namespace mainwindow {
class TForm1;
}

// Where the user's files go: a chooser that asks for the path (a save dialog in the program, a
// fixed answer in the tests) and a write that replaces a file only when all of it was written.
namespace qtui {

// parent, title, suggested file name, filter -> the chosen path; empty when the user cancelled.
using PathChooser =
    std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

// The desktop's save dialog, which asks before it overwrites.
PathChooser DialogPathChooser();
// The desktop's open dialog, for an existing file.
PathChooser DialogOpenChooser();

// Where a dialog starts: the folder last used (kept in the settings file), else the user's
// documents folder (XDG_DOCUMENTS_DIR; Documents on Windows), else the home folder.
QString StartFolder(const mainwindow::TForm1& form);
// The chooser, started in StartFolder with the suggested name; a chosen file's folder becomes
// the folder last used.
PathChooser InStartFolder(PathChooser chooser, mainwindow::TForm1& form);

// Asks with the chooser and writes through the platform's file system, as one atomic
// replacement (a failed write leaves an existing file as it was); a failure goes to the
// platform's error box. False when the user cancelled or the write failed.
bool SaveWithChooser(const PathChooser& chooser, env::Platform& platform, QWidget* parent,
                     const QString& title, const QString& suggestedName, const QString& filter,
                     const QByteArray& data);

}  // namespace qtui
