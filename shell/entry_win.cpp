#include <windows.h>

#include <cstdint>
#include <optional>

#include "core/environment.h"
#include "core/messages.h"
#include "maplink/map_application.h"
#include "platform/handheld_shell_win.h"
#include "platform/message_box_win.h"
#include "platform/utf.h"
#include "resources/resource_ids.h"
#include "shell/device_window.h"
#include "shell/discover_environment.h"
#include "shell/main_window_win.h"

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
  // The caption and the task list take the small size from the same icon.
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassW(&wc) != 0;
}

// The style of a device's screen in a frame: a caption, a close box and a
// minimize box, no sizing border; the size is a device's.
constexpr DWORD kFramedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

HWND CreateMainWindow(HINSTANCE instance, bool framed) {
  const DWORD style = WS_VISIBLE | (framed ? kFramedStyle : 0);
  int width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  if (framed) {
    const ControlBox client = DeviceClientArea(g_environment.displayScale);
    RECT r{0, 0, client.width, client.height};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    width = r.right - r.left, height = r.bottom - r.top;
  }
  return CreateWindowExW(0, kMainWindowClass, AsWide(kProgramTitle), style, CW_USEDEFAULT, CW_USEDEFAULT, width, height,
                         nullptr, nullptr, instance, nullptr);
}

ControlBox BoxOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The framed window opens beside the map application's window where that is
// on the screen and leaves room; else at the platform's default place, moved
// inside the work area where it runs over an edge.
void PlaceFramedWindow(HWND window) {
  const ControlBox area = BoxOf(ShellWorkArea());
  RECT r, mapRect;
  if (!GetWindowRect(window, &r)) return;
  ControlBox at = MovedInside(BoxOf(r), area);
  for (std::uintptr_t found : FindMapApplicationWindows()) {
    HWND map = reinterpret_cast<HWND>(found);
    if (!IsWindowVisible(map) || !GetWindowRect(map, &mapRect)) continue;
    if (const std::optional<ControlBox> beside = PlaceBesideMap(BoxOf(r), BoxOf(mapRect), area)) at = *beside;
    break;
  }
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  const RECT area = ShellWorkArea();
  const bool framed = ScreenHoldsDeviceWindow(GetSystemMetrics(SM_CXSCREEN),
                                              {area.left, area.top, area.right - area.left, area.bottom - area.top},
                                              g_environment.displayScale);
  MessageBoxesOverOwner(framed);
  HWND window = CreateMainWindow(instance, framed);
  // Without a main window there is nothing to run: end quietly, as when the
  // class cannot be registered.
  if (!window) return 0;
  // Unframed, the window asks for the platform's default place and size; the
  // handheld shell makes that the whole work area, which a desktop has to be
  // told.
  if (framed) {
    PlaceFramedWindow(window);
  } else {
    FitToWorkArea(window);
  }
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  SetFocus(g_modeCombo);
  RunMessageLoop();
  return 0;
}
