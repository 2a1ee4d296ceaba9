#include "platform/menu_bar_win.h"

#include <iterator>

#include "resources/resource_ids.h"

const wchar_t kMenuBarClass[] = L"KRMENUBAR";

namespace {

struct BarButton {
  int id;
  int captionId;
  int popupIndex;
};
const BarButton kButtons[] = {{IDM_BAR_TESSARA, IDS_BAR_TESSARA, 0}, {IDM_BAR_MENU, IDS_BAR_MENU, 1}};

HMENU BarMenu(HWND bar) { return reinterpret_cast<HMENU>(GetWindowLongPtrW(bar, GWLP_USERDATA)); }

void CreateButtons(HWND bar, HINSTANCE instance) {
  for (const BarButton& b : kButtons) {
    wchar_t caption[64] = {};
    LoadStringW(instance, b.captionId, caption, 64);
    CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, bar,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance, nullptr);
  }
}

// The two buttons share the bar's width, left and right, like soft keys.
void LayOutButtons(HWND bar, int width, int height) {
  int half = width / 2;
  MoveWindow(GetDlgItem(bar, kButtons[0].id), 0, 0, half, height, TRUE);
  MoveWindow(GetDlgItem(bar, kButtons[1].id), half, 0, width - half, height, TRUE);
}

// Opens the button's popup above it; the owner is the bar's parent, so the
// chosen command arrives there as WM_COMMAND.
void OpenPopup(HWND bar, const BarButton& button) {
  HMENU popup = GetSubMenu(BarMenu(bar), button.popupIndex);
  if (!popup) return;
  RECT r;
  GetWindowRect(GetDlgItem(bar, button.id), &r);
  UINT align = button.popupIndex == 0 ? TPM_LEFTALIGN : TPM_RIGHTALIGN;
  int x = button.popupIndex == 0 ? r.left : r.right;
  TrackPopupMenu(popup, align | TPM_BOTTOMALIGN | TPM_LEFTBUTTON, x, r.top, 0, GetParent(bar), nullptr);
}

LRESULT CALLBACK MenuBarProcedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      HMENU menu = LoadMenuW(create->hInstance, static_cast<LPCWSTR>(create->lpCreateParams));
      SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(menu));
      CreateButtons(bar, create->hInstance);
      return 0;
    }
    case WM_SETFONT:
      for (const BarButton& b : kButtons) SendMessageW(GetDlgItem(bar, b.id), WM_SETFONT, wParam, lParam);
      return 0;
    case WM_SIZE:
      LayOutButtons(bar, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      for (const BarButton& b : kButtons) {
        if (LOWORD(wParam) == b.id && HIWORD(wParam) == BN_CLICKED) OpenPopup(bar, b);
      }
      return 0;
    case WM_DESTROY:
      if (HMENU menu = BarMenu(bar)) DestroyMenu(menu);
      SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
      return 0;
    default:
      return DefWindowProcW(bar, message, wParam, lParam);
  }
}

void RegisterBarClass(HINSTANCE instance) {
  WNDCLASSW wc = {};
  if (GetClassInfoW(instance, kMenuBarClass, &wc)) return;
  wc.lpfnWndProc = MenuBarProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kMenuBarClass;
  RegisterClassW(&wc);
}

}  // namespace

int MenuBarHeight(int displayScale) { return 26 * displayScale; }

void MenuBarOpenPopup(HWND bar, int index) {
  if (index >= 0 && index < static_cast<int>(std::size(kButtons))) OpenPopup(bar, kButtons[index]);
}

HWND MenuBarCreate(HWND parent, HINSTANCE instance, int menuId, int displayScale) {
  RegisterBarClass(instance);
  RECT client;
  GetClientRect(parent, &client);
  int height = MenuBarHeight(displayScale);
  return CreateWindowExW(0, kMenuBarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                         client.bottom - height, client.right, height, parent, nullptr, instance,
                         MAKEINTRESOURCEW(menuId));
}

void MenuBarFit(HWND bar, int width, int bottom, int displayScale) {
  int height = MenuBarHeight(displayScale);
  MoveWindow(bar, 0, bottom - height, width, height, TRUE);
}
