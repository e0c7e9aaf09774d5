#pragma once

#include <functional>
#include <string>

// Where an open or save dialog starts: in the folder the user last chose a file in, while it
// still exists; else in the user's documents folder, which the desktop names (the XDG
// documents folder, Windows' Documents known folder); else in the home folder. The folder
// last used is kept in the settings file, so a user finds the same place after a restart.
namespace startup {

using IsFolder = std::function<bool(const std::string& path)>;
bool RealIsFolder(const std::string& path);

// Paths in UTF-8; empty ones are not there. Empty when none of the three is a folder (the
// dialog then starts where the system chooses).
std::string StartFolder(const std::string& lastFolder, const std::string& documents,
                        const std::string& home, const IsFolder& isFolder = RealIsFolder);

// The folder a chosen file lies in, as the folder last used is kept; empty for a bare name.
std::string FolderOfChosen(const std::string& chosenPath);

}  // namespace startup
