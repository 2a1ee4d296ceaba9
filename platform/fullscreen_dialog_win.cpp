#include "platform/fullscreen_dialog_win.h"
#include "platform/handheld_shell_win.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 0x4B46;  // any value unique to this layer

struct FullScreenDialog {
  DWORD flags = 0;
  bool pressing = false;  // the mouse went down on the done button and is captured
};

int TitleBarHeight() { return GetSystemMetrics(SM_CYCAPTION); }

// The title bar and the done button, in screen coordinates.  The bar is the
// strip between the top of the frame and the client area.
RECT TitleBarOnScreen(HWND dialog) {
  RECT client;
  GetClientRect(dialog, &client);
  POINT topLeft{0, 0};
  ClientToScreen(dialog, &topLeft);
  return RECT{topLeft.x, topLeft.y - TitleBarHeight(), topLeft.x + client.right, topLeft.y};
}

RECT DoneButtonOnScreen(HWND dialog) {
  RECT bar = TitleBarOnScreen(dialog);
  int height = bar.bottom - bar.top;
  return RECT{bar.right - 2 * height - 2, bar.top + 2, bar.right - 2, bar.bottom - 2};
}

bool InRect(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

POINT PointOfNcMessage(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void PaintTitleBar(HWND dialog, const FullScreenDialog& state) {
  RECT window;
  GetWindowRect(dialog, &window);
  RECT bar = TitleBarOnScreen(dialog);
  OffsetRect(&bar, -window.left, -window.top);
  HDC dc = GetWindowDC(dialog);
  if (!dc) return;
  FillRect(dc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  wchar_t title[256] = L"";
  GetWindowTextW(dialog, title, 256);
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (title[0] == 0 && owner) GetWindowTextW(owner, title, 256);
  RECT text = bar;
  text.left += 4;
  SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
  DrawTextW(dc, title, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (state.flags & kFullScreenDoneButton) {
    RECT button = DoneButtonOnScreen(dialog);
    OffsetRect(&button, -window.left, -window.top);
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | (state.pressing ? DFCS_PUSHED : 0));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, L"OK", -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (oldFont) SelectObject(dc, oldFont);
  ReleaseDC(dialog, dc);
}

LRESULT CALLBACK FullScreenDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
  FullScreenDialog& state = *reinterpret_cast<FullScreenDialog*>(data);
  switch (message) {
    case WM_NCCALCSIZE: {
      LRESULT result = DefSubclassProc(dialog, message, wParam, lParam);
      RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      client->top += TitleBarHeight();
      if (client->top > client->bottom) client->top = client->bottom;
      return result;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
      LRESULT result = DefSubclassProc(dialog, message, wParam, lParam);
      PaintTitleBar(dialog, state);
      return result;
    }
    case WM_NCHITTEST: {
      // The bar answers like a border of a window that cannot be resized:
      // the platform does nothing with it, and neither moves the dialog nor
      // opens a system menu.
      if (InRect(TitleBarOnScreen(dialog), PointOfNcMessage(lParam))) return HTBORDER;
      break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      POINT p = PointOfNcMessage(lParam);
      if (!InRect(TitleBarOnScreen(dialog), p)) break;
      if ((state.flags & kFullScreenDoneButton) && InRect(DoneButtonOnScreen(dialog), p)) {
        // Like a push button: pressed now, done when released over it.
        state.pressing = true;
        SetCapture(dialog);
        PaintTitleBar(dialog, state);
      }
      return 0;
    }
    case WM_LBUTTONUP:
      if (state.pressing) {
        state.pressing = false;
        ReleaseCapture();  // WM_CAPTURECHANGED repaints the bar
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(dialog, &p);
        if (InRect(DoneButtonOnScreen(dialog), p)) SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      state.pressing = false;
      PaintTitleBar(dialog, state);
      break;
    case WM_DISPLAYCHANGE:
      FitToWorkArea(dialog);
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) FitToWorkArea(dialog);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(dialog, FullScreenDialogProc, kSubclassId);
      delete &state;
      return DefSubclassProc(dialog, message, wParam, lParam);
  }
  return DefSubclassProc(dialog, message, wParam, lParam);
}

}  // namespace

void InitFullScreenDialog(HWND dialog, DWORD flags) {
  auto* state = new FullScreenDialog;
  state->flags = flags;
  if (!SetWindowSubclass(dialog, FullScreenDialogProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    delete state;
    return;
  }
  FitToWorkArea(dialog);
}
