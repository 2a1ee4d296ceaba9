// Helpers for the end-to-end tests: a device prepared in the Wine prefix, the program started and found, its
// windows read and driven through messages across processes.  Waits poll with a deadline, never sleep blindly.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

std::wstring WinePathOf(const char* unixPath);           // a Linux path as Wine sees it (Z:\...)
extern const wchar_t* const kInstalledProgram;           // C:\KarioTest\kariosearch.exe
extern const wchar_t* const kMapAppKey;                  // HKCU\Software\Varnelle\Tessara Mobile\QZV
extern const wchar_t* const kStandinExe;                 // C:\Program Files\Varnelle\TessaraMobile10.exe
extern const wchar_t kTokyoStationShown[], kNoResult[];  // stand-in switches; a search's message
int E2eDisplayScale();                                   // 1 or 2, from KARIO_DISPLAY_SCALE
void KillPrograms();                                     // the program and every stand-in
void ResetDevice();                                      // ends them, removes what tests make, installs afresh
bool WriteTextFile(const std::wstring& path, const std::string& bytes);  // makes folders
bool CopyFileTo(const std::wstring& from, const std::wstring& to);       // makes folders
bool SetRegistryDword(const wchar_t* name, DWORD value);                 // in kMapAppKey

bool StartProcess(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION* out);
long WaitForExit(const PROCESS_INFORMATION& p, DWORD ms);                         // exit code, or -1 on timeout
void CloseProcess(PROCESS_INFORMATION* p);                                        // ends it if still running
HWND FindTopWindow(const std::function<bool(HWND)>& match, DWORD processId = 0);  // of any process when 0
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000);              // pumps this thread's messages
std::wstring WindowText(HWND w);                                                  // of any process's window
std::wstring ClassNameOf(HWND w);
std::string Narrow(const std::wstring& text);  // UTF-8, for failure messages
std::string RectText(const RECT& r);
bool RectInside(const RECT& r, const RECT& outer);
RECT ClientRectInParent(HWND child);
void PostCommand(HWND target, int id, int code = 0, HWND control = nullptr);

bool BringToFront(HWND window);  // and waits until it is
// Keys as a person presses them (SendInput), once `front` is in front (else false); `modifier` (VK_SHIFT) held around
// each.
bool PressKeys(HWND front, std::initializer_list<WORD> keys, WORD modifier = 0);
bool TypeText(HWND front, const std::wstring& text);  // as an input method hands characters over

struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring text;
};
MessageBoxSeen WaitForMessageBox(DWORD processId, const std::wstring& title = L"カリオSearch", DWORD ms = 10000);
bool PressMessageBoxButton(const MessageBoxSeen& box, int buttonId);  // by id, and waits for it to go

// The map application stand-in logs "start<TAB>command line<TAB>TLATV8=..<TAB>TLONV8=..",
// "end" (message 2 arrived) and "exit" (its window went) beside its executable.
std::vector<std::vector<std::string>> StandinLog(const std::wstring& folder = L"C:\\Program Files\\Varnelle");
std::vector<std::string> WaitForStart(size_t index, DWORD ms = 20000,  // start `index` (from 0), or empty
                                      const std::wstring& folder = L"C:\\Program Files\\Varnelle");
bool InstallStandin(const std::wstring& exe = kStandinExe);
bool StartStandin(const std::wstring& arguments, const std::wstring& exe = kStandinExe);  // until its window shows
bool WaitForMapInFront();  // a stand-in's window in front, and the stand-in idle (done taking the front)

class KarioE2e : public ::testing::Test {
 protected:
  void SetUp() override { ResetDevice(); }
  void TearDown() override {
    CloseProcess(&process_);
    KillPrograms();
  }
  void StartKarioOrFail(
      std::wstring program = kInstalledProgram);  // until start-up ends with the focus in the mode box
  // Installs the stand-in, starts the program, then shows Tokyo station in front of it until the point label shows the
  // point read.
  void StartWithPointRead(const std::wstring& standinExe = kStandinExe);
  ::testing::AssertionResult FocusComesTo(HWND control, DWORD ms = 10000) const;  // or to its typing field
  HWND Control(int id) const { return GetDlgItem(main_, id); }
  DWORD Pid() const { return process_.dwProcessId; }
  void ChooseSearchMode(int index);  // as a person closing the mode list does
  void TypeTerm(const wchar_t* term) const;
  // Sends `command` (検索 when 0), runs `meanwhile` (a service answering), answers each message with OK expecting a
  // part of each.
  void SearchExpecting(const std::vector<std::wstring>& expected, int command = 0,
                       const std::function<void()>& meanwhile = {});
  std::vector<std::wstring> Results() const;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};
