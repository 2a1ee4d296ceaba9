#include "platform/menu_bar_win.h"

#include "platform/menu_bar.h"

const wchar_t kMenuBarClass[] = L"KRMENUBAR";

namespace {

HMENU BarMenu(HWND bar) { return reinterpret_cast<HMENU>(GetWindowLongPtrW(bar, GWLP_USERDATA)); }

void CreateButtons(HWND bar, HINSTANCE instance) {
  for (const MenuBarButton& b : kMenuBarButtons) {
    wchar_t caption[64] = {};
    LoadStringW(instance, b.captionId, caption, 64);
    CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, bar,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance, nullptr);
  }
}

void LayOutButtons(HWND bar, int width, int height) {
  for (int i = 0; i < kMenuBarButtonCount; ++i) {
    const ControlBox box = MenuBarButtonBox(i, width, height);
    MoveWindow(GetDlgItem(bar, kMenuBarButtons[i].id), box.x, box.y, box.width, box.height, TRUE);
  }
}

// Opens the button's popup above it; the owner is the bar's parent, so the
// chosen command arrives there as WM_COMMAND.
void OpenPopup(HWND bar, const MenuBarButton& button) {
  HMENU popup = GetSubMenu(BarMenu(bar), button.popupIndex);
  if (!popup) return;
  RECT r;
  GetWindowRect(GetDlgItem(bar, button.id), &r);
  const PopupAnchor at = MenuBarPopupAnchor(button.popupIndex, r.left, r.top, r.right);
  TrackPopupMenu(popup, (at.rightAligned ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_BOTTOMALIGN | TPM_LEFTBUTTON, at.x,
                 at.y, 0, GetParent(bar), nullptr);
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
      for (const MenuBarButton& b : kMenuBarButtons) SendMessageW(GetDlgItem(bar, b.id), WM_SETFONT, wParam, lParam);
      return 0;
    case WM_SIZE:
      LayOutButtons(bar, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ENABLE:
      // A disabled bar already takes no clicks; its buttons show it, as a
      // handheld's soft keys gray out.
      for (const MenuBarButton& b : kMenuBarButtons) EnableWindow(GetDlgItem(bar, b.id), static_cast<BOOL>(wParam));
      return 0;
    case WM_COMMAND:
      for (const MenuBarButton& b : kMenuBarButtons) {
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

void MenuBarOpenPopup(HWND bar, int index) {
  if (const MenuBarButton* button = MenuBarButtonFor(index)) OpenPopup(bar, *button);
}

HWND MenuBarCreate(HWND parent, HINSTANCE instance, int menuId, int displayScale) {
  RegisterBarClass(instance);
  RECT client;
  GetClientRect(parent, &client);
  const ControlBox box = MenuBarBox(client.right, client.bottom, displayScale);
  return CreateWindowExW(0, kMenuBarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, box.x, box.y, box.width,
                         box.height, parent, nullptr, instance, MAKEINTRESOURCEW(menuId));
}
