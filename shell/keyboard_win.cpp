#include <windows.h>

#include "platform/menu_bar_win.h"
#include "shell/controls.h"
#include "shell/keyboard.h"
#include "shell/main_window.h"
#include "shell/run_search.h"

namespace {

// The main window's control that holds `focus`: a combo box's typing field
// counts as the combo box.
int ControlHolding(HWND focus) {
  while (focus && GetParent(focus) != g_mainWindow) focus = GetParent(focus);
  return focus ? GetDlgCtrlID(focus) : 0;
}

bool ListOpen() {
  return SendMessageW(g_modeCombo, CB_GETDROPPEDSTATE, 0, 0) || SendMessageW(g_categoryCombo, CB_GETDROPPEDSTATE, 0, 0);
}

}  // namespace

bool HandleMainWindowKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !g_mainWindow) return false;
  if (message.hwnd != g_mainWindow && !IsChild(g_mainWindow, message.hwnd)) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const KeyAction action =
      ChooseKeyAction(static_cast<int>(message.wParam), shift, ControlHolding(GetFocus()), ReadSearchMode(), ListOpen());
  switch (action.kind) {
    case KeyAction::kFocus:
      FocusControl(action.target);
      return true;
    case KeyAction::kOpenMenu:
      // The soft keys do nothing while the bar is disabled.
      if (IsWindowEnabled(g_menuBar)) MenuBarOpenPopup(g_menuBar, action.target);
      return true;
    case KeyAction::kRunSearch:
      RunSearch();
      return true;
    case KeyAction::kPassOn:
      break;
  }
  return false;
}
