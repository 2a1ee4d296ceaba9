#include "tests/e2e/e2e_support.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/utf.h"
#include "resources/resource_ids.h"

const wchar_t* const kInstalledProgram = L"C:\\KarioTest\\kariosearch.exe";
const wchar_t* const kMapAppKey = L"Software\\Varnelle\\Tessara Mobile\\QZV";
const wchar_t* const kStandinExe = L"C:\\Program Files\\Varnelle\\TessaraMobile10.exe";
const wchar_t kTokyoStationShown[] = L"/M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=12";
const wchar_t kNoResult[] = L"検索結果なし!\n他の検索モードで検索してみてください";

void KillPrograms() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W e{sizeof e};
  for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e)) {
    bool named = !_wcsicmp(e.szExeFile, L"kariosearch.exe") || !_wcsnicmp(e.szExeFile, L"TessaraMobile", 13);
    PROCESS_INFORMATION p{named ? OpenProcess(PROCESS_ALL_ACCESS, FALSE, e.th32ProcessID) : nullptr};
    CloseProcess(&p);
  }
  CloseHandle(snap);
}

std::wstring WinePathOf(const char* unixPath) {
  std::wstring w = AsWide(Utf8ToUtf16(unixPath));
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  return L"Z:" + w;
}

int E2eDisplayScale() { return getenv("KARIO_DISPLAY_SCALE") && getenv("KARIO_DISPLAY_SCALE")[0] == '2' ? 2 : 1; }

bool WriteTextFile(const std::wstring& path, const std::string& bytes) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush().good();
}

bool CopyFileTo(const std::wstring& from, const std::wstring& to) {
  return WriteTextFile(to, "") && CopyFileW(from.c_str(), to.c_str(), FALSE);  // the first makes the folders
}

bool SetRegistryDword(const wchar_t* name, DWORD value) {
  return RegSetKeyValueW(HKEY_CURRENT_USER, kMapAppKey, name, REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

void ResetDevice() {
  KillPrograms();  // windows of an earlier test first: they hold files open
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Varnelle");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType");
  for (const wchar_t* key : {L".htm", L"KarioTest.htm"})
    RegDeleteTreeW(HKEY_CLASSES_ROOT, key);  // the manual's handler
  std::error_code error;
  for (const wchar_t* path :
       {L"C:\\Program Files\\Varnelle", L"C:\\SD", L"C:\\KarioTest", L"C:\\Kario Test", L"C:\\htmbuff.txt", L"C:\\Data",
        L"C:\\Windows\\iexplore.exe", L"C:\\Windows\\browser_log.txt"})
    std::filesystem::remove_all(path, error);
  CopyFileTo(WinePathOf(KARIO_EXE_PATH), kInstalledProgram);
}

bool StartProcess(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION* out) {
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW si{sizeof si};
  return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &si, out) != 0;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  for (DWORD start = GetTickCount();; MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT)) {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
  }
}

long WaitForExit(const PROCESS_INFORMATION& p, DWORD ms) {
  DWORD code = 0;
  bool ended = p.hProcess && WaitUntil([&] { return WaitForSingleObject(p.hProcess, 0) != WAIT_TIMEOUT; }, ms);
  return ended && GetExitCodeProcess(p.hProcess, &code) ? static_cast<long>(code) : -1;
}

void CloseProcess(PROCESS_INFORMATION* p) {
  // Ending one that has ended already fails and leaves its exit code.
  if (p->hProcess) {
    TerminateProcess(p->hProcess, 1);
    WaitForSingleObject(p->hProcess, 5000);
    CloseHandle(p->hProcess);
  }
  if (p->hThread) CloseHandle(p->hThread);
  *p = PROCESS_INFORMATION{};
}

HWND FindTopWindow(const std::function<bool(HWND)>& match, DWORD processId) {
  DWORD pid = 0;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    GetWindowThreadProcessId(w, &pid);
    if ((!processId || pid == processId) && match(w)) return w;
  }
  return nullptr;
}

std::wstring WindowText(HWND w) {  // WM_GETTEXT is marshalled across processes for every class
  std::wstring text(static_cast<std::size_t>(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(SendMessageW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
  return text;
}

std::wstring ClassNameOf(HWND w) {
  wchar_t name[256] = {0};
  return GetClassNameW(w, name, 256) ? name : L"";
}

std::string Narrow(const std::wstring& text) { return Utf16ToUtf8(FromWide(text.c_str())); }

std::string RectText(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

bool RectInside(const RECT& r, const RECT& o) {
  return r.left >= o.left && r.top >= o.top && r.right <= o.right && r.bottom <= o.bottom;
}

RECT ClientRectInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void PostCommand(HWND target, int id, int code, HWND control) {
  PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

bool BringToFront(HWND w) {
  SetForegroundWindow(w);
  if (WaitUntil([&] { return GetForegroundWindow() == w; }, 5000)) return true;
  ADD_FAILURE() << "window " << Narrow(WindowText(w)) << " did not come to the front; "
                << Narrow(WindowText(GetForegroundWindow())) << " is there";
  return false;
}

static void SendKey(WORD key, wchar_t unicode, DWORD up) {
  INPUT input{INPUT_KEYBOARD};
  input.ki = KEYBDINPUT{key, static_cast<WORD>(unicode), up | (unicode ? KEYEVENTF_UNICODE : 0u)};
  SendInput(1, &input, sizeof input);
}

bool PressKeys(HWND front, std::initializer_list<WORD> keys, WORD modifier) {
  if (!BringToFront(front)) return false;
  for (WORD key : keys) {
    if (modifier) SendKey(modifier, 0, 0);
    SendKey(key, 0, 0);
    SendKey(key, 0, KEYEVENTF_KEYUP);
    if (modifier) SendKey(modifier, 0, KEYEVENTF_KEYUP);
  }
  return true;
}

bool TypeText(HWND front, const std::wstring& text) {
  if (!BringToFront(front)) return false;
  for (wchar_t c : text) {
    SendKey(0, c, 0);
    SendKey(0, c, KEYEVENTF_KEYUP);
  }
  return true;
}

MessageBoxSeen WaitForMessageBox(DWORD processId, const std::wstring& title, DWORD ms) {
  MessageBoxSeen seen;
  auto isBox = [&](HWND w) {  // a message box has its text in the static control 0xFFFF
    return IsWindowVisible(w) && ClassNameOf(w) == L"#32770" && (title.empty() || WindowText(w) == title) &&
           GetDlgItem(w, 0xFFFF);
  };
  if (!WaitUntil([&] { return (seen.window = FindTopWindow(isBox, processId)) != nullptr; }, ms)) {
    ADD_FAILURE() << "no message box titled " << Narrow(title) << " within " << ms << " ms";
    return seen;
  }
  // Every box lies on the screen whole, its parts inside it; the program
  // may wrap its text with "\r\n", which the text read leaves out again.
  RECT box{}, client{}, part{}, screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  auto whole = [&] {
    bool inside = GetWindowRect(seen.window, &box) && GetClientRect(seen.window, &client) && RectInside(box, screen);
    for (HWND c = GetWindow(seen.window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      inside = inside && (!IsWindowVisible(c) || RectInside(part = ClientRectInParent(c), client));
    return inside;
  };
  EXPECT_TRUE(WaitUntil(whole, 2000)) << RectText(box) << " or its part " << RectText(part) << " off the screen";
  seen.text = WindowText(GetDlgItem(seen.window, 0xFFFF));
  for (std::size_t at; (at = seen.text.find(L"\r\n")) != std::wstring::npos;) seen.text.erase(at, 2);
  return seen;
}

bool PressMessageBoxButton(const MessageBoxSeen& box, int buttonId) {
  if (!box.window || !GetDlgItem(box.window, buttonId)) return false;
  PostCommand(box.window, buttonId, BN_CLICKED, GetDlgItem(box.window, buttonId));
  if (WaitUntil([&] { return !IsWindow(box.window); })) return true;
  ADD_FAILURE() << "the message box " << Narrow(box.text) << " stayed after button " << buttonId;
  return false;
}

std::vector<std::vector<std::string>> StandinLog(const std::wstring& folder) {
  std::ifstream file(std::filesystem::path(folder + L"\\tessara_log.txt"), std::ios::binary);
  std::vector<std::vector<std::string>> lines;
  for (std::string line; std::getline(file, line);) {
    if (line.empty()) continue;
    std::istringstream parts(line);
    lines.emplace_back();
    for (std::string field; std::getline(parts, field, '\t');) lines.back().push_back(field);
  }
  return lines;
}

std::vector<std::string> WaitForStart(size_t index, DWORD ms, const std::wstring& folder) {
  std::vector<std::vector<std::string>> starts;
  auto count = [&] {
    starts.clear();
    for (const auto& line : StandinLog(folder))
      if (line[0] == "start") starts.push_back(line);
    return starts.size() > index;
  };
  if (WaitUntil(count, ms)) return starts[index];
  ADD_FAILURE() << "the map application stand-in logged " << starts.size() << " starts, not " << index + 1;
  return {};
}

bool InstallStandin(const std::wstring& exe) { return CopyFileTo(WinePathOf(KARIO_TOOL_tessara_standin), exe); }

bool StartStandin(const std::wstring& arguments, const std::wstring& exe) {
  PROCESS_INFORMATION p{};
  auto isMap = [](HWND w) { return ClassNameOf(w) == L"Afx_QZV_MAINWND_"; };
  bool shown = StartProcess(exe, arguments, &p) && WaitUntil([&] { return FindTopWindow(isMap, p.dwProcessId); });
  CloseHandle(p.hProcess);
  CloseHandle(p.hThread);
  return shown;
}

bool WaitForMapInFront() {
  return WaitUntil(
      [] {
        DWORD pid = 0;
        HWND map = FindWindowW(L"Afx_QZV_MAINWND_", nullptr);
        HANDLE process = map && GetWindowThreadProcessId(map, &pid)
                             ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)
                             : nullptr;
        const bool settled = process && WaitForInputIdle(process, 0) == 0 && GetForegroundWindow() == map;
        return process && CloseHandle(process) && settled;
      },
      20000);
}

::testing::AssertionResult KarioE2e::FocusComesTo(HWND control, DWORD ms) const {
  GUITHREADINFO info{sizeof info};
  auto focus = [&] {
    return GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info) ? info.hwndFocus : nullptr;
  };
  if (WaitUntil([&] { return focus() && (focus() == control || GetParent(focus()) == control); }, ms))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "focus in " << GetDlgCtrlID(focus()) << ", not " << GetDlgCtrlID(control);
}

void KarioE2e::StartKarioOrFail(std::wstring program) {
  // The package's test runs the unpacked program in place of the installed one.
  const char* unpacked = getenv("KARIO_UNPACKED_EXE");
  if (unpacked && program == kInstalledProgram) program = AsWide(Utf8ToUtf16(unpacked));
  ASSERT_TRUE(StartProcess(program, L"", &process_));
  // The window exists before its controls do: wait for the last one made.
  auto isMain = [](HWND w) {
    return ClassNameOf(w) == L"KRSEARCH" && WindowText(w) == L"カリオSearch" && GetDlgItem(w, IDC_RESULT_LIST);
  };
  ASSERT_TRUE(WaitUntil([&] { return (main_ = FindTopWindow(isMain, Pid())) != nullptr; }, 20000)) << "no main window";
  ASSERT_TRUE(FocusComesTo(Control(IDC_MODE_COMBO))) << "start-up did not finish";
  EXPECT_TRUE(IsWindowVisible(Control(IDC_SEARCH_EDIT))) << "the term's edit hidden at start-up";
  EXPECT_FALSE(IsWindowVisible(Control(IDC_CATEGORY_COMBO))) << "the category box shown at start-up";
}

void KarioE2e::StartWithPointRead(const std::wstring& standinExe) {
  ASSERT_TRUE(InstallStandin(standinExe));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  ASSERT_TRUE(StartStandin(kTokyoStationShown, standinExe)) << "the stand-in's window did not show";
  // Shown to hundredths of a second, so read to ten milliseconds.
  ASSERT_TRUE(WaitUntil([&] { return WindowText(Control(IDC_POINT_LABEL)) == L"503171490 128439920"; }, 15000))
      << "point label: " << Narrow(WindowText(Control(IDC_POINT_LABEL)));
}

void KarioE2e::ChooseSearchMode(int index) {
  SendMessageW(Control(IDC_MODE_COMBO), CB_SETCURSEL, index, 0);
  PostCommand(main_, IDC_MODE_COMBO, CBN_CLOSEUP, Control(IDC_MODE_COMBO));
}

void KarioE2e::TypeTerm(const wchar_t* term) const {
  SendMessageW(Control(IDC_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(term));
}

void KarioE2e::SearchExpecting(const std::vector<std::wstring>& expected, int command,
                               const std::function<void()>& meanwhile) {
  PostCommand(main_, command ? command : IDC_SEARCH_BUTTON, command ? 0 : BN_CLICKED, Control(IDC_SEARCH_BUTTON));
  if (meanwhile) meanwhile();
  for (const std::wstring& text : expected) {
    MessageBoxSeen box = WaitForMessageBox(Pid(), L"カリオSearch", 60000);
    EXPECT_NE(box.text.find(text), std::wstring::npos) << Narrow(box.text) << " instead of " << Narrow(text);
    EXPECT_TRUE(PressMessageBoxButton(box, IDOK));
  }
}

std::vector<std::wstring> KarioE2e::Results() const {
  HWND list = Control(IDC_RESULT_LIST);
  std::vector<std::wstring> lines(static_cast<std::size_t>(SendMessageW(list, LB_GETCOUNT, 0, 0)));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1);
    lines[i].resize(
        static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&lines[i][0]))));
  }
  return lines;
}
