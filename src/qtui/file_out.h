#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;

namespace env {
class Platform;
}

// Where the user's files go: a chooser that asks for the path (a save dialog in the program, a
// fixed answer in the tests) and a write that replaces a file only when all of it was written.
namespace qtui {

// parent, title, suggested file name, filter -> the chosen path; empty when the user cancelled.
using PathChooser =
    std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

// The desktop's save dialog, which asks before it overwrites.
PathChooser DialogPathChooser();

// Asks with the chooser and writes through the platform's file system, as one atomic
// replacement (a failed write leaves an existing file as it was); a failure goes to the
// platform's error box. False when the user cancelled or the write failed.
bool SaveWithChooser(const PathChooser& chooser, env::Platform& platform, QWidget* parent,
                     const QString& title, const QString& suggestedName, const QString& filter,
                     const QByteArray& data);

}  // namespace qtui
