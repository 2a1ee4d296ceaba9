// demo-helper: what demo.cmd and demo-undo.cmd cannot say in cmd alone.
//   demo-helper map X: FOLDER   gives FOLDER the drive letter X:
//   demo-helper unmap X:        takes the letter away again
//   demo-helper end PREFIX...   ends every process whose program lies under
//                               one of the prefixes (a folder, or X:\)
// The program reads its device's paths from the root of the current drive
// (\SD\..., \Program Files\...), so the demo's device folder becomes a drive
// of its own: on Windows a DOS device, as subst makes it, which needs no
// administrator and goes with the session.  Wine's DOS devices have no files
// behind them, so there the letter comes from Wine's mount manager, as
// winecfg makes it (a link in the prefix's dosdevices folder).
// Ends with 0 when it did what was asked, else 1 with the reason on stderr.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

namespace {

// Wine's own request to its mount manager (include/ddk/mountmgr.h of Wine).
const DWORD kDefineUnixDrive = CTL_CODE(0x6d, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;  // 0 removes the drive
  USHORT deviceOffset;
  USHORT labelOffset;
};

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

int Fail(const char* what) {
  std::fprintf(stderr, "demo-helper: %s (error %lu)\n", what, GetLastError());
  return 1;
}

// An empty mount point removes the letter.
int WineDrive(wchar_t letter, const std::wstring& folder) {
  std::string unixPath;
  if (!folder.empty()) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    // Through void*: a FARPROC has no arguments, this one has one.
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(folder.c_str()) : nullptr;
    if (!name) return Fail("Wine does not tell the folder's place");
    unixPath = name;
    HeapFree(GetProcessHeap(), 0, name);
  }
  std::vector<char> request(sizeof(UnixDrive) + unixPath.size() + 1, '\0');
  UnixDrive drive{};
  drive.size = static_cast<ULONG>(request.size());
  drive.type = DRIVE_FIXED;
  drive.letter = static_cast<WCHAR>(std::towlower(letter));
  drive.mountPointOffset = static_cast<USHORT>(unixPath.empty() ? 0 : sizeof(UnixDrive));
  std::memcpy(request.data(), &drive, sizeof drive);
  std::memcpy(request.data() + sizeof drive, unixPath.c_str(), unixPath.size());
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return Fail("no mount manager");
  DWORD returned = 0;
  const BOOL done =
      DeviceIoControl(manager, kDefineUnixDrive, request.data(), drive.size, nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return done ? 0 : Fail("the mount manager refused the drive");
}

int Map(const wchar_t* letter, const wchar_t* folder) {
  wchar_t full[MAX_PATH];
  if (!GetFullPathNameW(folder, MAX_PATH, full, nullptr)) return Fail("no such folder");
  std::wstring path = full;
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  if (UnderWine()) return WineDrive(letter[0], path);
  return DefineDosDeviceW(0, letter, path.c_str()) ? 0 : Fail("the drive was refused");
}

int Unmap(const wchar_t* letter) {
  if (UnderWine()) return WineDrive(letter[0], L"");
  return DefineDosDeviceW(DDD_REMOVE_DEFINITION, letter, nullptr) ? 0 : Fail("no such drive");
}

bool StartsWithFolder(const std::wstring& path, std::wstring prefix) {
  if (!prefix.empty() && prefix.back() != L'\\') prefix += L'\\';
  return path.size() > prefix.size() &&
         CompareStringOrdinal(path.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                              static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

int End(int count, wchar_t** prefixes) {
  int failed = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{sizeof entry};
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (!process) continue;
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    bool ours = false;
    if (QueryFullProcessImageNameW(process, 0, image, &size))
      for (int i = 0; i < count && !ours; ++i) ours = StartsWithFolder(image, prefixes[i]);
    if (ours && !(TerminateProcess(process, 1) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0)) ++failed;
    CloseHandle(process);
  }
  CloseHandle(snapshot);
  return failed ? Fail("a process did not end") : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  const bool letter = argc > 2 && std::iswalpha(argv[2][0]) && argv[2][1] == L':' && argv[2][2] == 0;
  if (command == L"map" && letter && argc == 4) return Map(argv[2], argv[3]);
  if (command == L"unmap" && letter && argc == 3) return Unmap(argv[2]);
  if (command == L"end" && argc > 2) return End(argc - 2, argv + 2);
  std::fputs("usage: demo-helper map X: FOLDER | unmap X: | end PREFIX...\n", stderr);
  return 2;
}
