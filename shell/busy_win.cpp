#include <windows.h>

#include "shell/busy.h"
#include "shell/main_window_win.h"

HCURSOR g_waitCursor = nullptr;

namespace {
HCURSOR g_restoreCursor = nullptr;
}

void EnableControls(bool enabled) {
  if (enabled) {
    SetCursor(g_restoreCursor);
  } else {
    g_restoreCursor = SetCursor(g_waitCursor);
  }
  const HWND windows[] = {g_searchEdit, g_modeCombo, g_searchButton, g_resultList, g_menuBar, g_categoryCombo};
  for (HWND w : windows) EnableWindow(w, enabled ? TRUE : FALSE);
}
