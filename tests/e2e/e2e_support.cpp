#include "tests/e2e/e2e_support.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/utf.h"
#include "resources/resource_ids.h"

const wchar_t* const kInstalledProgram = L"C:\\KarioTest\\kariosearch.exe";
const wchar_t* const kInstalledFolder = L"C:\\KarioTest";
const wchar_t* const kMapAppKey = L"Software\\Varnelle\\Tessara Mobile\\QZV";
const wchar_t* const kStandinExe = L"C:\\Program Files\\Varnelle\\TessaraMobile10.exe";

namespace {

const wchar_t kMapWindowClass[] = L"Afx_QZV_MAINWND_";

// Ends every process whose executable name matches (case-insensitive).
void KillProcessesNamed(const wchar_t* exeName) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e)) {
    HANDLE h = _wcsicmp(e.szExeFile, exeName) == 0 ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, e.th32ProcessID)
                                                   : nullptr;
    if (!h) continue;
    TerminateProcess(h, 1);
    WaitForSingleObject(h, 5000);
    CloseHandle(h);
  }
  CloseHandle(snap);
}

// The lines of a list box or of a combo box's list.
std::vector<std::wstring> ItemsOf(HWND w, UINT getCount, UINT getLength, UINT getText) {
  std::vector<std::wstring> items;
  LRESULT n = SendMessageW(w, getCount, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT len = SendMessageW(w, getLength, i, 0);
    std::wstring text(static_cast<std::size_t>(len < 0 ? 0 : len) + 1, L'\0');
    SendMessageW(w, getText, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(len < 0 ? 0 : len));
    items.push_back(text);
  }
  return items;
}

}  // namespace

std::wstring WinePathOf(const char* unixPath) {
  int n = MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, &w[0], n);
  for (auto& c : w) if (c == L'/') c = L'\\';
  return L"Z:" + w;
}

int E2eDisplayScale() {
  const char* s = getenv("KARIO_DISPLAY_SCALE");
  return (s && s[0] == '2') ? 2 : 1;
}

bool MakeFolders(const std::wstring& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return std::filesystem::is_directory(path, error);
}

bool WriteTextFile(const std::wstring& path, const std::string& bytes) {
  MakeFolders(std::filesystem::path(path).parent_path());
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush().good();
}

bool CopyFileTo(const std::wstring& from, const std::wstring& to) {
  MakeFolders(std::filesystem::path(to).parent_path());
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

bool RemoveTree(const std::wstring& path) {
  std::error_code error;
  std::filesystem::remove_all(path, error);
  return !error;
}

bool FileExistsAt(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool SetRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
  return RegSetKeyValueW(root, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool SetRegistryDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
  return RegSetKeyValueW(root, key.c_str(), name.c_str(), REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

DWORD RegistryDword(HKEY root, const std::wstring& key, const std::wstring& name) {
  DWORD value = 0, size = sizeof value;
  return RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS
             ? value : 0xDEADBEEF;
}

bool CreateRegistryKey(HKEY root, const std::wstring& key) {
  HKEY k;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

void DeleteRegistryTree(HKEY root, const std::wstring& key) { RegDeleteTreeW(root, key.c_str()); }

void ResetDevice() {
  // Windows of an earlier test first: they hold files open.
  KillProcessesNamed(L"kariosearch.exe");
  KillStandins();
  DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\Varnelle");
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory");
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType");
  for (const wchar_t* path : {L"C:\\Program Files\\Varnelle", L"C:\\SD", L"C:\\Storage Card", L"C:\\内部ストレージ",
                              L"C:\\KarioTest", L"C:\\htmbuff.txt", L"C:\\Data"})
    RemoveTree(path);
  MakeFolders(kInstalledFolder);
  std::wstring exe = WinePathOf(KARIO_EXE_PATH);
  CopyFileTo(exe, kInstalledProgram);
  CopyFileTo(exe.substr(0, exe.size() - 3) + L"htm", std::wstring(kInstalledFolder) + L"\\kariosearch.htm");
}

bool StartProcess(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION* out,
                  const std::wstring& currentFolder) {
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  *out = PROCESS_INFORMATION{};
  return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.c_str(), &si, out) != 0;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  DWORD start = GetTickCount();
  for (MSG msg;;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

RunningProgram StartKario() {
  RunningProgram p;
  if (!StartProcess(kInstalledProgram, L"", &p.process)) return p;
  // The window exists before its controls do: wait for the last control
  // made while it is created (the result list box) too.
  auto isMain = [](HWND w) {
    return ClassNameOf(w) == L"KRSEARCH" && WindowText(w) == L"カリオSearch" && GetDlgItem(w, IDC_RESULT_LIST);
  };
  WaitUntil([&] { return (p.mainWindow = FindTopWindow(isMain, p.process.dwProcessId)) != nullptr; }, 20000);
  return p;
}

long WaitForExit(const PROCESS_INFORMATION& p, DWORD ms) {
  if (!p.hProcess) return -1;
  if (!WaitUntil([&] { return WaitForSingleObject(p.hProcess, 0) != WAIT_TIMEOUT; }, ms)) return -1;
  DWORD code = 0;
  GetExitCodeProcess(p.hProcess, &code);
  return static_cast<long>(code);
}

void KillProgram(RunningProgram* p) {
  if (p->process.hProcess) {
    if (WaitForSingleObject(p->process.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(p->process.hProcess, 1);
      WaitForSingleObject(p->process.hProcess, 5000);
    }
    CloseHandle(p->process.hProcess);
  }
  if (p->process.hThread) CloseHandle(p->process.hThread);
  *p = RunningProgram{};
}

std::wstring WindowText(HWND w) {
  // WM_GETTEXT is marshalled across processes for every window class.
  LRESULT n = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(n < 0 ? 0 : n) + 1, L'\0');
  LRESULT got = SendMessageW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
  return text;
}

std::wstring ClassNameOf(HWND w) {
  wchar_t name[256] = {0};
  GetClassNameW(w, name, 256);
  return name;
}

std::string Narrow(const std::wstring& text) { return Utf16ToUtf8(FromWide(text.c_str())); }

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

RECT ClientRectInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<std::wstring> ComboItems(HWND combo) { return ItemsOf(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT); }
int ComboSelection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
std::vector<std::wstring> ListItems(HWND list) { return ItemsOf(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

HWND FocusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

void PostCommand(HWND target, int id, int code, HWND control) {
  PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

HWND MenuBarOf(HWND mainWindow) { return FindWindowExW(mainWindow, nullptr, L"KRMENUBAR", nullptr); }

void ChooseSearchMode(HWND mainWindow, int index) {
  HWND combo = GetDlgItem(mainWindow, IDC_MODE_COMBO);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  PostCommand(mainWindow, IDC_MODE_COMBO, CBN_CLOSEUP, combo);
}

HWND FindTopWindow(const std::function<bool(HWND)>& match, DWORD processId) {
  struct Search {
    const std::function<bool(HWND)>* match;
    DWORD processId;
    HWND found;
  } search{&match, processId, nullptr};
  EnumWindows([](HWND w, LPARAM param) -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if ((s->processId && pid != s->processId) || !(*s->match)(w)) return TRUE;
    s->found = w;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

MessageBoxSeen WaitForMessageBox(DWORD processId, const std::wstring& title, DWORD ms) {
  MessageBoxSeen seen;
  // A message box has its text in the static control 0xFFFF.
  auto isBox = [&](HWND w) {
    return IsWindowVisible(w) && ClassNameOf(w) == L"#32770" && (title.empty() || WindowText(w) == title) &&
           GetDlgItem(w, 0xFFFF);
  };
  if (!WaitUntil([&] { return (seen.window = FindTopWindow(isBox, processId)) != nullptr; }, ms)) return seen;
  seen.title = WindowText(seen.window);
  seen.text = WindowText(GetDlgItem(seen.window, 0xFFFF));
  for (HWND c = GetWindow(seen.window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (_wcsicmp(ClassNameOf(c).c_str(), L"Button") == 0) seen.buttons.push_back(WindowText(c));
  return seen;
}

bool PressMessageBoxButton(const MessageBoxSeen& box, int buttonId) {
  if (!box.window) return false;
  PostCommand(box.window, buttonId, BN_CLICKED, GetDlgItem(box.window, buttonId));
  return WaitUntil([&] { return !IsWindow(box.window); }, 10000);
}

std::vector<StandinLogLine> ReadStandinLog(const std::wstring& folder) {
  std::vector<StandinLogLine> lines;
  std::istringstream in(ReadFileBytes(folder + L"\\tessara_log.txt"));
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
    if (fields.empty()) continue;
    StandinLogLine entry;
    entry.kind = fields[0];
    if (entry.kind == "start" && fields.size() == 4) {
      entry.commandLine = fields[1];
      entry.tlat = fields[2].substr(fields[2].find('=') + 1);
      entry.tlon = fields[3].substr(fields[3].find('=') + 1);
    }
    lines.push_back(entry);
  }
  return lines;
}

size_t CountLog(const std::vector<StandinLogLine>& log, const char* kind) {
  return std::count_if(log.begin(), log.end(), [&](const StandinLogLine& line) { return line.kind == kind; });
}

std::vector<StandinLogLine> StandinStarts() {
  std::vector<StandinLogLine> starts;
  for (const StandinLogLine& line : ReadStandinLog())
    if (line.kind == "start") starts.push_back(line);
  return starts;
}

StandinLogLine WaitForStart(size_t index, DWORD ms) {
  std::vector<StandinLogLine> starts;
  WaitUntil([&] { return (starts = StandinStarts()).size() > index; }, ms);
  return starts.size() > index ? starts[index] : StandinLogLine{};
}

bool InstallStandin(const std::wstring& exe) { return CopyFileTo(WinePathOf(KARIO_TOOL_tessara_standin), exe); }

HWND FindMapWindow() { return FindWindowW(kMapWindowClass, nullptr); }

bool StartStandin(const std::wstring& arguments, const std::wstring& exe, PROCESS_INFORMATION* process) {
  PROCESS_INFORMATION started{};
  if (!StartProcess(exe, arguments, &started)) return false;
  auto isMap = [](HWND w) { return ClassNameOf(w) == kMapWindowClass; };
  bool shown = WaitUntil([&] { return FindTopWindow(isMap, started.dwProcessId) != nullptr; });
  if (process) {
    *process = started;
  } else {
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
  }
  return shown;
}

// Every stand-in, whatever version it is installed as.
void KillStandins() {
  for (int n = 8; n <= 11; ++n) KillProcessesNamed((L"TessaraMobile" + std::to_wstring(n) + L".exe").c_str());
}

::testing::AssertionResult KarioE2e::FocusComesTo(HWND control, DWORD ms) const {
  auto focusIn = [&] {
    HWND focus = FocusOf(KarioThread());
    return focus && (focus == control || GetParent(focus) == control);
  };
  if (WaitUntil(focusIn, ms)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "focus in control " << GetDlgCtrlID(FocusOf(KarioThread()))
                                       << " instead of " << GetDlgCtrlID(control);
}

void KarioE2e::StartKarioOrFail() {
  kario_ = StartKario();
  ASSERT_NE(kario_.mainWindow, nullptr) << "no window \"カリオSearch\" of class KRSEARCH appeared";
  // Start-up ends with the focus in the search-mode combo box.
  ASSERT_TRUE(FocusComesTo(Control(IDC_MODE_COMBO))) << "start-up did not finish";
}
