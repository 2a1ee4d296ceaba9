#include <windows.h>

#include "core/environment.h"
#include "core/messages.h"
#include "platform/handheld_shell_win.h"
#include "platform/utf.h"
#include "shell/discover_environment.h"
#include "shell/main_window.h"

namespace {

// Only one copy runs.  A second copy brings the first one's window to the
// front and ends; the lock lives as long as the process.
bool AnotherCopyRuns() {
  CreateMutexW(nullptr, TRUE, AsWide(kProgramTitle));
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  if (HWND running = FindWindowW(nullptr, AsWide(kProgramTitle))) SetForegroundWindow(running);
  return true;
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSW wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassW(&wc) != 0;
}

void RunMessageLoop() {
  MSG msg;
  for (;;) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return;
    if (got == -1 || HandleMainWindowKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR, int showCommand) {
  if (AnotherCopyRuns()) return 0;
  g_environment = DiscoverEnvironment();
  if (!previous && !RegisterMainWindowClass(instance)) return 0;
  g_instance = instance;
  HWND window = CreateWindowExW(0, kMainWindowClass, AsWide(kProgramTitle), WS_VISIBLE, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  // Without a main window there is nothing to run: end quietly, as when the
  // class cannot be registered.
  if (!window) return 0;
  // The window asks for the platform's default place and size; the handheld
  // shell makes that the whole work area, which a desktop has to be told.
  FitToWorkArea(window);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  SetFocus(g_modeCombo);
  RunMessageLoop();
  return 0;
}
