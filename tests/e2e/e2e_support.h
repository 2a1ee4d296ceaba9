// Helpers for the end-to-end tests: a device prepared in the Wine prefix,
// the program started and found, its windows read and driven through
// messages across processes.  Waits poll with a deadline, never sleep blindly.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// --- Paths -----------------------------------------------------------------
// A Linux path as Wine sees it (Z:\...).
std::wstring WinePathOf(const char* unixPath);
// Where the tests install the program: C:\KarioTest\kariosearch.exe (with its
// manual beside it), so override files can be put beside it.
extern const wchar_t* const kInstalledProgram;  // L"C:\\KarioTest\\kariosearch.exe"
extern const wchar_t* const kInstalledFolder;   // L"C:\\KarioTest"
std::wstring E2eDisplayScaleText();             // "1" or "2" from KARIO_DISPLAY_SCALE
int E2eDisplayScale();

// --- Device ------------------------------------------------------------------
// Removes everything a previous test put into the device: the map
// application's registry key, the storage card profile, the ClearType key,
// C:\Program Files\Varnelle, the storage card folders the tests use
// (C:\SD, C:\内部ストレージ, C:\Storage Card), C:\KarioTest, and kills a running
// program or map application stand-in.  Then installs the program afresh.
void ResetDevice();
bool WriteTextFile(const std::wstring& path, const std::string& bytes);  // makes folders
bool MakeFolders(const std::wstring& path);
bool CopyFileTo(const std::wstring& from, const std::wstring& to);  // makes folders
bool RemoveTree(const std::wstring& path);
bool FileExistsAt(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
// HKCU\Software\Varnelle\Tessara Mobile\QZV
extern const wchar_t* const kMapAppKey;
bool SetRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value);
bool SetRegistryDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);
bool GetRegistryDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD* value);
bool CreateRegistryKey(HKEY root, const std::wstring& key);
void DeleteRegistryTree(HKEY root, const std::wstring& key);

// --- Processes and windows -----------------------------------------------------
struct RunningProgram {
  PROCESS_INFORMATION process{};
  HWND mainWindow = nullptr;
};
// Starts the installed program (current folder C:\) and waits for its window
// "カリオSearch" of class "KRSEARCH" (up to 20 s). mainWindow is null on failure.
RunningProgram StartKario();
// Starts any program with a command line and the given current folder.
bool StartProcess(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION* out,
                  const std::wstring& currentFolder = L"C:\\");
// Waits up to `ms` for the process to end; returns its exit code or -1 (timeout).
long WaitForExit(const PROCESS_INFORMATION& p, DWORD ms);
void KillProgram(RunningProgram* p);  // ends it if still running, closes handles
// Polls `done` (pumping this thread's messages) until it is true or `ms` passed.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000);
HWND FindTopWindow(const wchar_t* className, const wchar_t* title);

// --- Reading and driving controls ------------------------------------------------
std::wstring WindowText(HWND w);
std::wstring ClassNameOf(HWND w);
RECT ClientRectInParent(HWND child);  // the child's rectangle in its parent's client coordinates
std::vector<std::wstring> ComboItems(HWND combo);
int ComboSelection(HWND combo);
std::vector<std::wstring> ListItems(HWND list);
HWND FocusOf(DWORD threadId);  // the focus window of another thread (via GUI thread info)
// Sends WM_COMMAND(id, code) to `target` without waiting for it to return
// (handlers may open modal message boxes).
void PostCommand(HWND target, int id, int code = 0, HWND control = nullptr);

// --- Message boxes ---------------------------------------------------------------
struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<std::wstring> buttons;  // captions of the buttons, in order
};
// Waits for a dialog of class "#32770" owned by a thread of `processId`
// (or any process when 0) whose title is `title` (any when empty).
MessageBoxSeen WaitForMessageBox(DWORD processId, const std::wstring& title = L"", DWORD ms = 10000);
// Presses IDYES/IDNO/IDOK/IDCANCEL and waits for the box to go.
bool PressMessageBoxButton(const MessageBoxSeen& box, int buttonId);

// --- Screenshots -------------------------------------------------------------------
// Saves the whole screen as NAME.bmp into the folder named by the environment
// variable KARIO_SCREENSHOT_DIR (a Linux path); does nothing when it is unset.
void SaveScreenshot(const char* name);
