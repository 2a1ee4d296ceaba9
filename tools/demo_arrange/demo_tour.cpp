// demo_tour FOLDER: walks the demo device through a newcomer's path the way a
// person would, asking for a screenshot of each step in FOLDER (a Windows
// path; see SaveScreen):
//   the map (at Tokyo station) zoomed out, dragged until 横浜市 lies under
//   its cross and zoomed in again -> カリオSearch's point follows;
//   mode 詳細図検索, term 横浜, 検索 -> the list;
//   the first line double-tapped -> the confirmation, answered Yes -> the map
//   application restarted there with 横浜市 marked as destination;
//   経緯度を指定して起動 -> the coordinate dialog with a longitude typed.
// Ends with 0 when every step happened, else 1 with the step on stderr.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const wchar_t kTitle[] = L"カリオSearch";
std::wstring g_folder;

bool WaitFor(HWND* found, const wchar_t* className, const wchar_t* title, DWORD ms = 20000) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    *found = FindWindowW(className, title);
    if (*found && IsWindowVisible(*found)) return true;
    Sleep(100);
  }
  return false;
}

// Asks for a screenshot of the screen as it is now: writes FOLDER\NAME.ready
// and waits (up to 15 s) until the caller, who takes the screenshot from the
// X server, has deleted it.
void SaveScreen(const wchar_t* name) {
  std::wstring path = g_folder + L"\\" + name + L".ready";
  if (FILE* out = _wfopen(path.c_str(), L"wb")) fclose(out);
  for (int i = 0; i < 150 && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
}

// Lets the windows paint before a screenshot.
void Settle() { Sleep(700); }

std::wstring PointLabel(HWND label) {
  wchar_t text[64] = {};
  GetWindowTextW(label, text, 64);
  return text;
}

// A drag with the left button, in small steps as a hand makes it.
void Drag(HWND window, int fromX, int fromY, int toX, int toY) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, fromY));
  for (int step = 1; step <= 10; ++step) {
    Sleep(60);
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(fromX + (toX - fromX) * step / 10, fromY + (toY - fromY) * step / 10));
  }
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(toX, toY));
}

int Fail(const char* step) {
  std::fprintf(stderr, "demo tour: %s\n", step);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Fail("usage: demo_tour FOLDER");
  g_folder = argv[1];
  HWND tool = nullptr, map = nullptr, box = nullptr;
  if (!WaitFor(&tool, L"KRSEARCH", kTitle)) return Fail("no カリオSearch window");
  HWND label = GetDlgItem(tool, 1040), edit = GetDlgItem(tool, 1010), mode = GetDlgItem(tool, 1050);
  HWND list = GetDlgItem(tool, 1000);
  for (int i = 0; i < 100 && GetWindowTextLengthW(label) == 0; ++i) Sleep(100);
  if (GetWindowTextLengthW(label) == 0) return Fail("the point was not read");
  std::wstring firstPoint = PointLabel(label);

  // The map in front, one step out, dragged by hand from 横浜市 (45 pixels
  // left of the cross and 105 below it at this zoom) to the cross.
  if (!WaitFor(&map, L"Afx_QZV_MAINWND_", nullptr)) return Fail("no map application window");
  SetForegroundWindow(map);
  PostMessageW(map, WM_KEYDOWN, VK_NEXT, 0);
  Settle();
  Drag(map, 120 - 45, 160 + 105, 120, 160);
  PostMessageW(map, WM_KEYDOWN, VK_PRIOR, 0);
  for (int i = 0; i < 100 && PointLabel(label) == firstPoint; ++i) Sleep(100);
  if (PointLabel(label) == firstPoint) return Fail("the point did not follow the map");
  Settle();
  SaveScreen(L"1-dragged");

  SendMessageW(mode, CB_SETCURSEL, 3, 0);
  PostMessageW(tool, WM_COMMAND, MAKEWPARAM(1050, CBN_CLOSEUP), reinterpret_cast<LPARAM>(mode));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"横浜"));
  PostMessageW(tool, WM_COMMAND, MAKEWPARAM(1020, BN_CLICKED), 0);
  if (!WaitFor(&box, L"#32770", kTitle)) return Fail("no message after the search");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(100);
  Settle();
  SaveScreen(L"2-results");

  SendMessageW(list, LB_SETCURSEL, 0, 0);
  PostMessageW(tool, WM_COMMAND, MAKEWPARAM(1000, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  if (!WaitFor(&box, L"#32770", L"データ詳細")) return Fail("no confirmation");
  Settle();
  SaveScreen(L"3-confirmation");
  HWND oldMap = FindWindowW(L"Afx_QZV_MAINWND_", nullptr);
  PostMessageW(box, WM_COMMAND, IDYES, 0);
  // The map application is closed and started again at the place.
  for (int i = 0; i < 200; ++i) {
    map = FindWindowW(L"Afx_QZV_MAINWND_", nullptr);
    if (map && map != oldMap) break;
    Sleep(100);
  }
  if (!map || map == oldMap) return Fail("the map application did not restart");
  DWORD destination = 0, size = sizeof destination;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Varnelle\\Tessara Mobile\\QZV", L"TLATV8", RRF_RT_REG_DWORD, nullptr,
                   &destination, &size) != ERROR_SUCCESS ||
      destination == 0)
    return Fail("no destination for the map application");
  SetForegroundWindow(map);
  Settle();
  SaveScreen(L"4-destination");

  PostMessageW(tool, WM_COMMAND, 40024, 0);
  HWND dialog = nullptr;
  for (int i = 0; i < 100 && !dialog; ++i) {
    HWND candidate = FindWindowW(L"#32770", nullptr);
    if (candidate && GetDlgItem(candidate, 1004))
      dialog = candidate;
    else
      Sleep(100);
  }
  if (!dialog) return Fail("no coordinate dialog");
  // 139°41′30.05″ and 35°41′22.30″: the ms fields follow as they are typed.
  const wchar_t* values[] = {L"139", L"41", L"30", L"5", L"35", L"41", L"22", L"30"};
  const int ids[] = {1011, 1012, 1013, 1014, 1016, 1017, 1018, 1019};
  for (int i = 0; i < 8; ++i)
    SendMessageW(GetDlgItem(dialog, ids[i]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(values[i]));
  Settle();
  SaveScreen(L"5-coordinates");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return 0;
}
