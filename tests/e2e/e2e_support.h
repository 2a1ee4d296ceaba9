// Helpers for the end-to-end tests: a device prepared in the Wine prefix,
// the program started and found, its windows read and driven through
// messages across processes.  Waits poll with a deadline, never sleep blindly.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// --- Paths and device ----------------------------------------------------------
std::wstring WinePathOf(const char* unixPath);  // a Linux path as Wine sees it (Z:\...)
extern const wchar_t* const kInstalledProgram;  // C:\KarioTest\kariosearch.exe, the manual beside it
extern const wchar_t* const kInstalledFolder;
int E2eDisplayScale();  // 1 or 2, from KARIO_DISPLAY_SCALE
// Ends the program and stand-ins, removes what tests make, installs afresh.
void ResetDevice();
bool WriteTextFile(const std::wstring& path, const std::string& bytes);  // makes folders
bool MakeFolders(const std::wstring& path);
bool CopyFileTo(const std::wstring& from, const std::wstring& to);  // makes folders
bool RemoveTree(const std::wstring& path);
bool FileExistsAt(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
extern const wchar_t* const kMapAppKey;  // HKCU\Software\Varnelle\Tessara Mobile\QZV
bool SetRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value);
bool SetRegistryDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);
DWORD RegistryDword(HKEY root, const std::wstring& key, const std::wstring& name);  // 0xDEADBEEF: none
bool CreateRegistryKey(HKEY root, const std::wstring& key);
void DeleteRegistryTree(HKEY root, const std::wstring& key);

// --- Processes and windows -----------------------------------------------------
struct RunningProgram {
  PROCESS_INFORMATION process{};
  HWND mainWindow = nullptr;
};
// Starts the installed program and waits up to 20 s for its main window (null on failure).
RunningProgram StartKario();
bool StartProcess(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION* out,
                  const std::wstring& currentFolder = L"C:\\");
long WaitForExit(const PROCESS_INFORMATION& p, DWORD ms);  // exit code, or -1 on timeout
void KillProgram(RunningProgram* p);  // ends it if still running, closes handles
// The first top-level window that `match` accepts, of `processId` (any when 0).
HWND FindTopWindow(const std::function<bool(HWND)>& match, DWORD processId = 0);
// Polls `done` (pumping this thread's messages) until it is true or `ms` passed.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000);

// --- Reading and driving controls ------------------------------------------------
std::wstring WindowText(HWND w);
std::wstring ClassNameOf(HWND w);
std::string Narrow(const std::wstring& text);  // UTF-8, for failure messages
std::string RectText(const RECT& r);           // "(left,top)-(right,bottom)"
RECT ClientOf(HWND w);
RECT ClientRectInParent(HWND child);  // the child's rectangle in its parent's client coordinates
std::vector<std::wstring> ComboItems(HWND combo);
int ComboSelection(HWND combo);
std::vector<std::wstring> ListItems(HWND list);
HWND FocusOf(DWORD threadId);  // the focus window of another thread
// Posts WM_COMMAND(id, code): handlers may open modal message boxes.
void PostCommand(HWND target, int id, int code = 0, HWND control = nullptr);
HWND MenuBarOf(HWND mainWindow);  // the bar that stands in for the soft keys
// Selects `index` in the search-mode combo box and tells the main window its
// list closed, as a person choosing a mode does.
void ChooseSearchMode(HWND mainWindow, int index);

// --- Message boxes ---------------------------------------------------------------
struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring title, text;
  std::vector<std::wstring> buttons;  // captions, in order
};
// Waits for a message box of `processId` (any when 0) titled `title` (any when empty).
MessageBoxSeen WaitForMessageBox(DWORD processId, const std::wstring& title = L"", DWORD ms = 10000);
bool PressMessageBoxButton(const MessageBoxSeen& box, int buttonId);  // and waits for it to go

// --- The map application stand-in --------------------------------------------------
extern const wchar_t* const kStandinExe;  // C:\Program Files\Varnelle\TessaraMobile10.exe
struct StandinLogLine {
  std::string kind;         // "start", "end" or "exit"
  std::string commandLine;  // for "start"
  std::string tlat, tlon;   // for "start": the destination values read, or "none"
};
// The log the stand-in keeps beside its executable.
std::vector<StandinLogLine> ReadStandinLog(const std::wstring& folder = L"C:\\Program Files\\Varnelle");
size_t CountLog(const std::vector<StandinLogLine>& log, const char* kind);
std::vector<StandinLogLine> StandinStarts();
// Waits up to `ms` for start number `index` (from 0); its kind is empty when none came.
StandinLogLine WaitForStart(size_t index, DWORD ms = 20000);
bool InstallStandin(const std::wstring& exe = kStandinExe);
// Starts the stand-in and waits for its window; `process` (if given) takes the handles.
bool StartStandin(const std::wstring& arguments, const std::wstring& exe = kStandinExe,
                  PROCESS_INFORMATION* process = nullptr);
HWND FindMapWindow();
void KillStandins();  // and waits until they have gone

// Resets the device before each test; ends the program and stand-ins after.
class KarioE2e : public ::testing::Test {
 protected:
  void SetUp() override { ResetDevice(); }
  void TearDown() override {
    KillProgram(&kario_);
    KillStandins();
  }
  // Starts the program and waits until start-up ended with the focus in the
  // search-mode combo box; fails fatally otherwise.
  void StartKarioOrFail();
  // Waits until the focus is in `control` or, for a combo box with a typing
  // field, in its edit; the failure tells where it is instead.
  ::testing::AssertionResult FocusComesTo(HWND control, DWORD ms = 10000) const;
  HWND Control(int id) const { return GetDlgItem(kario_.mainWindow, id); }
  DWORD KarioThread() const { return GetWindowThreadProcessId(kario_.mainWindow, nullptr); }
  DWORD Pid() const { return kario_.process.dwProcessId; }
  RunningProgram kario_;
};
