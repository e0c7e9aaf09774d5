#pragma once

#include <string>

// Hands a document to the desktop's default viewer for its type, without waiting for it.
namespace env {

#ifdef _WIN32
// ShellExecuteW with the verb "open" and a normal window; the shell's answer is not looked
// at: a missing document or viewer is the shell's to report.
void ShellOpenDocument(const std::string& utf8Path);

// The full path of a program that lies in the Windows folder (C:\Windows\hh.exe), or
// empty when the folder is unknown. Started by its bare name, such a program would first be
// looked for in the current folder, which a download or a share may fill with one of that name.
std::wstring WindowsFolderProgram(const std::wstring& name);
#endif

}  // namespace env
