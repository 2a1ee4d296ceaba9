// demo_arrange: for the demo screen, which is wider than a device, waits for
// the map application stand-in and カリオSearch, puts カリオSearch to the right
// of the map application's screen with a client area a device's 240 pixels
// wide (its frame comes on top), and brings the map application to the
// front so that the screen reader sees its readout.  On a screen larger than
// a device's, where カリオSearch is a device's screen in a frame of its own,
// it opened beside the map by itself and is left where it is.  Ends with 0
// when both windows were found within 30 s and カリオSearch got a device's
// width, else 1.
#include <windows.h>

#include <cstdio>

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
  const DWORD style = static_cast<DWORD>(GetWindowLongW(tool, GWL_STYLE));
  const int deviceWidth = screenWidth < 480 ? 240 : 480;
  int width;
  if (style & WS_SYSMENU) {
    RECT own;
    GetWindowRect(tool, &own);
    width = own.right - own.left;
  } else {
    RECT device = {0, 0, 240, screenHeight};
    AdjustWindowRectEx(&device, style, FALSE, static_cast<DWORD>(GetWindowLongW(tool, GWL_EXSTYLE)));
    width = device.right - device.left;
    SetWindowPos(tool, nullptr, mapRect.right, 0, width, screenHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetForegroundWindow(map);
  RECT client;
  GetClientRect(tool, &client);
  if (client.right < deviceWidth || mapRect.right + width > screenWidth) {
    std::fprintf(stderr, "demo_arrange: カリオSearch has %ld of %d pixels; the screen needs to be %d wide\n",
                 client.right, deviceWidth, static_cast<int>(mapRect.right + width));
    return 1;
  }
  return 0;
}
