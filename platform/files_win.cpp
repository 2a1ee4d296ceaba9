#include <windows.h>

#include "platform/files.h"
#include "platform/owned_handle_win.h"
#include "platform/utf.h"

std::FILE* OpenDeviceFile(const std::u16string& path, const char* mode) {
  std::u16string wideMode;
  for (const char* m = mode; *m; ++m) wideMode.push_back(static_cast<char16_t>(*m));
  return _wfopen(AsWide(path), AsWide(wideMode));
}

bool ReadDeviceFile(const std::u16string& path, unsigned char* buffer, std::size_t capacity, std::size_t* size) {
  // Read only: closing it cannot lose anything.
  const OwnedHandle file(NullIfInvalid(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)));
  if (!file) return false;
  std::size_t got = 0;
  // Only a read of 0 bytes (or a failure) ends the file.
  while (got < capacity) {
    DWORD want = capacity - got > 0x40000000 ? 0x40000000 : static_cast<DWORD>(capacity - got);
    DWORD n = 0;
    if (!ReadFile(file.Get(), buffer + got, want, &n, nullptr) || n == 0) break;
    got += n;
  }
  *size = got;
  return true;
}

void DeleteDeviceFile(const std::u16string& path) { (void)DeleteFileW(AsWide(path)); }
