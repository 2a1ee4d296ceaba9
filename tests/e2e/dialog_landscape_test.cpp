// The coordinate dialog on a Wine virtual desktop turned on its side.  Wine reports that size to every later
// process of the session, so this runs only with KARIO_E2E_LANDSCAPE=1, in a driver run of its own.
#include <cstdlib>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

// A visible window of `className` on the desktop (a dialog: the one without a title).
HWND FindOnDesktop(const wchar_t* className) {
  HDESK desktop = OpenDesktopW(L"KarioLandscape", 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
  std::pair<const wchar_t*, HWND> search{className, nullptr};
  EnumDesktopWindows(desktop, [](HWND w, LPARAM param) -> BOOL {
    auto* s = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(param);
    // IsWindowVisible also asks the desktop window, which is not this thread's.
    bool match = (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) && ClassNameOf(w) == s->first &&
                 (ClassNameOf(w) != L"#32770" || WindowText(w).empty());
    return match ? (s->second = w, FALSE) : TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return desktop && CloseDesktop(desktop) ? search.second : nullptr;
}

TEST(CoordinateDialogLandscape, PutsTheButtonsBesideTheFields) {
  if (!getenv("KARIO_E2E_LANDSCAPE")) GTEST_SKIP() << "runs alone, with KARIO_E2E_LANDSCAPE=1";
  ResetDevice();
  const int width = 320 * E2eDisplayScale(), height = 240 * E2eDisplayScale();
  PROCESS_INFORMATION desktop{};
  ASSERT_TRUE(StartProcess(L"C:\\windows\\explorer.exe", L"/desktop=KarioLandscape," + std::to_wstring(width) + L"x" +
                                                             std::to_wstring(height) + L" " + kInstalledProgram, &desktop));
  HWND mainWindow = nullptr, dialog = nullptr;
  RECT window{}, rects[3]{};  // the last field, OK, Cancel
  if (WaitUntil([&] { return (mainWindow = FindOnDesktop(L"KRSEARCH")) != nullptr; }, 20000)) {
    PostCommand(mainWindow, IDM_START_AT_COORDINATES);
    WaitUntil([&] { return (dialog = FindOnDesktop(L"#32770")) != nullptr; });
  }
  const int ids[] = {IDC_LAT_MS, IDOK, IDCANCEL};
  for (int i = 0; dialog && i < 3; ++i) rects[i] = ClientRectInParent(GetDlgItem(dialog, ids[i]));
  GetWindowRect(dialog, &window);
  ResetDevice();  // ends the program on that desktop
  // Its explorer ends once its last program has gone, and only then gives the screen its size back.
  EXPECT_NE(WaitForExit(desktop, 20000), -1) << "the virtual desktop did not end";
  CloseProcess(&desktop);
  ASSERT_NE(dialog, nullptr) << "no coordinate dialog on the " << width << "x" << height << " desktop";
  EXPECT_EQ(RectText(window), RectText({0, 0, width, height}));
  // Both buttons right of the fields and inside the screen, Cancel above OK.
  for (int i : {1, 2}) EXPECT_TRUE(rects[i].left > rects[0].right && rects[i].right <= width) << RectText(rects[i]);
  EXPECT_LE(rects[2].bottom, rects[1].top) << "Cancel " << RectText(rects[2]) << ", OK " << RectText(rects[1]);
}

}  // namespace
