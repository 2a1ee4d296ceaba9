#include <windows.h>

#include "core/environment.h"
#include "core/messages.h"
#include "platform/menu_bar_win.h"
#include "platform/message_box_win.h"
#include "platform/utf.h"
#include "resources/resource_ids.h"
#include "shell/commands.h"
#include "shell/controls.h"
#include "shell/main_layout.h"
#include "shell/main_window_win.h"

const wchar_t kMainWindowClass[] = L"KRSEARCH";

HINSTANCE g_instance = nullptr;
HWND g_mainWindow = nullptr;
HWND g_pointLabel = nullptr;
HWND g_folderLabel = nullptr;
HWND g_searchEdit = nullptr;
HWND g_modeCombo = nullptr;
HWND g_categoryCombo = nullptr;
HWND g_searchButton = nullptr;
HWND g_resultList = nullptr;
HWND g_menuBar = nullptr;

namespace {

// The control that had the focus when the window was last deactivated.
HWND g_savedFocus = nullptr;

void OnCreate(HWND window) {
  g_waitCursor = LoadCursorW(nullptr, IDC_WAIT);
  g_mainWindow = window;
  MessageBoxAttach(window, AsWide(kProgramTitle));
  SetTimer(window, IDT_SCREEN_READER, 1000, nullptr);
  CreateMainControls(window);
  // Both inputs are made visible in one place; only the selected mode's one
  // may show, or a search would read a term the person cannot see.
  ShowInputForSearchMode();
  g_menuBar = MenuBarCreate(window, g_instance, IDR_MAIN_MENU, g_environment.displayScale);
  SendMessageW(g_menuBar, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), FALSE);
}

void OnDestroy(HWND window) {
  KillTimer(window, IDT_SCREEN_READER);
  DestroyWindow(g_menuBar);
  PostQuitMessage(0);
}

// Keeps the result list box and the folder label fitted to the window; the
// menu bar takes the strip below the folder label.
void OnSize(HWND window, WPARAM kind) {
  // A minimized window has no client area to fit; its controls wait for the
  // size it comes back with.
  if (kind == SIZE_MINIMIZED) return;
  RECT client;
  GetClientRect(window, &client);
  const MainLayout layout = LayoutMainWindow(client.right, client.bottom, g_environment.displayScale);
  for (auto [control, box] :
       {std::pair{g_resultList, layout.resultList}, {g_folderLabel, layout.folderLabel}, {g_menuBar, layout.menuBar}})
    MoveWindow(control, box.x, box.y, box.width, box.height, TRUE);
}

void OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    g_savedFocus = GetFocus();
  } else if (g_savedFocus) {
    // Before anything was saved there is nothing to return to; taking the
    // focus away from everything would leave the keyboard dead.
    SetFocus(g_savedFocus);
  }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
    case WM_CLOSE:
      // The framed window's close box (and any other request to close) ends
      // the program as the exit question's Yes does, without asking: the
      // device's program has no close box and asks nothing more.
      EndProgram();
      return 0;
    case WM_SIZE:
      OnSize(window, wParam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_TIMER:
      OnScreenReaderTick();
      return 0;
    case WM_COMMAND:
      OnMainCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}
