#include "platform/message_box_fit_win.h"

#include <algorithm>
#include <string>

#include "platform/message_box_fit.h"
#include "platform/owned_handle_win.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the message box's static text

ControlBox BoxOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

ControlBox ChildBox(HWND box, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
  return BoxOf(r);
}

// The visible buttons, left to right.
std::vector<HWND> Buttons(HWND box) {
  std::vector<HWND> buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    // The box may not be shown yet: the buttons' own style tells.
    if ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) && lstrcmpiW(name, L"Button") == 0) buttons.push_back(child);
  }
  std::sort(buttons.begin(), buttons.end(), [&](HWND a, HWND b) { return ChildBox(box, a).x < ChildBox(box, b).x; });
  return buttons;
}

// Wraps the text to `maxWidth` in the text's own font; *size gets its size.
std::wstring WrapInFont(HWND text, int maxWidth, SIZE* size) {
  const int length = GetWindowTextLengthW(text);
  std::wstring shown(static_cast<std::size_t>(length) + 1, L'\0');
  shown.resize(static_cast<std::size_t>(GetWindowTextW(text, &shown[0], length + 1)));
  const OwnedWindowDC owned = WindowDC(text);
  const HDC dc = owned.Get();
  const Selection font(dc, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
  const auto measure = [dc](const char16_t* units, std::size_t count) {
    SIZE extent{};
    const bool measured =
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(units), static_cast<int>(count), &extent);
    return measured ? static_cast<int>(extent.cx) : 0;
  };
  const std::u16string wrapped = WrapMessageText(std::u16string(shown.begin(), shown.end()), measure, maxWidth);
  std::wstring result(wrapped.begin(), wrapped.end());
  RECT r{0, 0, maxWidth, 0};
  DrawTextW(dc, result.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  *size = SIZE{r.right, r.bottom};
  return result;
}

HWND g_centreOn = nullptr;  // the owner to centre the current call's box on, if any

void FitBox(HWND box) {
  HWND text = GetDlgItem(box, kMessageTextId);
  MONITORINFO monitor{sizeof monitor};
  if (!text || !GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const ControlBox work = BoxOf(monitor.rcWork);
  RECT outer, client;
  GetWindowRect(box, &outer);
  GetClientRect(box, &client);
  const std::vector<HWND> buttons = Buttons(box);
  MessageBoxLayout shown{BoxOf(outer), client.right, client.bottom, ChildBox(box, text), {}};
  for (HWND b : buttons) shown.buttons.push_back(ChildBox(box, b));
  RECT owner;
  if (g_centreOn && !IsIconic(g_centreOn) && GetWindowRect(g_centreOn, &owner)) {
    const ControlBox over = CentredOnOwner(shown.box, BoxOf(owner), work);
    shown.box.x = over.x, shown.box.y = over.y;
  }
  SIZE size{shown.text.width, shown.text.height};
  if (MessageBoxNarrows(shown, work)) {
    const std::wstring wrapped = WrapInFont(text, MessageTextWidthLimit(shown, work), &size);
    SetWindowTextW(text, wrapped.c_str());
  }
  const MessageBoxLayout fit = FitMessageBox(shown, work, size.cx, size.cy);
  SetWindowPos(box, nullptr, fit.box.x, fit.box.y, fit.box.width, fit.box.height, SWP_NOZORDER | SWP_NOACTIVATE);
  MoveWindow(text, fit.text.x, fit.text.y, fit.text.width, fit.text.height, TRUE);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const ControlBox& b = fit.buttons[i];
    MoveWindow(buttons[i], b.x, b.y, b.width, b.height, TRUE);
  }
}

HHOOK g_hook = nullptr;  // the hook of the call in progress, for the chain it is in
HWND g_box = nullptr;    // the box of the current call, once it was laid out

// The box has placed its parts once it has handled WM_INITDIALOG (it may
// come to the front halfway through that).  The first dialog initialised
// during the call is the box; any later one is left alone.
LRESULT CALLBACK AfterInitHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG && !g_box) {
    wchar_t name[16] = {};
    GetClassNameW(call->hwnd, name, 16);
    if (lstrcmpW(name, L"#32770") == 0) g_box = call->hwnd, FitBox(call->hwnd);
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

int ShowFittedMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type, bool overOwner) {
  const OwnedHook hook(SetWindowsHookExW(WH_CALLWNDPROCRET, AfterInitHook, nullptr, GetCurrentThreadId()));
  g_hook = hook.Get();
  g_box = nullptr;
  g_centreOn = overOwner ? owner : nullptr;
  const int answer = MessageBoxW(owner, text, title, type);
  g_hook = nullptr;
  return answer;
}
