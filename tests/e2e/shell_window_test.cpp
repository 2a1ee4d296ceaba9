// The main window as a person meets it: its controls laid out for the screen,
// the menu bar, and the ways the program ends.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class ShellTest : public KarioE2e {};

TEST_F(ShellTest, ControlsAreLaidOutForTheScreenOfTheDisplayScale) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  const int s = E2eDisplayScale();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240 * s);
  // The search button ends its row at the right edge (of the window: Wine
  // gives it a frame); the result list lies between that row and the menu bar.
  RECT window{}, button = ClientRectInParent(Control(IDC_SEARCH_BUTTON)), list = ClientRectInParent(Control(IDC_RESULT_LIST));
  RECT bar = ClientRectInParent(FindWindowExW(main_, nullptr, L"KRMENUBAR", nullptr));
  GetWindowRect(main_, &window);
  EXPECT_TRUE(button.right <= window.right - window.left && button.right >= window.right - window.left - 10 * s)
      << RectText(button) << " in " << RectText(window);
  EXPECT_TRUE(list.top >= button.bottom && list.bottom <= bar.top) << RectText(list) << " above " << RectText(bar);
}

TEST_F(ShellTest, VersionQuestionFromTheMenuBarNoKeepsRunningYesEndsWithCodeZero) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  HWND second = GetDlgItem(FindWindowExW(main_, nullptr, L"KRMENUBAR", nullptr), IDM_BAR_MENU);
  EXPECT_EQ(Narrow(WindowText(second)), "  メニュー  ");
  for (int answer : {IDNO, IDYES}) {
    if (answer == IDNO) {
      // The second button's popup, its last item chosen with the keyboard.
      PostMessageW(second, BM_CLICK, 0, 0);
      HWND popup = nullptr;
      ASSERT_TRUE(WaitUntil([&] { return (popup = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(popup); }));
      PostMessageW(popup, WM_KEYDOWN, VK_UP, 0);
      PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      PostCommand(main_, IDM_VERSION_EXIT);
    }
    MessageBoxSeen box = WaitForMessageBox(Pid());
    EXPECT_EQ(Narrow(box.text), "Ver.10.02\n\n終了しますか？");
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), main_) << "not owned by the main window";
    ASSERT_TRUE(PressMessageBoxButton(box, answer));
    EXPECT_EQ(WaitForExit(process_, answer == IDNO ? 500 : 10000), answer == IDNO ? -1 : 0) << "-1: still running";
  }
}

TEST_F(ShellTest, SecondCopyBringsTheFirstToTheFrontAndEnds) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));
  PROCESS_INFORMATION second{};
  ASSERT_TRUE(StartProcess(kInstalledProgram, L"", &second));
  EXPECT_EQ(WaitForExit(second, 20000), 0) << "second copy's exit code (-1: still running)";
  CloseProcess(&second);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }))
      << "foreground is " << Narrow(WindowText(GetForegroundWindow()));
  EXPECT_EQ(FindWindowExW(nullptr, main_, L"KRSEARCH", nullptr), nullptr) << "a second main window";
  DestroyWindow(other);
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(process_, 10000), 0) << "-1: still running";
}

}  // namespace
