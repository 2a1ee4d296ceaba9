#include <cstdio>

#include "resources/resource_ids.h"
#include "tests/e2e/shell_test_support.h"

std::string Narrow(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::string RectText(const RECT& r) {
  char text[80];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return text;
}

RECT ClientOf(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return r;
}

HWND MenuBarOf(HWND mainWindow) { return FindWindowExW(mainWindow, nullptr, L"KRMENUBAR", nullptr); }

void ChooseSearchMode(HWND mainWindow, int index) {
  HWND combo = GetDlgItem(mainWindow, IDC_MODE_COMBO);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  PostCommand(mainWindow, IDC_MODE_COMBO, CBN_CLOSEUP, combo);
}

void ShellTest::StartKarioOrFail() {
  kario_ = StartKario();
  ASSERT_NE(kario_.mainWindow, nullptr) << "no window \"カリオSearch\" of class KRSEARCH appeared";
  // The window can be found while it is still being created; start-up ends
  // with the focus in the search-mode combo box.
  HWND modeCombo = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    modeCombo = GetDlgItem(kario_.mainWindow, IDC_MODE_COMBO);
    return modeCombo && FocusOf(KarioThread()) == modeCombo;
  })) << "start-up did not finish: mode combo box " << modeCombo << ", focus in control "
      << GetDlgCtrlID(FocusOf(KarioThread()));
}
