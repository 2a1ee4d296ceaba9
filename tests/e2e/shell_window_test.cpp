// The program as a whole: a second copy that brings the first to the front instead of running, and what a desktop
// does differently from the device (a program folder whose name holds a blank, an override file written on a
// Japanese PC, a screen larger than a device's: the run with KARIO_E2E_DESKTOP=1 on one).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/codepage.h"
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class ShellTest : public KarioE2e {};

TEST_F(ShellTest, SecondCopyBringsTheFirstToTheFrontAndEndsItself) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  HWND other = CreateWindowW(L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
  ASSERT_TRUE(BringToFront(other));
  PROCESS_INFORMATION second{};
  ASSERT_TRUE(StartProcess(kInstalledProgram, L"", &second));
  EXPECT_EQ(WaitForExit(second, 20000), 0) << "second copy's exit code (-1: still running)";
  CloseProcess(&second);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }))
      << "foreground is " << Narrow(WindowText(GetForegroundWindow()));
  EXPECT_EQ(FindWindowExW(nullptr, main_, L"KRSEARCH", nullptr), nullptr) << "a second main window";
  DestroyWindow(other);
}

// A device's screen is the window's, unframed; a larger one holds a device's client area, 240 x (320 − 26)
// per scale, in a frame beside the map application's window (started first), whose close box ends the program
// as Yes to the exit question does, asking nothing.  Either way the 26-high menu bar lies along the client's
// bottom, the coordinate dialog covers the window and a message box lies over it.
TEST_F(ShellTest, MainWindowIsTheDeviceScreenOrADeviceInAFrame) {
  const int s = E2eDisplayScale(), desktop = getenv("KARIO_E2E_DESKTOP") != nullptr;
  // On a desktop the map application's window is there first, for the window to open beside it.
  if (desktop) {
    ASSERT_TRUE(InstallStandin());
    ASSERT_TRUE(StartStandin(kTokyoStationShown));
  }
  HWND map = desktop ? FindWindowW(L"Afx_QZV_MAINWND_", nullptr) : nullptr;
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  RECT window{}, client{}, work{}, covered{}, inner{}, ok{}, mapRect{}, overlap{};
  ASSERT_TRUE(GetWindowRect(main_, &window));
  ASSERT_TRUE(GetClientRect(main_, &client));
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  if (desktop) {
    ASSERT_TRUE(GetWindowRect(map, &mapRect));
    EXPECT_FALSE(IntersectRect(&overlap, &window, &mapRect))
        << RectText(window) << " over the map's " << RectText(mapRect);
  }
  EXPECT_EQ(
      GetWindowLongW(main_, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME) &
          ~(desktop ? 0 : WS_CAPTION),
      desktop ? WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX : 0);  // the system gives every top-level window a caption
  if (desktop) {
    EXPECT_EQ(RectText(client), RectText({0, 0, 240 * s, 294 * s}));
    EXPECT_TRUE(RectInside(window, work)) << RectText(window) << " outside the work area " << RectText(work);
  } else {
    EXPECT_EQ(RectText(window), RectText(work));
  }
  EXPECT_EQ(RectText(ClientRectInParent(FindWindowExW(main_, nullptr, L"KRMENUBAR", nullptr))),
            RectText({0, client.bottom - 26 * s, client.right, client.bottom}));
  PostCommand(main_, IDM_START_AT_COORDINATES);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (dialog = FindTopWindow([](HWND w) { return GetDlgItem(w, IDC_LON_MS) != nullptr; }, Pid()));
  })) << "the coordinate dialog did not open";
  // It covers the window, OK and Cancel inside it (below or beside the fields).
  auto buttonsIn = [&] {
    return GetClientRect(dialog, &inner) && RectInside(ok = ClientRectInParent(GetDlgItem(dialog, IDOK)), inner) &&
           RectInside(ClientRectInParent(GetDlgItem(dialog, IDCANCEL)), inner);
  };
  EXPECT_TRUE(WaitUntil([&] { return GetWindowRect(dialog, &covered) && EqualRect(&covered, &window) && buttonsIn(); }))
      << RectText(covered) << " over the window " << RectText(window) << ", OK at " << RectText(ok) << " in "
      << RectText(inner);
  PostCommand(dialog, IDCANCEL, BN_CLICKED, GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(main_); }))
      << "Cancel did not close the dialog and give the main window back";
  PostCommand(main_, IDM_VERSION_EXIT);
  const MessageBoxSeen question = WaitForMessageBox(Pid());
  RECT box{};
  ASSERT_TRUE(GetWindowRect(question.window, &box)) << "no version-and-exit question";
  const POINT centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  EXPECT_TRUE(PtInRect(&window, centre)) << "the box " << RectText(box) << " off the window " << RectText(window);
  ASSERT_TRUE(PressMessageBoxButton(question, IDNO));
  if (!desktop) return;
  PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);  // what a click on the close box sends
  EXPECT_EQ(WaitForExit(process_, 10000), 0) << "-1: still running (a question asked?)";
}

// The program's own icon, a magnifier over a map pin: the file's first icon, which the file's view shows, at the
// sizes Windows asks for (16, 32, 48).  The window's class carries it for the caption and the task list, which
// another process cannot read back (docs/desktop.png shows it).
TEST_F(ShellTest, ProgramFileCarriesTheProgramsIcon) {
  HMODULE file = LoadLibraryExW(kInstalledProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(file);
  LPWSTR first = nullptr;
  EnumResourceNamesW(
      file, RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
        *reinterpret_cast<LPWSTR*>(found) = name;
        return FALSE;  // the first is enough
      },
      reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(first), ULONG_PTR{IDI_PROGRAM});
  HRSRC group = FindResourceW(file, MAKEINTRESOURCEW(IDI_PROGRAM), RT_GROUP_ICON);
  const auto* directory = group ? static_cast<const BYTE*>(LockResource(LoadResource(file, group))) : nullptr;
  ASSERT_TRUE(directory);
  std::vector<int> sizes;  // a 6-byte header, then 14-byte entries whose first byte is the width
  for (int i = 0; i < reinterpret_cast<const WORD*>(directory)[2]; ++i) sizes.push_back(directory[6 + 14 * i]);
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
  FreeLibrary(file);
}

// The manual: on a desktop the system's handler for .htm gets it (here a browser stand-in registered as its
// handler), even where an iexplore.exe lies beside the program; the handheld's own browser where it is.
TEST_F(ShellTest, DesktopFolderWithABlankAndAShiftJisOverrideFile) {
  const std::wstring folder = L"C:\\Kario Test\\", program = WinePathOf(KARIO_EXE_PATH);
  ASSERT_TRUE(CopyFileTo(program, folder + L"kariosearch.exe"));
  ASSERT_TRUE(CopyFileTo(program.substr(0, program.size() - 3) + L"htm", folder + L"kariosearch.htm"));
  ASSERT_TRUE(WriteTextFile(folder + L"mappath.txt", WideToCodePage932(u"\\地図データ\\") + "\r\n"));
  const std::wstring handler = L"\"" + folder + L"iexplore.exe\" \"%1\"";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L".htm", nullptr, REG_SZ, L"KarioTest.htm", 28), ERROR_SUCCESS);
  ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"KarioTest.htm\\shell\\open\\command", nullptr, REG_SZ, handler.c_str(),
                            DWORD(2 * handler.size() + 2)),
            ERROR_SUCCESS);
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail(folder + L"kariosearch.exe"));
  EXPECT_EQ(Narrow(WindowText(Control(IDC_FOLDER_LABEL))), "\\地図データ\\");
  for (auto [browserFolder, browser] :
       {std::pair{folder, folder + L"iexplore.exe"}, {L"C:\\Windows\\", L"\\Windows\\iexplore.exe"}}) {
    ASSERT_TRUE(CopyFileTo(WinePathOf(KARIO_TOOL_fake_iexplore), browserFolder + L"iexplore.exe"));
    PostCommand(main_, IDM_MANUAL);
    std::string log;
    auto read = [&] {
      return std::getline(std::ifstream(std::filesystem::path(browserFolder + L"browser_log.txt")), log) &&
             !log.empty();
    };
    EXPECT_TRUE(WaitUntil(read)) << "no browser logged the manual in " << Narrow(browserFolder);
    EXPECT_EQ(log, "\"" + Narrow(browser) + "\" \"C:\\Kario Test\\kariosearch.htm\"");
  }
}

}  // namespace
