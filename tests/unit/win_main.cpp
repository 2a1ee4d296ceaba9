// The Windows unit test program: the result list layer sends its messages to
// a real sorted list box, styled as the program's own, so its order is that
// of the control the user sees.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/result_list_win.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND top =
      CreateWindowExW(0, L"STATIC", L"unit tests", WS_OVERLAPPED, 0, 0, 240, 320, nullptr, nullptr, instance, nullptr);
  HWND list =
      CreateWindowExW(0, L"LISTBOX", nullptr,
                      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT, 5,
                      85, 230, 140, top, nullptr, instance, nullptr);
  if (!list) {
    std::fprintf(stderr, "no result list box (error %lu)\n", GetLastError());
    return 1;
  }
  ResultListAttach(list);
  const int result = RUN_ALL_TESTS();
  DestroyWindow(top);
  return result;
}
