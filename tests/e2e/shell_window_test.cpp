// The main window as a person meets it: its controls laid out for the screen,
// the menu bar, and the ways the program ends.
#include <set>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class ShellTest : public KarioE2e {};

TEST_F(ShellTest, ControlsLieApartInsideTheClientAreaAcrossTheScreensWidth) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240 * E2eDisplayScale());
  // Under Wine the window has a frame, which a device's full-screen window lacks.
  RECT client{}, both{}, window{};
  GetClientRect(main_, &client);
  GetWindowRect(main_, &window);
  std::vector<RECT> seen;
  std::set<int> ids;
  LONG right = 0;
  for (HWND c = GetWindow(main_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r = ClientRectInParent(c);
    SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(c) << " at " << RectText(r));
    EXPECT_TRUE(ids.insert(GetDlgCtrlID(c)).second);
    if (GetDlgCtrlID(c) == IDC_CATEGORY_COMBO) continue;  // in the search edit's place
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= window.right - window.left && r.bottom <= client.bottom);
    for (const RECT& other : seen) EXPECT_FALSE(IntersectRect(&both, &r, &other)) << RectText(other);
    seen.push_back(r);
    if (r.right - r.left < client.right) right = std::max(right, r.right);  // what spans the width follows it
  }
  EXPECT_EQ(ids.size(), 11u) << "ten controls and the menu bar";
  EXPECT_GE(right, client.right - 10 * E2eDisplayScale()) << "the controls are not laid out for the scale";
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
