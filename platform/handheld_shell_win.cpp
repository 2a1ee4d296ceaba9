#include "platform/handheld_shell_win.h"

void FitToWorkArea(HWND window) {
  RECT work;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return;
  MoveWindow(window, work.left, work.top, work.right - work.left, work.bottom - work.top, TRUE);
}
