// demo_tour FOLDER: walks the demo device through a newcomer's path the way a
// person would, asking for a screenshot of each step in FOLDER (a Windows
// path; see SaveScreen):
//   mode 広域図検索, term 厚木, 検索 -> the completion message, the list;
//   the first line double-tapped -> the confirmation, answered Yes -> the map
//   application restarted with 厚木市 as destination;
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

  SendMessageW(mode, CB_SETCURSEL, 0, 0);
  PostMessageW(tool, WM_COMMAND, MAKEWPARAM(1050, CBN_CLOSEUP), reinterpret_cast<LPARAM>(mode));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"厚木"));
  PostMessageW(tool, WM_COMMAND, MAKEWPARAM(1020, BN_CLICKED), 0);
  if (!WaitFor(&box, L"#32770", kTitle)) return Fail("no message after the search");
  Settle();
  SaveScreen(L"1-search-done");
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
  Settle();
  SaveScreen(L"4-destination");

  PostMessageW(tool, WM_COMMAND, 40024, 0);
  HWND dialog = nullptr;
  for (int i = 0; i < 100 && !dialog; ++i) {
    HWND candidate = FindWindowW(L"#32770", nullptr);
    if (candidate && GetDlgItem(candidate, 1004)) dialog = candidate;
    else Sleep(100);
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
