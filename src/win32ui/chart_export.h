#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <optional>
#include <string>

// A drawn chart as the files and the clipboard take it.
namespace win32ui {

// The bitmap as PNG bytes, from GDI+'s own encoder; nothing when it failed.
std::optional<std::string> EncodePng(Gdiplus::Bitmap& bitmap);

// A bitmap the clipboard can own (CF_BITMAP); null when it could not be made.
HBITMAP ClipboardBitmap(Gdiplus::Bitmap& bitmap);

}  // namespace win32ui
