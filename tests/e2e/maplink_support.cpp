#include <sstream>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/maplink_test_support.h"

const wchar_t* const kStandinExe = L"C:\\Program Files\\Varnelle\\TessaraMobile10.exe";
const wchar_t* const kMapWindowClass = L"Afx_QZV_MAINWND_";

std::vector<StandinLogLine> ReadStandinLog() {
  std::vector<StandinLogLine> lines;
  std::istringstream in(ReadFileBytes(L"C:\\Program Files\\Varnelle\\tessara_log.txt"));
  std::string line;
  while (std::getline(in, line)) {
    StandinLogLine entry;
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
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
  size_t n = 0;
  for (const auto& line : log) n += line.kind == kind;
  return n;
}

bool InstallStandin() { return CopyFileTo(WinePathOf(KARIO_TOOL_tessara_standin), kStandinExe); }

HWND FindMapWindow() { return FindWindowW(kMapWindowClass, nullptr); }

bool StartStandin(const std::wstring& arguments, PROCESS_INFORMATION* process) {
  if (!StartProcess(kStandinExe, arguments, process)) return false;
  DWORD pid = process->dwProcessId;
  return WaitUntil([&] {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, kMapWindowClass, nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == pid) return true;
    }
    return false;
  });
}

void KillStandins() {
  for (int round = 0; round < 20; ++round) {
    HWND w = FindMapWindow();
    if (!w) return;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (p) {
      TerminateProcess(p, 0);
      WaitForSingleObject(p, 5000);
      CloseHandle(p);
    }
    WaitUntil([&] { return FindMapWindow() != w; }, 2000);
  }
}
