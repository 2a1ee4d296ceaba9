#include <windows.h>
#include <shellapi.h>

#include <string>

#include "maplink/launch.h"
#include "platform/utf.h"
#include "shell/environment.h"

namespace {

const wchar_t kMapWindowClass[] = L"Afx_QZV_MAINWND_";
const wchar_t kMapSettingsKey[] = L"Software\\Varnelle\\Tessara Mobile\\QZV";
// The settings' value names carry this number whatever version is installed.
constexpr int kSettingsVersion = 8;

// A window of the class counts only while its process lives: a map
// application that crashed must not keep this program waiting for a window
// the system has not cleaned up yet.
bool MapWindowPresent() {
  HWND window = FindWindowW(kMapWindowClass, nullptr);
  if (!window) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == 0) return false;  // gone between the two calls
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // no such process: gone
  bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return !ended;
}

// Tells a running map application to end and waits, without limit, until its
// window is gone.  A window that vanishes before the post makes the post
// fail harmlessly; the next look then finds nothing.
void CloseMapApplication() {
  HWND window = FindWindowW(kMapWindowClass, nullptr);
  if (!window) return;
  PostMessageW(window, WM_DESTROY, 0, 0);
  while (MapWindowPresent()) Sleep(1000);
}

void WriteDestination(int32_t longitude, int32_t latitude) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kMapSettingsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  wchar_t name[16];
  DWORD value = static_cast<DWORD>(latitude);
  swprintf(name, 16, L"TLATV%d", kSettingsVersion);
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  value = static_cast<DWORD>(longitude);
  swprintf(name, 16, L"TLONV%d", kSettingsVersion);
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

// Starts a program and lets it go: its handles are closed at once.
bool StartDetached(const wchar_t* program, const std::wstring* commandLine) {
  std::wstring buffer = commandLine ? *commandLine : std::wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program, commandLine ? &buffer[0] : nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

void LaunchMapApplication(int32_t longitude, int32_t latitude, int mapType, int mode) {
  int32_t destinationLongitude = 0, destinationLatitude = 0;
  if (mode == kLaunchSetDestination) {
    destinationLongitude = longitude;
    destinationLatitude = latitude;
  }
  if (mode != kLaunchAsIs) CloseMapApplication();
  WriteDestination(destinationLongitude, destinationLatitude);
  if (g_environment.mapApplicationPath.empty()) return;
  const wchar_t* program = AsWide(g_environment.mapApplicationPath);
  if (mode == kLaunchAsIs) {
    StartDetached(program, nullptr);
  } else {
    std::u16string switches = FormatLaunchSwitches(longitude, latitude, mapType);
    std::wstring commandLine(AsWide(switches));
    StartDetached(program, &commandLine);
  }
}

void OpenManual() {
  wchar_t program[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::u16string manual = ManualPathFor(FromWide(program));
  // The browser is looked for as the system would find "iexplore.exe" by
  // name: beside this program, in the current folder, the system folders and
  // the PATH.  Its arguments are the manual's path alone (on the desktop the
  // command line also names the program, as its first word).
  wchar_t browser[MAX_PATH] = {};
  DWORD found = SearchPathW(nullptr, L"iexplore.exe", nullptr, MAX_PATH, browser, nullptr);
  if (found > 0 && found < MAX_PATH) {
    std::wstring commandLine = L"\"" + std::wstring(browser) + L"\" " + AsWide(manual);
    if (StartDetached(browser, &commandLine)) return;
  }
  // No browser of that name: the platform opens the page with whatever it
  // uses for .htm files.
  ShellExecuteW(nullptr, L"open", AsWide(manual), nullptr, nullptr, SW_SHOWNORMAL);
}
