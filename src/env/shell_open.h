#pragma once

#include <string>

// Hands a document to the desktop's default viewer for its type, without waiting for it.
namespace env {

#ifdef _WIN32
// ShellExecuteW with the verb "open" and a normal window; the shell's answer is not looked
// at: a missing document or viewer is the shell's to report.
void ShellOpenDocument(const std::string& utf8Path);
#endif

}  // namespace env
