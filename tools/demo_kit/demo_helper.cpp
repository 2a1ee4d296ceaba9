// demo-helper: what demo.cmd and demo-undo.cmd cannot say in cmd alone.
//   demo-helper map X: FOLDER   gives FOLDER the drive letter X:
//   demo-helper unmap X:        takes the letter away again
//   demo-helper end PREFIX...   ends every process whose program lies under
//                               one of the prefixes (a folder, or X:\)
//   demo-helper free PORT       whether 127.0.0.1:PORT is free for the demo's
//                               answer server (says so in Japanese and English
//                               when another program holds it)
//   demo-helper listening PORT  waits up to 10 s for the answer server to take
//                               connections there (says so when it does not)
//   demo-helper wait-map        waits up to 15 s for the map application's
//                               window, so that KarioSearch opens beside it
// The program reads its device's paths from the root of the current drive
// (\SD\..., \Program Files\...), so the demo's device folder becomes a drive
// of its own: on Windows a DOS device, as subst makes it, which needs no
// administrator and goes with the session.  Wine's DOS devices have no files
// behind them, so there the letter comes from Wine's mount manager, as
// winecfg makes it (a link in the prefix's dosdevices folder).
// Ends with 0 when it did what was asked, else 1 with the reason on stderr.
#include <winsock2.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
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

// Wine's mount manager records a drive it makes under HKLM\Software\Wine\Drives
// ("k:" = "hd") and leaves the value there when the drive goes: removed here,
// so that undoing the demo leaves nothing of it behind.
int Unmap(const wchar_t* letter) {
  if (!UnderWine()) return DefineDosDeviceW(DDD_REMOVE_DEFINITION, letter, nullptr) ? 0 : Fail("no such drive");
  if (WineDrive(letter[0], L"") != 0) return 1;
  const wchar_t name[] = {static_cast<wchar_t>(std::towlower(letter[0])), L':', 0};
  const LSTATUS removed = RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Wine\\Drives", name);
  SetLastError(static_cast<DWORD>(removed));
  return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND ? 0 : Fail("the drive's record stays");
}

// A message for the person at the console, in both languages: written as
// characters to a console, as UTF-8 to a file.
void Say(const std::wstring& text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  if (WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr)) return;
  std::string bytes(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
  std::fputs(bytes.c_str(), stdout);
}

// Binds (free) or connects to (listening) 127.0.0.1:port; true when it could.
bool TryPort(int port, bool connectTo) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const auto* at = reinterpret_cast<const sockaddr*>(&address);
  BOOL exclusive = TRUE;  // as the answer server binds: a port another program holds is refused
  if (!connectTo)
    setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
  const bool done =
      s != INVALID_SOCKET && (connectTo ? connect(s, at, sizeof address) : bind(s, at, sizeof address)) == 0;
  if (s != INVALID_SOCKET) closesocket(s);
  return done;
}

int CheckPort(const wchar_t* portText, bool listening) {
  const int port = static_cast<int>(std::wcstol(portText, nullptr, 10));
  WSADATA wsa;
  if (port < 1 || port > 65535 || WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return Fail("no such port");
  bool ok = TryPort(port, listening);
  for (int i = 0; listening && !ok && i < 100; ++i) {
    Sleep(100);
    ok = TryPort(port, true);
  }
  WSACleanup();
  if (ok) return 0;
  const std::wstring at = L"127.0.0.1:" + std::to_wstring(port);
  if (listening) {
    Say(L"応答サーバーが " + at +
        L" で待ち受けていません（上の行を見てください）。デモを取り消します。\r\n"
        L"The answer server is not listening on " +
        at + L" (see the lines above); the demo is undone.\r\n");
  } else {
    Say(L"ポート " + at +
        L" は別のプログラム（別のデモの応答サーバーなど）が使っています。デモは起動しませんでした。\r\n"
        L"  そのデモを demo-undo.cmd で終えるか、KARIO_DEMO_PORT に別のポートを設定してください。\r\n"
        L"Port " +
        at +
        L" is held by another program (another demo's answer server, for one). The demo was not started.\r\n"
        L"  End that demo with its demo-undo.cmd, or set KARIO_DEMO_PORT to another port.\r\n");
  }
  return 1;
}

int WaitForMap() {
  for (int i = 0; i < 150; ++i) {
    if (FindWindowW(L"Afx_QZV_MAINWND_", nullptr)) return 0;
    Sleep(100);
  }
  return Fail("the map application's window did not show");
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
  if ((command == L"free" || command == L"listening") && argc == 3) return CheckPort(argv[2], command == L"listening");
  if (command == L"wait-map" && argc == 2) return WaitForMap();
  std::fputs("usage: demo-helper map X: FOLDER | unmap X: | end PREFIX... | free PORT | listening PORT | wait-map\n",
             stderr);
  return 2;
}
