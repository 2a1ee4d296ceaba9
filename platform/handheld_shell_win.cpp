#include "platform/handheld_shell_win.h"

RECT ShellWorkArea() {
  RECT area;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return area;
}

void FitToArea(HWND window, const RECT& area) {
  // SWP_FRAMECHANGED makes the frame be measured again, title bar included.
  SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void FitToWorkArea(HWND window) { FitToArea(window, ShellWorkArea()); }
