// demo_arrange: for the demo screen, which is wider than a device, waits for
// the map application stand-in and カリオSearch, puts カリオSearch to the right
// of the map application's screen, and brings the map application to the
// front so that the screen reader sees its readout.  Ends with 0 when both
// windows were found within 30 s, else 1.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HWND map = nullptr, tool = nullptr;
  for (int i = 0; i < 300 && !(map && tool); ++i) {
    map = FindWindowW(L"Afx_QZV_MAINWND_", nullptr);
    tool = FindWindowW(L"KRSEARCH", L"カリオSearch");
    if (!(map && tool)) Sleep(100);
  }
  if (!map || !tool) return 1;
  RECT mapRect;
  GetWindowRect(map, &mapRect);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  SetWindowPos(tool, nullptr, mapRect.right, 0, screenWidth - mapRect.right, screenHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetForegroundWindow(map);
  return 0;
}
