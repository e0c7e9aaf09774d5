// zephlane-probe: what an accessibility inspector sees of a running window, for the tests.
//
//   zephlane-probe list <title prefix>    every control of the top-level window, one per line
//   zephlane-probe wait <title prefix> <seconds>   until such a window is shown (exit 1: none)
//   zephlane-probe gone <title prefix> <seconds>   until no such window is left (exit 1: still)
//   zephlane-probe close <title prefix>   the close box: the window menu's Close command
//
//   zephlane-probe names <title prefix>   what a screen reader reads of every child window
//   zephlane-probe rows <title prefix> <id>   the rows of the list view of that identifier
//
// A title argument "=Zephlane" matches that title exactly.
//
// `list` writes tab-separated lines. The first describes the window:
//   window  <class>  <client left> <client top> <client width> <client height>  <enabled>
//   <visible>  <maximize box>  <caption>
// then `focus <name>`, then one line per child window (all depths):
//   <name>  <class>  <left> <top> <width> <height>  <enabled> <visible>  <value>  <text>
// with positions in the window's client pixels; <value> is a list's or page control's
// selection, a button's check state, an up-down's position, a list view's row count, "icon" or
// "noicon" for an icon, else "-". A chart's text is its hover read-out. Names come from the control
// identifiers of the Zephlane window; other windows' children are named by their identifier
// ("id2"). CR, LF and tab in texts are written as \r, \n, \t.
//
// `names` asks each child window for its accessible object (oleacc, as a screen reader does)
// and writes one tab-separated line per child window:
//   <name>  <role>  <accessible name>  <accessible value>  <first child's name>  <second's>
// with "-" where the object gives none; a window without an object reads "noobject" and the
// error.
//
// `rows` writes one line per row of a list view, its cells tab-separated. A list view answers
// with its texts only in memory of its own process: the probe lends it a buffer there.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "env/win32_text.h"
#include "mainwindow/design.h"
#include "win32ui/main_window.h"

namespace {

struct Search {
  std::wstring Prefix;
  bool Exact = false;
  HWND Found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (!IsWindowVisible(hwnd)) return TRUE;
  wchar_t title[512] = {};
  GetWindowTextW(hwnd, title, 512);
  const std::wstring t(title);
  if (s->Exact ? t == s->Prefix : t.rfind(s->Prefix, 0) == 0) {
    s->Found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A title that starts with the prefix; "=title" asks for exactly that title.
HWND FindWindowByPrefix(const std::wstring& prefix) {
  Search s;
  s.Exact = !prefix.empty() && prefix.front() == L'=';
  s.Prefix = s.Exact ? prefix.substr(1) : prefix;
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.Found;
}

std::string Text(HWND hwnd) {
  wchar_t buffer[4096] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      2000, &got);
  std::string utf8 = env::win32::Narrow(buffer);
  std::string out;
  for (char c : utf8) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out += c;
    }
  }
  return out;
}

std::string ClassOf(HWND hwnd) {
  wchar_t cls[256] = {};
  GetClassNameW(hwnd, cls, 256);
  return env::win32::Narrow(cls);
}

std::string NameOf(HWND hwnd, bool zephlane) {
  const int id = GetDlgCtrlID(hwnd);
  if (!zephlane) return "id" + std::to_string(id);
  const auto table = mainwindow::DesignTable();
  if (id >= win32ui::kFirstRadioButtonId) {
    const int group = (id - win32ui::kFirstRadioButtonId) / win32ui::kRadioButtonsPerGroup;
    const int item = (id - win32ui::kFirstRadioButtonId) % win32ui::kRadioButtonsPerGroup;
    if (group >= 0 && static_cast<std::size_t>(group) < table.size()) {
      return std::string(table[static_cast<std::size_t>(group)].Name) + "[" + std::to_string(item) +
             "]";
    }
  } else if (id >= win32ui::kFirstControlId) {
    const auto index = static_cast<std::size_t>(id - win32ui::kFirstControlId);
    if (index < table.size()) return std::string(table[index].Name);
  } else if (id == win32ui::kGroupFrameId) {
    return NameOf(GetParent(hwnd), true) + ".frame";
  }
  return "id" + std::to_string(id);
}

std::string ValueOf(HWND hwnd, const std::string& cls) {
  if (cls == "ComboBox") {
    return std::to_string(static_cast<long long>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)));
  }
  if (cls == "SysTabControl32") {
    return std::to_string(static_cast<long long>(SendMessageW(hwnd, TCM_GETCURSEL, 0, 0)));
  }
  if (cls == "SysListView32") {
    return std::to_string(static_cast<long long>(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0)));
  }
  if (cls == "msctls_updown32") {
    return std::to_string(static_cast<long long>(SendMessageW(hwnd, UDM_GETPOS32, 0, 0)));
  }
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  if (cls == "Button") {
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
        type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
      return std::to_string(static_cast<long long>(SendMessageW(hwnd, BM_GETCHECK, 0, 0)));
    }
  }
  if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
    // Which icon it is the screenshot shows; here only whether there is one.
    return SendMessageW(hwnd, STM_GETICON, 0, 0) != 0 ? "icon" : "noicon";
  }
  return "-";
}

struct Lister {
  HWND Top;
  bool Zephlane;
};

BOOL CALLBACK ListChild(HWND hwnd, LPARAM lp) {
  const auto* l = reinterpret_cast<Lister*>(lp);
  RECT r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, l->Top, reinterpret_cast<POINT*>(&r), 2);
  const std::string cls = ClassOf(hwnd);
  std::printf("%s\t%s\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t%s\t%s\n", NameOf(hwnd, l->Zephlane).c_str(),
              cls.c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
              IsWindowEnabled(hwnd) ? 1 : 0, IsWindowVisible(hwnd) ? 1 : 0,
              ValueOf(hwnd, cls).c_str(), Text(hwnd).c_str());
  return TRUE;
}

int List(HWND top) {
  RECT client;
  GetClientRect(top, &client);
  POINT origin{0, 0};
  ClientToScreen(top, &origin);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(top, GWL_STYLE));
  const bool zephlane = ClassOf(top) == "ZephlaneWindow";
  std::printf("window\t%s\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t%d\t%s\n", ClassOf(top).c_str(), origin.x,
              origin.y, client.right, client.bottom, IsWindowEnabled(top) ? 1 : 0,
              IsWindowVisible(top) ? 1 : 0, (style & WS_MAXIMIZEBOX) != 0 ? 1 : 0,
              Text(top).c_str());
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  std::string focus = "-";
  if (GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &gui) && gui.hwndFocus != nullptr &&
      IsChild(top, gui.hwndFocus)) {
    focus = NameOf(gui.hwndFocus, zephlane);
  }
  std::printf("focus\t%s\n", focus.c_str());
  Lister l{top, zephlane};
  EnumChildWindows(top, ListChild, reinterpret_cast<LPARAM>(&l));
  return 0;
}

std::string Escaped(const std::string& utf8) {
  std::string out;
  for (char c : utf8) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out += c;
    }
  }
  return out.empty() ? "-" : out;
}

// A BSTR answer as UTF-8; "-" for none.
std::string Answer(HRESULT hr, BSTR text) {
  std::string out = "-";
  if (hr == S_OK && text != nullptr) out = Escaped(env::win32::Narrow(text));
  SysFreeString(text);
  return out;
}

std::string ChildName(IAccessible* acc, long child) {
  VARIANT id;
  VariantInit(&id);
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr;
  const HRESULT hr = acc->get_accName(id, &name);
  return Answer(hr, name);
}

BOOL CALLBACK NameChild(HWND hwnd, LPARAM lp) {
  const auto* l = reinterpret_cast<Lister*>(lp);
  const std::string name = NameOf(hwnd, l->Zephlane);
  IAccessible* acc = nullptr;
  // By __uuidof: a static mingw-w64 link resolves IID_IAccessible to another identifier.
  const HRESULT got =
      AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&acc));
  if (FAILED(got) || acc == nullptr) {
    std::printf("%s\tnoobject\t%08lx\n", name.c_str(), static_cast<unsigned long>(got));
    return TRUE;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role;
  VariantInit(&role);
  std::string roleText = "-";
  if (acc->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
    roleText = std::to_string(role.lVal);
  }
  VariantClear(&role);
  BSTR value = nullptr;
  const HRESULT hr = acc->get_accValue(self, &value);
  const std::string valueText = Answer(hr, value);
  std::printf("%s\t%s\t%s\t%s\t%s\t%s\n", name.c_str(), roleText.c_str(),
              ChildName(acc, CHILDID_SELF).c_str(), valueText.c_str(), ChildName(acc, 1).c_str(),
              ChildName(acc, 2).c_str());
  acc->Release();
  return TRUE;
}

int Names(HWND top) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Lister l{top, ClassOf(top) == "ZephlaneWindow"};
  EnumChildWindows(top, NameChild, reinterpret_cast<LPARAM>(&l));
  CoUninitialize();
  return 0;
}

struct ById {
  int Id;
  HWND Found = nullptr;
};

BOOL CALLBACK FindById(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ById*>(lp);
  if (GetDlgCtrlID(hwnd) != s->Id) return TRUE;
  s->Found = hwnd;
  return FALSE;
}

int Rows(HWND top, int id) {
  ById s{id};
  EnumChildWindows(top, FindById, reinterpret_cast<LPARAM>(&s));
  if (s.Found == nullptr) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(s.Found, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr) return 1;
  constexpr std::size_t kChars = 1024;
  auto* remote = static_cast<char*>(VirtualAllocEx(
      process, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  if (remote == nullptr) return 1;
  auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
  HWND header = reinterpret_cast<HWND>(SendMessageW(s.Found, LVM_GETHEADER, 0, 0));
  const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  const auto rows = static_cast<int>(SendMessageW(s.Found, LVM_GETITEMCOUNT, 0, 0));
  for (int r = 0; r < rows; ++r) {
    std::string line;
    for (int c = 0; c < columns; ++c) {
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = remoteText;
      item.cchTextMax = static_cast<int>(kChars);
      WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
      const wchar_t none = 0;
      WriteProcessMemory(process, remoteText, &none, sizeof none, nullptr);
      SendMessageW(s.Found, LVM_GETITEMTEXTW, static_cast<WPARAM>(r),
                   reinterpret_cast<LPARAM>(remote));
      wchar_t text[kChars] = {};
      ReadProcessMemory(process, remoteText, text, sizeof text - sizeof(wchar_t), nullptr);
      if (c > 0) line += '\t';
      line += env::win32::Narrow(text);
    }
    std::printf("%s\n", line.c_str());
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: zephlane-probe list|wait|gone|close <title prefix> [seconds]\n");
    return 2;
  }
  const std::string verb = argv[1];
  const std::wstring prefix = env::win32::Widen(argv[2]);
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 0;
  if (verb == "wait" || verb == "gone") {
    const bool wantShown = verb == "wait";
    for (int i = 0; i <= seconds * 10; ++i) {
      if ((FindWindowByPrefix(prefix) != nullptr) == wantShown) return 0;
      Sleep(100);
    }
    return 1;
  }
  HWND top = FindWindowByPrefix(prefix);
  if (top == nullptr) {
    std::fprintf(stderr, "no window titled %s...\n", argv[2]);
    return 1;
  }
  if (verb == "list") return List(top);
  if (verb == "names") return Names(top);
  if (verb == "rows") return Rows(top, seconds);
  if (verb == "close") {
    PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  return 2;
}
