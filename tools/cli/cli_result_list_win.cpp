// On Windows the result list is a sorted list box, as in the program, so the
// tool lists lines in exactly the program's order.  The list box is never
// shown.
#include <windows.h>

#include "platform/result_list_win.h"
#include "tools/cli/cli.h"

bool AttachCliResultList() {
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!list) return false;
  ResultListAttach(list);
  return true;
}
