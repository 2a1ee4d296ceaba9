#include <windows.h>

#include "platform/menu_bar_win.h"
#include "shell/controls.h"
#include "shell/keyboard.h"
#include "shell/main_window_win.h"
#include "shell/open_result.h"
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
  const KeyContext context{GetKeyState(VK_SHIFT) < 0, ControlHolding(GetFocus()), ReadSearchMode(), ListOpen(),
                           IsWindowEnabled(g_menuBar) != FALSE};
  const KeyAction action = ChooseKeyAction(static_cast<int>(message.wParam), context);
  switch (action.kind) {
    case KeyAction::kFocus:
      FocusControl(action.target);
      return true;
    case KeyAction::kOpenMenu:
      MenuBarOpenPopup(g_menuBar, action.target);
      return true;
    case KeyAction::kRunSearch:
      RunSearch();
      return true;
    case KeyAction::kOpenResult:
      OpenSelectedResult();
      return true;
    case KeyAction::kDiscard:
      return true;
    case KeyAction::kPassOn:
      break;
  }
  return false;
}
