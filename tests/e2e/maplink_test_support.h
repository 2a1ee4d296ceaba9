// Shared by the map application link tests: the stand-in installed as the
// map application, its log, and the program's point label.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

extern const wchar_t* const kStandinExe;  // C:\Program Files\Varnelle\TessaraMobile10.exe
extern const wchar_t* const kMapWindowClass;

struct StandinLogLine {
  std::string kind;         // "start", "end" or "exit"
  std::string commandLine;  // for "start"
  std::string tlat, tlon;   // for "start": the values read, or "none"
};
std::vector<StandinLogLine> ReadStandinLog();
size_t CountLog(const std::vector<StandinLogLine>& log, const char* kind);

bool InstallStandin();
// Starts the installed stand-in with `arguments` and waits for its window.
bool StartStandin(const std::wstring& arguments, PROCESS_INFORMATION* process);
HWND FindMapWindow();
// Ends every running stand-in.
void KillStandins();
