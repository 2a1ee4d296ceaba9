#include "tests/e2e/e2e_support.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>

const wchar_t* const kInstalledProgram = L"C:\\KarioTest\\kariosearch.exe";
const wchar_t* const kInstalledFolder = L"C:\\KarioTest";
const wchar_t* const kMapAppKey = L"Software\\Varnelle\\Tessara Mobile\\QZV";

namespace {

std::wstring Widen(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], n);
  return w;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Ends every process whose executable name matches (case-insensitive).
void KillProcessesNamed(const wchar_t* exeName) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e)) {
    if (_wcsicmp(e.szExeFile, exeName) == 0) {
      HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, e.th32ProcessID);
      if (h) {
        TerminateProcess(h, 1);
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
      }
    }
  }
  CloseHandle(snap);
}

}  // namespace

std::wstring WinePathOf(const char* unixPath) {
  std::wstring w = L"Z:" + Widen(unixPath);
  for (auto& c : w) if (c == L'/') c = L'\\';
  return w;
}

int E2eDisplayScale() {
  const char* s = getenv("KARIO_DISPLAY_SCALE");
  return (s && s[0] == '2') ? 2 : 1;
}

std::wstring E2eDisplayScaleText() { return E2eDisplayScale() == 2 ? L"2" : L"1"; }

bool MakeFolders(const std::wstring& path) {
  for (std::size_t i = 3; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == L'\\') {
      std::wstring part = path.substr(0, i);
      if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        if (GetFileAttributesW(part.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
      }
    }
  }
  return true;
}

static std::wstring ParentOf(const std::wstring& path) {
  std::size_t at = path.find_last_of(L'\\');
  return at == std::wstring::npos ? std::wstring() : path.substr(0, at);
}

bool WriteTextFile(const std::wstring& path, const std::string& bytes) {
  std::wstring parent = ParentOf(path);
  if (!parent.empty()) MakeFolders(parent);
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
}

bool CopyFileTo(const std::wstring& from, const std::wstring& to) {
  std::wstring parent = ParentOf(to);
  if (!parent.empty()) MakeFolders(parent);
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

bool RemoveTree(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != 0;
  }
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0) continue;
      RemoveTree(path + L"\\" + fd.cFileName);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  return RemoveDirectoryW(path.c_str()) != 0;
}

bool FileExistsAt(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::wstring& path) {
  std::string out;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return out;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(h);
  return out;
}

bool SetRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
  HKEY k;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return false;
  LONG r = RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return r == ERROR_SUCCESS;
}

bool SetRegistryDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
  HKEY k;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return false;
  LONG r = RegSetValueExW(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(k);
  return r == ERROR_SUCCESS;
}

bool GetRegistryDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD* value) {
  DWORD size = sizeof *value;
  DWORD type = 0;
  HKEY k;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  LONG r = RegQueryValueExW(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(k);
  return r == ERROR_SUCCESS && type == REG_DWORD;
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
  for (int n = 8; n <= 11; ++n) {
    wchar_t name[64];
    swprintf(name, 64, L"TessaraMobile%d.exe", n);
    KillProcessesNamed(name);
  }
  DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\Varnelle");
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory");
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType");
  RemoveTree(L"C:\\Program Files\\Varnelle");
  RemoveTree(L"C:\\SD");
  RemoveTree(L"C:\\Storage Card");
  RemoveTree(L"C:\\内部ストレージ");
  RemoveTree(L"C:\\KarioTest");
  RemoveTree(L"C:\\htmbuff.txt");
  MakeFolders(kInstalledFolder);
  std::wstring exe = WinePathOf(KARIO_EXE_PATH);
  CopyFileTo(exe, kInstalledProgram);
  std::wstring manual = exe.substr(0, exe.size() - 3) + L"htm";
  CopyFileTo(manual, std::wstring(kInstalledFolder) + L"\\kariosearch.htm");
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
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

HWND FindTopWindow(const wchar_t* className, const wchar_t* title) { return FindWindowW(className, title); }

RunningProgram StartKario() {
  RunningProgram p;
  if (!StartProcess(kInstalledProgram, L"", &p.process)) return p;
  DWORD pid = p.process.dwProcessId;
  WaitUntil([&] {
    HWND w = FindWindowW(L"KRSEARCH", L"カリオSearch");
    DWORD owner = 0;
    if (w) GetWindowThreadProcessId(w, &owner);
    // The window exists before its controls do: wait for the last control
    // made while it is created (the result list box) too.
    if (w && owner == pid && GetDlgItem(w, 1000)) p.mainWindow = w;
    return p.mainWindow != nullptr;
  }, 20000);
  return p;
}

long WaitForExit(const PROCESS_INFORMATION& p, DWORD ms) {
  if (!p.hProcess) return -1;
  DWORD start = GetTickCount();
  while (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) {
    if (GetTickCount() - start >= ms) return -1;
    MsgWaitForMultipleObjects(1, &p.hProcess, FALSE, 50, QS_ALLINPUT);
    PumpMessages();
  }
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
  p->process = PROCESS_INFORMATION{};
  p->mainWindow = nullptr;
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

RECT ClientRectInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  LRESULT n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring text(static_cast<std::size_t>(len < 0 ? 0 : len) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(len < 0 ? 0 : len));
    items.push_back(text);
  }
  return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

std::vector<std::wstring> ListItems(HWND list) {
  std::vector<std::wstring> items;
  LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT len = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    std::wstring text(static_cast<std::size_t>(len < 0 ? 0 : len) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(len < 0 ? 0 : len));
    items.push_back(text);
  }
  return items;
}

HWND FocusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(threadId, &info)) return nullptr;
  return info.hwndFocus;
}

void PostCommand(HWND target, int id, int code, HWND control) {
  PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

namespace {

struct BoxSearch {
  DWORD processId;
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK MatchBox(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  if (!IsWindowVisible(w) || ClassNameOf(w) != L"#32770") return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (search->processId != 0 && pid != search->processId) return TRUE;
  if (!search->title->empty() && WindowText(w) != *search->title) return TRUE;
  // A message box has its text in the static control 0xFFFF.
  if (!GetDlgItem(w, 0xFFFF)) return TRUE;
  search->found = w;
  return FALSE;
}

BOOL CALLBACK CollectButton(HWND w, LPARAM param) {
  auto* box = reinterpret_cast<MessageBoxSeen*>(param);
  if (ClassNameOf(w) == L"Button" || ClassNameOf(w) == L"BUTTON") box->buttons.push_back(WindowText(w));
  return TRUE;
}

}  // namespace

MessageBoxSeen WaitForMessageBox(DWORD processId, const std::wstring& title, DWORD ms) {
  MessageBoxSeen seen;
  BoxSearch search{processId, &title, nullptr};
  WaitUntil([&] {
    search.found = nullptr;
    EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }, ms);
  if (!search.found) return seen;
  seen.window = search.found;
  seen.title = WindowText(search.found);
  seen.text = WindowText(GetDlgItem(search.found, 0xFFFF));
  EnumChildWindows(search.found, CollectButton, reinterpret_cast<LPARAM>(&seen));
  return seen;
}

bool PressMessageBoxButton(const MessageBoxSeen& box, int buttonId) {
  if (!box.window) return false;
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
  return WaitUntil([&] { return !IsWindow(box.window); }, 10000);
}

void SaveScreenshot(const char* name) {
  const char* folder = getenv("KARIO_SCREENSHOT_DIR");
  if (!folder || !*folder) return;
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD imageBytes = static_cast<DWORD>(width) * height * 4;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageBytes;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  bytes.append(static_cast<const char*>(bits), imageBytes);
  WriteTextFile(WinePathOf(folder) + L"\\" + std::wstring(name, name + strlen(name)) + L".bmp", bytes);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}
