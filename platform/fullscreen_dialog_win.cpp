#include "platform/fullscreen_dialog_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/handheld_shell_win.h"
#include "platform/owned_handle_win.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x4B46;  // any value unique to this layer

struct FullScreenDialog {
  DWORD flags = 0;
  DoneButtonState doneButton;
};

// The title bar in screen coordinates: the strip between the top of the
// frame and the client area.
TitleBar TitleBarOnScreen(HWND dialog, const FullScreenDialog& state) {
  RECT client;
  GetClientRect(dialog, &client);
  POINT topLeft{0, 0};
  ClientToScreen(dialog, &topLeft);
  return LayOutTitleBar(topLeft.x, topLeft.y, client.right, GetSystemMetrics(SM_CYCAPTION), state.flags);
}

TitleBarPart PartOnScreen(HWND dialog, const FullScreenDialog& state, POINT p) {
  return TitleBarPartAt(TitleBarOnScreen(dialog, state), p.x, p.y);
}

RECT AsRect(const BarRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
ControlBox BoxOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// Covers the work area, or the owner's window where the owner is framed.
void FitToShellArea(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  RECT ownerRect;
  const bool placed = owner && GetWindowRect(owner, &ownerRect);
  const ControlBox ownerBox = placed ? BoxOf(ownerRect) : ControlBox{};
  const auto ownerStyle = placed ? static_cast<uint32_t>(GetWindowLongW(owner, GWL_STYLE)) : 0u;
  const ControlBox area = FullScreenDialogArea(BoxOf(ShellWorkArea()), placed ? &ownerBox : nullptr, ownerStyle);
  FitToArea(dialog, RECT{area.x, area.y, area.x + area.width, area.y + area.height});
}

void PaintTitleBar(HWND dialog, const FullScreenDialog& state) {
  const TitleBar titleBar = TitleBarOnScreen(dialog, state);
  const OwnedWindowDC owned = WholeWindowDC(dialog);
  if (!owned) return;
  const HDC dc = owned.Get();
  // Drawn in screen coordinates: the window's top-left corner is the DC's origin.
  RECT window;
  GetWindowRect(dialog, &window);
  SetWindowOrgEx(dc, window.left, window.top, nullptr);
  RECT bar = AsRect(titleBar.bar), text = AsRect(titleBar.text), button = AsRect(titleBar.doneButton);
  FillRect(dc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
  const Selection font(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  wchar_t title[256] = L"", ownerTitle[256] = L"";
  GetWindowTextW(dialog, title, 256);
  if (HWND owner = GetWindow(dialog, GW_OWNER)) GetWindowTextW(owner, ownerTitle, 256);
  SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
  DrawTextW(dc, ShownTitle(title, ownerTitle), -1, &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (titleBar.hasDoneButton) {
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | (state.doneButton.pressing ? DFCS_PUSHED : 0));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, L"OK", -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

LRESULT CALLBACK FullScreenDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
  FullScreenDialog& state = *reinterpret_cast<FullScreenDialog*>(data);
  switch (message) {
    case WM_NCCALCSIZE: {
      LRESULT result = DefSubclassProc(dialog, message, wParam, lParam);
      RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      client->top = ClientTopBelowTitleBar(client->top, client->bottom, GetSystemMetrics(SM_CYCAPTION));
      return result;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
      LRESULT result = DefSubclassProc(dialog, message, wParam, lParam);
      PaintTitleBar(dialog, state);
      return result;
    }
    case WM_NCHITTEST:
      // The bar answers like a border of a window that cannot be resized:
      // the platform does nothing with it, and neither moves the dialog nor
      // opens a system menu.
      if (PartOnScreen(dialog, state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != TitleBarPart::kOutside)
        return HTBORDER;
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      switch (PressTitleBar(state.doneButton,
                            PartOnScreen(dialog, state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))) {
        case PressOutcome::kPassOn:
          break;
        case PressOutcome::kIgnored:
          return 0;
        case PressOutcome::kPressed:
          SetCapture(dialog);
          PaintTitleBar(dialog, state);
          return 0;
      }
      break;
    case WM_LBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(dialog, &p);
      const ReleaseOutcome outcome = ReleaseTitleBar(state.doneButton, PartOnScreen(dialog, state, p));
      if (outcome == ReleaseOutcome::kPassOn) break;
      ReleaseCapture();  // WM_CAPTURECHANGED repaints the bar
      if (outcome == ReleaseOutcome::kDone) SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      return 0;
    }
    case WM_CAPTURECHANGED:
      LoseCapture(state.doneButton);
      PaintTitleBar(dialog, state);
      break;
    case WM_DISPLAYCHANGE:
      FitToShellArea(dialog);
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) FitToShellArea(dialog);
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
  FitToShellArea(dialog);
}
