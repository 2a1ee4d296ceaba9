// The coordinate entry dialog, driven in the running program: opened from the main window's command, typed into
// through messages, and judged by its message box and the map application stand-in's log of starts.
// The landscape layout runs on a Wine virtual desktop turned on its side.  Wine reports that size to every later
// process of the session, so it runs only with KARIO_E2E_LANDSCAPE=1, in a driver run of its own.
#include <cstdlib>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class CoordinateDialog : public KarioE2e {};

TEST_F(CoordinateDialog, StartsTheMapApplicationInEitherDatumOnlyInsideJapan) {
  ASSERT_TRUE(InstallStandin() && SetRegistryDword(L"TLATV8", 128000000));  // a destination to clear
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  PostCommand(main_, IDM_START_AT_COORDINATES);
  HWND dialog = nullptr;  // without a title, unlike the program's message boxes
  auto isDialog = [](HWND w) {
    return ClassNameOf(w) == L"#32770" && WindowText(w).empty() && GetDlgItem(w, IDC_LON_MS);
  };
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindTopWindow(isDialog, Pid())) != nullptr; }));
  auto type = [&](int id, const wchar_t* text) { SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text); };
  auto press = [&](int id) { PostCommand(dialog, id, BN_CLICKED, GetDlgItem(dialog, id)); };
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the dialog is not modal";
  // On the portrait screen OK lies below the last field.
  EXPECT_GE(ClientRectInParent(GetDlgItem(dialog, IDOK)).top,
            ClientRectInParent(GetDlgItem(dialog, IDC_LAT_MS)).bottom);
  press(IDOK);  // nothing typed
  MessageBoxSeen box = WaitForMessageBox(Pid());
  EXPECT_EQ(box.text, L"指定の経緯度値が正しくありません\n日本国内のみ有効です");
  EXPECT_EQ(GetWindow(box.window, GW_OWNER), dialog) << "the message is not owned by the dialog";
  EXPECT_TRUE(PressMessageBoxButton(box, IDOK));
  type(IDC_LON_MS, L"502890120");  // WGS84, the default
  type(IDC_LAT_MS, L"128482200");
  press(IDOK);
  EXPECT_EQ(WaitForStart(0),
            (std::vector<std::string>{"start", " /M_LON=502901653 /M_LAT=128470591 /M_ANGLE=0 /M_TYPE=10", "TLATV8=0",
                                      "TLONV8=0"}));
  // In the Tokyo datum the value the degree fields wrote goes through
  // unchanged; full-width digits, as a Japanese input method types them, count.
  SendMessageW(GetDlgItem(dialog, IDC_DATUM_TOKYO), BM_CLICK, 0, 0);
  for (auto t : {std::make_pair(IDC_LON_DEGREES, L"１３９"),
                 {IDC_LON_MINUTES, L"41"},
                 {IDC_LON_SECONDS, L"30"},
                 {IDC_LON_HUNDREDTHS, L"5"},
                 {IDC_LAT_DEGREES, L"35"},
                 {IDC_LAT_MINUTES, L"41"},
                 {IDC_LAT_SECONDS, L"22"},
                 {IDC_LAT_HUNDREDTHS, L"30"}})
    type(t.first, t.second);
  press(IDOK);
  EXPECT_EQ(WaitForStart(1).at(1), " /M_LON=502890500 /M_LAT=128482300 /M_ANGLE=0 /M_TYPE=10");
  EXPECT_TRUE(IsWindow(dialog)) << "the dialog closed after a start";
  press(IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(main_); }));
}

// A visible window of `className` on the desktop (a dialog: the one without a title).
HWND FindOnDesktop(const wchar_t* className) {
  HDESK desktop = OpenDesktopW(L"KarioLandscape", 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
  std::pair<const wchar_t*, HWND> search{className, nullptr};
  EnumDesktopWindows(
      desktop,
      [](HWND w, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(param);
        // IsWindowVisible also asks the desktop window, which is not this thread's.
        bool match = (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) && ClassNameOf(w) == s->first &&
                     (ClassNameOf(w) != L"#32770" || WindowText(w).empty());
        return match ? (s->second = w, FALSE) : TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return desktop && CloseDesktop(desktop) ? search.second : nullptr;
}

TEST(CoordinateDialogLandscape, PutsTheButtonsBesideTheFields) {
  if (!getenv("KARIO_E2E_LANDSCAPE")) GTEST_SKIP() << "runs alone, with KARIO_E2E_LANDSCAPE=1";
  ResetDevice();
  const int width = 320 * E2eDisplayScale(), height = 240 * E2eDisplayScale();
  // Wine's own desktop first (GetDesktopWindow waits for it); in a prefix just
  // made the virtual desktop may still be refused at once: started until taken.
  PROCESS_INFORMATION desktop{};
  const std::wstring arguments =
      L"/desktop=KarioLandscape," + std::to_wstring(width) + L"x" + std::to_wstring(height) + L" " + kInstalledProgram;
  DWORD error = 0;
  ASSERT_TRUE(WaitUntil(
      [&] {
        return GetDesktopWindow() &&
               (StartProcess(L"C:\\windows\\explorer.exe", arguments, &desktop) || (error = GetLastError(), false));
      },
      20000))
      << "explorer.exe /desktop not started, error " << error;
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
  EXPECT_EQ(WaitForExit(desktop, 20000), 0) << "-1: the virtual desktop did not end";
  CloseProcess(&desktop);
  ASSERT_NE(dialog, nullptr) << "no coordinate dialog on the " << width << "x" << height << " desktop";
  EXPECT_EQ(RectText(window), RectText({0, 0, width, height}));
  // Both buttons right of the fields and inside the screen, Cancel above OK.
  for (int i : {1, 2}) EXPECT_TRUE(rects[i].left > rects[0].right && rects[i].right <= width) << RectText(rects[i]);
  EXPECT_LE(rects[2].bottom, rects[1].top) << "Cancel " << RectText(rects[2]) << ", OK " << RectText(rects[1]);
}

}  // namespace
