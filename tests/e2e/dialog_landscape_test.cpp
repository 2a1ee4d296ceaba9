// The coordinate dialog on a landscape screen.  The test screens are
// portrait, so the program runs here on a Wine virtual desktop of the same
// scale turned on its side (320x240 at scale 1, 640x480 at scale 2); its
// windows live on that desktop and are found through it.
//
// Once a virtual desktop of another size has existed, Wine reports that size
// as the screen to every process of the session, even after the desktop has
// gone; tests run after this one would see a landscape screen.  So it runs
// only when KARIO_E2E_LANDSCAPE=1, in a driver run of its own:
//   e2e_tests --gtest_filter=CoordinateDialogLandscape.*
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

const wchar_t kDesktopName[] = L"KarioLandscape";

struct DesktopSearch {
  const wchar_t* className;
  bool emptyTitle;
  HWND found;
};

BOOL CALLBACK MatchOnDesktop(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<DesktopSearch*>(param);
  // IsWindowVisible looks at the desktop window too, which is not this
  // thread's: the window's own style tells.
  if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) || ClassNameOf(w) != search->className) return TRUE;
  if (search->emptyTitle && (!WindowText(w).empty() || !GetDlgItem(w, IDC_LON_MS))) return TRUE;
  search->found = w;
  return FALSE;
}

HWND FindOnDesktop(const wchar_t* className, bool emptyTitle) {
  HDESK desktop = OpenDesktopW(kDesktopName, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
  if (!desktop) return nullptr;
  DesktopSearch search{className, emptyTitle, nullptr};
  EnumDesktopWindows(desktop, MatchOnDesktop, reinterpret_cast<LPARAM>(&search));
  CloseDesktop(desktop);
  return search.found;
}

void EndProcessOf(HWND w) {
  DWORD pid = 0;
  if (!w || !GetWindowThreadProcessId(w, &pid)) return;
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!process) return;
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(CoordinateDialogLandscape, PutsTheButtonsBesideTheFields) {
  const char* wanted = getenv("KARIO_E2E_LANDSCAPE");
  if (!wanted || wanted[0] != '1') GTEST_SKIP() << "runs alone, with KARIO_E2E_LANDSCAPE=1";
  ResetDevice();
  const int s = E2eDisplayScale();
  const int width = 320 * s, height = 240 * s;
  std::wstring arguments = L"/desktop=" + std::wstring(kDesktopName) + L"," + std::to_wstring(width) + L"x" +
                           std::to_wstring(height) + L" " + kInstalledProgram;
  PROCESS_INFORMATION desktop{};
  ASSERT_TRUE(StartProcess(L"C:\\windows\\explorer.exe", arguments, &desktop));

  HWND mainWindow = nullptr;
  bool shown = WaitUntil([&] { return (mainWindow = FindOnDesktop(L"KRSEARCH", false)) != nullptr; }, 20000);
  HWND dialog = nullptr;
  if (shown) {
    PostCommand(mainWindow, IDM_START_AT_COORDINATES);
    WaitUntil([&] { return (dialog = FindOnDesktop(L"#32770", true)) != nullptr; });
  }
  RECT window{}, ok{}, cancel{};
  if (dialog) {
    GetWindowRect(dialog, &window);
    ok = ClientRectInParent(GetDlgItem(dialog, IDOK));
    cancel = ClientRectInParent(GetDlgItem(dialog, IDCANCEL));
    PostCommand(dialog, IDCANCEL);
    WaitUntil([&] { return !IsWindow(dialog); });
  }
  EndProcessOf(mainWindow);
  ResetDevice();  // whatever is left of the program on that desktop
  // The virtual desktop's explorer ends by itself once its last program has
  // gone, and only then gives the screen its own size back.
  bool desktopEnded = WaitForExit(desktop, 20000) != -1;
  if (!desktopEnded) TerminateProcess(desktop.hProcess, 0);
  WaitForSingleObject(desktop.hProcess, 5000);
  CloseHandle(desktop.hProcess);
  CloseHandle(desktop.hThread);

  EXPECT_TRUE(desktopEnded) << "the virtual desktop did not end";
  ASSERT_TRUE(shown) << "the program showed no window on the " << width << "x" << height << " desktop";
  ASSERT_NE(dialog, nullptr) << "the coordinate dialog did not open";
  EXPECT_TRUE(SameRect(window, RECT{0, 0, width, height}))
      << "the dialog covers " << window.left << "," << window.top << "-" << window.right << "," << window.bottom;
  EXPECT_TRUE(SameRect(ok, RECT{250 * s, 70 * s, 310 * s, 100 * s}))
      << "OK at " << ok.left << "," << ok.top << "-" << ok.right << "," << ok.bottom;
  EXPECT_TRUE(SameRect(cancel, RECT{250 * s, 20 * s, 310 * s, 50 * s}))
      << "Cancel at " << cancel.left << "," << cancel.top << "-" << cancel.right << "," << cancel.bottom;
}

}  // namespace
