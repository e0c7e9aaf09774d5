#include "win32ui/results_clipboard.h"

#include <cstring>

#include "views/html_clipboard.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

// Text with every bare LF made CR LF; a CR LF already there stays as it is.
std::string WithCrLf(const std::string& s) {
  std::string out;
  out.reserve(s.size() + s.size() / 16);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) out += '\r';
    out += s[i];
  }
  return out;
}

// A movable global block with the bytes; the clipboard owns it once SetClipboardData took it.
HGLOBAL GlobalCopy(const void* data, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  void* at = GlobalLock(block);
  if (at == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(at, data, size);
  GlobalUnlock(block);
  return block;
}

bool SetData(UINT format, HGLOBAL block) {
  if (block == nullptr) return false;
  if (SetClipboardData(format, block) != nullptr) return true;
  GlobalFree(block);
  return false;
}

}  // namespace

bool PutOnClipboard(HWND owner, const std::string& text, const std::string& htmlFragment,
                    HBITMAP bitmap) {
  // Another program may hold the clipboard for a moment; a few tries outlast it.
  bool open = false;
  for (int i = 0; i < 10 && !open; ++i) {
    open = OpenClipboard(owner) != FALSE;
    if (!open) Sleep(20);
  }
  if (!open) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    return false;
  }
  bool ok = EmptyClipboard() != FALSE;
  if (ok) {
    const std::wstring wide = W(WithCrLf(text));
    ok = SetData(CF_UNICODETEXT, GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
  }
  if (ok && !htmlFragment.empty()) {
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    const std::string doc = views::HtmlClipboardDocument(htmlFragment);
    ok = html != 0 && SetData(html, GlobalCopy(doc.c_str(), doc.size() + 1));
  }
  if (bitmap != nullptr) {
    if (ok && SetClipboardData(CF_BITMAP, bitmap) != nullptr) {
      bitmap = nullptr;
    } else {
      ok = false;
      DeleteObject(bitmap);
    }
  }
  // Half a copy (the text without its table) would paste something the user did not see.
  if (!ok) EmptyClipboard();
  CloseClipboard();
  return ok;
}

bool CopyResultRows(HWND owner, const std::string& tabText, const std::string& htmlTable) {
  return PutOnClipboard(owner, tabText, htmlTable);
}

}  // namespace win32ui
