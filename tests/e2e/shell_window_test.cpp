// The main window as a person meets it: its controls, the two combo boxes,
// the switch between the search edit and the category combo box, focus,
// resizing, the menu bar, and the ways the program ends.
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class ShellTest : public KarioE2e {};

struct ExpectedControl {
  int id;
  const wchar_t* className;
  const wchar_t* text;  // null: not checked here (set from the environment)
  LONG style;
  int x, y, width, height;  // at display scale 1
};

const ExpectedControl kControls[] = {
    {IDC_POINT_CAPTION, L"Static", L"ポイント：", 0x50000000, 5, 10, 60, 20},
    {IDC_POINT_LABEL, L"Static", L"", 0x50000000, 70, 10, 160, 20},
    {IDC_MODE_CAPTION, L"Static", L"検索モード：", 0x50000000, 5, 35, 60, 20},
    {IDC_SEARCH_EDIT, L"Edit", L"", 0x50800080, 65, 60, 105, 20},
    {IDC_MODE_COMBO, L"ComboBox", nullptr, 0x50A00003, 65, 35, 170, 100},
    {IDC_CATEGORY_COMBO, L"ComboBox", nullptr, 0x50A00002, 65, 60, 105, 150},
    {IDC_TERM_CAPTION, L"Static", L"検索語句：", 0x50000000, 5, 60, 60, 20},
    {IDC_SEARCH_BUTTON, L"Button", L"検索", 0x50000000, 175, 60, 60, 20},
    {IDC_FOLDER_LABEL, L"Static", nullptr, 0x50000002, 0, 252, 240, 15},
    {IDC_RESULT_LIST, L"ListBox", nullptr, 0x50A00103, 5, 85, 230, 140},
};

bool SameClass(const std::wstring& seen, const wchar_t* expected) {
  return _wcsicmp(seen.c_str(), expected) == 0;
}

const std::vector<std::wstring> kFiveModes = {
    L"広域図検索", L"中域図検索", L"小域図検索", L"詳細図検索", L"電話番号検索(ネット接続)",
};
const std::vector<std::wstring> kTenCategories = {
    L"タウン", L"レジャー・スポーツ", L"温泉", L"祭り・イベント", L"自然地形",
    L"食べる", L"買う", L"泊まる", L"文化施設", L"名所・旧跡",
};

// A top-level window of the test's own, to take the activation away.
HWND CreateOtherWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ShellTestOther";
  RegisterClassW(&wc);
  return CreateWindowExW(0, L"ShellTestOther", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                         nullptr, nullptr, wc.hInstance, nullptr);
}

// The result list and the folder label fill the client area's width and keep
// fixed distances to its bottom, above the menu bar; "" when they do.
std::string BottomLayoutMismatch(HWND mainWindow) {
  const int s = E2eDisplayScale();
  RECT client = ClientOf(mainWindow);
  RECT list = ClientRectInParent(GetDlgItem(mainWindow, IDC_RESULT_LIST));
  RECT folder = ClientRectInParent(GetDlgItem(mainWindow, IDC_FOLDER_LABEL));
  RECT bar = ClientRectInParent(MenuBarOf(mainWindow));
  RECT expectedList = {5 * s, 85 * s, client.right - 5 * s, client.bottom - 44 * s};
  RECT expectedFolder = {0, client.bottom - 42 * s, client.right, client.bottom - 27 * s};
  RECT expectedBar = {0, client.bottom - 26 * s, client.right, client.bottom};
  if (RectText(list) == RectText(expectedList) && RectText(folder) == RectText(expectedFolder) &&
      RectText(bar) == RectText(expectedBar))
    return "";
  return "client " + RectText(client) + ": list " + RectText(list) + " folder " + RectText(folder) + " bar " +
         RectText(bar);
}

int CountMainWindows() {
  int n = 0;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"KRSEARCH", nullptr)) != nullptr;) ++n;
  return n;
}

TEST_F(ShellTest, ControlsCombosAndScaledPlacesAtEverySize) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  const int s = E2eDisplayScale();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240 * s);
  EXPECT_EQ(ClassNameOf(kario_.mainWindow), L"KRSEARCH");
  EXPECT_EQ(WindowText(kario_.mainWindow), L"カリオSearch");
  // The program starts with the focus in the search-mode combo box (waited
  // for by StartKarioOrFail), the search edit in front of the categories.
  for (HWND w = GetWindow(Control(IDC_CATEGORY_COMBO), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    EXPECT_NE(w, Control(IDC_SEARCH_EDIT)) << "the search edit lies behind the category combo box";
  }
  for (const ExpectedControl& c : kControls) {
    HWND w = Control(c.id);
    ASSERT_NE(w, nullptr) << "no control " << c.id;
    EXPECT_TRUE(SameClass(ClassNameOf(w), c.className)) << c.id << " is of class " << Narrow(ClassNameOf(w));
    if (c.text) EXPECT_EQ(Narrow(WindowText(w)), Narrow(c.text)) << "text of " << c.id;
    // Edit and combo boxes draw their border themselves (WS_BORDER goes); a
    // combo box hands WS_VSCROLL to its list, a list box shows it only when needed.
    const LONG mask = SameClass(ClassNameOf(w), L"Static") || SameClass(ClassNameOf(w), L"Button")
                          ? ~0L : ~static_cast<LONG>(WS_BORDER | WS_VSCROLL);
    EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & mask, c.style & mask) << "style of " << c.id;
  }
  // Without a QLCode database: five modes, the first selected, and ten categories, none selected.
  EXPECT_EQ(ComboItems(Control(IDC_MODE_COMBO)), kFiveModes);
  EXPECT_EQ(ComboSelection(Control(IDC_MODE_COMBO)), 0);
  EXPECT_EQ(ComboItems(Control(IDC_CATEGORY_COMBO)), kTenCategories);
  EXPECT_EQ(ComboSelection(Control(IDC_CATEGORY_COMBO)), CB_ERR) << "a category is selected";
  // Resizing moves only the result list box and the folder label, which
  // follow the client area's size.
  const SIZE sizes[] = {{0, 0}, {200 * s, 260 * s}, {240 * s, 300 * s}, {230 * s, 320 * s}};
  for (SIZE size : sizes) {
    if (size.cx) MoveWindow(kario_.mainWindow, 0, 0, size.cx, size.cy, TRUE);
    EXPECT_TRUE(WaitUntil([&] { return BottomLayoutMismatch(kario_.mainWindow).empty(); }))
        << "window " << size.cx << "x" << size.cy << ", " << BottomLayoutMismatch(kario_.mainWindow);
    for (const ExpectedControl& c : kControls) {
      if (c.id == IDC_RESULT_LIST || c.id == IDC_FOLDER_LABEL) continue;
      RECT r = ClientRectInParent(Control(c.id));
      // A combo box's window is as high as its closed field; its requested
      // height goes to the dropped-down list, whose size the platform works
      // out from the font, so only the place and width are compared.
      if (SameClass(ClassNameOf(Control(c.id)), L"ComboBox")) r.bottom = r.top + c.height * s;
      RECT expected = {c.x * s, c.y * s, (c.x + c.width) * s, (c.y + c.height) * s};
      EXPECT_EQ(RectText(r), RectText(expected)) << "place of control " << c.id << " in window " << size.cx;
    }
  }
}

TEST_F(ShellTest, ClosingTheModeListSwitchesBetweenSearchEditAndCategories) {
  SetRegistryString(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", L"\\SD\\Data\\tessara.dat");
  ASSERT_TRUE(WriteTextFile(L"C:\\SD\\Data\\Map\\qlcode.qldb", "db"));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  HWND edit = Control(IDC_SEARCH_EDIT);
  HWND categories = Control(IDC_CATEGORY_COMBO);
  ASSERT_EQ(ComboItems(Control(IDC_MODE_COMBO)).size(), 6u);
  EXPECT_EQ(Narrow(ComboItems(Control(IDC_MODE_COMBO))[5]), "QLCode検索");
  EXPECT_TRUE(IsWindowVisible(edit));
  EXPECT_TRUE(IsWindowVisible(categories));

  const struct { int mode; bool categoriesShown; } steps[] = {
      {5, true}, {2, false}, {5, true}, {5, true}, {0, false}, {0, false}};
  for (const auto& step : steps) {
    ChooseSearchMode(kario_.mainWindow, step.mode);
    HWND shown = step.categoriesShown ? categories : edit;
    HWND hidden = step.categoriesShown ? edit : categories;
    EXPECT_TRUE(FocusComesTo(shown)) << "mode " << step.mode;
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(shown) && !IsWindowVisible(hidden); }))
        << "mode " << step.mode << ": edit visible " << IsWindowVisible(edit) << ", categories visible "
        << IsWindowVisible(categories);
    // Front of the two: the shown one lies above the hidden one.
    bool shownAbove = false;
    for (HWND w = GetWindow(hidden, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) shownAbove |= w == shown;
    EXPECT_TRUE(shownAbove) << "mode " << step.mode;
  }

  // The menu's focus commands follow the mode.
  PostCommand(kario_.mainWindow, IDM_FOCUS_RESULTS);
  EXPECT_TRUE(FocusComesTo(Control(IDC_RESULT_LIST)));
  PostCommand(kario_.mainWindow, IDM_FOCUS_TERM);
  EXPECT_TRUE(FocusComesTo(edit)) << "mode 0 term focus";
  ChooseSearchMode(kario_.mainWindow, 5);
  PostCommand(kario_.mainWindow, IDM_FOCUS_MODE);
  EXPECT_TRUE(FocusComesTo(Control(IDC_MODE_COMBO)));
  PostCommand(kario_.mainWindow, IDM_FOCUS_TERM);
  EXPECT_TRUE(FocusComesTo(categories)) << "mode 5 term focus";
}

TEST_F(ShellTest, FocusComesBackAfterAnotherWindowWasActive) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  HWND edit = Control(IDC_SEARCH_EDIT);
  HWND modeCombo = Control(IDC_MODE_COMBO);
  // Deactivation and activation as messages, with the focus moved in
  // between: the activation must put it back where it was.
  for (int command : {IDM_FOCUS_TERM, IDM_FOCUS_RESULTS}) {
    HWND saved = command == IDM_FOCUS_TERM ? edit : Control(IDC_RESULT_LIST);
    PostCommand(kario_.mainWindow, command);
    ASSERT_TRUE(FocusComesTo(saved));
    PostMessageW(kario_.mainWindow, WM_ACTIVATE, WA_INACTIVE, 0);
    PostCommand(kario_.mainWindow, IDM_FOCUS_MODE);
    ASSERT_TRUE(FocusComesTo(modeCombo));
    PostMessageW(kario_.mainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(FocusComesTo(saved));
  }
  // And through the platform: another window in front, then the program again.
  PostCommand(kario_.mainWindow, IDM_FOCUS_TERM);
  ASSERT_TRUE(FocusComesTo(edit));
  HWND other = CreateOtherWindow();
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; })) << "foreground stayed " << GetForegroundWindow();
  SetForegroundWindow(kario_.mainWindow);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == kario_.mainWindow; }));
  EXPECT_TRUE(FocusComesTo(edit));
  DestroyWindow(other);
}

TEST_F(ShellTest, VersionQuestionFromTheMenuBarNoKeepsRunningYesEndsWithCodeZero) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  HWND bar = MenuBarOf(kario_.mainWindow);
  ASSERT_NE(bar, nullptr) << "no menu bar";
  HWND second = GetDlgItem(bar, IDM_BAR_MENU);
  EXPECT_EQ(Narrow(WindowText(GetDlgItem(bar, IDM_BAR_TESSARA))), "  Tessara  ");
  EXPECT_EQ(Narrow(WindowText(second)), "  メニュー  ");
  EXPECT_TRUE(IsWindowEnabled(bar) && IsWindowEnabled(second));
  for (int answer : {IDNO, IDYES}) {
    if (answer == IDNO) {
      // The second button's popup, its last item chosen with the keyboard.
      PostMessageW(second, BM_CLICK, 0, 0);
      HWND popup = nullptr;
      ASSERT_TRUE(WaitUntil([&] { return (popup = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(popup); }))
          << "no popup menu opened";
      PostMessageW(popup, WM_KEYDOWN, VK_UP, 0);
      PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      PostCommand(kario_.mainWindow, IDM_VERSION_EXIT);
    }
    MessageBoxSeen box = WaitForMessageBox(Pid(), L"カリオSearch");
    ASSERT_NE(box.window, nullptr) << "no version question (answer " << answer << ")";
    EXPECT_EQ(Narrow(box.text), "Ver.10.02\n\n終了しますか？");
    EXPECT_EQ(box.buttons.size(), 2u);
    EXPECT_NE(GetDlgItem(box.window, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box.window, IDNO), nullptr);
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), kario_.mainWindow) << "not owned by the main window";
    ASSERT_TRUE(PressMessageBoxButton(box, answer));
    if (answer == IDNO) {
      // Still running and still answering commands.
      EXPECT_EQ(WaitForExit(kario_.process, 500), -1) << "the program ended after No";
      PostCommand(kario_.mainWindow, IDM_FOCUS_RESULTS);
      EXPECT_TRUE(FocusComesTo(Control(IDC_RESULT_LIST)));
    }
  }
  EXPECT_EQ(WaitForExit(kario_.process, 10000), 0) << "exit code after Yes (-1: still running)";
}

TEST_F(ShellTest, SecondCopyBringsTheFirstToTheFrontThenClosingEndsWithCodeZero) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  HWND other = CreateOtherWindow();
  SetForegroundWindow(other);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));
  PROCESS_INFORMATION second{};
  ASSERT_TRUE(StartProcess(kInstalledProgram, L"", &second));
  EXPECT_EQ(WaitForExit(second, 20000), 0) << "second copy's exit code (-1: still running)";
  CloseHandle(second.hProcess);
  CloseHandle(second.hThread);
  EXPECT_EQ(CountMainWindows(), 1);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == kario_.mainWindow; }))
      << "foreground is " << Narrow(WindowText(GetForegroundWindow()));
  EXPECT_EQ(WaitForExit(kario_.process, 0), -1) << "the first copy ended";
  DestroyWindow(other);
  // Closing the window ends the program with code 0.
  PostMessageW(kario_.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(kario_.process, 10000), 0) << "-1: still running";
}

}  // namespace
