#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

#include "maplink/map_application.h"
#include "platform/owned_handle_win.h"
#include "platform/utf.h"

namespace {

const wchar_t kMapWindowClass[] = L"Afx_QZV_MAINWND_";
const wchar_t kMapSettingsKey[] = L"Software\\Varnelle\\Tessara Mobile\\QZV";

void SetDwordValue(HKEY key, const wchar_t* name, int32_t value) {
  DWORD data = static_cast<DWORD>(value);
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

bool ProcessLives(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == 0) return false;  // gone between the two calls
  const OwnedHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // no such process: gone
  return WaitForSingleObject(process.Get(), 0) != WAIT_OBJECT_0;
}

BOOL CALLBACK CollectMapWindow(HWND window, LPARAM found) {
  wchar_t name[32] = {};
  if (GetClassNameW(window, name, 32) && !wcscmp(name, kMapWindowClass) && ProcessLives(window))
    reinterpret_cast<std::vector<std::uintptr_t>*>(found)->push_back(reinterpret_cast<std::uintptr_t>(window));
  return TRUE;
}

}  // namespace

std::vector<std::uintptr_t> FindMapApplicationWindows() {
  std::vector<std::uintptr_t> found;
  EnumWindows(CollectMapWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

void PostEndToMapApplication(std::uintptr_t window) { PostMessageW(reinterpret_cast<HWND>(window), WM_DESTROY, 0, 0); }

void PauseOneSecond() { Sleep(1000); }

// The value names carry the number 8 whatever version is installed.
void WriteDestinationValues(int32_t longitude, int32_t latitude) {
  const OwnedKey key = OpenKey(HKEY_CURRENT_USER, kMapSettingsKey, KEY_SET_VALUE);
  if (!key) return;
  SetDwordValue(key.Get(), L"TLATV8", latitude);
  SetDwordValue(key.Get(), L"TLONV8", longitude);
}

// Its handles are closed at once.
bool StartProgram(const std::u16string& program, const std::u16string* commandLine) {
  std::wstring buffer = commandLine ? std::wstring(AsWide(*commandLine)) : std::wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(AsWide(program), commandLine ? &buffer[0] : nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  const OwnedHandle thread(process.hThread);
  const OwnedHandle started(process.hProcess);
  return true;
}

std::u16string OwnProgramPath() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::u16string() : FromWide(path);
}

bool ProgramFileExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void OpenWithShell(const std::u16string& document) {
  ShellExecuteW(nullptr, L"open", AsWide(document), nullptr, nullptr, SW_SHOWNORMAL);
}
