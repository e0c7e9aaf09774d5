#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <string>

#include "env/win32_text.h"
#include "mainwindow/form.h"
#include "mainwindow/texts.h"
#include "startup/lifecycle.h"
#include "win32ui/main_window.h"
#include "win32ui/win32_platform.h"

// The program: no arguments, one window, ends when the window has closed.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);

  win32ui::Win32Platform platform;
  try {
    mainwindow::TForm1 form(platform);
    startup::Attach(form);
    win32ui::MainWindow window(form, instance);
    platform.SetOwner(window.Handle());
    window.Create(showCommand);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (window.PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    platform.SetOwner(nullptr);
    return static_cast<int>(msg.wParam);
  } catch (const std::exception& e) {
    // An error during start-up ends the program with its report.
    platform.SetOwner(nullptr);
    platform.ShowError(std::string(mainwindow::kAppTitle), e.what());
    return 1;
  }
}
